// Construction (with the link and the robot pages' panels), the 10 ms timer
// and the application shell: language, frame picture size, 3D background, the
// flash-format guard, help entries and the tab-dependent tool bars.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLCDNumber>
#include <QStandardItemModel>
#include <QTextStream>
#include <QTranslator>

#include "app/initfile.h"
#include "app/resourceinit.h"
#include "files/itemdelegates.h"
#include "link/connectionpanel.h"
#include "link/playbackcontroller.h"
#include "link/robotlink.h"
#include "motion/filecommands.h"
#include "motion/frameeditor.h"
#include "motion/frameinfopanel.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "music/musicpanel.h"
#include "view3d/openglwidget.h"
#include "files/filebrowser.h"
#include "robot/configfilepage.h"
#include "robot/iopanel.h"
#include "robot/servopanel.h"
#include "view3d/robotmodel.h"
#include "view3d/viewtoolbar.h"

using namespace packet;

const char *const MainWindow::kMakerWebPage = "https://gaitforge.org";

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent), ui(new Ui::MainWindow), prompt_(new DialogPrompt)
{
    promptRelay.setTarget(prompt_.get());
    initGaitForgeResources();
    ui->setupUi(this);
    setInitialShellState();

    setupMusic();
    setupView3d();
    setupMotion();
    setupLink();
    setupPlayback();

    loadInitFile();

    connect(&updateTimer, &QTimer::timeout, this, &MainWindow::timerUpdate);
    updateTimer.start(10);
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

    // Formatting the flash is guarded; the choice is not remembered.
    ui->actionDisable->setChecked(true);
    ui->actionEnable->setChecked(false);
    ui->pushButtonFormatFlash->setEnabled(false);

    on_tabWidget_currentChanged(0);
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
    viewToolBar_ = std::make_unique<ViewToolBar>(ui, view);
}

// ---------------------------------------------------------------- motion

void MainWindow::setupMotion()
{
    document_ = new MotionDocument(this);
    auto prompt = [this]() -> Prompt & { return *prompt_; };
    jointPanel_ = std::make_unique<JointPanel>(ui, *document_, ui->openGLWidget);
    frameList_ = std::make_unique<FrameList>(ui, *document_, *jointPanel_, ui->openGLWidget);
    frameInfo_ = std::make_unique<FrameInfoPanel>(ui, *document_, *frameList_);
    frameEditor_ = std::make_unique<FrameEditor>(ui, this, prompt, *document_, *jointPanel_, *frameList_,
                                                 *frameInfo_);
    fileCommands_ = std::make_unique<FileCommands>(ui, this, prompt, *document_, *jointPanel_, *frameList_);
    setupTransferListModel();

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
    music_->setFrames(*document_, *frameList_);
}

void MainWindow::setupPlayback()
{
    playback_ = std::make_unique<Playback>(ui, ui->openGLWidget, *document_, *jointPanel_, *frameList_, *music_,
                                           *link, *connection, promptRelay);
}

void MainWindow::followPoseEdit()
{
    // The robot follows at once, unless the thumbnail walk is stepping through
    // the frames (sendJointEditRequests checks the link and the joint read).
    if (link)
        copyJointPanelToPose();
    if (frameList_->refreshState() == FrameList::Idle)
        sendJointEditRequests();
}

void MainWindow::setupTransferListModel()
{
    // The transfer file list: nine text columns with their editors.
    transFileListModel = new QStandardItemModel(0, 9, this);
    transFileListModel->setHorizontalHeaderLabels({tr("name"), tr("file type"), tr("combination key"), tr("key 1"),
                                                   tr("key 2"), tr("fall type"), tr("common file name"),
                                                   tr("source file"), tr("robot path")});
    QTableView *list = ui->tableViewTransFileList;
    list->setItemDelegateForColumn(1, new ComboDelegate(ComboDelegate::FileType, this));
    list->setItemDelegateForColumn(2, new ComboDelegate(ComboDelegate::CombinationKey, this));
    auto *keys = new ComboDelegate(ComboDelegate::Key, this);
    list->setItemDelegateForColumn(3, keys);
    list->setItemDelegateForColumn(4, keys);
    list->setItemDelegateForColumn(5, new ComboDelegate(ComboDelegate::FallType, this));
    list->setItemDelegateForColumn(8, new ComboDelegate(ComboDelegate::RobotPath, this));
    list->setModel(transFileListModel);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!fileCommands_->runSavePrompt(true)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}

// ---------------------------------------------------------------- link and robot panels

void MainWindow::setupLink()
{
    link = new RobotLink(promptRelay, this, this);
    connection = new ConnectionPanel(ui, *link, promptRelay, this);
    connection->setPositionTargets(jointBoxes(), correctionBoxes());
    connection->setAfterPositions([this] { refreshCurrentFrameItem(); });
    files = new FileBrowser(ui, *link, *connection, promptRelay, this, this);
    configPage = new ConfigFilePage(ui, *link, *files, promptRelay, this, this);
    servo = new ServoPanel(ui, *link, this);
    io = new IoPanel(ui, *link, this);
}

// ---------------------------------------------------------------- joint panel and the link

void MainWindow::copyJointPanelToPose()
{
    std::array<int, kPoseServos> angles{};
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < kPoseServos; ++i)
        angles[size_t(i)] = boxes[i]->value();
    link->setPose(angles);
}

void MainWindow::sendJointEditRequests()
{
    if (!link->isRunning() || connection->readingJoints() != 0)
        return;
    std::array<int, kPoseServos> angles{};
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (int i = 0; i < kPoseServos; ++i)
        angles[size_t(i)] = boxes[i]->value();
    link->sendPose(angles);
}

QVector<QSpinBox *> MainWindow::jointBoxes() const
{
    return {ui->spinBoxAngleHead,  ui->spinBoxAngleLhand1, ui->spinBoxAngleLhand2, ui->spinBoxAngleLhand3,
            ui->spinBoxAngleLleg1, ui->spinBoxAngleLleg2,  ui->spinBoxAngleLleg3,  ui->spinBoxAngleLleg4,
            ui->spinBoxAngleLleg5, ui->spinBoxAngleRhand1, ui->spinBoxAngleRhand2, ui->spinBoxAngleRhand3,
            ui->spinBoxAngleRleg1, ui->spinBoxAngleRleg2,  ui->spinBoxAngleRleg3,  ui->spinBoxAngleRleg4,
            ui->spinBoxAngleRleg5, ui->spinBoxAngleExtendServo1, ui->spinBoxAngleExtendServo2};
}

QVector<QSpinBox *> MainWindow::correctionBoxes() const
{
    return {ui->spinBoxServo2Correction,  ui->spinBoxServo3Correction,  ui->spinBoxServo4Correction,
            ui->spinBoxServo5Correction,  ui->spinBoxServo6Correction,  ui->spinBoxServo7Correction,
            ui->spinBoxServo8Correction,  ui->spinBoxServo9Correction,  ui->spinBoxServo10Correction,
            ui->spinBoxServo11Correction, ui->spinBoxServo12Correction, ui->spinBoxServo13Correction,
            ui->spinBoxServo14Correction, ui->spinBoxServo15Correction, ui->spinBoxServo16Correction,
            ui->spinBoxServo17Correction, ui->spinBoxServo18Correction, ui->spinBoxServo19Correction,
            ui->spinBoxServo20Correction};
}

// ---------------------------------------------------------------- timer

void MainWindow::timerUpdate()
{
    // Each 10 ms tick, in this order: the transfer list's send step, the link
    // watchdog, the edit settle countdown, the frame list's thumbnail walk, the
    // playback tick and the keep-alive request. Steps not built yet are absent.
    link->watchdogTick(playback_->running() || frameList_->refreshState() != 0);
    document_->settleTick();
    frameList_->walkTick();
    playback_->tick();
    link->keepAliveTick();
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

void MainWindow::saveInitFile(int language, int pictureSize, int background)
{
    if (language < 1 || language > 3)
        language = firstCheckedCode(languageActions(), initfile::LanguageEnglish);
    if (pictureSize < 1 || pictureSize > 5)
        pictureSize = firstCheckedCode(pictureSizeActions(), initfile::Picture128);
    if (background < 1 || background > 5)
        background = firstCheckedCode(backgroundActions(), initfile::BackgroundBubble);
    // A folder or file that cannot be written is ignored: the choice holds for this run.
    initfile::write(QDir::currentPath(), language, pictureSize, background);
}

void MainWindow::loadInitFile()
{
    QFile file(initfile::filePath(QDir::currentPath()));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        checkOnly(languageActions(), ui->actionEnglish);
        checkOnly(pictureSizeActions(), ui->action128_128);
        checkOnly(backgroundActions(), ui->actionBubble);
        saveInitFile(initfile::LanguageEnglish, initfile::Picture128, initfile::BackgroundBubble);
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

void MainWindow::on_action64_64_triggered() { applyPictureSize(64); saveInitFile(0, 1, 0); }
void MainWindow::on_action128_128_triggered() { applyPictureSize(128); saveInitFile(0, 2, 0); }
void MainWindow::on_action192_192_triggered() { applyPictureSize(192); saveInitFile(0, 3, 0); }
void MainWindow::on_action256_256_triggered() { applyPictureSize(256); saveInitFile(0, 4, 0); }
void MainWindow::on_action320_320_triggered() { applyPictureSize(320); saveInitFile(0, 5, 0); }

void MainWindow::on_actionBubble_triggered() { applyBackground(1); saveInitFile(0, 0, 1); }
void MainWindow::on_actionSun_triggered() { applyBackground(2); saveInitFile(0, 0, 2); }
void MainWindow::on_actionMountains_triggered() { applyBackground(3); saveInitFile(0, 0, 3); }
void MainWindow::on_actionMoon_triggered() { applyBackground(4); saveInitFile(0, 0, 4); }
void MainWindow::on_actionAfternoon_triggered() { applyBackground(5); saveInitFile(0, 0, 5); }

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
    checkOnly(languageActions(), languageActions().at(code - 1));
    saveInitFile(code, 0, 0);
    prompt_->warning(nullptr, tr("warning"),
                     tr("You have to reboot the software to get the full language support!"),
                     QMessageBox::Ok);
    QCoreApplication::removeTranslator(&translator);
}

void MainWindow::on_actionEnglish_triggered() { changeLanguage(initfile::LanguageEnglish); }
void MainWindow::on_actionZhSimple_triggered() { changeLanguage(initfile::LanguageZhSimple); }
void MainWindow::on_actionZhTradition_triggered() { changeLanguage(initfile::LanguageZhTraditional); }

// ---------------------------------------------------------------- flash guard

void MainWindow::on_actionDisable_triggered()
{
    ui->actionDisable->setChecked(true);
    ui->actionEnable->setChecked(false);
    ui->pushButtonFormatFlash->setEnabled(false);
}

void MainWindow::on_actionEnable_triggered()
{
    ui->actionDisable->setChecked(false);
    ui->actionEnable->setChecked(true);
    ui->pushButtonFormatFlash->setEnabled(true);
}

// ---------------------------------------------------------------- help

void MainWindow::on_actionAbout_triggered()
{
    const QString text = QStringLiteral("<p align='center'><b>") + tr("ZEL gait forge")
                         + QStringLiteral("</b></p><p align='center'>") + tr("Version 1.2")
                         + QStringLiteral("</p><p align='center'>")
                         + tr("Made by the gaitForge developers") + QStringLiteral("</p>");
    prompt_->aboutWithPicture(nullptr, tr("about"), text, QStringLiteral(":/icons/icons/robot-toy.png"));
}

void MainWindow::on_actionRealease_notes_triggered()
{
    const QStringList notes = {
        tr("1. Fixed the problem of excessive memory usage and improved program fluency."),
        tr("2. The program interface is optimized to make it more beautiful and easy to use."),
        tr("3. Add a manual file."),
        tr("4. Save the config back file to ./bac."),
        tr("5. Remove baud rate setting."),
        tr("6. Remove origin frame setting."),
    };
    const QString text = QStringLiteral("<p align='center'>") + tr("Version 1.2") + QStringLiteral("</p>")
                         + QStringLiteral("\r\n\r\n") + notes.join(QStringLiteral("\r\n"));
    prompt_->about(nullptr, tr("release notes"), text);
}

void MainWindow::on_actionManual_triggered()
{
    // A missing manual is not reported.
    prompt_->openUrl(QUrl::fromLocalFile(QDir::currentPath() + QStringLiteral("/manual.pdf")));
}

void MainWindow::on_actionUpdate_triggered()
{
    prompt_->openUrl(QUrl(QString::fromLatin1(kMakerWebPage)));
}

// ---------------------------------------------------------------- tabs

void MainWindow::on_tabWidget_currentChanged(int index)
{
    // Motion editing tool bars belong to the first page; the transfer list's
    // tool bar to the remote page; the link's tool bar is always there.
    const bool editPage = index != 1 && index != 2 && index != 3;
    ui->mainToolBar->setVisible(editPage);
    ui->toolBar->setVisible(editPage);
    ui->toolBar_2->setVisible(editPage);
    ui->toolBar_3->setVisible(editPage);
    ui->toolBar_4->setVisible(true);
    ui->toolBar_5->setVisible(index == 2);
    ui->actionReset_robot->setEnabled(editPage);
}
