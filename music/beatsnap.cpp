#include "music/beatsnap.h"

#include <algorithm>
#include <cmath>

namespace music {

qint64 nearestPoint(const BeatGrid &grid, SnapDivision division, double ms)
{
    if (!grid.isValid())
        return qint64(std::llround(ms));
    if (division == SnapDivision::HalfBeat) {
        const double half = grid.periodMs / 2;
        return std::llround(grid.firstMs + std::round((ms - grid.firstMs) / half) * half);
    }
    const int every = division == SnapDivision::Beat ? 1 : division == SnapDivision::EverySecond ? 2 : 4;
    // Points on beats barBeat + k * every: every second beat falls on beats
    // 1 and 3 of the bars, every fourth on their first beats.
    const double origin = grid.beatMs(grid.barBeat);
    const double step = grid.periodMs * every;
    return std::llround(origin + std::round((ms - origin) / step) * step);
}

SnapResult snapFrames(const QVector<FrameTiming> &frames, const QVector<int> &rows, const BeatGrid &grid,
                      SnapDivision division, int delayMaximum)
{
    SnapResult result;
    QVector<int> order;
    for (int r : rows)
        if (r >= 0 && r < frames.size() && !order.contains(r))
            order << r;
    std::sort(order.begin(), order.end());
    QVector<int> delays(frames.size());
    for (int r = 0; r < frames.size(); ++r)
        delays[r] = frames[r].delayTime;

    for (int row : qAsConst(order)) {
        // The frame's start: the frames since the latest music frame at or before it.
        int music = -1;
        for (int r = row; r >= 0; --r)
            if (frames[r].musicControl == MusicPlay) {
                music = r;
                break;
            }
        SnapProblem problem;
        problem.row = row;
        if (music < 0) {
            problem.kind = SnapProblem::NoMusic;
            result.problems << problem;
            continue;
        }
        qint64 start = 0;
        for (int r = music; r < row; ++r)
            start += qint64(frames[r].operationTime) + delays[r];
        const qint64 point = nearestPoint(grid, division, double(start));
        problem.startMs = start;
        problem.pointMs = point;
        if (point == start) {
            ++result.snapped;
            continue;
        }
        if (row == music) {
            problem.kind = SnapProblem::StartsMusic;
            result.problems << problem;
            continue;
        }
        const qint64 delay = qint64(delays[row - 1]) + (point - start);
        if (delay < 0 || delay > delayMaximum) {
            problem.kind = delay < 0 ? SnapProblem::TooEarly : SnapProblem::TooLate;
            result.problems << problem;
            continue;
        }
        delays[row - 1] = int(delay);
        ++result.snapped;
    }
    for (int r = 0; r < frames.size(); ++r)
        if (delays[r] != frames[r].delayTime)
            result.delays << qMakePair(r, delays[r]);
    return result;
}

} // namespace music
