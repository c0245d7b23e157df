#pragma once
// gaitforge-cli robot: the robot's files from the command line, over the
// program's own link (RobotLink and its link thread).

#include <QStringList>

// args: everything after "robot". Returns the exit status: 0 the command's
// outcome is true, 1 it failed (the reason on standard error), 2 wrong
// arguments.
int robotCommand(const QStringList &args);
