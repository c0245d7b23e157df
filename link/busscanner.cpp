#include "link/busscanner.h"

#include "link/robotlink.h"

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
    for (const auto &read : asked) {
        if (!link.readRegister(read.first, packet::Type(read.second)))
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

int BusScanner::lastWritten() const
{
    const int written = posted - link.pendingRequests();
    return written >= 1 && written <= asked.size() ? asked[written - 1].first : 0;
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
    if (left && (answers >= posted || sinceLeft.elapsed() >= kAnswerWindowMs)) {
        scan_.endPass();
        startPass();
    }
}

void BusScanner::onRegister(int type, const LinkAnswer &answer)
{
    if (!running_ || (type != packet::ServoModel && type != packet::Version))
        return;
    ++answers;
    scan_.answered(lastWritten(), answer.source, type, answer.registers[size_t(type)]);
}

void BusScanner::onDamaged(int source)
{
    if (!running_)
        return;
    ++answers;
    scan_.damaged(lastWritten(), source);
}
