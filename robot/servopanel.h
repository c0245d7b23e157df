#pragma once
// Servo service panel on the "servo setting" page: reads a servo's identity,
// live readings and stored parameters into the page, writes one parameter at a
// time (when its box has been edited) and makes the servo store them. Every
// control stands for one servo register; the answers come back through the
// link's registerAnswered.
//
// Widgets: spinBoxServoOpen (the target servo), pushButtonReadServoInfo,
// pushButtonReadCurrentData, pushButtonReadParameters, pushButtonWriteFlash,
// comboBoxWorkingMode, comboBoxWorkingState, and the register boxes
// spinBoxSpeed, spinBoxAcceleration, spinBoxParameterP, spinBoxParameterI,
// spinBoxParameterD, spinBoxPIDDeadZone, spinBoxCWFlexibleMargin,
// spinBoxCCWFlexibleMargin, spinBoxCWFlexibleSlope, spinBoxCCWFlexibleSlope,
// spinBoxMaximunPosition, spinBoxMinimunPosition, spinBoxMaximumTemperature,
// spinBoxMaximumVoltage, spinBoxMinimumVoltage, spinBoxMaximumTorque,
// spinBoxCurrentSpeed, spinBoxCurrentTorque, spinBoxCurrentVoltage,
// spinBoxCurrentTemperature, spinBoxVersion, spinBoxServoModel; statusBar
// (why nothing was sent). Until the robot has answered, the boxes are blank
// and the mode boxes choose nothing: no value is shown that no servo sent.
// Widgets it owns: spinBoxServoOpen, comboBoxWorkingMode, comboBoxWorkingState, pushButtonReadServoInfo,
//   pushButtonReadCurrentData, pushButtonReadParameters, pushButtonWriteFlash, spinBoxSpeed,
//   spinBoxAcceleration, spinBoxParameterP, spinBoxParameterI, spinBoxParameterD, spinBoxPIDDeadZone,
//   spinBoxCWFlexibleMargin, spinBoxCCWFlexibleMargin, spinBoxCWFlexibleSlope, spinBoxCCWFlexibleSlope,
//   spinBoxMaximunPosition, spinBoxMinimunPosition, spinBoxMaximumTemperature, spinBoxMaximumVoltage,
//   spinBoxMinimumVoltage, spinBoxMaximumTorque, spinBoxCurrentSpeed, spinBoxCurrentTorque,
//   spinBoxCurrentVoltage, spinBoxCurrentTemperature, spinBoxVersion, spinBoxServoModel

#include <QElapsedTimer>
#include <QObject>
#include <QVector>

#include "robot/servoregisters.h"

namespace Ui { class MainWindow; }
class QSpinBox;
class RobotLink;
struct LinkAnswer;

class ServoPanel : public QObject
{
    Q_OBJECT

public:
    ServoPanel(Ui::MainWindow *ui, RobotLink &link, QObject *parent = nullptr);

    // The servo the panel talks to (spinBoxServoOpen); 0 while none is
    // chosen (the box is blank at start), when nothing is sent.
    int targetServo() const;
    // Writes one register of the target servo.
    void writeRegister(int type, int value);
    // Reads the registers one after the other, 30 ms apart.
    void readRegisters(const QVector<int> &types);
    // Shows an answer of a servo register.
    void showRegister(int type, const LinkAnswer &answer);

private:
    // True when the link runs and a servo is chosen; when none is chosen the
    // status bar says so.
    bool servoChosen();
    // The spin box showing a register, or nullptr.
    QSpinBox *registerBox(int type) const;
    // Blanks every value box and the two mode boxes (also when the target
    // servo changes: what they showed was another servo's).
    void clearShownValues();
    // Shows a value the robot sent (or an acknowledged write).
    void showValue(QSpinBox *box, int value);
    void writeWorkingMode(int index);
    void writeWorkingState(int index);
    qint64 nowMs();

    Ui::MainWindow *ui;
    RobotLink &link;
    // Reads waiting for their answer, so that a write acknowledgement is told
    // apart from a value read.
    servoregisters::PendingReads pendingReads;
    QElapsedTimer clock;
};
