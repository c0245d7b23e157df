// The preview's stepper on its own: the order in which frames play with loops
// expanded (nested, at row 0, unmatched), when each frame starts on the
// preview clock however the steps come (regular, late, irregular, bunched),
// in agreement with the frame info's times, the linear moves, music events
// and where the music is, start / pause / resume / stop, and the loop check
// of the robot download. Random motions always end, with finite angles.
#include <QtTest>
#include <QRandomGenerator>

#include <cmath>

#include "playback/stepper.h"
#include "motion/frameinfo.h"

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

// When the steps come: the times (ms of the caller's clock) of the steps
// after a start at 0, as a generator of the next one.
using Steps = std::function<qint64(qint64 previous)>;

Steps regularSteps(qint64 every = kTickMs)
{
    return [every](qint64 previous) { return previous + every; };
}

struct Run {
    QVector<int> visited;   // rows in the order they became current
    QVector<qint64> at;     // the nominal start of each (preview ms)
    QVector<qint64> seenAt; // the step's time when each was reached
    QVector<qint64> before; // the previous step's time then
    QVector<int> faults;    // frame numbers of loop warnings
    int ticks = 0;
    qint64 endedAt = -1;    // the step's time when the playback ended
    qint64 endBefore = -1;  // the step before it
    bool ended = false;
};

// Plays the motion to its end (at most maxTicks steps), following the
// selections as the window does.
Run play(const Motion &m, float *angles, Stepper &stepper, const Steps &steps = regularSteps(),
         int maxTicks = 200000)
{
    Run run;
    const Frames f = m.frames();
    qint64 now = 0;
    stepper.start(f, angles, now);
    int current = 0;
    run.visited << 0;
    run.at << 0;
    run.seenAt << 0;
    run.before << 0;
    while (run.ticks < maxTicks && stepper.state() == Playing) {
        const qint64 previous = now;
        now = steps(now);
        const TickResult r = stepper.tick(f, current, angles, now);
        ++run.ticks;
        for (const Reached &reached : r.reached) {
            run.visited << reached.row;
            run.at << reached.at;
            run.seenAt << now;
            run.before << previous;
        }
        if (r.select >= 0)
            current = r.select;
        run.faults += r.loopFaults;
        if (r.ended) {
            run.ended = true;
            run.endedAt = now;
            run.endBefore = previous;
        }
    }
    return run;
}

// The frame info's time of the end of each row on its first pass.
qint64 frameInfoEnd(const Motion &m, int row)
{
    QVector<frameinfo::RowTiming> rows;
    for (const QVector<int> &r : m.rows)
        rows.append({r[19], r[20], r[21], r[22]});
    return frameinfo::playTimes(rows, row).firstTimeHere;
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

    // Every frame starts when the times of the frames before it have passed
    // (negative times take none), and the playback ends when the last frame's
    // times have passed: on the first step at or after that moment, however
    // the steps come.
    void framesStartOnTime_data()
    {
        QTest::addColumn<QVector<int>>("times");  // operation, delay, operation, delay ...
        QTest::addColumn<QString>("steps");
        const QVector<int> round{100, 50, 200, 0, 30, 70};
        const QVector<int> odd{15, 1, 0, 0, 30, 9, 0, 0, 0, 0, 7, 3};
        const QVector<int> negative{-5, -5, -100, 20, 40, -10};
        for (const QString &steps : {QStringLiteral("regular"), QStringLiteral("late"), QStringLiteral("irregular"),
                                     QStringLiteral("bunched"), QStringLiteral("one late step")}) {
            QTest::newRow(qPrintable(QStringLiteral("round times, ") + steps)) << round << steps;
            QTest::newRow(qPrintable(QStringLiteral("odd times, ") + steps)) << odd << steps;
            QTest::newRow(qPrintable(QStringLiteral("negative times, ") + steps)) << negative << steps;
        }
    }
    void framesStartOnTime()
    {
        QFETCH(QVector<int>, times);
        QFETCH(QString, steps);
        Motion m;
        for (int i = 0; i + 1 < times.size(); i += 2)
            m.frame(times[i], times[i + 1]);
        Steps next = regularSteps();
        QRandomGenerator rng(7);
        if (steps == QLatin1String("late"))
            next = regularSteps(37);
        else if (steps == QLatin1String("irregular"))
            next = [&rng](qint64 previous) { return previous + rng.bounded(1, 60); };
        else if (steps == QLatin1String("bunched"))  // five steps at once, then a gap
            next = [n = 0](qint64 previous) mutable { return previous + (++n % 5 == 0 ? 45 : 0); };
        else if (steps == QLatin1String("one late step"))  // the window stalls once
            next = [](qint64 previous) { return previous == 20 ? previous + 260 : previous + kTickMs; };

        Stepper stepper;
        float angles[kModelJoints] = {};
        const Run run = play(m, angles, stepper, next);
        QCOMPARE(run.visited, ints(QStringLiteral("0 1 2 3 4 5").left(2 * m.rows.size() - 1)));
        const bool negativeTimes = std::any_of(times.begin(), times.end(), [](int t) { return t < 0; });
        qint64 nominal = 0;
        for (int row = 0; row < m.rows.size(); ++row) {
            if (row > 0)
                nominal += qMax(0, m.rows[row - 1][19]) + qMax(0, m.rows[row - 1][20]);
            QCOMPARE(run.at[row], nominal);
            if (row > 0 && !negativeTimes)  // the frame info's time of the frame before it ending
                QCOMPARE(run.at[row], frameInfoEnd(m, row - 1));
            // Reached on the first step at or after its start (frames that
            // start with the playback on the first step).
            QVERIFY2(run.seenAt[row] >= nominal && (row == 0 || run.before[row] < qMax<qint64>(nominal, 1)),
                     qPrintable(QStringLiteral("row %1 seen at %2 (step before %3), starts at %4")
                                    .arg(row).arg(run.seenAt[row]).arg(run.before[row]).arg(nominal)));
        }
        const qint64 end = nominal + qMax(0, m.rows.last()[19]) + qMax(0, m.rows.last()[20]);
        QVERIFY(run.ended);
        QVERIFY2(run.endedAt >= end && run.endBefore < end,
                 qPrintable(QStringLiteral("ended at %1 (step before %2), nominal end %3")
                                .arg(run.endedAt).arg(run.endBefore).arg(end)));
        QCOMPARE(stepper.clock(), run.endedAt);
    }

    // The frame starts agree with the frame info's times, loops included:
    // the end of the playback is the frame info's last time of the last row.
    void agreesWithFrameInfo()
    {
        Motion m;
        m.frame(120, 30).frame(200, 40, 1, 2).frame(70, 0).frame(0, 90, 2).frame(310, 5);
        Stepper stepper;
        float angles[kModelJoints] = {};
        const Run run = play(m, angles, stepper, regularSteps(23));
        QCOMPARE(run.visited, ints(QStringLiteral("0 1 2 3 1 2 3 1 2 3 4")));
        for (int row = 1; row <= 4; ++row)  // the first pass
            QCOMPARE(run.at[row], frameInfoEnd(m, row - 1));
        QVector<frameinfo::RowTiming> rows;
        for (const QVector<int> &r : m.rows)
            rows.append({r[19], r[20], r[21], r[22]});
        const qint64 end = frameinfo::playTimes(rows, 4).lastTimeHere;
        QCOMPARE(end, 150 + 3 * (240 + 70 + 90) + 315);
        QCOMPARE(run.at.last() + 315, end);
        QVERIFY(run.endedAt >= end && run.endBefore < end);
    }

    // The first frame is held; the next moves linearly in its operation time,
    // in the time that passed, and ends exactly on its pose; the extra servos
    // are never written.
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
        QVERIFY(stepper.start(f, angles, 1000).started);
        QCOMPARE(angles[0], 10.0f);
        QCOMPARE(angles[16], -5.0f);
        int current = 0;
        for (qint64 now : {1010, 1020, 1029}) {  // standing in row 0
            const TickResult r = stepper.tick(f, current, angles, now);
            QCOMPARE(angles[0], 10.0f);
            QCOMPARE(r.select, -1);
        }
        TickResult r = stepper.tick(f, current, angles, 1030);
        QCOMPARE(r.select, 1);
        current = 1;
        QCOMPARE(angles[0], 10.0f);   // row 1 starts from row 0's pose
        // Any step lands where the time says: 10 degrees in 100 ms.
        for (qint64 ms : {7, 10, 33, 34, 50, 99}) {
            stepper.tick(f, current, angles, 1030 + ms);
            QVERIFY2(qAbs(angles[0] - (10.0f + ms / 10.0f)) < 1e-4f, qPrintable(QString::number(angles[0])));
            QVERIFY(qAbs(angles[16] - (-5.0f + ms / 10.0f)) < 1e-4f);
            QCOMPARE(stepper.phase(), Moving);
        }
        stepper.tick(f, current, angles, 1130);
        QCOMPARE(angles[0], 20.0f);
        QCOMPARE(angles[16], 5.0f);
        QCOMPARE(stepper.phase(), Delaying);
        stepper.tick(f, current, angles, 1149);
        QCOMPARE(stepper.row(), 1);
        // No operation time: the pose at once (and no division by zero).
        r = stepper.tick(f, current, angles, 1150);
        QCOMPARE(r.select, 2);
        QCOMPARE(angles[0], -30.0f);
        QVERIFY(r.ended);
        QCOMPARE(angles[17], 42.0f);
        QCOMPARE(angles[18], 42.0f);
    }

    // A step late by a whole frame and more: the frames between pass, and the
    // pose is the one of the time reached, not a step further along.
    void lateStepCatchesUp()
    {
        Motion m;
        m.frame(0, 0).frame(100, 0).frame(100, 0).frame(100, 100);
        for (int r = 0; r < 4; ++r)
            m.rows[r][0] = 100 * r;
        const Frames f = m.frames();
        float angles[kModelJoints] = {};
        Stepper stepper;
        stepper.start(f, angles, 0);
        TickResult r = stepper.tick(f, 0, angles, 250);
        QCOMPARE(r.reached.size(), 3);
        QCOMPARE(r.reached[0].row, 1);
        QCOMPARE(r.reached[0].at, 0);
        QCOMPARE(r.reached[1].at, 100);
        QCOMPARE(r.reached[2].at, 200);
        QCOMPARE(r.select, 3);
        QVERIFY(qAbs(angles[0] - 25.0f) < 1e-4f);  // half-way from 20 to 30 degrees
        r = stepper.tick(f, 3, angles, 5000);
        QVERIFY(r.ended && r.reached.isEmpty());
        QCOMPARE(angles[0], 30.0f);
    }

    // Zero-time frames in huge loops do not hold the window: one step passes
    // a bounded number of frames, the next steps go on from there.
    void boundedWorkPerStep()
    {
        const Motion m = motionOf(". s30000 s30000 e e .", 0, 0);
        Stepper stepper;
        float angles[kModelJoints] = {};
        stepper.start(m.frames(), angles, 0);
        const TickResult r = stepper.tick(m.frames(), 0, angles, 10);
        QCOMPARE(r.reached.size(), kMaxFramesPerTick);
        QCOMPARE(stepper.state(), Playing);
        const TickResult again = stepper.tick(m.frames(), r.select, angles, 20);
        QCOMPARE(again.reached.size(), kMaxFramesPerTick);
    }

    void musicEvents()
    {
        Motion m;
        m.frame(10, 0, 0, 0, 3, 40).frame(10, 0, 0, 0, 1).frame(10, 0, 0, 0, 3, 70).frame(10, 0, 0, 0, 2)
            .frame(10, 0, 0, 0, 9);
        const Frames f = m.frames();
        float angles[kModelJoints] = {};
        Stepper stepper;
        const StartResult s = stepper.start(f, angles, 0);
        QCOMPARE(s.music, int(MusicPlay));
        QCOMPARE(s.volume, 40);
        QCOMPARE(s.musicPosition, 0);
        QVector<int> music;
        QVector<int> volumes;
        int current = 0;
        for (qint64 now = 10; stepper.state() == Playing; now += 10) {
            const TickResult r = stepper.tick(f, current, angles, now);
            if (r.select >= 0) {
                current = r.select;
                music << r.music;
                volumes << r.volume;
            }
        }
        QCOMPARE(music, (QVector<int>{MusicPause, MusicPlay, MusicStop, MusicNone}));
        QCOMPARE(volumes, (QVector<int>{0, 70, 0, 0}));

        // Passed in one step: the music as the last event leaves it.
        Motion quick;
        quick.frame(0, 0).frame(0, 0, 0, 0, 3, 40).frame(0, 0, 0, 0, 2).frame(0, 0, 0, 0, 3, 60).frame(0, 0);
        stepper.stop();
        stepper.start(quick.frames(), angles, 0);
        const TickResult r = stepper.tick(quick.frames(), 0, angles, 25);
        QCOMPARE(r.reached.size(), 4);
        QCOMPARE(r.music, int(MusicPlay));
        QCOMPARE(r.volume, 60);
        QCOMPARE(r.musicPosition, 25);
    }

    // Where the music is, on the preview's clock: a play-music frame starts
    // the file at 0 when it starts (a late step finds it as far in as the
    // step is late), a pause frame holds it, the next play resumes it there,
    // a stop sends it back to 0.
    void musicTimeline()
    {
        Motion m;
        m.frame(300, 0).frame(0, 500, 0, 0, 3, 70).frame(0, 200, 0, 0, 1).frame(0, 100, 0, 0, 3, 60)
            .frame(0, 100, 0, 0, 2).frame(0, 100, 0, 0, 3, 50).frame(0, 100);
        const Frames f = m.frames();
        float angles[kModelJoints] = {};
        Stepper stepper;
        const StartResult s = stepper.start(f, angles, 5000);
        QCOMPARE(s.music, int(MusicNone));  // row 0 plays no music
        QCOMPARE(stepper.musicPositionAt(5100), -1);
        TickResult r = stepper.tick(f, 0, angles, 5290);
        QCOMPARE(r.music, int(MusicNone));
        r = stepper.tick(f, 0, angles, 5312);  // the play-music frame started at 300
        QCOMPARE(r.music, int(MusicPlay));
        QCOMPARE(r.volume, 70);
        QCOMPARE(r.musicPosition, 12);
        QCOMPARE(stepper.musicPositionAt(5700), 400);
        r = stepper.tick(f, 1, angles, 5805);  // paused at 500 into the file
        QCOMPARE(r.music, int(MusicPause));
        QCOMPARE(stepper.musicPositionAt(5900), -1);
        r = stepper.tick(f, 2, angles, 6030);  // resumed at 1000: 500 + 30
        QCOMPARE(r.music, int(MusicPlay));
        QCOMPARE(r.volume, 60);
        QCOMPARE(r.musicPosition, 530);
        r = stepper.tick(f, 3, angles, 6100);
        QCOMPARE(r.music, int(MusicStop));
        r = stepper.tick(f, 4, angles, 6250);  // started again from 0 at 1200
        QCOMPARE(r.music, int(MusicPlay));
        QCOMPARE(r.musicPosition, 50);

        // Pausing the preview stops the music's time with the clock; resuming
        // gives the place it was at.
        stepper.pause(6260);
        QCOMPARE(stepper.musicPositionAt(9999), 60);
        const StartResult resumed = stepper.start(f, angles, 9000);
        QVERIFY(resumed.resumed);
        QCOMPARE(resumed.music, int(MusicPlay));
        QCOMPARE(resumed.volume, 50);
        QCOMPARE(resumed.musicPosition, 60);
        QCOMPARE(stepper.musicPositionAt(9015), 75);

        // A new start forgets the previous music: row 0 without music plays none.
        stepper.stop();
        stepper.start(f, angles, 20000);
        QCOMPARE(stepper.musicPositionAt(20100), -1);
    }

    void startPauseStop()
    {
        Motion m = motionOf("s3 . e .", 50, 50);
        m.rows[1][0] = 300;
        const Frames f = m.frames();
        float angles[kModelJoints] = {};
        Stepper stepper;

        // Nothing to play, and pausing a stopped preview, change nothing.
        QVERIFY(!stepper.start(Motion().frames(), angles, 0).started);
        stepper.pause(0);
        QCOMPARE(stepper.state(), Stopped);

        const StartResult s = stepper.start(f, angles, 1000);
        QVERIFY(s.started && !s.resumed && !s.loopEndFirst);
        QCOMPARE(stepper.loopStack(), (QVector<int>{0, 3}));
        QVERIFY(!stepper.start(f, angles, 1010).started);  // already playing
        stepper.tick(f, 0, angles, 1125);
        QCOMPARE(stepper.row(), 1);
        QCOMPARE(stepper.phase(), Moving);
        QVERIFY(qAbs(angles[0] - 15.0f) < 1e-4f);  // 25 ms of 50 toward 30 degrees

        // Paused at 1135: the clock stops there, whatever the steps say.
        stepper.pause(1135);
        QCOMPARE(stepper.state(), Paused);
        QCOMPARE(stepper.clock(), 135);
        const TickResult idle = stepper.tick(f, 1, angles, 4000);
        QVERIFY(idle.reached.isEmpty() && !idle.ended);
        QCOMPARE(stepper.clockAt(4000), 135);
        QVERIFY(qAbs(angles[0] - 15.0f) < 1e-4f);
        const StartResult resumed = stepper.start(f, angles, 5000);
        QVERIFY(resumed.resumed && !resumed.started);
        QCOMPARE(stepper.state(), Playing);
        // The clock goes on from 135: row 1's move ends at 150.
        stepper.tick(f, 1, angles, 5010);
        QCOMPARE(stepper.clock(), 145);
        QVERIFY(qAbs(angles[0] - 27.0f) < 1e-4f);
        QCOMPARE(stepper.tick(f, 1, angles, 5064).select, -1);
        QCOMPARE(stepper.tick(f, 1, angles, 5065).select, 2);
        QCOMPARE(stepper.frameStart(), 200);

        stepper.stop();
        QCOMPARE(stepper.state(), Stopped);
        QCOMPARE(stepper.loopStack(), (QVector<int>{0, 3}));  // kept until the next start
        angles[0] = 77.0f;
        QVERIFY(stepper.start(f, angles, 9000).started);
        QCOMPARE(angles[0], 0.0f);
        QCOMPARE(stepper.clock(), 0);
        QCOMPARE(stepper.row(), 0);
        QCOMPARE(stepper.phase(), Moving);
    }

    // A pause and a resume shift every later frame by exactly the pause.
    void pauseShiftsLaterFrames()
    {
        const Motion m = motionOf(". . . .", 40, 20);
        Stepper stepper;
        float angles[kModelJoints] = {};
        const Frames f = m.frames();
        stepper.start(f, angles, 0);
        int current = 0;
        QVector<qint64> seen;
        for (qint64 now = 10; stepper.state() != Stopped && now < 10000; now += 10) {
            if (now == 70)
                stepper.pause(now);
            if (now == 1070)
                stepper.start(f, angles, now);
            const TickResult r = stepper.tick(f, current, angles, now);
            for (int i = 0; i < r.reached.size(); ++i)
                seen << now;
            if (r.select >= 0)
                current = r.select;
            if (r.ended)
                seen << now;
        }
        QCOMPARE(seen, (QVector<qint64>{60, 1120, 1180, 1240}));
    }

    // Another frame chosen while playing starts at once from the model's pose.
    void chosenFrameStartsNow()
    {
        Motion m = motionOf(". . . .", 100, 0);
        m.rows[3][0] = 400;
        Stepper stepper;
        float angles[kModelJoints] = {};
        const Frames f = m.frames();
        stepper.start(f, angles, 0);
        stepper.tick(f, 0, angles, 150);
        angles[0] = 10.0f;
        TickResult r = stepper.tick(f, 3, angles, 160);
        QCOMPARE(stepper.row(), 3);
        QCOMPARE(stepper.frameStart(), 160);
        QCOMPARE(angles[0], 10.0f);
        stepper.tick(f, 3, angles, 210);
        QVERIFY(qAbs(angles[0] - 25.0f) < 1e-4f);
        r = stepper.tick(f, 3, angles, 260);
        QVERIFY(r.ended);
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
        stepper.start(m.frames(), angles, 0);
        QVERIFY(stepper.tick(m.frames(), current, angles, 10).ended);
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
            const int every = 1 + int(rng.bounded(40));
            const Run run = play(m, angles, stepper, regularSteps(every), 1000000);
            QVERIFY2(run.ended, qPrintable(QStringLiteral("round %1 did not end").arg(round)));
            for (float a : angles)
                QVERIFY(std::isfinite(a) && qAbs(a) <= 300.0f);
        }
    }
};

QTEST_APPLESS_MAIN(TestPlaybackStepper)
#include "tst_playback.moc"
