#pragma once
// gaitforge-cli ease: easing baked into the frames of an operation file, as
// the program's ease command does it, and how closely the steps follow each
// curve.

#include <QByteArray>
#include <QList>

// ease --curve NAME --steps N [--rows A-B] IN.ini OUT.ini: 0 when OUT was
// written, 1 when IN could not be read, the ease was refused or OUT could not
// be written, 2 for wrong arguments.
// ease --accuracy [--amplitude A] [--time T]: the largest deviation of the
// steps from each curve for N = 4, 8 and 12.
int easeCommand(const QList<QByteArray> &args);

extern const char *const kEaseUsage;
