#include "view3d/stlparse.h"

#include <QDataStream>
#include <QDebug>
#include <QIODevice>
#include <cmath>
#include <limits>

namespace stl {

QVector3D faceNormal(const QVector3D &first, const QVector3D &second, const QVector3D &third)
{
    // A degenerate face gives (0, 0, 0) rather than NaN.
    return QVector3D::crossProduct(second - first, third - second).normalized();
}

bool parseBinary(QIODevice &device, float scale, Arrays &out)
{
    const qint64 size = device.size();
    device.read(80);
    QDataStream in(&device);
    in.setByteOrder(QDataStream::LittleEndian);
    in.setFloatingPointPrecision(QDataStream::SinglePrecision);

    quint32 faces = 0;
    in >> faces;
    const quint64 vertices = 3ull * faces;
    qDebug() << " > Faces: " << faces;
    qDebug() << " > Vertices: " << vertices;
    // The size decides before anything is allocated, so a lying count cannot
    // ask for more memory than the file could fill.
    // (Arrays are indexed by int: a count past that range is refused too.)
    if (in.status() != QDataStream::Ok || size != qint64(84 + 50ull * faces)
        || vertices > quint64(std::numeric_limits<int>::max() / 4)) {
        qDebug() << "Bad STL File";
        return false;
    }

    Arrays a;
    a.faceCount = faces;
    a.vertexCount = quint32(vertices);
    a.positions.resize(int(vertices));
    a.indices.resize(int(vertices));
    a.normals.fill(QVector3D(0, 0, 0), int(vertices));

    const float inf = std::numeric_limits<float>::infinity();
    float mn[3] = {inf, inf, inf};
    float mx[3] = {0, 0, 0};
    qDebug() << " > Parse faces";
    for (quint32 f = 0; f < faces; ++f) {
        in.skipRawData(12);
        for (int v = 0; v < 3; ++v) {
            float c[3];
            in >> c[0] >> c[1] >> c[2];
            for (int k = 0; k < 3; ++k) {
                mn[k] = std::min(mn[k], c[k]);
                mx[k] = std::max(mx[k], c[k]);
            }
            a.positions[int(3 * f + v)] = QVector4D(c[0], c[1], c[2], 1.0f);
        }
        in.skipRawData(2);
    }
    a.min = QVector3D(mn[0], mn[1], mn[2]);
    a.max = QVector3D(mx[0], mx[1], mx[2]);

    if (scale > 0) {
        a.scale = scale;
    } else {
        const double diagonal = double((a.max - a.min).length());
        // An empty or flat-to-a-point shape keeps scale 1 instead of infinity.
        a.scale = (std::isfinite(diagonal) && diagonal > 0) ? 1.0 / diagonal : 1.0;
    }
    qDebug() << " > Min: " << mn[0] << mn[1] << mn[2];
    qDebug() << " > Max: " << mx[0] << mx[1] << mx[2];

    qDebug() << " > Process indices";
    for (quint32 i = 0; i < a.vertexCount; ++i)
        a.indices[int(i)] = i;

    qDebug() << " > Compute Normals";
    for (quint32 f = 0; f < faces; ++f) {
        const int i = int(3 * f);
        const QVector3D n = faceNormal(a.positions[i].toVector3D(), a.positions[i + 1].toVector3D(),
                                       a.positions[i + 2].toVector3D());
        a.normals[i] = a.normals[i + 1] = a.normals[i + 2] = n;
    }
    qDebug() << " > Normalize normals";
    for (QVector3D &n : a.normals)
        n = n.normalized();

    out = std::move(a);
    return true;
}

Arrays square()
{
    Arrays a;
    qDebug() << " > Generating square...";
    a.positions = {QVector4D(-1, -1, 0, 1), QVector4D(1, -1, 0, 1), QVector4D(1, 1, 0, 1), QVector4D(-1, 1, 0, 1)};
    a.indices = {0, 1, 2, 2, 3, 0};
    a.faceCount = 2;
    a.vertexCount = 4;
    a.normals.fill(QVector3D(0, 0, 0), 4);
    qDebug() << " > Compute Normals";
    for (int f = 0; f < 2; ++f) {
        const quint32 *idx = a.indices.constData() + 3 * f;
        const QVector3D n = faceNormal(a.positions[int(idx[0])].toVector3D(), a.positions[int(idx[1])].toVector3D(),
                                       a.positions[int(idx[2])].toVector3D());
        for (int k = 0; k < 3; ++k)
            a.normals[int(idx[k])] += n;
    }
    a.texCoords = {QVector2D(0, 1), QVector2D(1, 1), QVector2D(1, 0), QVector2D(0, 0)};
    qDebug() << " > Normalize normals";
    for (QVector3D &n : a.normals)
        n = n.normalized();
    a.min = QVector3D(-1, -1, 0);
    a.max = QVector3D(1, 1, 0);
    return a;
}

} // namespace stl
