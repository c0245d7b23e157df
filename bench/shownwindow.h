#pragma once
// The main window as the window benchmarks measure it: made in a temporary
// working folder with the scripted dialogs, at its start size, shown and
// exposed. The folder is left (and the old one made current again) when it goes.
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include "app/mainwindow.h"
#include "support/scriptedprompt.h"

struct ShownWindow {
    QTemporaryDir dir;
    QString startDir = QDir::currentPath();
    std::unique_ptr<MainWindow> window;
    ScriptedPrompt *prompt = nullptr;

    ShownWindow()
    {
        QDir::setCurrent(dir.path());
        window = std::make_unique<MainWindow>();
        auto p = std::make_unique<ScriptedPrompt>();
        prompt = p.get();
        window->setPrompt(std::move(p));
        window->resize(1366, 725);
        window->show();
        if (!QTest::qWaitForWindowExposed(window.get()))
            qWarning("the window was not shown");
    }
    ~ShownWindow()
    {
        window.reset();
        QDir::setCurrent(startDir);
    }
    ShownWindow(const ShownWindow &) = delete;
    ShownWindow &operator=(const ShownWindow &) = delete;
};
