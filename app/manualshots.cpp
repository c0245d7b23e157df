// gaitforge-shots FOLDER: takes the manual's pictures from the running
// program. It starts the main window in a fresh working folder, opens a short
// example motion, and saves a picture of every page into FOLDER (PNG, the
// names the manual uses). Run it under a display (scripts/manual-shots starts
// a virtual one), then build again: the manual's PDF follows.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTabWidget>
#include <QThread>

#include <cstdio>

#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "app/startup.h"
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

} // namespace

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();
    if (app.arguments().size() != 2) {
        std::fprintf(stderr, "Usage: gaitforge-shots FOLDER\n");
        return 2;
    }
    const QString out = QDir(app.arguments()[1]).absolutePath();
    QDir().mkpath(out);
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    QFile motion(work.path() + QStringLiteral("/wave.ini"));
    if (!motion.open(QIODevice::WriteOnly) || motion.write(kExample) < 0)
        return 1;
    motion.close();

    MainWindow window;
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
    // No save question on the way out: the example is not kept.
    window.hide();
    return saved == int(sizeof(shots) / sizeof(shots[0])) ? 0 : 1;
}
