// Compact thumbnail icons: pictures that share a backdrop keep only the block
// that differs from it, show the same picture when painted, and give all of
// their memory back once the icons are gone.

#include <QtTest>
#include <QPainter>

#include "view3d/thumbnailicon.h"

namespace {

constexpr int kSide = 128;
// What JPEG may change on average in one colour channel of a pixel.
constexpr double kJpegError = 5.0;

// A sky of two gradients with a few rings in it and a chequered floor (the
// shape of the view's pictures), and a "robot" standing at `robotAt` (none
// when null).
QImage picture(QPoint robotAt, QColor sky = QColor(179, 223, 248))
{
    QImage image(kSide, kSide, QImage::Format_ARGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, kSide);
    g.setColorAt(0, sky);
    g.setColorAt(1, QColor(250, 214, 230));
    p.fillRect(image.rect(), g);
    p.setPen(QPen(QColor(160, 150, 240), 2));
    for (int i = 0; i < 6; ++i)
        p.drawEllipse(QPoint(10 + i * 21, 20 + (i * 37) % 60), 8 + i, 8 + i);
    for (int x = 0; x < kSide; x += 16)
        for (int y = 96; y < kSide; y += 16)
            p.fillRect(x, y, 16, 16, ((x + y) / 16) % 2 ? QColor(120, 130, 150) : QColor(150, 160, 180));
    if (robotAt.isNull())
        return image;
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 90, 90));
    p.drawRoundedRect(QRect(robotAt, QSize(30, 40)), 5, 5);
    p.setBrush(QColor(200, 200, 200));
    p.drawEllipse(QRect(robotAt + QPoint(8, 6), QSize(12, 12)));
    return image;
}

QImage shown(const QIcon &icon)
{
    return icon.pixmap(QSize(kSide, kSide)).toImage().convertToFormat(QImage::Format_RGB32);
}

// The largest difference of one colour channel between two pictures, inside
// or outside `block`.
int largestDifference(const QImage &a, const QImage &b, const QRect &block, bool inside)
{
    if (a.size() != b.size())
        return 256;
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (block.contains(x, y) != inside)
                continue;
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            worst = qMax(worst, qMax(qAbs(qRed(p) - qRed(q)),
                                     qMax(qAbs(qGreen(p) - qGreen(q)), qAbs(qBlue(p) - qBlue(q)))));
        }
    return worst;
}

// The mean difference of the colour channels of two pictures.
double meanDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return 256;
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) + qAbs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

class TestThumbnails : public QObject
{
    Q_OBJECT

private slots:
    void picturesShareTheirBackdrop()
    {
        QCOMPARE(thumbnail::stored().icons, qint64(0));
        const QImage sky = picture(QPoint());
        // Without a backdrop the picture is kept whole.
        const QImage first = picture(QPoint(60, 70));
        const QIcon whole = thumbnail::compactIcon(first);
        const qint64 wholeBytes = thumbnail::stored().bytes;
        QVERIFY(!whole.isNull());
        QVERIFY2(wholeBytes > 2000, qPrintable(QString::number(wholeBytes)));
        QVERIFY(meanDifference(shown(whole), first.convertToFormat(QImage::Format_RGB32)) < kJpegError);
        // The JPEG tables every picture shares are kept once, not with each icon.
        QByteArray full;
        QBuffer buffer(&full);
        buffer.open(QIODevice::WriteOnly);
        first.convertToFormat(QImage::Format_RGB32).save(&buffer, "JPG", thumbnail::kQuality);
        const QIcon again = thumbnail::compactIcon(first);
        QVERIFY(thumbnail::stored().bytes - wholeBytes < full.size() - 500);
        QCOMPARE(shown(again), shown(whole));

        // Over a backdrop only the robot's block is kept; the backdrop's
        // pixels are counted once for all of them.
        QList<QIcon> icons;
        for (int i = 0; i < 100; ++i)
            icons << thumbnail::compactIcon(picture(QPoint(40 + i % 50, 70)), sky);
        const qint64 each = (thumbnail::stored().bytes - 2 * wholeBytes - kSide * kSide * 4) / 100;
        QVERIFY2(each > 0 && each < wholeBytes / 2, qPrintable(QString::number(each)));
        const QImage moved = picture(QPoint(66, 74)).convertToFormat(QImage::Format_RGB32);
        const QIcon movedIcon = thumbnail::compactIcon(moved, sky);
        const QRect block(64, 72, 40, 48); // the robot, widened to whole blocks of 8
        QCOMPARE(largestDifference(shown(movedIcon), moved, block, false), 0);
        QVERIFY(meanDifference(shown(movedIcon), moved) < kJpegError);

        // A picture equal to its backdrop keeps no bytes and still shows.
        const qint64 before = thumbnail::stored().bytes;
        const QIcon bare = thumbnail::compactIcon(sky, sky);
        QCOMPARE(thumbnail::stored().bytes, before);
        QVERIFY(!bare.isNull());
        QCOMPARE(shown(bare), sky.convertToFormat(QImage::Format_RGB32));

        // A picture that is not over its backdrop (another sky) is kept whole,
        // and so is one whose backdrop is of another size.
        const QImage dusk = picture(QPoint(60, 70), QColor(240, 160, 90));
        const QIcon duskIcon = thumbnail::compactIcon(dusk, sky);
        QVERIFY(thumbnail::stored().bytes - before > 2000);
        QVERIFY(meanDifference(shown(duskIcon), dusk.convertToFormat(QImage::Format_RGB32)) < kJpegError);
        QVERIFY(meanDifference(shown(thumbnail::compactIcon(first, sky.scaled(64, 64))),
                               first.convertToFormat(QImage::Format_RGB32))
                < kJpegError);

        // A second backdrop is shared by its own icons; the first one's
        // icons still show theirs.
        const QImage duskSky = picture(QPoint(), QColor(240, 160, 90));
        const qint64 beforeDusk = thumbnail::stored().bytes;
        const QIcon duskMoved = thumbnail::compactIcon(picture(QPoint(66, 74), QColor(240, 160, 90)), duskSky);
        QVERIFY(thumbnail::stored().bytes - beforeDusk > kSide * kSide * 4);
        QCOMPARE(largestDifference(shown(duskMoved),
                                   picture(QPoint(66, 74), QColor(240, 160, 90)).convertToFormat(QImage::Format_RGB32),
                                   block, false),
                 0);
        QCOMPARE(largestDifference(shown(movedIcon), moved, block, false), 0);
    }

    void everythingIsGivenBack()
    {
        {
            QList<QIcon> icons;
            for (int i = 0; i < 20; ++i)
                icons << thumbnail::compactIcon(picture(QPoint(40 + i, 70)), picture(QPoint()));
            for (const QIcon &icon : icons)
                shown(icon);
            QCOMPARE(thumbnail::stored().icons, qint64(20));
        }
        thumbnail::releaseFreedMemory();
        QCOMPARE(thumbnail::stored().icons, qint64(0));
        QCOMPARE(thumbnail::stored().bytes, qint64(0));
    }

    void nullPictureGivesNullIcon() { QVERIFY(thumbnail::compactIcon(QImage()).isNull()); }
};

QTEST_MAIN(TestThumbnails)
#include "tst_thumbnails.moc"
