#pragma once
// The origin frame file (.robot/originFrame under the working directory): the
// robot's neutral pose as the computer keeps it, the pose of a new file, of
// the "origin frame" command and of the joint panel's origin button.
//
//   #This is a robot origin frame file.
//   #The origin frame.
//   OF:<19 values of servo 2..20, separated by ",">;

#include <QByteArray>
#include <QString>
#include <array>

class QTextStream;

namespace originframe {

using Origin = std::array<int, 19>;

// The origin spin boxes' range: a value beyond it is kept as its bound.
constexpr int kLimit = 3000;

// workDir + "/.robot/originFrame".
QString filePath(const QString &workDir);

struct ReadResult {
    // WrongCount: an "OF:" line without 19 values ended the reading.
    enum Kind { Read, WrongCount };
    Kind kind = Read;
    // The last valid "OF:" line's values, each kept within +-kLimit; zeros
    // when there was none.
    Origin origin{};
    // A valid "OF:" line was read, the last of them at goodLine (from 1).
    bool found = false;
    int goodLine = 0;
    int line = 0;  // 1-based line of a WrongCount
};

// Reads lines until the first empty line or the end; only a line that begins
// with "OF:" and ends with ";" counts, and a later one overrides an earlier.
// A line with a wrong count of values ends the reading and keeps the values
// of the last good line before it.
ReadResult read(QTextStream &in);

// workDir + "/.robot/originFrame.bad": where a damaged file is kept before
// the file is written anew.
QString badFilePath(const QString &workDir);

// The origin frame file read at start-up, and what became of the file.
struct LoadResult {
    enum Kind {
        Read,        // the file was read (a file without a good line gives zeros)
        Missing,     // no file: zeros, written as a new file
        Unreadable,  // a file that cannot be read: zeros, the file left alone
        Damaged,     // a line with a wrong count of values (see ReadResult)
    };
    Kind kind = Read;
    Origin origin{};
    // Damaged: the line at fault, and the last good line (0: none).
    int line = 0;
    int goodLine = 0;
    // Damaged: the file was kept as originFrame.bad; then it was rewritten
    // with origin. Missing: the new file was written.
    bool keptAside = false;
    bool written = false;
    QString error;  // why reading, keeping or writing failed
};

// Reads the origin frame file of workDir. A damaged file is first kept
// beside as originFrame.bad, and only then rewritten with the values read
// before the damage; when it cannot be kept it is left as it is. A file that
// exists but cannot be read is never overwritten.
LoadResult load(const QString &workDir);

// The file's three lines, each ending with CR LF.
QByteArray content(const Origin &origin);

// Writes the file (making .robot when missing) through the safe-save helper:
// when anything fails the old file stays as it was and false is returned,
// with the reason in *error.
bool save(const QString &workDir, const Origin &origin, QString *error = nullptr);

} // namespace originframe
