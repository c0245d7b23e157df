// The 3D view's arithmetic without GL: binary STL parsing, node matrices,
// the camera blend and zoom, the robot's trees, joint drives and pick colours,
// and the shipped meshes standing on the floor.

#include <QtTest>
#include <QBuffer>
#include <QRandomGenerator>
#include <QtEndian>
#include <cstdio>
#include <cstring>
#include <QFile>
#include <QtMath>

#include "app/resourceinit.h"
#include "support/view3dsupport.h"
#include "view3d/camera.h"
#include "view3d/easygeometry.h"
#include "view3d/easymesh.h"
#include "view3d/robotmodel.h"
#include "view3d/scenemath.h"
#include "view3d/stlparse.h"

using namespace robot3d;
using view3dtest::logged;

namespace {

// A binary STL of the given triangles (nine floats each); the stored normals
// are deliberately wrong, since the loader must ignore them.
QByteArray stlBytes(const QVector<QVector<float>> &triangles, int sizeDelta = 0, qint64 claimedFaces = -1)
{
    QByteArray b(80, 'h');
    auto put32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        b.append(reinterpret_cast<const char *>(&le), 4);
    };
    auto putFloat = [&](float f) {
        quint32 bits;
        std::memcpy(&bits, &f, 4);
        put32(bits);
    };
    put32(quint32(claimedFaces >= 0 ? claimedFaces : triangles.size()));
    for (const QVector<float> &t : triangles) {
        for (int i = 0; i < 3; ++i)
            putFloat(7.0f);
        for (float f : t)
            putFloat(f);
        b.append("\0\0", 2);
    }
    if (sizeDelta > 0)
        b.append(QByteArray(sizeDelta, '\0'));
    else if (sizeDelta < 0)
        b.chop(-sizeDelta);
    return b;
}

bool parse(const QByteArray &bytes, float scale, stl::Arrays &out)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return stl::parseBinary(buffer, scale, out);
}

bool loggedLine(const QString &text)
{
    for (const QString &l : logged())
        if (l.contains(text))
            return true;
    return false;
}

bool fuzzyVec(const QVector3D &a, const QVector3D &b, float eps = 1e-4f)
{
    return (a - b).length() <= eps;
}

const QVector<float> kCcw = {0, 0, 0, 1, 0, 0, 0, 1, 0};
const QVector<float> kCw = {0, 0, 0, 0, 1, 0, 1, 0, 0};

} // namespace

class TestView3dUnits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(view3dtest::quietLog);
        // The loader's steps are debug messages of a category that is off by default.
        QLoggingCategory::setFilterRules(QStringLiteral("gaitforge.view3d.*.debug=true"));
        initGaitForgeResources();
    }
    void init() { logged().clear(); }

    // ------------------------------------------------------------ STL

    void stlSize_data()
    {
        QTest::addColumn<int>("faces");
        QTest::addColumn<int>("sizeDelta");
        QTest::addColumn<bool>("ok");
        QTest::newRow("no faces, 84 bytes") << 0 << 0 << true;
        QTest::newRow("no faces, one byte more") << 0 << 1 << false;
        QTest::newRow("one face exact") << 1 << 0 << true;
        QTest::newRow("one face, one byte more") << 1 << 1 << false;
        QTest::newRow("one face, one byte less") << 1 << -1 << false;
        QTest::newRow("three faces, one byte less") << 3 << -1 << false;
        QTest::newRow("header only, no count") << 0 << -4 << false;
    }
    void stlSize()
    {
        QFETCH(int, faces);
        QFETCH(int, sizeDelta);
        QFETCH(bool, ok);
        stl::Arrays a;
        a.faceCount = 99;   // untouched on failure
        QCOMPARE(parse(stlBytes(QVector<QVector<float>>(faces, kCcw), sizeDelta), 0.005f, a), ok);
        QCOMPARE(loggedLine(QStringLiteral("Bad STL File")), !ok);
        if (ok) {
            QCOMPARE(int(a.faceCount), faces);
            QCOMPARE(a.positions.size(), 3 * faces);
            QCOMPARE(a.indices.size(), 3 * faces);
            QVERIFY(loggedLine(QStringLiteral(" > Faces: ")));
        } else {
            QCOMPARE(int(a.faceCount), 99);
        }
    }

    void stlLyingCountAllocatesNothing()
    {
        // A count of four billion faces in a tiny file is refused by its size.
        stl::Arrays a;
        QVERIFY(!parse(stlBytes({kCcw}, 0, 0xFFFFFFFFll), 0, a));
        QVERIFY(loggedLine(QStringLiteral("Bad STL File")));
        QVERIFY(a.positions.isEmpty());
    }

    void stlBoxAndScale()
    {
        // Entirely at negative coordinates: the maximum never drops below 0.
        stl::Arrays a;
        QVERIFY(parse(stlBytes({{-3, -4, -2, -1, -4, -2, -3, -1, -5}}), 0.005f, a));
        QCOMPARE(a.min, QVector3D(-3, -4, -5));
        QCOMPARE(a.max, QVector3D(0, 0, 0));
        QVERIFY(loggedLine(QStringLiteral(" > Max:  0 0 0")));
        QCOMPARE(a.scale, double(0.005f));

        // Scale 0 asks for 1 / the diagonal of the box from min to max.
        stl::Arrays b;
        QVERIFY(parse(stlBytes({{1, 2, 2, 2, 2, 2, 1, 4, 4}}), 0, b));
        QCOMPARE(b.min, QVector3D(1, 2, 2));
        QCOMPARE(b.max, QVector3D(2, 4, 4));
        QVERIFY(qFuzzyCompare(b.scale, 1.0 / 3.0));
        stl::Arrays c;
        QVERIFY(parse(stlBytes({{1, 2, 2, 2, 2, 2, 1, 4, 4}}), -1, c));
        QVERIFY(qFuzzyCompare(c.scale, 1.0 / 3.0));

        // No faces and automatic scale: 1, not infinity or 0.
        stl::Arrays d;
        QVERIFY(parse(stlBytes({}), 0, d));
        QCOMPARE(d.scale, 1.0);
    }

    void stlNormalsFromWinding()
    {
        stl::Arrays ccw, cw, degenerate;
        QVERIFY(parse(stlBytes({kCcw}), 1, ccw));
        QVERIFY(parse(stlBytes({kCw}), 1, cw));
        QVERIFY(parse(stlBytes({{1, 1, 1, 2, 2, 2, 3, 3, 3}}), 1, degenerate));
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(ccw.normals[i], QVector3D(0, 0, 1));   // the stored (7, 7, 7) is ignored
            QCOMPARE(cw.normals[i], QVector3D(0, 0, -1));
            QCOMPARE(degenerate.normals[i], QVector3D(0, 0, 0));
            QCOMPARE(ccw.positions[i].w(), 1.0f);
            QCOMPARE(ccw.indices[i], quint32(i));
        }
        QCOMPARE(ccw.positions[1], QVector4D(1, 0, 0, 1));
    }

    void stlRandomInput()
    {
        // Random bytes, random lengths, sometimes a count that fits the size:
        // never a crash, and a success always has consistent arrays.
        QRandomGenerator rng(2024);
        int accepted = 0;
        for (int round = 0; round < 3000; ++round) {
            const int length = rng.bounded(0, 600);
            QByteArray bytes(length, Qt::Uninitialized);
            for (char &ch : bytes)
                ch = char(rng.bounded(256));
            if (length >= 84 && rng.bounded(2)) {
                const quint32 faces = quint32((length - 84) / 50);
                bytes.resize(int(84 + 50 * faces));
                const quint32 le = qToLittleEndian(faces);
                bytes.replace(80, 4, reinterpret_cast<const char *>(&le), 4);
            }
            stl::Arrays a;
            if (parse(bytes, float(rng.bounded(3)) - 1, a)) {
                ++accepted;
                QCOMPARE(qint64(bytes.size()), 84 + 50 * qint64(a.faceCount));
                QCOMPARE(a.positions.size(), int(3 * a.faceCount));
                QCOMPARE(a.normals.size(), int(3 * a.faceCount));
            }
            logged().clear();
        }
        QVERIFY(accepted > 500);
    }

    // Corners with the same position and normal are sent once; the faces
    // still draw the same triangles in the same order.
    void sharedVertices()
    {
        // Two faces of a flat square sharing an edge (same normal), and a
        // third face on the same corners wound the other way (other normal).
        const QVector<QVector<float>> corners = {
            {0, 0, 0, 1, 0, 0, 1, 1, 0}, {1, 1, 0, 0, 1, 0, 0, 0, 0}, {0, 0, 0, 1, 1, 0, 1, 0, 0}};
        stl::Arrays a;
        QVERIFY(parse(stlBytes(corners), 1.0f, a));
        const stl::Arrays before = a;
        QCOMPARE(a.vertexCount, 9u);
        QCOMPARE(stl::shareVertices(a), 7u);   // 4 corners up, 3 down
        QCOMPARE(a.vertexCount, 7u);
        QCOMPARE(a.positions.size(), 7);
        QCOMPARE(a.normals.size(), 7);
        QCOMPARE(a.indices.size(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(a.positions[int(a.indices[i])], before.positions[i]);
            QCOMPARE(a.normals[int(a.indices[i])], before.normals[i]);
        }
        QCOMPARE(a.indices[5], a.indices[0]);   // the shared corner (0, 0, 0) facing up
        QVERIFY(a.indices[6] != a.indices[0]);   // the same place facing down stays apart

        // The robot's meshes: far fewer vertices, the same corners.
        quint64 all = 0, shared = 0;
        for (int part = 0; part < robot3d::PartCount; ++part) {
            QFile f(robot3d::stlResource(part));
            QVERIFY(f.open(QIODevice::ReadOnly));
            stl::Arrays m;
            QVERIFY(stl::parseBinary(f, robot3d::kPartScale, m));
            const stl::Arrays unshared = m;
            all += m.vertexCount;
            shared += stl::shareVertices(m);
            for (int i = 0; i < m.indices.size(); i += 97)
                QCOMPARE(m.positions[int(m.indices[i])], unshared.positions[i]);
        }
        std::printf("view3d: robot vertices %llu unshared, %llu shared\n", all, shared);
        QVERIFY(shared < all);
    }

    void square()
    {
        const stl::Arrays s = stl::square();
        QCOMPARE(int(s.faceCount), 2);
        QCOMPARE(s.indices, (QVector<quint32>{0, 1, 2, 2, 3, 0}));
        for (const QVector3D &n : s.normals)
            QCOMPARE(n, QVector3D(0, 0, 1));
        // The picture's top row at y = +1.
        QCOMPARE(s.texCoords, (QVector<QVector2D>{QVector2D(0, 1), QVector2D(1, 1), QVector2D(1, 0), QVector2D(0, 0)}));
    }

    // ------------------------------------------------------------ matrices

    void nodeMatrixOrder()
    {
        // parent x scale x translate x Rz x Ry x Rx, applied to (1, 0, 0):
        // Rx(0), Ry(90) -> (0, 0, -1), Rz(90) keeps it, translate, scale 2,
        // then the parent's shift.
        QMatrix4x4 parent;
        parent.translate(0, 10, 0);
        const QMatrix4x4 m = scene::nodeMatrix(parent, QVector3D(2, 2, 2), QVector3D(1, 0, 0), 0, 90, 90);
        QVERIFY(fuzzyVec(m.map(QVector3D(1, 0, 0)), QVector3D(2, 10, -2)));
        // Rotation about x comes last: (0, 1, 0) -> Rx(90) (0, 0, 1) -> Ry(90) (1, 0, 0) -> Rz(90) (0, 1, 0).
        const QMatrix4x4 r = scene::nodeMatrix(QMatrix4x4(), QVector3D(1, 1, 1), QVector3D(), 90, 90, 90);
        QVERIFY(fuzzyVec(r.map(QVector3D(0, 1, 0)), QVector3D(0, 1, 0)));
        QVERIFY(fuzzyVec(r.map(QVector3D(0, 0, 1)), QVector3D(1, 0, 0)));
    }

    void childIgnoresParentGeometry()
    {
        EasyGeometry parentShape, childShape;
        parentShape.setScale(0.005);
        parentShape.setOffset(QVector3D(-160, 30, 0));
        EasyMesh parent(&parentShape, nullptr), child(&childShape, nullptr);
        parent.addChild(&child);
        parent.translation = QVector3D(0, 0, 0.975f);
        parent.rotationZ = 90;
        child.translation = QVector3D(0.8f, -0.15f, 0);
        parent.updateMatrices(nullptr);
        // The child follows the parent's rotation and translation only.
        QVERIFY(fuzzyVec(child.modelMatrix.map(QVector3D()), QVector3D(0.15f, 0.8f, 0.975f)));
        // The parent's geometry is scaled and moved by its own offset.
        QVERIFY(fuzzyVec(parent.geometryMatrix().map(QVector3D(160, -30, 0)), QVector3D(0, 0, 0.975f)));
        QVERIFY(fuzzyVec(child.geometryMatrix().map(QVector3D()), child.modelMatrix.map(QVector3D())));
    }

    // ------------------------------------------------------------ camera

    void easeInOut_data()
    {
        QTest::addColumn<double>("p");
        QTest::addColumn<double>("b");
        QTest::newRow("start") << 0.0 << 0.0;
        QTest::newRow("quarter") << 0.25 << 0.125;
        QTest::newRow("half") << 0.5 << 0.5;
        QTest::newRow("three quarters") << 0.75 << 0.875;
        QTest::newRow("end") << 1.0 << 1.0;
    }
    void easeInOut()
    {
        QFETCH(double, p);
        QFETCH(double, b);
        QCOMPARE(scene::easeInOut(p) + 1.0, b + 1.0);
    }

    void progressClampsAtOne()
    {
        // The fly-in: duration 2, 0.03 per update, done after 67 updates.
        scene::Progress pr;
        pr.restart(2);
        int updates = 0;
        while (!pr.done && updates < 1000) {
            pr.advance(0.03);
            ++updates;
        }
        QCOMPARE(updates, 67);
        QCOMPARE(pr.value, 1.0);
        pr.advance(0.03);
        QCOMPARE(pr.value, 1.0);
    }

    void animatedCamera()
    {
        Camera from, to;
        from.eye = QVector3D(-0.5f, 2, 0);
        to.eye = QVector3D(0.01f, 1.01f, 2);
        to.target = QVector3D(0, 1, 0);
        to.setPerspective(800, 400);
        AnimatedCamera cam;
        cam.startFrom(&from, &to, 2.0);
        cam.step(0.015);   // p = 0.0075 after a quarter step
        QVERIFY(!cam.done());
        QVERIFY(cam.eye.x() < -0.49f);
        for (int i = 0; i < 100; ++i)
            cam.step(0.03);
        QVERIFY(cam.done());
        QCOMPARE(cam.eye, to.eye);
        QCOMPARE(cam.projection, to.projection);
        // Towards the camera it already shows: follows its changes at once.
        to.eye = QVector3D(1, 2, 3);
        cam.animateTo(&to, 3.0);
        cam.step(0.03);
        QVERIFY(fuzzyVec(cam.eye, to.eye));
        // Towards another camera: starts from the old destination.
        from.eye = QVector3D(5, 5, 5);
        cam.animateTo(&from, 3.0);
        cam.step(0.0);
        QVERIFY(fuzzyVec(cam.eye, to.eye));
    }

    void zoomLimits()
    {
        float z = 1.0f;
        for (int i = 0; i < 30; ++i)
            z = scene::zoomAfterWheel(z, -120);
        QCOMPARE(z, scene::kZoomFloor);
        QCOMPARE(scene::zoomAfterWheel(0.59f, 0), scene::kZoomFloor);
        QCOMPARE(scene::zoomAfterWheel(1.0f, 120), 1.1f);
        // Zooming out stops at the ceiling: the robot stays a sizeable part
        // of the picture and the floor inside the far plane (20).
        float far = 1.0f;
        for (int i = 0; i < 40; ++i)
            far = scene::zoomAfterWheel(far, 120);
        QCOMPARE(far, scene::kZoomCeiling);
        const double distance = 2.0 * double(far);
        QVERIFY(distance + 2.0 < 20.0);
        // The robot (about 1.5 units tall) fills at least a fifth of the
        // height seen at that distance with a 60 degree field of view.
        QVERIFY(1.5 / (2.0 * distance * std::tan(qDegreesToRadians(30.0))) > 0.2);
    }

    void orbitAroundTheTarget()
    {
        const QVector3D t = scene::kOrbitTarget;
        QVERIFY(fuzzyVec(scene::orbitEye(90, 0, 1), t + QVector3D(1, 0, 0)));
        QVERIFY(fuzzyVec(scene::orbitEye(90, 90, 2), t + QVector3D(0, 0, 2)));
        QVERIFY(fuzzyVec(scene::orbitEye(0, 0, 1), t + QVector3D(0, 1, 0)));
        // The orbit of an eye gives that eye back: an orbit continues from
        // wherever the camera stands, the front view of the start included.
        for (const QVector3D &eye : {QVector3D(0.01f, 1.01f, 2.0f), QVector3D(-1.5f, 2.2f, 0.3f),
                                     QVector3D(0.4f, -0.5f, -1.0f)}) {
            const scene::Orbit o = scene::orbitOf(eye);
            QVERIFY2(fuzzyVec(scene::orbitEye(o.theta, o.phi, o.distance), eye), qPrintable(QString::number(o.theta)));
        }
        const scene::Orbit front = scene::orbitOf(QVector3D(0.01f, 1.01f, 2.0f));
        QVERIFY(qAbs(front.theta - 89.71) < 0.01);
        QVERIFY(qAbs(front.phi - 89.71) < 0.01);
        QVERIFY(qAbs(front.distance - 2.00005) < 1e-4);
        QCOMPARE(scene::clampPolar(0.5), scene::kPolarMargin);
        QCOMPARE(scene::clampPolar(200), 180 - scene::kPolarMargin);
        QCOMPARE(scene::clampPolar(45), 45.0);
    }

    // The background's picture coordinates, worked out once per frame, are
    // those the former per-pixel shader computed (two atan calls per pixel).
    void backgroundMapMatchesThePerPixelFormula()
    {
        const double pi = 3.14159265;
        QRandomGenerator rng(7);
        for (int k = 0; k < 50; ++k) {
            Camera c;
            c.eye = QVector3D(float(rng.bounded(4.0) - 2), float(rng.bounded(4.0) - 1), float(rng.bounded(4.0) - 2));
            c.target = QVector3D(0, 1, 0);
            c.updateView();
            const double aspect = 2.0;
            const QVector4D map = scene::backgroundMap(c.view, aspect);
            const double x = c.view(2, 0), y = c.view(2, 1), z = c.view(2, 2);
            const double rotation = std::atan2(x, z), tilt = std::atan2(x, y);
            for (double u : {0.0, 0.3, 1.0}) {
                for (double v : {0.0, 0.6, 1.0}) {
                    const double ex = u / aspect - rotation / (2 * pi) * aspect;
                    const double ey = v + tilt / (2 * pi);
                    QVERIFY(qAbs(u * map.x() + map.y() - ex) < 1e-5);
                    QVERIFY(qAbs(v * map.z() + map.w() - ey) < 1e-5);
                }
            }
            // The centre square of a view twice as wide shows the middle half
            // of the view's coordinates.
            const QVector4D square = scene::backgroundMap(c.view, aspect, 0.5);
            for (double s : {0.0, 0.5, 1.0}) {
                const double u = 0.25 + 0.5 * s;
                QVERIFY(qAbs(s * square.x() + square.y() - (u * map.x() + map.y())) < 1e-5);
            }
        }
    }

    // ------------------------------------------------------------ robot tables

    void jointDrive_data()
    {
        QTest::addColumn<int>("tree");
        QTest::addColumn<int>("joint");
        QTest::addColumn<int>("part");
        QTest::addColumn<int>("axis");
        QTest::addColumn<int>("sign");
        // Body centre: every joint turns its own part.
        const int own[17][3] = {{Head, 0, -1}, {LeftHand1, 1, -1}, {LeftHand2, 2, 1}, {LeftHand3, 2, 1},
                                {LeftLeg1, 2, 1}, {LeftLeg2, 1, -1}, {LeftLeg3, 1, 1}, {LeftLeg4, 1, 1},
                                {LeftLeg5, 2, -1}, {RightHand1, 1, 1}, {RightHand2, 2, 1}, {RightHand3, 2, 1},
                                {RightLeg1, 2, 1}, {RightLeg2, 1, 1}, {RightLeg3, 1, -1}, {RightLeg4, 1, -1},
                                {RightLeg5, 2, -1}};
        for (int j = 0; j < 17; ++j)
            QTest::addRow("body centre, joint %d", j + 2) << int(BodyCentreTree) << j + 2 << own[j][0] << own[j][1] << own[j][2];
        // Left foot on the ground: its leg's joints turn the part nearer the body, reversed.
        const int leftFoot[5][4] = {{6, Body, 2, -1}, {7, LeftLeg1, 1, 1}, {8, LeftLeg2, 1, -1},
                                    {9, LeftLeg3, 1, -1}, {10, LeftLeg4, 2, 1}};
        for (const auto &r : leftFoot)
            QTest::addRow("left foot, joint %d", r[0]) << int(LeftFootTree) << r[0] << r[1] << r[2] << r[3];
        const int rightFoot[5][4] = {{14, Body, 2, -1}, {15, RightLeg1, 1, -1}, {16, RightLeg2, 1, 1},
                                     {17, RightLeg3, 1, 1}, {18, RightLeg4, 2, 1}};
        for (const auto &r : rightFoot)
            QTest::addRow("right foot, joint %d", r[0]) << int(RightFootTree) << r[0] << r[1] << r[2] << r[3];
        // The other leg and the arms drive as in the body-centre tree.
        QTest::newRow("left foot, joint 14") << int(LeftFootTree) << 14 << int(RightLeg1) << 2 << 1;
        QTest::newRow("left foot, joint 18") << int(LeftFootTree) << 18 << int(RightLeg5) << 2 << -1;
        QTest::newRow("right foot, joint 6") << int(RightFootTree) << 6 << int(LeftLeg1) << 2 << 1;
        QTest::newRow("right foot, joint 2") << int(RightFootTree) << 2 << int(Head) << 0 << -1;
    }
    void jointDrive()
    {
        QFETCH(int, tree);
        QFETCH(int, joint);
        QFETCH(int, part);
        QFETCH(int, axis);
        QFETCH(int, sign);
        const Drive d = robot3d::jointDrive(tree, joint);
        QCOMPARE(d.part, part);
        QCOMPARE(d.axis, axis);
        QCOMPARE(d.sign, sign);
    }

    void pickColours()
    {
        for (int part = 0; part < Body; ++part) {
            const Rgb c = identificationColour(part);
            QCOMPARE(c.r, kBaseRed);
            QCOMPARE(jointOfPickColour(c.r, c.g, c.b), part + 2);
            QCOMPARE(jointOfPickColour(kHighlightRed, c.g, c.b), part + 2);   // still pickable when selected
        }
        QCOMPARE(jointOfPickColour(76, 75, 76), 18);
        QCOMPARE(jointOfPickColour(76, 75, 77), 0);   // the body
        QCOMPARE(jointOfPickColour(76, 80, 76), 0);
        QCOMPARE(jointOfPickColour(0, 0, 0), 0);
        // A background or floor pixel with a part's green and blue but another red.
        QCOMPARE(jointOfPickColour(200, 76, 76), 0);
        QCOMPARE(jointOfPickColour(75, 77, 77), 0);
    }

    void resources()
    {
        QCOMPARE(stlResource(Head), QStringLiteral(":/models/models/head.stl"));
        QCOMPARE(stlResource(RightLeg5), QStringLiteral(":/models/models/leg-r-5.stl"));
        QCOMPARE(stlResource(Body), QStringLiteral(":/models/models/body.stl"));
        QCOMPARE(backgroundResource(1), QStringLiteral(":/textures/textures/background_pop.jpg"));
        QCOMPARE(backgroundResource(5), QStringLiteral(":/textures/textures/background_afternoon.jpg"));
        QCOMPARE(backgroundResource(0), backgroundResource(1));
        QCOMPARE(backgroundResource(7), backgroundResource(1));
        for (int part = 0; part < PartCount; ++part)
            QVERIFY2(QFile::exists(stlResource(part)), qPrintable(stlResource(part)));
        for (int choice = 1; choice <= 5; ++choice)
            QVERIFY(!QImage(backgroundResource(choice)).isNull());
        QVERIFY(!QImage(floorResource()).isNull());
        for (const char *name : {"advanced_vshader", "advanced_fshader", "background_vshader", "background_fshader"}) {
            QFile f(QStringLiteral(":/shaders/shaders/") + QLatin1String(name) + QStringLiteral(".glsl"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readLine().startsWith("#version 130"));
        }
    }

    // Every tree holds each part once, parents first; every node sits where
    // the common frame puts its pivot (offsets are the pivots in mesh units),
    // so the parts of all three trees meet at the same joints.
    void treesShareOneFrame()
    {
        for (int tree = 0; tree < TreeCount; ++tree) {
            const QVector<NodePlace> &nodes = treeNodes(tree);
            QCOMPARE(nodes.size(), int(PartCount));
            QSet<int> seen;
            for (int i = 0; i < nodes.size(); ++i) {
                const NodePlace &n = nodes[i];
                QVERIFY(!seen.contains(n.part));
                QVERIFY(i == 0 ? n.parent == -1 : seen.contains(n.parent));
                seen.insert(n.part);
                if (i == 0)
                    continue;
                const NodePlace *parent = nullptr;
                for (const NodePlace &p : nodes)
                    if (p.part == n.parent)
                        parent = &p;
                const QVector3D expected = kPartScale * (parent->offset - n.offset);
                QVERIFY2((n.translation - expected).length() < 0.011f,
                         qPrintable(QStringLiteral("tree %1 part %2").arg(tree).arg(n.part)));
            }
        }
    }

    // The shipped meshes: with all angles 0 both soles touch the floor in the
    // foot trees, and the body-centre tree holds the robot a little lower.
    void robotStandsOnTheFloor()
    {
        for (int tree = 0; tree < TreeCount; ++tree) {
            EasyMesh root(nullptr, nullptr);
            root.rotationX = -90;
            std::vector<std::unique_ptr<EasyGeometry>> shapes;
            std::vector<std::unique_ptr<EasyMesh>> nodes(PartCount);
            bool first = true;
            for (const NodePlace &entry : treeNodes(tree)) {
                shapes.push_back(std::make_unique<EasyGeometry>());
                shapes.back()->setScale(kPartScale);
                shapes.back()->setOffset(entry.offset);
                nodes[entry.part] = std::make_unique<EasyMesh>(shapes.back().get(), nullptr);
                EasyMesh *n = nodes[entry.part].get();
                n->translation = entry.translation;
                if (first) {
                    n->rotationY = 90;
                    n->rotationZ = 90;
                    first = false;
                }
                (entry.parent < 0 ? &root : nodes[entry.parent].get())->addChild(n);
            }
            root.updateMatrices(nullptr);
            float lowest[2] = {1e9f, 1e9f};
            for (int side = 0; side < 2; ++side) {
                const int part = side ? RightLeg5 : LeftLeg5;
                QFile f(stlResource(part));
                QVERIFY(f.open(QIODevice::ReadOnly));
                stl::Arrays a;
                QVERIFY(stl::parseBinary(f, kPartScale, a));
                const QMatrix4x4 m = nodes[part]->geometryMatrix();
                for (const QVector4D &p : qAsConst(a.positions))
                    lowest[side] = std::min(lowest[side], m.map(p.toVector3D()).y());
            }
            // (The body-centre tree's start position leaves the soles a few
            // millimetres in the floor.)
            const float top = tree == BodyCentreTree ? -0.015f : 0.006f;
            const float bottom = tree == BodyCentreTree ? -0.035f : -0.006f;
            QVERIFY2(lowest[0] < top && lowest[0] > bottom && lowest[1] < top && lowest[1] > bottom,
                     qPrintable(QStringLiteral("tree %1: soles at %2 and %3").arg(tree).arg(lowest[0]).arg(lowest[1])));
        }
    }
};

QTEST_GUILESS_MAIN(TestView3dUnits)
#include "tst_view3dunits.moc"
