#include "view3d/thumbnailicon.h"

#include <QBuffer>
#include <QCache>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <atomic>

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

class CompactEngine : public QIconEngine
{
public:
    CompactEngine(QByteArray bytes, QSize size) : bytes(std::move(bytes)), size(size), serial(nextSerial())
    {
        count();
    }
    ~CompactEngine() override
    {
        --liveIcons;
        liveBytes -= bytes.size();
    }

    QPixmap picture() const
    {
        if (QPixmap *p = decoded().object(serial))
            return *p;
        QPixmap p;
        p.loadFromData(bytes, "JPG");
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
            *static_cast<bool *>(data) = bytes.isEmpty();
            break;
        default:
            QIconEngine::virtual_hook(id, data);
        }
    }

    const QByteArray bytes;
    const QSize size;

private:
    CompactEngine(const CompactEngine &o) : QIconEngine(o), bytes(o.bytes), size(o.size), serial(o.serial) { count(); }
    void count()
    {
        ++liveIcons;
        liveBytes += bytes.size();
    }
    const quint64 serial;
};

} // namespace

QIcon compactIcon(const QImage &picture)
{
    if (picture.isNull())
        return QIcon();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", kQuality);
    buffer.close();
    return QIcon(new CompactEngine(bytes, picture.size()));
}

Stored stored()
{
    return {liveIcons.load(), liveBytes.load()};
}

void releaseFreedMemory()
{
    decoded().clear();
#ifdef __GLIBC__
    // Thousands of pictures of a few kilobytes each lie scattered over the
    // heap: the allocator keeps their pages once they are freed unless told.
    malloc_trim(0);
#endif
}

} // namespace thumbnail
