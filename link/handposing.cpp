#include "link/handposing.h"

using namespace packet;

QVector<int> HandPosing::servosOf(Limb limb)
{
    switch (limb) {
    case Limb::Head: return {2};
    case Limb::LeftArm: return {3, 4, 5};
    case Limb::LeftLeg: return {6, 7, 8, 9, 10};
    case Limb::RightArm: return {11, 12, 13};
    case Limb::RightLeg: return {14, 15, 16, 17, 18};
    case Limb::All: break;
    }
    QVector<int> all;
    for (int s = kFirstServo; s <= kLastServo; ++s)
        all << s;
    return all;
}

bool HandPosing::anyReleased() const
{
    for (Joint j : joints)
        if (j != Joint::Held)
            return true;
    return false;
}

QVector<int> HandPosing::released() const
{
    QVector<int> out;
    for (int s = kFirstServo; s <= kLastServo; ++s)
        if (joints[index(s)] != Joint::Held)
            out << s;
    return out;
}

bool HandPosing::reading(int servo, int *position) const
{
    if (servo < kFirstServo || servo > kLastServo || !hasReading[index(servo)])
        return false;
    *position = readings[index(servo)];
    return true;
}

QList<HandPosing::Request> HandPosing::release(const QVector<int> &servos)
{
    QList<Request> out;
    for (int s : servos) {
        if (s < kFirstServo || s > kLastServo || joints[index(s)] != Joint::Held)
            continue;
        joints[index(s)] = Joint::Released;
        hasReading[index(s)] = false;
        Request r;
        r.kind = Request::SetMode;
        r.servo = s;
        r.value = int(ServoMode::BrakeStop);
        out << r;
    }
    return out;
}

QList<HandPosing::Request> HandPosing::followStep()
{
    for (int step = 0; step < kServos; ++step) {
        const int i = (followNext + step) % kServos;
        if (joints[size_t(i)] == Joint::Held)
            continue;
        followNext = (i + 1) % kServos;
        Request r;
        r.kind = Request::ReadPosition;
        r.servo = kFirstServo + i;
        return {r};
    }
    return {};
}

QList<HandPosing::Request> HandPosing::hold(const QVector<int> &servos)
{
    QList<Request> out;
    for (int s : servos) {
        if (s < kFirstServo || s > kLastServo || joints[index(s)] != Joint::Released)
            continue;
        joints[index(s)] = Joint::Holding;
        fresh[index(s)] = false;
        Request r;
        r.kind = Request::ReadPosition;
        r.servo = s;
        out << r;
    }
    return out;
}

bool HandPosing::holding() const
{
    for (Joint j : joints)
        if (j == Joint::Holding)
            return true;
    return false;
}

QList<HandPosing::Request> HandPosing::positionRead(int servo, int position,
                                                    const std::array<int, kServos> &heldPose)
{
    if (servo < kFirstServo || servo > kLastServo || joints[index(servo)] == Joint::Held)
        return {};
    readings[index(servo)] = position;
    hasReading[index(servo)] = true;
    if (joints[index(servo)] != Joint::Holding)
        return {};
    fresh[index(servo)] = true;
    for (int s = kFirstServo; s <= kLastServo; ++s)
        if (joints[index(s)] == Joint::Holding && !fresh[index(s)])
            return {};  // still waiting for another one
    return completeHold(heldPose);
}

QList<HandPosing::Request> HandPosing::completeHold(const std::array<int, kServos> &heldPose)
{
    QVector<int> ready;
    for (int s = kFirstServo; s <= kLastServo; ++s)
        if (joints[index(s)] == Joint::Holding)
            ready << s;
    if (ready.isEmpty())
        return {};
    QList<Request> out;
    for (int s : ready) {
        Request r;
        r.kind = Request::WriteSpeed;
        r.servo = s;
        r.value = kHoldSpeed;
        out << r;
    }
    Request pose;
    pose.kind = Request::MovePose;
    for (int s = kFirstServo; s <= kLastServo; ++s) {
        const size_t i = size_t(index(s));
        pose.pose[i] = joints[i] == Joint::Held || !hasReading[i] ? heldPose[i] : readings[i];
    }
    out << pose;
    for (int s : ready) {
        Request r;
        r.kind = Request::SetMode;
        r.servo = s;
        r.value = int(ServoMode::CurveServo);
        out << r;
        joints[index(s)] = Joint::Held;
    }
    return out;
}

QList<HandPosing::Request> HandPosing::holdTimedOut(const std::array<int, kServos> &heldPose, QVector<int> *left)
{
    left->clear();
    for (int s = kFirstServo; s <= kLastServo; ++s) {
        if (joints[index(s)] == Joint::Holding && !fresh[index(s)]) {
            joints[index(s)] = Joint::Released;
            *left << s;
        }
    }
    return completeHold(heldPose);
}

void HandPosing::stopped()
{
    for (int s = kFirstServo; s <= kLastServo; ++s)
        if (joints[index(s)] == Joint::Held) {
            joints[index(s)] = Joint::Released;
            hasReading[index(s)] = false;
        }
}

QList<QPair<int, int>> HandPosing::capture() const
{
    QList<QPair<int, int>> out;
    for (int s = kFirstServo; s <= kLastServo; ++s)
        if (joints[index(s)] != Joint::Held && hasReading[index(s)])
            out << qMakePair(s, readings[index(s)]);
    return out;
}
