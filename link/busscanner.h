#pragma once
// Drives a BusScan over the link: the reads of a pass are queued together,
// kCableGapMs apart (a read and its answer take well under a millisecond on
// the cable; the Bluetooth bridge's slow line needs kBleGapMs), each answer is
// put down to the read the link had written last when it arrived, and the
// pass ends once every read has left and its answer had kAnswerWindowMs on
// the link's clock (or every read of the pass was answered).
// Nothing blocks: the steps run from the link's signals and a short timer.

#include <QList>
#include <QObject>
#include <QPair>
#include <QTimer>

#include "link/busscan.h"
#include "link/linkclock.h"

class RobotLink;
struct LinkAnswer;

class BusScanner : public QObject
{
    Q_OBJECT

public:
    // How long an answer may take once the last request of a pass has left.
    static constexpr int kAnswerWindowMs = 30;
    static constexpr int kBleAnswerWindowMs = 100;
    static constexpr int kCableGapMs = 15;
    static constexpr int kBleGapMs = 60;

    explicit BusScanner(RobotLink &link, QObject *parent = nullptr);

    // Starts a scan; false when the link is down or a scan runs.
    bool start();
    bool running() const { return running_; }
    // The least gap between the reads of a pass (ms); negative: the line's
    // own (kCableGapMs or kBleGapMs). A robot on a fast line that answers at
    // once can be scanned closer.
    void setGapMs(int ms) { gapMs = ms; }

signals:
    void finished(const QList<BusScan::Entry> &entries);

private:
    void startPass();
    void step();
    void finish();
    // The address of the read last written when written requests had gone out.
    int lastWritten(qint64 written) const;
    void onRegister(int type, const LinkAnswer &answer);
    void onDamaged(int source, qint64 written);

    RobotLink &link;
    BusScan scan_;
    QTimer timer;
    LinkTimer sinceLeft;
    bool running_ = false;
    bool left = false;
    QList<QPair<int, int>> asked;  // the reads of this pass, in order
    int posted = 0;                // of them, queued
    qint64 before = 0;             // requests written or queued before the first of them
    int answers = 0;               // answers of this pass
    int gapMs = -1;
};
