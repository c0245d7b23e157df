#pragma once
// Compact thumbnail icons. The pictures of one list share their backdrop (the
// floor and the sky do not move, only the robot does), so each icon keeps a
// share of one backdrop picture plus, as JPEG bytes, only the block of its own
// picture that differs from it (a kilobyte or two at 128 pixels instead of
// 64 KB of pixels). Icons are decoded when they are painted; the few decoded
// pictures a list shows at a time stay in a small shared cache.

#include <QIcon>
#include <QImage>

namespace thumbnail {

// JPEG quality of stored thumbnails.
constexpr int kQuality = 90;
// Decoded pictures kept for painting (about one screen of a list).
constexpr int kDecodedCached = 48;
// The differing block is widened to whole blocks of this many pixels.
constexpr int kBlock = 8;
// A picture differing from its backdrop over more than this share of its
// area is kept whole.
constexpr double kWholeShare = 0.6;

// An icon showing `picture`, stored compressed: the block that differs from
// `backdrop` (a picture of the same size the icons share; the same image
// passed again is kept once), or the whole picture when there is no backdrop
// of its size. A null picture gives a null icon.
QIcon compactIcon(const QImage &picture, const QImage &backdrop = QImage());

// The compact icons alive and the bytes they keep for their pictures
// (compressed blocks, plus the pixels of each backdrop still in use, once).
struct Stored {
    qint64 icons = 0;
    qint64 bytes = 0;
};
Stored stored();

// Drops the decoded pictures kept for painting and hands the heap freed by
// icons gone (a list emptied) back to the system.
void releaseFreedMemory();

} // namespace thumbnail
