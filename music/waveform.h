#pragma once
// Plain rules of the music view: the decoded music's min/max envelope and its
// columns for drawing, the axis ranges and time labels, when the play line moves, how the plot's scroll bars
// follow the axes, and the frame timing offered by a double-click on the plot.

#include <QString>
#include <QVector>
#include <QtGlobal>

namespace music {

// The decoded music's envelope: the smallest and largest PCM sample of every
// block of blockSize samples (the last block may be shorter), so the waveform
// can be drawn from every sample without keeping them all. The decoder is
// asked for mono 16-bit PCM at EnvelopeRate.
constexpr int EnvelopeRate = 44100;
constexpr int EnvelopeBlock = 32;
struct Envelope {
    int sampleRate = EnvelopeRate;
    int blockSize = EnvelopeBlock;
    qint64 sampleCount = 0;
    QVector<qint16> low;    // per block
    QVector<qint16> high;
    double seconds() const { return sampleRate > 0 ? double(sampleCount) / sampleRate : 0.0; }
    bool isEmpty() const { return sampleCount <= 0; }
};

// Builds an envelope from PCM buffers as they are decoded.
class EnvelopeBuilder
{
public:
    explicit EnvelopeBuilder(int sampleRate = EnvelopeRate, int blockSize = EnvelopeBlock);
    // Appends frameCount interleaved frames of channels channels; every
    // channel's samples count.
    void append(const qint16 *data, int frameCount, int channels = 1);
    const Envelope &envelope() const { return env; }
    // Hands the envelope over and starts a new one.
    Envelope take();

private:
    Envelope env;
    int filled = 0;   // samples in the last, open block
};

// The y unit of the plot: a PCM sample / 100.
constexpr double SampleScale = 100.0;

// The envelope re-binned for drawing: columns columns of equal width across
// from..to seconds, each with the lowest and highest sample (in plot units) of
// the blocks it overlaps, x at the column's centre. Columns outside the music
// are left out; a column narrower than a block takes the block under it, so
// zooming in never leaves gaps.
struct EnvelopeColumns {
    QVector<double> x;
    QVector<double> low;
    QVector<double> high;
};
EnvelopeColumns envelopeColumns(const Envelope &envelope, double from, double to, int columns);

// The axis ranges that show the whole waveform: x 0 to the length in seconds,
// y centred on 0 and tall enough for the loudest sample on either side (at
// least MinimumYSize); the start ranges without music.
struct Waveform {
    qint16 largest = -10000;   // largest y drawn, in plot units (-10000 when none)
    qint16 smallest = 10000;   // smallest y drawn (10000 when none)
    double xCentre = 0;
    double xSize = 0;
    double yCentre = 0;
    double ySize = 0;
};
// Start ranges of the plot (before any music): x -3..3, y -5..5.
constexpr double StartXCentre = 0, StartXSize = 6, StartYCentre = 0, StartYSize = 10;
// Smallest y range drawn for a waveform (a silent file).
constexpr double MinimumYSize = 10;
Waveform waveformRanges(const Envelope &envelope);

// Decoding progress: position / duration when both are known (non-negative,
// duration not 0), else last. Returns true and stores the fraction in *last
// when it grew by more than 0.1 since the last report.
double progressFraction(qint64 position, qint64 duration, double last);
bool progressReport(qint64 position, qint64 duration, double *last);

// A time in seconds as m:ss.s, rounded to the nearest tenth ("0:00.0",
// "1:00.0" for 59.95 s, "12:05.3", "-0:01.5").
QString timeLabel(double seconds);
// The step between labelled ticks of the time axis for a visible span of
// seconds: a "nice" step in tenths, seconds and minutes that gives about
// ticks ticks.
double timeTickStep(double span, int ticks);

// Zooming the time axis stops at these visible spans (seconds).
constexpr double MinimumXSize = 0.2, MaximumXSize = 4 * 3600;

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
// Horizontal scroll bar maximum (1/100 s): the end of the music, at least
// ScrollMaximum, so the bar can reach all of it.
int horizontalScrollMaximum(double musicSeconds);

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
