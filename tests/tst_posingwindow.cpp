// Posing by hand and stop in the window, against the virtual robot: the left
// arm is released (working-mode writes reach its three servos and no other),
// a scripted hand moves it, the panel follows and captures the positions into
// the frame exactly (one undo step), and holding it again sets each target to
// where the joint stands before its mode is restored, so no joint jumps. Stop
// reaches the robot within 100 ms of the click while a long download waits in
// the link's queue, and the rest of the download is dropped. The bus scan
// from the system menu fills its dock's table, one row per address, and says
// how many servos answered; it refuses to run while the link is down or a
// download runs.

#include <QtTest>
#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QToolBar>
#include <time.h>

#include "app/posingpanel.h"
#include "link/busscandock.h"
#include "link/busscanner.h"
#include "motion/jointpanel.h"
#include "playback/playback.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

namespace {

// Seconds on the monotonic clock, as the virtual robot's log counts them.
double monotonicNow()
{
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) * 1e-9;
}

// The virtual robot's start on the monotonic clock (its log's first line).
double robotStart(const RobotSimProcess &robot)
{
    QFile f(robot.logPath());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("# started on \\S+ monotonic ([0-9.]+)")).match(QString::fromUtf8(f.readLine()));
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

// Log lines with their times, those whose text starts with prefix.
QList<QPair<double, QString>> timed(const RobotSimProcess &robot, const QString &prefix)
{
    QList<QPair<double, QString>> out;
    QFile f(robot.logPath());
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return out;
    for (const QByteArray &raw : f.readAll().split('\n')) {
        const QString line = QString::fromUtf8(raw);
        const int space = line.indexOf(QLatin1Char(' '));
        if (space > 0 && line.mid(space + 1).startsWith(prefix))
            out << qMakePair(line.left(space).toDouble(), line.mid(space + 1));
    }
    return out;
}

} // namespace

class TestPosingWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    PosingPanel *posing() const { return window->findChild<PosingPanel *>(); }

    bool openConnected(const QString &port, const QVector<int> &flat)
    {
        start(port);
        window->document().restore(flat);
        // The motion as it was opened is the state an undo goes back to.
        window->document().recordSnapshot();
        window->frameList().setRefreshState(0);
        return ::connectAndGreet(*window, *ui, *prompt);
    }

private slots:
    void cleanupTestCase() { finish(); }

    void releaseMoveCaptureHold()
    {
        // Servo 3 starts at -450 and 4 at 120 (the robot's standing pose):
        // a hand takes them to -200 and 300; 5 is left where it is (-35).
        RobotSimProcess robot({QStringLiteral("--hand-move"), QStringLiteral("3:-450:-200:150"), QStringLiteral("--hand-move"),
                               QStringLiteral("4:120:300:150")});
        QVERIFY(robot.ok());
        QVector<int> flat(packet::kFrameColumns, 0);
        flat[19] = 600;
        QVERIFY(openConnected(robot.port, flat));
        QCOMPARE(window->document().currentRow(), 0);
        PosingPanel *panel = posing();
        QVERIFY(panel);

        panel->limbActions()[1]->trigger();  // left arm
        QCOMPARE(panel->posing().released(), (QVector<int>{3, 4, 5}));
        const auto reading = [&](int servo) {
            int at = 0;
            return panel->posing().reading(servo, &at) ? at : 99999;
        };
        QTRY_VERIFY_WITH_TIMEOUT(reading(3) == -200 && reading(4) == 300 && reading(5) == -35, 5000);
        // The model shows the arm where the hand put it; the frame keeps its
        // angles until the capture, and the servo page (no servo chosen)
        // says nothing of the answers.
        QCOMPARE(ui->openGLWidget->jointAngles[1], -20.0f);
        QCOMPARE(window->document().cell(0, 1), 0);
        QVERIFY(ui->statusBar->currentMessage() != QStringLiteral("Choose the servo first (servo:)."));

        panel->captureAction()->trigger();
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Captured 3 joint positions into the current frame."));
        QCOMPARE(window->document().cell(0, 1), -200);
        QCOMPARE(window->document().cell(0, 2), 300);
        QCOMPARE(window->document().cell(0, 3), -35);
        QCOMPARE(ui->spinBoxAngleLhand1->value(), -200);
        // One undo step takes the whole capture back.
        QTRY_VERIFY_WITH_TIMEOUT(window->document().editSettleCountdown() < 0, 5000);
        ui->actionUndo->trigger();
        QCOMPARE(window->document().cell(0, 1), 0);
        QCOMPARE(window->document().cell(0, 2), 0);
        QCOMPARE(window->document().cell(0, 3), 0);
        ui->actionRedo->trigger();
        QCOMPARE(window->document().cell(0, 2), 300);

        const int before = robot.requests().size();
        panel->holdAction()->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(timed(robot, QStringLiteral("hold servo")).size(), 3, 5000);
        QVERIFY(panel->posing().released().isEmpty());
        QTRY_COMPARE(ui->statusBar->currentMessage(), QStringLiteral("Held again where they stand."));
        for (const auto &hold : timed(robot, QStringLiteral("hold servo"))) {
            const QStringList words = hold.second.split(QLatin1Char(' '));
            QCOMPARE(words.size(), 7);
            QVERIFY2(qAbs(words[4].toInt() - words[6].toInt()) <= 10, qPrintable(hold.second));
        }
        // In order: a fresh reading of each, the slow speed, the pose with the
        // readings, then the working mode.
        const QStringList sent = robot.requests().mid(before);
        const int speed = sent.indexOf(QRegularExpression(QStringLiteral("^Write Speed to=0x0003 .*value=60$")));
        QVERIFY(speed > 0);
        QVERIFY(sent.mid(0, speed).filter(QStringLiteral("Read Position to=0x0003")).size() >= 1);
        QVERIFY(sent[speed + 1].startsWith(QStringLiteral("Write Speed to=0x0004")));
        QVERIFY(sent[speed + 2].startsWith(QStringLiteral("Write Speed to=0x0005")));
        QVERIFY(sent[speed + 3].startsWith(QStringLiteral("MovePose")));
        QCOMPARE(sent[speed + 3].section(QStringLiteral("pose="), 1).split(QLatin1Char(',')).mid(1, 3),
                 (QStringList{QStringLiteral("-200"), QStringLiteral("300"), QStringLiteral("-35")}));
        for (int i = 0; i < 3; ++i)
            QVERIFY2(sent[speed + 4 + i].startsWith(QStringLiteral("Write WorkingMode to=0x%1 ").arg(3 + i, 4, 16, QLatin1Char('0')))
                         && sent[speed + 4 + i].endsWith(QStringLiteral("value=3")),
                     qPrintable(sent[speed + 4 + i]));

        // No working-mode write reached any servo but the three released ones.
        for (const QString &line : robot.requests(QStringLiteral("Write WorkingMode")))
            QVERIFY2(QRegularExpression(QStringLiteral("to=0x000[345] ")).match(line).hasMatch(), qPrintable(line));
    }

    void scanTheBus()
    {
        RobotSimProcess robot({QStringLiteral("--absent-servos"), QStringLiteral("7,15")});
        QVERIFY(robot.ok());
        start(robot.port);
        BusScanDock *dock = window->findChild<BusScanDock *>();
        QVERIFY(dock);
        QAction *scan = dock->scanAction();
        QVERIFY(ui->menuSetting->actions().contains(scan));
        QVERIFY(posing()->toolBar()->actions().contains(scan));
        QCOMPARE(scan->text(), QStringLiteral("scan bus"));
        QCOMPARE(dock->windowTitle(), QStringLiteral("bus scan"));
        QVERIFY(!dock->isVisible());
        window->show();

        // Not connected: the dock opens and says why nothing is scanned.
        scan->trigger();
        QVERIFY(dock->isVisible());
        // Floating the first time: the window keeps its width.
        QVERIFY(dock->isFloating());
        QCOMPARE(window->width(), 1366);
        QVERIFY(!dock->scanner().running());
        QCOMPARE(dock->statusLabel()->text(), QStringLiteral("Not connected: connect to the robot first, then scan."));

        QVERIFY(connectAndGreet());
        QCOMPARE(dock->statusLabel()->text(), QString());
        window->robotLink().setDownloading(true);
        scan->trigger();
        QVERIFY(!dock->scanner().running());
        QCOMPARE(dock->statusLabel()->text(),
                 QStringLiteral("A download or file transfer is running: scan again when it has finished."));
        window->robotLink().setDownloading(false);
        QVERIFY(robot.requests(QStringLiteral("Read ServoModel")).isEmpty());

        QTableWidget *table = dock->table();
        const auto rows = [table] {
            QStringList out;
            for (int r = 0; r < table->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < table->columnCount(); ++c)
                    cells << table->item(r, c)->text();
                out << cells.join(QLatin1Char('|'));
            }
            return out;
        };
        QStringList expected;
        for (int address = 2; address <= 20; ++address)
            expected << (address == 7 || address == 15 ? QStringLiteral("%1|missing|||").arg(address)
                                                       : QStringLiteral("%1|present|17|258|").arg(address));
        QCOMPARE(table->columnCount(), 5);
        QCOMPARE(table->horizontalHeaderItem(4)->text(), QStringLiteral("reason"));
        for (int round = 0; round < 2; ++round) {
            // The menu's action first, then the dock's own button.
            if (round == 0)
                scan->trigger();
            else
                dock->scanButton()->click();
            QVERIFY(dock->scanner().running());
            QVERIFY(!dock->scanButton()->isEnabled());
            QCOMPARE(dock->statusLabel()->text(), QStringLiteral("Scanning servos 2 to 20..."));
            QCOMPARE(table->item(0, 1)->text(), QString());
            QTRY_VERIFY_WITH_TIMEOUT(!dock->scanner().running(), 5000);
            QVERIFY(dock->scanButton()->isEnabled());
            QCOMPARE(rows(), expected);
            const qint64 ms = dock->lastScanMs();
            QVERIFY2(ms > 0 && ms <= 1500, qPrintable(QString::number(ms)));
            QCOMPARE(dock->statusLabel()->text(),
                     QStringLiteral("17 present, 2 missing; the scan took %1 s").arg(double(ms) / 1000.0, 0, 'f', 2));
        }
        QVERIFY(robot.requests(QStringLiteral("Read ServoModel to=0x0014")).size() >= 2);

        // The counts name the present always, the missing and unreliable when there are any.
        QList<BusScan::Entry> odd;
        BusScan::Entry shared;
        shared.state = BusScan::State::Unreliable;
        shared.sharedAddress = true;
        BusScan::Entry stranger;
        stranger.state = BusScan::State::Unreliable;
        stranger.stranger = 112;
        odd << BusScan::Entry() << shared << stranger;
        QCOMPARE(BusScanDock::summary(odd, 1234), QStringLiteral("0 present, 1 missing, 2 unreliable; the scan took 1.23 s"));
    }

    void stopJumpsTheDownload()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        // 80 frames: a download of more than two seconds at 30 ms a request.
        QVector<int> flat;
        for (int r = 0; r < 80; ++r) {
            QVector<int> row(packet::kFrameColumns, 0);
            row[0] = r;
            row[19] = 100;
            flat += row;
        }
        QVERIFY(openConnected(robot.port, flat));
        const double started = robotStart(robot);
        QVERIFY(started > 0);
        prompt->answers.enqueue(int(QMessageBox::Yes));
        ui->actionSimulation->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(robot.requests(QStringLiteral("DebugFrame")).size() >= 5, 5000);
        QVERIFY(window->robotLink().pendingRequests() > 50);

        const double click = monotonicNow() - started;
        posing()->stopAction()->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!timed(robot, QStringLiteral("Write WorkingMode to=0x03e8")).isEmpty(), 5000);
        const auto stop = timed(robot, QStringLiteral("PlayControl"));
        QCOMPARE(stop.size(), 1);
        QVERIFY(stop[0].second.endsWith(QStringLiteral("payload=0300")));
        const auto brake = timed(robot, QStringLiteral("Write WorkingMode to=0x03e8"));
        QCOMPARE(brake.size(), 1);
        QVERIFY(brake[0].second.endsWith(QStringLiteral("value=1")));
        qInfo("stop on the wire %.1f ms, brake %.1f ms after the click", (stop[0].first - click) * 1000,
              (brake[0].first - click) * 1000);
        QVERIFY2(stop[0].first - click <= 0.100, qPrintable(QString::number(stop[0].first - click)));
        QVERIFY2(brake[0].first - click <= 0.100, qPrintable(QString::number(brake[0].first - click)));
        QVERIFY(brake[0].first > stop[0].first);
        // Nothing of the download went out after them, and nothing runs it
        // (the following of the braked joints reads their positions).
        QTest::qWait(150);
        QVERIFY(robot.requests(QStringLiteral("DebugSummary")).isEmpty());
        for (const auto &frame : timed(robot, QStringLiteral("DebugFrame")))
            QVERIFY(frame.first < stop[0].first);
        QVERIFY(robot.requests(QStringLiteral("RunFile")).isEmpty());
        QVERIFY(window->playback().stopped());
        // Every joint counts as released (braked) now.
        QCOMPARE(posing()->posing().released().size(), 19);
        // The key does the same.
        QCOMPARE(posing()->stopAction()->shortcut(), QKeySequence(Qt::Key_Escape));
        QVERIFY(ui->menuSetting->actions().contains(posing()->stopAction()));
    }
};

QTEST_MAIN(TestPosingWindow)
#include "tst_posingwindow.moc"
