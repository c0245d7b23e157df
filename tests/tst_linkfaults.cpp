// The fault matrix: fetches and sends through gaitforge-cli robot (the
// program's own link) against a virtual robot that drops or corrupts answers,
// paces a Bluetooth line, falls silent or dies mid-send, and onto a local disk
// that fills up. Every case ends either with the file intact and success
// reported, or with failure reported and the local file untouched; a damaged
// file is never reported done. Also the command's arguments and exit status.

#include <QtTest>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <csignal>
#include <limits>
#include <memory>
#include <sys/types.h>

#include "link/linkclock.h"
#include "link/serialportthread.h"

#include "support/quietrobot.h"
#include "support/processortime.h"
#include "support/robotsimprocess.h"
#include "support/testfiles.h"

using namespace testfiles;

class TestLinkFaults : public QObject
{
    Q_OBJECT

    QString cli = QString::fromLocal8Bit(qgetenv("GAITFORGE_CLI"));
    QTemporaryDir work;

    struct Run {
        int status = -1;
        QString err;
        QString out;
        qint64 ms = 0;
        qint64 cpuMs = -1;  // processor time the command used (single runs only)
        int skips = 0;  // silences of the robot skipped on the command's clock
    };

    int runs = 0;

    // The command run by process takes the skips of clock on its link's clock.
    bool shareClock(QProcess &process, LinkClock &clock)
    {
        const QString shared = work.path() + QStringLiteral("/clock%1").arg(++runs);
        if (!clock.shareSkips(shared))
            return false;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("GAITFORGE_LINK_CLOCK"), shared);
        process.setProcessEnvironment(env);
        return true;
    }

    // "gaitforge-cli robot ARGS", running. With a robot and skipMs, the
    // command's link clock is shared with this test and skips skipMs over
    // each silence of the robot (see QuietRobot), mostSkips times at most: no
    // time limit is waited out for real. A command still running after 30 s
    // is killed and fails.
    struct Command {
        QProcess process;
        LinkClock clock;
        std::unique_ptr<QuietRobot> quiet;
        QElapsedTimer real;

        // True once the command has ended; skips the clock meanwhile.
        bool ended()
        {
            if (process.state() == QProcess::NotRunning)
                return true;
            if (real.elapsed() > 30000) {
                process.kill();
                process.waitForFinished(1000);
                return true;
            }
            if (quiet)
                quiet->poll();
            return false;
        }

        Run result()
        {
            Run r;
            if (process.error() == QProcess::FailedToStart || process.exitStatus() != QProcess::NormalExit)
                return r;
            r.ms = real.elapsed();
            r.skips = quiet ? quiet->skips : 0;
            r.status = process.exitCode();
            r.err = QString::fromUtf8(process.readAllStandardError());
            r.out = QString::fromUtf8(process.readAllStandardOutput());
            return r;
        }
    };

    // Starts "gaitforge-cli robot ARGS" (see Command); shell, when given, is
    // a sh prefix (limits) run before it.
    std::unique_ptr<Command> start(const QStringList &args, const RobotSimProcess *sim = nullptr, qint64 skipMs = 0,
                                   int mostSkips = std::numeric_limits<int>::max(), const QString &shell = QString())
    {
        auto command = std::make_unique<Command>();
        QProcess &process = command->process;
        process.setWorkingDirectory(work.path());
        if (sim && skipMs > 0 && shareClock(process, command->clock))
            command->quiet = std::make_unique<QuietRobot>(*sim, command->clock, skipMs, mostSkips);
        command->real.start();
        if (shell.isEmpty()) {
            process.start(cli, QStringList{QStringLiteral("robot")} + args);
        } else {
            QStringList quoted;
            for (const QString &a : QStringList{cli, QStringLiteral("robot")} + args)
                quoted << QLatin1Char('\'') + a + QLatin1Char('\'');
            process.start(QStringLiteral("sh"), {QStringLiteral("-c"), shell + QStringLiteral("; exec ") + quoted.join(QLatin1Char(' '))});
        }
        return command;
    }

    // Runs the commands side by side until all have ended.
    static QList<Run> runAll(const std::vector<std::unique_ptr<Command>> &commands)
    {
        for (;;) {
            bool all = true;
            for (const auto &command : commands)
                all = command->ended() && all;
            if (all)
                break;
            QTest::qWait(10);
        }
        QList<Run> runs;
        for (const auto &command : commands)
            runs << command->result();
        return runs;
    }

    // Runs "gaitforge-cli robot ARGS" (see start) until it ends.
    Run robot(const QStringList &args, const RobotSimProcess *sim = nullptr, qint64 skipMs = 0,
              int mostSkips = std::numeric_limits<int>::max(), const QString &shell = QString())
    {
        const qint64 cpuBefore = childrenProcessorMs();
        std::vector<std::unique_ptr<Command>> one;
        one.push_back(start(args, sim, skipMs, mostSkips, shell));
        Run r = runAll(one).value(0);
        // The robot is still running: only the command has ended meanwhile.
        r.cpuMs = childrenProcessorMs() - cpuBefore;
        return r;
    }

    QString local(const QString &name) const { return work.path() + QLatin1Char('/') + name; }

    static QList<int> sizes() { return {0, 1, 127, 128, 129, 1024, 100000}; }
    // How a send ended, beside the bytes acknowledged before it stopped.
    static constexpr int kSent = -1;
    static constexpr int kUnconfirmed = -2;

    // The rows of a test run over both links: "ble" false, then true.
    static void overCableAndBluetooth()
    {
        QTest::addColumn<bool>("ble");
        QTest::newRow("cable") << false;
        QTest::newRow("Bluetooth") << true;
    }

private slots:
    // Each size fetched from a fresh robot with a fault, onto a local file that
    // already holds something (the sizes of a row side by side). The robot
    // counts its answers from its start (the greeting is the first), so which
    // answer a fault hits is fixed by the fetch's own requests and each case
    // has one outcome: done with the file whole (an empty reason), or failed
    // for the reason given. A lost or damaged TransferEnd leaves the fetch
    // waiting for data that does not come: the command's clock skips the
    // silence limit.
    void fetchMatrix_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QStringList>("reasons");  // one for each size
        const QString stopped = QStringLiteral("the robot stopped sending before the end of the file");
        const QString differ = QStringLiteral("two fetches of the file differ, so data was lost on the line");
        auto damaged = [](int n) { return QStringLiteral("%1 damaged frames arrived during the transfer").arg(n); };
        QTest::newRow("clean line") << QStringList() << QStringList({{}, {}, {}, {}, {}, {}, {}});
        QTest::newRow("drop every 5") << QStringList({QStringLiteral("--drop-every"), QStringLiteral("5")})
                                      << QStringList({{}, differ, differ, differ, stopped, stopped, stopped});
        QTest::newRow("drop every 50") << QStringList({QStringLiteral("--drop-every"), QStringLiteral("50")})
                                       << QStringList({{}, {}, {}, {}, {}, {}, differ});
        QTest::newRow("corrupt every 5")
            << QStringList({QStringLiteral("--corrupt-every"), QStringLiteral("5")})
            << QStringList({damaged(1), damaged(1), damaged(1), damaged(1), stopped, damaged(2), stopped});
        QTest::newRow("corrupt every 50") << QStringList({QStringLiteral("--corrupt-every"), QStringLiteral("50")})
                                          << QStringList({{}, {}, {}, {}, {}, {}, damaged(15)});
    }

    void fetchMatrix()
    {
        QFETCH(QStringList, faults);
        QFETCH(QStringList, reasons);
        const QList<int> all = sizes();
        QCOMPARE(reasons.size(), all.size());
        const QByteArray old = "the local file before the fetch";
        std::vector<std::unique_ptr<RobotSimProcess>> robots;
        std::vector<std::unique_ptr<Command>> commands;
        for (int size : all) {
            robots.push_back(std::make_unique<RobotSimProcess>(faults));
            const RobotSimProcess &sim = *robots.back();
            QVERIFY(sim.ok());
            const QString name = QStringLiteral("f%1.bin").arg(size);
            writeFile(sim.drive(0) + QLatin1Char('/') + name, randomBytes(size, quint32(size + 1)));
            writeFile(local(name), old);
            commands.push_back(start({sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/") + name, name}, &sim,
                                     SerialPortThread::kCableSilenceLimitMs + 100));
        }
        const QList<Run> runs = runAll(commands);
        for (int i = 0; i < all.size(); ++i) {
            const Run &r = runs[i];
            const QString name = QStringLiteral("f%1.bin").arg(all[i]);
            if (reasons[i].isEmpty()) {
                QVERIFY2(r.status == 0, qPrintable(name + QStringLiteral(": ") + r.err));
                QVERIFY2(readFile(local(name)) == randomBytes(all[i], quint32(all[i] + 1)), qPrintable(name));
                continue;
            }
            QCOMPARE(r.status, 1);
            QCOMPARE(r.err, QStringLiteral("gaitforge-cli: Fetching %1 failed: %2. The local file was not changed.\n")
                                .arg(name, reasons[i]));
            QVERIFY2(readFile(local(name)) == old, qPrintable(name));
            // A lost TransferEnd is waited for until the command's clock is
            // moved on over the silence limit, not given up on sooner.
            if (reasons[i] == QStringLiteral("the robot stopped sending before the end of the file"))
                QVERIFY2(r.skips >= 1, qPrintable(name));
        }
    }

    // Each size sent to a fresh robot with a fault on its answers (the sizes
    // of a row side by side; the robot receives every byte). The robot counts
    // its answers from its start (the greeting, PrepareTransfer and FileBegin
    // come first, then one per chunk and the TransferEnd), so which answer a
    // fault hits is fixed by the send's own requests and each case has one
    // outcome: done, the robot's copy whole; unconfirmed (the TransferEnd was
    // lost, the robot's copy is whole but the program cannot know it); or the
    // robot stopped acknowledging at a number of bytes, after the
    // acknowledgement limit on the command's clock. A lost acknowledgement
    // keeps its frame's room in the robot's receive buffer taken, so a send
    // stalls once every frame the buffer holds has lost its answer (seven
    // 128-byte chunks fit in 1 KB).
    void sendMatrix_data()
    {
        QTest::addColumn<QStringList>("faults");
        QTest::addColumn<QList<int>>("acknowledged");  // one for each size, or kSent, kUnconfirmed
        const int ok = kSent;
        const int unconfirmed = kUnconfirmed;
        QTest::newRow("clean line") << QStringList() << QList<int>({ok, ok, ok, ok, ok, ok, ok});
        QTest::newRow("drop every 5") << QStringList({QStringLiteral("--drop-every"), QStringLiteral("5")})
                                      << QList<int>({ok, unconfirmed, unconfirmed, unconfirmed, 128, 768, 3200});
        QTest::newRow("drop every 50") << QStringList({QStringLiteral("--drop-every"), QStringLiteral("50")})
                                       << QList<int>({ok, ok, ok, ok, ok, ok, 43520});
        QTest::newRow("corrupt every 5") << QStringList({QStringLiteral("--corrupt-every"), QStringLiteral("5")})
                                         << QList<int>({ok, unconfirmed, unconfirmed, unconfirmed, 128, 768, 3200});
        QTest::newRow("corrupt every 50") << QStringList({QStringLiteral("--corrupt-every"), QStringLiteral("50")})
                                          << QList<int>({ok, ok, ok, ok, ok, ok, 43520});
    }

    void sendMatrix()
    {
        QFETCH(QStringList, faults);
        QFETCH(QList<int>, acknowledged);
        const QList<int> all = sizes();
        QCOMPARE(acknowledged.size(), all.size());
        std::vector<std::unique_ptr<RobotSimProcess>> robots;
        std::vector<std::unique_ptr<Command>> commands;
        for (int size : all) {
            robots.push_back(std::make_unique<RobotSimProcess>(faults));
            const RobotSimProcess &sim = *robots.back();
            QVERIFY(sim.ok());
            const QString name = QStringLiteral("s%1.bin").arg(size);
            writeFile(local(name), randomBytes(size, quint32(size + 7)));
            commands.push_back(start({sim.port, QStringLiteral("send"), name, QStringLiteral("1:/robotsys/") + name}, &sim,
                                     SerialPortThread::kConfirmLimitMs + 100));
        }
        const QList<Run> runs = runAll(commands);
        for (int i = 0; i < all.size(); ++i) {
            const Run &r = runs[i];
            const int size = all[i];
            const QString name = QStringLiteral("s%1.bin").arg(size);
            const QByteArray content = randomBytes(size, quint32(size + 7));
            const QByteArray robotCopy = readFile(robots[size_t(i)]->drive(1) + QLatin1Char('/') + name);
            if (acknowledged[i] == kSent) {
                QVERIFY2(r.status == 0, qPrintable(name + QStringLiteral(": ") + r.err));
                QVERIFY2(robotCopy == content, qPrintable(name));
                continue;
            }
            QCOMPARE(r.status, 1);
            // Every failure here waited for an answer the robot never sent,
            // until the clock was moved on: none gave up while the robot
            // still answered.
            QVERIFY2(r.skips >= 1, qPrintable(name));
            if (acknowledged[i] == kUnconfirmed) {
                QCOMPARE(r.err, QStringLiteral("gaitforge-cli: Sending %1 is unconfirmed: the robot did not report the "
                                               "end of the transfer. The robot's copy of %1 may be incomplete.\n")
                                    .arg(name));
                QVERIFY2(robotCopy == content, qPrintable(name));
            } else {
                QCOMPARE(r.err, QStringLiteral("gaitforge-cli: Sending %1 failed: the robot stopped acknowledging at %2 "
                                               "of %3 bytes. The robot's copy of %1 is now incomplete: it acknowledged "
                                               "%2 of %3 bytes.\n")
                                    .arg(name)
                                    .arg(acknowledged[i])
                                    .arg(size));
                // The robot's file was closed with what it took: at least what it acknowledged.
                QVERIFY2(robotCopy.size() >= acknowledged[i] && content.startsWith(robotCopy),
                         qPrintable(QStringLiteral("%1: %2 bytes kept").arg(name).arg(robotCopy.size())));
            }
        }
    }

    // A robot that takes its time over each request (1, 2, 5, 20 and 100 ms,
    // side by side), over the cable and the Bluetooth bridge: the file
    // arrives whole and the send says so, and the robot's 1 KB receive buffer
    // never overflows (the robot process fails the test when it does). A
    // cable send once wrote eight chunks at a time and let one answer stand
    // for all of them: the robot lost the rest and kept a cut file while the
    // send reported success.
    void slowRobotSend_data() { overCableAndBluetooth(); }
    void slowRobotSend()
    {
        QFETCH(bool, ble);
        const QList<int> processMs = {1, 2, 5, 20, 100};
        // More than two receive buffers of file, in 21 or 22 chunks.
        const int size = ble ? 1400 : 2600;
        std::vector<std::unique_ptr<RobotSimProcess>> robots;
        std::vector<std::unique_ptr<Command>> commands;
        for (int ms : processMs) {
            robots.push_back(std::make_unique<RobotSimProcess>(QStringList{QStringLiteral("--process-ms"), QString::number(ms)}));
            const RobotSimProcess &sim = *robots.back();
            QVERIFY(sim.ok());
            const QString name = QStringLiteral("slow%1.bin").arg(ms);
            writeFile(local(name), randomBytes(size, quint32(ms)));
            commands.push_back(start((ble ? QStringList{QStringLiteral("--ble")} : QStringList())
                                     + QStringList{sim.port, QStringLiteral("send"), name, QStringLiteral("1:/robotsys/") + name}));
        }
        const QList<Run> runs = runAll(commands);
        for (int i = 0; i < processMs.size(); ++i) {
            const QString name = QStringLiteral("slow%1.bin").arg(processMs[i]);
            QVERIFY2(runs[i].status == 0, qPrintable(name + QStringLiteral(": ") + runs[i].err));
            const RobotSimProcess &sim = *robots[size_t(i)];
            QVERIFY2(readFile(sim.drive(1) + QLatin1Char('/') + name) == randomBytes(size, quint32(processMs[i])), qPrintable(name));
            QCOMPARE(sim.requests(QStringLiteral("FileData")).size(), (size + (ble ? 63 : 127)) / (ble ? 64 : 128));
        }
    }

    // Every FileData gets its own answer: a robot that leaves one of them
    // out has not confirmed the whole file, so the send fails and says how
    // much was confirmed, even though the robot's later answers came. (A send
    // of five chunks is answered PrepareTransfer, FileBegin, then once per
    // chunk: with --drop-every 6 a chunk's answer is lost.)
    void lostChunkAnswer_data() { overCableAndBluetooth(); }
    void lostChunkAnswer()
    {
        QFETCH(bool, ble);
        RobotSimProcess sim({QStringLiteral("--drop-every"), QStringLiteral("6")});
        QVERIFY(sim.ok());
        const int chunk = ble ? 64 : 128;
        const int size = 5 * chunk;
        writeFile(local(QStringLiteral("five.bin")), randomBytes(size, 11));
        // The command's clock skips a second short of the acknowledgement
        // limit over each silence, twice at most: the send still waits after
        // the first skip and gives up after the second.
        const int limitMs = ble ? SerialPortThread::kBleAckLimitMs : SerialPortThread::kCableAckLimitMs;
        const Run r = robot((ble ? QStringList{QStringLiteral("--ble")} : QStringList())
                                + QStringList{sim.port, QStringLiteral("send"), QStringLiteral("five.bin"),
                                              QStringLiteral("0:/robotsys/five.bin")},
                            &sim, limitMs - 1000, 2);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.skips, 2);
        const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("Sending five\\.bin failed: the robot stopped acknowledging at (\\d+) of "
                                              "%1 bytes\\. The robot's copy of five\\.bin is now incomplete: it "
                                              "acknowledged \\1 of %1 bytes\\.")
                                   .arg(size))
                .match(r.err);
        QVERIFY2(m.hasMatch(), qPrintable(r.err));
        QVERIFY(m.captured(1).toInt() < size && m.captured(1).toInt() % chunk == 0);
        QCOMPARE(sim.requests(QStringLiteral("FileData")).size(), 5);
    }

    // A fetch whose TransferEnd is lost waits for more of the file until the
    // robot has been silent for the silence limit (3 s over the cable, 5 s
    // over the Bluetooth bridge), not less. (A fetch of 129 bytes is answered
    // the greeting, the list, then two chunks and the TransferEnd: with
    // --drop-every 5 the TransferEnd is lost.) The command's clock skips a
    // second short of the limit over each silence, twice at most: the fetch
    // still waits after the first skip and gives up after the second.
    void lostTransferEnd_data() { overCableAndBluetooth(); }
    void lostTransferEnd()
    {
        QFETCH(bool, ble);
        RobotSimProcess sim({QStringLiteral("--drop-every"), QStringLiteral("5")});
        QVERIFY(sim.ok());
        writeFile(sim.drive(0) + QStringLiteral("/t.bin"), randomBytes(129, 12));
        writeFile(local(QStringLiteral("t.bin")), "old");
        const int limitMs = ble ? SerialPortThread::kBleSilenceLimitMs : SerialPortThread::kCableSilenceLimitMs;
        const Run r = robot((ble ? QStringList{QStringLiteral("--ble")} : QStringList())
                                + QStringList{sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/t.bin"),
                                              QStringLiteral("t.bin")},
                            &sim, limitMs - 1000, 2);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("gaitforge-cli: Fetching t.bin failed: the robot stopped sending before the end "
                                       "of the file. The local file was not changed.\n"));
        QCOMPARE(r.skips, 2);
        QCOMPARE(readFile(local(QStringLiteral("t.bin"))), QByteArray("old"));
    }

    // A robot whose TransferEnd is lost: the send is reported unconfirmed,
    // not done. (The link opens with a keep-alive; a send answers
    // PrepareTransfer, FileBegin, one per chunk, then TransferEnd: with one
    // chunk the fifth answer is the lost one.)
    void unconfirmedSend()
    {
        RobotSimProcess sim({QStringLiteral("--drop-every"), QStringLiteral("5")});
        QVERIFY(sim.ok());
        const QByteArray content = randomBytes(100, 4);
        writeFile(local(QStringLiteral("u.bin")), content);
        // The command's clock skips a second short of the confirmation limit
        // over each silence, twice at most: the send still waits for the
        // TransferEnd after the first skip (the limit has not passed) and
        // gives up after the second.
        const Run r = robot({sim.port, QStringLiteral("send"), QStringLiteral("u.bin"), QStringLiteral("0:/robotsys/u.bin")},
                            &sim, SerialPortThread::kConfirmLimitMs - 1000, 2);
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Sending u.bin is unconfirmed: the robot did not report the end of the transfer.")),
                 qPrintable(r.err));
        QCOMPARE(r.skips, 2);
        QVERIFY(sim.requests(QStringLiteral("FileEnd")).last().endsWith(QStringLiteral("stored=yes bytes=100")));
    }

    // Over a Bluetooth line (9600 baud): the robot's first data is the
    // file's, and the file arrives whole (it once lost its first chunk).
    void bluetoothFetch()
    {
        RobotSimProcess sim({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(sim.ok());
        const QByteArray content = randomBytes(300, 3);
        writeFile(sim.drive(1) + QStringLiteral("/walk.ini"), content);
        const Run r = robot({QStringLiteral("--ble"), sim.port, QStringLiteral("get"), QStringLiteral("1:/robotsys/walk.ini"),
                             QStringLiteral("walk.ini")});
        QVERIFY2(r.status == 0, qPrintable(r.err));
        QCOMPARE(readFile(local(QStringLiteral("walk.ini"))), content);
        QCOMPARE(sim.requests(QStringLiteral("GetFile")).size(), 3);  // fetched three times, compared
        // It says what was checked.
        QCOMPARE(r.out, QStringLiteral("Trans file finished. Checked: 3 copies of walk.ini (300 bytes) fetched one "
                                       "after the other were identical and no frame arrived damaged.\n"));
        // Most of that second is the line's: the command sleeps while it
        // waits for the robot instead of spinning a processor.
        QVERIFY2(r.ms >= 900 && r.cpuMs < r.ms / 3,
                 qPrintable(QStringLiteral("%1 ms of processor time in %2 ms").arg(r.cpuMs).arg(r.ms)));
    }

    // A loss that recurs every 7 answers: a file of 13 chunks is 14 answers,
    // so two back-to-back copies lose the same chunks and agree; 40 chunks
    // are 41 answers, so a copy one answer later would agree. Either file is
    // fetched intact or refused, never written cut.
    void lossRecurringWithTheFile()
    {
        RobotSimProcess sim({QStringLiteral("--drop-every"), QStringLiteral("7")});
        QVERIFY(sim.ok());
        for (int size : {1600, 5000}) {
            const QString name = QStringLiteral("p%1.bin").arg(size);
            const QByteArray content = randomBytes(size, quint32(size));
            writeFile(sim.drive(1) + QLatin1Char('/') + name, content);
            const QByteArray old = "the local file before the fetch";
            writeFile(local(name), old);
            const Run r = robot({sim.port, QStringLiteral("get"), QStringLiteral("1:/robotsys/") + name, name});
            if (r.status == 0) {
                QCOMPARE(readFile(local(name)), content);
            } else {
                QCOMPARE(r.status, 1);
                QVERIFY2(r.err.contains(QStringLiteral("Fetching %1 failed: ").arg(name)), qPrintable(r.err));
                QCOMPARE(readFile(local(name)), old);
            }
        }
    }

    // A file the robot does not have: failure, and nothing written.
    void noSuchFile()
    {
        RobotSimProcess sim;
        QVERIFY(sim.ok());
        writeFile(sim.drive(0) + QStringLiteral("/empty.ini"), QByteArray());
        const Run r = robot({sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/none.ini"), QStringLiteral("none.ini")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Fetching none.ini failed: the robot has no such file")), qPrintable(r.err));
        QVERIFY(!QFile::exists(local(QStringLiteral("none.ini"))));
        // An empty file the robot lists is fetched as one.
        const Run empty = robot({sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/empty.ini"), QStringLiteral("empty.ini")});
        QVERIFY2(empty.status == 0, qPrintable(empty.err));
        QVERIFY(QFile::exists(local(QStringLiteral("empty.ini"))));
        QCOMPARE(readFile(local(QStringLiteral("empty.ini"))), QByteArray());
    }

    // A disk that fills up (a file size limit of 40 KB on the command) and a
    // target that cannot be written: failure with the reason, the old local
    // file untouched.
    void localWriteFails()
    {
        RobotSimProcess sim;
        QVERIFY(sim.ok());
        writeFile(sim.drive(0) + QStringLiteral("/big.bin"), randomBytes(100000, 5));
        writeFile(local(QStringLiteral("big.bin")), "old");
        const Run r = robot({sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/big.bin"), QStringLiteral("big.bin")},
                            nullptr, 0, 0, QStringLiteral("trap '' XFSZ; ulimit -f 40"));
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.contains(QStringLiteral("Fetching big.bin failed: the file ")) && r.err.contains(QStringLiteral("could not be written")),
                 qPrintable(r.err));
        QCOMPARE(readFile(local(QStringLiteral("big.bin"))), QByteArray("old"));
        QCOMPARE(QDir(work.path()).entryList(QDir::Files).filter(QStringLiteral("big.bin")), QStringList({QStringLiteral("big.bin")}));

        const Run nowhere = robot({sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/big.bin"),
                                   QStringLiteral("no/such/folder/big.bin")});
        QCOMPARE(nowhere.status, 1);
        QVERIFY2(nowhere.err.contains(QStringLiteral("could not be written")), qPrintable(nowhere.err));
    }

    // A robot that dies or falls silent in the middle of a send: the send
    // stops within the time limit, says where, and still closes the robot's
    // file when the robot is there to hear it.
    void robotStopsMidSend_data()
    {
        QTest::addColumn<bool>("kill");
        QTest::newRow("silent") << false;
        QTest::newRow("killed") << true;
    }
    void robotStopsMidSend()
    {
        QFETCH(bool, kill);
        auto sim = std::make_unique<RobotSimProcess>(QStringList{QStringLiteral("--baud"), QStringLiteral("115200")}
                                                     + (kill ? QStringList() : QStringList{QStringLiteral("--silent-after"), QStringLiteral("1.2")}));
        QVERIFY(sim->ok());
        writeFile(local(QStringLiteral("long.bin")), randomBytes(100000, 9));
        QProcess process;
        process.setWorkingDirectory(work.path());
        // The acknowledgement limit passes on the command's clock, which
        // skips over it when the robot has gone: a silent robot logs the
        // requests it no longer answers, a killed one nothing at all.
        LinkClock linkClock;
        QVERIFY(shareClock(process, linkClock));
        QuietRobot quiet(*sim, linkClock, SerialPortThread::kCableAckLimitMs + 100);
        process.start(cli, {QStringLiteral("robot"), sim->port, QStringLiteral("send"), QStringLiteral("long.bin"),
                            QStringLiteral("1:/robotsys/long.bin")});
        QElapsedTimer clock;
        clock.start();
        if (kill) {
            QTRY_VERIFY_WITH_TIMEOUT(sim->requests(QStringLiteral("FileData")).size() >= 20, 10000);
            sim->process.kill();
            clock.restart();
            while (process.state() != QProcess::NotRunning && !process.waitForFinished(300) && clock.elapsed() < 10000)
                linkClock.skip(SerialPortThread::kCableAckLimitMs + 100);
        } else {
            while (process.state() != QProcess::NotRunning && !process.waitForFinished(10) && clock.elapsed() < 20000)
                quiet.poll();
        }
        QCOMPARE(process.state(), QProcess::NotRunning);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        qInfo().noquote() << (kill ? "killed:" : "silent:") << err.trimmed() << clock.elapsed() << "ms";
        QCOMPARE(process.exitCode(), 1);
        const QRegularExpressionMatch m = QRegularExpression(
            QStringLiteral("Sending long\\.bin failed: the robot stopped acknowledging at (\\d+) of 100000 bytes\\.")).match(err);
        QVERIFY2(m.hasMatch(), qPrintable(err));
        QVERIFY(m.captured(1).toInt() > 0 && m.captured(1).toInt() < 100000);
        // The robot's copy is cut: it is said, with what the robot confirmed.
        QVERIFY2(err.contains(QStringLiteral("The robot's copy of long.bin is now incomplete: it acknowledged %1 of "
                                             "100000 bytes.").arg(m.captured(1))),
                 qPrintable(err));
        const qint64 kept = QFileInfo(sim->drive(1) + QStringLiteral("/long.bin")).size();
        QVERIFY2(kept >= m.captured(1).toInt() && kept < 100000, qPrintable(QString::number(kept)));
        if (kill) {
            QVERIFY(clock.elapsed() < 4000);
        } else {
            // The robot's file was closed after the last burst.
            QTRY_VERIFY_WITH_TIMEOUT(!sim->requests(QStringLiteral("TransferDone")).isEmpty(), 5000);
            const QStringList order = sim->requests();
            QVERIFY(order.last().startsWith(QStringLiteral("TransferDone")));
            QVERIFY(order[order.size() - 2].startsWith(QStringLiteral("FileEnd")));
        }
    }

    // A fetch stopped by SIGTERM while the robot still sends the file (it
    // cannot be told to stop): the command cancels, leaves the local file and
    // exits 143. The next commands do not take what still arrives of it for
    // their answers: a new link drops it before its first request (the robot
    // has written the whole file before it hears the link's keep-alive), so
    // the list comes, and a send ends only with its own TransferEnd, the
    // robot's file stored whole when the command exits.
    void interruptedFetch()
    {
        // Two seconds of file at this rate; what the robot has not written
        // when the fetch stops waits on the line for the next link.
        RobotSimProcess sim({QStringLiteral("--baud"), QStringLiteral("1500000")});
        QVERIFY(sim.ok());
        writeFile(sim.drive(0) + QStringLiteral("/long.mp3"), randomBytes(300000, 21));
        writeFile(local(QStringLiteral("long.mp3")), "old");
        QProcess fetch;
        fetch.setWorkingDirectory(work.path());
        fetch.start(cli, {QStringLiteral("robot"), sim.port, QStringLiteral("get"), QStringLiteral("0:/robotsys/long.mp3"),
                          QStringLiteral("long.mp3")});
        QTRY_COMPARE_WITH_TIMEOUT(sim.requests(QStringLiteral("GetFile")).size(), 1, 5000);
        fetch.terminate();
        QVERIFY(fetch.waitForFinished(5000));
        // (How the fetch ended is checked last: the next commands are the
        // point here.)
        const bool stopped = fetch.exitStatus() == QProcess::NormalExit && fetch.exitCode() == 143;
        const QString err = QString::fromUtf8(fetch.readAllStandardError());
        QCOMPARE(readFile(local(QStringLiteral("long.mp3"))), QByteArray("old"));
        QVERIFY(!QuietRobot::answeredAll(sim));

        const Run ls = robot({sim.port, QStringLiteral("ls"), QStringLiteral("0")});
        QVERIFY2(ls.status == 0, qPrintable(ls.err));
        QCOMPARE(ls.out, QStringLiteral("long.mp3\n"));
        QFile log(sim.logPath());
        QVERIFY(log.open(QIODevice::ReadOnly | QIODevice::Text));
        const QList<QByteArray> lines = log.readAll().split('\n');
        int at = 0;
        while (at < lines.size() && !lines[at].contains(" GetFile"))
            ++at;
        while (at < lines.size() && !lines[at].endsWith("# all answers written") && !lines[at].contains(" KeepAlive"))
            ++at;
        QVERIFY2(at < lines.size() && lines[at].endsWith("# all answers written"), lines.value(at).constData());

        const QByteArray content = randomBytes(3000, 22);
        writeFile(local(QStringLiteral("next.ini")), content);
        const Run send = robot({sim.port, QStringLiteral("send"), QStringLiteral("next.ini"), QStringLiteral("0:/robotsys/next.ini")});
        QVERIFY2(send.status == 0, qPrintable(send.err));
        QCOMPARE(readFile(sim.drive(0) + QStringLiteral("/next.ini")), content);
        QVERIFY(sim.requests(QStringLiteral("FileEnd")).last().endsWith(QStringLiteral("stored=yes bytes=3000")));
        QVERIFY2(stopped, qPrintable(err));
        QVERIFY2(err.contains(QStringLiteral("Fetching long.mp3 was cancelled. The local file was not changed.")),
                 qPrintable(err));
    }

    // Ctrl+C (SIGINT) or SIGTERM during a send ends it as cancel does: the
    // robot's file is closed (FileEnd, TransferDone), the command says how
    // far it came and exits 130 or 143. A signal while no transfer runs ends
    // the command at once with the same status.
    void stopSignals_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        QTest::newRow("SIGINT") << int(SIGINT) << 130;
        QTest::newRow("SIGTERM") << int(SIGTERM) << 143;
    }
    void stopSignals()
    {
        QFETCH(int, signal);
        QFETCH(int, status);
        RobotSimProcess sim({QStringLiteral("--baud"), QStringLiteral("115200")});
        QVERIFY(sim.ok());
        writeFile(local(QStringLiteral("long.bin")), randomBytes(100000, 9));
        QProcess process;
        process.setWorkingDirectory(work.path());
        process.start(cli, {QStringLiteral("robot"), sim.port, QStringLiteral("send"), QStringLiteral("long.bin"),
                            QStringLiteral("1:/robotsys/long.bin")});
        QTRY_VERIFY_WITH_TIMEOUT(sim.requests(QStringLiteral("FileData")).size() >= 20, 10000);
        ::kill(pid_t(process.processId()), signal);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), status);
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(QRegularExpression(QStringLiteral("Sending long\\.bin was cancelled at (\\d+) of 100000 bytes\\. The "
                                                   "robot's copy of long\\.bin is now incomplete: it acknowledged "
                                                   "\\1 of 100000 bytes\\."))
                     .match(err)
                     .hasMatch(),
                 qPrintable(err));
        QVERIFY(err.contains(signal == SIGINT ? QStringLiteral("stopped by SIGINT") : QStringLiteral("stopped by SIGTERM")));
        QTRY_VERIFY_WITH_TIMEOUT(!sim.requests(QStringLiteral("TransferDone")).isEmpty(), 5000);
        const QStringList order = sim.requests();
        QVERIFY(order.last().startsWith(QStringLiteral("TransferDone")));
        QVERIFY(order[order.size() - 2].startsWith(QStringLiteral("FileEnd")));

        // No transfer running: a robot that never answers, stopped while the
        // command waits for its first answer.
        RobotSimProcess silent({QStringLiteral("--silent-after"), QStringLiteral("0")});
        QVERIFY(silent.ok());
        QProcess waiting;
        waiting.start(cli, {QStringLiteral("robot"), silent.port, QStringLiteral("ls"), QStringLiteral("0")});
        QTRY_COMPARE_WITH_TIMEOUT(silent.requests(QStringLiteral("KeepAlive")).size(), 1, 5000);
        ::kill(pid_t(waiting.processId()), signal);
        QVERIFY(waiting.waitForFinished(3000));
        QCOMPARE(waiting.exitStatus(), QProcess::NormalExit);
        QCOMPARE(waiting.exitCode(), status);
        const QString said = QString::fromUtf8(waiting.readAllStandardError());
        QVERIFY2(!said.contains(QStringLiteral("does not answer")) && !said.contains(QStringLiteral("did not send")),
                 qPrintable(said));
    }

    // Wrong arguments: exit 2 and the usage; nothing is opened.
    void arguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("nothing") << QStringList();
        QTest::newRow("no command") << QStringList({QStringLiteral("/dev/null")});
        QTest::newRow("unknown command") << QStringList({QStringLiteral("/dev/null"), QStringLiteral("cat"), QStringLiteral("x")});
        QTest::newRow("bad drive") << QStringList({QStringLiteral("/dev/null"), QStringLiteral("ls"), QStringLiteral("2")});
        QTest::newRow("bad robot path") << QStringList({QStringLiteral("/dev/null"), QStringLiteral("rm"), QStringLiteral("walk.ini")});
        QTest::newRow("sub-folder") << QStringList({QStringLiteral("/dev/null"), QStringLiteral("run"), QStringLiteral("0:/robotsys/a/b.ini")});
        QTest::newRow("get without local") << QStringList({QStringLiteral("/dev/null"), QStringLiteral("get"), QStringLiteral("0:/robotsys/a.ini")});
        QTest::newRow("bad baud") << QStringList({QStringLiteral("--baud"), QStringLiteral("fast"), QStringLiteral("/dev/null"), QStringLiteral("ls"), QStringLiteral("0")});
        QTest::newRow("unknown option") << QStringList({QStringLiteral("--fast"), QStringLiteral("/dev/null"), QStringLiteral("ls"), QStringLiteral("0")});
    }
    void arguments()
    {
        QFETCH(QStringList, args);
        const Run r = robot(args);
        QCOMPARE(r.status, 2);
        QVERIFY(r.err.contains(QStringLiteral("Usage: gaitforge-cli robot")));
    }

    // ls, rm and run, and a port that cannot be opened.
    void listRemoveRun()
    {
        RobotSimProcess sim;
        QVERIFY(sim.ok());
        writeFile(sim.drive(1) + QStringLiteral("/a.ini"), "x");
        writeFile(sim.drive(1) + QStringLiteral("/b.mp3"), "y");
        writeFile(sim.drive(1) + QStringLiteral("/robotcfg.ini"), "z");
        Run r = robot({sim.port, QStringLiteral("ls"), QStringLiteral("1")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("a.ini\nb.mp3\nrobotcfg.ini\n"));
        r = robot({sim.port, QStringLiteral("rm"), QStringLiteral("1:/robotsys/a.ini")});
        QCOMPARE(r.status, 0);
        QVERIFY(!QFile::exists(sim.drive(1) + QStringLiteral("/a.ini")));
        r = robot({sim.port, QStringLiteral("rm"), QStringLiteral("1:/robotsys/a.ini")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("no file 1:/robotsys/a.ini")));
        r = robot({sim.port, QStringLiteral("rm"), QStringLiteral("1:/robotsys/robotcfg.ini")});
        QCOMPARE(r.status, 1);
        QVERIFY(QFile::exists(sim.drive(1) + QStringLiteral("/robotcfg.ini")));
        r = robot({sim.port, QStringLiteral("run"), QStringLiteral("1:/robotsys/b.mp3")});
        QCOMPARE(r.status, 0);
        QVERIFY(sim.requests(QStringLiteral("RunFile")).last().contains(QStringLiteral("path=\"1:/robotsys/b.mp3\"")));
        QVERIFY(sim.requests(QStringLiteral("PlayControl")).last().endsWith(QStringLiteral("payload=0100")));
        r = robot({work.path() + QStringLiteral("/no-port"), QStringLiteral("ls"), QStringLiteral("0")});
        QCOMPARE(r.status, 1);
        QVERIFY(r.err.contains(QStringLiteral("cannot open the port")));
    }
};

QTEST_GUILESS_MAIN(TestLinkFaults)
#include "tst_linkfaults.moc"
