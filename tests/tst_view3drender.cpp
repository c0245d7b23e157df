// Pictures of the 3D view against reference pictures kept in
// tests/data/view3d-render: poses in the three support modes, a highlighted
// joint, the camera from the side and from behind (the background pans), the
// five backgrounds and the picking pass. A faster renderer must draw the same
// pictures: every pixel within a small difference of the reference.
//
// Each rendered picture, and a picture of the differences where there are any,
// is left in artifacts/. GAITFORGE_WRITE_REFERENCES=1 writes the rendered
// pictures as the new references instead of comparing.

#include <QtTest>
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QtMath>

#include "app/resourceinit.h"
#include "app/startup.h"
#include "support/view3dsupport.h"
#include "view3d/scenemath.h"

using namespace robot3d;
using namespace view3dtest;

namespace {

// A pixel differs when one of its channels moves by more than this.
constexpr int kChannelTolerance = 12;
// Share of pixels that may differ that much (edges of the texture's mipmaps).
constexpr double kDifferingShare = 0.002;
// No pixel may differ by more than this in any channel.
constexpr int kMaxDifference = 64;

struct Comparison {
    int maxDifference = 0;
    double differingShare = 0;
    double meanDifference = 0;
    QImage differences;
};

Comparison compare(const QImage &a, const QImage &b)
{
    Comparison c;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    c.differences = QImage(x.size(), QImage::Format_RGB32);
    c.differences.fill(Qt::black);
    qint64 differing = 0;
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const QRgb *p = reinterpret_cast<const QRgb *>(x.constScanLine(row));
        const QRgb *q = reinterpret_cast<const QRgb *>(y.constScanLine(row));
        QRgb *d = reinterpret_cast<QRgb *>(c.differences.scanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            const int dr = qAbs(qRed(p[col]) - qRed(q[col]));
            const int dg = qAbs(qGreen(p[col]) - qGreen(q[col]));
            const int db = qAbs(qBlue(p[col]) - qBlue(q[col]));
            const int m = qMax(dr, qMax(dg, db));
            c.maxDifference = qMax(c.maxDifference, m);
            sum += m;
            if (m > kChannelTolerance)
                ++differing;
            // Differences shown eight times brighter.
            d[col] = qRgb(qMin(255, dr * 8), qMin(255, dg * 8), qMin(255, db * 8));
        }
    }
    const double pixels = double(x.width()) * x.height();
    c.differingShare = differing / pixels;
    c.meanDifference = sum / pixels;
    return c;
}

} // namespace

class TestView3dRender : public QObject
{
    Q_OBJECT

    std::unique_ptr<OpenGLWidget> view;
    QString artifacts;
    QString references;
    bool writing = false;

    void setAngle(int joint, float degrees) { view->jointAngles[joint - kFirstJoint] = degrees; }
    void clearAngles() { std::fill(std::begin(view->jointAngles), std::end(view->jointAngles), 0.0f); }

    // Puts the camera at 2.2 units from the origin at polar angle theta and
    // azimuth phi, looking at (0, 1, 0) (where the reference pictures were
    // taken from), and waits until it is there.
    void placeCamera(int theta, int phi)
    {
        const double pi = 3.1415925;   // as the references' orbit took it
        const double t = theta * pi / 180.0, p = phi * pi / 180.0;
        view->lookFrom(QVector3D(float(2.2 * std::sin(t) * std::cos(p)), float(2.2 * std::cos(t)),
                                 float(2.2 * std::sin(t) * std::sin(p))));
        settle(*view);
    }

    void home()
    {
        view->resetView();
        settle(*view);
    }

    QImage picture()
    {
        view->update_scene();
        return view->grabFramebuffer();
    }

    void check(const QString &name, const QImage &image)
    {
        QVERIFY(!image.isNull());
        image.save(artifacts + QStringLiteral("/render-") + name + QStringLiteral(".png"));
        const QString path = references + QLatin1Char('/') + name + QStringLiteral(".png");
        if (writing) {
            QVERIFY(image.convertToFormat(QImage::Format_RGB32).save(path));
            return;
        }
        const QImage reference(path);
        QVERIFY2(!reference.isNull(), qPrintable(QStringLiteral("no reference picture ") + path));
        QCOMPARE(image.size(), reference.size());
        const Comparison c = compare(image, reference);
        std::printf("render %-22s max %3d, mean %.3f, %.4f%% of pixels over %d\n", qPrintable(name), c.maxDifference,
                    c.meanDifference, c.differingShare * 100, kChannelTolerance);
        if (c.maxDifference > 0)
            c.differences.save(artifacts + QStringLiteral("/render-") + name + QStringLiteral("-difference.png"));
        QVERIFY2(c.maxDifference <= kMaxDifference, qPrintable(name));
        QVERIFY2(c.differingShare <= kDifferingShare, qPrintable(name));
    }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(quietLog);
        initGaitForgeResources();
        artifacts = artifactsDir();
        references = qEnvironmentVariable("GAITFORGE_TEST_DATA") + QStringLiteral("/view3d-render");
        writing = qEnvironmentVariableIntValue("GAITFORGE_WRITE_REFERENCES") == 1;
        if (writing)
            QDir().mkpath(references);
        view = std::make_unique<OpenGLWidget>();
        giveResources(*view);
        view->resize(400, 300);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view.get()));
        QTRY_VERIFY(view->isReady());
        settle(*view);
    }

    void cleanupTestCase() { view.reset(); }

    void standing()
    {
        home();
        clearAngles();
        view->supportMode = 0;
        view->selectedJoint = 2;
        check(QStringLiteral("stand"), picture());
    }

    void posesInEverySupportMode()
    {
        home();
        clearAngles();
        view->selectedJoint = 0;
        // The bent pose and a lean on the right.
        bendLeftKnee(*view);
        setAngle(14, 12);
        setAngle(18, 12);
        for (int mode : {0, 1, 2}) {
            view->supportMode = mode;
            check(QStringLiteral("pose-support%1").arg(mode), picture());
        }
        view->supportMode = 0;
    }

    void highlightedJoint()
    {
        home();
        clearAngles();
        view->supportMode = 0;
        view->selectedJoint = 9;
        check(QStringLiteral("selected9"), picture());
    }

    void cameraAround()
    {
        clearAngles();
        view->selectedJoint = 0;
        view->supportMode = 0;
        const struct { int theta, phi; } places[] = {{80, 45}, {80, 270}, {60, 0}, {100, 135}};
        for (const auto &p : places) {
            placeCamera(p.theta, p.phi);
            check(QStringLiteral("camera-%1-%2").arg(p.theta).arg(p.phi), picture());
        }
        home();
    }

    void backgrounds()
    {
        clearAngles();
        view->selectedJoint = 2;
        for (int b = 1; b <= 5; ++b) {
            home();
            view->backgroundChoice = b;
            check(QStringLiteral("background%1").arg(b), picture());
            placeCamera(70, 200);
            check(QStringLiteral("background%1-turned").arg(b), picture());
        }
        // Another picture seen from the same place (the frame must not reuse
        // the last one's background).
        view->backgroundChoice = 3;
        check(QStringLiteral("background3-turned"), picture());
        view->backgroundChoice = 1;
        home();
    }

    void pickingPass()
    {
        home();
        clearAngles();
        view->supportMode = 0;
        view->selectedJoint = 2;
        setAngle(4, -60);
        setAngle(8, -40);
        view->update_scene();
        check(QStringLiteral("select-pass"), view->grabSelectPass());
    }
};

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    TestView3dRender test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_view3drender.moc"
