#include "link/playback.h"

namespace playback {

// Frame table columns the preview reads.
static constexpr int kColOperationTime = 19;
static constexpr int kColDelayTime = 20;
static constexpr int kColLoopFlag = 21;
static constexpr int kColLoopTimes = 22;
static constexpr int kColMusicControl = 23;
static constexpr int kColVolume = 27;
static constexpr int kLoopStart = 1;
static constexpr int kLoopEnd = 2;

static void setPose(const Frames &frames, int row, float *angles)
{
    for (int i = 0; i < kModelJoints; ++i)
        angles[i] = frames.cell(row, i) / 10.0f;
}

StartResult Stepper::start(const Frames &frames, float *angles)
{
    StartResult result;
    if (frames.count <= 0)
        return result;
    if (state_ == Paused) {
        state_ = Playing;
        result.resumed = true;
        return result;
    }
    if (state_ == Playing)
        return result;

    state_ = Playing;
    elapsed_ = 0;
    phase_ = Moving;
    loopStack_.clear();
    for (float &increment : increments_)
        increment = 0.0f;
    result.started = true;
    if (frames.cell(0, kColMusicControl) == MusicPlay) {
        result.music = MusicPlay;
        result.volume = frames.cell(0, kColVolume);
    }
    const int loopFlag = frames.cell(0, kColLoopFlag);
    if (loopFlag == kLoopStart)
        loopStack_ << 0 << frames.cell(0, kColLoopTimes);
    else if (loopFlag == kLoopEnd)
        result.loopEndFirst = true;
    setPose(frames, 0, angles);
    return result;
}

void Stepper::pause()
{
    if (state_ == Playing)
        state_ = Paused;
}

void Stepper::stop()
{
    state_ = Stopped;
}

TickResult Stepper::tick(const Frames &frames, int current, float *angles)
{
    TickResult result;
    if (state_ != Playing)
        return result;
    const int c = current;
    if (c < 0 || c >= frames.count) {
        state_ = Stopped;
        result.ended = true;
        return result;
    }

    elapsed_ += kTickMs;
    if (phase_ == Moving) {
        if (c > 0)
            for (int i = 0; i < kModelJoints; ++i)
                angles[i] += increments_[i];
        if (elapsed_ >= frames.cell(c, kColOperationTime)) {
            setPose(frames, c, angles);
            phase_ = Delaying;
            elapsed_ = 0;
        }
        return result;
    }

    if (elapsed_ < frames.cell(c, kColDelayTime))
        return result;
    phase_ = Moving;
    elapsed_ = 0;
    const int next = c > 0 ? applyLoopRules(frames, c, &result) : c + 1;
    advance(frames, c, next, &result);
    return result;
}

int Stepper::applyLoopRules(const Frames &frames, int c, TickResult *result)
{
    const int flag = frames.cell(c, kColLoopFlag);
    if (flag == kLoopStart) {
        if (loopStack_.size() >= 2) {
            const int remaining = loopStack_.takeLast();
            const int startRow = loopStack_.takeLast();
            loopStack_ << startRow << remaining;
            // The running loop's own start begins its next pass; any other
            // start opens a loop inside the running one.
            if (startRow != c)
                loopStack_ << c << frames.cell(c, kColLoopTimes);
        } else {
            loopStack_ << c << frames.cell(c, kColLoopTimes);
        }
        return c + 1;
    }
    if (flag == kLoopEnd) {
        if (loopStack_.size() >= 2) {
            const int remaining = loopStack_.takeLast();
            if (remaining > 0) {
                loopStack_ << remaining - 1;
                return loopStack_[loopStack_.size() - 2];
            }
            loopStack_.removeLast();  // the loop is over
            return c + 1;
        }
        result->loopFault = c + 1;
    }
    return c + 1;
}

void Stepper::advance(const Frames &frames, int c, int next, TickResult *result)
{
    if (next < 0 || next >= frames.count) {
        state_ = Stopped;
        result->ended = true;
        if (!loopStack_.isEmpty()) {
            loopStack_.clear();
            result->loopFault = c + 1;
        }
        return;
    }
    // A frame without operation time jumps to its pose on its first tick:
    // no steps toward it (and no division by zero).
    const int operation = frames.cell(next, kColOperationTime);
    for (int i = 0; i < kModelJoints; ++i)
        increments_[i] =
            operation > 0 ? float(frames.cell(next, i) - frames.cell(c, i)) / float(operation) : 0.0f;
    const int music = frames.cell(next, kColMusicControl);
    if (music == MusicPlay || music == MusicStop || music == MusicPause) {
        result->music = music;
        if (music == MusicPlay)
            result->volume = frames.cell(next, kColVolume);
    }
    result->select = next;
}

int countLoopStarts(const Frames &frames)
{
    int n = 0;
    for (int r = 0; r < frames.count; ++r)
        n += frames.cell(r, kColLoopFlag) == kLoopStart;
    return n;
}

LoopScan scanLoops(const Frames &frames)
{
    LoopScan scan;
    int starts = 0;
    int ends = 0;
    for (int r = 0; r < frames.count && starts <= 1 && ends <= 1; ++r) {
        const int flag = frames.cell(r, kColLoopFlag);
        if (flag == kLoopStart) {
            ++starts;
            scan.startRow = r;
            scan.loopTimes = frames.cell(r, kColLoopTimes);
        } else if (flag == kLoopEnd) {
            ++ends;
            scan.endRow = r;
        }
    }
    // An end before its start closes nothing: the robot would jump back to
    // a frame it has not reached.
    scan.valid = starts == ends && starts <= 1 && (starts == 0 || scan.startRow < scan.endRow);
    return scan;
}

} // namespace playback
