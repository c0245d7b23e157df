#include "view3d/bodymass.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QList>

#include <cmath>

#include "core/safefile.h"
#include "view3d/stlparse.h"

// The meshes live in a static library's resources: registered by hand.
static void registerModelResources()
{
    Q_INIT_RESOURCE(models);
}

// QHash of a QVector3D by its three floats' bits.
inline uint qHash(const QVector3D &v, uint seed = 0)
{
    return qHashBits(&v, sizeof v, seed);
}

namespace bodymass {

Shape shapeOf(const QVector<QVector4D> &faceCorners, bool keepCorners)
{
    // The enclosed volume as a sum of tetrahedra from the origin to each face
    // (signed, so the parts outside the surface cancel), its centre as their
    // volume-weighted centres. Sums in double: the parts' many small faces.
    Shape shape;
    double volume = 0, cx = 0, cy = 0, cz = 0;
    const int faces = faceCorners.size() / 3;
    for (int f = 0; f < faces; ++f) {
        const QVector4D &a = faceCorners[3 * f], &b = faceCorners[3 * f + 1], &c = faceCorners[3 * f + 2];
        const double ax = a.x(), ay = a.y(), az = a.z();
        const double bx = b.x(), by = b.y(), bz = b.z();
        const double qx = c.x(), qy = c.y(), qz = c.z();
        const double v = (ax * (by * qz - bz * qy) - ay * (bx * qz - bz * qx) + az * (bx * qy - by * qx)) / 6.0;
        volume += v;
        cx += v * (ax + bx + qx) / 4.0;
        cy += v * (ay + by + qy) / 4.0;
        cz += v * (az + bz + qz) / 4.0;
    }
    shape.volume = volume;
    if (volume != 0)
        shape.centre = QVector3D(float(cx / volume), float(cy / volume), float(cz / volume));
    if (keepCorners) {
        QHash<QVector3D, int> seen;
        for (const QVector4D &p : faceCorners) {
            const QVector3D corner = p.toVector3D();
            if (!seen.contains(corner)) {
                seen.insert(corner, 0);
                shape.corners.append(corner);
            }
        }
    }
    return shape;
}

bool loadBody(const QString (&paths)[robot3d::PartCount], Body &body, QString *error)
{
    for (int part = 0; part < robot3d::PartCount; ++part) {
        QFile file(paths[part]);
        stl::Arrays arrays;
        if (!file.open(QIODevice::ReadOnly) || !stl::parseBinary(file, 1.0f, arrays)) {
            if (error)
                *error = QStringLiteral("%1: not a readable binary STL file").arg(paths[part]);
            return false;
        }
        const bool foot = part == robot3d::LeftLeg5 || part == robot3d::RightLeg5;
        body.parts[size_t(part)] = shapeOf(arrays.positions, foot);
    }
    return true;
}

const Body &builtInBody()
{
    static const Body body = [] {
        registerModelResources();
        QString paths[robot3d::PartCount];
        for (int part = 0; part < robot3d::PartCount; ++part)
            paths[part] = robot3d::stlResource(part);
        Body b;
        loadBody(paths, b, nullptr);
        return b;
    }();
    return body;
}

double total(const Masses &masses)
{
    double sum = 0;
    for (double m : masses)
        sum += m;
    return sum;
}

Masses shareByVolume(const Body &body, double totalGrams)
{
    double volume = 0;
    for (const Shape &s : body.parts)
        volume += std::max(0.0, s.volume);
    Masses masses{};
    for (int part = 0; part < robot3d::PartCount; ++part)
        masses[size_t(part)] = volume > 0 ? totalGrams * std::max(0.0, body.parts[size_t(part)].volume) / volume
                                          : totalGrams / robot3d::PartCount;
    return masses;
}

QVector3D modelledCentre(const Body &body, const Masses &masses)
{
    double x = 0, y = 0, z = 0;
    const double sum = total(masses);
    for (int part = 0; part < robot3d::PartCount; ++part) {
        const QVector3D &c = body.parts[size_t(part)].centre;
        const double m = masses[size_t(part)];
        x += m * c.x();
        y += m * c.y();
        z += m * c.z();
    }
    if (!(sum > 0))
        return QVector3D();
    return QVector3D(float(x / sum), float(y / sum), float(z / sum));
}

QString massFilePath(const QString &folder)
{
    return folder + QStringLiteral("/.robot/masses");
}

QString partName(int part)
{
    return QFileInfo(robot3d::stlResource(part)).completeBaseName();
}

QByteArray toText(const Masses &masses)
{
    QByteArray text;
    for (int part = 0; part < robot3d::PartCount; ++part)
        text += partName(part).toLatin1() + '=' + QByteArray::number(masses[size_t(part)], 'f', 1) + ";\r\n";
    return text;
}

bool fromText(const QByteArray &text, const Masses &defaults, Masses &masses, int *badLine)
{
    Masses read = defaults;
    const QList<QByteArray> lines = text.split('\n');
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray line = lines[i].trimmed();
        if (line.isEmpty())
            continue;
        const int equals = line.indexOf('=');
        int part = -1;
        if (equals > 0 && line.endsWith(';')) {
            const QString name = QString::fromLatin1(line.left(equals).trimmed());
            for (int p = 0; p < robot3d::PartCount && part < 0; ++p)
                if (partName(p) == name)
                    part = p;
        }
        bool ok = false;
        const double grams = part >= 0 ? line.mid(equals + 1, line.size() - equals - 2).trimmed().toDouble(&ok) : 0;
        if (!ok || !std::isfinite(grams) || grams < 0) {
            masses = defaults;
            if (badLine)
                *badLine = i + 1;
            return false;
        }
        read[size_t(part)] = grams;
    }
    if (!(total(read) > 0)) {
        masses = defaults;
        if (badLine)
            *badLine = 0;
        return false;
    }
    masses = read;
    return true;
}

LoadResult load(const QString &folder, const Masses &defaults, Masses &masses)
{
    masses = defaults;
    LoadResult result;
    QFile file(massFilePath(folder));
    if (!file.exists())
        return result;
    if (!file.open(QIODevice::ReadOnly)) {
        result.outcome = LoadResult::CannotOpen;
        result.reason = file.errorString();
        return result;
    }
    if (!fromText(file.readAll(), defaults, masses, &result.line)) {
        result.outcome = LoadResult::NotMasses;
        return result;
    }
    result.outcome = LoadResult::Read;
    return result;
}

bool save(const QString &folder, const Masses &masses, QString *error)
{
    const QString robotFolder = folder + QStringLiteral("/.robot");
    if (!QDir().mkpath(robotFolder)) {
        if (error)
            *error = QCoreApplication::translate("BodyMass", "the folder %1 cannot be made").arg(robotFolder);
        return false;
    }
    return safefile::write(massFilePath(folder), toText(masses), error);
}

} // namespace bodymass
