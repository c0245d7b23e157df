#pragma once
// Easing baked into frames. The robot plays every frame as a straight move at
// constant speed from the pose before it; it cannot play a curve. So the move
// into a frame is replaced by N shorter straight moves whose end poses lie on
// the chosen curve: the robot then follows the curve piece by piece.
//
// For each frame eased (never the first frame: no move leads into it):
// - N - 1 new frames go in before it; the frame itself stays as the last
//   step, with its own pose, delay, loop marks, music command, volume and
//   LEDs. So a loop that starts or ends at the frame still starts or ends
//   there, and the LED record and music command of the file stay on it.
// - The new frames take the volume and LEDs of the frame before the move
//   (what is in force while the move runs), no delay, no loop mark and no
//   music command.
// - The steps' operation times are whole milliseconds that add up exactly to
//   the move's own time: step k ends at floor(k * T / N), so the remainder of
//   T / N is spread over the steps one millisecond at a time.
// - Step k's pose is the curve at the step's end time: from + (to - from) *
//   shape(end_k / T), rounded to the nearest tenth of a degree, for all 19
//   servos (the extra servos too).
//
// The shortest step made is MinimumStepMs; a move too short for N such steps
// is refused with the most steps it allows.

#include <QString>
#include <QVector>

#include "motion/frametable.h"

namespace easing {

enum class Curve { Linear = 0, EaseIn, EaseOut, Smoothstep, CubicInOut };
constexpr int CurveCount = 5;

// Closed forms on t in [0, 1], each from 0 at t = 0 to 1 at t = 1:
// linear t; ease in t^2; ease out 1 - (1 - t)^2; ease in-out (smoothstep)
// 3t^2 - 2t^3; cubic in-out 4t^3 for t < 1/2, else 1 - (2 - 2t)^3 / 2.
double shape(Curve curve, double t);

// Names on the command line: "linear", "ease-in", "ease-out", "smoothstep",
// "cubic-in-out".
QString curveName(Curve curve);
bool curveFromName(const QString &name, Curve *curve);
// Names shown to the user (English source texts, translated in the context
// "Easing" by the caller): "linear", "ease in", "ease out",
// "ease in-out (smoothstep)", "cubic in-out".
extern const char *const curveTitles[CurveCount];

// The shortest step the ease makes. The preview moves the model in 10 ms
// steps and the robot's main board takes a moment to pass each pose to the
// 19 servos on their shared bus; a step of 20 ms gives every step at least
// two preview steps and keeps the robot's pose updates well apart. A move of
// T ms therefore takes at most T / 20 steps.
constexpr int MinimumStepMs = 20;
// Most steps one move may be split into.
constexpr int MaximumSteps = 100;

// total split into n whole-millisecond parts that add up to total exactly,
// part k (from 0) = floor((k + 1) * total / n) - floor(k * total / n).
// Empty when n < 1.
QVector<int> splitTime(int total, int n);

using Values = frametable::Values;

// The move into one frame, eased.
struct Move {
    int row = 0;              // the frame's row before easing
    QVector<Values> steps;    // the N - 1 frames that go in before it
    int lastStepMs = 0;       // the frame's own operation time after easing
};

struct Plan {
    enum Fault { None, NoMove, StepsOutOfRange, MoveTooShort };
    Fault fault = None;
    int faultyRow = -1;   // MoveTooShort: the frame whose move is too short
    int moveMs = 0;       // MoveTooShort: its operation time
    int steps = 0;        // the N asked for
    QVector<Move> moves;  // ascending rows
    bool ok() const { return fault == None; }
    int addedFrames() const;
};

// Plans the ease of the moves into rows (any order, repeats and rows outside
// the table ignored, row 0 left out) of frames with curve in steps steps.
Plan plan(const QVector<Values> &frames, const QVector<int> &rows, Curve curve, int steps);

// The frames with the plan applied. The frames not eased are the same frame
// objects (a table state shares them with the undo history).
frametable::TableState bake(const frametable::TableState &table, const Plan &plan);
frametable::FrameRows bake(const frametable::FrameRows &rows, const Plan &plan);

// Why a plan was refused, one sentence (English source text, translated in
// the context "Easing"); empty for a plan without fault.
QString faultText(const Plan &plan);

// How closely the baked steps follow the curve: a move of amplitude tenths of
// a degree in moveMs, eased in steps steps and played as the robot plays it
// (straight lines between the steps' poses), against the curve itself,
// sampled at every millisecond. The largest difference in percent of the
// amplitude.
double maxDeviationPercent(Curve curve, int steps, int amplitude, int moveMs);

} // namespace easing
