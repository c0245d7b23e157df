#pragma once
// A GLSL program with the colours, shininess and optional texture a node is
// drawn with. The lit material of the robot parts and the floor shares one
// program per view, compiled once by the first lit material.

#include <QImage>
#include <QString>
#include <QVector4D>

class QOpenGLBuffer;
class QOpenGLShader;
class QOpenGLShaderProgram;
class QOpenGLTexture;

class EasyMaterial
{
public:
    EasyMaterial();
    ~EasyMaterial();
    EasyMaterial(const EasyMaterial &) = delete;
    EasyMaterial &operator=(const EasyMaterial &) = delete;

    // A lit material (ambient 0.2, diffuse 1, specular 0.6, shininess 100).
    // Without `shared` it compiles and owns the lit program; with it, it uses
    // that material's program, which must outlive this one.
    static EasyMaterial *makeLitMaterial(EasyMaterial *shared = nullptr);

    void setVertexShader(const QString &source, bool isFile);
    void setFragmentShader(const QString &source, bool isFile);
    void link();
    void setTexture(const QImage &image);
    void bind();
    void release();

    QOpenGLShaderProgram *program() const { return program_; }
    // Where the lit program's inputs are, looked up once when it is linked
    // (-1 for what the program does not have): a frame sets them by place,
    // not by name.
    struct Locations {
        int vPosition = -1, vNormal = -1, vcoordText = -1;
        int model = -1, view = -1, projection = -1, normalMatrix = -1;
        int ambientProduct = -1, diffuseProduct = -1, specularProduct = -1, lightPosition = -1;
        int select = -1, shininess = -1, colorTexture = -1, textureOpacity = -1;
    };
    const Locations &locations() const { return locations_; }
    QOpenGLTexture *texture() const { return texture_; }
    QOpenGLBuffer *texCoordBuffer() const { return texCoords; }
    void setTexCoordBuffer(QOpenGLBuffer *buffer) { texCoords = buffer; }

    QVector4D ambient{0, 0, 0, 0};
    QVector4D diffuse{0, 0, 0, 0};
    QVector4D specular{0, 0, 0, 0};
    double shininess = 0;
    double textureOpacity = 0;

private:
    void deleteProgram();
    void detachShared();

    QOpenGLBuffer *texCoords = nullptr;   // not owned
    QOpenGLTexture *texture_ = nullptr;
    QOpenGLShaderProgram *program_ = nullptr;
    QOpenGLShader *fragmentShader = nullptr;
    QOpenGLShader *vertexShader = nullptr;
    bool ownsProgram = true;
    Locations locations_;
};
