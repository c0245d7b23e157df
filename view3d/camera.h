#pragma once
// Cameras of the 3D view: a plain camera (projection, eye, target, up) and the
// animated camera the scene draws through, which blends from a source camera
// to a destination camera with an ease-in-out curve.

#include <QMatrix4x4>
#include <QVector3D>

#include "view3d/scenemath.h"

class Camera
{
public:
    QMatrix4x4 projection;
    QMatrix4x4 view;
    QVector3D up{0, 1, 0};
    QVector3D target{0, 0, 0};
    QVector3D eye{0, 0, 1};

    // view = lookAt(eye, target, up)
    void updateView();
    // Identity, then a perspective of 60 degrees vertically, near 0.1, far 20.
    void setPerspective(int width, int height);
    scene::CameraPose pose() const { return {eye, target, up}; }
};

class AnimatedCamera : public Camera
{
public:
    // Starts a blend from the current destination to `camera` over
    // `duration` (in steps of 0.03 per scene update). When `camera` already
    // is the destination, source and destination are the same camera, so
    // the view follows its changes at once.
    void animateTo(Camera *camera, double duration);
    // Starts from `from` straight away (a fly-in).
    void startFrom(Camera *from, Camera *to, double duration);
    // Shows `camera` at once, with nothing left to blend: the view is at
    // rest from its first frame.
    void jumpTo(Camera *camera);
    // One scene update: advance, blend, copy the destination's projection.
    void step(double amount);

    bool done() const { return progress.done; }
    double value() const { return progress.value; }
    Camera *destination() const { return to; }

private:
    Camera *from = nullptr;
    Camera *to = nullptr;
    scene::Progress progress;
};
