// The motion preview in the real window against the wall clock: a 60 s motion
// of 60, 165 or 300 frames played on the 3D model while the view redraws
// (Mesa llvmpipe under Xvfb here), with or without a busy thread loading the
// machine. Reports the wall time from the start to the end of the preview
// against the motion's nominal time, and, with music, the skew between the
// preview clock and the player's position.
//
// Needs a display and takes minutes: xvfb-run -a bench/gaitforge-bench-preview

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMediaPlayer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <thread>

#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "app/startup.h"
#include "playback/playback.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "music/audiodecoder.h"
#include "music/musicpanel.h"
#include "support/clickwav.h"
#include "support/scriptedprompt.h"
#include "shownwindow.h"
#include "ui_mainwindow.h"
#include "view3d/openglwidget.h"

namespace {

constexpr int kNominalMs = 60000;

// A thread that spins until it is destroyed: a loaded machine.
class BusyThread
{
public:
    explicit BusyThread(bool on)
    {
        if (on)
            thread = std::thread([this] {
                volatile unsigned x = 0;
                while (!quit.load(std::memory_order_relaxed))
                    x = x * 1664525u + 1013904223u;
            });
    }
    ~BusyThread()
    {
        quit = true;
        if (thread.joinable())
            thread.join();
    }

private:
    std::atomic<bool> quit{false};
    std::thread thread;
};

// n frames whose times add up to 60 s (70 % moving, 30 % holding); the arms,
// legs and head swing so that every frame redraws the model.
QVector<int> motion(int n, bool music)
{
    QVector<int> flat;
    for (int i = 0; i < n; ++i) {
        const int time = int(qint64(i + 1) * kNominalMs / n - qint64(i) * kNominalMs / n);
        QVector<int> row(46, 0);
        for (int j = 0; j < 17; ++j)
            row[j] = (i % 2 ? 1 : -1) * (150 + 20 * j);
        row[19] = time * 7 / 10;
        row[20] = time - row[19];
        if (music && i == 0) {
            row[23] = 3;  // play music
            row[27] = 100;
        }
        flat += row;
    }
    return flat;
}

struct Window : ShownWindow {

    explicit Window(const QVector<int> &frames)
    {
        window->document().restore(frames);
        // The thumbnail walk ends before the preview starts.
        QElapsedTimer wait;
        wait.start();
        while ((window->frameList().refreshState() != 0 || !window->form()->openGLWidget->isReady())
               && wait.elapsed() < 120000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QTest::qWait(300);
    }

    // Starts the preview without the robot.
    void start()
    {
        prompt->answers.enqueue(int(QMessageBox::No));
        window->form()->actionSimulation->trigger();
    }
};

void BM_PreviewDrift(benchmark::State &state)
{
    const int frames = int(state.range(0));
    const bool loaded = state.range(1) != 0;
    double wallMs = 0;
    qint64 lastStepLate = 0;
    int paints = 0;
    for (auto _ : state) {
        Window w(motion(frames, false));
        QSignalSpy swapped(w.window->form()->openGLWidget, &QOpenGLWidget::frameSwapped);
        BusyThread busy(loaded);
        QElapsedTimer wall;
        wall.start();
        w.start();
        while (!w.window->playback().stopped() && wall.elapsed() < 4 * kNominalMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 1);
        wallMs = wall.nsecsElapsed() / 1e6;
        paints = swapped.count();
        // The preview ends on the first step after its end: how late that was.
        lastStepLate = w.window->playback().stepper().clock() - kNominalMs;
        state.SetIterationTime(wallMs / 1e3);
    }
    const double drift = (wallMs - kNominalMs) / kNominalMs * 100.0;
    state.counters["wall_ms"] = wallMs;
    state.counters["nominal_ms"] = kNominalMs;
    state.counters["drift_pct"] = drift;
    state.counters["view_fps"] = paints / (wallMs / 1e3);
    state.counters["last_step_late_ms"] = double(lastStepLate);
    state.SetLabel(QStringLiteral("%1 frames, %2").arg(frames).arg(loaded ? "busy thread" : "idle").toStdString());
    std::printf("preview drift: %d frames, %s: %.1f ms for %d ms nominal (%+.3f %%), last step %lld ms late, "
                "view %.1f fps\n",
                frames, loaded ? "loaded" : "idle", wallMs, kNominalMs, drift, static_cast<long long>(lastStepLate),
                paints / (wallMs / 1e3));
    std::fflush(stdout);
}
BENCHMARK(BM_PreviewDrift)
    ->Args({60, 1})
    ->Args({165, 1})
    ->Args({300, 1})
    ->Args({165, 0})
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

// A 60 s motion whose first frame plays a 62 s click track: every 100 ms, the
// player's position against where the preview clock has the music.
void BM_PreviewMusicSkew(benchmark::State &state)
{
    const bool loaded = state.range(0) != 0;
    double meanSkew = 0, maxSkew = 0, firstSkew = 0, lastSkew = 0, startMs = 0;
    int samples = 0;
    for (auto _ : state) {
        Window w(motion(165, true));
        const QString wav = QDir::current().absoluteFilePath(QStringLiteral("clicks.wav"));
        testwav::writeClicks(wav, kNominalMs + 2000);
        QSignalSpy decoded(&w.window->music().decoder(), &AudioDecoder::done);
        w.prompt->answers.enqueue(wav);
        w.window->form()->actionOpen_music_file->trigger();
        decoded.wait(30000);
        QMediaPlayer &player = w.window->music().player();
        BusyThread busy(loaded);
        QElapsedTimer wall;
        wall.start();
        w.start();
        QVector<double> skews;
        QElapsedTimer sample;
        sample.start();
        bool heard = false;
        while (!w.window->playback().stopped() && wall.elapsed() < 4 * kNominalMs) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
            if (!heard && player.position() > 0) {
                heard = true;
                startMs = wall.nsecsElapsed() / 1e6;
            }
            if (sample.elapsed() >= 100) {
                sample.restart();
                const qint64 expected = w.window->playback().expectedMusicPosition();
                if (expected >= 0 && player.state() == QMediaPlayer::PlayingState)
                    skews << double(player.position() - expected);
            }
        }
        state.SetIterationTime(wall.nsecsElapsed() / 1e9);
        samples = skews.size();
        if (!skews.isEmpty()) {
            firstSkew = skews.value(10);  // after 1 s
            lastSkew = skews.last();
            double sum = 0;
            for (double s : skews) {
                sum += s;
                maxSkew = std::max(maxSkew, std::abs(s));
            }
            meanSkew = sum / skews.size();
        }
    }
    state.counters["skew_at_1s_ms"] = firstSkew;
    state.counters["skew_at_end_ms"] = lastSkew;
    state.counters["skew_mean_ms"] = meanSkew;
    state.counters["skew_max_abs_ms"] = maxSkew;
    state.counters["first_position_ms"] = startMs;
    state.counters["samples"] = samples;
    state.SetLabel(loaded ? "165 frames, busy thread" : "165 frames, idle");
    std::printf("music skew (%s): player - preview: %+.0f ms after 1 s, %+.0f ms at the end, mean %+.1f ms, "
                "largest %.0f ms over %d samples; first position after %.0f ms\n",
                loaded ? "loaded" : "idle", firstSkew, lastSkew, meanSkew, maxSkew, samples, startMs);
    std::fflush(stdout);
}
BENCHMARK(BM_PreviewMusicSkew)->Arg(1)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

void quiet(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        abort();
}

} // namespace

int main(int argc, char **argv)
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    initGaitForgeResources();
    qInstallMessageHandler(quiet);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
