// The simulation with the virtual robot: the motion is downloaded frame by
// frame (DebugFrame, extra servos included), summed up (DebugSummary), run
// (RunFile 2) and played (PlayControl 1) in that order while the preview
// starts; pause and stop reach the robot; a motion whose loops cannot be
// summed up is not run on the robot, and one with two loops sends nothing.

#include <QtTest>
#include <QAction>
#include <QListWidget>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "playback/playback.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "link/packet.h"
#include "link/serialportthread.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

namespace {

QVector<int> frame(int r, int loopFlag = 0, int loopTimes = 0)
{
    QVector<int> row(kFrameColumns, 0);
    for (int c = 0; c < 19; ++c)
        row[c] = (c + 1) * 10 * (r + 1) * (c % 2 ? -1 : 1);  // extra servos 19 and 20 included
    row[19] = 40 + r;
    row[20] = 20;
    row[21] = loopFlag;
    row[22] = loopTimes;
    row[23] = r == 0 ? 3 : 0;
    row[24] = 1;
    row[26] = 7;
    row[27] = 55;
    return row;
}

QString payloadOf(const QString &line)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("payload=([0-9a-f]*)")).match(line);
    return m.captured(1);
}

} // namespace

class TestPlaybackLink : public QObject, private WindowFixture
{
    Q_OBJECT

    bool openConnected(const QString &port, const QVector<QVector<int>> &frames)
    {
        start(port);
        QVector<int> flat;
        for (const QVector<int> &row : frames)
            flat += row;
        window->document().restore(flat);
        window->frameList().setRefreshState(0);
        ui->actionConnect->trigger();
        if (!QTest::qWaitFor([&] { return window->robotLink().isRunning() && ui->actionConnect->isChecked(); }, 5000))
            return false;
        // The link's opening keep-alive is answered: nothing else went out.
        return QTest::qWaitFor([&] { return window->robotLink().greeted(); }, 5000);
    }

    static QString hex(const quint8 *bytes, int n)
    {
        return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(bytes), n).toHex());
    }

    // The playback requests the robot received, by name.
    static QStringList playbackRequests(const RobotSimProcess &robot)
    {
        QStringList out;
        for (const QString &line : robot.requests())
            if (line.startsWith(QLatin1String("Debug")) || line.startsWith(QLatin1String("RunFile"))
                || line.startsWith(QLatin1String("PlayControl")))
                out << line;
        return out;
    }

private slots:
    void cleanupTestCase() { finish(); }

    void downloadRunPauseStop()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        const QVector<QVector<int>> frames = {frame(0), frame(1, 1, 2), frame(2), frame(3, 2)};
        QVERIFY(openConnected(robot.port, frames));
        prompt->calls.clear();
        prompt->answers.enqueue(int(QMessageBox::Yes));
        ui->actionSimulation->trigger();
        QCOMPARE(prompt->calls.size(), 1);
        // The window does not wait for the download: the link thread paces it
        // out and the preview starts as its last request has left, with the robot.
        QVERIFY(window->playback().waitingForRobot());
        QVERIFY(!window->playback().running());
        QTRY_VERIFY_WITH_TIMEOUT(window->playback().running(), 5000);
        QCOMPARE(window->robotLink().pendingRequests(), 0);
        QCOMPARE(int(window->robotLink().downloading()), 0);

        QTRY_COMPARE_WITH_TIMEOUT(playbackRequests(robot).size(), 4 + 3, 5000);
        const QStringList sent = playbackRequests(robot);
        quint8 block[kDebugFrameSize];
        for (int r = 0; r < frames.size(); ++r) {
            QVERIFY2(sent[r].startsWith(QLatin1String("DebugFrame to=0x8000 kind=2 type=48 len=57")),
                     qPrintable(sent[r]));
            fillDebugFrame(block, frames[r].constData(), r);
            QCOMPARE(payloadOf(sent[r]), hex(block, kDebugFrameSize));
        }
        quint8 summary[kDebugSummarySize];
        fillDebugSummary(summary, 3, 1, 3, 2);
        QVERIFY(sent[4].startsWith(QLatin1String("DebugSummary")));
        QCOMPARE(payloadOf(sent[4]), hex(summary, kDebugSummarySize));
        QVERIFY2(sent[5].startsWith(QLatin1String("RunFile")) && sent[5].endsWith(QLatin1String("code=2")),
                 qPrintable(sent[5]));
        QVERIFY(sent[6].startsWith(QLatin1String("PlayControl")));
        QCOMPARE(payloadOf(sent[6]), QStringLiteral("0100"));
        // The link thread spaces the download out: 30 ms between frames, the
        // summary 60 ms after the last frame, the run 30 ms after it. The
        // robot notes when it reads a request, and a robot that reads late
        // brings two requests closer: each gap is checked against a burst,
        // the whole download against the sum of its gaps.
        const QList<double> frameTimes = robot.times(QStringLiteral("DebugFrame"));
        const double summaryAt = robot.times(QStringLiteral("DebugSummary")).value(0);
        const double runAt = robot.times(QStringLiteral("RunFile")).value(0);
        QList<double> arrivals = frameTimes;
        arrivals << summaryAt << runAt;
        for (int r = 1; r < arrivals.size(); ++r)
            QVERIFY2((arrivals[r] - arrivals[r - 1]) * 1000 >= 10, qPrintable(QString::number(r)));
        QVERIFY2((runAt - frameTimes.first()) * 1000 >= 30 * (frameTimes.size() - 1) + 60 + 30 - 5,
                 qPrintable(QString::number((runAt - frameTimes.first()) * 1000)));

        // The robot answers every request: no box beyond the question.
        QTest::qWait(100);
        QCOMPARE(prompt->calls.size(), 1);

        ui->actionPause_simulation->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(playbackRequests(robot).size(), 8, 5000);
        QCOMPARE(payloadOf(playbackRequests(robot).last()), QStringLiteral("0200"));
        ui->actionStop_simulation->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(playbackRequests(robot).size(), 9, 5000);
        QCOMPARE(payloadOf(playbackRequests(robot).last()), QStringLiteral("0300"));
        QVERIFY(window->playback().stopped());
    }

    // Loop marks the download cannot sum up: the frames go, nothing else;
    // two loops: not even the frames. The preview plays (or not) alike.
    void loopsTheRobotCannotTake_data()
    {
        QTest::addColumn<QVector<int>>("flags");
        QTest::addColumn<int>("debugFrames");
        QTest::addColumn<bool>("plays");
        QTest::newRow("start without end") << QVector<int>{0, 1, 0} << 3 << true;
        QTest::newRow("two loops") << QVector<int>{1, 2, 1, 2} << 0 << false;
    }
    void loopsTheRobotCannotTake()
    {
        QFETCH(QVector<int>, flags);
        QFETCH(int, debugFrames);
        QFETCH(bool, plays);
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QVector<QVector<int>> frames;
        for (int flag : flags)
            frames << frame(frames.size(), flag, 1);
        QVERIFY(openConnected(robot.port, frames));
        prompt->answers.enqueue(int(QMessageBox::Yes));
        ui->actionSimulation->trigger();
        QCOMPARE(window->playback().running(), plays);
        // A KeepAlive after the download shows that everything before it arrived.
        // (The link asked once as it opened.)
        const int asked = robot.requests(QStringLiteral("KeepAlive")).size();
        window->robotLink().keepAlive();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("KeepAlive")).size(), asked + 1, 5000);
        const QStringList sent = playbackRequests(robot);
        QCOMPARE(sent.size(), debugFrames);
        for (const QString &line : sent)
            QVERIFY(line.startsWith(QLatin1String("DebugFrame")));
    }
};

QTEST_MAIN(TestPlaybackLink)
#include "tst_playbacklink.moc"
