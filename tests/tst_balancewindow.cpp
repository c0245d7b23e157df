// Will it stand, in the window: every frame's margin in its caption and the
// frame info, the marks of frames that tip or nearly do, following the
// support mode and the masses; the overlay on the 3D view's floor; the mass
// file and its dialog.

#include <QtTest>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QPushButton>

#include "app/balancepanel.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"
#include "support/operationexample.h"
#include "support/view3dsupport.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"
#include "view3d/massdialog.h"
#include "view3d/openglwidget.h"
#include "view3d/viewtoolbar.h"

namespace {

const QColor kRed(205, 0, 0);
const QColor kOrange(225, 120, 0);

// Standing on both feet; the right leg lifted, the robot rolled over the
// left foot and leaning to its toes (1.0 mm inside); the right leg lifted
// alone (12.8 mm outside).
QByteArray stepMotion()
{
    return motionFile({frameRecord({}), frameRecord({{15, 200}, {10, 120}, {9, 150}}), frameRecord({{15, 200}})});
}

} // namespace

class TestBalanceWindow : public QObject, private WindowFixture
{
    Q_OBJECT

    BalancePanel *panel() const { return window->frameList().findChild<BalancePanel *>(); }

    void show()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(ui->openGLWidget->isReady());
        view3dtest::settle(*ui->openGLWidget);
    }

    // Opened, with every picture drawn.
    void open(const QByteArray &bytes)
    {
        WindowFixture::open(bytes);
        finishWalk();
    }

    QString caption(int row) const { return ui->listWidgetGraphicOperation->item(row)->text(); }
    QColor colour(int row) const { return ui->listWidgetGraphicOperation->item(row)->foreground().color(); }

    void clickItem(int row)
    {
        QListWidget *list = ui->listWidgetGraphicOperation;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(view3dtest::quietLog);
        startDir = QDir::currentPath();
    }
    void init() { start(); }
    void cleanup() { finish(); }

    void captionsAndFrameInfoShowTheMarginAndMarkWhatTips()
    {
        show();
        open(stepMotion());
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3);
        QCOMPARE(caption(0), QStringLiteral("F1, opr time:600, delay time:100, margin 24.1 mm"));
        QCOMPARE(caption(1), QStringLiteral("F2, opr time:600, delay time:100, margin 1.0 mm"));
        QCOMPARE(caption(2), QStringLiteral("F3, opr time:600, delay time:100, margin -12.8 mm"));
        // The first frame is the current one: selected, blue.
        QCOMPARE(colour(0), QColor(Qt::blue));
        QCOMPARE(colour(1), kOrange);
        QCOMPARE(colour(2), kRed);

        clickItem(2);
        QTRY_VERIFY(ui->textBrowserFrameInfo->toPlainText().endsWith(
            QStringLiteral("Balance: the centre of mass lies 12.8 mm outside the support of the left foot: the "
                           "robot tips.")));
        // A marked frame keeps its colour while selected; the one left goes black.
        QCOMPARE(colour(2), kRed);
        QCOMPARE(colour(0), QColor(Qt::black));
        clickItem(1);
        QTRY_VERIFY(ui->textBrowserFrameInfo->toPlainText().endsWith(
            QStringLiteral("Balance: the centre of mass lies only 1.0 mm inside the support of the left foot: a "
                           "small push tips the robot.")));
        clickItem(0);
        QTRY_VERIFY(ui->textBrowserFrameInfo->toPlainText().endsWith(
            QStringLiteral("Balance: the centre of mass lies 24.1 mm inside the support of both feet.")));
    }

    // An edit of the frame's angles in the table makes its caption and mark
    // again: the right leg put down, the lifted frame stands.
    void anEditFollows()
    {
        show();
        open(stepMotion());
        QAbstractItemModel *model = window->document().model();
        QVERIFY(model->setData(model->index(2, 15 - 2), 0));
        QTRY_COMPARE(caption(2), QStringLiteral("F3, opr time:600, delay time:100, margin 24.1 mm"));
        QCOMPARE(colour(2), QColor(Qt::black));
    }

    void theSupportModeDecidesTheMargins()
    {
        show();
        open(stepMotion());
        // Held at the body, the zero pose rests on the longer left leg alone.
        ui->actionBodyCentor->trigger();
        QCOMPARE(caption(0), QStringLiteral("F1, opr time:600, delay time:100, margin -12.8 mm"));
        QCOMPARE(colour(0), kRed);
        ui->actionLeft_foot_touchdown->trigger();
        QCOMPARE(caption(0), QStringLiteral("F1, opr time:600, delay time:100, margin 24.1 mm"));
    }

    void theOverlayShowsThePolygonAndTheCentreOnTheFloor()
    {
        show();
        OpenGLWidget *view = ui->openGLWidget;
        QAction *toggle = window->viewToolBar().balanceAction();
        QVERIFY(ui->toolBar_2->actions().contains(toggle));
        QVERIFY(!toggle->isChecked());
        QVERIFY(view->balancePolygonOnScreen().isEmpty());
        toggle->trigger();
        QVERIFY(view->balanceShown());
        QTRY_COMPARE(view->balancePolygonOnScreen().size(), 10);
        // Standing on both feet the centre lies inside the polygon, between the feet.
        const QPointF centre = view->balanceCentreOnScreen();
        QVERIFY(view->balancePolygonOnScreen().containsPoint(centre, Qt::OddEvenFill));
        const QImage picture = view->grabFramebuffer();
        const QColor dot = picture.pixelColor((centre * picture.devicePixelRatioF()).toPoint());
        QVERIFY2(dot.green() > dot.red() + 30 && dot.green() > dot.blue(), qPrintable(dot.name()));

        // The right leg lifted: the polygon is the left foot's, the centre outside it.
        view3dtest::setAngle(*view, 15, 20);
        view3dtest::settle(*view);
        QTRY_VERIFY(!view->balancePolygonOnScreen().containsPoint(view->balanceCentreOnScreen(), Qt::OddEvenFill));
        const QImage tipping = view->grabFramebuffer();
        const QColor red =
            tipping.pixelColor((view->balanceCentreOnScreen() * tipping.devicePixelRatioF()).toPoint());
        QVERIFY2(red.red() > red.green() + 30, qPrintable(red.name()));

        toggle->trigger();
        view3dtest::settle(*view);
        QTRY_VERIFY(view->balancePolygonOnScreen().isEmpty());
    }

    void theDialogSavesTheMassesAndTheCaptionsFollow()
    {
        show();
        open(stepMotion());
        BalancePanel *p = panel();
        QVERIFY(p);
        QVERIFY(ui->menuSetting->actions().contains(p->massesAction()));
        p->massesAction()->trigger();
        MassDialog *dialog = p->dialog();
        QVERIFY(dialog);
        QTRY_VERIFY(dialog->isVisible());
        // The sum of the parts as shown, each to the tenth of a gram.
        QCOMPARE(dialog->sumLabel()->text(), QStringLiteral("The robot weighs 1499.9 g."));
        // A heavy head: the lean to the toes tips now.
        dialog->partBox(robot3d::Head)->setValue(600);
        QCOMPARE(dialog->sumLabel()->text(), QStringLiteral("The robot weighs 1791.9 g."));
        dialog->okButton()->click();
        QCOMPARE(caption(1), QStringLiteral("F2, opr time:600, delay time:100, margin -3.1 mm"));
        QCOMPARE(colour(1), kRed);
        QFile file(QStringLiteral(".robot/masses"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray text = file.readAll();
        QVERIFY2(text.startsWith("head=600.0;\r\nhand-l-1="), text.constData());
        QCOMPARE(p->masses()[robot3d::Head], 600.0);

        // Sharing a total by volume puts the default back.
        p->massesAction()->trigger();
        dialog = p->dialog();
        QCOMPARE(dialog->partBox(robot3d::Head)->value(), 600.0);
        dialog->totalBox()->setValue(1500);
        dialog->shareButton()->click();
        QCOMPARE(dialog->partBox(robot3d::Head)->value(), 308.0);
        QCOMPARE(dialog->sumLabel()->text(), QStringLiteral("The robot weighs 1499.9 g."));
        dialog->okButton()->click();
        QCOMPARE(caption(1), QStringLiteral("F2, opr time:600, delay time:100, margin 1.0 mm"));
        QCOMPARE(prompt->calls.size(), 1);   // the open dialog only
    }

    void massesThatCannotBeSavedStayAsTheyWere()
    {
        show();
        open(stepMotion());
        prompt->calls.clear();
        // A folder where the file should be: the save is refused.
        QVERIFY(QDir().mkpath(QStringLiteral(".robot/masses")));
        bodymass::Masses heavy = panel()->masses();
        heavy[robot3d::Head] = 600;
        QVERIFY(!panel()->setMasses(heavy));
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(prompt->calls[0].title, QStringLiteral("error"));
        QVERIFY2(prompt->calls[0].text.startsWith(
                     QStringLiteral("The mass file %1 cannot be written: ")
                         .arg(QDir::current().absoluteFilePath(QStringLiteral(".robot/masses")))),
                 qPrintable(prompt->calls[0].text));
        QVERIFY(panel()->masses()[robot3d::Head] < 400);
        QCOMPARE(caption(1), QStringLiteral("F2, opr time:600, delay time:100, margin 1.0 mm"));
    }

    void aMassFileIsReadAtStartAndABadOneIsSaidOnceAndKept_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("margin");
        QTest::newRow("heavy head") << QByteArray("head=600;\r\n") << QString() << QStringLiteral("-3.1");
        QTest::newRow("unknown part") << QByteArray("head=600;\r\nneck=3;\r\n")
                                      << QStringLiteral("The mass file %1 has no mass in line 2: the parts share "
                                                        "1500 g by volume, and the file is left as it is.")
                                      << QStringLiteral("1.0");
    }
    void aMassFileIsReadAtStartAndABadOneIsSaidOnceAndKept()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, message);
        QFETCH(QString, margin);
        start(QString(), {{QStringLiteral(".robot/masses"), file}});
        show();
        QTRY_COMPARE(prompt->calls.size(), message.isEmpty() ? 0 : 1);
        if (!message.isEmpty()) {
            QCOMPARE(prompt->calls[0].title, QStringLiteral("error"));
            QCOMPARE(prompt->calls[0].text,
                     message.arg(QDir::current().absoluteFilePath(QStringLiteral(".robot/masses"))));
        }
        prompt->calls.clear();
        open(stepMotion());
        QCOMPARE(caption(1), QStringLiteral("F2, opr time:600, delay time:100, margin %1 mm").arg(margin));
        QFile kept(QStringLiteral(".robot/masses"));
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), file);
    }
};

QTEST_MAIN(TestBalanceWindow)
#include "tst_balancewindow.moc"
