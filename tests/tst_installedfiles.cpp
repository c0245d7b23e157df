// Where the program finds the files it ships with: the working folder's own
// copy first, then the installed data folder beside the program.

#include <QtTest>
#include <QTemporaryDir>

#include "core/installedfiles.h"

class TestInstalledFiles : public QObject
{
    Q_OBJECT

    static void touch(const QString &path)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private slots:
    void dataFolderBesideTheProgram()
    {
        QCOMPARE(installedfiles::dataFolder(QStringLiteral("/usr/bin")), QStringLiteral("/usr/share/gaitforge"));
        QCOMPARE(installedfiles::dataFolder(QStringLiteral("/tmp/root/usr/bin/")),
                 QStringLiteral("/tmp/root/usr/share/gaitforge"));
    }

    // The working folder's copy wins; without it the installed one; with
    // neither, the working folder's place (to name in the message).
    void workingCopyThenInstalled()
    {
        QTemporaryDir root;
        const QString bin = root.path() + QStringLiteral("/usr/bin");
        const QString work = root.path() + QStringLiteral("/work");
        QDir().mkpath(bin);
        QDir().mkpath(work + QStringLiteral("/.robot"));
        const QString manual = work + QStringLiteral("/manual.pdf");
        const QString factory = work + QStringLiteral("/.robot/robotcfg_factory.ini");

        QCOMPARE(installedfiles::find(manual, bin), manual);
        touch(root.path() + QStringLiteral("/usr/share/gaitforge/manual.pdf"));
        touch(root.path() + QStringLiteral("/usr/share/gaitforge/robotcfg_factory.ini"));
        QCOMPARE(installedfiles::find(manual, bin), root.path() + QStringLiteral("/usr/share/gaitforge/manual.pdf"));
        QCOMPARE(installedfiles::find(factory, bin),
                 root.path() + QStringLiteral("/usr/share/gaitforge/robotcfg_factory.ini"));
        touch(manual);
        QCOMPARE(installedfiles::find(manual, bin), manual);
        // A folder of that name is no manual.
        QDir().mkpath(work + QStringLiteral("/.robot/robotcfg_factory.ini"));
        QCOMPARE(installedfiles::find(factory, bin),
                 root.path() + QStringLiteral("/usr/share/gaitforge/robotcfg_factory.ini"));
    }

    // The edition of the interface's language, in the working folder or
    // installed; without it the English manual stands in (and says so);
    // with neither, every place tried.
    void manualOfTheLanguage()
    {
        QTemporaryDir root;
        const QString bin = root.path() + QStringLiteral("/usr/bin");
        const QString share = root.path() + QStringLiteral("/usr/share/gaitforge");
        const QString work = root.path() + QStringLiteral("/work");
        QDir().mkpath(bin);
        QDir().mkpath(work);

        installedfiles::Manual manual = installedfiles::findManual(QStringLiteral("zh_simple"), work, bin);
        QVERIFY(!manual.found);
        QCOMPARE(manual.lookedAt, QStringList({work + "/manual.zh_simple.pdf", share + "/manual.zh_simple.pdf",
                                               work + "/manual.pdf"}));
        touch(share + QStringLiteral("/manual.pdf"));
        manual = installedfiles::findManual(QStringLiteral("zh_simple"), work, bin);
        QVERIFY(manual.found && manual.fellBack);
        QCOMPARE(manual.path, share + QStringLiteral("/manual.pdf"));
        touch(share + QStringLiteral("/manual.zh_traditional.pdf"));
        manual = installedfiles::findManual(QStringLiteral("zh_traditional"), work, bin);
        QVERIFY(manual.found && !manual.fellBack);
        QCOMPARE(manual.path, share + QStringLiteral("/manual.zh_traditional.pdf"));
        touch(work + QStringLiteral("/manual.zh_traditional.pdf"));
        QCOMPARE(installedfiles::findManual(QStringLiteral("zh_traditional"), work, bin).path,
                 work + QStringLiteral("/manual.zh_traditional.pdf"));
        // English asks for manual.pdf only, and never falls back.
        manual = installedfiles::findManual(QString(), work, bin);
        QVERIFY(manual.found && !manual.fellBack);
        QCOMPARE(manual.path, share + QStringLiteral("/manual.pdf"));
    }

    void versionIsTheProjects()
    {
        QVERIFY(QRegularExpression(QStringLiteral("^\\d+\\.\\d+(\\.\\d+)?$")).match(installedfiles::version()).hasMatch());
    }
};

QTEST_GUILESS_MAIN(TestInstalledFiles)
#include "tst_installedfiles.moc"
