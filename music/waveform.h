#pragma once
// Plain rules of the music view: the decoded sample stream, the waveform's
// points and axis ranges, when the play line moves, how the plot's scroll bars
// follow the axes, and the frame timing offered by a double-click on the plot.

#include <QVector>
#include <QtGlobal>

namespace music {

// Decoded music: one value per millisecond, each the 16-bit PCM sample / 100
// (truncated toward zero).
using Samples = QVector<qint16>;

// Appends count interleaved PCM frames of channels channels (only the first
// channel is kept), each divided by 100.
void appendSamples(Samples &samples, const qint16 *data, int frameCount, int channels = 1);

// Decoding progress: position / duration when both are known (non-negative,
// duration not 0), else last. Returns true and stores the fraction in *last
// when it grew by more than 0.1 since the last report.
double progressFraction(qint64 position, qint64 duration, double last);
bool progressReport(qint64 position, qint64 duration, double *last);

// One waveform point per 100 ms (every hundredth sample, no averaging), x in
// seconds; with the ranges that show the whole waveform.
struct Waveform {
    QVector<double> x;
    QVector<double> y;
    qint16 largest = -10000;   // largest y drawn (-10000 when none)
    qint16 smallest = 10000;   // smallest y drawn (10000 when none)
    double xCentre = 0;        // x axis: 0 to the length in seconds
    double xSize = 0;
    double yCentre = 0;        // y axis: centred on 0, the loudest point inside
    double ySize = 0;
};
// Start ranges of the plot (before any music): x -3..3, y -5..5.
constexpr double StartXCentre = 0, StartXSize = 6, StartYCentre = 0, StartYSize = 10;
// Smallest y range drawn for a waveform (a silent file).
constexpr double MinimumYSize = 10;
Waveform waveformPoints(const Samples &samples);

// Play line: drawn again only when the position moved 500 ms or more from the
// last drawn one.
constexpr qint64 PlayLineStepMs = 500;
bool playLineMoves(qint64 lastDrawnMs, qint64 positionMs);
// Half height of the play line: the full range of a decoded sample (32768 / 100),
// so the line crosses every waveform.
constexpr double PlayLineHalfHeight = 328;

// Scroll bars of the plot, in 1/100 of an axis unit. The vertical bar runs
// opposite to the y axis.
constexpr int ScrollMinimum = -500, ScrollMaximum = 500;
constexpr double ScrollEcho = 0.01;
// The axis centre a scroll bar value asks for, and whether the axis must move
// (not when it is already there: the bar and the axis would echo each other).
double horizontalScrollCentre(int value);
double verticalScrollCentre(int value);
bool axisMustFollow(double axisCentre, double wantedCentre);
// Scroll bar value and page step for an axis range (rounded to the nearest integer).
struct ScrollPosition {
    int value = 0;
    int pageStep = 0;
};
ScrollPosition horizontalScrollFor(double centre, double size);
ScrollPosition verticalScrollFor(double centre, double size);

// Timing a frame from a double-click on the plot at clickMs (ms, truncated).
// frames holds (operation time, delay time, music control) of rows 0..current.
struct FrameTiming {
    int operationTime = 0;
    int delayTime = 0;
    int musicControl = 0;
};
constexpr int MusicPlay = 3;
constexpr int FrameTimeMaximum = 30000;   // the panel's time spin boxes
struct DelayOffer {
    enum Kind {
        None,      // no frame at or before the current one plays music, or no current frame
        TooEarly,  // the click is not after the frames since the music started
        TooLate,   // the gap does not fit in one frame's operation and delay time
        Offer      // ask for a delay in minimum..maximum
    };
    Kind kind = None;
    qint64 elapsed = 0;   // S: the frames' times from the music frame up to the current one
    qint64 gap = 0;       // clickMs - S
    int minimum = 0;
    int maximum = 0;
};
DelayOffer delayOffer(const QVector<FrameTiming> &frames, int current, qint64 clickMs,
                      int timeMaximum = FrameTimeMaximum);
// The frame's new times for the chosen delay: the frame then ends at the click.
struct FrameTimes {
    int delayTime = 0;
    int operationTime = 0;
};
FrameTimes timesForDelay(const DelayOffer &offer, int delay);
// A click time in seconds as whole milliseconds (truncated toward zero).
qint64 clickMilliseconds(double seconds);

} // namespace music
