#include "music/beatgridfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cmath>

#include "core/safefile.h"

namespace beatgridfile {

namespace {
const QByteArray kKey = QByteArrayLiteral("GRID:");

QByteArray number(double v)
{
    // Seventeen digits give the same double back.
    return QByteArray::number(v, 'g', 17);
}
} // namespace

QString filePath(const QString &workingDirectory)
{
    return workingDirectory + QStringLiteral("/.robot/beatgrid");
}

QByteArray text(const QVector<Record> &records)
{
    QByteArray out = "#This is a beat grid file.\r\n"
                     "#size,modified,period,first,bar,min,max,path\r\n";
    for (const Record &r : records) {
        out += kKey + QByteArray::number(r.size) + ',' + QByteArray::number(r.modifiedMs) + ','
            + number(r.grid.periodMs) + ',' + number(r.grid.firstMs) + ',' + QByteArray::number(r.grid.barBeat)
            + ',' + number(r.minBpm) + ',' + number(r.maxBpm) + ',' + r.musicPath.toUtf8() + ";\r\n";
    }
    return out;
}

QVector<Record> parse(const QByteArray &text)
{
    QVector<Record> records;
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        if (!line.startsWith(kKey) || !line.endsWith(';'))
            continue;
        const QByteArray body = line.mid(kKey.size(), line.size() - kKey.size() - 1);
        // Seven numbers, then the path (which may hold commas).
        QList<QByteArray> fields;
        int from = 0;
        for (int i = 0; i < 7; ++i) {
            const int comma = body.indexOf(',', from);
            if (comma < 0)
                break;
            fields << body.mid(from, comma - from);
            from = comma + 1;
        }
        if (fields.size() != 7 || from >= body.size())
            continue;
        bool ok[7];
        Record r;
        r.size = fields[0].toLongLong(&ok[0]);
        r.modifiedMs = fields[1].toLongLong(&ok[1]);
        const double period = fields[2].toDouble(&ok[2]);
        const double first = fields[3].toDouble(&ok[3]);
        const int bar = fields[4].toInt(&ok[4]);
        r.minBpm = fields[5].toDouble(&ok[5]);
        r.maxBpm = fields[6].toDouble(&ok[6]);
        r.musicPath = QString::fromUtf8(body.mid(from));
        bool all = true;
        for (bool b : ok)
            all = all && b;
        if (!all || !(period > 0) || !std::isfinite(period) || !std::isfinite(first) || first < 0
            || first >= period || bar < 0 || bar >= music::BeatsPerBar || !(r.minBpm > 0) || r.maxBpm < r.minBpm)
            continue;
        r.grid.periodMs = period;
        r.grid.firstMs = first;
        r.grid.barBeat = bar;
        records << r;
    }
    return records;
}

bool find(const QVector<Record> &records, const QString &musicPath, qint64 size, qint64 modifiedMs, Record *found)
{
    for (const Record &r : records) {
        if (r.musicPath != musicPath)
            continue;
        if (r.size != size || r.modifiedMs != modifiedMs)
            return false;
        *found = r;
        return true;
    }
    return false;
}

bool read(const QString &path, QVector<Record> *records, QString *error)
{
    records->clear();
    QFile file(path);
    if (!file.exists())
        return true;
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    *records = parse(bytes);
    return true;
}

bool store(const QString &path, const Record &record, QString *error)
{
    QVector<Record> records;
    if (!read(path, &records, error))
        return false;
    QVector<Record> kept{record};
    for (const Record &r : qAsConst(records))
        if (r.musicPath != record.musicPath && kept.size() < MaxRecords)
            kept << r;
    if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
        if (error)
            *error = QStringLiteral("cannot make the folder %1").arg(QFileInfo(path).absolutePath());
        return false;
    }
    return safefile::write(path, text(kept), error);
}

} // namespace beatgridfile
