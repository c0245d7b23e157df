// Posing by hand and the bus scan as plain rules: which requests release and
// hold joints and in what order, what a hold sends the servos it holds, what
// a capture takes; how a scan tells present, missing, duplicated and
// misaddressed servos apart, and that noise on the line is asked again
// instead of being taken for two servos on one address.

#include <QtTest>

#include "link/busscan.h"
#include "link/handposing.h"

using namespace packet;
using Request = HandPosing::Request;

namespace {

std::array<int, HandPosing::kServos> panelPose()
{
    std::array<int, HandPosing::kServos> pose{};
    for (int i = 0; i < HandPosing::kServos; ++i)
        pose[size_t(i)] = 100 + i;
    return pose;
}

QString describe(const QList<Request> &requests)
{
    QStringList out;
    for (const Request &r : requests) {
        switch (r.kind) {
        case Request::SetMode: out << QStringLiteral("mode %1=%2").arg(r.servo).arg(r.value); break;
        case Request::ReadPosition: out << QStringLiteral("read %1").arg(r.servo); break;
        case Request::WriteSpeed: out << QStringLiteral("speed %1=%2").arg(r.servo).arg(r.value); break;
        case Request::MovePose: out << QStringLiteral("pose"); break;
        }
    }
    return out.join(QStringLiteral(", "));
}

// Runs one scan against a made-up bus: answer(address, reg, *source, *value)
// says what comes back for a read (false: nothing); damagedAnswer(address, n)
// whether the n-th answer of the whole run, to address, arrives damaged.
QList<BusScan::Entry> runScan(const std::function<bool(int, int, int *, int *)> &answer,
                              const std::function<bool(int, int)> &damagedAnswer, int *answersMade)
{
    BusScan scan;
    for (QList<QPair<int, int>> pass = scan.nextPass(); !pass.isEmpty(); pass = scan.nextPass()) {
        for (const auto &read : pass) {
            int source = 0;
            int value = 0;
            if (!answer(read.first, read.second, &source, &value))
                continue;
            if (damagedAnswer(read.first, ++*answersMade))
                scan.damaged(read.first, source);
            else
                scan.answered(read.first, source, read.second, value);
        }
        scan.endPass();
    }
    return scan.entries();
}

} // namespace

class TestPoseUnits : public QObject
{
    Q_OBJECT

private slots:
    // ---- posing by hand

    void releaseOnlyTheChosenServos()
    {
        HandPosing posing;
        QCOMPARE(describe(posing.release(HandPosing::servosOf(HandPosing::Limb::LeftArm))),
                 QStringLiteral("mode 3=1, mode 4=1, mode 5=1"));
        // Released already: nothing more; a limb beside it only its own servos.
        QCOMPARE(describe(posing.release({4, 2})), QStringLiteral("mode 2=1"));
        QCOMPARE(posing.released(), (QVector<int>{2, 3, 4, 5}));
        QCOMPARE(posing.state(6), HandPosing::Joint::Held);
        // Out of range: ignored.
        QVERIFY(posing.release({1, 21, 1000}).isEmpty());
        QCOMPARE(HandPosing::servosOf(HandPosing::Limb::RightLeg), (QVector<int>{14, 15, 16, 17, 18}));
        QCOMPARE(HandPosing::servosOf(HandPosing::Limb::All).size(), 19);
    }

    void followReadsReleasedJointsInTurn()
    {
        HandPosing posing;
        QVERIFY(posing.followStep().isEmpty());
        posing.release({11, 3});
        QStringList reads;
        for (int i = 0; i < 5; ++i)
            reads << describe(posing.followStep());
        QCOMPARE(reads.join(QStringLiteral("; ")), QStringLiteral("read 3; read 11; read 3; read 11; read 3"));
    }

    void holdReadsFirstThenTargetsThenMode()
    {
        HandPosing posing;
        posing.release({3, 4, 5});
        // A reading from before the hold does not count for it.
        QVERIFY(posing.positionRead(3, -300, panelPose()).isEmpty());
        QCOMPARE(describe(posing.hold({3, 4})), QStringLiteral("read 3, read 4"));
        QCOMPARE(posing.state(3), HandPosing::Joint::Holding);
        QVERIFY(posing.positionRead(4, 222, panelPose()).isEmpty());
        const QList<Request> rest = posing.positionRead(3, -321, panelPose());
        QCOMPARE(describe(rest), QStringLiteral("speed 3=60, speed 4=60, pose, mode 3=3, mode 4=3"));
        QVERIFY(HandPosing::kHoldSpeed < kPoseSpeed);
        // The pose: the held joints where they were read, the still released
        // one at its reading (none yet: the panel's), the others the panel's.
        const std::array<int, HandPosing::kServos> &pose = rest[2].pose;
        QCOMPARE(pose[1], -321);
        QCOMPARE(pose[2], 222);
        QCOMPARE(pose[3], panelPose()[3]);
        QCOMPARE(pose[0], panelPose()[0]);
        QCOMPARE(posing.state(3), HandPosing::Joint::Held);
        QCOMPARE(posing.state(5), HandPosing::Joint::Released);
        // A reading of a held joint changes nothing.
        QVERIFY(posing.positionRead(3, 0, panelPose()).isEmpty());
        QCOMPARE(describe(posing.hold({2, 3})), QString());
    }

    void holdTimedOutHoldsThoseThatAnswered()
    {
        HandPosing posing;
        posing.release({6, 7});
        posing.hold({6, 7});
        QVERIFY(posing.positionRead(7, 50, panelPose()).isEmpty());
        QVector<int> left;
        QCOMPARE(describe(posing.holdTimedOut(panelPose(), &left)), QStringLiteral("speed 7=60, pose, mode 7=3"));
        QCOMPARE(left, QVector<int>{6});
        QCOMPARE(posing.state(6), HandPosing::Joint::Released);
        QVERIFY(!posing.holding());
    }

    void captureTakesReleasedReadings()
    {
        HandPosing posing;
        posing.release({3, 4, 5});
        posing.positionRead(3, -420, panelPose());
        posing.positionRead(5, 0, panelPose());  // a joint at zero is a reading too
        posing.positionRead(9, 77, panelPose()); // held: not taken
        QCOMPARE(posing.capture(), (QList<QPair<int, int>>{{3, -420}, {5, 0}}));
        // Released again after a hold: old readings are gone.
        posing.hold({3});
        posing.positionRead(3, -420, panelPose());
        posing.release({3});
        QCOMPARE(posing.capture(), (QList<QPair<int, int>>{{5, 0}}));
    }

    void stopReleasesEveryJoint()
    {
        HandPosing posing;
        posing.release({3});
        posing.positionRead(3, 10, panelPose());
        posing.stopped();
        QCOMPARE(posing.released().size(), 19);
        int at = 0;
        QVERIFY(posing.reading(3, &at));
        QCOMPARE(at, 10);
        QVERIFY(!posing.reading(4, &at));
    }

    // ---- the bus scan

    void scanTellsEveryKind_data()
    {
        QTest::addColumn<QSet<int>>("absent");
        QTest::addColumn<int>("duplicate");
        QTest::addColumn<int>("stranger");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("all present") << QSet<int>{} << 0 << 0 << QStringList{};
        QTest::newRow("two absent") << QSet<int>{7, 15} << 0 << 0
                                    << QStringList{QStringLiteral("7: missing"), QStringLiteral("15: missing")};
        QTest::newRow("duplicate")
            << QSet<int>{} << 9 << 0
            << QStringList{QStringLiteral("9: unreliable (damaged answers: two servos on one address)")};
        QTest::newRow("duplicate beside a garbled one")
            << QSet<int>{} << 9 << 10
            << QStringList{QStringLiteral("9: unreliable (damaged answers: two servos on one address)"),
                           QStringLiteral("10: unreliable (answer from address 110, which was not asked)")};
        QTest::newRow("stranger at the end") << QSet<int>{2} << 0 << 20
                                             << QStringList{QStringLiteral("2: missing"),
                                                            QStringLiteral("20: unreliable (answer from address 120, which was not asked)")};
    }

    void scanTellsEveryKind()
    {
        QFETCH(QSet<int>, absent);
        QFETCH(int, duplicate);
        QFETCH(int, stranger);
        QFETCH(QStringList, lines);
        int made = 0;
        const QList<BusScan::Entry> entries = runScan(
            [&](int address, int reg, int *source, int *value) {
                if (absent.contains(address))
                    return false;
                *source = address == stranger ? address + 100 : address;
                *value = reg == ServoModel ? 17 : 258;
                return true;
            },
            [&](int address, int) { return address == duplicate; }, &made);
        QCOMPARE(entries.size(), 19);
        QStringList unusual;
        for (const BusScan::Entry &e : entries) {
            if (e.state != BusScan::State::Present)
                unusual << BusScan::line(e);
            else
                QCOMPARE(BusScan::line(e), QStringLiteral("%1: present model 17 version 258").arg(e.address));
        }
        QCOMPARE(unusual, lines);
    }

    void damagedNeighboursAreNoDuplicate()
    {
        // Every answer of 8, 9 and 10 damaged: the line, not two servos.
        BusScan scan;
        for (QList<QPair<int, int>> pass = scan.nextPass(); !pass.isEmpty(); pass = scan.nextPass()) {
            for (const auto &read : pass) {
                if (read.first >= 8 && read.first <= 10)
                    scan.damaged(read.first, read.first);
                else
                    scan.answered(read.first, read.first, read.second, 1);
            }
            scan.endPass();
        }
        const QList<BusScan::Entry> entries = scan.entries();
        QCOMPARE(BusScan::line(entries[7]), QStringLiteral("9: unreliable (damaged answers)"));
        QCOMPARE(entries[9].state, BusScan::State::Present);
    }

    void lateAnswerCountsForItsOwnAddress()
    {
        BusScan scan;
        scan.nextPass();
        // 4's answer comes while 5 was asked last: it is 4's, and 5 is no stranger.
        scan.answered(5, 4, ServoModel, 17);
        scan.answered(5, 4, Version, 258);
        scan.endPass();
        QCOMPARE(BusScan::line(scan.entries()[2]), QStringLiteral("4: present model 17 version 258"));
        QVERIFY(scan.entries()[3].reason.isEmpty());
    }

    // The virtual robot's --corrupt-every 50 over a hundred scans in a row:
    // each damaged answer is asked again, none is taken for two servos.
    void hundredScansUnderNoiseFindNoDuplicate()
    {
        int made = 0;
        int damagedSeen = 0;
        for (int round = 0; round < 100; ++round) {
            const QList<BusScan::Entry> entries = runScan(
                [](int address, int reg, int *source, int *value) {
                    *source = address;
                    *value = reg == ServoModel ? 17 : 258;
                    return true;
                },
                [&](int, int n) {
                    const bool damaged = n % 50 == 0;
                    damagedSeen += damaged;
                    return damaged;
                },
                &made);
            for (const BusScan::Entry &e : entries)
                QVERIFY2(e.state == BusScan::State::Present, qPrintable(BusScan::line(e)));
        }
        QVERIFY(damagedSeen >= 70);
    }
};

QTEST_GUILESS_MAIN(TestPoseUnits)
#include "tst_poseunits.moc"
