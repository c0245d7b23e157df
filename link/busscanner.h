#pragma once
// Drives a BusScan over the link: the reads of a pass are queued together
// (the link paces them), each answer is put down to the read last written
// when it came, and the pass ends once the queue is empty and kAnswerWindowMs
// have passed on the link's clock (or every read of the pass was answered).
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

    explicit BusScanner(RobotLink &link, QObject *parent = nullptr);

    // Starts a scan; false when the link is down or a scan runs.
    bool start();
    bool running() const { return running_; }

signals:
    void finished(const QList<BusScan::Entry> &entries);

private:
    void startPass();
    void step();
    void finish();
    // The address of the read last written.
    int lastWritten() const;
    void onRegister(int type, const LinkAnswer &answer);
    void onDamaged(int source);

    RobotLink &link;
    BusScan scan_;
    QTimer timer;
    LinkTimer sinceLeft;
    bool running_ = false;
    bool left = false;
    QList<QPair<int, int>> asked;  // the reads of this pass, in order
    int posted = 0;                // of them, queued
    int answers = 0;               // answers of this pass
};
