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

    // As the file browser starts a send: PrepareTransfer, FileBegin, the job.
    static void startSend(RobotLink &link, const QString &local, const QString &name)
    {
        QVERIFY(link.post(PrepareTransfer, Write));
        QThread::msleep(30);
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Send, 0, name));
        QVERIFY(link.post(FileBegin, Write));
        link.startSendJob(local);
    }

private slots:
    void requestsAndTypedAnswers()
    {
        ScriptedPrompt prompt;
        RobotLink link(prompt, nullptr);
        Heard heard(link);
        // Down: nothing is built, queued or logged.
        QVERIFY(!link.post(KeepAlive, Write));
        QVERIFY(heard.log.isEmpty());

        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QVERIFY(open(link, robot, heard));
        // The link asked at once as it opened (a keep-alive, not logged).
        QVERIFY(link.post(KeepAlive, Write, false));
        QVERIFY(link.post(GetIo, Write));
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
        QVERIFY(link.post(GetIo, Write));
        QTRY_COMPARE_WITH_TIMEOUT(prompt.calls.size(), 2, 5000);
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
        const QList<int> hands = {3, 4, 5, 11, 12, 13};
        for (int servo : hands) {
            link.request().servoAddress = quint16(servo);
            QVERIFY(link.post(Position, Read));
        }
        // The window is busy while all six answers arrive.
        QThread::msleep(400);
        QTRY_COMPARE_WITH_TIMEOUT(heard.positions.size(), 1, 5000);
        QTest::qWait(100);
        QCOMPARE(heard.positions.size(), 1);
        const std::array<int, kPoseServos> &all = heard.positions[0];
        QCOMPARE(all[3 - 2], -450);
        QCOMPARE(all[13 - 2], 35);
        QCOMPARE(all[2 - 2], 0);  // not asked: no answer
        for (int servo : hands)
            QVERIFY(all[size_t(servo - 2)] != 0);

        link.request().servoAddress = 2;
        QVERIFY(link.post(Position, Read));
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
        QTest::qWait(200);
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
        QTest::qWait(200);
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
        QThread::msleep(300);        // the window busy meanwhile
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
