#include "app/posingpanel.h"

#include <QMainWindow>
#include <QMenu>
#include <QRadioButton>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

#include "link/robotlink.h"
#include "motion/jointpanel.h"
#include "playback/playback.h"
#include "view3d/openglwidget.h"

using namespace packet;

PosingPanel::PosingPanel(QMainWindow *window, QStatusBar *statusBar, JointPanel &joints, OpenGLWidget *view,
                         RobotLink &link, Playback &playback, QObject *parent)
    : QObject(parent), window(window), statusBar(statusBar), joints(joints), view(view), link(link),
      playback(playback)
{
    bar = new QToolBar(tr("pose by hand"), window);
    bar->setObjectName(QStringLiteral("toolBarPosing"));
    window->addToolBar(Qt::TopToolBarArea, bar);

    stop_ = new QAction(tr("stop"), this);
    stop_->setObjectName(QStringLiteral("actionStop_robot"));
    stop_->setToolTip(tr("stop the playback and brake every servo (Esc)"));
    stop_->setShortcut(QKeySequence(Qt::Key_Escape));
    stop_->setShortcutContext(Qt::WindowShortcut);
    stop_->setIcon(QIcon(QStringLiteral(":/icons/icons/stop_si.png")));
    connect(stop_, &QAction::triggered, this, &PosingPanel::stopEverything);

    releaseJoint_ = new QAction(tr("release joint"), this);
    releaseJoint_->setToolTip(tr("release the selected joint so that it can be moved by hand"));
    connect(releaseJoint_, &QAction::triggered, this, &PosingPanel::releaseSelected);

    limbMenu = new QMenu(window);
    const QList<QPair<QString, HandPosing::Limb>> limbNames = {
        {tr("head"), HandPosing::Limb::Head},
        {tr("left arm"), HandPosing::Limb::LeftArm},
        {tr("right arm"), HandPosing::Limb::RightArm},
        {tr("left leg"), HandPosing::Limb::LeftLeg},
        {tr("right leg"), HandPosing::Limb::RightLeg},
    };
    for (const auto &limb : limbNames) {
        QAction *action = limbMenu->addAction(limb.first);
        const HandPosing::Limb which = limb.second;
        connect(action, &QAction::triggered, this, [this, which] { releaseLimb(which); });
        limbs << action;
    }
    releaseLimb_ = new QAction(tr("release limb"), this);
    releaseLimb_->setMenu(limbMenu);

    releaseAll_ = new QAction(tr("release all"), this);
    connect(releaseAll_, &QAction::triggered, this, [this] { releaseLimb(HandPosing::Limb::All); });
    hold_ = new QAction(tr("hold"), this);
    hold_->setToolTip(tr("hold the released joints where they are"));
    connect(hold_, &QAction::triggered, this, &PosingPanel::holdReleased);
    capture_ = new QAction(tr("capture"), this);
    capture_->setToolTip(tr("write the positions of the released joints into the current frame"));
    connect(capture_, &QAction::triggered, this, &PosingPanel::capture);

    bar->addAction(stop_);
    bar->addSeparator();
    bar->addAction(releaseJoint_);
    bar->addAction(releaseLimb_);
    if (auto *button = qobject_cast<QToolButton *>(bar->widgetForAction(releaseLimb_)))
        button->setPopupMode(QToolButton::InstantPopup);
    bar->addAction(releaseAll_);
    bar->addAction(hold_);
    bar->addAction(capture_);

    follow.setInterval(kFollowMs);
    connect(&follow, &QTimer::timeout, this, &PosingPanel::followStep);
    holdWait.setSingleShot(true);
    holdWait.setInterval(kHoldWaitMs);
    connect(&holdWait, &QTimer::timeout, this, &PosingPanel::holdWaitOver);

    connect(&link, &RobotLink::registerAnswered, this, &PosingPanel::onRegister);
    connect(&link, &RobotLink::openStatusChanged, this, [this](int status) {
        if (status != 1) {
            // The servos' modes are no longer known.
            posing_ = HandPosing();
            follow.stop();
            holdWait.stop();
            showStates();
        }
        updateEnabled();
    });
    updateEnabled();
}

QString PosingPanel::jointName(int servo) const
{
    const QVector<QRadioButton *> radios = joints.jointRadios();
    const int i = servo - HandPosing::kFirstServo;
    return i >= 0 && i < radios.size() ? radios[i]->text() : QString::number(servo);
}

void PosingPanel::send(const QList<HandPosing::Request> &requests)
{
    for (const HandPosing::Request &r : requests) {
        switch (r.kind) {
        case HandPosing::Request::SetMode: link.setWorkingMode(r.servo, ServoMode(r.value)); break;
        case HandPosing::Request::ReadPosition: link.readPosition(r.servo); break;
        case HandPosing::Request::WriteSpeed: link.writeRegister(r.servo, Speed, r.value); break;
        case HandPosing::Request::MovePose: link.movePose(r.pose); break;
        }
    }
}

void PosingPanel::releaseLimb(HandPosing::Limb limb)
{
    if (!link.isRunning())
        return;
    QVector<int> servos = HandPosing::servosOf(limb);
    send(posing_.release(servos));
    follow.start();
    showStates();
    statusBar->showMessage(tr("Released joints follow the hand: move them, then capture and hold."), 5000);
}

void PosingPanel::releaseSelected()
{
    if (!link.isRunning())
        return;
    const QVector<QRadioButton *> radios = joints.jointRadios();
    for (int i = 0; i < radios.size(); ++i) {
        if (radios[i]->isChecked()) {
            send(posing_.release({HandPosing::kFirstServo + i}));
            follow.start();
            showStates();
            return;
        }
    }
    statusBar->showMessage(tr("Select a joint first."), 5000);
}

void PosingPanel::holdReleased()
{
    if (!link.isRunning() || !posing_.anyReleased())
        return;
    send(posing_.hold(posing_.released()));
    holdWait.start();
    showStates();
}

void PosingPanel::capture()
{
    const QList<QPair<int, int>> steps = posing_.capture();
    if (steps.isEmpty()) {
        statusBar->showMessage(tr("No released joint has reported its position yet."), 5000);
        return;
    }
    // One burst of edits: one undo step.
    joints.applyAngleSteps(steps.toVector());
    statusBar->showMessage(tr("Captured %1 joint positions into the current frame.").arg(steps.size()), 5000);
}

void PosingPanel::stopEverything()
{
    // The playback's own stop request is queued; the link's stop drops it
    // and everything else queued, and goes out first.
    playback.stop();
    if (link.stopRobot()) {
        posing_.stopped();
        holdWait.stop();
        follow.start();
        showStates();
        statusBar->showMessage(tr("Stopped: every servo brakes where it stands."), 5000);
    }
}

void PosingPanel::onRegister(int type, const LinkAnswer &answer)
{
    if (type != Position || answer.source < HandPosing::kFirstServo || answer.source > HandPosing::kLastServo)
        return;
    const int servo = answer.source;
    const int position = answer.registers[size_t(Position)];
    if (posing_.state(servo) == HandPosing::Joint::Held)
        return;
    const bool wasHolding = posing_.holding();
    send(posing_.positionRead(servo, position, joints.angles()));
    // The model shows where the hand put the joint (the extra servos are not on it).
    if (servo <= 18 && posing_.state(servo) != HandPosing::Joint::Held)
        view->jointAngles[servo - HandPosing::kFirstServo] = position / 10.0f;
    if (wasHolding && !posing_.holding()) {
        holdWait.stop();
        showStates();
        if (!posing_.anyReleased())
            statusBar->showMessage(tr("Held again where they stand."), 5000);
    }
}

void PosingPanel::followStep()
{
    if (!link.isRunning() || !posing_.anyReleased()) {
        follow.stop();
        return;
    }
    // Reads only into an empty queue: the following never delays an edit.
    if (link.pendingRequests() == 0 && !posing_.holding())
        send(posing_.followStep());
}

void PosingPanel::holdWaitOver()
{
    QVector<int> left;
    send(posing_.holdTimedOut(joints.angles(), &left));
    if (!left.isEmpty()) {
        QStringList names;
        for (int servo : left)
            names << jointName(servo);
        statusBar->showMessage(
            tr("Not held (their position did not come): %1. They stay released.").arg(names.join(QStringLiteral(", "))));
    }
    showStates();
}

void PosingPanel::showStates()
{
    const QVector<QRadioButton *> radios = joints.jointRadios();
    for (int i = 0; i < radios.size(); ++i) {
        const HandPosing::Joint state = posing_.state(HandPosing::kFirstServo + i);
        QRadioButton *radio = radios[i];
        if (state == HandPosing::Joint::Held) {
            radio->setStyleSheet(QString());
            radio->setToolTip(QString());
        } else {
            radio->setStyleSheet(QStringLiteral("QRadioButton { color: #c0392b; font-style: italic; }"));
            radio->setToolTip(state == HandPosing::Joint::Holding ? tr("being held again") : tr("released"));
        }
    }
    updateEnabled();
}

void PosingPanel::updateEnabled()
{
    const bool up = link.isRunning();
    releaseJoint_->setEnabled(up);
    releaseLimb_->setEnabled(up);
    releaseAll_->setEnabled(up);
    hold_->setEnabled(up && posing_.anyReleased());
    capture_->setEnabled(posing_.anyReleased());
}
