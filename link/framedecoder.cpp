#include "link/framedecoder.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTextCodec>

#include "link/packet.h"

namespace framedecoder {

namespace {

using namespace packet;

// Commands to the mainboard (and the LED board's one).
const char *commandName(int type)
{
    switch (type) {
    case SetLeds: return "SetLeds";
    case DebugFrame: return "DebugFrame";
    case DebugSummary: return "DebugSummary";
    case PlayControl: return "PlayControl";
    case RunFile: return "RunFile";
    case MovePose: return "MovePose";
    case FileBegin: return "FileBegin";
    case FileData: return "FileData";
    case FileEnd: return "FileEnd";
    case DeleteFile: return "DeleteFile";
    case ListFolder: return "ListFolder";
    case GetFile: return "GetFile";
    case KeepAlive: return "KeepAlive";
    case SetIo: return "SetIo";
    case GetIo: return "GetIo";
    case ResetBoard: return "ResetBoard";
    case PrepareTransfer: return "PrepareTransfer";
    case TransferDone: return "TransferDone";
    case FormatFlash: return "FormatFlash";
    default: return nullptr;
    }
}

// What the mainboard sends of its own (kind BoardData).
const char *boardDataName(int type)
{
    switch (type) {
    case FileBeginStatus: return "FileBegin status";
    case FileData: return "FileData";
    case TransferEnd: return "TransferEnd";
    case FolderList: return "FolderList";
    case PowerReading: return "PowerReading";
    case IoState: return "IoState";
    case FormatDone: return "FormatDone";
    default: return nullptr;
    }
}

bool isHost(int address)
{
    return address == HostAddress || address == HostAddressAlt || address == ServoAnswerAddress;
}

int word(const QByteArray &p, int i)
{
    return (quint8(p[2 * i]) << 8) | quint8(p[2 * i + 1]);
}

QString value(int reg, int w)
{
    return QString::number(isSignedRegister(reg) ? int(qint16(quint16(w))) : w);
}

QString named(const char *name, const QString &v)
{
    return QLatin1String(name) + QLatin1Char('=') + v;
}

// A NUL-terminated GB2312 text from offset on; false when it has no NUL.
bool text(const QByteArray &p, int from, QString *out)
{
    const int nul = p.indexOf('\0', from);
    if (from > p.size() || nul < 0)
        return false;
    QTextCodec *codec = QTextCodec::codecForName("GB2312");
    const QByteArray bytes = p.mid(from, nul - from);
    *out = QLatin1Char('"') + (codec ? codec->toUnicode(bytes) : QString::fromLatin1(bytes)) + QLatin1Char('"');
    return true;
}

const char *const kLedChannels[9] = {"led1r", "led1g", "led1b", "led2r", "led2g", "led2b", "led3r", "led3g", "led3b"};
const char *const kFrequencies[5] = {"0 Hz", "1 Hz", "2 Hz", "3 Hz", "random"};

QString ledText(quint8 b)
{
    const int frequency = b & 0x0F;
    return QStringLiteral("%1/10 %2").arg(b >> 4).arg(frequency < 5 ? QLatin1String(kFrequencies[frequency])
                                                                     : QStringLiteral("frequency %1").arg(frequency));
}

QString writeStatus(const QByteArray &p)
{
    return quint8(p[0]) == 1 ? QStringLiteral("write status=1 (success)")
                             : QStringLiteral("write status=%1 (failure)").arg(quint8(p[0]));
}

QString servoFields(int kind, int type, const QByteArray &p)
{
    const int n = p.size();
    if (kind == Answer && n == 1)
        return writeStatus(p);
    if (kind == Read)
        return QString();
    if (type < 1 || type >= kRegisterCount)
        return QString();
    if (isOneWordRegister(type) && n == 2)
        return named(registerName(type), value(type, word(p, 0)));
    QStringList out;
    if (type == ParametersPDI && n == 6) {
        const int order[3] = {ParameterP, ParameterD, ParameterI};
        for (int i = 0; i < 3; ++i)
            out << named(registerName(order[i]), value(order[i], word(p, i)));
    } else if (type == AllParameters && n == 44) {
        for (int i = 0; i < 22; ++i)
            out << named(registerName(kAllParametersOrder[i]), value(kAllParametersOrder[i], word(p, i)));
    } else if (type == AllCurrentData && n == 10) {
        const int order[5] = {Position, CurrentSpeed, CurrentTorque, CurrentVoltage, CurrentTemperature};
        for (int i = 0; i < 5; ++i)
            out << named(registerName(order[i]), value(order[i], word(p, i)));
    } else if (type == WriteFlash && n == 0) {
        return QString();
    } else {
        return QString();  // shown as hexadecimal by the caller
    }
    return out.join(QLatin1Char(' '));
}

// Fields of a mainboard or LED board command; false when the payload does
// not have the form its type gives.
bool commandFields(int type, const QByteArray &p, QString *out)
{
    const int n = p.size();
    QStringList f;
    switch (type) {
    case SetLeds:
        if (n != 9)
            return false;
        for (int i = 0; i < 9; ++i)
            f << named(kLedChannels[i], ledText(quint8(p[i])));
        break;
    case DebugFrame: {
        if (n != kDebugFrameSize)
            return false;
        const QByteArray q = p.mid(1);
        f << named("frame", QString::number(word(q, 0))) << named("volume", QString::number(quint8(p[4])))
          << named("operation time", QString::number(word(p.mid(5), 0)))
          << named("delay time", QString::number(word(p.mid(7), 0)))
          << named("music", QStringLiteral("0x%1").arg(word(p.mid(9), 0), 4, 16, QLatin1Char('0')));
        for (int s = 0; s < kPoseServos; ++s)
            f << QStringLiteral("servo%1=%2").arg(s + 2).arg(qint16(quint16(word(p.mid(11), s))));
        break;
    }
    case DebugSummary: {
        if (n != kDebugSummarySize)
            return false;
        const QByteArray q = p.mid(3);
        f << named("last frame", QString::number(word(q, 0))) << named("loop start", QString::number(word(q, 1)))
          << named("loop end", QString::number(word(q, 2))) << named("loop times", QString::number(word(q, 3)));
        break;
    }
    case PlayControl: {
        if (n != 2)
            return false;
        const int code = quint8(p[0]);
        const char *names[4] = {"", " (play)", " (pause)", " (stop)"};
        f << QStringLiteral("code=%1%2").arg(code).arg(QLatin1String(code >= 1 && code <= 3 ? names[code] : ""));
        break;
    }
    case RunFile: {
        if (n == 1) {
            f << QStringLiteral("code=%1%2").arg(quint8(p[0])).arg(quint8(p[0]) == 2 ? QStringLiteral(" (run the download)")
                                                                                     : QString());
            break;
        }
        QString path;
        if (n < 2 || quint8(p[0]) != 3 || !text(p, 1, &path) || p.indexOf('\0', 1) != n - 1)
            return false;
        f << QStringLiteral("code=3") << named("path", path);
        break;
    }
    case MovePose:
        if (n != 2 * kPoseServos)
            return false;
        for (int s = 0; s < kPoseServos; ++s)
            f << QStringLiteral("servo%1=%2").arg(s + 2).arg(qint16(quint16(word(p, s))));
        break;
    case FileBegin: {
        QString path;
        if (n < 2 || p[0] != '\0' || !text(p, 1, &path) || p.indexOf('\0', 1) != n - 1)
            return false;
        f << named("path", path);
        break;
    }
    case FileData:
        f << named("bytes", QString::number(n));
        break;
    case DeleteFile:
    case GetFile:
    case ListFolder: {
        QString path;
        if (!text(p, 0, &path) || p.indexOf('\0') != n - 1)
            return false;
        f << named(type == ListFolder ? "folder" : "path", path);
        break;
    }
    case SetIo:
        if (n != 2)
            return false;
        f << named("IO 1 direction", QString::number((quint8(p[0]) >> 1) & 1))
          << named("IO 2 direction", QString::number(quint8(p[0]) & 1))
          << named("IO 1 value", QString::number((quint8(p[1]) >> 1) & 1))
          << named("IO 2 value", QString::number(quint8(p[1]) & 1));
        break;
    case FormatFlash:
        if (n != 1)
            return false;
        f << QStringLiteral("mark=0x%1").arg(quint8(p[0]), 2, 16, QLatin1Char('0'));
        break;
    default:
        if (n != 0)
            return false;
        break;
    }
    *out = f.join(QLatin1Char(' '));
    return true;
}

bool boardDataFields(int type, const QByteArray &p, QString *out)
{
    const int n = p.size();
    switch (type) {
    case FileBeginStatus:
        if (n < 1)
            return false;
        *out = quint8(p[0]) == 1 ? QStringLiteral("status=1 (accepted)")
                                 : QStringLiteral("status=%1 (refused)").arg(quint8(p[0]));
        return true;
    case FileData:
    case FolderList:
        *out = named("bytes", QString::number(n));
        return true;
    case PowerReading:
        if (n != 4)
            return false;
        *out = QStringLiteral("voltage=%1 mV current=%2 x10 mA").arg(word(p, 0)).arg(word(p, 1));
        return true;
    case IoState:
        if (n != 1)
            return false;
        *out = QStringLiteral("IO state=%1 (IO 1 value=%2 IO 2 value=%3)")
                   .arg(quint8(p[0]))
                   .arg((quint8(p[0]) >> 1) & 1)
                   .arg(quint8(p[0]) & 1);
        return true;
    default:
        if (n != 0)
            return false;
        out->clear();
        return true;
    }
}

} // namespace

int Decoded::servo() const
{
    if (!framed)
        return -1;
    const auto isServo = [](int a) { return (a >= 2 && a <= 20) || a == AllServosAddress; };
    if (isServo(destination) && isHost(source))
        return destination;
    if (isServo(source) && isHost(destination))
        return source;
    return -1;
}

QString kindName(int kind)
{
    switch (kind) {
    case Read: return QStringLiteral("Read");
    case Write: return QStringLiteral("Write");
    case Answer: return QStringLiteral("Answer");
    case BoardData: return QStringLiteral("BoardData");
    default: return QStringLiteral("kind %1").arg(kind);
    }
}

QString addressName(int address)
{
    if (address == HostAddress)
        return QStringLiteral("host");
    if (address == MainboardAddress)
        return QStringLiteral("mainboard");
    if (address == AllServosAddress)
        return QStringLiteral("all servos");
    if (address == LedBoardAddress)
        return QStringLiteral("LED board");
    if (address >= 2 && address <= 20)
        return QStringLiteral("servo %1").arg(address);
    return QStringLiteral("0x%1").arg(address, 4, 16, QLatin1Char('0'));
}

QString typeName(int kind, int type, int source, int destination)
{
    const char *name = nullptr;
    if (source == MainboardAddress && kind == BoardData)
        name = boardDataName(type);
    else if (destination == MainboardAddress || source == MainboardAddress
             || (destination == LedBoardAddress && type == SetLeds))
        name = commandName(type);
    else if (type >= 1 && type < kRegisterCount)
        name = registerName(type);
    return name ? QString::fromLatin1(name) : QStringLiteral("type %1").arg(type);
}

Decoded decodeBody(const QByteArray &body, Detail detail)
{
    Decoded d;
    d.body = body;
    if (body.size() < 7)
        return d;
    const auto *b = reinterpret_cast<const quint8 *>(body.constData());
    d.framed = true;
    d.source = (b[0] << 8) | b[1];
    d.destination = (b[2] << 8) | b[3];
    d.length = b[4];
    d.kind = b[5];
    d.type = b[6];
    d.fault = FrameReader::bodyFault(b, body.size());
    d.typeName = typeName(d.kind, d.type, d.source, d.destination);
    if (detail == Detail::Header)
        return d;
    d.kindName = kindName(d.kind);
    d.sourceName = addressName(d.source);
    d.destinationName = addressName(d.destination);
    // The payload lies between the type and the checksum; a body with a wrong
    // length is read by what arrived.
    const QByteArray payload = body.size() >= 8 ? body.mid(7, body.size() - 8) : QByteArray();
    bool known = false;
    QString fields;
    if (d.source == MainboardAddress && isHost(d.destination)) {
        if (d.kind == Answer && payload.size() == 1) {
            fields = writeStatus(payload);
            known = true;
        } else if (d.kind == BoardData) {
            known = boardDataFields(d.type, payload, &fields);
        }
    } else if ((d.destination == MainboardAddress || d.destination == LedBoardAddress) && d.kind == Write) {
        known = commandFields(d.type, payload, &fields);
    } else if (d.type >= 1 && d.type < kRegisterCount) {
        fields = servoFields(d.kind, d.type, payload);
        known = !fields.isEmpty() || payload.isEmpty();
    }
    if (!known && !payload.isEmpty())
        fields = QStringLiteral("payload=") + hex(payload);
    d.fields = fields;
    return d;
}

Decoded decodeWire(const QByteArray &wire, Detail detail)
{
    // The frame at the start of the bytes; what follows its end marker (the
    // rest of a run of thrown-away bytes) is not read.
    const int n = wire.size();
    if (n < 4 || quint8(wire[0]) != 0xAA || quint8(wire[1]) != 0x55)
        return Decoded();
    QByteArray body;
    body.reserve(n);
    for (int i = 2; i + 1 < n; ++i) {
        if (quint8(wire[i]) != 0xAA) {
            body.append(wire[i]);
            continue;
        }
        if (quint8(wire[i + 1]) == 0x81)
            return decodeBody(body, detail);
        if (wire[i + 1] != '\0')
            return Decoded();  // broken stuffing
        body.append(wire[i]);
        ++i;
    }
    return Decoded();  // no end marker
}

const char *reasonSource(FrameReader::Discard reason)
{
    switch (reason) {
    case FrameReader::Discard::None: return QT_TRANSLATE_NOOP("FrameDecoder", "no frame");
    case FrameReader::Discard::NoStart: return QT_TRANSLATE_NOOP("FrameDecoder", "no start");
    case FrameReader::Discard::BadStuffing: return QT_TRANSLATE_NOOP("FrameDecoder", "bad stuffing");
    case FrameReader::Discard::TooLong: return QT_TRANSLATE_NOOP("FrameDecoder", "too long");
    case FrameReader::Discard::BadLength: return QT_TRANSLATE_NOOP("FrameDecoder", "bad length");
    case FrameReader::Discard::BadChecksum: return QT_TRANSLATE_NOOP("FrameDecoder", "bad checksum");
    case FrameReader::Discard::Unfinished: return QT_TRANSLATE_NOOP("FrameDecoder", "unfinished frame");
    case FrameReader::Discard::BeforeRequest:
        return QT_TRANSLATE_NOOP("FrameDecoder", "arrived before the first request");
    }
    return "";
}

QString checksumText(const Decoded &frame)
{
    if (frame.fault == FrameReader::Discard::BadLength)
        return QStringLiteral("bad length");
    if (frame.fault == FrameReader::Discard::BadChecksum)
        return QStringLiteral("bad checksum");
    return QStringLiteral("checksum ok");
}

QString line(const QByteArray &wire, FrameReader::Discard reason)
{
    const Decoded d = decodeWire(wire);
    QString out;
    if (reason != FrameReader::Discard::None || !d.framed)
        out = QStringLiteral("discarded: %1, %2 bytes: ").arg(QLatin1String(reasonSource(reason))).arg(wire.size())
              + hex(wire);
    if (!d.framed)
        return out;
    QString frame = d.kindName + QLatin1Char(' ') + d.typeName + QLatin1Char(' ') + d.sourceName
                    + QStringLiteral(" -> ") + d.destinationName;
    if (!d.fields.isEmpty())
        frame += QLatin1Char(' ') + d.fields;
    frame += QStringLiteral(", ") + checksumText(d);
    return out.isEmpty() ? frame : out + QStringLiteral(" | ") + frame;
}

QString hex(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

bool parseHex(const QString &text, QByteArray *bytes)
{
    bytes->clear();
    const auto digit = [](QChar c) {
        const ushort u = c.unicode();
        if (u >= '0' && u <= '9')
            return int(u - '0');
        if (u >= 'a' && u <= 'f')
            return int(u - 'a' + 10);
        if (u >= 'A' && u <= 'F')
            return int(u - 'A' + 10);
        return -1;
    };
    // Tokens between white space and commas; a log line's "send:" is skipped.
    QString cleaned = text;
    cleaned.replace(QStringLiteral("send:"), QStringLiteral(" "));
    cleaned.replace(QLatin1Char(','), QLatin1Char(' '));
    for (QString token : cleaned.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts)) {
        if (token.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
            token = token.mid(2);
        if (token.isEmpty())
            return false;
        if (token.size() == 1) {
            const int v = digit(token[0]);
            if (v < 0)
                return false;
            bytes->append(char(v));
            continue;
        }
        if (token.size() % 2 != 0)
            return false;
        for (int i = 0; i < token.size(); i += 2) {
            const int hi = digit(token[i]);
            const int lo = digit(token[i + 1]);
            if (hi < 0 || lo < 0)
                return false;
            bytes->append(char(hi * 16 + lo));
        }
    }
    return true;
}

} // namespace framedecoder
