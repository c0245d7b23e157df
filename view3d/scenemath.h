#pragma once
// The arithmetic of the 3D view without GL: node matrices, the camera's
// ease-in-out blend, the orbit position and the zoom step.

#include <QMatrix4x4>
#include <QVector3D>
#include <QVector4D>

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

// Where the orbiting main camera looks: the middle of the robot.
const QVector3D kOrbitTarget(0, 1, 0);

// Eye of the orbiting main camera at polar angle theta (from the up axis)
// and azimuth phi (from x towards z), in degrees, `distance` away from the
// target.
QVector3D orbitEye(double thetaDegrees, double phiDegrees, double distance, const QVector3D &target = kOrbitTarget);

// The orbit angles and distance of an eye around the target: the inverse of
// orbitEye, so that an orbit continues from wherever the camera is.
struct Orbit {
    double theta = 90;
    double phi = 90;
    double distance = 1;
};
Orbit orbitOf(const QVector3D &eye, const QVector3D &target = kOrbitTarget);

// The polar angle stays this far from the poles, where the up vector would
// turn the picture upside down.
constexpr double kPolarMargin = 2.0;
double clampPolar(double thetaDegrees);

// Zoom factor after one wheel step: a positive delta moves away (x 1.1), any
// other delta comes closer (x 0.9); never below kZoomFloor nor above
// kZoomCeiling (2.4 times the start distance: the whole robot still fills a
// quarter of the view's height, and the floor stays well inside the far plane).
constexpr float kZoomFloor = 0.59f;
constexpr float kZoomCeiling = 2.4f;
float zoomAfterWheel(float zoom, int delta);

// The background picture's coordinates as an affine map of the background
// square's (scale x, offset x, scale y, offset y): the picture pans with the
// direction the view matrix looks from. `aspect` is the picture's width over
// its height; `crop` is the share of the view's width that is drawn (1 for
// the whole view, height / width for the centre square a thumbnail shows).
QVector4D backgroundMap(const QMatrix4x4 &view, double aspect, double crop = 1.0);

} // namespace scene
