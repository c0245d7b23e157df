// The robot link facade on its own, against the virtual robot: answers reach
// the window's thread as typed values in the order they came, positions that
// arrived together are told together, each file job tells its one true
// outcome, and the link's own notices (greeting) come once per connection.

#include <QtTest>
#include <QTemporaryDir>

#include "link/robotlink.h"
#include "link/serialportthread.h"
#include "support/robotsimprocess.h"
#include "support/scriptedprompt.h"

using namespace packet;

struct Heard : QObject {
    QList<int> status, types, progress;
    QList<QPair<int, int>> power;
    QList<std::array<int, kPoseServos>> positions;
    QList<FileJobResult> jobs;
    QStringList log;
    int transferEnds = 0;
    explicit Heard(RobotLink &link)
    {
        connect(&link, &RobotLink::openStatusChanged, this, [this](int s) { status << s; });
        connect(&link, &RobotLink::answerReceived, this, [this](const LinkAnswer &a) { types << a.type; });
        connect(&link, &RobotLink::powerReading, this, [this](int mv, int ca) { power << qMakePair(mv, ca); });
        connect(&link, &RobotLink::positionsRead, this,
                [this](const std::array<int, kPoseServos> &p) { positions << p; });
        connect(&link, &RobotLink::fileProgress, this, [this](int p) { progress << p; });
        connect(&link, &RobotLink::fileJobEnded, this, [this](const FileJobResult &r) { jobs << r; });
        connect(&link, &RobotLink::transferEnded, this, [this] { ++transferEnds; });
        connect(&link, &RobotLink::logLine, this, [this](const QString &line) { log << line; });
    }
};

class TestRobotLink : public QObject
{
    Q_OBJECT

    QTemporaryDir work;

    static bool open(RobotLink &link, const RobotSimProcess &robot, Heard &heard)
    {
        link.open(robot.port, false);
        return QTest::qWaitFor([&] { return !heard.status.isEmpty(); }, 5000) && heard.status.first() == 1;
    }

    static void close(RobotLink &link, Heard &heard)
    {
        link.close();
        QVERIFY(QTest::qWaitFor([&] { return heard.status.last() == 0; }, 5000));
        QVERIFY(!link.isRunning());
    }

    QString localFile(const QString &name, int size)
    {
        const QString path = work.path() + QLatin1Char('/') + name;
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        QByteArray data(size, '\0');
        for (int i = 0; i < size; ++i)
            data[i] = char(i * 13);
        f.write(data);
        return path;
    }

    // A keep-alive, answered: whatever the link told before its answer has
    // been heard.
    static bool roundTrip(RobotLink &link, Heard &heard)
    {
        const int answered = heard.power.size();
        return link.keepAlive() && QTest::qWaitFor([&] { return heard.power.size() > answered; }, 5000);
    }

    // As the file browser starts a send: PrepareTransfer, FileBegin, the job.
    static void startSend(RobotLink &link, const QString &local, const QString &name)
    {
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Send, 0, name));
        QVERIFY(link.sendFile(local));
    }

private slots:
    void requestsAndTypedAnswers()
    {
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        Heard heard(link);
        // Down: nothing is built, queued or logged.
        QVERIFY(!link.readIo());
        QVERIFY(!link.keepAlive());
        QVERIFY(heard.log.isEmpty());

        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QVERIFY(open(link, robot, heard));
        // The link asked at once as it opened (a keep-alive, not logged).
        QVERIFY(link.keepAlive());
        QVERIFY(link.readIo());
        QTRY_COMPARE_WITH_TIMEOUT(heard.types.size(), 3, 5000);
        QCOMPARE(heard.types, (QList<int>{kBoardNotification + PowerReading, kBoardNotification + PowerReading,
                                          kBoardNotification + IoState}));
        QCOMPARE(heard.power.size(), 2);
        QCOMPARE(robot.requests(QStringLiteral("KeepAlive")).size(), 2);
        QCOMPARE(heard.power[0].first, 7400);
        // Only the logged request is in the log, with its bytes.
        QCOMPARE(heard.log.size(), 1);
        QVERIFY(heard.log[0].startsWith(QStringLiteral("send:")));
        // The greeting once for the connection, whatever follows.
        QCOMPARE(prompt.calls.size(), 1);
        QCOMPARE(prompt.calls[0].title, QStringLiteral("connect successful"));
        QVERIFY(link.greeted());
        close(link, heard);
        QVERIFY(!link.greeted());

        // A new connection greets again.
        QVERIFY(open(link, robot, heard));
        QVERIFY(link.readIo());
        QTRY_COMPARE_WITH_TIMEOUT(prompt.calls.size(), 2, 5000);
        close(link, heard);
    }

    // Each typed request puts on the wire the frame the protocol gives for it
    // (address, kind, type, payload, checksum, stuffing), and the robot takes
    // every one of them in the order asked.
    void typedRequestsOnTheWire()
    {
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        Heard heard(link);
        const std::array<int, kPoseServos> pose{15, -450, 120, 0, 20, 300, -600, 300, -20, 450,
                                                -120, 35, -20, -300, 600, -300, 20, 100, -100};
        // Down: no typed request is built, queued or logged.
        QVERIFY(!link.writeRegister(5, Speed, 300));
        QVERIFY(!link.readPosition(5));
        QVERIFY(!link.playControl(PlayCode::Stop));
        QVERIFY(!link.listFolder(0));
        QVERIFY(heard.log.isEmpty());

        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QVERIFY(open(link, robot, heard));
        QTRY_COMPARE_WITH_TIMEOUT(heard.types.size(), 1, 5000);  // the opening keep-alive's answer
        const int before = robot.requests().size();
        // A register that is not one is refused.
        QVERIFY(!link.writeRegister(5, MovePose, 1));
        QVERIFY(!link.readRegister(5, KeepAlive));

        int row[kFrameColumns] = {};
        std::copy(pose.begin(), pose.end(), row);
        row[19] = 1000;  // operation time
        row[20] = 170;   // delay time 0x00AA: stuffed on the wire
        row[23] = 3;     // music: play, type 1, folder 0, file 12
        row[24] = 1;
        row[26] = 12;
        row[27] = 80;    // volume
        const QList<QPair<std::function<bool()>, QString>> cases = {
            {[&] { return link.writeRegister(5, Speed, 300); }, "aa 55 80 1 0 5 a 2 2 1 2c a3 aa 81"},
            {[&] { return link.readRegister(5, Speed); }, "aa 55 80 1 0 5 8 1 2 8f aa 81"},
            {[&] { return link.setWorkingMode(AllServosAddress, ServoMode::BrakeStop); },
             "aa 55 80 1 3 e8 a 2 d 0 1 6e aa 81"},
            {[&] { return link.setWorkingMode(11, ServoMode::CurveServo); }, "aa 55 80 1 0 b a 2 d 0 3 8c aa 81"},
            {[&] { return link.writeRegister(7, MinimumPosition, -1200); }, "aa 55 80 1 0 7 a 2 10 fb 50 35 aa 81"},
            {[&] { return link.writeFlash(12); }, "aa 55 80 1 0 c 8 2 1e 99 aa 81"},
            {[&] { return link.readPosition(20); }, "aa 55 80 1 0 14 8 1 16 8a aa 81"},
            {[&] { return link.movePose(pose); },
             "aa 55 80 1 80 0 2e 2 3c 0 f fe 3e 0 78 0 0 0 14 1 2c fd a8 1 2c ff ec 1 c2 ff 88 0 23 ff ec fe d4 2 "
             "58 fe d4 0 14 0 64 ff 9c 39 aa 81"},
            {[&] { return link.sendDebugFrame(row, 7, RobotLink::kDownloadGapCableMs); },
             "aa 55 80 1 80 0 39 2 30 0 0 7 1 50 3 e8 0 aa 0 e0 c 0 f fe 3e 0 78 0 0 0 14 1 2c fd a8 1 2c ff ec 1 "
             "c2 ff 88 0 23 ff ec fe d4 2 58 fe d4 0 14 0 64 ff 9c d9 aa 81"},
            {[&] { return link.sendDebugSummary(9, 2, 5, 4, RobotLink::kDownloadGapCableMs); },
             "aa 55 80 1 80 0 14 2 31 0 0 0 0 9 0 2 0 5 0 4 3 2f aa 81"},
            {[&] { return link.runDownloaded(RobotLink::kDownloadGapCableMs); }, "aa 55 80 1 80 0 9 2 33 2 3b aa 81"},
            {[&] { return link.playControl(PlayCode::Play); }, "aa 55 80 1 80 0 a 2 32 1 0 3a aa 81"},
            {[&] { return link.playControl(PlayCode::Pause); }, "aa 55 80 1 80 0 a 2 32 2 0 39 aa 81"},
            {[&] { return link.playControl(PlayCode::Stop); }, "aa 55 80 1 80 0 a 2 32 3 0 38 aa 81"},
            {[&] { return link.setLeds({0xA4, 0, 0x11, 0x22, 0x33, 0x44, 0x50, 0x61, 0x72}); },
             "aa 55 80 1 0 15 11 2 25 a4 0 11 22 33 44 50 61 72 1 aa 81"},
            {[&] { return link.setIo(3, 2); }, "aa 55 80 1 80 0 a 2 4d 3 2 45 aa 81"},
            {[&] { return link.readIo(); }, "aa 55 80 1 80 0 8 2 4e 45 aa 81"},
            {[&] { return link.listFolder(1); },
             "aa 55 80 1 80 0 14 2 42 31 3a 2f 72 6f 62 6f 74 73 79 73 0 6c aa 81"},
            {[&] { return link.setRobotPath(RobotLink::PathBlock::Delete, 0, QStringLiteral("a.ini")) && link.deleteFile(); },
             "aa 55 80 1 80 0 1a 2 41 30 3a 2f 72 6f 62 6f 74 73 79 73 2f 61 2e 69 6e 69 0 6e aa 81"},
            {[&] { return link.formatFlash(); }, "aa 55 80 1 80 0 9 2 58 58 a aa 81"},
            // Last: the board restarts.
            {[&] { return link.resetBoard(); }, "aa 55 80 1 80 0 8 2 52 59 aa 81"},
        };
        // The keep-alive goes out unlogged.
        QVERIFY(link.keepAlive());
        QVERIFY(heard.log.isEmpty());
        for (int i = 0; i < cases.size(); ++i) {
            heard.log.clear();
            QVERIFY2(cases[i].first(), qPrintable(QString::number(i)));
            QCOMPARE(heard.log, QStringList(QStringLiteral("send:") + cases[i].second + QLatin1Char(' ')));
        }
        QTRY_COMPARE_WITH_TIMEOUT(link.pendingRequests(), 0, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests().size() - before, cases.size() + 1, 5000);
        const QStringList got = robot.requests().mid(before);
        const QStringList names = {"KeepAlive", "Write Speed", "Read Speed", "Write WorkingMode", "Write WorkingMode",
                                   "Write MinimumPosition", "Write WriteFlash", "Read Position", "MovePose",
                                   "DebugFrame", "DebugSummary", "RunFile", "PlayControl", "PlayControl",
                                   "PlayControl", "SetLeds", "SetIo", "GetIo", "ListFolder", "DeleteFile",
                                   "FormatFlash", "ResetBoard"};
        for (int i = 0; i < names.size(); ++i)
            QVERIFY2(got[i].startsWith(names[i] + QLatin1Char(' ')), qPrintable(got[i]));
        // What an acknowledgement of a write confirms.
        QCOMPARE(link.writtenRegister(MinimumPosition), 0xFB50);
        // The path each block holds, without the block's lead byte.
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Run, 1, QStringLiteral("w.ini")));
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Send, 0, QStringLiteral("s.ini")));
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Get, 1, QStringLiteral("g.ini")));
        QCOMPARE(link.robotPath(RobotLink::PathBlock::Run), QByteArray("1:/robotsys/w.ini"));
        QCOMPARE(link.robotPath(RobotLink::PathBlock::Send), QByteArray("0:/robotsys/s.ini"));
        QCOMPARE(link.robotPath(RobotLink::PathBlock::Get), QByteArray("1:/robotsys/g.ini"));
        QCOMPARE(link.robotPath(RobotLink::PathBlock::Delete), QByteArray("0:/robotsys/a.ini"));
        QVERIFY(link.runDownloaded(RobotLink::kDownloadGapCableMs));
        QCOMPARE(link.robotPath(RobotLink::PathBlock::Run), QByteArray());
        close(link, heard);
    }

    // Positions that reached the window while it was busy are told in one
    // piece (the calibration takes them all); later ones on their own.
    void positionsArrivingTogether()
    {
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        Heard heard(link);
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QVERIFY(open(link, robot, heard));
        // The answer to the opening keep-alive has been taken.
        QTRY_VERIFY_WITH_TIMEOUT(link.greeted(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(link.worker().eventsWaitingCount(), 0, 5000);
        const QList<int> hands = {3, 4, 5, 11, 12, 13};
        for (int servo : hands) {
            QVERIFY(link.readPosition(servo));
        }
        // The window is busy (it turns no event loop) while all six answers arrive.
        QElapsedTimer busy;
        busy.start();
        while (link.worker().eventsWaitingCount() < int(hands.size()) && busy.elapsed() < 5000)
            QThread::msleep(5);
        QCOMPARE(link.worker().eventsWaitingCount(), int(hands.size()));
        QTRY_COMPARE_WITH_TIMEOUT(heard.positions.size(), 1, 5000);
        QVERIFY(roundTrip(link, heard));
        QCOMPARE(heard.positions.size(), 1);
        const std::array<int, kPoseServos> &all = heard.positions[0];
        QCOMPARE(all[3 - 2], -450);
        QCOMPARE(all[13 - 2], 35);
        QCOMPARE(all[2 - 2], 0);  // not asked: no answer
        for (int servo : hands)
            QVERIFY(all[size_t(servo - 2)] != 0);

        QVERIFY(link.readPosition(2));
        QTRY_COMPARE_WITH_TIMEOUT(heard.positions.size(), 2, 5000);
        QCOMPARE(heard.positions[1][0], 15);
        QCOMPARE(std::count(heard.positions[1].begin(), heard.positions[1].end(), 0), kPoseServos - 1);
        close(link, heard);
    }

    // Each job tells one outcome, after its progress, and it is the true one.
    void oneOutcomePerJob()
    {
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        Heard heard(link);
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QVERIFY(open(link, robot, heard));
        startSend(link, localFile(QStringLiteral("walk.ini"), 3000), QStringLiteral("walk.ini"));
        QTRY_COMPARE_WITH_TIMEOUT(heard.jobs.size(), 1, 10000);
        QVERIFY(roundTrip(link, heard));
        QCOMPARE(heard.jobs.size(), 1);
        QCOMPARE(heard.jobs[0].job, FileJobResult::Send);
        QVERIFY(!heard.jobs[0].refused);
        QVERIFY(!heard.progress.isEmpty());
        QVERIFY(std::is_sorted(heard.progress.begin(), heard.progress.end()));
        QTRY_COMPARE_WITH_TIMEOUT(heard.transferEnds, 1, 5000);
        QVERIFY(!link.jobRunning());
        close(link, heard);

        RobotSimProcess refusing({QStringLiteral("--refuse-files")});
        QVERIFY(refusing.ok());
        heard.status.clear();
        heard.jobs.clear();
        QVERIFY(open(link, refusing, heard));
        startSend(link, localFile(QStringLiteral("big.bin"), 5000), QStringLiteral("big.bin"));
        QTRY_COMPARE_WITH_TIMEOUT(heard.jobs.size(), 1, 15000);
        QVERIFY(heard.jobs[0].refused);
        QVERIFY(roundTrip(link, heard));
        QCOMPARE(heard.jobs.size(), 1);
        close(link, heard);
    }

    // Over a slow line the robot's first data comes while the window is still
    // busy: the get job runs from the moment GetFile goes out, so the whole
    // file arrives (the first chunk was once taken for an acknowledgement).
    void fetchOverSlowLineArrivesWhole()
    {
        RobotSimProcess robot({QStringLiteral("--baud"), QStringLiteral("9600")});
        QVERIFY(robot.ok());
        QByteArray content(1000, '\0');
        for (int i = 0; i < content.size(); ++i)
            content[i] = char(i * 7);
        QDir().mkpath(robot.drive(0));
        QFile stored(robot.drive(0) + QStringLiteral("/walk.ini"));
        QVERIFY(stored.open(QIODevice::WriteOnly));
        stored.write(content);
        stored.close();

        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        Heard heard(link);
        link.setBleMode(true);
        QVERIFY(open(link, robot, heard));
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Get, 0, QStringLiteral("walk.ini")));
        const QString local = work.path() + QStringLiteral("/fetched.ini");
        QVERIFY(link.fetch(local));
        QVERIFY(link.jobRunning());  // from the moment the request is queued
        // The window is busy (it turns no event loop) until the file's first
        // data has come (the link tells that it hears the robot).
        QElapsedTimer busy;
        busy.start();
        while (link.worker().eventsWaitingCount() == 0 && busy.elapsed() < 5000)
            QThread::msleep(5);
        QVERIFY(link.worker().eventsWaitingCount() > 0);
        QTRY_COMPARE_WITH_TIMEOUT(heard.jobs.size(), 1, 20000);
        QVERIFY(heard.jobs[0].job == FileJobResult::Get && heard.jobs[0].transferEnded);
        QFile got(local);
        QVERIFY(got.open(QIODevice::ReadOnly));
        QCOMPARE(got.readAll().size(), content.size());
        got.seek(0);
        QCOMPARE(got.readAll(), content);
        close(link, heard);
    }
};

QTEST_MAIN(TestRobotLink)
#include "tst_robotlink.moc"
