#include "servothermal.h"

#include <cmath>

ServoThermal::ServoThermal(qint64 startMs) : lastMs(startMs)
{
    // The temperatures a robot switched on a while ago shows.
    for (int s = kFirstServo; s <= kLastServo; ++s)
        servos[s].celsius = 30 + s % 5;
}

double ServoThermal::loadShare(int mode)
{
    switch (mode) {
    case 1:   // brake stop
    case 2:   // ordinary servo
    case 3:   // curve servo
        return 1.0;
    case 6:   // flexible control: gives way, bears part of it
        return 0.5;
    default:  // 7 stop without brake, and anything unknown: released
        return 0.0;
    }
}

double ServoThermal::target(int servo, const Servo &s, bool moving) const
{
    if (servo == hotServo)
        return s.share > 0 ? kHotTargetCelsius : kRoomCelsius;
    const double load = s.share * holdingLoad(servo) + (moving ? kMoveLoad : 0);
    // A held servo rests a few degrees above the room before any load.
    return (s.share > 0 ? 30 + servo % 5 : kRoomCelsius) + kCelsiusPerLoad * load;
}

void ServoThermal::advance(qint64 nowMs, const int *modes, const int *limits)
{
    if (nowMs <= lastMs) {
        for (int n = kFirstServo; n <= kLastServo; ++n)
            servos[n].share = loadShare(modes[n]);
        return;
    }
    for (int n = kFirstServo; n <= kLastServo; ++n) {
        Servo &s = servos[n];
        const double tau = n == hotServo ? kHotTimeConstantS : kTimeConstantS;
        // Up to the end of a move with the move's load, then without.
        qint64 at = lastMs;
        while (at < nowMs) {
            const bool moving = s.moveEndMs > at;
            const qint64 until = moving ? qMin(nowMs, s.moveEndMs) : nowMs;
            const double goal = target(n, s, moving);
            s.celsius = goal + (s.celsius - goal) * std::exp(-double(until - at) / 1000.0 / tau);
            at = until;
        }
        // The mode chosen meanwhile counts from now on.
        s.share = loadShare(modes[n]);
        const int limit = limits[n];
        if (s.celsius >= limit)
            s.faulted = true;
        else if (s.celsius < limit - 5)
            s.faulted = false;
    }
    lastMs = nowMs;
}

void ServoThermal::moved(int servo, int distance, qint64 nowMs)
{
    if (servo < kFirstServo || servo > kLastServo || distance == 0)
        return;
    // About 300 degrees a second, at least a 50 ms step.
    const int durationMs = qBound(50, qAbs(distance) / 3, 2000);
    servos[servo].moveEndMs = nowMs + durationMs;
    servos[servo].moveSpeed = distance * 10 / durationMs;
}

int ServoThermal::temperature(int servo) const
{
    // A servo's sensor reports whole degrees, cut (not rounded).
    return int(std::floor(servos[servo].celsius));
}

int ServoThermal::torque(int servo) const
{
    const Servo &s = servos[servo];
    const bool moving = s.moveEndMs > lastMs;
    return int(s.share * holdingLoad(servo)) + (moving ? kMoveLoad : 0);
}

int ServoThermal::speed(int servo) const
{
    const Servo &s = servos[servo];
    return s.moveEndMs > lastMs ? s.moveSpeed : 0;
}

int ServoThermal::workingState(int servo) const
{
    return servos[servo].faulted ? kHighTemperature : kNormal;
}

bool ServoThermal::anyMoving() const
{
    for (int n = kFirstServo; n <= kLastServo; ++n)
        if (servos[n].moveEndMs > lastMs)
            return true;
    return false;
}

int ServoThermal::batteryMv(int restingMv) const
{
    return restingMv - (anyMoving() ? kMoveSagMv : 0);
}
