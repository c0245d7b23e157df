// Foot inverse kinematics: the legs' chains agree with the trees the view
// draws, forward -> inverse -> forward lands the ankle back to 1e-6 scene
// units with the knee on its side, targets out of reach and joints out of
// their range are refused, and a drag keeps the sole flat and the rest of
// the robot where it was.

#include <QtTest>

#include <cmath>
#include <random>

#include "view3d/balance.h"
#include "view3d/footik.h"
#include "view3d/robotmodel.h"

using namespace footik;

namespace {

double distance(const Vec3 &a, const Vec3 &b)
{
    return (a - b).length();
}

Vec3 vec(const QVector3D &v)
{
    return {double(v.x()), double(v.y()), double(v.z())};
}

// The leg's joints in a pose of 17 angles.
void legJoints(const double *angles, int leg, double joints[5])
{
    for (int k = 0; k < 5; ++k)
        joints[k] = angles[legServo(leg, k) - robot3d::kFirstJoint];
}

void setLegJoints(double *angles, int leg, const double joints[5])
{
    for (int k = 0; k < 5; ++k)
        angles[legServo(leg, k) - robot3d::kFirstJoint] = joints[k];
}

// The ankle frame in the hip frame, read from the whole tree.
Frame ankleOfTree(int tree, int leg, const double *angles)
{
    NodeFrames frames;
    poseTree(tree, angles, frames);
    return hipFrame(tree, leg, frames).inverted() * ankleFrame(tree, leg, frames);
}

// A leg's foot dragged by delta in the left-foot tree from angles: the tree
// before and after, and the angles with the leg's solved joints.
struct Dragged {
    bool standing = false;
    Solution solution;
    NodeFrames before;
    NodeFrames after;
    double solved[17] = {};

    Dragged(int leg, const double *angles, const Vec3 &delta)
    {
        poseTree(robot3d::LeftFootTree, angles, before);
        const Drag drag(robot3d::LeftFootTree, leg, angles);
        standing = drag.standing();
        solution = drag.solve(delta);
        std::copy(angles, angles + 17, solved);
        if (solution.outcome == Solution::Solved)
            setLegJoints(solved, leg, solution.degrees);
        poseTree(robot3d::LeftFootTree, solved, after);
    }
};

void addChainRows()
{
    QTest::addColumn<int>("tree");
    QTest::addColumn<int>("leg");
    const char *trees[] = {"left-foot tree", "right-foot tree", "body-centre tree"};
    for (int tree = 0; tree < 3; ++tree)
        for (int leg = 0; leg < 2; ++leg)
            QTest::addRow("%s, %s leg", trees[tree], leg == LeftLeg ? "left" : "right") << tree << leg;
}

double uniform(std::mt19937 &random, double low, double high)
{
    return std::uniform_real_distribution<double>(low, high)(random);
}

} // namespace

class TestFootIk : public QObject
{
    Q_OBJECT

private slots:
    void chainsAreTheTrees_data() { addChainRows(); }
    void chainsAreTheTrees();
    void legLengthsOfTheTrees();
    void roundTrip_data() { addChainRows(); }
    void roundTrip();
    void flatFootRoundTrip_data() { addChainRows(); }
    void flatFootRoundTrip();
    void kneeKeepsItsSide();
    void outOfReach();
    void limits();
    void dragSwingFoot();
    void dragStandingFoot();
};

// A leg read as one chain poses the ankle as the tree does, and the tree in
// double precision is the tree the view draws (its float matrices).
void TestFootIk::chainsAreTheTrees()
{
    QFETCH(int, tree);
    QFETCH(int, leg);
    const Chain chain = chainOf(tree, leg);
    QVERIFY(chain.thigh > 0.2 && chain.shin > 0.2);
    std::mt19937 random(7);
    for (int i = 0; i < 200; ++i) {
        double angles[17];
        for (double &a : angles)
            a = uniform(random, -90, 90);
        double joints[5];
        legJoints(angles, leg, joints);
        const Frame viaTree = ankleOfTree(tree, leg, angles);
        const Frame viaChain = ankleInHip(chain, joints);
        QVERIFY2(distance(viaTree.p, viaChain.p) < 1e-12, qPrintable(QString::number(i)));
        for (int axis = 0; axis < 3; ++axis)
            QVERIFY(distance(viaTree.axis(axis), viaChain.axis(axis)) < 1e-12);

        // Node origins as the view's matrices place them (float).
        float fangles[17];
        for (int j = 0; j < 17; ++j)
            fangles[j] = float(angles[j]);
        balance::PartMatrices drawn;
        balance::posedMatrices(tree, fangles, drawn);
        NodeFrames frames;
        poseTree(tree, angles, frames);
        for (const robot3d::NodePlace &n : robot3d::treeNodes(tree)) {
            const Vec3 origin = vec(drawn[size_t(n.part)].map(-n.offset));
            QVERIFY2(distance(origin, frames[size_t(n.part)].p) < 2e-5, qPrintable(QString::number(n.part)));
        }
    }
}

// The trees disagree on the legs (thigh + shin): the solver takes each
// tree's own.
void TestFootIk::legLengthsOfTheTrees()
{
    auto legLength = [](int tree, int leg) {
        const Chain c = chainOf(tree, leg);
        return c.thigh + c.shin;
    };
    QCOMPARE(qRound(legLength(robot3d::LeftFootTree, LeftLeg) * 1000), 440);
    QCOMPARE(qRound(legLength(robot3d::BodyCentreTree, LeftLeg) * 1000), 450);
    QCOMPARE(qRound(legLength(robot3d::BodyCentreTree, RightLeg) * 1000), 443);
    QCOMPARE(qRound(legLength(robot3d::RightFootTree, RightLeg) * 1000), 450);
    // A hanging leg of a foot tree is the body-centre tree's.
    QCOMPARE(qRound(legLength(robot3d::LeftFootTree, RightLeg) * 1000), 443);
    QCOMPARE(qRound(legLength(robot3d::RightFootTree, LeftLeg) * 1000), 450);
}

// Forward -> inverse -> forward over 20,000 random reachable poses of a leg:
// each pose's sole lies flat on the floor its body leans over (the sole's
// normal is the down direction asked for). Knees bent either way.
void TestFootIk::roundTrip()
{
    QFETCH(int, tree);
    QFETCH(int, leg);
    const Chain chain = chainOf(tree, leg);
    std::mt19937 random(20000 + tree * 2 + leg);
    double worst = 0, worstAngle = 0;
    int flips = 0, poses = 0;
    while (poses < 20000) {
        // Node rotations first; a knee at least half a degree bent.
        const double knee = uniform(random, 0.5, 150) * (uniform(random, 0, 1) < 0.8 ? -1 : 1);
        const double node[5] = {uniform(random, -40, 40), uniform(random, -100, 100), knee,
                                uniform(random, -100, 100), uniform(random, -40, 40)};
        double joints[5];
        for (int k = 0; k < 5; ++k)
            joints[k] = chain.sign[k] * node[k];
        const Frame ankle = ankleInHip(chain, joints);
        // Reachable as a leg hangs: the ankle below the hip in the leg's plane.
        if (rotation(2, -node[0]).rotate(ankle.p).x <= 0)
            continue;
        ++poses;
        const Solution s = solve(chain, ankle.p, ankle.axis(0), kneeSignOf(chain, joints[2]));
        QCOMPARE(int(s.outcome), int(Solution::Solved));
        const Frame again = ankleInHip(chain, s.degrees);
        worst = std::max(worst, distance(again.p, ankle.p));
        QVERIFY(distance(again.axis(0), ankle.axis(0)) < 1e-9);
        for (int k = 0; k < 5; ++k)
            worstAngle = std::max(worstAngle, std::abs(std::remainder(s.degrees[k] - joints[k], 360.0)));
        flips += (chain.sign[2] * s.degrees[2] > 0) != (knee > 0);
    }
    qInfo("largest position error %.3g scene units, largest angle error %.3g degrees", worst, worstAngle);
    QVERIFY(worst <= 1e-6);
    QCOMPARE(flips, 0);
    QVERIFY(worstAngle < 1e-6);
}

// The same through a drag in the whole tree: the foot flat on the tree's
// floor (the other leg, and so the body, at random), moved nowhere: the
// solved pose puts the ankle back where it was.
void TestFootIk::flatFootRoundTrip()
{
    QFETCH(int, tree);
    QFETCH(int, leg);
    const Chain chain = chainOf(tree, leg);
    std::mt19937 random(40000 + tree * 2 + leg);
    double worst = 0;
    int flips = 0, poses = 0;
    while (poses < 20000) {
        double angles[17];
        for (double &a : angles)
            a = uniform(random, -30, 30);
        // Roll, hip pitch and knee at random; the ankle pitch and roll that
        // lay the sole flat follow from the body's lean.
        const double r1 = uniform(random, -30, 30), p1 = uniform(random, -80, 80), p2 = -uniform(random, 0.5, 140);
        NodeFrames frames;
        poseTree(tree, angles, frames);
        const Vec3 down = rotation(2, -r1).rotate(hipFrame(tree, leg, frames).inverted().rotate({0, -1, 0}));
        const double pitch = std::atan2(-down.z, down.x) * 180 / M_PI;
        const double r2 = std::atan2(down.y, std::hypot(down.x, down.z)) * 180 / M_PI;
        const double node[5] = {r1, p1, p2, std::remainder(pitch - p1 - p2, 360.0), r2};
        double joints[5];
        for (int k = 0; k < 5; ++k)
            joints[k] = chain.sign[k] * node[k];
        setLegJoints(angles, leg, joints);
        poseTree(tree, angles, frames);
        const Frame foot = ankleFrame(tree, leg, frames);
        QVERIFY(distance(foot.axis(0), {0, -1, 0}) < 1e-9);   // flat
        const Frame hip = hipFrame(tree, leg, frames);
        if (rotation(2, -r1).rotate(hip.inverted().map(foot.p)).x <= 0)
            continue;
        ++poses;
        const Drag drag(tree, leg, angles);
        const Solution s = drag.solve({0, 0, 0});
        QCOMPARE(int(s.outcome), int(Solution::Solved));
        double solved[17];
        std::copy(angles, angles + 17, solved);
        setLegJoints(solved, leg, s.degrees);
        // In the hip's frame: a standing foot stays on the floor and the body moves.
        const Frame before = hip.inverted() * foot;
        const Frame after = ankleOfTree(tree, leg, solved);
        worst = std::max(worst, distance(after.p, before.p));
        QVERIFY(distance(after.axis(0), before.axis(0)) < 1e-9);
        flips += chain.sign[2] * s.degrees[2] > 0;
    }
    qInfo("largest position error %.3g scene units", worst);
    QVERIFY(worst <= 1e-6);
    QCOMPARE(flips, 0);
}

// A straight knee bends forward, as the robot's knee does (left leg 3
// negative, right leg 3 positive); a knee bent backward stays so.
void TestFootIk::kneeKeepsItsSide()
{
    for (int leg = 0; leg < 2; ++leg) {
        double angles[17] = {};
        const Drag lift(robot3d::BodyCentreTree, leg, angles);
        const Solution up = lift.solve({0, 0.1, 0});
        QCOMPARE(int(up.outcome), int(Solution::Solved));
        QVERIFY(leg == LeftLeg ? up.degrees[2] < -10 : up.degrees[2] > 10);
        // The pitches add up to nothing: the sole stays flat.
        const Chain &c = lift.chain();
        QVERIFY(std::abs(c.sign[1] * up.degrees[1] + c.sign[2] * up.degrees[2] + c.sign[3] * up.degrees[3]) < 1e-9);
        QVERIFY(std::abs(up.degrees[0] + up.degrees[4] * c.sign[4] * c.sign[0]) < 1e-9);

        angles[legServo(leg, 2) - 2] = leg == LeftLeg ? 20 : -20;   // bent backward
        const Drag back(robot3d::BodyCentreTree, leg, angles);
        for (double dy : {0.01, 0.05, 0.1, 0.001}) {
            const Solution s = back.solve({0, dy, 0});
            QCOMPARE(int(s.outcome), int(Solution::Solved));
            QVERIFY(leg == LeftLeg ? s.degrees[2] > 0 : s.degrees[2] < 0);
        }
    }
}

void TestFootIk::outOfReach()
{
    const Chain chain = chainOf(robot3d::BodyCentreTree, LeftLeg);
    const double straight[5] = {0, 0, 0, 0, 0};
    const Frame ankle = ankleInHip(chain, straight);
    // Straight down is just within reach; a hair further is not.
    QCOMPARE(int(solve(chain, ankle.p, {1, 0, 0}, -1).outcome), int(Solution::Solved));
    const Solution far = solve(chain, ankle.p + Vec3{0.001, 0, 0}, {1, 0, 0}, -1);
    QCOMPARE(int(far.outcome), int(Solution::OutOfReach));
    QVERIFY(far.reach > far.longest);
    QCOMPARE(far.longest, chain.thigh + chain.shin);
    // Far to the side, and at the hip itself.
    QCOMPARE(int(solve(chain, ankle.p + Vec3{0, 0.5, 0}, {1, 0, 0}, -1).outcome), int(Solution::OutOfReach));
    QCOMPARE(int(solve(chain, {0, 0, 0}, {1, 0, 0}, -1).outcome), int(Solution::OutOfReach));
    // Up above the hip only with the leg rolled over, which its range refuses.
    Range defaults[5];
    for (Range &r : defaults)
        r = {-1350, 1350};
    const Solution over = solve(chain, {-0.4, 0, 0}, {1, 0, 0}, -1, defaults);
    QCOMPARE(int(over.outcome), int(Solution::OutOfLimits));
    QCOMPARE(over.joint, 0);
    // A sole asked to stand on its edge.
    QCOMPARE(int(solve(chain, ankle.p - Vec3{0.1, 0, 0}, {0, 0, 1}, -1).outcome), int(Solution::OutOfReach));

    // Through a drag: down through the floor with a straight leg.
    double angles[17] = {};
    const Drag drag(robot3d::LeftFootTree, RightLeg, angles);
    QCOMPARE(int(drag.solve({0, -0.01, 0}).outcome), int(Solution::OutOfReach));
    QCOMPARE(int(drag.solve({0, 0.01, 0}).outcome), int(Solution::Solved));
}

// A solution is refused when any joint, rounded to tenths as a frame keeps
// it, leaves its range; the range's ends are inside.
void TestFootIk::limits()
{
    double angles[17] = {};
    const Drag drag(robot3d::BodyCentreTree, LeftLeg, angles);
    const Solution free = drag.solve({0.02, 0.12, -0.03});
    QCOMPARE(int(free.outcome), int(Solution::Solved));
    QCOMPARE(free.joint, -1);

    for (int k = 0; k < 5; ++k) {
        Range ranges[5];
        const int t = free.tenths[k];
        ranges[k] = t < 0 ? Range{t, 3000} : Range{-3000, t};
        QCOMPARE(int(drag.solve({0.02, 0.12, -0.03}, ranges).outcome), int(Solution::Solved));
        ranges[k] = t < 0 ? Range{t + 1, 3000} : Range{-3000, t - 1};
        const Solution held = drag.solve({0.02, 0.12, -0.03}, ranges);
        QCOMPARE(int(held.outcome), int(Solution::OutOfLimits));
        QCOMPARE(held.joint, k);
        QCOMPARE(held.tenths[k], t);
    }
    // The default range of +/-135 degrees does not stop a small lift.
    Range defaults[5];
    for (Range &r : defaults)
        r = {-1350, 1350};
    QCOMPARE(int(drag.solve({0, 0.05, 0}, defaults).outcome), int(Solution::Solved));
    // A deep crouch needs the knee past 135 degrees.
    QCOMPARE(int(drag.solve({0, 0.4, 0}, defaults).outcome), int(Solution::OutOfLimits));
}

// A hanging foot goes where it is dragged with its sole flat; nothing else moves.
void TestFootIk::dragSwingFoot()
{
    double angles[17] = {};
    angles[6 - 2] = 5;     // the standing leg leans the body a little
    angles[7 - 2] = -10;
    const Vec3 delta{0.04, 0.08, -0.05};
    const Dragged d(RightLeg, angles, delta);
    QVERIFY(!d.standing);
    QCOMPARE(int(d.solution.outcome), int(Solution::Solved));
    const Frame foot0 = ankleFrame(robot3d::LeftFootTree, RightLeg, d.before);
    const Frame foot1 = ankleFrame(robot3d::LeftFootTree, RightLeg, d.after);
    QVERIFY(distance(foot1.p, foot0.p + delta) < 1e-9);
    QVERIFY(distance(foot1.axis(0), {0, -1, 0}) < 1e-9);
    QVERIFY(distance(d.after[robot3d::Body].p, d.before[robot3d::Body].p) < 1e-12);
    for (int joint = 2; joint <= 18; ++joint)
        if (legOfServo(joint) != RightLeg)
            QCOMPARE(d.solved[joint - 2], angles[joint - 2]);
}

// The standing foot is the left-foot tree's root: it stays on the floor and
// the body moves the other way, keeping its lean; the view then moves the
// robot by delta, so the foot lands where it was dragged and the body stays.
void TestFootIk::dragStandingFoot()
{
    double angles[17] = {};
    const Vec3 delta{0.03, 0.02, 0.04};
    const Dragged d(LeftLeg, angles, delta);
    QVERIFY(d.standing);
    QCOMPARE(int(d.solution.outcome), int(Solution::Solved));
    const Frame hip0 = hipFrame(robot3d::LeftFootTree, LeftLeg, d.before);
    const Frame hip1 = hipFrame(robot3d::LeftFootTree, LeftLeg, d.after);
    QVERIFY(distance(hip1.p + delta, hip0.p) < 1e-9);
    for (int axis = 0; axis < 3; ++axis)
        QVERIFY(distance(hip1.axis(axis), hip0.axis(axis)) < 1e-9);
    QVERIFY(distance(ankleFrame(robot3d::LeftFootTree, LeftLeg, d.after).p,
                     ankleFrame(robot3d::LeftFootTree, LeftLeg, d.before).p) < 1e-12);
}

QTEST_GUILESS_MAIN(TestFootIk)
#include "tst_footik.moc"
