#pragma once
// Which servos answer on the bus. Each address 2..20 is asked for its model
// (ServoModel) and its version (Version); the reads of a pass go out together
// and the link paces them. An address is
//  - present when both came back clean from it;
//  - missing when it did not answer, asked twice;
//  - unreliable when its answers cannot be trusted: every answer it sent was
//    damaged, asked three times (two servos on one address talk at once: so
//    when its neighbours answer cleanly), or an answer to it came from an
//    address outside 2..20 (a servo whose address is set wrong).
// A single damaged or lost answer (noise on the line) is asked again in the
// next pass and does not count against the address.
//
// The unit only decides; whoever drives it sends the reads of each pass,
// tells which read each answer belongs to (the read last written when it
// came) and ends the pass once its answers had time to come.

#include <QList>
#include <QPair>
#include <QString>

class BusScan
{
public:
    static constexpr int kFirstAddress = 2;
    static constexpr int kLastAddress = 20;
    // Tries at an address that gives damaged answers, and at one that gives none.
    static constexpr int kDamagedTries = 3;
    static constexpr int kSilentTries = 2;

    enum class State { Present, Missing, Unreliable };
    struct Entry {
        int address = 0;
        State state = State::Missing;
        int model = -1;
        int version = -1;
        QString reason;  // of an unreliable address
        // Of an unreliable address: the address that answered for it (0: none),
        // and whether its damaged answers point to two servos on it.
        int stranger = 0;
        bool sharedAddress = false;
    };

    BusScan();

    // The reads (address, register) of the next pass; empty when the scan is over.
    QList<QPair<int, int>> nextPass();
    // A clean answer with value for register reg from source, while the read
    // last written was to address asked.
    void answered(int asked, int source, int reg, int value);
    // A damaged answer claiming to come from source, while the read last
    // written was to address asked.
    void damaged(int asked, int source);
    // The answers of the pass had their time.
    void endPass();

    bool done() const;
    // One entry per address, 2 first.
    QList<Entry> entries() const;
    // "N: present model M version V", "N: missing", "N: unreliable (reason)".
    static QString line(const Entry &entry);

private:
    struct Address {
        int model = -1;
        int version = -1;
        int damaged = 0;     // passes in which it answered only damaged
        int silent = 0;      // passes in which it did not answer at all
        int stranger = 0;    // an address outside 2..20 that answered for it
        bool heard = false;  // this pass: some answer (clean or damaged)
        bool damagedNow = false;
    };
    bool settled(const Address &a) const;
    Address *at(int address);

    QList<Address> addresses;
    int passes = 0;
};
