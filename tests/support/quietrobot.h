#pragma once
// Skipping a link's clock over the silences of the virtual robot instead of
// waiting them out. The robot logs "# all answers written" once it has handled
// every request it received and written every answer it meant to. When its
// log then stays as it is for a while, nothing more comes from the robot until
// it is asked again: whatever the link still waits for (a lost TransferEnd,
// an acknowledgement left out) will not come, and the link's clock skips over
// the wait. Everything else (the line, the robot's own pace) keeps real time.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <functional>
#include <limits>

#include "link/linkclock.h"
#include "support/robotsimprocess.h"

class QuietRobot
{
public:
    // Skips clock by skipMs each time the robot has been quiet for quietMs,
    // mostSkips times at most.
    QuietRobot(const RobotSimProcess &robot, LinkClock &clock, qint64 skipMs,
               int mostSkips = std::numeric_limits<int>::max(), int quietMs = 300)
        : robot(robot), clock(clock), skipMs(skipMs), mostSkips(mostSkips), quietMs(quietMs)
    {
        sinceChange.start();
    }

    // True when the robot's log ends with its "all answers written" line.
    static bool answeredAll(const RobotSimProcess &robot)
    {
        QFile log(robot.logPath());
        if (!log.open(QIODevice::ReadOnly))
            return false;
        const qint64 size = log.size();
        log.seek(qMax<qint64>(0, size - 64));
        return log.readAll().endsWith("# all answers written\n");
    }

    // Looks at the robot once: skips the clock when the robot has answered
    // all, and its log has not changed for quietMs (nor since the last skip).
    // True when it skipped.
    bool poll()
    {
        const qint64 size = QFileInfo(robot.logPath()).size();
        if (size != logSize) {
            logSize = size;
            sinceChange.restart();
            return false;
        }
        if (skips >= mostSkips || sinceChange.elapsed() < quietMs || !answeredAll(robot))
            return false;
        clock.skip(skipMs);
        ++skips;
        sinceChange.restart();
        return true;
    }

    // Runs the event loop until done() holds, skipping over every silence of
    // the robot meanwhile; false when it did not hold within timeoutMs of real time.
    bool waitFor(const std::function<bool()> &done, int timeoutMs = 10000)
    {
        QElapsedTimer real;
        real.start();
        while (!done()) {
            if (real.elapsed() > timeoutMs)
                return false;
            poll();
            QTest::qWait(10);
        }
        return true;
    }

    int skips = 0;

private:
    const RobotSimProcess &robot;
    LinkClock &clock;
    qint64 skipMs;
    int mostSkips;
    int quietMs;
    qint64 logSize = -1;
    QElapsedTimer sinceChange;
};
