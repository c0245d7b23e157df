// The robot file browser: the "file list" tab lists one folder of the robot,
// and from it files are run, deleted, fetched and sent; the "format flash"
// button on the robot setting page erases the robot's flash. Every action is a
// request over the link; while the link is down an action sends nothing and
// says nothing. The robot's answers (file list, end of a transfer, end of a
// format) are shown by the link's answer dispatch.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"
#include "link/robotlink.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QThread>

#include "files/robotfiles.h"
#include "link/robotpath.h"
#include "link/serialportthread.h"

using namespace packet;

int MainWindow::robotFolderIndex() const
{
    const int index = ui->comboBoxRobotFileFolder->currentIndex();
    return robotfiles::isDriveIndex(index) ? index : -1;
}

bool MainWindow::refuseWhileTransferring()
{
    if (!link->jobRunning() && !transferListSending())
        return false;
    prompt().warning(this, tr("warning"), tr("A file transfer is running. Please wait until it has finished."),
                     QMessageBox::Ok);
    return true;
}

// ---------------------------------------------------------------- list

void MainWindow::on_pushButtonRefresh_clicked()
{
    refreshRobotFileList();
}

void MainWindow::refreshRobotFileList()
{
    ui->listWidgetFileList->clear();
    const int folder = robotFolderIndex();
    if (folder < 0)
        return;
    link->request().setListPath(robotpath::folder(folder));
    if (!link->isRunning())
        return;
    // The link marks the next FolderList answer as the start of a new list
    // before the request goes out, so that an answer can never arrive ahead of it.
    link->post(ListFolder, Write);
}

// The names shown belong to the folder they were listed from; actions read
// the folder when they run, so a list left from the other folder would run,
// fetch or delete a file of the same name there. The list follows the choice.
void MainWindow::on_comboBoxRobotFileFolder_currentIndexChanged(int /*index*/)
{
    if (link)
        refreshRobotFileList();
}

void MainWindow::on_listWidgetFileList_customContextMenuRequested(const QPoint &pos)
{
    QListWidgetItem *item = ui->listWidgetFileList->itemAt(pos);
    if (!item)
        return;
    // The actions work on the current item: the one under the click.
    ui->listWidgetFileList->setCurrentItem(item);
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("robotFileMenu"));
    connect(menu.addAction(tr("run")), &QAction::triggered, this, &MainWindow::qActionRunSlot);
    connect(menu.addAction(tr("delete")), &QAction::triggered, this, &MainWindow::qActionDeleteFileSlot);
    connect(menu.addAction(tr("get this file")), &QAction::triggered, this, &MainWindow::qActionGetFileSlot);
    menu.exec(QCursor::pos());
}

// ---------------------------------------------------------------- file actions

void MainWindow::qActionRunSlot()
{
    const QListWidgetItem *item = ui->listWidgetFileList->currentItem();
    const int folder = robotFolderIndex();
    if (!item || folder < 0 || !link->isRunning())
        return;
    if (refuseWhileTransferring())
        return;
    if (!link->setRobotPath(RobotLink::PathBlock::Run, folder, item->text()))
        return;
    link->post(RunFile, Write);
    QThread::msleep(30);
    link->request().setPlayControl(1);  // play
    link->post(PlayControl, Write);
}

void MainWindow::qActionDeleteFileSlot()
{
    if (prompt().warning(this, tr("warning"), tr("Do  you want to delete the file ?"),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return;
    const int folder = robotFolderIndex();
    const QListWidgetItem *item = ui->listWidgetFileList->currentItem();
    if (folder < 0 || !item)
        return;
    const QString name = item->text();
    if (robotfiles::isConfigureFile(name)) {
        prompt().warning(this, tr("error"), tr("You can't delete the configure file."), QMessageBox::Ok);
        return;
    }
    if (!link->isRunning() || refuseWhileTransferring())
        return;
    if (!link->setRobotPath(RobotLink::PathBlock::Delete, folder, name))
        return;
    link->post(DeleteFile, Write);
    QThread::msleep(30);
    refreshRobotFileList();
}

void MainWindow::qActionGetFileSlot()
{
    const QListWidgetItem *item = ui->listWidgetFileList->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString local = prompt().saveFileName(this, tr("save file from robot"), QString(),
                                                tr("robot file (*.ini *.mp3 *.wav)"));
    if (local.isEmpty())
        return;
    const int folder = robotFolderIndex();
    if (!link->isRunning() || folder < 0)
        return;
    // The local path is shared by both jobs: it is not touched while one runs.
    if (refuseWhileTransferring())
        return;
    if (!link->setRobotPath(RobotLink::PathBlock::Get, folder, name))
        return;
    // A file that cannot be written would end the fetch at once while the
    // robot still sends it and reports the end as a success.
    {
        QFile probe(local);
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
            prompt().warning(this, tr("error"), tr("The file %1 cannot be written.").arg(local), QMessageBox::Ok);
            return;
        }
        probe.close();
        if (!existed)
            probe.remove();
    }
    ui->progressBarTransFile->setValue(0);
    ui->progressBarTransFileList->setValue(0);
    link->post(GetFile, Write);
    if (ui->checkBoxBle->isChecked())
        QThread::msleep(300);
    link->startGetJob(local);
    watchFileJob(WatchedJob::Get, name);
}

void MainWindow::on_pushButtonSendFile_clicked()
{
    const QString local = prompt().openFileName(this, tr("Please select a robot operation file or music file"),
                                                QStringLiteral("."),
                                                tr("robot files (*.ini *.mp3 *.wav *.jpg)"));
    if (local.isEmpty())
        return;
    const int folder = robotFolderIndex();
    if (!link->isRunning() || folder < 0)
        return;
    if (refuseWhileTransferring())
        return;
    // The robot path and the file are checked before anything is sent, so a
    // refused name never leaves the robot waiting for a file.
    const QString name = robotfiles::robotFileName(local);
    if (!link->setRobotPath(RobotLink::PathBlock::Send, folder, name))
        return;
    {
        QFile probe(local);
        if (!probe.open(QIODevice::ReadOnly)) {
            prompt().warning(this, tr("error"), tr("The file %1 cannot be read.").arg(local), QMessageBox::Ok);
            return;
        }
    }
    startFileSend(local, name);
    // The file list is not refreshed after a send.
}

void MainWindow::startFileSend(const QString &local, const QString &robotName)
{
    // The robot path is already in the send block: announce the transfer, send
    // its header and let the link thread stream the file.
    ui->progressBarTransFile->setValue(0);
    ui->progressBarTransFileList->setValue(0);
    link->post(PrepareTransfer, Write);
    QThread::msleep(30);
    if (!link->isRunning())
        return;
    // The link forgets an earlier file-begin status as FileBegin goes out.
    link->post(FileBegin, Write);
    link->startSendJob(local);
    watchFileJob(WatchedJob::Send, robotName);
}

void MainWindow::watchFileJob(WatchedJob job, const QString &name)
{
    watchedJob = job;
    watchedFileName = name;
}

// The link tells once when a job is over; a failure is shown then.
void MainWindow::fileJobEnded(const FileJobResult &result)
{
    const bool send = result.job == FileJobResult::Send;
    if (!send)
        configFetchEnded(result.transferEnded);
    if (watchedJob != (send ? WatchedJob::Send : WatchedJob::Get))
        return;
    watchedJob = WatchedJob::None;
    QString failure;
    if (send && result.refused)
        failure = tr("The robot refused the file %1.").arg(watchedFileName);
    // The fetch waits for TransferEnd; it ends without one only when the
    // robot fell silent.
    else if (!send && !result.transferEnded)
        failure = tr("The robot did not send the file %1.").arg(watchedFileName);
    if (failure.isEmpty())
        return;
    statusBar()->showMessage(failure, 3000);
    prompt().warning(this, tr("warning"), failure, QMessageBox::Ok);
}

// ---------------------------------------------------------------- format

void MainWindow::on_pushButtonFormatFlash_clicked()
{
    // The button is enabled only from the system menu's format flash entry;
    // the robot's FormatDone answer shows the end.
    if (!link->isRunning() || refuseWhileTransferring())
        return;
    link->post(FormatFlash, Write);
}
