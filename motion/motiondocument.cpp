#include "motion/motiondocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

using namespace frametable;

MotionDocument::MotionDocument(QObject *parent) : QObject(parent)
{
    table = new FrameTableModel(this);
    selection = new QItemSelectionModel(table, this);
    // Every change of a cell, by any path, is an edit: the document is
    // modified and the undo history records the table once the edits settle.
    connect(table, &QAbstractItemModel::dataChanged, this, &MotionDocument::cellsChanged);
    connect(table, &FrameTableModel::cellEdited, this, &MotionDocument::cellEdited);
}

void MotionDocument::cellsChanged(const QModelIndex &first, const QModelIndex &)
{
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
    restoreState(TableState::fromFlat(values));
}

void MotionDocument::restoreState(const editing::Snapshot &state)
{
    table->setState(state);
    emit framesReset();
}

// ---------------------------------------------------------------- file

void MotionDocument::setPath(const QString &path)
{
    if (filePath == path)
        return;
    filePath = path;
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
    setPath(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return result;
    QTextStream in(&file);
    const operationfile::ReadResult read = operationfile::read(in);
    result.opened = true;
    result.loopKey = read.loopKey;
    result.messages = operationfile::messages(read);
    removeAllFrames();
    appendRows(*table, read.rows);
    emit framesReset();
    return result;
}

MotionDocument::SaveResult MotionDocument::save(const QString &path, bool loopKey) const
{
    SaveResult result;
    if (path.isEmpty())
        return result;
    const FrameRows rows = rowsOf(*table);
    result.faultyRow = operationfile::findUnmatchedLoopEnd(rows);
    if (result.faultyRow >= 0) {
        result.kind = SaveResult::UnmatchedLoopEnd;
        return result;
    }
    // The new content goes to a temporary file that replaces the old one only
    // when it is complete: a failed save leaves the old file as it was.
    QSaveFile file(path);
    bool saved = file.open(QIODevice::WriteOnly);
    if (saved) {
        QTextStream out(&file);
        operationfile::write(out, rows, loopKey);
        out.flush();
        saved = out.status() == QTextStream::Ok && file.commit();
    }
    result.kind = saved ? SaveResult::Saved : SaveResult::WriteFailed;
    return result;
}

// ---------------------------------------------------------------- undo history

bool MotionDocument::recordSnapshot()
{
    if (!editing::recordSnapshot(history, table->state()))
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
    if (settleCountdown > 0) {
        settleCountdown -= 50;
    } else if (settleCountdown == 0) {
        settleCountdown = -10;
        recordSnapshot();
    }
}
