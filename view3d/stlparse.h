#pragma once
// Binary STL files read into plain arrays (no GL): one position, one flat normal
// and one index per corner, three corners per face, no corner shared.

#include <QVector>
#include <QVector2D>
#include <QVector3D>
#include <QVector4D>

class QIODevice;

namespace stl {

struct Arrays {
    QVector<QVector4D> positions;   // (x, y, z, 1), file order
    QVector<QVector3D> normals;     // one per vertex, flat per face
    QVector<QVector2D> texCoords;   // only filled by the square
    QVector<quint32> indices;       // 0 .. vertexCount - 1
    quint32 faceCount = 0;
    quint32 vertexCount = 0;
    QVector3D min;                  // running minimum, +inf when there are no faces
    QVector3D max;                  // running maximum, never below 0 on any axis
    double scale = 1.0;
};

// Reads a binary STL from the device's current position (at its start), logging
// each step. A scale > 0 is stored as is; otherwise the scale becomes 1 / the
// diagonal of the box from min to max. Returns false and logs "Bad STL File"
// when the device is not exactly 84 + 50 x F bytes long; `out` is then untouched.
bool parseBinary(QIODevice &device, float scale, Arrays &out);

// Shares the corners that have the same position and the same normal: each
// distinct corner is kept once (in order of first use) and the index list
// names it, so a mesh of flat faces sends each vertex to the GL once per
// face orientation instead of once per face corner. The faces, their order
// and what they draw stay the same. Returns the vertex count afterwards.
quint32 shareVertices(Arrays &arrays);

// Flat normal of a face from its three corners in winding order.
QVector3D faceNormal(const QVector3D &first, const QVector3D &second, const QVector3D &third);

// The unit square in the z = 0 plane (background and floor): four corners,
// two faces, normals (0, 0, 1), texture coordinates with the picture's top row at y = +1.
Arrays square();

} // namespace stl
