#pragma once
// gaitforge-cli check --limits CONFIG FILE...: every frame angle outside the
// joint limits of a robot configure file, with its line.

#include <QByteArray>
#include <QList>

// Prints "FILE:LINE: frame N: servo S at A, outside MIN..MAX" for each angle
// outside, then "FILE: ok, N frames within the limits" or "FILE: K of N frames
// outside the limits". 0 when every frame of every file lies within, 1
// otherwise (or when a file cannot be read).
int checkLimits(const QByteArray &configPath, const QList<QByteArray> &files);
