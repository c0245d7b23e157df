// The simulation: the open motion played on the 3D model with its timing,
// loops and music events, optionally downloaded to the robot frame by frame
// first and started there, so that the robot and the preview play side by
// side (each keeps its own time; no poses are streamed while playing).

#include "app/mainwindow.h"
#include "ui_mainwindow.h"
#include "link/robotlink.h"

#include <QMediaPlayer>
#include <QStandardItemModel>
#include <QThread>

#include "link/serialportthread.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "view3d/openglwidget.h"

using namespace packet;

playback::Frames MainWindow::playbackFrames() const
{
    playback::Frames frames;
    frames.count = qMin(document().rowCount(), ui->listWidgetGraphicOperation->count());
    frames.cell = [this](int row, int column) { return document().cell(row, column); };
    return frames;
}

bool MainWindow::simulationStopped() const
{
    return playbackStepper.state() == playback::Stopped;
}

bool MainWindow::playbackRunning() const
{
    return playbackStepper.state() == playback::Playing;
}

// Pause between the requests of the download: the Bluetooth bridge's line is
// slow and its buffer small.
void MainWindow::downloadPause()
{
    QThread::msleep(ui->checkBoxBle->isChecked() ? 200 : 30);
}

bool MainWindow::downloadMotionToRobot()
{
    link->setDownloading(true);
    const playback::Frames frames = playbackFrames();
    const int rows = document().rowCount();
    if (playback::countLoopStarts({rows, frames.cell}) > 1) {
        prompt().warning(nullptr, tr("warning"),
                         tr("The loop can't be nested in debug mode! Please run it in file mode."),
                         QMessageBox::Ok);
        link->setKeepAliveCount(0);
        link->setDownloading(false);
        return false;
    }

    // Every request must have gone out before the robot is told to run the
    // motion: a missing frame or summary would leave it running an older one.
    bool complete = true;
    if (link->isRunning()) {
        copyJointPanelToPose();
        int row[kFrameColumns];
        for (int r = 0; r < rows; ++r) {
            for (int column = 0; column < kFrameColumns; ++column)
                row[column] = document().cell(r, column);
            fillDebugFrame(link->request().debugFrame, row, r);
            complete = link->post(DebugFrame, Write) && complete;
            downloadPause();
        }
    }

    downloadPause();
    const playback::LoopScan loops = playback::scanLoops({rows, frames.cell});
    if (!loops.valid) {
        prompt().warning(nullptr, tr("error loop"), tr("The loop cannot be nested in debug mode. Or loop error."),
                         QMessageBox::Ok);
        complete = false;
    } else if (link->isRunning()) {
        fillDebugSummary(link->request().debugSummary, rows - 1, loops.startRow, loops.endRow,
                         loops.loopTimes);
        complete = link->post(DebugSummary, Write) && complete;
        downloadPause();
    }

    if (ui->checkBoxBle->isChecked())
        QThread::msleep(200);
    if (link->isRunning() && complete) {
        link->request().setRunCode(2);
        link->post(RunFile, Write);
        QThread::msleep(30);
        link->request().setPlayControl(1);
        link->post(PlayControl, Write);
    }
    link->setKeepAliveCount(0);
    link->setDownloading(false);
    return true;
}

void MainWindow::startPlaybackMusic(int volume)
{
    mediaPlayer->setVolume(volume);
    mediaPlayer->play();
    lastPlayPosition = 0;
}

void MainWindow::on_actionSimulation_triggered()
{
    if (ui->listWidgetGraphicOperation->count() < 1)
        return;
    if (prompt().warning(nullptr, tr("warning"), tr("Do  you want to simulate with the robot?"),
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
            == QMessageBox::Yes
        && !downloadMotionToRobot())
        return;  // refused: no playback either

    const playback::StartResult started = playbackStepper.start(playbackFrames(), ui->openGLWidget->jointAngles);
    if (!started.started)
        return;
    // The state is already "playing": loading row 0 into the panel moves
    // neither the model nor the robot.
    frameList().setWalkRow(0);
    if (started.music == playback::MusicPlay)
        startPlaybackMusic(started.volume);
    if (started.loopEndFirst)
        prompt().warning(nullptr, tr("warning"), tr("Please don't put loop end in first frame!"), QMessageBox::Ok);
}

void MainWindow::on_actionPause_simulation_triggered()
{
    playbackStepper.pause();
    mediaPlayer->pause();
    if (link->isRunning()) {
        link->request().setPlayControl(2);
        link->post(PlayControl, Write);
    }
}

void MainWindow::on_actionStop_simulation_triggered()
{
    const bool wasRunning = !simulationStopped();
    playbackStepper.stop();
    mediaPlayer->stop();
    if (link->isRunning()) {
        link->request().setPlayControl(3);
        link->post(PlayControl, Write);
    }
    // A preview stopped between two frames leaves the model in a pose of no
    // frame; the current frame's own pose goes back onto it, so that its
    // picture and the joint panel show that frame.
    const int row = ui->listWidgetGraphicOperation->currentRow();
    if (wasRunning && row >= 0 && row < document().rowCount())
        for (int i = 0; i < playback::kModelJoints; ++i)
            ui->openGLWidget->jointAngles[i] = document().cell(row, i) / 10.0f;
}

void MainWindow::playbackTick()
{
    if (!playbackRunning() || frameList().refreshState() != 0)
        return;
    const int current = ui->listWidgetGraphicOperation->currentRow();
    const playback::TickResult step =
        playbackStepper.tick(playbackFrames(), current, ui->openGLWidget->jointAngles);
    if (step.select >= 0) {
        switch (step.music) {
        case playback::MusicPlay: startPlaybackMusic(step.volume); break;
        case playback::MusicStop: mediaPlayer->stop(); break;
        case playback::MusicPause: mediaPlayer->pause(); break;
        default: break;
        }
        frameList().setWalkRow(step.select);
    }
    if (step.ended)
        mediaPlayer->stop();
    if (step.loopFault > 0)
        prompt().warning(nullptr, tr("error loop end"), tr("frame:") + QString::number(step.loopFault),
                         QMessageBox::Ok);
}
