// The music view in the window: a WAV written here is decoded and drawn as
// its min/max envelope (a click track shows every click), the play line and
// its time follow the player, the wheel zooms around the pointer and dragging
// pans along time with the scroll bars in step, markers sit where frames
// start, the status bar explains the double-click, and a double-click on the
// plot times the current frame. Playing sound needs an
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
#include "support/clickwav.h"
#include "support/scriptedprompt.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

class TestMusicWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    // A mono 16-bit PCM WAV of a sine, ms long; with clickEveryMs, silence
    // with a 2 ms full-scale click at every multiple of it instead.
    static QString writeWav(const QString &name, int ms, int rate = 8000, double amplitude = 20000,
                            int clickEveryMs = 0)
    {
        const int frames = rate * ms / 1000;
        QByteArray pcm(frames * 2, Qt::Uninitialized);
        for (int i = 0; i < frames; ++i) {
            qint16 v = qint16(amplitude * std::sin(2 * M_PI * 220.0 * i / rate));
            if (clickEveryMs > 0)
                v = qint64(i) * 1000 % (qint64(clickEveryMs) * rate) < 2 * rate ? (i % 2 ? -32000 : 32000) : 0;
            qToLittleEndian<qint16>(v, pcm.data() + 2 * i);
        }
        const QString path = QDir::current().absoluteFilePath(name);
        return testwav::writePcm(path, pcm, rate, 1) ? path : QString();
    }

    // Opens path through the action; true when the decoding ended.
    bool openMusic(const QString &answer)
    {
        QSignalSpy done(&window->music().decoder(), &AudioDecoder::done);
        prompt->answers.enqueue(answer);
        ui->actionOpen_music_file->trigger();
        return done.count() > 0 || done.wait(10000);
    }

    QCPGraph *wave() const { return ui->plot_2->graph(0); }       // upper edge
    QCPGraph *line() const { return ui->plot_2->graph(1); }
    QCPGraph *waveLow() const { return ui->plot_2->graph(2); }    // lower edge
    QCPGraph *markers() const { return ui->plot_2->graph(3); }
    QCPGraph *currentMarker() const { return ui->plot_2->graph(4); }
    // The envelope's stroke per column, from the lower to the upper edge.
    QCPErrorBars *strokes() const
    {
        for (int i = 0; i < ui->plot_2->plottableCount(); ++i)
            if (auto *bars = qobject_cast<QCPErrorBars *>(ui->plot_2->plottable(i)))
                return bars;
        return nullptr;
    }
    const music::Envelope &envelope() const { return window->music().decoder().envelope; }
    double seconds() const { return envelope().seconds(); }

    // Times of the vertical lines of a marker graph (each drawn as bottom,
    // top and a gap).
    static QVector<double> lineTimes(QCPGraph *g)
    {
        QVector<double> t;
        for (int i = 0; i + 2 < g->dataCount() + 1; i += 3) {
            if (g->data()->at(i)->key != g->data()->at(i + 1)->key
                || g->data()->at(i)->value != -music::PlayLineHalfHeight
                || g->data()->at(i + 1)->value != music::PlayLineHalfHeight || !std::isnan(g->data()->at(i + 2)->value))
                return {-1};
            t.append(g->data()->at(i)->key);
        }
        return t;
    }

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
    void cleanupTestCase() { finish(); }
    void init() { start(); }

    void startState()
    {
        QCOMPARE(ui->plot_2->graphCount(), 5);
        QCOMPARE(wave()->pen().color(), QColor(Qt::blue));
        QCOMPARE(line()->pen().color(), QColor(Qt::red));
        QCOMPARE(waveLow()->pen().color(), QColor(Qt::blue));
        // The envelope: a stroke from the lower to the upper edge per column.
        QCOMPARE(ui->plot_2->plottableCount(), 6);
        QVERIFY(strokes());
        QCOMPARE(strokes()->pen().color(), QColor(40, 80, 200));
        QCOMPARE(strokes()->dataPlottable(), static_cast<QCPAbstractPlottable *>(wave()));
        // The time axis reads m:ss.s.
        ui->plot_2->replot();
        QVERIFY2(ui->plot_2->xAxis->tickVectorLabels().contains(QStringLiteral("0:00.0")),
                 qPrintable(QStringList(ui->plot_2->xAxis->tickVectorLabels().toList()).join(QLatin1Char(' '))));
        QVERIFY(ui->plot_2->xAxis->tickVectorLabels().contains(QStringLiteral("-0:02.0")));
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(-3, 3));
        QCOMPARE(ui->plot_2->yAxis->range(), QCPRange(-5, 5));
        QCOMPARE(ui->scrollArea_4->horizontalScrollBar()->minimum(), -500);
        QCOMPARE(ui->scrollArea_4->horizontalScrollBar()->maximum(), 500);
        QCOMPARE(ui->scrollArea_4->verticalScrollBar()->minimum(), -500);
        QCOMPARE(ui->scrollArea_4->verticalScrollBar()->maximum(), 500);
        // The media player and the decoder wait for the first use of music:
        // the window's start does not load the media service. Stop and pause
        // before it have nothing to stop.
        QVERIFY(!window->music().hasPlayer());
        QVERIFY(!window->music().hasDecoder());
        ui->actionStop_music->trigger();
        ui->actionPause_music->trigger();
        window->music().setListeningVolume(70);
        QVERIFY(!window->music().hasPlayer());
        // Made, it plays at the listening volume chosen before.
        QCOMPARE(window->music().player().volume(), 70);
        window->music().setListeningVolume(100);
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

        // Every sample, at the envelope's rate.
        QCOMPARE(envelope().sampleRate, music::EnvelopeRate);
        QVERIFY2(qAbs(seconds() - 0.6) < 0.03, qPrintable(QString::number(seconds())));
        QCOMPARE(ui->plot_2->xAxis->range().lower, 0.0);
        QCOMPARE(ui->plot_2->xAxis->range().upper, seconds());
        // One column per pixel of the axes box, upper and lower edge.
        ui->plot_2->replot();
        const int width = ui->plot_2->axisRect()->width();
        QVERIFY2(qAbs(wave()->dataCount() - width) <= 1, qPrintable(QString::number(wave()->dataCount())));
        QCOMPARE(waveLow()->dataCount(), wave()->dataCount());
        QCOMPARE(strokes()->dataCount(), wave()->dataCount());
        for (int i = 0; i < wave()->dataCount(); ++i)
            QCOMPARE(wave()->data()->at(i)->value - strokes()->data()->at(i).errorMinus, waveLow()->data()->at(i)->value);
        // A loud sine (amplitude 20000): each column spans about -200..200 in
        // plot units, and the y axis spans the waveform, centred on 0.
        const QCPRange y = ui->plot_2->yAxis->range();
        QCOMPARE(y.center(), 0.0);
        QVERIFY2(y.upper > 190 && y.upper <= 328, qPrintable(QString::number(y.upper)));
        for (int i = 0; i < wave()->dataCount(); ++i) {
            const double high = wave()->data()->at(i)->value, low = waveLow()->data()->at(i)->value;
            QVERIFY2(high > 150 && high <= y.upper && low < -150 && low >= y.lower,
                     qPrintable(QStringLiteral("%1: %2..%3").arg(i).arg(low).arg(high)));
        }
        QCOMPARE(ui->plot_2->interactions(), QCP::iRangeDrag | QCP::iRangeZoom);
    }

    void secondFileReplacesFirst()
    {
        QVERIFY(openMusic(writeWav(QStringLiteral("long.wav"), 900)));
        const double first = seconds();
        window->music().positionChanged(600);
        QVERIFY(lineAt(0.6));
        QVERIFY(window->music().playLineLabel()->visible());
        QVERIFY(openMusic(writeWav(QStringLiteral("short.wav"), 300)));
        const double second = seconds();
        QVERIFY2(second >= 0.25 && second <= 0.35 && second < first, qPrintable(QString::number(second)));
        QVERIFY(wave()->dataCount() > 0);
        QCOMPARE(wave()->data()->at(wave()->dataCount() - 1)->key < second, true);
        QCOMPARE(ui->plot_2->xAxis->range().upper, second);
        QCOMPARE(line()->dataCount(), 0);   // the first file's play line went with it
        QVERIFY(!window->music().playLineLabel()->visible());
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
        QCOMPARE(wave()->dataCount() > 0, !envelope().isEmpty());
        QVERIFY(openMusic(QStringLiteral("missing.mp3")));
        QCOMPARE(envelope().sampleCount, qint64(0));
        QCOMPARE(wave()->dataCount(), 0);
        QCOMPARE(waveLow()->dataCount(), 0);
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
        QVERIFY2(seconds() >= 0.25 && seconds() <= 0.35, qPrintable(QString::number(seconds())));
        QCOMPARE(ui->plot_2->xAxis->range().upper, seconds());
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
            QCOMPARE(wave()->dataCount() > 0, !envelope().isEmpty());
            // The whole music, though never less than the smallest zoom.
            const QCPRange x = ui->plot_2->xAxis->range();
            QCOMPARE(x.center(), envelope().isEmpty() ? 0.0 : seconds() / 2);
            QCOMPARE(x.size(), envelope().isEmpty() ? 6.0 : qMax(seconds(), music::MinimumXSize));
        }
    }

    void longMusicKeepsItsRange()
    {
        // 61.25 s from 0 to 61.25 s; the horizontal bar now reaches its end.
        QVector<qint16> pcm(61250, qint16(0));
        for (int i = 0; i < pcm.size(); i += 100)
            pcm[i] = qint16((i / 100) % 2 ? 12000 : -12000);
        music::EnvelopeBuilder builder(1000);
        builder.append(pcm.constData(), pcm.size());
        window->music().decoder().envelope = builder.take();
        window->music().updatePlotData();
        QVERIFY(wave()->dataCount() > 0);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(0, 61.25));
        QCOMPARE(ui->plot_2->xAxis2->range(), QCPRange(0, 61.25));   // the axes box follows
        QCOMPARE(ui->plot_2->yAxis->range(), QCPRange(-120, 120));
        QScrollBar *h = ui->scrollArea_4->horizontalScrollBar();
        QCOMPARE(h->maximum(), 6125);
        QCOMPARE(h->value(), 3063);
        QCOMPARE(h->pageStep(), 6125);
        // Zoomed in at the end, the bar follows there and moves the axis back.
        ui->plot_2->xAxis->setRange(58, 62);
        QCOMPARE(h->value(), 6000);
        QCOMPARE(h->maximum(), 6125);
        h->setValue(1000);
        QCOMPARE(ui->plot_2->xAxis->range(), QCPRange(8, 12));
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
        QVERIFY(window->music().playLineLabel()->visible());
        QCOMPARE(window->music().playLineLabel()->text(), QStringLiteral("0:10.5"));
        QCOMPARE(window->music().playLineLabel()->position->key(), 10.5);
        window->music().positionChanged(61000);
        QCOMPARE(window->music().playLineLabel()->text(), QStringLiteral("1:01.0"));
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

    void clickTrackShowsEveryClick()
    {
        // 5 s at 44.1 kHz, a 2 ms click every second: the plot's envelope has
        // a full-height column at each second and silence between.
        QVERIFY(openMusic(writeWav(QStringLiteral("clicks.wav"), 5000, 44100, 0, 1000)));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ui->plot_2->replot();
        QVERIFY2(qAbs(seconds() - 5.0) < 0.01, qPrintable(QString::number(seconds())));
        const int columns = wave()->dataCount();
        QVERIFY2(columns >= 200, qPrintable(QString::number(columns)));
        const double width = 5.0 / ui->plot_2->axisRect()->width();
        QVector<int> seen(5, 0);
        for (int i = 0; i < columns; ++i) {
            const double x = wave()->data()->at(i)->key;
            const double high = wave()->data()->at(i)->value, low = waveLow()->data()->at(i)->value;
            const int second = int(std::lround(x));
            const bool nearClick = std::fabs(x - second) <= 1.5 * width + 0.003;
            if (high > 0 || low < 0) {
                QVERIFY2(nearClick, qPrintable(QString::number(x)));
                if (high > 300 && low < -300 && second < 5)
                    ++seen[second];
            }
        }
        QCOMPARE(seen.count(0), 0);   // every click shows at full height
    }

    void markersAtFrameStarts()
    {
        // Music starts at frame 2; frames 3 and 4 start 2 s and 9 s into it.
        setFrames({{600, 100, 0}, {1000, 1000, 3}, {3000, 4000, 0}, {700, 200, 0}});
        ui->listWidgetGraphicOperation->setCurrentRow(3);
        QTRY_COMPARE(lineTimes(currentMarker()), QVector<double>{9.0});
        QCOMPARE(lineTimes(markers()), (QVector<double>{0.0, 2.0}));   // frame 1 is before the music
        QCOMPARE(currentMarker()->pen().color(), QColor(230, 120, 0));
        ui->listWidgetGraphicOperation->setCurrentRow(2);
        QTRY_COMPARE(lineTimes(currentMarker()), QVector<double>{2.0});
        QCOMPARE(lineTimes(markers()), (QVector<double>{0.0, 9.0}));
        // Editing the current frame's time moves the markers after it.
        ui->spinBoxOperationTime->setValue(2000);
        QTRY_COMPARE(lineTimes(markers()), (QVector<double>{0.0, 8.0}));
        // A frame before the music has no marker of its own.
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        QTRY_COMPARE(currentMarker()->dataCount(), 0);
        QCOMPARE(lineTimes(markers()), (QVector<double>{0.0, 2.0, 8.0}));
    }

    void timingAFrameEndsItAtTheNextMarker()
    {
        // After a double-click times frame 3, frame 4's marker is at the click.
        setFrames({{600, 100, 0}, {1000, 1000, 3}, {3000, 4000, 0}, {700, 200, 0}});
        ui->listWidgetGraphicOperation->setCurrentRow(2);
        ui->plot_2->xAxis->setRange(0, 20);
        prompt->answers.enqueue(300);
        const qint64 clickMs = doubleClick(ui->plot_2->xAxis, 6.5);
        QCOMPARE(prompt->calls.size(), 1);
        QTRY_COMPARE(lineTimes(markers()), (QVector<double>{0.0, clickMs / 1000.0}));
    }

    void wheelZoomsAroundPointerAndDragPans()
    {
        QVERIFY(openMusic(writeWav(QStringLiteral("clicks.wav"), 5000, 44100, 0, 1000)));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCustomPlot *plot = ui->plot_2;
        QScrollBar *h = ui->scrollArea_4->horizontalScrollBar();
        plot->replot();
        const QCPRange y = plot->yAxis->range();
        const QPointF at(plot->xAxis->coordToPixel(1.0), plot->axisRect()->center().y());
        QWheelEvent wheel(at, plot->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &wheel);
        QCPRange x = plot->xAxis->range();
        QVERIFY2(x.size() < 5.0 - 0.1, qPrintable(QString::number(x.size())));
        QVERIFY(qAbs(plot->xAxis->pixelToCoord(at.x()) - 1.0) < 1e-6);   // the time under the pointer stays
        QCOMPARE(plot->yAxis->range(), y);                                  // time only
        QCOMPARE(h->value(), int(std::round(x.center() * 100)));
        QCOMPARE(h->pageStep(), int(std::round(x.size() * 100)));
        // The columns follow the zoom: still one per pixel, inside the view.
        plot->replot();
        QVERIFY(qAbs(wave()->dataCount() - plot->axisRect()->width()) <= 1);
        QVERIFY(wave()->data()->at(0)->key >= x.lower);
        // Wheel the other way: out again.
        QWheelEvent out(at, plot->mapToGlobal(at.toPoint()), QPoint(), QPoint(0, -240), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(plot, &out);
        QVERIFY(plot->xAxis->range().size() > x.size());

        // Dragging 100 px to the right shows earlier music.
        plot->xAxis->setRange(1, 3);
        plot->replot();
        const double perPixel = 2.0 / plot->axisRect()->width();
        const QPointF from = plot->axisRect()->center();
        QMouseEvent press(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(plot, &press);
        QMouseEvent move(QEvent::MouseMove, from + QPointF(100, 30), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(plot, &move);
        QMouseEvent release(QEvent::MouseButtonRelease, from + QPointF(100, 30), Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(plot, &release);
        x = plot->xAxis->range();
        QVERIFY2(qAbs(x.lower - (1 - 100 * perPixel)) < 2 * perPixel, qPrintable(QString::number(x.lower)));
        QCOMPARE(x.size(), 2.0);
        QCOMPARE(plot->yAxis->range(), y);
        QCOMPARE(h->value(), int(std::round(x.center() * 100)));

        // Zooming stops at a few tenths of a second.
        plot->xAxis->setRange(2, 2.01);
        QCOMPARE(plot->xAxis->range().size(), music::MinimumXSize);
    }

    void statusBarExplainsTheDoubleClick()
    {
        QEvent enter(QEvent::Enter);
        QApplication::sendEvent(ui->plot_2, &enter);
        QCOMPARE(ui->statusBar->currentMessage(), MusicPanel::doubleClickHint());
        QVERIFY(MusicPanel::doubleClickHint().contains(QStringLiteral("play music")));
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(ui->plot_2, &leave);
        QCOMPARE(ui->statusBar->currentMessage(), QString());
        // Decoding a file tells how far it got and how long the music is.
        QVERIFY(openMusic(writeWav(QStringLiteral("tone.wav"), 1500)));
        QVERIFY2(ui->statusBar->currentMessage().contains(QStringLiteral("0:01.5")),
                 qPrintable(ui->statusBar->currentMessage()));
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
