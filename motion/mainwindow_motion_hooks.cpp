// Places where the joint panel and the frame list meet state that another part
// of the window owns. Each body here is the smallest that keeps the panel
// working; the owning part replaces it with its own (and removes it from here).

#include "app/mainwindow.h"

// Playback: true while the simulation is stopped (neither playing nor paused).
// Angle edits and the current frame's picture wait while it is not.
bool MainWindow::simulationStopped() const { return true; }
