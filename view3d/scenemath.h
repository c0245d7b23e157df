#pragma once
// The arithmetic of the 3D view without GL: node matrices, the camera's
// ease-in-out blend, the orbit position and the zoom step.

#include <QMatrix4x4>
#include <QVector3D>

namespace scene {

// Model matrix of a node: the parent's, then scale, translation and the
// rotations about z, y and x (degrees), in that order.
QMatrix4x4 nodeMatrix(const QMatrix4x4 &parent, const QVector3D &scale, const QVector3D &translation,
                      float rotationX, float rotationY, float rotationZ);

// Matrix a node's geometry is drawn with: the node's model matrix, then the
// geometry's uniform scale, then its offset (in the geometry's own units).
QMatrix4x4 drawMatrix(const QMatrix4x4 &model, double geometryScale, const QVector3D &offset);

// Ease-in-out weight of an animation at progress p in [0, 1].
double easeInOut(double p);

struct CameraPose {
    QVector3D eye;
    QVector3D target;
    QVector3D up;
};

// Weighted blend b x to + (1 - b) x from; the up vector is normalised.
CameraPose blend(const CameraPose &from, const CameraPose &to, double b);

// Progress of a camera animation: advanced by step / duration per scene
// update, clamped to 1, where it is done.
struct Progress {
    double value = 0;
    double duration = 1;
    bool done = false;
    void restart(double newDuration);
    void advance(double step);
};

// Eye of the orbiting main camera for polar angle theta and azimuth phi
// (whole degrees) and zoom factor z; the camera looks at (0, 1, 0).
QVector3D orbitEye(int thetaDegrees, int phiDegrees, float zoom);

// Zoom factor after one wheel step: a positive delta moves away (x 1.1), any
// other delta comes closer (x 0.9) but never below kZoomFloor.
constexpr float kZoomFloor = 0.59f;
float zoomAfterWheel(float zoom, int delta);

} // namespace scene
