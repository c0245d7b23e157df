#include "robot/servopanel.h"
#include "ui_mainwindow.h"

#include <QComboBox>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStatusBar>

#include "link/robotlink.h"

using namespace packet;
using namespace servoregisters;

namespace {

// The target box's value while no servo is chosen, shown blank.
constexpr int kNoServo = 1;
// A blank box: the special text shown at the box's minimum.
const QString kBlank = QStringLiteral(" ");

// The registers written from their box when it has been edited.
constexpr int kWritableRegisters[] = {
    Speed,            Acceleration,      ParameterP,      ParameterI,         ParameterD,     PidDeadZone,
    CwFlexibleMargin, CcwFlexibleMargin, CwFlexibleSlope, CcwFlexibleSlope,   MaximumPosition, MinimumPosition,
    MaximumTemperature, MaximumVoltage,  MinimumVoltage,  MaximumTorque};
} // namespace

ServoPanel::ServoPanel(Ui::MainWindow *ui, RobotLink &link, QObject *parent)
    : QObject(parent), ui(ui), link(link)
{
    // No servo is chosen at start: the box is blank (its minimum, one below
    // the first servo) until the user picks one.
    ui->spinBoxServoOpen->setRange(kNoServo, ui->spinBoxServoOpen->maximum());
    ui->spinBoxServoOpen->setSpecialValueText(kBlank);
    ui->spinBoxServoOpen->setValue(kNoServo);
    connect(ui->spinBoxServoOpen, QOverload<int>::of(&QSpinBox::valueChanged), this, [this] {
        // What the boxes show belonged to the servo chosen before, and so do
        // the answers still on their way to its reads.
        clearShownValues();
        pendingReads.clear();
    });
    for (int type : kWritableRegisters) {
        QSpinBox *box = registerBox(type);
        connect(box, &QSpinBox::editingFinished, this, [this, type, box] {
            // A blank box holds no value to write.
            if (!box->specialValueText().isEmpty() && box->value() == box->minimum())
                return;
            writeRegister(type, box->value());
        });
        // A value the user set is shown as it is, even the box's minimum.
        connect(box, QOverload<int>::of(&QSpinBox::valueChanged), this, [box] {
            if (!box->signalsBlocked())
                box->setSpecialValueText(QString());
        });
    }
    // Every box shows the whole range of its register's word.
    for (int type = Register1; type <= Register33; ++type)
        if (QSpinBox *box = registerBox(type))
            box->setRange(lowestValue(type), highestValue(type));
    clearShownValues();
    connect(ui->comboBoxWorkingMode, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ServoPanel::writeWorkingMode);
    connect(ui->comboBoxWorkingState, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &ServoPanel::writeWorkingState);
    connect(ui->pushButtonReadServoInfo, &QPushButton::clicked, this, [this] { readRegisters(servoInfoReads()); });
    connect(ui->pushButtonReadCurrentData, &QPushButton::clicked, this,
            [this] { readRegisters(currentDataReads()); });
    connect(ui->pushButtonReadParameters, &QPushButton::clicked, this, [this] { readRegisters(parameterReads()); });
    connect(ui->pushButtonWriteFlash, &QPushButton::clicked, this, [this] {
        if (servoChosen())
            this->link.writeFlash(targetServo());
    });
    connect(&link, &RobotLink::registerAnswered, this, &ServoPanel::showRegister);
}

qint64 ServoPanel::nowMs()
{
    if (!clock.isValid())
        clock.start();
    return clock.elapsed();
}

int ServoPanel::targetServo() const
{
    const int servo = ui->spinBoxServoOpen->value();
    return servo == kNoServo ? 0 : servo;
}

// Blank boxes and no mode or state chosen: nothing is shown that the robot
// has not said. Nothing is written.
void ServoPanel::clearShownValues()
{
    for (int type = Register1; type <= Register33; ++type) {
        if (QSpinBox *box = registerBox(type)) {
            const QSignalBlocker block(box);
            box->setSpecialValueText(kBlank);
            box->setValue(box->minimum());
        }
    }
    for (QComboBox *box : {ui->comboBoxWorkingMode, ui->comboBoxWorkingState}) {
        const QSignalBlocker block(box);
        box->setCurrentIndex(-1);
    }
}

void ServoPanel::showValue(QSpinBox *box, int value)
{
    const QSignalBlocker block(box);
    box->setSpecialValueText(QString());
    box->setValue(value);
}

QSpinBox *ServoPanel::registerBox(int type) const
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

bool ServoPanel::servoChosen()
{
    if (!link.isRunning())
        return false;
    if (targetServo() == 0) {
        ui->statusBar->showMessage(tr("Choose the servo first (servo:)."), 5000);
        return false;
    }
    return true;
}

void ServoPanel::writeRegister(int type, int value)
{
    if (servoChosen())
        link.writeRegister(targetServo(), Type(type), wireWord(value));
}

void ServoPanel::readRegisters(const QVector<int> &types)
{
    // The link thread spaces the reads out; the window goes on at once.
    for (int type : types)
        if (servoChosen() && link.readRegister(targetServo(), Type(type)))
            pendingReads.posted(type, nowMs());
}

// An answer of a servo register. The answer to one of the panel's reads shows
// the value read; anything else of that register is the acknowledgement of a
// write, which shows the value just written. Showing a value never writes it
// back: the mode boxes are set with their signals blocked, so a read or an
// acknowledgement (also of another command's write to other servos) cannot
// make the panel write to its own target servo.
void ServoPanel::showRegister(int type, const LinkAnswer &answer)
{
    // An answer of another servo than the chosen one (a late answer to a read
    // of the servo chosen before, another command's write to other servos)
    // says nothing of the chosen servo. With none chosen nothing is said:
    // answers come for other parts of the window too (posing by hand reads
    // positions, the live readings ask many times a second).
    if (!link.isRunning() || targetServo() == 0 || answer.source != targetServo())
        return;
    const bool readAnswer = pendingReads.takeAnswer(type, nowMs());
    // A value another part of the window read (the live readings) is not the
    // acknowledgement of the panel's write.
    if (!readAnswer && !answer.acknowledgement)
        return;
    const int value = readAnswer ? answer.registers[size_t(type)] : link.writtenRegister(Type(type));
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
    if (QSpinBox *box = registerBox(type))
        showValue(box, shownValue(type, value));
}

// A mode chosen by the user; the separator lines are not modes and send nothing.
void ServoPanel::writeWorkingMode(int index)
{
    const int value = workingModeValue(index);
    if (value != 0)
        writeRegister(WorkingMode, value);
}

// Only "normal" is written (it clears a fault state); the other entries only
// show what the servo reports.
void ServoPanel::writeWorkingState(int index)
{
    if (workingStateWritable(index))
        writeRegister(WorkingState, 0);
}
