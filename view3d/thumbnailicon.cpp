#include "view3d/thumbnailicon.h"

#include <QBuffer>
#include <QCache>
#include <QIconEngine>
#include <QPainter>
#include <QHash>
#include <QPixmap>
#include <atomic>
#include <cstring>
#include <memory>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace thumbnail {

namespace {

const QString kEngineKey = QStringLiteral("gaitforge.thumbnail");

QCache<quint64, QPixmap> &decoded()
{
    static QCache<quint64, QPixmap> cache(kDecodedCached);
    return cache;
}

std::atomic<qint64> liveIcons{0};
std::atomic<qint64> liveBytes{0};

quint64 nextSerial()
{
    static std::atomic<quint64> serial{0};
    return ++serial;
}

// The picture a run of icons is drawn over; its pixels are counted once for
// as long as an icon uses it.
struct Backdrop {
    explicit Backdrop(QImage picture) : image(std::move(picture)) { liveBytes += image.sizeInBytes(); }
    ~Backdrop() { liveBytes -= image.sizeInBytes(); }
    const QImage image;
};
using BackdropRef = std::shared_ptr<const Backdrop>;

// The backdrops in use, by the image's cache key: icons given the same image
// share one copy, which goes with the last of them.
QHash<qint64, std::weak_ptr<const Backdrop>> &backdrops()
{
    static QHash<qint64, std::weak_ptr<const Backdrop>> table;
    return table;
}

BackdropRef shared(const QImage &image)
{
    std::weak_ptr<const Backdrop> &entry = backdrops()[image.cacheKey()];
    BackdropRef backdrop = entry.lock();
    if (!backdrop) {
        QImage pixels = image.convertToFormat(QImage::Format_RGB32);
        pixels.setDevicePixelRatio(1);
        backdrop = std::make_shared<const Backdrop>(pixels);
        entry = backdrop;
    }
    return backdrop;
}

// The smallest rectangle, widened to whole blocks, outside which `a` and `b`
// (same size, 32 bits per pixel) hold the same pixels; empty when they are equal.
QRect differingBlock(const QImage &a, const QImage &b)
{
    int top = -1, bottom = -1, left = a.width(), right = -1;
    for (int y = 0; y < a.height(); ++y) {
        const auto *pa = reinterpret_cast<const quint32 *>(a.constScanLine(y));
        const auto *pb = reinterpret_cast<const quint32 *>(b.constScanLine(y));
        if (std::memcmp(pa, pb, size_t(a.width()) * 4) == 0)
            continue;
        if (top < 0)
            top = y;
        bottom = y;
        int x = 0;
        while (pa[x] == pb[x])
            ++x;
        left = qMin(left, x);
        x = a.width() - 1;
        while (pa[x] == pb[x])
            --x;
        right = qMax(right, x);
    }
    if (top < 0)
        return QRect();
    const int x0 = left / kBlock * kBlock, y0 = top / kBlock * kBlock;
    const int x1 = qMin(a.width(), (right / kBlock + 1) * kBlock);
    const int y1 = qMin(a.height(), (bottom / kBlock + 1) * kBlock);
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

// Every JPEG of one quality starts with the same tables; only the picture's
// size in the frame header (SOF0) differs. Icons keep the bytes from the scan
// on, and the tables are put back in front of them when they are decoded.
struct Layout {
    int frame = -1; // offset of the SOF0 marker
    int scan = -1;  // offset of the SOS marker
};

Layout layoutOf(const QByteArray &jpeg)
{
    Layout at;
    const auto *b = reinterpret_cast<const uchar *>(jpeg.constData());
    int i = 2; // after SOI
    while (i + 4 <= jpeg.size() && b[i] == 0xFF) {
        const uchar marker = b[i + 1];
        if (marker == 0xC0)
            at.frame = i;
        if (marker == 0xDA) {
            at.scan = i;
            break;
        }
        i += 2 + (b[i + 2] << 8 | b[i + 3]);
    }
    return at;
}

// The tables of the first picture compressed, its frame header's offset.
QByteArray &sharedHead()
{
    static QByteArray head;
    return head;
}
int sharedFrame = -1;

// The head of a JPEG of `size` pixels: the shared tables with that size.
QByteArray headFor(QSize size)
{
    QByteArray head = sharedHead();
    head[sharedFrame + 5] = char(size.height() >> 8);
    head[sharedFrame + 6] = char(size.height() & 0xFF);
    head[sharedFrame + 7] = char(size.width() >> 8);
    head[sharedFrame + 8] = char(size.width() & 0xFF);
    return head;
}

// A picture compressed; `headless` says whether its tables were left out
// (they are the shared ones).
QByteArray jpeg(const QImage &picture, bool *headless)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, "JPG", kQuality);
    buffer.close();
    *headless = false;
    const Layout at = layoutOf(bytes);
    if (at.frame < 0 || at.scan < 0 || at.frame + 9 > at.scan)
        return bytes;
    if (sharedHead().isEmpty()) {
        sharedHead() = bytes.left(at.scan);
        sharedFrame = at.frame;
    }
    if (at.scan != sharedHead().size() || at.frame != sharedFrame || bytes.left(at.scan) != headFor(picture.size()))
        return bytes;
    *headless = true;
    return bytes.mid(at.scan);
}

QImage unpacked(const QByteArray &bytes, bool headless, QSize size)
{
    QImage image;
    image.loadFromData(headless ? headFor(size) + bytes : bytes, "JPG");
    return image;
}

class CompactEngine : public QIconEngine
{
public:
    CompactEngine(BackdropRef backdrop, QRect block, QByteArray bytes, bool headless, QSize size)
        : backdrop(std::move(backdrop)), block(block), bytes(std::move(bytes)), headless(headless), size(size),
          serial(nextSerial())
    {
        count();
    }
    ~CompactEngine() override
    {
        --liveIcons;
        liveBytes -= bytes.size();
    }

    // The backdrop with the icon's own block drawn over it, or the whole
    // picture when it has no backdrop.
    QPixmap picture() const
    {
        if (QPixmap *p = decoded().object(serial))
            return *p;
        QImage image;
        if (!backdrop) {
            image = unpacked(bytes, headless, size);
        } else {
            image = backdrop->image.copy();
            if (!bytes.isEmpty()) {
                const QImage part = unpacked(bytes, headless, block.size());
                QPainter painter(&image);
                painter.drawImage(block.topLeft(), part);
            }
        }
        QPixmap p = QPixmap::fromImage(image);
        decoded().insert(serial, new QPixmap(p));
        return p;
    }

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        painter->drawPixmap(rect, pixmap(rect.size(), mode, state));
    }

    QSize actualSize(const QSize &wanted, QIcon::Mode, QIcon::State) override
    {
        if (size.width() <= wanted.width() && size.height() <= wanted.height())
            return size;
        return size.scaled(wanted, Qt::KeepAspectRatio);
    }

    QPixmap pixmap(const QSize &wanted, QIcon::Mode mode, QIcon::State state) override
    {
        const QPixmap p = picture();
        const QSize shown = actualSize(wanted, mode, state);
        if (p.isNull() || p.size() == shown)
            return p;
        return p.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    QIconEngine *clone() const override { return new CompactEngine(*this); }
    QString key() const override { return kEngineKey; }

    void virtual_hook(int id, void *data) override
    {
        switch (id) {
        case QIconEngine::AvailableSizesHook:
            static_cast<QIconEngine::AvailableSizesArgument *>(data)->sizes = {size};
            break;
        case QIconEngine::IsNullHook:
            *static_cast<bool *>(data) = !backdrop && bytes.isEmpty();
            break;
        default:
            QIconEngine::virtual_hook(id, data);
        }
    }

    const BackdropRef backdrop;
    const QRect block;
    const QByteArray bytes;
    const bool headless;
    const QSize size;

private:
    CompactEngine(const CompactEngine &o)
        : QIconEngine(o), backdrop(o.backdrop), block(o.block), bytes(o.bytes), headless(o.headless), size(o.size),
          serial(o.serial)
    {
        count();
    }
    void count()
    {
        ++liveIcons;
        liveBytes += bytes.size();
    }
    const quint64 serial;
};

} // namespace

QIcon compactIcon(const QImage &picture, const QImage &backdrop)
{
    if (picture.isNull())
        return QIcon();
    QImage pixels = picture.convertToFormat(QImage::Format_RGB32);
    pixels.setDevicePixelRatio(1);
    if (!backdrop.isNull() && backdrop.size() == picture.size()) {
        BackdropRef shown = shared(backdrop);
        const QRect block = differingBlock(pixels, shown->image);
        if (block.width() * block.height() <= kWholeShare * pixels.width() * pixels.height()) {
            bool headless = false;
            const QByteArray bytes = block.isEmpty() ? QByteArray() : jpeg(pixels.copy(block), &headless);
            return QIcon(new CompactEngine(std::move(shown), block, bytes, headless, picture.size()));
        }
    }
    bool headless = false;
    const QByteArray bytes = jpeg(pixels, &headless);
    return QIcon(new CompactEngine(nullptr, QRect(), bytes, headless, picture.size()));
}

Stored stored()
{
    return {liveIcons.load(), liveBytes.load()};
}

void releaseFreedMemory()
{
    decoded().clear();
    auto &table = backdrops();
    for (auto it = table.begin(); it != table.end();)
        it = it.value().expired() ? table.erase(it) : std::next(it);
#ifdef __GLIBC__
    // Thousands of pictures of a few kilobytes each lie scattered over the
    // heap: the allocator keeps their pages once they are freed unless told.
    malloc_trim(0);
#endif
}

} // namespace thumbnail
