#include "motion/motiondocument.h"

#include <QCoreApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QStandardItemModel>
#include <QStringList>
#include <QTextStream>

#include "app/safefile.h"

using namespace frametable;

MotionDocument::MotionDocument(QObject *parent) : QObject(parent)
{
    table = new QStandardItemModel(0, ColumnCount, this);
    QStringList headers;
    // The header texts are marked for translation in the window's context.
    for (const char *header : columnHeaders)
        headers << QCoreApplication::translate("MainWindow", header);
    table->setHorizontalHeaderLabels(headers);
    selection = new QItemSelectionModel(table, this);
}

// ---------------------------------------------------------------- frames

int MotionDocument::rowCount() const
{
    return table->rowCount();
}

int MotionDocument::cell(int row, int column) const
{
    return cellValue(*table, row, column);
}

void MotionDocument::setCell(int row, int column, int value)
{
    setCellValue(*table, row, column, value);
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
    if (!insertEmptyFrame(row))
        return false;
    for (int c = 0; c < ColumnCount; ++c)
        table->setData(table->index(row, c), values[c], Qt::EditRole);
    return true;
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
    return frametable::flatten(*table);
}

void MotionDocument::restore(const QVector<int> &values)
{
    frametable::restore(*table, values);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        setPath(path);
        return result;
    }
    QTextStream in(&file);
    const operationfile::ReadResult read = operationfile::read(in);
    result.opened = true;
    result.messages = operationfile::messages(read);
    // Not a motion at all (a text, a picture, an empty file): the document
    // stays as it was, its path too, so that a save cannot overwrite that file.
    if (read.error == operationfile::ReadError::NotAMotion) {
        result.notAMotion = true;
        return result;
    }
    setPath(path);
    result.loopKey = read.loopKey;
    removeAllFrames();
    appendRows(*table, read.rows);
    // What was just read is the state a later change is measured against:
    // opening is no modification.
    if (editing::recordSnapshot(history, flatten()))
        emit snapshotRecorded();
    setModified(false);
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
    if (!editing::recordSnapshot(history, flatten()))
        return false;
    emit snapshotRecorded();
    if (rowCount() > 0)
        setModified(true);
    return true;
}

bool MotionDocument::undo(QVector<int> *state)
{
    return editing::undoStep(history, redoStates, state);
}

bool MotionDocument::redo(QVector<int> *state)
{
    return editing::redoStep(history, redoStates, state);
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
