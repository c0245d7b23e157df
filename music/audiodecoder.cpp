#include "music/audiodecoder.h"

#include <QAudioFormat>
#include <cstdio>

AudioDecoder::AudioDecoder(QObject *parent) : QObject(parent), decoder(this), out(stdout)
{
    QAudioFormat format;
    format.setCodec(QStringLiteral("audio/pcm"));
    format.setChannelCount(1);
    format.setSampleSize(16);
    format.setSampleType(QAudioFormat::SignedInt);
    format.setByteOrder(QAudioFormat::LittleEndian);
    format.setSampleRate(1000);
    decoder.setAudioFormat(format);

    connect(&decoder, &QAudioDecoder::bufferReady, this, &AudioDecoder::bufferReady);
    connect(&decoder, QOverload<QAudioDecoder::Error>::of(&QAudioDecoder::error), this, &AudioDecoder::error);
    connect(&decoder, &QAudioDecoder::stateChanged, this, &AudioDecoder::stateChanged);
    connect(&decoder, &QAudioDecoder::finished, this, &AudioDecoder::finished);
    connect(&decoder, &QAudioDecoder::positionChanged, this, &AudioDecoder::updateProgress);
    connect(&decoder, &QAudioDecoder::durationChanged, this, &AudioDecoder::updateProgress);
}

void AudioDecoder::setSourceFilename(const QString &path)
{
    decoder.setSourceFilename(path);
}

void AudioDecoder::start()
{
    progress = -1.0;
    decoder.start();
}

void AudioDecoder::stop()
{
    decoder.stop();
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
    if (f.sampleSize() != 16 || f.sampleType() != QAudioFormat::SignedInt)
        return;
    music::appendSamples(samples, buffer.constData<qint16>(), buffer.frameCount(), f.channelCount());
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
    emit done();
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
    emit done();
}

void AudioDecoder::updateProgress()
{
    if (music::progressReport(decoder.position(), decoder.duration(), &progress))
        print(QStringLiteral("Decoding progress: ") + QString::number(progress * 100) + QStringLiteral("%"));
}
