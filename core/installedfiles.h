#pragma once
// Where the program finds the files it ships with (the manual, the factory
// configure file): in the working folder when the user keeps a copy there,
// otherwise in the installed data folder beside the program
// (<prefix>/share/gaitforge for <prefix>/bin/gaitforge).

#include <QString>

namespace installedfiles {

// The installed data folder for a program in programDir.
QString dataFolder(const QString &programDir);

// workingCopy when it is a file; otherwise the file of that name in the data
// folder when that is a file; otherwise workingCopy (the place to name in a
// message).
QString find(const QString &workingCopy, const QString &programDir);

// The version of this build, as the project names it.
QString version();

} // namespace installedfiles
