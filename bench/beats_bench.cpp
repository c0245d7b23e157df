// Finding the beat of a 5-minute song (generated dance music: a kick on every
// beat, hi-hats on the off-beats, a held chord and noise, mono 44.1 kHz PCM
// in memory, handed over in the decoder's buffer size): the analysis
// (aubio's tracker and the onset curves, BeatTracker) and the grid's fit
// (fitBeatGrid), apart and together. The decoding itself is measured by
// gaitforge-bench-music.
// Run: bench/gaitforge-bench-beats --benchmark_repetitions=5

#include <benchmark/benchmark.h>

#include "music/beattracker.h"
#include "support/beatmusic.h"

namespace {

const QVector<qint16> &song()
{
    static const QVector<qint16> pcm = [] {
        beatmusic::Song s;
        s.bpm = 126;
        s.firstBeatMs = 180;
        s.seconds = 300;
        return beatmusic::pcm(s);
    }();
    return pcm;
}

music::BeatEvidence track(const QVector<qint16> &pcm)
{
    music::BeatTracker tracker(44100);
    for (int i = 0; i < pcm.size(); i += 4608)
        tracker.append(pcm.constData() + i, qMin(4608, pcm.size() - i));
    return tracker.finish();
}

void BM_Track(benchmark::State &state)
{
    const QVector<qint16> &pcm = song();
    for (auto _ : state)
        benchmark::DoNotOptimize(track(pcm).trackerBeats.size());
}

void BM_Fit(benchmark::State &state)
{
    const music::BeatEvidence e = track(song());
    for (auto _ : state)
        benchmark::DoNotOptimize(music::fitBeatGrid(e).grid.periodMs);
}

// Everything the window does after decoding: the tracker fed, the grid fitted.
void BM_AnalyseFiveMinutes(benchmark::State &state)
{
    const QVector<qint16> &pcm = song();
    for (auto _ : state) {
        const music::BeatFit fit = music::fitBeatGrid(track(pcm));
        if (!fit.ok() || std::abs(fit.grid.bpm() - 126) > 0.126)
            state.SkipWithError("wrong grid");
    }
}

} // namespace

BENCHMARK(BM_Track)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_Fit)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_AnalyseFiveMinutes)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_MAIN();
