#pragma once
// The 3D view of the robot. For now a plain GL surface that clears to the
// colour of the chosen background; the model, camera and picking come later.

#include <QOpenGLWidget>
#include <QOpenGLFunctions>

class OpenGLWidget : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit OpenGLWidget(QWidget *parent = nullptr);

    // Background picture: 1 bubble, 2 sun, 3 mountains, 4 moon, 5 afternoon;
    // 0 (the start value) shows bubble.
    int backgroundChoice = 0;

protected:
    void initializeGL() override;
    void paintGL() override;
};
