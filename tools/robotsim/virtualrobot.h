#pragma once
// The virtual robot's behaviour: the main board, the servos 2..20 and the LED
// board as the host sees them through the packet protocol. Each request body
// goes in; the answer frames and one readable log line come out. Files live in
// two folders under a root: <root>/0 is drive 0 (the SD card, "0:/robotsys"),
// <root>/1 drive 1 (the flash, "1:/robotsys").

#include <QByteArray>
#include <QDir>
#include <QElapsedTimer>
#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

#include "handmoves.h"
#include <functional>

#include "servothermal.h"

class VirtualRobot
{
public:
    explicit VirtualRobot(const QString &root);

    // Refuse every FileBegin (status 2).
    bool refuseFiles = false;
    // Servos missing from the bus: nothing addressed to them is answered.
    QSet<int> absentServos;
    // Two servos share this address (0: none): both answer every read at
    // once, and their answers collide into garbage on the line.
    int duplicateServo = 0;
    // This servo (0: none) answers from an address outside 2..20 (its own
    // + 100), as a servo whose address was set wrong.
    int strangerServo = 0;
    // The user's hands on released joints.
    HandMoves hands;

    // The time of the next request, in seconds since the robot started:
    // released joints moved by a hand are where the hand has them by then.
    void setTime(double seconds);

    // The time the servos warm and cool by, in milliseconds (a monotonic
    // clock from the robot's start unless given).
    void setClock(std::function<qint64()> clock);
    // A servo that overheats while it holds (see ServoThermal); 0: none.
    void setHotServo(int servo) { thermal.setHotServo(servo); }
    // The battery's voltage at rest when the robot starts.
    void setBatteryMv(int millivolts) { batteryStartMv = millivolts; }

    // Puts a complete factory robotcfg.ini on the flash drive when it has none,
    // as a new robot has.
    void installFactoryConfig();

    struct Result {
        QList<QByteArray> answers;  // whole frames, in order
        QString log;                // one line, without time or newline
        QStringList notes;          // further log lines (a servo held again)
    };
    Result handle(const quint8 *body, int length);

    // Position of servo 2..20, as the robot would report it.
    int position(int servo) const { return registers[servo][22]; }
    // A servo in working mode 1 ("brake stop") or 7 ("stop without brake")
    // is released: it does not drive to its target, and a hand can move it.
    bool released(int servo) const;

private:
    // Brings temperatures, loads and voltages up to now (before each request).
    void updateReadings();
    qint64 nowMs() const { return clock_ ? clock_() : started.elapsed(); }
    int restingBatteryMv() const;

    QByteArray servoAnswer(int servo, int type, const QByteArray &payload) const;
    QByteArray boardAnswer(int kind, int type, const QByteArray &payload) const;
    QByteArray writeStatus(quint16 source, int type, bool ok) const;
    QString localPath(const QByteArray &robotPath, bool *ok) const;
    QString drivePath(int drive) const;
    QList<QByteArray> folderList(const QByteArray &folder) const;
    QList<QByteArray> fileChunks(const QString &path) const;

    Result handleServo(int servo, int kind, int type, const quint8 *payload, int n);
    Result handleBoard(int type, const quint8 *payload, int n);

    QString root;
    // The working mode of servos first..last becomes mode; a servo put back
    // from released into a driving mode is said (notes) and drives to its
    // target.
    void setWorkingMode(int first, int last, int mode, Result *r);
    // What the twin on the duplicate address makes of the answers.
    QByteArray collide(int servo, int kind, int type, const quint8 *payload, int n, const QByteArray &answer);

    int registers[21][34] = {};  // by servo address, by register type
    int target[21] = {};         // where each servo drives (MovePose)
    double time = 0;
    int ioDirections = 0;
    int ioValues = 0;
    quint8 leds[9] = {};
    int keepAlives = 0;
    int batteryStartMv = 7400;
    ServoThermal thermal;
    int thermalStates[21] = {};   // the working state the model reported last
    QElapsedTimer started;
    std::function<qint64()> clock_;

    // File being received.
    bool receiving = false;
    QString receivePath;
    QByteArray receiveData;
};

// Names of request types, for the log.
QString requestName(int kind, int type);
