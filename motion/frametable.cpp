#include "motion/frametable.h"

#include <limits>

#include "motion/frametablemodel.h"

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

int cellValue(const FrameTableModel &model, int row, int column)
{
    return model.value(row, column);
}

void setCellValue(FrameTableModel &model, int row, int column, int value)
{
    model.setValue(row, column, value);
}

FrameRows rowsOf(const FrameTableModel &model)
{
    return model.cellRows();
}

void appendRows(FrameTableModel &model, const FrameRows &rows)
{
    model.appendCellRows(rows);
}

QVector<int> flatten(const FrameTableModel &model)
{
    return model.state().flat();
}

void restore(FrameTableModel &model, const QVector<int> &values)
{
    model.setState(TableState::fromFlat(values));
}

bool parsePlainNumber(const QString &text, int *out)
{
    const int n = text.size();
    if (n == 0 || n > 11)
        return false;
    const QChar *p = text.constData();
    int i = 0;
    const bool negative = p[0] == QLatin1Char('-');
    if (negative && ++i == n)
        return false;
    // No leading zeros, no "-0".
    if (p[i] == QLatin1Char('0') && (negative || n - i > 1))
        return false;
    qint64 v = 0;
    for (; i < n; ++i) {
        const ushort c = p[i].unicode();
        if (c < '0' || c > '9')
            return false;
        v = v * 10 + (c - '0');
    }
    if (negative)
        v = -v;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *out = int(v);
    return true;
}


// ---------------------------------------------------------------- StoredFrame

StoredFrame::StoredFrame() : d(new Data) {}

StoredFrame::StoredFrame(const Values &values) : d(new Data)
{
    d->values = values;
}

bool StoredFrame::setValue(int column, int value)
{
    const Data *data = d.constData();
    const bool text = !data->texts.isEmpty() && !data->texts[column].isNull();
    if (data->values[column] == value && !text)
        return false;
    d->values[column] = value;
    if (text)
        d->texts[column] = QString();
    return true;
}

void StoredFrame::setText(int column, const QString &text)
{
    d->values[column] = cellInt(text);
    if (d->texts.isEmpty())
        d->texts.resize(ColumnCount);
    d->texts[column] = text;
}

// ---------------------------------------------------------------- TableState

TableState TableState::fromFlat(const QVector<int> &values)
{
    TableState state;
    const int count = values.size();
    state.frames.reserve((count + ColumnCount - 1) / ColumnCount);
    for (int first = 0; first < count; first += ColumnCount) {
        Values row{};
        const int n = qMin(ColumnCount, count - first);
        std::copy(values.constData() + first, values.constData() + first + n, row.begin());
        state.frames.append(StoredFrame(row));
    }
    return state;
}

QVector<int> TableState::flat() const
{
    QVector<int> values;
    values.resize(size());
    int *out = values.data();
    for (const StoredFrame &frame : frames) {
        std::copy(frame.values().begin(), frame.values().end(), out);
        out += ColumnCount;
    }
    return values;
}

bool TableState::operator==(const TableState &other) const
{
    if (frames.size() != other.frames.size())
        return false;
    for (int r = 0, n = frames.size(); r < n; ++r)
        if (!frames[r].sameValues(other.frames[r]))
            return false;
    return true;
}

} // namespace frametable
