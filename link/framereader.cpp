#include "link/framereader.h"

#include "link/packet.h"

FrameReader::Discard FrameReader::bodyFault(const quint8 *body, int length)
{
    if (length < 8 || body[4] != length)
        return Discard::BadLength;
    if (packet::checksum(body, length - 1) != body[length - 1])
        return Discard::BadChecksum;
    return Discard::None;
}

bool FrameReader::validBody(const quint8 *body, int length)
{
    return bodyFault(body, length) == Discard::None;
}

void FrameReader::setTap(Tap tap)
{
    flushDiscards();
    tap_ = std::move(tap);
    tapping_ = bool(tap_.frame) || bool(tap_.discard);
    raw_.clear();
    // A frame already under way is told whole: its bytes as they came are
    // the start marker and the stored bytes stuffed again (the last AA of
    // the store waits for the byte after it).
    if (tapping_ && (state_ == InFrame || state_ == AfterAA)) {
        raw_ = QByteArray("\xAA\x55", 2);
        for (size_t i = 0; i < store_.size(); ++i) {
            raw_.append(char(store_[i]));
            if (store_[i] == 0xAA && !(state_ == AfterAA && i + 1 == store_.size()))
                raw_.append('\0');
        }
    }
}

void FrameReader::throwAway(Discard reason, const char *bytes, int count)
{
    if (!tapping_ || count <= 0)
        return;
    if (runBytes_.isEmpty())
        runReason_ = reason;
    runBytes_.append(bytes, count);
    if (runBytes_.size() >= kMaxDiscardRun)
        flushDiscards();
}

void FrameReader::flushDiscards()
{
    if (runBytes_.isEmpty())
        return;
    const QByteArray run = runBytes_;
    const Discard reason = runReason_;
    runBytes_.clear();
    runReason_ = Discard::None;
    if (tap_.discard)
        tap_.discard(reason, run);
}

void FrameReader::reset()
{
    if (tapping_ && (state_ == InFrame || state_ == AfterAA))
        throwAway(Discard::Unfinished, raw_);
    else if (tapping_ && state_ == StartSeen)
        throwAway(Discard::NoStart, "\xAA", 1);
    flushDiscards();
    raw_.clear();
    state_ = Hunting;
    store_.clear();
}

void FrameReader::frameStarts()
{
    store_.clear();
    state_ = InFrame;
    if (tapping_) {
        flushDiscards();
        raw_ = QByteArray("\xAA\x55", 2);
    }
}

void FrameReader::endFrame(const Handler &onFrame, int *found)
{
    // The store ends with the AA of the end marker.
    const int length = int(store_.size()) - 1;
    const Discard fault = bodyFault(store_.data(), length);
    if (fault == Discard::None) {
        ++*found;
        if (tapping_ && tap_.frame)
            tap_.frame(raw_);
        if (onFrame)
            onFrame(store_.data(), length);
    } else {
        ++dropped_;
        if (onDamaged_ && length >= 2)
            onDamaged_(store_.data(), length);
        throwAway(fault, raw_);
    }
    raw_.clear();
    store_.clear();
    state_ = Hunting;
}

int FrameReader::feed(const quint8 *data, int count, const Handler &onFrame)
{
    int found = 0;
    for (int i = 0; i < count; ++i) {
        const quint8 b = data[i];
        const char c = char(b);
        switch (state_) {
        case Hunting:
            if (b == 0xAA)
                state_ = StartSeen;
            else
                throwAway(Discard::NoStart, &c, 1);
            break;
        case StartSeen:
            // A second AA may itself start the frame.
            if (b == 0x55) {
                frameStarts();
            } else if (b != 0xAA) {
                throwAway(Discard::NoStart, "\xAA", 1);
                throwAway(Discard::NoStart, &c, 1);
                state_ = Hunting;
            } else {
                throwAway(Discard::NoStart, "\xAA", 1);
            }
            break;
        case InFrame:
            store_.push_back(b);
            if (tapping_)
                raw_.append(c);
            if (int(store_.size()) >= kMaxStored) {
                ++dropped_;
                throwAway(Discard::TooLong, raw_);
                raw_.clear();
                store_.clear();
                state_ = Hunting;
            } else if (b == 0xAA) {
                state_ = AfterAA;
            }
            break;
        case AfterAA:
            if (tapping_)
                raw_.append(c);
            if (b == 0x00) {
                state_ = InFrame;  // the AA was data
            } else if (b == 0x81) {
                endFrame(onFrame, &found);
            } else {
                // Broken stuffing costs the frame. AA 55 is a new start: the
                // frame in progress was cut short, the next one is kept.
                ++dropped_;
                if (b == 0x55) {
                    throwAway(Discard::BadStuffing, raw_.constData(), raw_.size() - 2);
                    raw_.clear();
                    frameStarts();
                } else {
                    throwAway(Discard::BadStuffing, raw_);
                    raw_.clear();
                    store_.clear();
                    state_ = Hunting;
                }
            }
            break;
        }
    }
    return found;
}
