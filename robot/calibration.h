#pragma once
// Automatic calibration's outcome: which of the servos asked for their
// position answered (and had a correction set), which answered 0 (a position
// of 0 is never taken) and which did not answer, and the report told to the
// user.

#include <QMap>
#include <QString>
#include <QVector>

namespace calibration {

// The servos a calibration asks: 2 to 18 (the extra servos are not asked).
QVector<int> askedServos();

struct Outcome {
    QVector<int> set;     // answered, correction set
    QVector<int> zero;    // answered 0: correction kept
    QVector<int> silent;  // no answer: correction kept
};
// answers: position by servo, for the servos that answered.
Outcome outcome(const QVector<int> &asked, const QMap<int, int> &answers);

// "Calibration: 16 of 17 servos answered. No answer from servo 7: its
// correction is kept." and the like.
QString report(const Outcome &outcome);

} // namespace calibration
