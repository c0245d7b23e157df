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
#include <sys/wait.h>
#include <unistd.h>
#include <utime.h>

#include "app/initfile.h"
#include "core/safefile.h"
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

// Sets a file's modification time `seconds` into the past.
bool age(const QString &path, int seconds)
{
    struct utimbuf times;
    times.actime = times.modtime = time(nullptr) - seconds;
    return utime(QFile::encodeName(path).constData(), &times) == 0;
}

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

    // A file made read-only on purpose is refused by every save, as the
    // fetch refuses it, even for root whom the system would let write it.
    void readOnlyFileIsKept()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("dance.ini"));
        writeFile(path, "kept");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        QString error;
        QVERIFY(!safefile::mayReplace(path, &error));
        QCOMPARE(error, QString::fromLocal8Bit(strerror(EACCES)));
        error.clear();
        QVERIFY(!safefile::write(path, "replaced", &error));
        QCOMPARE(error, QString::fromLocal8Bit(strerror(EACCES)));
        QCOMPARE(readFile(path), QByteArray("kept"));
        QCOMPARE(entries(here.path()), QStringList{"dance.ini"});
        // The motion document's save takes the same refusal.
        MotionDocument doc;
        doc.insertFrame(0, MotionDocument::Frame{});
        const MotionDocument::SaveResult result = doc.save(path, false);
        QCOMPARE(result.kind, MotionDocument::SaveResult::WriteFailed);
        QCOMPARE(readFile(path), QByteArray("kept"));
        // A missing file, or one that may be written, may be replaced.
        QVERIFY(safefile::mayReplace(here.filePath(QStringLiteral("new.ini"))));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QVERIFY(safefile::mayReplace(path));
        QVERIFY(!safefile::mayReplace(here.path()));
    }

    // A file size limit must not end the process (SIGXFSZ's default): the
    // save fails with the reason and the old file stays. Run in a child
    // whose signal disposition is the default a fresh program starts with.
    void fileSizeLimitDoesNotEndTheProcess()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("big.ini"));
        writeFile(path, "old");
        const pid_t child = fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_DFL);
            rlimit limit;
            getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = 100;
            setrlimit(RLIMIT_FSIZE, &limit);
            QString error;
            const bool saved = safefile::write(path, QByteArray(100000, 'x'), &error);
            _exit(!saved && error == QString::fromLocal8Bit(strerror(EFBIG)) ? 0 : 1);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY2(!WIFSIGNALED(status), "the save ended the process");
        QVERIFY(WIFEXITED(status));
        QCOMPARE(WEXITSTATUS(status), 0);
        QCOMPARE(readFile(path), QByteArray("old"));
        QCOMPARE(entries(here.path()), QStringList{"big.ini"});
    }

    // Temporary files left by killed saves of a file go at its next save;
    // a fresh one (a save going on in another process), another file's and
    // names that are not ours stay.
    void staleTemporariesGoAtTheNextSave()
    {
        QTemporaryDir here;
        const QString path = here.filePath(QStringLiteral("a.ini"));
        writeFile(path, "old");
        const QStringList stale{".a.ini.1x9z.tmp", ".a.ini.k0.tmp"};
        const QStringList kept{".a.ini.fresh1.tmp", ".a.ini.not-ours.tmp", ".b.ini.old1.tmp", "a.ini.old1.tmp"};
        for (const QString &name : stale + kept) {
            writeFile(here.filePath(name), "part");
            if (name != QLatin1String(".a.ini.fresh1.tmp"))
                QVERIFY(age(here.filePath(name), safefile::staleTemporarySeconds + 60));
        }
        QVERIFY(QDir(here.path()).mkdir(QStringLiteral(".a.ini.dir1.tmp")));
        QVERIFY(age(here.filePath(QStringLiteral(".a.ini.dir1.tmp")), safefile::staleTemporarySeconds + 60));
        QVERIFY(safefile::write(path, "new"));
        QStringList expected = kept + QStringList{".a.ini.dir1.tmp", "a.ini"};
        expected.sort();
        QStringList found = entries(here.path());
        found.sort();
        QCOMPARE(found, expected);
        QCOMPARE(readFile(path), QByteArray("new"));
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
