#include "view3d/footik.h"

#include <algorithm>
#include <cmath>

#include "view3d/robotmodel.h"

namespace footik {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDegrees = 180.0 / kPi;

// Angle in degrees brought into (-180, 180].
double wrapped(double degrees)
{
    double d = std::fmod(degrees, 360.0);
    if (d > 180)
        d -= 360;
    else if (d <= -180)
        d += 360;
    return d;
}

Vec3 vec(const QVector3D &v)
{
    return {double(v.x()), double(v.y()), double(v.z())};
}

const robot3d::NodePlace *nodeOf(int tree, int part)
{
    for (const robot3d::NodePlace &n : robot3d::treeNodes(tree))
        if (n.part == part)
            return &n;
    return nullptr;
}

} // namespace

int legServo(int leg, int k)
{
    return (leg == RightLeg ? 14 : 6) + k;
}

int legOfServo(int servo)
{
    if (servo >= 6 && servo <= 10)
        return LeftLeg;
    if (servo >= 14 && servo <= 18)
        return RightLeg;
    return -1;
}

double Vec3::length() const
{
    return std::sqrt(x * x + y * y + z * z);
}

Vec3 Frame::rotate(const Vec3 &v) const
{
    return {r[0][0] * v.x + r[0][1] * v.y + r[0][2] * v.z, r[1][0] * v.x + r[1][1] * v.y + r[1][2] * v.z,
            r[2][0] * v.x + r[2][1] * v.y + r[2][2] * v.z};
}

Frame Frame::operator*(const Frame &o) const
{
    Frame f;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            f.r[i][j] = r[i][0] * o.r[0][j] + r[i][1] * o.r[1][j] + r[i][2] * o.r[2][j];
    f.p = map(o.p);
    return f;
}

Frame Frame::inverted() const
{
    Frame f;
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j)
            f.r[i][j] = r[j][i];
    f.p = f.rotate(p) * -1.0;
    return f;
}

Frame translation(const Vec3 &v)
{
    Frame f;
    f.p = v;
    return f;
}

Frame rotation(int axis, double degrees)
{
    const double c = std::cos(degrees / kDegrees), s = std::sin(degrees / kDegrees);
    Frame f;
    const int i = (axis + 1) % 3, j = (axis + 2) % 3;
    f.r[i][i] = c;
    f.r[i][j] = -s;
    f.r[j][i] = s;
    f.r[j][j] = c;
    return f;
}

Chain chainOf(int tree, int leg)
{
    using namespace robot3d;
    const int first = leg == RightLeg ? RightLeg1 : LeftLeg1;
    const robot3d::NodePlace *n[5];
    for (int k = 0; k < 5; ++k)
        n[k] = nodeOf(tree, first + k);
    const robot3d::NodePlace *body = nodeOf(tree, Body);
    Chain c;
    // The leg hangs from the body, or (the standing leg of a foot tree) the
    // body hangs from it: then each node's translation is read backwards.
    const bool hanging = n[0]->parent == Body;
    if (hanging) {
        c.hip = vec(n[0]->translation);
        c.a = vec(n[1]->translation);
        c.thigh = double(n[2]->translation.x());
        c.shin = double(n[3]->translation.x());
        c.b = vec(n[4]->translation);
    } else {
        c.a = vec(body->translation) * -1.0;
        c.thigh = -double(n[0]->translation.x());
        c.shin = -double(n[1]->translation.x());
        c.b = vec(n[2]->translation) * -1.0;
        c.foot = vec(n[3]->translation) * -1.0;
    }
    for (int k = 0; k < 5; ++k) {
        const Drive d = jointDrive(tree, legServo(leg, k));
        c.sign[k] = hanging ? d.sign : -d.sign;
    }
    return c;
}

Frame ankleInHip(const Chain &c, const double joints[5])
{
    return rotation(2, c.sign[0] * joints[0]) * translation(c.a) * rotation(1, c.sign[1] * joints[1])
           * translation({c.thigh, 0, 0}) * rotation(1, c.sign[2] * joints[2]) * translation({c.shin, 0, 0})
           * rotation(1, c.sign[3] * joints[3]) * translation(c.b) * rotation(2, c.sign[4] * joints[4]);
}

void poseTree(int tree, const double angles[17], NodeFrames &frames)
{
    using namespace robot3d;
    double turn[PartCount][3] = {};
    const QVector<NodePlace> &nodes = treeNodes(tree);
    const int firstPart = nodes.first().part;
    turn[firstPart][0] = double(kFirstNodeRotation.x());
    turn[firstPart][1] = double(kFirstNodeRotation.y());
    turn[firstPart][2] = double(kFirstNodeRotation.z());
    for (int joint = kFirstJoint; joint <= kLastJoint; ++joint) {
        const Drive d = jointDrive(tree, joint);
        turn[d.part][d.axis] = d.sign * angles[joint - kFirstJoint];
    }
    const Frame root = rotation(0, -90);
    for (const NodePlace &n : nodes) {
        const Frame &parent = n.parent < 0 ? root : frames[size_t(n.parent)];
        frames[size_t(n.part)] = parent * translation(vec(n.translation)) * rotation(2, turn[n.part][2])
                                 * rotation(1, turn[n.part][1]) * rotation(0, turn[n.part][0]);
    }
}

Frame hipFrame(int tree, int leg, const NodeFrames &frames)
{
    return frames[robot3d::Body] * translation(chainOf(tree, leg).hip);
}

Frame ankleFrame(int tree, int leg, const NodeFrames &frames)
{
    const int foot = leg == RightLeg ? robot3d::RightLeg5 : robot3d::LeftLeg5;
    return frames[size_t(foot)] * translation(chainOf(tree, leg).foot * -1.0);
}

int kneeSignOf(const Chain &chain, double kneeDegrees)
{
    return chain.sign[2] * kneeDegrees > 0 ? 1 : -1;
}

Solution solve(const Chain &c, const Vec3 &ankle, const Vec3 &down, int kneeSign, const Range *ranges)
{
    Solution s;
    s.longest = c.thigh + c.shin;
    s.shortest = std::abs(c.thigh - c.shin);

    // Hip roll: after it, the ankle lies a.y + b.y along the pitch axis.
    const double side = c.a.y + c.b.y;
    const double across = std::hypot(ankle.x, ankle.y);
    if (across <= std::abs(side)) {
        s.reach = 0;
        return s;
    }
    const double r1 = std::atan2(ankle.y, ankle.x) - std::asin(side / across);
    const Frame unroll = rotation(2, -r1 * kDegrees);
    const Vec3 w = unroll.rotate(ankle);
    const Vec3 n = unroll.rotate(down);

    // Ankle roll and the sum of the pitches from the sole's normal:
    // Ry(p) Rz(r2) x = n.
    const double flat = std::hypot(n.x, n.z);
    if (!(flat > 1e-12)) {
        s.reach = 0;
        return s;
    }
    const double r2 = std::atan2(n.y, flat);
    const double pitch = std::atan2(-n.z, n.x);

    // The thigh and the shin reach from the hip pitch to the ankle pitch.
    const double bx = c.b.x * std::cos(pitch) + c.b.z * std::sin(pitch);
    const double bz = -c.b.x * std::sin(pitch) + c.b.z * std::cos(pitch);
    const double X = w.x - c.a.x - bx;
    const double Y = -(w.z - c.a.z - bz);
    const double reach = std::hypot(X, Y);
    s.reach = reach;
    const double slack = 1e-12 * s.longest;
    if (reach > s.longest + slack || reach < s.shortest - slack)
        return s;
    const double cosKnee = std::clamp((reach * reach - c.thigh * c.thigh - c.shin * c.shin)
                                          / (2 * c.thigh * c.shin), -1.0, 1.0);
    const double p2 = (kneeSign > 0 ? 1 : -1) * std::acos(cosKnee);
    const double p1 = std::atan2(Y, X) - std::atan2(c.shin * std::sin(p2), c.thigh + c.shin * std::cos(p2));
    const double p3 = pitch - p1 - p2;

    const double node[5] = {r1, p1, p2, p3, r2};
    s.outcome = Solution::Solved;
    for (int k = 0; k < 5; ++k) {
        s.degrees[k] = wrapped(c.sign[k] * node[k] * kDegrees);
        s.tenths[k] = int(std::lround(s.degrees[k] * 10));
    }
    if (ranges) {
        for (int k = 0; k < 5; ++k) {
            if (s.tenths[k] < ranges[k].minimum || s.tenths[k] > ranges[k].maximum) {
                s.outcome = Solution::OutOfLimits;
                s.joint = k;
                break;
            }
        }
    }
    return s;
}

Drag::Drag(int tree, int leg, const double angles[17])
    : tree_(tree), leg_(leg),
      standing_((tree == robot3d::LeftFootTree && leg == LeftLeg) || (tree == robot3d::RightFootTree && leg == RightLeg)),
      chain_(chainOf(tree, leg))
{
    NodeFrames frames;
    poseTree(tree, angles, frames);
    hip0 = hipFrame(tree, leg, frames);
    ankle0 = ankleFrame(tree, leg, frames).p;
    // The floor's down is the tree frame's -y; the sole is kept parallel to it.
    downInHip = hip0.inverted().rotate({0, -1, 0});
    knee = kneeSignOf(chain_, angles[legServo(leg, 2) - robot3d::kFirstJoint]);
}

Solution Drag::solve(const Vec3 &delta, const Range *ranges) const
{
    return footik::solve(chain_, hip0.inverted().map(ankle0 + delta), downInHip, knee, ranges);
}

} // namespace footik
