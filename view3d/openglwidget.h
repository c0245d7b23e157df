#pragma once
// The 3D view of the robot: 18 STL parts on a textured floor in front of a
// panning background, posed from 17 joint angles (servos 2 to 18), in one of
// three trees depending on which foot (or the body) stays put. A click picks
// a joint by its identification colour, a drag turns it; in the move foot
// mode a drag says where a foot is wanted; the camera orbits, zooms and flies
// back on a reset.
//
// Drawing on demand: a 33 ms timer runs update_scene(), which compares what
// the picture depends on (joint angles, support mode, selection, background,
// fit request, camera, moves of the robot) with what was last drawn and asks
// for a frame only when something changed, or while the camera flies. A view
// at rest draws nothing. Thumbnails of any pose are drawn offscreen
// (renderThumbnail) without touching what the view shows.

#include <QColor>
#include <QElapsedTimer>
#include <QHash>
#include <QMatrix4x4>
#include <QImage>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QPoint>
#include <QPolygonF>
#include <QTimer>
#include <functional>
#include <memory>
#include <vector>

#include "view3d/camera.h"
#include "view3d/easymesh.h"
#include "view3d/robotmodel.h"

namespace balance { class Checker; }

class EasyGeometry;
class EasyMaterial;
class QOpenGLFramebufferObject;

class OpenGLWidget : public QOpenGLWidget, protected QOpenGLFunctions
{
    Q_OBJECT
public:
    explicit OpenGLWidget(QWidget *parent = nullptr);
    ~OpenGLWidget() override;

    // Joint angles in degrees, servos 2 to 18 in servo order.
    float jointAngles[robot3d::kJointCount] = {};
    // 0 left foot touchdown, 1 right foot touchdown, 2 body centre.
    int supportMode = 0;
    // Set to 1 to ask for a view reset at the next scene update.
    int fitRequest = 0;
    // 1 select joint, 2 move robot, 3 rotate robot, 4 rotate camera, 5 zoom,
    // 6 move foot (kMoveFootMode).
    int mouseMode = 1;
    // Highlighted joint, 2 to 18, or 0 for none.
    int selectedJoint = 2;
    // Background picture: 1 bubble, 2 sun, 3 mountains, 4 moon, 5 afternoon;
    // 0 (the start value) and any other value show bubble.
    int backgroundChoice = 0;

    // Resources, set before the view is first shown: the part meshes in part
    // order (robot3d::Part), the five backgrounds and the floor.
    QString stlPaths[robot3d::PartCount];
    QString backgroundPaths[5];
    QString floorPath;

    // ---- State for the window's tools and tests.
    bool isReady() const { return ready; }
    // Orbit of the main camera around the robot's middle: polar angle and
    // azimuth in degrees, zoom factor (1 at the start distance).
    double polarAngle() const { return theta; }
    double azimuthAngle() const { return phi; }
    float zoomFactor() const { return zoom; }
    const Camera &startCamera() const { return startCam; }
    const Camera &mainCamera() const { return mainCam; }
    const AnimatedCamera &viewCamera() const { return animated; }
    int loadedBackground() const { return loadedChoice; }
    EasyMesh *partNode(int tree, int part) const;
    EasyMaterial *partMaterial(int part) const;
    // Pixel (widget coordinates) where the centre of a part of the shown tree appears.
    QPoint projectedPartCentre(int part) const;
    // The picking pass (flat identification colours) as a picture of the widget's size.
    QImage grabSelectPass();
    // Milliseconds the last paintGL took (without waiting for the GL to finish).
    qint64 lastFrameMilliseconds() const { return lastFrameMs; }
    // Frames drawn so far (paintGL calls).
    int framesDrawn() const { return paints; }
    // A change of the pose, selection, support or background waits to be
    // drawn in the shown view (work that shares the event loop's turn with
    // that frame can wait for the next one).
    bool framePending() const;
    // Frames that take longer than the budget are logged ("took"), at most
    // once a second. 16 ms: half the 33 ms pace, the rest is the window's.
    static constexpr int kFrameBudgetMs = 16;
    void setFrameBudget(int ms) { frameBudgetMs = ms; }
    // The clock that spaces the "took" lines, in milliseconds (a monotonic
    // clock by default; tests give their own).
    void setClock(std::function<qint64()> clock);
    // The view's pace: update_scene() every kTickMs. stopTicks stops the
    // timer for good (tests call update_scene() themselves, one tick each).
    static constexpr int kTickMs = 33;
    void stopTicks() { sceneTimer.stop(); }

    // Camera orbit changes (a change to the current value does nothing). The
    // orbit goes on from the camera as it is: after a reset or a fit it
    // starts from the front view.
    void setPolarAngle(double degrees);
    void setAzimuthAngle(double degrees);
    void zoomByWheel(int delta);
    void resetView();
    // Puts the main camera at `eye`, looking at the robot's middle; the orbit
    // goes on from there.
    void lookFrom(const QVector3D &eye);

    // The robot in the pose `angles` (17 joint angles in degrees, servos 2 to
    // 18), drawn offscreen as the view's centre square shows it (same
    // camera, support mode and background; no joint highlighted) at side x
    // side pixels.
    // What the view shows is not touched. A null image until the view has
    // been set up (shown once).
    QImage renderThumbnail(const float *angles, int side);
    // What renderThumbnail draws behind the robot (the background and the
    // floor, no robot) at side x side pixels; the same image (one copy) for as
    // long as what it shows stays the same. A null image until set up.
    QImage thumbnailBackdrop(int side);
    // Picks the joint under (x, y) as a left click in select mode does.
    void pickAt(int x, int y);
    // The joint (2 to 18) whose part is drawn at (x, y), or 0 (the body, the
    // floor, the background, a border between parts).
    int jointAt(int x, int y);

    // Moving a foot (mouse mode 6): a left press on a foot starts a drag of
    // it (footDragStarted), each move says how far the pointer wants the foot
    // from where it was (footDragged: in the shown tree's frame, in scene
    // units, along the floor, or up and down while Shift is held), and the
    // release ends it (footDragFinished). A press elsewhere: footMissed.
    static constexpr int kMoveFootMode = 6;
    // The leg being dragged (0 left, 1 right), or -1.
    int draggedLeg() const { return footDrag.leg; }
    // The robot as drawn moved by delta (tree frame) from where it was drawn
    // when the drag began: a standing foot lands under the pointer.
    void moveDraggedRobot(const QVector3D &delta);

    // The balance overlay: the support polygon and the centre of mass of the
    // shown pose in the shown tree, on the floor, drawn over the robot while
    // shown (and a checker is given; not in thumbnails). The checker is not
    // owned.
    void setBalanceChecker(const balance::Checker *checker);
    void setBalanceShown(bool shown);
    bool balanceShown() const { return showBalance; }
    // Where the overlay was last drawn, in widget pixels (empty when not).
    QPolygonF balancePolygonOnScreen() const { return drawnPolygon; }
    QPointF balanceCentreOnScreen() const { return drawnCentre; }

    // Parts shown in a colour of their own, by joint (servo 2 to 18), such
    // as the live readings' alarms; an empty map shows every part as usual.
    // Only the shown view is coloured: picking and thumbnails are not.
    void setPartColours(const QHash<int, QColor> &colours);
    QHash<int, QColor> partColours() const { return partColours_; }

signals:
    void select_changed(int sel);
    void select_model_angle_changed(int val);
    void update_scence_complete();
    // The view has been set up (its GL resources exist): thumbnails can be drawn.
    void sceneReady();
    // A foot drag (mouse mode 6), leg 0 left, 1 right.
    void footDragStarted(int leg);
    void footDragged(int leg, const QVector3D &delta);
    void footDragFinished(int leg);
    void footMissed();

public slots:
    void update_scene();

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    int shownTree() const;
    EasyMesh *firstNode(int tree) const;
    void orbit();
    void followCamera();
    void loadBackground();
    void drawBackground(const QMatrix4x4 &view, double crop);
    // The background as last drawn for a camera, picture, crop and size: a
    // frame copies it instead of drawing it again while these stay.
    struct BackgroundCache {
        QOpenGLFramebufferObject *fbo = nullptr;
        QMatrix4x4 view;
        double crop = 0;
        int version = -1;
    };
    bool copyBackground(BackgroundCache &cache, const QMatrix4x4 &view, double crop, const QSize &size,
                        unsigned target);
    void drawSelectPass();
    void releaseGL();
    void applyPose(int tree, const float *angles);
    void drawBalance();
    QPointF toWidget(const QVector3D &scenePoint) const;
    void applyHighlight(int joint);
    // Where the tree's frame (the first node at its start place) is drawn:
    // the first node as moved or turned by the mouse, over its start place.
    QMatrix4x4 drawnFromStart(int tree) const;
    // The pointer's ray at a widget position in the frame `toFrame` maps the
    // scene into; false when the camera cannot say.
    bool rayAt(const QPoint &pos, const QMatrix4x4 &toFrame, QVector3D &origin, QVector3D &direction) const;
    void beginFootDrag(int joint, const QPoint &pos);
    void moveFootDrag(const QPoint &pos, bool vertical);
    struct FootDrag {
        int leg = -1;
        int tree = 0;
        QMatrix4x4 drawn;           // tree frame to scene at the press
        QVector3D grab;             // the foot's centre at the press (tree frame)
        QVector3D delta;            // where the pointer wants it, from grab
        QVector3D firstTranslation; // the first node's place at the press
    };
    FootDrag footDrag;
    void applyPartColours();
    QHash<int, QColor> partColours_;

    // What the picture depends on, besides the camera and the robot's place.
    struct Inputs {
        float angles[robot3d::kJointCount];
        int support, selected, background, fit;
        bool operator==(const Inputs &o) const;
    };
    Inputs inputs() const;

    QTimer sceneTimer;
    bool ready = false;
    Inputs drawnInputs{};
    bool sceneDirty = true;       // something besides the inputs changed (camera, robot moved)
    bool completePending = false; // a change waits to be reported as drawn
    int paintsAtChange = 0;
    int paintsAtFirstChange = 0;
    int paints = 0;
    std::function<qint64()> clock_;
    qint64 tookLoggedAt = 0;
    bool tookLogged = false;
    int frameBudgetMs = kFrameBudgetMs;
    QOpenGLFramebufferObject *thumbnailTarget = nullptr;
    EasyMesh *floorNode = nullptr;
    // The square picture of `angles`, or of the floor alone when null.
    QImage renderSquare(const float *angles, int side);
    // The last backdrop drawn, and what it was drawn from.
    QImage backdrop;
    QVector<float> backdropKey;
    // The backgrounds of the view and of the thumbnails: while only the robot
    // moves, they are copied, not drawn again.
    BackgroundCache viewBackground;
    BackgroundCache thumbnailBackground;
    int backgroundVersion = 0;

    // Orbit state: polar angle and azimuth in degrees, zoom factor (the
    // distance over the start distance).
    double theta = 90;
    double phi = 90;
    float zoom = 1.0f;
    double startDistance = 2.0;
    QPoint lastMouse;
    int viewWidth = 1;
    int viewHeight = 1;
    int updateCounter = 0;
    int lastSupportMode = 0;
    int loadedChoice = -1;
    qint64 lastFrameMs = 0;

    Light light;
    Camera startCam;
    Camera mainCam;
    AnimatedCamera animated;
    Scene scene;

    // Owned GL objects, made in initializeGL and freed with the context.
    std::vector<std::unique_ptr<EasyGeometry>> geometries;
    std::vector<std::unique_ptr<EasyMesh>> nodes;
    std::vector<std::unique_ptr<EasyMaterial>> materials;   // the program holder first
    EasyMaterial *partMaterials[robot3d::PartCount] = {};
    EasyMaterial *backgroundMaterial = nullptr;
    EasyMesh *backgroundNode = nullptr;
    EasyMesh *roots[robot3d::TreeCount] = {};
    EasyMesh *treeNodes[robot3d::TreeCount][robot3d::PartCount] = {};

    const balance::Checker *balanceChecker = nullptr;
    bool showBalance = false;
    QPolygonF drawnPolygon;
    QPointF drawnCentre;
};
