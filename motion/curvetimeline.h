#pragma once
// Where the frames of a motion lie on the curves view's time axis: the frame
// info's arithmetic in table order, every loop drawn once and marked with the
// number of passes it plays. The first frame's operation and delay times are
// spent standing in its pose (it is reached at 0); every later frame starts
// when the one before it ends, reaches its pose after its operation time and
// holds it for its delay.

#include <QVector>

#include "motion/frameinfo.h"

namespace curvetimeline {

struct Loop {
    int startRow = 0;
    int endRow = 0;
    qint64 passes = 1;  // loop times + 1
    qint64 from = 0;    // the start frame's start
    qint64 to = 0;      // the end frame's end
};

struct Timeline {
    QVector<qint64> start;  // the frame's move begins
    QVector<qint64> reach;  // its pose is reached
    QVector<qint64> end;    // its delay is over
    QVector<Loop> loops;    // loop marks paired like brackets; unpaired ones are left out
    qint64 total() const { return end.isEmpty() ? 0 : end.last(); }
};

Timeline build(const QVector<frameinfo::RowTiming> &rows);

// The row whose pose point lies nearest to time t (ms); -1 without frames.
int nearestRow(const Timeline &timeline, double t);

// The time of a preview position: row and milliseconds into that frame.
qint64 positionAt(const Timeline &timeline, int row, qint64 intoFrame);

} // namespace curvetimeline
