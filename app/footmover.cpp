#include "app/footmover.h"

#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>

#include "motion/angletext.h"
#include "motion/jointlimits.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "view3d/openglwidget.h"
#include "view3d/robotmodel.h"

FootMover::FootMover(OpenGLWidget *view, JointPanel &panel, MotionDocument &document, QStatusBar *status,
                     QObject *parent)
    : QObject(parent), view(view), panel(panel), document(document), status(status)
{
    connect(view, &OpenGLWidget::footDragStarted, this, &FootMover::started);
    connect(view, &OpenGLWidget::footDragged, this, &FootMover::dragged);
    connect(view, &OpenGLWidget::footDragFinished, this, &FootMover::finished);
    connect(view, &OpenGLWidget::footMissed, this, [this] { say(tr("Press on a foot to move it.")); });
}

FootMover::~FootMover()
{
    document.holdSettle(false);
}

void FootMover::started(int leg)
{
    drag.reset();
    moved = false;
    if (panel.isDrivenElsewhere()) {
        say(tr("A foot cannot be moved while a motion plays or the joints are being read."));
        return;
    }
    double angles[robot3d::kJointCount];
    const MotionDocument::Angles tenths = panel.angles();
    for (int i = 0; i < robot3d::kJointCount; ++i)
        angles[i] = tenths[size_t(i)] / 10.0;
    const int tree = view->supportMode >= 0 && view->supportMode < robot3d::TreeCount ? view->supportMode : 0;
    drag = std::make_unique<footik::Drag>(tree, leg, angles);
    // Edits made before the drag are their own undo step; the drag is one.
    if (document.editSettleCountdown() >= 0) {
        document.setEditSettleCountdown(-10);
        document.recordSnapshot();
    }
    document.holdSettle(true);
}

void FootMover::dragged(int leg, const QVector3D &delta)
{
    if (!drag || drag->leg() != leg)
        return;
    // The joints' ranges: the limits of the robot, within what a box holds.
    footik::Range ranges[5];
    const QVector<QSpinBox *> boxes = panel.angleBoxes();
    for (int k = 0; k < 5; ++k) {
        const int servo = footik::legServo(leg, k);
        const jointlimits::Range &limit = document.jointLimits().of(servo);
        ranges[k].minimum = std::max(limit.minimum, boxes[servo - 2]->minimum());
        ranges[k].maximum = std::min(limit.maximum, boxes[servo - 2]->maximum());
    }
    const footik::Solution s = drag->solve({double(delta.x()), double(delta.y()), double(delta.z())}, ranges);
    if (s.outcome != footik::Solution::Solved) {
        say(refusal(leg, s));
        return;
    }
    if (panel.isDrivenElsewhere())
        return;
    QVector<QPair<int, int>> steps;
    for (int k = 0; k < 5; ++k)
        steps.append({footik::legServo(leg, k), s.tenths[k]});
    panel.applyPose(steps);
    moved = true;
    // A standing foot is the tree's root: the robot moves with it, so the
    // body stays where it was drawn and the foot lands under the pointer.
    if (drag->standing())
        view->moveDraggedRobot(delta);
    if (!said.isEmpty()) {
        if (status->currentMessage() == said)
            status->clearMessage();
        said.clear();
    }
}

void FootMover::finished(int leg)
{
    Q_UNUSED(leg)
    document.holdSettle(false);
    // The drag reaches the undo history once it has settled.
    if (moved)
        document.noteEdit();
    drag.reset();
    moved = false;
}

void FootMover::say(const QString &text)
{
    said = text;
    status->showMessage(text, 8000);
}

QString FootMover::refusal(int leg, const footik::Solution &s) const
{
    const QString foot = leg == footik::RightLeg ? tr("The right foot") : tr("The left foot");
    if (s.outcome == footik::Solution::OutOfLimits) {
        const int servo = footik::legServo(leg, s.joint);
        const jointlimits::Range &limit = document.jointLimits().of(servo);
        const QVector<QSpinBox *> boxes = panel.angleBoxes();
        const int bound = s.tenths[s.joint] < std::max(limit.minimum, boxes[servo - 2]->minimum())
                              ? std::max(limit.minimum, boxes[servo - 2]->minimum())
                              : std::min(limit.maximum, boxes[servo - 2]->maximum());
        return tr("%1 cannot go there: %2 would turn to %3, past its limit of %4.")
            .arg(foot, panel.jointRadios()[servo - 2]->text(), angletext::format(s.tenths[s.joint]),
                 angletext::format(bound));
    }
    // Millimetres: a scene unit is 1 / kPartScale mesh units.
    const double mm = 1.0 / double(robot3d::kPartScale);
    if (s.reach > s.longest)
        return tr("%1 cannot go there: the leg would have to be %2 mm longer.")
            .arg(foot, QString::number((s.reach - s.longest) * mm, 'f', 1));
    return tr("%1 cannot go there: it lies out of the leg's reach.").arg(foot);
}
