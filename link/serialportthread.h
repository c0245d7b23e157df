#pragma once
// The link's worker thread. It owns the serial port while the link is up,
// polls it, writes the frames the window posts (in order, from a bounded
// queue), feeds what arrives to the frame reader and the answer parser, and
// runs the two long jobs: sending a file to the robot in acknowledged bursts
// and receiving one from it. It tells the window what happened as values: each
// answer, progress step and job outcome is copied into an outbox (under its
// lock) and eventsWaiting() crosses to the window's thread queued; the window
// takes the values out. The window never reads a field this thread writes;
// only the atomic flags are shared.

#include <QElapsedTimer>
#include <QQueue>
#include <QString>
#include <QStringList>
#include <QThread>
#include <atomic>
#include <mutex>
#include <vector>

#include "link/answerparser.h"
#include "link/linkanswer.h"
#include "link/framereader.h"
#include "link/packet.h"

class QSerialPort;

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
    static constexpr int kChunksPerBurst = 8;

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
    static constexpr int kWriteWaitMs = 100;

    // ---- Requests (any thread). What the link thread does just before it
    // writes a frame: the answers that frame asks for start afresh.
    enum FrameFlag {
        PlainFrame = 0,
        StartsFolderList = 1,  // ListFolder: the next FolderList answer is a first part
        StartsFileBegin = 2,   // FileBegin: forget an earlier file-begin status
        StartsGetJob = 4,      // GetFile: the get job into localPath starts as it goes out
    };
    // Appends a frame to the send queue; false (and nothing queued) when the
    // queue is full. It goes out at least gapMs after the frame before it.
    bool postFrame(const QByteArray &frame, int flags = PlainFrame, const QString &localPath = QString(),
                   int gapMs = kRequestGapMs);
    int pendingFrames() const;

    // ---- File jobs: the local file, then the job starts on the link thread.
    // Each job ends with one fileJobEnded.
    // (A get job starts with its GetFile frame: see StartsGetJob.)
    void startSendJob(const QString &localPath);
    QString localFilePath() const;
    std::atomic<int> sendJob{0};
    std::atomic<int> getJob{0};
    std::atomic<int> getJobQueued{0};  // a GetFile that starts a get job waits in the queue
    bool jobRunning() const { return sendJob || getJob || getJobQueued; }

    // ---- What happened since the last call, oldest first (any thread).
    std::vector<LinkEvent> takeEvents();

signals:
    // 1 open, 0 closed, -1 the port could not be opened.
    void serialPortOpenStatus(int status);
    // takeEvents() has values to hand over.
    void eventsWaiting();

protected:
    void run() override;

private:
    bool waitForInput(QSerialPort &port, int ms);
    bool waitForNewInput(QSerialPort &port, int ms);
    bool gatherInput(QSerialPort &port, int firstWaitMs, int nextWaitMs, int untilAcks = 0);
    void extractFrames(const QByteArray &data);
    bool writeAll(QSerialPort &port, const char *data, qint64 count);
    bool writeRequest(QSerialPort &port, int type);
    // Writes everything queued, each frame after its gap (before a job starts).
    void writeMailbox(QSerialPort &port);
    // Milliseconds until the first queued frame may go out; -1: none waits.
    int msUntilNextFrame() const;
    // Writes the first queued frame when its gap has passed.
    bool writeNextFrame(QSerialPort &port);
    void runGetJob(QSerialPort &port);
    void runSendJob(QSerialPort &port);
    void resetPulseNow(QSerialPort &port);

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
    };
    mutable std::mutex mailboxLock;
    QQueue<QueuedFrame> mailbox;
    // Takes the first queued frame (the caller holds the lock) and does what
    // must happen before it goes out.
    QueuedFrame takeFrame();
    void writeFrame(QSerialPort &port, const QueuedFrame &frame);

    mutable std::mutex pathLock;
    QString localPath;

    // Told from the link thread: into the outbox, then eventsWaiting.
    void tell(LinkEvent event);
    std::mutex runDone;
    std::mutex outboxLock;
    std::vector<LinkEvent> outbox;

    // Link thread only.
    QElapsedTimer lastFrameWritten;  // since the last queued frame left
    void setLocalFilePath(const QString &path);
    FrameReader reader;
    AnswerParser answers;
    packet::RequestFields jobFields;
};
