#include "robot/originframe.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <QTextStream>
#include <algorithm>

#include "app/safefile.h"

namespace originframe {

QString filePath(const QString &workDir)
{
    return workDir + QStringLiteral("/.robot/originFrame");
}

ReadResult read(QTextStream &in)
{
    ReadResult result;
    const QLatin1String key("OF:");
    int lineNumber = 0;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        ++lineNumber;
        if (line.isEmpty())
            break;
        if (!line.startsWith(key) || !line.endsWith(QLatin1Char(';')))
            continue;
        const QStringList pieces =
            line.mid(key.size(), line.size() - key.size() - 1).split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (pieces.size() != int(result.origin.size())) {
            result.kind = ReadResult::WrongCount;
            result.line = lineNumber;
            return result;
        }
        for (int i = 0; i < pieces.size(); ++i)
            result.origin[std::size_t(i)] = std::clamp(pieces[i].trimmed().toInt(), -kLimit, kLimit);
        result.found = true;
    }
    return result;
}

QByteArray content(const Origin &origin)
{
    QStringList values;
    for (int v : origin)
        values << QString::number(v);
    return "#This is a robot origin frame file.\r\n"
           "#The origin frame.\r\n"
           "OF:" + values.join(QLatin1Char(',')).toLatin1() + ";\r\n";
}

bool save(const QString &workDir, const Origin &origin, QString *error)
{
    const QString folder = workDir + QStringLiteral("/.robot");
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QCoreApplication::translate("OriginFrame", "the folder %1 cannot be made").arg(folder);
        return false;
    }
    return safefile::write(filePath(workDir), content(origin), error);
}

} // namespace originframe
