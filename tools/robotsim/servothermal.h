#pragma once
// What the virtual robot's servos feel: heat, load and the battery's sag.
//
// A servo that holds its place (working modes brake stop, ordinary servo and
// curve servo) bears a load and warms towards a temperature set by that load;
// one in flexible control bears half of it; a released one (stop without
// brake) bears none and cools towards the room's temperature. A servo that
// moves works harder for as long as the move takes, and every move makes the
// battery's voltage sag meanwhile. Temperatures follow their target as an
// exponential approach, worked out exactly for any time step, so the robot's
// readings are the same however often it is asked.
//
// One servo can be made faulty ("hot"): it heats fast while it holds, crosses
// its MaximumTemperature within 3 s of the start and then reports "high
// temperature" (WorkingState 4) until it has cooled 5 degrees below it.

#include <QtGlobal>

class ServoThermal
{
public:
    static constexpr int kFirstServo = 2;
    static constexpr int kLastServo = 20;
    static constexpr double kRoomCelsius = 25.0;
    // Minutes-long warming of a sound servo; seconds for the faulty one.
    static constexpr double kTimeConstantS = 600.0;
    static constexpr double kHotTimeConstantS = 4.0;
    static constexpr double kHotTargetCelsius = 120.0;
    // Degrees of warming per percent of load held.
    static constexpr double kCelsiusPerLoad = 0.3;
    // Extra load while moving, and the battery's sag while anything moves.
    static constexpr int kMoveLoad = 20;
    static constexpr int kMoveSagMv = 350;
    // WorkingState values.
    static constexpr int kNormal = 0;
    static constexpr int kHighTemperature = 4;

    explicit ServoThermal(qint64 startMs = 0);

    void setHotServo(int servo) { hotServo = servo; }
    int hot() const { return hotServo; }

    // Brings the model to nowMs. modes: the WorkingMode register of servos
    // 0..20 (only 2..20 are used), limits their MaximumTemperature.
    void advance(qint64 nowMs, const int *modes, const int *limits);
    // Servo moves by `distance` tenths of a degree at nowMs (a MovePose).
    void moved(int servo, int distance, qint64 nowMs);

    // Readings at the time last advanced to.
    int temperature(int servo) const;   // degrees Celsius
    int torque(int servo) const;        // percent of the servo's rated torque
    int speed(int servo) const;         // tenths of a degree per 10 ms while moving
    int workingState(int servo) const;
    // The battery under what the servos do now: startMv less the drain
    // the caller counts, less the sag while anything moves.
    int batteryMv(int restingMv) const;
    bool anyMoving() const;

    // The load a servo bears while it holds, in percent.
    static int holdingLoad(int servo) { return 10 + servo; }
    // How much of its load a servo in this working mode bears: 0, 1/2 or 1.
    static double loadShare(int mode);

private:
    struct Servo {
        double celsius = 30;
        double share = 1;        // of its holding load, by working mode
        qint64 moveEndMs = -1;   // moving until then
        int moveSpeed = 0;
        bool faulted = false;
    };
    double target(int servo, const Servo &s, bool moving) const;
    Servo servos[kLastServo + 1];
    qint64 lastMs = 0;
    int hotServo = 0;
};
