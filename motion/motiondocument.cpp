#include "motion/motiondocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QStringList>
#include <QTextStream>

#include "core/safefile.h"

using namespace frametable;

MotionDocument::MotionDocument(QObject *parent) : QObject(parent)
{
    table = new FrameTableModel(this);
    // Before the selection model is made, so that this runs before it moves
    // its current index off the rows being removed.
    connect(table, &QAbstractItemModel::rowsAboutToBeRemoved, this, [this] { removingRows = true; });
    selection = new QItemSelectionModel(table, this);
    // Every change of a cell, by any path, is an edit: the document is
    // modified and the undo history records the table once the edits settle.
    connect(table, &QAbstractItemModel::dataChanged, this, &MotionDocument::cellsChanged);
    connect(table, &FrameTableModel::cellEdited, this, &MotionDocument::cellEdited);
    // The selection model moves its current index off rows being removed
    // while they are still there (naming a row number that is about to
    // change): the views are told once the rows are gone.
    connect(selection, &QItemSelectionModel::currentRowChanged, this, &MotionDocument::selectionMoved);
    connect(table, &QAbstractItemModel::rowsRemoved, this, &MotionDocument::rowsGone);
    // A reset clears the selection model without a signal.
    connect(table, &QAbstractItemModel::modelReset, this, [this] { emit currentRowChanged(currentRow()); });
}

void MotionDocument::selectionMoved()
{
    if (removingRows) {
        currentMovedByRemoval = true;
        return;
    }
    emit currentRowChanged(currentRow());
}

void MotionDocument::rowsGone()
{
    removingRows = false;
    if (currentMovedByRemoval) {
        currentMovedByRemoval = false;
        emit currentRowChanged(currentRow());
    }
}

void MotionDocument::cellsChanged(const QModelIndex &first, const QModelIndex &)
{
    if (restoring)
        return;
    noteEdit();
    if (first.isValid())
        setModified(true);
}

// ---------------------------------------------------------------- frames

int MotionDocument::rowCount() const
{
    return table->rowCount();
}

int MotionDocument::cell(int row, int column) const
{
    return table->value(row, column);
}

void MotionDocument::setCell(int row, int column, int value)
{
    table->setValue(row, column, value);
}

int MotionDocument::currentRow() const
{
    const QModelIndex current = selection->currentIndex();
    return current.isValid() ? current.row() : -1;
}

void MotionDocument::setCurrentRow(int row)
{
    const int before = currentRow();
    const QModelIndex index = table->index(row, qMax(0, selection->currentIndex().column()));
    if (index.isValid())
        selection->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    else
        selection->setCurrentIndex(QModelIndex(), QItemSelectionModel::Clear);
    // Chosen again: the selection model says nothing, the views are told all the same.
    if (currentRow() == before)
        emit currentRowChanged(before);
}

int MotionDocument::insertPosition() const
{
    return frametable::insertPosition(currentRow());
}

bool MotionDocument::insertFrame(int row, const Frame &values)
{
    return table->insertFrame(row, values);
}

bool MotionDocument::insertEmptyFrame(int row)
{
    return table->insertRow(row);
}

void MotionDocument::removeFrame(int row)
{
    table->removeRow(row);
}

void MotionDocument::removeAllFrames()
{
    table->removeRows(0, table->rowCount());
}

QVector<int> MotionDocument::flatten() const
{
    return table->state().flat();
}

void MotionDocument::restore(const QVector<int> &values)
{
    table->setState(TableState::fromFlat(values));
    shownAfterReset = 0;
    emit framesReset();
}

void MotionDocument::restoreState(const editing::Snapshot &state, int shownRow)
{
    // An undo or redo usually changes a frame or a few of a long motion:
    // the views redo only those.
    const editing::RowChanges changes = editing::rowChanges(table->state(), state);
    restoring = true;
    table->applyState(state, changes);
    restoring = false;
    shownAfterReset = shownRow;
    emit framesRestored(changes);
    shownAfterReset = 0;
}

int MotionDocument::rowShownAfterReset() const
{
    return qBound(0, shownAfterReset, qMax(0, rowCount() - 1));
}

// ---------------------------------------------------------------- file

void MotionDocument::setPath(const QString &path)
{
    if (filePath == path && readFrom.isEmpty())
        return;
    filePath = path;
    readFrom.clear();
    emit pathChanged(filePath);
}

void MotionDocument::setModified(bool on)
{
    if (modified == on)
        return;
    modified = on;
    emit modifiedChanged(modified);
}

MotionDocument::OpenResult MotionDocument::open(const QString &path)
{
    OpenResult result;
    QFile file(path);
    // Unreadable: the document keeps its frames and its own path.
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result;
    QTextStream in(&file);
    const operationfile::ReadResult read = operationfile::read(in);
    result.opened = true;
    result.messages = operationfile::messages(read);
    // Not a motion at all (a text, a picture, an empty file, a configure
    // file): the document stays as it was, its path too, so that a save
    // cannot overwrite that file.
    if (read.error == operationfile::ReadError::NotAMotion) {
        result.notAMotion = true;
        return result;
    }
    const bool whole = read.ok();
    // A damaged file with no frame before its fault: nothing to show.
    if (!whole && read.rowsBeforeError.isEmpty())
        return result;
    result.loopKey = read.loopKey;
    removeAllFrames();
    appendRows(*table, whole ? read.rows : read.rowsBeforeError);
    // What was just read is the state a later change is measured against.
    if (editing::recordSnapshot(history, redoStates, table->state()))
        emit snapshotRecorded();
    if (whole) {
        setPath(path);
        setModified(false);
    } else {
        // The frames before the error, unnamed: saving them asks for a name,
        // and the file keeps what it holds after the error.
        setPath(QString());
        readFrom = path;
        emit pathChanged(filePath);
        setModified(true);
        result.recovered = true;
    }
    emit framesReset();
    return result;
}

MotionDocument::SaveResult MotionDocument::save(const QString &path, bool loopKey) const
{
    SaveResult result;
    if (path.isEmpty())
        return result;
    const FrameRows rows = rowsOf(*table);
    // Loops that do not balance would make a file that does not open again:
    // refused before the file is touched.
    result.faultyRow = operationfile::findLoopFault(rows);
    if (result.faultyRow >= 0) {
        result.kind = SaveResult::UnmatchedLoopEnd;
        return result;
    }
    result.faultyRow = operationfile::findUnstorableValue(rows, &result.faultyColumn);
    if (result.faultyRow >= 0) {
        result.kind = SaveResult::ValueOutOfRange;
        return result;
    }
    QByteArray bytes;
    {
        QTextStream out(&bytes, QIODevice::WriteOnly);
        operationfile::write(out, rows, loopKey);
    }
    // The old file stays until the new content is wholly on the disk.
    result.kind = safefile::write(path, bytes, &result.reason) ? SaveResult::Saved : SaveResult::WriteFailed;
    return result;
}

// ---------------------------------------------------------------- undo history

bool MotionDocument::recordSnapshot()
{
    // A new state is a new edit: the states undone before it cannot come back.
    if (!editing::recordSnapshot(history, redoStates, table->state()))
        return false;
    emit snapshotRecorded();
    if (rowCount() > 0)
        setModified(true);
    return true;
}

bool MotionDocument::undo(editing::Snapshot *state)
{
    return editing::undoStep(history, redoStates, state);
}

bool MotionDocument::redo(editing::Snapshot *state)
{
    return editing::redoStep(history, redoStates, state);
}

bool MotionDocument::undo(QVector<int> *state)
{
    editing::Snapshot restored;
    if (!undo(&restored))
        return false;
    if (state)
        *state = restored.flat();
    return true;
}

bool MotionDocument::redo(QVector<int> *state)
{
    editing::Snapshot restored;
    if (!redo(&restored))
        return false;
    if (state)
        *state = restored.flat();
    return true;
}

void MotionDocument::settleTick()
{
    if (settleHeld)
        return;
    if (settleCountdown > 0) {
        settleCountdown -= 50;
    } else if (settleCountdown == 0) {
        settleCountdown = -10;
        recordSnapshot();
    }
}

// ---------------------------------------------------------------- joint limits

void MotionDocument::setJointLimits(const jointlimits::Limits &value)
{
    if (limits == value)
        return;
    limits = value;
    emit jointLimitsChanged();
}

QVector<int> MotionDocument::servosOutsideLimits(int row) const
{
    if (row < 0 || row >= rowCount())
        return {};
    std::array<int, frametable::ServoCount> angles{};
    for (int c = 0; c < frametable::ServoCount; ++c)
        angles[size_t(c)] = cell(row, c);
    return jointlimits::servosOutside(limits, angles);
}
