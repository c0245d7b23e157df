#pragma once
// Finds frames in the byte stream from the robot, one byte at a time, whatever
// the chunking: hunting for AA 55, then storing body bytes (an AA followed by
// 00 is one data byte AA) until AA 81. A frame is handed on only when its
// length byte and checksum agree with what arrived; anything else is dropped
// silently. The store never grows past kMaxStored bytes.
//
// With a tap set, the reader also tells what it saw on the line: each valid
// frame as its bytes on the wire, and each run of bytes it threw away, with
// why. A run is every byte from the first one thrown away up to the next frame
// start (or until flushDiscards() is called, when the line has gone quiet), so
// a damaged frame and whatever trails it before the next start make one run.

#include <QByteArray>
#include <QtGlobal>
#include <functional>
#include <vector>

class FrameReader
{
public:
    // A frame whose stored bytes reach this count is dropped.
    static constexpr int kMaxStored = 65535;
    // A run of thrown-away bytes is told in pieces of at most this many bytes.
    static constexpr int kMaxDiscardRun = 4096;

    using Handler = std::function<void(const quint8 *body, int length)>;

    // Why bytes were thrown away (the first cause in a run).
    enum class Discard {
        None,
        NoStart,      // bytes outside a frame, not AA 55
        BadStuffing,  // an AA in a frame followed by neither 00 nor 81
        TooLong,      // a frame that reached kMaxStored bytes
        BadLength,    // the length byte disagrees with the frame's length (or under 8)
        BadChecksum,  // the checksum disagrees
        Unfinished,   // a frame in progress when the reader was reset
        BeforeRequest,  // arrived on a new link before its first request (see SerialPortThread)
    };

    struct Tap {
        // A valid frame as it came on the wire (markers and stuffing included).
        std::function<void(const QByteArray &wire)> frame;
        // A run of bytes thrown away, as they came.
        std::function<void(Discard reason, const QByteArray &wire)> discard;
    };
    // Starts (or, with an empty tap, stops) telling what the reader sees.
    void setTap(Tap tap);
    // Tells the run of thrown-away bytes gathered so far.
    void flushDiscards();

    // Reads count bytes; calls onFrame for each valid body. Returns the number
    // of valid frames found.
    int feed(const quint8 *data, int count, const Handler &onFrame);
    int feed(const char *data, int count, const Handler &onFrame)
    {
        return feed(reinterpret_cast<const quint8 *>(data), count, onFrame);
    }

    // Called for a frame that ended with its end marker but whose length or
    // checksum is wrong (at least its two source bytes arrived): a damaged
    // answer, whose claimed source may still tell who was talking.
    void setDamagedHandler(Handler onDamaged) { onDamaged_ = std::move(onDamaged); }

    // Frames dropped so far (bad stuffing, overflow, bad length or checksum).
    quint64 dropped() const { return dropped_; }
    bool hunting() const { return state_ == Hunting || state_ == StartSeen; }
    void reset();

    // A body is valid when it has at least 8 bytes, its length byte equals its
    // length and its last byte is the XOR of the others.
    static bool validBody(const quint8 *body, int length);
    // Why a finished body is not valid (None when it is).
    static Discard bodyFault(const quint8 *body, int length);

private:
    enum State { Hunting, StartSeen, InFrame, AfterAA };

    void endFrame(const Handler &onFrame, int *found);
    void frameStarts();
    void throwAway(Discard reason, const char *bytes, int count);
    void throwAway(Discard reason, const QByteArray &bytes) { throwAway(reason, bytes.constData(), bytes.size()); }

    State state_ = Hunting;
    std::vector<quint8> store_;
    quint64 dropped_ = 0;
    Handler onDamaged_;

    // Tapping only.
    bool tapping_ = false;
    Tap tap_;
    QByteArray raw_;        // the frame in progress as it came, from its AA 55
    QByteArray runBytes_;   // the run of thrown-away bytes not yet told
    Discard runReason_ = Discard::None;
};
