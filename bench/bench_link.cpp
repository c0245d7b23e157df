// Link throughput: building requests and reading frames in MB/s, and sending
// a file to the virtual robot over a pseudo-terminal: 1 MiB in cable mode with
// the robot pacing its line at 1,500,000 baud and unpaced, and 4 KiB over the
// Bluetooth bridge with the robot pacing its line at 9,600 baud. A paced
// line carries baud / 10 bytes a second; the counters give the file bytes a
// second, and the bytes on the wire (the FileData frames) as a share of the
// line (of_line; 1 = the line never idles). Frames of 128-byte chunks are 140
// bytes (a little more with stuffing), so the file's share is about 0.91 of
// the wire's.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <atomic>

#include "link/framereader.h"
#include "link/packet.h"
#include "link/serialportthread.h"

using namespace packet;

static void BuildFileData(benchmark::State &state)
{
    RequestFields f;
    QByteArray chunk(128, '\0');
    for (int i = 0; i < chunk.size(); ++i)
        chunk[i] = char(i * 3);  // some 0xAA to stuff
    f.setChunk(chunk.constData(), chunk.size());
    quint8 frame[kMaxFrame];
    qint64 bytes = 0;
    for (auto _ : state) {
        const int count = buildRequest(f, FileData, Write, frame);
        benchmark::DoNotOptimize(frame);
        bytes += count;
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BuildFileData);

static void BuildMovePose(benchmark::State &state)
{
    RequestFields f;
    for (int i = 0; i < kPoseServos; ++i)
        f.pose[i] = qint16(i * 97 - 900);
    quint8 frame[kMaxFrame];
    qint64 bytes = 0;
    for (auto _ : state) {
        const int count = buildRequest(f, MovePose, Write, frame);
        benchmark::DoNotOptimize(frame);
        bytes += count;
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(BuildMovePose);

// A stream of answers like a busy link: acknowledgements, file data, power readings, positions.
static void ReadFrames(benchmark::State &state)
{
    QRandomGenerator rng(5);
    QByteArray stream;
    while (stream.size() < (1 << 20)) {
        QByteArray payload(int(rng.bounded(0, 129)), '\0');
        for (char &c : payload)
            c = char(rng.bounded(256));
        stream += makeFrame(MainboardAddress, HostAddress, BoardData, FileData, payload);
        stream += makeFrame(5, HostAddress, Answer, Position, QByteArray("\x01\x2C", 2));
    }
    FrameReader reader;
    qint64 frames = 0;
    for (auto _ : state)
        frames += reader.feed(stream.constData(), stream.size(), [](const quint8 *b, int n) {
            benchmark::DoNotOptimize(b);
            benchmark::DoNotOptimize(n);
        });
    state.SetBytesProcessed(qint64(state.iterations()) * stream.size());
    state.counters["frames"] = benchmark::Counter(double(frames), benchmark::Counter::kIsRate);
}
BENCHMARK(ReadFrames);

// ---------------------------------------------------------------- file transfer

static QString robotProgram()
{
    return QStringLiteral(GAITFORGE_ROBOTSIM);
}

static void FileTransfer(benchmark::State &state, int baud, bool ble)
{
    QTemporaryDir dir;
    QProcess robot;
    QStringList args = {QStringLiteral("--root"), dir.path() + QStringLiteral("/drives")};
    if (baud > 0)
        args << QStringLiteral("--baud") << QString::number(baud);
    robot.start(robotProgram(), args);
    QByteArray out;
    while (!out.contains('\n') && robot.waitForReadyRead(5000))
        out += robot.readAllStandardOutput();
    const QString port = QRegularExpression(QStringLiteral("port (\\S+)")).match(QString::fromLocal8Bit(out)).captured(1);
    if (port.isEmpty()) {
        state.SkipWithError("the virtual robot did not start");
        return;
    }

    const QString local = dir.path() + QStringLiteral("/motion.bin");
    QByteArray content(ble ? 4096 : 1 << 20, '\0');
    QRandomGenerator rng(9);
    for (char &c : content)
        c = char(rng.bounded(256));
    QFile file(local);
    file.open(QIODevice::WriteOnly);
    file.write(content);
    file.close();
    // The FileData frames as they go on the wire.
    const int chunk = ble ? SerialPortThread::kBleChunk : SerialPortThread::kCableChunk;
    qint64 wireBytes = 0;
    for (int at = 0; at < content.size(); at += chunk) {
        RequestFields f;
        f.setChunk(content.constData() + at, qMin(chunk, content.size() - at));
        wireBytes += buildRequest(f, FileData, Write).size();
    }

    SerialPortThread link;
    // Told on the link thread itself: this benchmark runs no event loop.
    std::atomic<int> transferEnded{0};
    QObject::connect(&link, &SerialPortThread::eventsWaiting, [&link, &transferEnded] {
        for (const LinkEvent &event : link.takeEvents())
            if (event.kind == LinkEvent::Answer && event.answer.type == kBoardNotification + TransferEnd)
                transferEnded = 1;
    });
    link.setPortName(port);
    link.setBaudRate(ble ? 9600 : 1500000);
    link.bleMode = ble ? 1 : 0;
    link.start();
    while (!link.isRunning() || link.quitFlag)
        QThread::msleep(1);
    QThread::msleep(50);

    for (auto _ : state) {
        transferEnded = 0;
        RequestFields request;
        request.setSendPath("1:/robotsys/motion.bin");
        QElapsedTimer clock;
        clock.start();
        link.postFrame(buildRequest(request, FileBegin, Write), SerialPortThread::StartsFileBegin);
        link.startSendJob(local);
        // Done when the robot has stored the whole file and said so.
        while (transferEnded == 0 && clock.elapsed() < 60000)
            QThread::usleep(200);
        const double seconds = clock.nsecsElapsed() * 1e-9;
        state.SetIterationTime(seconds);
        while (link.sendJob)
            QThread::msleep(1);
    }
    const double perSecond = double(content.size()) * double(state.iterations());
    state.counters["file_bytes_per_s"] = benchmark::Counter(perSecond, benchmark::Counter::kIsRate);
    if (baud > 0)
        state.counters["of_line"] =
            benchmark::Counter(double(wireBytes) * double(state.iterations()) / (baud / 10.0), benchmark::Counter::kIsRate);
    QFile stored(dir.path() + QStringLiteral("/drives/1/motion.bin"));
    if (!stored.open(QIODevice::ReadOnly) || stored.readAll() != content)
        state.SkipWithError("the robot stored something else");
    link.quitFlag = 1;
    link.wait();
    robot.terminate();
    robot.waitForFinished(3000);
}
BENCHMARK_CAPTURE(FileTransfer, paced_1500000_baud, 1500000, false)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FileTransfer, unpaced, 0, false)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FileTransfer, bluetooth_paced_9600_baud, 9600, true)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
