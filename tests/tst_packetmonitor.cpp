// The packet monitor against the virtual robot: every frame written and read
// reaches the monitor, each answer the robot corrupts is one marked row (as
// many as the robot's log counts), the filters, the pause and copying as
// hexadecimal; and how long the window's thread is held while a file streams
// with the monitor open.

#include <QtTest>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <algorithm>

#include "link/framedecoder.h"
#include "link/packetmonitordock.h"
#include "link/packetmonitormodel.h"
#include "link/robotlink.h"
#include "support/processortime.h"
#include "support/robotsimprocess.h"
#include "support/scriptedprompt.h"

using namespace packet;
using Discard = FrameReader::Discard;

namespace {

struct Rows {
    int sent = 0, received = 0, discarded = 0;
};

Rows count(PacketMonitorModel &model)
{
    Rows rows;
    const PacketMonitorModel::Filter kept = model.filter();
    model.setFilter(PacketMonitorModel::Filter());
    for (int r = 0; r < model.rowCount(); ++r) {
        const LinkFrame &f = model.frameAt(r);
        if (f.direction == LinkFrame::Sent)
            ++rows.sent;
        else if (f.reason == Discard::None)
            ++rows.received;
        else
            ++rows.discarded;
    }
    model.setFilter(kept);
    return rows;
}

int logCount(const RobotSimProcess &robot, const QString &text)
{
    QFile f(robot.logPath());
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    return int(f.readAll().count(text.toUtf8()));
}

} // namespace

class TestPacketMonitor : public QObject
{
    Q_OBJECT

    static bool open(RobotLink &link, const RobotSimProcess &robot)
    {
        int status = 99;
        QMetaObject::Connection c = QObject::connect(&link, &RobotLink::openStatusChanged, [&status](int s) { status = s; });
        link.open(robot.port, false);
        const bool ok = QTest::qWaitFor([&] { return status != 99; }, 5000) && status == 1;
        QObject::disconnect(c);
        return ok;
    }

private slots:
    void corruptedAnswersAreMarked()
    {
        RobotSimProcess robot({QStringLiteral("--corrupt-every"), QStringLiteral("10")});
        QVERIFY(robot.ok());
        ScriptedPrompt prompt;
        QMainWindow window;
        QMenu menu;
        RobotLink link(prompt, nullptr);
        PacketMonitorDock dock(link, &menu, &window);
        QCOMPARE(menu.actions().size(), 1);
        window.show();
        dock.show();
        QVERIFY(open(link, robot));

        // 60 reads of the servos in turn: six of their answers are corrupted.
        const int reads = 60;
        for (int i = 0; i < reads; ++i)
            QVERIFY(link.readPosition(2 + i % 17));
        PacketMonitorModel &model = dock.model();
        QVERIFY(QTest::qWaitFor([&] {
            const Rows rows = count(model);
            return rows.received + rows.discarded >= reads && rows.sent >= reads;
        }, 10000));
        QTest::qWait(2 * RobotLink::kMonitorBatchMs);
        const Rows rows = count(model);
        const int corrupted = logCount(robot, QStringLiteral("# corrupted answer"));
        QCOMPARE(corrupted, reads / 10);
        QCOMPARE(rows.discarded, corrupted);
        // Every request was answered once (the link's first keep-alive too).
        QCOMPARE(rows.received + rows.discarded, robot.requests().size());
        QCOMPARE(rows.sent, robot.requests().size());
        QCOMPARE(dock.lostRows(), quint64(0));

        // Each marked row still shows whose answer it was.
        PacketMonitorModel::Filter filter;
        filter.typeName = PacketMonitorModel::kDiscardedType;
        dock.typeBox()->setCurrentIndex(dock.typeBox()->findData(PacketMonitorModel::kDiscardedType));
        QCOMPARE(model.rowCount(), corrupted);
        for (int r = 0; r < model.rowCount(); ++r) {
            const framedecoder::Decoded d = framedecoder::decodeWire(model.frameAt(r).wire);
            QVERIFY(d.framed);
            QCOMPARE(d.typeName, QStringLiteral("Position"));
            QVERIFY(d.source >= 2 && d.source <= 18);
            QVERIFY(model.data(model.index(r, PacketMonitorModel::ChecksumColumn)).toString().startsWith(
                QStringLiteral("discarded: ")));
        }

        // Copy the marked rows; the text decodes to the same bytes.
        dock.table()->selectAll();
        QApplication::clipboard()->clear();
        QTest::keySequence(dock.table(), QKeySequence::Copy);
        QByteArray copied;
        QVERIFY(framedecoder::parseHex(QApplication::clipboard()->text(), &copied));
        QByteArray expected;
        for (int r = 0; r < model.rowCount(); ++r)
            expected += model.frameAt(r).wire;
        QCOMPARE(copied, expected);

        // One servo, one direction.
        dock.typeBox()->setCurrentIndex(0);
        dock.servoBox()->setCurrentIndex(dock.servoBox()->findData(5));
        QCOMPARE(model.rowCount(), 2 * 4);  // servo 5 was read 4 times of 60, and answered each
        dock.directionBox()->setCurrentIndex(dock.directionBox()->findData(int(LinkFrame::Sent)));
        QCOMPARE(model.rowCount(), 4);
        for (int r = 0; r < model.rowCount(); ++r)
            QCOMPARE(model.data(model.index(r, PacketMonitorModel::ToColumn)).toString(), QStringLiteral("servo 5"));

        // Paused, the table stands still while the rows are kept.
        dock.pauseButton()->setChecked(true);
        const int shown = model.rowCount();
        QVERIFY(link.readPosition(5));
        QVERIFY(QTest::qWaitFor([&] { return dock.heldBack() >= 2; }, 5000));
        QCOMPARE(model.rowCount(), shown);
        QVERIFY(dock.statusLabel()->text().contains(QStringLiteral("paused")));
        dock.pauseButton()->setChecked(false);
        QCOMPARE(dock.heldBack(), 0);
        QCOMPARE(model.rowCount(), shown + 1);
        link.close();
        QVERIFY(QTest::qWaitFor([&] { return !link.isRunning(); }, 5000));
    }

    // The window's thread while a file streams with the monitor shown: the
    // longest wait of a 5 ms timer, and every frame of the send in the table.
    void fileStreamDoesNotStall()
    {
        RobotSimProcess robot;
        QVERIFY(robot.ok());
        // 4096 chunks and their answers: about 10,000 frames a second.
        const int kFileSize = 512 * 1024;
        QTemporaryDir work;
        const QString local = work.path() + QStringLiteral("/stream.bin");
        {
            QFile f(local);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QByteArray data(kFileSize, '\0');
            for (int i = 0; i < data.size(); ++i)
                data[i] = char(i % 3 ? 0xAA : i);  // stuffed bytes in every frame
            f.write(data);
        }
        ScriptedPrompt prompt;
        QMainWindow window;
        RobotLink link(prompt, nullptr);
        PacketMonitorDock dock(link, nullptr, &window);
        window.resize(1200, 700);
        window.show();
        dock.show();
        QVERIFY(open(link, robot));
        // The window has shown and the first keep-alive is answered before the clock starts.
        QTest::qWait(100);
        bool ended = false;
        bool ok = false;
        connect(&link, &RobotLink::fileJobEnded, this, [&](const FileJobResult &r) {
            ended = true;
            ok = r.ok();
        });

        // Each gap between two ticks on the wall clock and in the window
        // thread's own processor time (what the window's work took, which a
        // loaded machine does not add to).
        QList<qint64> gaps;
        QList<qint64> cpuGaps;
        QElapsedTimer sinceTick;
        qint64 lastCpuUs = 0;
        QTimer ticker;
        ticker.setTimerType(Qt::PreciseTimer);
        connect(&ticker, &QTimer::timeout, this, [&] {
            gaps << sinceTick.restart();
            const qint64 cpuUs = threadProcessorUs();
            cpuGaps << (cpuUs - lastCpuUs) / 1000;
            lastCpuUs = cpuUs;
        });
        QVERIFY(link.setRobotPath(RobotLink::PathBlock::Send, 0, QStringLiteral("stream.bin")));
        QVERIFY(link.sendFile(local));
        sinceTick.start();
        lastCpuUs = threadProcessorUs();
        ticker.start(5);
        // A plain event loop: the window's thread waits for events as the
        // program's does (qWaitFor would sleep between its looks).
        QEventLoop loop;
        connect(&link, &RobotLink::fileJobEnded, &loop, &QEventLoop::quit);
        QTimer::singleShot(30000, &loop, &QEventLoop::quit);
        loop.exec();
        ticker.stop();
        QVERIFY(ended);
        QVERIFY(ok);
        QTest::qWait(2 * RobotLink::kMonitorBatchMs);

        const int chunks = kFileSize / SerialPortThread::kCableChunk;
        PacketMonitorModel::Filter filter;
        filter.typeName = QStringLiteral("FileData");
        dock.model().setFilter(filter);
        QCOMPARE(dock.model().rowCount(), 2 * chunks);  // each chunk and its answer
        std::sort(gaps.begin(), gaps.end());
        std::sort(cpuGaps.begin(), cpuGaps.end());
        QVERIFY(!gaps.isEmpty());
        qInfo("window thread, 5 ms timer during a %d-frame send: min %lld ms, median %lld ms, max %lld ms (%d ticks); "
              "its processor time between ticks: min %lld ms, median %lld ms, max %lld ms",
              2 * chunks, gaps.first(), gaps[gaps.size() / 2], gaps.last(), int(gaps.size()), cpuGaps.first(),
              cpuGaps[cpuGaps.size() / 2], cpuGaps.last());
        // No turn of the window's loop takes more than 50 ms of its work.
        QVERIFY2(cpuGaps.last() <= 50, qPrintable(QStringLiteral("longest turn %1 ms of processor time").arg(cpuGaps.last())));
        // A view that took rows one at a time, or laid the whole ring out again
        // for each batch, holds the window far longer than this (the figures
        // above are the measurement; the machine's load adds to them).
        QVERIFY2(gaps.last() <= 150, qPrintable(QStringLiteral("longest stall %1 ms").arg(gaps.last())));
        link.close();
        QVERIFY(QTest::qWaitFor([&] { return !link.isRunning(); }, 5000));
    }
};

QTEST_MAIN(TestPacketMonitor)
#include "tst_packetmonitor.moc"
