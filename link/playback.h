#pragma once
// The motion preview's stepper: plays the frames of a motion on the 17 joint
// angles of the 3D model (servos 2..18, degrees), one 10 ms tick at a time.
// The first frame's times are spent standing in its pose; every later frame
// moves linearly from the previous pose in its operation time, then holds for
// its delay. Loops are expanded with a stack of (start row, remaining repeats)
// pairs. The stepper only computes: what the window must do (select a frame,
// start, pause or stop the music, report a loop fault) comes back as a result.
//
// Also the check of a motion's loop marks before it is downloaded to the robot.

#include <QVector>

#include <functional>

namespace playback {

constexpr int kModelJoints = 17;  // servos 2..18 in frame columns 0..16
constexpr int kTickMs = 10;

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
    int music = MusicNone;      // MusicPlay: play with volume, play line from 0
    int volume = 0;
    bool loopEndFirst = false;  // row 0 carries a loop end: warn, play on
};

// What one tick asks of the window.
struct TickResult {
    int select = -1;            // make this row the current frame (-1: none)
    int music = MusicNone;      // music event of the frame just reached
    int volume = 0;             // its volume (MusicPlay)
    bool ended = false;         // the last frame is done: stop the player
    int loopFault = 0;          // frame number (row + 1) for the loop end warning, 0 none
};

class Stepper
{
public:
    // Stopped: begins at row 0 (joint angles := row 0's pose). Paused: goes
    // on. Playing: nothing. Nothing happens without frames.
    StartResult start(const Frames &frames, float *angles);
    // Playing -> paused. Pausing a stopped playback changes nothing (a later
    // start then begins at row 0, not at a stale place).
    void pause();
    // Any state -> stopped; the loop stack stays until the next start.
    void stop();

    // One 10 ms step with current the current frame's row. Outside the
    // frames (the motion was shortened meanwhile) the playback ends.
    TickResult tick(const Frames &frames, int current, float *angles);

    State state() const { return state_; }
    Phase phase() const { return phase_; }
    qint32 elapsed() const { return elapsed_; }
    const QVector<int> &loopStack() const { return loopStack_; }
    const float *increments() const { return increments_; }

private:
    // Applies the loop marks of row c; returns the row that follows.
    int applyLoopRules(const Frames &frames, int c, TickResult *result);
    void advance(const Frames &frames, int c, int next, TickResult *result);

    State state_ = Stopped;
    Phase phase_ = Moving;
    qint32 elapsed_ = 0;
    float increments_[kModelJoints] = {};
    QVector<int> loopStack_;
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
