#pragma once
// Finds frames in the byte stream from the robot, one byte at a time, whatever
// the chunking: hunting for AA 55, then storing body bytes (an AA followed by
// 00 is one data byte AA) until AA 81. A frame is handed on only when its
// length byte and checksum agree with what arrived; anything else is dropped
// silently. The store never grows past kMaxStored bytes.

#include <QtGlobal>
#include <functional>
#include <vector>

class FrameReader
{
public:
    // A frame whose stored bytes reach this count is dropped.
    static constexpr int kMaxStored = 65535;

    using Handler = std::function<void(const quint8 *body, int length)>;

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

private:
    enum State { Hunting, StartSeen, InFrame, AfterAA };

    void endFrame(const Handler &onFrame, int *found);

    State state_ = Hunting;
    std::vector<quint8> store_;
    quint64 dropped_ = 0;
    Handler onDamaged_;
};
