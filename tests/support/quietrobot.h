#pragma once
// Skipping a link's clock over the silences of the virtual robot instead of
// waiting them out. The robot logs "# all answers written" once it has
// handled every request it received and written every answer it meant to.
// When its log then stays as it is for a moment, it is asked (SIGUSR1)
// whether it is idle, and answers in its log once it has looked at its line
// again ("# idle": nothing more reached it, nothing left to write): a robot
// that merely did not run for a while cannot be taken for a silent one.
// Whatever the link still waits for (a lost TransferEnd, an acknowledgement
// left out) will then not come, and the link's clock skips over the wait.
// Everything else (the line, the robot's own pace) keeps real time.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QtTest>
#include <csignal>
#include <limits>
#include <sys/types.h>

#include "link/linkclock.h"
#include "support/robotsimprocess.h"

class QuietRobot
{
public:
    // Skips clock by skipMs each time the robot has been quiet for quietMs
    // and says it is idle, mostSkips times at most.
    QuietRobot(const RobotSimProcess &robot, LinkClock &clock, qint64 skipMs,
               int mostSkips = std::numeric_limits<int>::max(), int quietMs = 100)
        : robot(robot), clock(clock), skipMs(skipMs), mostSkips(mostSkips), quietMs(quietMs)
    {
        sinceChange.start();
    }

    // True when the robot's log ends with its "all answers written" line.
    static bool answeredAll(const RobotSimProcess &robot) { return tail(robot).endsWith("# all answers written\n"); }

    // Looks at the robot once: asks it whether it is idle when it has
    // answered all and its log has not changed for quietMs, and skips the
    // clock when its answer is "idle" with nothing else logged meanwhile.
    // True when it skipped.
    bool poll()
    {
        const qint64 size = QFileInfo(robot.logPath()).size();
        if (asked) {
            if (size == logSize) {
                // No answer yet: the robot has not run since; ask again now and then.
                if (sinceChange.elapsed() > 500)
                    ask();
                return false;
            }
            asked = false;
            const QByteArray added = since(logSize);
            logSize = size;
            sinceChange.restart();
            if (!added.endsWith("# idle\n") || added.count('\n') != 1 || skips >= mostSkips)
                return false;
            clock.skip(skipMs);
            ++skips;
            return true;
        }
        if (size != logSize) {
            logSize = size;
            sinceChange.restart();
            return false;
        }
        if (skips >= mostSkips || sinceChange.elapsed() < quietMs)
            return false;
        const QByteArray last = tail(robot);
        if (last.endsWith("# all answers written\n") || last.endsWith("# idle\n"))
            ask();
        return false;
    }

    int skips = 0;

private:
    static QByteArray tail(const RobotSimProcess &robot)
    {
        QFile log(robot.logPath());
        if (!log.open(QIODevice::ReadOnly))
            return QByteArray();
        log.seek(qMax<qint64>(0, log.size() - 64));
        return log.readAll();
    }
    QByteArray since(qint64 at) const
    {
        QFile log(robot.logPath());
        if (!log.open(QIODevice::ReadOnly))
            return QByteArray();
        log.seek(at);
        return log.readAll();
    }
    void ask()
    {
        asked = true;
        sinceChange.restart();
        ::kill(pid_t(robot.process.processId()), SIGUSR1);
    }

    const RobotSimProcess &robot;
    LinkClock &clock;
    qint64 skipMs;
    int mostSkips;
    int quietMs;
    qint64 logSize = -1;
    bool asked = false;
    QElapsedTimer sinceChange;
};
