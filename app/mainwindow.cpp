// The composition root: the window makes the rooms (motion document and views,
// music, 3D view tool bar, link and robot pages, playback) and connects them,
// drives the 10 ms timer, and runs the application shell: language, frame
// picture size, 3D background and the tab-dependent tool bars.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QStatusBar>
#include <QStandardItemModel>

#include "app/balancepanel.h"
#include "app/curvespage.h"
#include "app/footmover.h"
#include "app/helpmenu.h"
#include "app/posingpanel.h"
#include "app/resourceinit.h"
#include "app/shellsettings.h"
#include "common/textfit.h"
#include "common/wheelguard.h"
#include "files/transferlist.h"
#include "link/busscandock.h"
#include "link/connectionpanel.h"
#include "link/packetmonitordock.h"
#include "link/livepanel.h"
#include "playback/beatsnapper.h"
#include "playback/playback.h"
#include "link/robotlink.h"
#include "motion/autosave.h"
#include "motion/filecommands.h"
#include "motion/frameeditor.h"
#include "motion/frameinfopanel.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "music/musicpanel.h"
#include "view3d/openglwidget.h"
#include "files/filebrowser.h"
#include "robot/calibrationpanel.h"
#include "robot/configfilepage.h"
#include "robot/iopanel.h"
#include "robot/servopanel.h"
#include "view3d/robotmodel.h"
#include "view3d/viewtoolbar.h"

using namespace packet;

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), prompt_(new DialogPrompt)
{
    promptRelay.setTarget(prompt_.get());
    initGaitForgeResources();
    // Before the form exists, so every spin and combo box is polished under it.
    new WheelGuard(this);
    ui->setupUi(this);
    setInitialShellState();

    setupMusic();
    setupView3d();
    setupMotion();
    setupLink();
    setupPlayback();
    setupProtection();

    settings_ = new ShellSettings(ui, this, ui->openGLWidget, promptRelay, *frameList_, *music_);
    settings_->load();
    // Last, once the panels have filled their lists.
    fitCombosToItems(this);

    connect(&updateTimer, &QTimer::timeout, this, &MainWindow::timerUpdate);
    updateTimer.start(10);
    // The ticks sleep while no step has anything to count (see timerUpdate);
    // whatever starts one runs on this thread, so the check as the event
    // loop next turns (before it waits, or as it looks for events without
    // waiting) sees it and the ticks go on at once.
    if (QAbstractEventDispatcher *dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &MainWindow::wakeTicksIfNeeded);
        connect(dispatcher, &QAbstractEventDispatcher::awake, this, &MainWindow::wakeTicksIfNeeded);
    }
}

MainWindow::~MainWindow()
{
    updateTimer.stop();
    // The link thread stops (and is waited for) before the widgets go.
    delete link;
    link = nullptr;
    // The views and panels let go of their widgets' signals before the widgets go.
    playback_.reset();
    fileCommands_.reset();
    frameEditor_.reset();
    frameInfo_.reset();
    frameList_.reset();
    jointPanel_.reset();
    viewToolBar_.reset();
    music_.reset();
    delete ui;
}

void MainWindow::setPrompt(std::unique_ptr<Prompt> prompt)
{
    if (prompt) {
        prompt_ = std::move(prompt);
        promptRelay.setTarget(prompt_.get());
    }
}

void MainWindow::setInitialShellState()
{
    resize(1366, 725);
    setWindowIcon(QIcon(QStringLiteral(":/icons/icons/head.png")));

    showToolBarsOfPage(0);
    connectShellActions();
}

void MainWindow::connectShellActions()
{
    new HelpMenu(ui, promptRelay, this);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::showToolBarsOfPage);
}

// ---------------------------------------------------------------- music and 3D view

void MainWindow::setupMusic()
{
    music_ = std::make_unique<MusicPanel>(ui, promptRelay, this);
}

void MainWindow::setupView3d()
{
    // The view loads these when it is first shown.
    OpenGLWidget *view = ui->openGLWidget;
    for (int part = 0; part < robot3d::PartCount; ++part)
        view->stlPaths[part] = robot3d::stlResource(part);
    for (int choice = 1; choice <= 5; ++choice)
        view->backgroundPaths[choice - 1] = robot3d::backgroundResource(choice);
    view->floorPath = robot3d::floorResource();
    viewToolBar_ = std::make_unique<ViewToolBar>(ui, view, ui->toolBar_2);
}

// ---------------------------------------------------------------- motion

void MainWindow::setupMotion()
{
    document_ = new MotionDocument(this);
    jointPanel_ = std::make_unique<JointPanel>(ui, *document_, ui->openGLWidget);
    frameList_ = std::make_unique<FrameList>(ui, *document_, ui->openGLWidget);
    frameInfo_ = std::make_unique<FrameInfoPanel>(ui, *document_);
    frameEditor_ = std::make_unique<FrameEditor>(ui, this, promptRelay, *document_, *jointPanel_, *frameList_,
                                                 *frameInfo_);
    fileCommands_ = std::make_unique<FileCommands>(ui, this, promptRelay, *document_, *jointPanel_, *frameList_);

    // Playback and a joint read drive the joint panel themselves.
    // (The simulation is made after the link; until then none plays.)
    jointPanel_->setDrivenElsewhere([this] {
        return (playback_ && !playback_->stopped()) || (connection && connection->readingJoints() != 0);
    });
    connect(jointPanel_.get(), &JointPanel::poseEdited, this, &MainWindow::followPoseEdit);
    connect(jointPanel_.get(), &JointPanel::timingEdited, frameInfo_.get(), &FrameInfoPanel::update);
    connect(jointPanel_.get(), &JointPanel::supportModeRequested, viewToolBar_.get(), &ViewToolBar::setSupportMode);
    frameList_->setPlaybackStopped([this] { return !playback_ || playback_->stopped(); });
    connect(document_, &MotionDocument::cellEdited, frameInfo_.get(), &FrameInfoPanel::update);
    music_->setFrames(*document_);
    connect(music_.get(), &MusicPanel::frameTimed, jointPanel_.get(), &JointPanel::setTimes);
    connect(music_.get(), &MusicPanel::askingForMusicFile, frameList_.get(), &FrameList::forgetControlKey);
    new BalancePanel(ui, ui->openGLWidget, *document_, *frameList_, *frameInfo_, *viewToolBar_, promptRelay, this, frameList_.get());
    new FootMover(ui->openGLWidget, *jointPanel_, *document_, ui->statusBar, frameList_.get());
}

void MainWindow::setupPlayback()
{
    playback_ = std::make_unique<Playback>(ui, ui->openGLWidget, *document_, *jointPanel_, *frameList_, *music_,
                                           *link, *connection, promptRelay);
    new BeatSnapper(ui->statusBar, *document_, *frameList_, music_->beats(), promptRelay, this, this);
    new CurvesPage(ui, this, *document_, *frameList_, *playback_, *connection, promptRelay, this);
    auto *posing = new PosingPanel(this, ui->statusBar, *jointPanel_, ui->openGLWidget, *link, *playback_, this);
    ui->menuSetting->addAction(posing->stopAction());
    new BusScanDock(*link, ui->menuSetting, posing->toolBar(), this);
    connection->setPositionsClaimed([posing](int servo) { return posing->claims(servo); });
}

void MainWindow::followPoseEdit()
{
    // The robot follows at once, unless the thumbnail walk is stepping through
    // the frames (followPose checks the link and the joint read).
    if (!link)
        return;
    const MotionDocument::Angles angles = jointPanel_->angles();
    link->setPose(angles);
    if (frameList_->refreshState() == FrameList::Idle)
        connection->followPose(angles);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!fileCommands_->runSavePrompt(true)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------- protection of the robot and the work

void MainWindow::setupProtection()
{
    // Joint limits: the default range until a configure file has been read,
    // then the min and max boxes of the robot setting page, as they are
    // edited; an edit held at a limit is said in the status bar.
    connect(configPage, &ConfigFilePage::userLimitsChanged, this, &MainWindow::updateJointLimits);
    // The configure file read last (the local copy) supplies them at start.
    configPage->readLocalCopy();
    connect(jointPanel_.get(), &JointPanel::jointHeld, this,
            [this](const QString &text) { ui->statusBar->showMessage(text, 8000); });

    // Autosave while there are unsaved changes, and before a download.
    autosave_ = new Autosave(*document_, promptRelay, this, QDir::currentPath(), this);
    autosave_->setLoopKeyAccess([this] { return jointPanel_->loopKey(); },
                                [this](bool on) { jointPanel_->setLoopKey(on); });
    connect(autosave_, &Autosave::recovered, fileCommands_.get(), &FileCommands::updateTitle);
    connect(playback_.get(), &Playback::aboutToDownload, autosave_, [this] { autosave_->writeNow(); });
    connect(autosave_, &Autosave::failed, this, [this](const QString &text) { ui->statusBar->showMessage(text); });
}

void MainWindow::updateJointLimits()
{
    const configfile::Settings settings = configPage->settingsFromWidgets();
    document_->setJointLimits(jointlimits::fromConfig(settings.minimums, settings.maximums));
}

// ---------------------------------------------------------------- link and robot panels

void MainWindow::setupLink()
{
    link = new RobotLink(promptRelay, this, this);
    connection = new ConnectionPanel(ui, *link, promptRelay, this);
    files = new FileBrowser(ui, *link, promptRelay, this, this);
    transferList_ = new TransferList(ui, *link, *files, promptRelay, this, this);
    configPage = new ConfigFilePage(ui, *link, *files, promptRelay, this, this);
    connect(configPage, &ConfigFilePage::extraServosChosen, jointPanel_.get(), &JointPanel::setExtraServosShown);
    connection->setPositionTargets(jointPanel_->angleBoxes(), configPage->correctionBoxes());
    connection->setAfterPositions([this] { frameList_->refreshCurrentItem(); });
    servo = new ServoPanel(ui, *link, this);
    io = new IoPanel(ui, *link, *document_, this);
    jointPanel_->setLedChannels([this] { return io->ledChannels(); });
    // The origin pose of new files, the origin frame and the origin button.
    calibration = new CalibrationPanel(ui, *document_, *link, *connection, promptRelay, this, this);
    calibration->loadOriginFrame();
    auto *live = new LivePanel(this, menuBar(), ui->statusBar, *link, promptRelay, this);
    new PacketMonitorDock(*link, live->viewMenu(), this);
    connect(live, &LivePanel::partColoursChanged, ui->openGLWidget, &OpenGLWidget::setPartColours);
}

// ---------------------------------------------------------------- timer

void MainWindow::timerUpdate()
{
    // Each 10 ms tick, in this order: the transfer list's send step, the link
    // watchdog, the edit settle countdown, the frame list's thumbnail walk, the
    // playback tick and the keep-alive request. The send step keeps its own
    // pace by the clock.
    transferList_->tick();
    link->watchdogTick(playback_->running() || frameList_->refreshState() != 0);
    document_->settleTick();
    frameList_->walkTick();
    playback_->tick();
    link->keepAliveTick();
    // With nothing left to count the timer sleeps: a window at rest does not
    // wake a hundred times a second.
    if (!ticksNeeded()) {
        updateTimer.stop();
        ticksAsleep = true;
    }
}

bool MainWindow::ticksNeeded() const
{
    // A step that counts time adds here what it needs the ticks for.
    return link->isRunning() || link->greeted() || transferList_->sending() || document_->editSettleCountdown() >= 0
           || frameList_->refreshState() != 0 || playback_->running() || playback_->waitingForRobot();
}

void MainWindow::wakeTicksIfNeeded()
{
    if (ticksAsleep && ticksNeeded()) {
        ticksAsleep = false;
        updateTimer.start(10);
    }
}

void MainWindow::stopTicks()
{
    ticksAsleep = false;
    updateTimer.stop();
}

// ---------------------------------------------------------------- keys

void MainWindow::keyPressEvent(QKeyEvent *event)
{
    // Held keys choose how a click in the frame list selects frames.
    if (event->key() == Qt::Key_Shift)
        frameList_->heldKeys().shift = true;
    else if (event->key() == Qt::Key_Control)
        frameList_->heldKeys().ctrl = true;
    QMainWindow::keyPressEvent(event);
}

void MainWindow::keyReleaseEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Shift)
        frameList_->heldKeys().shift = false;
    else if (event->key() == Qt::Key_Control)
        frameList_->heldKeys().ctrl = false;
    QMainWindow::keyReleaseEvent(event);
}

// ---------------------------------------------------------------- tabs

void MainWindow::showToolBarsOfPage(int index)
{
    // Motion editing tool bars belong to the first page; the transfer list's
    // tool bar to the remote page; the link's tool bar is always there.
    // An editing tool bar beside the pages (left or right) stays in place,
    // only disabled, so the tab bar does not move sideways between pages;
    // one above or below hides.
    const bool editPage = index != 1 && index != 2 && index != 3;
    for (QToolBar *bar : {ui->mainToolBar, ui->toolBar, ui->toolBar_2, ui->toolBar_3}) {
        const Qt::ToolBarArea area = toolBarArea(bar);
        const bool beside = area == Qt::LeftToolBarArea || area == Qt::RightToolBarArea;
        bar->setVisible(editPage || beside);
        bar->setEnabled(editPage);
    }
    ui->toolBar_4->setVisible(true);
    ui->toolBar_5->setVisible(index == 2);
    if (connection)
        connection->setResetAllowed(editPage);
}
