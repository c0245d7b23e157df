#pragma once
// Where the program finds the files it ships with (the manual, the factory
// configure file): in the working folder when the user keeps a copy there,
// otherwise in the installed data folder beside the program
// (<prefix>/share/gaitforge for <prefix>/bin/gaitforge).

#include <QString>
#include <QStringList>

namespace installedfiles {

// The installed data folder for a program in programDir.
QString dataFolder(const QString &programDir);

// workingCopy when it is a file; otherwise the file of that name in the data
// folder when that is a file; otherwise workingCopy (the place to name in a
// message).
QString find(const QString &workingCopy, const QString &programDir);

// The manual for an interface language ("" for English, "zh_simple",
// "zh_traditional"): manual.<language>.pdf in the working folder, else the
// installed one (as find() looks); when that edition is in neither place, the
// English manual.pdf found the same way. `path` is what to open (or, when
// `found` is false, the English manual's place in the working folder);
// `fellBack` says that the English manual stands in for the language's.
struct Manual
{
    QString path;
    bool found = false;
    bool fellBack = false;
    QStringList lookedAt;  // the places tried, in order, when nothing was found
};
Manual findManual(const QString &language, const QString &workingFolder, const QString &programDir);

// The version of this build, as the project names it.
QString version();

} // namespace installedfiles
