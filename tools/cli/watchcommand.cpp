#include "watchcommand.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <QTimer>
#include <algorithm>

#include "clioutput.h"
#include "core/safefile.h"
#include "link/livereadings.h"
#include "link/livesweeper.h"
#include "link/robotlink.h"

bool parseWatchOptions(const QStringList &argsIn, WatchOptions *options, QString *error)
{
    QStringList args = argsIn;
    while (!args.isEmpty()) {
        const QString option = args.takeFirst();
        if (args.isEmpty()) {
            *error = QStringLiteral("%1 needs a value").arg(option);
            return false;
        }
        const QString value = args.takeFirst();
        bool ok = false;
        if (option == QLatin1String("--seconds")) {
            options->seconds = value.toDouble(&ok);
            if (!ok || options->seconds <= 0) {
                *error = QStringLiteral("--seconds needs a positive number");
                return false;
            }
        } else if (option == QLatin1String("--rate")) {
            options->rateHz = value.toDouble(&ok);
            if (!ok || options->rateHz < LiveSweeper::kMinRateHz || options->rateHz > LiveSweeper::kMaxRateHz) {
                *error = QStringLiteral("--rate needs a number from %1 to %2")
                             .arg(LiveSweeper::kMinRateHz)
                             .arg(LiveSweeper::kMaxRateHz);
                return false;
            }
        } else if (option == QLatin1String("--csv")) {
            options->csvPath = value;
        } else {
            *error = QStringLiteral("unknown watch option '%1'").arg(option);
            return false;
        }
    }
    return true;
}

int watchRobot(RobotLink &link, const WatchOptions &options, const std::function<bool()> &stopRequested)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (!options.csvPath.isEmpty()) {
        QString why;
        if (!safefile::mayReplace(options.csvPath, &why)) {
            err << "gaitforge-cli: cannot save " << options.csvPath << ": " << why << "\n" << Qt::flush;
            return cli::Failed;
        }
    }
    LiveSweeper sweeper(link);
    sweeper.setRate(options.rateHz);
    // Nothing else uses the line: the sweeps start at once.
    sweeper.setFirstRest(0);
    live::AlarmTracker alarms;
    QVector<live::Sweep> sweeps;
    // A sweep no servo answered: the robot has fallen silent.
    bool unanswered = false;
    QObject::connect(&sweeper, &LiveSweeper::limitsRead, [&](const QHash<int, int> &limits) {
        alarms.setLimits(limits);
        if (limits.isEmpty())
            err << "gaitforge-cli: no servo answered\n" << Qt::flush;
    });
    QObject::connect(&sweeper, &LiveSweeper::sweepDone, [&](const live::Sweep &sweep) {
        sweeps.push_back(sweep);
        for (const QString &row : live::csvRows(sweep))
            out << row << "\n";
        out.flush();
        for (const live::AlarmEvent &event : alarms.update(sweep))
            err << "gaitforge-cli: " << event.text << "\n";
        // Servos whose answer did not come have no row in this sweep.
        QStringList silent;
        for (int servo : sweeper.servos())
            if (std::none_of(sweep.servos.begin(), sweep.servos.end(),
                             [servo](const live::ServoReading &r) { return r.servo == servo; }))
                silent << QString::number(servo);
        if (sweep.servos.isEmpty()) {
            err << "gaitforge-cli: sweep " << sweeps.size() << ": no servo answered\n";
            unanswered = true;
        } else if (!silent.isEmpty()) {
            err << "gaitforge-cli: sweep " << sweeps.size() << ": no answer from servo " << silent.join(QStringLiteral(", "))
                << "\n";
        }
        err.flush();
    });
    out << live::csvHeader() << "\n" << Qt::flush;
    sweeper.setOn(true);

    // The time counts on the link's clock; the link's watchdog runs as in the
    // window, so a robot that falls silent ends the watch.
    LinkTimer clock(link.clock());
    clock.start();
    QElapsedTimer tick;
    tick.start();
    // Wakes the loop every 10 ms for the watchdog and the clock; between
    // wakes the process sleeps until the link tells something.
    QTimer wake;
    wake.start(10);
    bool lost = false;
    while (!stopRequested()) {
        if (options.seconds >= 0 && clock.elapsed() >= qint64(options.seconds * 1000))
            break;
        if (!link.isRunning() || link.worker().quitFlag) {
            lost = true;
            break;
        }
        if (tick.elapsed() >= 10) {
            tick.restart();
            link.watchdogTick(false);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    sweeper.setOn(false);

    int status = alarms.alarmRaised() ? cli::Failed : cli::Ok;
    if (lost) {
        err << "gaitforge-cli: the link to the robot closed during the watch\n";
        status = cli::Failed;
    }
    if (unanswered)
        status = cli::Failed;
    if (!options.csvPath.isEmpty()) {
        QString why;
        if (!safefile::write(options.csvPath, live::csv(sweeps), &why)) {
            err << "gaitforge-cli: cannot save " << options.csvPath << ": " << why << "\n";
            status = cli::Failed;
        }
    }
    // How long the sweeps took, first request to last answer.
    QVector<qint64> took;
    for (const live::Sweep &sweep : sweeps)
        took << sweep.durationMs;
    std::sort(took.begin(), took.end());
    err << "gaitforge-cli: " << sweeps.size() << " sweeps of " << sweeper.servos().size() << " servos";
    if (!took.isEmpty())
        err << " (" << took.first() << " / " << took[took.size() / 2] << " / " << took.last()
            << " ms min / median / max)";
    err << (alarms.alarmRaised() ? ", alarm raised" : "") << "\n" << Qt::flush;
    return status;
}
