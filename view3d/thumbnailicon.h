#pragma once
// Compact thumbnail icons: a picture kept as JPEG bytes (a few kilobytes at
// 128 pixels instead of 64 KB of pixels), decoded when it is painted. The
// few decoded pictures a list shows at a time stay in a small shared cache.

#include <QIcon>
#include <QImage>

namespace thumbnail {

// JPEG quality of stored thumbnails.
constexpr int kQuality = 90;
// Decoded pictures kept for painting (about one screen of a list).
constexpr int kDecodedCached = 48;

// An icon showing `picture`, stored compressed. A null picture gives a null icon.
QIcon compactIcon(const QImage &picture);

// The compact icons alive and the bytes they keep for their pictures.
struct Stored {
    qint64 icons = 0;
    qint64 bytes = 0;
};
Stored stored();

// Drops the decoded pictures kept for painting and hands the heap freed by
// icons gone (a list emptied) back to the system.
void releaseFreedMemory();

} // namespace thumbnail
