#pragma once
// gaitforge-cli robot PORT scan: which servos answer on the bus.

class RobotLink;

namespace cli {
// Scans addresses 2..20 over an open link that the robot has answered,
// prints one line per address and returns 0, or 1 when a servo is missing.
int scanCommand(RobotLink &link);
}
