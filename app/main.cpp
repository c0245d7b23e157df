#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QTranslator>

#include <cstdio>
#include <cstring>

#include "app/initfile.h"
#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "core/safefile.h"
#include "app/startup.h"
#include "core/installedfiles.h"
#include "motion/autosave.h"
#include "motion/filecommands.h"

namespace {

// The command line: options, and the motion to open.
struct Options {
    QCommandLineOption workFolder{QStringLiteral("work-folder"),
                                  QStringLiteral("Keep the settings and robot files (robotcfg.ini, .robot/, bac/) in "
                                                 "DIR, made when missing, instead of the current folder. A leading ~/ "
                                                 "is the home folder."),
                                  QStringLiteral("DIR")};

    void describe(QCommandLineParser &parser) const
    {
        parser.setApplicationDescription(
            QStringLiteral("gaitForge: compose, view and play motions of the humanoid robot, and manage the robot."));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(workFolder);
        parser.addPositionalArgument(QStringLiteral("FILE.ini"), QStringLiteral("An operation file to open."),
                                     QStringLiteral("[FILE.ini]"));
    }
};

bool asksForHelpOrVersion(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        for (const char *option : {"-h", "--help", "-?", "--help-all", "-v", "--version"})
            if (std::strcmp(argv[i], option) == 0)
                return true;
    return false;
}

// --help and --version answer without a display: only the command line is read.
int answerHelpOrVersion(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gaitforge"));
    QCoreApplication::setApplicationVersion(installedfiles::version());
    QCommandLineParser parser;
    Options().describe(parser);
    parser.process(app);  // prints and exits
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (asksForHelpOrVersion(argc, argv))
        return answerHelpOrVersion(argc, argv);
    safefile::keepRunningPastFileSizeLimit();
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(installedfiles::version());
    initGaitForgeResources();

    // Qt's own options are gone from the arguments by now.
    QCommandLineParser parser;
    const Options options;
    options.describe(parser);
    parser.process(app);
    // A motion named relative to where the program was started keeps its
    // meaning after the working folder changes.
    QStringList motions{QCoreApplication::applicationFilePath()};
    for (const QString &file : parser.positionalArguments())
        motions << QFileInfo(file).absoluteFilePath();
    if (parser.isSet(options.workFolder)) {
        QString folder = parser.value(options.workFolder);
        if (folder == QStringLiteral("~") || folder.startsWith(QStringLiteral("~/")))
            folder = QDir::homePath() + folder.mid(1);
        if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
            std::fprintf(stderr, "gaitforge: cannot use the work folder %s\n", qPrintable(folder));
            return 2;
        }
    }

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
    QTimer::singleShot(0, window, [window, motions] {
        window->autosave().offerRecovery();
        window->fileCommands().openFromArguments(motions);
    });
    const int code = app.exec();
    delete window;
    return code;
}
