#pragma once
// The live readings' sweeps over the link: once per connection it reads the
// MaximumTemperature of servos 2..20 (those that answer are the servos
// present), then, at the rate chosen, sweeps: the battery (a keep-alive,
// answered with a PowerReading), AllCurrentData of every servo present, and
// the WorkingState of the servos that need a look (a fault reported before,
// a temperature near the limit, and one more servo in turn each sweep).
//
// The sweep keeps at most one request waiting in the send queue, and only
// when nothing else waits there: a page's request waits behind one sweep read
// at most, while the link thread finds the next read ready when its gap has
// passed. The link thread spaces the reads 25 ms apart (kReadGapMs): closer
// than the 30 ms most requests keep, farther than a joint edit's 10 ms, so a
// sweep of 17 servos (19 requests or so) fits in 600 ms with room to spare on
// a busy computer, and over Bluetooth's 9600 baud the line itself, not the
// gap, sets the pace. Answers are matched by servo and type;
// one that has not come within its wait leaves that servo out of the sweep.
// The sweep gives the line away: while a file job or a motion download holds
// it, and for kQuietMs after that and after any request of a page (a pose edit, a bus scan,
// the reads of posing by hand, the joint reads), the sweep under way is
// dropped and a new one starts when the line is free again. The first probe
// also waits kQuietMs after the robot first answered, so a user's first
// commands go out alone. Reads leave no line in the communication log (they
// would drown it).
//
// Its own 10 ms timer drives it while it is on; waits are measured on the
// link's clock, so a test skips them.

#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVector>

#include "link/linkanswer.h"
#include "link/linkclock.h"
#include "link/livereadings.h"

class RobotLink;

class LiveSweeper : public QObject
{
    Q_OBJECT

public:
    static constexpr double kDefaultRateHz = 2.0;
    static constexpr double kMinRateHz = 0.1;
    static constexpr double kMaxRateHz = 10.0;
    // How long an answer may take before its servo counts as silent in this
    // sweep: the request's gap, the line both ways and the robot's turn.
    // (Generous: a window busy for a moment must not cost a reading.)
    static constexpr int kAnswerWaitCableMs = 300;
    static constexpr int kAnswerWaitBleMs = 600;
    // The WorkingState of a servo this close to its limit is read every sweep.
    static constexpr int kStateWatchBandC = 15;
    // When no servo answered, they are asked again after this long.
    static constexpr int kProbeAgainMs = 5000;
    // A servo whose limit has not come in time is asked again, twice, before it
    // counts as absent: one lost answer must not leave it unwatched.
    static constexpr int kLimitAsks = 3;
    // The gap before each read (see above).
    static constexpr int kReadGapMs = 25;
    // Requests the sweep lets wait in the send queue at once (and only when
    // nothing else waits there).
    static constexpr int kQueued = 1;
    // How long the line must have carried no page's request before a sweep
    // starts.
    static constexpr int kQuietMs = 1000;

    explicit LiveSweeper(RobotLink &link, QObject *parent = nullptr);

    // On: sweeps while the link is up and the robot has answered.
    void setOn(bool on);
    bool isOn() const { return on; }
    void setRate(double hz);
    // How long the sweep keeps off the line after the robot first answered
    // (kQuietMs unless set): a program that only watches needs no rest.
    void setFirstRest(int ms) { firstRestMs = ms; }
    double rate() const { return rateHz; }

    // Why the sweep waits: a file job or a motion download holds the line,
    // or a page's requests used it within kQuietMs.
    enum class Hold { None, Transfer, Pages };
    bool paused() const { return hold_ != Hold::None; }
    Hold hold() const { return hold_; }
    // Servos that answered their MaximumTemperature, and those limits.
    const QVector<int> &servos() const { return present; }
    const QHash<int, int> &limits() const { return limits_; }
    int sweepsDone() const { return sweeps; }
    // Milliseconds on the link's clock since the first sweep of the watch.
    qint64 watchMs() const;

    // One look at the link (the timer's step; tests may call it).
    void step();

signals:
    // The limits of the servos present were read (once per connection).
    void limitsRead(const QHash<int, int> &limits);
    void sweepDone(const live::Sweep &sweep);
    void pausedChanged(bool paused);
    // The link closed: levels and limits start anew with the next connection.
    void connectionEnded();

private:
    enum class Kind { Limit, Current, State, Battery };
    struct Request {
        Kind kind;
        int servo;
    };
    void onAnswer(int type, const LinkAnswer &answer);
    void onPower(int millivolts);
    void onOpenStatus(int status);
    void forget();
    bool linkReady() const;
    // Looks at what else uses the line; tells pausedChanged when that changes.
    Hold updateHold(qint64 now);
    void startProbe();
    void startSweep();
    void finishPlan();
    // Queues the next request of the plan when the send queue is empty; ends
    // the plan when everything is answered or given up.
    void advance();
    bool post(const Request &request);
    // Asks for the WorkingState of servo in this sweep, once.
    void checkState(int servo);
    int answerWaitMs() const;

    RobotLink &link;
    QTimer timer;
    bool on = false;
    double rateHz = kDefaultRateHz;
    Hold hold_ = Hold::None;
    // The page requests counted at the last look (-1: none yet this
    // connection) and when that count last changed.
    qint64 seenPageRequests = -1;
    qint64 lastPageMs = 0;
    int firstRestMs = kQuietMs;

    enum class Phase { Idle, Probing, Sweeping, Resting };
    Phase phase = Phase::Idle;
    QVector<Request> plan;
    int at = 0;
    struct Outstanding {
        Kind kind;
        int servo;
        qint64 postedMs;
    };
    QVector<Outstanding> outstanding;
    // How often each servo's limit was asked in this probe.
    QHash<int, int> limitAsks;
    LinkTimer sinceWatch;
    bool watchStarted = false;
    qint64 sweepStartMs = 0;
    qint64 lastAnswerMs = 0;
    qint64 nextSweepMs = 0;
    int rotation = 0;

    QVector<int> present;
    QHash<int, int> limits_;
    QHash<int, int> states;        // last WorkingState read, by servo
    QHash<int, live::ServoReading> lastReadings;
    live::Sweep current;
    int sweeps = 0;
};
