// Servo service panel: reads a servo's identity, live readings and stored
// parameters into the "servo setting" page, writes one parameter at a time and
// makes the servo store them. Every control stands for one servo register;
// the answers come back through the link's registerAnswered.

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QThread>

#include "app/mainwindow.h"
#include "link/serialportthread.h"
#include "ui_mainwindow.h"
#include "link/robotlink.h"

using namespace packet;
using namespace servoregisters;

namespace {
constexpr int kReadPauseMs = 30;  // between consecutive reads, the link's poll period
}

qint64 MainWindow::servoNowMs()
{
    if (!servoClock.isValid())
        servoClock.start();
    return servoClock.elapsed();
}

QSpinBox *MainWindow::servoRegisterBox(int type) const
{
    switch (type) {
    case Speed: return ui->spinBoxSpeed;
    case Acceleration: return ui->spinBoxAcceleration;
    case ParameterP: return ui->spinBoxParameterP;
    case ParameterI: return ui->spinBoxParameterI;
    case ParameterD: return ui->spinBoxParameterD;
    case PidDeadZone: return ui->spinBoxPIDDeadZone;
    case CwFlexibleMargin: return ui->spinBoxCWFlexibleMargin;
    case CcwFlexibleMargin: return ui->spinBoxCCWFlexibleMargin;
    case CwFlexibleSlope: return ui->spinBoxCWFlexibleSlope;
    case CcwFlexibleSlope: return ui->spinBoxCCWFlexibleSlope;
    case MaximumPosition: return ui->spinBoxMaximunPosition;
    case MinimumPosition: return ui->spinBoxMinimunPosition;
    case MaximumTemperature: return ui->spinBoxMaximumTemperature;
    case MaximumVoltage: return ui->spinBoxMaximumVoltage;
    case MinimumVoltage: return ui->spinBoxMinimumVoltage;
    case MaximumTorque: return ui->spinBoxMaximumTorque;
    case CurrentSpeed: return ui->spinBoxCurrentSpeed;
    case CurrentTorque: return ui->spinBoxCurrentTorque;
    case CurrentVoltage: return ui->spinBoxCurrentVoltage;
    case CurrentTemperature: return ui->spinBoxCurrentTemperature;
    case Version: return ui->spinBoxVersion;
    case ServoModel: return ui->spinBoxServoModel;
    default: return nullptr;
    }
}

bool MainWindow::postServoRequest(int type, int kind)
{
    if (!link->isRunning())
        return false;
    link->request().servoAddress = quint16(ui->spinBoxServoOpen->value());
    return link->post(type, kind);
}

void MainWindow::writeServoRegister(int type, int value)
{
    if (!link->isRunning())
        return;
    link->request().registers[type] = wireWord(value);
    postServoRequest(type, Write);
}

void MainWindow::readServoRegisters(const QVector<int> &types)
{
    if (!link->isRunning())
        return;
    for (int type : types) {
        if (postServoRequest(type, Read))
            servoPendingReads.posted(type, servoNowMs());
        QThread::msleep(kReadPauseMs);
    }
}

// An answer of a servo register. The answer to one of the panel's reads shows
// the value read; anything else of that register is the acknowledgement of a
// write, which shows the value just written. Showing a value never writes it
// back: the mode boxes are set with their signals blocked, so a read or an
// acknowledgement (also of another command's write to other servos) cannot
// make the panel write to its own target servo.
void MainWindow::showServoRegister(int type, const LinkAnswer &answer)
{
    const bool readAnswer = servoPendingReads.takeAnswer(type, servoNowMs());
    const int value = readAnswer ? answer.registers[size_t(type)]
                                 : int(link->request().registers[type]);
    if (type == WorkingMode) {
        const QSignalBlocker block(ui->comboBoxWorkingMode);
        ui->comboBoxWorkingMode->setCurrentIndex(workingModeIndex(value));
        return;
    }
    if (type == WorkingState) {
        const QSignalBlocker block(ui->comboBoxWorkingState);
        ui->comboBoxWorkingState->setCurrentIndex(workingStateIndex(value));
        return;
    }
    // Register3 is kept by the link but has no box; the others without a
    // box (positions, commands) belong to other parts of the window.
    if (QSpinBox *box = servoRegisterBox(type))
        box->setValue(shownValue(type, value));
}

void MainWindow::on_spinBoxServoOpen_valueChanged(int arg1)
{
    if (link)
        link->request().servoAddress = quint16(arg1);
}

void MainWindow::on_spinBoxSpeed_editingFinished() { writeServoRegister(Speed, ui->spinBoxSpeed->value()); }
void MainWindow::on_spinBoxAcceleration_editingFinished()
{
    writeServoRegister(Acceleration, ui->spinBoxAcceleration->value());
}
void MainWindow::on_spinBoxParameterP_editingFinished()
{
    writeServoRegister(ParameterP, ui->spinBoxParameterP->value());
}
void MainWindow::on_spinBoxParameterI_editingFinished()
{
    writeServoRegister(ParameterI, ui->spinBoxParameterI->value());
}
void MainWindow::on_spinBoxParameterD_editingFinished()
{
    writeServoRegister(ParameterD, ui->spinBoxParameterD->value());
}
void MainWindow::on_spinBoxPIDDeadZone_editingFinished()
{
    writeServoRegister(PidDeadZone, ui->spinBoxPIDDeadZone->value());
}
void MainWindow::on_spinBoxCWFlexibleMargin_editingFinished()
{
    writeServoRegister(CwFlexibleMargin, ui->spinBoxCWFlexibleMargin->value());
}
void MainWindow::on_spinBoxCCWFlexibleMargin_editingFinished()
{
    writeServoRegister(CcwFlexibleMargin, ui->spinBoxCCWFlexibleMargin->value());
}
void MainWindow::on_spinBoxCWFlexibleSlope_editingFinished()
{
    writeServoRegister(CwFlexibleSlope, ui->spinBoxCWFlexibleSlope->value());
}
void MainWindow::on_spinBoxCCWFlexibleSlope_editingFinished()
{
    writeServoRegister(CcwFlexibleSlope, ui->spinBoxCCWFlexibleSlope->value());
}
void MainWindow::on_spinBoxMaximunPosition_editingFinished()
{
    writeServoRegister(MaximumPosition, ui->spinBoxMaximunPosition->value());
}
void MainWindow::on_spinBoxMinimunPosition_editingFinished()
{
    writeServoRegister(MinimumPosition, ui->spinBoxMinimunPosition->value());
}
void MainWindow::on_spinBoxMaximumTemperature_editingFinished()
{
    writeServoRegister(MaximumTemperature, ui->spinBoxMaximumTemperature->value());
}
void MainWindow::on_spinBoxMaximumVoltage_editingFinished()
{
    writeServoRegister(MaximumVoltage, ui->spinBoxMaximumVoltage->value());
}
void MainWindow::on_spinBoxMinimumVoltage_editingFinished()
{
    writeServoRegister(MinimumVoltage, ui->spinBoxMinimumVoltage->value());
}
void MainWindow::on_spinBoxMaximumTorque_editingFinished()
{
    writeServoRegister(MaximumTorque, ui->spinBoxMaximumTorque->value());
}

// A mode chosen by the user; the separator lines are not modes and send nothing.
void MainWindow::on_comboBoxWorkingMode_currentIndexChanged(int index)
{
    const int value = workingModeValue(index);
    if (value != 0)
        writeServoRegister(WorkingMode, value);
}

// Only "normal" is written (it clears a fault state); the other entries only
// show what the servo reports.
void MainWindow::on_comboBoxWorkingState_currentIndexChanged(int index)
{
    if (workingStateWritable(index))
        writeServoRegister(WorkingState, 0);
}

void MainWindow::on_pushButtonReadServoInfo_clicked() { readServoRegisters(servoInfoReads()); }
void MainWindow::on_pushButtonReadCurrentData_clicked() { readServoRegisters(currentDataReads()); }
void MainWindow::on_pushButtonReadParameters_clicked() { readServoRegisters(parameterReads()); }

void MainWindow::on_pushButtonWriteFlash_clicked()
{
    postServoRequest(WriteFlash, Write);
}
