#pragma once
// One row of what crossed the link, handed from the link thread to the
// window's thread by value: a frame written or read, or a run of bytes the
// frame reader threw away, with the time and the bytes as on the wire.

#include <QByteArray>
#include <QMetaType>
#include <QVector>
#include <QtGlobal>

#include "link/framereader.h"

struct LinkFrame {
    enum Direction : quint8 { Sent, Received };
    qint64 msSinceEpoch = 0;
    Direction direction = Received;
    // None for a valid frame; otherwise why the bytes were thrown away.
    FrameReader::Discard reason = FrameReader::Discard::None;
    QByteArray wire;
};

Q_DECLARE_METATYPE(LinkFrame)
Q_DECLARE_METATYPE(QVector<LinkFrame>)
