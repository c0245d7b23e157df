#pragma once
// The program's only top-level window and the composition root: it builds the
// form, makes the motion document, the robot link and one object per panel,
// connects them, and runs the application shell (language, picture size,
// background, help, key tracking, close) and the 10 ms timer. The subsystems
// keep their own state in their own folders.

#include <QElapsedTimer>
#include <QMainWindow>
#include <QModelIndex>
#include <QPixmap>
#include <QTimer>
#include <QVector>
#include <array>
#include <deque>
#include <memory>

#include "app/prompt.h"
#include "link/linkanswer.h"
#include "link/playback.h"
#include <qcustomplot.h>

namespace Ui { class MainWindow; }
class QActionGroup;
class ConnectionPanel;
class ConfigFilePage;
class FileBrowser;
class IoPanel;
class ServoPanel;
class RobotLink;
class QSpinBox;
class QCloseEvent;
class QStandardItemModel;
class QTranslator;
class QMediaPlayer;
class AudioDecoder;
class FileCommands;
class FrameEditor;
class FrameInfoPanel;
class FrameList;
class JointPanel;
class MotionDocument;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The form, for the subsystems' files and for tests.
    Ui::MainWindow *form() const { return ui; }

    // Replaces the dialogs seam (tests install a scripted one). Takes ownership.
    void setPrompt(std::unique_ptr<Prompt> prompt);
    Prompt &prompt() const { return *prompt_; }

    // Init file (working directory + "/.robot/init").
    void loadInitFile();
    void saveInitFile(int language, int pictureSize, int background);

    // Apply steps shared by the view-setting actions and the init file loader.
    void applyPictureSize(int size);
    void applyBackground(int code);

    // The motion document and its views (motion/), made and connected by the window.
    MotionDocument &document() const { return *document_; }
    JointPanel &jointPanel() const { return *jointPanel_; }
    FrameList &frameList() const { return *frameList_; }
    FrameInfoPanel &frameInfo() const { return *frameInfo_; }
    FrameEditor &frameEditor() const { return *frameEditor_; }
    FileCommands &fileCommands() const { return *fileCommands_; }

    // Address opened by the "update" entry of the help menu.
    static const char *const kMakerWebPage;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

public slots:
    void timerUpdate();

private slots:
    // Application shell.
    void on_actionEnglish_triggered();
    void on_actionZhSimple_triggered();
    void on_actionZhTradition_triggered();
    void on_action64_64_triggered();
    void on_action128_128_triggered();
    void on_action192_192_triggered();
    void on_action256_256_triggered();
    void on_action320_320_triggered();
    void on_actionBubble_triggered();
    void on_actionSun_triggered();
    void on_actionMountains_triggered();
    void on_actionMoon_triggered();
    void on_actionAfternoon_triggered();
    void on_actionDisable_triggered();
    void on_actionEnable_triggered();
    void on_actionAbout_triggered();
    void on_actionRealease_notes_triggered();
    void on_actionManual_triggered();
    void on_actionUpdate_triggered();
    void on_tabWidget_currentChanged(int index);


    // ==== Music slots (music/) ====
    void on_actionOpen_music_file_triggered();
    void on_actionPlay_music_triggered();
    void on_actionPause_music_triggered();
    void on_actionStop_music_triggered();
    // Draws the waveform when a decoding has ended.
    void updatePlotData();
    // Draws the play line at the player's position (ms).
    void positionChanged(qlonglong position);
    // The plot's scroll bars and axes follow each other.
    void horzScrollBarChanged(int value);
    void vertScrollBarChanged(int value);
    void xAxisChanged(QCPRange range);
    void yAxisChanged(QCPRange range);
    // Seeks to the clicked time and offers to time the current frame to it.
    void axisDoubleClick(QCPAxis *axis, QCPAxis::SelectablePart part, QMouseEvent *event);

    // ==== Playback slots (link/, playback) ====
    void on_actionSimulation_triggered();
    void on_actionPause_simulation_triggered();
    void on_actionStop_simulation_triggered();

    // ==== 3D view slots (view3d/) ====
    void on_actionSelect_joint_triggered();
    void on_actionMove_robot_triggered();
    void on_actionRotate_robot_triggered();
    void on_actionRotate_camera_triggered();
    void on_actionZoom_triggered();
    void on_actionLeft_foot_touchdown_triggered();
    void on_actionRight_foot_touchdown_triggered();
    void on_actionBodyCentor_triggered();
    void on_actionFit_screen_triggered();

private:
    // ---- Construction steps of the subsystems, called by the constructor in
    // this order; each is defined in its subsystem's file.
    void setupView3d();   // view3d/mainwindow_view3d.cpp: resource paths, view tool bar
    void setupMotion();   // app/mainwindow.cpp: the motion document and its views

    // The motion document and its views; the views go before the widgets they
    // drive, the document (a child of the window) after them.
    MotionDocument *document_ = nullptr;
    std::unique_ptr<JointPanel> jointPanel_;
    std::unique_ptr<FrameList> frameList_;
    std::unique_ptr<FrameInfoPanel> frameInfo_;
    std::unique_ptr<FrameEditor> frameEditor_;
    std::unique_ptr<FileCommands> fileCommands_;
    // The robot follows an angle edit of the joint panel.
    void followPoseEdit();
    void closeEvent(QCloseEvent *event) override;

    // The transfer file list's model (9 text columns; its behaviour lives in files/).
    QStandardItemModel *transFileListModel = nullptr;
    void setupTransferListModel();

    // ==== Robot link (link/) ====
public:
    RobotLink &robotLink() const { return *link; }
    ConnectionPanel &connectionPanel() const { return *connection; }
    FileBrowser &fileBrowser() const { return *files; }
    ConfigFilePage &configFilePage() const { return *configPage; }
    ServoPanel &servoPanel() const { return *servo; }
    IoPanel &ioPanel() const { return *io; }
    // The robot follows the joint panel (unless joints are being read).
    void sendJointEditRequests();
    // The joint panel's 19 angles into the pose the next MovePose carries.
    void copyJointPanelToPose();

private:
    void setupLink();     // the link object and the panels that talk to the robot
    RobotLink *link = nullptr;
    ConnectionPanel *connection = nullptr;
    FileBrowser *files = nullptr;
    ConfigFilePage *configPage = nullptr;
    ServoPanel *servo = nullptr;
    IoPanel *io = nullptr;
    // The relay the panels hold: tests replace the prompt behind it.
    PromptRelay promptRelay;
    QVector<QSpinBox *> jointBoxes() const;
    QVector<QSpinBox *> correctionBoxes() const;
    // Filled by the subsystems that own these widgets and states
    // (minimal bodies in link/mainwindow_link_hooks.cpp until then).
    bool playbackRunning() const;            // a simulation plays
    void refreshCurrentFrameItem();          // frame list entry of the current frame


    // ==== Music (music/) ====
    friend class TestMusicWindow;
    // The media player (volume of horizontalSliderVolume) and the decoder of
    // the waveform; both live as long as the window.
    QMediaPlayer *mediaPlayer = nullptr;
    AudioDecoder *audioDecoder = nullptr;
    // Last play position drawn (ms); playback sets it to 0 when it starts the music.
    qint32 lastPlayPosition = 0;
    // Plot, scroll bars, decoder and player (music/mainwindow_music.cpp).
    void setupMusic();
    // The plot's axes box with connected ranges, dragging and zooming (set up once).
    void setupPlotInteraction();
    bool plotInteractionReady = false;
    // Page steps of the waveform's scroll bars from the axes' ranges.
    void restoreScrollBarSteps();

    // ==== Playback (link/, playback) ====
    // The simulation (link/mainwindow_playback.cpp): the preview's stepper,
    // the motion as it sees it, and the 10 ms step that drives it.
    friend class TestPlayback;
    playback::Stepper playbackStepper;
    playback::Frames playbackFrames() const;
    bool simulationStopped() const;  // state 0 (not playing, not paused)
    void playbackTick();
    // Downloads the motion to the robot and starts it there (when the link
    // runs). False when the motion was refused (more than one loop start).
    bool downloadMotionToRobot();
    void downloadPause();
    void startPlaybackMusic(int volume);

    // ==== 3D view (view3d/) ====
    // (members and helpers of the 3D view go here)
    QList<QAction *> mouseModeActions() const;
    QList<QAction *> supportModeActions() const;
    void setMouseMode(int mode);
    void setSupportMode(int mode);

    // ==== Application shell (app/) ====
    void setInitialShellState();
    void changeLanguage(int code);
    void checkOnly(const QList<QAction *> &group, QAction *chosen);
    QList<QAction *> languageActions() const;
    QList<QAction *> pictureSizeActions() const;
    QList<QAction *> backgroundActions() const;

    Ui::MainWindow *ui = nullptr;
    std::unique_ptr<Prompt> prompt_;
    QTimer updateTimer;
};
