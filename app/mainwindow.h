#pragma once
// The program's only top-level window. It owns the form, the link and the
// 10 ms timer, and makes and connects the motion document and its views
// (motion/), the music panel, the 3D view's tool bar and the simulation, which
// hold their own state. Its implementation is split by subsystem:
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
#include "robot/configfile.h"
#include <QComboBox>
#include "robot/servoregisters.h"

namespace Ui { class MainWindow; }
class QActionGroup;
class ConnectionPanel;
class RobotLink;
class QSpinBox;
class QCloseEvent;
class QStandardItemModel;
class QTranslator;
class FileCommands;
class FrameEditor;
class FrameInfoPanel;
class FrameList;
class JointPanel;
class MotionDocument;
class MusicPanel;
class Playback;
class ViewToolBar;

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

    // The music panel, the 3D view's tool bar and the simulation.
    MusicPanel &music() const { return *music_; }
    ViewToolBar &viewToolBar() const { return *viewToolBar_; }
    Playback &playback() const { return *playback_; }

    // The 10 ms timer that calls timerUpdate (tests stop it to step the ticks themselves).
    QTimer &tickTimer() { return updateTimer; }

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

    // ==== Robot link answers for the file browser, configure file and servo panel ====
    void transferEnded();
    void transFileProgress(int progress);

    // ==== Robot files slots (files/) ====
    // File browser (files/mainwindow_files.cpp).
    void on_pushButtonRefresh_clicked();
    void on_listWidgetFileList_customContextMenuRequested(const QPoint &pos);
    void qActionRunSlot();
    void qActionDeleteFileSlot();
    void qActionGetFileSlot();
    void on_pushButtonSendFile_clicked();
    void on_pushButtonFormatFlash_clicked();
    void on_comboBoxRobotFileFolder_currentIndexChanged(int index);

    // ==== Configure file slots (robot/, configure file) ====
    // Robot configure file on the robot setting page (robot/mainwindow_config.cpp).
    void on_pushButtonGetConfigFile_clicked();
    void on_pushButtonOpenConfigFileFrom_clicked();
    void on_pushButtonFactorySettings_clicked();
    void on_pushButtonSaveConfigFileAs_clicked();
    void on_pushButtonSaveConfigFileToRobot_clicked();
    // Shows or hides the extra servos 19 and 20 in the joint panel.
    void on_comboBoxUseExtraServo_currentIndexChanged(int index);

    // ==== Servo panel slots (robot/, servo panel) ====
    // Servo service panel (robot/mainwindow_servo.cpp): the target servo, one
    // write per parameter box (on editingFinished), the two mode boxes and the
    // read and write flash buttons.
    void on_spinBoxServoOpen_valueChanged(int arg1);
    void on_spinBoxSpeed_editingFinished();
    void on_spinBoxAcceleration_editingFinished();
    void on_spinBoxParameterP_editingFinished();
    void on_spinBoxParameterI_editingFinished();
    void on_spinBoxParameterD_editingFinished();
    void on_spinBoxPIDDeadZone_editingFinished();
    void on_spinBoxCWFlexibleMargin_editingFinished();
    void on_spinBoxCCWFlexibleMargin_editingFinished();
    void on_spinBoxCWFlexibleSlope_editingFinished();
    void on_spinBoxCCWFlexibleSlope_editingFinished();
    void on_spinBoxMaximunPosition_editingFinished();
    void on_spinBoxMinimunPosition_editingFinished();
    void on_spinBoxMaximumTemperature_editingFinished();
    void on_spinBoxMaximumVoltage_editingFinished();
    void on_spinBoxMinimumVoltage_editingFinished();
    void on_spinBoxMaximumTorque_editingFinished();
    void on_comboBoxWorkingMode_currentIndexChanged(int index);
    void on_comboBoxWorkingState_currentIndexChanged(int index);
    void on_pushButtonReadServoInfo_clicked();
    void on_pushButtonReadCurrentData_clicked();
    void on_pushButtonReadParameters_clicked();
    void on_pushButtonWriteFlash_clicked();

private:
    // ---- Construction steps of the subsystems, called by the constructor in
    // this order (setupLink is defined in its subsystem's file).
    void setupMusic();    // the music panel
    void setupView3d();   // the 3D view's resources, its tool bar
    void setupMotion();   // the motion document and its views
    void setupPlayback(); // the simulation, once the link is there

    // The music panel, the 3D view's tool bar and the simulation.
    std::unique_ptr<MusicPanel> music_;
    std::unique_ptr<ViewToolBar> viewToolBar_;
    std::unique_ptr<Playback> playback_;

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
    // The robot follows the joint panel (unless joints are being read).
    void sendJointEditRequests();
    // The joint panel's 19 angles into the pose the next MovePose carries.
    void copyJointPanelToPose();

private:
    void setupLink();     // link/mainwindow_link.cpp: link object, its panel, its signals
    RobotLink *link = nullptr;
    ConnectionPanel *connection = nullptr;
    // The relay the panels hold: tests replace the prompt behind it.
    PromptRelay promptRelay;
    QVector<QSpinBox *> jointBoxes() const;
    QVector<QSpinBox *> correctionBoxes() const;
    // Filled by the subsystems that own these widgets and states
    // (minimal bodies in link/mainwindow_link_hooks.cpp until then).
    void showServoRegister(int type, const LinkAnswer &answer);   // servo service panel
    bool transferListSending() const;        // the transfer list is being sent
    void transferListFileDone();             // the transfer list may send its next file
    void refreshCurrentFrameItem();          // frame list entry of the current frame
    void showRobotFileList(const QByteArray &folderText);
    void fileJobEnded(const FileJobResult &result);

    // ==== Robot files (files/) ====
    // ---- File browser (files/mainwindow_files.cpp).
    friend class TestFileBrowser;
    // Empties the file list and asks the robot for the chosen folder's files.
    void refreshRobotFileList();
    // The chosen folder: 0 ("0:/robotsys", SD card), 1 ("1:/robotsys", flash)
    // or -1 when the combo box has no valid choice.
    int robotFolderIndex() const;
    // True (after telling the user) while a file transfer runs: a second one
    // would take over the link's one local path and its job feedback.
    bool refuseWhileTransferring();
    // Watches a file job that this browser started, to report its failures
    // when it has ended: a file the robot refused to receive (the robot then
    // ends the transfer without TransferEnd) or a fetch that never finished.
    enum class WatchedJob { None, Send, Get };
    WatchedJob watchedJob = WatchedJob::None;
    QString watchedFileName;
    // Sends a local file to the robot path already set in the send block.
    void startFileSend(const QString &local, const QString &robotName);
    void watchFileJob(WatchedJob job, const QString &name);

    // ==== Configure file (robot/, configure file) ====
    friend class TestConfigWindow;
    // What the configure file holds beyond the widgets: the key map, the lines
    // carried through unchanged and the back-to-origin mode and time.
    configfile::Settings configRecord;
    // Local copy of a configure file being fetched; read when the robot has
    // ended the transfer. Empty when no fetch is waiting.
    QString configFetchPath;
    // The get job ended: reads the fetched file when the robot sent it whole.
    void configFetchEnded(bool transferEnded);
    configfile::Settings settingsFromWidgets() const;
    void showSettings(const configfile::Settings &settings);
    // Fills the widgets from a file; an unreadable file changes nothing.
    void readConfigFile(const QString &path);
    // Writes the widgets as a configure file; false when nothing was written.
    bool writeConfigFile(const QString &path);
    bool writeConfigFileOrTell(const QString &path);
    // comboBoxConfigFilePath: 0, 1 or -1 when no folder is chosen.
    int configFolderIndex() const;
    QVector<QComboBox *> initLedBrightnessBoxes() const;
    QVector<QComboBox *> initLedFrequencyBoxes() const;
    QVector<QSpinBox *> minimumBoxes() const;
    QVector<QSpinBox *> maximumBoxes() const;

    // ==== Servo panel (robot/, servo panel) ====
    friend class TestServoPanel;
    // Posts a request to the panel's target servo (spinBoxServoOpen).
    bool postServoRequest(int type, int kind);
    // Writes one register of the target servo.
    void writeServoRegister(int type, int value);
    // Reads the registers one after the other, 30 ms apart.
    void readServoRegisters(const QVector<int> &types);
    // The spin box showing a register, or nullptr.
    QSpinBox *servoRegisterBox(int type) const;
    // Reads waiting for their answer, so that a write acknowledgement is told
    // apart from a value read.
    servoregisters::PendingReads servoPendingReads;
    QElapsedTimer servoClock;
    qint64 servoNowMs();

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
