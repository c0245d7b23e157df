// The frame info: play times over loops (first and last time a frame is
// reached) and the text describing a frame. The play walk is checked against
// a plain step-by-step walk on random motions, and on huge loop counts.

#include <QtTest>
#include <QElapsedTimer>
#include <QRandomGenerator>

#include "motion/frameinfo.h"
#include "music/waveform.h"

#include <climits>

using frameinfo::FrameValues;
using frameinfo::PlayTimes;
using frameinfo::RowTiming;
using Rows = QVector<RowTiming>;

Q_DECLARE_METATYPE(Rows)
Q_DECLARE_METATYPE(FrameValues)

namespace {

// A frame of 100 ms (80 + 20) with the given loop mark.
RowTiming frame(int flag = 0, int loopTimes = 0, int operation = 80, int delay = 20)
{
    return {operation, delay, flag, loopTimes};
}

// The play walk taken one frame visit at a time, every pass walked again.
// False when it has not ended after maxSteps visits.
bool stepByStep(const Rows &rows, int current, PlayTimes *out, qint64 maxSteps = 1000000)
{
    PlayTimes t;
    bool loopStart = false;
    for (int r = 0; r <= current && r < rows.size(); ++r) {
        t.firstTimeHere += rows[r].operationTime + rows[r].delayTime;
        loopStart = loopStart || rows[r].loopFlag == 1;
    }
    if (loopStart) {
        QVector<QPair<int, int>> stack;
        int depth = 0;
        qint64 time = 0;
        int g = 0;
        bool stop = false;
        qint64 steps = 0;
        while (!stop) {
            if (++steps > maxSteps)
                return false;
            const RowTiming row = g < rows.size() ? rows[g] : RowTiming{};
            int next = -1;
            if (row.loopFlag == 1) {
                if (stack.isEmpty()) {
                    stack.append({g, row.loopTimes});
                } else {
                    const QPair<int, int> top = stack.takeLast();
                    stack.append(top);
                    if (top.first != g)
                        stack.append({g, row.loopTimes});
                }
                ++depth;
            } else if (row.loopFlag == 2) {
                if (stack.isEmpty()) {
                    stop = true;
                    t.lastTimeHere = 0;
                } else {
                    const QPair<int, int> top = stack.takeLast();
                    if (top.second >= 1) {
                        stack.append({top.first, top.second - 1});
                        next = top.first;
                    }
                }
                --depth;
            }
            if (g < rows.size()) {
                time += row.operationTime + row.delayTime;
                if (g == current)
                    t.lastTimeHere = time;
                if (g == rows.size() - 1 && (stack.isEmpty() || depth != 0))
                    stop = true;
            } else {
                t.lastTimeHere = 0;
                stop = true;
            }
            g = next != -1 ? next : g + 1;
        }
    }
    *out = t;
    return true;
}

FrameValues values(std::initializer_list<std::pair<int, int>> cells)
{
    FrameValues f{};
    for (const auto &cell : cells)
        f[cell.first] = cell.second;
    return f;
}

QString ledLines(const QStringList &nine)
{
    const QStringList names = {"led1 red", "led1 green", "led1 blue", "led2 red", "led2 green",
                               "led2 blue", "led3 red", "led3 green", "led3 blue"};
    QString text;
    for (int k = 0; k < 9; ++k) {
        const QStringList parts = nine[k].split(QLatin1Char('|'));
        text += QStringLiteral("\r\n%1 brightness = %2 % , %1 frequency = %3").arg(names[k], parts[0], parts[1]);
    }
    return text;
}

QStringList allOff()
{
    QStringList nine;
    for (int k = 0; k < 9; ++k)
        nine << QStringLiteral("0|0 Hz");
    return nine;
}

} // namespace

class TestFrameInfo : public QObject
{
    Q_OBJECT

private slots:
    void playTimes_data()
    {
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");

        QTest::newRow("no loop: only the plain sum") << Rows{frame(), frame(), frame()} << 1 << qint64(200)
                                                     << qint64(0);
        QTest::newRow("loop start after the current frame") << Rows{frame(), frame(1, 2), frame(2)} << 0
                                                            << qint64(100) << qint64(0);
        // 0 | 1 start x2 | 2 | 3 end | 4: frames 1..3 play three times.
        const Rows loop = {frame(), frame(1, 2), frame(), frame(2), frame()};
        QTest::newRow("inside a loop: end of its third pass") << loop << 2 << qint64(300) << qint64(900);
        QTest::newRow("the loop start itself") << loop << 1 << qint64(200) << qint64(800);
        QTest::newRow("the loop end itself") << loop << 3 << qint64(400) << qint64(1000);
        QTest::newRow("after the loop") << loop << 4 << qint64(500) << qint64(1100);
        QTest::newRow("loop times 0 plays once") << Rows{frame(1, 0), frame(2), frame()} << 2 << qint64(300)
                                                 << qint64(300);
        QTest::newRow("negative loop times play once") << Rows{frame(1, -5), frame(2), frame()} << 1
                                                       << qint64(200) << qint64(200);
        // Outer x1 around inner x2: 0 S1 | 1 S2 | 2 E | 3 E. Inner body 200 ms
        // plays 3 times per outer pass; outer pass = 100 + 600 + 100 = 800.
        const Rows nested = {frame(1, 1), frame(1, 2), frame(2), frame(2)};
        QTest::newRow("nested: inner end, last pass") << nested << 2 << qint64(300) << qint64(1500);
        QTest::newRow("nested: outer end") << nested << 3 << qint64(400) << qint64(1600);
        QTest::newRow("a loop end with no open loop stops the play")
            << Rows{frame(2), frame(1, 1), frame(2), frame()} << 2 << qint64(300) << qint64(0);
        QTest::newRow("the stray loop end is the current frame")
            << Rows{frame(), frame(1, 1), frame(2), frame(2), frame()} << 3 << qint64(400) << qint64(600);
        QTest::newRow("an unclosed loop ends at the last frame")
            << Rows{frame(1, 3), frame(), frame()} << 2 << qint64(300) << qint64(300);
        QTest::newRow("current beyond the frames") << Rows{frame(1, 1), frame(2)} << 5 << qint64(200)
                                                   << qint64(0);
        QTest::newRow("no current frame") << Rows{frame(1, 1), frame(2)} << -1 << qint64(0) << qint64(0);
        QTest::newRow("no frames") << Rows{} << 0 << qint64(0) << qint64(0);
        QTest::newRow("a two-frame loop, times of their own")
            << Rows{frame(1, 1, 600, 100), frame(2, 0, 300, 0)} << 0 << qint64(700) << qint64(1700);
    }
    void playTimes()
    {
        QFETCH(Rows, rows);
        QFETCH(int, current);
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        const PlayTimes t = frameinfo::playTimes(rows, current);
        QCOMPARE(t.firstTimeHere, first);
        QCOMPARE(t.lastTimeHere, last);
        PlayTimes walked;
        QVERIFY(stepByStep(rows, current, &walked));
        QCOMPARE(walked.firstTimeHere, first);
        QCOMPARE(walked.lastTimeHere, last);
    }

    // Random motions of up to 9 frames with any marks (also unbalanced ones):
    // the same times as walking every pass.
    void randomMotionsMatchTheStepByStepWalk()
    {
        QRandomGenerator random(20240611);
        int compared = 0;
        for (int round = 0; round < 20000; ++round) {
            Rows rows(int(random.bounded(1, 10)));
            for (RowTiming &r : rows) {
                const int kind = int(random.bounded(10));
                r = frame(kind < 5 ? 0 : kind < 8 ? 1 : 2, int(random.bounded(-1, 4)), int(random.bounded(0, 7)),
                          int(random.bounded(0, 3)));
            }
            const int current = int(random.bounded(-1, rows.size() + 1));
            PlayTimes expected;
            if (!stepByStep(rows, current, &expected))
                continue;
            const PlayTimes t = frameinfo::playTimes(rows, current);
            if (t.firstTimeHere != expected.firstTimeHere || t.lastTimeHere != expected.lastTimeHere) {
                QStringList marks;
                for (const RowTiming &r : rows)
                    marks << QStringLiteral("%1/%2/%3").arg(r.loopFlag).arg(r.loopTimes).arg(r.operationTime + r.delayTime);
                QFAIL(qPrintable(QStringLiteral("rows %1 current %2: %3/%4, expected %5/%6")
                                     .arg(marks.join(' ')).arg(current).arg(t.firstTimeHere).arg(t.lastTimeHere)
                                     .arg(expected.firstTimeHere).arg(expected.lastTimeHere)));
            }
            ++compared;
        }
        QVERIFY(compared > 19000);
    }

    // Loop counts as large as a file can hold cost no time, and the sums stop
    // at the largest number instead of wrapping round.
    void hugeLoopCountsReturnAtOnce()
    {
        Rows rows;
        for (int depth = 0; depth < 6; ++depth)
            rows << frame(1, 2000000000);
        for (int i = 0; i < 1000; ++i)
            rows << frame(0, 0, 30000, 30000);
        for (int depth = 0; depth < 6; ++depth)
            rows << frame(2);
        QElapsedTimer timer;
        timer.start();
        const PlayTimes t = frameinfo::playTimes(rows, 500);
        QVERIFY(timer.elapsed() < 1000);
        QCOMPARE(t.firstTimeHere, qint64(6 * 100 + 495 * 60000));
        QCOMPARE(t.lastTimeHere, std::numeric_limits<qint64>::max());

        const PlayTimes one = frameinfo::playTimes({frame(1, 2000000000), frame(2)}, 1);
        QCOMPARE(one.lastTimeHere, qint64(2000000001) * 200);
    }

    // ------------------------------------------------------------ text

    void musicStartTimes_data()
    {
        // (operation, delay, music control) per row.
        QTest::addColumn<QVector<int>>("flat");
        QTest::addColumn<QVector<qint64>>("starts");
        QTest::newRow("no music frame: no marks") << QVector<int>{100, 0, 0, 200, 50, 2}
                                                  << QVector<qint64>{-1, -1};
        QTest::newRow("music from the second frame")
            << QVector<int>{600, 100, 0, 1000, 1000, 3, 3000, 4000, 0, 700, 200, 0}
            << QVector<qint64>{-1, 0, 2000, 9000};
        QTest::newRow("first frame plays music") << QVector<int>{0, 0, 3, 250, 0, 0, 0, 10, 1}
                                                 << QVector<qint64>{0, 0, 250};
        QTest::newRow("a second music frame starts the time again")
            << QVector<int>{100, 0, 3, 200, 0, 0, 300, 0, 3, 400, 0, 0}
            << QVector<qint64>{0, 100, 0, 300};
        QTest::newRow("stop and pause do not") << QVector<int>{100, 0, 3, 200, 0, 2, 300, 0, 1, 0, 0, 0}
                                               << QVector<qint64>{0, 100, 300, 600};
        QTest::newRow("saturates") << QVector<int>{INT_MAX, INT_MAX, 3, 0, 0, 0} << QVector<qint64>{0, 4294967294LL};
        QTest::newRow("empty") << QVector<int>{} << QVector<qint64>{};
    }
    void musicStartTimes()
    {
        QFETCH(QVector<int>, flat);
        QFETCH(QVector<qint64>, starts);
        Rows rows;
        for (int i = 0; i + 2 < flat.size(); i += 3) {
            RowTiming r = frame(0, 0, flat[i], flat[i + 1]);
            r.musicControl = flat[i + 2];
            rows.append(r);
        }
        QCOMPARE(frameinfo::musicStartTimes(rows), starts);
    }

    void musicStartsAgreeWithTheDoubleClickRule()
    {
        // A frame timed by a double-click ends at the click: the next frame's
        // marker must be where the rule measures from, loops or not.
        QRandomGenerator random(7171);
        for (int round = 0; round < 200; ++round) {
            Rows rows;
            QVector<music::FrameTiming> timings;
            const int count = 1 + random.bounded(12);
            for (int r = 0; r < count; ++r) {
                RowTiming row = frame(random.bounded(3), random.bounded(4), random.bounded(3000), random.bounded(3000));
                row.musicControl = random.bounded(5) == 0 ? 3 : random.bounded(3);
                rows.append(row);
                timings.append({row.operationTime, row.delayTime, row.musicControl});
            }
            const QVector<qint64> starts = frameinfo::musicStartTimes(rows);
            for (int r = 0; r < count; ++r) {
                const music::DelayOffer offer = music::delayOffer(timings, r, 1000000000, INT_MAX);
                if (starts[r] < 0) {
                    QCOMPARE(offer.kind, music::DelayOffer::None);
                } else {
                    QVERIFY(offer.kind != music::DelayOffer::None);
                    QCOMPARE(offer.elapsed, starts[r]);
                }
            }
        }
    }

    void text_data()
    {
        QTest::addColumn<int>("current");
        QTest::addColumn<FrameValues>("frame");
        QTest::addColumn<qint64>("first");
        QTest::addColumn<qint64>("last");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain frame: six lines, then the LEDs")
            << 0 << values({{19, 600}, {20, 100}, {27, 60}}) << qint64(700) << qint64(0)
            << QStringLiteral("Frame  1\r\nOperation time = 600 ms\r\nDelay time = 100 ms\r\nThe time all = 700 ms"
                              "\r\nVolume = 60")
                   + ledLines(allOff());

        QStringList leds = allOff();
        leds[0] = QStringLiteral("70|1 Hz");
        leds[4] = QStringLiteral("100|3 Hz");
        leds[8] = QStringLiteral("50|random");
        QTest::newRow("loop start, wav from flash, LEDs")
            << 3 << values({{19, 300}, {20, 0}, {21, 1}, {22, 2}, {23, 3}, {24, 1}, {25, 1}, {26, 5}, {27, 100},
                            {28, 7}, {29, 1}, {36, 10}, {37, 3}, {44, 5}, {45, 4}})
            << qint64(1200) << qint64(2400)
            << QStringLiteral("Frame  4\r\nOperation time = 300 ms\r\nDelay time = 0 ms\r\nThe first time here = 1200"
                              " ms\r\nThe last time here = 2400 ms\r\nLoop start\r\nPlay music file (audio5.wav) in "
                              "flash.\r\nVolume = 100")
                   + ledLines(leds);

        leds = allOff();
        leds[3] = QStringLiteral("0|random");
        QTest::newRow("loop stop, mp3 from the SD card, frequency 9")
            << 9 << values({{21, 2}, {23, 3}, {26, 4095}, {34, 0}, {35, 9}}) << qint64(5) << qint64(1)
            << QStringLiteral("Frame  10\r\nOperation time = 0 ms\r\nDelay time = 0 ms\r\nThe first time here = 5 ms"
                              "\r\nThe last time here = 1 ms\r\nLoop stop\r\nPlay music file (audio4095.mp3) in SD "
                              "card.\r\nVolume = 0")
                   + ledLines(leds);
        QTest::newRow("stop music") << 1 << values({{23, 2}}) << qint64(0) << qint64(0)
                                    << QStringLiteral("Frame  2\r\nOperation time = 0 ms\r\nDelay time = 0 ms\r\n"
                                                      "The time all = 0 ms\r\nStop music\r\nVolume = 0")
                                           + ledLines(allOff());
        QTest::newRow("pause music") << 1 << values({{23, 1}}) << qint64(0) << qint64(0)
                                     << QStringLiteral("Frame  2\r\nOperation time = 0 ms\r\nDelay time = 0 ms\r\n"
                                                       "The time all = 0 ms\r\nPause music\r\nVolume = 0")
                                            + ledLines(allOff());
    }
    void text()
    {
        QFETCH(int, current);
        QFETCH(FrameValues, frame);
        QFETCH(qint64, first);
        QFETCH(qint64, last);
        QFETCH(QString, expected);
        PlayTimes times;
        times.firstTimeHere = first;
        times.lastTimeHere = last;
        QCOMPARE(frameinfo::describe(current, frame, times), expected);
    }
};

QTEST_GUILESS_MAIN(TestFrameInfo)
#include "tst_frameinfo.moc"
