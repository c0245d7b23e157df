// The composition root: the window makes the rooms (motion document and views,
// music, 3D view tool bar, link and robot pages, playback) and connects them,
// drives the 10 ms timer, and runs the application shell: language, frame
// picture size, 3D background and the tab-dependent tool bars.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QStatusBar>
#include <QStandardItemModel>
#include <QTextStream>
#include <QTranslator>

#include "app/balancepanel.h"
#include "app/helpmenu.h"
#include "app/initfile.h"
#include "app/resourceinit.h"
#include "common/textfit.h"
#include "common/wheelguard.h"
#include "files/transferlist.h"
#include "link/connectionpanel.h"
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

    loadInitFile();
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

    ui->actionSave->setEnabled(false);

    // Settings the robot no longer takes from here, and the extra servos until
    // the robot's configuration enables them.
    for (QWidget *w : {static_cast<QWidget *>(ui->comboBoxBaudRate), static_cast<QWidget *>(ui->label_84),
                       static_cast<QWidget *>(ui->comboBoxInitBaudrateBle),
                       static_cast<QWidget *>(ui->comboBoxInitBaudratePc),
                       static_cast<QWidget *>(ui->comboBoxInitBaudrateServo),
                       static_cast<QWidget *>(ui->label_135), static_cast<QWidget *>(ui->label_136),
                       static_cast<QWidget *>(ui->label_137), static_cast<QWidget *>(ui->groupBox_48),
                       static_cast<QWidget *>(ui->groupBoxServo19), static_cast<QWidget *>(ui->groupBoxServo20),
                       static_cast<QWidget *>(ui->radioButtonExtendServo1),
                       static_cast<QWidget *>(ui->radioButtonExtendServo2)})
        w->hide();

    ui->lcdNumberVoltage->setSegmentStyle(QLCDNumber::Flat);
    ui->lcdNumberCurrent->setSegmentStyle(QLCDNumber::Flat);

    showToolBarsOfPage(0);
    connectShellActions();
}

void MainWindow::connectShellActions()
{
    const QList<int> languages = {initfile::LanguageEnglish, initfile::LanguageZhSimple,
                                  initfile::LanguageZhTraditional};
    for (int i = 0; i < languages.size(); ++i)
        connect(languageActions()[i], &QAction::triggered, this, [this, code = languages[i]] { changeLanguage(code); });
    for (int code = 1; code <= 5; ++code) {
        connect(pictureSizeActions()[code - 1], &QAction::triggered, this, [this, code] {
            applyPictureSize(initfile::pictureSizeOfCode(code));
            saveInitFile(0, code, 0);
        });
        connect(backgroundActions()[code - 1], &QAction::triggered, this, [this, code] {
            applyBackground(code);
            saveInitFile(0, 0, code);
        });
    }
    new HelpMenu(ui, promptRelay, this);
    connect(ui->tabWidget, &QTabWidget::currentChanged, this, &MainWindow::showToolBarsOfPage);
}

// ---------------------------------------------------------------- music and 3D view

void MainWindow::setupMusic()
{
    music_ = std::make_unique<MusicPanel>(ui, promptRelay, this);
    connect(music_.get(), &MusicPanel::listeningVolumeChosen, this,
            [this](int percent) { saveInitFile(0, 0, 0, percent); });
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
    viewToolBar_ = std::make_unique<ViewToolBar>(ui, view);
}

// ---------------------------------------------------------------- motion

void MainWindow::setupMotion()
{
    document_ = new MotionDocument(this);
    jointPanel_ = std::make_unique<JointPanel>(ui, *document_, ui->openGLWidget);
    frameList_ = std::make_unique<FrameList>(ui, *document_, *jointPanel_, ui->openGLWidget);
    frameInfo_ = std::make_unique<FrameInfoPanel>(ui, *document_, *frameList_);
    frameEditor_ = std::make_unique<FrameEditor>(ui, this, promptRelay, *document_, *jointPanel_, *frameList_,
                                                 *frameInfo_);
    fileCommands_ = std::make_unique<FileCommands>(ui, this, promptRelay, *document_, *jointPanel_, *frameList_);

    // Playback and a joint read drive the joint panel themselves.
    // (The simulation is made after the link; until then none plays.)
    jointPanel_->setDrivenElsewhere([this] {
        return (playback_ && !playback_->stopped()) || (connection && connection->readingJoints() != 0);
    });
    jointPanel_->setEditedRow([this] { return frameList_->currentRow(); });
    connect(jointPanel_.get(), &JointPanel::poseEdited, this, &MainWindow::followPoseEdit);
    connect(jointPanel_.get(), &JointPanel::timingEdited, frameInfo_.get(), &FrameInfoPanel::update);
    connect(jointPanel_.get(), &JointPanel::supportModeRequested, viewToolBar_.get(), &ViewToolBar::setSupportMode);
    frameList_->setPlaybackStopped([this] { return !playback_ || playback_->stopped(); });
    connect(frameList_.get(), &FrameList::frameChosen, frameInfo_.get(), &FrameInfoPanel::update);
    connect(document_, &MotionDocument::cellEdited, frameInfo_.get(), &FrameInfoPanel::update);
    music_->setFrames(*document_, *frameList_);
    new BalancePanel(ui, *document_, *frameList_, *viewToolBar_, promptRelay, this, frameList_.get());
}

void MainWindow::setupPlayback()
{
    playback_ = std::make_unique<Playback>(ui, ui->openGLWidget, *document_, *jointPanel_, *frameList_, *music_,
                                           *link, *connection, promptRelay);
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
    connection->setPositionTargets(jointPanel_->angleBoxes(), configPage->correctionBoxes());
    connection->setAfterPositions([this] { frameList_->refreshCurrentItem(); });
    servo = new ServoPanel(ui, *link, this);
    io = new IoPanel(ui, *link, *document_, this);
    io->setEditedRow([this] { return frameList_->currentRow(); });
    io->setLoadingFrame([this] { return jointPanel_->isLoadingFrame(); });
    // The origin pose of new files, the origin frame and the origin button.
    calibration = new CalibrationPanel(ui, *document_, *link, *connection, promptRelay, this, this);
    calibration->loadOriginFrame();
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

// ---------------------------------------------------------------- init file

QList<QAction *> MainWindow::languageActions() const
{
    return {ui->actionEnglish, ui->actionZhSimple, ui->actionZhTradition};
}

QList<QAction *> MainWindow::pictureSizeActions() const
{
    return {ui->action64_64, ui->action128_128, ui->action192_192, ui->action256_256, ui->action320_320};
}

QList<QAction *> MainWindow::backgroundActions() const
{
    return {ui->actionBubble, ui->actionSun, ui->actionMountains, ui->actionMoon, ui->actionAfternoon};
}

void MainWindow::checkOnly(const QList<QAction *> &group, QAction *chosen)
{
    for (QAction *a : group)
        a->setChecked(a == chosen);
}

// Code of the first checked action of a group (1-based), or the fallback.
static int firstCheckedCode(const QList<QAction *> &group, int fallback)
{
    for (int i = 0; i < group.size(); ++i)
        if (group[i]->isChecked())
            return i + 1;
    return fallback;
}

void MainWindow::saveInitFile(int language, int pictureSize, int background, int musicVolume)
{
    if (language < 1 || language > 3)
        language = firstCheckedCode(languageActions(), initfile::LanguageEnglish);
    if (pictureSize < 1 || pictureSize > 5)
        pictureSize = firstCheckedCode(pictureSizeActions(), initfile::Picture128);
    if (background < 1 || background > 5)
        background = firstCheckedCode(backgroundActions(), initfile::BackgroundBubble);
    if (musicVolume < 0 || musicVolume > initfile::MaxMusicVolume)
        musicVolume = music_->listeningVolume();
    // A folder or file that cannot be written is ignored: the choice holds for this run.
    initfile::write(QDir::currentPath(), language, pictureSize, background, musicVolume);
}

void MainWindow::loadInitFile()
{
    QFile file(initfile::filePath(QDir::currentPath()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        checkOnly(languageActions(), ui->actionEnglish);
        checkOnly(pictureSizeActions(), ui->action128_128);
        checkOnly(backgroundActions(), ui->actionBubble);
        saveInitFile(initfile::LanguageEnglish, initfile::Picture128, initfile::BackgroundBubble,
                     initfile::DefaultMusicVolume);
        return;
    }
    QTextStream in(&file);
    for (const initfile::Entry &entry : initfile::readEntries(in)) {
        switch (entry.key) {
        case initfile::Entry::Language:
            checkOnly(languageActions(), languageActions().value(entry.code - 1, ui->actionEnglish));
            break;
        case initfile::Entry::PictureSize:
            applyPictureSize(initfile::pictureSizeOfCode(entry.code));
            break;
        case initfile::Entry::Background:
            applyBackground(entry.code);
            break;
        case initfile::Entry::MusicVolume:
            music_->setListeningVolume(entry.code);
            break;
        }
    }
}

// ---------------------------------------------------------------- view settings

void MainWindow::applyPictureSize(int size)
{
    const int code = initfile::pictureCodeOfSize(size);
    if (code == 0)
        return;
    frameList_->setPictureSize(size);
    checkOnly(pictureSizeActions(), pictureSizeActions().at(code - 1));
}

void MainWindow::applyBackground(int code)
{
    if (code < 1 || code > 5)
        return;
    checkOnly(backgroundActions(), backgroundActions().at(code - 1));
    ui->openGLWidget->backgroundChoice = code;
    ui->openGLWidget->update();
    // The frame pictures show the background: draw them all again.
    frameList_->redrawPictures();
}

// ---------------------------------------------------------------- language

void MainWindow::changeLanguage(int code)
{
    // The translator lives for this command only: the texts set by the
    // retranslation keep the new language, everything made later follows the
    // translators chosen at program start. Hence the restart notice.
    QTranslator translator;
    if (code == initfile::LanguageZhSimple)
        translator.load(QStringLiteral(":/language/language/gaitForge_zh_simple"));
    else if (code == initfile::LanguageZhTraditional)
        translator.load(QStringLiteral(":/language/language/gaitForge_zh_traditional"));
    QCoreApplication::installTranslator(&translator);
    ui->retranslateUi(this);
    fitCombosToItems(this);
    checkOnly(languageActions(), languageActions().at(code - 1));
    saveInitFile(code, 0, 0);
    prompt_->warning(nullptr, tr("warning"),
                     tr("You have to reboot the software to get the full language support!"),
                     QMessageBox::Ok);
    QCoreApplication::removeTranslator(&translator);
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
    ui->actionReset_robot->setEnabled(editPage);
}
