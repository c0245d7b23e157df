// gaitForge icon generator.
//
// Draws every picture the program uses for its actions, buttons, window icon and about box
// as PNG files with a transparent background.  All shapes are designed on a normalised
// 100 x 100 canvas and scaled to the output size, so the same code serves 64, 128 and 256
// pixel images.
//
// Usage: icons OUTPUT_DIR [CONTACT_SHEET.png]

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QDir>
#include <QFont>
#include <QVector>
#include <QtMath>
#include <cstdio>
#include <functional>

namespace {

// ---------------------------------------------------------------- palette
const QColor Slate(0x2B, 0x33, 0x40);
const QColor Blue(0x2D, 0x7F, 0xF9);
const QColor Orange(0xFF, 0x8A, 0x00);
const QColor Green(0x22, 0xA0, 0x6B);
const QColor Red(0xE5, 0x48, 0x4D);
const QColor LightBlue(0xA9, 0xCB, 0xFF);
const QColor LightGrey(0xE9, 0xED, 0xF2);
const QColor MidGrey(0x9A, 0xA4, 0xB2);
const QColor White(0xFF, 0xFF, 0xFF);

const qreal W = 8.0;   // standard stroke width on the 100 unit canvas

// ---------------------------------------------------------------- basic helpers
QPen roundPen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void strokePath(QPainter &p, const QPainterPath &path, const QColor &c, qreal w)
{
    p.save();
    p.setPen(roundPen(c, w));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    p.restore();
}

void fillPath(QPainter &p, const QPainterPath &path, const QColor &c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPath(path);
    p.restore();
}

void fillStroke(QPainter &p, const QPainterPath &path, const QColor &fill, const QColor &line, qreal w)
{
    p.save();
    p.setPen(roundPen(line, w));
    p.setBrush(fill);
    p.drawPath(path);
    p.restore();
}

void line(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w)
{
    p.save();
    p.setPen(roundPen(c, w));
    p.drawLine(a, b);
    p.restore();
}

QPainterPath rrect(qreal x, qreal y, qreal w, qreal h, qreal r)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(x, y, w, h), r, r);
    return path;
}

QPainterPath circle(QPointF c, qreal r)
{
    QPainterPath path;
    path.addEllipse(c, r, r);
    return path;
}

QPainterPath polygon(std::initializer_list<QPointF> pts)
{
    QPainterPath path;
    path.addPolygon(QPolygonF(QVector<QPointF>(pts)));
    path.closeSubpath();
    return path;
}

// Cuts a transparent gap around a shape so it stands out from what lies beneath it.
void halo(QPainter &p, const QPainterPath &path, qreal gap)
{
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(roundPen(Qt::black, 2 * gap));
    p.setBrush(Qt::black);
    p.drawPath(path);
    p.restore();
}

QPointF unit(QPointF d)
{
    const qreal len = qSqrt(d.x() * d.x() + d.y() * d.y());
    return len > 0 ? d / len : QPointF(1, 0);
}

void arrowHead(QPainter &p, QPointF base, QPointF dir, qreal len, qreal half, const QColor &c)
{
    dir = unit(dir);
    const QPointF n(-dir.y(), dir.x());
    QPainterPath head = polygon({base + dir * len, base + n * half, base - n * half});
    fillStroke(p, head, c, c, 2.5);
}

// Straight arrow from a to b (b is the tip).
void arrow(QPainter &p, QPointF a, QPointF b, const QColor &c, qreal w, qreal len, qreal half)
{
    const QPointF d = unit(b - a);
    const QPointF base = b - d * len;
    line(p, a, base, c, w);
    arrowHead(p, base, d, len, half, c);
}

// Point on an ellipse, angle in degrees, counter-clockwise with y pointing up (screen y down).
QPointF ept(QPointF c, qreal rx, qreal ry, qreal deg)
{
    const qreal a = qDegreesToRadians(deg);
    return QPointF(c.x() + rx * qCos(a), c.y() - ry * qSin(a));
}

QPainterPath arcPath(QPointF c, qreal rx, qreal ry, qreal a0, qreal span)
{
    QPainterPath path;
    const int n = 96;
    path.moveTo(ept(c, rx, ry, a0));
    for (int i = 1; i <= n; ++i)
        path.lineTo(ept(c, rx, ry, a0 + span * i / n));
    return path;
}

// Elliptic arc with an arrow head at its end.
void arcArrow(QPainter &p, QPointF c, qreal rx, qreal ry, qreal a0, qreal span, const QColor &col,
              qreal w, qreal len, qreal half)
{
    const qreal sign = span >= 0 ? 1 : -1;
    const qreal rEff = (rx + ry) / 2;
    const qreal cut = qRadiansToDegrees(len * 0.85 / rEff);
    const qreal aEnd = a0 + span - sign * cut;
    strokePath(p, arcPath(c, rx, ry, a0, aEnd - a0), col, w);
    const qreal a = qDegreesToRadians(aEnd);
    const QPointF tangent(-rx * qSin(a) * sign, -ry * qCos(a) * sign);
    arrowHead(p, ept(c, rx, ry, aEnd), tangent, len, half, col);
}

// ---------------------------------------------------------------- badges
enum class Glyph { None, Plus, Minus, Cross, Play, Pause, Stop, Down };

void glyph(QPainter &p, QPointF c, qreal k, Glyph g, const QColor &col)
{
    const qreal gw = k * 0.52;
    switch (g) {
    case Glyph::None:
        break;
    case Glyph::Plus:
        line(p, c + QPointF(-k, 0), c + QPointF(k, 0), col, gw);
        line(p, c + QPointF(0, -k), c + QPointF(0, k), col, gw);
        break;
    case Glyph::Minus:
        line(p, c + QPointF(-k, 0), c + QPointF(k, 0), col, gw);
        break;
    case Glyph::Cross:
        line(p, c + QPointF(-k, -k) * 0.78, c + QPointF(k, k) * 0.78, col, gw);
        line(p, c + QPointF(-k, k) * 0.78, c + QPointF(k, -k) * 0.78, col, gw);
        break;
    case Glyph::Play:
        fillStroke(p, polygon({c + QPointF(-k * 0.62, -k * 0.95), c + QPointF(k * 1.0, 0),
                               c + QPointF(-k * 0.62, k * 0.95)}),
                   col, col, k * 0.22);
        break;
    case Glyph::Pause:
        fillPath(p, rrect(c.x() - k * 0.8, c.y() - k * 0.85, k * 0.56, k * 1.7, k * 0.2), col);
        fillPath(p, rrect(c.x() + k * 0.24, c.y() - k * 0.85, k * 0.56, k * 1.7, k * 0.2), col);
        break;
    case Glyph::Stop:
        fillPath(p, rrect(c.x() - k * 0.75, c.y() - k * 0.75, k * 1.5, k * 1.5, k * 0.25), col);
        break;
    case Glyph::Down:
        line(p, c + QPointF(0, -k * 1.0), c + QPointF(0, k * 0.1), col, gw);
        arrowHead(p, c + QPointF(0, k * 0.05), QPointF(0, 1), k * 0.85, k * 0.8, col);
        break;
    }
}

void badge(QPainter &p, QPointF c, qreal r, const QColor &col, Glyph g, qreal gap = 4.5)
{
    halo(p, circle(c, r), gap);
    fillPath(p, circle(c, r), col);
    glyph(p, c, r * 0.55, g, White);
}

// ---------------------------------------------------------------- reusable pictograms

// Small humanoid robot pictogram inside a square box (designed on 100 x 100).
struct Fig {
    QColor head = Slate, torso = Slate, armL = Slate, armR = Slate, legL = Slate, legR = Slate;
    bool raiseL = false;
    bool visor = true;
};

QPainterPath figureHeadPath(bool visor)
{
    QPainterPath head = rrect(33, 3, 34, 25, 10);
    if (visor)
        head = head.subtracted(rrect(40, 11, 20, 7.5, 3.75));
    return head;
}

void figure(QPainter &p, const QRectF &box, const Fig &f = Fig())
{
    p.save();
    p.translate(box.topLeft());
    p.scale(box.width() / 100.0, box.height() / 100.0);
    fillPath(p, figureHeadPath(f.visor), f.head);
    fillPath(p, rrect(29, 32, 42, 33, 9), f.torso);
    if (f.raiseL)
        line(p, QPointF(20, 37), QPointF(10, 15), f.armL, 11);
    else
        line(p, QPointF(19.5, 38), QPointF(19.5, 60), f.armL, 11);
    line(p, QPointF(80.5, 38), QPointF(80.5, 60), f.armR, 11);
    line(p, QPointF(40, 76), QPointF(40, 90), f.legL, 14);
    line(p, QPointF(60, 76), QPointF(60, 90), f.legR, 14);
    p.restore();
}

// Film frame: body with sprocket holes on both long sides and a picture window.
void filmFrame(QPainter &p, const QRectF &r, const QColor &body, const QColor &pic)
{
    const qreal s = r.width() * 0.22;
    const qreal m = s * 0.55;
    QPainterPath outer;
    outer.addRoundedRect(r, s * 0.55, s * 0.55);
    const QRectF inner(r.left() + s, r.top() + m, r.width() - 2 * s, r.height() - 2 * m);
    QPainterPath innerPath;
    innerPath.addRoundedRect(inner, s * 0.3, s * 0.3);
    QPainterPath holes;
    const int n = r.height() > r.width() * 1.6 ? 4 : 3;
    const qreal h = s * 0.46;
    for (int i = 0; i < n; ++i) {
        const qreal cy = r.top() + r.height() * (i + 0.5) / n;
        holes.addRoundedRect(QRectF(r.left() + s / 2 - h / 2, cy - h / 2, h, h), h * 0.3, h * 0.3);
        holes.addRoundedRect(QRectF(r.right() - s / 2 - h / 2, cy - h / 2, h, h), h * 0.3, h * 0.3);
    }
    fillPath(p, outer.subtracted(innerPath).subtracted(holes), body);
    if (pic.isValid())
        fillPath(p, innerPath, pic);
}

QRectF frameWindow(const QRectF &r)
{
    const qreal s = r.width() * 0.22;
    const qreal m = s * 0.55;
    return QRectF(r.left() + s, r.top() + m, r.width() - 2 * s, r.height() - 2 * m);
}

// Page with a folded corner.
void page(QPainter &p, const QRectF &r, qreal fold, const QColor &fill, const QColor &line_)
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - fold, r.top());
    path.lineTo(r.right(), r.top() + fold);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    fillStroke(p, path, fill, line_, W);
    QPainterPath dog;
    dog.moveTo(r.right() - fold, r.top());
    dog.lineTo(r.right() - fold, r.top() + fold);
    dog.lineTo(r.right(), r.top() + fold);
    strokePath(p, dog, line_, W * 0.8);
}

// Open folder; the front flap is drawn by the optional second call so things can sit inside.
void folderBack(QPainter &p)
{
    QPainterPath back = rrect(6, 22, 80, 64, 8).united(rrect(6, 13, 34, 18, 7));
    fillPath(p, back, Slate);
}

void folderFront(QPainter &p, const QColor &fill)
{
    QPainterPath front = polygon({QPointF(24, 42), QPointF(96, 42), QPointF(84, 86), QPointF(6, 86)});
    fillStroke(p, front, fill, Slate, W * 0.9);
}

// Two beamed notes (designed on 100 x 100).
QPainterPath notePath(const QRectF &box)
{
    QPainterPath n;
    QTransform rot;
    auto head = [&](QPointF c) {
        QPainterPath e;
        e.addEllipse(QPointF(0, 0), 14, 10);
        QTransform t;
        t.translate(c.x(), c.y());
        t.rotate(-22);
        return t.map(e);
    };
    n.addPath(head(QPointF(26, 80)));
    n.addPath(head(QPointF(74, 70)));
    n.addPath(rrect(32.5, 24, 8, 56, 2));
    n.addPath(rrect(80.5, 14, 8, 56, 2));
    n.addPath(polygon({QPointF(32.5, 20), QPointF(88.5, 8), QPointF(88.5, 24), QPointF(32.5, 36)}));
    n = n.simplified();
    QTransform t;
    t.translate(box.left(), box.top());
    t.scale(box.width() / 100.0, box.height() / 100.0);
    return t.map(n);
}

// Bulleted list lines. rows: y positions; lengths: right end of each line.
void listLines(QPainter &p, const QVector<qreal> &rows, const QVector<qreal> &ends, const QColor &c,
               qreal x0 = 14, qreal w = 9)
{
    for (int i = 0; i < rows.size(); ++i) {
        fillPath(p, circle(QPointF(x0, rows[i]), w * 0.7), c);
        line(p, QPointF(x0 + 15, rows[i]), QPointF(ends[i], rows[i]), c, w);
    }
}

// Pointer arrow with its tip at tip, designed 0..28 x 0..44.
QPainterPath cursorPath(QPointF tip, qreal s)
{
    QPainterPath c = polygon({QPointF(0, 0), QPointF(0, 36), QPointF(9, 28), QPointF(15.5, 43),
                              QPointF(23, 40), QPointF(16.5, 25.5), QPointF(28, 25.5)});
    QTransform t;
    t.translate(tip.x(), tip.y());
    t.scale(s, s);
    return t.map(c);
}

// Foot sole seen from below, toe up, designed in a 32 x 68 box.
QPainterPath solePath()
{
    QPainterPath front;
    front.addEllipse(QPointF(16, 21), 15, 20);
    QPainterPath heel;
    heel.addEllipse(QPointF(15, 54), 11, 13);
    QPainterPath arch = polygon({QPointF(2.5, 28), QPointF(30.5, 26), QPointF(25, 54), QPointF(5, 54)});
    return front.united(arch).united(heel).simplified();
}

// Loud speaker (designed on 100 x 100).
void speaker(QPainter &p, const QColor &c)
{
    QPainterPath s = rrect(10, 37, 19, 26, 3);
    s.addPath(polygon({QPointF(27, 37), QPointF(47, 19), QPointF(47, 81), QPointF(27, 63)}));
    fillStroke(p, s.simplified(), c, c, 6);
}

// Friendly robot head (designed on 100 x 100), used by the window icon and the about picture.
void robotHead(QPainter &p, const QRectF &box, qreal stroke)
{
    p.save();
    p.translate(box.topLeft());
    const qreal k = box.width() / 100.0;
    p.scale(k, k);
    const qreal w = stroke / k;
    // antenna
    line(p, QPointF(50, 20), QPointF(50, 9), Slate, w);
    fillStroke(p, circle(QPointF(50, 8), 6.5), Orange, Slate, w * 0.8);
    // ears
    fillStroke(p, rrect(4, 40, 14, 26, 6), Blue, Slate, w * 0.8);
    fillStroke(p, rrect(82, 40, 14, 26, 6), Blue, Slate, w * 0.8);
    // head shell
    fillStroke(p, rrect(13, 19, 74, 66, 24), White, Slate, w);
    // visor
    fillPath(p, rrect(21, 33, 58, 30, 15), Slate);
    // eyes
    fillPath(p, rrect(32, 40, 11, 16, 5.5), LightBlue);
    fillPath(p, rrect(57, 40, 11, 16, 5.5), LightBlue);
    fillPath(p, circle(QPointF(40, 44.5), 2.2), White);
    fillPath(p, circle(QPointF(65, 44.5), 2.2), White);
    // smile
    QPainterPath smile;
    smile.moveTo(41, 71);
    smile.quadTo(50, 78, 59, 71);
    strokePath(p, smile, Slate, w * 0.85);
    // cheeks
    fillPath(p, circle(QPointF(27, 71), 3.6), QColor(0xFF, 0x8A, 0x00, 110));
    fillPath(p, circle(QPointF(73, 71), 3.6), QColor(0xFF, 0x8A, 0x00, 110));
    p.restore();
}

// ---------------------------------------------------------------- icon table
struct Icon {
    QString name;
    int size;
    std::function<void(QPainter &)> draw;
};

// Figure placed to leave the bottom right corner for a badge.
const QRectF FigBadgeBox(-8, 0, 82, 82);
const QPointF BadgeC(76, 76);
const qreal BadgeR = 21;

void simIcon(QPainter &p, const QColor &c, Glyph g)
{
    figure(p, FigBadgeBox);
    badge(p, BadgeC, BadgeR, c, g);
}

void musicIcon(QPainter &p, const QColor &c, Glyph g)
{
    fillPath(p, notePath(QRectF(-2, 0, 76, 76)), Slate);
    badge(p, BadgeC, BadgeR, c, g);
}

void readIcon(QPainter &p, const Fig &f)
{
    figure(p, FigBadgeBox, f);
    badge(p, BadgeC, BadgeR, Orange, Glyph::Down);
}

void floppy(QPainter &p)
{
    QPainterPath body = polygon({QPointF(12, 12), QPointF(72, 12), QPointF(88, 28), QPointF(88, 88), QPointF(12, 88)});
    fillStroke(p, body, Slate, Slate, W);
    fillPath(p, rrect(29, 8, 38, 26, 3), LightBlue);
    fillPath(p, rrect(53, 13, 8, 16, 2), Slate);
    fillPath(p, rrect(24, 52, 52, 36, 5), White);
    line(p, QPointF(33, 63), QPointF(67, 63), LightBlue, 5);
    line(p, QPointF(33, 75), QPointF(58, 75), LightBlue, 5);
}

void volumeIcon(QPainter &p, int level)
{
    speaker(p, Slate);
    const QPointF c(47, 50);
    const qreal radii[4] = {14, 25, 36, 47};
    for (int i = 0; i < 4; ++i) {
        const QColor col = i < level ? Blue : LightGrey;
        strokePath(p, arcPath(c, radii[i], radii[i], -42, 84), col, 7);
    }
}

void sendList(QPainter &p, bool active)
{
    const QColor face = active ? Blue : White;
    const QColor ink = active ? White : Slate;
    const QColor accent = active ? White : Blue;
    fillStroke(p, circle(QPointF(50, 50), 45), face, active ? LightBlue : Blue, 5);
    if (active)
        strokePath(p, circle(QPointF(50, 50), 38.5), White, 2.5);
    for (int i = 0; i < 3; ++i) {
        const qreal y = 35 + i * 15;
        fillPath(p, circle(QPointF(25, y), 4), ink);
        line(p, QPointF(34, y), QPointF(i == 2 ? 48 : 54, y), ink, 6);
    }
    arrow(p, QPointF(58, 50), QPointF(82, 50), accent, 7, 13, 11);
}

QVector<Icon> icons()
{
    QVector<Icon> v;
    auto add = [&](const QString &n, int s, std::function<void(QPainter &)> f) { v.push_back({n, s, f}); };

    add("cancel", 64, [](QPainter &p) {
        QPainterPath door;
        door.moveTo(58, 26);
        door.lineTo(58, 12);
        door.lineTo(14, 12);
        door.lineTo(14, 88);
        door.lineTo(58, 88);
        door.lineTo(58, 74);
        strokePath(p, door, Slate, W * 1.2);
        arrow(p, QPointF(36, 50), QPointF(96, 50), Red, W * 1.3, 20, 17);
    });
    add("info", 64, [](QPainter &p) {
        fillPath(p, circle(QPointF(50, 50), 44), Blue);
        fillPath(p, circle(QPointF(50, 28), 7.5), White);
        line(p, QPointF(50, 46), QPointF(50, 74), White, 13);
    });
    add("open", 64, [](QPainter &p) {
        folderBack(p);
        folderFront(p, LightBlue);
    });
    add("save", 64, [](QPainter &p) { floppy(p); });
    add("save_on", 64, [](QPainter &p) {
        floppy(p);
        badge(p, QPointF(84, 16), 14, Orange, Glyph::None, 5);
    });
    add("connect", 64, [](QPainter &p) {
        p.save();
        p.translate(50, 50);
        p.rotate(45);
        p.translate(-50, -50);
        // plug
        fillPath(p, rrect(35, 55, 30, 22, 6), Slate);
        fillPath(p, rrect(39, 42, 7, 16, 2.5), Slate);
        fillPath(p, rrect(54, 42, 7, 16, 2.5), Slate);
        line(p, QPointF(50, 76), QPointF(50, 104), Slate, W);
        // socket
        fillPath(p, rrect(33, 12, 34, 24, 7), Blue);
        line(p, QPointF(50, 14), QPointF(50, -4), Blue, W);
        p.restore();
    });
    add("undo", 64, [](QPainter &p) {
        QPainterPath path;
        path.moveTo(32, 36);
        path.lineTo(58, 36);
        path.arcTo(QRectF(36, 36, 46, 46), 90, -180);
        path.lineTo(38, 82);
        strokePath(p, path, Blue, W * 1.3);
        arrowHead(p, QPointF(33, 36), QPointF(-1, 0), 24, 18, Blue);
    });
    add("redo", 64, [](QPainter &p) {
        p.translate(100, 0);
        p.scale(-1, 1);
        QPainterPath path;
        path.moveTo(32, 36);
        path.lineTo(58, 36);
        path.arcTo(QRectF(36, 36, 46, 46), 90, -180);
        path.lineTo(38, 82);
        strokePath(p, path, Blue, W * 1.3);
        arrowHead(p, QPointF(33, 36), QPointF(-1, 0), 24, 18, Blue);
    });
    add("cut", 64, [](QPainter &p) {
        // blades
        QPainterPath b1 = polygon({QPointF(38, 64), QPointF(44, 67), QPointF(74, 10), QPointF(70, 8)});
        QPainterPath b2 = polygon({QPointF(62, 64), QPointF(56, 67), QPointF(26, 10), QPointF(30, 8)});
        fillStroke(p, b1, Slate, Slate, 5);
        fillStroke(p, b2, Slate, Slate, 5);
        fillPath(p, circle(QPointF(50, 47), 3.5), White);
        strokePath(p, circle(QPointF(30, 78), 13), Blue, W * 1.1);
        strokePath(p, circle(QPointF(70, 78), 13), Blue, W * 1.1);
    });
    add("copy", 64, [](QPainter &p) {
        fillStroke(p, rrect(12, 8, 48, 60, 7), LightBlue, Slate, W);
        fillStroke(p, rrect(40, 32, 48, 60, 7), White, Slate, W);
        line(p, QPointF(52, 52), QPointF(76, 52), Blue, 6);
        line(p, QPointF(52, 66), QPointF(76, 66), Blue, 6);
        line(p, QPointF(52, 80), QPointF(68, 80), Blue, 6);
    });
    add("paste", 64, [](QPainter &p) {
        fillStroke(p, rrect(14, 16, 72, 78, 9), LightGrey, Slate, W);
        fillStroke(p, rrect(32, 6, 36, 20, 6), Blue, Blue, 3);
        line(p, QPointF(30, 46), QPointF(70, 46), Slate, 7);
        line(p, QPointF(30, 62), QPointF(70, 62), Slate, 7);
        line(p, QPointF(30, 78), QPointF(56, 78), Slate, 7);
    });
    add("new", 64, [](QPainter &p) {
        page(p, QRectF(16, 8, 60, 84), 20, White, Slate);
        badge(p, QPointF(74, 74), 22, Green, Glyph::Plus);
    });
    add("remove", 64, [](QPainter &p) {
        filmFrame(p, QRectF(10, 6, 58, 84), Slate, LightBlue);
        badge(p, QPointF(74, 74), 22, Red, Glyph::Minus);
    });
    add("add_trans", 64, [](QPainter &p) {
        filmFrame(p, QRectF(2, 22, 34, 56), Slate, LightBlue);
        filmFrame(p, QRectF(64, 22, 34, 56), Slate, LightBlue);
        arrow(p, QPointF(40, 50), QPointF(62, 50), Blue, 9, 13, 13);
    });
    add("add_copy", 64, [](QPainter &p) {
        filmFrame(p, QRectF(6, 4, 48, 70), Blue, QColor());
        filmFrame(p, QRectF(26, 18, 48, 70), Slate, LightBlue);
        badge(p, QPointF(76, 76), 21, Green, Glyph::Plus);
    });
    add("add_origin", 64, [](QPainter &p) {
        const QRectF fr(8, 4, 62, 88);
        filmFrame(p, fr, Slate, LightGrey);
        const QRectF win = frameWindow(fr);
        const qreal s = qMin(win.width(), win.height()) * 1.08;
        Fig f;
        f.head = f.torso = f.armL = f.armR = f.legL = f.legR = Blue;
        figure(p, QRectF(win.center().x() - s / 2, win.center().y() - s / 2, s, s), f);
        badge(p, QPointF(76, 76), 21, Green, Glyph::Plus);
    });
    add("mirror", 64, [](QPainter &p) {
        for (qreal y = 4; y < 96; y += 15)
            line(p, QPointF(50, y), QPointF(50, qMin(y + 7.0, 96.0)), Blue, 5);
        Fig f;
        f.raiseL = true;
        figure(p, QRectF(-4, 14, 58, 58 * 1.25), f);
        Fig g = f;
        g.head = g.torso = g.armL = g.armR = g.legL = g.legR = Blue;
        p.save();
        p.translate(100, 0);
        p.scale(-1, 1);
        figure(p, QRectF(-4, 14, 58, 58 * 1.25), g);
        p.restore();
    });
    add("reverse", 64, [](QPainter &p) {
        arrow(p, QPointF(10, 30), QPointF(92, 30), Slate, W * 1.25, 22, 18);
        arrow(p, QPointF(90, 70), QPointF(8, 70), Blue, W * 1.25, 22, 18);
    });
    add("book", 64, [](QPainter &p) {
        QPainterPath cover;
        cover.moveTo(4, 26);
        cover.lineTo(4, 88);
        cover.lineTo(44, 90);
        cover.quadTo(50, 95, 56, 90);
        cover.lineTo(96, 88);
        cover.lineTo(96, 26);
        cover.closeSubpath();
        fillStroke(p, cover, Blue, Blue, 4);
        QPainterPath left;
        left.moveTo(50, 24);
        left.cubicTo(40, 14, 22, 12, 10, 16);
        left.lineTo(10, 78);
        left.cubicTo(22, 74, 40, 76, 50, 86);
        left.closeSubpath();
        QTransform m(-1, 0, 0, 1, 100, 0);
        fillStroke(p, left, White, Slate, W * 0.8);
        fillStroke(p, m.map(left), White, Slate, W * 0.8);
        for (int i = 0; i < 3; ++i) {
            const qreal y = 34 + i * 14;
            line(p, QPointF(20, y - 1), QPointF(40, y + 2), LightBlue, 5);
            line(p, QPointF(60, y + 2), QPointF(80, y - 1), LightBlue, 5);
        }
    });
    add("open_music", 64, [](QPainter &p) {
        p.save();
        p.translate(-2, -2);
        p.scale(0.86, 0.86);
        folderBack(p);
        folderFront(p, LightBlue);
        p.restore();
        QPainterPath n = notePath(QRectF(48, 44, 52, 52));
        halo(p, n, 5);
        fillPath(p, n, Blue);
    });
    add("selectJoint", 64, [](QPainter &p) {
        line(p, QPointF(14, 10), QPointF(38, 40), Slate, 12);
        line(p, QPointF(38, 40), QPointF(22, 84), Slate, 12);
        fillPath(p, circle(QPointF(38, 40), 15), Blue);
        fillPath(p, circle(QPointF(38, 40), 5.5), White);
        QPainterPath c = cursorPath(QPointF(52, 48), 1.15);
        halo(p, c, 5);
        fillStroke(p, c, Slate, Slate, 3);
    });
    add("moverobot", 64, [](QPainter &p) {
        const QPointF c(50, 50);
        const QPointF dirs[4] = {QPointF(0, -1), QPointF(0, 1), QPointF(-1, 0), QPointF(1, 0)};
        for (const QPointF &d : dirs)
            arrow(p, c + d * 27, c + d * 48, Blue, W, 16, 15);
        figure(p, QRectF(29, 29, 42, 42));
    });
    add("rotaterobot", 64, [](QPainter &p) {
        const QPointF c(50, 66);
        strokePath(p, arcPath(c, 45, 16, 12, 156), Blue, W);
        figure(p, QRectF(18, 4, 64, 64) .translated(0, 2));
        halo(p, arcPath(c, 45, 16, 188, 140), 3.5);
        arcArrow(p, c, 45, 16, 188, 150, Blue, W, 17, 13);
    });
    add("read_all", 64, [](QPainter &p) {
        Fig f;
        f.head = f.torso = f.armL = f.armR = f.legL = f.legR = Blue;
        readIcon(p, f);
    });
    add("read_hand", 64, [](QPainter &p) {
        Fig f;
        f.head = f.torso = f.legL = f.legR = Slate;
        f.armL = f.armR = Blue;
        readIcon(p, f);
    });
    add("read_leg", 64, [](QPainter &p) {
        Fig f;
        f.legL = f.legR = Blue;
        readIcon(p, f);
    });
    add("movecamera", 64, [](QPainter &p) {
        fillPath(p, rrect(38, 40, 24, 14, 4), Slate);
        fillPath(p, rrect(14, 46, 72, 44, 10), Slate);
        fillPath(p, circle(QPointF(50, 68), 15), White);
        fillPath(p, circle(QPointF(50, 68), 9), Blue);
        fillPath(p, circle(QPointF(74, 56), 3.5), LightBlue);
        arcArrow(p, QPointF(50, 56), 44, 46, 170, -150, Orange, W, 17, 13);
    });
    add("reset_robot", 64, [](QPainter &p) {
        arcArrow(p, QPointF(50, 54), 36, 36, 62, 305, Slate, W * 1.2, 18, 15);
        line(p, QPointF(50, 10), QPointF(50, 48), Red, W * 1.3);
    });
    auto touchdown = [](QPainter &p, bool left) {
        const QPainterPath sole = solePath();
        QTransform tl;
        tl.translate(14, 26);
        tl.rotate(-8);
        tl.scale(1.0, 1.0);
        QTransform tr;
        tr.translate(86, 10);
        tr.rotate(8);
        tr.scale(-1.0, 1.0);
        const QPainterPath l = tl.map(sole);
        const QPainterPath r = tr.map(sole);
        const QPainterPath &down = left ? l : r;
        const QPainterPath &up = left ? r : l;
        fillPath(p, down, Blue);
        strokePath(p, up, Slate, W * 0.8);
        // ground mark below the foot that touches down
        const QRectF b = down.boundingRect();
        line(p, QPointF(b.left() - 2, 95), QPointF(b.right() + 2, 95), Slate, 5);
    };
    add("left_touchdown", 64, [touchdown](QPainter &p) { touchdown(p, true); });
    add("right_touchdown", 64, [touchdown](QPainter &p) { touchdown(p, false); });
    add("body", 64, [](QPainter &p) {
        const QRectF box(4, 4, 92, 92);
        figure(p, box);
        const QPointF c(box.left() + 50 * 0.92, box.top() + 48.5 * 0.92);
        const qreal r = 12;
        fillPath(p, circle(c, r), White);
        QPainterPath q;
        q.moveTo(c);
        q.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 0, 90);
        q.closeSubpath();
        q.moveTo(c);
        q.arcTo(QRectF(c.x() - r, c.y() - r, 2 * r, 2 * r), 180, 90);
        q.closeSubpath();
        fillPath(p, q, Orange);
        strokePath(p, circle(c, r), Orange, 3);
    });
    add("balance", 64, [](QPainter &p) {
        // the support polygon on the floor, the centre of mass above it and
        // its plumb line meeting the floor inside
        QPainterPath floor;
        floor.moveTo(8, 86);
        floor.lineTo(26, 60);
        floor.lineTo(86, 60);
        floor.lineTo(94, 86);
        floor.closeSubpath();
        fillStroke(p, floor, QColor(0xBF, 0xE8, 0xD4), Green, 5);
        QPen dash(Slate, 5, Qt::DashLine, Qt::FlatCap);
        dash.setDashPattern({1.6, 1.2});
        p.setPen(dash);
        p.drawLine(QPointF(52, 34), QPointF(52, 70));
        p.setPen(Qt::NoPen);
        fillPath(p, circle(QPointF(52, 73), 7), Slate);
        fillStroke(p, circle(QPointF(52, 22), 15), Orange, Slate, 4);
    });
    add("movefoot", 64, [](QPainter &p) {
        // a foot dragged over the floor: its sole with arrows all round
        QTransform t;
        t.translate(40, 29);
        t.scale(0.62, 0.62);
        const QPainterPath foot = t.map(solePath());
        const QPointF c = foot.boundingRect().center();
        const QPointF dirs[4] = {QPointF(0, -1), QPointF(0, 1), QPointF(-1, 0), QPointF(1, 0)};
        for (const QPointF &d : dirs)
            arrow(p, c + d * 30, c + d * 48, Blue, W, 16, 15);
        halo(p, foot, 4);
        fillPath(p, foot, Blue);
    });
    add("zoom", 64, [](QPainter &p) {
        line(p, QPointF(62, 62), QPointF(86, 86), Slate, 17);
        fillStroke(p, circle(QPointF(41, 41), 28), LightBlue, Slate, W * 1.2);
        QPainterPath shine = arcPath(QPointF(41, 41), 17, 17, 100, 70);
        strokePath(p, shine, White, 6);
    });
    add("fit-screen", 64, [](QPainter &p) {
        const qreal a = 10, b = 90, l = 26, w = W * 1.2;
        QPainterPath c;
        c.moveTo(a, a + l); c.lineTo(a, a); c.lineTo(a + l, a);
        c.moveTo(b - l, a); c.lineTo(b, a); c.lineTo(b, a + l);
        c.moveTo(b, b - l); c.lineTo(b, b); c.lineTo(b - l, b);
        c.moveTo(a + l, b); c.lineTo(a, b); c.lineTo(a, b - l);
        strokePath(p, c, Slate, w);
        fillPath(p, rrect(33, 33, 34, 34, 7), Blue);
    });
    add("simulation", 64, [](QPainter &p) { simIcon(p, Green, Glyph::Play); });
    add("pause_si", 64, [](QPainter &p) { simIcon(p, Orange, Glyph::Pause); });
    add("stop_si", 64, [](QPainter &p) { simIcon(p, Red, Glyph::Stop); });
    add("playmusic", 64, [](QPainter &p) { musicIcon(p, Green, Glyph::Play); });
    add("pausemusic", 64, [](QPainter &p) { musicIcon(p, Orange, Glyph::Pause); });
    add("stopmusic", 64, [](QPainter &p) { musicIcon(p, Red, Glyph::Stop); });
    add("add_list", 64, [](QPainter &p) {
        listLines(p, {18, 42, 66}, {88, 88, 46}, Slate);
        badge(p, QPointF(74, 74), 22, Green, Glyph::Plus);
    });
    add("delete_list", 64, [](QPainter &p) {
        listLines(p, {18, 42, 66}, {88, 88, 46}, Slate);
        badge(p, QPointF(74, 74), 22, Red, Glyph::Minus);
    });

    // full button pictures
    add("mute_128x128", 128, [](QPainter &p) {
        speaker(p, Slate);
        line(p, QPointF(62, 38), QPointF(86, 62), Red, 9);
        line(p, QPointF(62, 62), QPointF(86, 38), Red, 9);
    });
    add("volume25_128x128", 128, [](QPainter &p) { volumeIcon(p, 1); });
    add("volume50_128x128", 128, [](QPainter &p) { volumeIcon(p, 2); });
    add("volume75_128x128", 128, [](QPainter &p) { volumeIcon(p, 3); });
    add("volume100_128x128", 128, [](QPainter &p) { volumeIcon(p, 4); });
    add("send_list", 128, [](QPainter &p) { sendList(p, false); });
    add("send_list_s", 128, [](QPainter &p) { sendList(p, true); });

    // logo and about picture
    add("head", 256, [](QPainter &p) { robotHead(p, QRectF(2, 8, 96, 96), 4.5); });
    add("robot-toy", 128, [](QPainter &p) {
        const qreal w = 3.2;
        // legs and feet
        fillStroke(p, rrect(34, 68, 13, 20, 4), White, Slate, w);
        fillStroke(p, rrect(53, 68, 13, 20, 4), White, Slate, w);
        fillPath(p, circle(QPointF(40.5, 78), 3), Blue);
        fillPath(p, circle(QPointF(59.5, 78), 3), Blue);
        fillStroke(p, rrect(27, 88, 21, 8, 3.5), Slate, Slate, w);
        fillStroke(p, rrect(52, 88, 21, 8, 3.5), Slate, Slate, w);
        // arms
        fillStroke(p, rrect(14, 44, 11, 26, 5), White, Slate, w);
        fillStroke(p, rrect(75, 44, 11, 26, 5), White, Slate, w);
        fillStroke(p, circle(QPointF(19.5, 73), 4.5), Slate, Slate, w * 0.5);
        fillStroke(p, circle(QPointF(80.5, 73), 4.5), Slate, Slate, w * 0.5);
        // torso
        fillStroke(p, rrect(27, 40, 46, 31, 8), White, Slate, w);
        fillPath(p, rrect(37, 46, 26, 13, 4), LightBlue);
        fillPath(p, circle(QPointF(50, 52.5), 3.5), Blue);
        // shoulder servos
        fillStroke(p, circle(QPointF(25, 47), 5.5), Blue, Slate, w * 0.8);
        fillStroke(p, circle(QPointF(75, 47), 5.5), Blue, Slate, w * 0.8);
        // neck and head
        fillPath(p, rrect(44, 36, 12, 6, 2), Slate);
        robotHead(p, QRectF(27, 0, 46, 46), w);
    });
    return v;
}

QImage render(const Icon &icon)
{
    QImage img(icon.size, icon.size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setRenderHint(QPainter::SmoothPixmapTransform, true);
    p.scale(icon.size / 100.0, icon.size / 100.0);
    icon.draw(p);
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

// ---------------------------------------------------------------- contact sheet
void contactSheet(const QVector<Icon> &list, const QVector<QImage> &imgs, const QString &file)
{
    const int cols = 4, cellW = 330, cellH = 118;
    const int rows = (list.size() + cols - 1) / cols;
    // large pictures shown at their own size below the grid, on white above grey
    QVector<QPoint> bigPos(list.size());
    int bx = 10, by = rows * cellH + 12, rowH = 0;
    for (int i = 0; i < list.size(); ++i) {
        const int sz = list[i].size;
        if (sz < 128)
            continue;
        if (bx + sz > cols * cellW - 10) {
            bx = 10;
            by += rowH + 12;
            rowH = 0;
        }
        bigPos[i] = QPoint(bx, by);
        bx += sz + 10;
        rowH = qMax(rowH, 2 * sz + 4);
    }
    const int bigH = by + rowH + 12 - rows * cellH;
    QImage sheet(cols * cellW, rows * cellH + bigH, QImage::Format_ARGB32);
    sheet.fill(White);
    QPainter p(&sheet);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont f("DejaVu Sans");
    f.setPixelSize(13);
    p.setFont(f);
    for (int i = 0; i < list.size(); ++i) {
        const int x = (i % cols) * cellW, y = (i / cols) * cellH;
        p.fillRect(x + cellW / 2, y, cellW / 2, cellH - 22, MidGrey);
        p.setPen(QColor(0xD0, 0xD5, 0xDC));
        p.drawRect(x, y, cellW - 1, cellH - 1);
        for (int half = 0; half < 2; ++half) {
            const int ox = x + half * cellW / 2 + 8;
            p.drawImage(QRect(ox, y + 14, 64, 64), imgs[i]);
            p.drawImage(QRect(ox + 74, y + 30, 32, 32), imgs[i]);
            p.drawImage(QRect(ox + 114, y + 34, 24, 24), imgs[i]);
        }
        p.setPen(Slate);
        p.drawText(QRect(x + 6, y + cellH - 22, cellW - 12, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QString("%1.png  (%2 px)").arg(list[i].name).arg(list[i].size));
    }
    for (int i = 0; i < list.size(); ++i) {
        if (list[i].size < 128)
            continue;
        const QPoint pos = bigPos[i];
        const int sz = list[i].size;
        p.drawImage(pos, imgs[i]);
        p.fillRect(pos.x(), pos.y() + sz + 4, sz, sz, MidGrey);
        p.drawImage(pos + QPoint(0, sz + 4), imgs[i]);
    }
    p.end();
    sheet.save(file);
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_DIR [CONTACT_SHEET.png]\n", argv[0]);
        return 1;
    }
    const QString outDir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(outDir);
    const QVector<Icon> list = icons();
    QVector<QImage> imgs;
    for (const Icon &icon : list) {
        const QImage img = render(icon);
        const QString file = QDir(outDir).filePath(icon.name + ".png");
        if (!img.save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
        imgs.push_back(img);
    }
    if (argc > 2)
        contactSheet(list, imgs, QString::fromLocal8Bit(argv[2]));
    std::printf("%d icons written to %s\n", list.size(), qPrintable(outDir));
    return 0;
}
