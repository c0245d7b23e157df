#include "link/robotlink.h"

#include <QDebug>
#include <QTimer>
#include <algorithm>

#include "common/prompt.h"
#include "link/robotpath.h"
#include "link/serialportthread.h"

using namespace packet;

static_assert(RobotLink::kRequestGapMs == SerialPortThread::kRequestGapMs, "one request gap");

RobotLink::RobotLink(Prompt &prompt, QWidget *dialogParent, QObject *parent)
    : QObject(parent), prompt(prompt), dialogParent(dialogParent), thread(new SerialPortThread(this))
{
    connect(thread, &SerialPortThread::serialPortOpenStatus, this, &RobotLink::onOpenStatus);
    connect(thread, &SerialPortThread::eventsWaiting, this, &RobotLink::takeEvents);
    // The monitor's rows are taken a batch at a time.
    monitorBatch = new QTimer(this);
    monitorBatch->setSingleShot(true);
    monitorBatch->setInterval(kMonitorBatchMs);
    connect(monitorBatch, &QTimer::timeout, this, &RobotLink::takeFrames);
    connect(thread, &SerialPortThread::framesWaiting, this, [this] {
        if (!monitorBatch->isActive())
            monitorBatch->start();
    });
}

void RobotLink::setMonitoring(bool on)
{
    thread->monitoring = on ? 1 : 0;
}

bool RobotLink::monitoring() const
{
    return thread->monitoring != 0;
}

void RobotLink::takeFrames()
{
    quint64 lost = 0;
    std::vector<LinkFrame> rows = thread->takeFrames(&lost);
    if (rows.empty() && lost == 0)
        return;
    QVector<LinkFrame> batch;
    batch.reserve(int(rows.size()));
    for (LinkFrame &row : rows)
        batch.push_back(std::move(row));
    emit framesSeen(batch, lost);
}

RobotLink::~RobotLink()
{
    // A file job in progress finishes (or times out) first.
    thread->quitFlag = 1;
    thread->wait();
}

QStringList RobotLink::availablePortNames()
{
    return SerialPortThread::availablePortNames();
}

bool RobotLink::isRunning() const
{
    return thread->isRunning();
}

// ---------------------------------------------------------------- connection

void RobotLink::open(const QString &portName, bool ble, qint32 baud)
{
    if (thread->isRunning())
        return;
    watchdogMs = 0;
    thread->setPortName(portName);
    thread->setBaudRate(baud > 0 ? baud : ble ? kBleBaud : kCableBaud);
    thread->setParity(0);
    thread->setDataBits(8);
    thread->setStopBits(1);
    thread->quitFlag = 0;
    thread->start();
}

void RobotLink::close()
{
    // The thread's final status tells the window.
    thread->quitFlag = 1;
}

void RobotLink::setBleMode(bool ble)
{
    thread->bleMode = ble ? 1 : 0;
}

void RobotLink::pulseReset()
{
    thread->resetPulse = 1;
}

void RobotLink::onOpenStatus(int status)
{
    listAwaited = false;
    awaitingFirstAnswer = status == 1;
    if (status != 1) {
        greeted_ = false;
    } else {
        // Ask the robot at once: a live robot greets within a moment, and one
        // that never answers is noticed (watchdogTick). The next keep-alive
        // follows a whole period later.
        watchdogMs = 0;
        keepAliveTicks = 0;
        keepAliveRemainderMs = 0;
        keepAlive();
    }
    emit openStatusChanged(status);
}

// ---------------------------------------------------------------- requests

bool RobotLink::post(int type, int kind, bool log)
{
    return post(type, kind, log, QString(), SerialPortThread::kRequestGapMs);
}

bool RobotLink::postAfter(int gapMs, int type, int kind)
{
    return post(type, kind, true, QString(), gapMs);
}

int RobotLink::pendingRequests() const
{
    return thread->pendingFrames(false);
}

int RobotLink::allPendingRequests() const
{
    return thread->pendingFrames(true);
}

bool RobotLink::post(int type, int kind, bool log, const QString &localPath, int gapMs)
{
    if (!isRunning())
        return false;
    quint8 frame[kMaxFrame];
    const int count = buildRequest(fields, type, kind, frame);
    if (count == 0)
        return false;
    const QString bytes = sendLogLine(frame, count);
    int flags = SerialPortThread::PlainFrame;
    if (type == ListFolder && kind == Write) {
        flags |= SerialPortThread::StartsFolderList;
        listingFolder = QByteArray(reinterpret_cast<const char *>(fields.listPath));
        listAwaited = true;
        listLeft = false;
        listWaitMs = 0;
    }
    if (type == FileBegin && kind == Write)
        flags |= SerialPortThread::StartsFileBegin;
    // A read without a log line is the live readings'.
    if (!log && kind == Read)
        flags |= SerialPortThread::Background;
    if (type == GetFile && kind == Write && !localPath.isEmpty())
        flags |= SerialPortThread::StartsGetJob;
    SerialPortThread::FetchOptions fetchOptions;
    if (flags & SerialPortThread::StartsGetJob)
        fetchOptions = nextFetch;
    if (!thread->postFrame(QByteArray(reinterpret_cast<const char *>(frame), count), flags, localPath, gapMs,
                           fetchOptions)) {
        // Never dropped silently: the queue keeps what was posted before.
        qWarning() << "send queue full, request refused:" << bytes;
        emit logLine(tr("The send queue is full; this request was not sent:") + QLatin1Char(' ') + bytes.mid(5));
        return false;
    }
    if (log) {
        ++pageRequests_;
        emit logLine(bytes);
    }
    return true;
}

// ---------------------------------------------------------------- typed requests

bool RobotLink::writeRegister(int servo, Type reg, int value)
{
    if (!isRunning() || reg < Register1 || reg > Register33)
        return false;
    fields.servoAddress = quint16(servo);
    fields.registers[reg] = quint16(value);
    return post(reg, Write);
}

bool RobotLink::readRegister(int servo, Type reg, int gapMs)
{
    if (!isRunning() || reg < Register1 || reg > Register33)
        return false;
    fields.servoAddress = quint16(servo);
    return postAfter(gapMs, reg, Read);
}

bool RobotLink::readRegisterUnlogged(int servo, Type reg, int gapMs)
{
    if (!isRunning() || reg < Register1 || reg > Register33)
        return false;
    fields.servoAddress = quint16(servo);
    return post(reg, Read, false, QString(), gapMs);
}

bool RobotLink::setWorkingMode(int servo, ServoMode mode)
{
    return writeRegister(servo, WorkingMode, int(mode));
}

bool RobotLink::writeFlash(int servo)
{
    if (!isRunning())
        return false;
    fields.servoAddress = quint16(servo);
    return post(WriteFlash, Write);
}

bool RobotLink::movePose(const std::array<int, kPoseServos> &angles)
{
    setPose(angles);
    return post(MovePose, Write);
}

bool RobotLink::sendDebugFrame(const int *row, int r, int gapMs)
{
    if (!isRunning())
        return false;
    fillDebugFrame(fields.debugFrame, row, r);
    return postAfter(gapMs, DebugFrame, Write);
}

bool RobotLink::sendDebugSummary(int lastFrame, int loopStartRow, int loopEndRow, int loopTimes, int gapMs)
{
    if (!isRunning())
        return false;
    fillDebugSummary(fields.debugSummary, lastFrame, loopStartRow, loopEndRow, loopTimes);
    return postAfter(gapMs, DebugSummary, Write);
}

bool RobotLink::runDownloaded(int gapMs)
{
    if (!isRunning())
        return false;
    fields.setRunCode(quint8(RunCode::Downloaded));
    return postAfter(gapMs, RunFile, Write);
}

bool RobotLink::playControl(PlayCode code, int gapMs)
{
    if (!isRunning())
        return false;
    fields.setPlayControl(quint8(code));
    return postAfter(gapMs, PlayControl, Write);
}

bool RobotLink::stopRobot()
{
    if (!isRunning())
        return false;
    QList<QByteArray> frames;
    QStringList lines;
    const auto build = [&](int type) {
        quint8 frame[kMaxFrame];
        const int count = buildRequest(fields, type, Write, frame);
        frames << QByteArray(reinterpret_cast<const char *>(frame), count);
        lines << sendLogLine(frame, count);
    };
    fields.setPlayControl(quint8(PlayCode::Stop));
    build(PlayControl);
    fields.servoAddress = AllServosAddress;
    fields.registers[WorkingMode] = quint16(ServoMode::BrakeStop);
    build(WorkingMode);
    const int dropped = thread->postUrgent(frames);
    pageRequests_ += frames.size();
    for (const QString &line : lines)
        emit logLine(line);
    if (dropped > 0)
        emit logLine(tr("Stop: %1 queued request(s) dropped.").arg(dropped));
    return true;
}

bool RobotLink::setLeds(const std::array<quint8, 9> &leds)
{
    if (!isRunning())
        return false;
    std::copy(leds.begin(), leds.end(), fields.leds);
    return post(SetLeds, Write);
}

bool RobotLink::setIo(quint8 directions, quint8 levels)
{
    if (!isRunning())
        return false;
    fields.io[0] = directions;
    fields.io[1] = levels;
    return post(SetIo, Write);
}

bool RobotLink::readIo()
{
    return post(GetIo, Write);
}

bool RobotLink::keepAlive()
{
    return post(KeepAlive, Write, false);
}

bool RobotLink::resetBoard()
{
    return post(ResetBoard, Write);
}

bool RobotLink::formatFlash()
{
    return post(FormatFlash, Write);
}

bool RobotLink::listFolder(int folderIndex)
{
    // An unknown folder empties the block: nothing is built.
    fields.setListPath(robotpath::folder(folderIndex));
    return post(ListFolder, Write);
}

bool RobotLink::deleteFile()
{
    return post(DeleteFile, Write);
}

void RobotLink::setPose(const std::array<int, kPoseServos> &angles)
{
    for (int i = 0; i < kPoseServos; ++i)
        fields.pose[i] = qint16(angles[size_t(i)]);
}

void RobotLink::sendPose(const std::array<int, kPoseServos> &angles)
{
    if (!isRunning())
        return;
    fields.servoAddress = AllServosAddress;
    fields.registers[Speed] = kPoseSpeed;
    post(Speed, Write);
    fields.servoAddress = AllServosAddress;
    fields.registers[Acceleration] = kPoseAcceleration;
    postAfter(SerialPortThread::kPoseGapMs, Acceleration, Write);
    setPose(angles);
    postAfter(SerialPortThread::kPoseGapMs, MovePose, Write);
}

bool RobotLink::setRobotPath(PathBlock block, int folderIndex, const QString &name)
{
    const bool withLead = block == PathBlock::Run || block == PathBlock::Send;
    const int maxBytes = withLead ? kRunPathMax : kDeletePathMax;
    QByteArray path;
    const robotpath::Result result = robotpath::build(folderIndex, name, maxBytes, &path);
    if (result == robotpath::Result::Ok) {
        switch (block) {
        case PathBlock::Run: return fields.setRunPath(path);
        case PathBlock::Delete: return fields.setDeletePath(path);
        case PathBlock::Send: return fields.setSendPath(path);
        case PathBlock::Get: return fields.setGetPath(path);
        }
        return false;
    }
    // Empty the block so that nothing goes out with an old or cut path.
    switch (block) {
    case PathBlock::Run: fields.setRunPath(QByteArray()); break;
    case PathBlock::Delete: fields.setDeletePath(QByteArray()); break;
    case PathBlock::Send: fields.setSendPath(QByteArray()); break;
    case PathBlock::Get: fields.setGetPath(QByteArray()); break;
    }
    if (result == robotpath::Result::NotEncodable)
        prompt.warning(dialogParent, tr("warning"),
                       tr("The file name \"%1\" cannot be written in the robot's character set (GB2312). "
                          "Please rename the file.")
                           .arg(name),
                       QMessageBox::Ok);
    else if (result == robotpath::Result::TooLong)
        prompt.warning(dialogParent, tr("warning"),
                       tr("The file name \"%1\" is too long for the robot: its path may have at most %2 bytes.")
                           .arg(name)
                           .arg(maxBytes),
                       QMessageBox::Ok);
    // No folder or no name: the action stops silently.
    return false;
}

QByteArray RobotLink::robotPath(PathBlock block) const
{
    const auto text = [](const quint8 *bytes) { return QByteArray(reinterpret_cast<const char *>(bytes)); };
    switch (block) {
    // The run block holds a path only after its lead byte 3; FileBegin's
    // starts with a 0.
    case PathBlock::Run: return fields.runBlock[0] == quint8(RunCode::Path) ? text(fields.runBlock + 1) : QByteArray();
    case PathBlock::Delete: return text(fields.deletePath);
    case PathBlock::Send: return text(fields.sendHeader + 1);
    case PathBlock::Get: return text(fields.getPath);
    }
    return QByteArray();
}

// ---------------------------------------------------------------- file jobs

bool RobotLink::jobRunning() const
{
    return thread->jobRunning();
}

bool RobotLink::fetch(const QString &localPath, bool verify, const std::function<QString(const QByteArray &)> &accept)
{
    // What the robot's last list of the folder says of the file decides
    // whether an empty answer is an empty file or no file at all.
    const QByteArray path(reinterpret_cast<const char *>(fields.getPath));
    const int slash = path.lastIndexOf('/');
    nextFetch = SerialPortThread::FetchOptions();
    nextFetch.verify = verify;
    if (verify) {
        quint8 frame[kMaxFrame];
        const int count = buildRequest(fields, KeepAlive, Write, frame);
        nextFetch.between = QByteArray(reinterpret_cast<const char *>(frame), count);
    }
    nextFetch.accept = accept;
    QList<QByteArray> names;
    if (slash > 0 && listedNames(path.left(slash), &names))
        nextFetch.listed = names.contains(path.mid(slash + 1)) ? SerialPortThread::Listed::Yes
                                                                : SerialPortThread::Listed::No;
    const bool posted = post(GetFile, Write, true, localPath, SerialPortThread::kRequestGapMs);
    nextFetch = SerialPortThread::FetchOptions();
    return posted;
}

bool RobotLink::sendFile(const QString &localPath)
{
    // The link thread spaces the requests out.
    if (!post(PrepareTransfer, Write))
        return false;
    if (!isRunning())
        return false;
    // The link forgets an earlier file-begin status as FileBegin goes out.
    if (!post(FileBegin, Write))
        return false;
    startSendJob(localPath);
    return true;
}

bool RobotLink::runFile()
{
    // The link thread spaces the two requests out.
    if (!post(RunFile, Write))
        return false;
    fields.setPlayControl(quint8(PlayCode::Play));
    return post(PlayControl, Write);
}

void RobotLink::cancelTransfer()
{
    thread->cancel();
}

bool RobotLink::listedNames(const QByteArray &folder, QList<QByteArray> *names) const
{
    const auto it = folderNames.find(folder);
    if (it == folderNames.end())
        return false;
    *names = it.value();
    return true;
}

void RobotLink::startSendJob(const QString &localPath)
{
    thread->startSendJob(localPath);
}

// ---------------------------------------------------------------- answers

void RobotLink::takeEvents()
{
    // Oldest first, also when a notice box shown for one of them lets a newer
    // batch in meanwhile.
    for (LinkEvent &event : thread->takeEvents())
        pendingEvents.push_back(std::move(event));
    while (!pendingEvents.empty()) {
        const LinkEvent event = std::move(pendingEvents.front());
        pendingEvents.pop_front();
        switch (event.kind) {
        case LinkEvent::Answer: onAnswer(event.answer); break;
        case LinkEvent::Progress: emit fileProgress(event.progress); break;
        case LinkEvent::JobEnded: emit fileJobEnded(event.job); break;
        case LinkEvent::Activity: watchdogMs = 0; break;
        case LinkEvent::Damaged: emit damagedAnswer(event.answer.source, event.answer.written); break;
        }
    }
}

void RobotLink::onAnswer(const LinkAnswer &answer)
{
    awaitingFirstAnswer = false;
    if (!greeted_) {
        greeted_ = true;
        prompt.information(dialogParent, tr("connect successful"), tr("Connect to the robot successful."),
                           QMessageBox::Ok);
    }
    watchdogMs = 0;

    emit answerReceived(answer);
    switch (answer.type) {
    case kBoardNotification + TransferEnd:
        emit transferEnded();
        break;
    case kBoardNotification + FolderList: {
        QList<QByteArray> names;
        for (const QByteArray &name : answer.folderText.split('\0'))
            if (!name.isEmpty())
                names << name;
        if (!listingFolder.isEmpty())
            folderNames[listingFolder] = names;
        listAwaited = false;
        emit folderListed(answer.folderText);
        break;
    }
        break;
    case kBoardNotification + PowerReading:
        emit powerReading(answer.voltage, answer.current);
        break;
    case kBoardNotification + IoState:
        emit ioStateRead(answer.ioState);
        break;
    case kBoardNotification + FormatDone:
        emit formatDone();
        break;
    default:
        if (answer.type >= Register1 && answer.type <= Register33)
            emit registerAnswered(answer.type, answer);
        break;
    }

    // Positions that reach the window together are shown together: answers
    // already waiting in the event queue are taken before they are told.
    if (answer.positionServo >= 2 && answer.positionServo <= 20) {
        pendingPositions[size_t(answer.positionServo - 2)] = answer.position;
        if (!positionsPending) {
            positionsPending = true;
            QTimer::singleShot(0, this, &RobotLink::flushPositions);
        }
    }
}

void RobotLink::flushPositions()
{
    positionsPending = false;
    const std::array<int, kPoseServos> positions = pendingPositions;
    pendingPositions.fill(0);
    emit positionsRead(positions);
}

// ---------------------------------------------------------------- timer steps

// Milliseconds since the previous call: 10 when the timer keeps time, more
// when ticks came late, at least 1 and at most 100 (a window blocked for long
// must first see the answers that queued up meanwhile); time skipped on the
// link's clock counts whole.
int RobotLink::tickStep(TickMark *last)
{
    TickMark at;
    if (clock_) {
        at.realMs = clock_();
    } else {
        at.realMs = thread->clock().realMs();
        at.skippedMs = thread->clock().skippedMs();
    }
    const qint64 realStep = last->realMs < 0 ? 10 : at.realMs - last->realMs;
    const qint64 skipped = at.skippedMs - last->skippedMs;
    *last = at;
    return int(qBound<qint64>(1, realStep, 100) + qBound<qint64>(0, skipped, 24 * 3600 * 1000));
}

void RobotLink::setClock(std::function<qint64()> clock)
{
    clock_ = std::move(clock);
    // The next step starts afresh on the new clock.
    watchdogLastTick = TickMark();
    keepAliveLastTick = TickMark();
}

int RobotLink::firstAnswerLimitMs() const
{
    return thread->bleMode ? kFirstAnswerBleMs : kFirstAnswerCableMs;
}

int RobotLink::listAnswerLimitMs() const
{
    return thread->bleMode ? kListAnswerBleMs : kListAnswerCableMs;
}

void RobotLink::robotNeverAnswered()
{
    awaitingFirstAnswer = false;
    listAwaited = false;
    if (isRunning())
        thread->quitFlag = 1;
    prompt.warning(dialogParent, tr("warning"), noAnswerText(), QMessageBox::Ok);
}

QString RobotLink::noAnswerText() const
{
    return tr("The robot does not answer on the port %1 (no answer in %2 seconds). Check that the robot is "
              "switched on, the cable and the port, and that the Bluetooth choice matches how the robot is "
              "connected.")
        .arg(thread->portName())
        .arg(firstAnswerLimitMs() / 1000);
}

void RobotLink::watchdogTick(bool quiet)
{
    // A file job keeps the count at zero while it hears the robot (its
    // Activity events); a robot that falls silent during a job trips the
    // watchdog, which stops the job with the link.
    const int step = tickStep(&watchdogLastTick);
    watchdogMs += step;
    if (quiet)
        watchdogMs = 0;
    // The count starts when the link opens, so a robot silent from the start
    // is noticed too.
    if (awaitingFirstAnswer && !greeted_ && watchdogMs > firstAnswerLimitMs()) {
        robotNeverAnswered();
        return;
    }
    // The list's request counts from when it has left (not while it waits
    // behind other requests), and not while a file job holds the line.
    if (listAwaited && isRunning() && !thread->quitFlag) {
        if (!listLeft && thread->pendingFrames() == 0)
            listLeft = true;
        if (listLeft && !thread->jobRunning())
            listWaitMs += step;
        if (listWaitMs > listAnswerLimitMs()) {
            listAwaited = false;
            emit folderListMissing(listingFolder);
        }
    }
    if (watchdogMs > kSilenceLimitMs && greeted_) {
        greeted_ = false;
        listAwaited = false;
        if (isRunning())
            thread->quitFlag = 1;
        prompt.warning(dialogParent, tr("the connection broken"), tr("the connection to the robot is broken."),
                       QMessageBox::Ok);
    }
}

void RobotLink::keepAliveTick()
{
    // One count each 10 ms; the request goes out on the count after 250.
    const int step = tickStep(&keepAliveLastTick) + keepAliveRemainderMs;
    if (keepAliveTicks < 250) {
        keepAliveTicks = qMin(250, keepAliveTicks + step / 10);
        keepAliveRemainderMs = step % 10;
        return;
    }
    keepAliveTicks = 0;
    keepAliveRemainderMs = 0;
    if (!downloading_ && !thread->jobRunning() && isRunning())
        keepAlive();
}
