#include "view3d/openglwidget.h"

OpenGLWidget::OpenGLWidget(QWidget *parent) : QOpenGLWidget(parent) {}

void OpenGLWidget::initializeGL()
{
    initializeOpenGLFunctions();
}

void OpenGLWidget::paintGL()
{
    // A calm sky colour per background until the pictures are drawn.
    static const float colours[6][3] = {
        {0.78f, 0.88f, 0.98f}, {0.78f, 0.88f, 0.98f}, {0.99f, 0.86f, 0.55f},
        {0.62f, 0.75f, 0.86f}, {0.12f, 0.15f, 0.30f}, {0.98f, 0.74f, 0.52f}};
    const int c = (backgroundChoice >= 0 && backgroundChoice <= 5) ? backgroundChoice : 0;
    glClearColor(colours[c][0], colours[c][1], colours[c][2], 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
