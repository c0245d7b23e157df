#pragma once
// A mono 16-bit WAV file of silence with a short click at every `everyMs`
// (the first at 0), for tests and benchmarks that play music.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QtEndian>

namespace testwav {

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
    QByteArray wav;
    auto u32 = [&wav](quint32 v) { char b[4]; qToLittleEndian(v, b); wav.append(b, 4); };
    auto u16 = [&wav](quint16 v) { char b[2]; qToLittleEndian(v, b); wav.append(b, 2); };
    wav.append("RIFF");
    u32(36 + pcm.size());
    wav.append("WAVEfmt ");
    u32(16);
    u16(1);         // PCM
    u16(1);         // mono
    u32(rate);
    u32(rate * 2);  // bytes per second
    u16(2);         // block align
    u16(16);        // bits per sample
    wav.append("data");
    u32(pcm.size());
    wav.append(pcm);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(wav) == wav.size();
}

} // namespace testwav
