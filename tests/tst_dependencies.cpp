// Who may include whom. The window is the composition root: nothing outside
// app/ (and the window's own scenario tests and preview benchmark) includes
// app/mainwindow.h, and the plain units of gaitforge_core include no widget
// header, not even through a header of ours. A failure names the file and the
// include that broke the rule.

#include <QtTest>
#include <QDirIterator>
#include <QRegularExpression>

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
        for (const QString folder : {"motion", "link", "robot", "files", "view3d", "music", "tools", "bench"}) {
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
};

QTEST_GUILESS_MAIN(TestDependencies)
#include "tst_dependencies.moc"
