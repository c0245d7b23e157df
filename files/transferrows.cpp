#include "files/transferrows.h"

#include <QHash>
#include <QTextCodec>

#include "core/remotekeys.h"
#include "link/packet.h"
#include "link/robotpath.h"

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
    return remotekeys::names();
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

QString decode(const QByteArray &bytes, Encoding *encoding)
{
    if (encoding)
        *encoding = Encoding::Utf8;
    static const QByteArray bom("\xEF\xBB\xBF");
    if (bytes.startsWith(bom))
        return QString::fromUtf8(bytes.constData() + bom.size(), bytes.size() - bom.size());
    // Strict: a byte that is no part of a well-formed sequence, or a
    // sequence cut at the end, means the file is not UTF-8.
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = utf8->toUnicode(bytes.constData(), bytes.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return text;
    QTextCodec *gb = QTextCodec::codecForName("GB18030");
    if (!gb)
        return text;
    if (encoding)
        *encoding = Encoding::Gb18030;
    return gb->toUnicode(bytes);
}

ReadResult read(const QByteArray &bytes)
{
    ReadResult result;
    const QString text = decode(bytes, &result.encoding);
    const QVector<QStringRef> lines = text.splitRef(QLatin1Char('\n'));
    // Text after the last line feed is a last line; a final line feed
    // starts none.
    const int count = text.endsWith(QLatin1Char('\n')) ? lines.size() - 1 : lines.size();
    for (int i = 0; i < count; ++i) {
        QString line = lines[i].toString();
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            break;
        const QStringList pieces = line.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (pieces.size() == ColumnCount)
            result.rows << pieces;
        else
            result.skipped << SkippedLine{i + 1, int(pieces.size())};
    }
    return result;
}

// ---------------------------------------------------------------- checks

static const char *const kPlaceholderNameText =
    QT_TRANSLATE_NOOP("TransferList", "the common file has no name (\"------\"); enter the name it is to have on "
                                      "the robot.");
static const char *const kFolderNameText =
    QT_TRANSLATE_NOOP("TransferList", "the common file name \"%1\" is not a plain file name; the robot takes no "
                                      "\"/\" or \"\\\" in a name, nor \".\" or \"..\".");
static const char *const kNotEncodableText =
    QT_TRANSLATE_NOOP("TransferList", "the robot cannot take the file name \"%1\": it holds characters that the "
                                      "robot's character set (GB2312) cannot write.");
static const char *const kTooLongText =
    QT_TRANSLATE_NOOP("TransferList", "the robot cannot take the file name \"%1\": its robot path has %2 bytes, "
                                      "and a path may have at most %3.");
static const char *const kSameRobotFileText =
    QT_TRANSLATE_NOOP("TransferList", "the robot file %1 is written by row %2 already.");
static const char *const kRowText = QT_TRANSLATE_NOOP("TransferList", "Row %1: %2");

QList<Problem> check(const QList<Row> &rows)
{
    QList<Problem> problems;
    QHash<QString, int> firstWriter;  // drive and lower-case name -> row
    for (int r = 0; r < rows.size(); ++r) {
        const Row row = normalised(rows[r]);
        const Plan p = plan(row);
        if (p.kind == Plan::Message || p.robotName.isEmpty())
            continue;
        Problem problem;
        problem.row = r;
        problem.robotName = p.robotName;
        const bool common = startsWith(row[FileType], kCommonFile);
        problem.column = common ? CommonFileName
                                : startsWith(row[FileType], kFallMotionFile) ? int(FallType) : int(Key1);
        const QString &name = p.robotName;
        // The drive the file goes to, whether or not the row has a source yet.
        const QString folder = p.forcesFlash ? QLatin1String(kFlash) : row[RobotPath];
        const int drive = folder == QLatin1String(kSdCard) ? 0 : folder == QLatin1String(kFlash) ? 1 : -1;
        QByteArray encoded;
        if (common && name == QLatin1String(kPlaceholder)) {
            problem.kind = Problem::PlaceholderName;
        } else if (common
                   && (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\'))
                       || name == QLatin1String(".") || name == QLatin1String(".."))) {
            problem.kind = Problem::FolderName;
        } else if (!robotpath::encodeName(name, &encoded)) {
            problem.kind = Problem::NotEncodable;
        } else {
            // Both drives' folders have the same length.
            const QByteArray path = robotpath::folder(drive < 0 ? 1 : drive) + '/' + encoded;
            problem.robotPath = QString::fromLatin1(robotpath::folder(drive < 0 ? 1 : drive)) + QLatin1Char('/') + name;
            if (path.size() > packet::kSendPathMax) {
                problem.kind = Problem::TooLong;
                problem.pathBytes = path.size();
            } else if (drive < 0) {
                continue;  // goes nowhere: the send step ends there silently
            } else {
                // The robot's file system ignores the case of names.
                const QString key = QString::number(drive) + QLatin1Char(':') + name.toLower();
                const auto earlier = firstWriter.constFind(key);
                if (earlier == firstWriter.constEnd()) {
                    firstWriter.insert(key, r);
                    continue;
                }
                problem.kind = Problem::SameRobotFile;
                problem.earlierRow = *earlier;
            }
        }
        problems << problem;
    }
    return problems;
}

static QString translated(const char *text)
{
    return QCoreApplication::translate("TransferList", text);
}

QString reason(const Problem &p)
{
    switch (p.kind) {
    case Problem::PlaceholderName: return translated(kPlaceholderNameText);
    case Problem::FolderName: return translated(kFolderNameText).arg(p.robotName);
    case Problem::NotEncodable: return translated(kNotEncodableText).arg(p.robotName);
    case Problem::TooLong:
        return translated(kTooLongText).arg(p.robotName).arg(p.pathBytes).arg(packet::kSendPathMax);
    case Problem::SameRobotFile: return translated(kSameRobotFileText).arg(p.robotPath).arg(p.earlierRow + 1);
    }
    return QString();
}

QString describe(const Problem &p)
{
    return translated(kRowText).arg(p.row + 1).arg(reason(p));
}

} // namespace transferrows
