// Opening a motion in the real window: File > open of 1,000 and 10,000 frames
// from the command to the frame list painted (over a document of the same size
// already open, so clearing the old one counts), and the resident memory of
// the program before and after such an open.
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x900x24" bench/gaitforge-bench-motion-window
// Memory figures are only meaningful one benchmark per process:
//   --benchmark_filter='ResidentAfterOpen/10000/'

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <memory>

#include <malloc.h>

#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "app/startup.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "motion/operationfile.h"
#include "support/scriptedprompt.h"
#include "shownwindow.h"
#include "variedmotion.h"
#include "ui_mainwindow.h"

using namespace frametable;

namespace {

// The varied motion as a file.
QByteArray motionFile(int frames)
{
    const FrameRows rows = variedMotion(frames);
    QByteArray bytes;
    QTextStream out(&bytes);
    operationfile::write(out, rows, false);
    out.flush();
    return bytes;
}

// Resident memory of this process in MB.
double residentMb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Notes when the frame list's viewport has been painted.
class PaintWatch : public QObject
{
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return false;
    }
};

struct Window : ShownWindow {
    PaintWatch watch;

    Window()
    {
        window->form()->listWidgetGraphicOperation->viewport()->installEventFilter(&watch);
        QTest::qWait(500);
    }

    QString write(int frames)
    {
        const QString path = dir.filePath(QStringLiteral("motion%1.ini").arg(frames));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(motionFile(frames));
        return path;
    }

    // File > open of path; the time in ms from the command to the frame list
    // painted with the new frames.
    double open(const QString &path, int frames)
    {
        prompt->answers.clear();
        if (window->document().isModified())
            prompt->answers.enqueue(int(QMessageBox::No));
        prompt->answers.enqueue(path);
        watch.painted = false;
        QElapsedTimer clock;
        clock.start();
        window->form()->actionOpen_file->trigger();
        while (!watch.painted && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        const double ms = clock.nsecsElapsed() / 1e6;
        if (window->form()->listWidgetGraphicOperation->count() != frames)
            qWarning("the list holds %d items, not %d", window->form()->listWidgetGraphicOperation->count(), frames);
        return ms;
    }

    void settle(int ms)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
};

// One window for every benchmark, closed before the application ends.
std::unique_ptr<Window> theWindow;

Window &sharedWindow()
{
    if (!theWindow)
        theWindow = std::make_unique<Window>();
    return *theWindow;
}

void OpenToPaintedList(benchmark::State &state)
{
    const int frames = int(state.range(0));
    Window &w = sharedWindow();
    const QString path = w.write(frames);
    // A document of the same size is open before every timed open.
    w.open(path, frames);
    w.settle(300);
    for (auto _ : state) {
        const double ms = w.open(path, frames);
        state.SetIterationTime(ms / 1e3);
        state.PauseTiming();
        w.settle(300);
        state.ResumeTiming();
    }
    state.SetLabel(QStringLiteral("%1 frames").arg(frames).toStdString());
}

void ResidentAfterOpen(benchmark::State &state)
{
    const int frames = int(state.range(0));
    double before = 0, after = 0, trimmed = 0;
    for (auto _ : state) {
        Window &w = sharedWindow();
        const QString path = w.write(frames);
        w.settle(1000);
        before = residentMb();
        w.open(path, frames);
        w.settle(1000);
        after = residentMb();
        // What of the growth is heap freed but kept by the allocator (the
        // reader's cells, for one).
        malloc_trim(0);
        trimmed = residentMb();
    }
    state.counters["rss_nothing_open_mb"] = before;
    state.counters["rss_after_open_mb"] = after;
    state.counters["rss_growth_mb"] = after - before;
    state.counters["rss_after_trim_mb"] = trimmed;
    std::printf("resident memory, %d frames: %.1f MB before open, %.1f MB after (+%.1f MB), %.1f MB once the "
                "allocator returns freed heap (+%.1f MB)\n",
                frames, before, after, after - before, trimmed, trimmed - before);
    std::fflush(stdout);
}

double minOf(const std::vector<double> &v) { return *std::min_element(v.begin(), v.end()); }
double maxOf(const std::vector<double> &v) { return *std::max_element(v.begin(), v.end()); }

// The 3D view's debug lines would drown the figures.
void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
    if (type == QtFatalMsg)
        abort();
}

} // namespace

BENCHMARK(OpenToPaintedList)
    ->Arg(1000)
    ->Arg(10000)
    ->Iterations(1)
    ->Repetitions(5)
    ->ComputeStatistics("min", minOf)
    ->ComputeStatistics("max", maxOf)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ResidentAfterOpen)->Arg(1000)->Arg(10000)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();
    qInstallMessageHandler(quiet);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    theWindow.reset();
    return 0;
}
