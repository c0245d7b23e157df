#pragma once
// A window for scenario tests: made in a fresh working directory, with the
// scripted dialogs seam installed and, when a port is given, that port first
// in its port list; and connecting it to the virtual robot.

#include <QtTest>
#include <QTemporaryDir>
#include <memory>

#include "app/mainwindow.h"
#include "link/connectionpanel.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "link/robotlink.h"
#include "link/packet.h"
#include "support/scriptedprompt.h"
#include "ui_mainwindow.h" // generated per test target: each test that includes this header also names it in its own source

struct StartedWindow {
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt *prompt = nullptr;
    Ui::MainWindow *ui = nullptr;
};

// Files (path in the folder, bytes) the window finds when it starts.
using FolderFiles = QList<QPair<QString, QByteArray>>;

// A window in the current folder, as the program started there, with the
// scripted dialogs seam installed and the port (if any) first in its list.
inline StartedWindow startWindowHere(const QString &port = QString())
{
    qputenv("GAITFORGE_EXTRA_PORTS", port.toLocal8Bit());
    StartedWindow s;
    s.window = std::make_unique<MainWindow>();
    qunsetenv("GAITFORGE_EXTRA_PORTS");
    auto prompt = std::make_unique<ScriptedPrompt>();
    s.prompt = prompt.get();
    s.window->setPrompt(std::move(prompt));
    s.ui = s.window->form();
    return s;
}

// workDir is replaced by a new temporary folder, which becomes the current one
// and holds the given files before the window is made.
inline StartedWindow startWindow(std::unique_ptr<QTemporaryDir> &workDir, const QString &port = QString(),
                                 const FolderFiles &files = {})
{
    workDir = std::make_unique<QTemporaryDir>();
    for (const auto &file : files) {
        const QString path = workDir->path() + QLatin1Char('/') + file.first;
        QDir().mkpath(QFileInfo(path).path());
        QFile out(path);
        if (!out.open(QIODevice::WriteOnly) || out.write(file.second) != file.second.size())
            qFatal("cannot write %s", qPrintable(path));
    }
    QDir::setCurrent(workDir->path());
    return startWindowHere(port);
}

// Connects, waits for the first answer (the link asks with a keep-alive as
// it opens; the robot answers with a power reading) and forgets the greeting
// box. Nothing else has been sent, so the test's own requests come next.
inline bool connectAndGreet(MainWindow &window, Ui::MainWindow &ui, ScriptedPrompt &prompt)
{
    ui.actionConnect->trigger();
    if (!QTest::qWaitFor([&] { return window.robotLink().isRunning() && ui.actionConnect->isChecked(); }, 5000))
        return false;
    if (!QTest::qWaitFor([&] { return window.robotLink().greeted(); }, 5000))
        return false;
    prompt.calls.clear();
    return true;
}
inline bool connectAndGreet(StartedWindow &s)
{
    return connectAndGreet(*s.window, *s.ui, *s.prompt);
}

// How many dialogs with this title were shown.
inline int countTitled(const ScriptedPrompt *prompt, const QString &title)
{
    int n = 0;
    for (const auto &call : prompt->calls)
        n += call.title == title;
    return n;
}

// The members a window test keeps between its steps: a test class derives
// from it (after QObject), calls start() for a fresh window and finish() when
// done, which closes the window before its folder goes and returns to the
// folder the test began in.
struct WindowFixture {
    std::unique_ptr<QTemporaryDir> workDir;
    QString startDir = QDir::currentPath();
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt *prompt = nullptr;
    Ui::MainWindow *ui = nullptr;

    void start(const QString &port = QString(), const FolderFiles &files = {})
    {
        window.reset();
        StartedWindow s = startWindow(workDir, port, files);
        window = std::move(s.window);
        prompt = s.prompt;
        ui = s.ui;
    }
    // For init(): a fresh window, except that the rows of one data-driven
    // test function after its first row keep the window of the row before
    // (for tests whose rows set every state they read).
    void startOncePerFunction()
    {
        const QByteArray function = QTest::currentTestFunction();
        if (window && QTest::currentDataTag() && function == sharedBy)
            return;
        start();
        sharedBy = QTest::currentDataTag() ? function : QByteArray();
    }
    QByteArray sharedBy;   // the test function whose rows share the window
    // A fresh current folder and no window yet (restart() makes one there).
    void freshFolder()
    {
        window.reset();
        workDir = std::make_unique<QTemporaryDir>();
        QDir::setCurrent(workDir->path());
    }
    // A new window in the same folder, as the program started again there
    // (the last window goes first, without being closed).
    void restart(const QString &port = QString())
    {
        window.reset();
        StartedWindow s = startWindowHere(port);
        window = std::move(s.window);
        prompt = s.prompt;
        ui = s.ui;
    }
    bool connectAndGreet() { return ::connectAndGreet(*window, *ui, *prompt); }
    // Opens a motion of these bytes through the open command and the seam.
    // The undo snapshot after an open marks the document modified: no save
    // question in between, the seam answers only the open dialog.
    void open(const QByteArray &bytes)
    {
        QFile f(QStringLiteral("motion.ini"));
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        f.close();
        window->document().setModified(false);
        prompt->answers.enqueue(QStringLiteral("motion.ini"));
        ui->actionOpen_file->trigger();
    }
    // Runs the 10 ms timer steps by hand until the thumbnail walk ends.
    void finishWalk()
    {
        for (int i = 0; i < 10000 && window->frameList().refreshState() != 0; ++i)
            window->timerUpdate();
    }
    void finish()
    {
        window.reset();
        QDir::setCurrent(startDir);
        workDir.reset();
    }
};
