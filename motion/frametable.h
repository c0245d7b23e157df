#pragma once
// The frame table's layout: one row per frame, 46 integer columns. A cell holds
// either a number or its decimal text (frames read from a file keep the text of
// their time, volume and angle fields); every reader converts both alike.
// Also the flat form of the table (46 integers per row, row after row), used by
// the undo history and the frame clipboard.

#include <QVariant>
#include <QVector>

#include <array>

class QStandardItemModel;

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
int cellValue(const QStandardItemModel &model, int row, int column);
void setCellValue(QStandardItemModel &model, int row, int column, int value);

// The model's rows as cells (for the writer), and rows appended to the model.
FrameRows rowsOf(const QStandardItemModel &model);
void appendRows(QStandardItemModel &model, const FrameRows &rows);

// Flat form: 46 integers per row. Restoring empties the model and inserts a row
// at every 46th value, storing numbers; a short last group leaves its missing
// cells empty (they read as 0).
QVector<int> flatten(const QStandardItemModel &model);
void restore(QStandardItemModel &model, const QVector<int> &values);

// Insert position for a new frame: after the current row, or row 0 without one.
constexpr int insertPosition(int currentRow) { return currentRow < 0 ? 0 : currentRow + 1; }

} // namespace frametable
