#include "view3d/scenemath.h"

#include <QtMath>

namespace scene {

QMatrix4x4 nodeMatrix(const QMatrix4x4 &parent, const QVector3D &scale, const QVector3D &translation,
                      float rotationX, float rotationY, float rotationZ)
{
    QMatrix4x4 m = parent;
    m.scale(scale);
    m.translate(translation);
    m.rotate(rotationZ, 0, 0, 1);
    m.rotate(rotationY, 0, 1, 0);
    m.rotate(rotationX, 1, 0, 0);
    return m;
}

QMatrix4x4 drawMatrix(const QMatrix4x4 &model, double geometryScale, const QVector3D &offset)
{
    QMatrix4x4 m = model;
    m.scale(float(geometryScale));
    m.translate(offset);
    return m;
}

double easeInOut(double p)
{
    if (p < 0.5)
        return 2 * p * p;
    return -((2 * p - 1) * (2 * p - 3) - 1) / 2;
}

CameraPose blend(const CameraPose &from, const CameraPose &to, double b)
{
    const float w = float(b);
    CameraPose c;
    c.eye = w * to.eye + (1 - w) * from.eye;
    c.target = w * to.target + (1 - w) * from.target;
    c.up = (w * to.up + (1 - w) * from.up).normalized();
    return c;
}

void Progress::restart(double newDuration)
{
    duration = newDuration;
    value = 0;
    done = false;
}

void Progress::advance(double step)
{
    if (done)
        return;
    value += step / duration;
    if (value >= 1) {
        value = 1;
        done = true;
    }
}

QVector3D orbitEye(double thetaDegrees, double phiDegrees, double distance, const QVector3D &target)
{
    const double theta = qDegreesToRadians(thetaDegrees);
    const double phi = qDegreesToRadians(phiDegrees);
    return target
           + QVector3D(float(distance * std::sin(theta) * std::cos(phi)), float(distance * std::cos(theta)),
                       float(distance * std::sin(theta) * std::sin(phi)));
}

Orbit orbitOf(const QVector3D &eye, const QVector3D &target)
{
    const QVector3D d = eye - target;
    Orbit o;
    o.distance = double(d.length());
    if (o.distance <= 0)
        return o;
    o.theta = qRadiansToDegrees(std::acos(qBound(-1.0, double(d.y()) / o.distance, 1.0)));
    o.phi = qRadiansToDegrees(std::atan2(double(d.z()), double(d.x())));
    return o;
}

double clampPolar(double thetaDegrees)
{
    return qBound(kPolarMargin, thetaDegrees, 180.0 - kPolarMargin);
}

float zoomAfterWheel(float zoom, int delta)
{
    if (delta > 0)
        return std::min(kZoomCeiling, zoom * 1.1f);
    return std::max(kZoomFloor, zoom * 0.9f);
}

QVector4D backgroundMap(const QMatrix4x4 &view, double aspect, double crop)
{
    // The direction the camera looks from, in world coordinates: the view
    // matrix's third row.
    const double x = view(2, 0), y = view(2, 1), z = view(2, 2);
    const double rotation = std::atan2(x, z);
    const double tilt = std::atan2(x, y);
    const double twoPi = 2.0 * M_PI;
    if (!(aspect > 0))
        aspect = 1;
    return QVector4D(float(crop / aspect), float(0.5 * (1.0 - crop) / aspect - rotation / twoPi * aspect), 1.0f,
                     float(tilt / twoPi));
}

} // namespace scene
