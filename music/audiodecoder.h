#pragma once
// Decodes a music file into the min/max envelope the waveform plot draws:
// the platform decoder delivers mono 16-bit PCM at music::EnvelopeRate on
// this (the window's) thread, which it needs for its events; each buffer is
// copied and handed to a worker thread that folds every sample into the
// envelope, and the finished envelope comes back in a queued call. Progress
// and the decoder's state also go to standard output.

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QObject>
#include <QTextStream>
#include <QThread>

#include "music/waveform.h"

class EnvelopeWorker;

class AudioDecoder : public QObject
{
    Q_OBJECT

public:
    explicit AudioDecoder(QObject *parent = nullptr);
    ~AudioDecoder() override;

    void setSourceFilename(const QString &path);
    void start();
    // Ends a decoding in progress: its remaining buffers and its envelope
    // are dropped.
    void stop();

    // The envelope of the music decoded last (set when done() is emitted).
    music::Envelope envelope;

signals:
    // The decoding has ended (finished or failed) and envelope holds what was
    // decoded.
    void done();
    // Decoding progress in whole percent, when it changes.
    void progress(int percent);

public slots:
    void bufferReady();
    void error(QAudioDecoder::Error error);
    void stateChanged(QAudioDecoder::State newState);
    void finished();
    void updateProgress();

private:
    // Asks the worker for the envelope of this decoding (once per decoding).
    void finishEnvelope();
    void envelopeBuilt(int generation, const music::Envelope &built);

    QAudioBuffer buffer;
    QAudioDecoder decoder;
    QTextStream out;
    double progressShown = -1.0;
    int percentShown = -1;
    // Counts decodings, so buffers and envelopes of an ended one are dropped.
    int generation = 0;
    bool finishing = false;
    QThread workerThread;
    EnvelopeWorker *worker = nullptr;
    void print(const QString &line);
};
