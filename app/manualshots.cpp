// gaitforge-shots FOLDER [--language zh_simple|zh_traditional]: takes the
// manual's pictures from the running program. It starts the main window in a
// fresh working folder, in the language asked for (English by default), opens
// a short example motion, and saves a picture of every page, of the curves and
// of the live readings and packet monitor docks into FOLDER (PNG, the names
// the manual uses). For the docks it connects to the virtual robot
// (gaitforge-robotsim beside it in the build), so that they show readings and
// packets; without it they are taken as they are. Run it under a display (scripts/manual-shots starts
// a virtual one), then build again: the manual's PDF follows.

#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QPainter>
#include <QTranslator>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QFile>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QThread>

#include <cstdio>

#include "app/initfile.h"
#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "app/startup.h"
#include "common/prompt.h"
#include "link/robotlink.h"
#include "motion/filecommands.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "ui_mainwindow.h"

namespace {

// A short wave of the right arm: origin, arm up, waving twice, back.
const char kExample[] =
    "#This is a robot operation file.\r\n"
    "FLP:0;\r\n"
    "FR:1,60,600,100,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0;\r\n"
    "FR:1,60,500,100,0,0,0,0,0,0,0,0,0,0,-900,-300,0,0,0,0,0,0,0,0;\r\n"
    "LPS:1;\r\n"
    "FR:1,60,300,0,0,0,0,0,0,0,0,0,0,0,-900,-300,-450,0,0,0,0,0,0,0;\r\n"
    "FR:1,60,300,0,0,0,0,0,0,0,0,0,0,0,-900,-300,300,0,0,0,0,0,0,0;\r\n"
    "LPE:;\r\n"
    "FR:1,60,600,100,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0;\r\n"
    "END:;\r\n"
    "\r\n";

void wait(int ms)
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Starts the virtual robot with its drives in folder; its port, or "" when it
// did not start.
QString startRobot(QProcess &robot, const QString &folder)
{
    robot.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/../robotsim/gaitforge-robotsim"));
    robot.setArguments({QStringLiteral("--root"), folder + QStringLiteral("/drives"), QStringLiteral("--log"),
                        folder + QStringLiteral("/requests.log")});
    robot.start();
    if (!robot.waitForStarted(5000))
        return QString();
    QByteArray out;
    QElapsedTimer clock;
    clock.start();
    while (!out.contains('\n') && clock.elapsed() < 5000) {
        robot.waitForReadyRead(100);
        out += robot.readAllStandardOutput();
    }
    return QRegularExpression(QStringLiteral("port (\\S+)")).match(QString::fromLocal8Bit(out)).captured(1);
}

} // namespace

// The window as the user sees it: a dock that floats (one too wide for the
// screen beside the pages) is drawn over the window where it stands.
static QPixmap windowWithDock(QWidget &window, QDockWidget *dock)
{
    QPixmap shot = window.grab();
    if (dock->isFloating()) {
        QPainter painter(&shot);
        painter.drawPixmap(dock->frameGeometry().topLeft() - window.frameGeometry().topLeft(), dock->grab());
    }
    return shot;
}

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();
    QStringList args = app.arguments();
    args.removeFirst();
    int language = initfile::LanguageEnglish;
    const int option = args.indexOf(QStringLiteral("--language"));
    if (option >= 0 && option + 1 < args.size()) {
        const QString name = args[option + 1];
        language = name == QLatin1String("zh_simple")        ? initfile::LanguageZhSimple
                   : name == QLatin1String("zh_traditional") ? initfile::LanguageZhTraditional
                                                             : 0;
        args.erase(args.begin() + option, args.begin() + option + 2);
    }
    if (args.size() != 1 || language == 0) {
        std::fprintf(stderr, "Usage: gaitforge-shots FOLDER [--language zh_simple|zh_traditional]\n");
        return 2;
    }
    const QString out = QDir(args[0]).absolutePath();
    QDir().mkpath(out);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    // The language as the program takes it at its start: from the init file.
    if (!initfile::write(work.path(), language, 2, 1))
        return 1;
    QTranslator qtTranslator;
    QTranslator appTranslator;
    installStartupTranslators(app, language, qtTranslator, appTranslator);
    QFile motion(work.path() + QStringLiteral("/wave.ini"));
    if (!motion.open(QIODevice::WriteOnly) || motion.write(kExample) < 0)
        return 1;
    motion.close();

    QProcess robot;
    const QString port = startRobot(robot, work.path());
    if (port.isEmpty())
        std::fprintf(stderr, "The virtual robot did not start: the docks are taken without readings.\n");
    qputenv("GAITFORGE_EXTRA_PORTS", port.toLocal8Bit());
    MainWindow window;
    window.setPrompt(std::make_unique<SilentPrompt>());
    Ui::MainWindow *ui = window.form();
    window.show();
    wait(800);
    window.fileCommands().openGivenFile(motion.fileName());
    // The frame list draws its pictures one by one.
    QElapsedTimer clock;
    clock.start();
    while (window.frameList().refreshState() != FrameList::Idle && clock.elapsed() < 10000)
        wait(50);
    ui->listWidgetGraphicOperation->setCurrentRow(2);
    wait(500);

    struct Shot { int main; int joint; int frames; const char *name; };
    const Shot shots[] = {{0, 0, 0, "edit"},          {0, 1, 0, "edit-led"},      {0, 2, 0, "edit-files"},
                          {0, 0, 1, "edit-table"},    {1, 0, 0, "robot-setting"}, {2, 0, 0, "remote-setting"},
                          {3, 0, 0, "servo-setting"}};
    int saved = 0;
    for (const Shot &shot : shots) {
        ui->tabWidget->setCurrentIndex(shot.main);
        ui->tabWidgetJoint->setCurrentIndex(shot.joint);
        ui->tabWidget_3->setCurrentIndex(shot.frames);
        wait(400);
        const QString path = out + QStringLiteral("/") + QLatin1String(shot.name) + QStringLiteral(".png");
        if (window.grab().save(path)) {
            std::printf("%s\n", qPrintable(path));
            ++saved;
        }
    }
    // The curves of the motion, beside the edit page.
    ui->tabWidget->setCurrentIndex(0);
    ui->tabWidgetJoint->setCurrentIndex(0);
    ui->tabWidget_3->setCurrentIndex(2);
    wait(400);
    const QString curves = out + QStringLiteral("/edit-curves.png");
    if (window.grab().save(curves)) {
        std::printf("%s\n", qPrintable(curves));
        ++saved;
    }
    ui->tabWidget_3->setCurrentIndex(0);
    if (!port.isEmpty()) {
        ui->actionConnect->trigger();
        QElapsedTimer greeting;
        greeting.start();
        while (!window.robotLink().greeted() && greeting.elapsed() < 5000)
            wait(50);
        if (!window.robotLink().greeted())
            std::fprintf(stderr, "The virtual robot did not answer: the docks are taken without readings.\n");
    }
    const QSize size = window.size();
    // Each dock shown on its own, in the window, after some readings.
    struct Dock { const char *object; const char *name; };
    const Dock docks[] = {{"dockLiveReadings", "live"}, {"dockPacketMonitor", "monitor"}};
    for (const Dock &dock : docks) {
        // The live readings keep the link busy while the packet monitor
        // collects; only the dock of the picture stays in it.
        for (QDockWidget *other : window.findChildren<QDockWidget *>())
            other->setVisible(other->objectName() == QLatin1String(dock.object)
                              || other->objectName() == QLatin1String("dockLiveReadings"));
        wait(port.isEmpty() ? 0 : 2500);
        for (QDockWidget *other : window.findChildren<QDockWidget *>())
            other->setVisible(other->objectName() == QLatin1String(dock.object));
        window.resize(size);
        wait(400);
        const QString path = out + QStringLiteral("/") + QLatin1String(dock.name) + QStringLiteral(".png");
        QDockWidget *shown = window.findChild<QDockWidget *>(QLatin1String(dock.object));
        if (shown && windowWithDock(window, shown).save(path)) {
            std::printf("%s\n", qPrintable(path));
            ++saved;
        } else {
            std::fprintf(stderr, "%s: no such dock in the window\n", dock.object);
        }
    }
    // No save question on the way out: the example is not kept.
    window.hide();
    robot.terminate();
    robot.waitForFinished(3000);
    return saved == int(sizeof(shots) / sizeof(shots[0])) + 3 ? 0 : 1;
}
