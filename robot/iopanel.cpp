#include "robot/iopanel.h"
#include "ui_mainwindow.h"

#include "link/robotlink.h"

IoPanel::IoPanel(Ui::MainWindow *ui, RobotLink &link, QObject *parent) : QObject(parent), ui(ui)
{
    connect(&link, &RobotLink::ioStateRead, this, &IoPanel::showIoState);
}

void IoPanel::showIoState(int state)
{
    ui->comboBoxMainboardIo1Value->setCurrentIndex((state >> 1) & 1);
    ui->comboBoxMainboardIo2Value->setCurrentIndex(state & 1);
}
