// The preview's stepper on its own: the order in which frames play with loops
// expanded (nested, at row 0, unmatched), the time each frame takes, the
// linear moves, music events, start / pause / resume / stop, and the loop check
// of the robot download. Random motions always end, with finite angles.

#include <QtTest>
#include <QRandomGenerator>

#include <cmath>

#include "link/playback.h"

using namespace playback;

namespace {

// A motion as rows of 46 integers; frames are built by the helpers below.
struct Motion {
    QVector<QVector<int>> rows;

    Frames frames() const
    {
        Frames f;
        f.count = rows.size();
        f.cell = [this](int row, int column) { return rows.value(row).value(column); };
        return f;
    }
    // Appends a frame: times, loop flag and times, music control, volume.
    Motion &frame(int operation, int delay, int loopFlag = 0, int loopTimes = 0, int music = 0, int volume = 0)
    {
        QVector<int> row(46, 0);
        row[19] = operation;
        row[20] = delay;
        row[21] = loopFlag;
        row[22] = loopTimes;
        row[23] = music;
        row[27] = volume;
        rows << row;
        return *this;
    }
};

// Loop marks as a short text: "." none, "s<L>" start with L times, "e" end.
Motion motionOf(const QString &marks, int operation = 20, int delay = 10)
{
    Motion m;
    for (const QString &mark : marks.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (mark.startsWith(QLatin1Char('s')))
            m.frame(operation, delay, 1, mark.mid(1).toInt());
        else if (mark == QLatin1String("e"))
            m.frame(operation, delay, 2);
        else
            m.frame(operation, delay);
    }
    return m;
}

struct Run {
    QVector<int> visited;  // rows in the order they became current
    QVector<int> faults;   // frame numbers of loop warnings
    int ticks = 0;
    bool ended = false;
};

// Plays the motion to its end (at most maxTicks), following the selections
// as the window does.
Run play(const Motion &m, float *angles, Stepper &stepper, int maxTicks = 200000)
{
    Run run;
    const Frames f = m.frames();
    stepper.start(f, angles);
    int current = 0;
    run.visited << 0;
    while (run.ticks < maxTicks && stepper.state() == Playing) {
        const TickResult r = stepper.tick(f, current, angles);
        ++run.ticks;
        if (r.select >= 0) {
            current = r.select;
            run.visited << current;
        }
        if (r.loopFault)
            run.faults << r.loopFault;
        if (r.ended)
            run.ended = true;
    }
    return run;
}

QVector<int> ints(const QString &text)
{
    QVector<int> v;
    for (const QString &part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        v << part.toInt();
    return v;
}

} // namespace

class TestPlaybackStepper : public QObject
{
    Q_OBJECT

private slots:
    void frameOrder_data()
    {
        QTest::addColumn<QString>("marks");
        QTest::addColumn<QString>("visited");
        QTest::addColumn<QString>("faults");
        QTest::newRow("plain") << ". . ." << "0 1 2" << "";
        QTest::newRow("loop 1-3 twice more") << ". s2 . e ." << "0 1 2 3 1 2 3 1 2 3 4" << "";
        QTest::newRow("loop times 0") << ". s0 . e ." << "0 1 2 3 4" << "";
        QTest::newRow("negative loop times") << ". s-3 e ." << "0 1 2 3" << "";
        QTest::newRow("loop from row 0") << "s1 . e ." << "0 1 2 0 1 2 3" << "";
        QTest::newRow("nested") << ". s1 s1 e e ." << "0 1 2 3 2 3 4 1 2 3 2 3 4 5" << "";
        QTest::newRow("end without start") << ". . e ." << "0 1 2 3" << "3";
        QTest::newRow("start left open") << ". s1 ." << "0 1 2" << "3";
        QTest::newRow("start on the last frame") << ". s1" << "0 1" << "2";
        QTest::newRow("end in first frame") << "e ." << "0 1" << "";
        QTest::newRow("single end frame") << "e" << "0" << "";
    }
    void frameOrder()
    {
        QFETCH(QString, marks);
        QFETCH(QString, visited);
        QFETCH(QString, faults);
        Stepper stepper;
        float angles[kModelJoints] = {};
        const Run run = play(motionOf(marks), angles, stepper);
        QCOMPARE(run.visited, ints(visited));
        QCOMPARE(run.faults, ints(faults));
        QVERIFY(run.ended);
        QCOMPARE(stepper.state(), Stopped);
        QVERIFY(stepper.loopStack().isEmpty());
    }

    // Each phase lasts its time rounded up to whole ticks, and at least one.
    void timing_data()
    {
        QTest::addColumn<QVector<int>>("times");  // operation, delay, operation, delay ...
        QTest::addColumn<int>("ticks");
        QTest::newRow("round times") << QVector<int>{100, 50, 200, 0} << 10 + 5 + 20 + 1;
        QTest::newRow("odd times") << QVector<int>{15, 1, 0, 0, 30, 9} << 2 + 1 + 1 + 1 + 3 + 1;
        QTest::newRow("negative times") << QVector<int>{-5, -5, -100, 20} << 1 + 1 + 1 + 2;
    }
    void timing()
    {
        QFETCH(QVector<int>, times);
        QFETCH(int, ticks);
        Motion m;
        for (int i = 0; i + 1 < times.size(); i += 2)
            m.frame(times[i], times[i + 1]);
        Stepper stepper;
        float angles[kModelJoints] = {};
        QCOMPARE(play(m, angles, stepper).ticks, ticks);
    }

    // The first frame is held; the next moves linearly in its operation time
    // and ends exactly on its pose; the extra servos are never written.
    void linearMove()
    {
        Motion m;
        m.frame(30, 0).frame(100, 20).frame(0, 0);
        m.rows[0][0] = 100;   // head 10 degrees
        m.rows[0][16] = -50;  // servo 18
        m.rows[1][0] = 200;
        m.rows[1][16] = 50;
        m.rows[2][0] = -300;
        m.rows[1][17] = m.rows[1][18] = 999;
        const Frames f = m.frames();
        float angles[kModelJoints + 2] = {};
        angles[17] = angles[18] = 42.0f;
        Stepper stepper;
        QVERIFY(stepper.start(f, angles).started);
        QCOMPARE(angles[0], 10.0f);
        QCOMPARE(angles[16], -5.0f);
        int current = 0;
        for (int i = 0; i < 4; ++i) {  // 3 ticks moving (standing), 1 delaying
            const TickResult r = stepper.tick(f, current, angles);
            QCOMPARE(angles[0], 10.0f);
            if (r.select >= 0)
                current = r.select;
        }
        QCOMPARE(current, 1);
        QCOMPARE(stepper.increments()[0], 1.0f);   // 10 degrees in 10 ticks
        QCOMPARE(stepper.increments()[16], 1.0f);
        for (int k = 1; k <= 10; ++k) {
            stepper.tick(f, current, angles);
            QVERIFY(qAbs(angles[0] - (10.0f + k)) < 1e-4f);
        }
        QCOMPARE(angles[0], 20.0f);
        QCOMPARE(stepper.phase(), Delaying);
        QCOMPARE(angles[16], 5.0f);
        for (int i = 0; i < 2; ++i)
            if (stepper.tick(f, current, angles).select >= 0)
                current = 2;
        QCOMPARE(current, 2);
        // No operation time: no steps (and no division by zero), the pose on the first tick.
        for (int i = 0; i < kModelJoints; ++i)
            QVERIFY(std::isfinite(stepper.increments()[i]) && stepper.increments()[i] == 0.0f);
        stepper.tick(f, current, angles);
        QCOMPARE(angles[0], -30.0f);
        QCOMPARE(angles[17], 42.0f);
        QCOMPARE(angles[18], 42.0f);
    }

    void musicEvents()
    {
        Motion m;
        m.frame(0, 0, 0, 0, 3, 40).frame(0, 0, 0, 0, 1).frame(0, 0, 0, 0, 3, 70).frame(0, 0, 0, 0, 2)
            .frame(0, 0, 0, 0, 9);
        const Frames f = m.frames();
        float angles[kModelJoints] = {};
        Stepper stepper;
        const StartResult s = stepper.start(f, angles);
        QCOMPARE(s.music, int(MusicPlay));
        QCOMPARE(s.volume, 40);
        QVector<int> music;
        QVector<int> volumes;
        int current = 0;
        while (stepper.state() == Playing) {
            const TickResult r = stepper.tick(f, current, angles);
            if (r.select >= 0) {
                current = r.select;
                music << r.music;
                volumes << r.volume;
            }
        }
        QCOMPARE(music, (QVector<int>{MusicPause, MusicPlay, MusicStop, MusicNone}));
        QCOMPARE(volumes, (QVector<int>{0, 70, 0, 0}));
    }

    void startPauseStop()
    {
        Motion m = motionOf("s3 . e .", 50, 50);
        m.rows[2][0] = 300;
        const Frames f = m.frames();
        float angles[kModelJoints] = {};
        Stepper stepper;

        // Nothing to play, and pausing a stopped preview, change nothing.
        QVERIFY(!stepper.start(Motion().frames(), angles).started);
        stepper.pause();
        QCOMPARE(stepper.state(), Stopped);

        const StartResult s = stepper.start(f, angles);
        QVERIFY(s.started && !s.resumed && !s.loopEndFirst);
        QCOMPARE(stepper.loopStack(), (QVector<int>{0, 3}));
        QVERIFY(!stepper.start(f, angles).started);  // already playing
        for (int i = 0; i < 7; ++i)
            stepper.tick(f, 0, angles);
        QCOMPARE(stepper.phase(), Delaying);
        QCOMPARE(stepper.elapsed(), 20);

        stepper.pause();
        QCOMPARE(stepper.state(), Paused);
        QCOMPARE(stepper.tick(f, 0, angles).select, -1);
        QCOMPARE(stepper.elapsed(), 20);
        const StartResult resumed = stepper.start(f, angles);
        QVERIFY(resumed.resumed && !resumed.started);
        QCOMPARE(stepper.state(), Playing);
        QCOMPARE(stepper.elapsed(), 20);

        stepper.stop();
        QCOMPARE(stepper.state(), Stopped);
        QCOMPARE(stepper.loopStack(), (QVector<int>{0, 3}));  // kept until the next start
        angles[0] = 77.0f;
        QVERIFY(stepper.start(f, angles).started);
        QCOMPARE(angles[0], 0.0f);
        QCOMPARE(stepper.elapsed(), 0);
        QCOMPARE(stepper.phase(), Moving);
    }

    // A current row outside the motion (frames removed meanwhile) ends the playback.
    void currentOutsideEnds_data()
    {
        QTest::addColumn<int>("current");
        QTest::newRow("none") << -1;
        QTest::newRow("past the end") << 2;
    }
    void currentOutsideEnds()
    {
        QFETCH(int, current);
        const Motion m = motionOf(". .");
        float angles[kModelJoints] = {};
        Stepper stepper;
        stepper.start(m.frames(), angles);
        QVERIFY(stepper.tick(m.frames(), current, angles).ended);
        QCOMPARE(stepper.state(), Stopped);
    }

    void loopScan_data()
    {
        QTest::addColumn<QString>("marks");
        QTest::addColumn<int>("starts");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("startRow");
        QTest::addColumn<int>("endRow");
        QTest::addColumn<int>("loopTimes");
        QTest::newRow("none") << ". . ." << 0 << true << 0 << 0 << 0;
        QTest::newRow("one loop") << ". s4 . e ." << 1 << true << 1 << 3 << 4;
        QTest::newRow("loop from row 0") << "s2 e" << 1 << true << 0 << 1 << 2;
        QTest::newRow("start only") << ". s4 ." << 1 << false << 1 << 0 << 4;
        QTest::newRow("end only") << ". e" << 0 << false << 0 << 1 << 0;
        QTest::newRow("end before start") << "e s1 ." << 1 << false << 1 << 0 << 1;
        QTest::newRow("two ends") << "s1 e e" << 1 << false << 0 << 2 << 1;
        QTest::newRow("two loops") << "s1 e s2 e" << 2 << false << 2 << 1 << 2;
    }
    void loopScan()
    {
        QFETCH(QString, marks);
        QFETCH(int, starts);
        QFETCH(bool, valid);
        QFETCH(int, startRow);
        QFETCH(int, endRow);
        QFETCH(int, loopTimes);
        const Motion m = motionOf(marks);
        QCOMPARE(countLoopStarts(m.frames()), starts);
        const LoopScan scan = scanLoops(m.frames());
        QCOMPARE(scan.valid, valid);
        if (valid) {
            QCOMPARE(scan.startRow, startRow);
            QCOMPARE(scan.endRow, endRow);
            QCOMPARE(scan.loopTimes, loopTimes);
        }
    }

    // Motions read from files may carry any marks and times: every one ends,
    // and the model's angles stay finite.
    void randomMotionsEnd()
    {
        QRandomGenerator rng(20261207);
        for (int round = 0; round < 300; ++round) {
            Motion m;
            const int n = 1 + int(rng.bounded(10));
            for (int r = 0; r < n; ++r) {
                m.frame(int(rng.bounded(-20, 60)), int(rng.bounded(-20, 40)), int(rng.bounded(-1, 4)),
                        int(rng.bounded(-2, 4)), int(rng.bounded(-1, 5)), int(rng.bounded(0, 101)));
                for (int c = 0; c < 19; ++c)
                    m.rows[r][c] = int(rng.bounded(-3000, 3001));
            }
            Stepper stepper;
            float angles[kModelJoints] = {};
            const Run run = play(m, angles, stepper, 1000000);
            QVERIFY2(run.ended, qPrintable(QStringLiteral("round %1 did not end").arg(round)));
            for (float a : angles)
                QVERIFY(std::isfinite(a) && qAbs(a) <= 300.0f);
        }
    }
};

QTEST_APPLESS_MAIN(TestPlaybackStepper)
#include "tst_playback.moc"
