#include "beatscommand.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioFormat>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>

#include "music/beattracker.h"
#include "music/waveform.h"
#include "clioutput.h"

using namespace cli;

const char *const kBeatsUsage =
    "  gaitforge-cli beats [--min-bpm A] [--max-bpm B] MUSIC\n"
    "      Finds the steady beat of the music file MUSIC (MP3 or WAV) as gaitForge\n"
    "      does for its beat grid, searching tempos from A to B BPM (60 to 180\n"
    "      unless given), and prints \"tempo: T BPM\", then the time of each beat\n"
    "      in ms, one per line. Exit status 1 when no steady beat is found.\n";

namespace {

// Decodes the file as the program does (mono 16-bit PCM at the waveform's
// rate) straight into the tracker. False with the reason when the platform
// decoder fails.
bool decode(const QString &path, music::BeatTracker **tracker, QString *problem)
{
    QAudioDecoder decoder;
    QAudioFormat format;
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setChannelCount(1);
    format.setSampleSize(16);
    format.setSampleType(QAudioFormat::SignedInt);
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleRate(music::EnvelopeRate);
    decoder.setAudioFormat(format);
    decoder.setSourceFilename(path);
    QEventLoop loop;
    bool failed = false;
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        const QAudioBuffer buffer = decoder.read();
        const QAudioFormat f = buffer.format();
        if (!buffer.isValid() || f.sampleSize() != 16 || f.sampleType() != QAudioFormat::SignedInt
            || f.channelCount() <= 0)
            return;
        if (!*tracker)
            *tracker = new music::BeatTracker(f.sampleRate());
        (*tracker)->append(buffer.constData<qint16>(), buffer.frameCount(), f.channelCount());
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, &QEventLoop::quit);
    QObject::connect(&decoder, QOverload<QAudioDecoder::Error>::of(&QAudioDecoder::error), &loop,
                     [&](QAudioDecoder::Error e) {
                         if (e == QAudioDecoder::NoError)
                             return;
                         failed = true;
                         *problem = decoder.errorString();
                         loop.quit();
                     });
    decoder.start();
    if (decoder.error() != QAudioDecoder::NoError) {
        *problem = decoder.errorString();
        return false;
    }
    loop.exec();
    decoder.stop();
    if (failed)
        return false;
    if (!*tracker) {
        *problem = QStringLiteral("no sound in the file");
        return false;
    }
    return true;
}

bool readBpm(const QByteArray &text, double *value)
{
    bool ok = false;
    *value = text.toDouble(&ok);
    return ok && *value >= music::LowestBpm && *value <= music::HighestBpm;
}

} // namespace

int beatsCommand(const QList<QByteArray> &args)
{
    double minBpm = music::DefaultMinBpm, maxBpm = music::DefaultMaxBpm;
    QByteArray path;
    for (int i = 0; i < args.size(); ++i) {
        const QByteArray &a = args[i];
        if (a == "--min-bpm" || a == "--max-bpm") {
            if (i + 1 >= args.size() || !readBpm(args[i + 1], a == "--min-bpm" ? &minBpm : &maxBpm))
                return usageError(QStringLiteral("beats: %1 takes a tempo from %2 to %3 BPM")
                                      .arg(QString::fromLatin1(a))
                                      .arg(music::LowestBpm)
                                      .arg(music::HighestBpm));
            ++i;
        } else if (path.isEmpty()) {
            path = a;
        } else {
            return usageError(QStringLiteral("beats: give exactly one music file"));
        }
    }
    if (path.isEmpty())
        return usageError(QStringLiteral("beats: give exactly one music file"));
    if (minBpm >= maxBpm)
        return usageError(QStringLiteral("beats: the lowest tempo must lie below the highest"));
    const QString name = QFile::decodeName(path);
    if (!QFileInfo(name).isFile()) {
        print(stderr, path + ": no such file\n");
        return Failed;
    }
    music::BeatTracker *tracker = nullptr;
    QString problem;
    const bool decoded = decode(QFileInfo(name).absoluteFilePath(), &tracker, &problem);
    const music::BeatEvidence evidence = tracker ? tracker->finish() : music::BeatEvidence();
    delete tracker;
    if (!decoded) {
        print(stderr, path + ": cannot decode the music: " + problem.toLocal8Bit() + '\n');
        return Failed;
    }
    const music::BeatFit fit = music::fitBeatGrid(evidence, minBpm, maxBpm);
    if (!fit.ok()) {
        print(stderr, path + ": " + music::failureText(fit.failure, minBpm, maxBpm).toLocal8Bit() + '\n');
        return Failed;
    }
    QByteArray out = "tempo: " + QByteArray::number(fit.grid.bpm(), 'f', 3) + " BPM\n";
    for (double t : music::beatTimes(fit.grid, evidence.durationMs))
        out += QByteArray::number(qRound64(t)) + '\n';
    print(stdout, out);
    return Ok;
}
