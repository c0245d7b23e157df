#pragma once
// gaitforge-cli balance [--masses FILE] [--support left|right|body] MOTION...:
// the balance margin of every frame, with its line.

#include <QByteArray>
#include <QList>

// Prints "FILE:LINE: frame N: margin M mm [both feet|left foot|right foot]"
// for each frame of each motion, in the 3D view's tree of the support given
// (the left foot by default) with the masses of the mass file (the default
// share of 1500 g without one). 0 when every frame stands (a margin of 0 or
// more), 1 when one tips or a file cannot be read, 2 for wrong arguments.
int checkBalance(const QList<QByteArray> &args);

extern const char *const kBalanceUsage;
