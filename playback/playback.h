#pragma once
// The simulation: the open motion played on the 3D model with its timing,
// loops and music events, optionally downloaded to the robot frame by frame
// first and started there, so that the robot and the preview play side by
// side (each keeps its own time; no poses are streamed while playing).
// The preview runs on a monotonic clock, so it keeps the robot's and the
// music's pace even when the window's steps come late.
//
// Widgets: actionSimulation, actionPause_simulation, actionStop_simulation;
// openGLWidget: jointAngles written. The frames, their count and the current
// frame come from the document (the frame reached is made its current frame,
// through the frame list's walk step; the list's thumbnail walk holds the
// preview back while it runs), the pose sent before the download from the
// joint panel, the Bluetooth choice (which
// slows the download down) from the connection panel, and the music from the
// music panel.
// Widgets it owns: actionSimulation, actionPause_simulation, actionStop_simulation

#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QObject>

#include <functional>

#include "playback/stepper.h"

namespace Ui { class MainWindow; }
class ConnectionPanel;
class FrameList;
class JointPanel;
class MotionDocument;
class MusicPanel;
class OpenGLWidget;
class Prompt;
class RobotLink;

// One line per frame the preview reaches ("frame N starts at T ms"); off
// unless enabled, e.g. QT_LOGGING_RULES="gaitforge.playback.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcPlayback)

class Playback : public QObject
{
    Q_OBJECT

public:
    Playback(Ui::MainWindow *ui, OpenGLWidget *view, MotionDocument &document, JointPanel &joints,
             FrameList &list, MusicPanel &music, RobotLink &link, const ConnectionPanel &connection,
             Prompt &prompt, QObject *parent = nullptr);

    // A simulation plays (not paused).
    bool running() const { return stepper_.state() == playback::Playing; }
    // The motion has been handed to the link for the robot; the preview
    // starts as the last of it has gone out, when the robot starts too.
    bool waitingForRobot() const { return waitingForRobot_; }
    // No simulation plays or is paused.
    bool stopped() const { return stepper_.state() == playback::Stopped; }
    const playback::Stepper &stepper() const { return stepper_; }

    // The 10 ms step: the model moves on to where the clock says it is, the
    // frames and the music follow. It waits while the frame list's thumbnail
    // walk runs (the clock runs on; the next step catches up).
    void tick();

    // The clock the preview runs on, in milliseconds (a monotonic clock by
    // default; tests give their own).
    void setClock(std::function<qint64()> clock);
    // Preview time now (ms since the start, pauses left out).
    qint64 previewTime() const { return stepper_.clockAt(now()); }
    // Where the preview's music should be now (ms into the file), -1 when
    // the preview plays no music.
    qint64 expectedMusicPosition() const { return stepper_.musicPositionAt(now()); }

signals:
    // The motion is about to be downloaded to the robot.
    void aboutToDownload();
    // Where the preview is after a step: the row it plays and the
    // milliseconds into that frame (its move, then its delay); row -1 once
    // the preview has stopped or ended.
    void positionChanged(int row, qint64 intoFrame);

public slots:
    // Asks whether the robot plays along (then downloads the motion to it),
    // and starts or resumes the preview.
    void start();
    void pause();
    void stop();

private:
    playback::Frames frames() const;
    // Downloads the motion to the robot and starts it there (when the link
    // runs). False when the motion was refused (more than one loop start).
    bool downloadMotionToRobot();
    // Least gap before a request of the download: the Bluetooth bridge's line
    // is slow and its buffer small.
    int downloadGap() const;
    // Starts or resumes the preview.
    void startPreview();
    // The robot was told to run the motion (or will not be): the waiting ends.
    void endWaiting();
    qint64 now() const { return clock_ ? clock_() : monotonic.elapsed(); }
    // Frames reached: logged, the last one selected, the music as they leave it.
    void follow(const playback::TickResult &step);

    Ui::MainWindow *ui;
    OpenGLWidget *view;
    MotionDocument &document;
    JointPanel &joints;
    FrameList &list;
    MusicPanel &music;
    RobotLink &link;
    const ConnectionPanel &connection;
    Prompt &prompt;
    playback::Stepper stepper_;
    QElapsedTimer monotonic;
    std::function<qint64()> clock_;
    bool waitingForRobot_ = false;
};
