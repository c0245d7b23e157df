#include "files/filebrowser.h"
#include "ui_mainwindow.h"

#include <QCursor>
#include <QFile>
#include <QListWidget>
#include <QBoxLayout>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>

#include "common/prompt.h"
#include "files/robotfiles.h"
#include "files/transferlist.h"
#include "link/robotlink.h"
#include "link/robotpath.h"
#include "link/transferoutcome.h"

using namespace packet;

void FileBrowser::allowFlashFormat(bool allowed)
{
    ui->actionDisable->setChecked(!allowed);
    ui->actionEnable->setChecked(allowed);
    ui->pushButtonFormatFlash->setEnabled(allowed);
}

FileBrowser::FileBrowser(Ui::MainWindow *ui, RobotLink &link, Prompt &prompt,
                         QWidget *dialogParent, QObject *parent)
    : QObject(parent), ui(ui), link(link), prompt(prompt), dialogParent(dialogParent)
{
    connect(ui->pushButtonRefresh, &QPushButton::clicked, this, &FileBrowser::refresh);
    // The names shown belong to the folder they were listed from; actions read
    // the folder when they run, so a list left from the other folder would run,
    // fetch or delete a file of the same name there. The list follows the choice.
    connect(ui->comboBoxRobotFileFolder, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &FileBrowser::refresh);
    connect(ui->listWidgetFileList, &QListWidget::customContextMenuRequested, this, &FileBrowser::showContextMenu);
    connect(ui->pushButtonSendFile, &QPushButton::clicked, this, &FileBrowser::sendFile);
    connect(ui->pushButtonFormatFlash, &QPushButton::clicked, this, &FileBrowser::formatFlash);
    // Formatting the flash is guarded; the choice is not remembered.
    allowFlashFormat(false);
    connect(ui->actionDisable, &QAction::triggered, this, [this] { allowFlashFormat(false); });
    connect(ui->actionEnable, &QAction::triggered, this, [this] { allowFlashFormat(true); });

    connect(&link, &RobotLink::folderListed, this, &FileBrowser::showFolderList);
    connect(&link, &RobotLink::folderListMissing, this, &FileBrowser::folderListMissing);
    connect(&link, &RobotLink::fileProgress, this, &FileBrowser::showProgress);
    connect(&link, &RobotLink::fileJobEnded, this, &FileBrowser::fileJobEnded);
    connect(&link, &RobotLink::formatDone, this, &FileBrowser::formatDone);

    // A cancel button beside each transfer progress bar.
    cancelFile = new QPushButton(tr("cancel"), ui->progressBarTransFile->parentWidget());
    cancelFile->setObjectName(QStringLiteral("pushButtonCancelTransFile"));
    cancelList = new QPushButton(tr("cancel"), ui->progressBarTransFileList->parentWidget());
    cancelList->setObjectName(QStringLiteral("pushButtonCancelTransFileList"));
    for (auto [bar, button] : {std::pair<QProgressBar *, QPushButton *>{ui->progressBarTransFile, cancelFile},
                               {ui->progressBarTransFileList, cancelList}}) {
        button->setToolTip(tr("stop the running file transfer"));
        connect(button, &QPushButton::clicked, this, &FileBrowser::cancelTransfer);
        auto *box = qobject_cast<QBoxLayout *>(bar->parentWidget()->layout());
        QBoxLayout *holder = nullptr;
        for (QBoxLayout *candidate : bar->parentWidget()->findChildren<QBoxLayout *>())
            if (candidate->indexOf(bar) >= 0)
                holder = candidate;
        if (!holder)
            holder = box;
        if (!holder)
            continue;
        const int at = holder->indexOf(bar);
        if (holder->direction() == QBoxLayout::LeftToRight) {
            holder->insertWidget(at + 1, button);
        } else {
            auto *row = new QHBoxLayout;
            holder->removeWidget(bar);
            row->addWidget(bar);
            row->addWidget(button);
            holder->insertLayout(at, row);
        }
    }
    setCancelEnabled(false);
}

void FileBrowser::setCancelEnabled(bool enabled)
{
    cancelFile->setEnabled(enabled);
    cancelList->setEnabled(enabled);
}

void FileBrowser::cancelTransfer()
{
    if (watchedJob != WatchedJob::None)
        link.cancelTransfer();
}

int FileBrowser::folderIndex() const
{
    const int index = ui->comboBoxRobotFileFolder->currentIndex();
    return robotfiles::isDriveIndex(index) ? index : -1;
}

bool FileBrowser::transferListSending() const
{
    return transferList && transferList->sending();
}

bool FileBrowser::refuseWhileTransferring()
{
    if (!link.jobRunning() && !transferListSending())
        return false;
    prompt.warning(dialogParent, tr("warning"), tr("A file transfer is running. Please wait until it has finished."),
                   QMessageBox::Ok);
    return true;
}

// ---------------------------------------------------------------- list

void FileBrowser::refresh()
{
    ui->listWidgetFileList->clear();
    const int folder = folderIndex();
    if (folder < 0)
        return;
    if (!link.isRunning())
        return;
    // The link marks the next FolderList answer as the start of a new list
    // before the request goes out, so that an answer can never arrive ahead of it.
    link.listFolder(folder);
}

void FileBrowser::showFolderList(const QByteArray &folderText)
{
    for (const QString &name : robotfiles::splitFolderList(folderText)) {
        auto *item = new QListWidgetItem(name);
        item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
        ui->listWidgetFileList->addItem(item);
        ui->listWidgetFileList->setCurrentItem(item);
    }
}

// A list that did not come is said, rather than shown as an empty drive.
void FileBrowser::folderListMissing(const QByteArray &folder)
{
    const int drive = robotfiles::driveOf(folder);
    if (drive != folderIndex())
        return;
    ui->listWidgetFileList->clear();
    const QString text = tr("The robot did not send the file list of %1.").arg(robotfiles::driveName(drive));
    ui->statusBar->showMessage(text, 3000);
    prompt.warning(dialogParent, tr("warning"), text, QMessageBox::Ok);
}

void FileBrowser::showContextMenu(const QPoint &pos)
{
    QListWidgetItem *item = ui->listWidgetFileList->itemAt(pos);
    if (!item)
        return;
    // The actions work on the current item: the one under the click.
    ui->listWidgetFileList->setCurrentItem(item);
    QMenu menu(dialogParent);
    menu.setObjectName(QStringLiteral("robotFileMenu"));
    connect(menu.addAction(tr("run")), &QAction::triggered, this, &FileBrowser::runCurrentFile);
    connect(menu.addAction(tr("delete")), &QAction::triggered, this, &FileBrowser::deleteCurrentFile);
    connect(menu.addAction(tr("get this file")), &QAction::triggered, this, &FileBrowser::getCurrentFile);
    menu.exec(QCursor::pos());
}

// ---------------------------------------------------------------- file actions

void FileBrowser::runCurrentFile()
{
    const QListWidgetItem *item = ui->listWidgetFileList->currentItem();
    const int folder = folderIndex();
    if (!item || folder < 0 || !link.isRunning())
        return;
    if (refuseWhileTransferring())
        return;
    if (!link.setRobotPath(RobotLink::PathBlock::Run, folder, item->text()))
        return;
    link.runFile();
}

void FileBrowser::deleteCurrentFile()
{
    if (prompt.warning(dialogParent, tr("warning"), tr("Do  you want to delete the file ?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return;
    const int folder = folderIndex();
    const QListWidgetItem *item = ui->listWidgetFileList->currentItem();
    if (folder < 0 || !item)
        return;
    const QString name = item->text();
    if (robotfiles::isConfigureFile(name)) {
        prompt.warning(dialogParent, tr("error"), tr("You can't delete the configure file."), QMessageBox::Ok);
        return;
    }
    if (!link.isRunning() || refuseWhileTransferring())
        return;
    if (!link.setRobotPath(RobotLink::PathBlock::Delete, folder, name))
        return;
    link.deleteFile();
    refresh();
}

void FileBrowser::getCurrentFile()
{
    const QListWidgetItem *item = ui->listWidgetFileList->currentItem();
    if (!item)
        return;
    const QString name = item->text();
    const QString local = prompt.saveFileName(dialogParent, tr("save file from robot"), QString(),
                                              tr("robot file (*.ini *.mp3 *.wav)"));
    if (local.isEmpty())
        return;
    const int folder = folderIndex();
    if (!link.isRunning() || folder < 0)
        return;
    // The local path is shared by both jobs: it is not touched while one runs.
    if (refuseWhileTransferring())
        return;
    if (!link.setRobotPath(RobotLink::PathBlock::Get, folder, name))
        return;
    // A file that cannot be written would end the fetch at once while the
    // robot still sends it and reports the end as a success.
    {
        QFile probe(local);
        const bool existed = probe.exists();
        if (!probe.open(QIODevice::WriteOnly | QIODevice::Append)) {
            prompt.warning(dialogParent, tr("error"), tr("The file %1 cannot be written.").arg(local),
                           QMessageBox::Ok);
            return;
        }
        probe.close();
        if (!existed)
            probe.remove();
    }
    startFileGet(local, name);
}

void FileBrowser::sendFile()
{
    const QString local = prompt.openFileName(dialogParent, tr("Please select a robot operation file or music file"),
                                              QStringLiteral("."), tr("robot files (*.ini *.mp3 *.wav *.jpg)"));
    if (local.isEmpty())
        return;
    const int folder = folderIndex();
    if (!link.isRunning() || folder < 0)
        return;
    if (refuseWhileTransferring())
        return;
    // The robot path and the file are checked before anything is sent, so a
    // refused name never leaves the robot waiting for a file.
    const QString name = robotfiles::robotFileName(local);
    if (!link.setRobotPath(RobotLink::PathBlock::Send, folder, name))
        return;
    {
        QFile probe(local);
        if (!probe.open(QIODevice::ReadOnly)) {
            prompt.warning(dialogParent, tr("error"), tr("The file %1 cannot be read.").arg(local), QMessageBox::Ok);
            return;
        }
    }
    startFileSend(local, name, folder);
    // The file list is not refreshed after a send.
}

// ---------------------------------------------------------------- file jobs

void FileBrowser::resetProgress()
{
    ui->progressBarTransFile->setValue(0);
    ui->progressBarTransFileList->setValue(0);
}

void FileBrowser::completeProgress()
{
    ui->progressBarTransFile->setValue(100);
    ui->progressBarTransFileList->setValue(100);
}

bool FileBrowser::startFileSend(const QString &local, const QString &robotName, int folder)
{
    // The robot path is already in the send block: announce the transfer, send
    // its header and let the link thread stream the file.
    resetProgress();
    if (!link.sendFile(local))
        return false;
    watchFileJob(WatchedJob::Send, robotName, folder);
    return true;
}

void FileBrowser::startFileGet(const QString &local, const QString &robotName,
                               const std::function<QString(const QByteArray &)> &accept)
{
    resetProgress();
    // The get job starts as the request goes out, so no answer can be taken
    // for something else.
    const int drive = robotfiles::driveOf(link.robotPath(RobotLink::PathBlock::Get));
    if (link.fetch(local, true, accept)) {
        watchFileJob(WatchedJob::Get, robotName);
        watchedDrive = drive;
    }
}

void FileBrowser::watchFileJob(WatchedJob job, const QString &name, int folder)
{
    watchedJob = job;
    watchedFileName = name;
    watchedFolder = folder;
    setCancelEnabled(job != WatchedJob::None);
}

void FileBrowser::showProgress(int progress)
{
    if (progress < 0)
        return;
    ui->progressBarTransFile->setValue(progress + 1);
    ui->progressBarTransFileList->setValue(progress + 1);
}

// The link tells once when a job is over: its one outcome is shown then,
// success as an information, a failure as a warning with its reason (and the
// bars back at 0).
void FileBrowser::fileJobEnded(const FileJobResult &result)
{
    const bool send = result.job == FileJobResult::Send;
    if (watchedJob != (send ? WatchedJob::Send : WatchedJob::Get))
        return;
    QString text = TransferOutcome::text(result, watchedFileName);
    // The file may be on the other drive.
    if (!send && result.outcome == FileJobResult::NoSuchFile && robotfiles::isDriveIndex(watchedDrive))
        text += QLatin1Char(' ')
                + tr("Perhaps it is on the other drive, %1.").arg(robotfiles::driveName(1 - watchedDrive));
    const QString name = watchedFileName;
    const int folder = watchedFolder;
    watchFileJob(WatchedJob::None, QString());
    watchedDrive = -1;
    if (result.ok()) {
        ui->progressBarTransFile->setValue(100);
        ui->progressBarTransFileList->setValue(100);
        // A command that sends as one of its steps (the configure file's
        // save) tells its own outcome.
        if (!transferListSending() && !quietTransferEnd) {
            prompt.information(nullptr, tr("finish"), text, QMessageBox::Yes);
            if (transferList)
                transferList->releaseSendButton();
        }
        // The list's next file may go.
        if (transferList)
            transferList->fileEnded(true, text);
        ui->statusBar->showMessage(text, 1000);
        // The robot's list shows what was sent (after a whole transfer list:
        // once, at its end).
        if (send && !quietTransferEnd && !transferListSending())
            refresh();
        return;
    }
    ui->progressBarTransFile->setValue(0);
    ui->progressBarTransFileList->setValue(0);
    ui->statusBar->showMessage(text, 3000);
    // A file of the transfer file list: the list stops and tells which row
    // failed, and why, in its one message.
    if (transferList && transferList->fileEnded(false, text))
        return;
    if (send && TransferOutcome::leftRobotCopy(result) && result.outcome != FileJobResult::LinkClosed) {
        offerToDeleteCutFile(text, name, folder);
        return;
    }
    prompt.warning(dialogParent, tr("warning"), text, QMessageBox::Ok);
}

void FileBrowser::offerToDeleteCutFile(const QString &failure, const QString &name, int folder)
{
    // Only a file sent from this tab has a known folder; the configure file
    // is never deleted, and nothing can be deleted while the link is down.
    if (folder < 0 || robotfiles::isConfigureFile(name) || !link.isRunning()) {
        prompt.warning(dialogParent, tr("warning"), failure, QMessageBox::Ok);
        return;
    }
    const QString question = failure + QStringLiteral("\n\n") + tr("Delete the incomplete file %1 on the robot?").arg(name);
    if (prompt.warning(dialogParent, tr("warning"), question, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        != QMessageBox::Yes)
        return;
    if (!link.isRunning() || link.jobRunning() || !link.setRobotPath(RobotLink::PathBlock::Delete, folder, name))
        return;
    link.deleteFile();
    // The list shows the robot's files as they are now.
    refresh();
}

// ---------------------------------------------------------------- format

void FileBrowser::formatFlash()
{
    // The button is enabled only from the system menu's format flash entry;
    // the robot's FormatDone answer shows the end.
    if (!link.isRunning() || refuseWhileTransferring())
        return;
    link.formatFlash();
}

void FileBrowser::formatDone()
{
    prompt.warning(nullptr, tr("format flash finish"), tr("Format flash finished."), QMessageBox::Yes);
}
