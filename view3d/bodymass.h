#pragma once
// The robot's body as masses: each part's volume and centre (from its closed
// mesh, in mesh units, which are millimetres), the corners of the two feet
// (their soles decide where the robot stands), the masses of the parts in
// grams and the mass file under ".robot/" that keeps the user's values.
//
// Without a mass file every part weighs its share of the robot's total mass
// in proportion to its volume: an estimate (a servo weighs more than its
// plastic around it), which the user improves by weighing the robot and a
// servo and entering the parts' masses.

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QVector3D>
#include <QVector4D>

#include <array>

#include "view3d/robotmodel.h"

namespace bodymass {

// One part as modelled, in mesh units (millimetres) of the common frame.
struct Shape {
    double volume = 0;            // mm^3; a closed mesh whose faces run counter-clockwise seen from outside
    QVector3D centre;             // centre of the enclosed volume
    QVector<QVector3D> corners;   // distinct corners, kept for the feet only
};

struct Body {
    std::array<Shape, robot3d::PartCount> parts;
};

// Volume, centre and (when keepCorners) distinct corners of a closed mesh
// given as its corners, three per face (as the STL reader gives them).
Shape shapeOf(const QVector<QVector4D> &faceCorners, bool keepCorners);

// Reads the 18 part meshes from paths (in part order). False with the reason
// (naming the file) when one cannot be read.
bool loadBody(const QString (&paths)[robot3d::PartCount], Body &body, QString *error);

// The program's own meshes, read once from the built-in resources.
const Body &builtInBody();

// The default total mass: a humanoid of 17 servos of about 65 g each, with its
// frame, main board and battery.
constexpr double kDefaultTotalGrams = 1500;

using Masses = std::array<double, robot3d::PartCount>;

double total(const Masses &masses);

// total shared among the parts in proportion to their volumes.
Masses shareByVolume(const Body &body, double totalGrams = kDefaultTotalGrams);

// Centre of mass of the parts where they were modelled (all joints at 0, no
// tree's placement), in mesh units of the common frame.
QVector3D modelledCentre(const Body &body, const Masses &masses);

// The mass file of a working folder: "<folder>/.robot/masses".
QString massFilePath(const QString &folder);

// The file's text: one line per part in part order, "name=grams;" with the
// part's mesh name (head, hand-l-1, ... body) and the grams with one decimal,
// lines ending with CR LF.
QByteArray toText(const Masses &masses);

// Reads the file's text over defaults: a part the file does not name keeps
// its default. Lines are trimmed; empty lines are skipped. A line that is not
// "name=grams;" with a known name and a finite mass of 0 or more, or masses
// that add up to nothing, make the read fail with the line number in
// *badLine (0 for the sum); masses then holds the defaults.
bool fromText(const QByteArray &text, const Masses &defaults, Masses &masses, int *badLine);

// The mass file of a folder read over defaults. Missing: the defaults hold
// (nothing is wrong). A file that cannot be opened or is not a mass file
// leaves the defaults too, with its reason or line; it is not touched.
struct LoadResult {
    enum Outcome { Missing, Read, CannotOpen, NotMasses } outcome = Missing;
    int line = 0;      // NotMasses: the line (0: the masses add up to nothing)
    QString reason;    // CannotOpen: the system's text
};
LoadResult load(const QString &folder, const Masses &defaults, Masses &masses);

// Saves the masses as the folder's mass file (the ".robot" folder made when
// missing) through the safe save; false with the reason.
bool save(const QString &folder, const Masses &masses, QString *error);

// The mesh name of a part ("head", "leg-l-5", "body").
QString partName(int part);

} // namespace bodymass
