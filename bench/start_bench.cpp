// How fast the program starts, side by side with a trivial Qt window holding
// one OpenGL view, each started as a fresh process (the shared libraries, the
// GL driver and the fonts are loaded anew every time, as for a user):
//   mapped   from starting the process to its window shown and exposed
//   rest     from starting the process to the last redraw of its 3D view
//            within the observed seconds (the view is at rest after it)
// printed as min / median / max per kind, and the ratio of the medians.
//
// Needs a display: xvfb-run -a -s "-screen 0 1600x900x24" build/bench/gaitforge-bench-start
//   [--runs N] [--observe SECONDS]
// The runs of the two kinds alternate, so a load that comes and goes meets both.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app/mainwindow.h"
#include "app/resourceinit.h"
#include "app/startup.h"
#include "support/scriptedprompt.h"
#include "view3d/openglwidget.h"

namespace {

// The trivial window's view: clears to a colour.
class PlainView : public QOpenGLWidget, protected QOpenGLFunctions
{
protected:
    void initializeGL() override { initializeOpenGLFunctions(); }
    void paintGL() override
    {
        glClearColor(0.2f, 0.3f, 0.5f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
};

// Notes the time of every paint of the watched view.
class PaintClock : public QObject
{
public:
    explicit PaintClock(const QElapsedTimer &clock) : clock(clock) {}
    qint64 last = -1;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            last = clock.elapsed();
            if (qEnvironmentVariableIsSet("GAITFORGE_BENCH_PAINTS"))
                std::fprintf(stderr, "paint %lld\n", static_cast<long long>(last));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    const QElapsedTimer &clock;
};

// One start in this process: prints "mapped MS" as soon as the window is
// exposed and "rest MS" (the last redraw of the view, from the same origin)
// after `observeMs`. The origin is the start of main(); the parent adds the
// time before it.
int child(bool program, int observeMs, const QElapsedTimer &clock)
{
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    std::unique_ptr<QWidget> window;
    QWidget *view = nullptr;
    if (program) {
        auto *w = new MainWindow;
        w->setPrompt(std::make_unique<ScriptedPrompt>());
        window.reset(w);
        view = w->findChild<OpenGLWidget *>();
    } else {
        window = std::make_unique<QWidget>();
        auto *layout = new QVBoxLayout(window.get());
        view = new PlainView;
        layout->addWidget(view);
    }
    PaintClock paints(clock);
    if (view)
        view->installEventFilter(&paints);
    window->resize(1366, 725);
    window->show();
    if (!QTest::qWaitForWindowExposed(window.get(), 20000))
        return 1;
    std::printf("mapped %lld\n", static_cast<long long>(clock.elapsed()));
    std::fflush(stdout);
    QTest::qWait(observeMs);
    std::printf("rest %lld\n", static_cast<long long>(paints.last));
    std::fflush(stdout);
    return 0;
}

struct Start {
    double mapped = -1;
    double rest = -1;
};

// Starts this program as a child of the given kind and reads its times.
Start measure(const QString &kind, int observeMs)
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer wall;
    wall.start();
    p.start(QCoreApplication::applicationFilePath(),
            {QStringLiteral("--child"), kind, QStringLiteral("--observe-ms"), QString::number(observeMs)});
    Start s;
    qint64 childMapped = -1;
    while (p.state() != QProcess::NotRunning || p.canReadLine()) {
        if (!p.canReadLine() && !p.waitForReadyRead(30000))
            break;
        while (p.canReadLine()) {
            const QList<QByteArray> words = p.readLine().trimmed().split(' ');
            if (words.value(0) == "mapped") {
                s.mapped = double(wall.elapsed());
                childMapped = words.value(1).toLongLong();
            } else if (words.value(0) == "rest" && s.mapped >= 0) {
                const qint64 last = words.value(1).toLongLong();
                // The view's last redraw, on the parent's clock.
                s.rest = s.mapped + double(qMax<qint64>(0, last - childMapped));
            }
        }
    }
    p.waitForFinished(30000);
    return s;
}

void report(const char *what, std::vector<double> v, const char *unit)
{
    std::sort(v.begin(), v.end());
    if (v.empty())
        return;
    std::printf("%-30s min %8.1f  median %8.1f  max %8.1f %s  (n=%zu)\n", what, v.front(), v[v.size() / 2],
                v.back(), unit, v.size());
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QElapsedTimer clock;
    clock.start();
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    int runs = 7, observeMs = 3000;
    QString kind;
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--runs"))
            runs = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--observe"))
            observeMs = int(args[i + 1].toDouble() * 1000);
        else if (args[i] == QLatin1String("--observe-ms"))
            observeMs = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--child"))
            kind = args[i + 1];
    }
    if (!kind.isEmpty()) {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &) {});
        if (kind == QLatin1String("program"))
            initGaitForgeResources();
        return child(kind == QLatin1String("program"), observeMs, clock);
    }
    std::vector<double> trivialMapped, trivialRest, programMapped, programRest;
    for (int r = 0; r < runs; ++r) {
        const Start t = measure(QStringLiteral("trivial"), observeMs);
        const Start g = measure(QStringLiteral("program"), observeMs);
        trivialMapped.push_back(t.mapped);
        trivialRest.push_back(t.rest);
        programMapped.push_back(g.mapped);
        programRest.push_back(g.rest);
    }
    report("trivial GL window: mapped", trivialMapped, "ms");
    report("gaitForge: mapped", programMapped, "ms");
    report("trivial GL window: at rest", trivialRest, "ms");
    report("gaitForge: at rest", programRest, "ms");
    std::printf("mapped, gaitForge / trivial (medians): %.2f\n", median(programMapped) / median(trivialMapped));
    return 0;
}
