#pragma once
// Paths of files on the robot: the folder "0:/robotsys" (SD card) or
// "1:/robotsys" (flash), a slash and the file name in GB2312. A name that
// cannot be written in GB2312, or a path longer than its request's text block
// takes, is refused rather than sent altered.

#include <QByteArray>
#include <QString>

namespace robotpath {

enum class Result { Ok, NoFolder, EmptyName, NotEncodable, TooLong };

// "0:/robotsys" or "1:/robotsys"; empty for any other index.
QByteArray folder(int index);

// The name in GB2312; false when some character has no GB2312 form.
bool encodeName(const QString &name, QByteArray *bytes);

// Builds folder + "/" + name into *path, refusing paths over maxBytes bytes
// (without their NUL). *path is left empty unless the result is Ok.
Result build(int folderIndex, const QString &name, int maxBytes, QByteArray *path);

} // namespace robotpath
