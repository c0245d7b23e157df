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

QString version()
{
    return QStringLiteral(GAITFORGE_VERSION);
}

} // namespace installedfiles
