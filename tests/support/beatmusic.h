#pragma once
// Dance music made by tests and benchmarks whose beats are known exactly: a
// kick drum on every beat, a hi-hat on every off-beat, a held chord under it
// all and light noise, as mono 16-bit PCM or a WAV file (an MP3 is made from
// the WAV with lame, from scripts/deps).

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QVector>
#include <QtEndian>

#include <cmath>
#include <cstdint>

#include "support/clickwav.h"

namespace beatmusic {

struct Song {
    double bpm = 120;
    double firstBeatMs = 0;   // the first kick; the beats go on every 60000 / bpm ms
    double seconds = 60;
    int rate = 44100;
    double kick = 1.0;        // loudness of each part, 1 the usual mix
    double hat = 1.0;
    double chord = 1.0;
    double noise = 1.0;
    quint32 seed = 1;

    double periodMs() const { return 60000.0 / bpm; }
    // The beat times inside the song (ms).
    QVector<double> beats() const
    {
        QVector<double> at;
        for (double t = firstBeatMs; t < seconds * 1000; t += periodMs())
            at << t;
        return at;
    }
};

// The song's samples, mono 16-bit at song.rate.
inline QVector<qint16> pcm(const Song &song)
{
    const qint64 frames = qint64(song.seconds * song.rate);
    QVector<float> mix(int(frames), 0.0f);
    const double pi = 3.14159265358979323846;
    quint32 state = song.seed * 2654435761u + 12345u;
    auto random = [&state] {  // -1..1
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 23) - 1.0;
    };
    // The held chord (A minor: A3, C4, E4) and the noise under everything.
    for (qint64 i = 0; i < frames; ++i) {
        const double t = double(i) / song.rate;
        const double chord = std::sin(2 * pi * 220.0 * t) + std::sin(2 * pi * 261.63 * t) + std::sin(2 * pi * 329.63 * t);
        mix[int(i)] = float(song.chord * 1500 * chord + song.noise * 300 * random());
    }
    const double period = song.periodMs();
    // A kick: a sine falling from 150 Hz to 50 Hz that dies away in about 0.15 s.
    for (double beat = song.firstBeatMs; beat < song.seconds * 1000; beat += period) {
        const qint64 first = qint64(std::llround(beat * song.rate / 1000));
        double phase = 0;
        for (qint64 i = first; i < frames && i < first + song.rate / 3; ++i) {
            const double t = double(i - first) / song.rate;
            const double frequency = 50 + 100 * std::exp(-t / 0.03);
            phase += 2 * pi * frequency / song.rate;
            mix[int(i)] += float(song.kick * 14000 * std::exp(-t / 0.12) * std::sin(phase));
        }
    }
    // A hi-hat half a beat later: noise with its low part taken out, 40 ms long.
    for (double off = song.firstBeatMs + period / 2; off < song.seconds * 1000; off += period) {
        const qint64 first = qint64(std::llround(off * song.rate / 1000));
        double last = 0;
        for (qint64 i = first; i < frames && i < first + song.rate / 10; ++i) {
            const double t = double(i - first) / song.rate;
            const double n = random();
            const double high = n - last;  // a first difference keeps the hiss
            last = n;
            mix[int(i)] += float(song.hat * 7000 * std::exp(-t / 0.04) * high);
        }
    }
    QVector<qint16> out(mix.size());
    for (int i = 0; i < out.size(); ++i)
        out[i] = qint16(qBound(-32767.0f, mix[i], 32767.0f));
    return out;
}

inline bool writeWav(const QString &path, const Song &song)
{
    const QVector<qint16> samples = pcm(song);
    QByteArray bytes(samples.size() * 2, Qt::Uninitialized);
    for (int i = 0; i < samples.size(); ++i)
        qToLittleEndian<qint16>(samples[i], bytes.data() + 2 * i);
    return testwav::writePcm(path, bytes, song.rate, 1);
}

// The WAV at wavPath encoded as an MP3 at mp3Path (lame, 128 kbit/s).
inline bool encodeMp3(const QString &wavPath, const QString &mp3Path)
{
    QProcess lame;
    lame.start(QStringLiteral("lame"), {QStringLiteral("--quiet"), QStringLiteral("-b"), QStringLiteral("128"),
                                       wavPath, mp3Path});
    return lame.waitForFinished(60000) && lame.exitStatus() == QProcess::NormalExit && lame.exitCode() == 0;
}

} // namespace beatmusic
