// The servo panel's rules: how register words are shown, the mode boxes'
// mapping to register values, the read orders and the tracking of reads
// waiting for their answer.

#include <QtTest>

#include "link/packet.h"
#include "robot/servoregisters.h"

using namespace packet;
using namespace servoregisters;

class TestServoRegisters : public QObject
{
    Q_OBJECT

private slots:
    void shownValue_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("shown");
        QTest::newRow("minimum position 0xffff is -1") << int(MinimumPosition) << 0xFFFF << -1;
        QTest::newRow("maximum position 0x8000") << int(MaximumPosition) << 0x8000 << -32768;
        QTest::newRow("signed value already signed") << int(MinimumPosition) << -1350 << -1350;
        QTest::newRow("dead zone signed") << int(PidDeadZone) << 0xFFFE << -2;
        QTest::newRow("current speed negative") << int(CurrentSpeed) << 0xFF9C << -100;
        QTest::newRow("current temperature") << int(CurrentTemperature) << 34 << 34;
        QTest::newRow("speed unsigned 0xffff") << int(Speed) << 0xFFFF << 65535;
        QTest::newRow("version unsigned 0x8001") << int(Version) << 0x8001 << 0x8001;
        QTest::newRow("servo model") << int(ServoModel) << 17 << 17;
        QTest::newRow("unsigned from a stored -1") << int(MaximumTorque) << -1 << 65535;
    }
    void shownValue()
    {
        QFETCH(int, type);
        QFETCH(int, word);
        QFETCH(int, shown);
        QCOMPARE(servoregisters::shownValue(type, word), shown);
    }

    void wireWord()
    {
        QCOMPARE(servoregisters::wireWord(60000), quint16(60000));
        QCOMPARE(servoregisters::wireWord(-1), quint16(0xFFFF));
        QCOMPARE(servoregisters::wireWord(50), quint16(50));
        // A box holds every word of its register: the value shown for any
        // word lies inside the range, both ends reached.
        for (int type : {int(packet::Speed), int(packet::MinimumPosition), int(packet::MaximumPosition),
                         int(packet::PidDeadZone), int(packet::CurrentSpeed), int(packet::Version)}) {
            const int low = servoregisters::lowestValue(type);
            const int high = servoregisters::highestValue(type);
            QCOMPARE(high - low, 65535);
            for (int word : {0, 1, 0x7FFF, 0x8000, 0xFFFF})
                QVERIFY(servoregisters::shownValue(type, word) >= low && servoregisters::shownValue(type, word) <= high);
            QCOMPARE(servoregisters::shownValue(type, int(servoregisters::wireWord(low))), low);
            QCOMPARE(servoregisters::shownValue(type, int(servoregisters::wireWord(high))), high);
        }
    }

    void workingMode_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");  // written; 0: nothing
        QTest::newRow("brake stop") << 0 << 1;
        QTest::newRow("ordinary servo") << 1 << 2;
        QTest::newRow("curve servo") << 2 << 3;
        QTest::newRow("separator 1") << 3 << 0;
        QTest::newRow("separator 2") << 4 << 0;
        QTest::newRow("flexible control") << 5 << 6;
        QTest::newRow("stop without brake") << 6 << 7;
        QTest::newRow("no item") << -1 << 0;
        QTest::newRow("past the list") << 7 << 0;
    }
    void workingMode()
    {
        QFETCH(int, index);
        QFETCH(int, value);
        QCOMPARE(workingModeValue(index), value);
        if (value != 0)
            QCOMPARE(workingModeIndex(value), index);
    }

    void workingModeIndexOutOfRange()
    {
        QCOMPARE(workingModeIndex(0), -1);
        QCOMPARE(workingModeIndex(8), -1);
        QCOMPARE(workingModeIndex(0xFFFF), -1);
        QCOMPARE(workingModeIndex(4), 3);  // a servo reporting 4 shows the line it is on
    }

    void workingState()
    {
        for (int v = 0; v < kWorkingStateItems; ++v)
            QCOMPARE(workingStateIndex(v), v);
        QCOMPARE(workingStateIndex(5), -1);
        QCOMPARE(workingStateIndex(-1), -1);
        QVERIFY(workingStateWritable(0));
        for (int i : {-1, 1, 2, 3, 4})
            QVERIFY(!workingStateWritable(i));
    }

    void readOrders()
    {
        QCOMPARE(servoInfoReads(), (QVector<int>{ServoModel, Version}));
        QCOMPARE(currentDataReads(),
                 (QVector<int>{CurrentSpeed, CurrentTorque, CurrentVoltage, CurrentTemperature}));
        const QVector<int> params{Speed,           Register3,          ParameterP,       ParameterD,
                                  ParameterI,      PidDeadZone,        Acceleration,     CwFlexibleMargin,
                                  CcwFlexibleMargin, CwFlexibleSlope,  CcwFlexibleSlope, WorkingMode,
                                  WorkingState,    MaximumPosition,    MinimumPosition,  MaximumTemperature,
                                  MaximumVoltage,  MinimumVoltage,     MaximumTorque};
        QCOMPARE(parameterReads(), params);
        for (int t : parameterReads())
            QVERIFY(isOneWordRegister(t));
    }

    // An acknowledgement is whatever comes for a register with no read waiting.
    void pendingReads()
    {
        PendingReads p;
        QVERIFY(!p.takeAnswer(Speed, 0));  // nothing asked: an acknowledgement
        p.posted(Speed, 100);
        p.posted(Speed, 130);
        QVERIFY(!p.takeAnswer(ParameterP, 140));
        QVERIFY(p.takeAnswer(Speed, 150));
        QVERIFY(p.takeAnswer(Speed, 160));
        QVERIFY(!p.takeAnswer(Speed, 170));
    }

    void pendingReadsExpire()
    {
        PendingReads p;
        p.posted(WorkingMode, 0);  // a silent servo never answers this one
        QVERIFY(!p.takeAnswer(WorkingMode, PendingReads::kAnswerWaitMs + 1));
        p.posted(WorkingMode, 5000);
        p.posted(WorkingMode, 5000 + PendingReads::kAnswerWaitMs);
        // The first expired, the second still waits.
        QVERIFY(p.takeAnswer(WorkingMode, 5000 + PendingReads::kAnswerWaitMs + 10));
        QVERIFY(!p.takeAnswer(WorkingMode, 5000 + PendingReads::kAnswerWaitMs + 20));
        p.posted(Version, 0);
        p.clear();
        QVERIFY(!p.takeAnswer(Version, 1));
    }
};

QTEST_APPLESS_MAIN(TestServoRegisters)
#include "tst_servoregisters.moc"
