#include "music/waveform.h"

#include <QtMath>
#include <algorithm>
#include <cmath>

namespace music {

void appendSamples(Samples &samples, const qint16 *data, int frameCount, int channels)
{
    if (!data || frameCount <= 0 || channels <= 0)
        return;
    samples.reserve(samples.size() + frameCount);
    for (int i = 0; i < frameCount; ++i)
        samples.append(static_cast<qint16>(data[i * channels] / 100));
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

Waveform waveformPoints(const Samples &samples)
{
    Waveform w;
    const int n = samples.size();
    // One point per sample taken: exactly ceil(n / 100) points, so no unused
    // point at (0, 0) is drawn when n is a multiple of 100.
    const int points = (n + 99) / 100;
    w.x.resize(points);
    w.y.resize(points);
    for (int i = 0; i < n; i += 100) {
        const qint16 y = samples.at(i);
        w.x[i / 100] = double(i) / 1000.0;
        w.y[i / 100] = y;
        w.largest = std::max(w.largest, y);
        w.smallest = std::min(w.smallest, y);
    }
    if (n == 0) {
        w.xCentre = StartXCentre;
        w.xSize = StartXSize;
        w.yCentre = StartYCentre;
        w.ySize = StartYSize;
        return w;
    }
    w.xCentre = double(n) / 2000.0;
    w.xSize = double(n) / 1000.0;
    // Centred on 0 and tall enough for the loudest point on either side.
    const int peak = std::max(std::abs(int(w.largest)), std::abs(int(w.smallest)));
    w.yCentre = 0;
    w.ySize = std::max(2.0 * peak, MinimumYSize);
    return w;
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
