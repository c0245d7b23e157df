#pragma once
// Live readings of the robot as plain values: what one sweep over the servos
// read (AllCurrentData of each servo, its WorkingState when read, the
// battery), the alarm rules that judge a sweep, and the CSV form of a session.
//
// Units of the words as the servos send them: position in tenths of a degree,
// torque in percent of the rated torque, voltage in tenths of a volt,
// temperature in degrees Celsius; the battery in millivolts.

#include <QCoreApplication>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

namespace live {

struct ServoReading {
    int servo = 0;
    int position = 0;     // tenths of a degree
    int speed = 0;
    int torque = 0;       // percent
    int voltage = 0;      // tenths of a volt
    int temperature = 0;  // degrees Celsius
    // The WorkingState last read from this servo (0 normal); -1 never read.
    int workingState = -1;
};

struct Sweep {
    // Milliseconds since the watch started, when the sweep began.
    qint64 timeMs = 0;
    // How long the sweep took, first request to last answer.
    qint64 durationMs = 0;
    // The servos that answered, in servo order.
    QVector<ServoReading> servos;
    // Millivolts, or -1 when the battery did not answer.
    int batteryMv = -1;
};

enum class Level { Normal, Warning, Alarm };

// What the user sets.
struct AlarmSettings {
    // A temperature this close to the servo's MaximumTemperature warns (°C).
    int temperatureMarginC = 10;
    // A battery under this raises an alarm (mV).
    int batteryAlarmMv = 6800;
};

// Hysteresis: a level falls back only this far past its threshold, so a
// value that trembles on a threshold is told once.
constexpr int kTemperatureHysteresisC = 2;
constexpr int kBatteryHysteresisMv = 100;

// The level of one servo's reading, given its MaximumTemperature (0: not
// known) and the level it had (for the hysteresis).
Level servoLevel(const ServoReading &reading, int maximumTemperature, const AlarmSettings &settings,
                 Level before = Level::Normal);
Level batteryLevel(int batteryMv, const AlarmSettings &settings, Level before = Level::Normal);

// One change of level, told once per crossing.
struct AlarmEvent {
    int servo = 0;        // 0: the battery
    Level from = Level::Normal;
    Level to = Level::Normal;
    QString text;         // the line for the status bar and the log
};

// Keeps each servo's and the battery's level across sweeps and tells what
// changed.
class AlarmTracker
{
    Q_DECLARE_TR_FUNCTIONS(AlarmTracker)

public:
    void setSettings(const AlarmSettings &settings) { settings_ = settings; }
    const AlarmSettings &settings() const { return settings_; }
    // Servo limits read at the connection (servo -> MaximumTemperature).
    void setLimits(const QHash<int, int> &limits) { limits_ = limits; }
    const QHash<int, int> &limits() const { return limits_; }

    // Judges a sweep; returns the changes of level, servos first (in servo
    // order), then the battery. A servo missing from the sweep keeps its level.
    QVector<AlarmEvent> update(const Sweep &sweep);
    // Forgets every level (a new connection); nothing is told.
    void reset();

    Level level(int servo) const { return levels.value(servo, Level::Normal); }
    Level battery() const { return batteryLevel_; }
    // Servos at Warning or Alarm, by servo.
    QHash<int, Level> raised() const;
    // True once any alarm (not a warning) was raised since the last reset.
    bool alarmRaised() const { return anyAlarm; }

    // The name of a WorkingState value as the servo panel shows it.
    static QString stateName(int state);

private:
    QString text(int servo, Level to, const ServoReading *reading, int batteryMv) const;
    AlarmSettings settings_;
    QHash<int, int> limits_;
    QHash<int, Level> levels;
    Level batteryLevel_ = Level::Normal;
    bool anyAlarm = false;
};

// CSV of a session: one row per servo per sweep, the time column in ms.
QString csvHeader();
QStringList csvRows(const Sweep &sweep);
// Header and every row, CR LF line ends.
QByteArray csv(const QVector<Sweep> &sweeps);

} // namespace live
