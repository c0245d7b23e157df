#include "robot/servoregisters.h"

#include "link/packet.h"

using namespace packet;

namespace servoregisters {

const QVector<int> &servoInfoReads()
{
    static const QVector<int> order{ServoModel, Version};
    return order;
}

const QVector<int> &currentDataReads()
{
    static const QVector<int> order{CurrentSpeed, CurrentTorque, CurrentVoltage, CurrentTemperature};
    return order;
}

const QVector<int> &parameterReads()
{
    static const QVector<int> order{Speed,           Register3,         ParameterP,
                                    ParameterD,      ParameterI,        PidDeadZone,
                                    Acceleration,    CwFlexibleMargin,  CcwFlexibleMargin,
                                    CwFlexibleSlope, CcwFlexibleSlope,  WorkingMode,
                                    WorkingState,    MaximumPosition,   MinimumPosition,
                                    MaximumTemperature, MaximumVoltage, MinimumVoltage,
                                    MaximumTorque};
    return order;
}

int shownValue(int type, int word)
{
    const quint16 w = quint16(word);
    return isSignedRegister(type) ? int(qint16(w)) : int(w);
}

quint16 wireWord(int value)
{
    return quint16(value);
}

int lowestValue(int type)
{
    return isSignedRegister(type) ? -32768 : 0;
}

int highestValue(int type)
{
    return isSignedRegister(type) ? 32767 : 65535;
}

int workingModeIndex(int value)
{
    return value >= 1 && value <= kWorkingModeItems ? value - 1 : -1;
}

int workingModeValue(int index)
{
    if (index < 0 || index >= kWorkingModeItems || index == 3 || index == 4)
        return 0;
    return index + 1;
}

int workingStateIndex(int value)
{
    return value >= 0 && value < kWorkingStateItems ? value : -1;
}

bool workingStateWritable(int index)
{
    return index == 0;
}

void PendingReads::posted(int type, qint64 nowMs)
{
    posts[type].append(nowMs);
}

bool PendingReads::takeAnswer(int type, qint64 nowMs)
{
    auto it = posts.find(type);
    if (it == posts.end())
        return false;
    QVector<qint64> &times = it.value();
    while (!times.isEmpty() && nowMs - times.first() > kAnswerWaitMs)
        times.removeFirst();
    const bool answered = !times.isEmpty();
    if (answered)
        times.removeFirst();
    if (times.isEmpty())
        posts.erase(it);
    return answered;
}

} // namespace servoregisters
