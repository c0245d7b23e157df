// The window's side of the robot link: it makes the link and its panel and
// passes the answers that belong to the file browser, the configure file and
// the servo panel on to them.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QListWidget>
#include <QStatusBar>

#include "files/robotfiles.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/framelist.h"

using namespace packet;

void MainWindow::setupLink()
{
    link = new RobotLink(promptRelay, this, this);
    connection = new ConnectionPanel(ui, *link, promptRelay, this);
    connection->setPositionTargets(jointBoxes(), correctionBoxes());
    connection->setAfterPositions([this] { refreshCurrentFrameItem(); });
    connect(link, &RobotLink::transferEnded, this, &MainWindow::transferEnded);
    connect(link, &RobotLink::folderListed, this, &MainWindow::showRobotFileList);
    connect(link, &RobotLink::ioStateRead, this, [this](int state) {
        ui->comboBoxMainboardIo1Value->setCurrentIndex((state >> 1) & 1);
        ui->comboBoxMainboardIo2Value->setCurrentIndex(state & 1);
    });
    connect(link, &RobotLink::formatDone, this, [this] {
        prompt().warning(nullptr, tr("format flash finish"), tr("Format flash finished."), QMessageBox::Yes);
    });
    connect(link, &RobotLink::registerAnswered, this, &MainWindow::showServoRegister);
    connect(link, &RobotLink::fileProgress, this, &MainWindow::transFileProgress);
    connect(link, &RobotLink::fileJobEnded, this, &MainWindow::fileJobEnded);
}

void MainWindow::transferEnded()
{
    ui->progressBarTransFile->setValue(100);
    ui->progressBarTransFileList->setValue(100);
    if (!transferListSending()) {
        prompt().warning(nullptr, tr("finish"), tr("Trans file finished."), QMessageBox::Yes);
        ui->pushButtonSendTransFileList->setChecked(false);
    }
    transferListFileDone();
    statusBar()->showMessage(tr("Trans file finished."), 1000);
}

void MainWindow::transFileProgress(int progress)
{
    if (progress < 0)
        return;
    ui->progressBarTransFile->setValue(progress + 1);
    ui->progressBarTransFileList->setValue(progress + 1);
}

void MainWindow::copyJointPanelToPose()
{
    std::array<int, kPoseServos> angles{};
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < kPoseServos; ++i)
        angles[size_t(i)] = boxes[i]->value();
    link->setPose(angles);
}

void MainWindow::sendJointEditRequests()
{
    if (!link->isRunning() || connection->readingJoints() != 0)
        return;
    std::array<int, kPoseServos> angles{};
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < kPoseServos; ++i)
        angles[size_t(i)] = boxes[i]->value();
    link->sendPose(angles);
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

void MainWindow::showRobotFileList(const QByteArray &folderText)
{
    for (const QString &name : robotfiles::splitFolderList(folderText)) {
        auto *item = new QListWidgetItem(name);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        ui->listWidgetFileList->addItem(item);
        ui->listWidgetFileList->setCurrentItem(item);
    }
}
