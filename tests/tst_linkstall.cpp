// The window never waits for the robot's line: while joints are read, a servo's
// parameters are read and a motion is downloaded for playback, the window's
// event loop keeps turning. A 1 ms timer records the longest time between two
// of its turns (a stall); each command is run from inside the event loop, as
// a click would be, and measured until the robot has received its last
// request. The figures are printed ("longest stall during ...").

#include <QtTest>
#include <QAction>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "playback/playback.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

namespace {

// Longer than any turn of a window that does not sleep (on a loaded machine),
// clearly shorter than the half second that 17 reads paced 30 ms apart take.
constexpr qint64 kLongestAllowedStallMs = 400;

// Runs action from the event loop and returns the longest gap between two
// turns of the loop until done() holds (or 10 s pass).
qint64 longestStall(const std::function<void()> &action, const std::function<bool()> &done)
{
    QElapsedTimer clock;
    clock.start();
    qint64 last = clock.elapsed();
    qint64 longest = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.elapsed();
        longest = qMax(longest, now - last);
        last = now;
    });
    int ticks = 0;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start();
    // The loop settles: the ticker has turned a few times.
    if (!QTest::qWaitFor([&] { return ticks >= 5; }, 5000))
        return -1;
    longest = 0;
    last = clock.elapsed();
    bool acted = false;
    QTimer::singleShot(0, [&] {
        action();
        acted = true;
    });
    const bool finished = QTest::qWaitFor([&] { return acted && done(); }, 10000);
    ticker.stop();
    longest = qMax(longest, clock.elapsed() - last);
    return finished ? longest : -1;
}

QVector<int> frameRow(int r)
{
    QVector<int> row(kFrameColumns, 0);
    for (int c = 0; c < 19; ++c)
        row[c] = (c + 1) * 10 * (r % 5);
    row[19] = 100;
    row[20] = 20;
    return row;
}

} // namespace

class TestLinkStall : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        QDir::setCurrent(startDir);
        workDir.reset();
    }

    void windowKeepsTurning()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = startWindow(workDir, robot.port);
        QVector<int> flat;
        for (int r = 0; r < 20; ++r)
            flat += frameRow(r);
        s.window->document().restore(flat);
        s.window->frameList().setRefreshState(0);
        QVERIFY(connectAndGreet(s));
        s.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(s.window.get()));

        // For comparison: the same window doing nothing for half a second.
        QElapsedTimer idle;
        idle.start();
        const qint64 quiet = longestStall([] {}, [&] { return idle.elapsed() > 500; });
        qInfo("longest stall while idle: %lld ms", static_cast<long long>(quiet));

        // Read all joints: the first click releases the servos, the second
        // reads 17 positions and takes the servos back.
        s.ui->actionRead_all_joint_position_data->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("Write WorkingMode")).size(), 1, 5000);
        const qint64 joints = longestStall([&] { s.ui->actionRead_all_joint_position_data->trigger(); },
                                           [&] { return robot.requests(QStringLiteral("Write WorkingMode")).size() == 2; });
        qInfo("longest stall during read all joints: %lld ms", static_cast<long long>(joints));

        // Read parameters of servo 6: 19 reads.
        s.ui->spinBoxServoOpen->setValue(6);
        const int before = robot.requests(QStringLiteral("Read ")).size();
        const qint64 parameters = longestStall([&] { s.ui->pushButtonReadParameters->click(); },
                                               [&] { return robot.requests(QStringLiteral("Read ")).size() == before + 19; });
        qInfo("longest stall during a servo parameter read: %lld ms", static_cast<long long>(parameters));

        // Download a 20-frame motion for playback and run it on the robot.
        s.prompt->answers.enqueue(int(QMessageBox::Yes));
        const qint64 download = longestStall([&] { s.ui->actionSimulation->trigger(); },
                                             [&] { return robot.requests(QStringLiteral("PlayControl")).size() == 1; });
        qInfo("longest stall during a playback download: %lld ms", static_cast<long long>(download));
        s.ui->actionStop_simulation->trigger();
        QCOMPARE(robot.requests(QStringLiteral("DebugFrame")).size(), 20);

        QVERIFY(joints >= 0 && parameters >= 0 && download >= 0);
        QVERIFY2(joints < kLongestAllowedStallMs, qPrintable(QString::number(joints)));
        QVERIFY2(parameters < kLongestAllowedStallMs, qPrintable(QString::number(parameters)));
        QVERIFY2(download < kLongestAllowedStallMs, qPrintable(QString::number(download)));
    }
};

QTEST_MAIN(TestLinkStall)
#include "tst_linkstall.moc"
