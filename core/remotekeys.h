#pragma once
// The names of the remote's 24 keys, in key-number order, as the robot's
// files and the transfer file list write them. The transfer list's rules and
// its key column's editor both take them from here.

#include <QStringList>

namespace remotekeys {

// The key names in key-number order (untranslated: they are the names
// printed on the remote).
QStringList names();

}  // namespace remotekeys
