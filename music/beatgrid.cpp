#include "music/beatgrid.h"

#include <cmath>

namespace music {

namespace {
qint64 floorMod(qint64 a, qint64 m)
{
    const qint64 r = a % m;
    return r < 0 ? r + m : r;
}
} // namespace

bool BeatGrid::startsBar(qint64 n) const
{
    return floorMod(n - barBeat, BeatsPerBar) == 0;
}

BeatGrid normalisedGrid(double periodMs, double anyBeatMs, qint64 barStartsAtBeat)
{
    BeatGrid g;
    if (!(periodMs > 0) || !std::isfinite(periodMs) || !std::isfinite(anyBeatMs))
        return g;
    g.periodMs = periodMs;
    // Beats before anyBeatMs down to the first at or after 0.
    const qint64 back = qint64(std::floor(anyBeatMs / periodMs));
    g.firstMs = anyBeatMs - double(back) * periodMs;
    if (g.firstMs >= periodMs)  // rounding at the edge
        g.firstMs -= periodMs;
    if (g.firstMs < 0)
        g.firstMs = 0;
    // anyBeatMs is beat `back` of the normalised grid.
    g.barBeat = int(floorMod(barStartsAtBeat + back, BeatsPerBar));
    return g;
}

QVector<double> beatTimes(const BeatGrid &grid, double durationMs)
{
    QVector<double> times;
    if (!grid.isValid())
        return times;
    for (qint64 n = 0; grid.beatMs(n) <= durationMs; ++n)
        times << grid.beatMs(n);
    return times;
}

GridLines gridLines(const BeatGrid &grid, double fromMs, double toMs)
{
    GridLines lines;
    if (!grid.isValid() || toMs < fromMs)
        return lines;
    // A view far zoomed out would draw a line per pixel and more: those
    // beats are left out, the bars stay.
    const double count = (toMs - fromMs) / grid.periodMs;
    const bool beatsToo = count <= 4000;
    if (count > 4000 * BeatsPerBar)
        return lines;
    for (qint64 n = qint64(std::ceil((fromMs - grid.firstMs) / grid.periodMs)); grid.beatMs(n) <= toMs; ++n) {
        if (grid.startsBar(n))
            lines.bars << grid.beatMs(n);
        else if (beatsToo)
            lines.beats << grid.beatMs(n);
    }
    return lines;
}

BeatGrid shiftedHalfBeat(const BeatGrid &grid)
{
    if (!grid.isValid())
        return grid;
    return normalisedGrid(grid.periodMs, grid.firstMs + grid.periodMs / 2, grid.barBeat);
}

BeatGrid nudged(const BeatGrid &grid, double deltaMs)
{
    if (!grid.isValid())
        return grid;
    return normalisedGrid(grid.periodMs, grid.firstMs + deltaMs, grid.barBeat);
}

void TapTempo::tap(qint64 wallMs, double musicMs)
{
    if (lastWall < 0 || wallMs - lastWall > TapResetMs || wallMs < lastWall)
        taps.clear();
    lastWall = wallMs;
    taps << musicMs;
}

BeatGrid TapTempo::grid() const
{
    const int n = taps.size();
    if (n < 4)
        return BeatGrid();
    // Least squares of tap time on tap number: the slope is the period, and
    // the line's value at the first tap puts the beats on the taps.
    double meanI = (n - 1) / 2.0, meanT = 0;
    for (double t : taps)
        meanT += t;
    meanT /= n;
    double sxy = 0, sxx = 0;
    for (int i = 0; i < n; ++i) {
        sxy += (i - meanI) * (taps[i] - meanT);
        sxx += (i - meanI) * (i - meanI);
    }
    const double period = sxy / sxx;
    if (!(period > 60000.0 / HighestBpm / 2) || period > 60000.0 / LowestBpm * 2)
        return BeatGrid();
    // The first tap starts a bar.
    return normalisedGrid(period, meanT - meanI * period, 0);
}

} // namespace music
