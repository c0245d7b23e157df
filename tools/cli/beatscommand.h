#pragma once
// gaitforge-cli beats: the tempo and beat times of a music file, found as the
// program finds them for its beat grid.

#include <QByteArray>
#include <QList>

extern const char *const kBeatsUsage;

// args: what follows "beats" ([--min-bpm A] [--max-bpm B] MUSIC).
// Returns the exit status: 0 a steady beat was found, 1 none was or the file
// could not be decoded, 2 wrong arguments.
int beatsCommand(const QList<QByteArray> &args);
