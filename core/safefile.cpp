#include "core/safefile.h"

#include <QFile>
#include <QRandomGenerator>

#include <dirent.h>
#include <csignal>
#include <ctime>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace safefile {

namespace {

bool failWith(QString *error, int code)
{
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(code));
    return false;
}

// Writes all of data, retrying after interruptions and partial writes.
bool writeAll(int fd, const QByteArray &data)
{
    const char *at = data.constData();
    qint64 left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, at, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = EIO;
            return false;
        }
        at += n;
        left -= n;
    }
    return true;
}

// Our own temporary names: "." + base + "." + base-36 number + ".tmp".
bool isOurTemporary(const QByteArray &name, const QByteArray &base)
{
    const QByteArray head = '.' + base + '.';
    if (!name.startsWith(head) || !name.endsWith(".tmp"))
        return false;
    const QByteArray middle = name.mid(head.size(), name.size() - head.size() - 4);
    if (middle.isEmpty() || middle.size() > 7)
        return false;
    for (const char c : middle)
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z')))
            return false;
    return true;
}

// Removes the temporary files of earlier saves of base in folder that were
// left behind (a killed process): only regular files of this user, older than
// a save could take.
void removeStaleTemporaries(const QByteArray &folder, const QByteArray &base)
{
    DIR *dir = ::opendir(folder.constData());
    if (!dir)
        return;
    const time_t now = std::time(nullptr);
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray name(entry->d_name);
        if (!isOurTemporary(name, base))
            continue;
        const QByteArray path = folder + '/' + name;
        struct stat info;
        if (::lstat(path.constData(), &info) != 0 || !S_ISREG(info.st_mode) || info.st_uid != ::geteuid())
            continue;
        if (now - info.st_mtime < staleTemporarySeconds)
            continue;
        ::unlink(path.constData());
    }
    ::closedir(dir);
}

// The refusal of mayReplace on the file system's own bytes.
int replaceRefusal(const QByteArray &nativePath)
{
    struct stat info;
    if (::stat(nativePath.constData(), &info) != 0)
        return 0;
    if (S_ISDIR(info.st_mode))
        return EISDIR;
    // Read-only for everyone: kept even for a user (root) whom the system
    // would let write it.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 || ::access(nativePath.constData(), W_OK) != 0)
        return EACCES;
    return 0;
}

} // namespace

void keepRunningPastFileSizeLimit()
{
    struct sigaction current;
    if (::sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL)
        std::signal(SIGXFSZ, SIG_IGN);
}

bool mayReplace(const QString &path, QString *error)
{
    const int code = path.isEmpty() ? ENOENT : replaceRefusal(QFile::encodeName(path));
    return code == 0 || failWith(error, code);
}

bool write(const QString &path, const QByteArray &data, QString *error)
{
    if (path.isEmpty())
        return failWith(error, ENOENT);
    return writeNative(QFile::encodeName(path), data, error);
}

bool writeNative(const QByteArray &nativePath, const QByteArray &data, QString *error)
{
    if (nativePath.isEmpty())
        return failWith(error, ENOENT);
    keepRunningPastFileSizeLimit();
    // A link is followed: the file it points to gets the new content.
    QByteArray target = nativePath;
    struct stat old;
    const bool existed = ::stat(nativePath.constData(), &old) == 0;
    if (existed) {
        if (const int refusal = replaceRefusal(nativePath))
            return failWith(error, refusal);
        char resolved[PATH_MAX];
        if (::realpath(nativePath.constData(), resolved))
            target = QByteArray(resolved);
    }
    const int slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    const QByteArray base = target.mid(slash + 1);
    removeStaleTemporaries(folder, base);

    // A new, hidden temporary file in the same folder (so that the rename
    // cannot cross file systems); the system applies the umask.
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder + '/' + '.' + base + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36)
               + ".tmp";
        fd = ::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failWith(error, errno);
    }
    if (fd < 0)
        return failWith(error, EEXIST);

    auto abandon = [&](int code) {
        ::close(fd);
        ::unlink(temp.constData());
        return failWith(error, code);
    };
    // The saved file keeps the permissions of the one it replaces.
    if (existed && ::fchmod(fd, old.st_mode & 07777) != 0) {
        // Not fatal (a file of another owner): the new file keeps the umask's.
    }
    if (!writeAll(fd, data))
        return abandon(errno);
    // Everything must be on the disk before the old file goes: a full disk
    // may only show here.
    if (::fsync(fd) != 0)
        return abandon(errno);
    if (::close(fd) != 0) {
        const int code = errno;
        ::unlink(temp.constData());
        return failWith(error, code);
    }
    if (::rename(temp.constData(), target.constData()) != 0) {
        const int code = errno;
        ::unlink(temp.constData());
        return failWith(error, code);
    }
    return true;
}

} // namespace safefile
