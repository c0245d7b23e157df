#pragma once
// The frame table's layout: one row per frame, 46 integer columns. The table
// stores 46 ints per frame; the operation file reader and writer exchange a
// frame as 46 cells, each a number or its decimal text (frames read from a
// file keep the text of their time, volume and angle fields), which every
// reader converts alike.
// Also the flat form of the table (46 integers per row, row after row), used by
// the undo history and the frame clipboard, and the table's states: its frames
// shared between the table and the undo history until one is written.

#include <QSharedData>
#include <QString>
#include <QVariant>
#include <QVector>

#include <array>

class FrameTableModel;

namespace frametable {

constexpr int ColumnCount = 46;
constexpr int ServoCount = 19;        // servos 2..20 in columns 0..18
constexpr int ColOperationTime = 19;
constexpr int ColDelayTime = 20;
constexpr int ColLoopFlag = 21;       // 0 none, 1 loop start, 2 loop end
constexpr int ColLoopTimes = 22;
constexpr int ColMusicControl = 23;   // 0 none, 1 pause, 2 stop, 3 play
constexpr int ColMusicType = 24;      // 0 mp3, 1 wav
constexpr int ColMusicFolder = 25;    // 0 SD card, 1 flash
constexpr int ColMusicFile = 26;      // 0..4095
constexpr int ColVolume = 27;
constexpr int ColLedFirst = 28;       // nine channels, brightness then frequency
constexpr int LedChannelCount = 9;
constexpr int LedValueCount = 18;

constexpr int LoopNone = 0;
constexpr int LoopStart = 1;
constexpr int LoopEnd = 2;

// Column of servo s (2..20), and the servo of angle column c (0..18).
constexpr int servoColumn(int servo) { return servo - 2; }
constexpr int columnServo(int column) { return column + 2; }
// Channel k (0..8: led1 red, green, blue, led2 red, ..., led3 blue).
constexpr int ledBrightnessColumn(int channel) { return ColLedFirst + 2 * channel; }
constexpr int ledFrequencyColumn(int channel) { return ColLedFirst + 2 * channel + 1; }

// Header texts in column order (English source texts, translated by the window).
extern const char *const columnHeaders[ColumnCount];

// A cell's integer: numbers as they are, decimal text parsed, anything else 0.
int cellInt(const QVariant &cell);
// A cell's text as the operation file stores it.
QString cellText(const QVariant &cell);

// One frame as 46 cells.
using FrameCells = std::array<QVariant, ColumnCount>;
using FrameRows = QVector<FrameCells>;

// Model access. A write to a row that does not exist has no effect.
int cellValue(const FrameTableModel &model, int row, int column);
void setCellValue(FrameTableModel &model, int row, int column, int value);

// The model's rows as cells (for the writer), and rows appended to the model.
FrameRows rowsOf(const FrameTableModel &model);
void appendRows(FrameTableModel &model, const FrameRows &rows);

// Flat form: 46 integers per row. Restoring empties the model and inserts a row
// at every 46th value, storing numbers; a short last group leaves its missing
// cells 0.
QVector<int> flatten(const FrameTableModel &model);
void restore(FrameTableModel &model, const QVector<int> &values);

using Values = std::array<int, ColumnCount>;

// One frame's values, shared until written.
class StoredFrame
{
public:
    StoredFrame();
    explicit StoredFrame(const Values &values);

    int value(int column) const { return d->values[column]; }
    const Values &values() const { return d->values; }
    // False when the cell already held value as a plain number.
    bool setValue(int column, int value);
    // The cell's own text, or a null string when it is the plain number.
    QString text(int column) const { return d->texts.isEmpty() ? QString() : d->texts[column]; }
    bool hasText(int column) const { return !d->texts.isEmpty() && !d->texts[column].isNull(); }
    // Keeps text for the cell (as the operation file writes it); its value
    // is the text's number.
    void setText(int column, const QString &text);

    // The same frame object (not only the same values).
    bool shares(const StoredFrame &other) const { return d == other.d; }
    bool sameValues(const StoredFrame &other) const { return d == other.d || d->values == other.d->values; }

private:
    struct Data : QSharedData {
        Values values{};
        QVector<QString> texts; // empty, or one per column (null: the plain number)
    };
    QSharedDataPointer<Data> d;
};

// A state of the whole table: its frames in order. Copying one shares every
// frame; two states are equal when their frames hold the same values.
class TableState
{
public:
    TableState() = default;
    // From the flat form: a row at every 46th value, a short last group
    // filled with zeros.
    static TableState fromFlat(const QVector<int> &values);
    QVector<int> flat() const;

    int rowCount() const { return frames.size(); }
    bool isEmpty() const { return frames.isEmpty(); }
    // Count and value in the flat form.
    int size() const { return frames.size() * ColumnCount; }
    int at(int flatIndex) const { return frames[flatIndex / ColumnCount].value(flatIndex % ColumnCount); }
    int value(int row, int column) const { return frames[row].value(column); }

    bool operator==(const TableState &other) const;
    bool operator!=(const TableState &other) const { return !(*this == other); }

    QVector<StoredFrame> frames;
};

// True when text is a number written exactly as QString::number writes it
// (no sign but "-", no blanks, no leading zeros), with that number in *value.
bool parsePlainNumber(const QString &text, int *value);

// Insert position for a new frame: after the current row, or row 0 without one.
constexpr int insertPosition(int currentRow) { return currentRow < 0 ? 0 : currentRow + 1; }

} // namespace frametable
