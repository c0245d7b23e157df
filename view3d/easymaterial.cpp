#include "view3d/easymaterial.h"

#include <QDebug>

#include "view3d/view3dlog.h"
#include <QOpenGLBuffer>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>

EasyMaterial::EasyMaterial()
{
    qCDebug(lcView3dLoad) << "EasyMaterial created";
}

EasyMaterial::~EasyMaterial()
{
    qCDebug(lcView3dLoad) << "~EasyMaterial";
    if (ownsProgram) {
        qCDebug(lcView3dLoad) << "EasyMaterial:destroyVertexShader";
        delete vertexShader;
        qCDebug(lcView3dLoad) << "EasyMaterial:destryFragmentShader";
        delete fragmentShader;
        deleteProgram();
    }
    delete texture_;
}

EasyMaterial *EasyMaterial::makeLitMaterial(EasyMaterial *shared)
{
    auto *m = new EasyMaterial;
    m->ambient = QVector4D(0.2f, 0.2f, 0.2f, 1.0f);
    m->diffuse = QVector4D(1, 1, 1, 1);
    m->specular = QVector4D(0.6f, 0.6f, 0.6f, 0.6f);
    m->shininess = 100.0;
    if (shared && shared->program_) {
        m->program_ = shared->program_;
        m->vertexShader = shared->vertexShader;
        m->fragmentShader = shared->fragmentShader;
        m->locations_ = shared->locations_;
        m->ownsProgram = false;
    } else {
        qCDebug(lcView3dLoad) << "* Compiling Shaders...";
        m->setFragmentShader(QStringLiteral(":/shaders/shaders/advanced_fshader.glsl"), true);
        m->setVertexShader(QStringLiteral(":/shaders/shaders/advanced_vshader.glsl"), true);
        m->link();
    }
    return m;
}

static QOpenGLShader *compile(QOpenGLShader::ShaderType type, const QString &source, bool isFile,
                              const char *compiledText)
{
    auto *shader = new QOpenGLShader(type);
    const bool ok = isFile ? shader->compileSourceFile(source) : shader->compileSourceCode(source);
    if (!ok)
        qWarning() << shader->log();
    if (shader->isCompiled())
        qCDebug(lcView3dLoad) << compiledText;
    else
        qWarning() << shader->log();
    return shader;
}

void EasyMaterial::detachShared()
{
    // A material that used another's program gets its own from here on.
    if (ownsProgram)
        return;
    program_ = nullptr;
    vertexShader = nullptr;
    fragmentShader = nullptr;
    ownsProgram = true;
}

void EasyMaterial::setVertexShader(const QString &source, bool isFile)
{
    qCDebug(lcView3dLoad) << "EasyMaterial:setVertexShader";
    detachShared();
    delete vertexShader;
    vertexShader = compile(QOpenGLShader::Vertex, source, isFile, "Compiled vertex shader\n");
}

void EasyMaterial::setFragmentShader(const QString &source, bool isFile)
{
    qCDebug(lcView3dLoad) << "EasyMaterial:setFragmentShader";
    detachShared();
    delete fragmentShader;
    fragmentShader = compile(QOpenGLShader::Fragment, source, isFile, "Compiled fragment shader\n");
}

void EasyMaterial::deleteProgram()
{
    if (program_) {
        program_->release();
        delete program_;
    }
    program_ = nullptr;
}

void EasyMaterial::link()
{
    qCDebug(lcView3dLoad) << "EasyMaterial:link";
    detachShared();
    deleteProgram();
    program_ = new QOpenGLShaderProgram;
    if (vertexShader)
        program_->addShader(vertexShader);
    if (fragmentShader)
        program_->addShader(fragmentShader);
    if (!program_->link())
        qWarning() << program_->log();
    Locations &l = locations_;
    l.vPosition = program_->attributeLocation("vPosition");
    l.vNormal = program_->attributeLocation("vNormal");
    l.vcoordText = program_->attributeLocation("vcoordText");
    l.model = program_->uniformLocation("model");
    l.view = program_->uniformLocation("view");
    l.projection = program_->uniformLocation("projection");
    l.normalMatrix = program_->uniformLocation("normalMatrix");
    l.ambientProduct = program_->uniformLocation("ambientProduct");
    l.diffuseProduct = program_->uniformLocation("diffuseProduct");
    l.specularProduct = program_->uniformLocation("specularProduct");
    l.lightPosition = program_->uniformLocation("lightPosition");
    l.select = program_->uniformLocation("select");
    l.shininess = program_->uniformLocation("shininess");
    l.colorTexture = program_->uniformLocation("colorTexture");
    l.textureOpacity = program_->uniformLocation("textureOpacity");
}

void EasyMaterial::setTexture(const QImage &image)
{
    delete texture_;
    texture_ = new QOpenGLTexture(image, QOpenGLTexture::GenerateMipMaps);
    // Shrunk pictures are read from the nearest mipmap level with linear
    // filtering: the background is always shrunk by the same amount, so
    // blending two levels would only double the cost of every pixel. Enlarging
    // uses plain linear filtering (a mipmap mode is not valid there).
    texture_->setMinificationFilter(QOpenGLTexture::LinearMipMapNearest);
    texture_->setMagnificationFilter(QOpenGLTexture::Linear);
    texture_->setWrapMode(QOpenGLTexture::MirroredRepeat);
    textureOpacity = 1.0;
}

void EasyMaterial::bind()
{
    if (texture_ && texCoords) {
        texCoords->bind();
        texture_->bind();
    }
    if (program_)
        program_->bind();
}

void EasyMaterial::release()
{
    if (program_)
        program_->release();
    if (texture_ && texCoords) {
        texCoords->release();
        texture_->release();
    }
}
