#include "handmoves.h"

#include <QStringList>
#include <cmath>

bool HandMoves::add(const QString &move)
{
    const QStringList parts = move.split(QLatin1Char(':'));
    if (parts.size() != 4)
        return false;
    bool ok[4] = {};
    const int servo = parts[0].toInt(&ok[0]);
    const int from = parts[1].toInt(&ok[1]);
    const int to = parts[2].toInt(&ok[2]);
    const int ms = parts[3].toInt(&ok[3]);
    if (!ok[0] || !ok[1] || !ok[2] || !ok[3] || servo < 2 || servo > 20 || ms < 0)
        return false;
    moves[servo].moves << Move{from, to, ms / 1000.0};
    return true;
}

void HandMoves::released(int servo, double t)
{
    auto it = moves.find(servo);
    if (it == moves.end() || it->released)
        return;
    it->released = true;
    if (!it->moves.isEmpty())
        it->start = t;
}

void HandMoves::held(int servo, double t)
{
    auto it = moves.find(servo);
    if (it == moves.end() || !it->released)
        return;
    advance(*it, t);
    // The hand lets go: the move in progress ends here.
    if (it->start >= 0 && !it->moves.isEmpty())
        it->moves.removeFirst();
    it->start = -1;
    it->released = false;
}

void HandMoves::advance(Hand &hand, double t) const
{
    while (hand.start >= 0 && !hand.moves.isEmpty() && t >= hand.start + hand.moves.first().seconds) {
        const double end = hand.start + hand.moves.first().seconds;
        if (hand.moves.size() == 1)
            return;  // the last one stays, at its end, until the hand lets go
        hand.moves.removeFirst();
        hand.start = end;
    }
}

bool HandMoves::position(int servo, double t, int *position) const
{
    auto it = moves.find(servo);
    if (it == moves.end() || !it->released || it->start < 0 || it->moves.isEmpty())
        return false;
    advance(*it, t);
    const Move &move = it->moves.first();
    const double done = move.seconds <= 0 ? 1.0 : qBound(0.0, (t - it->start) / move.seconds, 1.0);
    *position = int(std::lround(move.from + (move.to - move.from) * done));
    return true;
}
