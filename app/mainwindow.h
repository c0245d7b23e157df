#pragma once
// The program's only top-level window. It owns the form, the models, the link,
// the players, the 10 ms timer and all document and robot state. Its
// implementation is split by subsystem: app/mainwindow.cpp holds construction,
// the timer and the application shell; each subsystem folder adds its own file.

#include <QMainWindow>
#include <QTimer>
#include <memory>

#include "app/prompt.h"

namespace Ui { class MainWindow; }
class QActionGroup;
class QTranslator;

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

    // ==== Robot link slots (link/) ====

    // ==== 3D view slots (view3d/) ====

private:
    // ---- Construction steps of the subsystems, called by the constructor in
    // this order; each is defined in its subsystem's file.
    void setupView3d();   // view3d/mainwindow_view3d.cpp: resource paths, view tool bar
    void setupMotion();   // motion/mainwindow_motion.cpp: frame table, frame list
    void setupLink();     // link/mainwindow_link.cpp: link object, port list, its signals
    // Destruction: stops the link thread and waits for it.
    void shutdownLink();  // link/mainwindow_link.cpp
    // Steps of the 10 ms tick (see timerUpdate for their order).
    void linkWatchdogTick();  // link/mainwindow_link.cpp
    void keepAliveTick();     // link/mainwindow_link.cpp

    // ==== Motion document (motion/) ====
    // (members and helpers of the motion subsystem go here)

    // ==== Robot link (link/) ====
    // (members and helpers of the link subsystem go here)

    // ==== 3D view (view3d/) ====
    // (members and helpers of the 3D view go here)

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
