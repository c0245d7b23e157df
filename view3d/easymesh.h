#pragma once
// A node of the scene: local transform, optional geometry and material, and
// child nodes that follow its transform (but not its geometry's own scale and
// offset). Also the light and the scene record a draw pass reads.

#include <QList>
#include <QMatrix4x4>
#include <QVector3D>
#include <QVector4D>

class Camera;
class EasyGeometry;
class EasyMaterial;
class QOpenGLWidget;

struct Light {
    QVector4D ambient{1, 1, 1, 0};
    QVector4D diffuse{1, 1, 1, 0};
    QVector4D specular{1, 1, 1, 0};
    QVector4D position{0, 0, 4, 0};   // eye coordinates: in front of the viewer
};

struct Scene {
    Light *light = nullptr;
    Camera *camera = nullptr;
    QOpenGLWidget *widget = nullptr;
};

class EasyMesh
{
public:
    EasyMesh(EasyGeometry *geometry, EasyMaterial *material);

    void addChild(EasyMesh *node) { children.append(node); }
    void setMaterial(EasyMaterial *m) { material = m; }
    EasyMaterial *getMaterial() const { return material; }
    EasyGeometry *getGeometry() const { return geometry; }

    // Recomputes this node's model matrix from the parent's (identity when
    // there is none), then the children's.
    void updateMatrices(const EasyMesh *parent);
    // Draws this node (when it has a geometry with buffers, a material and is
    // visible) and then its children with the same select value.
    void draw(const Scene &scene, const EasyMesh *parent, int select);

    // The matrix the geometry is drawn with (model x scale x offset).
    QMatrix4x4 geometryMatrix() const;

    QVector3D translation{0, 0, 0};
    float rotationX = 0;
    float rotationY = 0;
    float rotationZ = 0;
    QVector3D scale{1, 1, 1};
    QMatrix4x4 modelMatrix;
    QList<EasyMesh *> children;   // not owned
    int visible = 1;

private:
    void computeMatrix(const EasyMesh *parent);

    EasyGeometry *geometry = nullptr;   // not owned
    EasyMaterial *material = nullptr;   // not owned
};

// Draws a tree from its root.
void drawScene(const Scene &scene, EasyMesh *root, int select);
