// The live readings' rules without a robot: the levels of a servo's reading
// and of the battery at and around their thresholds, alarms told once per
// crossing (a value trembling on a threshold is not told again), cleared on
// recovery; the CSV of a session; and the virtual robot's servo model that
// the sweeps watch (warming under load, cooling when released, the faulty
// servo's crossing within 3 s, the battery's sag while moving).

#include <QtTest>

#include "link/livereadings.h"
#include "robotsim/servothermal.h"

using namespace live;

namespace {

ServoReading reading(int servo, int temperature, int state = 0)
{
    ServoReading r;
    r.servo = servo;
    r.temperature = temperature;
    r.workingState = state;
    r.voltage = 74;
    r.torque = 20;
    r.position = -455;
    return r;
}

Sweep sweepOf(qint64 timeMs, const QVector<ServoReading> &servos, int batteryMv = 7400)
{
    Sweep s;
    s.timeMs = timeMs;
    s.servos = servos;
    s.batteryMv = batteryMv;
    return s;
}

} // namespace

Q_DECLARE_METATYPE(live::Level)

class TestLiveReadings : public QObject
{
    Q_OBJECT

private slots:
    void servoLevels_data()
    {
        QTest::addColumn<int>("temperature");
        QTest::addColumn<int>("state");
        QTest::addColumn<int>("limit");
        QTest::addColumn<Level>("before");
        QTest::addColumn<Level>("expected");
        // Limit 75, margin 10: warning from 65, alarm from 75.
        QTest::newRow("cool") << 64 << 0 << 75 << Level::Normal << Level::Normal;
        QTest::newRow("at the margin") << 65 << 0 << 75 << Level::Normal << Level::Warning;
        QTest::newRow("one under the limit") << 74 << 0 << 75 << Level::Normal << Level::Warning;
        QTest::newRow("at the limit") << 75 << 0 << 75 << Level::Normal << Level::Alarm;
        QTest::newRow("fault while cool") << 30 << 4 << 75 << Level::Normal << Level::Alarm;
        QTest::newRow("low voltage fault") << 30 << 2 << 75 << Level::Normal << Level::Alarm;
        QTest::newRow("state never read") << 30 << -1 << 75 << Level::Normal << Level::Normal;
        QTest::newRow("limit unknown") << 90 << 0 << 0 << Level::Normal << Level::Normal;
        // Hysteresis: a level falls back only 2 degrees past its threshold.
        QTest::newRow("alarm holds one under") << 74 << 0 << 75 << Level::Alarm << Level::Alarm;
        QTest::newRow("alarm holds two under") << 73 << 0 << 75 << Level::Alarm << Level::Alarm;
        QTest::newRow("alarm falls to warning") << 72 << 0 << 75 << Level::Alarm << Level::Warning;
        QTest::newRow("warning holds under margin") << 63 << 0 << 75 << Level::Warning << Level::Warning;
        QTest::newRow("warning clears") << 62 << 0 << 75 << Level::Warning << Level::Normal;
        QTest::newRow("alarm clears at once") << 40 << 0 << 75 << Level::Alarm << Level::Normal;
        QTest::newRow("fault cleared, still hot") << 74 << 0 << 75 << Level::Alarm << Level::Alarm;
    }
    void servoLevels()
    {
        QFETCH(int, temperature);
        QFETCH(int, state);
        QFETCH(int, limit);
        QFETCH(Level, before);
        QFETCH(Level, expected);
        QCOMPARE(servoLevel(reading(6, temperature, state), limit, AlarmSettings(), before), expected);
    }

    void batteryLevels()
    {
        AlarmSettings settings;
        settings.batteryAlarmMv = 6800;
        QCOMPARE(batteryLevel(6800, settings), Level::Normal);
        QCOMPARE(batteryLevel(6799, settings), Level::Alarm);
        QCOMPARE(batteryLevel(6850, settings, Level::Alarm), Level::Alarm);
        QCOMPARE(batteryLevel(6900, settings, Level::Alarm), Level::Normal);
        // No answer from the battery in a sweep: its level stays.
        QCOMPARE(batteryLevel(-1, settings, Level::Alarm), Level::Alarm);
        QCOMPARE(batteryLevel(-1, settings, Level::Normal), Level::Normal);
    }

    // Told once per crossing, cleared on recovery, never in between.
    void onceAPerCrossing()
    {
        AlarmTracker tracker;
        tracker.setLimits({{6, 75}, {8, 70}});
        QVERIFY(tracker.update(sweepOf(0, {reading(6, 40), reading(8, 40)})).isEmpty());

        QVector<AlarmEvent> events = tracker.update(sweepOf(500, {reading(6, 76), reading(8, 40)}));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].servo, 6);
        QCOMPARE(events[0].from, Level::Normal);
        QCOMPARE(events[0].to, Level::Alarm);
        QCOMPARE(events[0].text, QStringLiteral("Alarm: servo 6 is at 76 °C, at or over its limit of 75 °C."));
        QVERIFY(tracker.alarmRaised());
        QCOMPARE(tracker.raised(), (QHash<int, Level>{{6, Level::Alarm}}));

        // Trembling on the limit: nothing more is told.
        for (int t : {74, 75, 73, 76, 74})
            QVERIFY(tracker.update(sweepOf(1000, {reading(6, t), reading(8, 40)})).isEmpty());

        // The servo's own fault with its name.
        events = tracker.update(sweepOf(1500, {reading(6, 74), reading(8, 41, 4)}));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].text, QStringLiteral("Alarm: servo 8 reports \"high temperature\" (41 °C)."));

        // A servo missing from a sweep keeps its level.
        QVERIFY(tracker.update(sweepOf(2000, {reading(6, 74)})).isEmpty());
        QCOMPARE(tracker.level(8), Level::Alarm);

        // Recovery, through the warning.
        events = tracker.update(sweepOf(2500, {reading(6, 70), reading(8, 41, 0)}));
        QCOMPARE(events.size(), 2);
        QCOMPARE(events[0].text, QStringLiteral("Warning: servo 6 is at 70 °C, within 5 °C of its limit of 75 °C."));
        QCOMPARE(events[1].text, QStringLiteral("Cleared: servo 8 is back to normal (41 °C)."));
        events = tracker.update(sweepOf(3000, {reading(6, 50), reading(8, 41, 0)}));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].to, Level::Normal);
        QVERIFY(tracker.raised().isEmpty());
        // Once raised, the session had an alarm.
        QVERIFY(tracker.alarmRaised());
        tracker.reset();
        QVERIFY(!tracker.alarmRaised());
    }

    void batteryCrossing()
    {
        AlarmTracker tracker;
        AlarmSettings settings;
        settings.batteryAlarmMv = 7000;
        tracker.setSettings(settings);
        QVERIFY(tracker.update(sweepOf(0, {}, 7100)).isEmpty());
        QVector<AlarmEvent> events = tracker.update(sweepOf(500, {}, 6950));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].servo, 0);
        QCOMPARE(events[0].text, QStringLiteral("Alarm: the battery is at 6.95 V, under 7.00 V."));
        QVERIFY(tracker.update(sweepOf(1000, {}, 7050)).isEmpty());
        QVERIFY(tracker.update(sweepOf(1500, {}, -1)).isEmpty());
        events = tracker.update(sweepOf(2000, {}, 7200));
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].text, QStringLiteral("Cleared: the battery is back at 7.20 V."));
    }

    void csvRowsPerServoPerSweep()
    {
        ServoReading unread = reading(3, 33, -1);
        unread.position = 5;
        const QVector<Sweep> sweeps{sweepOf(0, {reading(2, 32), unread}, 7400),
                                    sweepOf(512, {reading(2, 33), reading(3, 33, 4)}, -1),
                                    sweepOf(1020, {}, 7390)};
        const QList<QByteArray> lines = csv(sweeps).split('\n');
        // Header, 4 rows, and nothing after the last CR LF.
        QCOMPARE(lines.size(), 6);
        QCOMPARE(lines.last(), QByteArray());
        QCOMPARE(lines[0], QByteArray("time_ms,servo,position_deg,speed,torque_percent,voltage_v,temperature_c,"
                                      "working_state,battery_v\r"));
        QCOMPARE(lines[1], QByteArray("0,2,-45.5,0,20,7.4,32,0,7.400\r"));
        QCOMPARE(lines[2], QByteArray("0,3,0.5,0,20,7.4,33,,7.400\r"));
        QCOMPARE(lines[3], QByteArray("512,2,-45.5,0,20,7.4,33,0,\r"));
        QCOMPARE(lines[4], QByteArray("512,3,-45.5,0,20,7.4,33,4,\r"));
        QCOMPARE(csvRows(sweeps[2]), QStringList());
    }

    // The virtual robot's servos: what the sweeps are tested against.
    void servoModel()
    {
        int modes[21];
        int limits[21];
        std::fill(modes, modes + 21, 3);
        std::fill(limits, limits + 21, 75);
        ServoThermal model(0);
        model.setHotServo(8);
        model.advance(0, modes, limits);
        QCOMPARE(model.temperature(9), 34);
        QCOMPARE(model.torque(9), 19);
        QCOMPARE(model.batteryMv(7400), 7400);

        // The faulty servo crosses its limit within 3 s and says so.
        qint64 crossed = -1;
        for (qint64 t = 100; t <= 3000 && crossed < 0; t += 100) {
            model.advance(t, modes, limits);
            if (model.temperature(8) >= 75)
                crossed = t;
            QCOMPARE(model.workingState(8), crossed < 0 ? ServoThermal::kNormal : ServoThermal::kHighTemperature);
        }
        QVERIFY2(crossed > 0 && crossed <= 3000, qPrintable(QString::number(crossed)));
        // A sound servo held under load warms, slowly.
        QVERIFY(model.temperature(9) < 36);
        model.advance(600000, modes, limits);
        QVERIFY(model.temperature(9) > 36);
        // Released, they cool (the faulty one drops its fault 5 degrees under).
        modes[8] = 7;
        modes[9] = 7;
        model.advance(600001, modes, limits);
        QCOMPARE(model.torque(9), 0);
        model.advance(660000, modes, limits);
        QVERIFY(model.temperature(8) < 70);
        QCOMPARE(model.workingState(8), ServoThermal::kNormal);
        model.advance(6000000, modes, limits);
        QCOMPARE(model.temperature(9), int(ServoThermal::kRoomCelsius));

        // A move loads the servo and makes the battery sag while it lasts.
        modes[9] = 3;
        model.advance(6000001, modes, limits);
        model.moved(9, 300, 6000001);
        model.advance(6000010, modes, limits);
        QVERIFY(model.anyMoving());
        QCOMPARE(model.torque(9), 19 + ServoThermal::kMoveLoad);
        QVERIFY(model.speed(9) > 0);
        QCOMPARE(model.batteryMv(7400), 7400 - ServoThermal::kMoveSagMv);
        model.advance(6003000, modes, limits);
        QVERIFY(!model.anyMoving());
        QCOMPARE(model.batteryMv(7400), 7400);
        QCOMPARE(model.speed(9), 0);
    }
};

QTEST_GUILESS_MAIN(TestLiveReadings)
#include "tst_livereadings.moc"
