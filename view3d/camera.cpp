#include "view3d/camera.h"

#include <QDebug>

#include "view3d/view3dlog.h"

void Camera::updateView()
{
    view.setToIdentity();
    view.lookAt(eye, target, up);
}

void Camera::setPerspective(int width, int height)
{
    projection.setToIdentity();
    projection.perspective(60.0f, float(width) / float(height > 0 ? height : 1), 0.1f, 20.0f);
}

void AnimatedCamera::animateTo(Camera *camera, double duration)
{
    from = to;
    to = camera;
    progress.restart(duration);
}

void AnimatedCamera::startFrom(Camera *source, Camera *destination, double duration)
{
    from = source;
    to = destination;
    progress.restart(duration);
}

void AnimatedCamera::jumpTo(Camera *camera)
{
    from = to = camera;
    progress.restart(1);
    progress.done = true;
    progress.value = 1;
    eye = camera->eye;
    target = camera->target;
    up = camera->up;
    projection = camera->projection;
    updateView();
}

void AnimatedCamera::step(double amount)
{
    if (!to)
        return;
    if (!from)
        from = to;
    if (progress.done) {
        eye = to->eye;
        target = to->target;
        up = to->up;
    } else {
        progress.advance(amount);
        const double b = scene::easeInOut(progress.value);
        qCDebug(lcView3dCamera) << "Progress:" << progress.value << b;
        qCDebug(lcView3dCamera) << " OK:" << progress.done;
        const scene::CameraPose p = scene::blend(from->pose(), to->pose(), b);
        eye = p.eye;
        target = p.target;
        up = p.up;
    }
    projection = to->projection;
    updateView();
}
