#pragma once
// The File menu's document commands: new, open, save, save as and exit (and
// opening a motion named on the command line), the
// question whether to save unsaved changes, and the window title showing the
// document's path. Widgets it drives: actionNew_file, actionOpen_file,
// actionSave (enabled while the document is modified), actionSave_as,
// actionExit; the window's title, and closing the window.
// Widgets it owns: actionSave, actionNew_file, actionOpen_file, actionSave_as, actionExit

#include <QObject>


namespace Ui { class MainWindow; }
class FrameList;
class JointPanel;
class MotionDocument;
class Prompt;
class QString;
class QWidget;

class FileCommands : public QObject
{
    Q_OBJECT

public:
    // window shows the title, parents the dialogs and is closed by exit.
    FileCommands(Ui::MainWindow *ui, QWidget *window, Prompt &prompt, MotionDocument &document,
                 JointPanel &panel, FrameList &list, QObject *parent = nullptr);

    // Asks whether to save unsaved changes. False when the command that asked
    // must stop (the save dialog was cancelled or the save failed). When
    // exiting, a "no" clears the modified mark.
    bool runSavePrompt(bool exiting);
    // Writes the document to path (the loop key as the panel shows it). False
    // when nothing was written; the failure has been shown.
    bool write(const QString &path);
    // "gait forge - <path>", the frames' damaged source for an unnamed document
    // read up to an error, or the product name; " *" follows while modified.
    void updateTitle();
    static QString title(const QString &path, const QString &readFrom, bool modified);

    // Opens a motion given by path rather than chosen in the dialog (the
    // command line): a missing or unreadable file is reported and leaves the
    // document as it is; otherwise as openFile after its dialog.
    void openGivenFile(const QString &path);
    // Opens the motion named by the program's arguments (after the program
    // name, the first that is not an option), as File -> open does; a missing
    // or unreadable file is reported. Nothing happens without such an argument.
    void openFromArguments(const QStringList &arguments);

public slots:
    void newFile();
    void openFile();
    void save();
    void saveAs();
    void exit();

private:
    void showFileError(const QString &text);
    // Asks for the name to save an operation file under; ".ini" is added to
    // a name without an extension. Empty when cancelled.
    QString askSaveName(const QString &caption);
    // Opens path into the document and shows the reader's messages; a file
    // that cannot be opened is said.
    void openPath(const QString &path);

    Ui::MainWindow *ui;
    QWidget *window;
    Prompt &prompt;
    MotionDocument &document;
    JointPanel &panel;
    FrameList &list;
};
