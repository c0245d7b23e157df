// Keeping the robot awake and noticing when it falls silent: the keep-alive
// every 2.51 s refreshes the voltage and current, and ten seconds without an
// answer break the connection.

#include <QtTest>
#include <QAction>
#include <QLCDNumber>
#include <QCheckBox>
#include <QComboBox>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "link/serialportthread.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

class TestLinkWatchdog : public QObject, WindowFixture
{
    Q_OBJECT

    // One window tick after the link's clock skipped ms.
    void skipAndTick(int ms)
    {
        window->robotLink().clock().skip(ms);
        window->timerUpdate();
    }

    // Moves the link's clock on by ms in window ticks of 100 ms.
    void advance(int ms)
    {
        for (int t = 0; t < ms; t += 100)
            skipAndTick(100);
    }

    // The keep-alives the robot has received once it has handled a request
    // posted now (the link writes requests in order).
    static int keepAlivesSoFar(RobotLink &link, const RobotSimProcess &robot)
    {
        const int reads = robot.requests(QStringLiteral("GetIo")).size();
        link.readIo();
        if (!QTest::qWaitFor([&] { return robot.requests(QStringLiteral("GetIo")).size() > reads; }, 5000))
            return -1;
        return robot.requests(QStringLiteral("KeepAlive")).size();
    }

private slots:
    void cleanup() { finish(); }

    // The keep-alive goes out on the window tick after 250 counts of 10 ms
    // on the link's clock (2.51 s), is answered (voltage and current) and is
    // not logged as sent; none goes out while a debug download runs.
    void keepAliveEvery251Ticks()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        start(robot.port);
        window->stopTicks();
        RobotLink &link = window->robotLink();
        ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(link.isRunning(), 5000);
        // The keep-alive of the opening is answered: greeting, displays.
        QTRY_COMPARE_WITH_TIMEOUT(int(link.greeted()), 1, 4000);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Connect to the robot successful."));
        QCOMPARE(ui->lcdNumberVoltage->value(), 7.4);
        QCOMPARE(robot.requests(QStringLiteral("KeepAlive")).size(), 1);
        for (int period = 0; period < 2; ++period) {
            link.setKeepAliveCount(0);
            skipAndTick(2400);
            QVERIFY2(link.keepAliveCount() >= 240 && link.keepAliveCount() < 250,
                     qPrintable(QString::number(link.keepAliveCount())));
            skipAndTick(100);
            QCOMPARE(link.keepAliveCount(), 250);
            QCOMPARE(keepAlivesSoFar(link, robot), 1 + period);
            // The tick after the 250th count sends it and starts counting again.
            window->timerUpdate();
            QCOMPARE(link.keepAliveCount(), 0);
            QCOMPARE(keepAlivesSoFar(link, robot), 2 + period);
        }
        // Not logged as sent: the log's only requests are the four IO reads.
        QCOMPARE(ui->textBrowser->toPlainText().count(QStringLiteral("send:")), 4);
        QVERIFY(link.silenceMs() < 3000);
        // No keep-alive while a debug download runs.
        link.setDownloading(true);
        advance(2600);
        QCOMPARE(keepAlivesSoFar(link, robot), 3);
        link.setDownloading(false);
        ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!link.isRunning(), 5000);
    }

    // The robot answers for two seconds, then never again: ten seconds after
    // its last answer the connection is declared broken and the link stops.
    void watchdogTrips()
    {
        RobotSimProcess robot({QStringLiteral("--silent-after"), QStringLiteral("2")});
        QVERIFY(robot.ok());
        start(robot.port);
        window->stopTicks();
        RobotLink &link = window->robotLink();
        ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(link.isRunning(), 5000);
        link.readIo();
        QTRY_COMPARE_WITH_TIMEOUT(int(link.greeted()), 1, 2000);
        // Keep-alives on the link's clock, each answered, until the robot
        // (silent two seconds after it started) no longer answers.
        for (int i = 0; i < 100; ++i) {
            const int sent = robot.requests(QStringLiteral("KeepAlive")).size();
            advance(2600);
            QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("KeepAlive")).size() > sent, 2000);
            if (robot.requests(QStringLiteral("KeepAlive")).last().endsWith(QStringLiteral("silent")))
                break;
            QTRY_VERIFY_WITH_TIMEOUT(link.silenceMs() < 2600, 2000);
        }
        QVERIFY(robot.requests(QStringLiteral("KeepAlive")).last().endsWith(QStringLiteral("silent")));
        QCOMPARE(prompt->calls.size(), 1);
        // Ten seconds after the last answer, and not before, the link is lost.
        advance(RobotLink::kSilenceLimitMs - link.silenceMs() - 300);
        QCOMPARE(prompt->calls.size(), 1);
        QVERIFY(link.isRunning());
        advance(400);
        QCOMPARE(prompt->calls.size(), 2);
        QCOMPARE(prompt->calls[1].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[1].title, QStringLiteral("the connection broken"));
        QCOMPARE(prompt->calls[1].text, QStringLiteral("the connection to the robot is broken."));
        QTRY_VERIFY_WITH_TIMEOUT(!link.isRunning() && !ui->actionConnect->isChecked(), 5000);
        QCOMPARE(int(link.greeted()), 0);
        // The keep-alives went out and were not answered.
        QVERIFY(robot.requests(QStringLiteral("KeepAlive")).size() >= 3);
        QVERIFY(robot.requests(QStringLiteral("KeepAlive")).last().endsWith(QStringLiteral("silent")));
        // Said once.
        advance(20000);
        QCOMPARE(prompt->calls.size(), 2);
    }

    // The link asks the robot as soon as it opens: a live robot greets within
    // a moment, long before the first periodic keep-alive (2.51 s).
    void liveRobotGreetsAtOnce()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        start(robot.port);
        QElapsedTimer clock;
        clock.start();
        window->form()->actionConnect->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(int(window->robotLink().greeted()), 1, 1500);
        QVERIFY2(clock.elapsed() < 1500, qPrintable(QString::number(clock.elapsed())));
        QCOMPARE(robot.requests(QStringLiteral("KeepAlive")).size(), 1);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].text, QStringLiteral("Connect to the robot successful."));
        QCOMPARE(window->form()->lcdNumberVoltage->value(), 7.4);
        window->form()->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!window->robotLink().isRunning(), 5000);
    }

    // A robot silent from the start: asked at once, and after the first-answer
    // limit (5 s over the cable, 12 s over Bluetooth) on the link's clock the
    // user is told and the link closes, the connect button released. Time
    // comes from the clock seam; the window's own ticks move it 1 ms at most.
    void silentRobotIsSaid_data()
    {
        QTest::addColumn<bool>("ble");
        QTest::addColumn<int>("limitMs");
        QTest::newRow("cable") << false << 5000;
        QTest::newRow("bluetooth") << true << 12000;
    }
    void silentRobotIsSaid()
    {
        QFETCH(bool, ble);
        QFETCH(int, limitMs);
        RobotSimProcess robot({QStringLiteral("--silent-after"), QStringLiteral("0")});
        QVERIFY(robot.ok());
        start(robot.port);
        window->stopTicks();
        RobotLink &link = window->robotLink();
        if (ble != ui->checkBoxBle->isChecked())
            ui->checkBoxBle->click();
        ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(link.isRunning() && ui->actionConnect->isChecked(), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("KeepAlive")).size(), 1, 2000);
        QVERIFY(robot.requests(QStringLiteral("KeepAlive")).first().endsWith(QStringLiteral("silent")));
        advance(limitMs - 300);
        QVERIFY(prompt->calls.isEmpty());
        QVERIFY(link.isRunning());
        advance(400);
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[0].text,
                 QStringLiteral("The robot does not answer on the port %1 (no answer in %2 seconds). Check that the "
                                "robot is switched on, the cable and the port, and that the Bluetooth choice matches "
                                "how the robot is connected.")
                     .arg(robot.port)
                     .arg(limitMs / 1000));
        QTRY_VERIFY_WITH_TIMEOUT(!link.isRunning() && !ui->actionConnect->isChecked(), 5000);
        QVERIFY(ui->comboBoxSerialPortName->isEnabled());
        // Said once.
        advance(20000);
        QCOMPARE(prompt->calls.size(), 1);
    }

    // The thumbnail walk holds the watchdog at zero. A file job does not: it
    // keeps the count at zero only while it hears the robot (its Activity
    // events), so a robot silent during a transfer still trips it.
    void watchdogDuringJobs()
    {
        start();
        window->robotLink().setGreeted(true);
        window->robotLink().worker().getJob = 1;
        window->robotLink().setSilenceMs(20000);
        window->timerUpdate();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].text, QStringLiteral("the connection to the robot is broken."));
        prompt->calls.clear();
        window->robotLink().setGreeted(true);
        window->robotLink().worker().getJob = 0;
        window->frameList().setRefreshState(1);
        window->robotLink().setSilenceMs(20000);
        window->timerUpdate();
        QCOMPARE(window->robotLink().silenceMs(), 0);
        window->frameList().setRefreshState(0);
        window->robotLink().setSilenceMs(10000);
        window->timerUpdate();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(int(window->robotLink().greeted()), 0);
    }
};

QTEST_MAIN(TestLinkWatchdog)
#include "tst_linkwatchdog.moc"
