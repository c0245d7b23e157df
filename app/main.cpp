#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QTranslator>

#include "app/initfile.h"
#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "core/safefile.h"
#include "app/startup.h"
#include "motion/autosave.h"
#include "motion/filecommands.h"

int main(int argc, char *argv[])
{
    safefile::keepRunningPastFileSizeLimit();
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();

    // The language is fixed for the whole run here; a change in the menu
    // takes full effect at the next start.
    QTranslator qtTranslator;
    QTranslator appTranslator;
    installStartupTranslators(app, initfile::readStartupLanguage(initfile::filePath(QDir::currentPath())),
                              qtTranslator, appTranslator);

    auto *window = new MainWindow;
    window->show();
    // A motion named on the command line ("open with" of a file manager) opens
    // once the window is on screen, so its messages appear over it.
    // Unsaved work an earlier run left in its autosave is offered first.
    QTimer::singleShot(0, window, [window, arguments = app.arguments()] {
        window->autosave().offerRecovery();
        window->fileCommands().openFromArguments(arguments);
    });
    const int code = app.exec();
    delete window;
    return code;
}
