#pragma once
// The range each servo may be posed in while editing, in tenths of a degree
// like the frame angles.
//
// A frame angle is measured from the servo's zero, which the robot puts at its
// factory origin plus the user's correction ("ROA:"). The user limits of the
// configure file ("RBD:" down, "RBU:" up) are stated from the same zero, so a
// frame angle a of a servo is allowed when min <= a <= max; the correction
// shifts the zero of both alike and does not enter the comparison. A servo
// whose limits give no range (min not below max: a new robot's file holds 0
// and 0) and every servo before a configure file has been read take the safe
// default range, which is shown as such.

#include <QVector>

#include <array>

namespace jointlimits {

// The default range, +/-135.0 degrees: what a new robot's factory limits allow.
constexpr int DefaultMinimum = -1350;
constexpr int DefaultMaximum = 1350;

struct Range {
    int minimum = DefaultMinimum;
    int maximum = DefaultMaximum;
    bool fromConfig = false; // false: the default range
};

// Servos 2..20 in that order.
struct Limits {
    std::array<Range, 19> ranges{};
    bool configRead = false;

    const Range &of(int servo) const { return ranges[size_t(servo - 2)]; }
    bool operator==(const Limits &other) const;
    bool operator!=(const Limits &other) const { return !(*this == other); }
};

// Every servo on the default range.
Limits defaults();
// The user limits of a configure file ("RBD:" and "RBU:", servos 2..20).
Limits fromConfig(const std::array<int, 19> &minimums, const std::array<int, 19> &maximums);

// value brought into the servo's range; servos outside 2..20 keep it.
int clamp(const Limits &limits, int servo, int value);
bool inRange(const Limits &limits, int servo, int value);

// The servos (2..20, ascending) whose angle lies outside its range; angles
// are servos 2..20.
QVector<int> servosOutside(const Limits &limits, const std::array<int, 19> &angles);

} // namespace jointlimits
