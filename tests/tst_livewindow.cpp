// The live readings in the window, against the virtual robot: the sweeps run
// from connecting, the dock closed, and fill its table and plots; the view
// menu shows and hides the live readings and the packet monitor, which has
// recorded the link's frames from connecting; the window's event
// loop never stalls for more than 50 ms meanwhile; a hot servo turns its part
// red on the 3D model and is told once in the status bar and the
// communication log, and its part goes back when it has cooled; the
// session's readings are saved as CSV, one row per servo per sweep. The
// servos' warming runs on a clock this test skips.

#include <QtTest>
#include <QScreen>
#include <qcustomplot.h>
#include <QCheckBox>
#include <QCursor>
#include <QDockWidget>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTableWidget>
#include <QTextBrowser>

#include "app/mainwindow.h"
#include "link/linkclock.h"
#include "link/livepanel.h"
#include "link/livesweeper.h"
#include "link/framedecoder.h"
#include "link/packetmonitordock.h"
#include "link/packetmonitormodel.h"
#include "link/robotlink.h"
#include "support/processortime.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"
#include "view3d/openglwidget.h"

using namespace packet;

// The sweeps give way to a page's request for LiveSweeper::kQuietMs of the
// link's clock: the test skips that rest once the sweeper has seen the request.
inline bool skipQuiet(LiveSweeper &sweeper, RobotLink &link)
{
    sweeper.step();
    link.clock().skip(LiveSweeper::kQuietMs);
    return true;
}

class TestLiveWindow : public QObject, WindowFixture
{
    Q_OBJECT

    // The longest gap between two turns of the event loop over ms, on the
    // wall clock and in the window thread's own processor time. On a loaded
    // machine the wall figure measures the machine too (other processes take
    // the cores); the processor time is what the window's own work took.
    struct Stall {
        qint64 wallMs = 0;
        qint64 cpuMs = 0;
    };
    Stall longestStall(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        qint64 last = 0;
        qint64 lastCpu = threadProcessorUs();
        Stall longest;
        QTimer ticker;
        ticker.setInterval(1);
        QObject::connect(&ticker, &QTimer::timeout, [&] {
            const qint64 now = clock.elapsed();
            const qint64 cpu = threadProcessorUs();
            longest.wallMs = qMax(longest.wallMs, now - last);
            longest.cpuMs = qMax(longest.cpuMs, (cpu - lastCpu) / 1000);
            last = now;
            lastCpu = cpu;
        });
        ticker.start();
        QTest::qWait(20);
        longest = Stall();
        last = clock.elapsed();
        lastCpu = threadProcessorUs();
        QTest::qWait(ms);
        return longest;
    }

    // Whether the window, once laid out with the dock just shown, lies within
    // the screen's free area (a dock that would push it out floats instead).
    bool windowFitsScreen()
    {
        QTest::qWait(50);
        const QRect free = window->screen()->availableGeometry();
        const QSize size = window->frameGeometry().size();
        if (size.width() <= free.width() && size.height() <= free.height())
            return true;
        qWarning("window %dx%d on a screen of %dx%d", size.width(), size.height(), free.width(), free.height());
        return false;
    }

private slots:
    void cleanup() { finish(); }

    void liveReadings()
    {
        const QString clockFile = QDir::tempPath() + QStringLiteral("/gaitforge-live-%1").arg(QCoreApplication::applicationPid());
        QFile::remove(clockFile);
        LinkClock servoClock;
        QVERIFY(servoClock.shareSkips(clockFile));
        RobotSimProcess robot({QStringLiteral("--hot-servo"), QStringLiteral("8"), QStringLiteral("--shared-clock"),
                               clockFile, QStringLiteral("--absent-servos"), QStringLiteral("19,20")});
        QVERIFY(robot.ok());
        start(robot.port);
        LivePanel *live = window->findChild<LivePanel *>();
        QVERIFY(live);
        QVERIFY(!live->dock()->isVisible());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        // The pointer rests on the status bar's corner: no widget's status
        // tip takes the place of the messages this test reads there.
        QCursor::setPos(window->mapToGlobal(QPoint(window->width() - 3, window->height() - 3)));
        QVERIFY(connectAndGreet());
        RobotLink &link = window->robotLink();

        // The view menu, before the help menu, shows and hides both docks.
        QMenu *view = window->findChild<QMenu *>(QStringLiteral("menuView"));
        QVERIFY(view);
        QCOMPARE(view->title(), QStringLiteral("&view"));
        const QList<QAction *> bar = window->menuBar()->actions();
        QCOMPARE(bar.indexOf(view->menuAction()) + 1, bar.indexOf(ui->menuHelp->menuAction()));
        const QList<QAction *> entries = view->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0]->text(), QStringLiteral("live readings"));
        QCOMPARE(entries[1]->text(), QStringLiteral("packet monitor"));
        for (QAction *entry : entries) {
            QVERIFY(entry->isCheckable());
            QVERIFY(!entry->isChecked());
        }

        // The packet monitor has recorded since the link opened, shown or not:
        // the link's first keep-alive and the robot's answer are its first rows.
        PacketMonitorDock *monitor = window->findChild<PacketMonitorDock *>();
        QVERIFY(monitor);
        QVERIFY(!monitor->isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(monitor->model().heldCount() >= 2, 5000);
        QCOMPARE(framedecoder::decodeWire(monitor->model().frameAt(0).wire).typeName, QStringLiteral("KeepAlive"));
        QCOMPARE(monitor->model().frameAt(0).direction, LinkFrame::Sent);
        entries[1]->trigger();
        QVERIFY(monitor->isVisible());
        QVERIFY(entries[1]->isChecked());
        QVERIFY(windowFitsScreen());
        entries[1]->trigger();
        QVERIFY(!monitor->isVisible());

        // The sweeps run from connecting (after a rest this test skips), with
        // the live readings dock closed.
        QVERIFY(skipQuiet(live->sweeper(), link));
        // The robot has taken a working mode (before the servos' clock skips).
        int modesWritten = 0;
        const auto setMode = [&](ServoMode mode) {
            return link.setWorkingMode(8, mode)
                   && QTest::qWaitFor([&] { return robot.requests(QStringLiteral("Write WorkingMode")).size() > modesWritten; },
                                      5000)
                   && ++modesWritten && skipQuiet(live->sweeper(), link);
        };
        // The hot servo first released: cool.
        QTRY_VERIFY_WITH_TIMEOUT(live->sweeps().size() >= 1, 5000);
        QVERIFY(setMode(ServoMode::StopWithoutBrake));
        servoClock.skip(60000);
        int before = live->sweeps().size();
        QTRY_VERIFY_WITH_TIMEOUT(live->sweeps().size() >= before + 2, 5000);
        QCOMPARE(live->table()->rowCount(), 17);
        QCOMPARE(live->table()->item(0, 0)->text(), QStringLiteral("2"));
        QCOMPARE(live->table()->item(0, 6)->text(), QStringLiteral("75"));
        QVERIFY(ui->openGLWidget->partColours().isEmpty());

        // Held again, it overheats: red on the model, told once, the dock
        // still closed.
        // (It may have warmed past its limit once already, while the window started.)
        const int logLines = ui->textBrowser->toPlainText().count(QStringLiteral("Alarm: servo 8"));
        QVERIFY(setMode(ServoMode::CurveServo));
        servoClock.skip(10000);
        QTRY_COMPARE_WITH_TIMEOUT(ui->openGLWidget->partColours().value(8), LivePanel::kAlarmColour, 5000);
        QCOMPARE(ui->openGLWidget->partColours().size(), 1);
        QVERIFY(!live->dock()->isVisible());
        QVERIFY2(ui->statusBar->currentMessage().startsWith(QStringLiteral("Alarm: servo 8 ")),
                 qPrintable(ui->statusBar->currentMessage()));
        before = live->sweeps().size();
        QTRY_VERIFY_WITH_TIMEOUT(live->sweeps().size() >= before + 2, 5000);
        QCOMPARE(ui->textBrowser->toPlainText().count(QStringLiteral("Alarm: servo 8")), logLines + 1);
        // The sweeps' answers reach the servo page too, which says nothing
        // of them: the alarm stays in the status bar.
        QVERIFY2(ui->statusBar->currentMessage().startsWith(QStringLiteral("Alarm: servo 8 ")),
                 qPrintable(ui->statusBar->currentMessage()));

        // Shown from the view menu, the dock's plots and table keep up; the
        // window keeps turning meanwhile.
        // No sweep comes meanwhile: what the plot shows is what came with the
        // dock closed.
        live->watchBox()->setChecked(false);
        entries[0]->trigger();
        QVERIFY(live->dock()->isVisible());
        // Too wide to sit beside the pages on this screen, it floats over
        // them: the window stays inside the screen.
        QVERIFY(windowFitsScreen());
        // The temperatures, above 25 °C, are in the plot's range at once.
        const QCPRange shownRange = live->shownPlot()->yAxis->range();
        QVERIFY2(shownRange.upper > 25.0, qPrintable(QString::number(shownRange.upper)));
        live->watchBox()->setChecked(true);
        live->watchBox()->setChecked(false);
        const Stall idle = longestStall(1000);
        live->watchBox()->setChecked(true);
        const Stall stall = longestStall(1500);
        qInfo("longest stall while idle: %lld ms (window thread's time %lld ms), while sweeping: %lld ms (%lld ms)",
              static_cast<long long>(idle.wallMs), static_cast<long long>(idle.cpuMs),
              static_cast<long long>(stall.wallMs), static_cast<long long>(stall.cpuMs));
        QVERIFY2(stall.cpuMs <= 50, qPrintable(QString::number(stall.cpuMs)));
        // The wall clock tells only on a machine whose idle loop turns freely.
        if (idle.wallMs <= 10)
            QVERIFY2(stall.wallMs <= 50, qPrintable(QString::number(stall.wallMs)));

        // Released, it cools: the part goes back, and that is told.
        QVERIFY(setMode(ServoMode::StopWithoutBrake));
        servoClock.skip(60000);
        const int cleared = ui->textBrowser->toPlainText().count(QStringLiteral("Cleared: servo 8 is back to normal"));
        QTRY_VERIFY_WITH_TIMEOUT(ui->openGLWidget->partColours().isEmpty(), 5000);
        QCOMPARE(ui->textBrowser->toPlainText().count(QStringLiteral("Cleared: servo 8 is back to normal")), cleared + 1);

        // The CSV: one row per servo per sweep.
        live->watchBox()->setChecked(false);
        const int sweeps = live->sweeps().size();
        int rows = 0;
        int whole = 0;
        for (const live::Sweep &sweep : live->sweeps()) {
            rows += sweep.servos.size();
            whole += sweep.servos.size() == 17;
        }
        // Every servo answered in (nearly) every sweep.
        QVERIFY2(whole >= sweeps - 1, qPrintable(QStringLiteral("%1 of %2").arg(whole).arg(sweeps)));
        prompt->answers.enqueue(QStringLiteral("readings.csv"));
        live->saveButton()->click();
        QFile csv(QStringLiteral("readings.csv"));
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().trimmed().split('\n');
        QCOMPARE(lines.size(), 1 + rows);
        QVERIFY(lines.first().startsWith("time_ms,servo,"));
        QCOMPARE(ui->statusBar->currentMessage(),
                 QStringLiteral("%1 rows of %2 sweeps saved to readings.csv.").arg(rows).arg(sweeps));
        QFile::remove(clockFile);
    }
};

QTEST_MAIN(TestLiveWindow)
#include "tst_livewindow.moc"
