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

namespace Ui { class MainWindow; }
class QActionGroup;
class ConnectionPanel;
class ConfigFilePage;
class FileBrowser;
class IoPanel;
class ServoPanel;
class TransferList;
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

    // The transfer file list page (files/).
    TransferList *transferList = nullptr;

    // ==== Robot link (link/) ====
public:
    RobotLink &robotLink() const { return *link; }
    ConnectionPanel &connectionPanel() const { return *connection; }
    FileBrowser &fileBrowser() const { return *files; }
    ConfigFilePage &configFilePage() const { return *configPage; }
    ServoPanel &servoPanel() const { return *servo; }
    IoPanel &ioPanel() const { return *io; }

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



    // ==== Application shell (app/) ====
    void setInitialShellState();
    void connectShellActions();
    void allowFlashFormat(bool allowed);
    void showAbout();
    void showReleaseNotes();
    void openManual();
    void openMakerPage();
    // Tool bars shown with each page of the tab widget.
    void showToolBarsOfPage(int index);
    void changeLanguage(int code);
    void checkOnly(const QList<QAction *> &group, QAction *chosen);
    QList<QAction *> languageActions() const;
    QList<QAction *> pictureSizeActions() const;
    QList<QAction *> backgroundActions() const;

    Ui::MainWindow *ui = nullptr;
    std::unique_ptr<Prompt> prompt_;
    QTimer updateTimer;
};
