#pragma once
// Finding the beat of decoded music. BeatTracker takes the PCM as it is
// decoded (any rate, any channel count), mixes it to mono, brings it down to
// AnalysisRate and runs aubio's beat tracker over it; beside that it keeps two
// onset curves of its own, one of the bass (the kick drum) and one of the
// whole sound, a value per millisecond. finish() hands over this evidence;
// fitBeatGrid() turns it into a steady grid within the user's tempo range.

#include <QMetaType>
#include <QString>
#include <QVector>
#include <QtGlobal>

#include <memory>

#include "music/beatgrid.h"

namespace music {

// The rate aubio hears the music at: the kick, the snare and the bass carry
// the beat and lie far below 5 kHz, and a quarter of the usual 44.1 kHz keeps
// the analysis of a whole song short. Hop and window in samples at that rate.
constexpr int AnalysisRate = 11025;
constexpr int AnalysisHop = 128;      // 11.6 ms
constexpr int AnalysisWindow = 1024;  // 93 ms
// aubio's onset function for the tracker.
constexpr const char *AnalysisMethod = "energy";

// What the analysis found in a piece of music.
struct BeatEvidence {
    QVector<double> trackerBeats;   // aubio's beats (ms)
    QVector<float> bassOnsets;      // rise of the bass's energy, per ms
    QVector<float> onsets;          // rise of the whole sound's energy, per ms
    double durationMs = 0;
};

class BeatTracker
{
public:
    // sampleRate of the PCM that append() gets.
    explicit BeatTracker(int sampleRate, const char *method = AnalysisMethod, int analysisRate = AnalysisRate,
                         int hop = AnalysisHop, int window = AnalysisWindow);
    ~BeatTracker();
    BeatTracker(const BeatTracker &) = delete;
    BeatTracker &operator=(const BeatTracker &) = delete;

    // False when aubio refused the settings (then nothing is found).
    bool isValid() const;
    // frameCount interleaved frames of channels 16-bit samples.
    void append(const qint16 *data, int frameCount, int channels = 1);
    // The music's length so far (ms).
    double durationMs() const;
    // Ends the analysis and hands its evidence over.
    BeatEvidence finish();

private:
    struct State;
    std::unique_ptr<State> d;
};

// Why no grid was found.
enum class BeatFailure { None, TooShort, NoSteadyBeat, OutsideTempoRange };

struct BeatFit {
    BeatGrid grid;                 // valid when failure is None
    BeatFailure failure = BeatFailure::None;
    double steadiness = 0;    // share of the gaps between aubio's beats near its tempo (0..1)
    double offBeatShare = 0;  // share of aubio's beats the grid puts on the off-beat
    bool ok() const { return failure == BeatFailure::None; }
};

// The steady grid that fits the evidence: aubio's beats give the tempo (a
// least-squares line through them, beats that stray dropped), brought into
// minBpm..maxBpm by halving or doubling; the bass onsets then place the lines
// on the kick, to the millisecond, and decide between the beat and the
// off-beat (a tracker that followed the hi-hats sits half a beat off).
BeatFit fitBeatGrid(const BeatEvidence &evidence, double minBpm = DefaultMinBpm, double maxBpm = DefaultMaxBpm);

// What a failure says to the user.
QString failureText(BeatFailure failure, double minBpm, double maxBpm);

} // namespace music

Q_DECLARE_METATYPE(music::BeatFit)
