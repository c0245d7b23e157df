// The robot link inside the window: connection, answers and robot commands.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::setupLink()
{
}

void MainWindow::shutdownLink()
{
}

void MainWindow::linkWatchdogTick()
{
}

void MainWindow::keepAliveTick()
{
}
