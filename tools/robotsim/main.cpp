// gaitforge-robotsim: a virtual robot on a pseudo-terminal. It prints the
// terminal's path (and can link it to a fixed path), answers every request of
// the packet protocol as the robot's main board, servos and LED board would,
// keeps the robot's two drives in a folder, logs every request it receives
// and can misbehave on purpose: fall silent, refuse files, drop or corrupt
// answers, and pace its line like a real serial line; servos can be missing
// from its bus, two can share an address, one can answer from a wrong one.
// Released servos (working mode 1 or 7) stay where they are unless a scripted
// hand moves them (--hand-move); putting one back into a driving mode is logged
// ("hold servo N target T position P").
//
// Like a main board it has a small receive buffer: bytes that arrive while it
// is still busy with a request (--process-ms) wait there, and bytes that find
// it full are lost ("overflow" in the log).

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <utility>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include "core/installedfiles.h"
#include "link/framereader.h"
#include "link/linkclock.h"
#include "link/packet.h"
#include "virtualrobot.h"

static volatile sig_atomic_t stopRequested = 0;

static void onSignal(int)
{
    stopRequested = 1;
}

// SIGUSR1 asks whether the robot is idle (see the loop).
static volatile sig_atomic_t idleAsked = 0;

static void onIdleQuestion(int)
{
    idleAsked = 1;
}

static double now()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// Outgoing frames with the time they have fully left the line.
struct Outgoing {
    double due;
    QByteArray bytes;
};

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gaitforge-robotsim"));
    QCoreApplication::setApplicationVersion(installedfiles::version());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "A virtual gaitForge robot on a pseudo-terminal. Connect the program to the printed port."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption rootOption(QStringLiteral("root"),
                                        QStringLiteral("Folder holding the two drives (DIR/0 SD card, DIR/1 flash)."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption logOption(QStringLiteral("log"), QStringLiteral("Log every request received to FILE."),
                                       QStringLiteral("FILE"));
    const QCommandLineOption linkOption(QStringLiteral("link"),
                                        QStringLiteral("Make PATH a symbolic link to the port."), QStringLiteral("PATH"));
    const QCommandLineOption silentOption(QStringLiteral("silent-after"),
                                          QStringLiteral("Stop answering SECONDS after start (0: never answer)."),
                                          QStringLiteral("SECONDS"));
    const QCommandLineOption silentAnswersOption(
        QStringLiteral("silent-after-answers"),
        QStringLiteral("Answer the first N requests, then stop answering (N counts every request received)."),
        QStringLiteral("N"));
    const QCommandLineOption refuseOption(QStringLiteral("refuse-files"), QStringLiteral("Refuse every file sent."));
    const QCommandLineOption dropOption(QStringLiteral("drop-every"),
                                        QStringLiteral("Leave out every Nth answer frame."), QStringLiteral("N"));
    const QCommandLineOption corruptOption(QStringLiteral("corrupt-every"),
                                           QStringLiteral("Send every Nth answer frame with a wrong checksum."),
                                           QStringLiteral("N"));
    const QCommandLineOption baudOption(QStringLiteral("baud"),
                                        QStringLiteral("Pace both directions like a line of N baud (10 bits a byte)."),
                                        QStringLiteral("N"));
    const QCommandLineOption bufferOption(QStringLiteral("receive-buffer"),
                                          QStringLiteral("Bytes the receive buffer holds (default 1024)."),
                                          QStringLiteral("BYTES"), QStringLiteral("1024"));
    const QCommandLineOption processOption(QStringLiteral("process-ms"),
                                           QStringLiteral("Time the robot is busy with each request it handles."),
                                           QStringLiteral("MS"), QStringLiteral("0"));
    const QCommandLineOption blankOption(QStringLiteral("blank-drives"),
                                         QStringLiteral("Start without the factory robotcfg.ini on the flash drive."));
    const QCommandLineOption absentOption(QStringLiteral("absent-servos"),
                                          QStringLiteral("Servos missing from the bus (they never answer), e.g. 7,9."),
                                          QStringLiteral("LIST"));
    const QCommandLineOption handOption(
        QStringLiteral("hand-move"),
        QStringLiteral("Once SERVO is released, a hand moves it from FROM to TO (tenths of a degree) in MS "
                       "milliseconds; may be given again (moves of one servo follow each other)."),
        QStringLiteral("SERVO:FROM:TO:MS"));
    const QCommandLineOption duplicateOption(
        QStringLiteral("duplicate-servo"),
        QStringLiteral("Two servos share address N: their answers to reads collide into damaged frames."),
        QStringLiteral("N"));
    const QCommandLineOption strangerOption(
        QStringLiteral("stranger-servo"),
        QStringLiteral("Servo N answers from address N + 100, outside 2..20."), QStringLiteral("N"));
    parser.addOptions({rootOption, logOption, linkOption, silentOption, silentAnswersOption, refuseOption, dropOption, corruptOption,
                       baudOption, bufferOption, processOption, blankOption, absentOption});
    parser.addOptions({handOption, duplicateOption, strangerOption});
    const QCommandLineOption hotOption(
        QStringLiteral("hot-servo"),
        QStringLiteral("Servo N overheats while it holds: over its limit within 3 s, then \"high temperature\"."),
        QStringLiteral("N"));
    const QCommandLineOption batteryOption(QStringLiteral("battery-mv"),
                                           QStringLiteral("The battery's voltage at rest at the start (default 7400)."),
                                           QStringLiteral("MV"));
    const QCommandLineOption clockOption(
        QStringLiteral("shared-clock"),
        QStringLiteral("Warm and cool the servos by a clock whose skips a test writes to FILE."),
        QStringLiteral("FILE"));
    parser.addOptions({hotOption, batteryOption, clockOption});
    parser.process(app);

    QTemporaryDir scratch;
    const QString root = parser.isSet(rootOption) ? parser.value(rootOption) : scratch.path();
    VirtualRobot robot(root);
    robot.setHotServo(parser.value(hotOption).toInt());
    if (parser.isSet(batteryOption))
        robot.setBatteryMv(parser.value(batteryOption).toInt());
    // The servos' time: real time, plus what a test skips through the file.
    LinkClock servoClock;
    if (parser.isSet(clockOption)) {
        if (!servoClock.shareSkips(parser.value(clockOption))) {
            std::fprintf(stderr, "gaitforge-robotsim: cannot share the clock %s\n", qPrintable(parser.value(clockOption)));
            return 1;
        }
        robot.setClock([&servoClock] { return servoClock.nowMs(); });
    }
    robot.refuseFiles = parser.isSet(refuseOption);
    for (const QString &servo : parser.value(absentOption).split(QLatin1Char(','), Qt::SkipEmptyParts))
        robot.absentServos.insert(servo.toInt());
    for (const QString &move : parser.values(handOption)) {
        if (!robot.hands.add(move)) {
            std::fprintf(stderr, "gaitforge-robotsim: --hand-move takes SERVO:FROM:TO:MS (SERVO 2..20), not %s\n",
                         qPrintable(move));
            return 2;
        }
    }
    for (const auto &[option, field] : {std::make_pair(&duplicateOption, &robot.duplicateServo),
                                        std::make_pair(&strangerOption, &robot.strangerServo)}) {
        if (!parser.isSet(*option))
            continue;
        bool ok = false;
        *field = parser.value(*option).toInt(&ok);
        if (!ok || *field < 2 || *field > 20) {
            std::fprintf(stderr, "gaitforge-robotsim: --%s takes a servo 2..20\n", qPrintable(option->names().first()));
            return 2;
        }
    }
    if (!parser.isSet(blankOption))
        robot.installFactoryConfig();
    const double silentAfter = parser.isSet(silentOption) ? parser.value(silentOption).toDouble() : -1;
    const int answeredRequests = parser.isSet(silentAnswersOption) ? parser.value(silentAnswersOption).toInt() : -1;
    int requestsReceived = 0;
    const int dropEvery = parser.value(dropOption).toInt();
    const int corruptEvery = parser.value(corruptOption).toInt();
    const double bytesPerSecond = parser.value(baudOption).toDouble() / 10.0;
    const int receiveCapacity = qMax(16, parser.value(bufferOption).toInt());
    const double processSeconds = qMax(0.0, parser.value(processOption).toDouble() / 1000.0);

    QFile logFile;
    QTextStream log;
    if (parser.isSet(logOption)) {
        logFile.setFileName(parser.value(logOption));
        if (!logFile.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
            std::fprintf(stderr, "gaitforge-robotsim: cannot write the log %s\n", qPrintable(logFile.fileName()));
            return 1;
        }
        log.setDevice(&logFile);
    }

    // The pseudo-terminal. We keep the other side open too, so the port
    // survives the program closing and reopening it.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) {
        std::perror("gaitforge-robotsim: pseudo-terminal");
        return 1;
    }
    const QString portPath = QString::fromLocal8Bit(ptsname(master));
    const int slave = open(ptsname(master), O_RDWR | O_NOCTTY);
    if (slave < 0) {
        std::perror("gaitforge-robotsim: pseudo-terminal");
        return 1;
    }
    termios tio;
    tcgetattr(slave, &tio);
    cfmakeraw(&tio);
    tcsetattr(slave, TCSANOW, &tio);
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);

    QString linkPath;
    if (parser.isSet(linkOption)) {
        linkPath = parser.value(linkOption);
        QFile::remove(linkPath);
        if (symlink(ptsname(master), QFile::encodeName(linkPath).constData()) != 0) {
            std::perror("gaitforge-robotsim: link");
            return 1;
        }
    }
    std::signal(SIGINT, onSignal);
    std::signal(SIGTERM, onSignal);
    std::signal(SIGHUP, onSignal);
    std::signal(SIGUSR1, onIdleQuestion);
    std::printf("gaitforge-robotsim: port %s%s%s\n", qPrintable(portPath),
                linkPath.isEmpty() ? "" : " linked as ", qPrintable(linkPath));
    std::fflush(stdout);

    const double start = now();
    if (log.device()) {
        // The start on the monotonic clock: a test relates its own moments
        // (a click) to the times of this log.
        log << QStringLiteral("0.000 # started on %1 monotonic %2\n").arg(portPath).arg(start, 0, 'f', 6);
        log.flush();
    }
    FrameReader reader;
    QByteArray incoming;         // read from the terminal, still on the line when paced
    double incomingDone = 0;     // when the last of it has arrived
    std::deque<Outgoing> outgoing;
    double outgoingDone = 0;
    QByteArray writing;          // the frame being written to the terminal
    quint64 answersMade = 0;
    const int backlogLimit = 4096;  // bytes on their way over a paced line: the sender waits beyond it
    QByteArray received;         // arrived, waiting for the robot to handle them
    double busyUntil = 0;        // the robot handles the next request from then on

    auto send = [&](const QByteArray &frame, double t) {
        ++answersMade;
        if (dropEvery > 0 && answersMade % quint64(dropEvery) == 0) {
            if (log.device())
                log << QStringLiteral("%1 # dropped answer\n").arg(t - start, 0, 'f', 3);
            return;
        }
        QByteArray bytes = frame;
        if (corruptEvery > 0 && answersMade % quint64(corruptEvery) == 0) {
            // The checksum byte sits before the end marker (after its stuffing, if any).
            int at = bytes.size() - 3;
            if (quint8(bytes[at]) == 0x00 && quint8(bytes[at - 1]) == 0xAA)
                at -= 1;
            bytes[at] = char(quint8(bytes[at]) == 0x01 ? 0x03 : quint8(bytes[at]) ^ 0x01);
            if (log.device())
                log << QStringLiteral("%1 # corrupted answer\n").arg(t - start, 0, 'f', 3);
        }
        double due = t;
        if (bytesPerSecond > 0) {
            due = qMax(t, outgoingDone) + bytes.size() / bytesPerSecond;
            outgoingDone = due;
        }
        outgoing.push_back({due, bytes});
    };

    // A request was handled since the log last said that every answer was written.
    bool answersPending = false;

    auto onFrame = [&](const quint8 *body, int length) {
        const double t = now();
        answersPending = true;
        robot.setTime(t - start);
        const VirtualRobot::Result result = robot.handle(body, length);
        ++requestsReceived;
        const bool silent = (silentAfter >= 0 && t - start >= silentAfter)
                            || (answeredRequests >= 0 && requestsReceived > answeredRequests);
        if (log.device()) {
            log << QStringLiteral("%1 %2%3\n").arg(t - start, 0, 'f', 3).arg(result.log,
                                                                             silent ? QStringLiteral(" silent")
                                                                                    : QString());
            for (const QString &note : result.notes)
                log << QStringLiteral("%1 %2\n").arg(t - start, 0, 'f', 3).arg(note);
            log.flush();
        }
        if (!silent)
            for (const QByteArray &frame : result.answers)
                send(frame, t);
    };

    // Handles what waits in the receive buffer, one request at a time while
    // the robot is not busy.
    auto handleReceived = [&](double t) {
        while (!received.isEmpty() && t >= busyUntil) {
            int used = 0;
            bool handled = false;
            while (used < received.size() && !handled)
                handled = reader.feed(received.constData() + used++, 1, onFrame) > 0;
            received.remove(0, used);
            if (handled && processSeconds > 0)
                busyUntil = t + processSeconds;
        }
    };
    // Bytes arriving from the line go into the receive buffer; what finds it
    // full is lost.
    auto absorb = [&](const char *data, int n, double t) {
        int at = 0;
        while (at < n) {
            const int take = qMin(n - at, receiveCapacity - received.size());
            received.append(data + at, take);
            at += take;
            handleReceived(t);
            if (at < n && received.size() >= receiveCapacity) {
                if (log.device()) {
                    log << QStringLiteral("%1 # overflow: %2 bytes lost\n").arg(t - start, 0, 'f', 3).arg(n - at);
                    log.flush();
                }
                break;
            }
        }
    };

    char buffer[4096];
    while (!stopRequested) {
        double t = now();

        // Input: read what the line could have carried; hand on what has arrived.
        const bool roomForInput = bytesPerSecond <= 0 || incoming.size() < backlogLimit;
        // Output: write frames whose time has come.
        while (writing.isEmpty() && !outgoing.empty() && outgoing.front().due <= t) {
            writing = outgoing.front().bytes;
            outgoing.pop_front();
        }
        if (!writing.isEmpty()) {
            const ssize_t n = write(master, writing.constData(), size_t(writing.size()));
            if (n > 0)
                writing.remove(0, int(n));
        }
        // The robot has nothing more to say until it is asked again: a test
        // that waits for an answer this robot left out knows from this line
        // that it will not come.
        if (answersPending && writing.isEmpty() && outgoing.empty() && received.isEmpty() && incoming.isEmpty()) {
            answersPending = false;
            if (log.device()) {
                log << QStringLiteral("%1 # all answers written\n").arg(t - start, 0, 'f', 3);
                log.flush();
            }
        }

        // Sleep until input comes, the next byte arrives or the next answer is due.
        double wait = 0.05;
        if (!received.isEmpty())
            wait = qMin(wait, qMax(0.0, busyUntil - t));
        if (!incoming.isEmpty())
            wait = bytesPerSecond > 0 ? qMin(wait, 0.0002) : 0;
        if (!outgoing.empty() && writing.isEmpty())
            wait = qMin(wait, qMax(0.0, outgoing.front().due - t));
        if (!writing.isEmpty())
            wait = qMin(wait, 0.0005);
        pollfd pfd{master, short(roomForInput ? POLLIN : 0), 0};
        const timespec ts{time_t(wait), long((wait - double(time_t(wait))) * 1e9)};
        const int ready = ppoll(&pfd, 1, &ts, nullptr);
        t = now();
        if (ready > 0 && (pfd.revents & POLLIN)) {
            const int room = bytesPerSecond > 0 ? backlogLimit - incoming.size() : int(sizeof buffer);
            const ssize_t n = read(master, buffer, size_t(qMin<int>(room, int(sizeof buffer))));
            if (n > 0) {
                if (bytesPerSecond > 0)
                    incomingDone = qMax(t, incomingDone) + double(n) / bytesPerSecond;
                incoming.append(buffer, int(n));
            }
        } else if (ready > 0 && (pfd.revents & (POLLHUP | POLLERR))) {
            // No reader on the other side right now: wait for the next connection.
            usleep(20000);
        }
        if (!incoming.isEmpty()) {
            int arrived = incoming.size();
            if (bytesPerSecond > 0 && incomingDone > t) {
                const int onLine = int((incomingDone - t) * bytesPerSecond + 0.999);
                arrived = qMax(0, incoming.size() - onLine);
            }
            if (arrived > 0) {
                absorb(incoming.constData(), arrived, t);
                incoming.remove(0, arrived);
            }
        }
        handleReceived(t);

        // Asked (SIGUSR1) whether it is idle, the robot logs "# idle" when it
        // has handled everything that reached it, nothing more waits on the
        // line to be read and every answer is written; "# busy" otherwise. A
        // test waits for that line: a robot that has not run for a while
        // cannot be taken for one that has nothing more to say.
        if (idleAsked) {
            idleAsked = 0;
            pollfd unread{master, POLLIN, 0};
            const bool waiting = poll(&unread, 1, 0) > 0 && (unread.revents & POLLIN);
            const bool idle = !waiting && writing.isEmpty() && outgoing.empty() && received.isEmpty()
                              && incoming.isEmpty();
            if (log.device()) {
                log << QStringLiteral("%1 # %2\n").arg(now() - start, 0, 'f', 3).arg(idle ? QStringLiteral("idle") : QStringLiteral("busy"));
                log.flush();
            }
        }
    }

    if (log.device())
        log.flush();
    if (!linkPath.isEmpty())
        QFile::remove(linkPath);
    close(slave);
    close(master);
    return 0;
}
