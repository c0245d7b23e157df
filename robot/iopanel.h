#pragma once
// The "led control and io control" page: the nine LED channels (brightness
// slider and frequency box) as the document's current frame's LED cells (shown
// when the current frame changes or is edited in the table, written as they
// are edited), "set led" that sends them to the robot at once, and the main
// board's two IO pins ("set io", "get io" and the levels the robot reports).
//
// Widgets it owns: horizontalSliderLed1RBrightness, horizontalSliderLed1GBrightness,
//   horizontalSliderLed1BBrightness, horizontalSliderLed2RBrightness,
//   horizontalSliderLed2GBrightness, horizontalSliderLed2BBrightness,
//   horizontalSliderLed3RBrightness, horizontalSliderLed3GBrightness,
//   horizontalSliderLed3BBrightness, comboBoxLed1RFrequency, comboBoxLed1GFrequency,
//   comboBoxLed1BFrequency, comboBoxLed2RFrequency, comboBoxLed2GFrequency,
//   comboBoxLed2BFrequency, comboBoxLed3RFrequency, comboBoxLed3GFrequency,
//   comboBoxLed3BFrequency, pushButtonSetLed, comboBoxMainboardIo1Dir,
//   comboBoxMainboardIo2Dir, comboBoxMainboardIo1Value, comboBoxMainboardIo2Value,
//   pushButtonMainboardSetIo, pushButtonMainboardGetIo

#include <QObject>
#include <QPair>
#include <QVector>

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

    // Shows the LED cells of frame row (a row the table does not hold is
    // ignored); the widgets' changes are no edits meanwhile.
    void loadFrame(int row);
    // The nine LED channels the page shows, as a frame keeps them
    // (brightness in tenths, frequency index): a new frame takes them, also
    // those set while there was no frame.
    QVector<QPair<int, int>> ledChannels() const;

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
    bool loadingFrame = false;
};
