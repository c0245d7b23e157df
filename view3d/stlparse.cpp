#include "view3d/stlparse.h"

#include <QDataStream>
#include <QHash>
#include <QDebug>
#include <QIODevice>
#include <cmath>
#include <cstring>
#include <limits>

#include "view3d/view3dlog.h"

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
    qCDebug(lcView3dLoad) << " > Faces: " << faces;
    qCDebug(lcView3dLoad) << " > Vertices: " << vertices;
    // The size decides before anything is allocated, so a lying count cannot
    // ask for more memory than the file could fill.
    // (Arrays are indexed by int: a count past that range is refused too.)
    if (in.status() != QDataStream::Ok || size != qint64(84 + 50ull * faces)
        || vertices > quint64(std::numeric_limits<int>::max() / 4)) {
        qCDebug(lcView3dLoad) << "Bad STL File";
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
    qCDebug(lcView3dLoad) << " > Parse faces";
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
    qCDebug(lcView3dLoad) << " > Min: " << mn[0] << mn[1] << mn[2];
    qCDebug(lcView3dLoad) << " > Max: " << mx[0] << mx[1] << mx[2];

    qCDebug(lcView3dLoad) << " > Process indices";
    for (quint32 i = 0; i < a.vertexCount; ++i)
        a.indices[int(i)] = i;

    qCDebug(lcView3dLoad) << " > Compute Normals";
    for (quint32 f = 0; f < faces; ++f) {
        const int i = int(3 * f);
        const QVector3D n = faceNormal(a.positions[i].toVector3D(), a.positions[i + 1].toVector3D(),
                                       a.positions[i + 2].toVector3D());
        a.normals[i] = a.normals[i + 1] = a.normals[i + 2] = n;
    }
    qCDebug(lcView3dLoad) << " > Normalize normals";
    for (QVector3D &n : a.normals)
        n = n.normalized();

    out = std::move(a);
    return true;
}

namespace {

// A corner as raw bits: equal corners have equal keys (no tolerance, so only
// corners that are truly the same merge; -0 and +0 stay apart, harmlessly).
struct CornerKey {
    quint32 bits[6];
    bool operator==(const CornerKey &o) const { return std::equal(bits, bits + 6, o.bits); }
};

uint qHash(const CornerKey &k, uint seed = 0)
{
    return qHashBits(k.bits, sizeof k.bits, seed);
}

CornerKey keyOf(const QVector4D &p, const QVector3D &n)
{
    const float f[6] = {p.x(), p.y(), p.z(), n.x(), n.y(), n.z()};
    CornerKey k;
    std::memcpy(k.bits, f, sizeof f);
    return k;
}

} // namespace

quint32 shareVertices(Arrays &a)
{
    const int corners = a.indices.size();
    if (corners == 0 || a.positions.size() != a.normals.size())
        return a.vertexCount;
    QHash<CornerKey, quint32> seen;
    seen.reserve(a.positions.size());
    QVector<QVector4D> positions;
    QVector<QVector3D> normals;
    QVector<QVector2D> texCoords;
    const bool textured = a.texCoords.size() == a.positions.size();
    positions.reserve(a.positions.size());
    normals.reserve(a.normals.size());
    QVector<quint32> indices(corners);
    for (int i = 0; i < corners; ++i) {
        const quint32 old = a.indices[i];
        if (old >= quint32(a.positions.size()))
            return a.vertexCount;   // a broken index list is left as it is
        const CornerKey key = keyOf(a.positions[int(old)], a.normals[int(old)]);
        auto it = seen.constFind(key);
        if (it != seen.constEnd() && (!textured || texCoords[int(*it)] == a.texCoords[int(old)])) {
            indices[i] = *it;
            continue;
        }
        const quint32 index = quint32(positions.size());
        positions.append(a.positions[int(old)]);
        normals.append(a.normals[int(old)]);
        if (textured)
            texCoords.append(a.texCoords[int(old)]);
        if (it == seen.constEnd())
            seen.insert(key, index);
        indices[i] = index;
    }
    a.positions = std::move(positions);
    a.normals = std::move(normals);
    if (textured)
        a.texCoords = std::move(texCoords);
    a.indices = std::move(indices);
    a.vertexCount = quint32(a.positions.size());
    return a.vertexCount;
}

Arrays square()
{
    Arrays a;
    qCDebug(lcView3dLoad) << " > Generating square...";
    a.positions = {QVector4D(-1, -1, 0, 1), QVector4D(1, -1, 0, 1), QVector4D(1, 1, 0, 1), QVector4D(-1, 1, 0, 1)};
    a.indices = {0, 1, 2, 2, 3, 0};
    a.faceCount = 2;
    a.vertexCount = 4;
    a.normals.fill(QVector3D(0, 0, 0), 4);
    qCDebug(lcView3dLoad) << " > Compute Normals";
    for (int f = 0; f < 2; ++f) {
        const quint32 *idx = a.indices.constData() + 3 * f;
        const QVector3D n = faceNormal(a.positions[int(idx[0])].toVector3D(), a.positions[int(idx[1])].toVector3D(),
                                       a.positions[int(idx[2])].toVector3D());
        for (int k = 0; k < 3; ++k)
            a.normals[int(idx[k])] += n;
    }
    a.texCoords = {QVector2D(0, 1), QVector2D(1, 1), QVector2D(1, 0), QVector2D(0, 0)};
    qCDebug(lcView3dLoad) << " > Normalize normals";
    for (QVector3D &n : a.normals)
        n = n.normalized();
    a.min = QVector3D(-1, -1, 0);
    a.max = QVector3D(1, 1, 0);
    return a;
}

} // namespace stl
