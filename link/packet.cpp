#include "link/packet.h"

#include <QString>
#include <cstring>

namespace packet {

namespace {

const char *const kRegisterNames[kRegisterCount] = {
    nullptr,           "Register1",         "Speed",           "Register3",         "Register4",
    "ParameterP",      "ParameterD",        "ParameterI",      "ParametersPDI",     "CwFlexibleMargin",
    "CcwFlexibleMargin", "CwFlexibleSlope", "CcwFlexibleSlope", "WorkingMode",      "WorkingState",
    "MaximumPosition", "MinimumPosition",   "MaximumTemperature", "MaximumVoltage", "MinimumVoltage",
    "MaximumTorque",   "AllParameters",     "Position",        "CurrentSpeed",      "CurrentTorque",
    "CurrentVoltage",  "CurrentTemperature", "AllCurrentData", "Version",           "ServoModel",
    "WriteFlash",      "PidDeadZone",       "Acceleration",    "Register33"};

} // namespace

const char *registerName(int type)
{
    return type >= 1 && type < kRegisterCount ? kRegisterNames[type] : nullptr;
}

bool isSignedRegister(int type)
{
    switch (type) {
    case MaximumPosition:
    case MinimumPosition:
    case Position:
    case CurrentSpeed:
    case CurrentTorque:
    case CurrentVoltage:
    case CurrentTemperature:
    case PidDeadZone:
        return true;
    default:
        return false;
    }
}

bool isOneWordRegister(int type)
{
    return (type >= Register1 && type <= ParameterI) || (type >= CwFlexibleMargin && type <= MaximumTorque)
           || (type >= Position && type <= CurrentTemperature) || type == Version || type == ServoModel
           || type == PidDeadZone || type == Acceleration || type == Register33;
}

// ---------------------------------------------------------------- text blocks

// Stores lead bytes, the text and its NUL in the block; a text that does not fit
// whole, or that holds a NUL of its own, empties the block instead.
static bool setText(quint8 *block, int capacity, const QByteArray &lead, const QByteArray &text)
{
    std::memset(block, 0, size_t(capacity));
    if (text.contains('\0') || lead.size() + text.size() + 1 > capacity)
        return false;
    std::memcpy(block, lead.constData(), size_t(lead.size()));
    std::memcpy(block + lead.size(), text.constData(), size_t(text.size()));
    return true;
}

bool RequestFields::setRunPath(const QByteArray &path)
{
    if (setText(runBlock, kTextBlock, QByteArray(1, char(RunCode::Path)), path))
        return true;
    runBlock[0] = quint8(RunCode::Path);  // a run with an empty path: nothing is built
    return false;
}

void RequestFields::setRunCode(quint8 code)
{
    std::memset(runBlock, 0, sizeof runBlock);
    runBlock[0] = code;
}

bool RequestFields::setDeletePath(const QByteArray &path)
{
    return setText(deletePath, kTextBlock, QByteArray(), path);
}

bool RequestFields::setGetPath(const QByteArray &path)
{
    return setText(getPath, kTextBlock, QByteArray(), path);
}

bool RequestFields::setSendPath(const QByteArray &path)
{
    return setText(sendHeader, kTextBlock, QByteArray(1, '\0'), path);
}

bool RequestFields::setListPath(const QByteArray &folder)
{
    return setText(listPath, kListPathBlock, QByteArray(), folder);
}

bool RequestFields::setChunk(const char *data, int length)
{
    if (length < 1 || length > kMaxPayload) {
        chunkLength = 0;
        return false;
    }
    std::memcpy(chunk, data, size_t(length));
    chunkLength = quint32(length);
    return true;
}

// ---------------------------------------------------------------- debug blocks

static void putWord(quint8 *at, int value)
{
    at[0] = quint8((value >> 8) & 0xFF);
    at[1] = quint8(value & 0xFF);
}

void fillDebugFrame(quint8 *block, const int *row, int r)
{
    // Frame table columns: 0-18 servos, 19 operation time, 20 delay time,
    // 23-26 music control, type, folder, file, 27 volume.
    block[0] = 0;
    putWord(block + 1, r);
    block[3] = 1;
    block[4] = quint8(row[27] & 0xFF);
    putWord(block + 5, row[19]);
    putWord(block + 7, row[20]);
    const int music = (((row[23] << 2) | ((row[24] & 1) << 1) | (row[25] & 1)) << 12) | (row[26] & 0xFFF);
    putWord(block + 9, music);
    for (int s = 0; s < kPoseServos; ++s)
        putWord(block + 11 + 2 * s, row[s]);
}

void fillDebugSummary(quint8 *block, int lastFrame, int loopStartRow, int loopEndRow, int loopTimes)
{
    block[0] = block[1] = block[2] = 0;
    putWord(block + 3, lastFrame);
    putWord(block + 5, loopStartRow);
    putWord(block + 7, loopEndRow);
    putWord(block + 9, loopTimes);
    block[11] = 3;
}

// ---------------------------------------------------------------- building

quint8 checksum(const quint8 *body, int count)
{
    quint8 x = 0;
    for (int i = 0; i < count; ++i)
        x ^= body[i];
    return x;
}

// Length of a NUL-terminated text starting at from within the block, counting
// its NUL; 0 when the block holds no terminator after from.
static int terminatedLength(const quint8 *block, int capacity, int from)
{
    for (int i = from; i < capacity; ++i)
        if (block[i] == 0)
            return i + 1;
    return 0;
}

// Copies a text payload (lead bytes, text, NUL); 0 when the text is empty or
// unterminated.
static int copyText(const quint8 *block, int capacity, int lead, quint8 *payload)
{
    const int length = terminatedLength(block, capacity, lead);
    if (length <= lead + 1)
        return 0;
    std::memcpy(payload, block, size_t(length));
    return length;
}

// A text payload of length 0 means an empty or unterminated text: nothing to send.
static int textPayload(int length)
{
    return length > 0 ? length : -1;
}

static int buildPayload(const RequestFields &f, int type, quint8 *p, quint16 *destination)
{
    if (type >= Register1 && type <= Register33) {
        if (type == WriteFlash)
            return 0;
        if (type == ParametersPDI) {
            putWord(p, f.registers[ParameterP]);
            putWord(p + 2, f.registers[ParameterD]);
            putWord(p + 4, f.registers[ParameterI]);
            return 6;
        }
        if (type == AllParameters) {
                        for (int i = 0; i < 22; ++i)
                putWord(p + 2 * i, f.registers[kAllParametersOrder[i]]);
            return 44;
        }
        // Types 1-7, 9-20 and 31-33 carry their word; 22-29 are read only.
        if ((type >= Register1 && type <= ParameterI) || (type >= CwFlexibleMargin && type <= MaximumTorque)
            || type >= PidDeadZone) {
            putWord(p, f.registers[type]);
            return 2;
        }
        return -1;
    }

    *destination = MainboardAddress;
    switch (type) {
    case SetLeds:
        *destination = LedBoardAddress;
        std::memcpy(p, f.leds, 9);
        return 9;
    case DebugFrame:
        std::memcpy(p, f.debugFrame, kDebugFrameSize);
        return kDebugFrameSize;
    case DebugSummary:
        std::memcpy(p, f.debugSummary, kDebugSummarySize);
        return kDebugSummarySize;
    case PlayControl:
        std::memcpy(p, f.playControl, 2);
        return 2;
    case RunFile:
        if (f.runBlock[0] != quint8(RunCode::Path)) {
            p[0] = f.runBlock[0];
            return 1;
        }
        return textPayload(copyText(f.runBlock, kTextBlock, 1, p));
    case MovePose:
        for (int s = 0; s < kPoseServos; ++s)
            putWord(p + 2 * s, f.pose[s]);
        return 2 * kPoseServos;
    case FileBegin:
        return textPayload(copyText(f.sendHeader, kTextBlock, 1, p));
    case FileData:
        if (f.chunkLength < 1 || f.chunkLength > quint32(kMaxPayload))
            return -1;
        std::memcpy(p, f.chunk, f.chunkLength);
        return int(f.chunkLength);
    case DeleteFile:
        return textPayload(copyText(f.deletePath, kTextBlock, 0, p));
    case ListFolder:
        return textPayload(copyText(f.listPath, kListPathBlock, 0, p));
    case GetFile:
        return textPayload(copyText(f.getPath, kTextBlock, 0, p));
    case SetIo:
        std::memcpy(p, f.io, 2);
        return 2;
    case FormatFlash:
        p[0] = kFormatFlashMark;
        return 1;
    case FileEnd:
    case KeepAlive:
    case GetIo:
    case ResetBoard:
    case PrepareTransfer:
    case TransferDone:
        return 0;
    default:
        return -1;
    }
}

int buildBody(const RequestFields &f, int type, int kind, quint8 *body)
{
    if (kind != Read && kind != Write)
        return 0;
    quint16 destination = f.servoAddress;
    int payload = 0;
    if (kind == Read) {
        if (type < Register1 || type > Register33)
            return 0;
    } else {
        payload = buildPayload(f, type, body + 7, &destination);
        if (payload < 0)
            return 0;
    }
    const int length = 7 + payload + 1;
    body[0] = quint8(HostAddress >> 8);
    body[1] = quint8(HostAddress & 0xFF);
    body[2] = quint8(destination >> 8);
    body[3] = quint8(destination & 0xFF);
    body[4] = quint8(length);
    body[5] = quint8(kind);
    body[6] = quint8(type);
    body[length - 1] = checksum(body, length - 1);
    return length;
}

int encodeFrame(const quint8 *body, int length, quint8 *frame)
{
    int n = 0;
    frame[n++] = 0xAA;
    frame[n++] = 0x55;
    for (int i = 0; i < length; ++i) {
        frame[n++] = body[i];
        if (body[i] == 0xAA)
            frame[n++] = 0x00;
    }
    frame[n++] = 0xAA;
    frame[n++] = 0x81;
    return n;
}

int buildRequest(const RequestFields &fields, int type, int kind, quint8 *frame)
{
    quint8 body[kMaxBody];
    const int length = buildBody(fields, type, kind, body);
    return length ? encodeFrame(body, length, frame) : 0;
}

QByteArray buildRequest(const RequestFields &fields, int type, int kind)
{
    quint8 frame[kMaxFrame];
    const int count = buildRequest(fields, type, kind, frame);
    return QByteArray(reinterpret_cast<const char *>(frame), count);
}

QByteArray makeFrame(quint16 source, quint16 destination, int kind, int type, const QByteArray &payload)
{
    if (payload.size() > kMaxPayload)
        return QByteArray();
    quint8 body[kMaxBody];
    const int length = 7 + payload.size() + 1;
    body[0] = quint8(source >> 8);
    body[1] = quint8(source & 0xFF);
    body[2] = quint8(destination >> 8);
    body[3] = quint8(destination & 0xFF);
    body[4] = quint8(length);
    body[5] = quint8(kind);
    body[6] = quint8(type);
    std::memcpy(body + 7, payload.constData(), size_t(payload.size()));
    body[length - 1] = checksum(body, length - 1);
    quint8 frame[kMaxFrame];
    const int count = encodeFrame(body, length, frame);
    return QByteArray(reinterpret_cast<const char *>(frame), count);
}

QString sendLogLine(const quint8 *frame, int count)
{
    QString line = QStringLiteral("send:");
    line.reserve(5 + 3 * count);
    for (int i = 0; i < count; ++i) {
        line += QString::number(frame[i], 16);
        line += QLatin1Char(' ');
    }
    return line;
}

} // namespace packet
