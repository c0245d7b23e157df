#include "motion/frameinfo.h"

#include <QCoreApplication>

#include <limits>

namespace frameinfo {

namespace {

constexpr qint64 kMax = std::numeric_limits<qint64>::max();

qint64 addSat(qint64 a, qint64 b)
{
    if (b > 0 && a > kMax - b)
        return kMax;
    if (b < 0 && a < -kMax - b)
        return -kMax;
    return a + b;
}

qint64 mulSat(qint64 n, qint64 a)
{
    // n >= 1 here; a may be negative when frames carry negative times.
    if (a == 0)
        return 0;
    if (a > 0)
        return n > kMax / a ? kMax : n * a;
    return n > kMax / -a ? -kMax : n * a;
}

// An open loop: its start row, the repeats still to come, and where its
// current pass began (time and visit number).
struct OpenLoop {
    int start;
    qint64 remaining;
    qint64 passStartTime;
    qint64 passStartVisit;
};

} // namespace

PlayTimes playTimes(const QVector<RowTiming> &rows, int current)
{
    PlayTimes result;
    const int count = rows.size();
    bool loopStartSoFar = false;
    for (int r = 0; r <= current && r < count; ++r) {
        result.firstTimeHere = addSat(result.firstTimeHere, qint64(rows[r].operationTime) + rows[r].delayTime);
        if (rows[r].loopFlag == 1)
            loopStartSoFar = true;
    }
    if (!loopStartSoFar)
        return result;

    // Walk the rows in play order. Every pass of a loop is alike (each pass
    // starts with nothing open inside the loop, so it visits the same rows and
    // takes the same time), so when a loop end sends the play back for n more
    // passes, the first pass is simply counted n more times.
    QVector<OpenLoop> open;
    int depth = 0;
    qint64 time = 0;
    qint64 visit = 0;
    qint64 currentVisit = -1;
    qint64 last = 0;
    bool stop = false;
    for (int g = 0; !stop; ++g) {
        const RowTiming row = g < count ? rows[g] : RowTiming{};
        bool repeats = false;
        if (row.loopFlag == 1) {
            open.append({g, row.loopTimes, time, visit});
            ++depth;
        } else if (row.loopFlag == 2) {
            if (open.isEmpty()) {
                // A loop end with no open loop: the play stops here.
                stop = true;
                last = 0;
            } else if (open.last().remaining >= 1) {
                repeats = true;
            } else {
                open.removeLast();
            }
            --depth;
        }
        if (g < count) {
            time = addSat(time, qint64(row.operationTime) + row.delayTime);
            if (g == current) {
                last = time;
                currentVisit = visit;
            }
            // The last frame ends the play when no loop is open, and also when
            // loops are left unbalanced. (A loop about to repeat is still open.)
            if (g == count - 1 && (open.isEmpty() || depth != 0))
                stop = true;
        } else {
            last = 0;
            stop = true;
        }
        ++visit;
        if (repeats && !stop) {
            // All remaining passes at once; then the loop is finished.
            const OpenLoop loop = open.takeLast();
            const qint64 more = mulSat(loop.remaining, time - loop.passStartTime);
            time = addSat(time, more);
            if (currentVisit >= loop.passStartVisit)
                last = addSat(last, more);
            if (g == count - 1 && (open.isEmpty() || depth != 0))
                stop = true;
        }
    }
    result.lastTimeHere = last;
    return result;
}

QVector<qint64> musicStartTimes(const QVector<RowTiming> &rows)
{
    QVector<qint64> starts(rows.size(), -1);
    bool music = false;
    qint64 time = 0;
    for (int r = 0; r < rows.size(); ++r) {
        if (rows[r].musicControl == MusicPlayControl) {
            music = true;
            time = 0;
        }
        if (music) {
            starts[r] = time;
            time = addSat(time, qint64(rows[r].operationTime) + rows[r].delayTime);
        }
    }
    return starts;
}

// The LED lines' texts, channel by channel (led1 red, green, blue, led2 ..., led3 blue).
static const char *const kLedBrightness[9] = {
    QT_TRANSLATE_NOOP("MainWindow", "led1 red brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led1 green brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led1 blue brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led2 red brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led2 green brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led2 blue brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led3 red brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led3 green brightness = "),
    QT_TRANSLATE_NOOP("MainWindow", "led3 blue brightness = "),
};
static const char *const kLedFrequency[9] = {
    QT_TRANSLATE_NOOP("MainWindow", " % , led1 red frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led1 green frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led1 blue frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led2 red frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led2 green frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led2 blue frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led3 red frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led3 green frequency = "),
    QT_TRANSLATE_NOOP("MainWindow", " % , led3 blue frequency = "),
};

static QString translated(const char *text)
{
    return QCoreApplication::translate("MainWindow", text);
}

QString describe(int current, const FrameValues &frame, const PlayTimes &times)
{
    const QString crlf = QStringLiteral("\r\n");
    const QString ms = QCoreApplication::translate("MainWindow", " ms");
    QString text = QCoreApplication::translate("MainWindow", "Frame  ") + QString::number(current + 1);
    text += crlf + QCoreApplication::translate("MainWindow", "Operation time = ") + QString::number(frame[19]);
    text += ms + crlf + QCoreApplication::translate("MainWindow", "Delay time = ") + QString::number(frame[20]);
    if (times.lastTimeHere >= 1) {
        text += ms + crlf + QCoreApplication::translate("MainWindow", "The first time here = ")
                + QString::number(times.firstTimeHere);
        text += ms + crlf + QCoreApplication::translate("MainWindow", "The last time here = ")
                + QString::number(times.lastTimeHere) + ms;
    } else {
        text += ms + crlf + QCoreApplication::translate("MainWindow", "The time all = ")
                + QString::number(times.firstTimeHere) + ms;
    }

    if (frame[21] == 1)
        text += crlf + QCoreApplication::translate("MainWindow", "Loop start");
    else if (frame[21] == 2)
        text += crlf + QCoreApplication::translate("MainWindow", "Loop stop");

    switch (frame[23]) {
    case 3:
        text += crlf + QCoreApplication::translate("MainWindow", "Play music file (audio") + QString::number(frame[26])
                + QStringLiteral(".")
                + (frame[24] == 1 ? QCoreApplication::translate("MainWindow", "wav) in ")
                                  : QCoreApplication::translate("MainWindow", "mp3) in "))
                + (frame[25] != 0 ? QCoreApplication::translate("MainWindow", "flash.")
                                  : QCoreApplication::translate("MainWindow", "SD card."));
        break;
    case 2:
        text += crlf + QCoreApplication::translate("MainWindow", "Stop music");
        break;
    case 1:
        text += crlf + QCoreApplication::translate("MainWindow", "Pause music");
        break;
    default:
        break;
    }

    text += crlf + QCoreApplication::translate("MainWindow", "Volume = ") + QString::number(frame[27]);
    for (int k = 0; k < 9; ++k) {
        const int brightness = frame[28 + 2 * k];
        const int frequency = frame[29 + 2 * k];
        text += crlf + translated(kLedBrightness[k]) + QString::number(qint64(brightness) * 10) + translated(kLedFrequency[k])
                + (frequency < 4 ? QString::number(frequency) + QCoreApplication::translate("MainWindow", " Hz")
                                 : QCoreApplication::translate("MainWindow", "random"));
    }
    return text;
}

} // namespace frameinfo
