#pragma once
// Operation files (*.ini): the text form of a motion, read and written over
// text streams. One record per line, written with CR LF:
//
//   #This is a robot operation file.
//   FLP:0;                      file loop record (65535 when the loop key is on)
//   LPS:2;                      loop start, belongs to the next frame record
//   LED:81,0,0,0,0,0,0,0,0;     LED state from this frame on (nine channel bytes)
//   FR:1,60,600,100,61445,...;  volume, operation time, delay time, music word, 19 angles
//   LPE:;                       loop end, belongs to the frame record before it
//   END:;
//   (empty line: ends reading)
//
// The reader and writer report failures as an error kind and a line or row
// number; the window turns them into its message boxes.

#include <QVector>

#include "motion/frametable.h"

class QTextStream;

namespace operationfile {

enum class ReadError {
    None,
    FrameFields,      // a frame record without exactly 24 fields    "Error in line:"
    LoopStartShape,   // a loop start record of the wrong shape       "Error in line:"
    LedShape,         // an LED record without exactly nine bytes     "Error in line:"
    LoopKeyRecord,    // a file loop record of the wrong shape/value  "Loop key line error in line:"
    LoopEndUnmatched, // a loop end with no open loop, reported on the next line read
                      //                                              "Loop key line error in line:"
    LoopMarks,        // loop marks the table cannot hold: a second mark for one frame
                      // (start and end, two starts, two ends) or a loop with no frame
                      //                                              "Unsupported loop mark ... in line:"
    CutShort,         // the last line read is a record cut off before its ";"   "Error in line:"
    NotAMotion,       // not one operation file record at all, or no frame but records of
                      // another file type (a configure file): the file is no motion
};

// A number field that does not hold a number in its range reads as 0; the
// reader notes its line (the program reads on, the command line warns).
struct Warning {
    int line;
    const char *text; // English; "number out of range or not a number, read as 0"
};

// What reading did to the loop key switch (the last change wins).
enum class LoopKey { Unchanged, Checked, Unchecked };

struct ReadResult {
    frametable::FrameRows rows; // empty after any error
    // After an error (not NotAMotion): the whole frames read before it, in
    // order, so that what a damaged file still holds can be shown.
    frametable::FrameRows rowsBeforeError;
    QVector<int> frameLines;    // the line of each row's frame record
    LoopKey loopKey = LoopKey::Unchanged;
    ReadError error = ReadError::None;
    int errorLine = 0;           // counted from 1, comment lines included
    bool loopUnbalanced = false; // loops still open (or over-closed) at the end: "Error loop!"
    QVector<Warning> warnings;   // in line order

    bool ok() const { return error == ReadError::None && !loopUnbalanced; }
};

// Reads lines until the end of the stream or the first empty line; lines are
// trimmed before matching; unknown lines (comments, "END:;") are skipped.
// Reading stops at the first error.
ReadResult read(QTextStream &in);

// One message box of a failed read: the fixed text (English source, to be
// translated in the "MainWindow" context) and the number appended after its
// colon (-1: none).
struct Message {
    const char *text;
    int number;
};
// The boxes a read result calls for, in the order they are shown.
QVector<Message> messages(const ReadResult &result);
// The same, translated by the caller's function and joined into plain lines.
QString messageText(const Message &message);

// Text of the box for a file that holds no operation file record; the path
// follows the colon.
extern const char *const notAMotionText;

// Row (counted from 0) of the first loop end that closes no open loop, else
// of the loop start left open at the end (the innermost), or -1 when the
// loops balance: a file with unbalanced loops would not open again.
int findLoopFault(const frametable::FrameRows &rows);
// Row (counted from 0) of the first frame with a value the file cannot hold,
// or -1; *column gets its column. The loop flag, the music fields and the LED
// values are packed into fields of a few bits (a music file number above 4095
// would be written as another number); times, volume, angles and loop times
// are written as they are.
int findUnstorableValue(const frametable::FrameRows &rows, int *column);
// Fixed text of the writer's refusal of such a value: the column's header
// goes in for %1, the row number follows the colon.
extern const char *const unstorableValueText;

// Fixed text of the writer's loop fault, followed by the row number.
extern const char *const loopEndErrorText;

// Writes the whole file. Loops are checked first: when they do not balance
// nothing is written and the faulty row is returned; otherwise -1.
int write(QTextStream &out, const frametable::FrameRows &rows, bool loopKey);

} // namespace operationfile
