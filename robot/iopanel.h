#pragma once
// The "led control and io control" page: the nine LED channels (brightness
// slider and frequency box) as the current frame's LED cells, "set led" that
// sends them to the robot at once, and the main board's two IO pins ("set io",
// "get io" and the levels the robot reports).
//
// Widgets: horizontalSliderLed{1,2,3}{R,G,B}Brightness,
// comboBoxLed{1,2,3}{R,G,B}Frequency, pushButtonSetLed,
// comboBoxMainboardIo1Dir, comboBoxMainboardIo2Dir, comboBoxMainboardIo1Value,
// comboBoxMainboardIo2Value, pushButtonMainboardSetIo, pushButtonMainboardGetIo.

#include <QObject>
#include <QVector>
#include <functional>

namespace Ui { class MainWindow; }
class MotionDocument;
class QComboBox;
class QSlider;
class RobotLink;

class IoPanel : public QObject
{
    Q_OBJECT

public:
    IoPanel(Ui::MainWindow *ui, RobotLink &link, MotionDocument &document, QObject *parent = nullptr);

    // The frame the LED edits write to (the frame list's current row, or -1),
    // and whether the joint panel is loading a frame into the widgets (its
    // changes are then no edits).
    void setEditedRow(std::function<int()> row) { editedRow = std::move(row); }
    void setLoadingFrame(std::function<bool()> loading) { loadingFrame = std::move(loading); }

    // Shows an IO state: bit 1 is IO 1, bit 0 is IO 2.
    void showIoState(int state);

    // The buttons; each does nothing while the link is down.
    void setLeds();
    void setIo();
    void getIo();

private:
    void brightnessChanged(int channel, int value);
    void frequencyChanged(int channel, int index);
    bool editing() const;
    QVector<QSlider *> brightnessSliders() const;
    QVector<QComboBox *> frequencyBoxes() const;

    Ui::MainWindow *ui;
    RobotLink &link;
    MotionDocument &document;
    std::function<int()> editedRow;
    std::function<bool()> loadingFrame;
};
