#pragma once
// Helpers for the 3D view tests: a view with the program's resources, the
// fly-in skipped, and a quiet log that still lets a test read what was logged.

#include <QDir>
#include <QStringList>
#include <QtGlobal>

#include "view3d/openglwidget.h"
#include "view3d/robotmodel.h"

namespace view3dtest {

// Messages logged since the last clear (debug and warnings alike).
inline QStringList &logged()
{
    static QStringList lines;
    return lines;
}

inline void quietLog(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    logged().append(text);
    if (type == QtFatalMsg)
        abort();
}

inline void giveResources(OpenGLWidget &view)
{
    for (int part = 0; part < robot3d::PartCount; ++part)
        view.stlPaths[part] = robot3d::stlResource(part);
    for (int choice = 1; choice <= 5; ++choice)
        view.backgroundPaths[choice - 1] = robot3d::backgroundResource(choice);
    view.floorPath = robot3d::floorResource();
}

// Sets a joint's angle (servo 2..20) in degrees.
inline void setAngle(OpenGLWidget &view, int joint, float degrees)
{
    view.jointAngles[joint - robot3d::kFirstJoint] = degrees;
}

// The bent pose the pictures are taken in: a knee bend on the left leg, arms
// out, head turned.
inline void bendLeftKnee(OpenGLWidget &view)
{
    const struct { int joint; float degrees; } pose[] = {{7, -30}, {8, -60}, {9, 30},  {3, -60}, {4, -40},
                                                         {5, -30}, {11, 45}, {12, 50}, {2, 30}};
    for (const auto &p : pose)
        setAngle(view, p.joint, p.degrees);
}

// Runs scene updates until the camera animation is done.
inline void settle(OpenGLWidget &view)
{
    for (int i = 0; i < 200 && !view.viewCamera().done(); ++i)
        view.update_scene();
    view.update_scene();
}

inline QString artifactsDir()
{
    const QString dir = QDir::currentPath() + QStringLiteral("/artifacts");
    QDir().mkpath(dir);
    return dir;
}

} // namespace view3dtest
