// Saving files safely: the one helper every save goes through, on a disk that
// fills up during the write (a file size limit makes the kernel refuse the
// write as a full disk would), on a place that cannot be written, through a
// link; and the savers that use it (init file, motion document) keeping the
// old file when the new one cannot be written whole.

#include <QtTest>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "app/initfile.h"
#include "app/safefile.h"
#include "motion/motiondocument.h"
#include "support/testfiles.h"

using namespace testfiles;

namespace {

// While it lives, no file of this process may grow past `bytes`: a write
// beyond fails (EFBIG) as it would on a full disk.
class DiskFullAfter
{
public:
    explicit DiskFullAfter(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved);
        rlimit limit = saved;
        limit.rlim_cur = bytes;
        active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~DiskFullAfter() { setrlimit(RLIMIT_FSIZE, &saved); }
    bool active = false;

private:
    rlimit saved{};
};

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class TestSafeFile : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;

private slots:
    void replacesTheFileAndKeepsItsPermissions()
    {
        const QString path = dir.filePath(QStringLiteral("a.ini"));
        writeFile(path, "old");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QString error;
        QVERIFY(safefile::write(path, "new content", &error));
        QVERIFY(error.isEmpty());
        QCOMPARE(readFile(path), QByteArray("new content"));
        const QFileDevice::Permissions shown = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup
                                               | QFileDevice::WriteGroup | QFileDevice::ReadOther
                                               | QFileDevice::WriteOther;
        QCOMPARE(QFile::permissions(path) & shown, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        // A new file; nothing left behind beside them.
        QVERIFY(safefile::write(dir.filePath(QStringLiteral("b.ini")), QByteArray()));
        QCOMPARE(readFile(dir.filePath(QStringLiteral("b.ini"))), QByteArray());
        QCOMPARE(entries(dir.path()), (QStringList{"a.ini", "b.ini"}));
    }

    void writesThroughALink()
    {
        QTemporaryDir here;
        const QString target = here.filePath(QStringLiteral("target.ini"));
        const QString link = here.filePath(QStringLiteral("link.ini"));
        writeFile(target, "old");
        QVERIFY(QFile::link(target, link));
        QVERIFY(safefile::write(link, "new"));
        QCOMPARE(readFile(target), QByteArray("new"));
        QVERIFY(QFileInfo(link).isSymLink());
    }

    void placesThatCannotBeWritten()
    {
        QTemporaryDir here;
        QVERIFY(QDir(here.path()).mkpath(QStringLiteral("folder.ini")));
        QString error;
        QVERIFY(!safefile::write(here.filePath(QStringLiteral("folder.ini")), "x", &error));
        QVERIFY(!error.isEmpty());
        error.clear();
        QVERIFY(!safefile::write(here.filePath(QStringLiteral("no/such/x.ini")), "x", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!safefile::write(QString(), "x"));
        QCOMPARE(entries(here.path()), QStringList{"folder.ini"});
    }

    // The disk fills up in the middle of the write: the save fails with the
    // system's reason and the old file is still there, whole.
    void fullDiskKeepsTheOldFile()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("motion.ini"));
        writeFile(path, "the old motion");
        QString error;
        bool saved = true;
        {
            DiskFullAfter full(100);
            QVERIFY(full.active);
            saved = safefile::write(path, QByteArray(5000, 'x'), &error);
        }
        QVERIFY(!saved);
        QVERIFY2(!error.isEmpty(), "the reason is told");
        QCOMPARE(readFile(path), QByteArray("the old motion"));
        QCOMPARE(entries(here.path()), QStringList{"motion.ini"});
        // With room again it saves.
        QVERIFY(safefile::write(path, QByteArray(5000, 'x')));
        QCOMPARE(readFile(path).size(), 5000);
    }

    // The init file on a full disk: no 0-byte file, no success reported.
    void initFileOnAFullDisk()
    {
        QTemporaryDir here;
        QVERIFY(initfile::write(here.path(), 2, 4, 4));
        const QByteArray before = readFile(initfile::filePath(here.path()));
        QVERIFY(before.contains("LANG:zhs;"));
        bool saved = true;
        {
            DiskFullAfter full(16);
            saved = initfile::write(here.path(), 1, 1, 1);
        }
        QVERIFY(!saved);
        QCOMPARE(readFile(initfile::filePath(here.path())), before);
        QCOMPARE(entries(initfile::folderPath(here.path())), QStringList{"init"});
    }

    // A motion saved on a full disk: the save fails, the old file stays.
    void motionOnAFullDisk()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("dance.ini"));
        writeFile(path, "old dance");
        MotionDocument doc;
        for (int r = 0; r < 50; ++r)
            doc.insertFrame(r, MotionDocument::Frame{});
        MotionDocument::SaveResult result;
        {
            DiskFullAfter full(1000);
            result = doc.save(path, false);
        }
        QCOMPARE(result.kind, MotionDocument::SaveResult::WriteFailed);
        QVERIFY(!result.reason.isEmpty());
        QCOMPARE(readFile(path), QByteArray("old dance"));
        QCOMPARE(entries(here.path()), QStringList{"dance.ini"});
        QVERIFY(doc.save(path, false).ok());
        QVERIFY(readFile(path).startsWith("#This is a robot operation file.\r\n"));
    }
};

QTEST_GUILESS_MAIN(TestSafeFile)
#include "tst_safefile.moc"
