#pragma once
// Rules of the robot file browser that need no widgets: the file names the
// robot reports in a folder list, the name a local file gets on the robot,
// and the files the browser never deletes.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace robotfiles {

// The names of a folder list block: GB2312 names, each ended by a NUL byte
// (a NUL that follows a non-NUL byte ends one; further NULs are skipped). A
// block that starts with NUL holds no names. Text after the last NUL counts
// as one more name. Bytes with no GB2312 meaning decode to U+FFFD.
QStringList splitFolderList(const QByteArray &block);

// The name a local file is given on the robot: its name without the folders.
QString robotFileName(const QString &localPath);

// True for the robot's configure file and any name that begins with it. The
// robot's file system ignores the case of names, so neither does this test.
bool isConfigureFile(const QString &name);

// Whether folderIndex names one of the robot's two drives (0 SD card, 1 flash).
bool isDriveIndex(int folderIndex);

// The drive's name as the user sees it: "0: SD card", "1: flash" (translated);
// empty for any other index.
QString driveName(int folderIndex);
// The drive index of a robot folder or path ("0:/robotsys..." -> 0); -1 when
// it names neither drive.
int driveOf(const QByteArray &robotPath);

} // namespace robotfiles
