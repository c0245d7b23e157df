#pragma once
// The frame info text: when a frame is first and last reached while the motion
// plays (loops repeat their frames), and the description of one frame with its
// times, loop mark, music command, volume and LED channels.

#include <QString>
#include <QVector>

#include <array>

namespace frameinfo {

// What the play times need of a frame.
struct RowTiming {
    int operationTime = 0;
    int delayTime = 0;
    int loopFlag = 0;   // 0 none, 1 loop start, 2 loop end
    int loopTimes = 0;  // repeats of the loop that starts here
    int musicControl = 0;  // 3: the frame starts playing music
};

struct PlayTimes {
    // Sum of the operation and delay times of frames 0 to current: the end of
    // the current frame on its first pass.
    qint64 firstTimeHere = 0;
    // End of the current frame on its last pass, counted in play order with
    // every loop repeated; 0 when the motion has no loop start up to the
    // current frame, or when its loops stop the play before it.
    qint64 lastTimeHere = 0;
};

// Plays the motion in order as the robot does: a loop start with loop times n
// plays the frames up to its loop end n + 1 times; loops nest like brackets.
// A loop end with no open loop stops the play there, and so does the last frame
// while a loop is still open. Repeated passes of a loop are added up at once
// instead of being walked again, so huge loop counts cost no time; the sums
// saturate instead of overflowing.
PlayTimes playTimes(const QVector<RowTiming> &rows, int current);

// When each frame starts on the music's time line (ms): the operation and delay
// times of the frames from the latest frame at or before it that plays music
// (music control 3) up to the frame before it, in table order; -1 for a frame
// with no music frame at or before it. This is the time a double-click on the
// waveform measures from, so a frame timed to a click ends where the next
// frame's start lies. Loops are not repeated here. The sums saturate.
constexpr int MusicPlayControl = 3;
QVector<qint64> musicStartTimes(const QVector<RowTiming> &rows);

// Values of one frame in the frame table's 46 columns.
using FrameValues = std::array<int, 46>;

// The frame info text of frame `current` (counted from 0) with its values and
// play times, lines separated by CR LF. Fixed texts are translated in the
// context "MainWindow".
QString describe(int current, const FrameValues &frame, const PlayTimes &times);

} // namespace frameinfo
