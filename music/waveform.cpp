#include "music/waveform.h"

#include <QtMath>
#include <algorithm>
#include <cmath>
#include <limits>

namespace music {

EnvelopeBuilder::EnvelopeBuilder(int sampleRate, int blockSize)
{
    env.sampleRate = sampleRate > 0 ? sampleRate : EnvelopeRate;
    env.blockSize = blockSize > 0 ? blockSize : EnvelopeBlock;
}

void EnvelopeBuilder::append(const qint16 *data, int frameCount, int channels)
{
    if (!data || frameCount <= 0 || channels <= 0)
        return;
    const qint16 *p = data;
    int left = frameCount;
    while (left > 0) {
        if (filled == 0) {
            env.low.append(std::numeric_limits<qint16>::max());
            env.high.append(std::numeric_limits<qint16>::min());
        }
        const int take = std::min(left, env.blockSize - filled);
        qint16 lo = env.low.last();
        qint16 hi = env.high.last();
        for (int i = 0, n = take * channels; i < n; ++i) {
            lo = std::min(lo, p[i]);
            hi = std::max(hi, p[i]);
        }
        env.low.last() = lo;
        env.high.last() = hi;
        p += take * channels;
        left -= take;
        filled = (filled + take) % env.blockSize;
    }
    env.sampleCount += frameCount;
}

Envelope EnvelopeBuilder::take()
{
    Envelope done = env;
    env = Envelope();
    env.sampleRate = done.sampleRate;
    env.blockSize = done.blockSize;
    filled = 0;
    return done;
}

EnvelopeColumns envelopeColumns(const Envelope &envelope, double from, double to, int columns)
{
    EnvelopeColumns out;
    const int blocks = std::min(envelope.low.size(), envelope.high.size());
    if (blocks == 0 || columns <= 0 || !std::isfinite(from) || !std::isfinite(to) || !(to > from))
        return out;
    const double length = envelope.seconds();
    const double blockSeconds = double(envelope.blockSize) / envelope.sampleRate;
    const double width = (to - from) / columns;
    out.x.reserve(columns);
    out.low.reserve(columns);
    out.high.reserve(columns);
    for (int c = 0; c < columns; ++c) {
        const double t0 = from + c * width;
        const double t1 = t0 + width;
        if (t1 <= 0 || t0 >= length)
            continue;
        // The blocks the column overlaps: at least the one under it.
        const qint64 b0 = std::max<qint64>(0, qint64(std::floor(t0 / blockSeconds)));
        const qint64 b1 = std::min<qint64>(blocks - 1, std::max<qint64>(b0, qint64(std::ceil(t1 / blockSeconds)) - 1));
        if (b0 >= blocks)
            continue;
        qint16 lo = envelope.low.at(int(b0));
        qint16 hi = envelope.high.at(int(b0));
        for (qint64 b = b0 + 1; b <= b1; ++b) {
            lo = std::min(lo, envelope.low.at(int(b)));
            hi = std::max(hi, envelope.high.at(int(b)));
        }
        out.x.append((t0 + t1) / 2);
        out.low.append(lo / SampleScale);
        out.high.append(hi / SampleScale);
    }
    return out;
}

Waveform waveformRanges(const Envelope &envelope)
{
    Waveform w;
    const int blocks = std::min(envelope.low.size(), envelope.high.size());
    if (envelope.isEmpty() || blocks == 0) {
        w.xCentre = StartXCentre;
        w.xSize = StartXSize;
        w.yCentre = StartYCentre;
        w.ySize = StartYSize;
        return w;
    }
    int lo = std::numeric_limits<qint16>::max();
    int hi = std::numeric_limits<qint16>::min();
    for (int b = 0; b < blocks; ++b) {
        lo = std::min<int>(lo, envelope.low.at(b));
        hi = std::max<int>(hi, envelope.high.at(b));
    }
    w.largest = qint16(hi / SampleScale);
    w.smallest = qint16(lo / SampleScale);
    w.xCentre = envelope.seconds() / 2;
    w.xSize = envelope.seconds();
    // Centred on 0 and tall enough for the loudest sample on either side.
    const double peak = std::max(std::abs(hi), std::abs(lo)) / SampleScale;
    w.yCentre = 0;
    w.ySize = std::max(2.0 * peak, MinimumYSize);
    return w;
}

double progressFraction(qint64 position, qint64 duration, double last)
{
    if (position >= 0 && duration > 0)
        return double(position) / double(duration);
    return last;
}

bool progressReport(qint64 position, qint64 duration, double *last)
{
    const double fraction = progressFraction(position, duration, *last);
    if (fraction - *last <= 0.1)
        return false;
    *last = fraction;
    return true;
}

QString timeLabel(double seconds)
{
    if (!std::isfinite(seconds))
        return QString();
    // Whole tenths first, so 59.95 s becomes 1:00.0 and never 0:60.0.
    const double bounded = std::max(-1.0e12, std::min(1.0e12, seconds));
    const qint64 tenths = std::llround(bounded * 10.0);
    const qint64 a = tenths < 0 ? -tenths : tenths;
    return QStringLiteral("%1%2:%3.%4")
        .arg(tenths < 0 ? QStringLiteral("-") : QString())
        .arg(a / 600)
        .arg((a % 600) / 10, 2, 10, QLatin1Char('0'))
        .arg(a % 10);
}

double timeTickStep(double span, int ticks)
{
    // Labels show tenths, so no step is finer than 0.1 s.
    static const double steps[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 15, 30, 60, 120, 300, 600, 900, 1800, 3600};
    if (!std::isfinite(span) || span <= 0)
        return steps[0];
    const double wanted = span / std::max(1, ticks);
    for (double s : steps)
        if (s >= wanted)
            return s;
    return 3600 * std::ceil(wanted / 3600);
}

int horizontalScrollMaximum(double musicSeconds)
{
    if (!std::isfinite(musicSeconds) || musicSeconds <= 0)
        return ScrollMaximum;
    return int(std::max<double>(ScrollMaximum, std::min(2.0e9, std::round(musicSeconds * 100.0))));
}

bool playLineMoves(qint64 lastDrawnMs, qint64 positionMs)
{
    const qint64 d = positionMs - lastDrawnMs;
    return d >= PlayLineStepMs || d <= -PlayLineStepMs;
}

double horizontalScrollCentre(int value) { return value / 100.0; }
double verticalScrollCentre(int value) { return -value / 100.0; }

bool axisMustFollow(double axisCentre, double wantedCentre)
{
    return std::fabs(axisCentre - wantedCentre) > ScrollEcho;
}

static int roundedHundredths(double v)
{
    const double r = std::round(v * 100.0);
    // Far outside the bars' range anyway; keep the conversion defined.
    return int(std::max(-2.0e9, std::min(2.0e9, r)));
}

ScrollPosition horizontalScrollFor(double centre, double size)
{
    return {roundedHundredths(centre), roundedHundredths(size)};
}

ScrollPosition verticalScrollFor(double centre, double size)
{
    return {roundedHundredths(-centre), roundedHundredths(size)};
}

DelayOffer delayOffer(const QVector<FrameTiming> &frames, int current, qint64 clickMs, int timeMaximum)
{
    DelayOffer offer;
    if (current < 0 || current >= frames.size())
        return offer;
    // Back from the current frame to the frame that starts the music, adding
    // up every frame's times except the current frame's own.
    qint64 elapsed = 0;
    bool found = false;
    for (int row = current; row >= 0; --row) {
        const FrameTiming &f = frames.at(row);
        if (row != current)
            elapsed += qint64(f.operationTime) + f.delayTime;
        if (f.musicControl == MusicPlay) {
            found = true;
            break;
        }
    }
    if (!found)
        return offer;
    offer.elapsed = elapsed;
    offer.gap = clickMs - elapsed;
    if (offer.gap <= 0) {
        offer.kind = DelayOffer::TooEarly;
        return offer;
    }
    if (offer.gap > 2 * qint64(timeMaximum)) {
        offer.kind = DelayOffer::TooLate;
        return offer;
    }
    // Delay and operation time each fit their spin box: delay in
    // [gap - max, max] intersected with [0, gap].
    offer.kind = DelayOffer::Offer;
    offer.minimum = int(std::max<qint64>(0, offer.gap - timeMaximum));
    offer.maximum = int(std::min<qint64>(offer.gap, timeMaximum));
    return offer;
}

FrameTimes timesForDelay(const DelayOffer &offer, int delay)
{
    const int d = std::max(offer.minimum, std::min(offer.maximum, delay));
    return {d, int(offer.gap - d)};
}

qint64 clickMilliseconds(double seconds)
{
    const double ms = seconds * 1000.0;
    if (!std::isfinite(ms))
        return 0;
    return qint64(std::max(-9.0e15, std::min(9.0e15, ms)));
}

} // namespace music
