#pragma once
// gaitforge-cli robot PORT watch: the live readings on the console. Sweeps
// the servos present at the rate given, prints each sweep's CSV rows (after
// the header) to standard output and each alarm, warning and clearing to
// standard error, saves the CSV when asked, and ends after the time given
// or on a stop signal.

#include <QString>
#include <QStringList>
#include <functional>

class RobotLink;

struct WatchOptions {
    double seconds = -1;  // < 0: until stopped
    double rateHz = 2.0;
    QString csvPath;
};

// Reads [--seconds S] [--rate HZ] [--csv FILE]; false with the reason.
bool parseWatchOptions(const QStringList &args, WatchOptions *options, QString *error);

// Watches on a link whose robot has answered. stopRequested is asked between
// events. Returns 0, or 1 when an alarm was raised, the link was lost or the
// CSV could not be saved (the reason on standard error).
int watchRobot(RobotLink &link, const WatchOptions &options, const std::function<bool()> &stopRequested);
