#include "motion/editing.h"

#include <algorithm>

#include "motion/frametable.h"

using namespace frametable;

namespace editing {

bool recordSnapshot(SnapshotQueue &history, const Snapshot &state)
{
    if (!history.empty() && history.back() == state)
        return false;
    history.push_back(state);
    // Redo appends past the limit; the next snapshot brings the history back
    // within it, so it cannot grow without bound.
    while (history.size() > size_t(HistoryLimit))
        history.pop_front();
    return true;
}

bool recordSnapshot(SnapshotQueue &history, SnapshotQueue &redo, const Snapshot &state)
{
    if (!recordSnapshot(history, state))
        return false;
    redo.clear();
    return true;
}

bool undoStep(SnapshotQueue &history, SnapshotQueue &redo, Snapshot *restore)
{
    if (history.size() < 2)
        return false;
    redo.push_back(std::move(history.back()));
    history.pop_back();
    if (restore)
        *restore = history.back();
    return true;
}

bool redoStep(SnapshotQueue &history, SnapshotQueue &redo, Snapshot *restore)
{
    if (redo.empty())
        return false;
    history.push_back(redo.back());
    redo.pop_back();
    if (restore)
        *restore = history.back();
    return true;
}

int firstChangedRow(const Snapshot &before, const Snapshot &after, int fallback)
{
    const int rows = after.rowCount();
    if (rows == 0)
        return -1;
    const int common = std::min(before.rowCount(), rows);
    int row = 0;
    while (row < common && before.frames[row].sameValues(after.frames[row]))
        ++row;
    // Equal tables: nothing moved.
    if (row == common && before.rowCount() == rows)
        row = fallback;
    return std::max(0, std::min(row, rows - 1));
}

RowChanges rowChanges(const Snapshot &before, const Snapshot &after)
{
    const int oldRows = before.rowCount();
    const int newRows = after.rowCount();
    const int common = std::min(oldRows, newRows);
    // The same frames at the start and at the end stay where they are (or
    // move as a block); what lies between is compared row by row.
    int head = 0;
    while (head < common && before.frames[head].sameValues(after.frames[head]))
        ++head;
    int tail = 0;
    while (tail < common - head
           && before.frames[oldRows - 1 - tail].sameValues(after.frames[newRows - 1 - tail]))
        ++tail;
    RowChanges changes;
    const int inPlace = std::min(oldRows, newRows) - head - tail;
    for (int row = head; row < head + inPlace; ++row)
        if (!before.frames[row].sameValues(after.frames[row]))
            changes.changed.append(row);
    changes.at = head + inPlace;
    changes.removed = oldRows - newRows > 0 ? oldRows - newRows : 0;
    changes.inserted = newRows - oldRows > 0 ? newRows - oldRows : 0;
    return changes;
}

bool adjacentPair(QVector<int> &rows, int *first)
{
    std::sort(rows.begin(), rows.end());
    if (rows.size() != 2 || rows[1] != rows[0] + 1)
        return false;
    if (first)
        *first = rows[0];
    return true;
}

Transition transition(const Frame &first, const Frame &second)
{
    Transition t;
    t.first = first;
    t.middle = first;
    for (int c = 0; c < ServoCount; ++c)
        t.middle[c] = (first[c] + second[c]) / 2;
    for (int c : {ColOperationTime, ColDelayTime}) {
        t.first[c] = first[c] / 2;
        t.middle[c] = first[c] / 2;
    }
    for (int c = ColLoopFlag; c <= ColMusicFile; ++c)
        t.middle[c] = 0;
    return t;
}

namespace {

// Left and right servo of each pair, in mirroring order.
constexpr int pairs[8][2] = {{3, 11}, {4, 12}, {5, 13}, {6, 14}, {7, 15}, {8, 16}, {9, 17}, {10, 18}};

int angleOf(const std::array<int, 19> &angles, int servo) { return angles[servoColumn(servo)]; }

} // namespace

int mirrorPartner(int servo)
{
    for (const auto &pair : pairs) {
        if (pair[0] == servo)
            return pair[1];
        if (pair[1] == servo)
            return pair[0];
    }
    return 0;
}

int mirroredAngle(int partnerAngle)
{
    return -partnerAngle;
}

AngleStep partnerStep(int servo, int value)
{
    const int partner = mirrorPartner(servo);
    return partner ? AngleStep{partner, mirroredAngle(value)} : AngleStep{0, 0};
}

QVector<AngleStep> mirrorSteps(const std::array<int, 19> &angles)
{
    QVector<AngleStep> steps;
    steps.append({2, mirroredAngle(angleOf(angles, 2))});
    for (const auto &pair : pairs) {
        const int left = angleOf(angles, pair[0]);
        const int right = angleOf(angles, pair[1]);
        steps.append({pair[0], mirroredAngle(right)});
        steps.append({pair[1], mirroredAngle(left)});
    }
    return steps;
}

QVector<AngleStep> reverseSteps(const std::array<int, 19> &angles)
{
    static constexpr int order[17] = {2, 3, 4, 5, 11, 12, 13, 6, 7, 8, 9, 10, 14, 15, 16, 17, 18};
    QVector<AngleStep> steps;
    for (int servo : order)
        steps.append({servo, -angleOf(angles, servo)});
    return steps;
}

std::array<int, 19> applySteps(std::array<int, 19> angles, const QVector<AngleStep> &steps)
{
    for (const AngleStep &step : steps)
        if (step.first >= 2 && step.first <= 20)
            angles[servoColumn(step.first)] = step.second;
    return angles;
}

QVector<int> rowsToRemove(QVector<int> &selected, int rowCount)
{
    std::sort(selected.begin(), selected.end());
    QVector<int> rows;
    for (int i = selected.size() - 1; i >= 0; --i) {
        const int row = selected[i];
        // A row named twice is removed once: the second removal would take
        // the frame that moved into its place.
        if (row >= 0 && row < rowCount && (rows.isEmpty() || rows.last() != row))
            rows.append(row);
    }
    return rows;
}

int rowAfterRemove(int current, int rowCount)
{
    const int row = current < 0 ? rowCount : current;
    return std::min(row, rowCount - 1);
}

int musicTypeIndex(const QString &answer, const QStringList &items)
{
    const QString wanted = answer.trimmed();
    for (int i = 0; i < items.size(); ++i)
        if (items[i].compare(wanted, Qt::CaseInsensitive) == 0)
            return i;
    return 0;
}

} // namespace editing
