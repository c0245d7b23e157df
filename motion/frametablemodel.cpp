#include "motion/frametablemodel.h"

#include <QCoreApplication>


using namespace frametable;

// ---------------------------------------------------------------- FrameTableModel

FrameTableModel::FrameTableModel(QObject *parent) : QAbstractTableModel(parent) {}

int FrameTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : table.frames.size();
}

int FrameTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant FrameTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= table.frames.size() || index.column() >= ColumnCount)
        return QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return QVariant();
    const StoredFrame &frame = table.frames[index.row()];
    if (frame.hasText(index.column()))
        return frame.text(index.column());
    return frame.value(index.column());
}

bool FrameTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.row() >= table.frames.size() || index.column() >= ColumnCount)
        return false;
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return false;
    const int before = table.frames[index.row()].value(index.column());
    const bool text = table.frames[index.row()].hasText(index.column());
    const int number = cellInt(value);
    setValue(index.row(), index.column(), number);
    if (number != before || text)
        emit cellEdited(index.row(), index.column());
    return true;
}

QVariant FrameTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section < 0 || section >= ColumnCount)
        return QVariant();
    // The header texts are marked for translation in the window's context.
    return QCoreApplication::translate("MainWindow", columnHeaders[section]);
}

Qt::ItemFlags FrameTableModel::flags(const QModelIndex &index) const
{
    if (!index.isValid())
        return Qt::ItemIsDropEnabled;
    return Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled | Qt::ItemIsDragEnabled
           | Qt::ItemIsDropEnabled;
}

bool FrameTableModel::insertRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || row > table.frames.size() || count < 1)
        return false;
    beginInsertRows(QModelIndex(), row, row + count - 1);
    // One frame of zeros shared by the new rows until each is written.
    table.frames.insert(row, count, StoredFrame());
    endInsertRows();
    return true;
}

bool FrameTableModel::removeRows(int row, int count, const QModelIndex &parent)
{
    if (parent.isValid() || row < 0 || count < 1 || row + count > table.frames.size())
        return false;
    beginRemoveRows(QModelIndex(), row, row + count - 1);
    table.frames.remove(row, count);
    endRemoveRows();
    return true;
}

int FrameTableModel::value(int row, int column) const
{
    if (row < 0 || row >= table.frames.size() || column < 0 || column >= ColumnCount)
        return 0;
    return table.frames[row].value(column);
}

void FrameTableModel::setValue(int row, int column, int value)
{
    if (row < 0 || row >= table.frames.size() || column < 0 || column >= ColumnCount)
        return;
    const StoredFrame &current = table.frames.at(row);
    if (current.value(column) == value && !current.hasText(column))
        return;
    table.frames[row].setValue(column, value);
    const QModelIndex cell = index(row, column);
    emit dataChanged(cell, cell, {Qt::DisplayRole, Qt::EditRole});
}

bool FrameTableModel::insertFrame(int row, const Values &values)
{
    if (row < 0 || row > table.frames.size())
        return false;
    beginInsertRows(QModelIndex(), row, row);
    table.frames.insert(row, StoredFrame(values));
    endInsertRows();
    return true;
}

FrameCells FrameTableModel::cells(int row) const
{
    FrameCells cells;
    const StoredFrame &frame = table.frames.at(row);
    for (int c = 0; c < ColumnCount; ++c)
        cells[c] = frame.hasText(c) ? QVariant(frame.text(c)) : QVariant(frame.value(c));
    return cells;
}

FrameRows FrameTableModel::cellRows() const
{
    FrameRows rows;
    rows.reserve(table.frames.size());
    for (int r = 0; r < table.frames.size(); ++r)
        rows.append(cells(r));
    return rows;
}

namespace {

// A frame from a file's cells: numbers, and the texts that are not the plain
// form of their number.
StoredFrame frameOf(const FrameCells &cells)
{
    Values values{};
    int textColumns[ColumnCount];
    int texts = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        const QVariant &cell = cells[c];
        if (cell.userType() == QMetaType::QString) {
            const QString text = cell.toString();
            if (parsePlainNumber(text, &values[c]))
                continue;
            bool ok = false;
            values[c] = text.toInt(&ok);
            // Text that reads as a number is kept as it is; anything else is
            // written as the number every reader sees in it.
            if (ok)
                textColumns[texts++] = c;
            else
                values[c] = cellInt(cell);
        } else {
            values[c] = cellInt(cell);
        }
    }
    StoredFrame frame(values);
    for (int i = 0; i < texts; ++i)
        frame.setText(textColumns[i], cells[textColumns[i]].toString());
    return frame;
}

} // namespace

void FrameTableModel::setCellRows(const FrameRows &rows)
{
    TableState state;
    state.frames.reserve(rows.size());
    for (const FrameCells &cells : rows)
        state.frames.append(frameOf(cells));
    setState(state);
}

void FrameTableModel::appendCellRows(const FrameRows &rows)
{
    if (rows.isEmpty())
        return;
    const int first = table.frames.size();
    beginInsertRows(QModelIndex(), first, first + rows.size() - 1);
    table.frames.reserve(first + rows.size());
    for (const FrameCells &cells : rows)
        table.frames.append(frameOf(cells));
    endInsertRows();
}

void FrameTableModel::setState(const TableState &state)
{
    beginResetModel();
    table = state;
    endResetModel();
}

void FrameTableModel::applyState(const TableState &state, const editing::RowChanges &changes)
{
    for (int row : changes.changed)
        table.frames[row] = state.frames[row];
    if (changes.removed > 0) {
        beginRemoveRows(QModelIndex(), changes.at, changes.at + changes.removed - 1);
        table.frames.remove(changes.at, changes.removed);
        endRemoveRows();
    } else if (changes.inserted > 0) {
        beginInsertRows(QModelIndex(), changes.at, changes.at + changes.inserted - 1);
        table.frames.insert(changes.at, changes.inserted, StoredFrame());
        for (int r = changes.at; r < changes.at + changes.inserted; ++r)
            table.frames[r] = state.frames[r];
        endInsertRows();
    }
    // Every frame shared with the state, as after a reset.
    table = state;
    // Runs of neighbouring changed rows are told as one range.
    for (int i = 0; i < changes.changed.size();) {
        int j = i;
        while (j + 1 < changes.changed.size() && changes.changed[j + 1] == changes.changed[j] + 1)
            ++j;
        emit dataChanged(index(changes.changed[i], 0), index(changes.changed[j], ColumnCount - 1),
                         {Qt::DisplayRole, Qt::EditRole});
        i = j + 1;
    }
}
