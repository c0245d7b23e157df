#pragma once
// The motion preview's stepper: plays the frames of a motion on the 17 joint
// angles of the 3D model (servos 2..18, degrees) on a clock. The first
// frame's times are spent standing in its pose; every later frame moves
// linearly from the previous pose in its operation time, then holds for its
// delay. A frame therefore starts when the operation and delay times of the
// frames played before it have passed (the frame info's arithmetic). Loops are
// expanded with a stack of (start row, remaining repeats) pairs.
//
// The stepper reads no clock itself: every call that moves time takes "now",
// a monotonic count of milliseconds, and the preview's own clock advances by
// the difference, except while paused. A late call catches up: the pose is
// where it belongs at "now", and several frames may pass in one call. The
// stepper only computes: what the window must do (select a frame, start,
// pause or stop the music, report a loop fault) comes back as a result.
//
// Also the check of a motion's loop marks before it is downloaded to the robot.

#include <QVector>

#include <functional>

namespace playback {

constexpr int kModelJoints = 17;  // servos 2..18 in frame columns 0..16
// The window's step period; the stepper itself does not count steps.
constexpr int kTickMs = 10;
// Frames passed in one call at most (zero-time frames in huge loops); the
// rest follows on the next call.
constexpr int kMaxFramesPerTick = 10000;

enum State { Stopped = 0, Playing = 1, Paused = 2 };
enum Phase { Moving = 0, Delaying = 1 };
enum Music { MusicNone = 0, MusicPause = 1, MusicStop = 2, MusicPlay = 3 };

// Read access to the motion: frame count and the integer cell (row, column)
// of the frame table's 46 columns.
struct Frames {
    int count = 0;
    std::function<int(int row, int column)> cell;
};

// What starting asks of the window.
struct StartResult {
    bool started = false;       // a new playback began at row 0 (select row 0)
    bool resumed = false;       // a paused playback goes on where it stopped
    // MusicPlay: play with volume from musicPosition (ms into the file):
    // row 0 starts the music at 0, a resumed preview its music where it was.
    int music = MusicNone;
    int volume = 0;
    qint64 musicPosition = 0;
    bool loopEndFirst = false;  // row 0 carries a loop end: warn, play on
};

// A frame the preview reached: its row and the preview time it starts at.
struct Reached {
    int row = 0;
    qint64 at = 0;
};

// What one step asks of the window.
struct TickResult {
    QVector<Reached> reached;   // frames reached in this step, in play order
    int select = -1;            // make this row the current frame (-1: none)
    // The music as the frames reached leave it (the last music event):
    // MusicPlay with its volume and the position the music is at now (ms into
    // the file), MusicPause or MusicStop; MusicNone when no frame reached
    // carries a music event.
    int music = MusicNone;
    int volume = 0;
    qint64 musicPosition = 0;
    bool ended = false;         // the last frame is done: stop the player
    QVector<int> loopFaults;    // frame numbers (row + 1) for loop end warnings
};

class Stepper
{
public:
    // Stopped: begins at row 0 (joint angles := row 0's pose), the preview
    // clock at 0. Paused: goes on, the clock running again from now.
    // Playing: nothing. Nothing happens without frames.
    StartResult start(const Frames &frames, float *angles, qint64 now);
    // Playing -> paused: the clock stops at now. Pausing a stopped playback
    // changes nothing (a later start then begins at row 0, not at a stale place).
    void pause(qint64 now);
    // Any state -> stopped; the loop stack stays until the next start.
    void stop();

    // Moves the preview on to now, with current the current frame's row.
    // Outside the frames (the motion was shortened meanwhile) the playback
    // ends. A current row other than the one the stepper is on (another frame
    // was chosen) starts that frame now from the model's pose.
    TickResult tick(const Frames &frames, int current, float *angles, qint64 now);

    State state() const { return state_; }
    Phase phase() const { return phase_; }
    // The row being played.
    int row() const { return row_; }
    // Preview time (ms since the start, pauses left out) at the last call.
    qint64 clock() const { return clock_; }
    // Preview time at now, without stepping.
    qint64 clockAt(qint64 now) const;
    // Preview time the current frame started at.
    qint64 frameStart() const { return frameStart_; }
    // Where the music the preview plays should be at now (ms into the file),
    // -1 when the preview's music is not playing.
    qint64 musicPositionAt(qint64 now) const;
    const QVector<int> &loopStack() const { return loopStack_; }

private:
    // Applies the loop marks of row c; returns the row that follows.
    int applyLoopRules(const Frames &frames, int c, TickResult *result);
    // A frame's music event at preview time `at` on the music's own timeline.
    void musicEvent(const Frames &frames, int row, qint64 at, TickResult *result);

    State state_ = Stopped;
    Phase phase_ = Moving;
    int row_ = 0;
    qint64 clock_ = 0;       // preview time
    qint64 lastNow_ = 0;     // the caller's clock at the last call
    qint64 frameStart_ = 0;  // preview time the current frame started at
    float from_[kModelJoints] = {};  // the pose the current frame moves from
    QVector<int> loopStack_;
    // The music as the frames command it: stopped (MusicStop), playing from
    // preview time musicOrigin_ (file position 0), or paused at musicPausedAt_.
    int musicState_ = MusicStop;
    qint64 musicOrigin_ = 0;
    qint64 musicPausedAt_ = 0;
    int musicVolume_ = 0;
};

// The loop marks of a motion as the robot's debug download takes them: at
// most one loop, its start before or at its end.
struct LoopScan {
    bool valid = true;     // false: more than one start or end, or unmatched marks
    int startRow = 0;      // 0 if none
    int endRow = 0;        // 0 if none
    int loopTimes = 0;     // of the start row
};
// Frames whose loop flag is a loop start.
int countLoopStarts(const Frames &frames);
LoopScan scanLoops(const Frames &frames);

} // namespace playback
