#pragma once
// The motion being edited: the frame table (one row per frame, 46 integer
// columns), its file path and modified mark, reading and writing it as an
// operation file, the undo history with its redo stack, the frame clipboard
// and the origin pose. No widgets: the views are handed this document.
//
// The current frame is the current index of selectionModel(), the selection
// model the frame table's view shows: the one current frame of the program.
// Every view (the frame list, the table, the joint panel, the frame info, the
// music view, playback) reads it here and follows currentRowChanged.

#include <QObject>
#include <QString>
#include <QVector>

#include <array>

#include "motion/editing.h"
#include "motion/frametable.h"
#include "motion/frametablemodel.h"
#include "motion/jointlimits.h"
#include "motion/operationfile.h"

class QItemSelectionModel;

class MotionDocument : public QObject
{
    Q_OBJECT

public:
    // One frame's 46 values in column order.
    using Frame = std::array<int, frametable::ColumnCount>;
    // Angles of servos 2..20.
    using Angles = std::array<int, frametable::ServoCount>;

    explicit MotionDocument(QObject *parent = nullptr);

    // ---- Frames
    FrameTableModel *model() const { return table; }
    QItemSelectionModel *selectionModel() const { return selection; }
    int rowCount() const;
    // Text and numbers read alike, non-numbers read as 0; a write to a row
    // that does not exist has no effect.
    int cell(int row, int column) const;
    void setCell(int row, int column, int value);
    // Current frame: the row of the selection model's current index, or -1.
    int currentRow() const;
    // Makes row the current frame (keeping the current column; -1 or a row
    // the table does not hold: no current frame) and selects its cell, as a
    // click in the table would. currentRowChanged follows even when row was
    // current already: the frame at that row may be another one now (after
    // a removal or an undo), and the views show it again.
    void setCurrentRow(int row);
    // Where a new frame goes: after the current frame, or row 0.
    int insertPosition() const;
    // Inserts a frame of numbers at row; false when the row cannot be inserted.
    bool insertFrame(int row, const Frame &values);
    // Inserts a frame of empty cells (they read as 0) at row.
    bool insertEmptyFrame(int row);
    void removeFrame(int row);
    // Removes every frame (no framesReset: the caller rebuilds its views).
    void removeAllFrames();

    // Flat form (46 integers per row) for the undo history and the clipboard.
    QVector<int> flatten() const;
    // Replaces the table by values, then emits framesReset.
    void restore(const QVector<int> &values);
    // The table takes a state of the undo history (its frames stay shared)
    // by what differs: only the rows that changed are told to the item
    // model's views (no reset), then framesRestored says which; the views
    // show shownRow as the current frame (rowShownAfterReset).
    void restoreState(const editing::Snapshot &state, int shownRow = 0);
    // The frame the views make current after framesReset or framesRestored,
    // within the table.
    int rowShownAfterReset() const;

    // ---- File
    QString path() const { return filePath; }
    // Naming the document (even with no name) ends framesReadFrom.
    void setPath(const QString &path);
    // The damaged file an unnamed document's frames were read from (up to
    // its error); empty otherwise.
    QString framesReadFrom() const { return readFrom; }
    bool isModified() const { return modified; }
    void setModified(bool on);

    // Reads the operation file at path into the table. The document takes the
    // path only when the whole file was read; then the document is not
    // modified (the table read is the undo history's last state).
    // - A file that cannot be opened, or no motion at all (no operation file
    //   record, or no frame but records of another file type): the document
    //   stays as it was, its path too, so a save cannot overwrite that file
    //   (opened false, or notAMotion).
    // - A reader error: the frames read before it become an unnamed, modified
    //   document that remembers where they came from (framesReadFrom), so
    //   that a save asks for a name and the damaged file stays as it is
    //   (recovered). With no frame before the error the document stays.
    // framesReset is emitted when the table was replaced; the caller shows
    // the messages.
    struct OpenResult {
        bool opened = false;
        bool notAMotion = false;
        bool recovered = false; // the frames before a reader error, unnamed
        operationfile::LoopKey loopKey = operationfile::LoopKey::Unchanged;
        QVector<operationfile::Message> messages;
    };
    OpenResult open(const QString &path);

    // Writes the table to path, safely: the new content replaces the old file
    // only once it is complete. Loops that do not balance (a loop end that
    // closes no open loop, a loop start left open) and values the file cannot
    // hold (a music file number above 4095) are refused before the file is
    // touched: what is saved opens again to the same frames.
    struct SaveResult {
        enum Kind { Saved, NoPath, UnmatchedLoopEnd, ValueOutOfRange, WriteFailed };
        Kind kind = NoPath;
        int faultyRow = -1;  // UnmatchedLoopEnd, ValueOutOfRange: the row at fault
        int faultyColumn = -1; // ValueOutOfRange: the column of the value
        QString reason;      // WriteFailed: the system's reason
        bool ok() const { return kind == Saved; }
    };
    SaveResult save(const QString &path, bool loopKey) const;

    // ---- Undo history
    // Snapshots of the table: the last entry of undoHistory is the state at the
    // last snapshot (at most editing::HistoryLimit entries); the last entry of
    // redoStack is the next state to redo.
    const editing::SnapshotQueue &undoHistory() const { return history; }
    const editing::SnapshotQueue &redoStack() const { return redoStates; }
    // Records the table unless it equals the last snapshot; a recorded table
    // with frames marks the document modified. True when recorded.
    bool recordSnapshot();
    // Undo and redo move one state between the history and the redo stack and
    // give the state to restore; false when there is none.
    bool undo(editing::Snapshot *state);
    bool redo(editing::Snapshot *state);
    // The same, giving the state in flat form.
    bool undo(QVector<int> *state);
    bool redo(QVector<int> *state);

    // Every edit restarts the settle countdown; the snapshot is recorded when
    // it has run out (settleTick, one call per 10 ms tick: 100, 50, 0, then
    // the snapshot on the third tick, then it rests at -10).
    void noteEdit() { settleCountdown = 100; }
    void settleTick();
    int editSettleCountdown() const { return settleCountdown; }
    void setEditSettleCountdown(int value) { settleCountdown = value; }
    // While held (a drag on the model in progress) the countdown stands
    // still, so a drag however slow reaches the history as one step.
    void holdSettle(bool held) { settleHeld = held; }

    // ---- Clipboard and origin pose
    // Frames copied or cut (flat form); private to the program and kept
    // across new file and open.
    QVector<int> &copiedFrames() { return clipboard; }
    // The pose of a new file. Zeros until the origin frame file is read.
    Angles &originAngles() { return origin; }

    // ---- Joint limits
    // The range each servo may be posed in: the robot's user limits once a
    // configure file has been read, else the default range. Frames are never
    // changed by them: a frame outside is shown as it is and marked.
    const jointlimits::Limits &jointLimits() const { return limits; }
    void setJointLimits(const jointlimits::Limits &value);
    // Servos (2..20) of row whose angle lies outside its range.
    QVector<int> servosOutsideLimits(int row) const;

signals:
    // The current frame changed (row, or -1 for none), or setCurrentRow
    // chose it again. Rows inserted or removed before it move it without
    // this signal (the frame stays the same); when the current frame itself
    // is removed, the signal comes once the rows are gone, with the row
    // that is current then.
    void currentRowChanged(int row);
    // The whole table was replaced (open, restore).
    void framesReset();
    // restoreState changed the table by changes (rows of the table before
    // them, and after).
    void framesRestored(const editing::RowChanges &changes);
    void modifiedChanged(bool modified);
    void pathChanged(const QString &path);
    // A snapshot was added to the undo history.
    void snapshotRecorded();
    // A cell was given a new value through the item model (the table view's
    // editors and delegates, or anything else that edits the model): the
    // views showing that frame are to follow. Edits through setCell are
    // followed by their own commands.
    void cellEdited(int row, int column);
    // The joint limits changed.
    void jointLimitsChanged();

private:
    void cellsChanged(const QModelIndex &first, const QModelIndex &last);
    void selectionMoved();
    void rowsGone();

    FrameTableModel *table = nullptr;
    QItemSelectionModel *selection = nullptr;
    QString filePath;
    QString readFrom;
    int shownAfterReset = 0;
    bool restoring = false;   // restoreState's changes are no edit
    bool removingRows = false;  // between rowsAboutToBeRemoved and rowsRemoved
    bool currentMovedByRemoval = false;
    bool modified = false;
    editing::SnapshotQueue history;
    editing::SnapshotQueue redoStates;
    int settleCountdown = 0;
    bool settleHeld = false;
    QVector<int> clipboard;
    Angles origin{};
    jointlimits::Limits limits;
};
