#pragma once
// Foot inverse kinematics: the five joints of a leg (hip roll, hip pitch,
// knee, ankle pitch, ankle roll) that put the ankle where it is wanted with
// the sole lying flat, in closed form, in double precision.
//
// The leg is solved in the tree the view shows (the support mode's): the
// three trees give a leg slightly different lengths (thigh + shin 0.440 in
// the left-foot tree, 0.450 and 0.443 in the body-centre tree), and solving
// in the tree that is drawn is what puts the foot exactly where the view
// then draws it.
//
// Every leg in every tree is the same chain from the body node to the ankle
// roll frame A (a standing leg of a foot tree is its nodes read backwards):
//   A = Body . T(hip) . Rz(r1) . T(a) . Ry(p1) . T(thigh x) . Ry(p2)
//            . T(shin x) . Ry(p3) . T(b) . Rz(r2)
// and the foot node is A . T(foot). Axes are the model's: x down the leg, y
// across the body (the pitch axis), z front to back (the roll axis). The
// node rotations r1, p1, p2, p3, r2 are the five joint angles times their
// drive signs, the same in all three trees. The sole's normal is the foot's
// x axis.
//
// Solving: the pitch axis after the hip roll is also the axis of the three
// pitches, so the ankle's offset along it is fixed (a.y + b.y): that gives
// the hip roll. The sole's normal then gives the ankle roll and the sum of
// the pitches, and what is left is a two-link chain in the leg's plane
// (thigh and shin), whose knee bends the way it bent before (never flips).

#include <array>

namespace footik {

enum Leg { LeftLeg = 0, RightLeg = 1 };

// Servo of a leg's k-th joint (0 hip roll .. 4 ankle roll): 6..10, 14..18.
int legServo(int leg, int k);
// The leg a servo belongs to, or -1.
int legOfServo(int servo);

struct Vec3 {
    double x = 0, y = 0, z = 0;
    Vec3 operator+(const Vec3 &o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec3 operator-(const Vec3 &o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec3 operator*(double s) const { return {x * s, y * s, z * s}; }
    double dot(const Vec3 &o) const { return x * o.x + y * o.y + z * o.z; }
    double length() const;
};

// A rigid placement: rotation (rows of a 3 x 3 matrix) and position.
struct Frame {
    double r[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    Vec3 p;
    Vec3 rotate(const Vec3 &v) const;
    Vec3 map(const Vec3 &v) const { return rotate(v) + p; }
    Frame operator*(const Frame &o) const;
    Frame inverted() const;
    Vec3 axis(int i) const { return {r[0][i], r[1][i], r[2][i]}; }
};
Frame translation(const Vec3 &v);
// Rotation by degrees about axis 0 (x), 1 (y) or 2 (z), as QMatrix4x4::rotate.
Frame rotation(int axis, double degrees);

// A leg of a tree as the chain above (scene units).
struct Chain {
    Vec3 hip, a, b, foot;
    double thigh = 0, shin = 0;
    int sign[5] = {1, 1, 1, 1, 1};
};
Chain chainOf(int tree, int leg);

// The ankle roll frame A in the hip frame (Body . T(hip)) for the leg's five
// joint angles in degrees.
Frame ankleInHip(const Chain &chain, const double joints[5]);

// Every node's frame of a tree posed from 17 joint angles in degrees (servos
// 2 to 18), the tree's first node at its start place under the root turned
// -90 degrees about x: the frame the balance check and the view's floor use
// (y up). Indexed by robot3d::Part.
using NodeFrames = std::array<Frame, 18>;
void poseTree(int tree, const double angles[17], NodeFrames &frames);
// The hip frame and the ankle frame of a leg in that tree frame.
Frame hipFrame(int tree, int leg, const NodeFrames &frames);
Frame ankleFrame(int tree, int leg, const NodeFrames &frames);

// The range each of the five joints may take, in tenths of a degree.
struct Range {
    int minimum = -3000;
    int maximum = 3000;
};

struct Solution {
    enum Outcome {
        Solved,
        OutOfReach,    // the ankle lies beyond the leg's reach (or too close to the hip)
        OutOfLimits,   // a joint would leave its range: joint, needed
    };
    Outcome outcome = OutOfReach;
    double degrees[5] = {};   // the joint angles found (Solved, OutOfLimits)
    int tenths[5] = {};       // the same rounded to tenths, as a frame stores them
    int joint = -1;           // OutOfLimits: the first joint (0..4) out of its range
    double reach = 0;         // OutOfReach: thigh-and-shin distance asked for, and the longest and
    double longest = 0;       // shortest the leg has (scene units)
    double shortest = 0;
};

// The joints that put the ankle frame at `ankle` (hip frame) with the sole's
// normal along `down` (hip frame, unit length). kneeSign picks the knee's
// side: the sign of the node rotation p2 (-1: the knee forward, as the robot's
// knee bends; +1 backward). Ranges: the five joints' (null: any).
Solution solve(const Chain &chain, const Vec3 &ankle, const Vec3 &down, int kneeSign, const Range *ranges = nullptr);

// The side a knee is bent to in a pose (the knee joint's angle in degrees):
// -1 forward (also for a straight knee), +1 backward.
int kneeSignOf(const Chain &chain, double kneeDegrees);

// A drag of one foot in one tree, from the pose it started in: the foot is
// wanted `delta` (tree frame, scene units) from where it was, the rest of the
// robot staying where it was drawn, the sole parallel to the floor. A
// standing foot of a foot tree is the tree's root: its leg is solved the same
// way (the body keeps its place over the floor and its lean) and the view
// moves the robot by delta so that the foot lands under the pointer.
class Drag
{
public:
    Drag(int tree, int leg, const double angles[17]);
    int tree() const { return tree_; }
    int leg() const { return leg_; }
    // The dragged foot is the root of the tree (it stands on the floor).
    bool standing() const { return standing_; }
    Solution solve(const Vec3 &delta, const Range *ranges = nullptr) const;
    const Chain &chain() const { return chain_; }

private:
    int tree_;
    int leg_;
    bool standing_;
    Chain chain_;
    Frame hip0;      // hip frame at the start (tree frame)
    Vec3 ankle0;     // ankle roll frame's origin at the start (tree frame)
    Vec3 downInHip;  // the floor's down direction in the hip frame
    int knee;
};

} // namespace footik
