#include "files/transferrows.h"

#include <QTextCodec>
#include <QTextStream>

namespace transferrows {

const char *const kPlaceholder = "------";
const char *const kRemoteMotionFile = "remote motion file";
const char *const kFallMotionFile = "fall motion file";
const char *const kCommonFile = "common file";
const char *const kFlash = "flash";
const char *const kSdCard = "sd card";

const char *const kRemoteKeyError = QT_TRANSLATE_NOOP("TransferList", "Remote key error.");
const char *const kCombinationKeyError = QT_TRANSLATE_NOOP("TransferList", "Combination key error.");
const char *const kEmptyCombination = QT_TRANSLATE_NOOP("TransferList", "Empty combination.");

QStringList keyNames()
{
    return {QStringLiteral("Y"), QStringLiteral("X"), QStringLiteral("B"), QStringLiteral("A"),
            QStringLiteral("START"), QStringLiteral("BACK"), QStringLiteral("UP"), QStringLiteral("RIGHT"),
            QStringLiteral("LEFT"), QStringLiteral("DOWN"), QStringLiteral("LB"), QStringLiteral("RB"),
            QStringLiteral("rocker B middle key"), QStringLiteral("rocker A middle key"),
            QStringLiteral("rocker B UP"), QStringLiteral("rocker B RIGHT"), QStringLiteral("rocker B LEFT"),
            QStringLiteral("rocker B DOWN"), QStringLiteral("rocker A UP"), QStringLiteral("rocker A RIGHT"),
            QStringLiteral("rocker A LEFT"), QStringLiteral("rocker A DOWN"), QStringLiteral("LT"),
            QStringLiteral("RT")};
}

int keyNumber(const QString &text)
{
    // Key numbers in the order their names are tested: "A" and "BACK" come
    // before "B", so that "BACK" is not taken for "B".
    static const int order[] = {0, 1, 3, 4, 5, 2, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23};
    static const QStringList names = keyNames();
    for (int key : order)
        if (text.startsWith(names[key]))
            return key;
    return -1;
}

static bool startsWith(const QString &cell, const char *prefix)
{
    return cell.startsWith(QLatin1String(prefix));
}

Row normalised(const Row &row)
{
    Row out = row;
    while (out.size() < ColumnCount)
        out << QString();
    const QString placeholder = QLatin1String(kPlaceholder);
    QList<int> cleared;
    const QString &type = out[FileType];
    if (startsWith(type, kRemoteMotionFile)) {
        if (startsWith(out[CombinationKey], "no"))
            cleared = {Key2, FallType, CommonFileName};
        else if (startsWith(out[CombinationKey], "yes"))
            cleared = {FallType, CommonFileName};
        else
            cleared = {Key1, Key2, FallType, CommonFileName};
    } else if (startsWith(type, kFallMotionFile)) {
        cleared = {CombinationKey, Key1, Key2, CommonFileName};
    } else if (startsWith(type, kCommonFile)) {
        cleared = {CombinationKey, Key1, Key2, FallType};
    } else {
        cleared = {CombinationKey, Key1, Key2, FallType, CommonFileName, SourceFile};
    }
    for (int column : cleared)
        out[column] = placeholder;
    return out;
}

Row newRow()
{
    Row row;
    row << QStringLiteral("new file");
    for (int column = FileType; column <= SourceFile; ++column)
        row << QLatin1String(kPlaceholder);
    row << QLatin1String(kFlash);
    return row;
}

QString singleKeyName(int key)
{
    return QStringLiteral("RF_remote%1.ini").arg(key);
}

QString combinationName(int key1, int key2)
{
    return QStringLiteral("RF_remote%1_%2.ini").arg(key1).arg(key2);
}

QString fallName(const QString &fallType)
{
    static const char *const types[][2] = {{"fall left", "fallleft.ini"},
                                           {"fall right", "fallright.ini"},
                                           {"fall forward", "fallforward.ini"},
                                           {"fall back", "fallback.ini"}};
    for (const auto &type : types)
        if (fallType.startsWith(QLatin1String(type[0])))
            return QLatin1String(type[1]);
    return QString();
}

Plan plan(const Row &given)
{
    const Row row = normalised(given);
    Plan p;
    const QString &type = row[FileType];
    if (startsWith(type, kRemoteMotionFile)) {
        p.forcesFlash = true;
        const QString &combination = row[CombinationKey];
        if (startsWith(combination, "no")) {
            const int key = keyNumber(row[Key1]);
            if (key < 0) {
                p.kind = Plan::Message;
                p.message = kRemoteKeyError;
                return p;
            }
            p.robotName = singleKeyName(key);
        } else if (startsWith(combination, "yes")) {
            const int key1 = keyNumber(row[Key1]);
            const int key2 = keyNumber(row[Key2]);
            if (key1 < 0 || key2 < 0 || key1 == key2) {
                p.kind = Plan::Message;
                p.message = kCombinationKeyError;
                return p;
            }
            p.robotName = combinationName(key1, key2);
        } else {
            p.kind = Plan::Message;
            p.message = kEmptyCombination;
            return p;
        }
    } else if (startsWith(type, kFallMotionFile)) {
        p.robotName = fallName(row[FallType]);
    } else if (startsWith(type, kCommonFile)) {
        p.robotName = row[CommonFileName];
    }
    if (p.robotName.isEmpty())
        return p;  // Silent
    p.source = row[SourceFile];
    if (p.source.isEmpty())
        return p;
    const QString folder = p.forcesFlash ? QLatin1String(kFlash) : row[RobotPath];
    if (folder == QLatin1String(kSdCard))
        p.drive = 0;
    else if (folder == QLatin1String(kFlash))
        p.drive = 1;
    else
        return p;
    p.kind = Plan::Send;
    return p;
}

// ---------------------------------------------------------------- list file

BadCell findUnstorableCell(const QList<Row> &rows)
{
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < ColumnCount; ++c) {
            const QString cell = rows[r].value(c);
            const bool empty = cell.isEmpty();
            if (empty || cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('\n'))
                || cell.contains(QLatin1Char('\r'))) {
                BadCell bad;
                bad.row = r;
                bad.column = c;
                bad.empty = empty;
                return bad;
            }
        }
    }
    return BadCell();
}

QByteArray write(const QList<Row> &rows)
{
    QByteArray out;
    for (const Row &row : rows) {
        QStringList cells = row.mid(0, ColumnCount);
        while (cells.size() < ColumnCount)
            cells << QString();
        out += cells.join(QLatin1Char(',')).toUtf8();
        out += '\n';
    }
    return out;
}

ReadResult read(QTextStream &in)
{
    in.setCodec(QTextCodec::codecForName("UTF-8"));
    ReadResult result;
    int number = 0;
    QString line;
    while (in.readLineInto(&line)) {
        ++number;
        if (line.trimmed().isEmpty())
            break;
        const QStringList pieces = line.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (pieces.size() == ColumnCount)
            result.rows << pieces;
        else
            result.skipped << SkippedLine{number, int(pieces.size())};
    }
    return result;
}

} // namespace transferrows
