// gaitForge robot mesh generator.
//
// Writes the 18 parts of the 3D robot as binary STL files. Every part is
// modelled in one common frame, in mesh units (the view draws them at scale
// 0.005), so that with all joint angles 0 the parts sit where they belong and
// each joint turns its part about its own pivot.
//
// Shapes are designed in a frame where X is the robot's left, Y is up and Z is
// the robot's front (the robot faces the viewer); the files store them in the
// model's frame, which is (x, y, z) = (-Y, -X, -Z). Joint pivots in the design
// frame (the right side mirrors X):
//   hip roll    (29.75, 2.1)    axis Z        hip pitch    Y = -34    axis X
//   knee        Y = -79         axis X        ankle pitch  Y = -125   axis X
//   ankle roll  (30, -160)      axis Z        sole         Y = -195
//   shoulder pitch  Y = 69.4    axis X        shoulder roll (76.4, 69.4) axis Z
//   elbow       (76.4, 23.5)    axis Z        head turn    axis Y through X = Z = 0
//
// Usage: meshes OUTPUT_DIR   (prints a triangle count per part)

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMatrix4x4>
#include <QVector>
#include <QVector3D>
#include <QtEndian>
#include <QtMath>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

using V = QVector3D;

struct Triangle {
    V a, b, c;
};

class Mesh
{
public:
    QVector<Triangle> triangles;

    // Adds a triangle whose corners run counter-clockwise seen from outside;
    // slivers without area are dropped.
    void add(const V &a, const V &b, const V &c)
    {
        if (V::crossProduct(b - a, c - b).lengthSquared() < 1e-10f)
            return;
        triangles.append({a, b, c});
    }
    void quad(const V &a, const V &b, const V &c, const V &d)
    {
        add(a, b, c);
        add(a, c, d);
    }
    void append(const Mesh &other) { triangles += other.triangles; }

    Mesh transformed(const QMatrix4x4 &m) const
    {
        Mesh out;
        const bool flip = m.determinant() < 0;
        for (const Triangle &t : triangles) {
            const V a = m.map(t.a), b = m.map(t.b), c = m.map(t.c);
            if (flip)
                out.add(a, c, b);
            else
                out.add(a, b, c);
        }
        return out;
    }
    Mesh deformed(const std::function<V(const V &)> &f) const
    {
        Mesh out;
        for (const Triangle &t : triangles)
            out.add(f(t.a), f(t.b), f(t.c));
        return out;
    }
};

// ---------------------------------------------------------------- primitives

// Coordinates along one axis of a rounded box: the rounded bands get evenly
// spaced angles, the flat middle is one step.
QVector<float> boxSteps(float half, float radius, int segments)
{
    QVector<float> s;
    const float inner = half - radius;
    for (int k = 0; k <= segments; ++k)
        s.append(-inner - radius * float(std::tan(qDegreesToRadians(45.0 * (segments - k) / segments))));
    for (int k = 0; k <= segments; ++k)
        s.append(inner + radius * float(std::tan(qDegreesToRadians(45.0 * k / segments))));
    return s;
}

// A box of half sizes h centred at c, its edges and corners rounded with
// radius r.
Mesh roundedBox(const V &c, const V &h, float r, int segments = 2)
{
    r = std::min({r, h.x() * 0.999f, h.y() * 0.999f, h.z() * 0.999f});
    const QVector<float> steps[3] = {boxSteps(h.x(), r, segments), boxSteps(h.y(), r, segments),
                                     boxSteps(h.z(), r, segments)};
    const V inner(h.x() - r, h.y() - r, h.z() - r);
    auto round = [&](V q) {
        V in(qBound(-inner.x(), q.x(), inner.x()), qBound(-inner.y(), q.y(), inner.y()),
             qBound(-inner.z(), q.z(), inner.z()));
        const V d = q - in;
        return c + (d.length() > 1e-6f ? in + d.normalized() * r : q);
    };
    // For each face: the normal axis, its sign, and the two in-plane axes in
    // the order that makes the face counter-clockwise from outside.
    struct Face { int k; float s; int a, b; };
    const Face faces[6] = {{2, 1, 0, 1}, {2, -1, 1, 0}, {0, 1, 1, 2}, {0, -1, 2, 1}, {1, 1, 2, 0}, {1, -1, 0, 2}};
    Mesh m;
    for (const Face &f : faces) {
        const QVector<float> &ua = steps[f.a];
        const QVector<float> &ub = steps[f.b];
        auto point = [&](int i, int j) {
            V q;
            q[f.k] = f.s * h[f.k];
            q[f.a] = ua[i];
            q[f.b] = ub[j];
            return round(q);
        };
        for (int i = 0; i + 1 < ua.size(); ++i)
            for (int j = 0; j + 1 < ub.size(); ++j)
                m.quad(point(i, j), point(i + 1, j), point(i + 1, j + 1), point(i, j + 1));
    }
    return m;
}

// A solid of revolution about the local z axis from a profile of (radius,
// height) points running from the bottom (-z) end to the top end.
Mesh lathe(const QVector<QPointF> &profile, int segments)
{
    Mesh m;
    auto p = [&](int i, int j) {
        const double t = 2 * M_PI * j / segments;
        const QPointF &q = profile[i];
        return V(float(q.x() * std::cos(t)), float(q.x() * std::sin(t)), float(q.y()));
    };
    for (int i = 0; i + 1 < profile.size(); ++i)
        for (int j = 0; j < segments; ++j)
            m.quad(p(i, j), p(i, j + 1), p(i + 1, j + 1), p(i + 1, j));
    return m;
}

// Profile of a cylinder of radius r from z = -h to h whose two rims are
// rounded with radius b.
QVector<QPointF> roundedCylinderProfile(double r, double h, double b, int arc = 3)
{
    QVector<QPointF> pr;
    pr.append(QPointF(0, -h));
    for (int k = 0; k <= arc; ++k) {
        const double t = M_PI / 2 * k / arc;   // from the cap to the side
        pr.append(QPointF(r - b + b * std::sin(t), -h + b - b * std::cos(t)));
    }
    for (int k = 0; k <= arc; ++k) {
        const double t = M_PI / 2 * k / arc;
        pr.append(QPointF(r - b + b * std::cos(t), h - b + b * std::sin(t)));
    }
    pr.append(QPointF(0, h));
    return pr;
}

// Matrix turning the local z axis onto `axis` (0 x, 1 y, 2 z) and moving the
// origin to `centre`.
QMatrix4x4 onAxis(int axis, const V &centre)
{
    QMatrix4x4 m;
    m.translate(centre);
    if (axis == 0)
        m.rotate(90, 0, 1, 0);
    else if (axis == 1)
        m.rotate(-90, 1, 0, 0);
    return m;
}

// A cylinder with rounded rims along an axis, from `from` to `to` along it.
Mesh cylinder(int axis, const V &centre, double radius, double from, double to, double bevel, int segments = 20)
{
    const double h = (to - from) / 2;
    V c = centre;
    c[axis] = float((from + to) / 2);
    return lathe(roundedCylinderProfile(radius, h, std::min(bevel, h * 0.95), 2), segments)
        .transformed(onAxis(axis, c));
}

// An ellipsoid with half axes r.
Mesh ellipsoid(const V &c, const V &r, int rings = 10, int segments = 20)
{
    QVector<QPointF> pr;
    for (int k = 0; k <= rings; ++k) {
        const double t = M_PI * k / rings;
        pr.append(QPointF(std::sin(t), -std::cos(t)));
    }
    QMatrix4x4 m;
    m.translate(c);
    m.scale(r);
    return lathe(pr, segments).transformed(m);
}

// Scales x and z of the points of a mesh by a factor that runs linearly from
// `bottom` at y = y0 to `top` at y = y1, about the centre line (cx, cz).
Mesh taper(const Mesh &mesh, float y0, float y1, float bottom, float top, float cx, float cz)
{
    return mesh.deformed([=](const V &p) {
        const float t = qBound(0.0f, (p.y() - y0) / (y1 - y0), 1.0f);
        const float s = bottom + (top - bottom) * t;
        return V(cx + (p.x() - cx) * s, p.y(), cz + (p.z() - cz) * s);
    });
}

// ---------------------------------------------------------------- the parts

// Pivots (design frame, left side).
const float kHipRollX = 29.75f, kHipRollY = 2.1f;
const float kHipPitchY = -34, kKneeY = -79, kAnklePitchY = -125;
const float kAnkleRollX = 30, kAnkleRollY = -160, kSoleY = -195;
const float kShoulderY = 69.4f, kArmX = 76.4f, kElbowY = 23.5f;
const float kLegX = 29.75f;   // centre line of the left leg

// Leg sizes: the servo column is kLegInner wide on each side of its centre
// line; fork cheeks sit from kLegInner to kLegOuter.
const float kLegInner = 11.5f, kLegOuter = 17.5f;

// Two fork cheeks about a pitch axis (X) at height y.
Mesh pitchCheeks(float y, float radius)
{
    Mesh m;
    m.append(cylinder(0, V(0, y, 0), radius, kLegX + kLegInner, kLegX + kLegOuter, 2.0));
    m.append(cylinder(0, V(0, y, 0), radius, kLegX - kLegOuter, kLegX - kLegInner, 2.0));
    return m;
}

// The servo horn hub between the cheeks of a pitch joint.
Mesh pitchHub(float y, float radius)
{
    return cylinder(0, V(0, y, 0), radius, kLegX - kLegInner + 0.5, kLegX + kLegInner - 0.5, 2.5);
}

Mesh body()
{
    Mesh m;
    // Pelvis, the hip servos' housing.
    m.append(roundedBox(V(0, 12, -1), V(44, 16, 24), 9, 3));
    // Waist band.
    m.append(roundedBox(V(0, 31, -1), V(38, 7, 22), 6, 3));
    // Chest, wider at the shoulders.
    m.append(taper(roundedBox(V(0, 59, -1), V(54, 28, 29), 13, 3), 31, 87, 0.84f, 1.0f, 0, -1));
    // Front plate with the round status light.
    m.append(roundedBox(V(0, 61, 26), V(34, 19, 4), 4));
    m.append(cylinder(2, V(0, 63, 0), 10, 28, 33, 2.0));
    m.append(cylinder(2, V(0, 63, 0), 6, 32, 35, 1.5));
    // Air vents on the belly plate.
    for (int i = 0; i < 3; ++i)
        m.append(roundedBox(V(0, 16 - 7.0f * i, 23), V(18, 1.6f, 2), 1.5f, 2));
    // Shoulder servo sockets.
    m.append(cylinder(0, V(0, kShoulderY, 0), 17, 44, 55, 3.0));
    m.append(cylinder(0, V(0, kShoulderY, 0), 17, -55, -44, 3.0));
    // Neck collar.
    m.append(cylinder(1, V(0, 0, -1), 15, 84, 93, 3.0));
    // Battery pack on the back.
    m.append(roundedBox(V(0, 56, -31), V(34, 22, 6), 5, 3));
    return m;
}

Mesh head()
{
    Mesh m;
    // Neck.
    m.append(cylinder(1, V(0, 0, 0), 10, 88, 104, 2.0, 24));
    // Helmet.
    m.append(roundedBox(V(0, 128, 0), V(40, 29, 33), 17, 3));
    // Visor and eyes.
    m.append(roundedBox(V(0, 126, 29), V(31, 15, 6), 6, 3));
    for (float x : {13.0f, -13.0f}) {
        m.append(cylinder(2, V(x, 127, 0), 7.5, 33, 36.5, 1.5, 24));
        m.append(ellipsoid(V(x, 127, 36.5f), V(5.5f, 5.5f, 2.5f), 6, 20));
    }
    // Ear pods.
    m.append(cylinder(0, V(0, 126, 0), 13, 38, 45, 3.0));
    m.append(cylinder(0, V(0, 126, 0), 13, -45, -38, 3.0));
    m.append(cylinder(0, V(0, 126, 0), 7, 44, 48, 1.5, 20));
    m.append(cylinder(0, V(0, 126, 0), 7, -48, -44, 1.5, 20));
    // Antenna.
    m.append(cylinder(1, V(22, 0, -6), 2.2, 152, 170, 0.8, 12));
    m.append(ellipsoid(V(22, 172, -6), V(5, 5, 5), 8, 16));
    return m;
}

// Left arm, shoulder: the servo horn cap on the body's socket and the fork
// that holds the upper arm's roll hub.
Mesh leftHand1()
{
    Mesh m;
    m.append(cylinder(0, V(0, kShoulderY, 0), 15, 53, 63, 3.0));
    m.append(roundedBox(V(66, kShoulderY, 0), V(6, 12, 15), 4));
    // Cheeks in front of and behind the roll hub.
    m.append(cylinder(2, V(kArmX, kShoulderY, 0), 13, 9.5, 15, 2.0));
    m.append(cylinder(2, V(kArmX, kShoulderY, 0), 13, -15, -9.5, 2.0));
    m.append(roundedBox(V(68, kShoulderY, 12.25f), V(8, 11, 2.75f), 2, 2));
    m.append(roundedBox(V(68, kShoulderY, -12.25f), V(8, 11, 2.75f), 2, 2));
    return m;
}

// Left upper arm: roll hub at the shoulder, the arm servo, the elbow fork.
Mesh leftHand2()
{
    Mesh m;
    m.append(cylinder(2, V(kArmX, kShoulderY, 0), 12, -9.5, 9.5, 2.5));
    m.append(roundedBox(V(kArmX + 1, 46, 0), V(11.5f, 19, 12.5f), 6));
    m.append(cylinder(2, V(kArmX, kElbowY, 0), 11, 9.5, 14.5, 2.0));
    m.append(cylinder(2, V(kArmX, kElbowY, 0), 11, -14.5, -9.5, 2.0));
    m.append(roundedBox(V(kArmX, 31, 12), V(10, 8, 2.5f), 2, 2));
    m.append(roundedBox(V(kArmX, 31, -12), V(10, 8, 2.5f), 2, 2));
    return m;
}

// Left forearm and hand.
Mesh leftHand3()
{
    Mesh m;
    m.append(cylinder(2, V(kArmX, kElbowY, 0), 10.5, -9.5, 9.5, 2.5));
    m.append(taper(roundedBox(V(kArmX + 0.5f, 2, 0), V(10.5f, 18, 11), 6), -16, 20, 0.85f, 1.0f, kArmX + 0.5f, 0));
    // Mitten hand with a thumb.
    m.append(ellipsoid(V(kArmX + 0.5f, -25, 1), V(9, 12, 10), 10, 20));
    m.append(ellipsoid(V(kArmX - 6, -21, 7), V(3.5f, 7, 3.5f), 8, 14));
    return m;
}

// Left hip: roll hub under the pelvis and the pitch servo below it.
Mesh leftLeg1()
{
    Mesh m;
    m.append(cylinder(2, V(kHipRollX, kHipRollY, 0), 12, -14, 14, 3.0));
    m.append(roundedBox(V(kLegX, -18, 0), V(kLegInner - 0.5f, 12, 13), 5));
    m.append(pitchHub(kHipPitchY, 13));
    return m;
}

// Left thigh: forks at the hip and at the knee, a cover between them.
Mesh leftLeg2()
{
    Mesh m;
    m.append(pitchCheeks(kHipPitchY, 14));
    m.append(pitchCheeks(kKneeY, 13));
    for (float x : {kLegX + (kLegInner + kLegOuter) / 2, kLegX - (kLegInner + kLegOuter) / 2})
        m.append(roundedBox(V(x, (kHipPitchY + kKneeY) / 2, 0), V((kLegOuter - kLegInner) / 2, 22, 12), 2, 2));
    m.append(roundedBox(V(kLegX, (kHipPitchY + kKneeY) / 2, 1), V(kLegInner, 12, 15), 6));
    return m;
}

// Left shin: knee hub, the shin servo with its front guard, ankle fork.
Mesh leftLeg3()
{
    Mesh m;
    m.append(pitchHub(kKneeY, 12));
    m.append(taper(roundedBox(V(kLegX, -102, 1), V(kLegInner, 15, 15), 6), -117, -87, 0.9f, 1.0f, kLegX, 1));
    m.append(roundedBox(V(kLegX, -99, 15), V(10, 12, 3), 3, 2));
    m.append(pitchCheeks(kAnklePitchY, 12));
    for (float x : {kLegX + (kLegInner + kLegOuter) / 2, kLegX - (kLegInner + kLegOuter) / 2})
        m.append(roundedBox(V(x, -113, 0), V((kLegOuter - kLegInner) / 2, 12, 11), 2, 2));
    return m;
}

// Left ankle: pitch hub, the block between the two ankle servos, roll hub.
Mesh leftLeg4()
{
    Mesh m;
    m.append(pitchHub(kAnklePitchY, 12));
    m.append(roundedBox(V(kLegX, -142, 0), V(kLegInner, 12, 13), 5));
    m.append(cylinder(2, V(kAnkleRollX, kAnkleRollY, 0), 10.5, -10.5, 10.5, 2.5));
    return m;
}

// Left foot: the fork around the ankle roll hub and the sole plate.
Mesh leftLeg5()
{
    Mesh m;
    for (float z : {13.5f, -13.5f}) {
        m.append(cylinder(2, V(kAnkleRollX, kAnkleRollY, 0), 11, z - 2.75, z + 2.75, 2.0));
        m.append(roundedBox(V(kAnkleRollX, -169, z), V(11, 9, 2.75f), 2, 2));
    }
    m.append(roundedBox(V(32, -184, 8), V(25, 11, 37), 8, 3));
    // Toe bumper.
    m.append(cylinder(0, V(0, -188, 40), 7, 12, 52, 2.5, 20));
    return m;
}

// The model's frame from the design frame: (x, y, z) = (-Y, -X, -Z).
QMatrix4x4 toModel()
{
    return QMatrix4x4(0, -1, 0, 0,
                      -1, 0, 0, 0,
                      0, 0, -1, 0,
                      0, 0, 0, 1);
}

QMatrix4x4 mirrorX()
{
    QMatrix4x4 m;
    m.scale(-1, 1, 1);
    return m;
}

bool writeStl(const QString &path, const Mesh &mesh)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QByteArray header(80, ' ');
    header.replace(0, 31, "gaitForge robot part, mesh unit");
    f.write(header);
    auto put32 = [&](quint32 v) {
        const quint32 le = qToLittleEndian(v);
        f.write(reinterpret_cast<const char *>(&le), 4);
    };
    auto putFloat = [&](float v) {
        quint32 bits;
        std::memcpy(&bits, &v, 4);
        put32(bits);
    };
    put32(quint32(mesh.triangles.size()));
    for (const Triangle &t : mesh.triangles) {
        const V n = V::crossProduct(t.b - t.a, t.c - t.b).normalized();
        for (const V &v : {n, t.a, t.b, t.c}) {
            putFloat(v.x());
            putFloat(v.y());
            putFloat(v.z());
        }
        f.write("\0\0", 2);
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: meshes OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);

    struct Part {
        const char *name;
        Mesh design;
    };
    const Mesh lh[3] = {leftHand1(), leftHand2(), leftHand3()};
    const Mesh ll[5] = {leftLeg1(), leftLeg2(), leftLeg3(), leftLeg4(), leftLeg5()};
    QVector<Part> parts = {{"head", head()}, {"body", body()}};
    const char *const handNames[2][3] = {{"hand-l-1", "hand-l-2", "hand-l-3"}, {"hand-r-1", "hand-r-2", "hand-r-3"}};
    const char *const legNames[2][5] = {{"leg-l-1", "leg-l-2", "leg-l-3", "leg-l-4", "leg-l-5"},
                                        {"leg-r-1", "leg-r-2", "leg-r-3", "leg-r-4", "leg-r-5"}};
    for (int side = 0; side < 2; ++side) {
        for (int i = 0; i < 3; ++i)
            parts.append({handNames[side][i], side ? lh[i].transformed(mirrorX()) : lh[i]});
        for (int i = 0; i < 5; ++i)
            parts.append({legNames[side][i], side ? ll[i].transformed(mirrorX()) : ll[i]});
    }

    int total = 0;
    for (const Part &p : parts) {
        const Mesh model = p.design.transformed(toModel());
        const QString path = dir + QLatin1Char('/') + QLatin1String(p.name) + QStringLiteral(".stl");
        if (!writeStl(path, model)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        std::printf("%-10s %6d triangles\n", p.name, model.triangles.size());
        total += model.triangles.size();
    }
    std::printf("total      %6d triangles\n", total);
    return 0;
}
