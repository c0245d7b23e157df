#include "music/audiodecoder.h"

#include <QAudioFormat>
#include <cstdio>

// Lives on the worker thread; touched there only, reached by queued calls.
class EnvelopeWorker : public QObject
{
public:
    // Folds one buffer of a decoding into its envelope; a new decoding (or
    // sample rate) starts a new envelope.
    void add(int generation, int sampleRate, const QVector<qint16> &pcm, int channels)
    {
        if (generation != building || sampleRate != rate)
            restart(generation, sampleRate);
        builder.append(pcm.constData(), pcm.size() / channels, channels);
    }

    music::Envelope take(int generation)
    {
        if (generation != building)
            restart(generation, music::EnvelopeRate);
        return builder.take();
    }

private:
    void restart(int generation, int sampleRate)
    {
        building = generation;
        rate = sampleRate;
        builder = music::EnvelopeBuilder(sampleRate);
    }

    int building = -1;
    int rate = music::EnvelopeRate;
    music::EnvelopeBuilder builder;
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

void AudioDecoder::start()
{
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
    EnvelopeWorker *w = worker;
    QMetaObject::invokeMethod(worker, [w, gen, rate, pcm, channels] { w->add(gen, rate, pcm, channels); },
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
    // Queued after every buffer of this decoding, so the envelope holds them
    // all; the answer is a queued call back to this thread (the destructor
    // waits for the worker, and a deleted receiver drops its posted calls).
    QMetaObject::invokeMethod(worker, [w, gen, self] {
        const music::Envelope built = w->take(gen);
        QMetaObject::invokeMethod(self, [self, gen, built] { self->envelopeBuilt(gen, built); },
                                  Qt::QueuedConnection);
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
