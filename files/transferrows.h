#pragma once
// Rules of the transfer file list that need no widgets: the form every row is
// kept in, the numbers of the remote's keys, the robot file a row is sent as,
// and the list file (*.lst) read and written. The window's page and the
// command line use these same rules.

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>

namespace transferrows {

// The nine columns of a row.
enum Column {
    Name = 0,
    FileType = 1,
    CombinationKey = 2,
    Key1 = 3,
    Key2 = 4,
    FallType = 5,
    CommonFileName = 6,
    SourceFile = 7,
    RobotPath = 8,
    ColumnCount = 9
};

using Row = QStringList;  // ColumnCount cells of text

// The placeholder of a cell that does not apply to its row.
extern const char *const kPlaceholder;  // "------"
// File types, combination choices and robot folders as the cells hold them.
extern const char *const kRemoteMotionFile;
extern const char *const kFallMotionFile;
extern const char *const kCommonFile;
extern const char *const kFlash;
extern const char *const kSdCard;

// The 24 key names in key-number order.
QStringList keyNames();
// The key a cell's text names: its number 0..23, found by testing its start
// against the key names in an order that finds "BACK" before "B"; -1 for none.
int keyNumber(const QString &text);

// The row as it must stand after any of its cells changed: the cells that do
// not apply to its file type and combination choice hold the placeholder.
// File type and combination key are compared as prefixes, case-sensitive.
Row normalised(const Row &row);
// A fresh row: name "new file", columns 1 to 7 the placeholder, robot path flash.
Row newRow();

// Robot file names.
QString singleKeyName(int key);                 // "RF_remote3.ini"
QString combinationName(int key1, int key2);    // "RF_remote3_2.ini"
QString fallName(const QString &fallType);      // "fallleft.ini" ...; empty for no fall type

// What sending a row does, decided as the send step decides it.
struct Plan {
    enum Kind {
        Send,     // send source to robotName on drive
        Message,  // the step shows message and the sending ends
        Silent,   // the sending ends without a message
    };
    Kind kind = Silent;
    // The untranslated text of a Message (translate it in the context "TransferList").
    const char *message = nullptr;
    QString robotName;
    int drive = -1;  // 0 SD card, 1 flash
    QString source;
    // A remote motion file always goes to the flash: the row's robot path
    // cell is to be rewritten to "flash" before anything else.
    bool forcesFlash = false;
};
Plan plan(const Row &row);

// The messages of the send step.
extern const char *const kRemoteKeyError;       // "Remote key error."
extern const char *const kCombinationKeyError;  // "Combination key error."
extern const char *const kEmptyCombination;     // "Empty combination."

// ---- List file: one line per row, the nine cells joined by ",", each line
// ended by a line feed; no header, no quoting.

// A cell the list file cannot hold: one with ",", a line break, or nothing
// (reading drops empty pieces, so the row would be lost).
struct BadCell {
    int row = -1;     // 0-based; -1 when every cell can be stored
    int column = -1;
    bool empty = false;
};
BadCell findUnstorableCell(const QList<Row> &rows);
// The list file's bytes, in UTF-8 as this program has always written them:
// it holds every character a path can have, and readers of both kinds take
// it (the robot never reads the list; its file names are turned into GB2312
// when a row is sent). Check findUnstorableCell first.
QByteArray write(const QList<Row> &rows);

struct SkippedLine {
    int line = 0;    // 1-based
    int fields = 0;  // pieces after dropping empty ones
};
enum class Encoding { Utf8, Gb18030 };
struct ReadResult {
    QList<Row> rows;
    QList<SkippedLine> skipped;
    Encoding encoding = Encoding::Utf8;
    // True when the file had lines but none of them was a row: it is not a
    // transfer file list.
    bool nothingRead() const { return rows.isEmpty() && !skipped.isEmpty(); }
};
// The text of a list file: UTF-8 (a leading byte order mark is dropped), or,
// when the bytes are not valid UTF-8, GB18030, the superset of the GB2312 and
// GBK that older programs on Chinese systems wrote their lists in.
QString decode(const QByteArray &bytes, Encoding *encoding = nullptr);
// Reads lines until the first empty one or the end; each line is split at
// ",", empty pieces dropped, and a line of exactly nine pieces is a row.
ReadResult read(const QByteArray &bytes);

// ---- Checks of a whole list that the send step would meet only row by row,
// or never: made when the list is edited, saved and sent, and by the command
// line.

struct Problem {
    enum Kind {
        PlaceholderName,  // a common file named "------"
        FolderName,       // a common file name with "/" or "\", or "." or ".."
        NotEncodable,     // a robot file name GB2312 cannot write
        TooLong,          // a robot path longer than a request's path block takes
        SameRobotFile,    // a second row that writes the robot file of an earlier one
    };
    Kind kind = PlaceholderName;
    int row = -1;          // 0-based
    int earlierRow = -1;   // SameRobotFile: the first row writing that file
    int column = -1;       // the cell that makes the problem
    QString robotName;
    QString robotPath;     // "1:/robotsys/RF_remote3.ini" (SameRobotFile, TooLong)
    int pathBytes = 0;     // TooLong: bytes of the robot path
};
// The problems of the rows, in row order; rows the send step would stop at
// with its own message, or end at silently, have none of these.
QList<Problem> check(const QList<Row> &rows);
// The problem in the user's language (context "TransferList"): what is wrong
// with the row ("the robot file 1:/robotsys/RF_remote3.ini is written by row
// 1 already."), and the same after the row's number ("Row 3: ...").
QString reason(const Problem &problem);
QString describe(const Problem &problem);

} // namespace transferrows
