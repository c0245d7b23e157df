#pragma once
// The beat grid of a piece of music: a steady tempo and where its beats fall,
// bars of four beats; moving it by half a beat or a few milliseconds; and a
// tempo tapped along with the music.

#include <QVector>
#include <QtGlobal>

namespace music {

constexpr double DefaultMinBpm = 60;
constexpr double DefaultMaxBpm = 180;
// The tempo range a user may choose.
constexpr double LowestBpm = 20;
constexpr double HighestBpm = 400;
constexpr int BeatsPerBar = 4;
constexpr double NudgeMs = 10;

struct BeatGrid {
    double periodMs = 0;   // time from one beat to the next; 0: no grid
    double firstMs = 0;    // the first beat at or after 0 ms (0 <= firstMs < periodMs)
    int barBeat = 0;       // the first beat that starts a bar, 0..BeatsPerBar-1

    bool isValid() const { return periodMs > 0; }
    double bpm() const { return isValid() ? 60000.0 / periodMs : 0; }
    // Beat n (counted from firstMs; may be negative).
    double beatMs(qint64 n) const { return firstMs + double(n) * periodMs; }
    // Whether beat n starts a bar.
    bool startsBar(qint64 n) const;

    bool operator==(const BeatGrid &o) const
    {
        return periodMs == o.periodMs && firstMs == o.firstMs && barBeat == o.barBeat;
    }
    bool operator!=(const BeatGrid &o) const { return !(*this == o); }
};

// A grid whose first beat lies anywhere (any ms) brought to its form:
// firstMs within 0..periodMs, the bar start counted from it.
BeatGrid normalisedGrid(double periodMs, double anyBeatMs, qint64 barStartsAtBeat = 0);

// The beat times from 0 to durationMs (ms).
QVector<double> beatTimes(const BeatGrid &grid, double durationMs);
// The lines a view draws between fromMs and toMs: beats, and those that start
// a bar apart.
struct GridLines {
    QVector<double> beats;
    QVector<double> bars;
};
GridLines gridLines(const BeatGrid &grid, double fromMs, double toMs);

// The grid moved by half a beat (the bars stay with the beats they had), or
// by deltaMs.
BeatGrid shiftedHalfBeat(const BeatGrid &grid);
BeatGrid nudged(const BeatGrid &grid, double deltaMs);

// Tap tempo: a tap per beat, keyed along with the music. A pause of more than
// TapResetMs starts again; the grid takes the tempo of the taps (a line
// through them) and its beats fall on them.
constexpr qint64 TapResetMs = 2000;
class TapTempo
{
public:
    // A tap at musicMs (the music's position) and wallMs (a clock's time).
    void tap(qint64 wallMs, double musicMs);
    int count() const { return taps.size(); }
    // The grid of the taps so far: valid after 4 taps.
    BeatGrid grid() const;
    void clear() { taps.clear(); lastWall = -1; }

private:
    QVector<double> taps;  // music times
    qint64 lastWall = -1;
};

} // namespace music
