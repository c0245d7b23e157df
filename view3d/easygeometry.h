#pragma once
// Triangle data of one drawable shape on the graphics card: positions, flat
// normals, indices and (for the square) texture coordinates in buffers inside
// a vertex array object, drawn with one indexed call. GUI thread only, with
// the view's GL context current.

#include <QOpenGLBuffer>
#include <QString>
#include <QVector3D>

#include "view3d/stlparse.h"

class QOpenGLVertexArrayObject;

class EasyGeometry
{
public:
    EasyGeometry();
    // The unit square of the background and the floor.
    struct Square {};
    explicit EasyGeometry(Square);
    ~EasyGeometry();
    EasyGeometry(const EasyGeometry &) = delete;
    EasyGeometry &operator=(const EasyGeometry &) = delete;

    // Reads a binary STL file (resource or file path). A scale > 0 is kept,
    // otherwise the shape is scaled to a unit diagonal. A file that cannot be
    // read or has the wrong size leaves the shape empty ("Bad STL File").
    void loadSTL(const QString &path, float scale);

    void createVBOs();
    void destroyVBOs();
    void bind();
    void release();
    void draw();

    bool hasBuffers() const { return vao != nullptr; }
    QOpenGLBuffer *positionBuffer() { return positions.isCreated() ? &positions : nullptr; }
    QOpenGLBuffer *normalBuffer() { return normals.isCreated() ? &normals : nullptr; }
    QOpenGLBuffer *texCoordBuffer() { return texCoords.isCreated() ? &texCoords : nullptr; }

    QVector3D offset() const { return offset_; }
    void setOffset(const QVector3D &offset) { offset_ = offset; }
    double scale() const { return scale_; }
    void setScale(double scale) { scale_ = scale; }
    quint32 faceCount() const { return faces; }
    // Vertices uploaded: the distinct corners after sharing (at most 3 x faces).
    quint32 vertexCount() const { return vertices; }
    // Box of the loaded positions as the loader logged it (max never below 0).
    QVector3D boundsMin() const { return min_; }
    QVector3D boundsMax() const { return max_; }
    // Mean of the loaded corners (a point inside a compact part).
    QVector3D centroid() const { return centroid_; }
    // A closed surface whose faces run counter-clockwise seen from outside
    // (the loaded parts): faces turned away from the viewer are hidden behind
    // its front, so they need not be drawn. The squares are seen from both sides.
    bool solid() const { return solid_; }

private:
    // Takes a read part's arrays (shared, not copied) and uploads them.
    void useLoaded(const stl::Arrays &arrays, const QVector3D &centroid);

    QOpenGLVertexArrayObject *vao = nullptr;
    QOpenGLBuffer positions{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer indices{QOpenGLBuffer::IndexBuffer};
    QOpenGLBuffer normals{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer texCoords{QOpenGLBuffer::VertexBuffer};
    QVector3D offset_{0, 0, 0};
    double scale_ = 1.0;
    stl::Arrays cpu;
    quint32 vertices = 0;
    quint32 faces = 0;
    QVector3D min_, max_, centroid_;
    bool solid_ = false;
};
