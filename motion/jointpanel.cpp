// The joint panel: one angle spin box and radio button per servo, the angle of
// the selected joint with its dial, the origin button, the operation and delay
// times, the volume; the 3D view's pick and drag signals; loading a frame into
// the panel.

#include "motion/jointpanel.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QGridLayout>
#include <QStringList>
#include <QToolButton>

#include "motion/angletext.h"
#include "motion/editing.h"
#include "motion/jointlimits.h"
#include "view3d/openglwidget.h"

using namespace frametable;

JointPanel::JointPanel(Ui::MainWindow *ui, MotionDocument &document, OpenGLWidget *view, QObject *parent)
    : QObject(parent), ui(ui), document(document), view(view)
{
    // The widgets' own handlers come first: the common angle's dial and the
    // volume's box, connected below, follow them.
    const QVector<QSpinBox *> boxes = angleBoxes();
    const QVector<QRadioButton *> radios = jointRadios();
    for (int i = 0; i < ServoCount; ++i) {
        const int servo = columnServo(i);
        connect(boxes[i], qOverload<int>(&QSpinBox::valueChanged), this,
                [this, servo](int value) { angleEdit(servo, value); });
        connect(radios[i], &QRadioButton::clicked, this, [this, servo] { pickJoint(servo); });
    }
    connect(ui->spinBoxAngle, qOverload<int>(&QSpinBox::valueChanged), this, &JointPanel::commonAngleChanged);
    connect(ui->pushButtonOrigin, &QPushButton::clicked, this, &JointPanel::originClicked);
    connect(ui->spinBoxOperationTime, qOverload<int>(&QSpinBox::valueChanged), this,
            &JointPanel::operationTimeChanged);
    connect(ui->spinBoxDelayTime, qOverload<int>(&QSpinBox::valueChanged), this, &JointPanel::delayTimeChanged);
    connect(ui->horizontalSliderVolume, &QSlider::valueChanged, this, &JointPanel::volumeChanged);
    connect(ui->pushButtonVolume, &QPushButton::clicked, this, &JointPanel::volumeClicked);

    // The common angle and its dial, the volume slider and its box, move together.
    // Each takes the other's value as it is when told, not as it was sent: an
    // edit held at a joint limit sets the box back while the change that went
    // past the limit is still being delivered.
    connect(ui->spinBoxAngle, qOverload<int>(&QSpinBox::valueChanged), ui->dialSetAngle,
            [ui] { ui->dialSetAngle->setValue(ui->spinBoxAngle->value()); });
    connect(ui->dialSetAngle, &QDial::valueChanged, ui->spinBoxAngle,
            [ui] { ui->spinBoxAngle->setValue(ui->dialSetAngle->value()); });
    connect(ui->horizontalSliderVolume, &QSlider::valueChanged, ui->spinBoxVolume, &QSpinBox::setValue);
    connect(ui->spinBoxVolume, qOverload<int>(&QSpinBox::valueChanged), ui->horizontalSliderVolume,
            &QSlider::setValue);

    // Mirror posing: a checkable action with its button below the origin button.
    mirrorPosing = new QAction(QIcon(QStringLiteral(":/icons/icons/mirror.png")), tr("mirror posing"), this);
    mirrorPosing->setObjectName(QStringLiteral("actionMirror_posing"));
    mirrorPosing->setCheckable(true);
    mirrorPosing->setToolTip(tr("mirror posing: editing a joint also sets its partner on the other side"));
    auto *mirrorButton = new QToolButton(ui->pushButtonOrigin->parentWidget());
    mirrorButton->setObjectName(QStringLiteral("toolButtonMirrorPosing"));
    mirrorButton->setDefaultAction(mirrorPosing);
    mirrorButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    if (auto *grid = qobject_cast<QGridLayout *>(ui->pushButtonOrigin->parentWidget()->layout())) {
        int index = grid->indexOf(ui->pushButtonOrigin), row = 0, column = 0, rowSpan = 1, columnSpan = 1;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        // Below the origin button, in the first free cell of its column.
        int free = row + 1;
        while (grid->itemAtPosition(free, column))
            ++free;
        grid->addWidget(mirrorButton, free, column);
    }

    // Each box shows its range; the marks follow values and limits.
    for (int i = 0; i < ServoCount; ++i) {
        plainToolTips.append(boxes[i]->toolTip());
        plainPalettes.append(boxes[i]->palette());
        const int servo = columnServo(i);
        connect(boxes[i], qOverload<int>(&QSpinBox::valueChanged), this, [this, servo] { markLimits(servo); });
        // The common angle box and the dial show the selected joint's value
        // whatever set it (a frame loaded, a preview, a read of the joints,
        // undo): the next nudge starts from what is shown. The box's value is
        // taken as it is now, not as it was sent (a held edit set it back).
        connect(boxes[i], qOverload<int>(&QSpinBox::valueChanged), this, [this, i] {
            if (jointRadios()[i]->isChecked())
                showSelectedAngle();
        });
    }
    connect(&document, &MotionDocument::jointLimitsChanged, this, &JointPanel::markAllLimits);
    markAllLimits();

    connect(view, &OpenGLWidget::select_changed, this, &JointPanel::jointPicked);
    connect(view, &OpenGLWidget::select_model_angle_changed, this, &JointPanel::modelDragged);

    // The panel shows the document's current frame, also after an edit of
    // it in the table.
    connect(&document, &MotionDocument::currentRowChanged, this, &JointPanel::loadFrame);
    connect(&document, &MotionDocument::cellEdited, this, [this](int row) {
        if (row == this->document.currentRow())
            loadFrame(row);
    });
    setExtraServosShown(false);

    // The view starts with the head highlighted: its radio button says so, so
    // that a drag on the model turns the head even before another pick.
    const int joint = view->selectedJoint;
    if (joint >= 2 && joint <= 18)
        radios[joint - 2]->setChecked(true);
}

void JointPanel::setDrivenElsewhere(std::function<bool()> driven)
{
    drivenElsewhere = std::move(driven);
}

void JointPanel::setExtraServosShown(bool shown)
{
    for (QWidget *w : {static_cast<QWidget *>(ui->groupBoxServo19), static_cast<QWidget *>(ui->groupBoxServo20),
                       static_cast<QWidget *>(ui->radioButtonExtendServo1),
                       static_cast<QWidget *>(ui->radioButtonExtendServo2)})
        w->setVisible(shown);
}

void JointPanel::setTimes(int operationTime, int delayTime)
{
    ui->spinBoxDelayTime->setValue(delayTime);
    ui->spinBoxOperationTime->setValue(operationTime);
}

QVector<QSpinBox *> JointPanel::angleBoxes() const
{
    return {ui->spinBoxAngleHead,  ui->spinBoxAngleLhand1, ui->spinBoxAngleLhand2, ui->spinBoxAngleLhand3,
            ui->spinBoxAngleLleg1, ui->spinBoxAngleLleg2,  ui->spinBoxAngleLleg3,  ui->spinBoxAngleLleg4,
            ui->spinBoxAngleLleg5, ui->spinBoxAngleRhand1, ui->spinBoxAngleRhand2, ui->spinBoxAngleRhand3,
            ui->spinBoxAngleRleg1, ui->spinBoxAngleRleg2,  ui->spinBoxAngleRleg3,  ui->spinBoxAngleRleg4,
            ui->spinBoxAngleRleg5, ui->spinBoxAngleExtendServo1, ui->spinBoxAngleExtendServo2};
}

QVector<QRadioButton *> JointPanel::jointRadios() const
{
    return {ui->radioButtonHead,  ui->radioButtonLhand1, ui->radioButtonLhand2, ui->radioButtonLhand3,
            ui->radioButtonLleg1, ui->radioButtonLleg2,  ui->radioButtonLleg3,  ui->radioButtonLleg4,
            ui->radioButtonLleg5, ui->radioButtonRhand1, ui->radioButtonRhand2, ui->radioButtonRhand3,
            ui->radioButtonRleg1, ui->radioButtonRleg2,  ui->radioButtonRleg3,  ui->radioButtonRleg4,
            ui->radioButtonRleg5, ui->radioButtonExtendServo1, ui->radioButtonExtendServo2};
}

MotionDocument::Angles JointPanel::angles() const
{
    const QVector<QSpinBox *> boxes = angleBoxes();
    MotionDocument::Angles values{};
    for (int i = 0; i < ServoCount; ++i)
        values[i] = boxes[i]->value();
    return values;
}

int JointPanel::operationTime() const
{
    return ui->spinBoxOperationTime->value();
}

int JointPanel::delayTime() const
{
    return ui->spinBoxDelayTime->value();
}

bool JointPanel::loopKey() const
{
    return ui->checkBoxLoopKey->isChecked();
}

void JointPanel::setLoopKey(bool on)
{
    ui->checkBoxLoopKey->setChecked(on);
}

MotionDocument::Frame JointPanel::newFrame(const MotionDocument::Angles &angles) const
{
    MotionDocument::Frame values{};
    for (int i = 0; i < ServoCount; ++i)
        values[i] = angles[i];
    values[ColOperationTime] = ui->spinBoxOperationTime->value();
    values[ColDelayTime] = ui->spinBoxDelayTime->value();
    values[ColVolume] = ui->horizontalSliderVolume->value();
    const QVector<QPair<int, int>> leds = ledChannels ? ledChannels() : QVector<QPair<int, int>>();
    for (int k = 0; k < LedChannelCount && k < leds.size(); ++k) {
        values[ledBrightnessColumn(k)] = leds[k].first;
        values[ledFrequencyColumn(k)] = leds[k].second;
    }
    return values;
}

// ---------------------------------------------------------------- angle edit

void JointPanel::angleEdit(int servo, int value)
{
    // Playback and a joint read drive the panel themselves: nothing follows.
    if (drivenElsewhere && drivenElsewhere())
        return;
    // An edit stays inside the joint's range: the box is brought back, and
    // that change runs the edit. A frame being loaded is shown as stored.
    if (!loadingFrame) {
        const int allowed = jointlimits::clamp(document.jointLimits(), servo, value);
        if (allowed != value) {
            angleBoxes()[servo - 2]->setValue(allowed);
            tellHeld(servo, allowed);
            return;
        }
    }
    // A joint moved off the angle it was said to be held at may be held again.
    if (lastHeld.first == servo && lastHeld.second != value)
        lastHeld = {0, 0};
    const bool onModel = servo >= 2 && servo <= 18;
    // The joint edited becomes the selected one. A frame loaded, a mirror
    // partner and the steps of mirror, reverse and origin set boxes of their
    // own: the selected joint stays (its box and dial follow its value).
    if (!settingPartner && !loadingFrame && !settingMany) {
        view->selectedJoint = onModel ? servo : 0;
        jointRadios()[servo - 2]->setChecked(true);
        ui->spinBoxAngle->setValue(value);
    }

    const int row = document.currentRow();
    if (row >= 0 && !loadingFrame)
        document.setCell(row, servoColumn(servo), value);
    document.noteEdit();

    // The model redraws on its own timer.
    if (onModel)
        view->jointAngles[servo - 2] = value / 10.0f;

    if (settingPartner || settingPose)
        return; // the edited joint (or applyPose) asks for the whole pose
    const editing::AngleStep partner = editing::partnerStep(servo, value);
    if (mirrorPosing->isChecked() && !loadingFrame && !settingMany && partner.first != 0) {
        settingPartner = true;
        const int allowed = jointlimits::clamp(document.jointLimits(), partner.first, partner.second);
        angleBoxes()[partner.first - 2]->setValue(allowed);
        settingPartner = false;
        if (allowed != partner.second)
            tellHeld(partner.first, allowed);
    }
    emit poseEdited();
}

void JointPanel::applyAngleSteps(const QVector<QPair<int, int>> &steps)
{
    const QVector<QSpinBox *> boxes = angleBoxes();
    const bool wasSettingMany = settingMany;
    settingMany = true;
    for (const auto &step : steps)
        if (step.first >= 2 && step.first - 2 < boxes.size())
            boxes[step.first - 2]->setValue(step.second);
    settingMany = wasSettingMany;
}

void JointPanel::applyPose(const QVector<QPair<int, int>> &steps)
{
    const QVector<QSpinBox *> boxes = angleBoxes();
    const bool wasSettingMany = settingMany, wasSettingPose = settingPose;
    settingMany = true;
    settingPose = true;
    bool changed = false;
    for (const auto &step : steps) {
        if (step.first < 2 || step.first - 2 >= boxes.size() || boxes[step.first - 2]->value() == step.second)
            continue;
        boxes[step.first - 2]->setValue(step.second);
        changed = true;
    }
    settingMany = wasSettingMany;
    settingPose = wasSettingPose;
    if (changed && !settingPose && !isDrivenElsewhere())
        emit poseEdited();
}

// ---------------------------------------------------------------- limit marks

void JointPanel::markLimits(int servo)
{
    QSpinBox *box = angleBoxes()[servo - 2];
    const jointlimits::Range &range = document.jointLimits().of(servo);
    const int value = box->value();
    QString tip = tr("allowed %1 to %2").arg(angletext::format(range.minimum), angletext::format(range.maximum));
    if (!range.fromConfig)
        tip += document.jointLimits().configRead ? tr(" (default range: the configure file sets no limits)")
                                                  : tr(" (default range: no robot configure file read)");
    else
        tip += tr(" (the robot's user limits)");
    QPalette palette = plainPalettes[servo - 2];
    if (value < range.minimum || value > range.maximum) {
        tip += QLatin1Char('\n') + tr("This frame's angle lies outside the allowed range.");
        palette.setColor(QPalette::Base, QColor(255, 176, 176));
    } else if (value == range.minimum || value == range.maximum) {
        tip += QLatin1Char('\n') + tr("At the limit.");
        palette.setColor(QPalette::Base, QColor(255, 228, 160));
    }
    const QString plain = plainToolTips[servo - 2];
    const QString toolTip = plain.isEmpty() ? tip : plain + QLatin1Char('\n') + tip;
    // Most changes change neither: a frame loaded touches every box.
    if (box->toolTip() != toolTip)
        box->setToolTip(toolTip);
    if (box->palette().color(QPalette::Base) != palette.color(QPalette::Base))
        box->setPalette(palette);
}

void JointPanel::markAllLimits()
{
    for (int servo = 2; servo <= 20; ++servo)
        markLimits(servo);
}

QString JointPanel::heldText(const QVector<QPair<int, int>> &held) const
{
    QStringList parts;
    const QVector<QRadioButton *> radios = jointRadios();
    for (const auto &joint : held)
        parts << tr("%1 held at %2, its limit").arg(radios[joint.first - 2]->text(), angletext::format(joint.second));
    return parts.join(QStringLiteral("; "));
}

void JointPanel::tellHeld(int servo, int value)
{
    if (lastHeld == qMakePair(servo, value))
        return;
    lastHeld = {servo, value};
    emit jointHeld(heldText({lastHeld}));
}

// ---------------------------------------------------------------- selected joint

void JointPanel::pickJoint(int servo)
{
    // A radio button picks its joint on the model (the extra servos have none
    // there) and shows its angle in the common angle box.
    view->selectedJoint = servo <= 18 ? servo : 0;
    ui->spinBoxAngle->setValue(angleBoxes()[servo - 2]->value());
}

void JointPanel::showSelectedAngle()
{
    const QVector<QRadioButton *> radios = jointRadios();
    for (int i = 0; i < radios.size(); ++i) {
        if (radios[i]->isChecked()) {
            const int value = angleBoxes()[i]->value();
            if (ui->spinBoxAngle->value() != value)
                ui->spinBoxAngle->setValue(value);
            return;
        }
    }
}

void JointPanel::commonAngleChanged(int value)
{
    // The dial moves this box too, so both edit the selected joint.
    const QVector<QRadioButton *> radios = jointRadios();
    for (int i = 0; i < radios.size(); ++i) {
        if (radios[i]->isChecked()) {
            angleBoxes()[i]->setValue(value);
            return;
        }
    }
}

void JointPanel::jointPicked(int sel)
{
    if (sel < 2 || sel > 18)
        return;
    jointRadios()[sel - 2]->setChecked(true);
    // The common angle box shows the picked joint's angle, as a click on its
    // radio button does: the dial then turns that joint from where it stands.
    // (Its box already holds that value, so nothing is edited.)
    ui->spinBoxAngle->setValue(angleBoxes()[sel - 2]->value());
}

void JointPanel::modelDragged(int delta)
{
    const QVector<QRadioButton *> radios = jointRadios();
    for (int i = 0; i < radios.size(); ++i) {
        if (!radios[i]->isChecked())
            continue;
        if (i < 17) {
            QSpinBox *box = angleBoxes()[i];
            // One sign per joint in every support mode: the same drag bends
            // the joint the same way, whichever side of it stays put.
            box->setValue(box->value() + robot3d::dragSign(i + robot3d::kFirstJoint) * delta);
        }
        return; // the extra servos are not on the model
    }
}

// ---------------------------------------------------------------- origin, times, volume

MotionDocument::Angles JointPanel::originPose(bool tell)
{
    MotionDocument::Angles pose = document.originAngles();
    QVector<QPair<int, int>> held;
    for (int i = 0; i < ServoCount; ++i) {
        const int servo = columnServo(i);
        const int allowed = jointlimits::clamp(document.jointLimits(), servo, pose[i]);
        if (allowed != pose[i])
            held.append({servo, allowed});
        pose[i] = allowed;
    }
    if (tell) {
        // The origin pose stands on the left foot (the tool bar shows it too).
        emit supportModeRequested(0);
        if (!held.isEmpty()) {
            // Said once for the whole pose; each joint is then at its limit.
            lastHeld = held.size() == 1 ? held.first() : qMakePair(0, 0);
            emit jointHeld(heldText(held));
        }
    }
    return pose;
}

void JointPanel::originClicked()
{
    // Straight to the origin: the selected joint is not first sent to 0,
    // which would move a connected robot there on the way.
    const MotionDocument::Angles origin = originPose(true);
    const QVector<QSpinBox *> boxes = angleBoxes();
    const bool wasSettingMany = settingMany;
    settingMany = true;
    for (int i = 0; i < ServoCount; ++i)
        boxes[i]->setValue(origin[i]);
    settingMany = wasSettingMany;
}

void JointPanel::operationTimeChanged(int value)
{
    const int row = document.currentRow();
    if (row >= 0 && !loadingFrame)
        document.setCell(row, ColOperationTime, value);
    emit timingEdited();
    document.noteEdit();
}

void JointPanel::delayTimeChanged(int value)
{
    const int row = document.currentRow();
    if (row >= 0 && !loadingFrame)
        document.setCell(row, ColDelayTime, value);
    emit timingEdited();
    document.noteEdit();
}

static QString volumeStyle(int value)
{
    const char *picture = value <= 0 ? "mute" : value <= 25 ? "volume25" : value <= 50 ? "volume50"
                                                : value <= 75 ? "volume75" : "volume100";
    return QStringLiteral("QPushButton{border-image: url(:/icons/icons/%1_128x128.png);}").arg(QLatin1String(picture));
}

void JointPanel::volumeChanged(int value)
{
    ui->pushButtonVolume->setStyleSheet(volumeStyle(value));
    const int row = document.currentRow();
    if (row >= 0 && !loadingFrame)
        document.setCell(row, ColVolume, value);
    document.noteEdit();
}

void JointPanel::volumeClicked()
{
    // Mutes; there is no way back but the slider.
    if (ui->horizontalSliderVolume->value() != 0) {
        ui->horizontalSliderVolume->setValue(0);
        ui->pushButtonVolume->setStyleSheet(volumeStyle(0));
    }
}

// ---------------------------------------------------------------- loading a frame

void JointPanel::loadFrame(int row)
{
    if (row < 0 || row >= document.rowCount())
        return;
    int values[ColumnCount];
    for (int c = 0; c < ColumnCount; ++c)
        values[c] = document.cell(row, c);
    // The model and the robot follow the frame; the frame itself is only read.
    const bool wasLoading = loadingFrame;
    loadingFrame = true;
    const QVector<QSpinBox *> boxes = angleBoxes();
    for (int i = 0; i < ServoCount; ++i)
        boxes[i]->setValue(values[i]);
    ui->spinBoxOperationTime->setValue(values[ColOperationTime]);
    ui->spinBoxDelayTime->setValue(values[ColDelayTime]);
    ui->horizontalSliderVolume->setValue(values[ColVolume]);
    loadingFrame = wasLoading;
    showSelectedAngle();
}
