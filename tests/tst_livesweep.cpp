// The live readings' sweeps against the virtual robot over a pseudo-terminal:
// how long a sweep of 17 servos takes over the cable (1500000 baud) and the
// Bluetooth bridge's rate (9600 baud); a hot servo's alarm within one sweep of
// its crossing and its clearing when it has cooled; the sweep's pause during
// a file transfer; and gaitforge-cli robot watch, whose printed rows and CSV
// hold one row per servo per sweep and whose exit status tells an alarm.
// The servos' warming runs on a clock this test skips (the robot's
// --shared-clock): no heat is waited for.

#include <QtTest>
#include <QTemporaryDir>
#include <algorithm>

#include "link/linkclock.h"
#include "link/livereadings.h"
#include "link/livesweeper.h"
#include "link/robotlink.h"
#include "support/processortime.h"
#include "support/robotsimprocess.h"
#include "support/scriptedprompt.h"

using namespace packet;

namespace {

struct Watch {
    ScriptedPrompt prompt;
    RobotLink link{prompt, nullptr};
    LiveSweeper sweeper{link};
    live::AlarmTracker alarms;
    QVector<live::Sweep> sweeps;
    // Alarm events with the number of the sweep that told them (1-based).
    QVector<QPair<int, live::AlarmEvent>> events;

    Watch()
    {
        QObject::connect(&sweeper, &LiveSweeper::limitsRead, [this](const QHash<int, int> &l) { alarms.setLimits(l); });
        QObject::connect(&sweeper, &LiveSweeper::sweepDone, [this](const live::Sweep &s) {
            sweeps << s;
            for (const live::AlarmEvent &e : alarms.update(s))
                events << qMakePair(sweeps.size(), e);
        });
    }
    bool open(const RobotSimProcess &robot, qint32 baud)
    {
        link.open(robot.port, baud == RobotLink::kBleBaud, baud);
        link.setBleMode(baud == RobotLink::kBleBaud);
        if (!QTest::qWaitFor([&] { return link.greeted(); }, 5000))
            return false;
        // Nothing else uses the line at first: no rest after connecting.
        sweeper.setFirstRest(0);
        sweeper.setOn(true);
        return true;
    }
    bool waitSweeps(int count, int ms = 10000)
    {
        return QTest::qWaitFor([&] { return sweeps.size() >= count; }, ms);
    }
    const live::ServoReading *servo(int sweep, int number) const
    {
        for (const live::ServoReading &r : sweeps[sweep].servos)
            if (r.servo == number)
                return &r;
        return nullptr;
    }
    ~Watch()
    {
        sweeper.setOn(false);
        link.close();
        (void)QTest::qWaitFor([&] { return !link.isRunning(); }, 5000);
    }
};

// The sweeps give way to a page's request for LiveSweeper::kQuietMs of the
// link's clock: the test skips that rest once the sweeper has seen the request.
bool skipQuiet(LiveSweeper &sweeper, RobotLink &link)
{
    sweeper.step();
    link.clock().skip(LiveSweeper::kQuietMs);
    return true;
}

QString figures(QVector<qint64> ms)
{
    std::sort(ms.begin(), ms.end());
    return QStringLiteral("%1 / %2 / %3 ms (min / median / max of %4)")
        .arg(ms.first())
        .arg(ms[ms.size() / 2])
        .arg(ms.last())
        .arg(ms.size());
}

} // namespace

class TestLiveSweep : public QObject
{
    Q_OBJECT

    QTemporaryDir work;

private slots:
    // 17 servos (the extra two missing from the bus), back to back.
    void sweepTiming_data()
    {
        QTest::addColumn<int>("baud");
        QTest::addColumn<int>("limitMs");
        QTest::newRow("cable") << int(RobotLink::kCableBaud) << 600;
        QTest::newRow("bluetooth rate") << int(RobotLink::kBleBaud) << 1000;
    }
    void sweepTiming()
    {
        QFETCH(int, baud);
        QFETCH(int, limitMs);
        RobotSimProcess robot({QStringLiteral("--baud"), QString::number(baud), QStringLiteral("--absent-servos"),
                               QStringLiteral("19,20")});
        QVERIFY(robot.ok());
        Watch w;
        w.sweeper.setRate(LiveSweeper::kMaxRateHz);
        QVERIFY(w.open(robot, baud));
        QVERIFY(w.waitSweeps(3));
        QCOMPARE(w.sweeper.servos().size(), 17);
        QVector<qint64> took;
        for (const live::Sweep &s : w.sweeps) {
            QCOMPARE(s.servos.size(), 17);
            // The battery at rest, run down by a few keep-alives at most.
            QVERIFY(s.batteryMv > 7300 && s.batteryMv <= 7400);
            took << s.durationMs;
        }
        qInfo("sweep of 17 servos at %d baud: %s", baud, qPrintable(figures(took)));
        QVERIFY2(*std::max_element(took.begin(), took.end()) <= limitMs, qPrintable(figures(took)));
        // The reads are not in the communication log.
        QCOMPARE(robot.requests(QStringLiteral("Read AllCurrentData")).size() >= 3 * 17, true);
        // The reads reach the robot the sweep's gap apart (its log
        // counts whole milliseconds, and the pseudo-terminal may hand it two
        // at once now and then: the median tells).
        const QList<double> at = robot.times(QStringLiteral("Read "));
        QVector<qint64> gaps;
        for (int i = 1; i < at.size(); ++i)
            gaps << qRound64((at[i] - at[i - 1]) * 1000.0);
        QVERIFY(gaps.size() >= 3 * 17);
        qInfo("gaps between reads at %d baud: %s", baud, qPrintable(figures(gaps)));
        std::sort(gaps.begin(), gaps.end());
        QVERIFY2(gaps[gaps.size() / 2] >= LiveSweeper::kReadGapMs - 1, qPrintable(figures(gaps)));
    }

    // A page's requests have the line to themselves: the sweep under way is
    // dropped, no sweep read goes out between them, and the sweeps start
    // again once the line has been quiet for kQuietMs.
    // Limits whose answers were lost on the line are asked again: every
    // servo on the bus is watched, not only those that answered at once.
    void lostLimitAnswersAskedAgain()
    {
        RobotSimProcess robot({QStringLiteral("--drop-every"), QStringLiteral("4"), QStringLiteral("--absent-servos"),
                               QStringLiteral("19,20")});
        QVERIFY(robot.ok());
        Watch w;
        QVERIFY(w.open(robot, RobotLink::kCableBaud));
        QTRY_VERIFY_WITH_TIMEOUT(!w.sweeper.servos().isEmpty(), 10000);
        QCOMPARE(w.sweeper.servos().size(), 17);
    }

    void givesWayToPages()
    {
        RobotSimProcess robot({QStringLiteral("--absent-servos"), QStringLiteral("10,11,12,13,14,15,16,17,18,19,20")});
        QVERIFY(robot.ok());
        Watch w;
        w.sweeper.setRate(LiveSweeper::kMaxRateHz);
        QVERIFY(w.open(robot, RobotLink::kCableBaud));
        QVERIFY(w.waitSweeps(1));
        bool pagesHeld = false;
        QObject::connect(&w.sweeper, &LiveSweeper::pausedChanged, [&](bool p) {
            pagesHeld = pagesHeld || (p && w.sweeper.hold() == LiveSweeper::Hold::Pages);
        });
        // Reads of the servo page, 100 ms apart for most of a second.
        const int before = w.sweeps.size();
        for (int i = 0; i < 8; ++i) {
            QVERIFY(w.link.readPosition(2 + i));
            QTest::qWait(100);
        }
        QVERIFY(pagesHeld);
        // The sweep under way when the first read was posted ends; none
        // completes while the reads go on.
        QVERIFY2(w.sweeps.size() <= before + 1, qPrintable(QString::number(w.sweeps.size() - before)));
        const int during = w.sweeps.size();
        QVERIFY(w.waitSweeps(during + 1));
        QVERIFY(!w.sweeper.paused());

        const QStringList lines = robot.requests();
        const int first = lines.indexOf(QRegularExpression(QStringLiteral("^Read Position.*")));
        const int last = lines.lastIndexOf(QRegularExpression(QStringLiteral("^Read Position.*")));
        QVERIFY(first > 0 && last > first);
        // At most the one sweep read queued before the first page read.
        int sweepReads = 0;
        for (int i = first; i <= last; ++i)
            sweepReads += !lines[i].startsWith(QStringLiteral("Read Position"));
        QVERIFY2(sweepReads <= 1, qPrintable(lines.mid(first, last - first + 1).join(QLatin1Char('\n'))));
        // The next sweep read comes a quiet second after the last page read.
        const double lastPage = robot.times(QStringLiteral("Read Position")).last();
        double next = -1;
        for (double t : robot.times(QStringLiteral("Read AllCurrentData")))
            if (t > lastPage) {
                next = t;
                break;
            }
        QVERIFY(next > 0);
        QVERIFY2((next - lastPage) * 1000 >= LiveSweeper::kQuietMs - 50, qPrintable(QString::number(next - lastPage)));
    }

    // A hot servo is told within one sweep of its crossing, and cleared
    // within one sweep of cooling down.
    void hotServoAlarm()
    {
        const QString clockFile = work.path() + QStringLiteral("/servo-clock");
        LinkClock servoClock;
        QVERIFY(servoClock.shareSkips(clockFile));
        // Only the left leg on the bus: short sweeps.
        RobotSimProcess robot({QStringLiteral("--hot-servo"), QStringLiteral("8"), QStringLiteral("--shared-clock"),
                               clockFile, QStringLiteral("--absent-servos"),
                               QStringLiteral("2,3,4,5,11,12,13,14,15,16,17,18,19,20")});
        QVERIFY(robot.ok());
        Watch w;
        w.sweeper.setRate(LiveSweeper::kMaxRateHz);
        QVERIFY(w.open(robot, RobotLink::kCableBaud));
        // The robot has taken a working mode (before the servos' clock skips).
        int modesWritten = 0;
        const auto setMode = [&](ServoMode mode) {
            return w.link.setWorkingMode(8, mode)
                   && QTest::qWaitFor([&] { return robot.requests(QStringLiteral("Write WorkingMode")).size() > modesWritten; },
                                      5000)
                   && ++modesWritten && skipQuiet(w.sweeper, w.link);
        };
        // Released, the hot servo stays cool: no alarm.
        QVERIFY(setMode(ServoMode::StopWithoutBrake));
        servoClock.skip(60000);
        int before = w.sweeps.size();
        QVERIFY(w.waitSweeps(before + 2));
        QVERIFY(w.servo(w.sweeps.size() - 1, 8)->temperature < 40);
        w.events.clear();

        // Held again, it crosses its limit during a skip of 10 s.
        QVERIFY(setMode(ServoMode::CurveServo));
        before = w.sweeps.size();
        servoClock.skip(10000);
        QVERIFY(w.waitSweeps(before + 2));
        QVERIFY(!w.events.isEmpty());
        const auto told = w.events.first();
        QCOMPARE(told.second.servo, 8);
        QCOMPARE(told.second.to, live::Level::Alarm);
        // The sweep under way at the skip may have read the servo before it.
        QVERIFY2(told.first <= before + 2, qPrintable(QStringLiteral("%1 %2").arg(told.first).arg(before)));
        // Told in the first sweep whose reading crossed, and only once.
        int firstHot = -1;
        for (int i = before; i < w.sweeps.size() && firstHot < 0; ++i)
            if (w.servo(i, 8)->temperature >= 75 || w.servo(i, 8)->workingState > 0)
                firstHot = i + 1;
        QCOMPARE(told.first, firstHot);
        QVERIFY(w.waitSweeps(told.first + 3));
        int alarmsTold = 0;
        for (const auto &e : w.events)
            alarmsTold += e.second.servo == 8 && e.second.to == live::Level::Alarm;
        QCOMPARE(alarmsTold, 1);
        QCOMPARE(w.servo(w.sweeps.size() - 1, 8)->workingState, 4);

        // Released, it cools: cleared within one sweep.
        w.events.clear();
        QVERIFY(setMode(ServoMode::StopWithoutBrake));
        before = w.sweeps.size();
        servoClock.skip(60000);
        QVERIFY(w.waitSweeps(before + 2));
        QVERIFY(!w.events.isEmpty());
        QCOMPARE(w.events.first().second.to, live::Level::Normal);
        QVERIFY(w.events.first().first <= before + 2);
        QCOMPARE(w.events.first().second.text, QStringLiteral("Cleared: servo 8 is back to normal (%1 °C).")
                                                   .arg(w.servo(w.events.first().first - 1, 8)->temperature));
        QVERIFY(w.alarms.raised().isEmpty());
    }

    // While a file goes to the robot no sweep request goes out; the sweeps
    // go on after it.
    void pausesDuringTransfer()
    {
        RobotSimProcess robot({QStringLiteral("--absent-servos"), QStringLiteral("10,11,12,13,14,15,16,17,18,19,20")});
        QVERIFY(robot.ok());
        Watch w;
        QVERIFY(w.open(robot, RobotLink::kCableBaud));
        QVERIFY(w.waitSweeps(1));
        const QString local = work.path() + QStringLiteral("/motion.bin");
        QFile f(local);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(40 * 1024, 'm'));
        f.close();
        bool ended = false;
        bool pausedSeen = false;
        QObject::connect(&w.sweeper, &LiveSweeper::pausedChanged, [&](bool p) { pausedSeen = pausedSeen || p; });
        QObject::connect(&w.link, &RobotLink::fileJobEnded, [&](const FileJobResult &r) { ended = r.ok(); });
        QVERIFY(w.link.setRobotPath(RobotLink::PathBlock::Send, 0, QStringLiteral("motion.bin")));
        QVERIFY(w.link.sendFile(local));
        QVERIFY(QTest::qWaitFor([&] { return ended; }, 15000));
        QVERIFY(pausedSeen);
        // The rest after the transfer, skipped.
        QTest::qWait(20);
        QVERIFY(skipQuiet(w.sweeper, w.link));
        const int after = w.sweeps.size();
        QVERIFY(w.waitSweeps(after + 1));
        // In the robot's log: nothing of the sweep between the file's first
        // and last frame.
        const QStringList lines = robot.requests();
        const int begin = lines.indexOf(QRegularExpression(QStringLiteral("^FileBegin.*")));
        const int end = lines.lastIndexOf(QRegularExpression(QStringLiteral("^FileEnd.*")));
        QVERIFY(begin > 0 && end > begin);
        for (int i = begin; i <= end; ++i)
            QVERIFY2(!lines[i].startsWith(QStringLiteral("Read ")), qPrintable(lines[i]));
    }

    // The command line: rows on standard output equal the CSV's, one per
    // servo per sweep; exit 0 without an alarm, 1 with the hot servo.

    // A robot that falls silent during the watch: the sweeps it did not
    // answer are told, and the command fails.
    void watchSilentRobot()
    {
        RobotSimProcess robot({QStringLiteral("--silent-after-answers"), QStringLiteral("25"),
                               QStringLiteral("--absent-servos"), QStringLiteral("2,3,4,5,11,12,13,19,20")});
        QVERIFY(robot.ok());
        QProcess cli;
        cli.start(QString::fromLocal8Bit(qgetenv("GAITFORGE_CLI")),
                  {QStringLiteral("robot"), robot.port, QStringLiteral("watch"), QStringLiteral("--seconds"),
                   QStringLiteral("2.5"), QStringLiteral("--rate"), QStringLiteral("4")});
        QVERIFY(cli.waitForFinished(15000));
        const QString err = QString::fromLocal8Bit(cli.readAllStandardError());
        QCOMPARE(cli.exitCode(), 1);
        QVERIFY2(err.contains(QStringLiteral(": no servo answered\n")), qPrintable(err));
    }

    void watchCommand_data()
    {
        QTest::addColumn<bool>("hot");
        QTest::newRow("sound robot") << false;
        QTest::newRow("hot servo") << true;
    }
    void watchCommand()
    {
        QFETCH(bool, hot);
        const QString clockFile = work.path() + QStringLiteral("/cli-clock-%1").arg(hot);
        LinkClock servoClock;
        QVERIFY(servoClock.shareSkips(clockFile));
        QStringList options{QStringLiteral("--absent-servos"), QStringLiteral("2,3,4,5,11,12,13,19,20"),
                            QStringLiteral("--shared-clock"), clockFile};
        if (hot)
            options << QStringLiteral("--hot-servo") << QStringLiteral("8");
        RobotSimProcess robot(options);
        QVERIFY(robot.ok());
        // The hot servo is over its limit from the first sweep.
        if (hot)
            servoClock.skip(10000);
        else
            servoClock.skip(1);
        const QString csvPath = work.path() + QStringLiteral("/watch-%1.csv").arg(hot);
        const qint64 cpuBefore = childrenProcessorMs();
        QElapsedTimer wall;
        wall.start();
        QProcess cli;
        cli.start(QString::fromLocal8Bit(qgetenv("GAITFORGE_CLI")),
                  {QStringLiteral("robot"), robot.port, QStringLiteral("watch"), QStringLiteral("--seconds"),
                   QStringLiteral("2.6"), QStringLiteral("--rate"), QStringLiteral("4"), QStringLiteral("--csv"),
                   csvPath});
        QVERIFY(cli.waitForFinished(15000));
        // Between sweeps the command sleeps until the robot answers, instead
        // of spinning a processor (the robot is still running: only the
        // command has ended meanwhile).
        const qint64 cpuMs = childrenProcessorMs() - cpuBefore;
        QVERIFY2(cpuMs < wall.elapsed() / 3,
                 qPrintable(QStringLiteral("%1 ms of processor time in %2 ms").arg(cpuMs).arg(wall.elapsed())));
        const QByteArray out = cli.readAllStandardOutput();
        const QString err = QString::fromLocal8Bit(cli.readAllStandardError());
        QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
        QCOMPARE(cli.exitCode(), hot ? 1 : 0);
        QCOMPARE(err.contains(QStringLiteral("Alarm: servo 8 ")), hot);
        QFile csv(csvPath);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QByteArray saved = csv.readAll();
        QByteArray printed = out;
        QCOMPARE(QByteArray(saved).replace("\r\n", "\n"), printed);
        QList<QByteArray> rows = printed.trimmed().split('\n');
        QVERIFY(rows.takeFirst().startsWith("time_ms,servo,"));
        QSet<QByteArray> times;
        for (const QByteArray &row : rows)
            times << row.split(',').first();
        // Ten servos on the bus; every sweep has a row for each.
        QVERIFY2(times.size() >= 2, qPrintable(err));
        QCOMPARE(rows.size(), times.size() * 10);
        QVERIFY(err.contains(QStringLiteral("%1 sweeps of 10 servos").arg(times.size())));
    }
};

QTEST_MAIN(TestLiveSweep)
#include "tst_livesweep.moc"
