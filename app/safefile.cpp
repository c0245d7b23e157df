#include "app/safefile.h"

#include <QFile>
#include <QRandomGenerator>

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

} // namespace

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
    // A link is followed: the file it points to gets the new content.
    QByteArray target = nativePath;
    struct stat old;
    const bool existed = ::stat(nativePath.constData(), &old) == 0;
    if (existed) {
        if (S_ISDIR(old.st_mode))
            return failWith(error, EISDIR);
        char resolved[PATH_MAX];
        if (::realpath(nativePath.constData(), resolved))
            target = QByteArray(resolved);
    }
    const int slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : target.left(slash);
    const QByteArray base = target.mid(slash + 1);

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
