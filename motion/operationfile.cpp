#include "motion/operationfile.h"

#include <QStringList>
#include <QTextStream>

#include <limits>

#include "motion/packing.h"

using namespace frametable;

namespace operationfile {

namespace {

const char *const kErrorInLine = QT_TRANSLATE_NOOP("MainWindow", "Error in line:");
const char *const kLoopKeyLineError = QT_TRANSLATE_NOOP("MainWindow", "Loop key line error in line:");
const char *const kErrorLoop = QT_TRANSLATE_NOOP("MainWindow", "Error loop!");

const QLatin1String kFrame("FR:");
const QLatin1String kLoopStart("LPS:");
const QLatin1String kLoopEnd("LPE:;");
const QLatin1String kLed("LED:");
const QLatin1String kFileLoop("FLP:");
const QLatin1Char kEnd(';');

bool isRecord(const QString &line, QLatin1String key)
{
    return line.startsWith(key) && line.endsWith(kEnd);
}

// The text between the key and the record's final ";".
QStringRef body(const QString &line, QLatin1String key)
{
    return line.midRef(key.size(), line.size() - key.size() - 1);
}

} // namespace

const char *const loopEndErrorText = QT_TRANSLATE_NOOP("MainWindow", "Error loop in line:");
const char *const notAMotionText = QT_TRANSLATE_NOOP("MainWindow", "This is not a robot operation file:");

namespace {

const char *const kLoopMarks = QT_TRANSLATE_NOOP(
    "MainWindow", "Unsupported loop mark (a loop spans at least two frames, a frame holds one mark) in line:");
const char *const kBadNumber = "number out of range or not a number, read as 0";

// Keys of the records; a line starting with one of them is meant as a record.
const char *const kRecordKeys[] = {"FR:", "LPS:", "LPE:", "LED:", "FLP:", "END:"};

bool startsWithRecordKey(const QString &line)
{
    for (const char *key : kRecordKeys)
        if (line.startsWith(QLatin1String(key)))
            return true;
    return false;
}

// A data line of another file type: a key of capital letters and digits, a
// colon, and a final ";" ("SV:60;", "RFK:0,1;" of a configure file), the key
// being none of this file's.
bool isForeignRecord(const QString &line)
{
    const int colon = line.indexOf(QLatin1Char(':'));
    if (colon < 1 || !line.endsWith(QLatin1Char(';')))
        return false;
    for (int i = 0; i < colon; ++i) {
        const QChar c = line.at(i);
        const bool capital = c >= QLatin1Char('A') && c <= QLatin1Char('Z');
        const bool digit = c >= QLatin1Char('0') && c <= QLatin1Char('9');
        if (!capital && !(digit && i > 0))
            return false;
    }
    return !startsWithRecordKey(line);
}

// A number field: its integer when it holds a decimal number within
// [minimum, maximum], else 0 and *bad is set.
int numberField(const QStringRef &text, int minimum, int maximum, bool *bad)
{
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value < minimum || value > maximum) {
        *bad = true;
        return 0;
    }
    return int(value);
}

} // namespace

ReadResult read(QTextStream &in)
{
    ReadResult result;
    int line = 0;
    int pendingLoopFlag = 0;
    int pendingLoopTimes = 0;
    int loopDepth = 0;
    int leds[LedValueCount] = {};
    // The frame read last stays out of the list until the next one: a loop
    // end record after it still marks it.
    FrameCells last;
    bool haveLast = false;
    bool sawRecord = false;
    bool sawForeignRecord = false;
    QString lastText; // the last line read, trimmed

    auto fail = [&](ReadError error, bool uncheckLoopKey) {
        result.error = error;
        result.errorLine = line;
        if (uncheckLoopKey)
            result.loopKey = LoopKey::Unchecked;
    };
    // Notes a number field that read as 0 (once per line).
    auto warnIf = [&](bool bad) {
        if (bad && (result.warnings.isEmpty() || result.warnings.last().line != line))
            result.warnings.append({line, kBadNumber});
    };

    while (!in.atEnd()) {
        const QString raw = in.readLine();
        if (raw.isEmpty())
            break; // an empty line ends the file; a line of blanks does not
        ++line;
        const QString text = raw.trimmed();
        lastText = text;

        // A loop end closed no open loop on the line before.
        if (loopDepth < 0) {
            fail(ReadError::LoopEndUnmatched, false);
            break;
        }

        if (isRecord(text, kFrame)) {
            sawRecord = true;
            const QVector<QStringRef> parts = body(text, kFrame).split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (parts.size() != 24) {
                fail(ReadError::FrameFields, false);
                break;
            }
            // Times, volume and angles keep their text (a file read and
            // written again keeps its bytes); text that is no number in the
            // cell's range reads as 0.
            bool bad = false;
            FrameCells cells;
            auto textCell = [&](int column, const QStringRef &part) {
                numberField(part, std::numeric_limits<int>::min(), std::numeric_limits<int>::max(), &bad);
                cells[column] = part.toString();
            };
            for (int i = 0; i < ServoCount; ++i)
                textCell(i, parts[5 + i]);
            textCell(ColVolume, parts[1]);
            textCell(ColOperationTime, parts[2]);
            textCell(ColDelayTime, parts[3]);
            const packing::Music music = packing::unpackMusicWord(numberField(parts[4], 0, 0xFFFF, &bad));
            warnIf(bad);
            cells[ColMusicType] = music.type;
            cells[ColMusicFolder] = music.folder;
            cells[ColMusicControl] = music.control;
            cells[ColMusicFile] = music.file;
            // A loop end read before any frame stays pending and marks no frame.
            if (pendingLoopFlag != LoopEnd) {
                cells[ColLoopFlag] = pendingLoopFlag;
                pendingLoopFlag = 0;
            }
            cells[ColLoopTimes] = pendingLoopTimes;
            pendingLoopTimes = 0;
            for (int i = 0; i < LedValueCount; ++i)
                cells[ColLedFirst + i] = leds[i];
            if (haveLast)
                result.rows.append(last);
            last = cells;
            haveLast = true;
            result.frameLines.append(line);
        } else if (isRecord(text, kLoopStart)) {
            sawRecord = true;
            // A second loop start before the frame the first one marks.
            if (pendingLoopFlag == LoopStart) {
                fail(ReadError::LoopMarks, false);
                break;
            }
            pendingLoopFlag = LoopStart;
            ++loopDepth;
            const QVector<QStringRef> parts
                = text.midRef(kLoopStart.size()).split(kEnd, Qt::SkipEmptyParts);
            if (parts.size() != 1) {
                fail(ReadError::LoopStartShape, true);
                break;
            }
            bool bad = false;
            pendingLoopTimes = numberField(parts[0], std::numeric_limits<int>::min(),
                                           std::numeric_limits<int>::max(), &bad);
            warnIf(bad);
        } else if (isRecord(text, kLoopEnd)) {
            sawRecord = true;
            // The table holds one mark per frame: a loop end right after its
            // loop start (no frame, or one frame that already starts it) or a
            // second loop end after the same frame would be lost.
            const int lastFlag = haveLast ? cellInt(last[ColLoopFlag]) : LoopNone;
            if (pendingLoopFlag == LoopStart || lastFlag == LoopStart || lastFlag == LoopEnd) {
                fail(ReadError::LoopMarks, false);
                break;
            }
            pendingLoopFlag = LoopEnd;
            if (haveLast) {
                last[ColLoopFlag] = LoopEnd;
                pendingLoopFlag = 0;
            }
            --loopDepth;
        } else if (isRecord(text, kLed)) {
            sawRecord = true;
            const QVector<QStringRef> parts = body(text, kLed).split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (parts.size() != LedChannelCount) {
                fail(ReadError::LedShape, true);
                break;
            }
            bool bad = false;
            for (int k = 0; k < LedChannelCount; ++k) {
                const packing::Led led = packing::unpackLedByte(numberField(parts[k], 0, 0xFF, &bad));
                leds[2 * k] = led.brightness;
                leds[2 * k + 1] = led.frequency;
            }
            warnIf(bad);
        } else if (isRecord(text, kFileLoop)) {
            sawRecord = true;
            const QVector<QStringRef> parts = text.midRef(kFileLoop.size()).split(kEnd, Qt::SkipEmptyParts);
            bool bad = false;
            const int value = parts.size() == 1
                                  ? numberField(parts[0], std::numeric_limits<int>::min(),
                                                std::numeric_limits<int>::max(), &bad)
                                  : -1;
            warnIf(bad);
            if (value == 65535) {
                result.loopKey = LoopKey::Checked;
            } else if (value == 0) {
                result.loopKey = LoopKey::Unchecked;
            } else {
                fail(ReadError::LoopKeyRecord, true);
                break;
            }
        } else if (text.startsWith(QLatin1String("END:")) && text.endsWith(kEnd)) {
            sawRecord = true;
        } else if (isForeignRecord(text)) {
            sawForeignRecord = true;
        }
        // Anything else (comments) is skipped.
    }

    if (result.error == ReadError::None) {
        // A file cut off inside its last record: what follows the cut is lost.
        if (startsWithRecordKey(lastText) && !lastText.endsWith(kEnd))
            fail(ReadError::CutShort, false);
        else if (!sawRecord || (!haveLast && sawForeignRecord)) {
            // Nothing of a motion, or no frame but the records of another
            // file (a configure file shares the LED record): opened as a
            // motion it would be replaced by one on the next save.
            fail(ReadError::NotAMotion, false);
            result.errorLine = 0; // no line is at fault: the whole file is no motion
            result.loopKey = LoopKey::Unchanged;
        }
    }
    if (haveLast)
        result.rows.append(last);
    // A loop mark the table cannot hold already says what is wrong with the loops.
    if (loopDepth != 0 && result.error != ReadError::NotAMotion && result.error != ReadError::LoopMarks)
        result.loopUnbalanced = true;
    if (!result.ok()) {
        if (result.error != ReadError::NotAMotion)
            result.rowsBeforeError = result.rows;
        result.rows.clear();
        result.frameLines.clear();
    }
    return result;
}

QVector<Message> messages(const ReadResult &result)
{
    QVector<Message> boxes;
    switch (result.error) {
    case ReadError::None:
        break;
    case ReadError::FrameFields:
    case ReadError::LoopStartShape:
    case ReadError::LedShape:
    case ReadError::CutShort:
        boxes.append({kErrorInLine, result.errorLine});
        break;
    case ReadError::LoopMarks:
        boxes.append({kLoopMarks, result.errorLine});
        break;
    case ReadError::NotAMotion:
        // The caller names the file after the text.
        boxes.append({notAMotionText, -1});
        return boxes;
    case ReadError::LoopKeyRecord:
    case ReadError::LoopEndUnmatched:
        boxes.append({kLoopKeyLineError, result.errorLine});
        break;
    }
    if (result.loopUnbalanced)
        boxes.append({kErrorLoop, -1});
    return boxes;
}

QString messageText(const Message &message)
{
    QString text = QString::fromLatin1(message.text);
    if (message.number >= 0)
        text += QString::number(message.number);
    return text;
}

const char *const unstorableValueText
    = QT_TRANSLATE_NOOP("MainWindow", "Value out of range for the file in column \"%1\", in line:");

int findUnstorableValue(const FrameRows &rows, int *column)
{
    struct Range {
        int column, minimum, maximum;
    };
    static const Range ranges[] = {{ColLoopFlag, 0, 2},   {ColMusicControl, 0, 3}, {ColMusicType, 0, 1},
                                   {ColMusicFolder, 0, 1}, {ColMusicFile, 0, 0xFFF}};
    for (int r = 0; r < rows.size(); ++r) {
        const FrameCells &cells = rows[r];
        for (const Range &range : ranges) {
            const int value = cellInt(cells[range.column]);
            if (value < range.minimum || value > range.maximum) {
                *column = range.column;
                return r;
            }
        }
        for (int i = 0; i < LedValueCount; ++i) {
            const int value = cellInt(cells[ColLedFirst + i]);
            if (value < 0 || value > 0xF) {
                *column = ColLedFirst + i;
                return r;
            }
        }
    }
    *column = -1;
    return -1;
}

int findLoopFault(const FrameRows &rows)
{
    QVector<int> open; // rows of the loop starts not closed yet
    for (int r = 0; r < rows.size(); ++r) {
        const int flag = cellInt(rows[r][ColLoopFlag]);
        if (flag == LoopStart) {
            open.append(r);
        } else if (flag == LoopEnd) {
            if (open.isEmpty())
                return r;
            open.removeLast();
        }
    }
    return open.isEmpty() ? -1 : open.last();
}

int write(QTextStream &out, const FrameRows &rows, bool loopKey)
{
    const int fault = findLoopFault(rows);
    if (fault >= 0)
        return fault;

    const QLatin1String eol("\r\n");
    const QLatin1Char comma(',');
    out << "#This is a robot operation file." << eol;
    out << (loopKey ? "FLP:65535;" : "FLP:0;") << eol;

    int lastLeds[LedValueCount] = {};
    for (int r = 0; r < rows.size(); ++r) {
        const FrameCells &cells = rows[r];
        const int loopFlag = cellInt(cells[ColLoopFlag]);
        if (loopFlag == LoopStart)
            out << kLoopStart << cellText(cells[ColLoopTimes]) << kEnd << eol;

        // The first frame always states its LEDs; later frames only when they change.
        bool changed = r == 0;
        for (int i = 0; i < LedValueCount; ++i) {
            const int value = cellInt(cells[ColLedFirst + i]);
            if (value != lastLeds[i]) {
                lastLeds[i] = value;
                changed = true;
            }
        }
        if (changed) {
            out << kLed;
            for (int k = 0; k < LedChannelCount; ++k) {
                if (k > 0)
                    out << comma;
                out << packing::ledByte({lastLeds[2 * k], lastLeds[2 * k + 1]});
            }
            out << kEnd << eol;
        }

        packing::Music music;
        music.control = cellInt(cells[ColMusicControl]);
        music.type = cellInt(cells[ColMusicType]);
        music.folder = cellInt(cells[ColMusicFolder]);
        music.file = cellInt(cells[ColMusicFile]);
        out << "FR:1," << cellText(cells[ColVolume]) << comma << cellText(cells[ColOperationTime]) << comma
            << cellText(cells[ColDelayTime]) << comma << packing::musicWord(music);
        for (int i = 0; i < ServoCount; ++i)
            out << comma << cellText(cells[i]);
        out << kEnd << eol;

        if (loopFlag == LoopEnd)
            out << kLoopEnd << eol;
    }
    out << "END:;" << eol << eol;
    return -1;
}

} // namespace operationfile
