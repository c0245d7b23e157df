// The window's side of the link against the virtual robot: connecting and the
// greeting, a missing port, the "send:" log, reading joints into the panel,
// the joint-edit requests, the robot's file list, a fetch ending with its
// notice, the answers shown in the window, and refused robot paths.

#include <QtTest>
#include <QAction>
#include <QComboBox>
#include <QLCDNumber>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextBrowser>

#include "app/mainwindow.h"
#include "files/filebrowser.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "link/serialportthread.h"
#include "robot/iopanel.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

class TestLinkWindow : public QObject
{
    Q_OBJECT

    QString startDir;
    std::unique_ptr<QTemporaryDir> workDir;

    using Started = StartedWindow;
    // A window in a fresh working directory whose port list offers the robot.
    Started start(const QString &port = QString()) { return startWindow(workDir, port); }

    static int count(const ScriptedPrompt *prompt, const QString &title) { return countTitled(prompt, title); }

    // Connects and waits for the first answer (the link's opening keep-alive
    // answered by a power reading); nothing else went out.
    static bool connectAndGreet(Started &s)
    {
        s.ui->actionConnect->trigger();
        if (!QTest::qWaitFor([&] { return s.window->robotLink().isRunning() && s.ui->actionConnect->isChecked(); }, 5000))
            return false;
        return QTest::qWaitFor([&] { return s.window->robotLink().greeted(); }, 5000);
    }

    static void disconnect(Started &s)
    {
        s.ui->actionConnect->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!s.window->robotLink().isRunning() && !s.ui->actionConnect->isChecked(), 5000);
    }

private slots:
    void initTestCase() { startDir = QDir::currentPath(); }
    void cleanupTestCase()
    {
        QDir::setCurrent(startDir);
        workDir.reset();
    }

    void robotPortComesFirst()
    {
        auto s = start(QStringLiteral("/tmp/gaitforge-test-robot"));
        QCOMPARE(s.ui->comboBoxSerialPortName->itemText(0), QStringLiteral("/tmp/gaitforge-test-robot"));
        QCOMPARE(s.ui->comboBoxSerialPortName->currentIndex(), 0);
    }

    void missingPortWarns()
    {
        auto s = start(QStringLiteral("/tmp/gaitforge-no-such-port"));
        s.ui->actionConnect->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(s.prompt->calls.size(), 1, 5000);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("Serial port dosn't exist or opened in other applacation!"));
        QVERIFY(!s.ui->actionConnect->isChecked());
        QVERIFY(s.ui->comboBoxSerialPortName->isEnabled() && s.ui->pushButtonRefreshPortName->isEnabled());
    }

    // The greeting comes once per connection, on the first answer of any kind.
    void connectGreetsOnce()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        QVERIFY(!s.ui->comboBoxSerialPortName->isEnabled());
        QVERIFY(!s.ui->pushButtonRefreshPortName->isEnabled());
        QVERIFY(!s.ui->comboBoxBaudRate->isEnabled());
        // (The link asked once as it opened.)
        const int asked = robot.requests(QStringLiteral("KeepAlive")).size();
        for (int i = 0; i < 3; ++i)
            s.window->robotLink().keepAlive();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("KeepAlive")).size(), asked + 3, 5000);
        QTest::qWait(100);
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].kind, QStringLiteral("information"));
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("connect successful"));
        QCOMPARE(s.prompt->calls[0].text, QStringLiteral("Connect to the robot successful."));
        // The power reading reaches the displays (voltage / 1000, current / 100).
        QVERIFY(s.ui->lcdNumberVoltage->value() > 6.0 && s.ui->lcdNumberVoltage->value() < 8.0);
        QVERIFY(s.ui->lcdNumberCurrent->value() > 1.0 && s.ui->lcdNumberCurrent->value() < 2.0);

        disconnect(s);
        QCOMPARE(int(s.window->robotLink().greeted()), 0);
        QVERIFY(s.ui->comboBoxSerialPortName->isEnabled());
        // A link that is gone shows no reading.
        QCOMPARE(s.ui->lcdNumberVoltage->value(), 0.0);
        QCOMPARE(s.ui->lcdNumberCurrent->value(), 0.0);
        QVERIFY(connectAndGreet(s));
        QCOMPARE(count(s.prompt, QStringLiteral("connect successful")), 2);
        disconnect(s);
    }

    void sendLogLine()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        // Nothing is built or logged while the link is down.
        QVERIFY(!s.window->robotLink().readRegister(5, Speed));
        QVERIFY(s.ui->textBrowser->toPlainText().isEmpty());
        QVERIFY(connectAndGreet(s));
        s.ui->textBrowser->clear();
        QVERIFY(s.window->robotLink().readRegister(5, Speed));
        QCOMPARE(s.ui->textBrowser->toPlainText().trimmed(), QStringLiteral("send:aa 55 80 1 0 5 8 1 2 8f aa 81"));
        // The keep-alive is not logged.
        s.ui->textBrowser->clear();
        QVERIFY(s.window->robotLink().keepAlive());
        QVERIFY(s.ui->textBrowser->toPlainText().isEmpty());
        disconnect(s);
    }

    void readAllJoints()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        // A motion of one frame, current: the positions read go into it.
        QVector<int> frame(kFrameColumns, 0);
        frame[19] = 100;
        s.window->document().restore(frame);
        s.window->frameList().setRefreshState(0);
        s.window->frameList().setWalkRow(0);
        // Set before connecting: a joint box changed while connected moves the robot.
        s.ui->spinBoxAngleExtendServo1->setValue(77);
        QVERIFY(connectAndGreet(s));
        const int before = robot.requests().size();

        s.ui->actionRead_all_joint_position_data->trigger();
        QCOMPARE(s.window->connectionPanel().readingJoints(), 1);
        QVERIFY(s.ui->actionRead_all_joint_position_data->isChecked());
        QVERIFY(!s.ui->actionRead_hand_joint_position_data->isChecked());
        // The first click says what it did and what comes next.
        QCOMPARE(s.window->statusBar()->currentMessage(),
                 QStringLiteral("servos released: pose the robot by hand, then read again"));
        s.ui->actionRead_all_joint_position_data->trigger();
        QCOMPARE(s.window->connectionPanel().readingJoints(), 0);
        QVERIFY(!s.ui->actionRead_all_joint_position_data->isChecked());
        QVERIFY(s.window->statusBar()->currentMessage().isEmpty());

        QTRY_VERIFY_WITH_TIMEOUT(robot.requests().size() >= before + 19, 5000);
        const QStringList sent = robot.requests().mid(before);
        QVERIFY2(sent[0].startsWith(QStringLiteral("Write WorkingMode to=0x03e8")) && sent[0].endsWith(QStringLiteral("value=1")),
                 qPrintable(sent[0]));
        for (int servo = 2; servo <= 18; ++servo)
            QVERIFY2(sent[servo - 1].startsWith(QStringLiteral("Read Position to=0x%1").arg(servo, 4, 16, QLatin1Char('0'))),
                     qPrintable(sent[servo - 1]));
        QVERIFY(sent[18].startsWith(QStringLiteral("Write WorkingMode to=0x03e8")) && sent[18].endsWith(QStringLiteral("value=3")));

        // The robot's start pose fills servos 2..18 and the current frame; the
        // extra servos are not read.
        const QList<QSpinBox *> boxes = {s.ui->spinBoxAngleHead,  s.ui->spinBoxAngleLhand1, s.ui->spinBoxAngleLhand2,
                                         s.ui->spinBoxAngleLhand3, s.ui->spinBoxAngleLleg1,  s.ui->spinBoxAngleLleg2,
                                         s.ui->spinBoxAngleLleg3,  s.ui->spinBoxAngleLleg4,  s.ui->spinBoxAngleLleg5,
                                         s.ui->spinBoxAngleRhand1, s.ui->spinBoxAngleRhand2, s.ui->spinBoxAngleRhand3,
                                         s.ui->spinBoxAngleRleg1,  s.ui->spinBoxAngleRleg2,  s.ui->spinBoxAngleRleg3,
                                         s.ui->spinBoxAngleRleg4,  s.ui->spinBoxAngleRleg5};
        const QList<int> pose = {15, -450, 120, -35, 20, 300, -600, 300, -20, 450, -120, 35, -20, -300, 600, -300, 20};
        QTRY_COMPARE_WITH_TIMEOUT(boxes.last()->value(), pose.last(), 5000);
        for (int i = 0; i < boxes.size(); ++i)
            QCOMPARE(boxes[i]->value(), pose[i]);
        QCOMPARE(s.ui->spinBoxAngleExtendServo1->value(), 77);
        const int row = s.window->document().currentRow();
        QVERIFY(row >= 0);
        for (int i = 0; i < pose.size(); ++i)
                QCOMPARE(s.window->document().cell(row, i), pose[i]);
        // Filling the panel from the robot sends no pose: the robot stands in
        // it already, and poses sent box by box would jerk it.
        QTest::qWait(300);
        QCOMPARE(robot.requests(QStringLiteral("MovePose")).size(), 0);
        QCOMPARE(robot.requests().mid(before + 19).filter(QRegularExpression(QStringLiteral("^(Write Speed|Write Acceleration)"))).size(), 0);

        // The next edit sends the whole panel: the positions read, the edit
        // and the extra servo as the panel shows them.
        s.ui->spinBoxAngleHead->setValue(25);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("MovePose")).size(), 1, 5000);
        QVERIFY2(robot.requests(QStringLiteral("MovePose")).first().endsWith(
                     QStringLiteral("pose=25,-450,120,-35,20,300,-600,300,-20,450,-120,35,-20,-300,600,-300,20,77,0")),
                 qPrintable(robot.requests(QStringLiteral("MovePose")).first()));
        disconnect(s);
    }

    void readHandJointsAndCalibrationTarget()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        const int before = robot.requests().size();
        s.ui->actionRead_hand_joint_position_data->trigger();
        s.window->connectionPanel().setCalibrationTarget(1);
        s.ui->actionRead_hand_joint_position_data->trigger();
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests().size(), before + 18, 5000);
        const QStringList sent = robot.requests().mid(before);
        const QList<int> hands = {3, 4, 5, 11, 12, 13};
        for (int i = 0; i < 6; ++i) {
            const QString to = QStringLiteral("to=0x%1").arg(hands[i], 4, 16, QLatin1Char('0'));
            QVERIFY(sent[i].startsWith(QStringLiteral("Write WorkingMode ") + to) && sent[i].endsWith(QStringLiteral("value=1")));
            QVERIFY(sent[6 + i].startsWith(QStringLiteral("Read Position ") + to));
            QVERIFY(sent[12 + i].startsWith(QStringLiteral("Write WorkingMode ") + to) && sent[12 + i].endsWith(QStringLiteral("value=3")));
        }
        // Into the calibration boxes, not the joint panel.
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->spinBoxServo13Correction->value(), 35, 5000);
        QCOMPARE(s.ui->spinBoxServo3Correction->value(), -450);
        QCOMPARE(s.ui->spinBoxAngleLhand1->value(), 0);
        QCOMPARE(s.window->connectionPanel().calibrationTarget(), 0);
        disconnect(s);
    }

    void readJointsWhileDisconnected()
    {
        auto s = start(QString());
        s.ui->actionRead_leg_joint_position_data->trigger();
        QVERIFY(!s.ui->actionRead_leg_joint_position_data->isChecked());
        QCOMPARE(s.window->connectionPanel().readingJoints(), 0);
        QVERIFY(s.ui->textBrowser->toPlainText().isEmpty());
    }

    // Three requests 10 ms apart: none lost to the next.
    void jointEditKeepsAllThree()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        const int before = robot.requests().size();
        s.ui->spinBoxAngleRleg5->blockSignals(true);
        s.ui->spinBoxAngleRleg5->setValue(-123);
        s.ui->spinBoxAngleRleg5->blockSignals(false);
        s.window->connectionPanel().followPose(s.window->jointPanel().angles());
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests().size(), before + 3, 5000);
        const QStringList sent = robot.requests().mid(before);
        QVERIFY(sent[0].startsWith(QStringLiteral("Write Speed to=0x03e8")) && sent[0].endsWith(QStringLiteral("value=300")));
        QVERIFY(sent[1].startsWith(QStringLiteral("Write Acceleration to=0x03e8")) && sent[1].endsWith(QStringLiteral("value=1000")));
        QVERIFY(sent[2].startsWith(QStringLiteral("MovePose")));
        QCOMPARE(sent[2].section(QStringLiteral("pose="), 1).split(QLatin1Char(','))[16], QStringLiteral("-123"));
        // While joints are being read, edits send nothing.
        s.window->connectionPanel().setReadingJoints(1);
        s.window->connectionPanel().followPose(s.window->jointPanel().angles());
        QTest::qWait(150);
        QCOMPARE(robot.requests().size(), before + 3);
        disconnect(s);
    }

    void robotFileListAndFetch()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        QDir().mkpath(robot.drive(1));
        // Enough names for several parts.
        QStringList expected;
        for (int i = 0; i < 40; ++i) {
            const QString name = QStringLiteral("motion-%1-with-a-long-name.ini").arg(i, 2, 10, QLatin1Char('0'));
            QFile f(robot.drive(1) + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("FRAME:1;\r\n");
            expected << name;
        }
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        QVERIFY(s.window->robotLink().listFolder(1));
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->listWidgetFileList->count(), 40, 5000);
        QVERIFY(robot.requests(QStringLiteral("ListFolder")).first().contains(QStringLiteral("parts=")));
        QVERIFY(robot.requests(QStringLiteral("ListFolder")).first().section(QStringLiteral("parts="), 1).toInt() > 3);
        for (int i = 0; i < 40; ++i)
            QCOMPARE(s.ui->listWidgetFileList->item(i)->text(), expected[i]);
        QCOMPARE(s.ui->listWidgetFileList->currentRow(), 39);
        QCOMPARE(s.ui->listWidgetFileList->item(0)->flags(), Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        // The next list arrives whole after the first was taken.
        QVERIFY(s.window->robotLink().listFolder(1));
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->listWidgetFileList->count(), 80, 5000);
        for (int i = 0; i < 40; ++i)
            QCOMPARE(s.ui->listWidgetFileList->item(40 + i)->text(), expected[i]);

        // A fetch: the thread writes the file, the end shows the notice (an
        // information, not a warning).
        RobotLink &link = s.window->robotLink();
        const QString local = QDir::currentPath() + QStringLiteral("/fetched.ini");
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Get, 1, expected[3]));
        s.window->fileBrowser().startFileGet(local, expected[3]);
        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("finish")), 1, 10000);
        QCOMPARE(s.prompt->calls.last().kind, QStringLiteral("information"));
        QVERIFY2(s.prompt->calls.last().text.startsWith(QStringLiteral("Trans file finished. Checked: 3 copies of %1 (").arg(expected[3])),
                 qPrintable(s.prompt->calls.last().text));
        QCOMPARE(s.prompt->calls.last().buttons, Prompt::Buttons(QMessageBox::Yes));
        QCOMPARE(s.ui->progressBarTransFile->value(), 100);
        QCOMPARE(s.ui->progressBarTransFileList->value(), 100);
        // The notice can come before the job has written the last chunk.
        QTRY_VERIFY_WITH_TIMEOUT(!link.jobRunning(), 5000);
        QFile fetched(local);
        QVERIFY(fetched.open(QIODevice::ReadOnly));
        QCOMPARE(fetched.readAll(), QByteArray("FRAME:1;\r\n"));
        disconnect(s);
    }

    void ioStateAndFormatDone()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        auto s = start(robot.port);
        QVERIFY(connectAndGreet(s));
        QVERIFY(s.window->robotLink().setIo(3, 2));  // IO 1 high, IO 2 low
        QThread::msleep(30);
        QVERIFY(s.window->robotLink().readIo());
        QTRY_COMPARE_WITH_TIMEOUT(s.ui->comboBoxMainboardIo1Value->currentIndex(), 1, 5000);
        QCOMPARE(s.ui->comboBoxMainboardIo2Value->currentIndex(), 0);
        QVERIFY(s.window->robotLink().formatFlash());
        QTRY_COMPARE_WITH_TIMEOUT(count(s.prompt, QStringLiteral("format flash finish")), 1, 5000);
        QCOMPARE(s.prompt->calls.last().text, QStringLiteral("Format flash finished."));
        disconnect(s);
    }

    // Bit 1 of the IO state is IO 1, bit 0 is IO 2.
    void ioStateBits()
    {
        auto s = start(QString());
        const int expected[4][2] = {{0, 0}, {0, 1}, {1, 0}, {1, 1}};
        for (int state = 0; state < 4; ++state) {
            s.window->ioPanel().showIoState(state);
            QCOMPARE(s.ui->comboBoxMainboardIo1Value->currentIndex(), expected[state][0]);
            QCOMPARE(s.ui->comboBoxMainboardIo2Value->currentIndex(), expected[state][1]);
        }
    }

    void transferProgress()
    {
        auto s = start(QString());
        emit s.window->robotLink().fileProgress(41);
        QCOMPARE(s.ui->progressBarTransFile->value(), 42);
        QCOMPARE(s.ui->progressBarTransFileList->value(), 42);
        emit s.window->robotLink().fileProgress(-1);
        QCOMPARE(s.ui->progressBarTransFile->value(), 42);
        emit s.window->robotLink().fileProgress(99);
        QCOMPARE(s.ui->progressBarTransFileList->value(), 100);
    }

    // A robot path is never sent cut or altered: the action stops with a box
    // naming the file.
    void refusedRobotPaths()
    {
        auto s = start(QString());
        const QString korean = QStringLiteral("걷기.ini");
        QVERIFY(!s.window->robotLink().setRobotPath(RobotLink::PathBlock::Send, 0, korean));
        QCOMPARE(s.prompt->calls.size(), 1);
        QCOMPARE(s.prompt->calls[0].title, QStringLiteral("warning"));
        QVERIFY(s.prompt->calls[0].text.contains(korean));
        QCOMPARE(buildRequest(s.window->robotLink().request(), FileBegin, Write).size(), 0);

        const QString longName = QString(120, QLatin1Char('m')) + QStringLiteral(".ini");
        QVERIFY(!s.window->robotLink().setRobotPath(RobotLink::PathBlock::Run, 1, longName));
        QCOMPARE(s.prompt->calls.size(), 2);
        QVERIFY(s.prompt->calls[1].text.contains(longName));
        QVERIFY(s.prompt->calls[1].text.contains(QStringLiteral("126")));
        QCOMPARE(buildRequest(s.window->robotLink().request(), RunFile, Write).size(), 0);

        // A fitting name in GB2312 is stored; no folder stops silently.
        QVERIFY(s.window->robotLink().setRobotPath(RobotLink::PathBlock::Delete, 1, QStringLiteral("跳舞.mp3")));
        const QByteArray stored = s.window->robotLink().robotPath(RobotLink::PathBlock::Delete);
        QCOMPARE(stored, QByteArray("1:/robotsys/\xCC\xF8\xCE\xE8.mp3"));
        QVERIFY(!s.window->robotLink().setRobotPath(RobotLink::PathBlock::Delete, -1, QStringLiteral("a.ini")));
        QCOMPARE(s.prompt->calls.size(), 2);
    }
};

QTEST_MAIN(TestLinkWindow)
#include "tst_linkwindow.moc"
