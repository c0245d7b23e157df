#pragma once
// Reads frames for people: the packet monitor, `gaitforge-cli decode` and the
// trace of `gaitforge-cli robot --trace` show a frame as its kind, its type
// name, where it comes from and goes to, its payload as named fields, and
// whether its length and checksum hold. Bytes the frame reader threw away are
// shown with the reason. Anything is accepted: a payload that does not have
// the size its type gives is shown as hexadecimal.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include "link/framereader.h"

namespace framedecoder {

struct Decoded {
    // The bytes hold a whole frame: AA 55, a body of at least 7 bytes, AA 81
    // (for decodeWire), or a body of at least 7 bytes (for decodeBody).
    bool framed = false;
    QByteArray body;  // unstuffed, checksum included
    int source = -1;
    int destination = -1;
    int length = -1;  // the length byte
    int kind = -1;
    int type = -1;
    FrameReader::Discard fault = FrameReader::Discard::None;  // BadLength or BadChecksum when not valid

    QString kindName;         // "Read", "Write", "Answer", "BoardData", or "kind N"
    QString typeName;         // "Speed", "MovePose", "PowerReading" ... or "type N"
    QString sourceName;       // "host", "mainboard", "servo 5", "all servos", "LED board", or "0x1234"
    QString destinationName;
    QString fields;           // "Speed=300", "servo2=0 servo3=-150 ..."; empty when the frame has none

    bool valid() const { return framed && fault == FrameReader::Discard::None; }
    // The bus address of the servo the frame concerns (2..20 or 1000), or -1.
    int servo() const;
};

// How much of a frame is read: all of it, or only what sorts it (framed,
// addresses, length, kind, type, fault and the type's name; no other names
// and no fields), which is quick enough for every frame of a busy line.
enum class Detail { Full, Header };

// A body as the frame reader stores it (checksum included).
Decoded decodeBody(const QByteArray &body, Detail detail = Detail::Full);
// Bytes as on the wire: AA 55, the stuffed body, AA 81 (bytes after the end
// marker are not read).
Decoded decodeWire(const QByteArray &wire, Detail detail = Detail::Full);

// Names of a frame's parts.
QString kindName(int kind);
QString typeName(int kind, int type, int source, int destination);
QString addressName(int address);

// The words the reader's reasons are shown with ("bad checksum" ...), in
// English; translate them in the "FrameDecoder" context.
const char *reasonSource(FrameReader::Discard reason);

// "checksum ok", "bad checksum" or "bad length".
QString checksumText(const Decoded &frame);

// One line for a frame: kind, type, source -> destination, fields, checksum
// state. Bytes that hold no whole frame: "discarded: " and the reason (or
// "no frame" when none is given), the byte count and the bytes.
QString line(const QByteArray &wire, FrameReader::Discard reason = FrameReader::Discard::None);

// Upper-case hexadecimal, bytes separated by one space ("AA 55 80 01").
QString hex(const QByteArray &bytes);
// Reads hexadecimal bytes separated by white space or commas: a token of one
// digit is one byte (as the communication log writes them, "send:aa 55 80 1"),
// a longer token is read as pairs of digits ("AA55"), "0x" may lead a token.
// False on anything else (an odd-length token of more than one digit).
bool parseHex(const QString &text, QByteArray *bytes);

} // namespace framedecoder
