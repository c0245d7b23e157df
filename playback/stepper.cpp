#include "playback/stepper.h"

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

// A frame's times; negative times (a file may carry them) take no time.
static qint64 operationOf(const Frames &frames, int row)
{
    return qMax(0, frames.cell(row, kColOperationTime));
}

static qint64 delayOf(const Frames &frames, int row)
{
    return qMax(0, frames.cell(row, kColDelayTime));
}

StartResult Stepper::start(const Frames &frames, float *angles, qint64 now)
{
    StartResult result;
    if (frames.count <= 0)
        return result;
    if (state_ == Paused) {
        state_ = Playing;
        lastNow_ = now;
        result.resumed = true;
        if (musicState_ == MusicPlay) {
            result.music = MusicPlay;
            result.volume = musicVolume_;
            result.musicPosition = clock_ - musicOrigin_;
        }
        return result;
    }
    if (state_ == Playing)
        return result;

    state_ = Playing;
    phase_ = Moving;
    row_ = 0;
    clock_ = 0;
    lastNow_ = now;
    frameStart_ = 0;
    musicState_ = MusicStop;
    loopStack_.clear();
    result.started = true;
    if (frames.cell(0, kColMusicControl) == MusicPlay) {
        musicState_ = MusicPlay;
        musicOrigin_ = 0;
        musicVolume_ = frames.cell(0, kColVolume);
        result.music = MusicPlay;
        result.volume = musicVolume_;
    }
    const int loopFlag = frames.cell(0, kColLoopFlag);
    if (loopFlag == kLoopStart)
        loopStack_ << 0 << frames.cell(0, kColLoopTimes);
    else if (loopFlag == kLoopEnd)
        result.loopEndFirst = true;
    setPose(frames, 0, angles);
    for (int i = 0; i < kModelJoints; ++i)
        from_[i] = angles[i];
    return result;
}

void Stepper::pause(qint64 now)
{
    if (state_ != Playing)
        return;
    clock_ = clockAt(now);
    lastNow_ = now;
    state_ = Paused;
}

void Stepper::stop()
{
    state_ = Stopped;
}

qint64 Stepper::clockAt(qint64 now) const
{
    // A clock that went backwards (it should not) does not move the preview back.
    return state_ == Playing ? clock_ + qMax<qint64>(0, now - lastNow_) : clock_;
}

qint64 Stepper::musicPositionAt(qint64 now) const
{
    if (state_ == Stopped || musicState_ != MusicPlay)
        return -1;
    return clockAt(now) - musicOrigin_;
}

TickResult Stepper::tick(const Frames &frames, int current, float *angles, qint64 now)
{
    TickResult result;
    if (state_ != Playing)
        return result;
    if (current < 0 || current >= frames.count) {
        state_ = Stopped;
        result.ended = true;
        return result;
    }
    clock_ = clockAt(now);
    lastNow_ = now;
    if (current != row_) {
        // Another frame was chosen while playing: it starts now, moving from
        // the pose the model shows.
        row_ = current;
        frameStart_ = clock_;
        phase_ = Moving;
        for (int i = 0; i < kModelJoints; ++i)
            from_[i] = angles[i];
    }

    for (int passed = 0; passed < kMaxFramesPerTick; ++passed) {
        const int c = row_;
        const qint64 operation = operationOf(frames, c);
        const qint64 delay = delayOf(frames, c);
        const qint64 t = clock_ - frameStart_;
        if (t < operation) {
            // Row 0 stands in the pose it was reached in (its first pass
            // begins in its own pose).
            if (c > 0) {
                const float f = float(t) / float(operation);
                for (int i = 0; i < kModelJoints; ++i)
                    angles[i] = from_[i] + (frames.cell(c, i) / 10.0f - from_[i]) * f;
            }
            return result;
        }
        if (phase_ == Moving) {
            setPose(frames, c, angles);
            phase_ = Delaying;
        }
        if (t < operation + delay)
            return result;

        const int next = c > 0 ? applyLoopRules(frames, c, &result) : c + 1;
        if (next < 0 || next >= frames.count) {
            state_ = Stopped;
            result.ended = true;
            if (!loopStack_.isEmpty()) {
                loopStack_.clear();
                result.loopFaults << c + 1;
            }
            return result;
        }
        for (int i = 0; i < kModelJoints; ++i)
            from_[i] = frames.cell(c, i) / 10.0f;
        frameStart_ += operation + delay;
        row_ = next;
        phase_ = Moving;
        musicEvent(frames, next, frameStart_, &result);
        result.reached << Reached{next, frameStart_};
        result.select = next;
    }
    return result;
}

void Stepper::musicEvent(const Frames &frames, int row, qint64 at, TickResult *result)
{
    const int music = frames.cell(row, kColMusicControl);
    if (music == MusicPlay) {
        // Playing goes on (at the new volume); paused music resumes where it
        // stopped; stopped music starts from the beginning of the file.
        if (musicState_ == MusicPause)
            musicOrigin_ = at - musicPausedAt_;
        else if (musicState_ != MusicPlay)
            musicOrigin_ = at;
        musicState_ = MusicPlay;
        musicVolume_ = frames.cell(row, kColVolume);
    } else if (music == MusicPause) {
        if (musicState_ == MusicPlay) {
            musicPausedAt_ = at - musicOrigin_;
            musicState_ = MusicPause;
        }
    } else if (music == MusicStop) {
        musicState_ = MusicStop;
    } else {
        return;
    }
    result->music = music;
    result->volume = music == MusicPlay ? musicVolume_ : 0;
    result->musicPosition = music == MusicPlay ? clock_ - musicOrigin_ : 0;
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
        result->loopFaults << c + 1;
    }
    return c + 1;
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
