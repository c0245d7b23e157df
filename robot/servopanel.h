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
// spinBoxCurrentTemperature, spinBoxVersion, spinBoxServoModel.

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

    // The servo the panel talks to (spinBoxServoOpen).
    int targetServo() const;
    // Writes one register of the target servo.
    void writeRegister(int type, int value);
    // Reads the registers one after the other, 30 ms apart.
    void readRegisters(const QVector<int> &types);
    // Shows an answer of a servo register.
    void showRegister(int type, const LinkAnswer &answer);

private:
    // Posts a request to the target servo.
    bool postRequest(int type, int kind);
    // The spin box showing a register, or nullptr.
    QSpinBox *registerBox(int type) const;
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
