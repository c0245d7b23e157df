#pragma once
// The servo service panel's rules: which registers each read button asks for,
// how a register word is shown (signed or unsigned), how the working mode and
// working state boxes map to register values, and which reads are still
// waiting for their answer (an answer of a register the panel asked for shows
// the value read; any other notice of that register is a write acknowledgement).

#include <QHash>
#include <QVector>
#include <QtGlobal>

namespace servoregisters {

// Read servo info, read current data and read parameters, in posting order.
const QVector<int> &servoInfoReads();
const QVector<int> &currentDataReads();
const QVector<int> &parameterReads();

// The value a widget shows for a 16-bit register word: signed for the
// registers that hold signed numbers, unsigned for the others.
int shownValue(int type, int word);
// The 16-bit word written for a box value.
quint16 wireWord(int value);
// The range of values a register word holds, as shown: -32768..32767 for the
// signed registers, 0..65535 for the others. A box showing a register takes
// this range, so that every value a servo holds is shown as it is and an
// edit never writes a value the box clamped.
int lowestValue(int type);
int highestValue(int type);

// Working mode: wire values 1..7 are items 0..6; items 3 and 4 are separator
// lines, not modes.
constexpr int kWorkingModeItems = 7;
// Item shown for a mode value; -1 (no item) for a value outside 1..7.
int workingModeIndex(int value);
// Value written when item index is chosen; 0 when nothing may be written
// (a separator line or no item).
int workingModeValue(int index);

// Working state: items 0..4 are the values 0..4; only "normal" (0) is ever
// written, which clears a fault state.
constexpr int kWorkingStateItems = 5;
int workingStateIndex(int value);   // -1 for a value outside 0..4
bool workingStateWritable(int index);

// Reads the panel has posted and not yet seen answered. An answer that never
// comes (a silent servo) stops counting after kAnswerWaitMs.
class PendingReads
{
public:
    static constexpr qint64 kAnswerWaitMs = 2000;
    void posted(int type, qint64 nowMs);
    // True when a notification of type answers one of the panel's reads (and
    // counts that read as answered); false when it is something else (a
    // write acknowledgement).
    bool takeAnswer(int type, qint64 nowMs);
    void clear() { posts.clear(); }

private:
    QHash<int, QVector<qint64>> posts;  // by type, the times of unanswered reads
};

} // namespace servoregisters
