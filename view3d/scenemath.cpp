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

QVector3D orbitEye(int thetaDegrees, int phiDegrees, float zoom)
{
    const double pi = 3.1415925;
    const double theta = thetaDegrees * pi / 180.0;
    const double phi = phiDegrees * pi / 180.0;
    const double r = 2.2 * double(zoom);
    return QVector3D(float(r * std::sin(theta) * std::cos(phi)), float(r * std::cos(theta)),
                     float(r * std::sin(theta) * std::sin(phi)));
}

float zoomAfterWheel(float zoom, int delta)
{
    if (delta > 0)
        return zoom * 1.1f;
    return std::max(kZoomFloor, zoom * 0.9f);
}

} // namespace scene
