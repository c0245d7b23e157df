// The beat grid in the window: generated dance music opened through the
// action gets its grid on the waveform (tempo shown, bars drawn apart), kept
// in .robot/beatgrid and read back the next time; the grid moves half a beat
// and by 10 ms, follows taps, is found again in another tempo range; an
// eight-frame dance snaps to every second beat by its delay times in one
// undo step, frames that cannot reach their beat are named in one warning.

#include <QtTest>
#include <QLabel>
#include <QListWidget>
#include <QSpinBox>
#include <QStatusBar>

#include <cmath>

#include "app/mainwindow.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "music/audiodecoder.h"
#include "music/beatgridfile.h"
#include "music/beatpanel.h"
#include "music/musicpanel.h"
#include "playback/beatsnapper.h"
#include "support/beatmusic.h"
#include "support/scriptedprompt.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

class TestBeatWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    BeatPanel &beats() const { return window->music().beats(); }

    QString writeSong(const QString &name, double bpm, double firstBeatMs, double seconds = 20)
    {
        beatmusic::Song song;
        song.bpm = bpm;
        song.firstBeatMs = firstBeatMs;
        song.seconds = seconds;
        const QString path = QDir::current().absoluteFilePath(name);
        return beatmusic::writeWav(path, song) ? path : QString();
    }

    // Opens the music through the action and waits until the grid is there
    // (found, or read back).
    bool openMusic(const QString &path)
    {
        QSignalSpy grid(&beats(), &BeatPanel::gridChanged);
        QSignalSpy done(&window->music().decoder(), &AudioDecoder::done);
        prompt->answers.enqueue(path);
        ui->actionOpen_music_file->trigger();
        return QTest::qWaitFor([&] { return done.count() > 0 && beats().grid().isValid(); }, 20000);
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
        window->document().restore(flat);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), frames.size());
    }
    QVector<int> delays() const
    {
        QVector<int> d;
        for (int r = 0; r < window->document().rowCount(); ++r)
            d << window->document().cell(r, frametable::ColDelayTime);
        return d;
    }
    QVector<qint64> starts() const
    {
        QVector<qint64> s;
        qint64 t = 0;
        for (int r = 0; r < window->document().rowCount(); ++r) {
            s << t;
            t += window->document().cell(r, frametable::ColOperationTime)
                + window->document().cell(r, frametable::ColDelayTime);
        }
        return s;
    }

    QVector<beatgridfile::Record> storedGrids() const
    {
        QVector<beatgridfile::Record> records;
        beatgridfile::read(beatgridfile::filePath(QDir::currentPath()), &records);
        return records;
    }

private slots:
    void initTestCase()
    {
        startDir = QDir::currentPath();
        qRegisterMetaType<music::BeatFit>();
    }
    void cleanupTestCase() { finish(); }
    void init()
    {
        start();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void gridOnTheWaveformAndKept()
    {
        QCOMPARE(beats().tempoLabel()->text(), QStringLiteral("no beat grid"));
        QVERIFY(!beats().snapAction(music::SnapDivision::Beat)->isEnabled());
        const QString song = writeSong(QStringLiteral("dance.wav"), 128, 230);
        QVERIFY(openMusic(song));
        const music::BeatGrid grid = beats().grid();
        QVERIFY(std::fabs(grid.bpm() - 128) < 0.128);
        QVERIFY(std::fabs(grid.firstMs - 230) <= 10);
        QCOMPARE(beats().tempoLabel()->text(), QStringLiteral("128.0 BPM"));
        QVERIFY(beats().snapAction(music::SnapDivision::Beat)->isEnabled());
        // The whole song is in view: 43 beats, every fourth a bar.
        QTRY_VERIFY(!beats().drawnLines().bars.isEmpty());
        const music::GridLines lines = beats().drawnLines();
        QCOMPARE(lines.beats.size() + lines.bars.size(), 43);
        QVERIFY(lines.bars.size() >= 10 && lines.bars.size() <= 11);
        // Kept for this file.
        QVector<beatgridfile::Record> records = storedGrids();
        QCOMPARE(records.size(), 1);
        QCOMPARE(records[0].musicPath, song);
        QCOMPARE(records[0].grid, grid);

        // Moved by hand: half a beat, then 10 ms earlier; each move kept.
        beats().halfBeatAction()->trigger();
        QCOMPARE(beats().grid().firstMs, grid.firstMs + grid.periodMs / 2);
        beats().earlierAction()->trigger();
        QCOMPARE(beats().grid().firstMs, grid.firstMs + grid.periodMs / 2 - 10);
        const music::BeatGrid moved = beats().grid();
        QCOMPARE(storedGrids().value(0).grid, moved);

        // Opened again: the grid comes back as it was left, not found anew.
        QVERIFY(openMusic(song));
        QCOMPARE(beats().grid(), moved);
        QVERIFY(!window->music().decoder().hasBeatEvidence());

        // Found again in a range that puts it at half the tempo.
        beats().minBpmBox()->setValue(40);
        beats().maxBpmBox()->setValue(70);
        QSignalSpy found(&window->music().decoder(), &AudioDecoder::beatsFound);
        beats().findAction()->trigger();
        QVERIFY(found.wait(20000));
        QVERIFY(std::fabs(beats().grid().bpm() - 64) < 0.064);
        QCOMPARE(storedGrids().value(0).minBpm, 40.0);
        // Now the decoder still holds what it found: another range is fitted
        // without decoding again.
        beats().minBpmBox()->setValue(100);
        beats().maxBpmBox()->setValue(200);
        QSignalSpy done(&window->music().decoder(), &AudioDecoder::done);
        beats().findAction()->trigger();
        QVERIFY(found.wait(5000));
        QCOMPARE(done.count(), 0);
        QVERIFY(std::fabs(beats().grid().bpm() - 128) < 0.128);
    }

    void noBeatIsSaid()
    {
        beatmusic::Song noise;
        noise.kick = noise.hat = noise.chord = 0;
        noise.noise = 3;
        noise.seconds = 12;
        const QString path = QDir::current().absoluteFilePath(QStringLiteral("noise.wav"));
        QVERIFY(beatmusic::writeWav(path, noise));
        QSignalSpy found(&window->music().decoder(), &AudioDecoder::beatsFound);
        prompt->answers.enqueue(path);
        ui->actionOpen_music_file->trigger();
        QVERIFY(found.wait(20000));
        QVERIFY(!beats().grid().isValid());
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("No steady beat was found in the music."));
        QVERIFY(storedGrids().isEmpty());
    }

    void tapTempo()
    {
        QVERIFY(openMusic(writeSong(QStringLiteral("tap.wav"), 120, 0, 8)));
        // Taps on the music at 1 s, 1.5 s, ... a few ms early or late, on a
        // clock of the test's: 120 BPM with the beats on the taps, whatever
        // was found before.
        qint64 now = 0, music = 0;
        beats().setClock([&now] { return now; });
        beats().setPositionSource([&music] { return music; });
        beats().nudge(100);
        const int jitter[] = {0, 6, -4, 3, -5};
        for (int i = 0; i < 5; ++i) {
            now = 10000 + i * 500;
            music = 1000 + i * 500 + jitter[i];
            beats().tapAction()->trigger();
            if (i == 2)
                QCOMPARE(ui->statusBar->currentMessage(),
                         QStringLiteral("Tap tempo: 3 taps, keep tapping on every beat"));
        }
        QVERIFY(std::fabs(beats().grid().periodMs - 500) < 3);
        QVERIFY(beats().grid().firstMs < 10 || beats().grid().firstMs > 490);
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Tap tempo: 5 taps, 120.3 BPM"));
        QCOMPARE(storedGrids().value(0).grid, beats().grid());
        // After a pause the taps start again (the grid of the taps stays).
        now += music::TapResetMs + 1;
        beats().tapAction()->trigger();
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Tap tempo: 1 taps, keep tapping on every beat"));
    }

    void snapAnEightFrameDance()
    {
        QVERIFY(openMusic(writeSong(QStringLiteral("dance.wav"), 120, 250, 12)));
        // A clean grid for exact numbers: a beat every 500 ms from 250 ms.
        beats().setGrid(music::normalisedGrid(500, 250, 0));
        // Frame 1 starts the music; the others come at uneven times.
        const QVector<int> operations{200, 600, 700, 650, 580, 720, 610, 500};
        setFrames({{200, 0, 3}, {600, 330}, {700, 250}, {650, 310}, {580, 400}, {720, 260}, {610, 380}, {500, 0}});
        const QVector<int> before = delays();
        window->frameList().selectedRows() = {1, 2, 3, 4, 5, 6, 7};
        window->document().recordSnapshot();
        const std::size_t steps = window->document().undoHistory().size();
        prompt->calls.clear();
        beats().snapAction(music::SnapDivision::EverySecond)->trigger();
        // Frames 2..8 start on 250, 1250, 2250, ...: only delays changed.
        QCOMPARE(delays(), (QVector<int>{50, 400, 300, 350, 420, 280, 390, 0}));
        QCOMPARE(starts(), (QVector<qint64>{0, 250, 1250, 2250, 3250, 4250, 5250, 6250}));
        for (int r = 0; r < 8; ++r)
            QCOMPARE(window->document().cell(r, frametable::ColOperationTime), operations[r]);
        QCOMPARE(prompt->calls.size(), 0);
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Frames on the beat grid: 7 of 7"));
        // The markers show the new starts.
        window->music().updateMarkers();
        QCPGraph *markers = ui->plot_2->graph(3);
        QVector<qint64> keys;
        for (int i = 0; i < markers->dataCount(); i += 3)
            keys << std::llround(markers->data()->at(i)->key * 1000);
        QVERIFY(keys.size() >= 7);
        for (qint64 k : qAsConst(keys))
            QVERIFY2(k == 0 || (k - 250) % 1000 == 0, qPrintable(QString::number(k)));
        // One undo step takes it all back, redo brings it again.
        QCOMPARE(window->document().undoHistory().size(), steps + 1);
        ui->actionUndo->trigger();
        QCOMPARE(delays(), before);
        ui->actionRedo->trigger();
        QCOMPARE(delays(), (QVector<int>{50, 400, 300, 350, 420, 280, 390, 0}));
    }

    void framesThatCannotReachTheirBeat()
    {
        QVERIFY(openMusic(writeSong(QStringLiteral("dance.wav"), 120, 200, 12)));
        beats().setGrid(music::normalisedGrid(500, 200, 0));
        // Starts 0, 300, 800, 1650 and points 200, 700, 1200, 1700: frame 1
        // starts the music; frames 2 and 3 would need the delay before them
        // below 0; frame 4 gets there.
        setFrames({{300, 0, 3}, {500, 0}, {700, 150}, {100, 0}});
        window->frameList().selectedRows() = {0, 2, 1, 3};
        prompt->calls.clear();
        beats().snapAction(music::SnapDivision::Beat)->trigger();
        QCOMPARE(delays(), (QVector<int>{0, 0, 200, 0}));
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].text,
                 QStringLiteral("These frames could not be snapped and keep their times:\n"
                                "frame 1: it starts the music, at 0:00.0; its beat is at 0:00.2\n"
                                "frame 2: its beat at 0:00.2 comes before frame 1's operation time ends\n"
                                "frame 3: its beat at 0:00.7 comes before frame 2's operation time ends"));
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Frames on the beat grid: 1 of 4"));
        // Nothing selected and no current frame: the user is told to select.
        window->frameList().selectedRows().clear();
        window->document().setCurrentRow(-1);
        prompt->calls.clear();
        beats().snapAction(music::SnapDivision::Beat)->trigger();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Select the frames to snap to the beat first."));
    }
};

QTEST_MAIN(TestBeatWindow)
#include "tst_beatwindow.moc"
