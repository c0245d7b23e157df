#include "view3d/balance.h"

#include <QMatrix4x4>
#include <QVector4D>

#include <algorithm>
#include <cmath>
#include <limits>

#include "view3d/scenemath.h"

namespace balance {

namespace {

// Millimetres per scene unit: the parts are drawn at kPartScale per mesh unit.
constexpr double kMillimetresPerSceneUnit = 1.0 / double(robot3d::kPartScale);

double cross(const QPointF &o, const QPointF &a, const QPointF &b)
{
    return (a.x() - o.x()) * (b.y() - o.y()) - (a.y() - o.y()) * (b.x() - o.x());
}

double distanceToSegment(const QPointF &p, const QPointF &a, const QPointF &b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double length2 = dx * dx + dy * dy;
    double t = length2 > 0 ? ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / length2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    return std::hypot(p.x() - (a.x() + t * dx), p.y() - (a.y() + t * dy));
}

} // namespace

// As the view poses a tree: the root turned -90 degrees about x, the first
// node at its start place, the driven rotations from the joint angles.
void posedMatrices(int tree, const float *angles, PartMatrices &geometry)
{
    using namespace robot3d;
    QVector3D rotation[PartCount];
    const QVector<NodePlace> &nodes = treeNodes(tree);
    rotation[nodes.first().part] = kFirstNodeRotation;
    for (int joint = kFirstJoint; joint <= kLastJoint; ++joint) {
        const Drive d = jointDrive(tree, joint);
        rotation[d.part][d.axis] = float(d.sign) * angles[joint - kFirstJoint];
    }
    const QVector3D unit(1, 1, 1);
    const QMatrix4x4 root = scene::nodeMatrix(QMatrix4x4(), unit, QVector3D(), -90, 0, 0);
    std::array<QMatrix4x4, PartCount> model;
    for (const NodePlace &n : nodes) {
        const QMatrix4x4 &parent = n.parent < 0 ? root : model[size_t(n.parent)];
        model[size_t(n.part)] = scene::nodeMatrix(parent, unit, n.translation, rotation[n.part].x(),
                                                  rotation[n.part].y(), rotation[n.part].z());
        geometry[size_t(n.part)] = scene::drawMatrix(model[size_t(n.part)], kPartScale, n.offset);
    }
}

Level levelOf(double margin)
{
    if (!(margin >= 0))
        return Tips;
    return margin < kWarningMargin ? Warning : Stands;
}

QVector<QPointF> convexHull(QVector<QPointF> points)
{
    std::sort(points.begin(), points.end(), [](const QPointF &a, const QPointF &b) {
        return a.x() < b.x() || (a.x() == b.x() && a.y() < b.y());
    });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    if (points.size() < 3)
        return points;
    QVector<QPointF> hull(2 * points.size());
    int k = 0;
    for (int i = 0; i < points.size(); ++i) {
        while (k >= 2 && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    for (int i = points.size() - 2, lower = k + 1; i >= 0; --i) {
        while (k >= lower && cross(hull[k - 2], hull[k - 1], points[i]) <= 0)
            --k;
        hull[k++] = points[i];
    }
    hull.resize(k - 1);
    return hull;
}

double signedDistance(const QVector<QPointF> &polygon, const QPointF &p)
{
    const int n = polygon.size();
    if (n == 0)
        return -std::numeric_limits<double>::infinity();
    if (n == 1)
        return -std::hypot(p.x() - polygon[0].x(), p.y() - polygon[0].y());
    double nearest = std::numeric_limits<double>::infinity();
    bool left = true, right = true;
    for (int i = 0; i < n; ++i) {
        const QPointF &a = polygon[i], &b = polygon[(i + 1) % n];
        nearest = std::min(nearest, distanceToSegment(p, a, b));
        const double side = cross(a, b, p);
        left = left && side > 0;
        right = right && side < 0;
    }
    const bool inside = n >= 3 && (left || right);
    return inside ? nearest : -nearest;
}

Checker::Checker(const bodymass::Body &body, const bodymass::Masses &masses) : grams(masses)
{
    for (int part = 0; part < robot3d::PartCount; ++part)
        centres[size_t(part)] = body.parts[size_t(part)].centre;
    footCorners[0] = body.parts[robot3d::LeftLeg5].corners;
    footCorners[1] = body.parts[robot3d::RightLeg5].corners;
    totalGrams = bodymass::total(masses);
}

Result Checker::checkTenths(int tree, const int *tenths) const
{
    float angles[robot3d::kJointCount];
    for (int i = 0; i < robot3d::kJointCount; ++i)
        angles[i] = tenths[i] / 10.0f;
    return check(tree, angles);
}

Result Checker::check(int tree, const float *angles) const
{
    return evaluate(tree, angles, nullptr);
}

Result Checker::checkOn(int tree, const float *angles, Feet feet) const
{
    return evaluate(tree, angles, &feet);
}

Result Checker::evaluate(int tree, const float *angles, const Feet *chosen) const
{
    PartMatrices geometry;
    posedMatrices(tree, angles, geometry);
    const double mm = kMillimetresPerSceneUnit;

    Result r;
    double cx = 0, cy = 0, cz = 0;
    for (int part = 0; part < robot3d::PartCount; ++part) {
        const QVector3D c = geometry[size_t(part)].map(centres[size_t(part)]);
        const double m = grams[size_t(part)];
        cx += m * c.x();
        cy += m * c.y();
        cz += m * c.z();
    }
    if (totalGrams > 0)
        r.centreOfMass = QVector3D(float(cx / totalGrams * mm), float(cy / totalGrams * mm), float(cz / totalGrams * mm));

    // Each foot's lowest corner: only the corners' heights are needed (one
    // row of the matrix), then the floor points of those within the sole band.
    double lowest[2] = {std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
    const robot3d::Part footPart[2] = {robot3d::LeftLeg5, robot3d::RightLeg5};
    for (int f = 0; f < 2; ++f) {
        const QVector4D up = geometry[size_t(footPart[f])].row(1) * float(mm);
        float low = std::numeric_limits<float>::infinity();
        for (const QVector3D &c : footCorners[f])
            low = std::min(low, up.x() * c.x() + up.y() * c.y() + up.z() * c.z() + up.w());
        lowest[f] = low;
    }
    const double gap = lowest[0] - lowest[1];
    r.soleGap = -gap;
    r.feet = chosen ? *chosen : std::abs(gap) <= kLevelTolerance ? BothFeet : (gap < 0 ? LeftFoot : RightFoot);
    r.floorHeight = std::min(lowest[0], lowest[1]);
    QVector<QPointF> sole;
    for (int f = 0; f < 2; ++f) {
        if ((f == 0 && r.feet == RightFoot) || (f == 1 && r.feet == LeftFoot))
            continue;
        const QMatrix4x4 &g = geometry[size_t(footPart[f])];
        const QVector4D up = g.row(1) * float(mm);
        const float top = float(lowest[f] + kSoleBand);
        for (const QVector3D &c : footCorners[f]) {
            if (up.x() * c.x() + up.y() * c.y() + up.z() * c.z() + up.w() <= top) {
                const QVector3D p = g.map(c) * float(mm);
                sole.append(QPointF(p.x(), p.z()));
            }
        }
    }
    r.polygon = convexHull(sole);
    r.centreOnFloor = QPointF(r.centreOfMass.x(), r.centreOfMass.z());
    r.height = r.centreOfMass.y() - r.floorHeight;
    r.margin = signedDistance(r.polygon, r.centreOnFloor);
    return r;
}

} // namespace balance
