#pragma once
// The link's worker thread. It owns the serial port while the link is up,
// polls it, writes the frames the window posts (in order, from a bounded
// queue), feeds what arrives to the frame reader and the answer parser, and
// runs the two long jobs: sending a file to the robot within its receive
// buffer, every frame acknowledged, and receiving one from it. It tells the window what happened as values: each
// answer, progress step and job outcome is copied into an outbox (under its
// lock) and eventsWaiting() crosses to the window's thread queued; the window
// takes the values out. The window never reads a field this thread writes;
// only the atomic flags are shared.

#include <QElapsedTimer>
#include <QList>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <functional>
#include <mutex>
#include <vector>

#include "link/answerparser.h"
#include "link/linkanswer.h"
#include "link/linkframe.h"
#include "link/linkclock.h"
#include "link/framereader.h"
#include "link/packet.h"

class QSerialPort;

// How a fetch is done. Whether the robot lists the file decides what an empty
// answer means (an empty file, or no such file). accept, when set, looks at
// the whole received file before it replaces the local one and returns why it
// is refused (empty: accepted); it runs on the link thread and may use nothing
// but its argument.
enum class FetchListed { Unknown, Yes, No };
struct FetchOptions {
    bool verify = false;  // fetch three times; the file counts only when all agree
    FetchListed listed = FetchListed::Unknown;
    std::function<QString(const QByteArray &)> accept;
    // A request the robot answers once (a keep-alive), written before the
    // third copy of a verified fetch; see runGetJob.
    QByteArray between;
};

class SerialPortThread : public QThread
{
    Q_OBJECT

public:
    // Frames that may wait in the send queue at once. The window posts a whole
    // motion's download at once and the link thread paces it out, so the queue
    // holds a long motion.
    static constexpr int kMailboxCapacity = 4096;
    // Least time between the end of one queued frame and the start of the
    // next: requests as a rule, and the speed-acceleration-pose triple of a
    // joint edit. The link thread keeps these gaps; the window never waits.
    static constexpr int kRequestGapMs = 30;
    static constexpr int kPoseGapMs = 10;
    // File job timings.
    static constexpr int kCableChunk = 128;
    static constexpr int kBleChunk = 64;
    // The robot's receive buffer: the FileData frames written and not yet
    // answered never hold more bytes than this.
    static constexpr int kRobotReceiveBuffer = 1024;
    // Longest wait for the next answer in one pass of the send job (an
    // answer ends it at once).
    static constexpr int kAckPollMs = 20;

    explicit SerialPortThread(QObject *parent = nullptr);
    // Asks run() to finish and waits for it.
    ~SerialPortThread() override;

    // The system's serial ports, after the ports named in GAITFORGE_EXTRA_PORTS
    // (paths separated by ':'), each once.
    static QStringList availablePortNames();

    // Connection settings, read when run() starts. Parity, data and stop bits
    // are kept but the port always opens as 8N1.
    void setPortName(const QString &name) { portName_ = name; }
    void setBaudRate(qint32 baud) { baudRate_ = baud; }
    void setParity(int parity) { parity_ = parity; }
    void setDataBits(int bits) { dataBits_ = bits; }
    void setStopBits(int bits) { stopBits_ = bits; }
    QString portName() const { return portName_; }
    qint32 baudRate() const { return baudRate_; }

    std::atomic<int> bleMode{0};      // 1: the link runs over the Bluetooth LE bridge
    std::atomic<int> quitFlag{0};     // 1 asks run() to finish
    std::atomic<int> resetPulse{0};   // 1 asks for one RTS/DTR reset pulse
    std::atomic<int> cancelJob{0};    // 1 asks the running file job to stop
    static constexpr int kWriteWaitMs = 100;
    // A send whose oldest unanswered frame gets no answer within this time
    // stops (Bluetooth: the bridge's own 20 x 100 ms, then as long again).
    static constexpr int kCableAckLimitMs = 2000;
    static constexpr int kBleAckLimitMs = 4000;
    // A send whose TransferEnd does not come within this time of TransferDone
    // is unconfirmed.
    static constexpr int kConfirmLimitMs = 3000;
    // A fetch that receives no file data for this long has been given up by the robot.
    static constexpr int kCableSilenceLimitMs = 3000;
    static constexpr int kBleSilenceLimitMs = 5000;
    // A new link first reads and drops what still arrives from before it
    // (the rest of a fetch an earlier link left unfinished), until the line
    // has been quiet this long, or for kDrainLimitMs at most.
    static constexpr int kCableDrainQuietMs = 100;
    static constexpr int kBleDrainQuietMs = 300;
    static constexpr int kDrainLimitMs = 20000;

    using Listed = FetchListed;
    using FetchOptions = ::FetchOptions;

    // ---- Requests (any thread). What the link thread does just before it
    // writes a frame: the answers that frame asks for start afresh.
    enum FrameFlag {
        PlainFrame = 0,
        StartsFolderList = 1,  // ListFolder: the next FolderList answer is a first part
        StartsFileBegin = 2,   // FileBegin: forget an earlier file-begin status
        StartsGetJob = 4,      // GetFile: the get job into localPath starts as it goes out
        Background = 8,        // a read of the live readings: not one of the pages' requests
    };
    // Appends a frame to the send queue; false (and nothing queued) when the
    // queue is full. It goes out at least gapMs after the frame before it.
    bool postFrame(const QByteArray &frame, int flags = PlainFrame, const QString &localPath = QString(),
                   int gapMs = kRequestGapMs, const FetchOptions &fetch = FetchOptions());
    // Frames not yet written; without the Background ones unless asked.
    int pendingFrames(bool withBackground = true) const;
    // Frames that must reach the robot at once (stopping it): they go out
    // ahead of everything queued, kUrgentGapMs apart, also between the
    // bursts of a file job. Plain frames still queued (the rest of a motion
    // download, pose edits) are dropped, so nothing sent after them undoes
    // them; frames that start an answer or a job stay queued. Returns the
    // number of queued frames dropped.
    static constexpr int kUrgentGapMs = 10;
    int postUrgent(const QList<QByteArray> &frames);
    // Queued and urgent frames written since the thread was made; each answer
    // carries the count as it arrived (LinkAnswer::written).
    qint64 framesWritten() const { return framesWritten_; }

    // ---- File jobs: the local file, then the job starts on the link thread.
    // Each job ends with one fileJobEnded.
    // (A get job starts with its GetFile frame: see StartsGetJob.)
    void startSendJob(const QString &localPath);
    // Asks the running (or queued) file job to stop soon (within a pass).
    void cancel() { cancelJob = 1; }
    QString localFilePath() const;
    std::atomic<int> sendJob{0};
    std::atomic<int> getJob{0};
    std::atomic<int> getJobQueued{0};  // a GetFile that starts a get job waits in the queue
    // 1 while the rest of a cancelled fetch still comes from the robot (it
    // cannot be stopped): its data is dropped, and no new transfer starts.
    std::atomic<int> draining{0};
    bool jobRunning() const { return sendJob || getJob || getJobQueued || draining; }

    // ---- What happened since the last call, oldest first (any thread).
    std::vector<LinkEvent> takeEvents();
    // How many events wait to be taken (for tests that keep the window busy).
    int eventsWaitingCount() const;

    // ---- The packet monitor (any thread). While monitoring is 1 the link
    // thread records every frame it writes or reads and every run of bytes
    // its reader throws away, into an outbox of at most kMonitorCapacity rows
    // (the oldest go first when the window does not take them in time);
    // framesWaiting() crosses to the window's thread once while the outbox
    // is not empty, and takeFrames() hands the rows over, oldest first.
    static constexpr int kMonitorCapacity = 10000;
    std::atomic<int> monitoring{0};
    std::vector<LinkFrame> takeFrames(quint64 *lost = nullptr);

    // The clock of the link's limits (silences, acknowledgements, the
    // confirmation, the drain; RobotLink's watchdog and keep-alive). The
    // gaps between frames and the line's own waits keep real time.
    LinkClock &clock() { return clock_; }
    const LinkClock &clock() const { return clock_; }

signals:
    // 1 open, 0 closed, -1 the port could not be opened.
    void serialPortOpenStatus(int status);
    // takeEvents() has values to hand over.
    void eventsWaiting();
    // takeFrames() has rows to hand over.
    void framesWaiting();

protected:
    void run() override;

private:
    bool waitForInput(QSerialPort &port, int ms);
    bool waitForNewInput(QSerialPort &port, int ms);
    bool gatherInput(QSerialPort &port, int firstWaitMs, int nextWaitMs);
    void extractFrames(const QByteArray &data);
    bool writeAll(QSerialPort &port, const char *data, qint64 count);
    bool writeRequest(QSerialPort &port, int type);
    bool stopping() const { return quitFlag || cancelJob; }
    FileJobResult::Outcome stopOutcome() const
    {
        return quitFlag ? FileJobResult::LinkClosed : FileJobResult::Cancelled;
    }
    // At most a few Activity events a second while a job hears the robot.
    void tellActivity();
    // Receives one file (until TransferEnd) into *data.
    FileJobResult::Outcome receiveFile(QSerialPort &port, QByteArray *data, int *dropped);
    FileJobResult::Outcome fetchCopy(QSerialPort &port, const QByteArray &before, const QByteArray &first,
                                     FileJobResult *result);
    void endJob(FileJobResult result);
    // Writes everything queued, each frame after its gap (before a job starts).
    void writeMailbox(QSerialPort &port);
    // Writes the urgent frames, each kUrgentGapMs after the frame before it.
    void writeUrgent(QSerialPort &port);
    // Milliseconds until the first queued frame may go out; -1: none waits.
    int msUntilNextFrame() const;
    // Writes the first queued frame when its gap has passed.
    bool writeNextFrame(QSerialPort &port);
    void runGetJob(QSerialPort &port);
    void runSendJob(QSerialPort &port);
    void resetPulseNow(QSerialPort &port);
    // Drops what arrives before the link's first request (see kDrainLimitMs).
    void drainOpenedLine(QSerialPort &port);

    QString portName_;
    qint32 baudRate_ = 38400;
    int parity_ = 0;
    int dataBits_ = 8;
    int stopBits_ = 1;

    struct QueuedFrame {
        QByteArray bytes;
        int flags = PlainFrame;
        QString localPath;
        int gapMs = kRequestGapMs;
        FetchOptions fetch;
    };
    mutable std::mutex mailboxLock;
    QQueue<QueuedFrame> mailbox;
    QQueue<QByteArray> urgent;           // under mailboxLock
    std::atomic<int> urgentWaiting{0};   // urgent is not empty
    std::atomic<qint64> framesWritten_{0};
    // Takes the first queued frame (the caller holds the lock) and does what
    // must happen before it goes out.
    QueuedFrame takeFrame();
    void writeFrame(QSerialPort &port, const QueuedFrame &frame);

    mutable std::mutex pathLock;
    QString localPath;

    LinkClock clock_;

    // Told from the link thread: into the outbox, then eventsWaiting.
    void tell(LinkEvent event);
    std::mutex runDone;
    mutable std::mutex outboxLock;
    std::vector<LinkEvent> outbox;

    // The packet monitor's outbox and the link thread's side of it.
    void record(LinkFrame::Direction direction, FrameReader::Discard reason, const QByteArray &wire);
    // Starts or stops the readers' taps as monitoring says.
    void followMonitoring();
    mutable std::mutex tapLock;
    std::vector<LinkFrame> tapOutbox;
    quint64 tapLost = 0;
    bool tapping = false;        // link thread only
    FrameReader sentReader;      // splits what is written into frames

    // Link thread only.
    QElapsedTimer lastFrameWritten;  // since the last queued frame left
    void setLocalFilePath(const QString &path);
    FrameReader reader;
    bool damagedHandlerSet = false;
    AnswerParser answers;
    packet::RequestFields jobFields;
    FetchOptions fetchOptions;   // of the get job armed last
    QByteArray getFileFrame;     // its GetFile request, sent again for a verified fetch
    QElapsedTimer activityClock;
    LinkTimer drainClock{clock_};  // since the last data of a cancelled fetch
    void drainStep();
};
