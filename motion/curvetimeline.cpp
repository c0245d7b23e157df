#include "motion/curvetimeline.h"

#include <algorithm>
#include <cmath>

namespace curvetimeline {

Timeline build(const QVector<frameinfo::RowTiming> &rows)
{
    Timeline timeline;
    const int count = rows.size();
    timeline.start.resize(count);
    timeline.reach.resize(count);
    timeline.end.resize(count);
    qint64 time = 0;
    QVector<int> open;
    for (int r = 0; r < count; ++r) {
        // Negative times (a damaged file) count as none: the axis runs forward.
        const qint64 operation = qMax(0, rows[r].operationTime);
        const qint64 delay = qMax(0, rows[r].delayTime);
        timeline.start[r] = time;
        timeline.reach[r] = r == 0 ? 0 : time + operation;
        time += operation + delay;
        timeline.end[r] = time;
        if (rows[r].loopFlag == 1) {
            open.append(r);
        } else if (rows[r].loopFlag == 2 && !open.isEmpty()) {
            const int s = open.takeLast();
            timeline.loops.append({s, r, qint64(qMax(0, rows[s].loopTimes)) + 1, timeline.start[s], time});
        }
    }
    std::sort(timeline.loops.begin(), timeline.loops.end(),
              [](const Loop &a, const Loop &b) { return a.startRow < b.startRow; });
    return timeline;
}

int nearestRow(const Timeline &timeline, double t)
{
    const QVector<qint64> &reach = timeline.reach;
    if (reach.isEmpty())
        return -1;
    // The reach times ascend: the nearest is one of the two around t.
    const auto after = std::lower_bound(reach.begin(), reach.end(), t,
                                        [](qint64 value, double key) { return double(value) < key; });
    int row = int(after - reach.begin());
    if (row >= reach.size())
        return reach.size() - 1;
    if (row > 0 && std::abs(double(reach[row - 1]) - t) <= std::abs(double(reach[row]) - t))
        --row;
    // Frames reached at the same time (no operation time): the first of them.
    while (row > 0 && reach[row - 1] == reach[row])
        --row;
    return row;
}

qint64 positionAt(const Timeline &timeline, int row, qint64 intoFrame)
{
    if (row < 0 || row >= timeline.start.size())
        return 0;
    return timeline.start[row] + qBound<qint64>(0, intoFrame, timeline.end[row] - timeline.start[row]);
}

} // namespace curvetimeline
