// Will it stand? The parts' volumes and masses, the mass file, the centre of
// mass and the support polygon of hand-made poses, with the program's own
// meshes; the hull and distance arithmetic on made-up shapes.

#include <QtTest>

#include <cmath>

#include "view3d/balance.h"
#include "view3d/bodymass.h"

using namespace balance;
using namespace robot3d;

namespace {

const bodymass::Body &body()
{
    return bodymass::builtInBody();
}

Checker defaultChecker()
{
    return Checker(body(), bodymass::shareByVolume(body()));
}

// A pose from (servo, degrees) pairs, every other joint at 0.
struct Pose {
    float angles[kJointCount] = {};
    Pose(std::initializer_list<std::pair<int, float>> joints = {})
    {
        for (const auto &j : joints)
            angles[j.first - kFirstJoint] = j.second;
    }
};

} // namespace

class TestBalance : public QObject
{
    Q_OBJECT

private slots:
    // ------------------------------------------------------------ masses

    void theMeshesAreClosedAndMirrored()
    {
        for (int part = 0; part < PartCount; ++part)
            QVERIFY2(body().parts[size_t(part)].volume > 1000, qPrintable(bodymass::partName(part)));
        // Left and right parts are mirror images: the same volume, centres
        // mirrored across the middle plane (mesh y).
        for (int left : {LeftHand1, LeftHand2, LeftHand3, LeftLeg1, LeftLeg2, LeftLeg3, LeftLeg4, LeftLeg5}) {
            const int right = left + (RightHand1 - LeftHand1);
            const bodymass::Shape &l = body().parts[size_t(left)], &r = body().parts[size_t(right)];
            QVERIFY(qAbs(l.volume - r.volume) < 1e-6 * l.volume);
            QVERIFY(qAbs(l.centre.y() + r.centre.y()) < 1e-3f);
        }
        // Only the feet keep their corners (the soles are chosen from them).
        QVERIFY(body().parts[LeftLeg5].corners.size() > 100);
        QCOMPARE(body().parts[RightLeg5].corners.size(), body().parts[LeftLeg5].corners.size());
        QVERIFY(body().parts[Head].corners.isEmpty());
    }

    void aBoxHasItsVolumeAndCentreWhateverTheOrigin()
    {
        // A 2 x 3 x 4 box from (10, 20, 30), faces counter-clockwise from outside.
        const QVector3D o(10, 20, 30), d(2, 3, 4);
        auto c = [&](int x, int y, int z) { return QVector4D(o + QVector3D(x * d.x(), y * d.y(), z * d.z()), 1); };
        QVector<QVector4D> f;
        auto quad = [&](QVector4D a, QVector4D b, QVector4D e, QVector4D g) { f << a << b << e << a << e << g; };
        quad(c(0, 0, 0), c(0, 1, 0), c(1, 1, 0), c(1, 0, 0));   // z = 0, facing -z
        quad(c(0, 0, 1), c(1, 0, 1), c(1, 1, 1), c(0, 1, 1));   // z = 1
        quad(c(0, 0, 0), c(1, 0, 0), c(1, 0, 1), c(0, 0, 1));   // y = 0
        quad(c(0, 1, 0), c(0, 1, 1), c(1, 1, 1), c(1, 1, 0));   // y = 1
        quad(c(0, 0, 0), c(0, 0, 1), c(0, 1, 1), c(0, 1, 0));   // x = 0
        quad(c(1, 0, 0), c(1, 1, 0), c(1, 1, 1), c(1, 0, 1));   // x = 1
        const bodymass::Shape box = bodymass::shapeOf(f, true);
        QVERIFY(qAbs(box.volume - 24.0) < 1e-9);
        QVERIFY((box.centre - QVector3D(11, 21.5f, 32)).length() < 1e-4f);
        QCOMPARE(box.corners.size(), 8);
    }

    void theDefaultSharesTheTotalByVolume()
    {
        const bodymass::Masses m = bodymass::shareByVolume(body());
        QVERIFY(qAbs(bodymass::total(m) - 1500.0) < 1e-6);
        // The body is the biggest part, and heavier than the head by its volume.
        const double ratio = body().parts[Body].volume / body().parts[Head].volume;
        QVERIFY(qAbs(m[Body] / m[Head] - ratio) < 1e-9);
        const bodymass::Masses other = bodymass::shareByVolume(body(), 900);
        QVERIFY(qAbs(other[LeftLeg5] - m[LeftLeg5] * 0.6) < 1e-9);
    }

    void theMassFileGoesRoundAndRefusesWhatIsNotAMass_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("badLine");
        QTest::addColumn<double>("head");
        QTest::addColumn<double>("body");
        QTest::newRow("one part, the rest default") << QByteArray("head=100.5;\r\n") << true << -1 << 100.5 << -1.0;
        QTest::newRow("blanks and empty lines") << QByteArray("\n  body = 600 ;  \r\n\r\n") << true << -1 << -1.0 << 600.0;
        QTest::newRow("an unknown part") << QByteArray("head=1;\r\ntail=3;\r\n") << false << 2 << -1.0 << -1.0;
        QTest::newRow("no semicolon") << QByteArray("head=100\r\n") << false << 1 << -1.0 << -1.0;
        QTest::newRow("not a number") << QByteArray("body=heavy;\r\n") << false << 1 << -1.0 << -1.0;
        QTest::newRow("negative") << QByteArray("body=-1;\r\n") << false << 1 << -1.0 << -1.0;
        QTest::newRow("not finite") << QByteArray("body=inf;\r\n") << false << 1 << -1.0 << -1.0;
        QTest::newRow("a part of no mass") << QByteArray("hand-l-3=0;\r\n") << true << -1 << -1.0 << -1.0;
    }

    void theMassFileGoesRoundAndRefusesWhatIsNotAMass()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, ok);
        QFETCH(int, badLine);
        QFETCH(double, head);
        QFETCH(double, body);
        const bodymass::Masses defaults = bodymass::shareByVolume(::body());
        bodymass::Masses read{};
        int line = -1;
        QCOMPARE(bodymass::fromText(text, defaults, read, &line), ok);
        QCOMPARE(line, badLine);
        QCOMPARE(read[Head], head >= 0 ? head : defaults[Head]);
        QCOMPARE(read[Body], body >= 0 ? body : defaults[Body]);
    }

    void massesThatAddUpToNothingAreRefused()
    {
        QByteArray text;
        for (int part = 0; part < PartCount; ++part)
            text += bodymass::partName(part).toLatin1() + "=0;\n";
        const bodymass::Masses defaults = bodymass::shareByVolume(body());
        bodymass::Masses read{};
        int line = -1;
        QVERIFY(!bodymass::fromText(text, defaults, read, &line));
        QCOMPARE(line, 0);
        QCOMPARE(read, defaults);
    }

    void theWrittenFileReadsBackToTheTenthOfAGram()
    {
        bodymass::Masses m = bodymass::shareByVolume(body());
        m[Head] = 123.44;
        const QByteArray text = bodymass::toText(m);
        QVERIFY(text.startsWith("head=123.4;\r\nhand-l-1="));
        QVERIFY(text.endsWith("body=" + QByteArray::number(m[Body], 'f', 1) + ";\r\n"));
        QCOMPARE(text.count("\r\n"), int(PartCount));
        bodymass::Masses back{};
        QVERIFY(bodymass::fromText(text, {}, back, nullptr));
        for (int part = 0; part < PartCount; ++part)
            QVERIFY(qAbs(back[size_t(part)] - m[size_t(part)]) <= 0.05 + 1e-9);
        QCOMPARE(bodymass::massFilePath(QStringLiteral("/w")), QStringLiteral("/w/.robot/masses"));
    }

    // ------------------------------------------------------------ hull and distance

    void theHullDropsInnerRepeatedAndCollinearPoints()
    {
        const QVector<QPointF> hull = convexHull({{0, 0}, {2, 0}, {1, 0}, {2, 2}, {0, 2}, {1, 1}, {2, 2}, {0, 1}});
        QCOMPARE(hull.size(), 4);
        for (const QPointF &corner : {QPointF(0, 0), QPointF(2, 0), QPointF(2, 2), QPointF(0, 2)})
            QVERIFY(hull.contains(corner));
        QCOMPARE(convexHull({{1, 1}, {1, 1}}).size(), 1);
        QCOMPARE(convexHull({{0, 0}, {1, 1}, {2, 2}}).size(), 2);
    }

    void theMarginIsPositiveInsideAndNegativeOutside_data()
    {
        QTest::addColumn<QVector<QPointF>>("polygon");
        QTest::addColumn<QPointF>("p");
        QTest::addColumn<double>("expected");
        const QVector<QPointF> square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
        QVector<QPointF> clockwise = square;
        std::reverse(clockwise.begin(), clockwise.end());
        QTest::newRow("centre") << square << QPointF(5, 5) << 5.0;
        QTest::newRow("near an edge") << square << QPointF(2, 5) << 2.0;
        QTest::newRow("clockwise") << clockwise << QPointF(2, 5) << 2.0;
        QTest::newRow("on the edge") << square << QPointF(10, 5) << 0.0;
        QTest::newRow("beside an edge") << square << QPointF(13, 5) << -3.0;
        QTest::newRow("beyond a corner") << square << QPointF(13, 14) << -5.0;
        QTest::newRow("a segment has no inside") << QVector<QPointF>{{0, 0}, {10, 0}} << QPointF(5, 0) << 0.0;
        QTest::newRow("beside a segment") << QVector<QPointF>{{0, 0}, {10, 0}} << QPointF(5, 2) << -2.0;
        QTest::newRow("a point") << QVector<QPointF>{{1, 1}} << QPointF(4, 5) << -5.0;
    }

    void theMarginIsPositiveInsideAndNegativeOutside()
    {
        QFETCH(QVector<QPointF>, polygon);
        QFETCH(QPointF, p);
        QFETCH(double, expected);
        QVERIFY(qAbs(signedDistance(polygon, p) - expected) < 1e-12);
        QVERIFY(std::isinf(signedDistance({}, p)) && signedDistance({}, p) < 0);
    }

    void levelsFollowTheMargin()
    {
        QCOMPARE(levelOf(-0.01), Tips);
        QCOMPARE(levelOf(0), Warning);
        QCOMPARE(levelOf(kWarningMargin - 0.01), Warning);
        QCOMPARE(levelOf(kWarningMargin), Stands);
        QCOMPARE(levelOf(std::nan("")), Tips);
    }

    // ------------------------------------------------------------ poses

    // All joints at 0, masses shared by volume: where the parts were modelled
    // the centre of mass stands 205.2 mm above the soles; inside the polygon
    // of both feet by 24.1, outside the left foot's by 12.8 and the right
    // foot's by 12.9, in every tree.
    void theZeroPoseStandsOnBothFeet()
    {
        const bodymass::Masses masses = bodymass::shareByVolume(body());
        float sole = -1e9f;
        for (const QVector3D &corner : body().parts[LeftLeg5].corners)
            sole = std::max(sole, corner.x());   // mesh x points down
        QCOMPARE(sole, 195.0f);
        QVERIFY(qAbs(sole - bodymass::modelledCentre(body(), masses).x() - 205.2) <= 0.05);

        const Checker checker(body(), masses);
        const Pose zero;
        // The trees place the parts a little lower than modelled (their leg
        // lengths differ from the mesh pivots): the left-foot tree's hips sit
        // 2.9 mm low, so there the centre is 2.1 mm lower.
        const double heights[TreeCount] = {203.16, 204.77, 204.37};
        for (int tree = 0; tree < TreeCount; ++tree) {
            QVERIFY(qAbs(checker.check(tree, zero.angles).height - heights[tree]) < 0.01);
            QVERIFY(qAbs(checker.checkOn(tree, zero.angles, BothFeet).margin - 24.1) <= 0.05);
            QVERIFY(qAbs(checker.checkOn(tree, zero.angles, LeftFoot).margin + 12.8) <= 0.05);
            QVERIFY(qAbs(checker.checkOn(tree, zero.angles, RightFoot).margin + 12.9) <= 0.05);
        }
        // Standing on a foot, both soles are on the floor; the body-centre
        // tree's right leg is 1.4 mm shorter, so there only the left foot is.
        QCOMPARE(checker.check(LeftFootTree, zero.angles).feet, BothFeet);
        QCOMPARE(checker.check(RightFootTree, zero.angles).feet, BothFeet);
        const Result centre = checker.check(BodyCentreTree, zero.angles);
        QCOMPARE(centre.feet, LeftFoot);
        QVERIFY(qAbs(centre.soleGap - 1.4) < 0.01);
        QCOMPARE(levelOf(centre.margin), Tips);
        // The sole of both feet: 102.5 mm wide, 65.2 mm long.
        const Result both = checker.check(LeftFootTree, zero.angles);
        QCOMPARE(both.polygon.size(), 10);
        QVERIFY(qAbs(both.floorHeight) < 1e-3);
    }

    void aLiftedLegTipsUntilTheBodyLeansOverTheStandingFoot()
    {
        const Checker checker = defaultChecker();
        // The right hip swings the right leg forward: its foot leaves the floor.
        const Result lifted = checker.check(LeftFootTree, Pose({{15, 20}}).angles);
        QCOMPARE(lifted.feet, LeftFoot);
        QVERIFY(lifted.soleGap > kLevelTolerance);
        QVERIFY(qAbs(lifted.margin + 12.83) < 0.01);
        // The left ankle rolls the robot over the left foot.
        const Result halfway = checker.check(LeftFootTree, Pose({{15, 20}, {10, 4}}).angles);
        QCOMPARE(halfway.feet, LeftFoot);
        QVERIFY(qAbs(halfway.margin + 0.86) < 0.01);
        const Result over = checker.check(LeftFootTree, Pose({{15, 20}, {10, 12}}).angles);
        QCOMPARE(over.feet, LeftFoot);
        QVERIFY(qAbs(over.margin - 15.03) < 0.01);
        QCOMPARE(levelOf(over.margin), Stands);
    }

    void leaningForwardAndBackOnOneFoot()
    {
        const Checker checker = defaultChecker();
        // Leaning forward the centre comes near the toes, back it passes the heel.
        const Result forward = checker.check(LeftFootTree, Pose({{15, 20}, {10, 12}, {9, 15}}).angles);
        QVERIFY(qAbs(forward.margin - 1.01) < 0.01);
        QCOMPARE(levelOf(forward.margin), Warning);
        const Result back = checker.check(LeftFootTree, Pose({{15, 20}, {10, 12}, {9, -15}}).angles);
        QVERIFY(qAbs(back.margin + 7.21) < 0.01);
        QCOMPARE(levelOf(back.margin), Tips);
        QVERIFY(forward.centreOnFloor.y() > 40 && back.centreOnFloor.y() < -30);
    }

    void aTiltedFootStandsOnItsEdge()
    {
        // The right ankle rolls: the right foot reaches below the left one and
        // only its edge (within 1 mm of its lowest corner) touches the floor.
        const Checker checker = defaultChecker();
        const Result r = checker.check(LeftFootTree, Pose({{18, 20}}).angles);
        QCOMPARE(r.feet, RightFoot);
        double minX = 1e9, maxX = -1e9;
        for (const QPointF &p : r.polygon) {
            minX = std::min(minX, p.x());
            maxX = std::max(maxX, p.x());
        }
        // The sole is 38.5 mm wide flat; tilted, a strip along its bevelled edge.
        QVERIFY2(maxX - minX > 1 && maxX - minX < 6.5, qPrintable(QString::number(maxX - minX)));
        QVERIFY(r.margin < 0);
    }

    void soleGapsWithinTheToleranceStandOnBothFeet()
    {
        const Checker checker = defaultChecker();
        // The right hip swings the right leg: its heel dips first, then the
        // foot rises. A gap of more than 1 mm leaves the robot on one foot.
        int seen[3] = {};
        for (int tenths = -300; tenths <= 300; tenths += 2) {
            const Result r = checker.check(LeftFootTree, Pose({{15, tenths / 10.0f}}).angles);
            const Feet expected = std::abs(r.soleGap) <= kLevelTolerance ? BothFeet
                                  : r.soleGap > 0                          ? LeftFoot
                                                                           : RightFoot;
            QCOMPARE(r.feet, expected);
            ++seen[expected];
        }
        QVERIFY(seen[BothFeet] > 0 && seen[LeftFoot] > 0 && seen[RightFoot] > 0);
    }

    void framesInTenthsAreTheirDegrees()
    {
        const Checker checker = defaultChecker();
        int tenths[kJointCount] = {};
        tenths[15 - kFirstJoint] = 200;
        tenths[10 - kFirstJoint] = 120;
        QCOMPARE(checker.checkTenths(LeftFootTree, tenths).margin,
                 checker.check(LeftFootTree, Pose({{15, 20}, {10, 12}}).angles).margin);
    }

    void heavierPartsMoveTheCentre()
    {
        bodymass::Masses m = bodymass::shareByVolume(body());
        const Pose zero;
        const double before = Checker(body(), m).check(LeftFootTree, zero.angles).height;
        m[Head] += 300;
        QVERIFY(Checker(body(), m).check(LeftFootTree, zero.angles).height > before + 15);
    }
};

QTEST_GUILESS_MAIN(TestBalance)
#include "tst_balance.moc"
