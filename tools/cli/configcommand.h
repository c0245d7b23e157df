#pragma once
// gaitforge-cli config: robot configure files (robotcfg.ini) read and written
// with the program's own reader and writer.

#include <QByteArray>
#include <QList>

// The usage lines of the config commands.
extern const char *const kConfigUsage;

// args: what follows "config" (a subcommand and its files, as raw bytes).
// Returns the exit status: 0 success, 1 a file rejected or not read or
// written, 2 wrong arguments.
int configCommand(const QList<QByteArray> &args);
