#pragma once
// The arithmetic of the frame editing commands, apart from the window: the
// undo history over flat forms of the table, the transition frame between two
// frames, the steps of mirroring and reversing a pose, which rows a remove
// takes, and the answers of the music questions.

#include <QPair>
#include <QString>
#include <QStringList>
#include <QVector>

#include <array>
#include <deque>

#include "motion/frametable.h"

namespace editing {

// ---- Undo history

// A state of the table. It shares its frames with the table and the other
// states, so a snapshot costs one pointer per frame plus the frames changed
// since the last one.
using Snapshot = frametable::TableState;
using SnapshotQueue = std::deque<Snapshot>;

// Entries the history keeps; older ones are dropped.
constexpr int HistoryLimit = 180;

// Appends state unless it equals the last entry; then drops the oldest
// entries beyond the limit. True when the state was appended.
bool recordSnapshot(SnapshotQueue &history, const Snapshot &state);
// The same for a new edit: a state recorded also empties the redo stack, so a
// later redo cannot bring back an undone state over the edit.
bool recordSnapshot(SnapshotQueue &history, SnapshotQueue &redo, const Snapshot &state);

// Undo: with at least two entries, moves the last one onto the redo stack and
// gives the state to restore (the new last entry). False (nothing moved) with
// fewer than two.
bool undoStep(SnapshotQueue &history, SnapshotQueue &redo, Snapshot *restore);

// Redo: takes the last entry of the redo stack, appends it to the history and
// gives it as the state to restore. False when the redo stack is empty.
bool redoStep(SnapshotQueue &history, SnapshotQueue &redo, Snapshot *restore);

// The frame an undo or redo from before to after is shown at: the first row
// whose values differ (a frame inserted or removed there counts), kept within
// after's rows; -1 when after has no rows, and fallback when nothing differs.
int firstChangedRow(const Snapshot &before, const Snapshot &after, int fallback);

// What turns the table before into after, row by row: frames before and
// after the point `at` stand at the same rows, and only those listed in
// `changed` (ascending, all below `at`) hold other values; at `at`, `removed`
// frames of before are gone or `inserted` frames of after are new (one of
// the two is 0), and the frames after them are the same, moved. Equal
// tables give nothing to do.
struct RowChanges {
    QVector<int> changed;
    int at = 0;
    int removed = 0;
    int inserted = 0;
    bool isEmpty() const { return changed.isEmpty() && removed == 0 && inserted == 0; }
};
RowChanges rowChanges(const Snapshot &before, const Snapshot &after);

// ---- Transition frame

// The two selected rows sorted ascending (in place); true when they are
// exactly two adjacent rows a and a + 1, with a in *first.
bool adjacentPair(QVector<int> &rows, int *first);

// Frame values (46 integers) of the two frames around a transition.
using Frame = std::array<int, 46>;
struct Transition {
    Frame first;   // the first frame with its times halved
    Frame middle;  // the new frame between them
};
// Angles: the mean of both frames (truncated toward zero); operation and
// delay time: half of the first frame's, for each of the two; loop and
// music: none; volume and LEDs: the first frame's.
Transition transition(const Frame &first, const Frame &second);

// ---- Mirror and reverse

// One spin box change: servo (2..20) and its new value.
using AngleStep = QPair<int, int>;
// angles: servos 2..20. The head changes sign, then each left/right pair
// (hands 1-3, legs 1-5) swaps with both signs changed: left first, right
// second. Servos 19 and 20 are kept. Steps that do not change a value are
// still listed (the spin box then emits nothing).
QVector<AngleStep> mirrorSteps(const std::array<int, 19> &angles);
// The mirror partner of a servo: left and right hand 1-3 and leg 1-5 pair up
// (3 with 11 ... 10 with 18); 0 for the head, the extra servos and any other.
int mirrorPartner(int servo);
// The angle a joint takes from its mirror partner's (the sign changes).
int mirroredAngle(int partnerAngle);
// Mirrored posing: servo was set to value, so its partner takes the mirrored
// angle; the same rule as mirrorSteps. {0, 0} for a servo without a partner.
AngleStep partnerStep(int servo, int value);
// Every body servo (2..18) changes sign, in the order head, left hand 1-3,
// right hand 1-3, left leg 1-5, right leg 1-5.
QVector<AngleStep> reverseSteps(const std::array<int, 19> &angles);
// The pose after applying steps.
std::array<int, 19> applySteps(std::array<int, 19> angles, const QVector<AngleStep> &steps);

// ---- Remove and cut

// The rows of selected that exist in a table of rowCount rows, each once,
// highest first (the order they are removed in). Sorts selected ascending in place.
QVector<int> rowsToRemove(QVector<int> &selected, int rowCount);
// The row to make current after a remove, given the rows left: current (or
// the last row when there was none) lowered to the last row; -1 for an empty table.
int rowAfterRemove(int current, int rowCount);

// ---- Music questions

// Position of an answer of the music type question in its list, compared
// without regard to case or surrounding blanks; 0 (the first type) for a
// typed text that names no type, so the column stays within its range.
int musicTypeIndex(const QString &answer, const QStringList &items);

} // namespace editing
