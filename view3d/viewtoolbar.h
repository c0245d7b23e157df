#pragma once
// The 3D view's tool bar: how the mouse acts on the view (select a joint,
// move or rotate the robot, rotate the camera, zoom), which foot or the body
// centre stays put while the joints move, and fitting the robot to the view.
//
// Widgets: actionSelect_joint, actionMove_robot, actionRotate_robot,
// actionRotate_camera, actionZoom, actionLeft_foot_touchdown,
// actionRight_foot_touchdown, actionBodyCentor, actionFit_screen;
// The balance toggle goes at the end of the tool bar it is given, the "move
// foot" mouse mode after actionRotate_robot when that is on it;
// openGLWidget: mouseMode, supportMode and fitRequest written, the balance
// overlay shown or hidden.
// Widgets it owns: actionSelect_joint, actionMove_robot, actionRotate_robot, actionRotate_camera, actionZoom,
//   actionLeft_foot_touchdown, actionRight_foot_touchdown, actionFit_screen, actionBodyCentor

#include <QList>
#include <QObject>

namespace Ui { class MainWindow; }
class OpenGLWidget;
class QToolBar;
class QAction;

class ViewToolBar : public QObject
{
    Q_OBJECT

public:
    // bar: the tool bar the balance toggle is added to.
    ViewToolBar(Ui::MainWindow *ui, OpenGLWidget *view, QToolBar *bar, QObject *parent = nullptr);

    // Shows the support polygon and the centre of mass on the floor.
    QAction *balanceAction() const { return balance; }
    // Mouse mode 6: dragging a foot moves it (inverse kinematics of its leg).
    QAction *moveFootAction() const { return moveFoot; }

signals:
    void supportModeChanged(int mode);

public slots:
    // Mouse mode 1 select joint, 2 move robot, 3 rotate robot, 4 rotate camera, 5 zoom.
    void setMouseMode(int mode);
    // Support mode 0 left foot, 1 right foot, 2 body centre.
    void setSupportMode(int mode);
    // The view frames the robot on its next paint.
    void fitScreen();

private:
    QList<QAction *> mouseModeActions() const;
    QList<QAction *> supportModeActions() const;

    Ui::MainWindow *ui;
    OpenGLWidget *view;
    QAction *balance = nullptr;
    QAction *moveFoot = nullptr;
};
