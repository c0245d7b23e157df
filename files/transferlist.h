#pragma once
// The transfer file list page: a table of local files bound to remote keys,
// combinations of two keys, the four falls, or sent as common files under a
// free name; the list saved to and opened from *.lst files; a picture of the
// remote whose key buttons fill the key cells; and sending the whole list to
// the robot, one file after the other, each under its robot file name.
//
// Widgets: tableViewTransFileList, checkBoxCombinationKey,
// pushButtonSendTransFileList, the 24 key buttons over the remote picture
// (pushButtonY ... pushButtonRT) and the actions actionInsert_transfer_file,
// actionDelete_transfer_file, actionSave_transfer_file_list,
// actionOpen_transfer_file_list, the hint below the remote (rmLabelRemoteHint)
// and the status bar for the rows' problems. The progress bar and the end of
// each file are the file browser's, which tells this page when a file it sent
// has ended.
//
// While a list is being sent (from the click that starts it until its last
// file has ended, whatever the outcome) the list cannot be edited: the rows
// the sender walks through stay the rows it started with.
// Widgets it owns: tableViewTransFileList, actionInsert_transfer_file, actionDelete_transfer_file,
//   actionSave_transfer_file_list, actionOpen_transfer_file_list, pushButtonSendTransFileList, pushButtonY,
//   pushButtonX, pushButtonB, pushButtonA, pushButtonStart, pushButtonBack, pushButtonUP, pushButtonRIGHT,
//   pushButtonLEFT, pushButtonDOWN, pushButtonLB, pushButtonRB, pushButtonRockBMD, pushButtonRockAMD,
//   pushButtonRockBUP, pushButtonRockBRIGHT, pushButtonRockBLEFT, pushButtonRockBDOWN, pushButtonRockAUP,
//   pushButtonRockARIGHT, pushButtonRockALEFT, pushButtonRockADOWN, pushButtonLT, pushButtonRT,
//   rmLabelRemoteHint, checkBoxCombinationKey

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>

#include "files/transferrows.h"

namespace Ui { class MainWindow; }
class FileBrowser;
class Prompt;
class QModelIndex;
class QPushButton;
class QStandardItem;
class QStandardItemModel;
class QWidget;
class RobotLink;

class TransferList : public QObject
{
    Q_OBJECT

public:
    // Least time between two send steps (the step ran every 31st tick of
    // the 10 ms timer).
    static constexpr int kStepPeriodMs = 310;

    TransferList(Ui::MainWindow *ui, RobotLink &link, FileBrowser &files, Prompt &prompt, QWidget *dialogParent,
                 QObject *parent = nullptr);

    // Nine text columns: name, file type, combination key, key 1, key 2, fall
    // type, common file name, source file, robot path.
    QStandardItemModel &model() const { return *rows; }
    QList<transferrows::Row> rowTexts() const;

    // The commands of the page.
    void insertRow();
    void deleteRow();
    // False when the list was not saved (cancelled, refused or failed).
    bool saveList();
    void openList();
    void rowClicked(const QModelIndex &index);
    void rowDoubleClicked(const QModelIndex &index);
    void keyClicked(int key);
    void sendClicked(bool checked);

    // Called by the window's 10 ms timer: runs the send step when its period
    // has passed since the last one.
    void tick();
    // The send step: starts the next row's file when the one before has ended.
    void sendStep();

    // True while rows remain to be started (0 <= list index < row count).
    bool sending() const;
    // The send button springs back (a single file's transfer has ended).
    void releaseSendButton();
    // True from the start of a send until its last file has ended: the list
    // cannot be edited then.
    bool editLocked() const { return locked; }
    // True when the list was changed since it was last opened or saved.
    bool edited() const { return modified; }
    // The problems the rows have now (see transferrows::check).
    const QList<transferrows::Problem> &problems() const { return shownProblems; }
    int listIndex() const { return index; }
    bool ready() const { return readyFlag; }
    // The file browser's report that the file this page started has ended:
    // done (the next row may go), or failed with text, which ends the sending
    // with a message naming the row. False when no file of this page was
    // running (the browser tells the outcome itself).
    bool fileEnded(bool ok, const QString &text);

    // The key buttons in key-number order.
    const QList<QPushButton *> &keyButtons() const { return keys; }

private:
    enum class Saved { Yes, Cancelled, Failed };
    Saved save();
    void cellChanged();
    void normaliseRows();
    // Marks the cells of the rows' problems (tool tip and background) and
    // tells a new problem in the status bar.
    void showProblems();
    void updateLock();
    void setHint(const QString &text);
    QString problemList(const QList<transferrows::Problem> &problems) const;
    void highlightKey(const QString &cell);
    void stepOnce();
    void endSending();
    void failRow(int row, const QString &reason);
    QString columnTitle(int column) const;

    Ui::MainWindow *ui;
    RobotLink &link;
    FileBrowser &files;
    Prompt &prompt;
    QWidget *dialogParent;
    QStandardItemModel *rows = nullptr;
    QList<QPushButton *> keys;

    // Sender state: the row to start next (-1 when no list is being sent),
    // whether the file before it has ended, and the row whose file is being
    // sent (-1 when none).
    int index = -1;
    bool readyFlag = false;
    int rowInTransfer = -1;
    bool normalising = false;
    // Set while the page itself writes the model (loading a list, marking
    // problems): such writes are no edits of the user.
    bool quiet = false;
    bool modified = false;
    bool locked = false;
    int unlockedEditTriggers = 0;
    QList<transferrows::Problem> shownProblems;
    QString defaultHint;
    QElapsedTimer stepClock;
};
