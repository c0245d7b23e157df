// remote_pictures: draws the pictures of the radio remote used on the "remote setting" page.
//
//   remote_pictures OUTPUT_DIR [--geometry]
//
// Writes remote_f.png (the remote seen from the front), remote_c.png (seen from its top edge)
// and, for each of the 24 keys, STEM_r.png (released) and STEM_s.png (selected). Each key image
// has exactly the size of the push button laid over the picture; with --geometry the program
// also prints one line per key: "object-name picture x y width height", the button geometry
// inside its picture.
//
// Every key is drawn by one function, so a released key image matches the key drawn on the
// remote pixel for pixel and the button blends into the picture until it is selected.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>
#include <QTextStream>
#include <QVector>
#include <cmath>

namespace {

// Palette
const QColor kSlate(0x2B, 0x33, 0x40);
const QColor kSlateLight(0x3A, 0x44, 0x54);   // wells and plates, a step lighter than the body
const QColor kBlue(0x2D, 0x7F, 0xF9);
const QColor kLightBlue(0xA9, 0xCB, 0xFF);
const QColor kOrange(0xFF, 0x8A, 0x00);
const QColor kGreen(0x22, 0xA0, 0x6B);
const QColor kRed(0xE5, 0x48, 0x4D);
const QColor kLightGrey(0xE9, 0xED, 0xF2);
const QColor kMidGrey(0x9A, 0xA4, 0xB2);
const QColor kWhite(0xFF, 0xFF, 0xFF);

const int kFrontWidth = 480, kFrontHeight = 280;
const int kTopWidth = 480, kTopHeight = 120;
const qreal kPad = 6.0;   // room around a key for the glow of its selected image

enum class Shape { FaceKey, PadArm, Pill, Knob, StickArrow, Bumper, Trigger };
enum class Dir { None, Up, Down, Left, Right };
enum class Picture { Front, Top };

struct Key {
    QString stem;            // image file stem
    QString objectName;      // push button over the key
    Picture picture;
    Shape shape;
    Dir dir;
    QRectF rect;             // the key itself, in picture coordinates
    QString text;            // letter or name drawn on the key
    QColor textColor;        // colour of the text when released
};

QRectF centred(qreal cx, qreal cy, qreal w, qreal h) { return QRectF(cx - w / 2, cy - h / 2, w, h); }

// Layout of the front picture
const QPointF kPadCentre(110, 90);     // direction pad
const QPointF kFaceCentre(370, 90);    // Y X B A
const QPointF kStickA(180, 160);       // rock A, left
const QPointF kStickB(300, 160);       // rock B, right
const qreal kArmW = 26, kArmL = 28, kHalf = 13;
const qreal kWellR = 44, kKnobR = 16, kArrowDist = 30;
const qreal kFaceR = 15, kFaceDist = 34;

// The five keys of one stick: the middle key, then up, right, left, down
QVector<Key> stickKeys(const QString &side, QPointF c)
{
    QVector<Key> k;
    auto obj = [&](const char *suffix) { return QStringLiteral("pushButtonRock") + side.toUpper() + QLatin1String(suffix); };
    auto stem = [&](const char *suffix) { return QStringLiteral("rock") + side.toLower() + '_' + QLatin1String(suffix); };
    k.push_back({stem("md"), obj("MD"), Picture::Front, Shape::Knob, Dir::None,
                 centred(c.x(), c.y(), 2 * kKnobR, 2 * kKnobR), QString(), kSlate});
    k.push_back({stem("up"), obj("UP"), Picture::Front, Shape::StickArrow, Dir::Up,
                 centred(c.x(), c.y() - kArrowDist, 20, 12), QString(), kSlate});
    k.push_back({stem("right"), obj("RIGHT"), Picture::Front, Shape::StickArrow, Dir::Right,
                 centred(c.x() + kArrowDist, c.y(), 12, 20), QString(), kSlate});
    k.push_back({stem("left"), obj("LEFT"), Picture::Front, Shape::StickArrow, Dir::Left,
                 centred(c.x() - kArrowDist, c.y(), 12, 20), QString(), kSlate});
    k.push_back({stem("down"), obj("DOWN"), Picture::Front, Shape::StickArrow, Dir::Down,
                 centred(c.x(), c.y() + kArrowDist, 20, 12), QString(), kSlate});
    return k;
}

QVector<Key> allKeys()
{
    const qreal px = kPadCentre.x(), py = kPadCentre.y();
    const qreal fx = kFaceCentre.x(), fy = kFaceCentre.y();
    QVector<Key> k = {
        {"y", "pushButtonY", Picture::Front, Shape::FaceKey, Dir::None,
         centred(fx, fy - kFaceDist, 2 * kFaceR, 2 * kFaceR), "Y", kOrange},
        {"x", "pushButtonX", Picture::Front, Shape::FaceKey, Dir::None,
         centred(fx - kFaceDist, fy, 2 * kFaceR, 2 * kFaceR), "X", kBlue},
        {"b", "pushButtonB", Picture::Front, Shape::FaceKey, Dir::None,
         centred(fx + kFaceDist, fy, 2 * kFaceR, 2 * kFaceR), "B", kRed},
        {"a", "pushButtonA", Picture::Front, Shape::FaceKey, Dir::None,
         centred(fx, fy + kFaceDist, 2 * kFaceR, 2 * kFaceR), "A", kGreen},
        {"start", "pushButtonStart", Picture::Front, Shape::Pill, Dir::Right,
         centred(274, 84, 34, 16), QString(), kSlate},
        {"back", "pushButtonBack", Picture::Front, Shape::Pill, Dir::Left,
         centred(206, 84, 34, 16), QString(), kSlate},
        {"up", "pushButtonUP", Picture::Front, Shape::PadArm, Dir::Up,
         QRectF(px - kHalf, py - kHalf - kArmL, kArmW, kArmL), QString(), kSlate},
        {"right", "pushButtonRIGHT", Picture::Front, Shape::PadArm, Dir::Right,
         QRectF(px + kHalf, py - kHalf, kArmL, kArmW), QString(), kSlate},
        {"left", "pushButtonLEFT", Picture::Front, Shape::PadArm, Dir::Left,
         QRectF(px - kHalf - kArmL, py - kHalf, kArmL, kArmW), QString(), kSlate},
        {"down", "pushButtonDOWN", Picture::Front, Shape::PadArm, Dir::Down,
         QRectF(px - kHalf, py + kHalf, kArmW, kArmL), QString(), kSlate},
        {"lb", "pushButtonLB", Picture::Top, Shape::Bumper, Dir::Left,
         QRectF(48, 62, 116, 22), "LB", kSlate},
        {"rb", "pushButtonRB", Picture::Top, Shape::Bumper, Dir::Right,
         QRectF(kTopWidth - 48 - 116, 62, 116, 22), "RB", kSlate},
    };
    // Rock B before rock A, as in the key numbering
    k += stickKeys(QStringLiteral("B"), kStickB);
    k += stickKeys(QStringLiteral("A"), kStickA);
    // Move the two middle keys in front of the direction keys (key order: BMD, AMD, B dirs, A dirs)
    QVector<Key> ordered = k.mid(0, 12);
    ordered.push_back(k[12]);                 // rockb_md
    ordered.push_back(k[17]);                 // rocka_md
    for (int i = 13; i < 17; ++i) ordered.push_back(k[i]);
    for (int i = 18; i < 22; ++i) ordered.push_back(k[i]);
    ordered.push_back({"lt", "pushButtonLT", Picture::Top, Shape::Trigger, Dir::Left,
                       QRectF(58, 10, 100, 40), "LT", kSlate});
    ordered.push_back({"rt", "pushButtonRT", Picture::Top, Shape::Trigger, Dir::Right,
                       QRectF(kTopWidth - 58 - 100, 10, 100, 40), "RT", kSlate});
    return ordered;
}

QRectF buttonRect(const Key &key)
{
    const QRectF r = key.rect.adjusted(-kPad, -kPad, kPad, kPad);
    return QRectF(std::floor(r.left()), std::floor(r.top()),
                  std::ceil(r.right()) - std::floor(r.left()), std::ceil(r.bottom()) - std::floor(r.top()));
}

// Triangle pointing in dir, inscribed in r
QPolygonF triangle(const QRectF &r, Dir dir)
{
    QPolygonF p;
    switch (dir) {
    case Dir::Up: p << QPointF(r.center().x(), r.top()) << r.bottomRight() << r.bottomLeft(); break;
    case Dir::Down: p << r.topLeft() << r.topRight() << QPointF(r.center().x(), r.bottom()); break;
    case Dir::Left: p << QPointF(r.left(), r.center().y()) << r.topRight() << r.bottomRight(); break;
    case Dir::Right: p << r.topLeft() << QPointF(r.right(), r.center().y()) << r.bottomLeft(); break;
    case Dir::None: break;
    }
    return p;
}

// Rounded triangle: a triangle path with its corners softened by a round pen join
QPainterPath roundedTriangle(const QRectF &r, Dir dir)
{
    QPainterPath p;
    p.addPolygon(triangle(r.adjusted(1.5, 1.5, -1.5, -1.5), dir));
    p.closeSubpath();
    QPainterPathStroker s;
    s.setWidth(3);
    s.setJoinStyle(Qt::RoundJoin);
    return s.createStroke(p).united(p).simplified();
}

// Outline of a direction pad arm: rounded at its outer end, square where it meets the centre
QPainterPath padArmPath(const QRectF &r, Dir dir)
{
    const qreal rad = 6;
    QPainterPath round;
    round.addRoundedRect(r, rad, rad);
    QRectF inner;
    switch (dir) {
    case Dir::Up: inner = QRectF(r.left(), r.bottom() - rad, r.width(), rad); break;
    case Dir::Down: inner = QRectF(r.left(), r.top(), r.width(), rad); break;
    case Dir::Left: inner = QRectF(r.right() - rad, r.top(), rad, r.height()); break;
    case Dir::Right: inner = QRectF(r.left(), r.top(), rad, r.height()); break;
    case Dir::None: break;
    }
    QPainterPath sq;
    sq.addRect(inner);
    return round.united(sq).simplified();
}

QPainterPath triggerPath(const QRectF &r)
{
    QPainterPath p;
    p.addRoundedRect(r, 14, 14);
    QPainterPath base;
    base.addRoundedRect(QRectF(r.left(), r.center().y(), r.width(), r.height() / 2), 4, 4);
    return p.united(base).simplified();
}

QPainterPath keyPath(const Key &k)
{
    QPainterPath p;
    switch (k.shape) {
    case Shape::FaceKey:
    case Shape::Knob: p.addEllipse(k.rect); break;
    case Shape::Pill:
    case Shape::Bumper: p.addRoundedRect(k.rect, k.rect.height() / 2, k.rect.height() / 2); break;
    case Shape::PadArm: p = padArmPath(k.rect, k.dir); break;
    case Shape::StickArrow: p = roundedTriangle(k.rect, k.dir); break;
    case Shape::Trigger: p = triggerPath(k.rect); break;
    }
    return p;
}

QFont keyFont(qreal pixelSize)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(qRound(pixelSize));
    f.setBold(true);
    return f;
}

void drawKey(QPainter &p, const Key &k, bool selected)
{
    const QPainterPath path = keyPath(k);
    p.save();
    if (selected) {
        // Glow: widening strokes of the key's outline that fade outwards
        QColor glow = kBlue;
        for (int w : {12, 9, 6, 3}) {
            glow.setAlpha(52);
            p.setPen(QPen(glow, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            p.setBrush(Qt::NoBrush);
            p.drawPath(path);
        }
        p.setPen(QPen(kLightBlue, 1.2));
        p.setBrush(kBlue);
        p.drawPath(path);
    } else {
        p.setPen(k.shape == Shape::StickArrow ? Qt::NoPen : QPen(kMidGrey, 1.2));
        p.setBrush(k.shape == Shape::StickArrow ? kMidGrey.lighter(125) : kLightGrey);
        p.drawPath(path);
    }

    const QColor mark = selected ? kWhite : k.textColor;
    switch (k.shape) {
    case Shape::FaceKey:
    case Shape::Bumper:
    case Shape::Trigger: {
        p.setPen(mark);
        p.setFont(keyFont(k.shape == Shape::FaceKey ? 15 : 13));
        QRectF tr = k.rect;
        if (k.shape == Shape::Trigger) tr.setBottom(tr.bottom() - 4);
        p.drawText(tr, Qt::AlignCenter, k.text);
        break;
    }
    case Shape::PadArm: {
        QRectF tr = centred(k.rect.center().x(), k.rect.center().y(), 10, 10);
        if (k.dir == Dir::Left || k.dir == Dir::Right) tr = centred(k.rect.center().x(), k.rect.center().y(), 9, 11);
        else tr = centred(k.rect.center().x(), k.rect.center().y(), 11, 9);
        p.setPen(Qt::NoPen);
        p.setBrush(selected ? kWhite : kSlate);
        p.drawPolygon(triangle(tr, k.dir));
        break;
    }
    case Shape::Pill: {
        p.setPen(Qt::NoPen);
        p.setBrush(selected ? kWhite : kSlate);
        p.drawPolygon(triangle(centred(k.rect.center().x(), k.rect.center().y(), 8, 9), k.dir));
        break;
    }
    case Shape::Knob: {
        // concave cap: a ring and a dot
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(selected ? kLightBlue : kMidGrey, 1.5));
        p.drawEllipse(k.rect.center(), k.rect.width() / 2 - 5, k.rect.height() / 2 - 5);
        p.setPen(Qt::NoPen);
        p.setBrush(selected ? kWhite : kMidGrey);
        p.drawEllipse(k.rect.center(), 2.5, 2.5);
        break;
    }
    case Shape::StickArrow: break;
    }
    p.restore();
}

void drawCaption(QPainter &p, const QPointF &centre, const QString &text, qreal size = 9)
{
    p.save();
    p.setPen(kMidGrey);
    p.setFont(keyFont(size));
    p.drawText(centred(centre.x(), centre.y(), 80, 14), Qt::AlignCenter, text);
    p.restore();
}

QImage newImage(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

QImage drawFront(const QVector<Key> &keys)
{
    QImage img = newImage(kFrontWidth, kFrontHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // Body: a wide rounded shell with two grips, drawn as the right half and its mirror
    const qreal W = kFrontWidth;
    auto mx = [W](qreal x) { return W - x; };
    QPainterPath body;
    body.moveTo(240, 16);
    body.lineTo(340, 16);
    body.cubicTo(410, 16, 452, 36, 460, 96);
    body.cubicTo(468, 156, 472, 226, 446, 256);
    body.cubicTo(424, 280, 374, 280, 354, 258);
    body.cubicTo(340, 242, 334, 226, 300, 224);
    body.lineTo(mx(300), 224);
    body.cubicTo(mx(334), 226, mx(340), 242, mx(354), 258);
    body.cubicTo(mx(374), 280, mx(424), 280, mx(446), 256);
    body.cubicTo(mx(472), 226, mx(468), 156, mx(460), 96);
    body.cubicTo(mx(452), 36, mx(410), 16, mx(340), 16);
    body.closeSubpath();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawPath(body.translated(0, 4));           // soft drop shadow
    p.setBrush(kSlate);
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 28), 2));
    p.drawPath(body.translated(0, 1));           // thin top highlight

    // Plates under the direction pad and the four keys, wells of the sticks
    p.setPen(Qt::NoPen);
    p.setBrush(kSlateLight);
    p.drawEllipse(kPadCentre, 50, 50);
    p.drawEllipse(kFaceCentre, 54, 54);
    for (const QPointF &c : {kStickA, kStickB}) {
        p.setBrush(kSlateLight);
        p.drawEllipse(c, kWellR, kWellR);
        p.setPen(QPen(QColor(0, 0, 0, 60), 1.5));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, kWellR - 1, kWellR - 1);
        p.setPen(Qt::NoPen);
    }

    // Centre square of the direction pad with its dimple
    const QRectF centre = centred(kPadCentre.x(), kPadCentre.y(), kArmW, kArmW);
    p.setBrush(kLightGrey);
    p.drawRect(centre.adjusted(-0.5, -0.5, 0.5, 0.5));
    p.setBrush(kMidGrey.lighter(120));
    p.drawEllipse(kPadCentre, 6, 6);

    // Power lamp between the shoulders
    p.setBrush(kSlateLight);
    p.drawEllipse(QPointF(240, 46), 11, 11);
    p.setBrush(kBlue);
    p.drawEllipse(QPointF(240, 46), 5, 5);
    p.setBrush(QColor(kLightBlue.red(), kLightBlue.green(), kLightBlue.blue(), 160));
    p.drawEllipse(QPointF(238.5, 44.5), 1.8, 1.8);

    for (const Key &k : keys)
        if (k.picture == Picture::Front) drawKey(p, k, false);

    // Centre square outline drawn after the arms so the cross reads as one piece
    p.setPen(QPen(kMidGrey, 1.2));
    p.setBrush(Qt::NoBrush);
    QPainterPath cross;
    for (const Key &k : keys)
        if (k.shape == Shape::PadArm) cross = cross.united(keyPath(k));
    QPainterPath sq;
    sq.addRect(centre);
    cross = cross.united(sq).simplified();
    p.drawPath(cross);

    drawCaption(p, QPointF(206, 104), QStringLiteral("BACK"));
    drawCaption(p, QPointF(274, 104), QStringLiteral("START"));
    drawCaption(p, QPointF(kStickA.x(), kStickA.y() + kWellR + 9), QStringLiteral("A"));
    drawCaption(p, QPointF(kStickB.x(), kStickB.y() + kWellR + 9), QStringLiteral("B"));
    return img;
}

QImage drawTop(const QVector<Key> &keys)
{
    QImage img = newImage(kTopWidth, kTopHeight);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    // The shell seen from above: a band, with the two trigger housings behind it
    QPainterPath body, housings;
    body.addRoundedRect(QRectF(20, 56, 440, 54), 27, 27);
    housings.addRoundedRect(QRectF(48, 30, 120, 40), 12, 12);
    housings.addRoundedRect(QRectF(kTopWidth - 48 - 120, 30, 120, 40), 12, 12);
    body = body.united(housings).simplified();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 40));
    p.drawPath(body.translated(0, 4));
    p.setBrush(kSlate);
    p.drawPath(body);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 28), 2));
    p.drawPath(body.translated(0, 1));

    // Front face edge and the charging port in the middle
    p.setPen(QPen(kSlateLight, 2));
    p.drawLine(QPointF(60, 96), QPointF(kTopWidth - 60, 96));
    p.setPen(Qt::NoPen);
    p.setBrush(kSlateLight);
    p.drawRoundedRect(centred(240, 74, 36, 12), 6, 6);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(centred(240, 74, 22, 5), 2.5, 2.5);

    for (const Key &k : keys)
        if (k.picture == Picture::Top) drawKey(p, k, false);
    return img;
}

QImage drawButton(const Key &k, bool selected)
{
    const QRectF br = buttonRect(k);
    QImage img = newImage(int(br.width()), int(br.height()));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.translate(-br.topLeft());
    drawKey(p, k, selected);
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        QTextStream(stderr) << "usage: remote_pictures OUTPUT_DIR [--geometry]\n";
        return 2;
    }
    QDir dir(args.at(1));
    if (!dir.exists() && !QDir().mkpath(dir.path())) {
        QTextStream(stderr) << "cannot create " << dir.path() << "\n";
        return 1;
    }
    const bool geometry = args.contains(QStringLiteral("--geometry"));
    const QVector<Key> keys = allKeys();

    bool ok = drawFront(keys).save(dir.filePath("remote_f.png"));
    ok = drawTop(keys).save(dir.filePath("remote_c.png")) && ok;
    QTextStream out(stdout);
    for (const Key &k : keys) {
        const QString &stem = k.stem;
        ok = drawButton(k, false).save(dir.filePath(stem + "_r.png")) && ok;
        ok = drawButton(k, true).save(dir.filePath(stem + "_s.png")) && ok;
        if (geometry) {
            const QRectF br = buttonRect(k);
            out << k.objectName << ' ' << (k.picture == Picture::Front ? "front" : "top") << ' '
                << int(br.x()) << ' ' << int(br.y()) << ' ' << int(br.width()) << ' ' << int(br.height())
                << ' ' << stem << '\n';
        }
    }
    if (!ok) {
        QTextStream(stderr) << "could not write every picture to " << dir.path() << "\n";
        return 1;
    }
    return 0;
}
