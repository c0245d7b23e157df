#include "link/connectionpanel.h"
#include "ui_mainwindow.h"


#include "common/prompt.h"
#include "link/robotlink.h"

using namespace packet;

ConnectionPanel::ConnectionPanel(Ui::MainWindow *ui, RobotLink &link, Prompt &prompt, QObject *parent)
    : QObject(parent), ui(ui), link(link), prompt(prompt)
{
    // The link's speed is no longer chosen here.
    ui->comboBoxBaudRate->hide();
    ui->label_84->hide();
    ui->lcdNumberVoltage->setSegmentStyle(QLCDNumber::Flat);
    ui->lcdNumberCurrent->setSegmentStyle(QLCDNumber::Flat);
    fillPortList();
    clearReadings();
    connect(ui->pushButtonRefreshPortName, &QPushButton::clicked, this, &ConnectionPanel::fillPortList);
    connect(ui->checkBoxBle, &QCheckBox::clicked, this, [this](bool checked) { this->link.setBleMode(checked); });
    connect(ui->actionConnect, &QAction::triggered, this, &ConnectionPanel::connectToggled);
    connect(ui->actionReset_robot, &QAction::triggered, this, &ConnectionPanel::resetRobot);

    connect(&link, &RobotLink::openStatusChanged, this, &ConnectionPanel::showOpenStatus);
    connect(&link, &RobotLink::logLine, ui->textBrowser, &QTextBrowser::append);
    connect(&link, &RobotLink::powerReading, this, [ui](int millivolts, int centiamperes) {
        ui->lcdNumberVoltage->display(millivolts / 1000.0);
        ui->lcdNumberCurrent->display(centiamperes / 100.0);
    });
    connect(&link, &RobotLink::positionsRead, this, &ConnectionPanel::showPositions);
    positionsSettle.setSingleShot(true);
    positionsSettle.setInterval(kPositionsSettleMs);
    connect(&positionsSettle, &QTimer::timeout, this, [this] {
        if (afterPositions)
            afterPositions();
    });

    connect(ui->actionRead_all_joint_position_data, &QAction::triggered, this, [this] {
        QVector<int> servos;
        for (int servo = 2; servo <= 18; ++servo)
            servos << servo;
        readJointPositions(this->ui->actionRead_all_joint_position_data, servos);
    });
    connect(ui->actionRead_hand_joint_position_data, &QAction::triggered, this, [this] {
        readJointPositions(this->ui->actionRead_hand_joint_position_data, {3, 4, 5, 11, 12, 13});
    });
    connect(ui->actionRead_leg_joint_position_data, &QAction::triggered, this, [this] {
        readJointPositions(this->ui->actionRead_leg_joint_position_data, {6, 7, 8, 9, 10, 14, 15, 16, 17, 18});
    });
}

void ConnectionPanel::setPositionTargets(const QVector<QSpinBox *> &joints, const QVector<QSpinBox *> &corrections)
{
    jointBoxes = joints;
    correctionBoxes = corrections;
}

// ---------------------------------------------------------------- port and connection

void ConnectionPanel::setResetAllowed(bool allowed)
{
    ui->actionReset_robot->setEnabled(allowed);
}

void ConnectionPanel::fillPortList()
{
    ui->comboBoxSerialPortName->clear();
    ui->comboBoxSerialPortName->addItems(RobotLink::availablePortNames());
}

bool ConnectionPanel::bleChosen() const
{
    return ui->checkBoxBle->isChecked();
}

void ConnectionPanel::connectToggled()
{
    if (link.isRunning()) {
        link.close();
        return;
    }
    link.open(ui->comboBoxSerialPortName->currentText(), ui->checkBoxBle->isChecked());
}

void ConnectionPanel::showOpenStatus(int status)
{
    const bool open = status == 1;
    ui->actionConnect->setChecked(open);
    ui->pushButtonRefreshPortName->setEnabled(!open);
    ui->comboBoxBaudRate->setEnabled(!open);
    ui->comboBoxSerialPortName->setEnabled(!open);
    // Readings of a link that is gone are not shown as if they were current.
    if (!open)
        clearReadings();
    if (status == -1)
        prompt.warning(nullptr, tr("warning"), tr("Serial port dosn't exist or opened in other applacation!"),
                       QMessageBox::Ok);
}

// Blank displays: no reading, rather than a reading of 0 V.
void ConnectionPanel::clearReadings()
{
    ui->lcdNumberVoltage->display(QString());
    ui->lcdNumberCurrent->display(QString());
}

void ConnectionPanel::followPose(const std::array<int, kPoseServos> &angles)
{
    if (!link.isRunning() || readJointsFlag != 0 || showingPositions)
        return;
    link.sendPose(angles);
}

void ConnectionPanel::resetRobot()
{
    if (!link.isRunning())
        return;
    if (ui->checkBoxBle->isChecked())
        link.resetBoard();
    else
        link.pulseReset();
}

// ---------------------------------------------------------------- joint positions

// Working mode 1 ("brake stop") holds the servos for reading; 3 ("curve
// servo") gives them back to the motion.
void ConnectionPanel::readJointPositions(QAction *action, const QVector<int> &servos)
{
    const QList<QAction *> group = {ui->actionRead_all_joint_position_data, ui->actionRead_hand_joint_position_data,
                                    ui->actionRead_leg_joint_position_data};
    if (!link.isRunning()) {
        for (QAction *a : group)
            a->setChecked(false);
        return;
    }
    const bool all = action == ui->actionRead_all_joint_position_data;
    if (readJointsFlag == 0) {
        if (all) {
            link.setWorkingMode(AllServosAddress, ServoMode::BrakeStop);
        } else {
            for (int servo : servos)
                link.setWorkingMode(servo, ServoMode::BrakeStop);
        }
        readJointsFlag = 1;
        for (QAction *a : group)
            a->setChecked(a == action);
        ui->statusBar->showMessage(tr("servos released: pose the robot by hand, then read again"));
        return;
    }
    // The link thread spaces the requests out; the window goes on at once.
    awaitedServos.clear();
    for (int servo : servos)
        if (link.readPosition(servo))
            awaitedServos.insert(servo);
    if (all) {
        link.setWorkingMode(AllServosAddress, ServoMode::CurveServo);
    } else {
        for (int servo : servos)
            link.setWorkingMode(servo, ServoMode::CurveServo);
    }
    readJointsFlag = 0;
    for (QAction *a : group)
        a->setChecked(false);
    ui->statusBar->clearMessage();
}

void ConnectionPanel::showPositions(const std::array<int, kPoseServos> &positions)
{
    // A position of 0 means no answer from that servo: its box is kept.
    // The positions read fill the panel and the current frame, but send no
    // pose: the robot already stands in it, and a pose sent box by box would
    // mix old and new angles and jerk it. The next pose the robot gets is the
    // whole panel's, when the user edits it.
    const QVector<QSpinBox *> &boxes = calibrationTargetFlag == 1 ? correctionBoxes : jointBoxes;
    showingPositions = true;
    for (int i = 0; i < kPoseServos && i < boxes.size(); ++i) {
        if (positions[size_t(i)] != 0 && !(positionsClaimed && calibrationTargetFlag != 1 && positionsClaimed(i + 2))) {
            boxes[i]->setValue(positions[size_t(i)]);
            awaitedServos.remove(i + 2);
        }
    }
    showingPositions = false;
    // The answers of one read arrive one by one (the link paces the reads):
    // all of them go where the read was meant for.
    if (awaitedServos.isEmpty())
        calibrationTargetFlag = 0;
    // The current frame's picture is drawn once the read is complete, or
    // shortly after the last answer when a servo stays silent; not once per
    // answer.
    if (awaitedServos.isEmpty()) {
        positionsSettle.stop();
        if (afterPositions)
            afterPositions();
    } else {
        positionsSettle.start();
    }
}
