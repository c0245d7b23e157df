#pragma once
// Posing the robot by hand: which joints are released, what their servos
// report while they are, and the requests that release and hold them again.
//
// Release: WorkingMode "brake stop" (1) to each servo released, one by one
// (never to all servos at once: a joint not chosen keeps its mode).
// Follow: while joints are released, their Position is read in turn, one
// request at a time, so the panel and the model show where the hand put them.
// Hold, for the joints held again:
//   1. Read Position of each of them (a fresh reading, taken after the hold
//      was asked for);
//   2. once all have answered: Write Speed kHoldSpeed to each of them;
//   3. MovePose: those joints at the positions just read, the joints already
//      held at the pose they hold, the joints still released at their last
//      reading (a released servo takes the target without driving to it);
//   4. Write WorkingMode "curve servo" (3) to each of them: only now does the
//      servo drive again, to a target where it already is, slowly.
// Capture: the readings of the released joints, for the current frame.
// A stop brakes every servo: all joints count as released afterwards.
//
// The unit only decides; whoever drives it sends the requests in order and
// reports the positions read.

#include <QList>
#include <QString>
#include <QVector>
#include <array>

#include "link/packet.h"

class HandPosing
{
public:
    static constexpr int kFirstServo = 2;
    static constexpr int kLastServo = 20;
    static constexpr int kServos = packet::kPoseServos;
    // The speed a joint held again drives at (the speed of a pose edit is 300).
    static constexpr int kHoldSpeed = 60;

    enum class Joint { Held, Released, Holding };
    enum class Limb { Head, LeftArm, RightArm, LeftLeg, RightLeg, All };
    static QVector<int> servosOf(Limb limb);

    struct Request {
        enum Kind { SetMode, ReadPosition, WriteSpeed, MovePose };
        Kind kind = ReadPosition;
        int servo = 0;   // 2..20 (not for MovePose)
        int value = 0;   // the mode or the speed
        std::array<int, kServos> pose{};
    };

    Joint state(int servo) const { return joints[index(servo)]; }
    bool anyReleased() const;
    QVector<int> released() const;
    // The last position read of a released joint; false when none came yet.
    bool reading(int servo, int *position) const;

    // The requests that release servos (those already released are left out).
    QList<Request> release(const QVector<int> &servos);
    // The next follow read (at most one), in turn over the released joints.
    QList<Request> followStep();
    // Starts holding servos (those not released are left out): the fresh
    // readings it waits for.
    QList<Request> hold(const QVector<int> &servos);
    // A position read. When it completes the readings of a hold, the rest of
    // the hold follows; heldPose gives the pose of the joints already held.
    QList<Request> positionRead(int servo, int position, const std::array<int, kServos> &heldPose);
    // A hold whose readings did not all come in time: the joints without a
    // fresh one stay released (*left says which); the others are held.
    QList<Request> holdTimedOut(const std::array<int, kServos> &heldPose, QVector<int> *left);
    bool holding() const;
    // Every servo was braked (a stop): all joints count as released.
    void stopped();

    // (servo, position) of each released joint with a reading.
    QList<QPair<int, int>> capture() const;

private:
    // Steps 2 to 4 of a hold, for the joints being held.
    QList<Request> completeHold(const std::array<int, kServos> &heldPose);
    static int index(int servo) { return servo - kFirstServo; }

    std::array<Joint, kServos> joints{};
    std::array<int, kServos> readings{};
    std::array<bool, kServos> hasReading{};
    std::array<bool, kServos> fresh{};  // read since the hold began
    int followNext = 0;
};
