#include "view3d/easymesh.h"

#include <QDebug>

#include "view3d/view3dlog.h"
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

#include "view3d/camera.h"
#include "view3d/easygeometry.h"
#include "view3d/easymaterial.h"
#include "view3d/scenemath.h"

EasyMesh::EasyMesh(EasyGeometry *g, EasyMaterial *m) : geometry(g), material(m)
{
    qCDebug(lcView3dLoad) << "EasyMesh:created";
}

void EasyMesh::computeMatrix(const EasyMesh *parent)
{
    modelMatrix = scene::nodeMatrix(parent ? parent->modelMatrix : QMatrix4x4(), scale, translation, rotationX,
                                    rotationY, rotationZ);
}

void EasyMesh::updateMatrices(const EasyMesh *parent)
{
    computeMatrix(parent);
    for (EasyMesh *child : qAsConst(children))
        child->updateMatrices(this);
}

QMatrix4x4 EasyMesh::geometryMatrix() const
{
    if (!geometry)
        return modelMatrix;
    return scene::drawMatrix(modelMatrix, geometry->scale(), geometry->offset());
}

static QVector4D product(const QVector4D &a, const QVector4D &b)
{
    return QVector4D(a.x() * b.x(), a.y() * b.y(), a.z() * b.z(), a.w() * b.w());
}

void EasyMesh::draw(const Scene &scene, const EasyMesh *parent, int select)
{
    computeMatrix(parent);
    QOpenGLShaderProgram *program = material ? material->program() : nullptr;
    if (geometry && geometry->hasBuffers() && material && program && visible) {
        const EasyMaterial::Locations &at = material->locations();
        material->bind();
        geometry->bind();
        if (QOpenGLBuffer *b = geometry->positionBuffer()) {
            b->bind();
            program->enableAttributeArray(at.vPosition);
            program->setAttributeBuffer(at.vPosition, GL_FLOAT, 0, 4);
        }
        if (QOpenGLBuffer *b = geometry->normalBuffer()) {
            b->bind();
            program->enableAttributeArray(at.vNormal);
            program->setAttributeBuffer(at.vNormal, GL_FLOAT, 0, 3);
        }
        QOpenGLBuffer *coords = material->texCoordBuffer() ? material->texCoordBuffer() : geometry->texCoordBuffer();
        if (coords) {
            coords->bind();
            program->enableAttributeArray(at.vcoordText);
            program->setAttributeBuffer(at.vcoordText, GL_FLOAT, 0, 2);
        }
        if (QOpenGLTexture *t = material->texture()) {
            t->bind(0);
            program->setUniformValue(at.colorTexture, 0);
        }
        const QMatrix4x4 m = geometryMatrix();
        program->setUniformValue(at.textureOpacity, float(material->textureOpacity));
        program->setUniformValue(at.model, m);
        program->setUniformValue(at.normalMatrix, m.normalMatrix());
        program->setUniformValue(at.select, select);
        if (scene.camera) {
            program->setUniformValue(at.view, scene.camera->view);
            program->setUniformValue(at.projection, scene.camera->projection);
        }
        if (scene.light) {
            program->setUniformValue(at.lightPosition, scene.light->position);
            program->setUniformValue(at.ambientProduct, product(scene.light->ambient, material->ambient));
            program->setUniformValue(at.diffuseProduct, product(scene.light->diffuse, material->diffuse));
            program->setUniformValue(at.specularProduct, product(scene.light->specular, material->specular));
            program->setUniformValue(at.shininess, float(material->shininess));
        }
        // Back faces of a closed part lie behind its front faces: not drawing
        // them halves the triangles the rasteriser sets up, same picture.
        QOpenGLFunctions *gl = QOpenGLContext::currentContext()->functions();
        if (geometry->solid())
            gl->glEnable(GL_CULL_FACE);
        else
            gl->glDisable(GL_CULL_FACE);
        geometry->draw();
        if (QOpenGLTexture *t = material->texture())
            t->release(0);
        geometry->release();
        material->release();
    }
    for (EasyMesh *child : qAsConst(children))
        child->draw(scene, this, select);
}

void drawScene(const Scene &scene, EasyMesh *root, int select)
{
    if (root)
        root->draw(scene, nullptr, select);
}
