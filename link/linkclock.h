#pragma once
// The time the link measures its limits by: how long the robot may be silent,
// the watchdog, the keep-alive period, how long an answer may take. It is the
// monotonic clock plus the time skipped on it. Nothing in the program skips,
// so the link keeps real time; a test that knows the robot has gone quiet
// skips over the silence instead of waiting it out, and everything else (the
// gaps between requests, the line's own pace) stays real.
//
// Reading is thread-safe (the link thread and the window both read it); a
// skip may come from any thread, or from another process that shares the
// skips (see shareSkips), and takes effect at the reader's next look.

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <QtGlobal>
#include <atomic>
#include <memory>

class LinkClock
{
public:
    LinkClock();
    ~LinkClock();
    LinkClock(const LinkClock &) = delete;
    LinkClock &operator=(const LinkClock &) = delete;

    // Milliseconds since the clock was made, skips included; never goes back.
    qint64 nowMs() const { return realMs() + skippedMs(); }
    // The two parts of nowMs(): the time that passed, and the time skipped.
    qint64 realMs() const { return real.elapsed(); }
    qint64 skippedMs() const;

    // Moves the clock on by ms at once, as if that long had passed with
    // nothing happening (ms <= 0 does nothing).
    void skip(qint64 ms);

    // Takes the skips from a file that another process skips too (eight
    // bytes, made when missing): a test moves a command's link clock this
    // way. The clock goes on from the skips made before, plus those the file
    // holds. False when the file cannot be mapped (or already shares).
    bool shareSkips(const QString &path);

private:
    QElapsedTimer real;
    std::atomic<qint64> ownSkips{0};
    // The shared file's counter, in its mapping (null: none shared).
    std::atomic<std::atomic<qint64> *> shared{nullptr};
    std::unique_ptr<QFile> sharedFile;
};

// A stopwatch on a LinkClock, as QElapsedTimer is one on the monotonic clock.
class LinkTimer
{
public:
    explicit LinkTimer(const LinkClock &clock) : clock(&clock) {}
    void start() { startedAt = clock->nowMs(); }
    // Milliseconds since start(), skips included.
    qint64 elapsed() const { return clock->nowMs() - startedAt; }
    bool isValid() const { return startedAt >= 0; }
    void invalidate() { startedAt = -1; }

private:
    const LinkClock *clock;
    qint64 startedAt = -1;
};
