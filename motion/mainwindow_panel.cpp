// The joint panel: one angle spin box and radio button per servo, the angle of
// the selected joint with its dial, the origin button, the operation and delay
// times, the volume; the 3D view's pick and drag signals; loading a frame into
// the panel; and the edit settle countdown that leads to an undo snapshot.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QStandardItemModel>

#include "link/connectionpanel.h"
#include "motion/frametable.h"
#include "view3d/openglwidget.h"

using namespace frametable;

void MainWindow::setupJointPanel()
{
    // The common angle and its dial, the volume slider and its box, move together.
    connect(ui->spinBoxAngle, qOverload<int>(&QSpinBox::valueChanged), ui->dialSetAngle, &QDial::setValue);
    connect(ui->dialSetAngle, &QDial::valueChanged, ui->spinBoxAngle, &QSpinBox::setValue);
    connect(ui->horizontalSliderVolume, &QSlider::valueChanged, ui->spinBoxVolume, &QSpinBox::setValue);
    connect(ui->spinBoxVolume, qOverload<int>(&QSpinBox::valueChanged), ui->horizontalSliderVolume,
            &QSlider::setValue);

    OpenGLWidget *view = ui->openGLWidget;
    connect(view, &OpenGLWidget::select_changed, this, &MainWindow::select_changed);
    connect(view, &OpenGLWidget::select_model_angle_changed, this, &MainWindow::select_model_angle_changed);
    connect(view, &OpenGLWidget::update_scence_complete, this, &MainWindow::reGrapOpenglWidgetScreen);

    // The view starts with the head highlighted: its radio button says so, so
    // that a drag on the model turns the head even before another pick.
    const int joint = view->selectedJoint;
    if (joint >= 2 && joint <= 18)
        jointRadios()[joint - 2]->setChecked(true);

    // Pictures are stored at the list's size: a new size draws them again.
    connect(ui->listWidgetGraphicOperation, &QListWidget::iconSizeChanged, this, [this] {
        if (ui->listWidgetGraphicOperation->count() > 0) {
            refreshTick = 0;
            frameListRefresh = 1;
            setWalkRow(0);
        }
    });
}

QVector<QRadioButton *> MainWindow::jointRadios() const
{
    return {ui->radioButtonHead,  ui->radioButtonLhand1, ui->radioButtonLhand2, ui->radioButtonLhand3,
            ui->radioButtonLleg1, ui->radioButtonLleg2,  ui->radioButtonLleg3,  ui->radioButtonLleg4,
            ui->radioButtonLleg5, ui->radioButtonRhand1, ui->radioButtonRhand2, ui->radioButtonRhand3,
            ui->radioButtonRleg1, ui->radioButtonRleg2,  ui->radioButtonRleg3,  ui->radioButtonRleg4,
            ui->radioButtonRleg5, ui->radioButtonExtendServo1, ui->radioButtonExtendServo2};
}

// ---------------------------------------------------------------- angle edit

void MainWindow::angleEdit(int servo, int value)
{
    // Playback and a joint read drive the panel themselves: nothing follows.
    if (!simulationStopped() || connection->readingJoints() != 0)
        return;
    OpenGLWidget *view = ui->openGLWidget;
    const bool onModel = servo >= 2 && servo <= 18;
    view->selectedJoint = onModel ? servo : 0;
    jointRadios()[servo - 2]->setChecked(true);
    ui->spinBoxAngle->setValue(value);

    const int row = currentFrameRow();
    if (row >= 0 && !loadingFrame)
        setFrameCell(row, servoColumn(servo), value);
    editSettleCountdown = 100;

    // The model redraws on its own timer.
    if (onModel)
        view->jointAngles[servo - 2] = value / 10.0f;

    // The robot follows at once, unless the thumbnail walk is stepping through
    // the frames (sendJointEditRequests checks the link and the joint read).
    if (link)
        copyJointPanelToPose();
    if (frameListRefresh == 0)
        sendJointEditRequests();
}

void MainWindow::on_spinBoxAngleHead_valueChanged(int arg1) { angleEdit(2, arg1); }
void MainWindow::on_spinBoxAngleLhand1_valueChanged(int arg1) { angleEdit(3, arg1); }
void MainWindow::on_spinBoxAngleLhand2_valueChanged(int arg1) { angleEdit(4, arg1); }
void MainWindow::on_spinBoxAngleLhand3_valueChanged(int arg1) { angleEdit(5, arg1); }
void MainWindow::on_spinBoxAngleLleg1_valueChanged(int arg1) { angleEdit(6, arg1); }
void MainWindow::on_spinBoxAngleLleg2_valueChanged(int arg1) { angleEdit(7, arg1); }
void MainWindow::on_spinBoxAngleLleg3_valueChanged(int arg1) { angleEdit(8, arg1); }
void MainWindow::on_spinBoxAngleLleg4_valueChanged(int arg1) { angleEdit(9, arg1); }
void MainWindow::on_spinBoxAngleLleg5_valueChanged(int arg1) { angleEdit(10, arg1); }
void MainWindow::on_spinBoxAngleRhand1_valueChanged(int arg1) { angleEdit(11, arg1); }
void MainWindow::on_spinBoxAngleRhand2_valueChanged(int arg1) { angleEdit(12, arg1); }
void MainWindow::on_spinBoxAngleRhand3_valueChanged(int arg1) { angleEdit(13, arg1); }
void MainWindow::on_spinBoxAngleRleg1_valueChanged(int arg1) { angleEdit(14, arg1); }
void MainWindow::on_spinBoxAngleRleg2_valueChanged(int arg1) { angleEdit(15, arg1); }
void MainWindow::on_spinBoxAngleRleg3_valueChanged(int arg1) { angleEdit(16, arg1); }
void MainWindow::on_spinBoxAngleRleg4_valueChanged(int arg1) { angleEdit(17, arg1); }
void MainWindow::on_spinBoxAngleRleg5_valueChanged(int arg1) { angleEdit(18, arg1); }
void MainWindow::on_spinBoxAngleExtendServo1_valueChanged(int arg1) { angleEdit(19, arg1); }
void MainWindow::on_spinBoxAngleExtendServo2_valueChanged(int arg1) { angleEdit(20, arg1); }

// ---------------------------------------------------------------- selected joint

// A radio button picks its joint on the model (the extra servos have none
// there) and shows its angle in the common angle box.
static void pickJoint(Ui::MainWindow *ui, int servo, const QVector<QSpinBox *> &boxes)
{
    ui->openGLWidget->selectedJoint = servo <= 18 ? servo : 0;
    ui->spinBoxAngle->setValue(boxes[servo - 2]->value());
}

void MainWindow::on_radioButtonHead_clicked() { pickJoint(ui, 2, jointBoxes()); }
void MainWindow::on_radioButtonLhand1_clicked() { pickJoint(ui, 3, jointBoxes()); }
void MainWindow::on_radioButtonLhand2_clicked() { pickJoint(ui, 4, jointBoxes()); }
void MainWindow::on_radioButtonLhand3_clicked() { pickJoint(ui, 5, jointBoxes()); }
void MainWindow::on_radioButtonLleg1_clicked() { pickJoint(ui, 6, jointBoxes()); }
void MainWindow::on_radioButtonLleg2_clicked() { pickJoint(ui, 7, jointBoxes()); }
void MainWindow::on_radioButtonLleg3_clicked() { pickJoint(ui, 8, jointBoxes()); }
void MainWindow::on_radioButtonLleg4_clicked() { pickJoint(ui, 9, jointBoxes()); }
void MainWindow::on_radioButtonLleg5_clicked() { pickJoint(ui, 10, jointBoxes()); }
void MainWindow::on_radioButtonRhand1_clicked() { pickJoint(ui, 11, jointBoxes()); }
void MainWindow::on_radioButtonRhand2_clicked() { pickJoint(ui, 12, jointBoxes()); }
void MainWindow::on_radioButtonRhand3_clicked() { pickJoint(ui, 13, jointBoxes()); }
void MainWindow::on_radioButtonRleg1_clicked() { pickJoint(ui, 14, jointBoxes()); }
void MainWindow::on_radioButtonRleg2_clicked() { pickJoint(ui, 15, jointBoxes()); }
void MainWindow::on_radioButtonRleg3_clicked() { pickJoint(ui, 16, jointBoxes()); }
void MainWindow::on_radioButtonRleg4_clicked() { pickJoint(ui, 17, jointBoxes()); }
void MainWindow::on_radioButtonRleg5_clicked() { pickJoint(ui, 18, jointBoxes()); }
void MainWindow::on_radioButtonExtendServo1_clicked() { pickJoint(ui, 19, jointBoxes()); }
void MainWindow::on_radioButtonExtendServo2_clicked() { pickJoint(ui, 20, jointBoxes()); }

void MainWindow::on_spinBoxAngle_valueChanged(int arg1)
{
    // The dial moves this box too, so both edit the selected joint.
    const QVector<QRadioButton *> radios = jointRadios();
    for (int i = 0; i < radios.size(); ++i) {
        if (radios[i]->isChecked()) {
            jointBoxes()[i]->setValue(arg1);
            return;
        }
    }
}

void MainWindow::select_changed(int sel)
{
    if (sel < 2 || sel > 18)
        return;
    jointRadios()[sel - 2]->setChecked(true);
    // The common angle box shows the picked joint's angle, as a click on its
    // radio button does: the dial then turns that joint from where it stands.
    // (Its box already holds that value, so nothing is edited.)
    ui->spinBoxAngle->setValue(jointBoxes()[sel - 2]->value());
}

// Sign of a drag on each joint (servos 2..18), standing on the left foot or the
// body, and standing on the right foot. The chains the support turns around
// run the other way.
static const int kDragSign[17][2] = {
    {-1, -1},                                  // head
    {+1, +1}, {+1, +1}, {+1, +1},              // left hand 1-3
    {+1, -1}, {-1, +1}, {+1, -1}, {+1, -1},    // left leg 1-4
    {+1, +1},                                  // left leg 5
    {-1, -1}, {-1, -1}, {-1, -1},              // right hand 1-3
    {-1, +1}, {-1, +1}, {+1, -1}, {+1, -1},    // right leg 1-4
    {+1, +1},                                  // right leg 5
};

void MainWindow::select_model_angle_changed(int arg1)
{
    const QVector<QRadioButton *> radios = jointRadios();
    const bool rightSupport = ui->openGLWidget->supportMode == 1;
    for (int i = 0; i < radios.size(); ++i) {
        if (!radios[i]->isChecked())
            continue;
        if (i < 17) {
            QSpinBox *box = jointBoxes()[i];
            box->setValue(box->value() + kDragSign[i][rightSupport ? 1 : 0] * arg1);
        }
        return; // the extra servos are not on the model
    }
}

// ---------------------------------------------------------------- origin, times, volume

void MainWindow::on_pushButtonOrigin_clicked()
{
    // The origin pose stands on the left foot (the tool bar shows it too).
    setSupportMode(0);
    ui->spinBoxAngle->setValue(0);
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < ServoCount; ++i)
        boxes[i]->setValue(originAngles[i]);
}

void MainWindow::on_spinBoxOperationTime_valueChanged(int arg1)
{
    const int row = ui->listWidgetGraphicOperation->currentRow();
    if (row >= 0 && !loadingFrame)
        setFrameCell(row, ColOperationTime, arg1);
    updateFrameInfo();
    editSettleCountdown = 100;
}

void MainWindow::on_spinBoxDelayTime_valueChanged(int arg1)
{
    const int row = ui->listWidgetGraphicOperation->currentRow();
    if (row >= 0 && !loadingFrame)
        setFrameCell(row, ColDelayTime, arg1);
    updateFrameInfo();
    editSettleCountdown = 100;
}

static QString volumeStyle(int value)
{
    const char *picture = value <= 0 ? "mute" : value <= 25 ? "volume25" : value <= 50 ? "volume50"
                                                : value <= 75 ? "volume75" : "volume100";
    return QStringLiteral("QPushButton{border-image: url(:/icons/icons/%1_128x128.png);}").arg(QLatin1String(picture));
}

void MainWindow::on_horizontalSliderVolume_valueChanged(int value)
{
    ui->pushButtonVolume->setStyleSheet(volumeStyle(value));
    const int row = ui->listWidgetGraphicOperation->currentRow();
    if (row >= 0 && !loadingFrame)
        setFrameCell(row, ColVolume, value);
    editSettleCountdown = 100;
}

void MainWindow::on_pushButtonVolume_clicked()
{
    // Mutes; there is no way back but the slider.
    if (ui->horizontalSliderVolume->value() != 0) {
        ui->horizontalSliderVolume->setValue(0);
        ui->pushButtonVolume->setStyleSheet(volumeStyle(0));
    }
}

// ---------------------------------------------------------------- loading a frame

void MainWindow::loadFrameIntoPanel(int row)
{
    if (row < 0 || row >= frameTable->rowCount())
        return;
    QSlider *const brightness[LedChannelCount] = {
        ui->horizontalSliderLed1RBrightness, ui->horizontalSliderLed1GBrightness, ui->horizontalSliderLed1BBrightness,
        ui->horizontalSliderLed2RBrightness, ui->horizontalSliderLed2GBrightness, ui->horizontalSliderLed2BBrightness,
        ui->horizontalSliderLed3RBrightness, ui->horizontalSliderLed3GBrightness, ui->horizontalSliderLed3BBrightness,
    };
    QComboBox *const frequency[LedChannelCount] = {
        ui->comboBoxLed1RFrequency, ui->comboBoxLed1GFrequency, ui->comboBoxLed1BFrequency,
        ui->comboBoxLed2RFrequency, ui->comboBoxLed2GFrequency, ui->comboBoxLed2BFrequency,
        ui->comboBoxLed3RFrequency, ui->comboBoxLed3GFrequency, ui->comboBoxLed3BFrequency,
    };
    int values[ColumnCount];
    for (int c = 0; c < ColumnCount; ++c)
        values[c] = frameCell(row, c);
    // The model and the robot follow the frame; the frame itself is only read.
    const bool wasLoading = loadingFrame;
    loadingFrame = true;
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < ServoCount; ++i)
        boxes[i]->setValue(values[i]);
    ui->spinBoxOperationTime->setValue(values[ColOperationTime]);
    ui->spinBoxDelayTime->setValue(values[ColDelayTime]);
    ui->horizontalSliderVolume->setValue(values[ColVolume]);
    for (int k = 0; k < LedChannelCount; ++k) {
        brightness[k]->setValue(qBound(-1000, values[ledBrightnessColumn(k)], 1000) * 10); // the slider keeps 0..100
        frequency[k]->setCurrentIndex(values[ledFrequencyColumn(k)]);
    }
    loadingFrame = wasLoading;
}

// ---------------------------------------------------------------- edit settle countdown

void MainWindow::editSettleTick()
{
    // 100 after an edit: 50, 0, then the snapshot on the third tick.
    if (editSettleCountdown > 0) {
        editSettleCountdown -= 50;
    } else if (editSettleCountdown == 0) {
        editSettleCountdown = -10;
        recordUndoSnapshot();
    }
}
