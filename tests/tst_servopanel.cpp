// The servo setting page against the virtual robot: reading a servo's info,
// parameters and current data into the boxes, writing one parameter, the mode
// boxes, write flash, the default target 999, and that showing an answer
// never writes it back to the servo.

#include <QtTest>
#include <QComboBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "link/serialportthread.h"
#include "robot/servopanel.h"
#include "support/robotsimprocess.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace packet;

class TestServoPanel : public QObject, private WindowFixture
{
    Q_OBJECT

    std::unique_ptr<RobotSimProcess> robot;

    // The requests of the robot's log whose names are among names, for servo.
    QStringList servoRequests(int servo, const QString &start = QString()) const
    {
        const QString to = QStringLiteral("to=0x%1 ").arg(servo, 4, 16, QLatin1Char('0'));
        QStringList out;
        for (const QString &line : robot->requests(start))
            if (line.contains(to))
                out << line.section(QLatin1Char(' '), 0, 1);
        return out;
    }

    // The first logged request starting with start (empty when none yet).
    QString firstRequest(const QString &start) const { return robot->requests(start).value(0); }

    void setTarget(int servo) { ui->spinBoxServoOpen->setValue(servo); }

private slots:
    void initTestCase()
    {
        robot = std::make_unique<RobotSimProcess>();
        QVERIFY(robot->ok());
        start(robot->port);
        // The link's opening keep-alive is answered.
        QVERIFY(connectAndGreet());
    }

    void cleanupTestCase()
    {
        if (window && window->robotLink().isRunning()) {
            ui->actionConnect->trigger();
            QVERIFY(QTest::qWaitFor([&] { return !window->robotLink().isRunning(); }, 5000));
        }
        finish();
        robot.reset();
    }

    // Before any read the page shows nothing the robot has not said: no
    // servo chosen, blank boxes, no working mode or state. Reads and writes
    // then send nothing and say why; another servo chosen blanks the boxes.
    void nothingMadeUpBeforeARead()
    {
        QCOMPARE(window->servoPanel().targetServo(), 0);
        QCOMPARE(ui->spinBoxServoOpen->text().trimmed(), QString());
        const QList<QSpinBox *> boxes{ui->spinBoxSpeed,         ui->spinBoxAcceleration,  ui->spinBoxParameterP,
                                      ui->spinBoxPIDDeadZone,   ui->spinBoxMaximunPosition, ui->spinBoxMinimunPosition,
                                      ui->spinBoxMaximumTorque, ui->spinBoxCurrentSpeed,  ui->spinBoxCurrentVoltage,
                                      ui->spinBoxVersion,       ui->spinBoxServoModel};
        for (QSpinBox *box : boxes)
            QVERIFY2(box->text().trimmed().isEmpty(), qPrintable(box->objectName() + QLatin1Char(' ') + box->text()));
        QCOMPARE(ui->comboBoxWorkingMode->currentIndex(), -1);
        QCOMPARE(ui->comboBoxWorkingState->currentIndex(), -1);

        const auto servoTraffic = [&] {
            return robot->requests(QStringLiteral("Read")).size() + robot->requests(QStringLiteral("Write")).size();
        };
        const int before = servoTraffic();
        ui->pushButtonReadParameters->click();
        ui->pushButtonWriteFlash->click();
        ui->spinBoxParameterP->setValue(40);
        emit ui->spinBoxParameterP->editingFinished();
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("Choose the servo first (servo:)."));
        QTest::qWait(200);
        QCOMPARE(servoTraffic(), before);

        // A blank box left alone writes nothing once a servo is chosen.
        setTarget(12);
        QCOMPARE(ui->spinBoxParameterP->text().trimmed(), QString());
        emit ui->spinBoxSpeed->editingFinished();
        QTest::qWait(200);
        QVERIFY(servoRequests(12).isEmpty());

        ui->pushButtonReadServoInfo->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxServoModel->text(), QStringLiteral("17"), 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxVersion->text(), QStringLiteral("258"), 5000);
        setTarget(13);
        QCOMPARE(ui->spinBoxServoModel->text().trimmed(), QString());
        QCOMPARE(ui->spinBoxVersion->text().trimmed(), QString());
    }

    void targetIsTheBoxValue()
    {
        setTarget(12);
        QCOMPARE(window->servoPanel().targetServo(), 12);
        // The panel's requests go to that servo.
        const int before = servoRequests(12).size();
        ui->pushButtonReadServoInfo->click();
        QTRY_COMPARE_WITH_TIMEOUT(servoRequests(12).size(), before + 2, 5000);
        // Its answers are in before the next test chooses another servo.
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxVersion->text(), QStringLiteral("258"), 5000);
    }

    // At 999, requests go to address 999 and no servo answers.
    void defaultTargetGetsNoAnswer()
    {
        setTarget(999);
        const int model = ui->spinBoxServoModel->value();
        const int version = ui->spinBoxVersion->value();
        ui->pushButtonReadServoInfo->click();
        QTRY_COMPARE_WITH_TIMEOUT(servoRequests(999).size(), 2, 5000);
        QTest::qWait(200);
        QCOMPARE(ui->spinBoxServoModel->value(), model);
        QCOMPARE(ui->spinBoxVersion->value(), version);
    }

    void readServoInfo()
    {
        setTarget(5);
        QElapsedTimer clock;
        clock.start();
        ui->pushButtonReadServoInfo->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxServoModel->value(), 17, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxVersion->value(), 0x0102, 5000);
        QVERIFY(clock.elapsed() < 3000);
        QCOMPARE(servoRequests(5, QStringLiteral("Read")),
                 (QStringList{QStringLiteral("Read ServoModel"), QStringLiteral("Read Version")}));
    }

    // Answers to a read of the servo chosen before, arriving after another
    // servo was chosen, are not shown as the new servo's.
    void lateAnswerOfTheServoChosenBefore()
    {
        setTarget(14);
        const int asked = servoRequests(14, QStringLiteral("Read")).size();
        ui->pushButtonReadServoInfo->click();
        setTarget(16);
        QTRY_COMPARE_WITH_TIMEOUT(servoRequests(14, QStringLiteral("Read")).size(), asked + 2, 5000);
        QTest::qWait(300);
        QCOMPARE(ui->spinBoxServoModel->text().trimmed(), QString());
        QCOMPARE(ui->spinBoxVersion->text().trimmed(), QString());
        // Its own answers are shown.
        ui->pushButtonReadServoInfo->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxServoModel->value(), 17, 5000);
    }

    void readCurrentData()
    {
        setTarget(9);
        ui->spinBoxCurrentSpeed->setValue(123);
        ui->pushButtonReadCurrentData->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxCurrentTemperature->value(), 34, 5000);
        QCOMPARE(ui->spinBoxCurrentSpeed->value(), 0);
        QCOMPARE(ui->spinBoxCurrentTorque->value(), 19);
        QCOMPARE(ui->spinBoxCurrentVoltage->value(), 74);
        QCOMPARE(servoRequests(9).size(), 4);
    }

    // All 19 reads in order; the minimum position -1350 is shown as it is;
    // showing the working mode and state writes nothing back.
    void readParameters()
    {
        setTarget(6);
        ui->comboBoxWorkingMode->setCurrentIndex(1);  // writes mode 2 ("ordinary servo")
        ui->comboBoxWorkingState->setCurrentIndex(2);  // "low voltage": sends nothing
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write WorkingMode to=0x0006")).endsWith(QStringLiteral("value=2")), 5000);
        QCOMPARE(servoRequests(6, QStringLiteral("Write")).size(), 1);
        ui->spinBoxMaximumTorque->setValue(0);
        ui->pushButtonReadParameters->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxMaximumTorque->value(), 1000, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ui->comboBoxWorkingMode->currentIndex(), 1, 5000);
        QCOMPARE(ui->spinBoxSpeed->value(), 300);
        QCOMPARE(ui->spinBoxParameterP->value(), 40);
        QCOMPARE(ui->spinBoxParameterD->value(), 20);
        QCOMPARE(ui->spinBoxParameterI->value(), 0);
        QCOMPARE(ui->spinBoxPIDDeadZone->value(), 2);
        QCOMPARE(ui->spinBoxAcceleration->value(), 1000);
        QCOMPARE(ui->spinBoxCWFlexibleMargin->value(), 1);
        QCOMPARE(ui->spinBoxCCWFlexibleMargin->value(), 1);
        QCOMPARE(ui->spinBoxCWFlexibleSlope->value(), 32);
        QCOMPARE(ui->spinBoxCCWFlexibleSlope->value(), 32);
        QCOMPARE(ui->comboBoxWorkingState->currentIndex(), 0);
        QCOMPARE(ui->spinBoxMaximunPosition->value(), 1350);
        QCOMPARE(ui->spinBoxMinimunPosition->value(), -1350);
        QCOMPARE(ui->spinBoxMaximumTemperature->value(), 75);
        QCOMPARE(ui->spinBoxMaximumVoltage->value(), 84);
        QCOMPARE(ui->spinBoxMinimumVoltage->value(), 60);
        const QStringList expected{
            "Read Speed",             "Read Register3",         "Read ParameterP",      "Read ParameterD",
            "Read ParameterI",        "Read PidDeadZone",       "Read Acceleration",    "Read CwFlexibleMargin",
            "Read CcwFlexibleMargin", "Read CwFlexibleSlope",   "Read CcwFlexibleSlope", "Read WorkingMode",
            "Read WorkingState",      "Read MaximumPosition",   "Read MinimumPosition", "Read MaximumTemperature",
            "Read MaximumVoltage",    "Read MinimumVoltage",    "Read MaximumTorque"};
        QCOMPARE(servoRequests(6, QStringLiteral("Read")), expected);
        QTest::qWait(200);
        // The state shown as "normal" by the answer was not written back.
        QCOMPARE(servoRequests(6, QStringLiteral("Write")).size(), 1);
    }

    // A box writes on editingFinished only; the robot stores the value.
    void writeParameter()
    {
        setTarget(7);
        ui->spinBoxParameterP->setValue(55);
        ui->spinBoxMaximunPosition->setValue(2100);
        QTest::qWait(100);
        QVERIFY(servoRequests(7).isEmpty());
        emit ui->spinBoxParameterP->editingFinished();
        emit ui->spinBoxMaximunPosition->editingFinished();
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write ParameterP to=0x0007")).endsWith(QStringLiteral("value=55")), 5000);

        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write MaximumPosition to=0x0007")).endsWith(QStringLiteral("value=2100")), 5000);
        QCOMPARE(robot->requests(QStringLiteral("Write ParameterP")).size(), 1);
        // The acknowledgement shows the value written, not an older read.
        QTest::qWait(200);
        QCOMPARE(ui->spinBoxParameterP->value(), 55);
        ui->spinBoxParameterP->setValue(0);
        ui->pushButtonReadParameters->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxParameterP->value(), 55, 5000);
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxMaximunPosition->value(), 2100, 5000);
    }

    // Every value a register holds is shown and written as it is: a minimum
    // position read as -1350 is written back as -1350 when its edit ends, and
    // an unsigned word above the old box maximum survives a read.
    void wholeRegisterRange()
    {
        setTarget(11);
        ui->pushButtonReadParameters->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxMaximumTorque->value(), 1000, 5000);
        QCOMPARE(ui->spinBoxMinimunPosition->value(), -1350);
        emit ui->spinBoxMinimunPosition->editingFinished();
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write MinimumPosition to=0x000b")).endsWith(QStringLiteral("value=-1350")), 5000);
        ui->spinBoxParameterP->setValue(65535);
        QCOMPARE(ui->spinBoxParameterP->value(), 65535);
        emit ui->spinBoxParameterP->editingFinished();
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write ParameterP to=0x000b")).endsWith(QStringLiteral("value=65535")), 5000);
        ui->spinBoxParameterP->setValue(0);
        ui->pushButtonReadParameters->click();
        QTRY_COMPARE_WITH_TIMEOUT(ui->spinBoxParameterP->value(), 65535, 5000);
        QCOMPARE(ui->spinBoxMinimunPosition->minimum(), -32768);
        QCOMPARE(ui->spinBoxMaximunPosition->maximum(), 32767);
    }

    void modeBoxes()
    {
        setTarget(8);
        ui->comboBoxWorkingMode->setCurrentIndex(5);  // "flexible control"
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write WorkingMode to=0x0008")).endsWith(QStringLiteral("value=6")), 5000);
        ui->comboBoxWorkingMode->setCurrentIndex(3);  // a separator line: nothing
        ui->comboBoxWorkingState->setCurrentIndex(1);  // "high voltage": nothing
        ui->comboBoxWorkingState->setCurrentIndex(0);  // "normal": clears the state
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write WorkingState to=0x0008")).endsWith(QStringLiteral("value=0")), 5000);
        QTest::qWait(200);
        QCOMPARE(servoRequests(8, QStringLiteral("Write")).size(), 2);
    }

    void writeFlash()
    {
        setTarget(10);
        ui->pushButtonWriteFlash->click();
        QTRY_VERIFY_WITH_TIMEOUT(firstRequest(QStringLiteral("Write WriteFlash to=0x000a")).contains(QStringLiteral("len=8")), 5000);
        QCOMPARE(servoRequests(10), QStringList{QStringLiteral("Write WriteFlash")});
    }

    // Reading hand joints writes working mode 1 to six servos; their
    // acknowledgements are other servos': the page neither shows them nor
    // writes to its own servo.
    void acknowledgementsOfOtherWritesAreNotWrittenBack()
    {
        setTarget(2);
        ui->comboBoxWorkingMode->setCurrentIndex(2);
        QTRY_COMPARE_WITH_TIMEOUT(servoRequests(2, QStringLiteral("Write")).size(), 1, 5000);
        const int chosenMode = ui->comboBoxWorkingMode->currentIndex();
        // The hand servos (3, 4, 5, 11, 12, 13; not servo 2) are released and
        // acknowledge their new mode: not the chosen servo's, so not shown.
        ui->actionRead_hand_joint_position_data->trigger();
        QTRY_VERIFY_WITH_TIMEOUT(!servoRequests(13, QStringLiteral("Write")).isEmpty(), 5000);
        ui->actionRead_hand_joint_position_data->trigger();  // read them and release
        QTRY_VERIFY_WITH_TIMEOUT(servoRequests(13, QStringLiteral("Write")).size() >= 2, 5000);
        QTest::qWait(300);
        QCOMPARE(ui->comboBoxWorkingMode->currentIndex(), chosenMode);
        QCOMPARE(servoRequests(2, QStringLiteral("Write")).size(), 1);
    }

    // With the link down nothing is posted and nothing breaks.
    void linkDownSendsNothing()
    {
        ui->actionConnect->trigger();
        QVERIFY(QTest::qWaitFor([&] { return !window->robotLink().isRunning(); }, 5000));
        const int before = robot->requests().size();
        setTarget(3);
        ui->pushButtonReadParameters->click();
        ui->pushButtonWriteFlash->click();
        emit ui->spinBoxSpeed->editingFinished();
        ui->comboBoxWorkingMode->setCurrentIndex(6);
        QTest::qWait(200);
        QCOMPARE(robot->requests().size(), before);
    }
};

QTEST_MAIN(TestServoPanel)
#include "tst_servopanel.moc"
