#include "link/livesweeper.h"

#include <algorithm>

#include "link/robotlink.h"

using namespace packet;

static_assert(LiveSweeper::kReadGapMs > RobotLink::kPoseGapMs && LiveSweeper::kReadGapMs < RobotLink::kRequestGapMs,
              "the sweep's reads are paced between the joint edits' gap and the link's rule");

LiveSweeper::LiveSweeper(RobotLink &link, QObject *parent)
    : QObject(parent), link(link), sinceWatch(link.clock())
{
    timer.setInterval(10);
    connect(&timer, &QTimer::timeout, this, &LiveSweeper::step);
    connect(&link, &RobotLink::registerAnswered, this, &LiveSweeper::onAnswer);
    connect(&link, &RobotLink::powerReading, this, &LiveSweeper::onPower);
    connect(&link, &RobotLink::openStatusChanged, this, &LiveSweeper::onOpenStatus);
}

void LiveSweeper::setOn(bool turnOn)
{
    if (on == turnOn)
        return;
    on = turnOn;
    if (on) {
        // The timer runs only while the link does (see onOpenStatus).
        if (link.isRunning())
            timer.start();
        step();
    } else {
        timer.stop();
        // What is still out is answered to nobody; the next watch asks afresh
        // (the limits stay for the connection).
        outstanding.clear();
        plan.clear();
        phase = present.isEmpty() ? Phase::Idle : Phase::Resting;
        nextSweepMs = 0;
    }
}

void LiveSweeper::setRate(double hz)
{
    rateHz = qBound(kMinRateHz, hz, kMaxRateHz);
}

qint64 LiveSweeper::watchMs() const
{
    return watchStarted ? sinceWatch.elapsed() : 0;
}

int LiveSweeper::answerWaitMs() const
{
    return link.worker().bleMode ? kAnswerWaitBleMs : kAnswerWaitCableMs;
}

bool LiveSweeper::linkReady() const
{
    return link.isRunning() && link.greeted() && !link.worker().quitFlag;
}

void LiveSweeper::onOpenStatus(int status)
{
    if (status == 1) {
        if (on)
            timer.start();
        return;
    }
    timer.stop();
    forget();
}

void LiveSweeper::forget()
{
    const bool known = phase != Phase::Idle || !limits_.isEmpty();
    phase = Phase::Idle;
    plan.clear();
    outstanding.clear();
    seenPageRequests = -1;
    present.clear();
    limits_.clear();
    states.clear();
    lastReadings.clear();
    watchStarted = false;
    if (known)
        emit connectionEnded();
}

void LiveSweeper::step()
{
    if (!on)
        return;
    if (!linkReady()) {
        if (!link.isRunning())
            forget();
        return;
    }
    const qint64 now = link.clock().nowMs();
    if (updateHold(now) != Hold::None) {
        // The sweep under way would straddle the other work: it is dropped.
        if (phase == Phase::Sweeping) {
            phase = Phase::Resting;
            nextSweepMs = 0;
        }
        if (phase == Phase::Probing)
            phase = Phase::Idle;
        outstanding.clear();
        return;
    }
    // Answers that did not come in time: those servos are left out (a limit
    // is asked again, at the end of the probe, before its servo is).
    const int wait = answerWaitMs();
    outstanding.erase(std::remove_if(outstanding.begin(), outstanding.end(),
                                     [&](const Outstanding &o) {
                                         if (now - o.postedMs < wait)
                                             return false;
                                         if (phase == Phase::Probing && o.kind == Kind::Limit
                                             && ++limitAsks[o.servo] < kLimitAsks)
                                             plan.push_back({Kind::Limit, o.servo});
                                         return true;
                                     }),
                      outstanding.end());
    switch (phase) {
    case Phase::Idle:
        startProbe();
        break;
    case Phase::Resting:
        if (present.isEmpty()) {
            // No servo answered: asked again every few seconds.
            if (now < nextSweepMs)
                return;
            startProbe();
            break;
        }
        // A sweep starts on a free line: its first request leaves as it
        // starts, so its time is the line's (the gap after the last answer
        // has passed).
        if ((!watchStarted || now >= nextSweepMs) && now - lastAnswerMs >= kReadGapMs)
            startSweep();
        else
            return;
        break;
    case Phase::Probing:
    case Phase::Sweeping:
        break;
    }
    advance();
}

LiveSweeper::Hold LiveSweeper::updateHold(qint64 now)
{
    const qint64 pages = link.pageRequestsPosted();
    if (seenPageRequests < 0) {
        // The first look of a connection rests firstRestMs: the user's first
        // commands after connecting go out alone.
        seenPageRequests = pages;
        lastPageMs = now - kQuietMs + firstRestMs;
    } else if (pages != seenPageRequests) {
        seenPageRequests = pages;
        lastPageMs = now;
    }
    const bool transfer = link.jobRunning() || link.downloading();
    // The line is quiet from the end of a transfer too.
    if (transfer)
        lastPageMs = now;
    const Hold hold = transfer                      ? Hold::Transfer
                      : now - lastPageMs < kQuietMs ? Hold::Pages
                                                    : Hold::None;
    if (hold != hold_) {
        hold_ = hold;
        emit pausedChanged(hold != Hold::None);
    }
    return hold;
}

void LiveSweeper::startProbe()
{
    phase = Phase::Probing;
    plan.clear();
    outstanding.clear();
    for (int servo = 2; servo <= 20; ++servo)
        plan.push_back({Kind::Limit, servo});
    at = 0;
    limitAsks.clear();
}

void LiveSweeper::startSweep()
{
    if (!watchStarted) {
        watchStarted = true;
        sinceWatch.start();
    }
    phase = Phase::Sweeping;
    plan.clear();
    outstanding.clear();
    plan.push_back({Kind::Battery, 0});
    for (int servo : present)
        plan.push_back({Kind::Current, servo});
    // Servos that reported a fault, or ran near their limit, are asked every
    // sweep (so a fault, and its end, shows within one); one more in turn.
    for (int servo : present) {
        const int limit = limits_.value(servo, 0);
        const auto last = lastReadings.find(servo);
        if (states.value(servo, 0) != 0
            || (limit > 0 && last != lastReadings.end() && last->temperature >= limit - kStateWatchBandC))
            plan.push_back({Kind::State, servo});
    }
    if (!present.isEmpty()) {
        const int turn = present[rotation % present.size()];
        rotation = (rotation + 1) % present.size();
        checkState(turn);
    }
    at = 0;
    current = live::Sweep();
    current.timeMs = sinceWatch.elapsed();
    sweepStartMs = link.clock().nowMs();
    lastAnswerMs = sweepStartMs;
    nextSweepMs = sweepStartMs + qint64(1000.0 / rateHz);
}

void LiveSweeper::checkState(int servo)
{
    for (const Request &r : plan)
        if (r.kind == Kind::State && r.servo == servo)
            return;
    plan.push_back({Kind::State, servo});
}

void LiveSweeper::advance()
{
    if (phase != Phase::Probing && phase != Phase::Sweeping)
        return;
    while (at < plan.size()) {
        // At most kQueued requests wait in the send queue (the user's among
        // them): the link thread finds the next one ready when the gap after
        // the last has passed, and a user's request waits behind few.
        if (link.allPendingRequests() >= kQueued)
            return;
        // Someone else began to use the line: the next step drops the sweep.
        if (updateHold(link.clock().nowMs()) != Hold::None)
            return;
        // Not queued (the link went down or the queue is full): left out.
        post(plan[at++]);
    }
    if (outstanding.isEmpty())
        finishPlan();
}

bool LiveSweeper::post(const Request &request)
{
    bool posted = false;
    switch (request.kind) {
    case Kind::Limit: posted = link.readRegisterUnlogged(request.servo, MaximumTemperature, kReadGapMs); break;
    case Kind::Current: posted = link.readRegisterUnlogged(request.servo, AllCurrentData, kReadGapMs); break;
    case Kind::State: posted = link.readRegisterUnlogged(request.servo, WorkingState, kReadGapMs); break;
    case Kind::Battery: posted = link.keepAlive(); break;
    }
    if (posted)
        outstanding.push_back({request.kind, request.servo, link.clock().nowMs()});
    return posted;
}

void LiveSweeper::finishPlan()
{
    if (phase == Phase::Probing) {
        present.clear();
        for (int servo = 2; servo <= 20; ++servo)
            if (limits_.contains(servo))
                present << servo;
        phase = Phase::Resting;
        nextSweepMs = present.isEmpty() ? link.clock().nowMs() + kProbeAgainMs : 0;
        emit limitsRead(limits_);
        return;
    }
    if (phase != Phase::Sweeping)
        return;
    phase = Phase::Resting;
    std::sort(current.servos.begin(), current.servos.end(),
              [](const live::ServoReading &a, const live::ServoReading &b) { return a.servo < b.servo; });
    // The WorkingState read in this sweep (or before) goes with each reading.
    for (live::ServoReading &r : current.servos) {
        r.workingState = states.value(r.servo, -1);
        lastReadings[r.servo] = r;
    }
    current.durationMs = lastAnswerMs - sweepStartMs;
    ++sweeps;
    emit sweepDone(current);
}

void LiveSweeper::onAnswer(int type, const LinkAnswer &answer)
{
    const int servo = answer.source;
    // Limits read by anyone (the servo panel too) are kept.
    if (type == MaximumTemperature && servo >= 2 && servo <= 20 && phase != Phase::Idle)
        limits_[servo] = answer.registers[MaximumTemperature];
    const Kind kind = type == MaximumTemperature ? Kind::Limit
                      : type == AllCurrentData   ? Kind::Current
                      : type == WorkingState     ? Kind::State
                                                 : Kind::Battery;
    if (kind == Kind::Battery)
        return;
    const auto it = std::find_if(outstanding.begin(), outstanding.end(),
                                 [&](const Outstanding &o) { return o.kind == kind && o.servo == servo; });
    if (it == outstanding.end())
        return;
    outstanding.erase(it);
    if (kind == Kind::Current) {
        live::ServoReading r;
        r.servo = servo;
        r.position = answer.registers[Position];
        r.speed = answer.registers[CurrentSpeed];
        r.torque = answer.registers[CurrentTorque];
        r.voltage = answer.registers[CurrentVoltage];
        r.temperature = answer.registers[CurrentTemperature];
        current.servos.push_back(r);
        // A servo that comes near its limit has its state read in this sweep.
        const int limit = limits_.value(servo, 0);
        if (limit > 0 && r.temperature >= limit - kStateWatchBandC)
            checkState(servo);
    } else if (kind == Kind::State) {
        states[servo] = answer.registers[WorkingState];
    }
    lastAnswerMs = link.clock().nowMs();
    advance();
}

void LiveSweeper::onPower(int millivolts)
{
    const auto it = std::find_if(outstanding.begin(), outstanding.end(),
                                 [](const Outstanding &o) { return o.kind == Kind::Battery; });
    if (it == outstanding.end())
        return;
    outstanding.erase(it);
    current.batteryMv = millivolts;
    lastAnswerMs = link.clock().nowMs();
    advance();
}
