// Moving a foot in the window's 3D view: the foot lands under the pointer with
// its sole flat and only its leg's joints change, a dragged standing foot
// carries the robot and fixes a frame that tips, a drag is one undo step, a
// place out of reach or past a limit leaves the pose and says why, and the
// robot gets one pose per step of the drag.

#include <QtTest>
#include <QListWidget>
#include <QStatusBar>

#include "app/footmover.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "support/operationexample.h"
#include "support/robotsimprocess.h"
#include "support/view3dsupport.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"
#include "view3d/balance.h"
#include "view3d/easygeometry.h"
#include "view3d/easymesh.h"
#include "view3d/footik.h"
#include "view3d/openglwidget.h"
#include "view3d/viewtoolbar.h"

namespace {

// Standing on both feet; the right foot lifted with its sole flat; the right
// foot lifted high in front, which tips over the left foot (12.8 mm outside).
QByteArray feetMotion()
{
    return motionFile({frameRecord({}), frameRecord({{15, 300}, {16, 600}, {17, -300}}),
                       frameRecord({{15, 450}, {16, 900}, {17, -450}})});
}

double marginOf(const QString &caption)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("margin (-?[0-9.]+) mm")).match(caption);
    return m.hasMatch() ? m.captured(1).toDouble() : std::nan("");
}

} // namespace

class TestFootIkWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    OpenGLWidget *view() const { return ui->openGLWidget; }
    FootMover *mover() const { return window->frameList().findChild<FootMover *>(); }

    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(view()->isReady());
        window->stopTicks();
        // From above and in front, so the floor is well seen.
        view()->lookFrom(QVector3D(0.6f, 2.6f, 2.0f));
        view3dtest::settle(*view());
    }

    void openFeet()
    {
        open(feetMotion());
        finishWalk();
        window->viewToolBar().moveFootAction()->trigger();
        QCOMPARE(view()->mouseMode, OpenGLWidget::kMoveFootMode);
    }

    void select(int row)
    {
        window->document().setCurrentRow(row);
        view3dtest::settle(*view());
    }

    QPoint project(const QVector3D &scenePoint) const
    {
        const AnimatedCamera &c = view()->viewCamera();
        const QVector4D clip = c.projection * c.view * QVector4D(scenePoint, 1.0f);
        return QPoint(int((clip.x() / clip.w() + 1) / 2 * view()->width()),
                      int((1 - clip.y() / clip.w()) / 2 * view()->height()));
    }
    QVector3D footCentre(int part) const
    {
        EasyMesh *foot = view()->partNode(view()->supportMode, part);
        return foot->geometryMatrix().map(foot->getGeometry()->centroid());
    }

    void mouse(QEvent::Type type, const QPoint &at, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, at, Qt::LeftButton, held, modifiers);
        QApplication::sendEvent(view(), &event);
        view3dtest::settle(*view());
        // Time passes between the steps of a drag: the settle countdown runs.
        for (int i = 0; i < 5; ++i)
            window->timerUpdate();
    }
    void drag(const QPoint &from, const QPoint &to, int steps, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        mouse(QEvent::MouseButtonPress, from);
        for (int i = 1; i <= steps; ++i)
            mouse(QEvent::MouseMove, from + (to - from) * i / steps, modifiers);
        mouse(QEvent::MouseButtonRelease, to);
    }

    MotionDocument::Angles rowAngles(int row) const
    {
        MotionDocument::Angles a{};
        for (int c = 0; c < frametable::ServoCount; ++c)
            a[size_t(c)] = window->document().cell(row, c);
        return a;
    }
    // The right or left ankle frame of a row's pose in the shown tree.
    footik::Frame ankle(int row, int leg) const
    {
        const MotionDocument::Angles a = rowAngles(row);
        double degrees[17];
        for (int i = 0; i < 17; ++i)
            degrees[i] = a[size_t(i)] / 10.0;
        footik::NodeFrames frames;
        footik::poseTree(view()->supportMode, degrees, frames);
        return footik::ankleFrame(view()->supportMode, leg, frames);
    }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(view3dtest::quietLog);
        startDir = QDir::currentPath();
    }
    void init() { start(); }
    void cleanup() { finish(); }

    // The lifted right foot goes where it is dragged along the floor: drawn
    // under the pointer, its sole flat, its height kept; only the right
    // leg's joints change, and the whole drag is one undo step.
    void aHangingFootFollowsThePointer()
    {
        show();
        openFeet();
        select(1);
        const MotionDocument::Angles before = rowAngles(1);
        const footik::Frame ankleBefore = ankle(1, footik::RightLeg);
        const int history = window->document().undoHistory().size();
        const QPoint from = project(footCentre(robot3d::RightLeg5));
        const QPoint to = from + QPoint(12, 8);
        drag(from, to, 4);

        const MotionDocument::Angles after = rowAngles(1);
        for (int servo = 2; servo <= 20; ++servo)
            QVERIFY2((after[size_t(servo - 2)] != before[size_t(servo - 2)]) <= (footik::legOfServo(servo) == 1),
                     qPrintable(QString::number(servo)));
        QVERIFY(after != before);
        QVERIFY((project(footCentre(robot3d::RightLeg5)) - to).manhattanLength() <= 2);
        const footik::Frame ankleAfter = ankle(1, footik::RightLeg);
        QVERIFY(std::abs(ankleAfter.axis(0).y + 1) < 1e-5);   // flat, to the tenths the frame keeps
        QVERIFY(std::abs(ankleAfter.p.y - ankleBefore.p.y) < 0.002);
        QVERIFY((ankleAfter.p - ankleBefore.p).length() > 0.05);
        // The panel and the model show the frame.
        QCOMPARE(window->jointPanel().angles(), after);
        QCOMPARE(view()->jointAngles[16 - 2], after[16 - 2] / 10.0f);

        QCOMPARE(window->document().undoHistory().size(), history + 1);
        window->form()->actionUndo->trigger();
        QCOMPARE(rowAngles(1), before);
    }

    // A frame that tips over the left foot: the standing foot dragged under
    // the centre of mass. The body stays where it is drawn, the foot lands
    // under the pointer, and the frame stands.
    void theStandingFootFixesAFrameThatTips()
    {
        show();
        openFeet();
        select(2);
        QListWidget *list = ui->listWidgetGraphicOperation;
        QVERIFY(marginOf(list->item(2)->text()) < -12);

        int tenths[17];
        for (int i = 0; i < 17; ++i)
            tenths[i] = window->document().cell(2, i);
        const balance::Checker checker(bodymass::builtInBody(), bodymass::shareByVolume(bodymass::builtInBody()));
        const balance::Result r = checker.checkTenths(robot3d::LeftFootTree, tenths);
        QPointF middle;
        for (const QPointF &p : r.polygon)
            middle += p / r.polygon.size();
        const QPointF shift = (r.centreOnFloor - middle) * double(robot3d::kPartScale);
        const QPoint body = view()->projectedPartCentre(robot3d::Body);
        // The leg is straight: along the floor the foot is out of reach.
        QPoint foot = project(footCentre(robot3d::LeftLeg5));
        drag(foot, foot + QPoint(-3, 0), 1);
        QCOMPARE(window->document().cell(2, 7 - 2), 0);
        QVERIFY(window->statusBar()->currentMessage().startsWith(
            QStringLiteral("The left foot cannot go there: the leg would have to be ")));
        // Up a little (Shift): the knee bends, and the body keeps its place.
        drag(foot, foot - QPoint(0, 4), 1, Qt::ShiftModifier);
        QVERIFY(window->document().cell(2, 8 - 2) < -100);
        QVERIFY(window->statusBar()->currentMessage().isEmpty());
        // Then under the centre of mass.
        const QVector3D grab = footCentre(robot3d::LeftLeg5);
        const QPoint to = project(grab + QVector3D(float(shift.x()), 0, float(shift.y())));
        drag(project(grab), to, 5);
        QVERIFY(window->statusBar()->currentMessage().isEmpty());

        QVERIFY((view()->projectedPartCentre(robot3d::Body) - body).manhattanLength() <= 3);
        QVERIFY((project(footCentre(robot3d::LeftLeg5)) - to).manhattanLength() <= 3);
        QTRY_VERIFY(marginOf(list->item(2)->text()) > 5);
        QCOMPARE(window->document().cell(2, 15 - 2), 450);   // the lifted leg as it was
    }

    // Out of reach, past a limit, or not a foot: the pose stays and the
    // status bar says why.
    void refusalsLeaveThePose()
    {
        show();
        openFeet();
        select(0);
        const MotionDocument::Angles straight = rowAngles(0);
        const QPoint foot = project(footCentre(robot3d::RightLeg5));

        // Down through the floor with a straight leg, in one step.
        drag(foot, foot + QPoint(0, 30), 1, Qt::ShiftModifier);
        QCOMPARE(rowAngles(0), straight);
        QVERIFY2(QRegularExpression(QStringLiteral("^The right foot cannot go there: the leg would have to be "
                                                   "[0-9]+\\.[0-9] mm longer\\.$"))
                     .match(window->statusBar()->currentMessage())
                     .hasMatch(),
                 qPrintable(window->statusBar()->currentMessage()));

        // Up, with the right knee allowed 60 degrees.
        jointlimits::Limits limits = window->document().jointLimits();
        limits.ranges[16 - 2] = {-1350, 600, true};
        window->document().setJointLimits(limits);
        drag(foot, foot - QPoint(0, 40), 1, Qt::ShiftModifier);
        QCOMPARE(rowAngles(0), straight);
        const QString knee = window->jointPanel().jointRadios()[16 - 2]->text();
        QVERIFY2(QRegularExpression(QStringLiteral("^The right foot cannot go there: %1 would turn to [0-9]+\\.[0-9]°, "
                                                   "past its limit of 60\\.0°\\.$")
                                        .arg(QRegularExpression::escape(knee)))
                     .match(window->statusBar()->currentMessage())
                     .hasMatch(),
                 qPrintable(window->statusBar()->currentMessage()));
        // Within the limit the foot goes up, and the message goes.
        drag(foot, foot - QPoint(0, 1), 1, Qt::ShiftModifier);
        QVERIFY(rowAngles(0) != straight);
        QVERIFY(window->statusBar()->currentMessage().isEmpty());

        // Not a foot.
        mouse(QEvent::MouseButtonPress, view()->projectedPartCentre(robot3d::Body));
        mouse(QEvent::MouseButtonRelease, view()->projectedPartCentre(robot3d::Body));
        QCOMPARE(window->statusBar()->currentMessage(), QStringLiteral("Press on a foot to move it."));
    }

    // Each step of a drag reaches the robot as one pose with all five joints.
    void theRobotGetsOnePosePerStep()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        start(robot.port);
        show();
        QVERIFY(connectAndGreet());
        openFeet();
        select(1);
        QTest::qWait(200);
        const int before = robot.requests(QStringLiteral("MovePose")).size();
        const QPoint foot = project(footCentre(robot3d::RightLeg5));
        drag(foot, foot + QPoint(9, 0), 3);
        QTRY_COMPARE_WITH_TIMEOUT(robot.requests(QStringLiteral("MovePose")).size(), before + 3, 5000);
        QTest::qWait(100);
        const QStringList poses = robot.requests(QStringLiteral("MovePose"));
        QCOMPARE(poses.size(), before + 3);
        const QStringList sent = poses.last().section(QStringLiteral("pose="), 1).split(QLatin1Char(','));
        const MotionDocument::Angles angles = rowAngles(1);
        for (int servo = 14; servo <= 18; ++servo)
            QCOMPARE(sent[servo - 2].toInt(), angles[size_t(servo - 2)]);
    }
};

QTEST_MAIN(TestFootIkWindow)
#include "tst_footikwindow.moc"
