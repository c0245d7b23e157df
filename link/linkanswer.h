#pragma once
// One answer of the robot as the link thread read it, handed to the window's
// thread by value: the notification number and every value the answer set.
// Nothing here refers to storage the link thread goes on writing.

#include <QByteArray>
#include <QMetaType>
#include <QString>
#include <array>

#include "link/packet.h"

struct LinkAnswer {
    // The servo register type (1..33) for servo answers, 256 + the command
    // code for main board answers.
    int type = 0;
    // Bus address the answer came from.
    int source = 0;
    // Requests the link had written when the answer arrived (see
    // SerialPortThread::framesWritten): the last of them is what it answers.
    qint64 written = 0;
    // Every register value after this answer (signed where the register is).
    std::array<int, packet::kRegisterCount> registers{};
    // 1 success, 2 failure: the last write status the robot reported.
    int writeStatus = 0;
    // This answer is a servo's write status (the acknowledgement of a
    // write), not a value it read.
    bool acknowledgement = false;
    // A Position answer of servo positionServo (2..20); 0: none.
    int positionServo = 0;
    int position = 0;
    int voltage = 0;  // mV
    int current = 0;  // 10 mA
    int ioState = 0;
    // The whole folder list text of a FolderList notification.
    QByteArray folderText;
};

// How a file job ended, told once by the link thread when the job is over.
struct FileJobResult {
    enum Job { Send, Get };
    Job job = Send;
    enum Outcome {
        Done,             // send: every frame acknowledged and ended with TransferEnd;
                          // get: whole, undamaged, checked and written
        Refused,          // send: the robot answered FileBegin with a refusal
        Cancelled,        // the user cancelled the transfer
        LinkClosed,       // the link was closed (disconnect, watchdog, program end)
        LocalReadFailed,  // send: the local file could not be read
        NotAcknowledged,  // send: a frame (or FileBegin) was not acknowledged in time
        Unconfirmed,      // send: no TransferEnd within the time after TransferDone
        RobotStopped,     // get: the robot stopped sending before its TransferEnd
        DamagedFrames,    // get: the frame reader dropped frames during the job
        Mismatch,         // get (verified): the two fetches differ
        NoSuchFile,       // get: the robot sent nothing and does not list the file
        Rejected,         // get: the received file failed the caller's check (detail says why)
        WriteFailed,      // get: the local file could not be written (detail says why)
    };
    Outcome outcome = Done;
    // Send: the robot answered FileBegin with a refusal.
    bool refused = false;
    // The robot's TransferEnd arrived during the job.
    bool transferEnded = false;
    // Send: bytes of the file the robot acknowledged, and the file's size.
    // Get: bytes received (of the first fetch) and 0.
    qint64 bytes = 0;
    qint64 total = 0;
    // Send: the robot accepted FileBegin, so its file under the target name
    // was opened anew (its earlier copy is gone).
    bool robotFileOpened = false;
    // Get: copies of the file fetched and found identical (1: not verified).
    int copies = 0;
    // Get: frames the reader dropped during the job.
    int droppedFrames = 0;
    // The local file of the job.
    QString localPath;
    // Why a check or a write failed, in words.
    QString detail;

    bool ok() const { return outcome == Done; }
};

// What the link thread tells the window, in the order it happened: an answer,
// the progress of a send job (percent), or the end of a file job.
struct LinkEvent {
    // Activity: a running file job heard from the robot (at most a few times a
    // second), which tells the watchdog the robot is alive.
    // Damaged: a frame ended whose length or checksum was wrong; its claimed
    // source is in answer.source.
    enum Kind { Answer, Progress, JobEnded, Activity, Damaged };
    Kind kind = Answer;
    LinkAnswer answer;
    int progress = 0;
    FileJobResult job;
};

Q_DECLARE_METATYPE(LinkAnswer)
Q_DECLARE_METATYPE(FileJobResult)
