#include "link/serialportthread.h"

#include "core/safefile.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QElapsedTimer>
#include <QFile>
#include <QSaveFile>
#include <QSerialPort>
#include <QSerialPortInfo>
#include <QDateTime>

#include <deque>

namespace {
// Debug output, off unless QT_LOGGING_RULES turns it on.
Q_LOGGING_CATEGORY(lcPorts, "gaitforge.link", QtInfoMsg)
} // namespace

SerialPortThread::SerialPortThread(QObject *parent) : QThread(parent)
{
}

SerialPortThread::~SerialPortThread()
{
    quitFlag = 1;
    wait();
    // Everything run() did is over before the members go (see run's last line).
    std::lock_guard<std::mutex> done(runDone);
}

QStringList SerialPortThread::availablePortNames()
{
    QStringList names;
    const QString extra = qEnvironmentVariable("GAITFORGE_EXTRA_PORTS");
    for (const QString &path : extra.split(QLatin1Char(':'), Qt::SkipEmptyParts))
        if (!names.contains(path))
            names << path;
    for (const QSerialPortInfo &info : QSerialPortInfo::availablePorts())
        if (!names.contains(info.portName()) && !names.contains(info.systemLocation()))
            names << info.portName();
    for (const QString &name : names)
        qCDebug(lcPorts).noquote() << QStringLiteral("Serial port: ") + name;
    return names;
}

// ---------------------------------------------------------------- events

void SerialPortThread::tell(LinkEvent event)
{
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(outboxLock);
        first = outbox.empty();
        outbox.push_back(std::move(event));
    }
    // One notification while the window has not taken the outbox yet.
    if (first)
        emit eventsWaiting();
}

std::vector<LinkEvent> SerialPortThread::takeEvents()
{
    std::vector<LinkEvent> events;
    std::lock_guard<std::mutex> lock(outboxLock);
    events.swap(outbox);
    return events;
}

int SerialPortThread::eventsWaitingCount() const
{
    std::lock_guard<std::mutex> lock(outboxLock);
    return int(outbox.size());
}

// ---------------------------------------------------------------- packet monitor

void SerialPortThread::record(LinkFrame::Direction direction, FrameReader::Discard reason, const QByteArray &wire)
{
    LinkFrame row;
    row.msSinceEpoch = QDateTime::currentMSecsSinceEpoch();
    row.direction = direction;
    row.reason = reason;
    row.wire = wire;
    bool first = false;
    {
        std::lock_guard<std::mutex> lock(tapLock);
        first = tapOutbox.empty();
        if (int(tapOutbox.size()) >= kMonitorCapacity) {
            // A window that falls this far behind loses the oldest rows.
            const size_t drop = tapOutbox.size() / 10;
            tapOutbox.erase(tapOutbox.begin(), tapOutbox.begin() + std::ptrdiff_t(drop));
            tapLost += drop;
        }
        tapOutbox.push_back(std::move(row));
    }
    if (first)
        emit framesWaiting();
}

std::vector<LinkFrame> SerialPortThread::takeFrames(quint64 *lost)
{
    std::vector<LinkFrame> rows;
    std::lock_guard<std::mutex> lock(tapLock);
    rows.swap(tapOutbox);
    if (lost)
        *lost = tapLost;
    tapLost = 0;
    return rows;
}

void SerialPortThread::followMonitoring()
{
    const bool want = monitoring != 0;
    if (want == tapping)
        return;
    tapping = want;
    if (!want) {
        reader.setTap({});
        sentReader.setTap({});
        return;
    }
    FrameReader::Tap received;
    received.frame = [this](const QByteArray &wire) {
        record(LinkFrame::Received, FrameReader::Discard::None, wire);
    };
    received.discard = [this](FrameReader::Discard reason, const QByteArray &wire) {
        record(LinkFrame::Received, reason, wire);
    };
    reader.setTap(received);
    FrameReader::Tap sent;
    sent.frame = [this](const QByteArray &wire) { record(LinkFrame::Sent, FrameReader::Discard::None, wire); };
    sent.discard = [this](FrameReader::Discard reason, const QByteArray &wire) {
        record(LinkFrame::Sent, reason, wire);
    };
    sentReader.setTap(sent);
}

// ---------------------------------------------------------------- requests

bool SerialPortThread::postFrame(const QByteArray &frame, int flags, const QString &localPath, int gapMs,
                                 const FetchOptions &fetch)
{
    if (frame.isEmpty())
        return false;
    std::lock_guard<std::mutex> lock(mailboxLock);
    if (mailbox.size() >= kMailboxCapacity)
        return false;
    if (flags & StartsGetJob) {
        // A cancel meant for an earlier job must not stop this one.
        cancelJob = 0;
        getJobQueued = 1;
    }
    mailbox.enqueue({frame, flags, localPath, qMax(0, gapMs), fetch});
    return true;
}

int SerialPortThread::pendingFrames(bool withBackground) const
{
    std::lock_guard<std::mutex> lock(mailboxLock);
    int background = 0;
    if (!withBackground)
        for (const QueuedFrame &frame : mailbox)
            background += (frame.flags & Background) != 0;
    return mailbox.size() - background + urgent.size();
}

int SerialPortThread::postUrgent(const QList<QByteArray> &frames)
{
    std::lock_guard<std::mutex> lock(mailboxLock);
    const int before = mailbox.size();
    QQueue<QueuedFrame> kept;
    for (QueuedFrame &frame : mailbox)
        if ((frame.flags & ~Background) != PlainFrame)
            kept.enqueue(std::move(frame));
    mailbox = std::move(kept);
    for (const QByteArray &frame : frames)
        if (!frame.isEmpty())
            urgent.enqueue(frame);
    urgentWaiting = urgent.isEmpty() ? 0 : 1;
    return before - mailbox.size();
}

void SerialPortThread::writeUrgent(QSerialPort &port)
{
    while (urgentWaiting) {
        if (lastFrameWritten.isValid() && lastFrameWritten.elapsed() < kUrgentGapMs)
            msleep(quint64(kUrgentGapMs - lastFrameWritten.elapsed()));
        QByteArray frame;
        {
            std::lock_guard<std::mutex> lock(mailboxLock);
            if (urgent.isEmpty()) {
                urgentWaiting = 0;
                return;
            }
            frame = urgent.dequeue();
            urgentWaiting = urgent.isEmpty() ? 0 : 1;
        }
        writeAll(port, frame.constData(), frame.size());
        lastFrameWritten.start();
        ++framesWritten_;
    }
}

void SerialPortThread::startSendJob(const QString &localPath)
{
    setLocalFilePath(localPath);
    cancelJob = 0;
    sendJob = 1;
}

void SerialPortThread::setLocalFilePath(const QString &path)
{
    std::lock_guard<std::mutex> lock(pathLock);
    localPath = path;
}

QString SerialPortThread::localFilePath() const
{
    std::lock_guard<std::mutex> lock(pathLock);
    return localPath;
}

// ---------------------------------------------------------------- port helpers

// Waits up to ms for input. A port in error (a vanished device) returns at
// once from waiting; the rest of the wait is slept so the loop does not spin.
bool SerialPortThread::waitForInput(QSerialPort &port, int ms)
{
    // Every wait of the loop and of the file jobs passes here: frames that
    // must stop the robot leave first.
    if (urgentWaiting)
        writeUrgent(port);
    if (port.bytesAvailable() > 0)
        return true;
    return waitForNewInput(port, ms);
}

// Waits up to ms for input that was not there before (unread input already
// buffered does not end the wait).
bool SerialPortThread::waitForNewInput(QSerialPort &port, int ms)
{
    QElapsedTimer clock;
    clock.start();
    if (port.waitForReadyRead(ms))
        return true;
    // The line is quiet: a run of thrown-away bytes has ended.
    if (tapping)
        reader.flushDiscards();
    if (port.error() != QSerialPort::NoError && port.error() != QSerialPort::TimeoutError) {
        const qint64 left = ms - clock.elapsed();
        if (left > 0)
            msleep(quint64(left));
        port.clearError();
    }
    return false;
}

// Reads what arrives within firstWaitMs, then whatever keeps arriving within
// nextWaitMs of the last read (for at most a second, so a chattering line
// cannot hold the loop), and hands it to the frame reader.
bool SerialPortThread::gatherInput(QSerialPort &port, int firstWaitMs, int nextWaitMs)
{
    if (!waitForInput(port, firstWaitMs))
        return false;
    QElapsedTimer clock;
    clock.start();
    do {
        extractFrames(port.readAll());
    } while (clock.elapsed() < 1000 && !stopping() && waitForInput(port, nextWaitMs));
    return true;
}

void SerialPortThread::extractFrames(const QByteArray &data)
{
    if (!damagedHandlerSet) {
        damagedHandlerSet = true;
        reader.setDamagedHandler([this](const quint8 *body, int) {
            LinkEvent event;
            event.kind = LinkEvent::Damaged;
            event.answer.source = (body[0] << 8) | body[1];
            event.answer.written = framesWritten_;
            tell(std::move(event));
        });
    }
    const bool getting = getJob || draining;
    followMonitoring();
    reader.feed(data.constData(), data.size(), [this, getting](const quint8 *body, int length) {
        const int type = answers.apply(body, length, getting);
        if (!type)
            return;
        // Everything the window needs of this answer, copied now: the parser
        // goes on with the next answer while the window reads this one.
        LinkAnswer answer;
        answer.type = type;
        answer.source = (body[0] << 8) | body[1];
        answer.written = framesWritten_;
        for (int i = 0; i < packet::kRegisterCount; ++i)
            answer.registers[size_t(i)] = answers.registers[i];
        answer.writeStatus = answers.writeStatus;
        answer.acknowledgement = length == 9 && type < packet::kBoardNotification;
        if (answers.positionsUpdated.exchange(0)) {
            for (int servo = 2; servo <= 20; ++servo) {
                const int position = answers.positions[servo].exchange(0);
                if (position != 0) {
                    answer.positionServo = servo;
                    answer.position = position;
                }
            }
        }
        answer.voltage = answers.voltage;
        answer.current = answers.current;
        answer.ioState = answers.ioState;
        if (type == packet::kBoardNotification + packet::FolderList) {
            answer.folderText = answers.folderText();
            // Cleared, so that the same list is not shown twice.
            answers.clearFolderText(257);
        }
        LinkEvent event;
        event.answer = std::move(answer);
        tell(std::move(event));
    });
}

bool SerialPortThread::writeAll(QSerialPort &port, const char *data, qint64 count)
{
    followMonitoring();
    if (tapping) {
        // Every write holds whole frames.
        sentReader.feed(data, int(count), nullptr);
        sentReader.reset();
    }
    if (port.write(data, count) != count)
        return false;
    // Ten bits a byte at the line's rate, twice over, and at least a second.
    const qint64 bitsPerSecond = qMax<qint64>(port.baudRate(), 1200);
    const int timeout = int(qMax<qint64>(1000, count * 20000 / bitsPerSecond));
    while (port.bytesToWrite() > 0)
        if (!port.waitForBytesWritten(timeout))
            return false;
    return true;
}

bool SerialPortThread::writeRequest(QSerialPort &port, int type)
{
    quint8 frame[packet::kMaxFrame];
    const int count = packet::buildRequest(jobFields, type, packet::Write, frame);
    return count > 0 && writeAll(port, reinterpret_cast<const char *>(frame), count);
}

SerialPortThread::QueuedFrame SerialPortThread::takeFrame()
{
    QueuedFrame frame = mailbox.dequeue();
    // Before the frame goes out, so that no answer to it can come first.
    if (frame.flags & StartsFolderList)
        answers.firstPartExpected = 1;
    if (frame.flags & StartsFileBegin)
        answers.fileBeginStatus = 0;
    // The robot may answer GetFile at once: the job that takes the
    // file's data is running before the request goes out.
    if (frame.flags & StartsGetJob) {
        setLocalFilePath(frame.localPath);
        fetchOptions = frame.fetch;
        getFileFrame = frame.bytes;
        getJob = 1;
        getJobQueued = 0;
    }
    return frame;
}

// One frame a write: the robot's main board takes requests one at a time and
// its receive buffer is small, so queued frames never leave as one burst.
void SerialPortThread::writeFrame(QSerialPort &port, const QueuedFrame &frame)
{
    writeAll(port, frame.bytes.constData(), frame.bytes.size());
    lastFrameWritten.start();
    ++framesWritten_;
}

int SerialPortThread::msUntilNextFrame() const
{
    std::lock_guard<std::mutex> lock(mailboxLock);
    if (mailbox.isEmpty())
        return -1;
    if (!lastFrameWritten.isValid())
        return 0;
    return int(qMax<qint64>(0, mailbox.head().gapMs - lastFrameWritten.elapsed()));
}

bool SerialPortThread::writeNextFrame(QSerialPort &port)
{
    QueuedFrame frame;
    {
        std::lock_guard<std::mutex> lock(mailboxLock);
        if (mailbox.isEmpty())
            return false;
        if (lastFrameWritten.isValid() && lastFrameWritten.elapsed() < mailbox.head().gapMs)
            return false;
        frame = takeFrame();
    }
    writeFrame(port, frame);
    return true;
}

void SerialPortThread::writeMailbox(QSerialPort &port)
{
    for (;;) {
        const int due = msUntilNextFrame();
        if (due < 0 || stopping())
            return;
        if (due > 0)
            msleep(quint64(due));
        writeNextFrame(port);
    }
}

void SerialPortThread::resetPulseNow(QSerialPort &port)
{
    port.setRequestToSend(true);
    msleep(30);
    port.setDataTerminalReady(false);
    msleep(30);
    port.setRequestToSend(false);
    msleep(30);
    port.setDataTerminalReady(true);
    port.clearError();  // a pseudo-terminal has no modem lines
}

// An answer that arrives on a new link before its first request belongs to
// something asked before it: the rest of a fetch that an earlier link (or an
// earlier program on this port) stopped, which the robot cannot be told to
// stop. It is read and dropped until the line is quiet, and nothing of it
// (a TransferEnd, file data, a half frame) is left to be taken for an answer
// to this link's requests. The requests posted meanwhile wait in the queue.
void SerialPortThread::drainOpenedLine(QSerialPort &port)
{
    const int quietMs = bleMode ? kBleDrainQuietMs : kCableDrainQuietMs;
    LinkTimer clock(clock_);
    clock.start();
    qint64 dropped = 0;
    followMonitoring();
    while (!quitFlag && clock.elapsed() < kDrainLimitMs && waitForInput(port, quietMs)) {
        const QByteArray stale = port.readAll();
        dropped += stale.size();
        if (tapping)
            record(LinkFrame::Received, FrameReader::Discard::BeforeRequest, stale);
        // The robot is alive: this is not silence.
        tellActivity();
    }
    if (dropped > 0)
        qCDebug(lcPorts) << "dropped" << dropped << "bytes that arrived before the first request";
    reader.reset();
    answers.transferEnd1 = 0;
    answers.transferEnd2 = 0;
    answers.chunkAcknowledged = 0;
    answers.chunkAcks = 0;
    answers.receivedFile.clear();
    draining = 0;
}

// ---------------------------------------------------------------- the loop

void SerialPortThread::run()
{
    QSerialPort *port = new QSerialPort;
    port->setPortName(portName_);
    port->setBaudRate(baudRate_, QSerialPort::AllDirections);
    port->setParity(QSerialPort::NoParity);
    port->setDataBits(QSerialPort::Data8);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) {
        quitFlag = 1;
        emit serialPortOpenStatus(-1);
        delete port;
        std::lock_guard<std::mutex> done(runDone);
        return;
    }
    quitFlag = 0;
    lastFrameWritten.invalidate();
    emit serialPortOpenStatus(1);
    drainOpenedLine(*port);

    while (!quitFlag) {
        followMonitoring();
        if (resetPulse == 1) {
            resetPulseNow(*port);
            resetPulse = 0;
        }
        // Input is read while the next queued frame waits for its gap; a frame
        // whose gap has passed goes out without waiting for input first.
        const int due = msUntilNextFrame();
        if (due != 0)
            gatherInput(*port, due < 0 ? 30 : qMin(due, 30), due < 0 ? 10 : qMin(due, 10));
        else if (port->bytesAvailable() > 0)
            extractFrames(port->readAll());
        if (draining)
            drainStep();
        writeUrgent(*port);
        writeNextFrame(*port);
        if (getJob == 1)
            runGetJob(*port);
        if (sendJob == 1)
            runSendJob(*port);
    }

    if (port->isOpen())
        port->close();
    quitFlag = 1;
    emit serialPortOpenStatus(0);
    delete port;
    // QThread::wait orders this for the program, but through a lock the
    // thread sanitizer cannot see; this lock makes the order visible to it.
    std::lock_guard<std::mutex> done(runDone);
}

// ---------------------------------------------------------------- file jobs

void SerialPortThread::tellActivity()
{
    if (activityClock.isValid() && activityClock.elapsed() < 250)
        return;
    activityClock.start();
    LinkEvent event;
    event.kind = LinkEvent::Activity;
    tell(std::move(event));
}

// Drops what still comes of a cancelled fetch, until its TransferEnd or until
// the robot has been silent as long as a fetch may be.
void SerialPortThread::drainStep()
{
    if (!answers.receivedFile.isEmpty()) {
        answers.receivedFile.clear();
        drainClock.start();
        tellActivity();
    }
    const int silenceLimit = bleMode ? kBleSilenceLimitMs : kCableSilenceLimitMs;
    if (answers.transferEnd1 != 0 || drainClock.elapsed() > silenceLimit || quitFlag)
        draining = 0;
}

void SerialPortThread::endJob(FileJobResult result)
{
    result.localPath = localFilePath();
    if (result.job == FileJobResult::Get)
        getJob = 0;
    else
        sendJob = 0;
    LinkEvent event;
    event.kind = LinkEvent::JobEnded;
    event.job = std::move(result);
    tell(std::move(event));
}

// Receives the file the robot sends after GetFile until its TransferEnd. The
// robot's data must keep coming; every frame the reader drops meanwhile may
// have been part of the file, so the file then counts as damaged.
FileJobResult::Outcome SerialPortThread::receiveFile(QSerialPort &port, QByteArray *data, int *dropped)
{
    const quint64 droppedBefore = reader.dropped();
    const bool ble = bleMode;
    const int wait = ble ? 100 : 20;
    const int silenceLimit = ble ? kBleSilenceLimitMs : kCableSilenceLimitMs;
    LinkTimer sinceData(clock_);
    sinceData.start();
    FileJobResult::Outcome outcome = FileJobResult::Done;
    for (;;) {
        if (stopping()) {
            outcome = stopOutcome();
            break;
        }
        gatherInput(port, wait, wait);
        if (!answers.receivedFile.isEmpty()) {
            data->append(answers.receivedFile);
            answers.receivedFile.clear();
            sinceData.start();
            tellActivity();
        }
        if (answers.transferEnd1 != 0)
            break;
        if (sinceData.elapsed() > silenceLimit) {
            outcome = FileJobResult::RobotStopped;
            break;
        }
    }
    *dropped += int(reader.dropped() - droppedBefore);
    if (outcome == FileJobResult::Done && reader.dropped() != droppedBefore)
        outcome = FileJobResult::DamagedFrames;
    return outcome;
}

// Fetches the file once more, after `before` (a request the robot answers)
// when given, and compares the copy with the first.
FileJobResult::Outcome SerialPortThread::fetchCopy(QSerialPort &port, const QByteArray &before,
                                                   const QByteArray &first, FileJobResult *result)
{
    answers.transferEnd1 = 0;
    answers.receivedFile.clear();
    FileJobResult::Outcome outcome = FileJobResult::Done;
    if (!before.isEmpty()) {
        if (writeAll(port, before.constData(), before.size()))
            msleep(kRequestGapMs);
        else
            outcome = FileJobResult::RobotStopped;
    }
    QByteArray copy;
    if (outcome == FileJobResult::Done) {
        if (!writeAll(port, getFileFrame.constData(), getFileFrame.size()))
            outcome = FileJobResult::RobotStopped;
        else
            outcome = receiveFile(port, &copy, &result->droppedFrames);
    }
    result->transferEnded = answers.transferEnd1 != 0;
    if (outcome == FileJobResult::Done && copy != first)
        outcome = FileJobResult::Mismatch;
    return outcome;
}

// The file is received whole (three times for a verified fetch), checked, and only
// then written to a temporary file that replaces the local one: a fetch that
// fails in any way leaves the local file as it was.
void SerialPortThread::runGetJob(QSerialPort &port)
{
    // The GetFile that armed this job is written with what was queued before it.
    writeMailbox(port);
    FileJobResult result;
    result.job = FileJobResult::Get;
    const FetchOptions options = fetchOptions;
    answers.transferEnd1 = 0;
    answers.receivedFile.clear();
    QByteArray first;
    FileJobResult::Outcome outcome = receiveFile(port, &first, &result.droppedFrames);
    result.transferEnded = answers.transferEnd1 != 0;
    result.bytes = first.size();
    // A loss that recurs every N answers cuts two back-to-back copies alike
    // when N divides the answers of one copy (its chunks and the TransferEnd).
    // The third copy, one answer later on the line, cannot meet it alike too:
    // N cannot divide two neighbouring counts.
    result.copies = 1;
    if (outcome == FileJobResult::Done && options.verify) {
        outcome = fetchCopy(port, QByteArray(), first, &result);
        result.copies = 2;
    }
    if (outcome == FileJobResult::Done && options.verify && !options.between.isEmpty()) {
        outcome = fetchCopy(port, options.between, first, &result);
        result.copies = 3;
    }
    if (outcome == FileJobResult::Done && first.isEmpty() && options.listed != Listed::Yes)
        outcome = FileJobResult::NoSuchFile;
    if (outcome == FileJobResult::Done && options.accept) {
        result.detail = options.accept(first);
        if (!result.detail.isEmpty())
            outcome = FileJobResult::Rejected;
    }
    if (outcome == FileJobResult::Done) {
        // A read-only local file is kept, as every save on the computer keeps one.
        QString refusal;
        QSaveFile file(localFilePath());
        bool written = safefile::mayReplace(localFilePath(), &refusal) && file.open(QIODevice::WriteOnly);
        for (qint64 at = 0; written && at < first.size(); at += 65536) {
            const qint64 n = qMin<qint64>(65536, first.size() - at);
            written = file.write(first.constData() + at, n) == n;
        }
        if (written)
            written = file.commit();
        if (!written) {
            result.detail = refusal.isEmpty() ? file.errorString() : refusal;
            outcome = FileJobResult::WriteFailed;
        }
    }
    // The robot goes on sending a file whose fetch was cancelled; that data
    // must not be taken for the next transfer's.
    if (outcome == FileJobResult::Cancelled && answers.transferEnd1 == 0) {
        answers.receivedFile.clear();
        drainClock.start();
        draining = 1;
    }
    result.outcome = outcome;
    endJob(std::move(result));
}

// The robot takes file data into a receive buffer of kRobotReceiveBuffer bytes
// and handles one request at a time, answering each FileData as it handles
// it. So the frames written but not yet answered are kept within that buffer
// (a sliding window of whole frames), and the answers are counted one by one:
// each frees the room of the oldest frame in the window. Bytes count as kept
// by the robot only once their frame is answered; a robot that answers fewer
// frames than it was sent stops the send when it has been silent for the
// acknowledgement limit.
void SerialPortThread::runSendJob(QSerialPort &port)
{
    writeMailbox(port);
    // A TransferEnd of an earlier job must not cut this one's waits short.
    answers.transferEnd2 = 0;
    FileJobResult result;
    result.job = FileJobResult::Send;
    FileJobResult::Outcome outcome = FileJobResult::Done;
    const bool ble = bleMode;
    const int ackLimit = ble ? kBleAckLimitMs : kCableAckLimitMs;
    const auto readAnswers = [this, &port] {
        if (waitForInput(port, kAckPollMs))
            extractFrames(port.readAll());
    };
    QFile file(localFilePath());
    if (file.open(QIODevice::ReadOnly)) {
        const qint64 size = file.size();
        result.total = size;
        int lastPercent = 0;
        // Late acknowledgements of an earlier send do not count for this one.
        answers.chunkAcks = 0;
        answers.chunkAcknowledged = 0;

        // The file-begin status was cleared when FileBegin went out (its
        // answer may already have been read by the loop before this job).
        // The robot handles FileBegin before any data: once it has answered,
        // its receive buffer holds nothing of this transfer, and the file
        // under the target name is open (a refusal sends no data at all).
        LinkTimer sinceAnswer(clock_);
        sinceAnswer.start();
        while (answers.fileBeginStatus == 0) {
            if (stopping()) {
                outcome = stopOutcome();
                break;
            }
            // Past the limit, what has already arrived still counts (a thread
            // held up meanwhile finds the answer waiting), then the wait ends.
            const bool late = sinceAnswer.elapsed() > ackLimit;
            if (late && port.bytesAvailable() > 0)
                extractFrames(port.readAll());
            else if (!late)
                readAnswers();
            if (late && answers.fileBeginStatus == 0) {
                outcome = FileJobResult::NotAcknowledged;
                break;
            }
        }
        if (answers.fileBeginStatus == 2)
            outcome = FileJobResult::Refused;
        result.robotFileOpened = answers.fileBeginStatus == 1;

        struct Unanswered {
            int frameBytes;  // on the wire
            int fileBytes;   // of the file
        };
        std::deque<Unanswered> window;
        int windowBytes = 0;
        int acksCounted = 0;
        QByteArray next;  // the next frame, built but not yet written
        int nextFileBytes = 0;
        bool fileRead = false;
        const int chunkSize = ble ? kBleChunk : kCableChunk;
        char chunk[kCableChunk];
        while (outcome == FileJobResult::Done) {
            if (stopping()) {
                outcome = stopOutcome();
                break;
            }
            // Every whole frame that fits beside those not answered yet, in one write.
            QByteArray out;
            const bool wasIdle = window.empty();
            for (;;) {
                if (next.isEmpty() && !fileRead) {
                    const qint64 got = file.read(chunk, chunkSize);
                    if (got < 0)
                        outcome = FileJobResult::LocalReadFailed;
                    if (got <= 0) {
                        fileRead = true;
                    } else {
                        jobFields.setChunk(chunk, int(got));
                        quint8 frame[packet::kMaxFrame];
                        const int count = packet::buildRequest(jobFields, packet::FileData, packet::Write, frame);
                        next = QByteArray(reinterpret_cast<const char *>(frame), count);
                        nextFileBytes = int(got);
                    }
                }
                if (next.isEmpty() || windowBytes + next.size() > kRobotReceiveBuffer)
                    break;
                out += next;
                window.push_back({int(next.size()), nextFileBytes});
                windowBytes += next.size();
                next.clear();
            }
            if (outcome != FileJobResult::Done)
                break;
            if (!out.isEmpty()) {
                writeAll(port, out.constData(), out.size());
                if (wasIdle)
                    sinceAnswer.start();
            }
            if (window.empty())
                break;  // the whole file is written and answered

            readAnswers();
            bool answered = false;
            for (const int acks = answers.chunkAcks; acksCounted < acks; ++acksCounted) {
                if (window.empty())
                    continue;  // more answers than frames: none of them frees anything
                result.bytes += window.front().fileBytes;
                windowBytes -= window.front().frameBytes;
                window.pop_front();
                answered = true;
            }
            if (answered) {
                answers.chunkAcknowledged = 0;
                sinceAnswer.start();
                tellActivity();
                // 100 is the robot's to tell, with its TransferEnd.
                const int percent = size > 0 ? int(result.bytes * 100 / size) : 0;
                if (percent != lastPercent && percent < 100) {
                    LinkEvent event;
                    event.kind = LinkEvent::Progress;
                    event.progress = percent;
                    tell(std::move(event));
                    lastPercent = percent;
                }
            } else if (answers.fileBeginStatus == 2) {
                outcome = FileJobResult::Refused;
            } else if (sinceAnswer.elapsed() > ackLimit) {
                outcome = FileJobResult::NotAcknowledged;
            }
        }
        // The robot's file is closed whatever happened. Its TransferEnd
        // confirms the file only when it answers this FileEnd.
        msleep(20);
        answers.transferEnd2 = 0;
        writeRequest(port, packet::FileEnd);
        if (ble)
            waitForNewInput(port, kWriteWaitMs);
        msleep(20);
        file.close();
    } else {
        outcome = FileJobResult::LocalReadFailed;
    }
    writeRequest(port, packet::TransferDone);
    if (ble)
        waitForNewInput(port, kWriteWaitMs);
    msleep(20);
    // The robot confirms a stored file with TransferEnd (usually as the
    // answer to FileEnd).
    if (outcome == FileJobResult::Done) {
        LinkTimer sinceDone(clock_);
        sinceDone.start();
        while (answers.transferEnd2 == 0 && !stopping()) {
            // Past the limit, what has already arrived still counts.
            const bool late = sinceDone.elapsed() >= kConfirmLimitMs;
            gatherInput(port, late ? 0 : 30, 10);
            if (late)
                break;
        }
        if (answers.transferEnd2 == 0)
            outcome = stopping() ? stopOutcome() : FileJobResult::Unconfirmed;
    }
    result.refused = answers.fileBeginStatus == 2;
    if (result.refused)
        outcome = FileJobResult::Refused;
    result.transferEnded = answers.transferEnd2 != 0;
    result.outcome = outcome;
    endJob(std::move(result));
}
