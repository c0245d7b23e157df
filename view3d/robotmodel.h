#pragma once
// The robot model as tables: its 18 parts with their meshes and identification
// colours, the three node trees (one per support mode), which node each joint
// turns in which tree, and the pick-colour lookup. No GL here.

#include <QString>
#include <QVector>
#include <QVector3D>

namespace robot3d {

// Parts in servo order 2 to 18, then the body: part = joint - 2.
enum Part {
    Head,
    LeftHand1, LeftHand2, LeftHand3,
    LeftLeg1, LeftLeg2, LeftLeg3, LeftLeg4, LeftLeg5,
    RightHand1, RightHand2, RightHand3,
    RightLeg1, RightLeg2, RightLeg3, RightLeg4, RightLeg5,
    Body,
    PartCount
};
constexpr int kJointCount = 17;   // joints 2 to 18
constexpr int kFirstJoint = 2;
constexpr int kLastJoint = 18;

// Support modes, which are also the tree numbers.
enum Tree { LeftFootTree = 0, RightFootTree = 1, BodyCentreTree = 2, TreeCount };

// Every part mesh is loaded with this scale.
constexpr float kPartScale = 0.005f;

// Resource path of a part's STL mesh.
QString stlResource(int part);

// Background pictures by choice 1 to 5; any other choice gives the first.
QString backgroundResource(int choice);
QString floorResource();

// Identification colour of a part in 1/255 units; red is kBaseRed, or
// kHighlightRed for the selected joint's part.
struct Rgb {
    int r, g, b;
};
constexpr int kBaseRed = 76;
constexpr int kHighlightRed = 176;
Rgb identificationColour(int part);

// Joint (2 to 18) whose part has this identification colour, or 0 for the
// body, the floor, the background and anything else.
int jointOfPickColour(int r, int g, int b);

// One node of a tree: its part, its parent's part (-1 for the root), its
// translation in the parent's frame and the geometry offset in mesh units.
struct NodePlace {
    int part;
    int parent;
    QVector3D translation;
    QVector3D offset;
};
// The nodes of a tree with parents before children, in drawing order. The
// first one hangs under the root and carries kFirstNodeRotation.
const QVector<NodePlace> &treeNodes(int tree);
const QVector3D kFirstNodeRotation(0, 90, 90);

// The rotation a joint angle drives: the node of `part` in that tree, about
// axis 0 (x), 1 (y) or 2 (z), by sign x the angle.
struct Drive {
    int part;
    int axis;
    int sign;
};
Drive jointDrive(int tree, int joint);

// Sign of the angle change a drag on the model makes on a joint (2 to 18; 0
// for any other): angle += sign x (dy - dx) x 10. The same in every support
// mode: the drive tables turn the part on the body side of a supporting leg's
// joint the other way round, so a given angle change bends the joint the same
// way on screen whichever side of it stays put.
int dragSign(int joint);

} // namespace robot3d
