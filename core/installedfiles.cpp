#include "core/installedfiles.h"

#include <QDir>
#include <QFileInfo>

namespace installedfiles {

QString dataFolder(const QString &programDir)
{
    return QDir::cleanPath(programDir + QStringLiteral("/../share/gaitforge"));
}

QString find(const QString &workingCopy, const QString &programDir)
{
    if (QFileInfo(workingCopy).isFile())
        return workingCopy;
    const QString installed = dataFolder(programDir) + QLatin1Char('/') + QFileInfo(workingCopy).fileName();
    return QFileInfo(installed).isFile() ? installed : workingCopy;
}

Manual findManual(const QString &language, const QString &workingFolder, const QString &programDir)
{
    Manual manual;
    const QString english = workingFolder + QStringLiteral("/manual.pdf");
    if (!language.isEmpty()) {
        const QString edition = workingFolder + QStringLiteral("/manual.") + language + QStringLiteral(".pdf");
        manual.path = find(edition, programDir);
        if (QFileInfo(manual.path).isFile()) {
            manual.found = true;
            return manual;
        }
        manual.lookedAt << edition << dataFolder(programDir) + QStringLiteral("/") + QFileInfo(edition).fileName();
        manual.fellBack = true;
    }
    manual.path = find(english, programDir);
    manual.found = QFileInfo(manual.path).isFile();
    if (manual.found)
        manual.lookedAt.clear();
    else
        manual.lookedAt << english;
    return manual;
}

QString version()
{
    return QStringLiteral(GAITFORGE_VERSION);
}

} // namespace installedfiles
