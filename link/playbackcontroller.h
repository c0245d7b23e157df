#pragma once
// The simulation: the open motion played on the 3D model with its timing,
// loops and music events, optionally downloaded to the robot frame by frame
// first and started there, so that the robot and the preview play side by
// side (each keeps its own time; no poses are streamed while playing).
//
// Widgets: actionSimulation, actionPause_simulation, actionStop_simulation;
// openGLWidget: jointAngles written. The frames come from the document and
// the frame list (whose current row follows the playback), the pose sent
// before the download from the joint panel, the Bluetooth choice (which
// slows the download down) from the connection panel, and the music from the
// music panel.

#include <QObject>

#include "link/playback.h"

namespace Ui { class MainWindow; }
class ConnectionPanel;
class FrameList;
class JointPanel;
class MotionDocument;
class MusicPanel;
class OpenGLWidget;
class Prompt;
class RobotLink;

class Playback : public QObject
{
    Q_OBJECT

public:
    Playback(Ui::MainWindow *ui, OpenGLWidget *view, MotionDocument &document, JointPanel &joints,
             FrameList &list, MusicPanel &music, RobotLink &link, const ConnectionPanel &connection,
             Prompt &prompt, QObject *parent = nullptr);

    // A simulation plays (not paused).
    bool running() const { return stepper_.state() == playback::Playing; }
    // No simulation plays or is paused.
    bool stopped() const { return stepper_.state() == playback::Stopped; }
    const playback::Stepper &stepper() const { return stepper_; }

    // The 10 ms step: the model moves on, the frames and the music follow.
    // It waits while the frame list's thumbnail walk runs.
    void tick();

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
    // Pause between the requests of the download.
    void downloadPause();

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
};
