#include "robot/originframe.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTextStream>
#include <algorithm>

#include "core/safefile.h"

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
        result.goodLine = lineNumber;
    }
    return result;
}

QString badFilePath(const QString &workDir)
{
    return filePath(workDir) + QStringLiteral(".bad");
}

LoadResult load(const QString &workDir)
{
    LoadResult loaded;
    const QString path = filePath(workDir);
    QFile file(path);
    if (!file.exists()) {
        loaded.kind = LoadResult::Missing;
        loaded.written = save(workDir, loaded.origin, &loaded.error);
        return loaded;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.kind = LoadResult::Unreadable;
        loaded.error = file.errorString();
        return loaded;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.kind = LoadResult::Unreadable;
        loaded.error = file.errorString();
        return loaded;
    }
    file.close();
    QByteArray text = bytes;
    QTextStream in(&text, QIODevice::ReadOnly);
    const ReadResult read = originframe::read(in);
    loaded.origin = read.origin;
    loaded.goodLine = read.goodLine;
    if (read.kind != ReadResult::WrongCount)
        return loaded;
    loaded.kind = LoadResult::Damaged;
    loaded.line = read.line;
    // The damaged file is kept first: what it held beyond its good lines
    // is never lost to the rewrite.
    loaded.keptAside = safefile::write(badFilePath(workDir), bytes, &loaded.error);
    if (loaded.keptAside)
        loaded.written = save(workDir, loaded.origin, &loaded.error);
    return loaded;
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
