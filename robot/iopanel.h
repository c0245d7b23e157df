#pragma once
// The main board's IO group on the LED page: shows the levels of IO 1 and
// IO 2 the robot reports.
//
// Widgets: comboBoxMainboardIo1Value, comboBoxMainboardIo2Value.

#include <QObject>

namespace Ui { class MainWindow; }
class RobotLink;

class IoPanel : public QObject
{
    Q_OBJECT

public:
    IoPanel(Ui::MainWindow *ui, RobotLink &link, QObject *parent = nullptr);

    // Shows an IO state: bit 1 is IO 1, bit 0 is IO 2.
    void showIoState(int state);

private:
    Ui::MainWindow *ui;
};
