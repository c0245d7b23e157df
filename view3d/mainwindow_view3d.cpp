// The 3D view inside the window: its resources and the view tool bar (mouse
// modes, support modes, fit screen). The background actions live with the
// other view settings in app/mainwindow.cpp.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include "view3d/openglwidget.h"
#include "view3d/robotmodel.h"

void MainWindow::setupView3d()
{
    // The view loads these when it is first shown.
    OpenGLWidget *view = ui->openGLWidget;
    for (int part = 0; part < robot3d::PartCount; ++part)
        view->stlPaths[part] = robot3d::stlResource(part);
    for (int choice = 1; choice <= 5; ++choice)
        view->backgroundPaths[choice - 1] = robot3d::backgroundResource(choice);
    view->floorPath = robot3d::floorResource();
}

QList<QAction *> MainWindow::mouseModeActions() const
{
    return {ui->actionSelect_joint, ui->actionMove_robot, ui->actionRotate_robot, ui->actionRotate_camera,
            ui->actionZoom};
}

QList<QAction *> MainWindow::supportModeActions() const
{
    return {ui->actionLeft_foot_touchdown, ui->actionRight_foot_touchdown, ui->actionBodyCentor};
}

// Mouse mode 1 select joint, 2 move robot, 3 rotate robot, 4 rotate camera, 5 zoom.
void MainWindow::setMouseMode(int mode)
{
    checkOnly(mouseModeActions(), mouseModeActions().at(mode - 1));
    ui->openGLWidget->mouseMode = mode;
}

// Support mode 0 left foot, 1 right foot, 2 body centre.
void MainWindow::setSupportMode(int mode)
{
    checkOnly(supportModeActions(), supportModeActions().at(mode));
    ui->openGLWidget->supportMode = mode;
}

void MainWindow::on_actionSelect_joint_triggered() { setMouseMode(1); }
void MainWindow::on_actionMove_robot_triggered() { setMouseMode(2); }
void MainWindow::on_actionRotate_robot_triggered() { setMouseMode(3); }
void MainWindow::on_actionRotate_camera_triggered() { setMouseMode(4); }
void MainWindow::on_actionZoom_triggered() { setMouseMode(5); }

void MainWindow::on_actionLeft_foot_touchdown_triggered() { setSupportMode(0); }
void MainWindow::on_actionRight_foot_touchdown_triggered() { setSupportMode(1); }
void MainWindow::on_actionBodyCentor_triggered() { setSupportMode(2); }

void MainWindow::on_actionFit_screen_triggered()
{
    ui->openGLWidget->fitRequest = 1;
}
