// The music view in the window: a WAV written here is decoded and drawn, the
// play line follows the player, the scroll bars move the axes, and a
// double-click on the plot times the current frame. Playing sound needs an
// audio output device; only that step is skipped without one.

#include <QtTest>
#include <QListWidget>
#include <QMediaPlayer>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QtEndian>
#include <QRandomGenerator>
#include <cmath>

#include "app/mainwindow.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "motion/frametable.h"
#include "music/audiodecoder.h"
#include "music/musicpanel.h"
#include "music/waveform.h"
#include "support/scriptedprompt.h"
#include "ui_mainwindow.h"

class TestMusicWindow : public QObject
{
    Q_OBJECT

    QTemporaryDir *workDir = nullptr;
    QString startDir;
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt *prompt = nullptr;
    Ui::MainWindow *ui = nullptr;

    void start()
    {
        window.reset();
        delete workDir;
        workDir = new QTemporaryDir;
        QDir::setCurrent(workDir->path());
        window = std::make_unique<MainWindow>();
        auto p = std::make_unique<ScriptedPrompt>();
        prompt = p.get();
        window->setPrompt(std::move(p));
        ui = window->form();
    }

    // A mono 16-bit PCM WAV of a sine, ms long.
    static QString writeWav(const QString &name, int ms, int rate = 8000, double amplitude = 20000)
    {
        const int frames = rate * ms / 1000;
        QByteArray pcm(frames * 2, Qt::Uninitialized);
        for (int i = 0; i < frames; ++i)
            qToLittleEndian<qint16>(qint16(amplitude * std::sin(2 * M_PI * 220.0 * i / rate)), pcm.data() + 2 * i);
        QByteArray wav;
        auto u32 = [&wav](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
        auto u16 = [&wav](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
        wav.append("RIFF");
        u32(36 + pcm.size());
        wav.append("WAVEfmt ");
        u32(16);
        u16(1);          // PCM
        u16(1);          // mono
        u32(rate);
        u32(rate * 2);   // bytes per second
        u16(2);          // block align
        u16(16);         // bits per sample
        wav.append("data");
        u32(pcm.size());
        wav.append(pcm);
        const QString path = QDir::current().absoluteFilePath(name);
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(wav) != wav.size())
            return QString();
        return path;
    }

    // Opens path through the action; true when the decoding ended.
    bool openMusic(const QString &answer)
    {
        QSignalSpy done(&window->music().decoder(), &AudioDecoder::done);
        prompt->answers.enqueue(answer);
        ui->actionOpen_music_file->trigger();
        return done.count() > 0 || done.wait(10000);
    }

    QCPGraph *wave() const { return ui->plot_2->graph(0); }
    QCPGraph *line() const { return ui->plot_2->graph(1); }

    // Two-point play line at t seconds?
    bool lineAt(double t) const
    {
        return line()->dataCount() == 2 && qFuzzyCompare(line()->data()->at(0)->key, t)
               && qFuzzyCompare(line()->data()->at(1)->key, t);
    }

    // Frames (operation, delay, music control) put into the table and list.
    void setFrames(const QVector<std::array<int, 3>> &frames)
    {
        QVector<int> flat;
        for (const auto &f : frames) {
            QVector<int> row(frametable::ColumnCount, 0);
            row[frametable::ColOperationTime] = f[0];
            row[frametable::ColDelayTime] = f[1];
            row[frametable::ColMusicControl] = f[2];
            flat += row;
        }
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->document().restore(flat);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), frames.size());
    }

    // Double-click on axis at time t (s); returns the click time in ms as read back.
    qint64 doubleClick(QCPAxis *axis, double t)
    {
        QCPAxis *x = ui->plot_2->xAxis;
        ui->plot_2->replot();   // lays out the axes for the pixel mapping
        const double px = std::round(x->coordToPixel(t));
        QMouseEvent ev(QEvent::MouseButtonDblClick, QPointF(px, 20), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        window->music().axisDoubleClick(axis, QCPAxis::spAxis, &ev);
        return music::clickMilliseconds(x->pixelToCoord(px));
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        window.reset();
        QDir::setCurrent(startDir);
        delete workDir;
    }
    void init() { start(); }

    void startState()
    {
        QCOMPARE(ui->plot_2->graphCount(), 2);
        QCOMPARE(wave()->pen().color(), QColor(Qt::blue));
        QCOMPARE(line()->pen().color(), QColor(Qt::red));
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(-3, 3));
        QCOMPARE(ui->plot_2->yAxis->range(), QCPRange(-5, 5));
        QCOMPARE(ui->scrollArea_4->horizontalScrollBar()->minimum(), -500);
        QCOMPARE(ui->scrollArea_4->horizontalScrollBar()->maximum(), 500);
        QCOMPARE(ui->scrollArea_4->verticalScrollBar()->minimum(), -500);
        QCOMPARE(ui->scrollArea_4->verticalScrollBar()->maximum(), 500);
        // The program plays at the listening volume, full at start; the
        // frame's volume (0 at start) is the robot's.
        QCOMPARE(window->music().player().volume(), 100);
        QCOMPARE(ui->horizontalSliderVolume->value(), 0);
    }

    void listeningVolumeDrivesThePlayerNotTheFrame()
    {
        QVERIFY(openMusic(writeWav(QStringLiteral("quiet.wav"), 500)));
        setFrames({{600, 0, 0}, {600, 0, 0}});
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        const QVector<int> frames = window->document().flatten();
        QMediaPlayer *player = &window->music().player();
        QSlider &control = window->music().listeningVolumeControl();

        control.setValue(30);
        QCOMPARE(player->volume(), 30);
        QCOMPARE(ui->horizontalSliderVolume->value(), 0);
        QCOMPARE(window->document().flatten(), frames);
        // Moving the frame's volume leaves the player where it was, and the
        // play command plays at the listening volume.
        ui->horizontalSliderVolume->setValue(90);
        QCOMPARE(player->volume(), 30);
        ui->actionPlay_music->trigger();
        QCOMPARE(player->volume(), 30);
        ui->actionStop_music->trigger();
        // Out of range from the program: clamped.
        window->music().setListeningVolume(150);
        QCOMPARE(control.value(), 100);
        QCOMPARE(player->volume(), 100);
        window->music().setListeningVolume(-4);
        QCOMPARE(player->volume(), 0);
        // The frame's own volume is the panel's, written to the frame.
        QCOMPARE(window->document().cell(1, frametable::ColVolume), 90);
        QCOMPARE(control.value(), 0);
    }

    void openWavDrawsWaveform()
    {
        const QString path = writeWav(QStringLiteral("tone.wav"), 600);
        QVERIFY(!path.isEmpty());
        window->frameList().heldKeys().ctrl = true;
        QVERIFY(openMusic(QStringLiteral("tone.wav")));   // relative: made absolute
        QVERIFY(!window->frameList().heldKeys().ctrl);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("openFileName"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("music file"));
        QCOMPARE(prompt->calls[0].extra, QStringLiteral("music file (*.mp3 *.wav)"));
        QCOMPARE(window->music().player().media().request().url(), QUrl::fromLocalFile(path));

        const int n = window->music().decoder().samples.size();
        QVERIFY2(n >= 550 && n <= 650, qPrintable(QString::number(n)));   // one value per ms
        QCOMPARE(wave()->dataCount(), (n + 99) / 100);
        QCOMPARE(ui->plot_2->xAxis->range().lower, 0.0);
        QCOMPARE(ui->plot_2->xAxis->range().upper, n / 1000.0);
        // A loud sine: the y axis spans the waveform, centred on 0.
        const QCPRange y = ui->plot_2->yAxis->range();
        QCOMPARE(y.center(), 0.0);
        QVERIFY2(y.upper > 20 && y.upper <= 328, qPrintable(QString::number(y.upper)));
        double peak = 0;
        for (auto it = wave()->data()->constBegin(); it != wave()->data()->constEnd(); ++it)
            peak = std::max(peak, std::fabs(it->value));
        QVERIFY(peak <= y.upper);
        QCOMPARE(ui->plot_2->interactions(), QCP::iRangeDrag | QCP::iRangeZoom);
    }

    void secondFileReplacesFirst()
    {
        QVERIFY(openMusic(writeWav(QStringLiteral("long.wav"), 900)));
        const int first = window->music().decoder().samples.size();
        window->music().positionChanged(600);
        QVERIFY(lineAt(0.6));
        QVERIFY(openMusic(writeWav(QStringLiteral("short.wav"), 300)));
        const int second = window->music().decoder().samples.size();
        QVERIFY2(second >= 250 && second <= 350 && second < first, qPrintable(QString::number(second)));
        QCOMPARE(wave()->dataCount(), (second + 99) / 100);
        QCOMPARE(ui->plot_2->xAxis->range().upper, second / 1000.0);
        QCOMPARE(line()->dataCount(), 0);   // the first file's play line went with it
    }

    void cancelKeepsMusic()
    {
        const QString path = writeWav(QStringLiteral("tone.wav"), 400);
        QVERIFY(openMusic(path));
        const int points = wave()->dataCount();
        QSignalSpy done(&window->music().decoder(), &AudioDecoder::done);
        ui->actionOpen_music_file->trigger();   // no answer: cancelled
        QCOMPARE(prompt->calls.size(), 2);
        QVERIFY(!done.wait(500));
        QCOMPARE(wave()->dataCount(), points);
        QCOMPARE(window->music().player().media().request().url(), QUrl::fromLocalFile(path));
    }

    void undecodableFileStillRedraws()
    {
        QFile f(QStringLiteral("noise.wav"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(3000, '\x5a'));
        f.close();
        QVERIFY(openMusic(QStringLiteral("noise.wav")));   // done() even though it failed
        QCOMPARE(wave()->dataCount(), (window->music().decoder().samples.size() + 99) / 100);
        QVERIFY(openMusic(QStringLiteral("missing.mp3")));
        QCOMPARE(window->music().decoder().samples.size(), 0);
        QCOMPARE(wave()->dataCount(), 0);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(-3, 3));
    }

    void reopenWhileDecoding()
    {
        const QString first = writeWav(QStringLiteral("first.wav"), 3000);
        const QString second = writeWav(QStringLiteral("second.wav"), 300);
        prompt->answers.enqueue(first);
        ui->actionOpen_music_file->trigger();   // not waited for
        QVERIFY(openMusic(second));
        QTest::qWait(200);   // nothing of the first file arrives late
        const int n = window->music().decoder().samples.size();
        QVERIFY2(n >= 250 && n <= 350, qPrintable(QString::number(n)));
        QCOMPARE(wave()->dataCount(), (n + 99) / 100);
    }

    void randomFilesEndTheDecoding()
    {
        // Damaged or foreign files: the decoding always ends and the plot
        // shows what was decoded. Bounded: a few small files.
        QRandomGenerator random(20261207);
        for (int k = 0; k < 4; ++k) {
            const QString name = QStringLiteral("random%1.wav").arg(k);
            QVERIFY(!writeWav(name, 200).isEmpty());
            QFile f(name);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QByteArray bytes = f.readAll();
            // Keep the header for half of them, scramble the rest.
            for (int i = (k % 2) ? 44 : 0; i < bytes.size(); ++i)
                if (random.bounded(4) == 0)
                    bytes[i] = char(random.bounded(256));
            f.seek(0);
            f.write(bytes);
            f.close();
            QVERIFY2(openMusic(name), qPrintable(name));
            QCOMPARE(wave()->dataCount(), (window->music().decoder().samples.size() + 99) / 100);
        }
    }

    void longMusicKeepsItsRange()
    {
        // 61.25 s: 613 points from 0 to 61.25 s, though the bar stops at 5 s.
        music::Samples samples(61250, qint16(0));
        for (int i = 0; i < samples.size(); i += 100)
            samples[i] = qint16((i / 100) % 2 ? 120 : -120);
        window->music().decoder().samples = samples;
        window->music().updatePlotData();
        QCOMPARE(wave()->dataCount(), 613);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(0, 61.25));
        QCOMPARE(ui->plot_2->xAxis2->range(), QCPRange(0, 61.25));   // the axes box follows
        QCOMPARE(ui->plot_2->yAxis->range(), QCPRange(-120, 120));
        QCOMPARE(ui->scrollArea_4->horizontalScrollBar()->value(), 500);
        QCOMPARE(ui->scrollArea_4->horizontalScrollBar()->pageStep(), 6125);
    }

    void playLineFollowsPlayer()
    {
        // The player's own position signal draws the line.
        QVERIFY(QMetaObject::invokeMethod(&window->music().player(), "positionChanged", Q_ARG(qint64, 10000)));
        QVERIFY(lineAt(10.0));
        QCOMPARE(line()->data()->at(0)->value, -328.0);   // crosses any waveform
        QCOMPARE(line()->data()->at(1)->value, 328.0);
        window->music().positionChanged(10400);
        QVERIFY(lineAt(10.0));
        window->music().positionChanged(10500);
        QVERIFY(lineAt(10.5));
        QCOMPARE(window->music().playLinePosition(), 10500);
        window->music().positionChanged(0);   // stopped: back to the start
        QVERIFY(lineAt(0.0));
    }

    void playsThroughAudioDevice()
    {
        QVERIFY(openMusic(writeWav(QStringLiteral("play.wav"), 2000)));
        QMediaPlayer *player = &window->music().player();
        window->music().listeningVolumeControl().setValue(37);
        ui->horizontalSliderVolume->setValue(80);
        ui->actionPlay_music->trigger();
        QCOMPARE(player->volume(), 37);
        QElapsedTimer clock;
        clock.start();
        while (player->position() < 700 && player->error() == QMediaPlayer::NoError && clock.elapsed() < 5000)
            QTest::qWait(50);
        if (player->error() != QMediaPlayer::NoError || player->position() < 700)
            QSKIP(qPrintable(QStringLiteral("no audio output device to play through (player error %1: %2)")
                                 .arg(player->error())
                                 .arg(player->errorString())));
        QVERIFY(line()->dataCount() == 2 && line()->data()->at(0)->key >= 0.5);
        ui->actionPause_music->trigger();
        QTRY_COMPARE(player->state(), QMediaPlayer::PausedState);
        ui->actionStop_music->trigger();
        QTRY_COMPARE(player->state(), QMediaPlayer::StoppedState);
    }

    void scrollBarsMoveAxes()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QScrollBar *h = ui->scrollArea_4->horizontalScrollBar();
        QScrollBar *v = ui->scrollArea_4->verticalScrollBar();
        window->resize(1200, 700);   // the area re-lays out its contents
        QTest::qWait(50);
        QCOMPARE(h->minimum(), -500);
        QCOMPARE(h->maximum(), 500);
        QCOMPARE(v->minimum(), -500);
        QCOMPARE(h->pageStep(), 600);   // the x axis' 6 s
        QCOMPARE(v->pageStep(), 1000);

        h->setValue(250);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(-0.5, 5.5));
        QCOMPARE(ui->scrollArea_4->widget()->pos(), QPoint(0, 0));
        v->setValue(200);
        QCOMPARE(ui->plot_2->yAxis->range(), QCPRange(-7, 3));   // the bar runs opposite
        QCOMPARE(ui->scrollArea_4->widget()->pos(), QPoint(0, 0));

        ui->plot_2->xAxis->setRange(10, 4, Qt::AlignCenter);
        QCOMPARE(h->value(), 500);   // 1000 clamped by the bar
        QCOMPARE(h->pageStep(), 400);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(8, 12));   // no echo from the clamped bar
        ui->plot_2->yAxis->setRange(1.5, 3, Qt::AlignCenter);
        QCOMPARE(v->value(), -150);
        QCOMPARE(v->pageStep(), 300);

        window->resize(1300, 720);
        QTest::qWait(50);
        QCOMPARE(h->maximum(), 500);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(8, 12));
        QCOMPARE(ui->scrollArea_4->widget()->pos(), QPoint(0, 0));
    }

    void doubleClickTimesFrame_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("accepted") << true;
        QTest::newRow("cancelled") << false;
    }
    void doubleClickTimesFrame()
    {
        QFETCH(bool, accept);
        // Music starts at frame 1 (1000 + 1000), frame 2 adds 3000 + 4000: S = 9000.
        setFrames({{600, 100, 0}, {1000, 1000, 3}, {3000, 4000, 0}, {700, 200, 0}});
        ui->listWidgetGraphicOperation->setCurrentRow(3);
        ui->plot_2->xAxis->setRange(0, 20);
        if (accept)
            prompt->answers.enqueue(500);
        const qint64 clickMs = doubleClick(ui->plot_2->xAxis, 12.5);
        QVERIFY(qAbs(clickMs - 12500) < 100);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("integer"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("Please input the delay time"));
        QCOMPARE(prompt->calls[0].text, QStringLiteral("delay time:"));
        const int delay = accept ? 500 : 200;
        const int operation = accept ? int(clickMs - 9000 - 500) : 700;
        QCOMPARE(ui->spinBoxDelayTime->value(), delay);
        QCOMPARE(ui->spinBoxOperationTime->value(), operation);
        QCOMPARE(window->document().cell(3, frametable::ColDelayTime), delay);
        QCOMPARE(window->document().cell(3, frametable::ColOperationTime), operation);
    }

    void doubleClickOnVerticalAxisReadsTime()
    {
        setFrames({{0, 0, 3}});
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        ui->plot_2->xAxis->setRange(0, 10);
        prompt->answers.enqueue(0);
        const qint64 clickMs = doubleClick(ui->plot_2->yAxis, 4.0);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(window->document().cell(0, frametable::ColOperationTime), int(clickMs));
        QCOMPARE(window->document().cell(0, frametable::ColDelayTime), 0);
    }

    void doubleClickWithoutMusicFrameOnlySeeks()
    {
        setFrames({{600, 100, 0}, {600, 100, 2}});
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        ui->plot_2->xAxis->setRange(0, 20);
        doubleClick(ui->plot_2->xAxis, 12.5);
        QVERIFY(prompt->calls.isEmpty());
        QCOMPARE(window->document().cell(1, frametable::ColOperationTime), 600);
        // Before the music frame's times: nothing to offer either.
        setFrames({{5000, 5000, 3}, {100, 100, 0}});
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        doubleClick(ui->plot_2->xAxis, 9.0);
        QVERIFY(prompt->calls.isEmpty());
        // No current frame at all.
        ui->listWidgetGraphicOperation->setCurrentRow(-1);
        doubleClick(ui->plot_2->xAxis, 12.5);
        QVERIFY(prompt->calls.isEmpty());
    }

    void doubleClickTooFarWarns()
    {
        setFrames({{0, 0, 3}});
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        ui->plot_2->xAxis->setRange(0, 100);
        doubleClick(ui->plot_2->xAxis, 80.0);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(window->document().cell(0, frametable::ColOperationTime), 0);
    }
};

QTEST_MAIN(TestMusicWindow)
#include "tst_musicwindow.moc"
