#pragma once
// Keeps the main window inside its screen when one of its docks is shown: a
// dock too wide (or tall) to sit beside the pages, whose showing pushed the
// window past the screen's free area, floats over the window instead, and the
// window returns to a size that fits. A dock that fits stays docked.

class QDockWidget;
class QMainWindow;

namespace dockfit {

void keepOnScreen(QMainWindow *window, QDockWidget *dock);

// The check itself, run after a dock has been shown and the window laid out.
// Returns whether the dock was floated.
bool fit(QMainWindow *window, QDockWidget *dock);

} // namespace dockfit
