#include "playback/playback.h"
#include "ui_mainwindow.h"


#include "common/prompt.h"
#include "link/connectionpanel.h"
#include "link/robotlink.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "music/musicpanel.h"
#include "view3d/openglwidget.h"

using namespace packet;

Q_LOGGING_CATEGORY(lcPlayback, "gaitforge.playback", QtInfoMsg)

Playback::Playback(Ui::MainWindow *ui, OpenGLWidget *view, MotionDocument &document, JointPanel &joints,
                   FrameList &list, MusicPanel &music, RobotLink &link, const ConnectionPanel &connection,
                   Prompt &prompt, QObject *parent)
    : QObject(parent), ui(ui), view(view), document(document), joints(joints), list(list), music(music),
      link(link), connection(connection), prompt(prompt)
{
    connect(ui->actionSimulation, &QAction::triggered, this, &Playback::start);
    connect(ui->actionPause_simulation, &QAction::triggered, this, &Playback::pause);
    connect(ui->actionStop_simulation, &QAction::triggered, this, &Playback::stop);
    monotonic.start();
}

void Playback::setClock(std::function<qint64()> clock)
{
    clock_ = std::move(clock);
}

playback::Frames Playback::frames() const
{
    playback::Frames frames;
    frames.count = document.rowCount();
    frames.cell = [this](int row, int column) { return document.cell(row, column); };
    return frames;
}

int Playback::downloadGap() const
{
    return connection.bleChosen() ? RobotLink::kDownloadGapBleMs : RobotLink::kDownloadGapCableMs;
}

// The requests are handed to the link at once; the link thread writes them
// with the gaps given, so the window never waits for the robot's line.
bool Playback::downloadMotionToRobot()
{
    emit aboutToDownload();
    link.setDownloading(true);
    const playback::Frames frames = this->frames();
    const int rows = document.rowCount();
    if (playback::countLoopStarts({rows, frames.cell}) > 1) {
        prompt.warning(nullptr, tr("warning"),
                       tr("The loop can't be nested in debug mode! Please run it in file mode."), QMessageBox::Ok);
        link.setKeepAliveCount(0);
        link.setDownloading(false);
        return false;
    }

    // Every request must have been queued before the robot is told to run the
    // motion: a missing frame or summary would leave it running an older one.
    bool complete = true;
    const int gap = downloadGap();
    int nextGap = RobotLink::kRequestGapMs;
    if (link.isRunning()) {
        link.setPose(joints.angles());
        int row[kFrameColumns];
        for (int r = 0; r < rows; ++r) {
            for (int column = 0; column < kFrameColumns; ++column)
                row[column] = document.cell(r, column);
            complete = link.sendDebugFrame(row, r, nextGap) && complete;
            nextGap = gap;
        }
    }

    nextGap += gap;
    const playback::LoopScan loops = playback::scanLoops({rows, frames.cell});
    if (!loops.valid) {
        prompt.warning(nullptr, tr("error loop"), tr("The loop cannot be nested in debug mode. Or loop error."),
                       QMessageBox::Ok);
        complete = false;
    } else if (link.isRunning()) {
        complete = link.sendDebugSummary(rows - 1, loops.startRow, loops.endRow, loops.loopTimes, nextGap) && complete;
        nextGap = gap;
    }

    if (connection.bleChosen())
        nextGap += RobotLink::kRunPauseBleMs;
    waitingForRobot_ = false;
    if (link.isRunning() && complete) {
        link.runDownloaded(nextGap);
        waitingForRobot_ = link.playControl(PlayCode::Play);
    }
    if (!waitingForRobot_)
        endWaiting();
    return true;
}

void Playback::endWaiting()
{
    waitingForRobot_ = false;
    link.setKeepAliveCount(0);
    link.setDownloading(false);
}

void Playback::start()
{
    if (document.rowCount() < 1 || waitingForRobot_)
        return;
    if (prompt.warning(nullptr, tr("warning"), tr("Do  you want to simulate with the robot?"),
                       QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            == QMessageBox::Yes
        && !downloadMotionToRobot())
        return;  // refused: no playback either
    // The preview starts with the robot: once the link has written the
    // download and the run command (see tick).
    if (!waitingForRobot_)
        startPreview();
}

void Playback::startPreview()
{
    // The clock is read after the download: the robot starts its motion as
    // the preview starts.
    const playback::StartResult started = stepper_.start(frames(), view->jointAngles, now());
    if (started.music == playback::MusicPlay)
        music.startPlayback(started.volume, started.musicPosition);
    if (!started.started)
        return;
    qCDebug(lcPlayback, "frame 1 starts at 0 ms");
    // The state is already "playing": showing row 0 in the panel moves
    // neither the model nor the robot.
    list.setWalkRow(0);
    if (started.loopEndFirst)
        prompt.warning(nullptr, tr("warning"), tr("Please don't put loop end in first frame!"), QMessageBox::Ok);
}

void Playback::pause()
{
    // A preview still waiting for the robot's download does not start.
    if (waitingForRobot_)
        endWaiting();
    stepper_.pause(now());
    music.pause();
    if (link.isRunning()) {
        link.playControl(PlayCode::Pause);
    }
}

void Playback::stop()
{
    const bool wasRunning = !stopped();
    if (waitingForRobot_)
        endWaiting();
    stepper_.stop();
    music.stop();
    emit positionChanged(-1, 0);
    if (link.isRunning()) {
        link.playControl(PlayCode::Stop);
    }
    // A preview stopped between two frames leaves the model in a pose of no
    // frame; the current frame's own pose goes back onto it, so that its
    // picture and the joint panel show that frame.
    const int row = document.currentRow();
    if (wasRunning && row >= 0 && row < document.rowCount())
        for (int i = 0; i < playback::kModelJoints; ++i)
            view->jointAngles[i] = document.cell(row, i) / 10.0f;
}

void Playback::tick()
{
    if (waitingForRobot_) {
        // Every request of the download has left (or the link is gone).
        if (link.isRunning() && link.pendingRequests() > 0)
            return;
        endWaiting();
        startPreview();
        return;
    }
    if (!running() || list.refreshState() != 0)
        return;
    follow(stepper_.tick(frames(), document.currentRow(), view->jointAngles, now()));
    if (stopped())
        emit positionChanged(-1, 0);
    else
        emit positionChanged(stepper_.row(), stepper_.clock() - stepper_.frameStart());
}

void Playback::follow(const playback::TickResult &step)
{
    for (const playback::Reached &frame : step.reached)
        qCDebug(lcPlayback, "frame %d starts at %lld ms", frame.row + 1, static_cast<long long>(stepper_.clock()));
    switch (step.music) {
    case playback::MusicPlay: music.startPlayback(step.volume, step.musicPosition); break;
    case playback::MusicStop: music.stop(); break;
    case playback::MusicPause: music.pause(); break;
    default: break;
    }
    if (step.select >= 0)
        list.setWalkRow(step.select);
    if (step.ended)
        music.stop();
    for (int fault : step.loopFaults)
        prompt.warning(nullptr, tr("error loop end"), tr("frame:") + QString::number(fault), QMessageBox::Ok);
}
