#include "view3d/robotmodel.h"

namespace robot3d {

namespace {

const char *const kStlNames[PartCount] = {
    "head",
    "hand-l-1", "hand-l-2", "hand-l-3",
    "leg-l-1", "leg-l-2", "leg-l-3", "leg-l-4", "leg-l-5",
    "hand-r-1", "hand-r-2", "hand-r-3",
    "leg-r-1", "leg-r-2", "leg-r-3", "leg-r-4", "leg-r-5",
    "body",
};

// Green and blue of each part's identification colour.
const int kColour[PartCount][2] = {
    {76, 76},
    {76, 77}, {76, 78}, {76, 79},
    {77, 76}, {77, 77}, {77, 78}, {77, 79}, {78, 76},
    {78, 77}, {78, 78}, {78, 79},
    {79, 76}, {79, 77}, {79, 78}, {79, 79}, {75, 76},
    {75, 77},
};

using V = QVector3D;

// The arms and the head hang from the body the same way in every tree, apart
// from the side of the body node (the left hip in the left-foot tree, the
// right hip otherwise).
void addUpperBody(QVector<NodePlace> &t, float side)
{
    t.append({Head, Body, V(0.01f, side * 0.14875f, 0), V(0, 0, 0)});
    t.append({LeftHand1, Body, V(-0.347f, side * 0.14875f, 0), V(69.4f, 0, 0)});
    t.append({LeftHand2, LeftHand1, V(0, -0.382f, 0), V(69.4f, 76.4f, 0)});
    t.append({LeftHand3, LeftHand2, V(0.24f, 0, 0), V(23.5f, 76.4f, 0)});
    t.append({RightHand1, Body, V(-0.347f, side * 0.14875f, 0), V(69.4f, 0, 0)});
    t.append({RightHand2, RightHand1, V(0, 0.382f, 0), V(69.4f, -76.4f, 0)});
    t.append({RightHand3, RightHand2, V(0.24f, 0, 0), V(23.5f, -76.4f, 0)});
}

QVector<NodePlace> leftFootTree()
{
    QVector<NodePlace> t;
    t.append({LeftLeg5, -1, V(0, 0, 0.975f), V(0, 0, 0)});
    t.append({LeftLeg4, LeftLeg5, V(0.8f, -0.15f, 0), V(-160, 30, 0)});
    t.append({LeftLeg3, LeftLeg4, V(-0.175f, 0.15f, 0), V(-125, 0, 0)});
    t.append({LeftLeg2, LeftLeg3, V(-0.22f, 0, 0), V(-79, 0, 0)});
    t.append({LeftLeg1, LeftLeg2, V(-0.22f, 0, 0), V(-34, 0, 0)});
    t.append({Body, LeftLeg1, V(-0.181f, -0.14875f, 0), V(2.1f, 29.75f, 0)});
    t.append({RightLeg1, Body, V(0, 0.2975f, 0), V(2.1f, -29.75f, 0)});
    t.append({RightLeg2, RightLeg1, V(0.178f, -0.14875f, 0), V(-34, 0, 0)});
    t.append({RightLeg3, RightLeg2, V(0.215f, 0, 0), V(-79, 0, 0)});
    t.append({RightLeg4, RightLeg3, V(0.228f, 0, 0), V(-125, 0, 0)});
    t.append({RightLeg5, RightLeg4, V(0.175f, 0.15f, 0), V(-160, -30, 0)});
    addUpperBody(t, 1);
    return t;
}

QVector<NodePlace> rightFootTree()
{
    QVector<NodePlace> t;
    t.append({RightLeg5, -1, V(0, 0, 0.975f), V(0, 0, 0)});
    t.append({RightLeg4, RightLeg5, V(0.8f, 0.15f, 0), V(-160, -30, 0)});
    t.append({RightLeg3, RightLeg4, V(-0.175f, -0.15f, 0), V(-125, 0, 0)});
    t.append({RightLeg2, RightLeg3, V(-0.23f, 0, 0), V(-79, 0, 0)});
    t.append({RightLeg1, RightLeg2, V(-0.22f, 0, 0), V(-34, 0, 0)});
    t.append({Body, RightLeg1, V(-0.181f, 0.14875f, 0), V(2.1f, -29.75f, 0)});
    t.append({LeftLeg1, Body, V(0, -0.2975f, 0), V(2.1f, 29.75f, 0)});
    t.append({LeftLeg2, LeftLeg1, V(0.178f, 0.14875f, 0), V(-34, 0, 0)});
    t.append({LeftLeg3, LeftLeg2, V(0.225f, 0, 0), V(-79, 0, 0)});
    t.append({LeftLeg4, LeftLeg3, V(0.225f, 0, 0), V(-125, 0, 0)});
    t.append({LeftLeg5, LeftLeg4, V(0.175f, -0.15f, 0), V(-160, 30, 0)});
    addUpperBody(t, -1);
    return t;
}

QVector<NodePlace> bodyCentreTree()
{
    QVector<NodePlace> t;
    t.append({Body, -1, V(-0.15f, 0, 0.95f), V(2.1f, -29.75f, 0)});
    t.append({LeftLeg1, Body, V(0, -0.2975f, 0), V(2.1f, 29.75f, 0)});
    t.append({LeftLeg2, LeftLeg1, V(0.178f, 0.14875f, 0), V(-34, 0, 0)});
    t.append({LeftLeg3, LeftLeg2, V(0.225f, 0, 0), V(-79, 0, 0)});
    t.append({LeftLeg4, LeftLeg3, V(0.225f, 0, 0), V(-125, 0, 0)});
    t.append({LeftLeg5, LeftLeg4, V(0.175f, -0.15f, 0), V(-160, 30, 0)});
    t.append({RightLeg1, Body, V(0, 0, 0), V(2.1f, -29.75f, 0)});
    t.append({RightLeg2, RightLeg1, V(0.178f, -0.14875f, 0), V(-34, 0, 0)});
    t.append({RightLeg3, RightLeg2, V(0.215f, 0, 0), V(-79, 0, 0)});
    t.append({RightLeg4, RightLeg3, V(0.228f, 0, 0), V(-125, 0, 0)});
    t.append({RightLeg5, RightLeg4, V(0.175f, 0.15f, 0), V(-160, -30, 0)});
    addUpperBody(t, -1);
    return t;
}

// Body-centre drive: each joint turns its own part. Axis 0 x, 1 y, 2 z.
const Drive kOwnDrive[kJointCount] = {
    {Head, 0, -1},
    {LeftHand1, 1, -1}, {LeftHand2, 2, +1}, {LeftHand3, 2, +1},
    {LeftLeg1, 2, +1}, {LeftLeg2, 1, -1}, {LeftLeg3, 1, +1}, {LeftLeg4, 1, +1}, {LeftLeg5, 2, -1},
    {RightHand1, 1, +1}, {RightHand2, 2, +1}, {RightHand3, 2, +1},
    {RightLeg1, 2, +1}, {RightLeg2, 1, +1}, {RightLeg3, 1, -1}, {RightLeg4, 1, -1}, {RightLeg5, 2, -1},
};

// Drag sign per joint 2..18.
const int kDragSign[kJointCount] = {
    -1,                 // head
    +1, +1, +1,         // left hand 1-3
    +1, -1, +1, +1,     // left leg 1-4
    +1,                 // left leg 5
    -1, -1, -1,         // right hand 1-3
    -1, -1, +1, +1,     // right leg 1-4
    +1,                 // right leg 5
};

} // namespace

int dragSign(int joint)
{
    if (joint < kFirstJoint || joint > kLastJoint)
        return 0;
    return kDragSign[joint - kFirstJoint];
}

QString stlResource(int part)
{
    if (part < 0 || part >= PartCount)
        return QString();
    return QStringLiteral(":/models/models/") + QLatin1String(kStlNames[part]) + QStringLiteral(".stl");
}

QString backgroundResource(int choice)
{
    static const char *const names[] = {"background_pop", "background_sun", "background_mountains",
                                        "background_moon", "background_afternoon"};
    const int i = (choice >= 1 && choice <= 5) ? choice - 1 : 0;
    return QStringLiteral(":/textures/textures/") + QLatin1String(names[i]) + QStringLiteral(".jpg");
}

QString floorResource()
{
    return QStringLiteral(":/textures/textures/floor.jpg");
}

Rgb identificationColour(int part)
{
    if (part < 0 || part >= PartCount)
        return {0, 0, 0};
    return {kBaseRed, kColour[part][0], kColour[part][1]};
}

int jointOfPickColour(int r, int g, int b)
{
    // Only a part's own red counts, so a background or floor pixel whose green
    // and blue happen to fall in the table cannot pick a joint.
    if (r != kBaseRed && r != kHighlightRed)
        return 0;
    for (int part = 0; part < Body; ++part)
        if (kColour[part][0] == g && kColour[part][1] == b)
            return part + kFirstJoint;
    return 0;
}

const QVector<NodePlace> &treeNodes(int tree)
{
    static const QVector<NodePlace> trees[TreeCount] = {leftFootTree(), rightFootTree(), bodyCentreTree()};
    return trees[(tree >= 0 && tree < TreeCount) ? tree : 0];
}

Drive jointDrive(int tree, int joint)
{
    if (joint < kFirstJoint || joint > kLastJoint)
        return {-1, 0, 0};
    Drive d = kOwnDrive[joint - kFirstJoint];
    // With a foot on the ground, that leg's joints turn the part on the body
    // side of the joint instead, the other way round.
    auto bodySide = [&](int firstJoint, int legPart1) {
        if (joint < firstJoint || joint > firstJoint + 4)
            return;
        d.part = joint == firstJoint ? int(Body) : legPart1 + (joint - firstJoint - 1);
        d.sign = -d.sign;
    };
    if (tree == LeftFootTree)
        bodySide(6, LeftLeg1);
    else if (tree == RightFootTree)
        bodySide(14, RightLeg1);
    return d;
}

} // namespace robot3d
