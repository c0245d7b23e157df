// Places where an answer of the robot reaches a feature that another part of
// the window owns. Each body here is the smallest that keeps the link working;
// the owning subsystem replaces it with its own (and removes it from here).

#include "app/mainwindow.h"
#include "motion/framelist.h"

// Frame list: refreshes the entry of the current frame after the joint panel
// was filled from the robot.
void MainWindow::refreshCurrentFrameItem()
{
    frameList().refreshCurrentItem();
}
