#include "link/busscan.h"

#include "link/packet.h"

BusScan::BusScan()
{
    for (int a = kFirstAddress; a <= kLastAddress; ++a)
        addresses << Address();
}

BusScan::Address *BusScan::at(int address)
{
    if (address < kFirstAddress || address > kLastAddress)
        return nullptr;
    return &addresses[address - kFirstAddress];
}

bool BusScan::settled(const Address &a) const
{
    return (a.model >= 0 && a.version >= 0) || a.stranger != 0 || a.damaged >= kDamagedTries
           || a.silent >= kSilentTries;
}

bool BusScan::done() const
{
    for (const Address &a : addresses)
        if (!settled(a))
            return false;
    return true;
}

QList<QPair<int, int>> BusScan::nextPass()
{
    QList<QPair<int, int>> reads;
    for (int i = 0; i < addresses.size(); ++i) {
        Address &a = addresses[i];
        a.heard = false;
        a.damagedNow = false;
        if (settled(a))
            continue;
        // The first pass asks for both; a later one for the first still
        // missing (the next pass asks for the other), so that asking again
        // costs little.
        if (a.model < 0)
            reads << qMakePair(kFirstAddress + i, int(packet::ServoModel));
        if (a.version < 0 && (passes == 0 || a.model >= 0))
            reads << qMakePair(kFirstAddress + i, int(packet::Version));
    }
    ++passes;
    return reads;
}

void BusScan::answered(int asked, int source, int reg, int value)
{
    if (Address *a = at(source)) {
        // A servo of the bus, whichever read it answers (a late answer too).
        a->heard = true;
        if (reg == packet::ServoModel)
            a->model = value;
        else if (reg == packet::Version)
            a->version = value;
    } else if (Address *a = at(asked)) {
        // Nobody outside 2..20 was asked: this servo answered for another.
        a->stranger = source;
    }
}

void BusScan::damaged(int asked, int source)
{
    // The claimed source, when it is one of ours; else the address asked.
    Address *a = at(source);
    if (!a)
        a = at(asked);
    if (!a)
        return;
    a->heard = true;
    a->damagedNow = true;
}

void BusScan::endPass()
{
    for (Address &a : addresses) {
        if (settled(a))
            continue;
        const bool complete = a.model >= 0 && a.version >= 0;
        if (complete)
            continue;
        if (!a.heard)
            ++a.silent;
        else if (a.damagedNow)
            ++a.damaged;
    }
}

QList<BusScan::Entry> BusScan::entries() const
{
    QList<Entry> out;
    for (int i = 0; i < addresses.size(); ++i) {
        const Address &a = addresses[i];
        Entry e;
        e.address = kFirstAddress + i;
        e.model = a.model;
        e.version = a.version;
        if (a.stranger != 0) {
            e.state = State::Unreliable;
            e.stranger = a.stranger;
            e.reason = QStringLiteral("answer from address %1, which was not asked").arg(a.stranger);
        } else if (a.model >= 0 && a.version >= 0) {
            e.state = State::Present;
        } else if (a.damaged >= kDamagedTries) {
            // Damaged answers only here while the neighbours answer cleanly:
            // two servos talk at once on this address.
            const auto clean = [&](int j) {
                return j < 0 || j >= addresses.size() || addresses[j].damaged < kDamagedTries;
            };
            e.state = State::Unreliable;
            e.sharedAddress = clean(i - 1) && clean(i + 1);
            e.reason = e.sharedAddress ? QStringLiteral("damaged answers: two servos on one address")
                                       : QStringLiteral("damaged answers");
        } else {
            e.state = State::Missing;
        }
        out << e;
    }
    return out;
}

QString BusScan::line(const Entry &entry)
{
    switch (entry.state) {
    case State::Present:
        return QStringLiteral("%1: present model %2 version %3").arg(entry.address).arg(entry.model).arg(entry.version);
    case State::Missing: return QStringLiteral("%1: missing").arg(entry.address);
    case State::Unreliable: return QStringLiteral("%1: unreliable (%2)").arg(entry.address).arg(entry.reason);
    }
    return QString();
}
