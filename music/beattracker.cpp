#include "music/beattracker.h"

#include <QCoreApplication>

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>

namespace music {

namespace {

constexpr double kPi = 3.14159265358979323846;
// The bass: what lies below this (the kick drum, the bass line).
constexpr double kBassHz = 150;
// Onset curves compare the energy of the next and the last 10 ms.
constexpr int kOnsetWindowMs = 10;

// Rise of the energy at each ms: the next window's energy less the last
// one's, when it grew; energies per ms in `energy`.
QVector<float> onsetCurve(const QVector<double> &energy)
{
    const int n = energy.size();
    QVector<double> sum(n + 1, 0.0);
    for (int i = 0; i < n; ++i)
        sum[i + 1] = sum[i] + energy[i];
    QVector<float> curve(n, 0.0f);
    for (int t = kOnsetWindowMs; t + kOnsetWindowMs <= n; ++t) {
        const double next = sum[t + kOnsetWindowMs] - sum[t];
        const double last = sum[t] - sum[t - kOnsetWindowMs];
        // Square roots: a loud song's onsets should not drown out the quiet
        // part's, and the curve stays in the range of the samples.
        const double rise = std::sqrt(next) - std::sqrt(last);
        curve[t] = rise > 0 ? float(rise) : 0.0f;
    }
    return curve;
}

} // namespace

struct BeatTracker::State {
    int inputRate = 0;
    int factor = 1;          // input samples per analysed sample
    double rate = 0;         // analysed samples per second
    int hop = 0;
    aubio_tempo_t *tempo = nullptr;
    fvec_t *in = nullptr;
    fvec_t *out = nullptr;
    int filled = 0;          // samples in `in`
    double pending = 0;      // sum of the input samples of the analysed sample being made
    int pendingCount = 0;
    qint64 analysed = 0;     // analysed samples so far
    double bassA = 0, bass1 = 0, bass2 = 0;  // two one-pole low-pass filters
    double msEnergy = 0, msBass = 0;  // sums of the millisecond being filled
    double nextMsAt = 0;              // analysed samples when it is over
    QVector<double> bassEnergy;  // per ms
    QVector<double> energy;
    QVector<double> beats;

    ~State()
    {
        if (tempo)
            del_aubio_tempo(tempo);
        if (in)
            del_fvec(in);
        if (out)
            del_fvec(out);
    }

    void addAnalysed(double x)
    {
        const qint64 index = analysed++;
        in->data[filled++] = smpl_t(x);
        if (filled == hop) {
            aubio_tempo_do(tempo, in, out);
            if (out->data[0] != 0)
                beats << aubio_tempo_get_last(tempo) * 1000.0 / rate;
            filled = 0;
        }
        bass1 += bassA * (x - bass1);
        bass2 += bassA * (bass1 - bass2);
        msEnergy += x * x;
        msBass += bass2 * bass2;
        // The sums go to the millisecond they lie in once it is over.
        if (double(index + 1) >= nextMsAt) {
            energy << msEnergy;
            bassEnergy << msBass;
            msEnergy = msBass = 0;
            nextMsAt = double(energy.size() + 1) * rate / 1000.0;
        }
    }
};

BeatTracker::BeatTracker(int sampleRate, const char *method, int analysisRate, int hop, int window)
    : d(new State)
{
    d->inputRate = sampleRate;
    if (sampleRate <= 0 || analysisRate <= 0 || hop <= 0 || window < hop)
        return;
    d->factor = qMax(1, sampleRate / analysisRate);
    d->rate = double(sampleRate) / d->factor;
    d->hop = hop;
    d->tempo = new_aubio_tempo(method, uint_t(window), uint_t(hop), uint_t(std::lround(d->rate)));
    if (!d->tempo)
        return;
    d->in = new_fvec(uint_t(hop));
    d->out = new_fvec(1);
    d->bassA = 1 - std::exp(-2 * kPi * kBassHz / d->rate);
    d->nextMsAt = d->rate / 1000.0;
    // About ten minutes of music before the curves grow again.
    d->energy.reserve(600000);
    d->bassEnergy.reserve(600000);
}

BeatTracker::~BeatTracker() = default;

bool BeatTracker::isValid() const
{
    return d->tempo != nullptr;
}

void BeatTracker::append(const qint16 *data, int frameCount, int channels)
{
    if (!d->tempo || channels <= 0)
        return;
    const double scale = 1.0 / (32768.0 * channels * d->factor);
    for (int f = 0; f < frameCount; ++f) {
        int sum = 0;
        for (int c = 0; c < channels; ++c)
            sum += data[f * channels + c];
        d->pending += sum;
        if (++d->pendingCount == d->factor) {
            d->addAnalysed(d->pending * scale);
            d->pending = 0;
            d->pendingCount = 0;
        }
    }
}

double BeatTracker::durationMs() const
{
    return d->rate > 0 ? d->analysed * 1000.0 / d->rate : 0;
}

BeatEvidence BeatTracker::finish()
{
    BeatEvidence e;
    e.durationMs = durationMs();
    e.trackerBeats = d->beats;
    e.onsets = onsetCurve(d->energy);
    e.bassOnsets = onsetCurve(d->bassEnergy);
    d->beats.clear();
    d->energy.clear();
    d->bassEnergy.clear();
    return e;
}

// ---------------------------------------------------------------- the grid

namespace {

// Music shorter than this has too few beats for a tempo.
constexpr double kShortestMs = 5000;
constexpr int kFewestBeats = 8;
// A gap between two of aubio's beats counts as one beat within this share of its tempo.
constexpr double kOnLine = 0.1;
// At least this share of aubio's beats lies on one steady line.
constexpr double kSteadyShare = 0.5;
// The onsets at the grid's lines are at least this many times their mean:
// a steady pulse, not aubio's guess in noise. The best of the many lines
// searched stands out of noise by chance the more, the fewer lines there are:
// kPulseLines / sqrt(lines) more. The bass must stand out more still: held
// notes beating against each other ripple there with periods of their own.
constexpr double kPulseContrast = 1.6;
constexpr double kPulseLines = 7;
constexpr double kBassContrast = 5;
// aubio's beats give the period to within this share: the steps of its onset
// function (11.6 ms) and gaps that alternate around the beat.
constexpr double kPeriodSpread = 0.06;
// The pulse half-way between two lines, as a share of that on the lines, that
// makes the half-way points beats too.
constexpr double kDoubleTempoShare = 0.6;

double median(QVector<double> v)
{
    if (v.isEmpty())
        return 0;
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
}

// The tempo of aubio's beats: the median gap between two beats, then the
// mean of the gaps near it. A tracker that jumps between the beat and the
// off-beat, or skips a beat, spoils only the gaps where it does so.
struct Tempo {
    double period = 0;
    double steadiness = 0;  // share of the gaps near the median
};
Tempo beatTempo(const QVector<double> &beats)
{
    Tempo tempo;
    QVector<double> gaps;
    for (int i = 1; i < beats.size(); ++i)
        gaps << beats[i] - beats[i - 1];
    const double middle = median(gaps);
    if (gaps.isEmpty() || middle <= 0)
        return tempo;
    double sum = 0;
    int near = 0;
    for (double g : gaps)
        if (std::fabs(g - middle) <= kOnLine * middle) {
            sum += g;
            ++near;
        }
    tempo.period = sum / near;
    tempo.steadiness = double(near) / gaps.size();
    return tempo;
}

// The curve's value at a time in ms (between two samples, the line between them).
inline double curveAt(const QVector<float> &curve, double ms)
{
    if (ms < 0)
        return 0;
    const int i = int(ms);
    if (i + 1 >= curve.size())
        return 0;
    const double f = ms - i;
    return curve[i] * (1 - f) + curve[i + 1] * f;
}

// The curve summed over the lines phase + k * period up to spanMs.
double comb(const QVector<float> &curve, double period, double phase, double spanMs)
{
    double sum = 0;
    const double end = qMin(spanMs, double(curve.size()));
    for (double t = phase; t < end; t += period)
        sum += curveAt(curve, t);
    return sum;
}

struct Placement {
    double period = 0;
    double phase = 0;    // 0..period
    double score = 0;
    double contrast = 0; // mean of the curve at the lines / mean of the curve
};

// The best period in p0..p1 (steps pStep) and phase in f0..f1 (steps fStep),
// over the curve up to spanMs.
void search(const QVector<float> &curve, double spanMs, Placement *best, double p0, double p1, double pStep,
            double f0, double f1, double fStep)
{
    best->score = -1;
    for (double p = p0; p <= p1 + 1e-9; p += pStep)
        for (double f = f0; f < f1 + 1e-9; f += fStep) {
            const double phase = std::fmod(std::fmod(f, p) + p, p);
            const double s = comb(curve, p, phase, spanMs);
            if (s > best->score) {
                best->score = s;
                best->period = p;
                best->phase = phase;
            }
        }
}

// The period near `period` (within `spread`, a share) and the phase whose
// lines gather most of the curve. The first seconds are searched widely;
// then the span doubles, each time narrowing the period to what keeps its
// last line within a few ms, until it holds the whole music.
Placement place(const QVector<float> &curve, double period, double spread)
{
    Placement best;
    if (curve.isEmpty() || period <= 0)
        return best;
    const double duration = curve.size();
    double span = qMin(duration, 20000.0);
    double beats = qMax(1.0, span / period);
    double step = 2.0 / beats;  // the last line moves about 2 ms per step
    search(curve, span, &best, period * (1 - spread), period * (1 + spread), step, 0, period - 1, 2);
    search(curve, span, &best, best.period - step, best.period + step, step / 8, best.phase - 3, best.phase + 3,
           0.25);
    while (span < duration) {
        span = qMin(duration, span * 2);
        const double tolerance = 2 * step / 8;
        beats = qMax(1.0, span / period);
        step = 2.0 / beats;
        const Placement before = best;
        search(curve, span, &best, before.period - tolerance, before.period + tolerance,
               qMin(tolerance, step / 8), before.phase - 3, before.phase + 3, 0.25);
    }
    double mean = 0;
    for (float v : curve)
        mean += v;
    mean /= curve.size();
    const double lines = qMax(1.0, std::floor((duration - best.phase) / best.period) + 1);
    best.contrast = mean > 0 ? best.score / lines / mean : 0;
    return best;
}

} // namespace

BeatFit fitBeatGrid(const BeatEvidence &evidence, double minBpm, double maxBpm)
{
    BeatFit fit;
    if (evidence.durationMs < kShortestMs) {
        fit.failure = BeatFailure::TooShort;
        return fit;
    }
    const QVector<double> &beats = evidence.trackerBeats;
    if (beats.size() < kFewestBeats) {
        fit.failure = BeatFailure::NoSteadyBeat;
        return fit;
    }
    const Tempo tempo = beatTempo(beats);
    fit.steadiness = tempo.steadiness;
    if (tempo.period <= 0 || fit.steadiness < kSteadyShare) {
        fit.failure = BeatFailure::NoSteadyBeat;
        return fit;
    }
    // Half and double tempo: the beat brought into the user's range.
    double period = tempo.period;
    const double shortest = 60000.0 / maxBpm, longest = 60000.0 / minBpm;
    for (int i = 0; i < 8 && period > longest; ++i)
        period /= 2;
    for (int i = 0; i < 8 && period < shortest; ++i)
        period *= 2;
    if (period < shortest || period > longest) {
        fit.failure = BeatFailure::OutsideTempoRange;
        return fit;
    }
    // Lines on the kick; without a clear bass pulse, on the whole sound's.
    const QVector<float> *curve = &evidence.bassOnsets;
    Placement placed = place(*curve, period, kPeriodSpread);
    if (placed.contrast < kBassContrast) {
        curve = &evidence.onsets;
        placed = place(*curve, period, kPeriodSpread);
        const double lines = qMax(1.0, evidence.durationMs / placed.period);
        if (placed.contrast < kPulseContrast + kPulseLines / std::sqrt(lines)) {
            fit.failure = BeatFailure::NoSteadyBeat;
            return fit;
        }
    }
    // A tracker that followed every second beat: the pulse is as strong
    // half-way between the lines as on them, and twice the tempo is in range.
    if (placed.period / 2 >= shortest
        && comb(*curve, placed.period, placed.phase + placed.period / 2, evidence.durationMs)
               >= kDoubleTempoShare * placed.score)
        placed.period /= 2;
    // Where aubio had the beat, measured against the placed lines: most of
    // its beats nearer the off-beat than the beat.
    int offBeat = 0;
    for (double b : beats) {
        const double at = std::fmod(std::fmod(b - placed.phase, placed.period) + placed.period, placed.period);
        if (std::fabs(at - placed.period / 2) < placed.period / 4)
            ++offBeat;
    }
    fit.offBeatShare = double(offBeat) / beats.size();
    // Bars start on the beat whose lines hold the strongest bass; on a tie, the first.
    int barBeat = 0;
    double strongest = 0;
    for (int b = 0; b < BeatsPerBar; ++b) {
        const double s = comb(evidence.bassOnsets, placed.period * BeatsPerBar, placed.phase + b * placed.period,
                              evidence.durationMs);
        if (s > strongest * 1.1) {
            strongest = s;
            barBeat = b;
        }
    }
    fit.grid = normalisedGrid(placed.period, placed.phase, barBeat);
    return fit;
}

QString failureText(BeatFailure failure, double minBpm, double maxBpm)
{
    switch (failure) {
    case BeatFailure::None:
        return QString();
    case BeatFailure::TooShort:
        return QCoreApplication::translate("BeatPanel", "The music is too short to find its beat.");
    case BeatFailure::NoSteadyBeat:
        return QCoreApplication::translate("BeatPanel", "No steady beat was found in the music.");
    case BeatFailure::OutsideTempoRange:
        return QCoreApplication::translate("BeatPanel", "The beat of the music lies outside %1 to %2 BPM.")
            .arg(minBpm)
            .arg(maxBpm);
    }
    return QString();
}

} // namespace music
