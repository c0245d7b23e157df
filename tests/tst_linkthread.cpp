// The link thread against the virtual robot over a pseudo-terminal: opening,
// the send queue, the send job (cable and Bluetooth chunking, refusal) and the
// get job, and answers surviving a lossy line.

#include <QtTest>
#include <QTemporaryDir>

#include "link/serialportthread.h"
#include "support/quietrobot.h"
#include "support/robotsimprocess.h"

using namespace packet;

// What the link tells, as the window's thread takes it: values only.
struct Heard : QObject {
    QList<int> status, answers, progress;
    QMap<int, int> positions;  // by servo
    QList<FileJobResult> jobs;
    explicit Heard(SerialPortThread &link)
    {
        connect(&link, &SerialPortThread::serialPortOpenStatus, this, [this](int v) { status << v; },
                Qt::QueuedConnection);
        connect(&link, &SerialPortThread::eventsWaiting, this, [this, &link] {
                for (const LinkEvent &e : link.takeEvents()) {
                    if (e.kind == LinkEvent::Answer) {
                        answers << e.answer.type;
                        if (e.answer.positionServo)
                            positions[e.answer.positionServo] = e.answer.position;
                    } else if (e.kind == LinkEvent::Progress) {
                        progress << e.progress;
                    } else if (e.kind == LinkEvent::JobEnded) {
                        jobs << e.job;
                    }
                }
            }, Qt::QueuedConnection);
    }
};

// The window's side of the request fields (the link thread never reads them).
static RequestFields request;

class TestLinkThread : public QObject
{
    Q_OBJECT

    QTemporaryDir work;

    // Opens the link on the robot's port.
    static bool open(SerialPortThread &link, const RobotSimProcess &robot, Heard &heard, bool ble = false)
    {
        link.setPortName(robot.port);
        link.setBaudRate(ble ? 9600 : 1500000);
        link.bleMode = ble ? 1 : 0;
        link.quitFlag = 0;
        link.start();
        QElapsedTimer clock;
        clock.start();
        while (heard.status.isEmpty() && clock.elapsed() < 5000)
            QTest::qWait(10);
        return heard.status.value(0) == 1;
    }

    static void close(SerialPortThread &link)
    {
        link.quitFlag = 1;
        QVERIFY(link.wait(10000));
    }

    static bool post(SerialPortThread &link, int type, int kind = Write)
    {
        int flags = SerialPortThread::PlainFrame;
        if (type == FileBegin)
            flags = SerialPortThread::StartsFileBegin;
        return link.postFrame(buildRequest(request, type, kind), flags);
    }

    QString localFile(const QString &name, const QByteArray &content)
    {
        const QString path = work.path() + QLatin1Char('/') + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(content);
        return path;
    }

    static QByteArray pattern(int size)
    {
        QByteArray data(size, '\0');
        for (int i = 0; i < size; ++i)
            data[i] = char((i * 7 + i / 251) & 0xFF);  // every byte value, 0xAA included
        return data;
    }

    // Starts a send job as the file browser does: PrepareTransfer, FileBegin
    // with the robot path, then the job flag.
    static void startSend(SerialPortThread &link, const QString &local, const QByteArray &robotPath)
    {
        post(link, PrepareTransfer);
        QVERIFY(request.setSendPath(robotPath));
        post(link, FileBegin);
        link.startSendJob(local);
    }

    static QList<int> chunkSizes(const RobotSimProcess &robot)
    {
        QList<int> sizes;
        for (const QString &line : robot.requests(QStringLiteral("FileData")))
            sizes << line.section(QStringLiteral("bytes="), 1).toInt();
        return sizes;
    }

    static QStringList names(const QStringList &lines)
    {
        QStringList out;
        for (const QString &line : lines)
            out << line.section(QLatin1Char(' '), 0, 0);
        return out;
    }

private slots:
    // The link's clock: the monotonic clock plus what was skipped, shared
    // through a file with another clock (another process), never going back.
    void clockSkips()
    {
        LinkClock own;
        const qint64 before = own.nowMs();
        own.skip(5000);
        own.skip(-100);
        own.skip(0);
        QCOMPARE(own.skippedMs(), qint64(5000));
        QVERIFY(own.nowMs() >= before + 5000 && own.nowMs() < before + 6000);
        LinkTimer timer(own);
        QVERIFY(!timer.isValid());
        timer.start();
        own.skip(3000);
        QVERIFY(timer.isValid() && timer.elapsed() >= 3000 && timer.elapsed() < 4000);

        const QString path = work.path() + QStringLiteral("/clock");
        LinkClock test;
        QVERIFY(test.shareSkips(path));
        QVERIFY(!test.shareSkips(path));  // once
        QCOMPARE(QFileInfo(path).size(), qint64(8));
        test.skip(700);
        // A clock that shares later keeps its own skips and takes the file's.
        const qint64 at = own.nowMs();
        QVERIFY(own.shareSkips(path));
        QCOMPARE(own.skippedMs(), qint64(8700));
        QVERIFY(own.nowMs() >= at + 700);
        test.skip(300);
        QCOMPARE(own.skippedMs(), qint64(9000));
        own.skip(1000);
        QCOMPARE(test.skippedMs(), qint64(2000));
        LinkClock nowhere;
        QVERIFY(!nowhere.shareSkips(work.path() + QStringLiteral("/no/such/folder/clock")));
        QCOMPARE(nowhere.skippedMs(), qint64(0));
    }

    void missingPort()
    {
        SerialPortThread link;
        Heard heard(link);
        link.setPortName(work.path() + QStringLiteral("/no-such-port"));
        link.start();
        QTRY_COMPARE_WITH_TIMEOUT(heard.status, QList<int>{-1}, 5000);
        QVERIFY(link.wait(2000));
        QCOMPARE(link.quitFlag.load(), 1);
    }

    void extraPortsComeFirst()
    {
        qputenv("GAITFORGE_EXTRA_PORTS", "/tmp/robot-a::/tmp/robot-b:/tmp/robot-a");
        const QStringList names = SerialPortThread::availablePortNames();
        qunsetenv("GAITFORGE_EXTRA_PORTS");
        QVERIFY(names.size() >= 2);
        QCOMPARE(names.mid(0, 2), QStringList({QStringLiteral("/tmp/robot-a"), QStringLiteral("/tmp/robot-b")}));
    }

    // Everything posted goes out, in order, even when posted faster than the
    // thread looks at its queue.
    void queueKeepsEveryFrame()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard));
        request.servoAddress = AllServosAddress;
        request.registers[Speed] = 300;
        QVERIFY(post(link, Speed));
        request.registers[Acceleration] = 1000;
        QVERIFY(post(link, Acceleration));
        for (int s = 0; s < kPoseServos; ++s)
            request.pose[s] = qint16(s * 10 - 50);
        QVERIFY(post(link, MovePose));
        for (int s = 2; s <= 20; ++s) {
            request.servoAddress = quint16(s);
            QVERIFY(post(link, Position, Read));
        }
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests().size(), 22, 5000);
        const QStringList lines = robot.requests();
        QVERIFY2(lines[0].startsWith(QStringLiteral("Write Speed to=0x03e8")) && lines[0].endsWith(QStringLiteral("value=300")),
                 qPrintable(lines[0]));
        QVERIFY(lines[1].startsWith(QStringLiteral("Write Acceleration")) && lines[1].endsWith(QStringLiteral("value=1000")));
        QVERIFY(lines[2].startsWith(QStringLiteral("MovePose")));
        QVERIFY(lines[2].endsWith(QStringLiteral("pose=-50,-40,-30,-20,-10,0,10,20,30,40,50,60,70,80,90,100,110,120,130")));
        // The positions follow the pose.
        QTRY_VERIFY_WITH_TIMEOUT(heard.positions.value(20) == 130, 5000);
        QCOMPARE(heard.positions.value(2), -50);
        close(link);
        QTRY_COMPARE_WITH_TIMEOUT(heard.status.last(), 0, 2000);
    }

    // Queued frames leave one at a time, each at least its gap after the one
    // before (the robot's log times when each arrived): a joint edit's triple
    // 10 ms apart, other requests 30 ms apart, a longer gap when asked.
    void framesKeepTheirGaps()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard));
        request.servoAddress = AllServosAddress;
        request.registers[Speed] = 300;
        request.registers[Acceleration] = 1000;
        QVERIFY(link.postFrame(buildRequest(request, Speed, Write)));
        QVERIFY(link.postFrame(buildRequest(request, Acceleration, Write), SerialPortThread::PlainFrame, QString(),
                               SerialPortThread::kPoseGapMs));
        QVERIFY(link.postFrame(buildRequest(request, MovePose, Write), SerialPortThread::PlainFrame, QString(),
                               SerialPortThread::kPoseGapMs));
        for (int s = 2; s <= 5; ++s) {
            request.servoAddress = quint16(s);
            QVERIFY(post(link, Position, Read));
        }
        QVERIFY(link.postFrame(buildRequest(request, KeepAlive, Write), SerialPortThread::PlainFrame, QString(), 200));
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests().size(), 8, 5000);
        QCOMPARE(link.pendingFrames(), 0);
        QList<double> times = robot.times(QStringLiteral("Write Speed")) + robot.times(QStringLiteral("Write Acceleration"))
                              + robot.times(QStringLiteral("MovePose")) + robot.times(QStringLiteral("Read Position"))
                              + robot.times(QStringLiteral("KeepAlive"));
        QCOMPARE(times.size(), 8);
        // Arrival times carry the robot's own scheduling: a frame read late
        // shortens the gap after it by as much as it lengthens the one
        // before. The whole sequence takes at least the sum of its gaps, and
        // the frames arrive apart, not as one burst.
        const double spanMs = (times.last() - times.first()) * 1000;
        QVERIFY2(spanMs >= 10 + 10 + 4 * 30 + 200 - 2, qPrintable(QString::number(spanMs)));
        int apart = 0;
        for (int i = 1; i < times.size(); ++i)
            apart += times[i] - times[i - 1] >= 0.002;
        QVERIFY2(apart >= 5, qPrintable(QString::number(apart)));
        close(link);
    }

    void queueIsBounded()
    {
        SerialPortThread link;  // not running: nothing drains the queue
        for (int i = 0; i < SerialPortThread::kMailboxCapacity; ++i)
            QVERIFY(post(link, KeepAlive));
        QVERIFY(!post(link, KeepAlive));
        QCOMPARE(link.pendingFrames(), SerialPortThread::kMailboxCapacity);
    }

    void sendJob_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("ble");
        QTest::addColumn<QList<int>>("chunks");
        QTest::newRow("empty file") << 0 << false << QList<int>();
        QTest::newRow("1024 bytes, cable") << 1024 << false << QVector<int>(8, 128).toList();
        QTest::newRow("130 bytes, Bluetooth") << 130 << true << QList<int>({64, 64, 2});
        QTest::newRow("3000 bytes, cable") << 3000 << false << QVector<int>(23, 128).toList() + QList<int>({56});
    }

    void sendJob()
    {
        QFETCH(int, size);
        QFETCH(bool, ble);
        QFETCH(QList<int>, chunks);
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard, ble));
        const QByteArray content = pattern(size);
        startSend(link, localFile(QStringLiteral("sent.bin"), content), "1:/robotsys/sent.bin");
        QTRY_VERIFY_WITH_TIMEOUT(heard.answers.contains(kBoardNotification + TransferEnd), 15000);
        QTRY_COMPARE_WITH_TIMEOUT(link.sendJob.load(), 0, 5000);
        QCOMPARE(chunkSizes(robot), chunks);
        QStringList order = names(robot.requests());
        order.removeAll(QStringLiteral("FileData"));
        QCOMPARE(order, QStringList({QStringLiteral("PrepareTransfer"), QStringLiteral("FileBegin"),
                                     QStringLiteral("FileEnd"), QStringLiteral("TransferDone")}));
        QFile stored(robot.drive(1) + QStringLiteral("/sent.bin"));
        QVERIFY(stored.open(QIODevice::ReadOnly));
        QCOMPARE(stored.readAll(), content);
        // Progress: the share of the file the robot acknowledged, rising
        // with each answer; never 100 from the job (the robot's TransferEnd
        // tells that). Its outcome is told after its last progress.
        QTRY_COMPARE_WITH_TIMEOUT(heard.jobs.size(), 1, 5000);
        // (Answers read together give one step.)
        QVERIFY(heard.progress.size() <= qMax(0, chunks.size() - 1));
        // A file larger than the robot's receive buffer is answered in steps.
        if (size > SerialPortThread::kRobotReceiveBuffer)
            QVERIFY(!heard.progress.isEmpty());
        for (int i = 0; i < heard.progress.size(); ++i)
            QVERIFY(heard.progress[i] > (i ? heard.progress[i - 1] : 0) && heard.progress[i] < 100);
        close(link);
    }

    void refusedFileStillEnds()
    {
        RobotSimProcess robot({QStringLiteral("--refuse-files")});
        QVERIFY(robot.ok());
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard));
        startSend(link, localFile(QStringLiteral("big.bin"), pattern(5000)), "0:/robotsys/big.bin");
        QTRY_COMPARE_WITH_TIMEOUT(link.sendJob.load(), 0, 15000);
        QTRY_COMPARE_WITH_TIMEOUT(heard.jobs.size(), 1, 2000);
        QCOMPARE(heard.jobs[0].job, FileJobResult::Send);
        QVERIFY(heard.jobs[0].refused);
        QTRY_VERIFY_WITH_TIMEOUT(!robot.requests(QStringLiteral("TransferDone")).isEmpty(), 5000);
        const QStringList order = names(robot.requests());
        QVERIFY(robot.requests(QStringLiteral("FileBegin")).first().endsWith(QStringLiteral("refused")));
        // The first burst went out before the refusal arrived; nothing after it.
        QVERIFY(chunkSizes(robot).size() <= 8);
        QCOMPARE(order.mid(order.size() - 2), QStringList({QStringLiteral("FileEnd"), QStringLiteral("TransferDone")}));
        QVERIFY(!QFile::exists(robot.drive(0) + QStringLiteral("/big.bin")));
        close(link);
    }

    void missingLocalFileSendsTransferDone()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard));
        link.startSendJob(work.path() + QStringLiteral("/missing.bin"));
        QTRY_COMPARE_WITH_TIMEOUT(link.sendJob.load(), 0, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(names(robot.requests()), QStringList({QStringLiteral("TransferDone")}), 5000);
        close(link);
    }

    // Two fetches one after the other, each waiting for its own TransferEnd.
    void getJobs()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        const QByteArray first = pattern(1000);
        const QByteArray second = pattern(129).toUpper();
        QDir().mkpath(robot.drive(0));
        for (auto [name, content] : {std::pair<const char *, QByteArray>{"a.ini", first}, {"b.mp3", second}}) {
            QFile f(robot.drive(0) + QLatin1Char('/') + QLatin1String(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(content);
        }
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard));
        for (auto [name, content] : {std::pair<const char *, QByteArray>{"a.ini", first}, {"b.mp3", second}}) {
            const QString local = work.path() + QStringLiteral("/got-") + QLatin1String(name);
            QVERIFY(request.setGetPath(QByteArray("0:/robotsys/") + name));
            heard.answers.clear();
            heard.jobs.clear();
            // The job starts as GetFile goes out: an answer that comes at once is the file's.
            QVERIFY(link.postFrame(buildRequest(request, GetFile, Write), SerialPortThread::StartsGetJob, local));
            QVERIFY(link.jobRunning());
            QTRY_COMPARE_WITH_TIMEOUT(link.getJob.load(), 0, 10000);
            QTRY_COMPARE_WITH_TIMEOUT(heard.answers.count(kBoardNotification + TransferEnd), 1, 2000);
            // One outcome per job, and it is the true one.
            QTRY_COMPARE_WITH_TIMEOUT(heard.jobs.size(), 1, 2000);
            QVERIFY(heard.jobs[0].job == FileJobResult::Get && heard.jobs[0].transferEnded);
            QFile got(local);
            QVERIFY(got.open(QIODevice::ReadOnly));
            QCOMPARE(got.readAll(), content);
        }
        close(link);
    }

    // A robot that drops and corrupts answers: the lost ones are simply
    // missing, the rest arrive intact.
    void lossyLine()
    {
        RobotSimProcess robot({QStringLiteral("--drop-every"), QStringLiteral("3"), QStringLiteral("--corrupt-every"),
                               QStringLiteral("4")});
        QVERIFY(robot.ok());
        SerialPortThread link;
        Heard heard(link);
        QVERIFY(open(link, robot, heard));
        for (int i = 0; i < 13; ++i)
            QVERIFY(post(link, KeepAlive));
        // 13 answers: 3, 6, 9, 12 dropped; 4 and 8 corrupted; the 13th,
        // intact, comes after all the others.
        QTRY_COMPARE_WITH_TIMEOUT(heard.answers.size(), 7, 5000);
        QCOMPARE(robot.requests(QStringLiteral("KeepAlive")).size(), 13);
        QCOMPARE(heard.answers, QVector<int>(7, kBoardNotification + PowerReading).toList());
        close(link);
    }

    // The virtual robot's receive buffer: requests written faster than it
    // handles them (--process-ms) wait there; what finds it full is lost and
    // logged as an overflow. Without a processing time nothing is lost.
    void receiveBuffer_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<bool>("overflows");
        QTest::newRow("handled at once") << QStringList() << false;
        QTest::newRow("20 ms a request") << QStringList({QStringLiteral("--process-ms"), QStringLiteral("20")}) << true;
    }
    void receiveBuffer()
    {
        QFETCH(QStringList, options);
        QFETCH(bool, overflows);
        RobotSimProcess robot(options);
        QVERIFY(robot.ok());
        robot.overflowExpected = overflows;
        // 100 KeepAlive requests, 1400 bytes, in one write straight to the line.
        QByteArray burst;
        for (int i = 0; i < 100; ++i)
            burst += buildRequest(request, KeepAlive, Write);
        QFile line(robot.port);
        QVERIFY(line.open(QIODevice::ReadWrite | QIODevice::Unbuffered));
        QCOMPARE(line.write(burst), qint64(burst.size()));
        if (!overflows) {
            QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("KeepAlive")).size(), 100, 5000);
            QVERIFY(robot.overflows().isEmpty());
            return;
        }
        // Until the robot has handled all it kept and answered it.
        QTRY_VERIFY_WITH_TIMEOUT(QuietRobot::answeredAll(robot), 5000);
        const int handled = robot.requests(QStringLiteral("KeepAlive")).size();
        QVERIFY(!robot.overflows().isEmpty());
        // Only what found room was handled, 20 ms apart.
        QVERIFY2(handled > 0 && handled < 100, qPrintable(QString::number(handled)));
        const QList<double> times = robot.times(QStringLiteral("KeepAlive"));
        QVERIFY(times.last() - times.first() >= 0.019 * (handled - 1));
    }
};

QTEST_GUILESS_MAIN(TestLinkThread)
#include "tst_linkthread.moc"
