#include "view3d/openglwidget.h"

#include <QDebug>

#include "view3d/view3dlog.h"
#include <QElapsedTimer>
#include <QHash>
#include <QImage>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLExtraFunctions>
#include <QOpenGLFramebufferObject>
#include <QOpenGLShaderProgram>
#include <QOpenGLTexture>
#include <QWheelEvent>
#include <cmath>
#include <cstring>

#include <QPainter>

#include "view3d/balance.h"
#include "view3d/easygeometry.h"
#include "view3d/easymaterial.h"

using namespace robot3d;

namespace {

// The background and floor pictures, decoded once per process when they are
// the program's own (resources never change): a view made again, or a
// background chosen again, reuses them. Files on disk are read each time.
QImage picture(const QString &path)
{
    if (!path.startsWith(QLatin1Char(':')))
        return QImage(path);
    static QHash<QString, QImage> pictures;
    auto known = pictures.constFind(path);
    if (known == pictures.constEnd())
        known = pictures.insert(path, QImage(path));
    return *known;
}

} // namespace

OpenGLWidget::OpenGLWidget(QWidget *parent) : QOpenGLWidget(parent)
{
    // The pace of the view: at most one frame per tick, none when nothing changed.
    connect(&sceneTimer, &QTimer::timeout, this, &OpenGLWidget::update_scene);
    sceneTimer.start(kTickMs);
    auto monotonic = std::make_shared<QElapsedTimer>();
    monotonic->start();
    clock_ = [monotonic] { return monotonic->elapsed(); };
}

void OpenGLWidget::setClock(std::function<qint64()> clock)
{
    clock_ = std::move(clock);
}

bool OpenGLWidget::Inputs::operator==(const Inputs &o) const
{
    return std::memcmp(angles, o.angles, sizeof angles) == 0 && support == o.support && selected == o.selected
           && background == o.background && fit == o.fit;
}

OpenGLWidget::Inputs OpenGLWidget::inputs() const
{
    Inputs in;
    std::memcpy(in.angles, jointAngles, sizeof in.angles);
    in.support = supportMode;
    in.selected = selectedJoint;
    in.background = backgroundChoice;
    in.fit = fitRequest;
    return in;
}

bool OpenGLWidget::framePending() const
{
    if (!ready || !isVisible())
        return false;
    return !(inputs() == drawnInputs) || (completePending && paints <= paintsAtChange);
}

OpenGLWidget::~OpenGLWidget()
{
    sceneTimer.stop();
    releaseGL();
}

// ---------------------------------------------------------------- set-up

void OpenGLWidget::initializeGL()
{
    makeCurrent();
    initializeOpenGLFunctions();
    // A new context (the widget moved to another window) starts from scratch.
    if (ready)
        releaseGL();
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &OpenGLWidget::releaseGL, Qt::UniqueConnection);
    glEnable(GL_DEPTH_TEST);
    // Picking compares exact colours.
    glDisable(GL_DITHER);
    qCDebug(lcView3dFrame, " Version %s \n  GLSL %s", reinterpret_cast<const char *>(glGetString(GL_VERSION)),
            reinterpret_cast<const char *>(glGetString(GL_SHADING_LANGUAGE_VERSION)));

    auto node = [this](EasyGeometry *g, EasyMaterial *m) {
        nodes.push_back(std::make_unique<EasyMesh>(g, m));
        return nodes.back().get();
    };
    auto keepGeometry = [this](EasyGeometry *g) {
        geometries.emplace_back(g);
        return g;
    };
    auto keepMaterial = [this](EasyMaterial *m) {
        materials.emplace_back(m);
        return m;
    };

    for (EasyMesh *&root : roots) {
        root = node(nullptr, nullptr);
        root->rotationX = -90;
    }
    light = Light();
    startCam = Camera();
    startCam.eye = QVector3D(-0.5f, 2.0f, 0);
    startCam.target = QVector3D(0, 0, 0);
    startCam.up = QVector3D(0, 1, 0);
    startCam.updateView();
    mainCam = Camera();
    mainCam.eye = QVector3D(0.01f, 1.01f, 2.0f);
    mainCam.target = QVector3D(0, 1, 0);
    mainCam.up = QVector3D(0, 1, 0);
    mainCam.updateView();
    // The orbit starts where the main camera is (the front view).
    startDistance = scene::orbitOf(mainCam.eye, mainCam.target).distance;
    lookFrom(mainCam.eye);
    startCam.setPerspective(width(), height());
    mainCam.setPerspective(width(), height());
    // No fly-in: the view opens on the front view and is at rest from its
    // first frame, so the window comes to rest as soon as it is drawn (a
    // fly-in of 67 redraws kept a fresh start busy for two seconds).
    animated = AnimatedCamera();
    animated.jumpTo(&mainCam);
    scene = Scene{&light, &animated, this};

    EasyMaterial *holder = nullptr;
    for (int part = 0; part < PartCount; ++part) {
        EasyMaterial *m = keepMaterial(EasyMaterial::makeLitMaterial(holder));
        if (!holder)
            holder = m;
        const Rgb c = identificationColour(part);
        m->diffuse = QVector4D(c.r / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f);
        m->shininess = 50.0;
        partMaterials[part] = m;
    }

    backgroundMaterial = keepMaterial(new EasyMaterial);
    backgroundMaterial->setFragmentShader(QStringLiteral(":/shaders/shaders/background_fshader.glsl"), true);
    backgroundMaterial->setVertexShader(QStringLiteral(":/shaders/shaders/background_vshader.glsl"), true);
    backgroundMaterial->link();
    loadBackground();
    backgroundNode = node(keepGeometry(new EasyGeometry(EasyGeometry::Square{})), backgroundMaterial);

    EasyMaterial *floorMaterial = keepMaterial(EasyMaterial::makeLitMaterial(holder));
    const QImage floorImage = picture(floorPath);
    if (!floorImage.isNull())
        floorMaterial->setTexture(floorImage);
    floorMaterial->shininess = 5.0;
    floorMaterial->ambient = QVector4D(0, 0, 0, 0);
    floorMaterial->diffuse = QVector4D(0, 0, 0, 0);
    floorMaterial->specular = QVector4D(0.3f, 0.3f, 0.3f, 0);
    floorNode = node(keepGeometry(new EasyGeometry(EasyGeometry::Square{})), floorMaterial);
    for (EasyMesh *root : roots)
        root->addChild(floorNode);

    // Each tree loads its own copy of the 18 meshes: the geometry offsets differ.
    for (int tree = 0; tree < TreeCount; ++tree) {
        bool first = true;
        for (const NodePlace &entry : robot3d::treeNodes(tree)) {
            EasyGeometry *g = keepGeometry(new EasyGeometry);
            g->loadSTL(stlPaths[entry.part], kPartScale);
            g->setOffset(entry.offset);
            EasyMesh *n = node(g, partMaterials[entry.part]);
            n->translation = entry.translation;
            if (first) {
                n->rotationX = kFirstNodeRotation.x();
                n->rotationY = kFirstNodeRotation.y();
                n->rotationZ = kFirstNodeRotation.z();
                first = false;
            }
            (entry.parent < 0 ? roots[tree] : treeNodes[tree][entry.parent])->addChild(n);
            treeNodes[tree][entry.part] = n;
        }
        roots[tree]->updateMatrices(nullptr);
    }
    lastSupportMode = supportMode;
    ready = true;
    sceneDirty = true;
    emit sceneReady();
}

void OpenGLWidget::releaseGL()
{
    if (!ready && geometries.empty() && materials.empty())
        return;
    makeCurrent();
    ready = false;
    delete thumbnailTarget;
    thumbnailTarget = nullptr;
    for (BackgroundCache *cache : {&viewBackground, &thumbnailBackground}) {
        delete cache->fbo;
        *cache = BackgroundCache();
    }
    nodes.clear();
    geometries.clear();
    // The lit program belongs to the first material: free it last.
    while (!materials.empty())
        materials.pop_back();
    backgroundMaterial = nullptr;
    backgroundNode = nullptr;
    for (EasyMaterial *&m : partMaterials)
        m = nullptr;
    for (EasyMesh *&r : roots)
        r = nullptr;
    for (auto &tree : treeNodes)
        for (EasyMesh *&n : tree)
            n = nullptr;
    loadedChoice = -1;
    doneCurrent();
}

void OpenGLWidget::loadBackground()
{
    const int i = (backgroundChoice >= 1 && backgroundChoice <= 5) ? backgroundChoice - 1 : 0;
    const QImage image = picture(backgroundPaths[i]);
    if (!image.isNull())
        backgroundMaterial->setTexture(image);
    loadedChoice = backgroundChoice;
    ++backgroundVersion;
}

// ---------------------------------------------------------------- drawing

void OpenGLWidget::resizeGL(int w, int h)
{
    qCDebug(lcView3dFrame) << " ! resizeGL" << w << h;
    viewWidth = w;
    viewHeight = h;
    startCam.setPerspective(w, h);
    mainCam.setPerspective(w, h);
    animated.setPerspective(w, h);
}

void OpenGLWidget::drawBackground(const QMatrix4x4 &view, double crop)
{
    // The picture's coordinates are worked out here once per frame; the
    // shaders only map the square's corners and look the picture up.
    EasyGeometry *g = backgroundNode ? backgroundNode->getGeometry() : nullptr;
    QOpenGLShaderProgram *program = backgroundMaterial ? backgroundMaterial->program() : nullptr;
    QOpenGLTexture *texture = backgroundMaterial ? backgroundMaterial->texture() : nullptr;
    if (!g || !g->hasBuffers() || !program || !texture)
        return;
    const double aspect = texture->height() > 0 ? double(texture->width()) / texture->height() : 1.0;
    backgroundMaterial->bind();
    g->bind();
    if (QOpenGLBuffer *b = g->positionBuffer()) {
        b->bind();
        program->enableAttributeArray("vPosition");
        program->setAttributeBuffer("vPosition", GL_FLOAT, 0, 4);
    }
    if (QOpenGLBuffer *b = g->texCoordBuffer()) {
        b->bind();
        program->enableAttributeArray("vcoordText");
        program->setAttributeBuffer("vcoordText", GL_FLOAT, 0, 2);
    }
    texture->bind(0);
    program->setUniformValue("colorTexture", 0);
    program->setUniformValue("pictureMap", scene::backgroundMap(view, aspect, crop));
    g->draw();
    texture->release(0);
    g->release();
    backgroundMaterial->release();
}

bool OpenGLWidget::copyBackground(BackgroundCache &cache, const QMatrix4x4 &view, double crop, const QSize &size,
                                  unsigned target)
{
    // The picture the background shader draws depends on the camera's view,
    // the picture loaded, the crop and the size; while these stay, the frame
    // starts from a copy of it (the same pixels, drawn once). A copy of equal
    // size and format is a plain memory copy in a software renderer and a
    // cheap one on a graphics card.
    QOpenGLTexture *texture = backgroundMaterial ? backgroundMaterial->texture() : nullptr;
    if (!texture || size.isEmpty())
        return false;
    QOpenGLExtraFunctions *gl = context()->extraFunctions();
    if (!cache.fbo || cache.fbo->size() != size || cache.version != backgroundVersion || cache.view != view
        || cache.crop != crop) {
        if (!cache.fbo || cache.fbo->size() != size) {
            delete cache.fbo;
            cache.fbo = new QOpenGLFramebufferObject(size, QOpenGLFramebufferObject::NoAttachment);
        }
        cache.fbo->bind();
        glViewport(0, 0, size.width(), size.height());
        drawBackground(view, crop);
        cache.view = view;
        cache.crop = crop;
        cache.version = backgroundVersion;
    }
    gl->glBindFramebuffer(GL_READ_FRAMEBUFFER, cache.fbo->handle());
    gl->glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    gl->glBlitFramebuffer(0, 0, size.width(), size.height(), 0, 0, size.width(), size.height(), GL_COLOR_BUFFER_BIT,
                          GL_NEAREST);
    gl->glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, size.width(), size.height());
    return true;
}

void OpenGLWidget::paintGL()
{
    makeCurrent();
    QElapsedTimer timer;
    timer.start();
    ++paints;
    // The background (copied while the camera stays, else drawn and kept),
    // then the robot in front of it.
    const qreal dpr = devicePixelRatioF();
    if (!ready
        || !copyBackground(viewBackground, animated.view, 1.0, QSize(int(viewWidth * dpr), int(viewHeight * dpr)),
                           defaultFramebufferObject()))
        glClear(GL_COLOR_BUFFER_BIT);
    if (ready) {
        glClear(GL_DEPTH_BUFFER_BIT);
        applyPartColours();
        drawScene(scene, roots[shownTree()], 0);
        // The pick colours come back for picking and thumbnails.
        if (!partColours_.isEmpty())
            applyHighlight(drawnInputs.selected);
    }
    drawnPolygon.clear();
    drawnCentre = QPointF();
    if (ready && showBalance && balanceChecker)
        drawBalance();
    lastFrameMs = timer.elapsed();
    // Only frames over budget are worth a line, and at most one a second.
    if (lastFrameMs > frameBudgetMs && lcView3dFrame().isDebugEnabled()) {
        const qint64 now = clock_();
        if (!tookLogged || now - tookLoggedAt >= 1000) {
            qCDebug(lcView3dFrame) << "took : " << lastFrameMs << "ms ";
            tookLogged = true;
            tookLoggedAt = now;
        }
    }
    glFlush();
}

int OpenGLWidget::shownTree() const
{
    return (supportMode >= 0 && supportMode < TreeCount) ? supportMode : int(LeftFootTree);
}

EasyMesh *OpenGLWidget::firstNode(int tree) const
{
    return treeNodes[tree][robot3d::treeNodes(tree).first().part];
}

EasyMesh *OpenGLWidget::partNode(int tree, int part) const
{
    if (!ready || tree < 0 || tree >= TreeCount || part < 0 || part >= PartCount)
        return nullptr;
    return treeNodes[tree][part];
}

EasyMaterial *OpenGLWidget::partMaterial(int part) const
{
    return (part >= 0 && part < PartCount) ? partMaterials[part] : nullptr;
}

// ---------------------------------------------------------------- scene update

void OpenGLWidget::applyPose(int tree, const float *angles)
{
    for (int joint = kFirstJoint; joint <= kLastJoint; ++joint) {
        const Drive d = jointDrive(tree, joint);
        EasyMesh *n = treeNodes[tree][d.part];
        const float angle = d.sign * angles[joint - kFirstJoint];
        if (d.axis == 0)
            n->rotationX = angle;
        else if (d.axis == 1)
            n->rotationY = angle;
        else
            n->rotationZ = angle;
    }
    roots[tree]->updateMatrices(nullptr);
}

void OpenGLWidget::applyHighlight(int joint)
{
    for (int part = 0; part < Body; ++part) {
        const Rgb c = identificationColour(part);
        const int red = (part + kFirstJoint == joint) ? kHighlightRed : c.r;
        partMaterials[part]->diffuse = QVector4D(red / 255.0f, c.g / 255.0f, c.b / 255.0f, 1.0f);
    }
}

void OpenGLWidget::setPartColours(const QHash<int, QColor> &colours)
{
    if (colours == partColours_)
        return;
    partColours_ = colours;
    sceneDirty = true;
}

void OpenGLWidget::applyPartColours()
{
    for (auto it = partColours_.begin(); it != partColours_.end(); ++it) {
        const int part = it.key() - kFirstJoint;
        if (part < 0 || part >= Body)
            continue;
        const QColor &c = it.value();
        partMaterials[part]->diffuse = QVector4D(float(c.redF()), float(c.greenF()), float(c.blueF()), 1.0f);
    }
}

void OpenGLWidget::update_scene()
{
    if (!ready)
        return;
    // Anything the picture depends on that changed since the last frame?
    const bool changed = !(inputs() == drawnInputs) || sceneDirty;
    if (changed) {
        if (supportMode != lastSupportMode)
            lastSupportMode = supportMode;
        applyPose(shownTree(), jointAngles);
        applyHighlight(selectedJoint);
        if (backgroundChoice != loadedChoice) {
            makeCurrent();
            loadBackground();
            doneCurrent();
        }
        if (fitRequest == 1) {
            fitRequest = 0;
            resetView();
        }
        drawnInputs = inputs();
        sceneDirty = false;
    }
    const bool flying = !animated.done();
    if (flying || changed) {
        animated.step(0.03);
        update();
        if (!completePending) {
            updateCounter = 0;
            paintsAtFirstChange = paints;
        }
        completePending = true;
        paintsAtChange = paints;
        ++updateCounter;
    }
    // The scene-complete signal follows a change once it has been drawn: when
    // the view comes to rest, and every 16 updates while it keeps changing.
    // A hidden view draws nothing, so there the change itself counts.
    const bool hidden = !isVisible();
    const bool atRest = !(flying || changed) && (paints > paintsAtChange || hidden);
    const bool aWhile = (flying || changed) && updateCounter > 15 && (paints > paintsAtFirstChange || hidden);
    if (completePending && (atRest || aWhile)) {
        completePending = false;
        updateCounter = 0;
        emit update_scence_complete();
    }
}

// ---------------------------------------------------------------- camera

void OpenGLWidget::followCamera()
{
    animated.animateTo(&mainCam, 3.0);
    sceneDirty = true;
}

void OpenGLWidget::orbit()
{
    mainCam.eye = scene::orbitEye(theta, phi, startDistance * double(zoom));
    mainCam.target = scene::kOrbitTarget;
    mainCam.updateView();
    followCamera();
}

void OpenGLWidget::lookFrom(const QVector3D &eye)
{
    const scene::Orbit o = scene::orbitOf(eye);
    theta = o.theta;
    phi = o.phi;
    zoom = startDistance > 0 ? float(o.distance / startDistance) : 1.0f;
    mainCam.eye = eye;
    mainCam.target = scene::kOrbitTarget;
    mainCam.updateView();
    followCamera();
}

void OpenGLWidget::setPolarAngle(double degrees)
{
    degrees = scene::clampPolar(degrees);
    if (degrees == theta)
        return;
    theta = degrees;
    orbit();
}

void OpenGLWidget::setAzimuthAngle(double degrees)
{
    if (degrees == phi)
        return;
    phi = degrees;
    orbit();
}

void OpenGLWidget::zoomByWheel(int delta)
{
    zoom = scene::zoomAfterWheel(zoom, delta);
    orbit();
}

void OpenGLWidget::resetView()
{
    if (ready) {
        for (int tree = 0; tree < TreeCount; ++tree) {
            EasyMesh *n = firstNode(tree);
            n->translation = robot3d::treeNodes(tree).first().translation;
            n->rotationX = kFirstNodeRotation.x();
            n->rotationY = kFirstNodeRotation.y();
            n->rotationZ = kFirstNodeRotation.z();
        }
    }
    // The front view at the start distance; the orbit and the zoom go on
    // from there, so the next drag or wheel step does not jump back.
    lookFrom(QVector3D(0.01f, 1.01f, 2.0f));
}

// ---------------------------------------------------------------- balance overlay

void OpenGLWidget::setBalanceChecker(const balance::Checker *checker)
{
    balanceChecker = checker;
    sceneDirty = true;
}

void OpenGLWidget::setBalanceShown(bool shown)
{
    showBalance = shown;
    sceneDirty = true;
}

QPointF OpenGLWidget::toWidget(const QVector3D &scenePoint) const
{
    const QVector4D clip = animated.projection * animated.view * QVector4D(scenePoint, 1.0f);
    if (clip.w() <= 0)
        return QPointF(-1, -1);
    return QPointF((clip.x() / clip.w() + 1) / 2 * viewWidth, (1 - clip.y() / clip.w()) / 2 * viewHeight);
}

QMatrix4x4 OpenGLWidget::drawnFromStart(int tree) const
{
    const NodePlace &first = robot3d::treeNodes(tree).first();
    const QMatrix4x4 start = scene::nodeMatrix(roots[tree]->modelMatrix, QVector3D(1, 1, 1), first.translation,
                                               kFirstNodeRotation.x(), kFirstNodeRotation.y(),
                                               kFirstNodeRotation.z());
    return firstNode(tree)->modelMatrix * start.inverted();
}

void OpenGLWidget::drawBalance()
{
    const int tree = shownTree();
    const balance::Result r = balanceChecker->check(tree, drawnInputs.angles);
    // The check poses the tree from its first node's start place; the robot
    // as shown may have been moved or turned by the mouse since.
    const QMatrix4x4 moved = drawnFromStart(tree);
    const float toScene = kPartScale;   // millimetres to scene units
    auto onScreen = [&](const QVector3D &mm) { return toWidget(moved.map(mm * toScene)); };
    const float floor = float(r.floorHeight);
    for (const QPointF &p : r.polygon)
        drawnPolygon << onScreen(QVector3D(float(p.x()), floor, float(p.y())));
    drawnCentre = onScreen(QVector3D(float(r.centreOnFloor.x()), floor, float(r.centreOnFloor.y())));
    const QPointF centre = onScreen(r.centreOfMass);

    const balance::Level level = balance::levelOf(r.margin);
    const QColor colour = level == balance::Tips      ? QColor(205, 0, 0)
                          : level == balance::Warning ? QColor(225, 120, 0)
                                                      : QColor(0, 150, 60);
    // The painter draws from its own arrays: nothing of the scene's may stay bound.
    QOpenGLExtraFunctions *gl = context()->extraFunctions();
    gl->glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glUseProgram(0);
    for (GLuint i = 0; i < 8; ++i)
        glDisableVertexAttribArray(i);
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QColor fill = colour;
        fill.setAlpha(90);
        painter.setPen(QPen(colour, 2));
        painter.setBrush(fill);
        painter.drawPolygon(drawnPolygon);
        // The centre of mass, a plumb line and where it meets the floor. (Line
        // and dots are drawn as polygons: the view's buffer has no stencil,
        // which the painter's strokes and curves need.)
        const QPointF along = drawnCentre - centre;
        const double length = std::hypot(along.x(), along.y());
        if (length > 0) {
            const QPointF side = QPointF(-along.y(), along.x()) / length;
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour.darker(150));
            painter.drawPolygon(QPolygonF(QVector<QPointF>{centre + side, drawnCentre + side, drawnCentre - side, centre - side}));
        }
        auto dot = [&](const QPointF &at, double radius) {
            QPolygonF round;
            for (int i = 0; i < 16; ++i)
                round << at + radius * QPointF(std::cos(i * M_PI / 8), std::sin(i * M_PI / 8));
            painter.drawPolygon(round);
        };
        painter.setPen(QPen(Qt::white, 1.5));
        painter.setBrush(colour.darker(150));
        dot(drawnCentre, 6);
        dot(centre, 5);
    }
    // The painter leaves the GL state of its own: the scene's comes back.
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_DITHER);
}

// ---------------------------------------------------------------- thumbnails

QImage OpenGLWidget::renderThumbnail(const float *angles, int side)
{
    if (!angles)
        return QImage();
    return renderSquare(angles, side);
}

QImage OpenGLWidget::thumbnailBackdrop(int side)
{
    // Everything the picture behind the robot depends on: its size, the
    // thumbnails' camera, the view's shape, the background and the tree.
    const Camera *rest = animated.destination() ? animated.destination() : &animated;
    const QVector<float> key{float(side), rest->eye.x(), rest->eye.y(), rest->eye.z(), rest->target.x(),
                             rest->target.y(), rest->target.z(), rest->up.x(), rest->up.y(), rest->up.z(),
                             float(viewWidth), float(viewHeight), float(backgroundChoice), float(shownTree())};
    if (backdrop.isNull() || key != backdropKey) {
        backdrop = renderSquare(nullptr, side);
        backdropKey = backdrop.isNull() ? QVector<float>() : key;
    }
    return backdrop;
}

QImage OpenGLWidget::renderSquare(const float *angles, int side)
{
    if (!ready || side <= 0)
        return QImage();
    makeCurrent();
    // Drawn at twice the size and scaled down smoothly, as the view's own
    // picture (several times larger) was scaled to the list.
    const int size = side * 2;
    if (!thumbnailTarget || thumbnailTarget->size() != QSize(size, size)) {
        delete thumbnailTarget;
        thumbnailTarget = new QOpenGLFramebufferObject(size, size, QOpenGLFramebufferObject::CombinedDepthStencil);
    }
    thumbnailTarget->bind();
    glViewport(0, 0, size, size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    // The view's camera with a square picture: the centre square of the
    // view, whose background is the middle of the view's. While the camera
    // flies (at start, after fit or reset) the picture is taken from where it
    // comes to rest, so that every frame's picture is seen from one place.
    const Camera *rest = animated.destination() ? animated.destination() : &animated;
    Camera camera;
    camera.eye = rest->eye;
    camera.target = rest->target;
    camera.up = rest->up;
    camera.updateView();
    camera.setPerspective(1, 1);
    const double crop = viewWidth > 0 ? double(viewHeight) / viewWidth : 1.0;
    if (!copyBackground(thumbnailBackground, camera.view, crop, QSize(size, size), thumbnailTarget->handle()))
        drawBackground(camera.view, crop);
    glClear(GL_DEPTH_BUFFER_BIT);
    const int tree = shownTree();
    const Scene square{&light, &camera, this};
    if (angles) {
        applyPose(tree, angles);
        // A frame's picture shows its pose, not which joint is picked right now.
        applyHighlight(0);
        drawScene(square, roots[tree], 0);
    } else {
        // The floor alone, where the tree puts it.
        roots[tree]->updateMatrices(nullptr);
        floorNode->draw(square, roots[tree], 0);
    }
    const QImage picture = thumbnailTarget->toImage();
    if (angles) {
        // The view's own pose and highlight go back; they were never drawn
        // in the other one.
        applyPose(tree, jointAngles);
        applyHighlight(drawnInputs.selected);
    }
    thumbnailTarget->release();
    doneCurrent();
    return picture.convertToFormat(QImage::Format_RGB32)
        .scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// ---------------------------------------------------------------- mouse

void OpenGLWidget::mousePressEvent(QMouseEvent *event)
{
    // Every press marks where a drag starts, whatever the button: moves only
    // arrive while a button is held, so a drag with another button would
    // otherwise count from wherever the last drag ended and make the robot jump.
    lastMouse = event->pos();
    if (event->button() == Qt::LeftButton) {
        if (mouseMode == 1)
            pickAt(event->pos().x(), event->pos().y());
        else if (mouseMode == kMoveFootMode && ready)
            beginFootDrag(jointAt(event->pos().x(), event->pos().y()), event->pos());
    } else if (event->button() == Qt::MiddleButton) {
        resetView();
    }
}

void OpenGLWidget::mouseMoveEvent(QMouseEvent *event)
{
    const int dx = event->pos().x() - lastMouse.x();
    const int dy = event->pos().y() - lastMouse.y();
    const bool left = event->buttons() & Qt::LeftButton;
    EasyMesh *moved = ready ? firstNode(shownTree()) : nullptr;
    switch (mouseMode) {
    case 1:
        if (left)
            emit select_model_angle_changed((dy - dx) * 10);
        break;
    case 2:
        if (moved) {
            moved->translation.setX(moved->translation.x() + dx / 1000.0f);
            moved->translation.setZ(moved->translation.z() - dy / 1000.0f);
            sceneDirty = true;
        }
        break;
    case 3:
        if (moved) {
            moved->rotationX -= dx / 10.0f;
            moved->rotationY -= dy / 10.0f;
            sceneDirty = true;
        }
        break;
    case 4:
        if (left) {
            setPolarAngle(theta + 4 * dy);
            setAzimuthAngle(phi + 4 * dx);
        }
        break;
    case kMoveFootMode:
        if (left && footDrag.leg >= 0)
            moveFootDrag(event->pos(), event->modifiers() & Qt::ShiftModifier);
        break;
    default:
        break;
    }
    lastMouse = event->pos();
}

void OpenGLWidget::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && footDrag.leg >= 0) {
        const int leg = footDrag.leg;
        footDrag.leg = -1;
        emit footDragFinished(leg);
    }
}

void OpenGLWidget::wheelEvent(QWheelEvent *event)
{
    if (mouseMode == 5)
        zoomByWheel(event->angleDelta().y());
}

// ---------------------------------------------------------------- picking

void OpenGLWidget::drawSelectPass()
{
    const qreal dpr = devicePixelRatioF();
    glViewport(0, 0, int(viewWidth * dpr), int(viewHeight * dpr));
    glClear(GL_COLOR_BUFFER_BIT);
    drawBackground(animated.view, 1.0);
    glClear(GL_DEPTH_BUFFER_BIT);
    drawScene(scene, roots[shownTree()], 1);
    glFlush();
}

void OpenGLWidget::pickAt(int x, int y)
{
    const int joint = jointAt(x, y);
    if (joint == 0 || joint == selectedJoint)
        return;
    selectedJoint = joint;
    emit select_changed(joint);
}

int OpenGLWidget::jointAt(int x, int y)
{
    if (!ready || x < 0 || y < 0 || x >= viewWidth || y >= viewHeight)
        return 0;
    makeCurrent();
    drawSelectPass();
    // Framebuffer rows count from the bottom: widget row y is row h - 1 - y.
    // The two pixels read stay inside the framebuffer at the right edge.
    const qreal dpr = devicePixelRatioF();
    const int fbWidth = int(viewWidth * dpr);
    const int fbHeight = int(viewHeight * dpr);
    const int fx = std::min(int(x * dpr), fbWidth - 2);
    const int fy = fbHeight - 1 - int(y * dpr);
    unsigned char pixels[8] = {};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(std::max(fx, 0), fy, 2, 1, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    doneCurrent();
    update();
    if (pixels[0] != pixels[3] || pixels[1] != pixels[4] || pixels[2] != pixels[5])
        return 0;
    return jointOfPickColour(pixels[0], pixels[1], pixels[2]);
}

// ---------------------------------------------------------------- moving a foot

bool OpenGLWidget::rayAt(const QPoint &pos, const QMatrix4x4 &toFrame, QVector3D &origin,
                         QVector3D &direction) const
{
    bool invertible = false;
    const QMatrix4x4 back = (animated.projection * animated.view).inverted(&invertible);
    if (!invertible || viewWidth <= 0 || viewHeight <= 0)
        return false;
    const float x = 2.0f * (float(pos.x()) + 0.5f) / float(viewWidth) - 1.0f;
    const float y = 1.0f - 2.0f * (float(pos.y()) + 0.5f) / float(viewHeight);
    const QVector3D nearPoint = toFrame.map(back.map(QVector3D(x, y, -1)));
    const QVector3D farPoint = toFrame.map(back.map(QVector3D(x, y, 1)));
    origin = nearPoint;
    direction = (farPoint - nearPoint).normalized();
    return !direction.isNull();
}

void OpenGLWidget::beginFootDrag(int joint, const QPoint &pos)
{
    const int leg = joint == 10 ? 0 : joint == 18 ? 1 : -1;
    if (leg < 0) {
        emit footMissed();
        return;
    }
    const int tree = shownTree();
    const int footPart = leg == 0 ? LeftLeg5 : RightLeg5;
    EasyMesh *foot = treeNodes[tree][footPart];
    footDrag = FootDrag();
    footDrag.tree = tree;
    footDrag.drawn = drawnFromStart(tree);
    // The foot is held at its centre: the floor plane of the drag passes there.
    const QVector3D centre = foot->getGeometry() ? foot->getGeometry()->centroid() : QVector3D();
    footDrag.grab = footDrag.drawn.inverted().map(foot->geometryMatrix().map(centre));
    footDrag.firstTranslation = firstNode(tree)->translation;
    footDrag.leg = leg;
    lastMouse = pos;
    emit footDragStarted(leg);
}

void OpenGLWidget::moveFootDrag(const QPoint &pos, bool vertical)
{
    if (shownTree() != footDrag.tree) {
        // The support changed under the drag: it ends where it is.
        const int leg = footDrag.leg;
        footDrag.leg = -1;
        emit footDragFinished(leg);
        return;
    }
    const QMatrix4x4 toFrame = footDrag.drawn.inverted();
    QVector3D o0, d0, o1, d1;
    if (!rayAt(lastMouse, toFrame, o0, d0) || !rayAt(pos, toFrame, o1, d1))
        return;
    const QVector3D at = footDrag.grab + footDrag.delta;
    if (vertical) {
        // Up and down: the points of the vertical line through the foot
        // nearest to the pointer's rays.
        auto heightOn = [&at](const QVector3D &o, const QVector3D &d, float &h) {
            const float across = 1.0f - d.y() * d.y();
            if (across < 1e-4f)
                return false;   // looking straight down the line
            const QVector3D w = o - at;
            h = (w.y() - d.y() * QVector3D::dotProduct(d, w)) / across;
            return true;
        };
        float h0 = 0, h1 = 0;
        if (!heightOn(o0, d0, h0) || !heightOn(o1, d1, h1))
            return;
        footDrag.delta.setY(footDrag.delta.y() + (h1 - h0));
    } else {
        // Along the floor: where the rays meet the level plane through the foot.
        auto onPlane = [&at](const QVector3D &o, const QVector3D &d, QVector3D &p) {
            if (std::abs(d.y()) < 1e-4f)
                return false;   // the plane seen edge on
            const float t = (at.y() - o.y()) / d.y();
            if (t <= 0)
                return false;   // behind the camera
            p = o + t * d;
            return true;
        };
        QVector3D p0, p1;
        if (!onPlane(o0, d0, p0) || !onPlane(o1, d1, p1))
            return;
        footDrag.delta += QVector3D(p1.x() - p0.x(), 0, p1.z() - p0.z());
    }
    emit footDragged(footDrag.leg, footDrag.delta);
}

void OpenGLWidget::moveDraggedRobot(const QVector3D &delta)
{
    if (!ready || footDrag.leg < 0)
        return;
    EasyMesh *first = firstNode(footDrag.tree);
    // The first node's model matrix is root . T(t) . R; drawn so that the
    // tree frame lands at drawn . T(delta): t = (root^-1 . drawn . T(delta) . start . R^-1)'s place.
    QMatrix4x4 turn;
    turn.rotate(first->rotationZ, 0, 0, 1);
    turn.rotate(first->rotationY, 0, 1, 0);
    turn.rotate(first->rotationX, 1, 0, 0);
    const NodePlace &firstPlace = robot3d::treeNodes(footDrag.tree).first();
    const QMatrix4x4 start = scene::nodeMatrix(roots[footDrag.tree]->modelMatrix, QVector3D(1, 1, 1),
                                               firstPlace.translation, kFirstNodeRotation.x(), kFirstNodeRotation.y(),
                                               kFirstNodeRotation.z());
    QMatrix4x4 shift;
    shift.translate(delta);
    const QMatrix4x4 place = roots[footDrag.tree]->modelMatrix.inverted() * footDrag.drawn * shift * start
                             * turn.inverted();
    first->translation = place.column(3).toVector3D();
    sceneDirty = true;
}

QImage OpenGLWidget::grabSelectPass()
{
    if (!ready)
        return QImage();
    makeCurrent();
    drawSelectPass();
    const qreal dpr = devicePixelRatioF();
    const int w = int(viewWidth * dpr);
    const int h = int(viewHeight * dpr);
    QImage image(w, h, QImage::Format_RGBA8888);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, w, h, GL_RGBA, GL_UNSIGNED_BYTE, image.bits());
    doneCurrent();
    update();
    return image.mirrored();
}

QPoint OpenGLWidget::projectedPartCentre(int part) const
{
    EasyMesh *n = partNode(shownTree(), part);
    if (!n || !n->getGeometry())
        return QPoint(-1, -1);
    const QVector3D centre = n->getGeometry()->centroid();
    const QVector4D clip = animated.projection * animated.view * n->geometryMatrix() * QVector4D(centre, 1.0f);
    if (clip.w() <= 0)
        return QPoint(-1, -1);
    const float nx = clip.x() / clip.w();
    const float ny = clip.y() / clip.w();
    return QPoint(int((nx + 1) / 2 * viewWidth), int((1 - ny) / 2 * viewHeight));
}
