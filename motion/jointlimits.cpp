#include "motion/jointlimits.h"

#include <algorithm>

namespace jointlimits {

bool Limits::operator==(const Limits &other) const
{
    if (configRead != other.configRead)
        return false;
    for (size_t i = 0; i < ranges.size(); ++i)
        if (ranges[i].minimum != other.ranges[i].minimum || ranges[i].maximum != other.ranges[i].maximum
            || ranges[i].fromConfig != other.ranges[i].fromConfig)
            return false;
    return true;
}

Limits defaults()
{
    return Limits{};
}

Limits fromConfig(const std::array<int, 19> &minimums, const std::array<int, 19> &maximums)
{
    Limits limits;
    limits.configRead = true;
    for (size_t i = 0; i < limits.ranges.size(); ++i) {
        // A pair that leaves no room to move is no limit the user set.
        if (minimums[i] < maximums[i])
            limits.ranges[i] = {minimums[i], maximums[i], true};
    }
    return limits;
}

int clamp(const Limits &limits, int servo, int value)
{
    if (servo < 2 || servo > 20)
        return value;
    const Range &range = limits.of(servo);
    return std::clamp(value, range.minimum, range.maximum);
}

bool inRange(const Limits &limits, int servo, int value)
{
    return clamp(limits, servo, value) == value;
}

QVector<int> servosOutside(const Limits &limits, const std::array<int, 19> &angles)
{
    QVector<int> servos;
    for (int servo = 2; servo <= 20; ++servo)
        if (!inRange(limits, servo, angles[size_t(servo - 2)]))
            servos.append(servo);
    return servos;
}

} // namespace jointlimits
