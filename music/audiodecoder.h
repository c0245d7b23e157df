#pragma once
// Decodes a music file into the min/max envelope the waveform plot draws:
// the platform decoder delivers mono 16-bit PCM at music::EnvelopeRate on
// this (the window's) thread, which it needs for its events; each buffer is
// copied and handed to a worker thread that folds every sample into the
// envelope, and the finished envelope comes back in a queued call. Progress
// and the decoder's state also go to standard output. When asked, the worker
// also finds the music's beat from the same buffers (music::BeatTracker) and
// fits its grid; it keeps what it found, so another tempo range is fitted
// again without decoding.

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QObject>
#include <QTextStream>
#include <QThread>

#include "music/beattracker.h"
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

    // Whether the next start() also finds the beat, and in which tempo range.
    void setFindBeats(bool on, double minBpm = music::DefaultMinBpm, double maxBpm = music::DefaultMaxBpm);
    // Whether the last decoding found the beat's evidence (refitBeats can work).
    bool hasBeatEvidence() const { return beatEvidence; }
    // Fits the beat of the last decoding in another tempo range (on the worker).
    void refitBeats(double minBpm, double maxBpm);

signals:
    // The decoding has ended (finished or failed) and envelope holds what was
    // decoded.
    void done();
    // Decoding progress in whole percent, when it changes.
    void progress(int percent);
    // The beat grid fitted to the music (after done() when beats were asked
    // for, and after refitBeats), with the music's length in ms.
    void beatsFound(const music::BeatFit &fit, double durationMs);

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
    void beatsFitted(int generation, const music::BeatFit &fit, double durationMs);

    QAudioBuffer buffer;
    QAudioDecoder decoder;
    QTextStream out;
    double progressShown = -1.0;
    int percentShown = -1;
    // Counts decodings, so buffers and envelopes of an ended one are dropped.
    int generation = 0;
    bool finishing = false;
    bool findBeats = false;
    bool beatEvidence = false;
    double minBpm = music::DefaultMinBpm, maxBpm = music::DefaultMaxBpm;
    QThread workerThread;
    EnvelopeWorker *worker = nullptr;
    void print(const QString &line);
};
