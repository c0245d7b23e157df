#pragma once
// The window's own settings: the language, the frame picture size, the 3D
// background and the music volume; the menu actions that choose them (one
// checked per group) and the init file that keeps them between runs.
// Widgets it owns: actionEnglish, actionZhSimple, actionZhTradition, action64_64, action128_128,
//   action192_192, action256_256, action320_320, actionBubble, actionSun, actionMountains, actionMoon,
//   actionAfternoon

#include <QList>
#include <QObject>

namespace Ui { class MainWindow; }
class FrameList;
class MusicPanel;
class OpenGLWidget;
class Prompt;
class QAction;
class QMainWindow;

class ShellSettings : public QObject
{
    Q_OBJECT

public:
    ShellSettings(Ui::MainWindow *ui, QMainWindow *window, OpenGLWidget *view, Prompt &prompt, FrameList &frames,
                  MusicPanel &music);

    // Init file (working directory + "/.robot/init"). Codes 0 (language,
    // picture, background) and a volume below 0 take what the window shows.
    void load();
    void save(int language, int pictureSize, int background, int musicVolume = -1);
    // Apply steps shared by the view-setting actions and the loader.
    void applyPictureSize(int size);
    void applyBackground(int code);
    // Retranslates the window into language `code` for this run.
    void changeLanguage(int code);

private:
    QList<QAction *> languageActions() const;
    QList<QAction *> pictureSizeActions() const;
    QList<QAction *> backgroundActions() const;
    static void checkOnly(const QList<QAction *> &group, QAction *chosen);

    Ui::MainWindow *ui;
    QMainWindow *window;
    OpenGLWidget *view;
    Prompt &prompt;
    FrameList &frames;
    MusicPanel &music;
};
