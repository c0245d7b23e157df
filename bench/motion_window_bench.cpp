// Opening a motion in the real window: File > open of 1,000 and 10,000 frames
// from the command to the frame list painted (over a document of the same size
// already open, so clearing the old one counts), and the resident memory of
// the program before and after such an open.
//
// A long motion in the window (Scale*, one 10,000-frame document open with
// every picture drawn): undo and redo of one changed frame, from the command
// to the pictures it redraws drawn; a Shift-click that selects every frame,
// to the list painted; the resident memory the drawn document adds, and what
// is left of it after File > new.
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x900x24" bench/gaitforge-bench-motion-window
// Memory figures are only meaningful one benchmark per process:
//   --benchmark_filter='ResidentAfterOpen/10000/'
//   --benchmark_filter='Scale'   (the Scale* benchmarks run in order, on one document)
// GAITFORGE_BENCH_REPETITIONS sets the repetitions of the undo and redo timings (5).

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
#include "view3d/thumbnailicon.h"
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

// ---------------------------------------------------------------- a long motion

constexpr int kScaleFrames = 10000;
double scaleBaseline = 0;   // resident MB before the long motion was opened

// Runs the window until the thumbnail walk rests (at most limitMs); the ms it took.
double walkToRest(Window &w, int limitMs = 600000)
{
    QElapsedTimer clock;
    clock.start();
    while (w.window->frameList().refreshState() != FrameList::Idle && clock.elapsed() < limitMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return clock.nsecsElapsed() / 1e6;
}

int picturesPending(Window &w)
{
    int pending = 0;
    for (int i = 0, n = w.window->frameList().count(); i < n; ++i)
        pending += w.window->frameList().picturePending(i);
    return pending;
}

void ScaleOpenAndDraw(benchmark::State &state)
{
    Window &w = sharedWindow();
    const QString path = w.write(kScaleFrames);
    w.settle(1000);
    scaleBaseline = residentMb();
    double drawMs = 0, after = 0;
    for (auto _ : state) {
        w.open(path, kScaleFrames);
        drawMs = walkToRest(w);
        w.settle(1000);
        after = residentMb();
    }
    const thumbnail::Stored kept = thumbnail::stored();
    // What of it is heap freed but kept by the allocator.
    malloc_trim(0);
    const double trimmed = residentMb();
    std::printf("%d frames opened, every picture drawn in %.0f ms; resident %.1f MB before, %.1f MB after "
                "(+%.1f MB, +%.1f MB once the allocator returns freed heap); %lld thumbnails keep %.1f MB\n",
                kScaleFrames, drawMs, scaleBaseline, after, after - scaleBaseline, trimmed - scaleBaseline,
                kept.icons, kept.bytes / 1048576.0);
    std::fflush(stdout);
    state.counters["rss_growth_mb"] = after - scaleBaseline;
}

// One frame in the middle changed and recorded as an edit; the walk at rest.
void editOneFrame(Window &w, int value)
{
    MotionDocument &doc = w.window->document();
    doc.setCell(kScaleFrames / 2, 0, value);
    doc.recordSnapshot();
    doc.setEditSettleCountdown(-10);
    walkToRest(w);
}

// Undo or redo by its menu command: the ms until the pictures it marked are
// drawn; the command's own return and the pictures redrawn as counters.
double stepAndRedraw(Window &w, QAction *action, double *returnedMs, int *redrawn)
{
    QElapsedTimer clock;
    clock.start();
    action->trigger();
    *returnedMs = clock.nsecsElapsed() / 1e6;
    *redrawn = picturesPending(w);
    while (w.window->frameList().refreshState() != FrameList::Idle && clock.elapsed() < 600000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return clock.nsecsElapsed() / 1e6;
}

// One edit, then the step measured: undo, or (after an undo) redo.
void scaleStep(benchmark::State &state, bool redo)
{
    Window &w = sharedWindow();
    QAction *step = redo ? w.window->form()->actionRedo : w.window->form()->actionUndo;
    double returned = 0;
    int redrawn = 0, value = redo ? 100 : 1;
    for (auto _ : state) {
        state.PauseTiming();
        editOneFrame(w, ++value);
        if (redo) {
            double unused = 0;
            stepAndRedraw(w, w.window->form()->actionUndo, &unused, &redrawn);
        }
        state.ResumeTiming();
        state.SetIterationTime(stepAndRedraw(w, step, &returned, &redrawn) / 1e3);
        std::printf("%s: returned in %.1f ms, %d pictures to redraw\n", redo ? "redo" : "undo", returned, redrawn);
        std::fflush(stdout);
    }
    state.counters["returned_ms"] = returned;
    state.counters["redrawn"] = redrawn;
}

void ScaleUndo(benchmark::State &state)
{
    scaleStep(state, false);
}

void ScaleRedo(benchmark::State &state)
{
    scaleStep(state, true);
}

// Click on the first frame, then Shift-click on the last: every frame
// selected; the ms until the list has been painted.
void ScaleSelectAll(benchmark::State &state)
{
    Window &w = sharedWindow();
    QListWidget *list = w.window->form()->listWidgetGraphicOperation;
    auto click = [&](int row, bool shift) {
        w.window->frameList().heldKeys().shift = shift;
        list->setCurrentRow(row);
        emit list->itemClicked(list->item(row));
        w.window->frameList().heldKeys().shift = false;
    };
    for (auto _ : state) {
        state.PauseTiming();
        click(0, false);
        walkToRest(w);
        w.settle(200);
        w.watch.painted = false;
        state.ResumeTiming();
        QElapsedTimer clock;
        clock.start();
        click(kScaleFrames - 1, true);
        while (!w.watch.painted && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents);
        state.SetIterationTime(clock.nsecsElapsed() / 1e9);
        if (w.window->frameList().selectedRows().size() != kScaleFrames)
            qWarning("%d frames selected, not %d", int(w.window->frameList().selectedRows().size()), kScaleFrames);
    }
}

// File > new over the long motion: what is left of the growth.
void ScaleMemoryAfterNew(benchmark::State &state)
{
    Window &w = sharedWindow();
    double before = 0, after = 0;
    for (auto _ : state) {
        before = residentMb();
        w.prompt->answers.clear();
        w.prompt->answers.enqueue(int(QMessageBox::No));   // no save
        w.prompt->answers.enqueue(QString());               // no name for the new file
        w.window->form()->actionNew_file->trigger();
        walkToRest(w);
        w.settle(1000);
        after = residentMb();
    }
    const thumbnail::Stored kept = thumbnail::stored();
    std::printf("File > new: resident %.1f MB before, %.1f MB after; +%.1f MB over the start; %lld thumbnails "
                "keep %.1f MB\n",
                before, after, after - scaleBaseline, kept.icons, kept.bytes / 1048576.0);
    std::fflush(stdout);
    state.counters["rss_left_mb"] = after - scaleBaseline;
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
    const int reps = qEnvironmentVariableIsSet("GAITFORGE_BENCH_REPETITIONS")
                         ? qMax(1, qEnvironmentVariableIntValue("GAITFORGE_BENCH_REPETITIONS"))
                         : 5;
    benchmark::RegisterBenchmark("ScaleOpenAndDraw", ScaleOpenAndDraw)->Iterations(1)->Unit(benchmark::kMillisecond);
    for (auto *b : {benchmark::RegisterBenchmark("ScaleUndo", ScaleUndo)->Repetitions(reps),
                    benchmark::RegisterBenchmark("ScaleRedo", ScaleRedo)->Repetitions(reps),
                    benchmark::RegisterBenchmark("ScaleSelectAll", ScaleSelectAll)->Repetitions(5)})
        b->Iterations(1)
            ->ComputeStatistics("min", minOf)
            ->ComputeStatistics("max", maxOf)
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ScaleMemoryAfterNew", ScaleMemoryAfterNew)
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);

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
