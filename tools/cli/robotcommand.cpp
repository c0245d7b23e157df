#include "robotcommand.h"

#include "clioutput.h"
#include "scancommand.h"
#include "watchcommand.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTextCodec>
#include <QTextStream>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <memory>
#include <unistd.h>

#include "common/prompt.h"
#include "files/robotfiles.h"
#include "link/framedecoder.h"
#include "link/robotlink.h"
#include "link/robotpath.h"
#include "link/transferoutcome.h"

using namespace packet;

namespace {

using namespace cli;

QTextStream &errors()
{
    static QTextStream stream(stderr);
    return stream;
}

// The link's notices go to standard error; nothing is ever asked.
class ConsolePrompt : public SilentPrompt
{
public:
    Button warning(QWidget *, const QString &, const QString &text, Buttons, Button) override
    {
        errors() << "gaitforge-cli: " << text << "\n";
        errors().flush();
        return QMessageBox::Ok;
    }
    Button information(QWidget *, const QString &, const QString &, Buttons, Button) override
    {
        return QMessageBox::Ok;
    }
    Button critical(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override
    {
        return warning(parent, title, text, buttons, defaultButton);
    }
};

int usage(const QString &text)
{
    errors() << "gaitforge-cli robot: " << text << "\n"
             << "Usage: gaitforge-cli robot [--ble] [--baud N] PORT ls DRIVE\n"
             << "                                              get ROBOTPATH LOCAL\n"
             << "                                              send LOCAL ROBOTPATH\n"
             << "                                              rm ROBOTPATH\n"
             << "                                              run ROBOTPATH\n"
             << "                                              scan\n"
             << "                                              watch [--seconds S] [--rate HZ] [--csv FILE]\n"
             << "DRIVE is 0 (SD card) or 1 (flash); ROBOTPATH is 0:/robotsys/NAME or 1:/robotsys/NAME.\n";
    errors().flush();
    return Usage;
}

volatile std::sig_atomic_t caughtSignal = 0;

// Says why the command failed. After a stop signal only what is still true
// is said (told): a wait cut short by the signal is no failure of the robot.
int fail(const QString &text, bool told = false)
{
    if (caughtSignal != 0 && !told)
        return Failed;
    errors() << "gaitforge-cli: " << text << "\n";
    errors().flush();
    return Failed;
}

// ---- Ctrl+C (SIGINT) and SIGTERM. The handler only notes the signal and
// writes its number into a pipe (both async-signal-safe); the event loop
// reads the pipe and stops the running transfer as cancel does, so a send
// still closes the robot's file. The command then ends with 128 + the signal
// number. A second signal is not caught: it ends the program at once.
int signalPipe[2] = {-1, -1};

extern "C" void onStopSignal(int signo)
{
    const int savedErrno = errno;
    if (caughtSignal == 0)
        caughtSignal = signo;
    const char byte = char(signo);
    if (signalPipe[1] >= 0)
        (void)!write(signalPipe[1], &byte, 1);
    errno = savedErrno;
}

bool catchStopSignals()
{
    if (signalPipe[0] < 0) {
        if (pipe(signalPipe) != 0)
            return false;
        for (const int fd : signalPipe) {
            fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
            fcntl(fd, F_SETFD, FD_CLOEXEC);
        }
    }
    struct sigaction action = {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    bool caught = true;
    for (const int signo : {SIGINT, SIGTERM}) {
        // A signal ignored by whoever started us (a shell's background job
        // ignores SIGINT, nohup SIGHUP) stays ignored.
        struct sigaction old = {};
        if (sigaction(signo, nullptr, &old) == 0 && old.sa_handler == SIG_IGN)
            continue;
        caught = sigaction(signo, &action, nullptr) == 0 && caught;
    }
    return caught;
}

// Runs the event loop until done() holds or ms have passed on the link's
// clock; true when it held. A stop signal ends the wait too (false) unless
// untilDone.
template <typename Done>
bool waitFor(const LinkClock &linkClock, Done done, int ms, bool untilDone = false)
{
    LinkTimer clock(linkClock);
    clock.start();
    // Wakes the wait now and then to look at the clock and for a stop signal;
    // between wakes the process sleeps until the link tells something.
    QTimer wake;
    wake.start(20);
    while (!done()) {
        if (caughtSignal != 0 && !untilDone)
            return false;
        if (clock.elapsed() >= ms) {
            // What the link has already told still counts.
            QCoreApplication::processEvents();
            return done();
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

// "0:/robotsys/NAME" -> drive 0 and NAME.
bool splitRobotPath(const QString &path, int *drive, QString *name)
{
    for (int d = 0; d <= 1; ++d) {
        const QString folder = QString::fromLatin1(robotpath::folder(d)) + QLatin1Char('/');
        if (path.startsWith(folder) && path.size() > folder.size() && !path.mid(folder.size()).contains(QLatin1Char('/'))) {
            *drive = d;
            *name = path.mid(folder.size());
            return true;
        }
    }
    return false;
}

class Session
{
public:
    Session() : link(prompt, nullptr)
    {
        QObject::connect(&link, &RobotLink::openStatusChanged, [this](int status) { openStatus = status; });
        QObject::connect(&link, &RobotLink::folderListed, [this](const QByteArray &text) {
            listed = text;
            listReceived = true;
        });
        QObject::connect(&link, &RobotLink::fileJobEnded, [this](const FileJobResult &result) {
            job = result;
            jobEnded = true;
        });
        QObject::connect(&link, &RobotLink::fileProgress, [this](int percent) {
            if (progressShown)
                errors() << "\r" << percent << " %" << Qt::flush;
        });
        progressShown = isatty(2);
        if (signalPipe[0] >= 0) {
            stopNotifier = std::make_unique<QSocketNotifier>(signalPipe[0], QSocketNotifier::Read);
            QObject::connect(stopNotifier.get(), &QSocketNotifier::activated, [this] {
                char bytes[16];
                while (read(signalPipe[0], bytes, sizeof bytes) > 0) {
                }
                // A running transfer ends as cancel ends it.
                if (link.jobRunning())
                    link.cancelTransfer();
            });
        }
    }

    ~Session()
    {
        if (link.isRunning()) {
            link.close();
            waitFor(link.clock(), [this] { return !link.isRunning(); }, 3000);
        }
        // The last rows of the trace, which no batch took yet.
        if (link.monitoring()) {
            quint64 lost = 0;
            const std::vector<LinkFrame> rows = link.worker().takeFrames(&lost);
            printTrace(QVector<LinkFrame>(rows.begin(), rows.end()), lost);
        }
    }

    // --trace: every frame written and read, and every run of bytes thrown
    // away, on standard error: seconds since the start, the direction and
    // the decoded line.
    void startTrace()
    {
        traceStart = QDateTime::currentMSecsSinceEpoch();
        link.setMonitoring(true);
        QObject::connect(&link, &RobotLink::framesSeen,
                         [this](const QVector<LinkFrame> &rows, quint64 lost) { printTrace(rows, lost); });
    }

    void printTrace(const QVector<LinkFrame> &rows, quint64 lost)
    {
        if (lost > 0)
            errors() << "trace: " << lost << " frames lost\n";
        for (const LinkFrame &row : rows)
            errors() << QString::number(double(row.msSinceEpoch - traceStart) / 1000.0, 'f', 3) << " "
                     << (row.direction == LinkFrame::Sent ? "sent: " : "received: ")
                     << framedecoder::line(row.wire, row.reason) << "\n";
        errors() << Qt::flush;
    }
    qint64 traceStart = 0;

    bool open(const QString &port, bool ble, qint32 baud)
    {
        link.open(port, ble, baud);
        link.setBleMode(ble);
        waitFor(link.clock(), [this] { return openStatus != 99; }, 5000);
        return openStatus == 1;
    }

    // The link opens with a keep-alive: true once the robot has answered. The
    // link's own timer step decides, as in the window, when a robot that
    // sends nothing at all does not answer (it says so and closes the link);
    // a robot still sending what an earlier program asked for is not silent.
    bool greeted()
    {
        // The step is the window's 10 ms tick.
        QElapsedTimer tick;
        tick.start();
        waitFor(
            link.clock(),
            [this, &tick] {
                if (tick.elapsed() >= 10) {
                    tick.restart();
                    link.watchdogTick(false);
                    // Asked again every 2.51 s, as the window does: one lost
                    // answer is not silence.
                    link.keepAliveTick();
                }
                return link.greeted() || !link.isRunning() || link.worker().quitFlag;
            },
            24 * 3600 * 1000);
        return link.greeted();
    }

    // Lists the drive; false when no list came.
    bool list(int drive, QList<QByteArray> *names)
    {
        listReceived = false;
        if (!link.listFolder(drive))
            return false;
        if (!waitFor(link.clock(), [this] { return listReceived; }, 5000))
            return false;
        return link.listedNames(robotpath::folder(drive), names);
    }

    bool waitJob()
    {
        jobEnded = false;
        // Every job ends by itself (time limits on a silent robot); the limit
        // here only guards against a link that died. A stop signal cancels
        // the job, which then ends.
        const bool ended = waitFor(link.clock(), [this] { return jobEnded || !link.isRunning(); }, 24 * 3600 * 1000, true);
        if (progressShown)
            errors() << "\r" << Qt::flush;
        return ended && jobEnded;
    }

    ConsolePrompt prompt;
    RobotLink link;
    int openStatus = 99;
    QByteArray listed;
    bool listReceived = false;
    FileJobResult job;
    bool jobEnded = false;
    bool progressShown = false;
    std::unique_ptr<QSocketNotifier> stopNotifier;
};

QString fromRobot(const QByteArray &name)
{
    QTextCodec *codec = QTextCodec::codecForName("GB2312");
    return codec ? codec->toUnicode(name) : QString::fromLatin1(name);
}

} // namespace

int robotCommand(const QStringList &argsIn)
{
    // The link's diagnostics ("trans end" ...) are not for the user.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &message) {
        if (type != QtDebugMsg && type != QtInfoMsg)
            errors() << message << "\n" << Qt::flush;
    });
    QStringList args = argsIn;
    bool ble = false;
    bool trace = false;
    qint32 baud = 0;
    while (!args.isEmpty() && args.first().startsWith(QLatin1String("--"))) {
        const QString option = args.takeFirst();
        if (option == QLatin1String("--ble")) {
            ble = true;
        } else if (option == QLatin1String("--trace")) {
            trace = true;
        } else if (option == QLatin1String("--baud")) {
            bool ok = false;
            baud = args.isEmpty() ? 0 : args.takeFirst().toInt(&ok);
            if (!ok || baud <= 0)
                return usage(QStringLiteral("--baud needs a positive number"));
        } else {
            return usage(QStringLiteral("unknown option '%1'").arg(option));
        }
    }
    if (args.size() < 2)
        return usage(QStringLiteral("give a port and a command"));
    const QString port = args.takeFirst();
    const QString command = args.takeFirst();
    const QHash<QString, int> argumentCounts{{QStringLiteral("ls"), 1},  {QStringLiteral("get"), 2},
                                             {QStringLiteral("send"), 2}, {QStringLiteral("rm"), 1},
                                             {QStringLiteral("run"), 1},  {QStringLiteral("scan"), 0}};
    WatchOptions watch;
    if (command == QLatin1String("watch")) {
        QString why;
        if (!parseWatchOptions(args, &watch, &why))
            return usage(why);
        args.clear();
    } else if (!argumentCounts.contains(command))
        return usage(QStringLiteral("unknown command '%1'").arg(command));
    if (command != QLatin1String("watch") && args.size() != argumentCounts.value(command))
        return usage(QStringLiteral("%1 takes %2 argument(s)").arg(command).arg(argumentCounts.value(command)));

    int drive = -1;
    QString name;
    QString local;
    if (command == QLatin1String("watch")) {
    } else if (command == QLatin1String("ls")) {
        if (args[0] != QLatin1String("0") && args[0] != QLatin1String("1"))
            return usage(QStringLiteral("DRIVE is 0 or 1"));
        drive = args[0].toInt();
    } else if (command != QLatin1String("scan")) {
        const QString robotPath = command == QLatin1String("send") ? args[1] : args[0];
        if (!splitRobotPath(robotPath, &drive, &name))
            return usage(QStringLiteral("'%1' is not a robot path (0:/robotsys/NAME or 1:/robotsys/NAME)").arg(robotPath));
        if (command == QLatin1String("get"))
            local = args[1];
        if (command == QLatin1String("send"))
            local = args[0];
    }

    // Ctrl+C or SIGTERM stops a transfer as cancel does; the command then
    // ends with 128 + the signal number (130, 143).
    catchStopSignals();
    Session session;
    if (trace)
        session.startTrace();
    // A test skips the link's clock over a silence from outside, through a
    // file named here (see LinkClock::shareSkips); the program never sets it.
    const QString sharedClock = qEnvironmentVariable("GAITFORGE_LINK_CLOCK");
    if (!sharedClock.isEmpty() && !session.link.clock().shareSkips(sharedClock))
        return fail(QStringLiteral("cannot share the link's clock through %1").arg(sharedClock));
    const int status = [&]() -> int {
        if (!session.open(port, ble, baud))
            return fail(QStringLiteral("cannot open the port %1").arg(port));
        RobotLink &link = session.link;
        if (!session.greeted())
            return Failed;
        QList<QByteArray> names;

        if (command == QLatin1String("scan"))
            return scanCommand(link);
        if (command == QLatin1String("watch"))
            return watchRobot(link, watch, [] { return caughtSignal != 0; });

        if (command == QLatin1String("ls")) {
            if (!session.list(drive, &names))
                return fail(QStringLiteral("the robot did not send the list of %1").arg(QString::fromLatin1(robotpath::folder(drive))));
            QTextStream out(stdout);
            for (const QByteArray &entry : names)
                out << fromRobot(entry) << "\n";
            return Ok;
        }

        if (command == QLatin1String("get")) {
            // The list tells an empty file from a file the robot does not have.
            session.list(drive, &names);
            if (!link.setRobotPath(RobotLink::PathBlock::Get, drive, name))
                return Failed;
            if (caughtSignal != 0)
                return Failed;
            if (session.progressShown)
                errors() << "fetching " << name << " ..." << Qt::flush;
            if (!link.fetch(QFileInfo(local).absoluteFilePath(), true))
                return fail(QStringLiteral("the request could not be sent"));
            if (!session.waitJob())
                return fail(QStringLiteral("the link closed during the transfer"));
            if (session.job.outcome == FileJobResult::NoSuchFile)
                return fail(TransferOutcome::text(session.job, name)
                                + QStringLiteral(" Perhaps it is on the other drive: %1/%2.")
                                      .arg(QString::fromLatin1(robotpath::folder(1 - drive)), name),
                            true);
            if (!session.job.ok())
                return fail(TransferOutcome::text(session.job, name), true);
            // What was checked.
            QTextStream(stdout) << TransferOutcome::text(session.job, name) << "\n";
            return Ok;
        }

        if (command == QLatin1String("send")) {
            QFile probe(local);
            if (!probe.open(QIODevice::ReadOnly))
                return fail(QStringLiteral("cannot read %1: %2").arg(local, probe.errorString()));
            probe.close();
            if (!link.setRobotPath(RobotLink::PathBlock::Send, drive, name))
                return Failed;
            if (caughtSignal != 0)
                return Failed;
            if (!link.sendFile(QFileInfo(local).absoluteFilePath()))
                return fail(QStringLiteral("the request could not be sent"));
            if (!session.waitJob())
                return fail(QStringLiteral("the link closed during the transfer"));
            if (!session.job.ok())
                return fail(TransferOutcome::text(session.job, name), true);
            return Ok;
        }

        // rm and run: the robot answers neither in a way the link tells, so the
        // folder list is the evidence.
        QByteArray encoded;
        robotpath::encodeName(name, &encoded);
        if (!session.list(drive, &names))
            return fail(QStringLiteral("the robot did not send the list of %1").arg(QString::fromLatin1(robotpath::folder(drive))));
        if (!names.contains(encoded))
            return fail(QStringLiteral("the robot has no file %1").arg(args[0]));
        if (command == QLatin1String("rm")) {
            if (robotfiles::isConfigureFile(name))
                return fail(QStringLiteral("the configure file is never deleted"));
            if (!link.setRobotPath(RobotLink::PathBlock::Delete, drive, name) || !link.deleteFile())
                return fail(QStringLiteral("the request could not be sent"));
            if (!session.list(drive, &names))
                return fail(QStringLiteral("the robot did not send the list of %1 after deleting")
                                .arg(QString::fromLatin1(robotpath::folder(drive))));
            if (names.contains(encoded))
                return fail(QStringLiteral("the robot still lists %1").arg(args[0]));
            return Ok;
        }
        if (!link.setRobotPath(RobotLink::PathBlock::Run, drive, name) || !link.runFile())
            return fail(QStringLiteral("the request could not be sent"));
        // Written before the link closes.
        waitFor(link.clock(), [&link] { return link.worker().pendingFrames() == 0; }, 3000);
        QThread::msleep(50);
        return Ok;
    }();
    // Whatever the command said after a stop signal was true of it (a
    // cancelled transfer says how far it came); the status tells the signal.
    // A watch ends on a stop signal as it ends when its time is up.
    if (caughtSignal != 0 && command != QLatin1String("watch")) {
        errors() << "gaitforge-cli: stopped by " << (caughtSignal == SIGINT ? "SIGINT" : "SIGTERM") << "\n"
                 << Qt::flush;
        return 128 + int(caughtSignal);
    }
    return status;
}
