#pragma once
// Decodes a music file into a low-rate sample stream for the waveform plot:
// mono, 16-bit signed PCM at 1000 Hz (one value per millisecond), each value
// the sample / 100. Progress and the decoder's state go to standard output.

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QObject>
#include <QTextStream>

#include "music/waveform.h"

class AudioDecoder : public QObject
{
    Q_OBJECT

public:
    explicit AudioDecoder(QObject *parent = nullptr);

    void setSourceFilename(const QString &path);
    void start();
    // Ends a decoding in progress (its remaining buffers are not delivered).
    void stop();

    // One value per millisecond of the music decoded so far.
    music::Samples samples;

signals:
    // The decoding has ended (finished or failed).
    void done();

public slots:
    void bufferReady();
    void error(QAudioDecoder::Error error);
    void stateChanged(QAudioDecoder::State newState);
    void finished();
    void updateProgress();

private:
    QAudioBuffer buffer;
    QAudioDecoder decoder;
    QTextStream out;
    double progress = -1.0;
    void print(const QString &line);
};
