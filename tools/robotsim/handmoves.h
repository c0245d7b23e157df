#pragma once
// The hands of the virtual robot's user: scripted moves of released joints.
// A move "SERVO:FROM:TO:MS" takes hold of the joint once it is released and
// carries it from FROM to TO (tenths of a degree) in MS milliseconds, at an
// even pace; several moves of one joint follow each other. A joint held again
// by its servo is let go at once: the move stops where the joint then is.

#include <QHash>
#include <QList>
#include <QString>

class HandMoves
{
public:
    // Adds a move; false (and nothing added) when move is not
    // SERVO:FROM:TO:MS with SERVO 2..20 and MS >= 0.
    bool add(const QString &move);
    bool isEmpty() const { return moves.isEmpty(); }

    // The servo was released (or held again) at time t, in seconds.
    void released(int servo, double t);
    void held(int servo, double t);

    // Where the hand holds the joint at time t; false while no hand moves it
    // (not released, or its moves not begun or all done and let go).
    bool position(int servo, double t, int *position) const;

private:
    struct Move {
        int from = 0;
        int to = 0;
        double seconds = 0;
    };
    struct Hand {
        QList<Move> moves;    // still to come, the current one first
        double start = -1;    // when the current move began; -1: not begun
        bool released = false;
    };
    // Drops the moves done by time t.
    void advance(Hand &hand, double t) const;
    mutable QHash<int, Hand> moves;
};
