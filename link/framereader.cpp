#include "link/framereader.h"

#include "link/packet.h"

bool FrameReader::validBody(const quint8 *body, int length)
{
    return length >= 8 && body[4] == length && packet::checksum(body, length - 1) == body[length - 1];
}

void FrameReader::reset()
{
    state_ = Hunting;
    store_.clear();
}

void FrameReader::endFrame(const Handler &onFrame, int *found)
{
    // The store ends with the AA of the end marker.
    const int length = int(store_.size()) - 1;
    if (validBody(store_.data(), length)) {
        ++*found;
        if (onFrame)
            onFrame(store_.data(), length);
    } else {
        ++dropped_;
        if (onDamaged_ && length >= 2)
            onDamaged_(store_.data(), length);
    }
    store_.clear();
    state_ = Hunting;
}

int FrameReader::feed(const quint8 *data, int count, const Handler &onFrame)
{
    int found = 0;
    for (int i = 0; i < count; ++i) {
        const quint8 b = data[i];
        switch (state_) {
        case Hunting:
            if (b == 0xAA)
                state_ = StartSeen;
            break;
        case StartSeen:
            // A second AA may itself start the frame.
            if (b == 0x55) {
                store_.clear();
                state_ = InFrame;
            } else if (b != 0xAA) {
                state_ = Hunting;
            }
            break;
        case InFrame:
            store_.push_back(b);
            if (int(store_.size()) >= kMaxStored) {
                ++dropped_;
                store_.clear();
                state_ = Hunting;
            } else if (b == 0xAA) {
                state_ = AfterAA;
            }
            break;
        case AfterAA:
            if (b == 0x00) {
                state_ = InFrame;  // the AA was data
            } else if (b == 0x81) {
                endFrame(onFrame, &found);
            } else {
                // Broken stuffing costs the frame. AA 55 is a new start: the
                // frame in progress was cut short, the next one is kept.
                ++dropped_;
                store_.clear();
                state_ = b == 0x55 ? InFrame : Hunting;
            }
            break;
        }
    }
    return found;
}
