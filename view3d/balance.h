#pragma once
// Will the robot stand in a pose? The centre of mass of the posed parts, the
// support polygon of the foot or feet on the floor and the signed distance
// between them, in one of the 3D view's three trees (the support mode).
//
// The parts are posed exactly as the 3D view draws them (the same node tables
// and matrices), with the first node of the tree at its start place; the
// floor is the tree's horizontal plane (its y axis points up). Lengths are in
// millimetres: mesh units are millimetres, and the view draws them at 0.005
// scene units each (a scene unit is 200 mm; the model stands 372 mm tall).
//
// The feet on the floor: the foot whose lowest corner is lower, or both when
// their lowest corners lie within kLevelTolerance of each other. A foot's sole
// is its corners within kSoleBand of its own lowest corner; the support
// polygon is the convex hull of the soles on the floor.

#include <QMatrix4x4>
#include <QPointF>
#include <QVector>
#include <QVector3D>

#include "view3d/bodymass.h"
#include "view3d/robotmodel.h"

namespace balance {

// Millimetres: a foot's sole reaches this far above its lowest corner.
constexpr double kSoleBand = 1.0;
// Millimetres: two soles this close in height both carry the robot.
constexpr double kLevelTolerance = 1.0;
// Millimetres: a frame whose centre of mass lies inside the polygon by less
// than this is marked as a warning (a small push or the servos' play tips it).
constexpr double kWarningMargin = 5.0;

enum Feet { BothFeet, LeftFoot, RightFoot };
enum Level { Stands, Warning, Tips };

struct Result {
    // Signed distance of the centre of mass, projected on the floor, to the
    // support polygon's edge: positive inside.
    double margin = 0;
    Feet feet = BothFeet;
    // Centre of mass in the tree's frame (mm, y up) and its height above the
    // lowest sole.
    QVector3D centreOfMass;
    double height = 0;
    // Height of the floor (the lowest sole corner) in the tree's frame, and
    // how much higher the right foot's lowest corner lies than the left's.
    double floorHeight = 0;
    double soleGap = 0;
    // Floor points as (x, z) of the tree's frame in mm: the polygon's corners
    // in order around it, and the projected centre of mass.
    QVector<QPointF> polygon;
    QPointF centreOnFloor;
};

Level levelOf(double margin);

// Convex hull of points (Andrew's monotone chain), without repeated or
// collinear points; fewer than three points for a point or a segment.
QVector<QPointF> convexHull(QVector<QPointF> points);

// Signed distance of p to a convex polygon's boundary (positive inside); a
// point or a segment has no inside. Any orientation; an empty polygon gives
// minus infinity.
double signedDistance(const QVector<QPointF> &polygon, const QPointF &p);

// The geometry matrix (scene units, applied to mesh units) of every part posed
// in a tree from 17 joint angles in degrees, as the 3D view computes it.
using PartMatrices = std::array<QMatrix4x4, robot3d::PartCount>;
void posedMatrices(int tree, const float *angles, PartMatrices &geometry);

class Checker
{
public:
    Checker(const bodymass::Body &body, const bodymass::Masses &masses);
    const bodymass::Masses &masses() const { return grams; }

    // The pose's balance in a tree (robot3d::Tree, the support mode) from the
    // 17 joint angles in degrees (servos 2 to 18).
    Result check(int tree, const float *angles) const;
    // The same from a frame's angles in tenths of a degree (servos 2 to 18).
    Result checkTenths(int tree, const int *tenths) const;
    // The pose against the polygon of the given feet, whichever is lower.
    Result checkOn(int tree, const float *angles, Feet feet) const;

private:
    Result evaluate(int tree, const float *angles, const Feet *chosen) const;

    std::array<QVector3D, robot3d::PartCount> centres;
    QVector<QVector3D> footCorners[2];
    bodymass::Masses grams;
    double totalGrams = 0;
};

} // namespace balance
