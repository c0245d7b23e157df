#pragma once
// One answer of the robot as the link thread read it, handed to the window's
// thread by value: the notification number and every value the answer set.
// Nothing here refers to storage the link thread goes on writing.

#include <QByteArray>
#include <QMetaType>
#include <array>

#include "link/packet.h"

struct LinkAnswer {
    // The servo register type (1..33) for servo answers, 256 + the command
    // code for main board answers.
    int type = 0;
    // Bus address the answer came from.
    int source = 0;
    // Every register value after this answer (signed where the register is).
    std::array<int, packet::kRegisterCount> registers{};
    // 1 success, 2 failure: the last write status the robot reported.
    int writeStatus = 0;
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
    // Send: the robot answered FileBegin with a refusal.
    bool refused = false;
    // The robot's TransferEnd arrived during the job.
    bool transferEnded = false;
};

// What the link thread tells the window, in the order it happened: an answer,
// the progress of a send job (percent), or the end of a file job.
struct LinkEvent {
    enum Kind { Answer, Progress, JobEnded };
    Kind kind = Answer;
    LinkAnswer answer;
    int progress = 0;
    FileJobResult job;
};

Q_DECLARE_METATYPE(LinkAnswer)
Q_DECLARE_METATYPE(FileJobResult)
