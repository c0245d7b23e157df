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
    // A valid "OF:" line was read.
    bool found = false;
    int line = 0;  // 1-based line of a WrongCount
};

// Reads lines until the first empty line or the end; only a line that begins
// with "OF:" and ends with ";" counts, and a later one overrides an earlier.
ReadResult read(QTextStream &in);

// The file's three lines, each ending with CR LF.
QByteArray content(const Origin &origin);

// Writes the file (making .robot when missing) through the safe-save helper:
// when anything fails the old file stays as it was and false is returned,
// with the reason in *error.
bool save(const QString &workDir, const Origin &origin, QString *error = nullptr);

} // namespace originframe
