#pragma once
// How long the link takes to download a motion's frames to the robot for a
// playback with the robot: one DebugFrame request per frame, each on the line
// for its bytes at the line's rate (ten bits a byte), then the download gap
// the link thread keeps before the next (RobotLink's kDownloadGapCableMs or
// kDownloadGapBleMs; the link starts the gap once a frame is written).

#include <QVector>
#include <QtGlobal>

#include <array>

namespace downloadtime {

using Row = std::array<int, 46>;

// Milliseconds the frames' requests take to go out (the summary and the run
// command that follow them are left out: they do not depend on the frames).
double framesMs(const QVector<Row> &rows, qint32 baud, int gapMs);

} // namespace downloadtime
