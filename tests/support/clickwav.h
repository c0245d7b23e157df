#pragma once
// WAV files made by tests and benchmarks that play music: any PCM, and a mono
// 16-bit file of silence with a short click at every `everyMs` (the first at 0).

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

namespace testwav {

// 16-bit little-endian PCM samples (interleaved when channels > 1) as a WAV file.
inline bool writePcm(const QString &path, const QByteArray &pcm, int rate, int channels)
{
    QByteArray wav;
    auto u32 = [&wav](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto u16 = [&wav](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav.append("RIFF");
    u32(36 + pcm.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);                          // PCM
    u16(quint16(channels));
    u32(quint32(rate));
    u32(quint32(rate * channels * 2));  // bytes per second
    u16(quint16(channels * 2));      // block align
    u16(16);                         // bits per sample
    wav.append("data");
    u32(pcm.size());
    wav.append(pcm);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}

inline bool writeClicks(const QString &path, int ms, int everyMs = 1000, int rate = 8000)
{
    const int frames = int(qint64(rate) * ms / 1000);
    QByteArray pcm(frames * 2, '\0');
    const int clickFrames = rate / 200;  // 5 ms
    for (qint64 at = 0; at < ms; at += everyMs) {
        const int first = int(at * rate / 1000);
        for (int i = first; i < first + clickFrames && i < frames; ++i)
            qToLittleEndian<qint16>(qint16((i - first) % 8 < 4 ? 20000 : -20000), pcm.data() + 2 * i);
    }
    return writePcm(path, pcm, rate, 1);
}

} // namespace testwav
