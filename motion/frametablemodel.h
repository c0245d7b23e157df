#pragma once
// The frame table as an item model over its frames (frametable::TableState:
// 46 ints per frame, frames shared with the undo history's states until
// written). The table view, its delegates and the document read and write
// it; a cell read from a file keeps its own text when that is not the plain
// form of its number, so the file is written back with the same bytes.

#include <QAbstractTableModel>

#include "motion/editing.h"
#include "motion/frametable.h"


class FrameTableModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit FrameTableModel(QObject *parent = nullptr);

    // ---- Item model: the cell's number (or its own text) in the display
    // and edit roles; headers translated in the window's context.
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    // Stores the value's integer (text that is no number stores 0).
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    // New rows hold zeros.
    bool insertRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;
    bool removeRows(int row, int count, const QModelIndex &parent = QModelIndex()) override;

    // ---- Frames
    // 0 outside the table.
    int value(int row, int column) const;
    // A write outside the table has no effect; a changed value emits dataChanged.
    void setValue(int row, int column, int value);
    bool insertFrame(int row, const frametable::Values &values);

    // The cells of a row as the operation file writer takes them (numbers,
    // or the text a file gave them).
    frametable::FrameCells cells(int row) const;
    frametable::FrameRows cellRows() const;
    // Replaces every frame by rows read from a file (one model reset).
    void setCellRows(const frametable::FrameRows &rows);
    void appendCellRows(const frametable::FrameRows &rows);

    // The whole table, sharing its frames; replacing it is one model reset.
    const frametable::TableState &state() const { return table; }
    void setState(const frametable::TableState &state);
    // The same by changes (editing::rowChanges from this table to state):
    // each changed row's dataChanged, the rows removed or inserted, and no
    // reset, so views keep what did not change.
    void applyState(const frametable::TableState &state, const editing::RowChanges &changes);

signals:
    // setData gave the cell a new value (an edit through the item model).
    void cellEdited(int row, int column);

private:
    frametable::TableState table;
};
