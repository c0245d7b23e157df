#include "view3d/viewtoolbar.h"
#include "ui_mainwindow.h"

#include "view3d/openglwidget.h"

namespace {

// The actions of a group act as radio buttons: only the chosen one is checked.
void checkOnly(const QList<QAction *> &group, QAction *chosen)
{
    for (QAction *a : group)
        a->setChecked(a == chosen);
}

} // namespace

ViewToolBar::ViewToolBar(Ui::MainWindow *ui, OpenGLWidget *view, QToolBar *bar, QObject *parent)
    : QObject(parent), ui(ui), view(view)
{
    // The view starts selecting joints, standing on its left foot.
    ui->actionSelect_joint->setChecked(true);
    ui->actionMove_robot->setChecked(false);
    ui->actionRotate_robot->setChecked(false);
    ui->actionRotate_camera->setChecked(false);
    ui->actionZoom->setChecked(false);
    ui->actionLeft_foot_touchdown->setChecked(true);
    ui->actionRight_foot_touchdown->setChecked(false);

    // Moving a foot: a mouse mode of its own, beside moving and turning the robot.
    moveFoot = new QAction(QIcon(QStringLiteral(":/icons/icons/movefoot.png")), tr("move foot"), this);
    moveFoot->setObjectName(QStringLiteral("actionMove_foot"));
    moveFoot->setCheckable(true);
    moveFoot->setToolTip(tr("Move foot: drag a foot along the floor, with Shift up and down; its leg follows "
                            "and the sole stays flat"));
    const QList<QAction *> onBar = bar->actions();
    const int rotate = onBar.indexOf(ui->actionRotate_robot);
    bar->insertAction(rotate >= 0 && rotate + 1 < onBar.size() ? onBar.at(rotate + 1) : nullptr, moveFoot);

    const QList<QAction *> mouse = mouseModeActions();
    for (int i = 0; i < mouse.size(); ++i)
        connect(mouse[i], &QAction::triggered, this, [this, i] { setMouseMode(i + 1); });
    const QList<QAction *> support = supportModeActions();
    for (int i = 0; i < support.size(); ++i)
        connect(support[i], &QAction::triggered, this, [this, i] { setSupportMode(i); });
    connect(ui->actionFit_screen, &QAction::triggered, this, &ViewToolBar::fitScreen);

    // Whether the robot would stand in the shown pose: the support polygon
    // and the centre of mass drawn on the floor.
    bar->addSeparator();
    balance = bar->addAction(QIcon(QStringLiteral(":/icons/icons/balance.png")), tr("show balance"));
    balance->setObjectName(QStringLiteral("actionShow_balance"));
    balance->setCheckable(true);
    balance->setToolTip(tr("Show the support polygon and the centre of mass on the floor"));
    connect(balance, &QAction::toggled, view, &OpenGLWidget::setBalanceShown);
}

QList<QAction *> ViewToolBar::mouseModeActions() const
{
    return {ui->actionSelect_joint, ui->actionMove_robot, ui->actionRotate_robot, ui->actionRotate_camera,
            ui->actionZoom, moveFoot};
}

QList<QAction *> ViewToolBar::supportModeActions() const
{
    return {ui->actionLeft_foot_touchdown, ui->actionRight_foot_touchdown, ui->actionBodyCentor};
}

void ViewToolBar::setMouseMode(int mode)
{
    checkOnly(mouseModeActions(), mouseModeActions().at(mode - 1));
    view->mouseMode = mode;
}

void ViewToolBar::setSupportMode(int mode)
{
    checkOnly(supportModeActions(), supportModeActions().at(mode));
    const bool changed = view->supportMode != mode;
    view->supportMode = mode;
    if (changed)
        emit supportModeChanged(mode);
}

void ViewToolBar::fitScreen()
{
    view->fitRequest = 1;
}
