// The 3D view on a real GL context (Mesa under Xvfb): the robot drawn in its
// three support modes, picking by colour, the mouse, the camera, resizing and
// backgrounds. Pictures of the robot are left in artifacts/ for a look by eye.

#include <QtTest>
#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QSurfaceFormat>

#include <QtTest>

#include "app/resourceinit.h"
#include "app/startup.h"
#include "support/view3dsupport.h"
#include "view3d/easygeometry.h"
#include "view3d/easymaterial.h"
#include "view3d/scenemath.h"

#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTemporaryDir>
#include <QBuffer>
#include <QtMath>
#include <cstdio>

using namespace robot3d;
using namespace view3dtest;

// Gives the benchmark-style timing access to a frame.
class TimedView : public OpenGLWidget
{
public:
    using OpenGLWidget::paintGL;
};

class TestView3d : public QObject
{
    Q_OBJECT

    std::unique_ptr<OpenGLWidget> view;
    QString artifacts;

    // A view at its start state and the given size. Tests share one view
    // (a new one costs a GL context and 54 meshes): the next test gets it
    // back at rest on the front view, every input at its start value. A test
    // that changes what cannot be put back (its own clock, stopped ticks, a
    // connection, hiding) says so with viewShared = false.
    void freshView(int w = 1366, int h = 725)
    {
        if (view && viewShared) {
            std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
            view->supportMode = 0;
            view->fitRequest = 0;
            view->mouseMode = 1;
            view->selectedJoint = 2;
            view->backgroundChoice = 0;
            view->resetView();
            if (view->size() != QSize(w, h)) {
                view->resize(w, h);
                QTRY_COMPARE(view->size(), QSize(w, h));
            }
            settle(*view);
            return;
        }
        view = std::make_unique<OpenGLWidget>();
        viewShared = true;
        giveResources(*view);
        view->resize(w, h);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QTRY_VERIFY(view->isReady());
        settle(*view);
    }
    // A view of the test's own, not shared.
    void ownView(std::unique_ptr<OpenGLWidget> made)
    {
        view = std::move(made);
        viewShared = false;
    }
    bool viewShared = false;

    // A picture of the view as it is now, with its picking pass (which tells
    // the robot's pixels by their identification colours) and which of its
    // pixels are the robot's.
    struct Picture {
        QImage lit;
        QImage select;
        QVector<bool> robot;   // row by row
    };

    // Draws the view, leaves its picture in artifacts/ and checks that the
    // picture was written and shows the robot whole: its pixels a fair share
    // of the picture, none on the picture's edge, and the lit picture
    // different there from the picking pass's plain colours.
    Picture save(const QString &name)
    {
        view->update_scene();
        Picture p{view->grabFramebuffer().convertToFormat(QImage::Format_RGB32),
                  view->grabSelectPass().convertToFormat(QImage::Format_RGB32), {}};
        p.robot = robotPixels(p.select);
        const QString path = artifacts + QStringLiteral("/view3d-") + name + QStringLiteral(".jpg");
        QFile::remove(path);
        // The pictures are for a look by eye: a JPEG is written six times as fast as a PNG.
        if (!p.lit.save(path, "JPG", 90)) {
            QTest::qFail(qPrintable(QStringLiteral("cannot save ") + path), __FILE__, __LINE__);
            return p;
        }
        if (QImage(path).size() != p.lit.size())
            QTest::qFail(qPrintable(QStringLiteral("saved picture unreadable: ") + path), __FILE__, __LINE__);
        const QRect box = robotBox(p);
        const double share = robotShare(p);
        if (!(share > 0.01 && share < 0.6) || box.isEmpty() || box.left() <= 0 || box.top() <= 0
            || box.right() >= p.select.width() - 1 || box.bottom() >= p.select.height() - 1)
            QTest::qFail(qPrintable(QStringLiteral("%1: the robot is not drawn whole (share %2, box %3,%4 %5x%6)")
                                        .arg(name).arg(share).arg(box.x()).arg(box.y()).arg(box.width())
                                        .arg(box.height())),
                         __FILE__, __LINE__);
        return p;
    }

    // Whether a picking-pass pixel belongs to a part of the robot: a part's
    // red (plain or highlighted) with the green and blue of a part.
    static bool isRobot(QRgb c)
    {
        static const std::vector<bool> partGreenBlue = [] {
            std::vector<bool> table(256 * 256, false);
            for (int part = 0; part < PartCount; ++part) {
                const Rgb id = identificationColour(part);
                table[size_t(id.g * 256 + id.b)] = true;
            }
            return table;
        }();
        return (qRed(c) == kBaseRed || qRed(c) == kHighlightRed) && partGreenBlue[size_t(qGreen(c) * 256 + qBlue(c))];
    }
    static QVector<bool> robotPixels(const QImage &select)
    {
        const QImage rgb = select.convertToFormat(QImage::Format_RGB32);
        QVector<bool> robot(rgb.width() * rgb.height());
        for (int y = 0; y < rgb.height(); ++y) {
            const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
            for (int x = 0; x < rgb.width(); ++x)
                robot[y * rgb.width() + x] = isRobot(line[x]);
        }
        return robot;
    }
    static double robotShare(const Picture &p)
    {
        return double(std::count(p.robot.begin(), p.robot.end(), true)) / double(p.robot.size());
    }
    static QRect robotBox(const Picture &p)
    {
        const int w = p.select.width();
        int left = w, right = -1, top = -1, bottom = -1;
        for (int i = 0; i < p.robot.size(); ++i)
            if (p.robot[i]) {
                const int x = i % w, y = i / w;
                left = std::min(left, x);
                right = std::max(right, x);
                if (top < 0)
                    top = y;
                bottom = y;
            }
        return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
    }
    // Share of the pixels outside the robot (in both pictures) that differ.
    static double backgroundDifference(const Picture &a, const Picture &b)
    {
        const int w = a.lit.width();
        qint64 n = 0, differ = 0;
        for (int r = 0; r < a.lit.height(); ++r) {
            const QRgb *x = reinterpret_cast<const QRgb *>(a.lit.constScanLine(r));
            const QRgb *y = reinterpret_cast<const QRgb *>(b.lit.constScanLine(r));
            for (int c = 0; c < w; ++c) {
                if (a.robot[r * w + c] || b.robot[r * w + c])
                    continue;
                ++n;
                const QRgb p = x[c], q = y[c];
                differ += qAbs(qRed(p) - qRed(q)) > 8 || qAbs(qGreen(p) - qGreen(q)) > 8 || qAbs(qBlue(p) - qBlue(q)) > 8;
            }
        }
        return n ? double(differ) / double(n) : 0.0;
    }

    void setAngle(int joint, float degrees) { view->jointAngles[joint - kFirstJoint] = degrees; }

    // Sends a mouse move to the view with the given buttons held.
    void moveTo(const QPoint &pos, Qt::MouseButtons buttons)
    {
        QMouseEvent e(QEvent::MouseMove, pos, Qt::NoButton, buttons, Qt::NoModifier);
        QCoreApplication::sendEvent(view.get(), &e);
    }

    // Pixel of a world point through the view's camera.
    QPoint project(const QVector3D &world) const
    {
        const AnimatedCamera &c = view->viewCamera();
        const QVector3D ndc = (c.projection * c.view).map(world);
        return QPoint(int((ndc.x() + 1) / 2 * view->width()), int((1 - ndc.y()) / 2 * view->height()));
    }

    // Share of pixels whose channels differ by more than tolerance.
    static double differingShare(const QImage &a, const QImage &b, int tolerance)
    {
        const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
        if (x.size() != y.size())
            return 1.0;
        qint64 n = 0;
        for (int r = 0; r < x.height(); ++r) {
            const QRgb *xl = reinterpret_cast<const QRgb *>(x.constScanLine(r));
            const QRgb *yl = reinterpret_cast<const QRgb *>(y.constScanLine(r));
            for (int c = 0; c < x.width(); ++c) {
                const QRgb p = xl[c], q = yl[c];
                if (qAbs(qRed(p) - qRed(q)) > tolerance || qAbs(qGreen(p) - qGreen(q)) > tolerance
                    || qAbs(qBlue(p) - qBlue(q)) > tolerance)
                    ++n;
            }
        }
        return double(n) / (double(x.width()) * x.height());
    }

    // One tick of the view's pace, run by the test: the scene update, then
    // the frame it asked for.
    void tick()
    {
        view->update_scene();
        QCoreApplication::processEvents();
    }

    // Ticks until no change waits to be drawn (at most a second's worth).
    void tickToRest()
    {
        for (int i = 0; i < 1000 / OpenGLWidget::kTickMs && view->framePending(); ++i)
            tick();
        tick();
    }

    static int jointAt(const QImage &select, const QPoint &p)
    {
        const QColor c = select.pixelColor(p);
        return jointOfPickColour(c.red(), c.green(), c.blue());
    }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(quietLog);
        // The view's debug messages belong to categories that are off by default.
        QLoggingCategory::setFilterRules(QStringLiteral("gaitforge.view3d.*.debug=true"));
        initGaitForgeResources();
        artifacts = artifactsDir();
    }

    void init() { logged().clear(); }
    void cleanup()
    {
        if (!viewShared || QTest::currentTestFailed())
            view.reset();
    }

    // Pictures of the robot for a look by eye, each checked for what it
    // shows: the robot drawn whole, a pose, support mode, camera or background
    // that changes changes the picture where it should, and the anchor of a
    // support mode stays where it stood.
    void picturesOfTheRobot()
    {
        freshView();
        view->selectedJoint = 0;
        const Picture stand = save(QStringLiteral("stand"));
        const QPoint leftFoot = view->projectedPartCentre(LeftLeg5);
        const QPoint rightFoot = view->projectedPartCentre(RightLeg5);
        bendLeftKnee(*view);
        QList<Picture> bent;
        for (int mode : {0, 1, 2}) {
            view->supportMode = mode;
            bent << save(QStringLiteral("bent-support%1").arg(mode));
            QVERIFY2(differingShare(stand.lit, bent.last().lit, 8) > 0.005, qPrintable(QString::number(mode)));
        }
        // On the left foot the left foot stays, on the right foot the right one.
        view->supportMode = LeftFootTree;
        view->update_scene();
        QCOMPARE(view->projectedPartCentre(LeftLeg5), leftFoot);
        view->supportMode = RightFootTree;
        view->update_scene();
        QCOMPARE(view->projectedPartCentre(RightLeg5), rightFoot);
        QVERIFY(differingShare(bent[0].lit, bent[1].lit, 8) > 0.001);
        QVERIFY(differingShare(bent[1].lit, bent[2].lit, 8) > 0.001);
        // Both knees bent, seen from the robot's left.
        setAngle(15, 30);
        setAngle(16, 60);
        setAngle(17, -30);
        view->supportMode = 0;
        view->setPolarAngle(85);
        settle(*view);
        const Picture side = save(QStringLiteral("bent-side"));
        QVERIFY(differingShare(bent[0].lit, side.lit, 8) > 0.05);
        view->resetView();
        settle(*view);
        std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
        // Leaning on the right leg: the right hip and ankle roll.
        setAngle(14, 12);
        setAngle(18, 12);
        setAngle(6, 12);
        setAngle(10, 12);
        for (int mode : {0, 1, 2}) {
            view->supportMode = mode;
            const Picture lean = save(QStringLiteral("lean-support%1").arg(mode));
            QVERIFY2(differingShare(stand.lit, lean.lit, 8) > 0.001, qPrintable(QString::number(mode)));
        }
        std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
        view->supportMode = 0;
        view->selectedJoint = 18;
        const Picture selected = save(QStringLiteral("selected18"));
        // The selected foot is red in both passes; the rest is as it stood.
        const QColor foot = selected.lit.pixelColor(rightFoot);
        QVERIFY2(foot.red() > foot.green() + 40, qPrintable(foot.name()));
        QCOMPARE(selected.select.pixelColor(rightFoot).red(), kHighlightRed);
        QVERIFY(backgroundDifference(stand, selected) < 0.001);
        // Turned to see the side and the back.
        QList<Picture> orbits;
        for (int phi : {0, 45, 270}) {
            view->setPolarAngle(80);
            view->setAzimuthAngle(phi);
            settle(*view);
            orbits << save(QStringLiteral("orbit%1").arg(phi));
        }
        QVERIFY(differingShare(orbits[0].lit, orbits[1].lit, 8) > 0.05);
        QVERIFY(differingShare(orbits[1].lit, orbits[2].lit, 8) > 0.05);
        QList<Picture> backgrounds;
        for (int b = 1; b <= 5; ++b) {
            view->resetView();
            view->backgroundChoice = b;
            settle(*view);
            backgrounds << save(QStringLiteral("background%1").arg(b));
            QCOMPARE(view->loadedBackground(), b);
        }
        // Each background is its own picture behind the same robot.
        for (int i = 0; i < backgrounds.size(); ++i)
            for (int j = i + 1; j < backgrounds.size(); ++j)
                QVERIFY2(backgroundDifference(backgrounds[i], backgrounds[j]) > 0.2,
                         qPrintable(QStringLiteral("%1 %2").arg(i + 1).arg(j + 1)));
        QCOMPARE(robotBox(backgrounds[0]), robotBox(backgrounds[4]));
    }

    // The view opens on the front view, at rest: no fly-in keeps a fresh
    // start redrawing.
    void opensAtRestOnTheFrontView()
    {
        ownView(std::make_unique<OpenGLWidget>());
        giveResources(*view);
        view->resize(640, 400);
        view->show();
        QTRY_VERIFY(view->isReady());
        QVERIFY(view->viewCamera().done());
        QCOMPARE(view->viewCamera().eye, QVector3D(0.01f, 1.01f, 2.0f));
        QCOMPARE(view->viewCamera().target, QVector3D(0, 1, 0));
        view->update_scene();
        QVERIFY(view->viewCamera().done());
        QCOMPARE(view->viewCamera().eye, QVector3D(0.01f, 1.01f, 2.0f));
        QVERIFY(logged().filter(QStringLiteral("Progress:")).isEmpty());
    }

    void resizeSetsEveryCameraAspect()
    {
        freshView(800, 400);
        for (const Camera *c : {&view->startCamera(), &view->mainCamera(),
                                static_cast<const Camera *>(&view->viewCamera())}) {
            QMatrix4x4 expected;
            expected.perspective(60, 2.0f, 0.1f, 20.0f);
            QCOMPARE(c->projection, expected);
            QCOMPARE(c->projection(1, 1) / c->projection(0, 0), 2.0f);
        }
        QVERIFY(!logged().filter(QStringLiteral(" ! resizeGL 800 400")).isEmpty());
    }

    void selectPassShowsIdentificationColours()
    {
        freshView(800, 600);
        view->selectedJoint = 0;
        view->update_scene();
        const QImage select = view->grabSelectPass();
        QCOMPARE(select.size(), QSize(800, 600));
        QCOMPARE(select.pixelColor(view->projectedPartCentre(Head)), QColor(76, 76, 76));
        QCOMPARE(select.pixelColor(view->projectedPartCentre(RightLeg5)), QColor(76, 75, 76));
        QCOMPARE(select.pixelColor(view->projectedPartCentre(LeftLeg3)), QColor(76, 77, 78));
        QCOMPARE(select.pixelColor(view->projectedPartCentre(Body)), QColor(76, 75, 77));
        // Highlighted: red 176 in the picking pass too, so it stays pickable.
        view->selectedJoint = 18;
        view->update_scene();
        QCOMPARE(view->grabSelectPass().pixelColor(view->projectedPartCentre(RightLeg5)), QColor(176, 75, 76));
        QCOMPARE(view->partMaterial(RightLeg5)->diffuse, QVector4D(176 / 255.0f, 75 / 255.0f, 76 / 255.0f, 1));
        QCOMPARE(view->partMaterial(RightLeg4)->diffuse, QVector4D(76 / 255.0f, 79 / 255.0f, 79 / 255.0f, 1));
        // The lit picture shows the selected foot in red.
        const QColor lit = view->grabFramebuffer().pixelColor(view->projectedPartCentre(RightLeg5));
        QVERIFY2(lit.red() > lit.green() + 40, qPrintable(lit.name()));
    }

    void picking_data()
    {
        QTest::addColumn<QString>("where");
        QTest::addColumn<int>("expected");
        QTest::newRow("head") << QStringLiteral("head") << 2;
        QTest::newRow("right foot") << QStringLiteral("right foot") << 18;
        QTest::newRow("left hand 3") << QStringLiteral("left hand 3") << 5;
        QTest::newRow("body") << QStringLiteral("body") << 0;
        QTest::newRow("floor") << QStringLiteral("floor") << 0;
        QTest::newRow("background") << QStringLiteral("background") << 0;
    }
    void picking()
    {
        QFETCH(QString, where);
        QFETCH(int, expected);
        freshView(800, 600);
        view->selectedJoint = 9;
        view->update_scene();
        QPoint p;
        if (where == QLatin1String("head"))
            p = view->projectedPartCentre(Head);
        else if (where == QLatin1String("right foot"))
            p = view->projectedPartCentre(RightLeg5);
        else if (where == QLatin1String("left hand 3"))
            p = view->projectedPartCentre(LeftHand3);
        else if (where == QLatin1String("body"))
            p = view->projectedPartCentre(Body);
        else if (where == QLatin1String("floor"))
            p = project(QVector3D(0.7f, 0, 0.4f));
        else
            p = QPoint(30, 30);
        const QImage select = view->grabSelectPass();
        QCOMPARE(jointAt(select, p), expected);
        QSignalSpy spy(view.get(), &OpenGLWidget::select_changed);
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, p);
        QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, p);
        if (expected) {
            QCOMPARE(spy.count(), 1);
            QCOMPARE(spy.at(0).at(0).toInt(), expected);
            QCOMPARE(view->selectedJoint, expected);
            // Clicking the same joint again reports nothing new.
            QTest::mouseClick(view.get(), Qt::LeftButton, Qt::NoModifier, p);
            QCOMPARE(spy.count(), 1);
        } else {
            QCOMPARE(spy.count(), 0);
            QCOMPARE(view->selectedJoint, 9);
        }
    }

    void pickingOnABorderOrOutsideDoesNothing()
    {
        freshView(800, 600);
        view->selectedJoint = 0;
        view->update_scene();
        const QImage select = view->grabSelectPass();
        // Find two neighbouring pixels of two different parts.
        QPoint border(-1, -1);
        for (int y = 0; y < select.height() && border.x() < 0; ++y)
            for (int x = 0; x + 1 < select.width(); ++x) {
                const int a = jointAt(select, QPoint(x, y));
                const int b = jointAt(select, QPoint(x + 1, y));
                if (a && b && a != b && jointAt(select, QPoint(x + 2, y)) == b) {
                    border = QPoint(x, y);
                    break;
                }
            }
        QVERIFY(border.x() >= 0);
        QSignalSpy spy(view.get(), &OpenGLWidget::select_changed);
        view->pickAt(border.x(), border.y());
        QCOMPARE(spy.count(), 0);
        // One pixel further in, the right-hand part is picked.
        view->pickAt(border.x() + 1, border.y());
        QCOMPARE(spy.count(), 1);
        view->selectedJoint = 0;
        for (const QPoint &p : {QPoint(-1, 10), QPoint(800, 10), QPoint(10, 600), QPoint(10, -1)})
            view->pickAt(p.x(), p.y());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(view->selectedJoint, 0);
    }

    void dragInSelectMode_data()
    {
        QTest::addColumn<QPoint>("move");
        QTest::addColumn<int>("value");
        QTest::newRow("down 3") << QPoint(0, 3) << 30;
        QTest::newRow("up 3") << QPoint(0, -3) << -30;
        QTest::newRow("right 2") << QPoint(2, 0) << -20;
        QTest::newRow("down 5 left 1") << QPoint(-1, 5) << 60;
    }
    void dragInSelectMode()
    {
        QFETCH(QPoint, move);
        QFETCH(int, value);
        freshView(640, 400);
        QSignalSpy spy(view.get(), &OpenGLWidget::select_model_angle_changed);
        const QPoint start(30, 30);
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, start);
        moveTo(start + move, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toInt(), value);
        // The next move counts from where the last one ended.
        moveTo(start + move + QPoint(0, 1), Qt::LeftButton);
        QCOMPARE(spy.at(1).at(0).toInt(), 10);
        // Without the left button nothing is sent.
        moveTo(start, Qt::RightButton);
        QCOMPARE(spy.count(), 2);
    }

    void moveAndTurnTheRobot()
    {
        freshView(640, 400);
        EasyMesh *foot = view->partNode(LeftFootTree, LeftLeg5);
        // Moves arrive while a button is held; any press marks the start.
        view->mouseMode = 2;
        QTest::mousePress(view.get(), Qt::RightButton, Qt::NoModifier, QPoint(100, 100));
        moveTo(QPoint(150, 80), Qt::RightButton);
        QVERIFY(qAbs(foot->translation.x() - 0.05f) < 1e-6f);
        QVERIFY(qAbs(foot->translation.z() - (0.975f + 0.02f)) < 1e-6f);
        QTest::mouseRelease(view.get(), Qt::RightButton, Qt::NoModifier, QPoint(150, 80));
        view->mouseMode = 3;
        moveTo(QPoint(160, 100), Qt::LeftButton);
        QVERIFY(qAbs(foot->rotationX - (-1.0f)) < 1e-5f);
        QVERIFY(qAbs(foot->rotationY - (90 - 2.0f)) < 1e-5f);
        // The other trees stay; a middle click puts everything back.
        view->supportMode = 2;
        view->update_scene();
        EasyMesh *body = view->partNode(BodyCentreTree, Body);
        moveTo(QPoint(170, 100), Qt::LeftButton);
        QVERIFY(qAbs(body->rotationX - (-1.0f)) < 1e-5f);
        QTest::mousePress(view.get(), Qt::MiddleButton, Qt::NoModifier, QPoint(170, 100));
        QCOMPARE(foot->translation, QVector3D(0, 0, 0.975f));
        QCOMPARE(foot->rotationX, 0.0f);
        QCOMPARE(foot->rotationY, 90.0f);
        QCOMPARE(body->translation, QVector3D(-0.15f, 0, 0.95f));
        QCOMPARE(body->rotationX, 0.0f);
    }

    // Orbit and zoom go on from the camera the user sees: the first step, and
    // the first step after a fit, moves the camera by one step, not to where
    // an older orbit state would put it.
    void orbitAndZoom()
    {
        freshView(640, 400);
        const QVector3D target(0, 1, 0);
        auto angleBetween = [](const QVector3D &a, const QVector3D &b) {
            return qRadiansToDegrees(std::acos(qBound(-1.0f, QVector3D::dotProduct(a.normalized(), b.normalized()), 1.0f)));
        };
        const QVector3D front = view->viewCamera().eye;
        QCOMPARE(front, QVector3D(0.01f, 1.01f, 2.0f));
        view->mouseMode = 4;
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        moveTo(QPoint(100, 101), Qt::LeftButton);
        view->update_scene();
        const QVector3D first = view->viewCamera().eye;
        // One pixel: four degrees, at the same distance from the robot's middle.
        QVERIFY2(qAbs(angleBetween(front - target, first - target) - 4.0f) < 0.01f,
                 qPrintable(QString::number(angleBetween(front - target, first - target))));
        QVERIFY(qAbs((first - target).length() - (front - target).length()) < 1e-4f);
        moveTo(QPoint(101, 101), Qt::LeftButton);
        view->update_scene();
        QVERIFY(qAbs(angleBetween(first - target, view->viewCamera().eye - target) - 4.0f) < 0.5f);
        moveTo(QPoint(110, 120), Qt::RightButton);   // only while the left button is held
        const double phi = view->azimuthAngle();
        moveTo(QPoint(120, 120), Qt::RightButton);
        QCOMPARE(view->azimuthAngle(), phi);
        // Past the pole the camera stays just short of it.
        moveTo(QPoint(120, -400), Qt::LeftButton);
        QCOMPARE(view->polarAngle(), scene::kPolarMargin);

        // Fit: the front view, and the next step goes on from it.
        view->fitRequest = 1;
        view->update_scene();
        QCOMPARE(view->fitRequest, 0);
        QCOMPARE(view->mainCamera().eye, QVector3D(0.01f, 1.01f, 2.0f));
        view->update_scene();
        QCOMPARE(view->viewCamera().eye, QVector3D(0.01f, 1.01f, 2.0f));
        QCOMPARE(view->zoomFactor(), 1.0f);
        QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
        moveTo(QPoint(101, 100), Qt::LeftButton);
        view->update_scene();
        QVERIFY(qAbs(angleBetween(front - target, view->viewCamera().eye - target) - 4.0f) < 0.05f);
        view->resetView();
        view->update_scene();

        // The wheel zooms in zoom mode only, from the distance shown.
        auto wheel = [this](int delta) {
            QWheelEvent e(QPointF(50, 50), view->mapToGlobal(QPoint(50, 50)), QPoint(), QPoint(0, delta),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(view.get(), &e);
        };
        wheel(120);
        QCOMPARE(view->zoomFactor(), 1.0f);
        view->mouseMode = 5;
        wheel(120);
        QCOMPARE(view->zoomFactor(), 1.1f);
        view->update_scene();
        QVERIFY(qAbs((view->viewCamera().eye - target).length() - 1.1f * (front - target).length()) < 1e-4f);
        QVERIFY(angleBetween(front - target, view->viewCamera().eye - target) < 0.01f);
        for (int i = 0; i < 20; ++i)
            wheel(-120);
        QCOMPARE(view->zoomFactor(), scene::kZoomFloor);
        // Out as far as it goes: the robot whole in the picture, not a dot,
        // and the floor inside the far plane.
        for (int i = 0; i < 40; ++i)
            wheel(120);
        QCOMPARE(view->zoomFactor(), scene::kZoomCeiling);
        view->update_scene();
        view->selectedJoint = 0;
        const QImage select = view->grabSelectPass();
        int top = select.height(), bottom = -1;
        for (int y = 0; y < select.height(); ++y)
            for (int x = 0; x < select.width(); ++x) {
                const QColor c = select.pixelColor(x, y);
                if (c.red() == kBaseRed && c.green() >= 75 && c.green() <= 79 && c.blue() >= 76 && c.blue() <= 79) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            }
        QVERIFY(top > 0 && bottom < select.height() - 1);
        QVERIFY2(bottom - top > select.height() / 5, qPrintable(QString::number(bottom - top)));
        QVERIFY((view->viewCamera().eye - target).length() + 2.0f < 20.0f);
    }

    void supportModesKeepTheirAnchor()
    {
        freshView(640, 400);
        struct Case { int tree; int anchor; int joints[3]; };
        const Case cases[] = {{LeftFootTree, LeftLeg5, {6, 8, 10}},
                              {RightFootTree, RightLeg5, {14, 16, 18}},
                              {BodyCentreTree, Body, {6, 14, 2}}};
        for (const Case &c : cases) {
            std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
            view->supportMode = c.tree;
            view->update_scene();
            const QMatrix4x4 anchor = view->partNode(c.tree, c.anchor)->geometryMatrix();
            const QMatrix4x4 head = view->partNode(c.tree, Head)->geometryMatrix();
            for (int j : c.joints)
                setAngle(j, 20);
            view->update_scene();
            QCOMPARE(view->partNode(c.tree, c.anchor)->geometryMatrix(), anchor);
            if (c.tree != BodyCentreTree)
                QVERIFY(view->partNode(c.tree, Head)->geometryMatrix() != head);
        }
        // Right foot down, joint 14 turns the body about the right hip: the
        // hip pivot stays, the head swings.
        std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
        view->supportMode = RightFootTree;
        view->update_scene();
        EasyMesh *body = view->partNode(RightFootTree, Body);
        const QVector3D hip = body->modelMatrix.map(QVector3D());
        const QVector3D headBefore = view->partNode(RightFootTree, Head)->modelMatrix.map(QVector3D());
        setAngle(14, 25);
        view->update_scene();
        QCOMPARE(body->rotationZ, -25.0f);
        QVERIFY((body->modelMatrix.map(QVector3D()) - hip).length() < 1e-5f);
        QVERIFY((view->partNode(RightFootTree, Head)->modelMatrix.map(QVector3D()) - headBefore).length() > 0.05f);
        QCOMPARE(view->partNode(RightFootTree, RightLeg1)->rotationZ, 0.0f);
    }

    // Drawing on demand: nothing changes, nothing is drawn; a change is drawn
    // at the next tick and then reported as complete once.
    // The same drag on a joint bends it the same way in every support mode:
    // drawn before and after the drag, the part on the far side of the joint
    // stands the same way to the part on the body side (in the meshes' own
    // frame), and on screen the angle between them turns the same way.
    void dragBendsTheSameWayInEveryMode()
    {
        freshView(640, 480);
        viewShared = false;   // the connection below stays with the view
        view->mouseMode = 1;
        // The joint panel's part: the drag's change with the joint's one sign.
        connect(view.get(), &OpenGLWidget::select_model_angle_changed, this, [this](int d) {
            const int j = view->selectedJoint;
            if (j >= kFirstJoint && j <= kLastJoint)
                view->jointAngles[j - kFirstJoint] += dragSign(j) * d / 10.0f;
        });
        int bodySide[PartCount];
        for (const NodePlace &n : treeNodes(BodyCentreTree))
            bodySide[n.part] = n.parent;
        auto centroid = [](const QImage &select, int part, bool highlighted) {
            const Rgb c = identificationColour(part);
            const QRgb want = qRgb(highlighted ? kHighlightRed : c.r, c.g, c.b);
            const QImage rgb = select.convertToFormat(QImage::Format_RGB32);
            double x = 0, y = 0;
            int n = 0;
            for (int row = 0; row < rgb.height(); ++row) {
                const QRgb *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(row));
                for (int col = 0; col < rgb.width(); ++col)
                    if ((line[col] & 0xffffff) == (want & 0xffffff)) {
                        x += col;
                        y += row;
                        ++n;
                    }
            }
            return n ? QPointF(x / n, y / n) : QPointF(-1, -1);
        };
        auto angleAt = [](const QPointF &pivot, const QPointF &p) {
            return qRadiansToDegrees(std::atan2(p.y() - pivot.y(), p.x() - pivot.x()));
        };
        auto wrap = [](double a) {
            while (a > 180)
                a -= 360;
            while (a < -180)
                a += 360;
            return a;
        };
        // Before the drag every joint stands at 0: one picking pass per mode
        // serves them all (a highlight changes only the selected part's red).
        QImage atRest[TreeCount];
        for (int mode = 0; mode < TreeCount; ++mode) {
            std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
            view->supportMode = mode;
            view->selectedJoint = 0;
            view->update_scene();
            atRest[mode] = view->grabSelectPass();
        }
        int checkedOnScreen = 0;
        for (int joint = kFirstJoint; joint <= kLastJoint; ++joint) {
            const int own = joint - kFirstJoint;
            const int near = bodySide[own];
            QMatrix4x4 relative[TreeCount];
            double turn[TreeCount];
            for (int mode = 0; mode < TreeCount; ++mode) {
                std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
                view->supportMode = mode;
                view->selectedJoint = joint;
                view->update_scene();
                auto pivotOnScreen = [&] {
                    const Drive d = jointDrive(mode, joint);
                    return QPointF(project(view->partNode(mode, d.part)->modelMatrix.map(QVector3D())));
                };
                auto bend = [&](const QImage &select, bool highlighted) {
                    const QPointF pivot = pivotOnScreen();
                    return angleAt(pivot, centroid(select, own, highlighted))
                           - angleAt(pivot, centroid(select, near, false));
                };
                const double bendBefore = bend(atRest[mode], false);
                // A drag of 6 pixels down, started on the background.
                QTest::mousePress(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 3));
                QCOMPARE(view->selectedJoint, joint);
                moveTo(QPoint(3, 9), Qt::LeftButton);
                QTest::mouseRelease(view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(3, 9));
                QCOMPARE(qAbs(view->jointAngles[own]), 6.0f);
                view->update_scene();
                const QImage after = view->grabSelectPass();
                if (joint == 7)
                    after.save(artifacts + QStringLiteral("/view3d-drag7-support%1.png").arg(mode));
                turn[mode] = wrap(bend(after, true) - bendBefore);
                relative[mode] = view->partNode(mode, near)->geometryMatrix().inverted()
                                 * view->partNode(mode, own)->geometryMatrix();
            }
            // The turn between the two parts (the trees place the parts to a
            // fraction of a millimetre alike, so only the rotation is compared).
            for (int mode = 1; mode < TreeCount; ++mode)
                for (int r = 0; r < 3; ++r)
                    for (int c = 0; c < 3; ++c)
                        QVERIFY2(qAbs(relative[mode](r, c) - relative[0](r, c)) < 1e-4f,
                                 qPrintable(QStringLiteral("joint %1, support mode %2").arg(joint).arg(mode)));
            std::printf("view3d: drag on joint %2d turns it on screen by %6.2f %6.2f %6.2f degrees\n", joint, turn[0],
                        turn[1], turn[2]);
            if (qAbs(turn[0]) > 0.5 && qAbs(turn[1]) > 0.5 && qAbs(turn[2]) > 0.5) {
                ++checkedOnScreen;
                QVERIFY2((turn[0] > 0) == (turn[1] > 0) && (turn[0] > 0) == (turn[2] > 0),
                         qPrintable(QStringLiteral("joint %1").arg(joint)));
            }
        }
        std::printf("view3d: %d joints turn visibly from the front\n", checkedOnScreen);
        QVERIFY(checkedOnScreen >= 6);
        view->supportMode = 0;
        std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
    }

    void sceneCompleteAfterAChangeIsDrawn()
    {
        freshView(320, 240);
        viewShared = false;
        view->stopTicks();
        tickToRest();
        QSignalSpy spy(view.get(), &OpenGLWidget::update_scence_complete);
        const int drawn = view->framesDrawn();
        for (int i = 0; i < 48; ++i)
            tick();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(view->framesDrawn(), drawn);

        setAngle(8, 20);
        view->update_scene();
        QCOMPARE(spy.count(), 0);   // not drawn yet
        QTRY_VERIFY(view->framesDrawn() > drawn);
        view->update_scene();
        QCOMPARE(spy.count(), 1);
        for (int i = 0; i < 10; ++i)
            tick();
        QCOMPARE(spy.count(), 1);

        // A change at every tick (a drag, playback): once every 16 ticks,
        // and once more when it comes to rest.
        spy.clear();
        const int ticks = 150;
        for (int i = 0; i < ticks; ++i) {
            setAngle(8, 21 + i % 60);
            tick();
        }
        std::printf("view3d: %d scene-complete signals in %d ticks of changes\n", int(spy.count()), ticks);
        QVERIFY2(spy.count() >= 1 && spy.count() <= ticks / 16 + 3, qPrintable(QString::number(spy.count())));
        const int whileChanging = spy.count();
        tickToRest();
        QCOMPARE(spy.count(), whileChanging + 1);
        for (int i = 0; i < 1000 / OpenGLWidget::kTickMs; ++i)
            tick();
        QCOMPARE(spy.count(), whileChanging + 1);
    }

    // A second's worth of ticks at rest draws no frame; a stream of changes
    // is drawn at most once a tick; the view's own timer draws a change
    // within a tick.
    void idleDrawsNothing()
    {
        freshView(320, 240);
        // The view's own timer: a change is drawn within a tick.
        QTRY_VERIFY(!view->framePending());
        int drawn = view->framesDrawn();
        view->selectedJoint = 9;
        QTRY_VERIFY_WITH_TIMEOUT(view->framesDrawn() > drawn, 300);

        viewShared = false;
        view->stopTicks();
        tickToRest();
        drawn = view->framesDrawn();
        const int second = 1000 / OpenGLWidget::kTickMs;
        for (int i = 0; i < second; ++i)
            tick();
        QCOMPARE(view->framesDrawn(), drawn);
        // Changes every 5 ms: six or seven between two ticks.
        int step = 0;
        for (int i = 0; i < second; ++i) {
            for (int k = 0; k < OpenGLWidget::kTickMs / 5; ++k)
                setAngle(8, float(++step % 90));
            tick();
        }
        const int frames = view->framesDrawn() - drawn;
        std::printf("view3d: %d frames for %d changes in %d ticks\n", frames, step, second);
        QVERIFY(frames >= 10);
        QVERIFY2(frames <= second, qPrintable(QString::number(frames)));
        // Moving the robot with the mouse is a change too.
        tickToRest();
        drawn = view->framesDrawn();
        view->mouseMode = 2;
        moveTo(QPoint(10, 10), Qt::LeftButton);
        moveTo(QPoint(30, 10), Qt::LeftButton);
        tick();
        QTRY_VERIFY_WITH_TIMEOUT(view->framesDrawn() > drawn, 300);
    }

    // The view says nothing unless asked: no debug line at start or while
    // drawing; with its categories on, a frame over budget is reported at
    // most once a second.
    void quietOutput()
    {
        QLoggingCategory::setFilterRules(QString());
        view.reset();
        logged().clear();
        ownView(std::make_unique<TimedView>());
        giveResources(*view);
        view->resize(320, 240);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QTRY_VERIFY(view->isReady());
        settle(*view);
        auto *timed = static_cast<TimedView *>(view.get());
        for (int i = 0; i < 5; ++i) {
            setAngle(8, float(i));
            view->update_scene();
            timed->paintGL();
        }
        QVERIFY2(logged().isEmpty(), qPrintable(logged().join(QLatin1Char('\n'))));

        QLoggingCategory::setFilterRules(QStringLiteral("gaitforge.view3d.*.debug=true"));
        view->setFrameBudget(-1);   // every frame is over
        qint64 now = 5000;
        view->setClock([&now] { return now; });
        logged().clear();
        // A frame every 100 ms for 2.5 s: lines at 0, 1 and 2 s.
        int frames = 0;
        for (; now < 5000 + 2500; now += 100) {
            timed->paintGL();
            ++frames;
        }
        const auto tookLines = [] { return logged().filter(QStringLiteral("took : ")).size(); };
        std::printf("view3d: %d frames over budget in 2500 ms, %d took lines\n", frames, int(tookLines()));
        QCOMPARE(tookLines(), 3);
        // 999 ms after the last line, none; at 1000 ms, one.
        now = 5000 + 2000 + 999;
        timed->paintGL();
        QCOMPARE(tookLines(), 3);
        now += 1;
        timed->paintGL();
        QCOMPARE(tookLines(), 4);
        view->setFrameBudget(OpenGLWidget::kFrameBudgetMs);
        view.reset();   // its clock is this function's
    }

    // A thumbnail is the view's centre square in the frame's pose, drawn
    // offscreen: the view keeps its pose, its picture and its frame count,
    // and the thumbnail is drawn even while the view is hidden.
    void thumbnails()
    {
        freshView(502, 331);
        viewShared = false;   // hidden and shown again below
        view->selectedJoint = 0;
        float pose[kJointCount] = {};
        pose[4 - kFirstJoint] = -90;
        pose[12 - kFirstJoint] = 90;
        pose[8 - kFirstJoint] = -60;
        pose[9 - kFirstJoint] = 50;
        // The picture the view itself shows in that pose, as the list took it.
        std::copy(std::begin(pose), std::end(pose), std::begin(view->jointAngles));
        view->update_scene();
        const int h = view->height(), w = view->width();
        const QImage shown = view->grabFramebuffer()
                                 .copy(QRect(w / 2 - h / 2, 0, h, h))
                                 .scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                                 .convertToFormat(QImage::Format_RGB32);
        std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f);
        view->update_scene();
        const QImage before = view->grabFramebuffer();
        const QMatrix4x4 hand = view->partNode(LeftFootTree, LeftHand2)->geometryMatrix();
        QCoreApplication::processEvents();
        const int drawn = view->framesDrawn();

        const QImage thumb = view->renderThumbnail(pose, 128);
        QCOMPARE(thumb.size(), QSize(128, 128));
        thumb.save(artifacts + QStringLiteral("/view3d-thumbnail.png"));
        shown.save(artifacts + QStringLiteral("/view3d-thumbnail-shown.png"));
        const double share = differingShare(thumb, shown, 24);
        std::printf("view3d: thumbnail against the view's picture: %.4f of pixels differ by more than 24\n", share);
        QVERIFY2(share < 0.03, qPrintable(QString::number(share)));
        QCOMPARE(view->framesDrawn(), drawn);
        QCOMPARE(view->partNode(LeftFootTree, LeftHand2)->geometryMatrix(), hand);
        QCOMPARE(view->jointAngles[4 - kFirstJoint], 0.0f);
        QCOMPARE(view->grabFramebuffer(), before);
        // Another pose, another picture; compact enough to keep thousands.
        const QImage plain = view->renderThumbnail(view->jointAngles, 128);
        QVERIFY(differingShare(plain, thumb, 24) > 0.02);
        QBuffer bytes;
        bytes.open(QIODevice::WriteOnly);
        thumb.save(&bytes, "JPG", 90);
        std::printf("view3d: a 128-pixel thumbnail keeps %lld bytes\n", bytes.size());
        QVERIFY(bytes.size() <= 8192);

        // Hidden, the view still draws them.
        view->hide();
        QCoreApplication::processEvents();
        const QImage hidden = view->renderThumbnail(pose, 128);
        QVERIFY(differingShare(hidden, thumb, 4) < 0.001);
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 50; ++i) {
            pose[2] = float(i);
            view->renderThumbnail(pose, 128);
        }
        const double perSecond = 50 * 1000.0 / std::max<qint64>(1, clock.elapsed());
        std::printf("view3d: %.0f thumbnails per second\n", perSecond);
        QVERIFY(perSecond > 20);
        view->show();
    }

    void backgrounds()
    {
        freshView(480, 320);
        auto picture = [this](int choice) {
            view->backgroundChoice = choice;
            view->update_scene();
            return view->grabFramebuffer();
        };
        const QImage pop = picture(1);
        QCOMPARE(view->loadedBackground(), 1);
        const QImage seven = picture(7);
        QCOMPARE(view->loadedBackground(), 7);
        QCOMPARE(seven, pop);
        QVERIFY(picture(2) != pop);
        QCOMPARE(picture(0), pop);
    }

    void badMeshLeavesItsPartOut()
    {
        QTemporaryDir dir;
        QFile cut(dir.filePath(QStringLiteral("cut.stl")));
        QFile whole(stlResource(Head));
        QVERIFY(whole.open(QIODevice::ReadOnly) && cut.open(QIODevice::WriteOnly));
        cut.write(whole.readAll().chopped(1));
        cut.close();
        ownView(std::make_unique<OpenGLWidget>());
        giveResources(*view);
        view->stlPaths[Head] = cut.fileName();
        view->stlPaths[LeftHand3] = dir.filePath(QStringLiteral("missing.stl"));
        view->resize(400, 300);
        view->show();
        QTRY_VERIFY(view->isReady());
        settle(*view);
        QCOMPARE(logged().filter(QStringLiteral("Bad STL File")).size(), 6);   // two parts in three trees
        for (int tree = 0; tree < TreeCount; ++tree) {
            QVERIFY(!view->partNode(tree, Head)->getGeometry()->hasBuffers());
            QCOMPARE(view->partNode(tree, Head)->getGeometry()->faceCount(), 0u);
            QVERIFY(view->partNode(tree, Body)->getGeometry()->hasBuffers());
        }
        // Drawn without them; the head is background in the picking pass.
        view->selectedJoint = 0;
        view->update_scene();
        const QImage select = view->grabSelectPass();
        QCOMPARE(select.pixelColor(view->projectedPartCentre(Body)), QColor(76, 75, 77));
        QVERIFY(!view->grabFramebuffer().isNull());
    }

    void frameTimes()
    {
        // Figures for the log: mesh loading at start and full frames at the
        // window's start size (GL work finished before the clock stops).
        ownView(std::make_unique<TimedView>());
        giveResources(*view);
        view->resize(1366, 725);
        QElapsedTimer clock;
        clock.start();
        view->show();
        QTRY_VERIFY(view->isReady());
        const qint64 start = clock.elapsed();
        settle(*view);
        view->makeCurrent();
        auto *f = QOpenGLContext::currentContext()->functions();
        auto *timed = static_cast<TimedView *>(view.get());
        for (int i = 0; i < 3; ++i)
            timed->paintGL();
        f->glFinish();
        const int frames = 20;
        clock.restart();
        qint64 worst = 0;
        for (int i = 0; i < frames; ++i) {
            QElapsedTimer one;
            one.start();
            timed->paintGL();
            f->glFinish();
            worst = std::max(worst, one.elapsed());
        }
        const double mean = clock.elapsed() / double(frames);
        view->doneCurrent();
        std::printf("view3d: start with 54 meshes %lld ms; frame 1366x725 mean %.1f ms, worst %lld ms\n",
                    start, mean, worst);
        QVERIFY(mean < 200);
    }
};

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    TestView3d test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_view3d.moc"
