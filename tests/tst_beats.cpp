// The beat grid's plain units: tracking generated dance music (a kick on every
// beat, hi-hats on the off-beats, a held chord, light noise) at several tempos
// and start offsets, music with no steady beat, the tempo range; the grid's
// lines, shifts, nudges and tap tempo; snapping frames to the grid; the file
// that keeps the grids.

#include <QtTest>

#include "music/beatgrid.h"
#include "music/beatgridfile.h"
#include "music/beatsnap.h"
#include "music/beattracker.h"
#include "support/beatmusic.h"

#include <cmath>

using namespace music;

Q_DECLARE_METATYPE(music::SnapDivision)
Q_DECLARE_METATYPE(music::BeatFailure)

namespace {

BeatFit analyse(const beatmusic::Song &song, double minBpm = DefaultMinBpm, double maxBpm = DefaultMaxBpm)
{
    const QVector<qint16> pcm = beatmusic::pcm(song);
    BeatTracker tracker(song.rate);
    // In buffers of the size the platform decoder hands over.
    for (int i = 0; i < pcm.size(); i += 4608)
        tracker.append(pcm.constData() + i, qMin(4608, pcm.size() - i));
    return fitBeatGrid(tracker.finish(), minBpm, maxBpm);
}

// The farthest a true beat lies from its nearest grid line (ms).
double worstLine(const BeatGrid &grid, const QVector<double> &beats)
{
    double worst = 0;
    for (double b : beats) {
        const double n = std::round((b - grid.firstMs) / grid.periodMs);
        worst = qMax(worst, std::fabs(grid.beatMs(qint64(n)) - b));
    }
    return worst;
}

QVector<FrameTiming> timings(const QVector<QVector<int>> &rows)
{
    QVector<FrameTiming> frames;
    for (const QVector<int> &r : rows)
        frames.append({r[0], r[1], r.value(2)});
    return frames;
}

} // namespace

class TestBeats : public QObject
{
    Q_OBJECT

private slots:
    // ---------------------------------------------------------------- tracking

    void findsTheBeat_data()
    {
        QTest::addColumn<double>("bpm");
        QTest::addColumn<double>("firstBeatMs");
        QTest::addColumn<double>("hat");
        QTest::addColumn<double>("minBpm");
        QTest::addColumn<double>("maxBpm");
        QTest::newRow("120 on the first sample") << 120.0 << 0.0 << 1.0 << 60.0 << 180.0;
        QTest::newRow("128, 230 ms in") << 128.0 << 230.0 << 1.0 << 60.0 << 180.0;
        QTest::newRow("97, half a second in") << 97.0 << 500.0 << 1.0 << 60.0 << 180.0;
        QTest::newRow("133.3, odd period") << 133.3 << 345.0 << 1.0 << 60.0 << 180.0;
        // Hi-hats three times as loud: trackers that follow the onsets of the
        // high sounds lock onto the off-beat.
        QTest::newRow("loud off-beat hi-hats") << 123.0 << 77.0 << 3.0 << 60.0 << 180.0;
        QTest::newRow("loud hi-hats, fast") << 174.0 << 140.0 << 3.0 << 60.0 << 180.0;
        // The tracker counts every second beat of fast music.
        QTest::newRow("180 in the default range") << 180.0 << 5.0 << 1.0 << 60.0 << 180.0;
        // Slow music: 120 lies in 60..180 as well; the range 40..90 rules out
        // the double tempo.
        QTest::newRow("60 with its range") << 60.0 << 900.0 << 1.0 << 40.0 << 90.0;
    }
    void findsTheBeat()
    {
        QFETCH(double, bpm);
        QFETCH(double, firstBeatMs);
        QFETCH(double, hat);
        QFETCH(double, minBpm);
        QFETCH(double, maxBpm);
        beatmusic::Song song;
        song.bpm = bpm;
        song.firstBeatMs = firstBeatMs;
        song.hat = hat;
        song.seconds = 60;
        const BeatFit fit = analyse(song, minBpm, maxBpm);
        QVERIFY2(fit.ok(), qPrintable(failureText(fit.failure, minBpm, maxBpm)));
        QVERIFY2(std::fabs(fit.grid.bpm() - bpm) <= bpm * 0.001,
                 qPrintable(QStringLiteral("tempo %1").arg(fit.grid.bpm(), 0, 'f', 4)));
        // Every line within 10 ms of its beat (not the off-beat), over the whole minute.
        const double worst = worstLine(fit.grid, song.beats());
        QVERIFY2(worst <= 10, qPrintable(QStringLiteral("a line %1 ms from its beat").arg(worst)));
        QCOMPARE(beatTimes(fit.grid, song.seconds * 1000).size(), song.beats().size());
    }

    void offBeatTrackerIsPutOnTheKick()
    {
        // aubio's beats on the off-beats, the kicks on the beats: the grid
        // goes to the kicks and says how much it moved aubio's beats.
        BeatEvidence e;
        e.durationMs = 30000;
        e.bassOnsets.fill(0.0f, 30000);
        e.onsets.fill(0.0f, 30000);
        for (int t = 100; t < 30000; t += 500) {
            e.bassOnsets[t] = 1.0f;
            e.onsets[t] = 1.0f;
            e.onsets[t + 250 < 30000 ? t + 250 : t] = 2.0f;
            e.trackerBeats << t + 250;
        }
        const BeatFit fit = fitBeatGrid(e);
        QVERIFY(fit.ok());
        QCOMPARE(fit.grid.periodMs, 500.0);
        QCOMPARE(fit.grid.firstMs, 100.0);
        QVERIFY(fit.offBeatShare > 0.9);
    }

    void noSteadyBeat_data()
    {
        QTest::addColumn<double>("seconds");
        QTest::addColumn<double>("kick");
        QTest::addColumn<double>("hat");
        QTest::addColumn<double>("chord");
        QTest::addColumn<double>("noise");
        QTest::addColumn<double>("minBpm");
        QTest::addColumn<double>("maxBpm");
        QTest::addColumn<music::BeatFailure>("failure");
        QTest::newRow("silence") << 20.0 << 0.0 << 0.0 << 0.0 << 0.0 << 60.0 << 180.0 << BeatFailure::NoSteadyBeat;
        QTest::newRow("noise") << 20.0 << 0.0 << 0.0 << 0.0 << 3.0 << 60.0 << 180.0 << BeatFailure::NoSteadyBeat;
        QTest::newRow("too short") << 3.0 << 1.0 << 1.0 << 1.0 << 1.0 << 60.0 << 180.0 << BeatFailure::TooShort;
        // 120 BPM and its double and half all lie outside 130..200.
        QTest::newRow("outside the range") << 20.0 << 1.0 << 1.0 << 1.0 << 1.0 << 130.0 << 200.0
                                           << BeatFailure::OutsideTempoRange;
    }
    void noSteadyBeat()
    {
        QFETCH(double, seconds);
        QFETCH(double, kick);
        QFETCH(double, hat);
        QFETCH(double, chord);
        QFETCH(double, noise);
        QFETCH(double, minBpm);
        QFETCH(double, maxBpm);
        QFETCH(music::BeatFailure, failure);
        beatmusic::Song song;
        song.seconds = seconds;
        song.kick = kick;
        song.hat = hat;
        song.chord = chord;
        song.noise = noise;
        const BeatFit fit = analyse(song, minBpm, maxBpm);
        QCOMPARE(fit.failure, failure);
        QVERIFY(!fit.grid.isValid());
        QVERIFY(!failureText(failure, minBpm, maxBpm).isEmpty());
    }

    void halfTempoWithinTheRange()
    {
        // 120 BPM music searched in 40..70: every second kick, on the kicks.
        beatmusic::Song song;
        song.firstBeatMs = 300;
        song.seconds = 40;
        const BeatFit fit = analyse(song, 40, 70);
        QVERIFY(fit.ok());
        QVERIFY(std::fabs(fit.grid.bpm() - 60) < 0.06);
        const QVector<double> kicks = song.beats();
        QVector<double> everySecond;
        for (int i = 0; i < kicks.size(); i += 2)
            everySecond << kicks[i];
        const double onEven = worstLine(fit.grid, everySecond);
        QVector<double> odd;
        for (int i = 1; i < kicks.size(); i += 2)
            odd << kicks[i];
        const double onOdd = worstLine(fit.grid, odd);
        QVERIFY(qMin(onEven, onOdd) <= 10);
    }

    // ---------------------------------------------------------------- the grid

    void gridForm()
    {
        // Any beat of the grid gives the same grid, its bars with it.
        const BeatGrid a = normalisedGrid(500, 1250, 0);   // 1250 starts a bar
        QCOMPARE(a.firstMs, 250.0);
        QCOMPARE(a.barBeat, 2);                            // 250, 750, [1250]
        QVERIFY(a.startsBar(2) && a.startsBar(6) && a.startsBar(-2) && !a.startsBar(3));
        const BeatGrid b = normalisedGrid(500, -1750, 2);  // the bar at -750, and so at 1250
        QCOMPARE(b.firstMs, 250.0);
        QCOMPARE(b.barBeat, 2);
        QVERIFY(!normalisedGrid(0, 10).isValid());
        QVERIFY(!normalisedGrid(-5, 10).isValid());
        QVERIFY(!normalisedGrid(std::nan(""), 10).isValid());
    }

    void gridLinesAndBars()
    {
        const BeatGrid g = normalisedGrid(500, 100, 1);  // bars at 600, 2600, ...
        const GridLines lines = gridLines(g, 0, 3000);
        QCOMPARE(lines.bars, (QVector<double>{600, 2600}));
        QCOMPARE(lines.beats, (QVector<double>{100, 1100, 1600, 2100}));
        // Far zoomed out: bars only, then nothing.
        QVERIFY(gridLines(g, 0, 500.0 * 5000).beats.isEmpty());
        QVERIFY(!gridLines(g, 0, 500.0 * 5000).bars.isEmpty());
        QVERIFY(gridLines(g, 0, 500.0 * 20000).bars.isEmpty());
        QCOMPARE(beatTimes(g, 1100), (QVector<double>{100, 600, 1100}));
        QVERIFY(beatTimes(BeatGrid(), 1000).isEmpty());
    }

    void shiftAndNudge()
    {
        const BeatGrid g = normalisedGrid(500, 100, 0);
        const BeatGrid half = shiftedHalfBeat(g);
        QCOMPARE(half.firstMs, 350.0);
        QCOMPARE(half.barBeat, 0);  // the bar moved with its beat: 100 -> 350
        // Twice is a whole beat later: the same lines, the bars one beat on.
        const BeatGrid twice = shiftedHalfBeat(half);
        QCOMPARE(twice.firstMs, 100.0);
        QCOMPARE(twice.beatMs(twice.barBeat), 600.0);
        // Nudging across 0 wraps to the grid's last beat before 500 and keeps
        // the bars on their beats.
        const BeatGrid early = nudged(normalisedGrid(500, 5, 0), -NudgeMs);
        QCOMPARE(early.firstMs, 495.0);
        QCOMPARE(early.beatMs(early.barBeat), 1995.0);  // the bar of -5
        QCOMPARE(nudged(early, NudgeMs).firstMs, 5.0);
    }

    void tapTempo()
    {
        TapTempo taps;
        // Taps 1 s apart (60 BPM) on the music from 10 s, a few ms early or late.
        const int jitter[] = {0, 8, -6, 5, -9, 3};
        for (int i = 0; i < 3; ++i)
            taps.tap(i * 1000, 10000 + i * 1000 + jitter[i]);
        QVERIFY(!taps.grid().isValid());  // three taps give no tempo yet
        for (int i = 3; i < 6; ++i)
            taps.tap(i * 1000, 10000 + i * 1000 + jitter[i]);
        const BeatGrid g = taps.grid();
        QVERIFY(std::fabs(g.periodMs - 1000) < 5);
        QVERIFY(std::fabs(g.firstMs - 0) < 10 || std::fabs(g.firstMs - 1000) < 10);
        QVERIFY(g.startsBar(qint64(std::llround((10000 - g.firstMs) / g.periodMs))));
        // A pause starts again.
        taps.tap(5000 + TapResetMs + 1, 30000);
        QCOMPARE(taps.count(), 1);
        QVERIFY(!taps.grid().isValid());
    }

    // ---------------------------------------------------------------- snapping

    void snapping_data()
    {
        QTest::addColumn<QVector<QVector<int>>>("frames");  // operation, delay, music control
        QTest::addColumn<QVector<int>>("rows");
        QTest::addColumn<music::SnapDivision>("division");
        QTest::addColumn<QVector<int>>("delays");           // every row's delay after
        QTest::addColumn<QVector<int>>("problemRows");
        QTest::addColumn<QVector<int>>("problemKinds");
        // The grid: a beat every 500 ms from 120 ms, bars from 120 (beat 0).
        const QVector<QVector<int>> dance{{100, 0, 3}, {200, 250}, {300, 330}, {150, 10}, {400, 0}};
        // Starts: 0, 100, 550, 1180, 1340. Taken in order: 100 -> 120 (row 0's
        // delay 0 -> 20); 570 -> 620 (250 -> 300); 1250 -> 1120 (330 -> 200);
        // 1280 -> 1120 would need row 3's delay at -150.
        QTest::newRow("each to its nearest beat")
            << dance << QVector<int>{1, 2, 3, 4} << SnapDivision::Beat
            << QVector<int>{20, 300, 200, 10, 0} << QVector<int>{4} << QVector<int>{int(SnapProblem::TooEarly)};
        QTest::newRow("rows in any order, repeated, outside")
            << dance << QVector<int>{4, 3, 2, 1, 2, 99, -1} << SnapDivision::Beat
            << QVector<int>{20, 300, 200, 10, 0} << QVector<int>{4} << QVector<int>{int(SnapProblem::TooEarly)};
        // Points 120, 1120, 2120: 100 -> 120; 1200 -> 1120.
        QTest::newRow("every second beat")
            << dance << QVector<int>{1, 3} << SnapDivision::EverySecond
            << QVector<int>{20, 250, 250, 10, 0} << QVector<int>{} << QVector<int>{};
        // Points 120, 2120: 550 is nearest to 120, before row 1's operation ends.
        QTest::newRow("a point before the previous frame's operation ends")
            << dance << QVector<int>{2} << SnapDivision::EveryFourth
            << QVector<int>{0, 250, 330, 10, 0} << QVector<int>{2} << QVector<int>{int(SnapProblem::TooEarly)};
        // Points every 250 ms from 120: 100 -> 120; 570 -> 620.
        QTest::newRow("half beats")
            << dance << QVector<int>{1, 2} << SnapDivision::HalfBeat
            << QVector<int>{20, 300, 330, 10, 0} << QVector<int>{} << QVector<int>{};
        QTest::newRow("the music frame itself")
            << dance << QVector<int>{0} << SnapDivision::Beat
            << QVector<int>{0, 250, 330, 10, 0} << QVector<int>{0} << QVector<int>{int(SnapProblem::StartsMusic)};
        QTest::newRow("no music before")
            << QVector<QVector<int>>{{100, 0}, {100, 0}, {100, 0, 3}, {100, 0}} << QVector<int>{1, 3}
            << SnapDivision::Beat << QVector<int>{0, 0, 20, 0} << QVector<int>{1}
            << QVector<int>{int(SnapProblem::NoMusic)};
        // 30390 -> 30620: a delay that would pass the maximum (30000).
        QTest::newRow("beyond the delay maximum")
            << QVector<QVector<int>>{{100, 0, 3}, {300, 29990}, {100, 0}} << QVector<int>{2}
            << SnapDivision::Beat << QVector<int>{0, 29990, 0} << QVector<int>{2}
            << QVector<int>{int(SnapProblem::TooLate)};
        // Already on its beat: nothing changes and it counts as snapped.
        QTest::newRow("already there")
            << QVector<QVector<int>>{{120, 0, 3}, {300, 200}} << QVector<int>{1} << SnapDivision::Beat
            << QVector<int>{0, 200} << QVector<int>{} << QVector<int>{};
        // A later music frame starts the time line again.
        QTest::newRow("second music frame")
            << QVector<QVector<int>>{{100, 0, 3}, {5000, 0}, {60, 0, 3}, {90, 7}} << QVector<int>{3}
            << SnapDivision::Beat << QVector<int>{0, 0, 60, 7} << QVector<int>{} << QVector<int>{};
    }
    void snapping()
    {
        QFETCH(QVector<QVector<int>>, frames);
        QFETCH(QVector<int>, rows);
        QFETCH(music::SnapDivision, division);
        QFETCH(QVector<int>, delays);
        QFETCH(QVector<int>, problemRows);
        QFETCH(QVector<int>, problemKinds);
        const BeatGrid grid = normalisedGrid(500, 120, 0);
        const QVector<FrameTiming> before = timings(frames);
        const SnapResult r = snapFrames(before, rows, grid, division);
        QVector<int> after;
        for (const FrameTiming &f : before)
            after << f.delayTime;
        for (const auto &change : r.delays)
            after[change.first] = change.second;
        QCOMPARE(after, delays);
        QVector<int> gotRows, gotKinds;
        for (const SnapProblem &p : r.problems) {
            gotRows << p.row;
            gotKinds << int(p.kind);
        }
        QCOMPARE(gotRows, problemRows);
        QCOMPARE(gotKinds, problemKinds);
        // Only delays change, none negative; the frames that were snapped
        // now start on a grid point.
        for (int d : after)
            QVERIFY(d >= 0);
        QVector<FrameTiming> moved = before;
        for (int i = 0; i < moved.size(); ++i)
            moved[i].delayTime = after[i];
        int music = -1;
        qint64 time = 0;
        for (int row = 0; row < moved.size(); ++row) {
            if (moved[row].musicControl == MusicPlay) {
                music = row;
                time = 0;
            }
            if (music >= 0 && rows.contains(row) && !problemRows.contains(row))
                QCOMPARE(time, nearestPoint(grid, division, double(time)));
            time += moved[row].operationTime + moved[row].delayTime;
        }
    }

    void snapPointsFollowTheBars()
    {
        const BeatGrid g = normalisedGrid(500, 100, 1);  // bars start at 600, 2600, ...
        QCOMPARE(nearestPoint(g, SnapDivision::Beat, 380), qint64(600));
        QCOMPARE(nearestPoint(g, SnapDivision::EverySecond, 1050), qint64(600));  // 600, 1600
        QCOMPARE(nearestPoint(g, SnapDivision::EverySecond, 1150), qint64(1600));
        QCOMPARE(nearestPoint(g, SnapDivision::EveryFourth, 1500), qint64(600));
        QCOMPARE(nearestPoint(g, SnapDivision::EveryFourth, 1700), qint64(2600));
        QCOMPARE(nearestPoint(g, SnapDivision::HalfBeat, 300), qint64(350));
        // A fractional period: points rounded to whole ms.
        const BeatGrid odd = normalisedGrid(60000.0 / 133.3, 345, 0);
        QCOMPARE(nearestPoint(odd, SnapDivision::Beat, 345 + 100 * odd.periodMs + 3),
                 qint64(std::llround(345 + 100 * odd.periodMs)));
    }

    // ---------------------------------------------------------------- the file

    void gridFileRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = beatgridfile::filePath(dir.path());
        QCOMPARE(path, dir.path() + QStringLiteral("/.robot/beatgrid"));
        beatgridfile::Record a;
        a.musicPath = QStringLiteral("/music/dance, remix; 舞曲.mp3");
        a.size = 4812345;
        a.modifiedMs = 1765000000123;
        a.grid = normalisedGrid(60000.0 / 133.3, 345.123456789, 3);
        a.minBpm = 90;
        a.maxBpm = 150.5;
        beatgridfile::Record b = a;
        b.musicPath = QStringLiteral("/music/slow.wav");
        b.grid = normalisedGrid(1000, 0.25, 0);
        QVERIFY(beatgridfile::store(path, a));
        QVERIFY(beatgridfile::store(path, b));
        QVector<beatgridfile::Record> records;
        QVERIFY(beatgridfile::read(path, &records));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].musicPath, b.musicPath);  // the newest first
        beatgridfile::Record found;
        QVERIFY(beatgridfile::find(records, a.musicPath, a.size, a.modifiedMs, &found));
        QCOMPARE(found.grid, a.grid);  // the same doubles, not rounded
        QCOMPARE(found.minBpm, 90.0);
        QCOMPARE(found.maxBpm, 150.5);
        // A changed music file has no grid.
        QVERIFY(!beatgridfile::find(records, a.musicPath, a.size + 1, a.modifiedMs, &found));
        QVERIFY(!beatgridfile::find(records, a.musicPath, a.size, a.modifiedMs + 1, &found));
        QVERIFY(!beatgridfile::find(records, QStringLiteral("/other.mp3"), a.size, a.modifiedMs, &found));
        // Storing a music file again replaces its record.
        a.grid = shiftedHalfBeat(a.grid);
        QVERIFY(beatgridfile::store(path, a));
        QVERIFY(beatgridfile::read(path, &records));
        QCOMPARE(records.size(), 2);
        QCOMPARE(records[0].grid, a.grid);
        // Lines end with CR LF; what is no record is skipped.
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray text = f.readAll();
        QVERIFY(text.contains("\r\nGRID:4812345,1765000000123,"));
        const QVector<beatgridfile::Record> parsed = beatgridfile::parse(
            text + "GRID:1,2,0,0,0,60,180,/zero-period.mp3;\r\nGRID:1,2,500,600,0,60,180,/first-past.mp3;\r\n"
                   "GRID:1,2,500,1,4,60,180,/bar-4.mp3;\r\nGRID:1,2,500,1,0,60,180,;\r\nGRID:x,2,500,1,0,60,180,/x;\r\n"
                   "GRID:1,2,500,1,0,60,180,/no-end\r\n");
        QCOMPARE(parsed.size(), 2);
    }

    void gridFileKeepsWhatItCannotRead()
    {
        QTemporaryDir dir;
        // A folder where the file should be: it cannot be read, and storing
        // leaves it.
        const QString path = dir.filePath(QStringLiteral("beatgrid"));
        QVERIFY(QDir().mkpath(path));
        QVector<beatgridfile::Record> records;
        QString error;
        QVERIFY(!beatgridfile::read(path, &records, &error));
        QVERIFY(!error.isEmpty());
        beatgridfile::Record r;
        r.musicPath = QStringLiteral("/a.mp3");
        r.grid = normalisedGrid(500, 0);
        QVERIFY(!beatgridfile::store(path, r, &error));
        QVERIFY(QFileInfo(path).isDir());
        // A missing file is an empty list.
        QVERIFY(beatgridfile::read(dir.filePath(QStringLiteral("none")), &records));
        QVERIFY(records.isEmpty());
    }

    void gridFileKeepsAtMostItsLimit()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("g"));
        beatgridfile::Record r;
        r.grid = normalisedGrid(500, 0);
        for (int i = 0; i < beatgridfile::MaxRecords + 5; ++i) {
            r.musicPath = QStringLiteral("/m%1.mp3").arg(i);
            QVERIFY(beatgridfile::store(path, r));
        }
        QVector<beatgridfile::Record> records;
        QVERIFY(beatgridfile::read(path, &records));
        QCOMPARE(records.size(), beatgridfile::MaxRecords);
        QCOMPARE(records.first().musicPath, QStringLiteral("/m%1.mp3").arg(beatgridfile::MaxRecords + 4));
    }
};

QTEST_GUILESS_MAIN(TestBeats)
#include "tst_beats.moc"
