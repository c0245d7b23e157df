#include "motion/easing.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

using namespace frametable;

namespace easing {

namespace {

const char *const kCurveNames[CurveCount] = {"linear", "ease-in", "ease-out", "smoothstep", "cubic-in-out"};

// The pose of one step: the curve's value at the step's end, rounded.
int stepAngle(int from, int to, double fraction)
{
    return int(std::lround(from + (to - from) * fraction));
}

} // namespace

const char *const curveTitles[CurveCount] = {
    QT_TRANSLATE_NOOP("Easing", "linear"),
    QT_TRANSLATE_NOOP("Easing", "ease in"),
    QT_TRANSLATE_NOOP("Easing", "ease out"),
    QT_TRANSLATE_NOOP("Easing", "ease in-out (smoothstep)"),
    QT_TRANSLATE_NOOP("Easing", "cubic in-out"),
};

double shape(Curve curve, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    switch (curve) {
    case Curve::Linear: return t;
    case Curve::EaseIn: return t * t;
    case Curve::EaseOut: return 1.0 - (1.0 - t) * (1.0 - t);
    case Curve::Smoothstep: return t * t * (3.0 - 2.0 * t);
    case Curve::CubicInOut: {
        if (t < 0.5)
            return 4.0 * t * t * t;
        const double u = 2.0 - 2.0 * t;
        return 1.0 - u * u * u / 2.0;
    }
    }
    return t;
}

QString curveName(Curve curve)
{
    return QString::fromLatin1(kCurveNames[int(curve)]);
}

bool curveFromName(const QString &name, Curve *curve)
{
    for (int i = 0; i < CurveCount; ++i) {
        if (name == QLatin1String(kCurveNames[i])) {
            if (curve)
                *curve = Curve(i);
            return true;
        }
    }
    return false;
}

QVector<int> splitTime(int total, int n)
{
    QVector<int> parts;
    if (n < 1)
        return parts;
    parts.reserve(n);
    qint64 before = 0;
    for (int k = 1; k <= n; ++k) {
        const qint64 end = qint64(k) * total / n;
        parts.append(int(end - before));
        before = end;
    }
    return parts;
}

int Plan::addedFrames() const
{
    int count = 0;
    for (const Move &move : moves)
        count += move.steps.size();
    return count;
}

Plan plan(const QVector<Values> &frames, const QVector<int> &rows, Curve curve, int steps)
{
    Plan result;
    result.steps = steps;
    if (steps < 1 || steps > MaximumSteps) {
        result.fault = Plan::StepsOutOfRange;
        return result;
    }
    QVector<int> chosen;
    for (int row : rows)
        if (row >= 1 && row < frames.size() && !chosen.contains(row))
            chosen.append(row);
    std::sort(chosen.begin(), chosen.end());
    if (chosen.isEmpty()) {
        result.fault = Plan::NoMove;
        return result;
    }
    for (int row : qAsConst(chosen)) {
        const Values &from = frames[row - 1];
        const Values &to = frames[row];
        const int total = to[ColOperationTime];
        // One step is the move as it is; more need room for each.
        if (steps > 1 && (total < 0 || qint64(total) < qint64(steps) * MinimumStepMs)) {
            result.fault = Plan::MoveTooShort;
            result.faultyRow = row;
            result.moveMs = total;
            result.moves.clear();
            return result;
        }
        Move move;
        move.row = row;
        const QVector<int> parts = splitTime(total, steps);
        qint64 elapsed = 0;
        for (int k = 0; k + 1 < steps; ++k) {
            elapsed += parts[k];
            const double fraction = shape(curve, double(elapsed) / total);
            Values step = from;
            for (int c = 0; c < ServoCount; ++c)
                step[size_t(c)] = stepAngle(from[size_t(c)], to[size_t(c)], fraction);
            step[ColOperationTime] = parts[k];
            step[ColDelayTime] = 0;
            step[ColLoopFlag] = LoopNone;
            step[ColLoopTimes] = 0;
            step[ColMusicControl] = 0;
            step[ColMusicType] = 0;
            step[ColMusicFolder] = 0;
            step[ColMusicFile] = 0;
            move.steps.append(step);
        }
        move.lastStepMs = parts.last();
        result.moves.append(move);
    }
    return result;
}

TableState bake(const TableState &table, const Plan &plan)
{
    TableState eased;
    eased.frames.reserve(table.rowCount() + plan.addedFrames());
    int next = 0;
    for (const Move &move : plan.moves) {
        for (; next < move.row; ++next)
            eased.frames.append(table.frames[next]);
        for (const Values &step : move.steps)
            eased.frames.append(StoredFrame(step));
        StoredFrame own = table.frames[move.row];
        own.setValue(ColOperationTime, move.lastStepMs);
        eased.frames.append(own);
        next = move.row + 1;
    }
    for (; next < table.rowCount(); ++next)
        eased.frames.append(table.frames[next]);
    return eased;
}

FrameRows bake(const FrameRows &rows, const Plan &plan)
{
    FrameRows eased;
    eased.reserve(rows.size() + plan.addedFrames());
    int next = 0;
    for (const Move &move : plan.moves) {
        for (; next < move.row; ++next)
            eased.append(rows[next]);
        for (const Values &step : move.steps) {
            FrameCells cells;
            for (int c = 0; c < ColumnCount; ++c)
                cells[size_t(c)] = step[size_t(c)];
            eased.append(cells);
        }
        FrameCells own = rows[move.row];
        own[ColOperationTime] = move.lastStepMs;
        eased.append(own);
        next = move.row + 1;
    }
    for (; next < rows.size(); ++next)
        eased.append(rows[next]);
    return eased;
}

QString faultText(const Plan &plan)
{
    switch (plan.fault) {
    case Plan::None:
        return QString();
    case Plan::NoMove:
        return QCoreApplication::translate(
            "Easing", "Choose a frame after the first: the first frame has no move into it to ease.");
    case Plan::StepsOutOfRange:
        return QCoreApplication::translate("Easing", "The number of steps must be 1 to %1.").arg(MaximumSteps);
    case Plan::MoveTooShort:
        if (plan.moveMs / MinimumStepMs < 2)
            return QCoreApplication::translate("Easing",
                                               "The move into frame %1 takes %2 ms, too short for %3 steps of at "
                                               "least %4 ms each: it cannot be split.")
                .arg(plan.faultyRow + 1)
                .arg(plan.moveMs)
                .arg(plan.steps)
                .arg(MinimumStepMs);
        return QCoreApplication::translate("Easing",
                                           "The move into frame %1 takes %2 ms, too short for %3 steps of at "
                                           "least %4 ms each: it allows at most %5 steps.")
            .arg(plan.faultyRow + 1)
            .arg(plan.moveMs)
            .arg(plan.steps)
            .arg(MinimumStepMs)
            .arg(plan.moveMs / MinimumStepMs);
    }
    return QString();
}

double maxDeviationPercent(Curve curve, int steps, int amplitude, int moveMs)
{
    if (amplitude == 0 || moveMs <= 0)
        return 0.0;
    Values from{};
    Values to{};
    to[0] = amplitude;
    to[ColOperationTime] = moveMs;
    const Plan eased = plan({from, to}, {1}, curve, steps);
    if (!eased.ok())
        return -1.0;
    // The poses the robot passes through and when: the start, every step's
    // end, the frame itself.
    QVector<qint64> times{0};
    QVector<int> poses{0};
    qint64 elapsed = 0;
    for (const Values &step : eased.moves.first().steps) {
        elapsed += step[ColOperationTime];
        times.append(elapsed);
        poses.append(step[0]);
    }
    times.append(moveMs);
    poses.append(amplitude);
    double worst = 0.0;
    int segment = 0;
    for (int t = 0; t <= moveMs; ++t) {
        while (segment + 1 < times.size() - 1 && t > times[segment + 1])
            ++segment;
        const qint64 t0 = times[segment];
        const qint64 t1 = times[segment + 1];
        const double played
            = t1 == t0 ? poses[segment + 1] : poses[segment] + (poses[segment + 1] - poses[segment]) * double(t - t0) / (t1 - t0);
        const double ideal = amplitude * shape(curve, double(t) / moveMs);
        worst = std::max(worst, std::abs(played - ideal));
    }
    return 100.0 * worst / std::abs(amplitude);
}

} // namespace easing
