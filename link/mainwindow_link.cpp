// The robot link inside the window: the port list and the connect toggle, the
// posting of requests, the dispatch of the robot's answers, the watchdog and
// keep-alive, and the robot commands of the main menu.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QListWidget>
#include <QStatusBar>
#include <QTextCodec>

#include "files/robotfiles.h"
#include "link/robotpath.h"
#include "link/serialportthread.h"
#include "motion/framelist.h"

using namespace packet;

// Cable and Bluetooth LE bridge line rates.
static constexpr qint32 kCableBaud = 1500000;
static constexpr qint32 kBleBaud = 9600;

void MainWindow::setupLink()
{
    linkThread = new SerialPortThread(this);
    fillPortList();
    connect(linkThread, &SerialPortThread::serialPortOpenStatus, this, &MainWindow::serialPortOpenStatus);
    connect(linkThread, &SerialPortThread::robotReceivedData, this, &MainWindow::robotReceivedData);
    connect(linkThread, &SerialPortThread::transFileProgress, this, &MainWindow::transFileProgress);
}

void MainWindow::shutdownLink()
{
    if (!linkThread)
        return;
    // A file job in progress finishes (or times out) first.
    linkThread->quitFlag = 1;
    linkThread->wait();
    delete linkThread;
    linkThread = nullptr;
}

bool MainWindow::linkRunning() const
{
    return linkThread && linkThread->isRunning();
}

// ---------------------------------------------------------------- port and connection

void MainWindow::fillPortList()
{
    ui->comboBoxSerialPortName->clear();
    ui->comboBoxSerialPortName->addItems(SerialPortThread::availablePortNames());
}

void MainWindow::on_pushButtonRefreshPortName_clicked()
{
    fillPortList();
}

void MainWindow::on_checkBoxBle_clicked(bool checked)
{
    linkThread->bleMode = checked ? 1 : 0;
}

void MainWindow::on_actionConnect_triggered()
{
    if (linkThread->isRunning()) {
        linkThread->quitFlag = 1;  // the thread's final status updates the window
        return;
    }
    watchdogMs = 0;
    linkThread->setPortName(ui->comboBoxSerialPortName->currentText());
    linkThread->setBaudRate(ui->checkBoxBle->isChecked() ? kBleBaud : kCableBaud);
    linkThread->setParity(0);
    linkThread->setDataBits(8);
    linkThread->setStopBits(1);
    linkThread->quitFlag = 0;
    linkThread->start();
}

void MainWindow::serialPortOpenStatus(int status)
{
    const bool open = status == 1;
    if (!open)
        connectedMessageFlag = 0;
    ui->actionConnect->setChecked(open);
    ui->pushButtonRefreshPortName->setEnabled(!open);
    ui->comboBoxBaudRate->setEnabled(!open);
    ui->comboBoxSerialPortName->setEnabled(!open);
    if (status == -1)
        prompt().warning(nullptr, tr("warning"), tr("Serial port dosn't exist or opened in other applacation!"),
                         QMessageBox::Ok);
}

// ---------------------------------------------------------------- requests

bool MainWindow::postRequest(int type, int kind, bool log)
{
    if (!linkRunning())
        return false;
    const int count = linkThread->buildRequest(type, kind);
    if (count == 0)
        return false;
    const QString bytes = sendLogLine(linkThread->frameBuffer, count);
    if (!linkThread->postFrame(linkThread->frameBuffer, count)) {
        // Never dropped silently: the queue keeps what was posted before.
        qWarning() << "send queue full, request refused:" << bytes;
        ui->textBrowser->append(tr("The send queue is full; this request was not sent:") + QLatin1Char(' ')
                                + bytes.mid(5));
        return false;
    }
    if (type == ListFolder && kind == Write)
        linkThread->answers.firstPartExpected = 1;
    if (log)
        ui->textBrowser->append(bytes);
    return true;
}

bool MainWindow::setRobotPath(RobotPathBlock block, int folderIndex, const QString &name)
{
    const bool withLead = block == RobotPathBlock::Run || block == RobotPathBlock::Send;
    const int maxBytes = withLead ? kRunPathMax : kDeletePathMax;
    QByteArray path;
    const robotpath::Result result = robotpath::build(folderIndex, name, maxBytes, &path);
    RequestFields &f = linkThread->request;
    bool stored = false;
    if (result == robotpath::Result::Ok) {
        switch (block) {
        case RobotPathBlock::Run: stored = f.setRunPath(path); break;
        case RobotPathBlock::Delete: stored = f.setDeletePath(path); break;
        case RobotPathBlock::Send: stored = f.setSendPath(path); break;
        case RobotPathBlock::Get: stored = f.setGetPath(path); break;
        }
        return stored;
    }
    // Empty the block so that nothing goes out with an old or cut path.
    switch (block) {
    case RobotPathBlock::Run: f.setRunPath(QByteArray()); break;
    case RobotPathBlock::Delete: f.setDeletePath(QByteArray()); break;
    case RobotPathBlock::Send: f.setSendPath(QByteArray()); break;
    case RobotPathBlock::Get: f.setGetPath(QByteArray()); break;
    }
    if (result == robotpath::Result::NotEncodable)
        prompt().warning(this, tr("warning"),
                         tr("The file name \"%1\" cannot be written in the robot's character set (GB2312). "
                            "Please rename the file.")
                             .arg(name),
                         QMessageBox::Ok);
    else if (result == robotpath::Result::TooLong)
        prompt().warning(this, tr("warning"),
                         tr("The file name \"%1\" is too long for the robot: its path may have at most %2 bytes.")
                             .arg(name)
                             .arg(maxBytes),
                         QMessageBox::Ok);
    // No folder or no name: the action stops silently.
    return false;
}

// ---------------------------------------------------------------- answers

void MainWindow::robotReceivedData(int type)
{
    if (connectedMessageFlag == 0) {
        connectedMessageFlag = 1;
        prompt().information(this, tr("connect successful"), tr("Connect to the robot successful."),
                             QMessageBox::Ok);
    }
    watchdogMs = 0;

    AnswerParser &answers = linkThread->answers;
    switch (type) {
    case kBoardNotification + TransferEnd:
        ui->progressBarTransFile->setValue(100);
        ui->progressBarTransFileList->setValue(100);
        if (!transferListSending()) {
            prompt().warning(nullptr, tr("finish"), tr("Trans file finished."), QMessageBox::Yes);
            ui->pushButtonSendTransFileList->setChecked(false);
        }
        transferListFileDone();
        statusBar()->showMessage(tr("Trans file finished."), 1000);
        answers.transferEnd2 = 0;
        fileTransferEnded();
        break;
    case kBoardNotification + FolderList:
        showRobotFileList();
        break;
    case kBoardNotification + PowerReading:
        ui->lcdNumberVoltage->display(answers.voltage / 1000.0);
        ui->lcdNumberCurrent->display(answers.current / 100.0);
        break;
    case kBoardNotification + IoState:
        ui->comboBoxMainboardIo1Value->setCurrentIndex((answers.ioState >> 1) & 1);
        ui->comboBoxMainboardIo2Value->setCurrentIndex(answers.ioState & 1);
        break;
    case kBoardNotification + FormatDone:
        prompt().warning(nullptr, tr("format flash finish"), tr("Format flash finished."), QMessageBox::Yes);
        break;
    default:
        if (type >= Register1 && type <= Register33)
            showServoRegister(type);
        break;
    }

    if (answers.positionsUpdated) {
        answers.positionsUpdated = 0;
        showReceivedPositions();
    }
}

QVector<QSpinBox *> MainWindow::jointBoxes() const
{
    return {ui->spinBoxAngleHead,  ui->spinBoxAngleLhand1, ui->spinBoxAngleLhand2, ui->spinBoxAngleLhand3,
            ui->spinBoxAngleLleg1, ui->spinBoxAngleLleg2,  ui->spinBoxAngleLleg3,  ui->spinBoxAngleLleg4,
            ui->spinBoxAngleLleg5, ui->spinBoxAngleRhand1, ui->spinBoxAngleRhand2, ui->spinBoxAngleRhand3,
            ui->spinBoxAngleRleg1, ui->spinBoxAngleRleg2,  ui->spinBoxAngleRleg3,  ui->spinBoxAngleRleg4,
            ui->spinBoxAngleRleg5, ui->spinBoxAngleExtendServo1, ui->spinBoxAngleExtendServo2};
}

QVector<QSpinBox *> MainWindow::correctionBoxes() const
{
    return {ui->spinBoxServo2Correction,  ui->spinBoxServo3Correction,  ui->spinBoxServo4Correction,
            ui->spinBoxServo5Correction,  ui->spinBoxServo6Correction,  ui->spinBoxServo7Correction,
            ui->spinBoxServo8Correction,  ui->spinBoxServo9Correction,  ui->spinBoxServo10Correction,
            ui->spinBoxServo11Correction, ui->spinBoxServo12Correction, ui->spinBoxServo13Correction,
            ui->spinBoxServo14Correction, ui->spinBoxServo15Correction, ui->spinBoxServo16Correction,
            ui->spinBoxServo17Correction, ui->spinBoxServo18Correction, ui->spinBoxServo19Correction,
            ui->spinBoxServo20Correction};
}

void MainWindow::showReceivedPositions()
{
    // A stored position of 0 means no answer from that servo: its box is kept.
    const QVector<QSpinBox *> boxes = calibrationTargetFlag == 1 ? correctionBoxes() : jointBoxes();
    AnswerParser &answers = linkThread->answers;
    for (int servo = 2; servo <= 20; ++servo) {
        const int position = answers.positions[servo].exchange(0);
        if (position != 0)
            boxes[servo - 2]->setValue(position);
    }
    calibrationTargetFlag = 0;
    refreshCurrentFrameItem();
}

void MainWindow::transFileProgress(int progress)
{
    if (progress < 0)
        return;
    ui->progressBarTransFile->setValue(progress + 1);
    ui->progressBarTransFileList->setValue(progress + 1);
}

// ---------------------------------------------------------------- timer steps

// Milliseconds since the previous call: 10 when the timer keeps time, more
// when ticks came late, at least 1 and at most 100 (a window blocked for long
// must first see the answers that queued up meanwhile).
int MainWindow::linkTickStep(qint64 *last)
{
    if (!linkClock.isValid())
        linkClock.start();
    const qint64 now = linkClock.elapsed();
    const qint64 step = *last < 0 ? 10 : now - *last;
    *last = now;
    return int(qBound<qint64>(1, step, 100));
}

void MainWindow::linkWatchdogTick()
{
    watchdogMs += linkTickStep(&watchdogLastTick);
    // Transfers, playback and the thumbnail walk keep the robot quiet or the
    // window busy: they never count as silence.
    if (linkThread->jobRunning() || playbackRunning() || frameList().refreshState() != 0)
        watchdogMs = 0;
    if (watchdogMs > 10000 && connectedMessageFlag == 1) {
        connectedMessageFlag = 0;
        if (linkRunning())
            linkThread->quitFlag = 1;
        prompt().warning(this, tr("the connection broken"), tr("the connection to the robot is broken."),
                         QMessageBox::Ok);
    }
}

void MainWindow::keepAliveTick()
{
    // One count each 10 ms; the request goes out on the count after 250.
    const int step = linkTickStep(&keepAliveLastTick) + keepAliveRemainderMs;
    if (keepAliveTicks < 250) {
        keepAliveTicks = qMin(250, keepAliveTicks + step / 10);
        keepAliveRemainderMs = step % 10;
        return;
    }
    keepAliveTicks = 0;
    keepAliveRemainderMs = 0;
    if (debugDownloadFlag == 0 && !linkThread->jobRunning() && linkRunning())
        postRequest(KeepAlive, Write, false);
}

// ---------------------------------------------------------------- robot commands

void MainWindow::copyJointPanelToPose()
{
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < kPoseServos; ++i)
        linkThread->request.pose[i] = qint16(boxes[i]->value());
}

void MainWindow::sendJointEditRequests()
{
    if (!linkRunning() || readJointsFlag != 0)
        return;
    RequestFields &f = linkThread->request;
    f.servoAddress = AllServosAddress;
    f.registers[Speed] = 300;
    postRequest(Speed, Write);
    QThread::msleep(10);
    f.servoAddress = AllServosAddress;
    f.registers[Acceleration] = 1000;
    postRequest(Acceleration, Write);
    QThread::msleep(10);
    copyJointPanelToPose();
    postRequest(MovePose, Write);
}

// Working mode 1 ("brake stop") holds the servos for reading; 3 ("curve
// servo") gives them back to the motion.
void MainWindow::readJointPositions(QAction *action, const QVector<int> &servos)
{
    const QList<QAction *> group = {ui->actionRead_all_joint_position_data, ui->actionRead_hand_joint_position_data,
                                    ui->actionRead_leg_joint_position_data};
    if (!linkRunning()) {
        for (QAction *a : group)
            a->setChecked(false);
        return;
    }
    RequestFields &f = linkThread->request;
    const bool all = action == ui->actionRead_all_joint_position_data;
    if (readJointsFlag == 0) {
        if (all) {
            f.servoAddress = AllServosAddress;
            f.registers[WorkingMode] = 1;
            postRequest(WorkingMode, Write);
        } else {
            for (int servo : servos) {
                f.servoAddress = quint16(servo);
                f.registers[WorkingMode] = 1;
                postRequest(WorkingMode, Write);
                QThread::msleep(30);
            }
        }
        readJointsFlag = 1;
        for (QAction *a : group)
            a->setChecked(a == action);
        return;
    }
    for (int servo : servos) {
        f.servoAddress = quint16(servo);
        postRequest(Position, Read);
        QThread::msleep(30);
    }
    if (all) {
        f.servoAddress = AllServosAddress;
        f.registers[WorkingMode] = 3;
        postRequest(WorkingMode, Write);
    } else {
        for (int servo : servos) {
            f.servoAddress = quint16(servo);
            f.registers[WorkingMode] = 3;
            postRequest(WorkingMode, Write);
            QThread::msleep(30);
        }
    }
    readJointsFlag = 0;
    for (QAction *a : group)
        a->setChecked(false);
}

void MainWindow::on_actionRead_all_joint_position_data_triggered()
{
    QVector<int> servos;
    for (int servo = 2; servo <= 18; ++servo)
        servos << servo;
    readJointPositions(ui->actionRead_all_joint_position_data, servos);
}

void MainWindow::on_actionRead_hand_joint_position_data_triggered()
{
    readJointPositions(ui->actionRead_hand_joint_position_data, {3, 4, 5, 11, 12, 13});
}

void MainWindow::on_actionRead_leg_joint_position_data_triggered()
{
    readJointPositions(ui->actionRead_leg_joint_position_data, {6, 7, 8, 9, 10, 14, 15, 16, 17, 18});
}

void MainWindow::on_actionReset_robot_triggered()
{
    if (!linkRunning())
        return;
    if (ui->checkBoxBle->isChecked())
        postRequest(ResetBoard, Write);
    else
        linkThread->resetPulse = 1;
}

// ---------------------------------------------------------------- robot file list

void MainWindow::showRobotFileList()
{
    AnswerParser &answers = linkThread->answers;
    for (const QString &name : robotfiles::splitFolderList(answers.folderText())) {
        auto *item = new QListWidgetItem(name);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        ui->listWidgetFileList->addItem(item);
        ui->listWidgetFileList->setCurrentItem(item);
    }
    // Cleared, so that the same list is not shown twice.
    answers.clearFolderText(257);
}
