// gaitForge 3D view picture generator.
//
// Paints the five background pictures (bubble, sun, mountains, moon,
// afternoon) and the floor as JPEG files.
//
// How the view shows a background: the picture is 2:1; the view shows a
// square of it (as high as the picture, half as wide) stretched over the whole
// view, and pans it sideways and up and down as the camera turns, mirroring it
// at its edges. At the front view the left half is shown, shifted down by an
// eighth of the height (the lowest eighth of the view mirrors the picture's
// bottom). So each scene is painted on a canvas kSqueeze times wider than the
// file and then squeezed, which makes round things look round on a wide view;
// its main subject sits in the left half, and its ground in the lowest quarter.
//
// Usage: textures OUTPUT_DIR

#include <QGuiApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>
#include <cstdio>
#include <functional>

namespace {

const int kWidth = 2048;
const int kHeight = 1024;
const double kSqueeze = 1.7;          // typical width / height of the 3D view
const int kCanvasWidth = int(kWidth * kSqueeze);

using Painter = std::function<void(QPainter &, double w, double h)>;

QImage paintScene(const Painter &paint)
{
    QImage canvas(kCanvasWidth, kHeight, QImage::Format_RGB32);
    canvas.fill(Qt::black);
    {
        QPainter p(&canvas);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, kCanvasWidth, kHeight);
    }
    return canvas.scaled(kWidth, kHeight, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void verticalGradient(QPainter &p, double w, double h, const QVector<QPair<double, QColor>> &stops)
{
    QLinearGradient g(0, 0, 0, h);
    for (const auto &s : stops)
        g.setColorAt(s.first, s.second);
    p.fillRect(QRectF(0, 0, w, h), g);
}

void glow(QPainter &p, QPointF c, double r, QColor inner, QColor outer)
{
    QRadialGradient g(c, r);
    g.setColorAt(0, inner);
    g.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(c, r, r);
}

// A soft cloud made of overlapping puffs.
void cloud(QPainter &p, QPointF c, double size, QColor colour, QColor shade)
{
    p.setPen(Qt::NoPen);
    const double puffs[][3] = {{-1.0, 0.15, 0.45}, {-0.45, -0.15, 0.6}, {0.15, -0.3, 0.7},
                               {0.7, -0.05, 0.55}, {1.15, 0.2, 0.4}, {0.1, 0.2, 0.55}};
    for (const auto &q : puffs) {
        QRadialGradient g(QPointF(c.x() + q[0] * size, c.y() + q[1] * size - q[2] * size * 0.3), q[2] * size * 1.2);
        g.setColorAt(0, colour);
        g.setColorAt(0.75, colour);
        g.setColorAt(1, shade);
        p.setBrush(g);
        p.drawEllipse(QPointF(c.x() + q[0] * size, c.y() + q[1] * size), q[2] * size, q[2] * size * 0.8);
    }
}

// A smooth ridge line through random heights, closed down to the bottom.
QPainterPath ridge(double w, double h, double base, double amplitude, int peaks, quint32 seed, double sharp = 0.0)
{
    QRandomGenerator rng(seed);
    QPainterPath path;
    const int steps = 400;
    QVector<double> heights(peaks + 3);
    for (double &v : heights)
        v = rng.generateDouble();
    path.moveTo(0, h);
    for (int i = 0; i <= steps; ++i) {
        const double x = w * i / steps;
        const double t = double(i) / steps * peaks;
        const int k = int(t);
        const double f = t - k;
        const double s = (1 - std::cos(f * M_PI)) / 2;
        double y = heights[k] * (1 - s) + heights[k + 1] * s;
        // Sharper peaks: bend the curve towards its tips.
        y = std::pow(y, 1.0 + sharp);
        y += 0.08 * std::sin(x / w * 37.0 + seed) * std::sin(x / w * 11.0);
        path.lineTo(x, base - amplitude * y);
    }
    path.lineTo(w, h);
    path.closeSubpath();
    return path;
}

// A mountain range: straight slopes between alternating peaks and saddles,
// roughened with small steps, closed down to the bottom.
QPainterPath range(double w, double h, double base, double amplitude, int peaks, quint32 seed)
{
    QRandomGenerator rng(seed);
    QVector<QPointF> points;
    for (int i = 0; i <= 2 * peaks; ++i) {
        const double x = w * (i + (i > 0 && i < 2 * peaks ? 0.7 * (rng.generateDouble() - 0.5) : 0)) / (2 * peaks);
        const double top = i % 2 ? 0.4 + 0.6 * rng.generateDouble() : 0.1 + 0.35 * rng.generateDouble();
        points.append(QPointF(x, base - amplitude * top));
    }
    QPainterPath path;
    path.moveTo(0, h);
    for (int i = 0; i + 1 < points.size(); ++i) {
        const int steps = 24;
        for (int k = 0; k < steps; ++k) {
            const double t = double(k) / steps;
            const QPointF p = points[i] * (1 - t) + points[i + 1] * t;
            path.lineTo(p.x(), p.y() + amplitude * 0.03 * (rng.generateDouble() - 0.5));
        }
    }
    path.lineTo(points.last());
    path.lineTo(w, h);
    path.closeSubpath();
    return path;
}

// ---------------------------------------------------------------- the scenes

void bubble(QPainter &p, double w, double h)
{
    verticalGradient(p, w, h, {{0.0, QColor(120, 200, 245)}, {0.45, QColor(176, 222, 250)},
                               {0.75, QColor(250, 206, 236)}, {1.0, QColor(255, 228, 240)}});
    // Soft light from the top left.
    glow(p, QPointF(w * 0.12, h * 0.1), h * 0.9, QColor(255, 255, 255, 110), QColor(255, 255, 255, 0));
    QRandomGenerator rng(7);
    const QColor tints[] = {QColor(255, 150, 200), QColor(130, 200, 255), QColor(255, 220, 120),
                            QColor(170, 140, 255), QColor(120, 230, 200)};
    for (int i = 0; i < 90; ++i) {
        const double r = h * (0.015 + 0.09 * std::pow(rng.generateDouble(), 2.2));
        const QPointF c(rng.generateDouble() * w, rng.generateDouble() * h * 0.95);
        const QColor tint = tints[rng.bounded(5)];
        // Thin shell: clear middle, tinted rim, a bright highlight.
        QRadialGradient g(c, r);
        QColor mid = tint;
        mid.setAlpha(18);
        QColor rim = tint;
        rim.setAlpha(120);
        g.setColorAt(0, QColor(255, 255, 255, 10));
        g.setColorAt(0.72, mid);
        g.setColorAt(0.93, rim);
        g.setColorAt(1.0, QColor(255, 255, 255, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawEllipse(c, r, r);
        p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.5, r * 0.04)));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - r * 0.8, c.y() - r * 0.8, r * 1.6, r * 1.6), 95 * 16, 70 * 16);
        glow(p, QPointF(c.x() - r * 0.42, c.y() - r * 0.42), r * 0.2, QColor(255, 255, 255, 210),
             QColor(255, 255, 255, 0));
    }
}

void sun(QPainter &p, double w, double h)
{
    verticalGradient(p, w, h, {{0.0, QColor(38, 120, 222)}, {0.5, QColor(96, 172, 240)},
                               {0.74, QColor(176, 218, 248)}, {0.78, QColor(150, 200, 110)},
                               {1.0, QColor(92, 156, 70)}});
    const QPointF s(w * 0.13, h * 0.36);
    // Rays.
    p.save();
    p.translate(s);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 24; ++i) {
        p.rotate(15);
        QPainterPath ray;
        ray.moveTo(0, -h * 0.02);
        ray.lineTo(h * 0.75, -h * 0.06);
        ray.lineTo(h * 0.75, h * 0.06);
        ray.lineTo(0, h * 0.02);
        QLinearGradient g(0, 0, h * 0.75, 0);
        g.setColorAt(0, QColor(255, 250, 200, 70));
        g.setColorAt(1, QColor(255, 250, 200, 0));
        p.setBrush(g);
        p.drawPath(ray);
    }
    p.restore();
    glow(p, s, h * 0.42, QColor(255, 250, 210, 230), QColor(255, 240, 190, 0));
    glow(p, s, h * 0.12, QColor(255, 255, 240), QColor(255, 236, 150));
    p.setBrush(QColor(255, 246, 200));
    p.drawEllipse(s, h * 0.105, h * 0.105);
    for (const auto &c : {QPointF(0.42, 0.22), QPointF(0.62, 0.4), QPointF(0.86, 0.18), QPointF(0.3, 0.55),
                          QPointF(0.75, 0.6)})
        cloud(p, QPointF(w * c.x(), h * c.y()), h * 0.08, QColor(255, 255, 255, 235), QColor(225, 235, 250, 0));
    // Rolling meadow.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(126, 186, 92));
    p.drawPath(ridge(w, h, h * 0.8, h * 0.06, 5, 11));
    p.setBrush(QColor(98, 164, 72));
    p.drawPath(ridge(w, h, h * 0.86, h * 0.05, 7, 12));
    p.setBrush(QColor(80, 146, 60));
    p.drawPath(ridge(w, h, h * 0.93, h * 0.04, 9, 13));
}

void mountains(QPainter &p, double w, double h)
{
    verticalGradient(p, w, h, {{0.0, QColor(92, 142, 204)}, {0.55, QColor(182, 212, 236)},
                               {0.7, QColor(226, 236, 242)}, {1.0, QColor(210, 225, 230)}});
    cloud(p, QPointF(w * 0.2, h * 0.2), h * 0.06, QColor(255, 255, 255, 200), QColor(255, 255, 255, 0));
    cloud(p, QPointF(w * 0.7, h * 0.15), h * 0.05, QColor(255, 255, 255, 180), QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    // Far range; snow on every peak above a ragged snow line.
    const QPainterPath far = range(w, h, h * 0.64, h * 0.46, 6, 4);
    QLinearGradient rock(0, h * 0.2, 0, h * 0.64);
    rock.setColorAt(0, QColor(128, 146, 176));
    rock.setColorAt(1, QColor(160, 178, 202));
    p.setBrush(rock);
    p.drawPath(far);
    p.save();
    p.setClipPath(far);
    QPainterPath snow;
    snow.moveTo(0, 0);
    snow.lineTo(w, 0);
    QRandomGenerator jag(8);
    for (int i = 200; i >= 0; --i) {
        const double x = w * i / 200;
        const double y = h * (0.36 + 0.025 * std::sin(x / w * 90) + 0.02 * jag.generateDouble());
        snow.lineTo(x, y);
    }
    snow.closeSubpath();
    QLinearGradient snowShade(0, h * 0.2, 0, h * 0.4);
    snowShade.setColorAt(0, QColor(252, 253, 255));
    snowShade.setColorAt(1, QColor(214, 226, 240));
    p.setBrush(snowShade);
    p.drawPath(snow);
    p.restore();
    p.setBrush(QColor(104, 128, 156));
    p.drawPath(range(w, h, h * 0.74, h * 0.24, 9, 22));
    p.setBrush(QColor(72, 104, 118));
    p.drawPath(ridge(w, h, h * 0.8, h * 0.12, 12, 31, 0.3));
    // Pine forest along the valley floor.
    QRandomGenerator rng(5);
    for (int i = 0; i < 260; ++i) {
        const double x = rng.generateDouble() * w;
        const double base = h * (0.82 + 0.12 * rng.generateDouble());
        const double th = h * (0.04 + 0.05 * rng.generateDouble());
        const int shade = 40 + rng.bounded(30);
        p.setBrush(QColor(shade - 10, shade + 40, shade + 10));
        QPainterPath tree;
        tree.moveTo(x, base - th);
        tree.lineTo(x + th * 0.28, base);
        tree.lineTo(x - th * 0.28, base);
        tree.closeSubpath();
        p.drawPath(tree);
    }
    p.setBrush(QColor(60, 104, 70));
    p.drawRect(QRectF(0, h * 0.94, w, h * 0.06));
}

void moon(QPainter &p, double w, double h)
{
    verticalGradient(p, w, h, {{0.0, QColor(6, 10, 34)}, {0.55, QColor(22, 30, 78)},
                               {0.8, QColor(52, 46, 104)}, {1.0, QColor(30, 26, 60)}});
    QRandomGenerator rng(17);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 900; ++i) {
        const QPointF c(rng.generateDouble() * w, rng.generateDouble() * h * 0.85);
        const double r = 0.6 + 2.2 * std::pow(rng.generateDouble(), 4);
        p.setBrush(QColor(255, 255, 235, 120 + rng.bounded(135)));
        p.drawEllipse(c, r * 1.0, r);
        if (r > 2.0)
            glow(p, c, r * 5, QColor(200, 210, 255, 80), QColor(200, 210, 255, 0));
    }
    const QPointF m(w * 0.14, h * 0.3);
    const double r = h * 0.13;
    glow(p, m, r * 3.2, QColor(190, 200, 255, 90), QColor(190, 200, 255, 0));
    QRadialGradient face(QPointF(m.x() - r * 0.3, m.y() - r * 0.3), r * 1.4);
    face.setColorAt(0, QColor(255, 252, 232));
    face.setColorAt(1, QColor(206, 204, 190));
    p.setBrush(face);
    p.drawEllipse(m, r, r);
    const double craters[][3] = {{-0.35, -0.2, 0.22}, {0.25, 0.3, 0.17}, {0.3, -0.35, 0.12},
                                 {-0.15, 0.45, 0.1}, {0.5, 0.0, 0.08}, {-0.55, 0.2, 0.09}};
    for (const auto &c : craters) {
        glow(p, QPointF(m.x() + c[0] * r, m.y() + c[1] * r), c[2] * r, QColor(180, 178, 164, 200),
             QColor(200, 198, 184, 0));
    }
    // Dark hills and a few lit windows.
    p.setBrush(QColor(28, 26, 56));
    p.drawPath(ridge(w, h, h * 0.84, h * 0.1, 6, 41));
    p.setBrush(QColor(14, 14, 34));
    p.drawPath(ridge(w, h, h * 0.92, h * 0.07, 9, 43));
    for (int i = 0; i < 40; ++i) {
        const QPointF c(rng.generateDouble() * w, h * (0.93 + 0.05 * rng.generateDouble()));
        glow(p, c, 6, QColor(255, 210, 120, 220), QColor(255, 200, 100, 0));
    }
}

void afternoon(QPainter &p, double w, double h)
{
    verticalGradient(p, w, h, {{0.0, QColor(96, 140, 196)}, {0.35, QColor(236, 186, 150)},
                               {0.62, QColor(252, 168, 98)}, {0.76, QColor(255, 200, 130)},
                               {1.0, QColor(150, 110, 80)}});
    const QPointF s(w * 0.12, h * 0.56);
    glow(p, s, h * 0.6, QColor(255, 230, 170, 200), QColor(255, 200, 140, 0));
    glow(p, s, h * 0.2, QColor(255, 246, 210, 200), QColor(255, 220, 160, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 244, 206));
    p.drawEllipse(s, h * 0.075, h * 0.075);
    for (const auto &c : {QPointF(0.35, 0.28), QPointF(0.6, 0.2), QPointF(0.85, 0.35), QPointF(0.1, 0.18)})
        cloud(p, QPointF(w * c.x(), h * c.y()), h * 0.07, QColor(255, 214, 190, 220), QColor(250, 190, 170, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(186, 120, 96));
    p.drawPath(ridge(w, h, h * 0.74, h * 0.08, 4, 51));
    p.setBrush(QColor(150, 96, 80));
    p.drawPath(ridge(w, h, h * 0.8, h * 0.06, 6, 52));
    // Golden fields in rows.
    for (int i = 0; i < 6; ++i) {
        const double y = h * (0.8 + 0.035 * i);
        QLinearGradient g(0, y, 0, y + h * 0.035);
        g.setColorAt(0, QColor(214 - 10 * i, 160 - 12 * i, 70 - 5 * i));
        g.setColorAt(1, QColor(190 - 10 * i, 130 - 12 * i, 60 - 5 * i));
        p.setBrush(g);
        p.drawRect(QRectF(0, y, w, h * 0.036));
    }
    // A line of poplars.
    QRandomGenerator rng(9);
    for (int i = 0; i < 60; ++i) {
        const double x = rng.generateDouble() * w;
        const double th = h * (0.05 + 0.04 * rng.generateDouble());
        p.setBrush(QColor(90, 70, 50));
        p.drawEllipse(QPointF(x, h * 0.8 - th / 2), th * 0.16, th / 2);
    }
}

void floorPicture(QImage &img)
{
    const int n = img.width();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A square stage: a rim, then tiles with thin joints, and a ring in the
    // middle where the robot stands.
    p.fillRect(img.rect(), QColor(70, 78, 92));
    const double rim = n * 0.045;
    QRectF inner(rim, rim, n - 2 * rim, n - 2 * rim);
    p.fillRect(inner, QColor(150, 156, 166));
    const int tiles = 8;
    const double t = inner.width() / tiles;
    QRandomGenerator rng(3);
    for (int i = 0; i < tiles; ++i)
        for (int j = 0; j < tiles; ++j) {
            const int v = rng.bounded(10);
            const QColor c = ((i + j) % 2) ? QColor(132 + v, 140 + v, 152 + v) : QColor(112 + v, 120 + v, 134 + v);
            p.fillRect(QRectF(inner.x() + i * t + 2, inner.y() + j * t + 2, t - 4, t - 4), c);
        }
    p.setPen(QPen(QColor(88, 96, 110), 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(inner);
    const QPointF c(n / 2.0, n / 2.0);
    p.setPen(QPen(QColor(70, 150, 220, 200), n * 0.012));
    p.drawEllipse(c, n * 0.22, n * 0.22);
    p.setPen(QPen(QColor(70, 150, 220, 110), n * 0.006));
    p.drawEllipse(c, n * 0.27, n * 0.27);
    // A soft shadow under the robot.
    glow(p, c, n * 0.16, QColor(40, 44, 52, 120), QColor(40, 44, 52, 0));
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: textures OUTPUT_DIR\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    const struct {
        const char *name;
        Painter paint;
    } scenes[] = {{"background_pop", bubble}, {"background_sun", sun}, {"background_mountains", mountains},
                  {"background_moon", moon}, {"background_afternoon", afternoon}};
    for (const auto &s : scenes) {
        const QString path = dir + QLatin1Char('/') + QLatin1String(s.name) + QStringLiteral(".jpg");
        if (!paintScene(s.paint).save(path, "JPG", 88)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    QImage floor(1024, 1024, QImage::Format_RGB32);
    floorPicture(floor);
    if (!floor.save(dir + QStringLiteral("/floor.jpg"), "JPG", 90))
        return 1;
    return 0;
}
