#pragma once
// Posing the robot by hand, and stopping it. A tool bar of its own ("pose by
// hand", always shown) releases the selected joint, a limb or every joint,
// holds the released joints again and captures their positions into the
// current frame; the stop action (also in the system menu, key Escape) stops
// a playback on the model and the robot and brakes every servo, ahead of
// anything queued on the link.
// While joints are released the panel follows the robot: their positions are
// read in turn, one request at a time, and shown on the model; the joint
// panel's radio buttons show which joints are released. The order of the
// requests is HandPosing's.
// It drives no widget of the form; it reaches the joint panel's radio
// buttons through the joint panel, and the model's angles.

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include "link/handposing.h"

class JointPanel;
class OpenGLWidget;
class Playback;
class QMainWindow;
class QMenu;
class QStatusBar;
class QToolBar;
class RobotLink;
struct LinkAnswer;

class PosingPanel : public QObject
{
    Q_OBJECT

public:
    // How often a released joint's position is asked for (one read a step,
    // only while the link's queue is empty).
    static constexpr int kFollowMs = 40;
    // A hold whose fresh readings did not all come by then holds those that came.
    static constexpr int kHoldWaitMs = 1500;

    PosingPanel(QMainWindow *window, QStatusBar *statusBar, JointPanel &joints, OpenGLWidget *view, RobotLink &link,
                Playback &playback, QObject *parent = nullptr);

    const HandPosing &posing() const { return posing_; }
    // The positions of a released joint are this panel's: they go onto the
    // model, and into the frame only with a capture.
    bool claims(int servo) const { return posing_.state(servo) != HandPosing::Joint::Held; }
    QToolBar *toolBar() const { return bar; }
    QAction *stopAction() const { return stop_; }
    QAction *releaseJointAction() const { return releaseJoint_; }
    QAction *releaseAllAction() const { return releaseAll_; }
    QAction *holdAction() const { return hold_; }
    QAction *captureAction() const { return capture_; }
    // The limb actions: head, left arm, right arm, left leg, right leg.
    QList<QAction *> limbActions() const { return limbs; }

public slots:
    void releaseLimb(HandPosing::Limb limb);
    void releaseSelected();
    void holdReleased();
    void capture();
    void stopEverything();

private:
    void send(const QList<HandPosing::Request> &requests);
    void onRegister(int type, const LinkAnswer &answer);
    void followStep();
    void holdWaitOver();
    void showStates();
    void updateEnabled();
    QString jointName(int servo) const;

    QMainWindow *window;
    QStatusBar *statusBar;
    JointPanel &joints;
    OpenGLWidget *view;
    RobotLink &link;
    Playback &playback;
    HandPosing posing_;
    QToolBar *bar = nullptr;
    QMenu *limbMenu = nullptr;
    QAction *releaseJoint_ = nullptr;
    QAction *releaseLimb_ = nullptr;
    QAction *releaseAll_ = nullptr;
    QAction *hold_ = nullptr;
    QAction *capture_ = nullptr;
    QAction *stop_ = nullptr;
    QList<QAction *> limbs;
    QTimer follow;
    QTimer holdWait;
};
