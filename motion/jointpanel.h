#pragma once
// The joint panel (the pages of tabWidgetJoint) and the 3D view's joint
// picking. Widgets it drives:
//   joints page: spinBoxAngle<Joint> and radioButton<Joint> for servos 2..20,
//     spinBoxAngle and dialSetAngle (the checked joint's angle), pushButtonOrigin,
//     spinBoxOperationTime, spinBoxDelayTime, horizontalSliderVolume,
//     spinBoxVolume, pushButtonVolume, checkBoxLoopKey; the extra servos'
//     groupBoxServo19, groupBoxServo20, radioButtonExtendServo1 and
//     radioButtonExtendServo2, shown only while the robot uses them;
//   openGLWidget: selectedJoint and jointAngles written, supportMode read, its
//     select_changed and select_model_angle_changed signals;
//   its own checkable action "mirror posing" (actionMirror_posing), shown as a
//     tool button beside pushButtonOrigin.
// The panel shows the document's current frame: it loads it when the document
// says the current frame changed, or when a cell of it was edited in the table.
// An angle edit writes the current frame, poses the model and asks, through
// poseEdited, for the robot to follow. Edits stay inside the joint limits of
// the document (the box, the dial and a drag alike); a frame loaded from the
// table is shown as it is stored, and a box outside its range or at a limit
// is marked. With mirror posing on, editing one joint also sets its mirror
// partner, and the robot is asked once for the pose with both.
// Widgets it owns: spinBoxAngleHead, spinBoxAngleLhand1,
//   spinBoxAngleLhand2, spinBoxAngleLhand3, spinBoxAngleLleg1, spinBoxAngleLleg2,
//   spinBoxAngleLleg3, spinBoxAngleLleg4, spinBoxAngleLleg5, spinBoxAngleRhand1,
//   spinBoxAngleRhand2, spinBoxAngleRhand3, spinBoxAngleRleg1, spinBoxAngleRleg2,
//   spinBoxAngleRleg3, spinBoxAngleRleg4, spinBoxAngleRleg5,
//   spinBoxAngleExtendServo1, spinBoxAngleExtendServo2, radioButtonHead,
//   radioButtonLhand1, radioButtonLhand2, radioButtonLhand3, radioButtonLleg1,
//   radioButtonLleg2, radioButtonLleg3, radioButtonLleg4, radioButtonLleg5,
//   radioButtonRhand1, radioButtonRhand2, radioButtonRhand3, radioButtonRleg1,
//   radioButtonRleg2, radioButtonRleg3, radioButtonRleg4, radioButtonRleg5,
//   radioButtonExtendServo1, radioButtonExtendServo2, groupBoxServo19,
//   groupBoxServo20, spinBoxAngle, dialSetAngle, pushButtonOrigin,
//   spinBoxOperationTime, spinBoxDelayTime, horizontalSliderVolume,
//   spinBoxVolume, pushButtonVolume, checkBoxLoopKey

#include <QObject>
#include <QPair>
#include <QPalette>
#include <QVector>

#include <functional>

#include "motion/motiondocument.h"

namespace Ui { class MainWindow; }
class OpenGLWidget;
class QAction;
class QComboBox;
class QPalette;
class QRadioButton;
class QSlider;
class QSpinBox;

class JointPanel : public QObject
{
    Q_OBJECT

public:
    JointPanel(Ui::MainWindow *ui, MotionDocument &document, OpenGLWidget *view, QObject *parent = nullptr);

    // True while something else drives the panel (a simulation playing or
    // paused, joints being read from the robot): angle edits then go nowhere.
    void setDrivenElsewhere(std::function<bool()> driven);

    // The 19 angle boxes and radio buttons, servo 2 first.
    QVector<QSpinBox *> angleBoxes() const;
    QVector<QRadioButton *> jointRadios() const;
    MotionDocument::Angles angles() const;
    int operationTime() const;
    int delayTime() const;
    bool loopKey() const;
    void setLoopKey(bool on);

    // A new frame from the panel with these angles: its times and volume, and
    // the LED channels the LED page shows (brightness in tenths, frequency
    // index, channel by channel), as ledChannels gives them.
    void setLedChannels(std::function<QVector<QPair<int, int>>()> channels) { ledChannels = std::move(channels); }
    MotionDocument::Frame newFrame(const MotionDocument::Angles &angles) const;

    // Fills the panel (angles, times, volume, LEDs) from frame row; each angle
    // that changes runs its angle edit, but the frame itself is only read (a
    // value the panel cannot hold is not clipped in the frame). The selected
    // joint stays; the common angle box and the dial show its value in this
    // frame. A row that does not exist is ignored.
    void loadFrame(int row);
    // True while loadFrame fills the panel (its widgets' changes are no edits).
    bool isLoadingFrame() const { return loadingFrame; }

    // Sets the angle boxes step by step (servo, value); each runs its angle
    // edit, without mirror posing (the steps say what each joint gets).
    void applyAngleSteps(const QVector<QPair<int, int>> &steps);
    // Sets several joints as one edit (servo, value), as a drag of a foot
    // on the model does: each box runs its angle edit, without mirror
    // posing, and the robot is asked once for the pose with all of them.
    void applyPose(const QVector<QPair<int, int>> &steps);
    // Whether something else drives the panel now (angle edits go nowhere).
    bool isDrivenElsewhere() const { return drivenElsewhere && drivenElsewhere(); }

    // The extra servos 19 and 20 (their boxes and radio buttons) are shown
    // only while the robot's configuration uses them; hidden at start.
    void setExtraServosShown(bool shown);
    // A frame timed to the music: the time boxes take the times, which
    // writes them to the current frame.
    void setTimes(int operationTime, int delayTime);

    // The checkable "mirror posing" action.
    QAction *mirrorPosingAction() const { return mirrorPosing; }

    // The origin pose as an edit may take it: each joint of the document's
    // origin angles held within its limits. The origin button and the origin
    // frame command both pose it. With tell, the joints held at a limit are
    // said (jointHeld) and the model is asked for the left foot support the
    // origin stands on.
    MotionDocument::Angles originPose(bool tell = false);

signals:
    // An angle edit that the robot should follow (the joint boxes hold the pose).
    void poseEdited();
    // The operation or delay time changed.
    void timingEdited();
    // The origin button asks for the left foot support.
    void supportModeRequested(int mode);
    // An edit was held at a joint limit: text says which joint, at what angle
    // ("left leg 1 held at 45.0°, its limit"). Said once while the joint
    // stays held there.
    void jointHeld(const QString &text);

private:
    void angleEdit(int servo, int value);
    void pickJoint(int servo);
    // The common angle box (and the dial) take the selected joint's value.
    void showSelectedAngle();
    void commonAngleChanged(int value);
    void jointPicked(int sel);
    void modelDragged(int delta);
    void originClicked();
    void operationTimeChanged(int value);
    void delayTimeChanged(int value);
    void volumeChanged(int value);
    void volumeClicked();
    // Tool tip and colour of a joint's box: its range, and whether its value
    // lies at a limit or outside the range.
    void markLimits(int servo);
    void markAllLimits();
    // The words for joints held at a limit: (servo, angle held at).
    QString heldText(const QVector<QPair<int, int>> &held) const;
    // Says that servo was held at value, unless that was the last thing said
    // and the joint has stayed there since.
    void tellHeld(int servo, int value);

    Ui::MainWindow *ui;
    MotionDocument &document;
    OpenGLWidget *view;
    std::function<bool()> drivenElsewhere;
    std::function<QVector<QPair<int, int>>()> ledChannels;
    // True while loadFrame fills the panel.
    bool loadingFrame = false;
    // True while many boxes are set at once (mirror, reverse, origin): each
    // takes its own value, no partner follows.
    bool settingMany = false;
    // True while a mirror partner is set for the joint being edited.
    bool settingPartner = false;
    // True while applyPose sets its joints: the pose is sent once, after them.
    bool settingPose = false;
    QAction *mirrorPosing = nullptr;
    // The joint last said to be held at a limit, and the angle (servo 0: none).
    QPair<int, int> lastHeld{0, 0};
    QVector<QString> plainToolTips;
    QVector<QPalette> plainPalettes;
};
