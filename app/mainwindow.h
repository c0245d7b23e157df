#pragma once
// The program's only top-level window. It owns the form, the models, the link,
// the players, the 10 ms timer and the document state, and makes the panels
// of the robot pages (file browser, configure file, servo panel, IO), which
// keep their own state. Its implementation is split by subsystem:
// app/mainwindow.cpp holds construction, the timer and the application shell;
// each subsystem folder adds its own file.

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
class QListWidgetItem;
class QMenu;
class QRadioButton;
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

    // Shift / Control held, for the frame list's multiple selection.
    int shiftHeld = 0;
    int ctrlHeld = 0;

    // Frame picture regeneration: the thumbnail walk restarts from the first
    // frame when frameListRefresh is set and refreshTick is 0.
    int refreshTick = 0;
    int frameListRefresh = 0;

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

    // ==== Motion document slots (motion/) ====
    void on_actionNew_file_triggered();
    void on_actionOpen_file_triggered();
    void on_actionSave_triggered();
    void on_actionSave_as_triggered();
    void on_actionExit_triggered();
    // Joint panel (motion/mainwindow_panel.cpp): one angle edit per servo.
    void on_spinBoxAngleHead_valueChanged(int arg1);
    void on_spinBoxAngleLhand1_valueChanged(int arg1);
    void on_spinBoxAngleLhand2_valueChanged(int arg1);
    void on_spinBoxAngleLhand3_valueChanged(int arg1);
    void on_spinBoxAngleLleg1_valueChanged(int arg1);
    void on_spinBoxAngleLleg2_valueChanged(int arg1);
    void on_spinBoxAngleLleg3_valueChanged(int arg1);
    void on_spinBoxAngleLleg4_valueChanged(int arg1);
    void on_spinBoxAngleLleg5_valueChanged(int arg1);
    void on_spinBoxAngleRhand1_valueChanged(int arg1);
    void on_spinBoxAngleRhand2_valueChanged(int arg1);
    void on_spinBoxAngleRhand3_valueChanged(int arg1);
    void on_spinBoxAngleRleg1_valueChanged(int arg1);
    void on_spinBoxAngleRleg2_valueChanged(int arg1);
    void on_spinBoxAngleRleg3_valueChanged(int arg1);
    void on_spinBoxAngleRleg4_valueChanged(int arg1);
    void on_spinBoxAngleRleg5_valueChanged(int arg1);
    void on_spinBoxAngleExtendServo1_valueChanged(int arg1);
    void on_spinBoxAngleExtendServo2_valueChanged(int arg1);
    void on_radioButtonHead_clicked();
    void on_radioButtonLhand1_clicked();
    void on_radioButtonLhand2_clicked();
    void on_radioButtonLhand3_clicked();
    void on_radioButtonLleg1_clicked();
    void on_radioButtonLleg2_clicked();
    void on_radioButtonLleg3_clicked();
    void on_radioButtonLleg4_clicked();
    void on_radioButtonLleg5_clicked();
    void on_radioButtonRhand1_clicked();
    void on_radioButtonRhand2_clicked();
    void on_radioButtonRhand3_clicked();
    void on_radioButtonRleg1_clicked();
    void on_radioButtonRleg2_clicked();
    void on_radioButtonRleg3_clicked();
    void on_radioButtonRleg4_clicked();
    void on_radioButtonRleg5_clicked();
    void on_radioButtonExtendServo1_clicked();
    void on_radioButtonExtendServo2_clicked();
    void on_spinBoxAngle_valueChanged(int arg1);
    void on_pushButtonOrigin_clicked();
    void on_spinBoxOperationTime_valueChanged(int arg1);
    void on_spinBoxDelayTime_valueChanged(int arg1);
    void on_horizontalSliderVolume_valueChanged(int value);
    void on_pushButtonVolume_clicked();
    // The 3D view's signals.
    void select_changed(int sel);
    void select_model_angle_changed(int arg1);
    void reGrapOpenglWidgetScreen();
    // Frame list and frame table selection (motion/mainwindow_framelist.cpp).
    void on_listWidgetGraphicOperation_currentItemChanged(QListWidgetItem *current, QListWidgetItem *previous);
    void on_listWidgetGraphicOperation_itemClicked(QListWidgetItem *item);
    void on_tableView_clicked(const QModelIndex &index);

    // ==== Frame editing slots (motion/, editing) ====
    // Edit menu, its insert frame submenu and the tool bars (motion/mainwindow_editing.cpp).
    void on_actionCopy_frame_triggered();
    void on_actionOrigin_frame_triggered();
    void on_actionTransition_frame_triggered();
    void on_actionRemove_triggered();
    void on_actionCut_triggered();
    void on_actionCopy_triggered();
    void on_actionPaste_triggered();
    void on_actionMirror_triggered();
    void on_actionReverse_triggered();
    void on_actionUndo_triggered();
    void on_actionRedo_triggered();
    // The frame list's context menu and its own entries (frame list's current row).
    void on_listWidgetGraphicOperation_customContextMenuRequested(QPoint pos);
    void qActionLoopStartSlot();
    void qActionLoopEndSlot();
    void qActionLoopCancelSlot();
    void qActionPlayMusicSlot();
    void qActionPauseMusicSlot();
    void qActionStopMusicSlot();
    void qActionCancelMusicSlot();

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
    void setupMotion();   // motion/mainwindow_motion.cpp: frame table, frame list

    // ==== Motion document (motion/) ====
    // (members and helpers of the motion subsystem go here)
    friend class TestMotionDocument;

    // The frame table (46 integer columns, one row per frame) and the transfer
    // file list's model (9 text columns; its behaviour lives in files/).
    QStandardItemModel *frameTable = nullptr;
    QStandardItemModel *transFileListModel = nullptr;
    void setupTableModels();

    // Cell access: text and numbers read alike, non-numbers read as 0; a write
    // to a row that does not exist has no effect.
    int frameCell(int row, int column) const;
    void setFrameCell(int row, int column, int value);
    // Current frame: the row of tableView's current index, or -1.
    int currentFrameRow() const;
    // Where a new frame goes: after the current frame, or row 0.
    int frameInsertRow() const;
    // Inserts a frame taken from the panel at row, with the given 19 angles
    // (servo 2 first): the angle spin boxes (panelAngles()) or originAngles.
    void insertPanelFrame(int row, const std::array<int, 19> &angles);
    std::array<int, 19> panelAngles() const;

    // Flat form (46 integers per row) for the undo history and the clipboard.
    QVector<int> flattenFrames() const;
    void restoreFrames(const QVector<int> &values);
    // Rebuilds the frame list from the table and starts the thumbnail walk.
    void rebuildFrameList();
    // Frame list item with the 3D view's picture and the frame's caption:
    // insert != 0 adds a new item at the current frame's row and makes it the
    // list's current item, 0 refreshes the list's current item.
    void refreshFrameListItem(int insert);

    // Origin angles of servos 2..20, the pose of a new file. Zeros until the
    // origin frame file is read at start-up.
    std::array<int, 19> originAngles{};
    // Set to 100 by every edit; the undo history records a snapshot when it has run out.
    int editSettleCountdown = 0;

    // ---- Joint panel, frame list and frame info (motion/mainwindow_panel.cpp,
    // motion/mainwindow_framelist.cpp).
    friend class TestJointPanel;
    // Frame rows the editing commands act on, in the order they were picked.
    QVector<int> selectedFrameRows;
    // Row last picked without a modifier key: where a Shift range starts.
    int selectionAnchorRow = 0;
    // Play times of the current frame computed by updateFrameInfo (ms): the
    // end of its first pass, and of its last pass when loops repeat it.
    qint64 firstTimeHere = 0;
    qint64 lastTimeHere = 0;
    // Fills the joint panel (angles, times, volume, LEDs) from frame row; each
    // angle that changes runs its angle edit. A row that does not exist is ignored.
    void loadFrameIntoPanel(int row);
    // True while loadFrameIntoPanel fills the panel: the panel's edits then do
    // not write back into the frame (a value the panel cannot hold, such as an
    // angle beyond 3000 typed into the table, is not clipped in the frame).
    bool loadingFrame = false;
    // Recomputes the frame info text of the frame list's current row.
    void updateFrameInfo();
    void setupJointPanel();
    QVector<QRadioButton *> jointRadios() const;
    // The angle edit of servo (2..20) with value (tenths of a degree).
    void angleEdit(int servo, int value);
    // Timer steps: the edit settle countdown, then the thumbnail walk.
    void editSettleTick();
    void frameListWalkTick();
    // Frame list colours: unselected (transparent, black) or selected (gray, blue).
    void paintFrameItem(QListWidgetItem *item, bool selected);
    void resetFrameItemColours();
    // Makes row the list's current row as a step of the thumbnail walk (always
    // loading the frame, whatever modifier keys are held).
    void setWalkRow(int row);
    bool walkStepping = false;
    // The 3D view's picture of the current pose, sized for the list.
    QPixmap grabFramePicture();
    // While the list is being filled every new item shows this one picture
    // (the walk that follows draws each frame's own).
    QPixmap listFillPicture;
    // Hooks owned by other parts of the window (motion/mainwindow_motion_hooks.cpp):
    void recordUndoSnapshot();          // undo history: records the table
    bool simulationStopped() const;     // playback: state 0 (not playing, not paused)

    // The document.
    QString currentFilePath;
    int documentModified = 0;
    void updateDocumentTitle();
    void setDocumentModified(int modified);
    // Writes the table to path, safely (the old file stays until the new one
    // is complete). False when nothing was written; the failure has been shown.
    bool writeOperationFile(const QString &path);
    void readOperationFile();
    // Asks whether to save unsaved changes. False when the command that asked
    // must stop (the save dialog was cancelled or the save failed).
    bool runSavePrompt(bool exiting);
    void closeEvent(QCloseEvent *event) override;

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

    // ==== Frame editing (motion/, editing) ====
    friend class TestFrameEditing;
    // Frames copied or cut (flat form, 46 values per frame); private to the
    // program and kept across new file and open.
    QVector<int> copiedFrames;
    // Snapshots of the table (flat form): the last entry of undoHistory is the
    // state at the last snapshot (at most 180 entries); the last entry of
    // redoStack is the next state to redo.
    std::deque<QVector<int>> undoHistory;
    std::deque<QVector<int>> redoStack;
    // Inserts a frame from the panel with these angles after the current frame.
    void insertFrameFromPanel(const std::array<int, 19> &angles);
    // Removes the frames of rows (highest first) and their list items.
    void removeFrameRows(const QVector<int> &rows);
    // Sets the angle spin boxes step by step (each runs its angle edit), then
    // shows the current frame in the table and its list item.
    void applyAngleSteps(const QVector<QPair<int, int>> &steps);
    // Builds the frame list's context menu (the caller runs and deletes it).
    QMenu *buildFrameListMenu();
    // Table after an undo or redo: modified, and the table restored.
    void restoreSnapshot(const QVector<int> &state);

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
