#include "view3d/easygeometry.h"

#include <QDebug>

#include "view3d/view3dlog.h"
#include <QFile>
#include <QHash>
#include <QPair>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLVertexArrayObject>

EasyGeometry::EasyGeometry()
{
    qCDebug(lcView3dLoad) << "EasyGeometry created";
}

EasyGeometry::EasyGeometry(Square) : EasyGeometry()
{
    cpu = stl::square();
    vertices = cpu.vertexCount;
    faces = cpu.faceCount;
    min_ = cpu.min;
    max_ = cpu.max;
    createVBOs();
}

EasyGeometry::~EasyGeometry()
{
    destroyVBOs();
    texCoords.destroy();
}

namespace {

// A part as read once from its file: the shared corners ready for the GL,
// and the mean of the file's corners before sharing.
struct LoadedPart {
    stl::Arrays arrays;
    QVector3D centroid;
};

// Every part of the program's own (a resource, which never changes) read so
// far in this process, by path and scale. The view loads each part once per
// support tree and again whenever a view is made; the arrays are implicitly
// shared, so a copy costs nothing until changed. Files on disk are read each time.
QHash<QPair<QString, float>, LoadedPart> &loadedParts()
{
    static QHash<QPair<QString, float>, LoadedPart> parts;
    return parts;
}

} // namespace

void EasyGeometry::loadSTL(const QString &path, float scale)
{
    qCDebug(lcView3dLoad) << " > Loading STL file: " << path;
    const QPair<QString, float> key(path, scale);
    auto known = loadedParts().constFind(key);
    if (known == loadedParts().constEnd()) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            qCDebug(lcView3dLoad) << "Bad STL File";
            return;
        }
        LoadedPart part;
        if (!stl::parseBinary(file, scale, part.arrays))
            return;
        QVector3D sum(0, 0, 0);
        for (const QVector4D &p : qAsConst(part.arrays.positions))
            sum += p.toVector3D();
        const quint32 corners = part.arrays.vertexCount;
        part.centroid = corners ? sum / float(corners) : QVector3D();
        // Corners shared by neighbouring faces of the same orientation go to
        // the GL once: the vertex stage runs for each distinct corner only.
        stl::shareVertices(part.arrays);
        if (!path.startsWith(QLatin1Char(':'))) {
            useLoaded(part.arrays, part.centroid);
            return;
        }
        known = loadedParts().insert(key, part);
    }
    useLoaded(known->arrays, known->centroid);
}

void EasyGeometry::useLoaded(const stl::Arrays &arrays, const QVector3D &centroid)
{
    cpu = arrays;
    vertices = cpu.vertexCount;
    faces = cpu.faceCount;
    scale_ = cpu.scale;
    min_ = cpu.min;
    max_ = cpu.max;
    centroid_ = centroid;
    qCDebug(lcView3dLoad) << " > Shared vertices: " << vertices << "of" << 3 * faces;
    solid_ = true;
    createVBOs();
}

void EasyGeometry::createVBOs()
{
    qCDebug(lcView3dLoad) << " > createVBOs";
    destroyVBOs();
    vao = new QOpenGLVertexArrayObject;
    vao->create();
    vao->bind();

    positions.create();
    positions.setUsagePattern(QOpenGLBuffer::StaticDraw);
    positions.bind();
    positions.allocate(cpu.positions.constData(), int(cpu.positions.size() * sizeof(QVector4D)));
    positions.release();
    cpu.positions = {};

    normals.create();
    normals.setUsagePattern(QOpenGLBuffer::StaticDraw);
    normals.bind();
    normals.allocate(cpu.normals.constData(), int(cpu.normals.size() * sizeof(QVector3D)));
    normals.release();
    cpu.normals = {};

    indices.create();
    indices.setUsagePattern(QOpenGLBuffer::StaticDraw);
    indices.bind();
    indices.allocate(cpu.indices.constData(), int(cpu.indices.size() * sizeof(quint32)));
    cpu.indices = {};

    // Texture coordinates stay on the CPU side too: a second upload finds them.
    if (!cpu.texCoords.isEmpty()) {
        texCoords.destroy();
        texCoords.create();
        texCoords.setUsagePattern(QOpenGLBuffer::StaticDraw);
        texCoords.bind();
        texCoords.allocate(cpu.texCoords.constData(), int(cpu.texCoords.size() * sizeof(QVector2D)));
        texCoords.release();
    }
    vao->release();
    indices.release();
    qCDebug(lcView3dLoad) << " > vbos created";
}

void EasyGeometry::destroyVBOs()
{
    for (QOpenGLBuffer *b : {&positions, &indices, &normals}) {
        if (b->isCreated()) {
            b->release();
            b->destroy();
        }
    }
    delete vao;
    vao = nullptr;
}

void EasyGeometry::bind()
{
    if (vao)
        vao->bind();
    if (texCoords.isCreated())
        texCoords.bind();
}

void EasyGeometry::release()
{
    if (texCoords.isCreated())
        texCoords.release();
    if (vao)
        vao->release();
}

void EasyGeometry::draw()
{
    if (!indices.isCreated())
        return;
    indices.bind();
    QOpenGLContext::currentContext()->functions()->glDrawElements(GL_TRIANGLES, GLsizei(faces * 3),
                                                                  GL_UNSIGNED_INT, nullptr);
    indices.release();
}
