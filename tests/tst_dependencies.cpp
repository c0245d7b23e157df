// Who may include whom. The rooms lie in layers, and an include points down:
//
//   core < common < {motion, link, robot, files, music, view3d} < playback < app
//
// core/ holds plain units every room may use, common/ what every panel uses
// (the dialogs seam, text fitting, the wheel guard, item delegates), then the
// subsystems side by side, playback/ (which plays the document on the view,
// the music and the robot) and app/, the composition root. The subsystems keep
// apart except for the includes named in kSideways. The window is included by
// no one outside app/ (tools and benchmarks neither, except the benchmarks
// that measure in it), and the plain units of gaitforge_core include no widget
// header, not even through a header of ours. A failure names the file and the
// include that broke the rule.
//
// The form is no bus between panels either: each panel's header lists the
// form's widgets it owns, in a block of a fixed form
//
//   // Widgets it owns: listWidgetGraphicOperation, tableView,
//   //   openGLWidget
//
// and its .cpp reaches through ui-> only those (and the few widgets every
// panel shares, kSharedWidgets). No widget is listed by two panels; a panel
// learns about another's widgets through the document, the link and signals.

#include <QtTest>
#include <QDirIterator>
#include <QRegularExpression>

// The layers from the bottom: a room may include its own files and those of
// the rooms in the layers below.
static const QVector<QStringList> kLayers = {
    {QStringLiteral("core")},
    {QStringLiteral("common")},
    {QStringLiteral("motion"), QStringLiteral("link"), QStringLiteral("robot"), QStringLiteral("files"),
     QStringLiteral("music"), QStringLiteral("view3d")},
    {QStringLiteral("playback")},
    {QStringLiteral("app")},
};

// The includes between subsystems of the same layer that the tree has: the
// robot pages use the link, the motion units and the file browser; the file
// pages use the link; the frame list and the joint panel use the 3D view; the
// music panel reads the motion. No new one may join them, and one that is
// taken out of the code must leave this list too.
static const QStringList kSideways = {
    QStringLiteral("files/filebrowser.cpp -> link/robotlink.h"),
    QStringLiteral("files/filebrowser.cpp -> link/robotpath.h"),
    QStringLiteral("files/filebrowser.cpp -> link/transferoutcome.h"),
    QStringLiteral("files/transferlist.cpp -> link/robotlink.h"),
    QStringLiteral("files/transferrows.cpp -> link/packet.h"),
    QStringLiteral("files/transferrows.cpp -> link/robotpath.h"),
    QStringLiteral("motion/framelist.cpp -> view3d/openglwidget.h"),
    QStringLiteral("motion/framelist.cpp -> view3d/thumbnailicon.h"),
    QStringLiteral("motion/jointpanel.cpp -> view3d/openglwidget.h"),
    QStringLiteral("music/musicpanel.cpp -> motion/frameinfo.h"),
    QStringLiteral("music/musicpanel.cpp -> motion/frametable.h"),
    QStringLiteral("music/musicpanel.cpp -> motion/motiondocument.h"),
    QStringLiteral("robot/calibrationpanel.cpp -> link/connectionpanel.h"),
    QStringLiteral("robot/calibrationpanel.cpp -> link/robotlink.h"),
    QStringLiteral("robot/calibrationpanel.cpp -> motion/motiondocument.h"),
    QStringLiteral("robot/configfilepage.cpp -> files/filebrowser.h"),
    QStringLiteral("robot/configfilepage.cpp -> link/robotlink.h"),
    QStringLiteral("robot/configfilepage.cpp -> link/robotpath.h"),
    QStringLiteral("robot/configfilepage.cpp -> link/transferoutcome.h"),
    QStringLiteral("robot/configfilepage.cpp -> motion/angletext.h"),
    QStringLiteral("robot/configfilepage.cpp -> motion/jointlimits.h"),
    QStringLiteral("robot/iopanel.cpp -> link/robotlink.h"),
    QStringLiteral("robot/iopanel.cpp -> motion/frametable.h"),
    QStringLiteral("robot/iopanel.cpp -> motion/motiondocument.h"),
    QStringLiteral("robot/ledio.cpp -> motion/packing.h"),
    QStringLiteral("robot/servopanel.cpp -> link/robotlink.h"),
    QStringLiteral("robot/servoregisters.cpp -> link/packet.h"),
};

// The widgets every panel may use without owning them: the status bar, where
// each panel says the steps of its commands. No new one may join them, and one
// that no panel uses any longer must leave this list too.
static const QStringList kSharedWidgets = {
    QStringLiteral("statusBar"),
    // The system menu: the balance panel's masses and the stop action.
    QStringLiteral("menuSetting"),
};

// Sources that drive the whole window from outside, as a user would (the
// manual's screenshots); they are no panel and own no widget.
static const QStringList kWholeWindowDrivers = {
    QStringLiteral("app/manualshots.cpp"),
};

class TestDependencies : public QObject
{
    Q_OBJECT

    QString root;
    QSet<QString> widgetHeaders;

    static QStringList includesOf(const QString &path)
    {
        QFile file(path);
        QStringList out;
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        static const QRegularExpression include(QStringLiteral("^\\s*#\\s*include\\s*[<\"]([^>\"]+)[>\"]"));
        while (!file.atEnd()) {
            const QRegularExpressionMatch m = include.match(QString::fromUtf8(file.readLine()));
            if (m.hasMatch())
                out << m.captured(1);
        }
        return out;
    }

    // The layer of a room (0 at the bottom), or -1 for a folder outside the
    // table (tests/, bench/, tools/, a Qt module).
    static int layerOf(const QString &room)
    {
        for (int i = 0; i < kLayers.size(); ++i)
            if (kLayers[i].contains(room))
                return i;
        return -1;
    }

    // Every include in the rooms' files under sourceRoot that points up, or
    // sideways to another subsystem without being in sideways, as
    // "file -> include: why". The sideways includes met are added to used.
    static QStringList layerOffences(const QString &sourceRoot, const QStringList &sideways, QSet<QString> &used)
    {
        QStringList out;
        for (const QStringList &layer : kLayers) {
            for (const QString &room : layer) {
                QDirIterator it(sourceRoot + QLatin1Char('/') + room, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                                QDir::Files, QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    const QString path = it.next();
                    const QString relative = path.mid(sourceRoot.size() + 1);
                    for (const QString &name : includesOf(path)) {
                        const QString target = name.section(QLatin1Char('/'), 0, 0);
                        if (!name.contains(QLatin1Char('/')) || target == room)
                            continue;
                        const int targetLayer = layerOf(target);
                        const int ownLayer = layerOf(room);
                        const QString edge = relative + QStringLiteral(" -> ") + name;
                        if (targetLayer > ownLayer) {
                            out << edge + QStringLiteral(": up (%1 lies below %2)").arg(room, target);
                        } else if (targetLayer == ownLayer) {
                            if (sideways.contains(edge))
                                used.insert(edge);
                            else
                                out << edge + QStringLiteral(": sideways (%1 and %2 keep apart)").arg(room, target);
                        }
                    }
                }
            }
        }
        out.sort();
        return out;
    }

    // The widgets a panel's header says it owns, in the order written; found
    // is false when the header has no such block.
    static QStringList ownedWidgets(const QString &header, bool *found)
    {
        *found = false;
        QStringList out;
        QFile file(header);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        static const QLatin1String start("// Widgets it owns:");
        static const QLatin1String more("//   ");
        static const QRegularExpression separators(QStringLiteral("[,\\s]+"));
        while (!file.atEnd()) {
            const QString line = QString::fromUtf8(file.readLine()).trimmed();
            QString names;
            if (!*found && line.startsWith(start))
                names = line.mid(start.size());
            else if (*found && (line + QLatin1Char(' ')).startsWith(more) && line.size() > 2)
                names = line.mid(2);
            else if (*found)
                break;
            else
                continue;
            *found = true;
            out << names.split(separators, Qt::SkipEmptyParts);
        }
        return out;
    }

    // The names a source reaches through ui-> (the form's own setupUi and
    // retranslateUi are no widgets).
    static QSet<QString> formUses(const QString &path)
    {
        QSet<QString> out;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
            return out;
        static const QRegularExpression use(QStringLiteral("\\bui->([A-Za-z_][A-Za-z_0-9]*)"));
        QRegularExpressionMatchIterator it = use.globalMatch(QString::fromUtf8(file.readAll()));
        while (it.hasNext())
            out.insert(it.next().captured(1));
        out.remove(QStringLiteral("setupUi"));
        out.remove(QStringLiteral("retranslateUi"));
        return out;
    }

    // Every use of the form's widgets in the rooms' sources under sourceRoot
    // that its panel's header does not list, every widget listed twice or
    // that the form (formFile) lacks, as "what: why". The shared widgets met
    // are added to usedShared.
    static QStringList widgetOffences(const QString &sourceRoot, const QString &formFile, const QStringList &shared,
                                      const QStringList &drivers, QSet<QString> &usedShared)
    {
        QSet<QString> inForm;
        {
            QFile form(formFile);
            if (form.open(QIODevice::ReadOnly | QIODevice::Text)) {
                static const QRegularExpression named(QStringLiteral("<(?:widget|action)\\s[^>]*name=\"([^\"]+)\""));
                QRegularExpressionMatchIterator it = named.globalMatch(QString::fromUtf8(form.readAll()));
                while (it.hasNext())
                    inForm.insert(it.next().captured(1));
            }
        }
        QStringList out;
        QMap<QString, QStringList> listedBy;
        for (const QStringList &layer : kLayers) {
            for (const QString &room : layer) {
                QDirIterator it(sourceRoot + QLatin1Char('/') + room, {QStringLiteral("*.cpp")}, QDir::Files,
                                QDirIterator::Subdirectories);
                while (it.hasNext()) {
                    const QString path = it.next();
                    const QString relative = path.mid(sourceRoot.size() + 1);
                    const QSet<QString> uses = formUses(path);
                    if (uses.isEmpty() || drivers.contains(relative))
                        continue;
                    const QString header = relative.left(relative.size() - 4) + QStringLiteral(".h");
                    bool found = false;
                    const QStringList owned = ownedWidgets(sourceRoot + QLatin1Char('/') + header, &found);
                    if (!found) {
                        out << relative + QStringLiteral(": uses the form, but ") + header
                                   + QStringLiteral(" lists no widgets it owns");
                        continue;
                    }
                    for (const QString &name : owned) {
                        listedBy[name] << header;
                        if (!inForm.contains(name))
                            out << header + QStringLiteral(": lists %1, which the form does not have").arg(name);
                    }
                    for (const QString &name : uses) {
                        if (shared.contains(name))
                            usedShared.insert(name);
                        else if (!owned.contains(name))
                            out << relative + QStringLiteral(": ui->%1 is not listed in %2").arg(name, header);
                    }
                }
            }
        }
        for (auto it = listedBy.cbegin(); it != listedBy.cend(); ++it) {
            if (it.value().size() > 1)
                out << it.key() + QStringLiteral(": listed by ") + it.value().join(QStringLiteral(" and "));
            if (shared.contains(it.key()))
                out << it.key() + QStringLiteral(": shared, yet listed by ") + it.value().join(QStringLiteral(" and "));
        }
        out.sort();
        return out;
    }

    // Whether the header (as written in an include) is one of Qt's widget
    // headers or a generated form or plot header.
    bool isWidgetHeader(const QString &name) const
    {
        const QString base = name.section(QLatin1Char('/'), -1);
        if (name.startsWith(QLatin1String("QtWidgets/")) || base == QLatin1String("QtWidgets"))
            return true;
        if (base.startsWith(QLatin1String("ui_")) || base == QLatin1String("qcustomplot.h"))
            return true;
        return widgetHeaders.contains(base);
    }

    // The first widget header reached from path through the project's own
    // headers, as "a.h -> b.h -> QWidget", or an empty string.
    QString widgetChain(const QString &path, QSet<QString> &seen) const
    {
        if (seen.contains(path))
            return QString();
        seen.insert(path);
        for (const QString &name : includesOf(path)) {
            if (isWidgetHeader(name))
                return name;
            const QString local = root + QLatin1Char('/') + name;
            if (QFileInfo::exists(local)) {
                const QString chain = widgetChain(local, seen);
                if (!chain.isEmpty())
                    return name + QStringLiteral(" -> ") + chain;
            }
        }
        return QString();
    }

    // Writes a file of a made-up tree, making its folders.
    static void writeTreeFile(const QString &tree, const QString &name, const QByteArray &text)
    {
        QVERIFY(QDir(tree).mkpath(QFileInfo(name).path()));
        QFile f(tree + QLatin1Char('/') + name);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(text);
    }

private slots:
    void initTestCase()
    {
        root = qEnvironmentVariable("GAITFORGE_SOURCE_DIR");
        QVERIFY2(QFileInfo(root + QStringLiteral("/app/mainwindow.h")).exists(), qPrintable(root));
        const QString widgetsDir = qEnvironmentVariable("GAITFORGE_QTWIDGETS_INCLUDE");
        QDirIterator it(widgetsDir, QDir::Files);
        while (it.hasNext())
            widgetHeaders.insert(it.next().section(QLatin1Char('/'), -1));
        QVERIFY2(widgetHeaders.contains(QStringLiteral("QWidget")), qPrintable(widgetsDir));
        QVERIFY(widgetHeaders.contains(QStringLiteral("qspinbox.h")));
    }

    void onlyTheShellIncludesTheWindow()
    {
        QStringList offenders;
        for (const QString folder : {"core", "common", "motion", "link", "robot", "files", "view3d", "music", "playback",
                                     "tools", "bench"}) {
            QDirIterator it(root + QLatin1Char('/') + folder, {QStringLiteral("*.h"), QStringLiteral("*.cpp")},
                            QDir::Files, QDirIterator::Subdirectories);
            while (it.hasNext()) {
                const QString path = it.next();
                const QString relative = path.mid(root.size() + 1);
                // The preview benchmark plays a motion in the real window, and
                // the motion window and 3D view benchmarks measure there, as
                // the scenario tests do; they share how the window is shown.
                // The start benchmark times the window's start.
                if (relative == QLatin1String("bench/shownwindow.h")
                    || relative == QLatin1String("bench/preview_bench.cpp")
                    || relative == QLatin1String("bench/motion_window_bench.cpp")
                    || relative == QLatin1String("bench/view3d_window_bench.cpp")
                    || relative == QLatin1String("bench/start_bench.cpp"))
                    continue;
                if (includesOf(path).contains(QStringLiteral("app/mainwindow.h")))
                    offenders << relative;
            }
        }
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral(", "))));
    }

    void includesPointDown()
    {
        QSet<QString> used;
        const QStringList offences = layerOffences(root, kSideways, used);
        QVERIFY2(offences.isEmpty(), qPrintable(offences.join(QStringLiteral("; "))));
        // A sideways include taken out of the code leaves the list, so that it
        // cannot come back unnoticed.
        QStringList gone;
        for (const QString &edge : kSideways)
            if (!used.contains(edge))
                gone << edge;
        QVERIFY2(gone.isEmpty(), qPrintable(QStringLiteral("no longer in the code: ") + gone.join(QStringLiteral("; "))));
    }

    // Each panel reaches through ui-> only the widgets its header lists; no
    // widget has two owners.
    void panelsTouchOnlyTheirWidgets()
    {
        QSet<QString> usedShared;
        const QStringList offences = widgetOffences(root, root + QStringLiteral("/resources/mainwindow.ui"),
                                                    kSharedWidgets, kWholeWindowDrivers, usedShared);
        QVERIFY2(offences.isEmpty(), qPrintable(offences.join(QStringLiteral("; "))));
        // A shared widget no panel uses any longer leaves the list.
        QStringList gone;
        for (const QString &name : kSharedWidgets)
            if (!usedShared.contains(name))
                gone << name;
        QVERIFY2(gone.isEmpty(), qPrintable(QStringLiteral("no longer shared: ") + gone.join(QStringLiteral("; "))));
        for (const QString &driver : kWholeWindowDrivers)
            QVERIFY2(QFileInfo::exists(root + QLatin1Char('/') + driver), qPrintable(driver));
    }

    void coreUnitsUseNoWidgets()
    {
        const QStringList sources = qEnvironmentVariable("GAITFORGE_CORE_SOURCES").split(QLatin1Char(';'),
                                                                                         Qt::SkipEmptyParts);
        QVERIFY(sources.size() > 10);
        QStringList offenders;
        for (QString path : sources) {
            // Generated files (moc, forms) are the build's, not units of ours.
            if (path.contains(QLatin1String("_autogen/")))
                continue;
            if (QFileInfo(path).isRelative())
                path = root + QLatin1Char('/') + path;
            QVERIFY2(QFileInfo::exists(path), qPrintable(path));
            QSet<QString> seen;
            const QString chain = widgetChain(path, seen);
            if (!chain.isEmpty())
                offenders << path.mid(root.size() + 1) + QStringLiteral(": ") + chain;
        }
        QVERIFY2(offenders.isEmpty(), qPrintable(offenders.join(QStringLiteral("; "))));
    }

    // The rule itself: a widget header is found through one of our headers.
    void theCheckSeesThroughHeaders()
    {
        QTemporaryDir dir;
        const QString savedRoot = root;
        root = dir.path();
        QDir(root).mkpath(QStringLiteral("unit"));
        auto write = [&](const QString &name, const QByteArray &text) {
            QFile f(root + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(text);
        };
        write(QStringLiteral("unit/a.cpp"), "#include \"unit/a.h\"\n#include <QString>\n");
        write(QStringLiteral("unit/a.h"), "#pragma once\n  #  include <QSpinBox>\n");
        write(QStringLiteral("unit/b.cpp"), "#include <QVector>\n#include \"unit/missing.h\"\n");
        QSet<QString> seen;
        QCOMPARE(widgetChain(root + QStringLiteral("/unit/a.cpp"), seen), QStringLiteral("unit/a.h -> QSpinBox"));
        seen.clear();
        QCOMPARE(widgetChain(root + QStringLiteral("/unit/b.cpp"), seen), QString());
        root = savedRoot;
    }

    // The layer rule itself on a made-up tree: up and unnamed sideways
    // includes are found, also in subfolders and written with spaces; includes
    // down, within a room, of folders outside the table and of Qt are not.
    void theLayerCheckSeesUpAndSideways()
    {
        QTemporaryDir dir;
        const QString tree = dir.path();
        auto write = [&](const QString &name, const QByteArray &text) { writeTreeFile(tree, name, text); };
        write(QStringLiteral("core/a.h"), "#pragma once\n#include <QString>\n#include \"common/b.h\"\n");
        write(QStringLiteral("common/b.cpp"), "#include \"common/b.h\"\n#include \"core/a.h\"\n  #  include \"motion/m.h\"\n");
        write(QStringLiteral("motion/m.cpp"),
              "#include \"motion/m.h\"\n#include \"robot/r.h\"\n#include \"link/l.h\"\n"
              "#include \"support/s.h\"\n#include <QtWidgets/QWidget>\n#include \"ui_mainwindow.h\"\n");
        write(QStringLiteral("robot/deep/r.h"), "#pragma once\n#include \"playback/p.h\"\n");
        write(QStringLiteral("playback/p.cpp"), "#include \"music/x.h\"\n#include \"app/mainwindow.h\"\n");
        write(QStringLiteral("app/w.cpp"), "#include \"playback/p.h\"\n#include \"core/a.h\"\n");
        write(QStringLiteral("tests/t.cpp"), "#include \"app/mainwindow.h\"\n");

        QSet<QString> used;
        const QStringList offences =
            layerOffences(tree, {QStringLiteral("motion/m.cpp -> link/l.h"), QStringLiteral("files/f.cpp -> link/l.h")},
                          used);
        QCOMPARE(offences, (QStringList{
                               QStringLiteral("common/b.cpp -> motion/m.h: up (common lies below motion)"),
                               QStringLiteral("core/a.h -> common/b.h: up (core lies below common)"),
                               QStringLiteral("motion/m.cpp -> robot/r.h: sideways (motion and robot keep apart)"),
                               QStringLiteral("playback/p.cpp -> app/mainwindow.h: up (playback lies below app)"),
                               QStringLiteral("robot/deep/r.h -> playback/p.h: up (robot lies below playback)"),
                           }));
        QCOMPARE(used, QSet<QString>{QStringLiteral("motion/m.cpp -> link/l.h")});
    }

    // The widget rule itself on a made-up tree: a use of another panel's
    // widget, a use the header does not list, a widget listed twice or
    // missing from the form, a source with no list, a shared widget listed;
    // the shared widgets, the form's own functions, a list over several
    // lines and the whole-window drivers pass.
    void theWidgetCheckSeesForeignUses()
    {
        QTemporaryDir dir;
        const QString tree = dir.path();
        auto write = [&](const QString &name, const QByteArray &text) { writeTreeFile(tree, name, text); };
        write(QStringLiteral("form.ui"),
              "<ui><widget class=\"QListWidget\" name=\"list\"/><widget class=\"QTableView\" name=\"table\"/>"
              "<widget name=\"plot\" class=\"QWidget\"/><action name=\"actionPlay\"/>"
              "<widget class=\"QStatusBar\" name=\"status\"/></ui>\n");
        write(QStringLiteral("motion/frames.h"),
              "#pragma once\n// The frames.\n// Widgets it owns: list,\n//   table\n// Widgets: plot (said, not owned)\n");
        write(QStringLiteral("motion/frames.cpp"),
              "void f() { ui->setupUi(w); ui->list->clear(); this->ui->table->show(); ui->status->show(); }\n");
        write(QStringLiteral("music/player.h"), "#pragma once\n// Widgets it owns: plot, actionPlay, table, gone\n");
        write(QStringLiteral("music/player.cpp"), "void g() { ui->plot->show(); ui->list->hide(); ui->retranslateUi(w); }\n");
        write(QStringLiteral("robot/page.h"), "#pragma once\n// Widgets: list\n");
        write(QStringLiteral("robot/page.cpp"), "void h() { ui->list->show(); }\n");
        write(QStringLiteral("app/shots.cpp"), "void s() { ui->list->show(); ui->plot->hide(); }\n");
        write(QStringLiteral("app/shell.h"), "#pragma once\n// Widgets it owns: status\n");
        write(QStringLiteral("app/shell.cpp"), "void k() { ui->status->show(); }\n");
        write(QStringLiteral("link/plain.cpp"), "void p() { gui->list->show(); }\n");

        QSet<QString> usedShared;
        const QStringList offences = widgetOffences(tree, tree + QStringLiteral("/form.ui"), {QStringLiteral("status")},
                                                    {QStringLiteral("app/shots.cpp")}, usedShared);
        QCOMPARE(offences, (QStringList{
                               QStringLiteral("music/player.cpp: ui->list is not listed in music/player.h"),
                               QStringLiteral("music/player.h: lists gone, which the form does not have"),
                               QStringLiteral("robot/page.cpp: uses the form, but robot/page.h lists no widgets it owns"),
                               QStringLiteral("status: shared, yet listed by app/shell.h"),
                               QStringLiteral("table: listed by motion/frames.h and music/player.h"),
                           }));
        QCOMPARE(usedShared, QSet<QString>{QStringLiteral("status")});
    }
};

QTEST_GUILESS_MAIN(TestDependencies)
#include "tst_dependencies.moc"
