// Waveform of a 5-minute 44.1 kHz stereo MP3: decoding it into the min/max
// envelope (the decoder on this thread, the envelope on its worker), and the
// first draw (re-binning to the plot's width and one replot of a plot set up
// like the window's). Resident memory is read before and after decoding.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QtEndian>

#include <cmath>

#include <qcustomplot.h>

#include "music/audiodecoder.h"
#include "music/waveform.h"
#include "music/waveformplot.h"
#include "support/clickwav.h"

namespace {

constexpr int Rate = 44100;
constexpr int Seconds = 300;

// Resident set (VmRSS) or its peak (VmHWM) in MiB.
double residentMiB(const char *key = "VmRSS:")
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').first().toDouble() / 1024.0;
    return -1;
}

// A stereo WAV with a beat: a click every half second over a quiet chord.
bool writeWav(const QString &path)
{
    const qint64 frames = qint64(Rate) * Seconds;
    QByteArray pcm(int(frames * 4), Qt::Uninitialized);
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / Rate;
        double v = 3000 * std::sin(2 * M_PI * 220 * t) + 2000 * std::sin(2 * M_PI * 330 * t);
        if (i % (Rate / 2) < 400)
            v += 20000 * std::sin(2 * M_PI * 1000 * t);
        const qint16 s = qint16(v);
        qToLittleEndian<qint16>(s, pcm.data() + 4 * i);
        qToLittleEndian<qint16>(qint16(s / 2), pcm.data() + 4 * i + 2);
    }
    return testwav::writePcm(path, pcm, Rate, 2);
}

// The MP3 made once per run; empty when lame is missing.
QString mp3Path()
{
    static QTemporaryDir dir;
    static QString path;
    if (!path.isEmpty() || !dir.isValid())
        return path;
    const QString lame = QStandardPaths::findExecutable(QStringLiteral("lame"));
    const QString wav = dir.filePath(QStringLiteral("beat.wav"));
    const QString mp3 = dir.filePath(QStringLiteral("beat.mp3"));
    if (lame.isEmpty() || !writeWav(wav))
        return path;
    if (QProcess::execute(lame, {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("128"), wav, mp3}) == 0)
        path = mp3;
    QFile::remove(wav);
    return path;
}

// Decodes path; false on time-out.
bool decode(AudioDecoder &decoder, const QString &path)
{
    QEventLoop loop;
    QObject::connect(&decoder, &AudioDecoder::done, &loop, &QEventLoop::quit);
    QTimer::singleShot(120000, &loop, &QEventLoop::quit);
    bool ended = false;
    QObject::connect(&decoder, &AudioDecoder::done, &loop, [&ended] { ended = true; });
    decoder.stop();
    decoder.envelope = music::Envelope();
    decoder.setSourceFilename(path);
    decoder.start();
    loop.exec();
    return ended;
}

void BM_DecodeEnvelope(benchmark::State &state)
{
    const QString path = mp3Path();
    if (path.isEmpty()) {
        state.SkipWithError("no MP3: lame is missing (scripts/deps installs it)");
        return;
    }
    const double before = residentMiB();
    double after = 0;
    qint64 samples = 0;
    for (auto _ : state) {
        AudioDecoder decoder;
        if (!decode(decoder, path)) {
            state.SkipWithError("decoding did not end within 120 s");
            return;
        }
        samples = decoder.envelope.sampleCount;
        after = residentMiB();
    }
    state.counters["music_s"] = double(samples) / music::EnvelopeRate;
    state.counters["rss_before_MiB"] = before;
    state.counters["rss_after_MiB"] = after;
    state.counters["rss_peak_MiB"] = residentMiB("VmHWM:");
}
BENCHMARK(BM_DecodeEnvelope)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

void BM_FirstDraw(benchmark::State &state)
{
    const QString path = mp3Path();
    AudioDecoder decoder;
    if (path.isEmpty() || !decode(decoder, path)) {
        state.SkipWithError("no decoded MP3");
        return;
    }
    const int width = int(state.range(0));
    const double before = residentMiB();
    for (auto _ : state) {
        QCustomPlot plot;
        plot.resize(width, 420);
        plot.addGraph();
        plot.addGraph();
        plot.addGraph();
        QCPErrorBars *strokes = waveformplot::setUp(&plot);
        const music::Waveform w = music::waveformRanges(decoder.envelope);
        plot.xAxis->setRange(w.xCentre, w.xSize, Qt::AlignCenter);
        plot.yAxis->setRange(w.yCentre, w.ySize, Qt::AlignCenter);
        waveformplot::draw(&plot, strokes, decoder.envelope, width);
        benchmark::DoNotOptimize(plot.toPixmap(width, 420));
    }
    state.counters["envelope_KiB"] = decoder.envelope.low.size() * 4 / 1024.0;
    state.counters["rss_MiB"] = residentMiB();
    state.counters["rss_growth_MiB"] = residentMiB() - before;
}
BENCHMARK(BM_FirstDraw)->Arg(1000)->Arg(1920)->Unit(benchmark::kMillisecond)->UseRealTime();

// Re-binning alone for a zoom step over the whole 5 minutes.
void BM_Rebin(benchmark::State &state)
{
    static music::Envelope envelope;
    if (envelope.isEmpty()) {
        QVector<qint16> pcm(Rate * Seconds);
        for (int i = 0; i < pcm.size(); ++i)
            pcm[i] = qint16((i * 7919) % 65536 - 32768);
        music::EnvelopeBuilder b;
        b.append(pcm.constData(), pcm.size());
        envelope = b.take();
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(music::envelopeColumns(envelope, 0, Seconds, int(state.range(0))));
}
BENCHMARK(BM_Rebin)->Arg(1000)->Arg(1920)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
