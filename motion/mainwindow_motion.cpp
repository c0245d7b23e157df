// The motion document inside the window: the frame table and the frame list.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

void MainWindow::setupMotion()
{
    ui->listWidgetGraphicOperation->setIconSize(QSize(128, 128));
}
