// Easing baked into frames: the curves against their closed forms, the split
// of a move's time into whole milliseconds, the frames a plan adds and what
// stays on the frame eased, how closely the steps follow the curve; and the
// curves view's time axis.

#include <QtTest>

#include "motion/curvetimeline.h"
#include "motion/easing.h"
#include "motion/frametable.h"

using namespace easing;
using namespace frametable;

Q_DECLARE_METATYPE(easing::Curve)

namespace {

Values frame(int angle, int operation, int delay = 0)
{
    Values v{};
    for (int c = 0; c < ServoCount; ++c)
        v[size_t(c)] = angle;
    v[ColOperationTime] = operation;
    v[ColDelayTime] = delay;
    return v;
}

int sumOfTimes(const Plan &p, const QVector<Values> &frames, int row)
{
    for (const Move &move : p.moves) {
        if (move.row != row)
            continue;
        int sum = move.lastStepMs;
        for (const Values &step : move.steps)
            sum += step[ColOperationTime];
        Q_UNUSED(frames)
        return sum;
    }
    return -1;
}

} // namespace

class TestEasing : public QObject
{
    Q_OBJECT

private slots:
    // ---- curve shapes

    void shapesMatchClosedForms_data()
    {
        QTest::addColumn<Curve>("curve");
        QTest::addColumn<double>("t");
        QTest::addColumn<double>("expected");
        // Values worked out by hand from each curve's formula.
        QTest::newRow("linear 0.3") << Curve::Linear << 0.3 << 0.3;
        QTest::newRow("ease in 0.5") << Curve::EaseIn << 0.5 << 0.25;
        QTest::newRow("ease in 0.1") << Curve::EaseIn << 0.1 << 0.01;
        QTest::newRow("ease out 0.5") << Curve::EaseOut << 0.5 << 0.75;
        QTest::newRow("ease out 0.9") << Curve::EaseOut << 0.9 << 0.99;
        QTest::newRow("smoothstep 0.25") << Curve::Smoothstep << 0.25 << 0.15625;
        QTest::newRow("smoothstep 0.5") << Curve::Smoothstep << 0.5 << 0.5;
        QTest::newRow("smoothstep 0.75") << Curve::Smoothstep << 0.75 << 0.84375;
        QTest::newRow("cubic 0.25") << Curve::CubicInOut << 0.25 << 0.0625;
        QTest::newRow("cubic 0.5") << Curve::CubicInOut << 0.5 << 0.5;
        QTest::newRow("cubic 0.75") << Curve::CubicInOut << 0.75 << 0.9375;
        QTest::newRow("cubic 0.9") << Curve::CubicInOut << 0.9 << 0.996;
        // Outside [0, 1] the curve holds its ends.
        QTest::newRow("ease in below 0") << Curve::EaseIn << -0.5 << 0.0;
        QTest::newRow("ease out above 1") << Curve::EaseOut << 1.5 << 1.0;
    }
    void shapesMatchClosedForms()
    {
        QFETCH(Curve, curve);
        QFETCH(double, t);
        QFETCH(double, expected);
        QVERIFY2(qAbs(shape(curve, t) - expected) < 1e-12, qPrintable(QString::number(shape(curve, t), 'g', 17)));
    }

    void everyCurveRunsFromZeroToOneWithoutGoingBack()
    {
        for (int i = 0; i < CurveCount; ++i) {
            const Curve curve = Curve(i);
            QCOMPARE(shape(curve, 0.0), 0.0);
            QCOMPARE(shape(curve, 1.0), 1.0);
            double before = 0.0;
            for (int k = 1; k <= 1000; ++k) {
                const double value = shape(curve, k / 1000.0);
                QVERIFY2(value >= before, qPrintable(curveName(curve)));
                before = value;
            }
            // The in-out curves are point-symmetric about the middle; ease
            // out is ease in turned about.
            if (curve == Curve::Smoothstep || curve == Curve::CubicInOut || curve == Curve::Linear)
                for (double t : {0.1, 0.2, 0.37, 0.49})
                    QVERIFY(qAbs(shape(curve, 1.0 - t) - (1.0 - shape(curve, t))) < 1e-12);
        }
        for (double t : {0.1, 0.33, 0.8})
            QVERIFY(qAbs(shape(Curve::EaseOut, t) - (1.0 - shape(Curve::EaseIn, 1.0 - t))) < 1e-12);
    }

    void curveNamesReadBack()
    {
        for (int i = 0; i < CurveCount; ++i) {
            Curve read = Curve::Linear;
            QVERIFY(curveFromName(curveName(Curve(i)), &read));
            QCOMPARE(int(read), i);
        }
        QCOMPARE(curveName(Curve::Smoothstep), QStringLiteral("smoothstep"));
        QVERIFY(!curveFromName(QStringLiteral("Smoothstep"), nullptr));
        QVERIFY(!curveFromName(QString(), nullptr));
    }

    // ---- time split

    void timeSplitAddsUpExactly_data()
    {
        QTest::addColumn<int>("total");
        QTest::addColumn<int>("n");
        QTest::newRow("1 ms, 1") << 1 << 1;
        QTest::newRow("7 ms, 1") << 7 << 1;
        QTest::newRow("7 ms, 3") << 7 << 3;
        QTest::newRow("999 ms, 8") << 999 << 8;
        QTest::newRow("999 ms, 49") << 999 << 49;
        QTest::newRow("30001 ms, 8") << 30001 << 8;
        QTest::newRow("30001 ms, 100") << 30001 << 100;
        QTest::newRow("0 ms, 4") << 0 << 4;
    }
    void timeSplitAddsUpExactly()
    {
        QFETCH(int, total);
        QFETCH(int, n);
        const QVector<int> parts = splitTime(total, n);
        QCOMPARE(parts.size(), n);
        int sum = 0;
        for (int part : parts) {
            sum += part;
            // The remainder is spread: parts differ by one millisecond at most.
            QVERIFY(part == total / n || part == total / n + 1);
        }
        QCOMPARE(sum, total);
        QVERIFY(splitTime(total, 0).isEmpty());
    }

    // ---- plans

    void planTimesAddUpToTheMoveForAwkwardTimes_data()
    {
        QTest::addColumn<int>("moveMs");
        QTest::addColumn<int>("steps");
        QTest::newRow("1 ms as it is") << 1 << 1;
        QTest::newRow("7 ms as it is") << 7 << 1;
        QTest::newRow("999 ms in 8") << 999 << 8;
        QTest::newRow("999 ms in 49") << 999 << 49;
        QTest::newRow("30001 ms in 12") << 30001 << 12;
        QTest::newRow("30001 ms in 100") << 30001 << 100;
        QTest::newRow("40 ms in 2") << 40 << 2;
    }
    void planTimesAddUpToTheMoveForAwkwardTimes()
    {
        QFETCH(int, moveMs);
        QFETCH(int, steps);
        const QVector<Values> frames{frame(0, 600, 100), frame(900, moveMs, 250)};
        const Plan p = plan(frames, {1}, Curve::Smoothstep, steps);
        QVERIFY2(p.ok(), qPrintable(faultText(p)));
        QCOMPARE(p.addedFrames(), steps - 1);
        QCOMPARE(sumOfTimes(p, frames, 1), moveMs);
        for (const Values &step : p.moves.first().steps)
            QVERIFY(step[ColOperationTime] >= (steps > 1 ? MinimumStepMs : 0));
    }

    void tooManyStepsForTheTimeAreRefusedWithTheReason_data()
    {
        QTest::addColumn<int>("moveMs");
        QTest::addColumn<int>("steps");
        QTest::addColumn<QString>("text");
        QTest::newRow("1 ms in 2") << 1 << 2
                                   << "The move into frame 2 takes 1 ms, too short for 2 steps of at least 20 ms "
                                      "each: it cannot be split.";
        QTest::newRow("7 ms in 8") << 7 << 8
                                   << "The move into frame 2 takes 7 ms, too short for 8 steps of at least 20 ms "
                                      "each: it cannot be split.";
        QTest::newRow("999 ms in 50") << 999 << 50
                                      << "The move into frame 2 takes 999 ms, too short for 50 steps of at least "
                                         "20 ms each: it allows at most 49 steps.";
        QTest::newRow("0 ms in 2") << 0 << 2
                                   << "The move into frame 2 takes 0 ms, too short for 2 steps of at least 20 ms "
                                      "each: it cannot be split.";
    }
    void tooManyStepsForTheTimeAreRefusedWithTheReason()
    {
        QFETCH(int, moveMs);
        QFETCH(int, steps);
        QFETCH(QString, text);
        const QVector<Values> frames{frame(0, 600), frame(900, moveMs)};
        const Plan p = plan(frames, {1}, Curve::EaseIn, steps);
        QCOMPARE(p.fault, Plan::MoveTooShort);
        QCOMPARE(p.faultyRow, 1);
        QVERIFY(p.moves.isEmpty());
        QCOMPARE(faultText(p), text);
    }

    void oneShortMoveRefusesTheWholeEase()
    {
        const QVector<Values> frames{frame(0, 600), frame(100, 800), frame(200, 30), frame(300, 800)};
        const Plan p = plan(frames, {3, 1, 2}, Curve::Linear, 4);
        QCOMPARE(p.fault, Plan::MoveTooShort);
        QCOMPARE(p.faultyRow, 2);
        QVERIFY(faultText(p).startsWith(QStringLiteral("The move into frame 3 takes 30 ms")));
    }

    void stepsOutsideTheirRangeAndNoMoveAreRefused()
    {
        const QVector<Values> frames{frame(0, 600), frame(100, 800)};
        QCOMPARE(plan(frames, {1}, Curve::Linear, 0).fault, Plan::StepsOutOfRange);
        QCOMPARE(plan(frames, {1}, Curve::Linear, MaximumSteps + 1).fault, Plan::StepsOutOfRange);
        QCOMPARE(faultText(plan(frames, {1}, Curve::Linear, 0)), QStringLiteral("The number of steps must be 1 to 100."));
        // The first frame has no move into it; rows outside the table are no frames.
        const Plan none = plan(frames, {0, 2, -1}, Curve::Linear, 4);
        QCOMPARE(none.fault, Plan::NoMove);
        QCOMPARE(faultText(none),
                 QStringLiteral("Choose a frame after the first: the first frame has no move into it to ease."));
        QVERIFY(plan(frames, {1}, Curve::Linear, 4).ok());
    }

    void stepPosesFollowTheCurveAndEndOnTheFramesOwnPose()
    {
        Values from = frame(0, 600);
        Values to = frame(0, 800);
        to[0] = 1000;    // head up
        to[3] = -200;    // a hand down
        to[18] = 40;     // an extra servo moves too
        const Plan p = plan({from, to}, {1}, Curve::Smoothstep, 4);
        QVERIFY(p.ok());
        const QVector<Values> &steps = p.moves.first().steps;
        QCOMPARE(steps.size(), 3);
        // Steps end at 200, 400 and 600 ms of 800: smoothstep 0.15625, 0.5, 0.84375.
        QCOMPARE(steps[0][0], 156);
        QCOMPARE(steps[1][0], 500);
        QCOMPARE(steps[2][0], 844);
        QCOMPARE(steps[0][3], -31);
        QCOMPARE(steps[1][3], -100);
        QCOMPARE(steps[2][3], -169);
        QCOMPARE(steps[1][18], 20);
        QCOMPARE(steps[1][1], 0);  // a joint that does not move stays
        QCOMPARE(p.moves.first().lastStepMs, 200);
    }

    void loopsMusicAndLedsStayOnTheFramesTheyBelongTo()
    {
        Values first = frame(0, 600, 100);
        first[ColVolume] = 40;
        first[ledBrightnessColumn(0)] = 5;
        first[ledFrequencyColumn(0)] = 1;
        Values looped = frame(300, 1000, 250);
        looped[ColLoopFlag] = LoopStart;
        looped[ColLoopTimes] = 2;
        looped[ColMusicControl] = 3;
        looped[ColMusicType] = 1;
        looped[ColMusicFolder] = 1;
        looped[ColMusicFile] = 7;
        looped[ColVolume] = 80;
        looped[ledBrightnessColumn(2)] = 10;
        Values ending = frame(-300, 500, 30);
        ending[ColLoopFlag] = LoopEnd;

        TableState table;
        for (const Values &v : {first, looped, ending})
            table.frames.append(StoredFrame(v));
        const QVector<Values> values{first, looped, ending};
        const Plan p = plan(values, {1, 2}, Curve::EaseOut, 5);
        QVERIFY(p.ok());
        QCOMPARE(p.addedFrames(), 8);
        const TableState eased = bake(table, p);
        QCOMPARE(eased.rowCount(), 11);

        // The first frame is untouched: the very same frame object.
        QVERIFY(eased.frames[0].shares(table.frames[0]));
        // Four steps, then the loop start with its loop, music, volume, LEDs and delay.
        for (int r = 1; r <= 4; ++r) {
            QCOMPARE(eased.value(r, ColLoopFlag), LoopNone);
            QCOMPARE(eased.value(r, ColLoopTimes), 0);
            QCOMPARE(eased.value(r, ColMusicControl), 0);
            QCOMPARE(eased.value(r, ColMusicFile), 0);
            QCOMPARE(eased.value(r, ColDelayTime), 0);
            QCOMPARE(eased.value(r, ColVolume), 40);                  // in force during the move
            QCOMPARE(eased.value(r, ledBrightnessColumn(0)), 5);
            QCOMPARE(eased.value(r, ledFrequencyColumn(0)), 1);
            QCOMPARE(eased.value(r, ledBrightnessColumn(2)), 0);
            QCOMPARE(eased.value(r, ColOperationTime), 200);
        }
        QCOMPARE(eased.value(5, ColLoopFlag), LoopStart);
        QCOMPARE(eased.value(5, ColLoopTimes), 2);
        QCOMPARE(eased.value(5, ColMusicControl), 3);
        QCOMPARE(eased.value(5, ColMusicType), 1);
        QCOMPARE(eased.value(5, ColMusicFolder), 1);
        QCOMPARE(eased.value(5, ColMusicFile), 7);
        QCOMPARE(eased.value(5, ColVolume), 80);
        QCOMPARE(eased.value(5, ledBrightnessColumn(2)), 10);
        QCOMPARE(eased.value(5, ColDelayTime), 250);
        QCOMPARE(eased.value(5, ColOperationTime), 200);
        QCOMPARE(eased.value(5, 0), 300);
        // The move into the loop end is eased from the loop start's pose, its
        // steps inside the loop, the end mark on its own frame.
        for (int r = 6; r <= 9; ++r) {
            QCOMPARE(eased.value(r, ColLoopFlag), LoopNone);
            QCOMPARE(eased.value(r, ColVolume), 80);
            QCOMPARE(eased.value(r, ledBrightnessColumn(2)), 10);
            QVERIFY(eased.value(r, 0) < 300 && eased.value(r, 0) > -300);
        }
        QCOMPARE(eased.value(10, ColLoopFlag), LoopEnd);
        QCOMPARE(eased.value(10, ColDelayTime), 30);
        QCOMPARE(eased.value(10, 0), -300);
        int sum = 0;
        for (int r = 6; r <= 10; ++r)
            sum += eased.value(r, ColOperationTime);
        QCOMPARE(sum, 500);
    }

    void fileRowsKeepTheirCellsAndTakeNumbersForNewFrames()
    {
        FrameCells first;
        FrameCells second;
        for (int c = 0; c < ColumnCount; ++c) {
            first[size_t(c)] = 0;
            second[size_t(c)] = 0;
        }
        first[ColOperationTime] = QStringLiteral("600");
        second[0] = QStringLiteral("900");
        second[ColOperationTime] = QStringLiteral("999");
        const FrameRows rows{first, second};
        const QVector<Values> values{frame(0, 600), [] { Values v{}; v[0] = 900; v[ColOperationTime] = 999; return v; }()};
        const Plan p = plan(values, {1}, Curve::Linear, 3);
        const FrameRows eased = bake(rows, p);
        QCOMPARE(eased.size(), 4);
        QCOMPARE(eased[0][ColOperationTime].toString(), QStringLiteral("600"));
        QCOMPARE(eased[3][0].toString(), QStringLiteral("900"));
        QCOMPARE(cellInt(eased[1][ColOperationTime]) + cellInt(eased[2][ColOperationTime])
                     + cellInt(eased[3][ColOperationTime]),
                 999);
        QCOMPARE(cellInt(eased[1][0]), 300);
        QCOMPARE(cellInt(eased[2][0]), 600);
    }

    // ---- how closely the steps follow the curve

    void smoothstepInEightStepsStaysWithinOnePointOnePercent()
    {
        for (int moveMs : {999, 1000, 600, 30001})
            for (int amplitude : {1000, -2400})
                QVERIFY2(maxDeviationPercent(Curve::Smoothstep, 8, amplitude, moveMs) <= 1.1,
                         qPrintable(QString::number(maxDeviationPercent(Curve::Smoothstep, 8, amplitude, moveMs))));
        // More steps follow more closely; linear needs none.
        QVERIFY(maxDeviationPercent(Curve::Smoothstep, 12, 1000, 1000)
                < maxDeviationPercent(Curve::Smoothstep, 4, 1000, 1000));
        QVERIFY(maxDeviationPercent(Curve::Linear, 4, 1000, 1000) <= 0.05);
        // A single step is the straight move: ease in then strays by a quarter.
        QVERIFY(qAbs(maxDeviationPercent(Curve::EaseIn, 1, 1000, 1000) - 25.0) < 0.01);
    }

    // ---- the curves view's time axis

    void timelinePlacesFramesAndMarksLoops()
    {
        QVector<frameinfo::RowTiming> rows(5);
        const int times[5][2] = {{600, 100}, {300, 50}, {200, 0}, {400, 20}, {100, 10}};
        for (int r = 0; r < 5; ++r) {
            rows[r].operationTime = times[r][0];
            rows[r].delayTime = times[r][1];
        }
        rows[1].loopFlag = 1;
        rows[1].loopTimes = 2;
        rows[3].loopFlag = 2;
        rows[4].loopFlag = 2;  // no loop open: not marked
        const curvetimeline::Timeline t = curvetimeline::build(rows);
        QCOMPARE(t.start, (QVector<qint64>{0, 700, 1050, 1250, 1670}));
        QCOMPARE(t.reach, (QVector<qint64>{0, 1000, 1250, 1650, 1770}));
        QCOMPARE(t.end, (QVector<qint64>{700, 1050, 1250, 1670, 1780}));
        QCOMPARE(t.total(), 1780);
        QCOMPARE(t.loops.size(), 1);
        QCOMPARE(t.loops[0].startRow, 1);
        QCOMPARE(t.loops[0].endRow, 3);
        QCOMPARE(t.loops[0].passes, 3);
        QCOMPARE(t.loops[0].from, 700);
        QCOMPARE(t.loops[0].to, 1670);

        QCOMPARE(curvetimeline::nearestRow(t, -50), 0);
        QCOMPARE(curvetimeline::nearestRow(t, 400), 0);
        QCOMPARE(curvetimeline::nearestRow(t, 600), 1);
        QCOMPARE(curvetimeline::nearestRow(t, 1200), 2);
        QCOMPARE(curvetimeline::nearestRow(t, 99999), 4);
        QCOMPARE(curvetimeline::nearestRow(curvetimeline::Timeline(), 10), -1);

        QCOMPARE(curvetimeline::positionAt(t, 0, 250), 250);
        QCOMPARE(curvetimeline::positionAt(t, 2, 120), 1170);
        QCOMPARE(curvetimeline::positionAt(t, 2, 5000), 1250);  // held within its frame
        QCOMPARE(curvetimeline::positionAt(t, 9, 0), 0);
    }
};

QTEST_APPLESS_MAIN(TestEasing)
#include "tst_easing.moc"
