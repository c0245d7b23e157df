#include "music/audiodecoder.h"

#include <QAudioFormat>
#include <cstdio>
#include <memory>

// Lives on the worker thread; touched there only, reached by queued calls.
class EnvelopeWorker : public QObject
{
public:
    // Folds one buffer of a decoding into its envelope; a new decoding (or
    // sample rate) starts a new envelope.
    void add(int generation, int sampleRate, const QVector<qint16> &pcm, int channels, bool beats)
    {
        if (generation != building || sampleRate != rate)
            restart(generation, sampleRate, beats);
        builder.append(pcm.constData(), pcm.size() / channels, channels);
        if (tracker)
            tracker->append(pcm.constData(), pcm.size() / channels, channels);
    }

    music::Envelope take(int generation)
    {
        if (generation != building)
            restart(generation, music::EnvelopeRate, false);
        evidence = tracker ? tracker->finish() : music::BeatEvidence();
        evidenceGeneration = tracker ? generation : -1;
        tracker.reset();
        return builder.take();
    }

    // The grid of the evidence of `generation` in minBpm..maxBpm; false when
    // that decoding kept none.
    bool fit(int generation, double minBpm, double maxBpm, music::BeatFit *fitted, double *durationMs) const
    {
        if (generation != evidenceGeneration)
            return false;
        *fitted = music::fitBeatGrid(evidence, minBpm, maxBpm);
        *durationMs = evidence.durationMs;
        return true;
    }

private:
    void restart(int generation, int sampleRate, bool beats)
    {
        building = generation;
        rate = sampleRate;
        builder = music::EnvelopeBuilder(sampleRate);
        tracker.reset(beats ? new music::BeatTracker(sampleRate) : nullptr);
    }

    int building = -1;
    int rate = music::EnvelopeRate;
    music::EnvelopeBuilder builder;
    std::unique_ptr<music::BeatTracker> tracker;
    music::BeatEvidence evidence;
    int evidenceGeneration = -1;
};

AudioDecoder::AudioDecoder(QObject *parent) : QObject(parent), decoder(this), out(stdout)
{
    QAudioFormat format;
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setChannelCount(1);
    format.setSampleSize(16);
    format.setSampleType(QAudioFormat::SignedInt);
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleRate(music::EnvelopeRate);
    decoder.setAudioFormat(format);

    workerThread.setObjectName(QStringLiteral("waveform envelope"));
    worker = new EnvelopeWorker;
    worker->moveToThread(&workerThread);
    connect(&workerThread, &QThread::finished, worker, &QObject::deleteLater);
    workerThread.start();

    connect(&decoder, &QAudioDecoder::bufferReady, this, &AudioDecoder::bufferReady);
    connect(&decoder, QOverload<QAudioDecoder::Error>::of(&QAudioDecoder::error), this, &AudioDecoder::error);
    connect(&decoder, &QAudioDecoder::stateChanged, this, &AudioDecoder::stateChanged);
    connect(&decoder, &QAudioDecoder::finished, this, &AudioDecoder::finished);
    connect(&decoder, &QAudioDecoder::positionChanged, this, &AudioDecoder::updateProgress);
    connect(&decoder, &QAudioDecoder::durationChanged, this, &AudioDecoder::updateProgress);
}

AudioDecoder::~AudioDecoder()
{
    decoder.stop();
    workerThread.quit();
    workerThread.wait();
}

void AudioDecoder::setSourceFilename(const QString &path)
{
    decoder.setSourceFilename(path);
}

void AudioDecoder::setFindBeats(bool on, double minBpm, double maxBpm)
{
    findBeats = on;
    this->minBpm = minBpm;
    this->maxBpm = maxBpm;
}

void AudioDecoder::refitBeats(double minBpm, double maxBpm)
{
    if (!beatEvidence)
        return;
    const int gen = generation;
    EnvelopeWorker *w = worker;
    AudioDecoder *self = this;
    QMetaObject::invokeMethod(worker, [w, gen, self, minBpm, maxBpm] {
        music::BeatFit fit;
        double duration = 0;
        if (!w->fit(gen, minBpm, maxBpm, &fit, &duration))
            return;
        QMetaObject::invokeMethod(self, [self, gen, fit, duration] { self->beatsFitted(gen, fit, duration); },
                                  Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void AudioDecoder::beatsFitted(int gen, const music::BeatFit &fit, double durationMs)
{
    if (gen != generation)
        return;
    emit beatsFound(fit, durationMs);
}

void AudioDecoder::start()
{
    beatEvidence = false;
    progressShown = -1.0;
    percentShown = -1;
    decoder.start();
}

void AudioDecoder::stop()
{
    decoder.stop();
    ++generation;
    finishing = false;
}

void AudioDecoder::print(const QString &line)
{
    out << line << '\n';
    out.flush();
}

void AudioDecoder::bufferReady()
{
    buffer = decoder.read();
    if (!buffer.isValid())
        return;
    const QAudioFormat f = buffer.format();
    // Only 16-bit signed samples are read as such; the decoder was asked for them.
    if (f.sampleSize() != 16 || f.sampleType() != QAudioFormat::SignedInt || f.channelCount() <= 0)
        return;
    const qint16 *data = buffer.constData<qint16>();
    const QVector<qint16> pcm(data, data + buffer.sampleCount());
    const int gen = generation, rate = f.sampleRate(), channels = f.channelCount();
    const bool beats = findBeats;
    EnvelopeWorker *w = worker;
    QMetaObject::invokeMethod(worker, [w, gen, rate, pcm, channels, beats] { w->add(gen, rate, pcm, channels, beats); },
                              Qt::QueuedConnection);
}

void AudioDecoder::finishEnvelope()
{
    if (finishing)
        return;
    finishing = true;
    const int gen = generation;
    EnvelopeWorker *w = worker;
    AudioDecoder *self = this;
    const bool beats = findBeats;
    const double low = minBpm, high = maxBpm;
    // Queued after every buffer of this decoding, so the envelope holds them
    // all; the answer is a queued call back to this thread (the destructor
    // waits for the worker, and a deleted receiver drops its posted calls).
    // The beat is fitted after the envelope went back, so the waveform is
    // drawn without waiting for it.
    QMetaObject::invokeMethod(worker, [w, gen, self, beats, low, high] {
        const music::Envelope built = w->take(gen);
        QMetaObject::invokeMethod(self, [self, gen, built] { self->envelopeBuilt(gen, built); },
                                  Qt::QueuedConnection);
        music::BeatFit fit;
        double duration = 0;
        if (beats && w->fit(gen, low, high, &fit, &duration))
            QMetaObject::invokeMethod(self, [self, gen, fit, duration] {
                self->beatEvidence = true;
                self->beatsFitted(gen, fit, duration);
            }, Qt::QueuedConnection);
    }, Qt::QueuedConnection);
}

void AudioDecoder::envelopeBuilt(int gen, const music::Envelope &built)
{
    if (gen != generation)
        return;
    envelope = built;
    emit done();
}

void AudioDecoder::error(QAudioDecoder::Error error)
{
    switch (error) {
    case QAudioDecoder::NoError:
        return;
    case QAudioDecoder::ResourceError: print(QStringLiteral("Resource error")); break;
    case QAudioDecoder::FormatError: print(QStringLiteral("Format error")); break;
    case QAudioDecoder::AccessDeniedError: print(QStringLiteral("Access denied error")); break;
    case QAudioDecoder::ServiceMissingError: print(QStringLiteral("Service missing error")); break;
    }
    finishEnvelope();
}

void AudioDecoder::stateChanged(QAudioDecoder::State newState)
{
    if (newState == QAudioDecoder::StoppedState)
        print(QStringLiteral("Decoding stopped"));
    else if (newState == QAudioDecoder::DecodingState)
        print(QStringLiteral("Decoding..."));
}

void AudioDecoder::finished()
{
    print(QStringLiteral("Decoding finished"));
    finishEnvelope();
}

void AudioDecoder::updateProgress()
{
    const qint64 position = decoder.position(), duration = decoder.duration();
    if (music::progressReport(position, duration, &progressShown))
        print(QStringLiteral("Decoding progress: ") + QString::number(progressShown * 100) + QStringLiteral("%"));
    const double fraction = music::progressFraction(position, duration, -1.0);
    if (fraction < 0)
        return;
    const int percent = qBound(0, int(fraction * 100), 100);
    if (percent != percentShown) {
        percentShown = percent;
        emit progress(percent);
    }
}
