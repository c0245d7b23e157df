// The joint panel against the virtual robot: an angle edit moves the robot at
// once, selecting another frame moves it to that frame (three requests per
// servo that changes), and the thumbnail walk after opening a file sends
// nothing.

#include <QtTest>
#include <QAction>
#include <QListWidget>
#include <QSpinBox>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "link/serialportthread.h"
#include "motion/jointpanel.h"
#include "support/robotsimprocess.h"
#include "support/operationexample.h"
#include "support/scriptedprompt.h"
#include "ui_mainwindow.h"

class TestJointPanelLink : public QObject
{
    Q_OBJECT

    QString startDir;

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }

    void robotFollowsThePanel()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QTemporaryDir workDir;
        QDir::setCurrent(workDir.path());
        qputenv("GAITFORGE_EXTRA_PORTS", robot.port.toLocal8Bit());
        auto window = std::make_unique<MainWindow>();
        qunsetenv("GAITFORGE_EXTRA_PORTS");
        auto scripted = std::make_unique<ScriptedPrompt>();
        ScriptedPrompt *prompt = scripted.get();
        window->setPrompt(std::move(scripted));
        Ui::MainWindow *ui = window->form();

        ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(window->robotLink().isRunning() && ui->actionConnect->isChecked(), 5000);

        // An edit: speed and acceleration to all servos, then the pose.
        ui->spinBoxAngleLhand1->setValue(-250);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("MovePose")).size(), 1, 5000);
        QStringList sent = robot.requests();
        const int speed = sent.indexOf(QRegularExpression(QStringLiteral("^Write Speed to=0x03e8.*value=300$")));
        QVERIFY(speed >= 0);
        QVERIFY(sent[speed + 1].startsWith(QStringLiteral("Write Acceleration to=0x03e8")));
        QVERIFY(sent[speed + 2].startsWith(QStringLiteral("MovePose")));
        QCOMPARE(sent[speed + 2].section(QStringLiteral("pose="), 1).split(QLatin1Char(','))[1],
                 QStringLiteral("-250"));

        // Opening a file: the first frame is loaded and the walk draws every
        // picture offscreen; nothing is sent.
        QFile file(QStringLiteral("moves.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("FLP:0;\r\n" + frameRecord({{3, -250}}) + frameRecord({{3, 100}, {5, 200}, {14, -300}})
                   + frameRecord({{3, 100}, {5, 200}, {14, -300}, {20, 50}}) + "END:;\r\n\r\n");
        file.close();
        prompt->answers.enqueue(QStringLiteral("moves.ini"));
        ui->actionOpen_file->trigger();
        QCOMPARE(window->frameList().refreshState(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(window->frameList().refreshState(), 0, 5000);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 0);
        QCOMPARE(ui->spinBoxAngleLhand1->value(), -250);
        QCOMPARE(ui->spinBoxAngleExtendServo2->value(), 0);
        QTest::qWait(200);
        QCOMPARE(robot.requests(QStringLiteral("MovePose")).size(), 1);

        // Selecting frame 2 changes servos 3, 5, 14 and 20: three requests each,
        // the last pose being frame 2's.
        ui->listWidgetGraphicOperation->setCurrentRow(2);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("MovePose")).size(), 5, 5000);
        QTest::qWait(200);
        QCOMPARE(robot.requests(QStringLiteral("Write Speed")).size(), 5);
        QCOMPARE(robot.requests(QStringLiteral("Write Acceleration")).size(), 5);
        const QStringList pose =
            robot.requests(QStringLiteral("MovePose")).last().section(QStringLiteral("pose="), 1).split(QLatin1Char(','));
        QCOMPARE(pose.size(), 19);
        QCOMPARE(pose[1], QStringLiteral("100"));
        QCOMPARE(pose[3], QStringLiteral("200"));
        QCOMPARE(pose[12], QStringLiteral("-300"));
        QCOMPARE(pose[18], QStringLiteral("50"));

        // Mirror posing: one edit, one pose carrying both joints.
        window->jointPanel().mirrorPosingAction()->setChecked(true);
        ui->spinBoxAngleLleg2->setValue(200);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("MovePose")).size(), 6, 5000);
        QTest::qWait(200);
        QCOMPARE(robot.requests(QStringLiteral("MovePose")).size(), 6);
        const QStringList mirrored =
            robot.requests(QStringLiteral("MovePose")).last().section(QStringLiteral("pose="), 1).split(QLatin1Char(','));
        QCOMPARE(mirrored[5], QStringLiteral("200"));
        QCOMPARE(mirrored[13], QStringLiteral("-200"));

        ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!window->robotLink().isRunning(), 5000);
        window.reset();
        QDir::setCurrent(startDir);
    }
};

QTEST_MAIN(TestJointPanelLink)
#include "tst_jointpanellink.moc"
