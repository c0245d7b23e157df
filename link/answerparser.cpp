#include "link/answerparser.h"

#include <QDebug>
#include <QLoggingCategory>
#include <algorithm>
#include <cstring>

namespace {
// Debug output, off unless QT_LOGGING_RULES turns it on.
Q_LOGGING_CATEGORY(lcAnswers, "gaitforge.link", QtInfoMsg)
} // namespace

using namespace packet;

static int word(const quint8 *at)
{
    return (at[0] << 8) | at[1];
}

AnswerParser::AnswerParser() : folder(kFolderTextCapacity + 1, '\0')
{
    for (auto &r : registers)
        r = 0;
    registers[Register33] = 1;
    for (auto &p : positions)
        p = 0;
}

void AnswerParser::storeRegister(int type, int w)
{
    if (isSignedRegister(type))
        w = qint16(quint16(w));
    if (type == Register4 && (w < 1 || w > 9))
        w = 5;
    registers[type] = w;
}

int AnswerParser::apply(const quint8 *body, int length, bool getJobActive)
{
    const int source = word(body);
    const int destination = word(body + 2);
    const bool toHost = destination == HostAddress || destination == HostAddressAlt;
    if (source == MainboardAddress && toHost)
        return applyMainboard(body, length, getJobActive);
    if (toHost || destination == ServoAnswerAddress)
        return applyServo(body, length);
    return 0;
}

int AnswerParser::applyServo(const quint8 *body, int length)
{
    if (body[5] != Answer)
        return 0;
    const int type = body[6];
    const quint8 *payload = body + 7;
    const int payloadLength = length - 8;
    if (length == 9) {
        writeStatus = payload[0] == 1 ? 1 : 2;
        return type;
    }
    switch (type) {
    case Register4:
    case Register33:
        if (payloadLength >= 2)
            storeRegister(type, word(payload));
        return 0;
    case Position: {
        if (payloadLength < 2)
            return 0;
        storeRegister(Position, word(payload));
        const int servo = word(body);
        if (servo >= 2 && servo <= 20)
            positions[servo] = registers[Position].load();
        positionsUpdated = 1;
        return Position;
    }
    case ParametersPDI:
        if (payloadLength < 6)
            return 0;
        storeRegister(ParameterP, word(payload));
        storeRegister(ParameterD, word(payload + 2));
        storeRegister(ParameterI, word(payload + 4));
        return type;
    case AllParameters: {
                if (payloadLength < 44)
            return 0;
        for (int i = 0; i < 22; ++i)
            storeRegister(kAllParametersOrder[i], word(payload + 2 * i));
        return type;
    }
    case AllCurrentData:
        if (payloadLength < 10)
            return 0;
        for (int i = 0; i < 5; ++i)
            storeRegister(Position + i, word(payload + 2 * i));
        return type;
    default:
        if (type == WriteFlash || !isOneWordRegister(type) || payloadLength < 2)
            return 0;
        storeRegister(type, word(payload));
        return type;
    }
}

int AnswerParser::applyMainboard(const quint8 *body, int length, bool getJobActive)
{
    const int kind = body[5];
    const int type = body[6];
    const quint8 *payload = body + 7;
    const int payloadLength = length - 8;
    if (kind == Answer) {
        if (length == 9)
            writeStatus = payload[0] == 1 ? 1 : 2;
        return 0;
    }
    if (kind != BoardData)
        return 0;
    switch (type) {
    case FileBeginStatus:
        if (payloadLength >= 1)
            fileBeginStatus = payload[0] == 1 ? 1 : 2;
        return 0;
    case FileData:
        if (getJobActive)
            receivedFile.append(reinterpret_cast<const char *>(payload), payloadLength);
        else {
            chunkAcknowledged = 1;
            ++chunkAcks;
        }
        return 0;
    case TransferEnd:
        transferEnd1 = 1;
        transferEnd2 = 1;
        qCDebug(lcAnswers) << "trans end";
        return kBoardNotification + type;
    case FolderList:
        return applyFolderPart(payload, payloadLength);
    case PowerReading:
        if (payloadLength < 4)
            return 0;
        voltage = word(payload);
        current = word(payload + 2);
        return kBoardNotification + type;
    case IoState:
        if (payloadLength < 1)
            return 0;
        ioState = payload[0];
        return kBoardNotification + type;
    case FormatDone:
        return kBoardNotification + type;
    default:
        return 0;
    }
}

int AnswerParser::applyFolderPart(const quint8 *payload, int length)
{
    std::lock_guard<std::mutex> lock(folderLock);
    int from = 0;
    if (firstPartExpected) {
        if (length < 4)
            return 0;  // too short to be a first part
        firstPartExpected = 0;
        folderTotal_ = word(payload + 2);
        folderReceived_ = 0;
        folderComplete = false;
        from = 4;
    }
    const int text = length - from;
    // Only what fits the text capacity is stored; the count goes on, so the
    // announced total is still reached.
    const int room = std::max(0, kFolderTextCapacity - folderReceived_);
    const int stored = std::min(text, room);
    char *buffer = folder.data();
    if (stored > 0)
        std::memcpy(buffer + folderReceived_, payload + from, size_t(stored));
    // The total is a 16-bit word: a count capped far above it changes nothing.
    folderReceived_ = std::min(folderReceived_ + text, 1 << 20);
    buffer[std::min(folderReceived_, kFolderTextCapacity)] = '\0';
    if (!folderComplete && folderReceived_ >= folderTotal_) {
        folderComplete = true;
        return kBoardNotification + FolderList;
    }
    return 0;
}

QByteArray AnswerParser::folderText() const
{
    std::lock_guard<std::mutex> lock(folderLock);
    const int count = std::min({folderReceived_, folderTotal_, kFolderTextCapacity});
    return QByteArray(folder.constData(), std::max(0, count));
}

int AnswerParser::folderTotal() const
{
    std::lock_guard<std::mutex> lock(folderLock);
    return folderTotal_;
}

int AnswerParser::folderReceived() const
{
    std::lock_guard<std::mutex> lock(folderLock);
    return folderReceived_;
}

void AnswerParser::clearFolderText(int count)
{
    std::lock_guard<std::mutex> lock(folderLock);
    std::memset(folder.data(), 0, size_t(std::clamp(count, 0, kFolderTextCapacity)));
}
