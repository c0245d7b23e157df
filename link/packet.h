#pragma once
// Frames exchanged with the robot: addresses, kinds, request and answer types,
// the request fields a request is built from, and the builder with its byte
// stuffing and checksum.
//
// Frame body: source (2), destination (2), length (1), kind (1), type (1),
// payload (n), checksum (1); numbers big-endian; length = 7 + n + 1; checksum =
// XOR of every body byte before it. On the wire: AA 55, the body with a 00
// inserted after every AA, then AA 81.

#include <QByteArray>
#include <QtGlobal>

namespace packet {

enum Address : quint16 {
    HostAddress = 0x8001,
    HostAddressAlt = 0x8002,
    ServoAnswerAddress = 0x0001,
    MainboardAddress = 0x8000,
    AllServosAddress = 1000,
    LedBoardAddress = 0x0015,
};

enum Kind { Read = 1, Write = 2, Answer = 3, BoardData = 6 };

// Servo registers (types 1..33), mainboard and LED board commands, and the
// mainboard's answer types (some share a number with the request they answer).
enum Type {
    Register1 = 1,
    Speed = 2,
    Register3 = 3,
    Register4 = 4,
    ParameterP = 5,
    ParameterD = 6,
    ParameterI = 7,
    ParametersPDI = 8,
    CwFlexibleMargin = 9,
    CcwFlexibleMargin = 10,
    CwFlexibleSlope = 11,
    CcwFlexibleSlope = 12,
    WorkingMode = 13,
    WorkingState = 14,
    MaximumPosition = 15,
    MinimumPosition = 16,
    MaximumTemperature = 17,
    MaximumVoltage = 18,
    MinimumVoltage = 19,
    MaximumTorque = 20,
    AllParameters = 21,
    Position = 22,
    CurrentSpeed = 23,
    CurrentTorque = 24,
    CurrentVoltage = 25,
    CurrentTemperature = 26,
    AllCurrentData = 27,
    Version = 28,
    ServoModel = 29,
    WriteFlash = 30,
    PidDeadZone = 31,
    Acceleration = 32,
    Register33 = 33,

    SetLeds = 37,
    DebugFrame = 48,
    DebugSummary = 49,
    PlayControl = 50,
    RunFile = 51,
    MovePose = 60,
    FileBegin = 62,
    FileData = 63,
    FileEnd = 64,
    DeleteFile = 65,
    ListFolder = 66,
    GetFile = 68,
    KeepAlive = 69,
    SetIo = 77,
    GetIo = 78,
    ResetBoard = 82,
    PrepareTransfer = 86,
    TransferDone = 87,
    FormatFlash = 88,

    // Mainboard answers.
    FileBeginStatus = 62,
    TransferEnd = 64,
    FolderList = 67,
    PowerReading = 70,
    IoState = 79,
    FormatDone = 88,
};

// Values of the WorkingMode register (the servo panel's working-mode items).
enum class ServoMode : quint16 {
    BrakeStop = 1,         // the servo holds where it stands
    OrdinaryServo = 2,
    CurveServo = 3,        // the servo follows the motion
    FlexibleControl = 6,
    StopWithoutBrake = 7,
};

// The first byte of a PlayControl payload.
enum class PlayCode : quint8 { Play = 1, Pause = 2, Stop = 3 };

// The first byte of a RunFile payload: run the motion just downloaded
// (DebugFrame and DebugSummary), or run the robot file whose path follows.
enum class RunCode : quint8 { Downloaded = 2, Path = 3 };

// The one byte of a FormatFlash payload ("X").
constexpr quint8 kFormatFlashMark = 0x58;

// Speed and acceleration every servo is given before it follows a pose edit.
constexpr quint16 kPoseSpeed = 300;
constexpr quint16 kPoseAcceleration = 1000;

// The 22 registers of an AllParameters block, in the order of their words.
constexpr int kAllParametersOrder[22] = {
    Register1,       Speed,            Register3,          Register4,      Register33,     ParameterP,
    ParameterD,      ParameterI,       PidDeadZone,        Acceleration,   CwFlexibleMargin, CcwFlexibleMargin,
    CwFlexibleSlope, CcwFlexibleSlope, WorkingMode,        WorkingState,   MaximumPosition, MinimumPosition,
    MaximumTemperature, MaximumVoltage, MinimumVoltage,    MaximumTorque};

constexpr int kRegisterCount = 34;        // register fields indexed by type 0..33
// The name of servo register (type) 1..33, as in "Write Speed"; nullptr for
// any other type.
const char *registerName(int type);
constexpr int kPoseServos = 19;           // servos 2..20
constexpr int kTextBlock = 128;           // run, delete, send-header and get-path blocks
constexpr int kListPathBlock = 12;        // "0:/robotsys" and its NUL
constexpr int kChunkCapacity = 256;       // the chunk field
constexpr int kMaxPayload = 255 - 8;      // the length byte bounds every body to 255 bytes
constexpr int kMaxBody = 255;
constexpr int kMaxFrame = 4 + 2 * kMaxBody;  // every body byte stuffed, plus the markers
constexpr int kBoardNotification = 256;   // robotReceivedData(256 + type) for mainboard data

constexpr int kDebugFrameSize = 49;
constexpr int kDebugSummarySize = 12;
constexpr int kFrameColumns = 46;         // one frame table row

// Registers whose value is a signed 16-bit number.
bool isSignedRegister(int type);
// Registers that a single Read or Write carries as one word.
bool isOneWordRegister(int type);

// What a request is built from. The caller fills the fields the request needs,
// then builds it. Text blocks hold NUL-terminated byte strings; the setters
// refuse a text that does not fit its block whole (the block is then emptied,
// so nothing is sent with a cut text).
struct RequestFields {
    quint16 servoAddress = 999;
    quint16 registers[kRegisterCount] = {};
    qint16 pose[kPoseServos] = {};
    quint8 debugFrame[kDebugFrameSize] = {};
    quint8 debugSummary[kDebugSummarySize] = {};
    quint8 playControl[2] = {};
    quint8 runBlock[kTextBlock] = {};
    quint8 deletePath[kTextBlock] = {};
    quint8 sendHeader[kTextBlock] = {};
    quint8 getPath[kTextBlock] = {};
    quint8 listPath[kListPathBlock] = {};
    quint8 chunk[kChunkCapacity] = {};
    quint32 chunkLength = 0;
    quint8 io[2] = {};
    quint8 leds[9] = {};

    RequestFields() { registers[Register33] = 1; }

    // RunFile with the byte 3 and a path (at most 126 bytes).
    bool setRunPath(const QByteArray &path);
    // RunFile with a single byte other than 3 (2: run the motion just downloaded).
    void setRunCode(quint8 code);
    bool setDeletePath(const QByteArray &path);  // at most 127 bytes
    bool setGetPath(const QByteArray &path);     // at most 127 bytes
    bool setSendPath(const QByteArray &path);    // FileBegin: leading 0, at most 126 bytes
    bool setListPath(const QByteArray &folder);  // at most 11 bytes
    // FileData content, 1..kMaxPayload bytes.
    bool setChunk(const char *data, int length);
    void setPlayControl(quint8 code) { playControl[0] = code; playControl[1] = 0; }
};

// Longest path each text request takes.
constexpr int kRunPathMax = kTextBlock - 2;
constexpr int kSendPathMax = kTextBlock - 2;
constexpr int kDeletePathMax = kTextBlock - 1;
constexpr int kGetPathMax = kTextBlock - 1;

// Fills the DebugFrame block from one frame table row (46 columns) numbered r.
void fillDebugFrame(quint8 *block, const int *row, int r);
// Fills the DebugSummary block.
void fillDebugSummary(quint8 *block, int lastFrame, int loopStartRow, int loopEndRow, int loopTimes);

quint8 checksum(const quint8 *body, int count);

// Builds the body of request (type, kind) from the fields into body (at least
// kMaxBody bytes); returns its length, or 0 when there is nothing to send.
int buildBody(const RequestFields &fields, int type, int kind, quint8 *body);
// Frames a body (its checksum included): markers and stuffing. frame needs
// 4 + 2 * length bytes; returns the count written.
int encodeFrame(const quint8 *body, int length, quint8 *frame);
// buildBody then encodeFrame into frame (at least kMaxFrame bytes); 0 when
// nothing is to be sent.
int buildRequest(const RequestFields &fields, int type, int kind, quint8 *frame);
QByteArray buildRequest(const RequestFields &fields, int type, int kind);

// Any frame, for answers and tests: body from its parts, checksum, framing.
// Empty when the payload is longer than kMaxPayload.
QByteArray makeFrame(quint16 source, quint16 destination, int kind, int type, const QByteArray &payload);

// "send:" followed by every byte in lowercase hexadecimal without leading
// zeros, each followed by one space.
QString sendLogLine(const quint8 *frame, int count);

} // namespace packet
