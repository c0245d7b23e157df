// 3D view figures under whatever GL the display offers (Mesa llvmpipe under
// Xvfb here): the time to load and upload the 54 part meshes the view loads
// at start, the STL parse alone, and one frame of the whole scene.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QOffscreenSurface>
#include <ctime>

#include "app/resourceinit.h"
#include "app/startup.h"
#include "support/view3dsupport.h"
#include "view3d/easygeometry.h"
#include "view3d/stlparse.h"

namespace {

// CPU time of the whole process (every llvmpipe thread), in milliseconds: a
// measure of the work that does not depend on how busy the machine is.
double processCpuMs()
{
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Runs frames, adding the per-frame process CPU time as a counter.
template <typename Frame>
void timeFrames(benchmark::State &state, Frame frame)
{
    const double before = processCpuMs();
    for (auto _ : state)
        frame();
    state.counters["all_threads_cpu_ms"] =
        benchmark::Counter((processCpuMs() - before) / double(state.iterations()));
}

class TimedView : public OpenGLWidget
{
public:
    using OpenGLWidget::paintGL;
};

TimedView *shownView(int w, int h)
{
    static TimedView *view = nullptr;
    if (!view) {
        view = new TimedView;
        view3dtest::giveResources(*view);
        view->resize(w, h);
        view->show();
        while (!view->isReady())
            QCoreApplication::processEvents();
        view3dtest::settle(*view);
    }
    return view;
}

void BM_ParseParts(benchmark::State &state)
{
    QVector<QByteArray> files;
    for (int part = 0; part < robot3d::PartCount; ++part) {
        QFile f(robot3d::stlResource(part));
        f.open(QIODevice::ReadOnly);
        files.append(f.readAll());
    }
    for (auto _ : state) {
        for (const QByteArray &bytes : files) {
            QBuffer b;
            b.setData(bytes);
            b.open(QIODevice::ReadOnly);
            stl::Arrays a;
            benchmark::DoNotOptimize(stl::parseBinary(b, robot3d::kPartScale, a));
        }
    }
    state.SetLabel("18 parts");
}
BENCHMARK(BM_ParseParts)->Unit(benchmark::kMillisecond);

void BM_LoadAllMeshes(benchmark::State &state)
{
    TimedView *view = shownView(1366, 725);
    view->makeCurrent();
    auto *f = QOpenGLContext::currentContext()->functions();
    for (auto _ : state) {
        std::vector<std::unique_ptr<EasyGeometry>> meshes;
        for (int tree = 0; tree < robot3d::TreeCount; ++tree)
            for (int part = 0; part < robot3d::PartCount; ++part) {
                meshes.push_back(std::make_unique<EasyGeometry>());
                meshes.back()->loadSTL(robot3d::stlResource(part), robot3d::kPartScale);
            }
        f->glFinish();
    }
    view->doneCurrent();
    state.SetLabel("54 meshes, parse and upload");
}
BENCHMARK(BM_LoadAllMeshes)->Unit(benchmark::kMillisecond);

void BM_PaintFrame(benchmark::State &state)
{
    TimedView *view = shownView(1366, 725);
    view->setAzimuthAngle(0);
    view->makeCurrent();
    auto *f = QOpenGLContext::currentContext()->functions();
    timeFrames(state, [&] {
        view->paintGL();
        f->glFinish();
    });
    view->doneCurrent();
    state.SetLabel("1366 x 725, whole robot, background, floor");
}
BENCHMARK(BM_PaintFrame)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// At the size the view has inside the 1366 x 725 window.
void BM_PaintFrameWindowSize(benchmark::State &state)
{
    TimedView *view = shownView(1366, 725);
    view->resize(502, 331);
    QCoreApplication::processEvents();
    view->makeCurrent();
    auto *f = QOpenGLContext::currentContext()->functions();
    timeFrames(state, [&] {
        view->paintGL();
        f->glFinish();
    });
    view->doneCurrent();
    view->resize(1366, 725);
    QCoreApplication::processEvents();
    state.SetLabel("502 x 331 (the view in the window)");
}
BENCHMARK(BM_PaintFrameWindowSize)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The same frame without the robot: what the background and the floor cost.
void BM_PaintFrameWithoutRobot(benchmark::State &state)
{
    TimedView *view = shownView(1366, 725);
    const int tree = view->supportMode;
    for (int part = 0; part < robot3d::PartCount; ++part)
        view->partNode(tree, part)->visible = 0;
    view->makeCurrent();
    auto *f = QOpenGLContext::currentContext()->functions();
    timeFrames(state, [&] {
        view->paintGL();
        f->glFinish();
    });
    view->doneCurrent();
    for (int part = 0; part < robot3d::PartCount; ++part)
        view->partNode(tree, part)->visible = 1;
    state.SetLabel("1366 x 725, background and floor only");
}
BENCHMARK(BM_PaintFrameWithoutRobot)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();
    qInstallMessageHandler(view3dtest::quietLog);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
