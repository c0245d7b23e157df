#pragma once
// Saving a file safely: the new content goes to a temporary file beside the
// target, every write is checked, the data is flushed to the disk and checked
// again, and only then does the temporary file replace the target in one
// rename. When anything fails (a full disk, a folder that cannot be written)
// the temporary file is removed, the old file stays as it was and the reason
// is returned. Every file the program saves on the computer goes through here.
//
// A file without any write permission is kept: it was made read-only on
// purpose, and a save refuses it as the system would refuse to open it for
// writing. A file size limit (ulimit -f) fails the write like a full disk
// instead of ending the process. Hidden temporary files that an earlier save
// left behind when its process was killed are removed at the next save of the
// same file.

#include <QByteArray>
#include <QString>

namespace safefile {

// Replaces the file at path with data. False on failure, with the reason
// (the system's text) in *error when error is given.
bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
// The same for a path given as the file system's own bytes (names that are
// not valid text in the system's encoding).
bool writeNative(const QByteArray &nativePath, const QByteArray &data, QString *error = nullptr);

// False (with the reason) when an existing file at path must not be replaced:
// a folder, or a file that is read-only (no write permission for anyone, or
// none for this user). Every save path asks this before writing.
bool mayReplace(const QString &path, QString *error = nullptr);

// Makes a write past the file size limit fail with its reason (EFBIG) instead
// of ending the process with SIGXFSZ. Called at start by the programs and by
// every save; harmless to call again.
void keepRunningPastFileSizeLimit();

// How old a leftover temporary file must be before a save removes it, so a
// save running at the same moment in another process keeps its own.
constexpr int staleTemporarySeconds = 600;

} // namespace safefile
