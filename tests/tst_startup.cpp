// Program entry: the surface format and the translators chosen by language code.

#include <QtTest>
#include <QSurfaceFormat>
#include <QTranslator>

#include "app/startup.h"

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void surfaceFormat()
    {
        setDefaultSurfaceFormat();
        const QSurfaceFormat f = QSurfaceFormat::defaultFormat();
        QCOMPARE(f.profile(), QSurfaceFormat::CompatibilityProfile);
        QCOMPARE(f.depthBufferSize(), 24);
        QCOMPARE(f.stencilBufferSize(), -1);
        QCOMPARE(f.samples(), -1);
    }

    void englishInstallsNothing()
    {
        for (int code : {0, 1, 4, -1}) {
            QTranslator qt, app;
            QCOMPARE(installStartupTranslators(*QCoreApplication::instance(), code, qt, app), 0);
            QVERIFY(qt.isEmpty() && app.isEmpty());
        }
    }

    // Both Chinese languages load Qt's catalogue (with the catalogues it pulls
    // in) and the program's own, and the program's texts come out translated.
    void chineseInstallsBoth_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("qtCancel");
        QTest::newRow("simplified") << 2 << QStringLiteral("取消");
        QTest::newRow("traditional") << 3 << QStringLiteral("取消");
    }
    void chineseInstallsBoth()
    {
        QFETCH(int, code);
        QFETCH(QString, qtCancel);
        QTranslator qt, app;
        QCOMPARE(installStartupTranslators(*QCoreApplication::instance(), code, qt, app), 2);
        const QString title = QCoreApplication::translate("MainWindow", "edit robot motion");
        QVERIFY2(title != QLatin1String("edit robot motion") && !title.isEmpty(), qPrintable(title));
        QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);
        QCoreApplication::removeTranslator(&qt);
        QCoreApplication::removeTranslator(&app);
        QCOMPARE(QCoreApplication::translate("MainWindow", "edit robot motion"), QStringLiteral("edit robot motion"));
    }
};

QTEST_GUILESS_MAIN(TestStartup)
#include "tst_startup.moc"
