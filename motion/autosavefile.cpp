#include "motion/autosavefile.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QList>
#include <QUrl>

#include "motion/frametable.h"

namespace autosavefile {

namespace {
const char kHeader[] = "#This is a gaitForge autosave.";
} // namespace

QString folder(const QString &workingDir)
{
    return workingDir + QStringLiteral("/.robot/autosave");
}

QString extension()
{
    return QStringLiteral(".autosave");
}

QString fileName(const QString &documentPath, const QString &unnamedTag)
{
    if (documentPath.isEmpty())
        return QStringLiteral("unnamed-") + unnamedTag + extension();
    const QByteArray hash = QCryptographicHash::hash(QFileInfo(documentPath).absoluteFilePath().toUtf8(),
                                                     QCryptographicHash::Sha1).toHex().left(12);
    // The name is for people looking into the folder; the hash keeps it apart.
    QString base = QFileInfo(documentPath).completeBaseName();
    for (QChar &c : base)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('_'))
            c = QLatin1Char('_');
    return base.left(40) + QLatin1Char('-') + QString::fromLatin1(hash) + extension();
}

QByteArray encode(const Content &content)
{
    QByteArray out = kHeader;
    out += "\r\nSRC:" + content.documentPath.toUtf8().toPercentEncoding("/") + "\r\n";
    out += content.loopKey ? "FLP:1;\r\n" : "FLP:0;\r\n";
    const int columns = frametable::ColumnCount;
    for (int start = 0; start + columns <= content.frames.size(); start += columns) {
        out += "ROW:";
        for (int c = 0; c < columns; ++c) {
            if (c)
                out += ',';
            out += QByteArray::number(content.frames[start + c]);
        }
        out += ";\r\n";
    }
    out += "END:;\r\n";
    return out;
}

bool decode(const QByteArray &bytes, Content *content)
{
    const QList<QByteArray> lines = bytes.split('\n');
    Content read;
    bool header = false, source = false, ended = false;
    for (QByteArray line : lines) {
        line = line.trimmed();
        if (line.isEmpty())
            continue;
        if (ended)
            return false; // nothing belongs after the end
        if (line == kHeader) {
            header = true;
        } else if (line.startsWith("SRC:")) {
            read.documentPath = QString::fromUtf8(QByteArray::fromPercentEncoding(line.mid(4)));
            source = true;
        } else if (line == "FLP:1;" || line == "FLP:0;") {
            read.loopKey = line == "FLP:1;";
        } else if (line.startsWith("ROW:") && line.endsWith(';')) {
            const QList<QByteArray> values = line.mid(4, line.size() - 5).split(',');
            if (values.size() != frametable::ColumnCount)
                return false;
            for (const QByteArray &value : values) {
                bool ok = false;
                const int number = value.toInt(&ok);
                if (!ok)
                    return false;
                read.frames.append(number);
            }
        } else if (line == "END:;") {
            ended = true;
        } else {
            return false;
        }
    }
    if (!header || !source || !ended)
        return false;
    *content = read;
    return true;
}

} // namespace autosavefile
