#pragma once
// Dragging a foot on the 3D view (its "move foot" mouse mode): the leg's five
// joints follow in closed form (footik), the sole flat on the floor, in the
// tree the view shows, so the foot lands where the view draws it. Each
// accepted step of a drag is one pose edit of the joint panel (the frame, the
// model and the robot follow as with any joint edit); a whole drag is one
// undo step. A place the foot cannot reach, or that would turn a joint past
// its limit, leaves the pose as it was and the status bar says why.
// Widgets: statusBar (messages); openGLWidget: its foot drag signals,
// supportMode read, the robot moved under a dragged standing foot.

#include <QObject>
#include <QString>
#include <QVector3D>

#include <memory>

#include "view3d/footik.h"

class JointPanel;
class MotionDocument;
class OpenGLWidget;
class QStatusBar;

class FootMover : public QObject
{
    Q_OBJECT

public:
    FootMover(OpenGLWidget *view, JointPanel &panel, MotionDocument &document, QStatusBar *status,
              QObject *parent = nullptr);
    ~FootMover() override;

    // What the last refused step said (empty after an accepted one).
    QString lastMessage() const { return said; }

private:
    void started(int leg);
    void dragged(int leg, const QVector3D &delta);
    void finished(int leg);
    void say(const QString &text);
    QString refusal(int leg, const footik::Solution &s) const;

    OpenGLWidget *view;
    JointPanel &panel;
    MotionDocument &document;
    QStatusBar *status;
    std::unique_ptr<footik::Drag> drag;
    bool moved = false;
    QString said;
};
