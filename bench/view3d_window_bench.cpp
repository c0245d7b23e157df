// Figures of the 3D view in the real window, printed as min / median / max:
//   idle     CPU of the whole process while the window shows and nothing moves
//   paint    one frame (paintGL + glFinish) at 800 x 600 and 1366 x 725
//   thumbs   thumbnails drawn per second for a motion of N frames, the longest
//            stall of the event loop meanwhile, and resident memory with
//            nothing open, after the open and after every thumbnail is drawn
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x900x24" build/bench/gaitforge-bench-view3d-window
//   [--idle SECONDS] [--runs N] [--frames N] [--only idle|paint|thumbs]
// The machine's load average is printed with each figure.

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QListWidget>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "app/startup.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "support/scriptedprompt.h"
#include "shownwindow.h"
#include "support/view3dsupport.h"
#include "ui_mainwindow.h"

namespace {

double processCpuSeconds()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

double residentMb()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.value(1).toDouble() * 4096.0 / (1024.0 * 1024.0);
}

QString load()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromLatin1(f.readAll()).section(QLatin1Char(' '), 0, 2);
}

void report(const char *what, std::vector<double> v, const char *unit)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return;
    std::printf("%-44s min %9.2f  median %9.2f  max %9.2f %s  (n=%zu, load %s)\n", what, v.front(), v[v.size() / 2],
                v.back(), unit, v.size(), qPrintable(load()));
    std::fflush(stdout);
}

// Runs the event loop for ms milliseconds, noting the longest gap between two
// turns of a 0 ms timer (how long the loop was kept from turning).
qint64 runLoop(qint64 ms, const std::function<bool()> &doneEarly = {}, bool probeStalls = false)
{
    QElapsedTimer clock;
    clock.start();
    QElapsedTimer gap;
    gap.start();
    qint64 worst = 0;
    QTimer probe;
    probe.setInterval(0);
    QObject::connect(&probe, &QTimer::timeout, [&] {
        worst = std::max(worst, gap.restart());
    });
    if (probeStalls)   // (a 0 ms timer keeps the loop busy: not while measuring idle CPU)
        probe.start();
    // A real event loop (it sleeps while nothing happens), ended at the time
    // or, checked every 20 ms, when done.
    QEventLoop loop;
    QTimer end;
    end.setSingleShot(true);
    QObject::connect(&end, &QTimer::timeout, &loop, &QEventLoop::quit);
    end.start(int(ms));
    QTimer check;
    QObject::connect(&check, &QTimer::timeout, [&] {
        if (doneEarly && doneEarly())
            loop.quit();
    });
    if (doneEarly)
        check.start(20);
    loop.exec();
    probe.stop();
    return worst;
}

struct Window : ShownWindow {

    Window()
    {
        while (!window->form()->openGLWidget->isReady())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        // The fly-in takes about 2.2 s.
        runLoop(3000);
    }
};

void idle(int seconds, int runs)
{
    std::vector<double> cpu, frames;
    Window w;
    OpenGLWidget *view = w.window->form()->openGLWidget;
    for (int r = 0; r < runs; ++r) {
        const double before = processCpuSeconds();
        const int drawn = view->framesDrawn();
        QElapsedTimer clock;
        clock.start();
        runLoop(seconds * 1000);
        cpu.push_back(100.0 * (processCpuSeconds() - before) / (clock.elapsed() / 1000.0));
        frames.push_back(view->framesDrawn() - drawn);
    }
    report(qPrintable(QStringLiteral("3D frames drawn while idle (%1 s)").arg(seconds)), frames, "");
    report(qPrintable(QStringLiteral("idle CPU over %1 s (share of one core)").arg(seconds)), cpu, "%");
}

class TimedView : public OpenGLWidget
{
public:
    using OpenGLWidget::paintGL;
};

void paint(int runs)
{
    TimedView view;
    view3dtest::giveResources(view);
    for (QSize size : {QSize(800, 600), QSize(1366, 725)}) {
        view.resize(size);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            qWarning("the view was not shown");
        while (!view.isReady())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        view3dtest::settle(view);
        QCoreApplication::processEvents();
        std::vector<double> ms, cpums, issue;
        view.makeCurrent();
        auto *f = QOpenGLContext::currentContext()->functions();
        for (int i = 0; i < 10; ++i) {   // warm up
            view.paintGL();
            f->glFinish();
        }
        for (int r = 0; r < runs * 30; ++r) {
            QElapsedTimer t;
            const double cpu0 = processCpuSeconds();
            t.start();
            view.paintGL();
            issue.push_back(t.nsecsElapsed() / 1e6);
            f->glFinish();
            ms.push_back(t.nsecsElapsed() / 1e6);
            cpums.push_back((processCpuSeconds() - cpu0) * 1e3);
        }
        view.doneCurrent();
        report(qPrintable(QStringLiteral("paintGL + glFinish at %1 x %2").arg(size.width()).arg(size.height())), ms,
               "ms");
        report(qPrintable(QStringLiteral("  CPU time of the process per frame")), cpums, "ms");
        // A software renderer shades the corners and sets up the triangles in
        // the draw calls; glFinish then waits for the pixels.
        report(qPrintable(QStringLiteral("  paintGL alone (draw calls returned)")), issue, "ms");
    }
}

void thumbs(int frames, int runs)
{
    std::vector<double> perSecond, stall, before, opened, after;
    for (int r = 0; r < runs; ++r) {
        Window w;
        before.push_back(residentMb());
        QVector<int> flat;
        for (int i = 0; i < frames; ++i) {
            QVector<int> row(frametable::ColumnCount, 0);
            row[0] = (i * 37) % 600 - 300;
            row[2] = (i * 53) % 900 - 450;
            row[4] = (i * 29) % 400;
            row[6] = (i * 41) % 600 - 300;
            row[19] = 500;
            row[20] = 100;
            flat += row;
        }
        FrameList &list = w.window->frameList();
        QElapsedTimer clock;
        clock.start();
        w.window->document().restore(flat);
        opened.push_back(residentMb());
        const qint64 worst = runLoop(3600 * 1000, [&] { return list.refreshState() == 0; }, true);
        const double seconds = clock.elapsed() / 1000.0;
        perSecond.push_back(frames / seconds);
        stall.push_back(double(worst));
        runLoop(500);
        after.push_back(residentMb());
    }
    const QByteArray n = QByteArray::number(frames);
    report(("thumbnails per second (" + n + " frames)").constData(), perSecond, "/s");
    report("longest event-loop stall while drawing them", stall, "ms");
    report("resident memory, window with nothing open", before, "MB");
    report(("resident memory, " + n + " frames open").constData(), opened, "MB");
    report(("resident memory, " + n + " frames, thumbnails drawn").constData(), after, "MB");
}

} // namespace

int main(int argc, char **argv)
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();
    // Messages are dropped (kept, they would count in the memory figures).
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
    int idleSeconds = 20, runs = 3, frames = 1000;
    QString only;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--idle"))
            idleSeconds = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--runs"))
            runs = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--frames"))
            frames = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--only"))
            only = args[i + 1];
    }
    if (only.isEmpty() || only == QLatin1String("paint"))
        paint(runs);
    if (only.isEmpty() || only == QLatin1String("idle"))
        idle(idleSeconds, runs);
    if (only.isEmpty() || only == QLatin1String("thumbs"))
        thumbs(frames, runs);
    return 0;
}
