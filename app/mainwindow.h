#pragma once
// The program's only top-level window and the composition root: it builds the
// form, makes the motion document, the robot link and one object per panel,
// connects them, and runs the application shell (language, picture size,
// background, help, key tracking, close) and the 10 ms timer. The subsystems
// keep their own state in their own folders.
// Widgets it owns: tabWidget, openGLWidget, mainToolBar, toolBar, toolBar_2, toolBar_3, toolBar_4,
//   toolBar_5

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "common/prompt.h"

namespace Ui { class MainWindow; }
class CalibrationPanel;
class Autosave;
class ConfigFilePage;
class ConnectionPanel;
class FileBrowser;
class FileCommands;
class FrameEditor;
class FrameInfoPanel;
class FrameList;
class IoPanel;
class JointPanel;
class MotionDocument;
class MusicPanel;
class Playback;
class RobotLink;
class ServoPanel;
class ShellSettings;
class TransferList;
class ViewToolBar;

class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The form, for tests.
    Ui::MainWindow *form() const { return ui; }

    // Replaces the dialogs seam (tests install a scripted one). Takes ownership.
    void setPrompt(std::unique_ptr<Prompt> prompt);
    Prompt &prompt() const { return *prompt_; }

    // The rooms, made and connected by the window.
    MotionDocument &document() const { return *document_; }
    JointPanel &jointPanel() const { return *jointPanel_; }
    FrameList &frameList() const { return *frameList_; }
    FrameInfoPanel &frameInfo() const { return *frameInfo_; }
    FrameEditor &frameEditor() const { return *frameEditor_; }
    FileCommands &fileCommands() const { return *fileCommands_; }
    MusicPanel &music() const { return *music_; }
    ViewToolBar &viewToolBar() const { return *viewToolBar_; }
    Playback &playback() const { return *playback_; }
    RobotLink &robotLink() const { return *link; }
    ConnectionPanel &connectionPanel() const { return *connection; }
    FileBrowser &fileBrowser() const { return *files; }
    ConfigFilePage &configFilePage() const { return *configPage; }
    ServoPanel &servoPanel() const { return *servo; }
    IoPanel &ioPanel() const { return *io; }
    TransferList &transferList() const { return *transferList_; }
    CalibrationPanel &calibrationPanel() const { return *calibration; }
    Autosave &autosave() const { return *autosave_; }
    // Language, picture size, background and music volume, kept in the init file.
    ShellSettings &settings() const { return *settings_; }

    // The 10 ms timer that calls timerUpdate. It sleeps while no step needs
    // it and wakes when one does; stopTicks stops it for good (tests step the
    // ticks themselves).
    bool ticksRunning() const { return updateTimer.isActive(); }
    void stopTicks();

public slots:
    // One 10 ms step of every room that counts time, in a fixed order.
    void timerUpdate();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    // Construction steps, called by the constructor in this order.
    void setupMusic();
    void setupView3d();
    void setupMotion();
    void setupLink();
    void setupPlayback();
    void setupProtection();
    // The joint limits from the configure file's min and max boxes.
    void updateJointLimits();
    // The robot follows an angle edit of the joint panel.
    void followPoseEdit();
    // Whether any step of timerUpdate has something to count.
    bool ticksNeeded() const;
    void wakeTicksIfNeeded();

    // Application shell.
    void setInitialShellState();
    void connectShellActions();
    void showToolBarsOfPage(int index);

    Ui::MainWindow *ui = nullptr;
    std::unique_ptr<Prompt> prompt_;
    // The seam the rooms hold: tests replace the prompt behind it.
    PromptRelay promptRelay;
    QTimer updateTimer;
    bool ticksAsleep = false;

    // Rooms that drive widgets are freed before the widgets go; the QObject
    // children (the document, the link and the robot pages) after them.
    std::unique_ptr<MusicPanel> music_;
    std::unique_ptr<ViewToolBar> viewToolBar_;
    MotionDocument *document_ = nullptr;
    std::unique_ptr<JointPanel> jointPanel_;
    std::unique_ptr<FrameList> frameList_;
    std::unique_ptr<FrameInfoPanel> frameInfo_;
    std::unique_ptr<FrameEditor> frameEditor_;
    std::unique_ptr<FileCommands> fileCommands_;
    std::unique_ptr<Playback> playback_;
    TransferList *transferList_ = nullptr;
    RobotLink *link = nullptr;
    ConnectionPanel *connection = nullptr;
    FileBrowser *files = nullptr;
    ConfigFilePage *configPage = nullptr;
    ServoPanel *servo = nullptr;
    IoPanel *io = nullptr;
    CalibrationPanel *calibration = nullptr;
    Autosave *autosave_ = nullptr;
    ShellSettings *settings_ = nullptr;
};
