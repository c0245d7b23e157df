#include "link/busscanner.h"

#include "link/robotlink.h"
#include "link/serialportthread.h"

BusScanner::BusScanner(RobotLink &link, QObject *parent)
    : QObject(parent), link(link), sinceLeft(link.clock())
{
    timer.setInterval(2);
    connect(&timer, &QTimer::timeout, this, &BusScanner::step);
    connect(&link, &RobotLink::registerAnswered, this, &BusScanner::onRegister);
    connect(&link, &RobotLink::damagedAnswer, this, &BusScanner::onDamaged);
}

bool BusScanner::start()
{
    if (running_ || !link.isRunning())
        return false;
    scan_ = BusScan();
    running_ = true;
    timer.start();
    startPass();
    return true;
}

void BusScanner::startPass()
{
    asked = scan_.nextPass();
    if (asked.isEmpty() || !link.isRunning()) {
        finish();
        return;
    }
    posted = 0;
    answers = 0;
    left = false;
    // The queue is first in, first out: the reads go out as requests
    // before + 1 .. before + posted.
    before = link.requestsWritten() + link.allPendingRequests();
    const int gap = gapMs >= 0 ? gapMs : link.worker().bleMode ? kBleGapMs : kCableGapMs;
    for (const auto &read : asked) {
        if (!link.readRegister(read.first, packet::Type(read.second), gap))
            break;  // the queue is full or the link went down: the rest is not asked
        ++posted;
    }
}

void BusScanner::finish()
{
    running_ = false;
    timer.stop();
    emit finished(scan_.entries());
}

int BusScanner::lastWritten(qint64 written) const
{
    const qint64 index = written - before;
    return index >= 1 && index <= posted ? asked[int(index - 1)].first : 0;
}

void BusScanner::step()
{
    if (!running_)
        return;
    if (!link.isRunning()) {
        finish();
        return;
    }
    if (!left && link.pendingRequests() == 0) {
        left = true;
        sinceLeft.start();
    }
    const int window = link.worker().bleMode ? kBleAnswerWindowMs : kAnswerWindowMs;
    if (left && (answers >= posted || sinceLeft.elapsed() >= window)) {
        scan_.endPass();
        startPass();
    }
}

void BusScanner::onRegister(int type, const LinkAnswer &answer)
{
    if (!running_ || (type != packet::ServoModel && type != packet::Version))
        return;
    ++answers;
    scan_.answered(lastWritten(answer.written), answer.source, type, answer.registers[size_t(type)]);
}

void BusScanner::onDamaged(int source, qint64 written)
{
    if (!running_)
        return;
    ++answers;
    scan_.damaged(lastWritten(written), source);
}
