// The 3D view inside the window: its resources and the view tool bar.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::setupView3d()
{
}
