#include "link/linkclock.h"

// The shared skips are read and written through the file's mapping by two
// processes: the counter must be a plain lock-free word to be shared so.
static_assert(std::atomic<qint64>::is_always_lock_free, "a lock-free 64-bit counter");
static_assert(sizeof(std::atomic<qint64>) == sizeof(qint64), "the counter is the file's eight bytes");

LinkClock::LinkClock()
{
    real.start();
}

LinkClock::~LinkClock() = default;

qint64 LinkClock::skippedMs() const
{
    const std::atomic<qint64> *counter = shared.load(std::memory_order_acquire);
    return ownSkips.load(std::memory_order_acquire) + (counter ? counter->load(std::memory_order_acquire) : 0);
}

void LinkClock::skip(qint64 ms)
{
    if (ms <= 0)
        return;
    std::atomic<qint64> *counter = shared.load(std::memory_order_acquire);
    (counter ? *counter : ownSkips).fetch_add(ms, std::memory_order_acq_rel);
}

bool LinkClock::shareSkips(const QString &path)
{
    if (sharedFile)
        return false;
    auto file = std::make_unique<QFile>(path);
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return false;
    // A new file is eight zero bytes: nothing skipped yet.
    const qint64 size = file->size();
    if (size < qint64(sizeof(qint64))) {
        const QByteArray zeros(int(sizeof(qint64) - size), '\0');
        if (!file->seek(size) || file->write(zeros) != zeros.size() || !file->flush())
            return false;
    }
    // A shared mapping (not a private copy): what one process writes, the
    // other reads. It stays mapped while the file is open, as long as the clock.
    uchar *bytes = file->map(0, sizeof(qint64));
    if (!bytes)
        return false;
    sharedFile = std::move(file);
    shared.store(reinterpret_cast<std::atomic<qint64> *>(bytes), std::memory_order_release);
    return true;
}
