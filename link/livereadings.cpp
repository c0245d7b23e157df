#include "link/livereadings.h"

#include <algorithm>

namespace live {

Level servoLevel(const ServoReading &reading, int maximumTemperature, const AlarmSettings &settings, Level before)
{
    // A fault the servo reports itself is an alarm whatever its temperature.
    if (reading.workingState > 0)
        return Level::Alarm;
    if (maximumTemperature <= 0)
        return Level::Normal;
    const int alarmAt = maximumTemperature - (before == Level::Alarm ? kTemperatureHysteresisC : 0);
    const int warnAt =
        maximumTemperature - settings.temperatureMarginC - (before != Level::Normal ? kTemperatureHysteresisC : 0);
    if (reading.temperature >= alarmAt)
        return Level::Alarm;
    if (reading.temperature >= warnAt)
        return Level::Warning;
    return Level::Normal;
}

Level batteryLevel(int batteryMv, const AlarmSettings &settings, Level before)
{
    if (batteryMv < 0)
        return before;
    const int alarmUnder = settings.batteryAlarmMv + (before == Level::Alarm ? kBatteryHysteresisMv : 0);
    return batteryMv < alarmUnder ? Level::Alarm : Level::Normal;
}

QString AlarmTracker::stateName(int state)
{
    switch (state) {
    case 0: return tr("normal");
    case 1: return tr("high voltage");
    case 2: return tr("low voltage");
    case 3: return tr("high torque");
    case 4: return tr("high temperature");
    default: return tr("state %1").arg(state);
    }
}

static QString volts(int millivolts)
{
    return QString::number(millivolts / 1000.0, 'f', 2);
}

QString AlarmTracker::text(int servo, Level to, const ServoReading *reading, int batteryMv) const
{
    if (servo == 0) {
        if (to == Level::Alarm)
            return tr("Alarm: the battery is at %1 V, under %2 V.").arg(volts(batteryMv), volts(settings_.batteryAlarmMv));
        return tr("Cleared: the battery is back at %1 V.").arg(volts(batteryMv));
    }
    const int limit = limits_.value(servo, 0);
    switch (to) {
    case Level::Alarm:
        if (reading->workingState > 0)
            return tr("Alarm: servo %1 reports \"%2\" (%3 °C).")
                .arg(servo)
                .arg(stateName(reading->workingState))
                .arg(reading->temperature);
        return tr("Alarm: servo %1 is at %2 °C, at or over its limit of %3 °C.")
            .arg(servo)
            .arg(reading->temperature)
            .arg(limit);
    case Level::Warning:
        return tr("Warning: servo %1 is at %2 °C, within %3 °C of its limit of %4 °C.")
            .arg(servo)
            .arg(reading->temperature)
            .arg(limit - reading->temperature)
            .arg(limit);
    case Level::Normal:
        break;
    }
    return tr("Cleared: servo %1 is back to normal (%2 °C).").arg(servo).arg(reading->temperature);
}

QVector<AlarmEvent> AlarmTracker::update(const Sweep &sweep)
{
    QVector<AlarmEvent> events;
    for (const ServoReading &reading : sweep.servos) {
        const Level before = level(reading.servo);
        const Level now = servoLevel(reading, limits_.value(reading.servo, 0), settings_, before);
        if (now == before)
            continue;
        levels[reading.servo] = now;
        anyAlarm = anyAlarm || now == Level::Alarm;
        events.push_back({reading.servo, before, now, text(reading.servo, now, &reading, 0)});
    }
    const Level batteryNow = batteryLevel(sweep.batteryMv, settings_, batteryLevel_);
    if (batteryNow != batteryLevel_) {
        events.push_back({0, batteryLevel_, batteryNow, text(0, batteryNow, nullptr, sweep.batteryMv)});
        batteryLevel_ = batteryNow;
        anyAlarm = anyAlarm || batteryNow == Level::Alarm;
    }
    return events;
}

void AlarmTracker::reset()
{
    levels.clear();
    batteryLevel_ = Level::Normal;
    anyAlarm = false;
}

QHash<int, Level> AlarmTracker::raised() const
{
    QHash<int, Level> out;
    for (auto it = levels.begin(); it != levels.end(); ++it)
        if (it.value() != Level::Normal)
            out.insert(it.key(), it.value());
    return out;
}

QString csvHeader()
{
    return QStringLiteral("time_ms,servo,position_deg,speed,torque_percent,voltage_v,temperature_c,working_state,battery_v");
}

QStringList csvRows(const Sweep &sweep)
{
    QStringList rows;
    const QString battery = sweep.batteryMv < 0 ? QString() : QString::number(sweep.batteryMv / 1000.0, 'f', 3);
    for (const ServoReading &r : sweep.servos)
        rows << QStringLiteral("%1,%2,%3,%4,%5,%6,%7,%8,%9")
                    .arg(sweep.timeMs)
                    .arg(r.servo)
                    .arg(QString::number(r.position / 10.0, 'f', 1))
                    .arg(r.speed)
                    .arg(r.torque)
                    .arg(QString::number(r.voltage / 10.0, 'f', 1))
                    .arg(r.temperature)
                    .arg(r.workingState < 0 ? QString() : QString::number(r.workingState))
                    .arg(battery);
    return rows;
}

QByteArray csv(const QVector<Sweep> &sweeps)
{
    QByteArray out = csvHeader().toUtf8() + "\r\n";
    for (const Sweep &sweep : sweeps)
        for (const QString &row : csvRows(sweep))
            out += row.toUtf8() + "\r\n";
    return out;
}

} // namespace live
