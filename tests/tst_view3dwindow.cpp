// The 3D view inside the window: the resources the window gives it, the view
// tool bar's mouse modes, support modes and fit screen, the background
// actions, and a click on the robot reaching the window's signal.

#include <QtTest>
#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "app/startup.h"
#include "support/view3dsupport.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace robot3d;

class TestView3dWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    QString artifacts;

    static QString checked(const QList<QAction *> &group)
    {
        QStringList names;
        for (QAction *a : group)
            if (a->isChecked())
                names << a->objectName();
        return names.join(QLatin1Char(','));
    }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(view3dtest::quietLog);
        artifacts = view3dtest::artifactsDir();
    }
    void init() { start(); }
    void cleanup() { finish(); }

    void resourcePathsBeforeTheFirstShow()
    {
        OpenGLWidget *view = ui->openGLWidget;
        QVERIFY(!view->isReady());
        QCOMPARE(view->stlPaths[Head], QStringLiteral(":/models/models/head.stl"));
        QCOMPARE(view->stlPaths[LeftHand2], QStringLiteral(":/models/models/hand-l-2.stl"));
        QCOMPARE(view->stlPaths[RightLeg5], QStringLiteral(":/models/models/leg-r-5.stl"));
        QCOMPARE(view->stlPaths[Body], QStringLiteral(":/models/models/body.stl"));
        QCOMPARE(view->backgroundPaths[0], QStringLiteral(":/textures/textures/background_pop.jpg"));
        QCOMPARE(view->backgroundPaths[1], QStringLiteral(":/textures/textures/background_sun.jpg"));
        QCOMPARE(view->backgroundPaths[2], QStringLiteral(":/textures/textures/background_mountains.jpg"));
        QCOMPARE(view->backgroundPaths[3], QStringLiteral(":/textures/textures/background_moon.jpg"));
        QCOMPARE(view->backgroundPaths[4], QStringLiteral(":/textures/textures/background_afternoon.jpg"));
        QCOMPARE(view->floorPath, QStringLiteral(":/textures/textures/floor.jpg"));
        QCOMPARE(view->mouseMode, 1);
        QCOMPARE(view->supportMode, 0);
        QCOMPARE(view->selectedJoint, 2);
    }

    void mouseModeActions_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("mode");
        QTest::newRow("move robot") << QStringLiteral("actionMove_robot") << 2;
        QTest::newRow("rotate robot") << QStringLiteral("actionRotate_robot") << 3;
        QTest::newRow("rotate camera") << QStringLiteral("actionRotate_camera") << 4;
        QTest::newRow("zoom") << QStringLiteral("actionZoom") << 5;
        QTest::newRow("select joint") << QStringLiteral("actionSelect_joint") << 1;
    }
    void mouseModeActions()
    {
        QFETCH(QString, action);
        QFETCH(int, mode);
        const QList<QAction *> group = {ui->actionSelect_joint, ui->actionMove_robot, ui->actionRotate_robot,
                                        ui->actionRotate_camera, ui->actionZoom};
        ui->actionZoom->trigger();   // start from another mode
        window->findChild<QAction *>(action)->trigger();
        QCOMPARE(ui->openGLWidget->mouseMode, mode);
        QCOMPARE(checked(group), action);
    }

    void supportModeActions()
    {
        const QList<QAction *> group = {ui->actionLeft_foot_touchdown, ui->actionRight_foot_touchdown,
                                        ui->actionBodyCentor};
        QCOMPARE(checked(group), QStringLiteral("actionLeft_foot_touchdown"));
        ui->actionRight_foot_touchdown->trigger();
        QCOMPARE(ui->openGLWidget->supportMode, 1);
        QCOMPARE(checked(group), QStringLiteral("actionRight_foot_touchdown"));
        ui->actionBodyCentor->trigger();
        QCOMPARE(ui->openGLWidget->supportMode, 2);
        QCOMPARE(checked(group), QStringLiteral("actionBodyCentor"));
        // Triggering the checked one again keeps it checked.
        ui->actionBodyCentor->trigger();
        QCOMPARE(checked(group), QStringLiteral("actionBodyCentor"));
        ui->actionLeft_foot_touchdown->trigger();
        QCOMPARE(ui->openGLWidget->supportMode, 0);
        QCOMPARE(checked(group), QStringLiteral("actionLeft_foot_touchdown"));
    }

    void shownInTheWindow()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        OpenGLWidget *view = ui->openGLWidget;
        QTRY_VERIFY(view->isReady());
        std::printf("view3d: the view is %dx%d in the %dx%d window\n", view->width(), view->height(),
                    window->width(), window->height());
        // Fit screen asks the view for a reset at its next update.
        view->setPolarAngle(60);
        ui->actionFit_screen->trigger();
        QCOMPARE(view->fitRequest, 1);
        view3dtest::settle(*view);
        QCOMPARE(view->fitRequest, 0);
        QCOMPARE(view->viewCamera().eye, QVector3D(0.01f, 1.01f, 2.0f));

        // The background actions choose the picture the view loads.
        ui->actionMountains->trigger();
        QCOMPARE(view->backgroundChoice, 3);
        view->update_scene();
        QCOMPARE(view->loadedBackground(), 3);
        QVERIFY(ui->actionMountains->isChecked());
        QVERIFY(!ui->actionBubble->isChecked());

        // A click on the right foot reaches the window as select_changed(18).
        QSignalSpy picked(view, &OpenGLWidget::select_changed);
        view->update_scene();
        const QPoint foot = view->projectedPartCentre(RightLeg5);
        QTest::mouseClick(view, Qt::LeftButton, Qt::NoModifier, foot);
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.at(0).at(0).toInt(), 18);
        view->update_scene();
        QTest::qWait(100);
        window->grab().save(artifacts + QStringLiteral("/view3d-window.png"));
    }
};

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    TestView3dWindow test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_view3dwindow.moc"
