#pragma once
// The robot link as the window's thread sees it: connect and disconnect,
// requests built from the request fields and queued for the link thread, the
// robot paths of the file requests, the two file jobs, keep-alive and the
// watchdog, the communication log, and the robot's answers as typed signals
// carrying values. Panels talk to the robot only through this object; none of
// them touches SerialPortThread.

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <deque>
#include <functional>

#include "link/linkanswer.h"
#include "link/linkframe.h"
#include "link/packet.h"
#include "link/serialportthread.h"

class Prompt;
class QTimer;
class QWidget;

class RobotLink : public QObject
{
    Q_OBJECT

public:
    // Cable and Bluetooth LE bridge line rates.
    static constexpr qint32 kCableBaud = 1500000;
    static constexpr qint32 kBleBaud = 9600;
    // Least gaps between requests, kept by the link thread: as a rule, and
    // within a joint edit's speed-acceleration-pose triple.
    static constexpr int kRequestGapMs = 30;
    static constexpr int kPoseGapMs = 10;
    // Gaps between the requests of a motion download (a Bluetooth bridge
    // needs longer), and the Bluetooth bridge's extra pause before the run.
    static constexpr int kDownloadGapCableMs = 30;
    static constexpr int kDownloadGapBleMs = 200;
    static constexpr int kRunPauseBleMs = 200;

    // prompt and dialogParent are used for the link's own notices (greeting,
    // lost connection, robot paths that cannot be written).
    RobotLink(Prompt &prompt, QWidget *dialogParent, QObject *parent = nullptr);
    // Stops the link thread and waits for it.
    ~RobotLink() override;

    // ---- Connection.
    static QStringList availablePortNames();
    bool isRunning() const;
    // Starts the link thread on the port (the answer is openStatusChanged),
    // at the cable's or the Bluetooth bridge's rate unless baud is given.
    void open(const QString &portName, bool ble, qint32 baud = 0);
    // Asks the link thread to finish; its last status tells when it has.
    void close();
    void setBleMode(bool ble);
    // One RTS/DTR pulse on the cable (the line of a Bluetooth bridge has none).
    void pulseReset();
    // True once the robot has answered since the link was opened (the
    // greeting was shown).
    bool greeted() const { return greeted_; }
    // As if the robot had answered (or not) since the link was opened.
    void setGreeted(bool greeted) { greeted_ = greeted; }
    // A robot that has not answered at all this long after the link opened
    // does not answer on this port: the link is closed and the user told.
    // Over the Bluetooth bridge the first keep-alives may be lost while the
    // bridge still connects to the robot's module, so it gets five of them
    // (at 0, 2.51, 5.02, 7.53 and 10.04 s) and two seconds for the last answer.
    static constexpr int kFirstAnswerCableMs = 5000;
    static constexpr int kFirstAnswerBleMs = 12000;
    // A robot that has answered before and is then silent this long is lost.
    static constexpr int kSilenceLimitMs = 10000;
    // A folder list not complete this long after its request left (timed
    // while no file job holds the line) did not come.
    static constexpr int kListAnswerCableMs = 5000;
    static constexpr int kListAnswerBleMs = 12000;
    int firstAnswerLimitMs() const;
    // What is said of a robot that did not answer within firstAnswerLimitMs.
    QString noAnswerText() const;
    int listAnswerLimitMs() const;
    // The clock of the watchdog, the keep-alive and the link thread's limits
    // (see LinkClock): a test skips it over a silence.
    LinkClock &clock() { return thread->clock(); }
    // Makes the timer steps (not the link thread) read time from this
    // function instead, in milliseconds; for tests that step time by hand.
    void setClock(std::function<qint64()> clock);
    // Milliseconds of silence counted by the watchdog.
    int silenceMs() const { return watchdogMs; }
    void setSilenceMs(int ms) { watchdogMs = ms; }
    // Keep-alive count, 0..250 (one per 10 ms; the request goes out after 250).
    int keepAliveCount() const { return keepAliveTicks; }
    void setKeepAliveCount(int count) { keepAliveTicks = count; }
    // The worker, for tests that watch or stage its jobs.
    SerialPortThread &worker() { return *thread; }

    // ---- Requests (window's thread only). Each call builds one request from
    // its arguments and queues it for the link thread, which writes it at
    // least kRequestGapMs (or the gapMs given) after the request before it;
    // the caller goes on at once. Each is logged as "send:" with its bytes,
    // except the keep-alive. False when the link is down, nothing was built
    // or the send queue refused the request.

    // Servo registers. servo is a bus address: 2..20 for one servo,
    // packet::AllServosAddress for every servo at once (any other address
    // reaches no servo). value is sent as its 16-bit word.
    bool writeRegister(int servo, packet::Type reg, int value);
    // gapMs: the least gap before it (a bus scan's reads follow each other closer).
    bool readRegister(int servo, packet::Type reg, int gapMs = kRequestGapMs);
    // The same read without a line in the communication log (the live
    // readings ask many times a second and would drown it), leaving gapMs
    // after the request before it; a background read (see pendingRequests).
    bool readRegisterUnlogged(int servo, packet::Type reg, int gapMs = kRequestGapMs);
    bool setWorkingMode(int servo, packet::ServoMode mode);
    bool readPosition(int servo) { return readRegister(servo, packet::Position); }
    // The servo stores its parameters (WriteFlash, a register with no value).
    bool writeFlash(int servo);
    // The word last written to a register, which a write's acknowledgement
    // confirms.
    int writtenRegister(packet::Type reg) const { return fields.registers[reg]; }

    // Speed and acceleration to all servos, then the pose (tenths of a degree
    // of servos 2..20), leaving 10 ms apart: the robot follows a pose edit.
    void sendPose(const std::array<int, packet::kPoseServos> &angles);
    // The pose the next MovePose carries.
    void setPose(const std::array<int, packet::kPoseServos> &angles);
    // MovePose with the pose given.
    bool movePose(const std::array<int, packet::kPoseServos> &angles);

    // The motion download of a playback with the robot: one frame table row
    // (kFrameColumns values) numbered r, then the summary, then the order to
    // run what was downloaded; each leaves gapMs after the request before it.
    bool sendDebugFrame(const int *row, int r, int gapMs);
    bool sendDebugSummary(int lastFrame, int loopStartRow, int loopEndRow, int loopTimes, int gapMs);
    bool runDownloaded(int gapMs);
    bool playControl(packet::PlayCode code, int gapMs = kRequestGapMs);

    // Mainboard and LED board.
    // The nine LED bytes (brightness in tenths x 16 + frequency index) in the
    // order led1 red, green, blue, led2 ..., led3 ...
    bool setLeds(const std::array<quint8, 9> &leds);
    // The IO pins: direction bits and level bits (IO 1 in bit 1, IO 2 in bit 0).
    bool setIo(quint8 directions, quint8 levels);
    bool readIo();
    bool keepAlive();
    bool resetBoard();
    bool formatFlash();
    // Lists folder 0 ("0:/robotsys") or 1 ("1:/robotsys"); the answer is
    // folderListed (or folderListMissing).
    bool listFolder(int folderIndex);

    // Stops the robot at once: PlayControl stop to the main board, then
    // WorkingMode "brake stop" to every servo (each joint holds where it
    // stands, damped, instead of dropping or driving on). Both leave ahead of
    // everything queued; the queued requests that would follow them (the rest
    // of a motion download, pose edits) are dropped. False when the link is
    // down.
    bool stopRobot();

    // What the next request would be built from (for looking only).
    const packet::RequestFields &request() const { return fields; }
    // Requests not yet written to the port, the live readings' reads left
    // out (a page waiting for its own requests to leave does not wait for
    // them), and with them.
    int pendingRequests() const;
    int allPendingRequests() const;
    // Requests written to the port so far (see LinkAnswer::written).
    qint64 requestsWritten() const { return thread->framesWritten(); }
    // Requests the pages have posted since the link was made: every one
    // that leaves a line in the communication log (not the keep-alives nor
    // the live readings' reads), and the urgent stop. Its change tells that
    // someone is working the robot.
    qint64 pageRequestsPosted() const { return pageRequests_; }

    // Text blocks that hold a robot path.
    enum class PathBlock { Run, Delete, Send, Get };
    // Stores folder + "/" + name in the block; a name with no GB2312 form or a
    // path too long for the block is refused with a warning box naming the
    // file, and false is returned (nothing may then be sent).
    bool setRobotPath(PathBlock block, int folderIndex, const QString &name);
    // The robot path the block holds (empty when none).
    QByteArray robotPath(PathBlock block) const;

    // ---- File jobs. The request that starts a job (GetFile, FileBegin) is
    // posted first; each job ends with one fileJobEnded.
    bool jobRunning() const;
    // Posts GetFile (the get path set before) and receives the file into
    // localPath: the job starts as the request goes out. False when the link
    // is down or the request could not be queued. verify fetches the file
    // three times (the third one answer later on the line) and takes it only
    // when all agree (a whole frame lost on the line leaves no other trace); accept, when given, looks at the received file
    // before it replaces the local one and returns why it is refused (empty:
    // accepted; it runs on the link thread and may use only its argument).
    // The local file is replaced only by a fetch that succeeded.
    bool fetch(const QString &localPath, bool verify = false,
               const std::function<QString(const QByteArray &)> &accept = {});
    void startSendJob(const QString &localPath);
    // Sends localPath to the robot path already set in the send block:
    // PrepareTransfer, FileBegin, then the send job streams the file. False
    // when the link is down.
    bool sendFile(const QString &localPath);
    // Runs the robot file already set in the run block: RunFile, then play.
    bool runFile();
    // Deletes the robot file already set in the delete block.
    bool deleteFile();
    // Stops the running file job within a pass of its loop; it ends with a
    // Cancelled outcome (a send still closes the robot's file).
    void cancelTransfer();
    // The names the robot listed last in folder ("0:/robotsys" or
    // "1:/robotsys"), as GB2312 bytes; false when it was never listed.
    bool listedNames(const QByteArray &folder, QList<QByteArray> *names) const;

    // ---- Timer steps, called every 10 ms by the window in its tick order.
    // quiet: transfers, playback or the thumbnail walk keep the robot quiet
    // or the window busy, which never counts as silence.
    void watchdogTick(bool quiet);
    void keepAliveTick();
    // While a motion is downloaded for playback no keep-alive goes out.
    void setDownloading(bool downloading) { downloading_ = downloading; }
    bool downloading() const { return downloading_; }
    // A line of the program's own (a step of a page's command) for the
    // communication log, which the connection panel shows.
    void note(const QString &line) { emit logLine(line); }

    // ---- The packet monitor. While on, every frame written and read and
    // every run of bytes thrown away reaches framesSeen, in batches at most
    // every kMonitorBatchMs, so a busy line never floods the window.
    static constexpr int kMonitorBatchMs = 50;
    void setMonitoring(bool on);
    bool monitoring() const;

signals:
    // Rows of the packet monitor, oldest first; lost: rows dropped before
    // these because the window fell kMonitorCapacity rows behind.
    void framesSeen(const QVector<LinkFrame> &frames, quint64 lost);
    // 1 open, 0 closed, -1 the port could not be opened or is in use.
    void openStatusChanged(int status);
    // A line for the communication log.
    void logLine(const QString &line);
    // Every answer, after the link's own steps (greeting, watchdog).
    void answerReceived(const LinkAnswer &answer);
    // Typed answers, in the order: the answer's own signal, then positions.
    void transferEnded();
    void folderListed(const QByteArray &folderText);
    // The list of folder ("0:/robotsys" or "1:/robotsys") asked for last did
    // not come within listAnswerLimitMs.
    void folderListMissing(const QByteArray &folder);
    void powerReading(int millivolts, int centiamperes);
    void ioStateRead(int state);
    void formatDone();
    void registerAnswered(int type, const LinkAnswer &answer);
    // Positions of servos 2..20 that arrived together (index servo - 2; 0:
    // no answer from that servo).
    void positionsRead(const std::array<int, packet::kPoseServos> &positions);
    // A frame from the robot arrived damaged (wrong length or checksum);
    // source is the address it claims to come from; written as in LinkAnswer.
    void damagedAnswer(int source, qint64 written);
    void fileProgress(int percent);
    void fileJobEnded(const FileJobResult &result);

private:
    void onOpenStatus(int status);
    // Builds request (type, kind) from the request fields and queues it for
    // the link thread; logs it as "send:" unless log is false.
    bool post(int type, int kind, bool log = true);
    // As post, the request leaving at least gapMs after the request before it.
    bool postAfter(int gapMs, int type, int kind);
    bool post(int type, int kind, bool log, const QString &localPath, int gapMs);
    void takeEvents();
    void onAnswer(const LinkAnswer &answer);
    void flushPositions();
    // Where a timer step last read the clock: the real and the skipped time
    // (a first step counts what was skipped since the link was made).
    struct TickMark {
        qint64 realMs = -1;
        qint64 skippedMs = 0;
    };
    // Milliseconds since the previous call of this step (see the .cpp).
    int tickStep(TickMark *last);
    // Closes a link whose robot never answered, and says so.
    void robotNeverAnswered();

    Prompt &prompt;
    QWidget *dialogParent;
    SerialPortThread *thread = nullptr;
    packet::RequestFields fields;

    bool greeted_ = false;
    bool downloading_ = false;
    qint64 pageRequests_ = 0;
    int watchdogMs = 0;
    int keepAliveTicks = 0;
    int keepAliveRemainderMs = 0;
    std::function<qint64()> clock_;
    TickMark watchdogLastTick;
    // The link is open and its first answer not yet come.
    bool awaitingFirstAnswer = false;
    // A folder list asked for and not yet complete; the time its request has
    // been out on a free line.
    bool listAwaited = false;
    bool listLeft = false;
    int listWaitMs = 0;
    TickMark keepAliveLastTick;

    void takeFrames();
    QTimer *monitorBatch = nullptr;

    std::deque<LinkEvent> pendingEvents;
    // Folder lists as the robot sent them, by folder; the folder of the
    // ListFolder posted last.
    QHash<QByteArray, QList<QByteArray>> folderNames;
    QByteArray listingFolder;
    // Options of the fetch being posted.
    SerialPortThread::FetchOptions nextFetch;
    // Positions gathered from answers that reached the window together.
    std::array<int, packet::kPoseServos> pendingPositions{};
    bool positionsPending = false;
};
