#pragma once
// Saving a file safely: the new content goes to a temporary file beside the
// target, every write is checked, the data is flushed to the disk and checked
// again, and only then does the temporary file replace the target in one
// rename. When anything fails (a full disk, a folder that cannot be written)
// the temporary file is removed, the old file stays as it was and the reason
// is returned. Every file the program saves on the computer goes through here.

#include <QByteArray>
#include <QString>

namespace safefile {

// Replaces the file at path with data. False on failure, with the reason
// (the system's text) in *error when error is given.
bool write(const QString &path, const QByteArray &data, QString *error = nullptr);
// The same for a path given as the file system's own bytes (names that are
// not valid text in the system's encoding).
bool writeNative(const QByteArray &nativePath, const QByteArray &data, QString *error = nullptr);

} // namespace safefile
