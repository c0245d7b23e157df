#include "motion/operationfile.h"

#include <QStringList>
#include <QTextStream>

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

    auto fail = [&](ReadError error, bool uncheckLoopKey) {
        result.error = error;
        result.errorLine = line;
        if (uncheckLoopKey)
            result.loopKey = LoopKey::Unchecked;
    };

    while (!in.atEnd()) {
        const QString raw = in.readLine();
        if (raw.isEmpty())
            break; // an empty line ends the file; a line of blanks does not
        ++line;
        const QString text = raw.trimmed();

        // A loop end closed no open loop on the line before.
        if (loopDepth < 0) {
            fail(ReadError::LoopEndUnmatched, false);
            break;
        }

        if (isRecord(text, kFrame)) {
            const QVector<QStringRef> parts = body(text, kFrame).split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (parts.size() != 24) {
                fail(ReadError::FrameFields, false);
                break;
            }
            FrameCells cells;
            for (int i = 0; i < ServoCount; ++i)
                cells[i] = parts[5 + i].toString();
            cells[ColVolume] = parts[1].toString();
            cells[ColOperationTime] = parts[2].toString();
            cells[ColDelayTime] = parts[3].toString();
            const packing::Music music = packing::unpackMusicWord(parts[4].toInt());
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
        } else if (isRecord(text, kLoopStart)) {
            pendingLoopFlag = LoopStart;
            ++loopDepth;
            const QVector<QStringRef> parts
                = text.midRef(kLoopStart.size()).split(kEnd, Qt::SkipEmptyParts);
            if (parts.size() != 1) {
                fail(ReadError::LoopStartShape, true);
                break;
            }
            pendingLoopTimes = parts[0].toInt();
        } else if (isRecord(text, kLoopEnd)) {
            pendingLoopFlag = LoopEnd;
            if (haveLast) {
                last[ColLoopFlag] = LoopEnd;
                pendingLoopFlag = 0;
            }
            --loopDepth;
        } else if (isRecord(text, kLed)) {
            const QVector<QStringRef> parts = body(text, kLed).split(QLatin1Char(','), Qt::SkipEmptyParts);
            if (parts.size() != LedChannelCount) {
                fail(ReadError::LedShape, true);
                break;
            }
            for (int k = 0; k < LedChannelCount; ++k) {
                const packing::Led led = packing::unpackLedByte(parts[k].toInt());
                leds[2 * k] = led.brightness;
                leds[2 * k + 1] = led.frequency;
            }
        } else if (isRecord(text, kFileLoop)) {
            const QVector<QStringRef> parts = text.midRef(kFileLoop.size()).split(kEnd, Qt::SkipEmptyParts);
            const int value = parts.size() == 1 ? parts[0].toInt() : -1;
            if (value == 65535) {
                result.loopKey = LoopKey::Checked;
            } else if (value == 0) {
                result.loopKey = LoopKey::Unchecked;
            } else {
                fail(ReadError::LoopKeyRecord, true);
                break;
            }
        }
        // Anything else (comments, "END:;") is skipped.
    }

    if (haveLast)
        result.rows.append(last);
    if (loopDepth != 0)
        result.loopUnbalanced = true;
    if (!result.ok())
        result.rows.clear();
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
        boxes.append({kErrorInLine, result.errorLine});
        break;
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

int findUnmatchedLoopEnd(const FrameRows &rows)
{
    int open = 0;
    for (int r = 0; r < rows.size(); ++r) {
        const int flag = cellInt(rows[r][ColLoopFlag]);
        if (flag == LoopStart) {
            ++open;
        } else if (flag == LoopEnd) {
            if (open == 0)
                return r;
            --open;
        }
    }
    return -1;
}

int write(QTextStream &out, const FrameRows &rows, bool loopKey)
{
    const int fault = findUnmatchedLoopEnd(rows);
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
