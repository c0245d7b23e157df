#pragma once
// Snapping frames to the beat grid: each chosen frame is made to start on the
// grid point nearest to where it starts now, by changing the delay time of
// the frame before it (never an operation time). A frame starts where the
// frames from the latest play-music frame up to it end, as the markers on the
// waveform show it. A frame that cannot get there is reported and left as it
// is: the delay would have to become negative or exceed the panel's maximum,
// or the frame starts the music (its start is the music's 0), or no frame at
// or before it plays music.

#include <QVector>

#include "music/beatgrid.h"
#include "music/waveform.h"

namespace music {

// Which grid points a frame may start on.
enum class SnapDivision {
    HalfBeat,      // every beat and every half beat
    Beat,          // every beat
    EverySecond,   // beats 1 and 3 of each bar
    EveryFourth    // the first beat of each bar
};

struct SnapProblem {
    enum Kind {
        NoMusic,        // no play-music frame at or before the frame
        StartsMusic,    // the frame plays the music: it starts at 0
        TooEarly,       // the point lies before the previous frame's operation ends
        TooLate         // the previous frame's delay would pass the maximum
    };
    int row = 0;
    Kind kind = NoMusic;
    qint64 startMs = 0;   // where the frame starts (on the music's time line)
    qint64 pointMs = 0;   // the grid point it was to start on
};

struct SnapResult {
    QVector<QPair<int, int>> delays;   // (row, new delay time), rows whose delay changed
    QVector<SnapProblem> problems;
    int snapped = 0;                   // frames now on their point (moved or there already)
};

// The grid point nearest to ms for the division (ms rounded to whole ms).
qint64 nearestPoint(const BeatGrid &grid, SnapDivision division, double ms);

// frames holds (operation time, delay time, music control) of every row; rows
// the frames to snap (any order, repeats and rows outside the motion are
// ignored). They are taken in motion order, each after the moves of those
// before it.
SnapResult snapFrames(const QVector<FrameTiming> &frames, const QVector<int> &rows, const BeatGrid &grid,
                      SnapDivision division, int delayMaximum = FrameTimeMaximum);

} // namespace music
