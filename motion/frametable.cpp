#include "motion/frametable.h"

#include <QStandardItemModel>

namespace frametable {

const char *const columnHeaders[ColumnCount] = {
    QT_TRANSLATE_NOOP("MainWindow", "servo 2"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 3"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 4"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 5"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 6"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 7"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 8"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 9"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 10"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 11"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 12"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 13"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 14"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 15"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 16"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 17"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 18"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 19"),
    QT_TRANSLATE_NOOP("MainWindow", "servo 20"),
    QT_TRANSLATE_NOOP("MainWindow", "operation time"),
    QT_TRANSLATE_NOOP("MainWindow", "delay time"),
    QT_TRANSLATE_NOOP("MainWindow", "loop flag"),
    QT_TRANSLATE_NOOP("MainWindow", "loop times"),
    QT_TRANSLATE_NOOP("MainWindow", "music control"),
    QT_TRANSLATE_NOOP("MainWindow", "music type"),
    QT_TRANSLATE_NOOP("MainWindow", "music folder"),
    QT_TRANSLATE_NOOP("MainWindow", "music file"),
    QT_TRANSLATE_NOOP("MainWindow", "volume"),
    QT_TRANSLATE_NOOP("MainWindow", "led1r brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led1r frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led1g brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led1g frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led1b brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led1b frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led2r brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led2r frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led2g brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led2g frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led2b brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led2b frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led3r brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led3r frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led3g brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led3g frequency"),
    QT_TRANSLATE_NOOP("MainWindow", "led3b brightness"),
    QT_TRANSLATE_NOOP("MainWindow", "led3b frequency"),
};

int cellInt(const QVariant &cell)
{
    // Decimal text (surrounding blanks allowed) within the range of an int;
    // anything else, a number too large among it, reads as 0. (QVariant's own
    // conversion would wrap 2147483648 round to -2147483648.)
    if (cell.userType() == QMetaType::QString) {
        bool ok = false;
        const int value = cell.toString().toInt(&ok);
        return ok ? value : 0;
    }
    return cell.toInt();
}

QString cellText(const QVariant &cell)
{
    // Text that reads as a number is kept as it is, so a file read and written
    // again keeps its bytes. Anything else (an empty cell, text typed into the
    // table that is no number) is written as the number every reader sees in
    // it: a stray "," or an empty field would otherwise break the record.
    if (cell.userType() == QMetaType::QString) {
        const QString text = cell.toString();
        bool ok = false;
        text.toInt(&ok);
        if (ok)
            return text;
    }
    return QString::number(cellInt(cell));
}

int cellValue(const QStandardItemModel &model, int row, int column)
{
    return cellInt(model.data(model.index(row, column), Qt::EditRole));
}

void setCellValue(QStandardItemModel &model, int row, int column, int value)
{
    if (row < 0 || row >= model.rowCount() || column < 0 || column >= model.columnCount())
        return;
    model.setData(model.index(row, column), value, Qt::EditRole);
}

FrameRows rowsOf(const QStandardItemModel &model)
{
    FrameRows rows;
    const int count = model.rowCount();
    rows.resize(count);
    for (int r = 0; r < count; ++r) {
        FrameCells &cells = rows[r];
        for (int c = 0; c < ColumnCount; ++c)
            if (const QStandardItem *item = model.item(r, c))
                cells[c] = item->data(Qt::EditRole);
    }
    return rows;
}

// A row of items made from cells; empty cells get no item.
template<typename CellAt>
static QList<QStandardItem *> makeRow(int columns, CellAt cellAt)
{
    QList<QStandardItem *> items;
    items.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        const QVariant value = cellAt(c);
        if (value.isValid()) {
            auto *item = new QStandardItem;
            item->setData(value, Qt::EditRole);
            items.append(item);
        } else {
            items.append(nullptr);
        }
    }
    return items;
}

void appendRows(QStandardItemModel &model, const FrameRows &rows)
{
    if (model.columnCount() < ColumnCount)
        model.setColumnCount(ColumnCount);
    for (const FrameCells &cells : rows)
        model.appendRow(makeRow(ColumnCount, [&](int c) { return cells[c]; }));
}

QVector<int> flatten(const QStandardItemModel &model)
{
    QVector<int> values;
    const int rows = model.rowCount();
    values.reserve(rows * ColumnCount);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < ColumnCount; ++c) {
            const QStandardItem *item = model.item(r, c);
            values.append(item ? cellInt(item->data(Qt::EditRole)) : 0);
        }
    return values;
}

void restore(QStandardItemModel &model, const QVector<int> &values)
{
    model.removeRows(0, model.rowCount());
    if (model.columnCount() < ColumnCount)
        model.setColumnCount(ColumnCount);
    const int count = values.size();
    for (int first = 0; first < count; first += ColumnCount) {
        model.appendRow(makeRow(ColumnCount, [&](int c) {
            const int i = first + c;
            return i < count ? QVariant(values[i]) : QVariant();
        }));
    }
}

} // namespace frametable
