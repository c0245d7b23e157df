#pragma once
// Turns the robot's answer frames into stored values and a notification
// number: the servo register type (1..33) for servo answers, 256 + the command
// code for mainboard data, 0 when nothing is to be told.
//
// The parser runs on the link thread; the window reads the fields after the
// notification. Every field both sides touch is atomic; the folder text is
// guarded by its own lock.

#include <QByteArray>
#include <mutex>
#include <atomic>

#include "link/packet.h"

class AnswerParser
{
public:
    // Capacity of the folder text: the text itself, plus room for the NUL
    // placed after it.
    static constexpr int kFolderTextCapacity = 65536;

    AnswerParser();

    // Applies one valid body (from FrameReader). getJobActive routes FileData
    // payloads into the received-file queue. Returns the notification or 0.
    int apply(const quint8 *body, int length, bool getJobActive);

    // Register values by type, signed where the register is signed.
    std::atomic<int> registers[packet::kRegisterCount];
    // Positions by servo address 2..20 (0: no answer since the last take) and
    // the flag telling that one arrived.
    std::atomic<int> positions[21];
    std::atomic<int> positionsUpdated{0};
    std::atomic<int> writeStatus{0};        // 1 success, 2 failure
    std::atomic<int> fileBeginStatus{0};    // 0 none, 1 accepted, 2 refused
    std::atomic<int> chunkAcknowledged{0};
    std::atomic<int> chunkAcks{0};          // acknowledgements counted, for pacing a send job
    std::atomic<int> transferEnd1{0};       // waited for by the get job
    std::atomic<int> transferEnd2{0};       // waited for by the send job
    std::atomic<int> voltage{0};
    std::atomic<int> current{0};
    std::atomic<int> ioState{0};
    std::atomic<int> firstPartExpected{0};  // set whenever ListFolder is posted

    int lastPosition() const { return registers[packet::Position]; }

    // Received-file queue (link thread only): FileData payloads of a get job.
    QByteArray receivedFile;

    // The folder text received so far (at most the announced total).
    QByteArray folderText() const;
    int folderTotal() const;
    int folderReceived() const;
    // Zeroes the first count bytes of the folder text, so it is not shown twice.
    void clearFolderText(int count);

private:
    int applyServo(const quint8 *body, int length);
    int applyMainboard(const quint8 *body, int length, bool getJobActive);
    int applyFolderPart(const quint8 *payload, int length);
    void storeRegister(int type, int word);

    mutable std::mutex folderLock;
    QByteArray folder;          // kFolderTextCapacity + 1 bytes, always NUL-terminated
    int folderTotal_ = 0;
    int folderReceived_ = 0;
    bool folderComplete = true;
};
