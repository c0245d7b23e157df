#pragma once
// The robot file browser: the "file list" tab lists one folder of the robot,
// and from it files are run, deleted, fetched and sent; the "format flash"
// button on the robot setting page erases the robot's flash. It also shows the
// progress and the end of every file transfer, and reports the failures of
// the file jobs it started (its own and those the configure file page starts
// through it). Every action is a request over the link; while the link is
// down an action sends nothing and says nothing.
//
// Widgets: comboBoxRobotFileFolder, pushButtonRefresh, listWidgetFileList,
// pushButtonSendFile, pushButtonFormatFlash with its guard in the system menu
// (actionDisable, actionEnable), progressBarTransFile,
// progressBarTransFileList, pushButtonSendTransFileList (released when a
// transfer ends) and the window's statusBar. It puts a cancel button beside
// each transfer progress bar (pushButtonCancelTransFile,
// pushButtonCancelTransFileList), enabled while a transfer it started runs.
// Widgets it owns: actionDisable, actionEnable, pushButtonFormatFlash, pushButtonRefresh,
//   comboBoxRobotFileFolder, listWidgetFileList, pushButtonSendFile, progressBarTransFile,
//   progressBarTransFileList

#include <QObject>
#include <QString>
#include <functional>

namespace Ui { class MainWindow; }
class Prompt;
class QPoint;
class QPushButton;
class QWidget;
class RobotLink;
class TransferList;
struct FileJobResult;

class FileBrowser : public QObject
{
    Q_OBJECT

public:
    // The system menu's guard: the format flash button works only while allowed.
    void allowFlashFormat(bool allowed);
    // dialogParent is the parent of the browser's dialogs and menu.
    FileBrowser(Ui::MainWindow *ui, RobotLink &link, Prompt &prompt,
                QWidget *dialogParent, QObject *parent = nullptr);

    // Empties the file list and asks the robot for the chosen folder's files.
    void refresh();
    // The chosen folder: 0 ("0:/robotsys", SD card), 1 ("1:/robotsys", flash)
    // or -1 when the combo box has no valid choice.
    int folderIndex() const;

    // The actions on the list's current file (the context menu's entries).
    void runCurrentFile();
    void deleteCurrentFile();
    void getCurrentFile();
    // Asks for a local file and sends it to the chosen folder.
    void sendFile();
    void formatFlash();

    // True (after telling the user) while a file transfer runs: a second one
    // would take over the link's one local path and its job feedback.
    bool refuseWhileTransferring();
    // Sends a local file to the robot path already set in the send block.
    // False when the link is down (nothing was started). folder, when given
    // (0 or 1), is the robot folder of that path: a failed send then offers
    // to delete the incomplete file it left there.
    bool startFileSend(const QString &local, const QString &robotName, int folder = -1);
    // Both transfer bars back at 0: every transfer, also one another page
    // starts on the link itself, counts from the start.
    void resetProgress();
    // Both bars full: a command of several transfers has ended well.
    void completeProgress();
    // Fetches the robot path already set in the get block into local,
    // verified (fetched three times and compared: a frame lost whole on the line
    // leaves no other trace). accept, when given, may refuse the received
    // file before it replaces local (see RobotLink::fetch).
    void startFileGet(const QString &local, const QString &robotName,
                      const std::function<QString(const QByteArray &)> &accept = {});
    // Stops the running transfer (the cancel buttons).
    void cancelTransfer();

    // Watches a file job that this browser started, to report its one
    // outcome when it has ended: success, or the failure with its reason.
    enum class WatchedJob { None, Send, Get };
    void watchFileJob(WatchedJob job, const QString &name, int folder = -1);

    // While set, the end of a transfer shows no notice box (a step of a
    // command that tells its own outcome, such as reading a file back).
    void setQuietTransferEnd(bool quiet) { quietTransferEnd = quiet; }

    // The transfer file list page, told of the end of every file it started.
    void setTransferList(TransferList *list) { transferList = list; }

private:
    void showContextMenu(const QPoint &pos);
    void showFolderList(const QByteArray &folderText);
    void folderListMissing(const QByteArray &folder);
    void showProgress(int progress);
    void fileJobEnded(const FileJobResult &result);
    void formatDone();

    bool transferListSending() const;

    Ui::MainWindow *ui;
    RobotLink &link;
    Prompt &prompt;
    QWidget *dialogParent;
    WatchedJob watchedJob = WatchedJob::None;
    QString watchedFileName;
    int watchedFolder = -1;
    // After a failed send: tells the failure and offers to delete the cut
    // file it left on the robot; Yes deletes it and lists the folder again.
    void offerToDeleteCutFile(const QString &failure, const QString &name, int folder);
    // The drive a watched fetch reads from (0, 1; -1 unknown).
    int watchedDrive = -1;
    void setCancelEnabled(bool enabled);
    QPushButton *cancelFile = nullptr;
    QPushButton *cancelList = nullptr;
    bool quietTransferEnd = false;
    TransferList *transferList = nullptr;
};
