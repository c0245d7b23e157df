// The curves view and the ease command in the window: a click on a frame's
// point makes it current, a drag sets the angle (held to the limits, one undo
// step), the preview's marker follows the playback, the ease asks through
// the dialogs seam and is taken back by one undo; and the redraw time of a
// long motion.

#include <QtTest>
#include <QElapsedTimer>
#include <QToolButton>

#include <algorithm>

#include <qcustomplot.h>

#include "app/curvespage.h"
#include "motion/curvesview.h"
#include "motion/easecommand.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "playback/playback.h"
#include "support/operationexample.h"
#include "support/processortime.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace frametable;

namespace {

// Four frames: standing, the head up and the left arm out, the head down,
// standing again; the second starts a loop the third ends, the third plays music.
QByteArray fourFrames()
{
    QByteArray bytes = "#This is a robot operation file.\r\nFLP:0;\r\nLED:0,0,0,0,0,0,0,0,0;\r\n";
    bytes += frameRecord(600, 100, {});
    bytes += "LPS:1;\r\n";
    bytes += frameRecord(800, 100, {{2, 300}, {3, 450}});
    bytes += frameRecord(800, 50, {{2, -300}}, 60, 3 * 16384 + 5);
    bytes += "LPE:;\r\n";
    bytes += frameRecord(600, 100, {});
    return bytes + "END:;\r\n\r\n";
}

} // namespace

class TestCurvesView : public QObject, private WindowFixture
{
    Q_OBJECT

    CurvesView *view() const { return window->findChild<CurvesView *>(); }
    MotionDocument &document() const { return window->document(); }

    // Opened in the one window of these tests, shown on the curves page.
    void openShown(const QByteArray &bytes)
    {
        prompt->calls.clear();
        prompt->answers.clear();
        window->frameList().selectedRows().clear();
        open(bytes);
        finishWalk();
        view()->setShownServos({2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18});
        view()->redraw();
    }

    // The four frames with servo 3 alone in view: where its point of frame 1
    // (45.0 degrees) lies.
    QPoint servo3OfFrame1()
    {
        openShown(fourFrames());
        view()->setShownServos({3});
        view()->redraw();
        return pixel(1, 3);
    }
    // Where an angle lies across the plot.
    int yOf(double degrees) const { return int(view()->plot()->yAxis->coordToPixel(degrees)); }

    QPoint pixel(int row, int servo) const
    {
        return view()->pointPosition(row, servo).toPoint();
    }

private slots:
    // One window for all (made and shown once: its 3D view takes a while to
    // start); each test opens its own motion in it, the 10 ms steps run by hand.
    void initTestCase()
    {
        start();
        window->stopTicks();
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        ui->tabWidget_3->setCurrentWidget(view());
        QTRY_VERIFY(view()->isVisible());
        // The pictures can be drawn (the preview waits for them).
        QTRY_VERIFY(ui->openGLWidget->isReady());
    }
    void cleanupTestCase() { finish(); }

    void pageSitsBesideTheFrameListAndTable()
    {
        QCOMPARE(ui->tabWidget_3->count(), 3);
        QCOMPARE(ui->tabWidget_3->widget(2), view());
        QCOMPARE(ui->tabWidget_3->tabText(2), QStringLiteral("curves"));
        QCOMPARE(view()->shownServos().size(), 17);
    }

    void linesFollowTheFramesOnTheTimeAxis()
    {
        openShown(fourFrames());
        CurvesView *v = view();
        v->setShownServos({2, 3});
        v->redraw();
        QCustomPlot *plot = v->plot();
        QCOMPARE(plot->graphCount(), 2);
        QCOMPARE(plot->graph(0)->name(), QStringLiteral("servo 2"));
        // Frame 1 stands from 0 to 700; frame 2 is reached at 1500 and held to
        // 1600; frame 3 at 2400 to 2450; frame 4 at 3050 to 3150.
        QVector<double> keys;
        QVector<double> values;
        for (auto it = plot->graph(0)->data()->constBegin(); it != plot->graph(0)->data()->constEnd(); ++it) {
            keys << it->key;
            values << it->value;
        }
        QCOMPARE(keys, (QVector<double>{0, 700, 1500, 1600, 2400, 2450, 3050, 3150}));
        QCOMPARE(values, (QVector<double>{0, 0, 30, 30, -30, -30, 0, 0}));
        // The loop is marked over its span with its passes.
        bool loopLabel = false;
        for (int i = 0; i < plot->itemCount(); ++i)
            if (auto *text = qobject_cast<QCPItemText *>(plot->item(i)))
                loopLabel = loopLabel || text->text() == QStringLiteral("loop x2");
        QVERIFY(loopLabel);
        // A change of a frame redraws once the change is done.
        document().setCell(1, 0, 100);
        QTRY_COMPARE(plot->graph(0)->data()->at(2)->value, 10.0);
    }

    void clickMakesTheFrameCurrent()
    {
        openShown(fourFrames());
        view()->setShownServos({2});
        view()->redraw();
        document().setCurrentRow(0);
        const auto history = document().undoHistory().size();
        QCOMPARE(view()->currentMarker(), 0.0);
        QTest::mouseClick(view()->plot(), Qt::LeftButton, Qt::NoModifier, pixel(2, 2));
        QCOMPARE(document().currentRow(), 2);
        QCOMPARE(view()->currentMarker(), 2400.0);
        // The joint panel shows that frame.
        QCOMPARE(window->jointPanel().angles()[0], -300);
        // A click away from every point only pans: the frame stays.
        QTest::mouseClick(view()->plot(), Qt::LeftButton, Qt::NoModifier, pixel(2, 2) + QPoint(0, 60));
        QCOMPARE(document().currentRow(), 2);
        // Nothing was edited.
        QCOMPARE(document().cell(2, 0), -300);
        QCOMPARE(document().undoHistory().size(), history);
    }

    // A drag whose last movements did not reach the view before the button
    // was let go (a busy window) still ends where the button went up.
    void dragEndsWhereTheButtonIsLetGo()
    {
        const QPoint from = servo3OfFrame1();
        QCustomPlot *plot = view()->plot();
        const auto history = document().undoHistory().size();
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(from.x(), yOf(48.0)));
        const int dragged = document().cell(1, servoColumn(3));
        QVERIFY2(qAbs(dragged - 480) <= 5, qPrintable(QString::number(dragged)));
        QCOMPARE(document().undoHistory().size(), history + 1);
    }

    void dragSetsTheAngleHeldToItsLimitAsOneUndoStep()
    {
        const QPoint from = servo3OfFrame1();
        CurvesView *v = view();
        QCustomPlot *plot = v->plot();
        const auto history = document().undoHistory().size();
        // Up by 3 degrees, in steps as a hand drags.
        const int target = yOf(48.0);
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, from);
        QCOMPARE(document().currentRow(), 1);
        for (int y = from.y(); y >= target; y -= 3)
            QTest::mouseMove(plot, QPoint(from.x(), y));
        QTest::mouseMove(plot, QPoint(from.x(), target));
        // Nothing is written before the drag ends.
        QCOMPARE(document().cell(1, servoColumn(3)), 450);
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(from.x(), target));
        const int dragged = document().cell(1, servoColumn(3));
        QVERIFY2(qAbs(dragged - 480) <= 5, qPrintable(QString::number(dragged)));
        QCOMPARE(window->jointPanel().angles()[servoColumn(3)], dragged);
        QCOMPARE(document().undoHistory().size(), history + 1);
        QVERIFY(document().isModified());

        // Far beyond the top: held at the joint's limit (the default +135.0).
        v->redraw();
        const QPoint again = pixel(1, 3);
        QTest::mousePress(plot, Qt::LeftButton, Qt::NoModifier, again);
        plot->yAxis->setRange(-20, 400);  // room to drag past the limit
        QTest::mouseMove(plot, QPoint(again.x(), yOf(300.0)));
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::NoModifier, QPoint(again.x(), yOf(300.0)));
        QCOMPARE(document().cell(1, servoColumn(3)), 1350);
        QCOMPARE(ui->statusBar->currentMessage(), QStringLiteral("servo 3 is held at its limit, 135 degrees."));
        QCOMPARE(document().undoHistory().size(), history + 2);

        // Each drag is one undo step.
        ui->actionUndo->trigger();
        QCOMPARE(document().cell(1, servoColumn(3)), dragged);
        ui->actionUndo->trigger();
        QCOMPARE(document().cell(1, servoColumn(3)), 450);
    }

    void previewMarkerFollowsThePlayback()
    {
        openShown(fourFrames());
        static qint64 now = 0;
        now = 0;
        window->playback().setClock([] { return now; });
        prompt->answers.enqueue(int(QMessageBox::No));  // the robot does not play along
        ui->actionSimulation->trigger();
        QCOMPARE(view()->previewMarker(), -1.0);
        now = 250;
        window->timerUpdate();
        QCOMPARE(view()->previewMarker(), 250.0);
        now = 900;  // frame 2 began at 700
        window->timerUpdate();
        QCOMPARE(view()->previewMarker(), 900.0);
        now = 1640;  // frame 3, 40 ms into its move
        window->timerUpdate();
        QCOMPARE(view()->previewMarker(), 1640.0);
        // The loop sends the preview back to frame 2: the marker follows.
        now = 2500;
        window->timerUpdate();
        QCOMPARE(view()->previewMarker(), 700.0 + 50.0);
        ui->actionStop_simulation->trigger();
        QCOMPARE(view()->previewMarker(), -1.0);
    }

    void easeAsksShowsTheCostAndIsOneUndoStep()
    {
        openShown(fourFrames());
        const editing::Snapshot before = document().model()->state();
        window->frameList().selectedRows() = {1, 2};
        prompt->calls.clear();
        prompt->answers.enqueue(QStringLiteral("ease in-out (smoothstep)"));
        prompt->answers.enqueue(4);
        prompt->answers.enqueue(int(QMessageBox::Yes));
        view()->easeButton()->click();

        QCOMPARE(prompt->calls.size(), 3);
        QCOMPARE(prompt->calls[0].kind, QStringLiteral("item"));
        QCOMPARE(prompt->calls[0].title, QStringLiteral("ease"));
        QCOMPARE(prompt->calls[0].text, QStringLiteral("curve:"));
        QCOMPARE(prompt->calls[1].kind, QStringLiteral("integer"));
        QCOMPARE(prompt->calls[1].text, QStringLiteral("steps:"));
        QCOMPARE(prompt->calls[2].kind, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[2].title, QStringLiteral("ease"));
        const QStringList lines = prompt->calls[2].text.split(QLatin1Char('\n'));
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], QStringLiteral("Ease the moves into frames 2, 3 with the curve \"ease in-out (smoothstep)\" "
                                          "in 4 steps?"));
        QCOMPARE(lines[1], QStringLiteral("Frames added: 6 (10 frames in all)."));
        // Six more DebugFrame requests, each 30 ms apart and on the cable's line
        // for well under a millisecond.
        const QRegularExpressionMatch cable = QRegularExpression(
            QStringLiteral("^The download to the robot takes (\\d+) ms longer over the cable\\.$")).match(lines[2]);
        QVERIFY2(cable.hasMatch(), qPrintable(lines[2]));
        QVERIFY(cable.captured(1).toInt() >= 180 && cable.captured(1).toInt() <= 186);

        // Steps in, the marks on their own frames, the list in step.
        QCOMPARE(document().rowCount(), 10);
        QCOMPARE(window->frameList().count(), 10);
        QCOMPARE(document().cell(4, ColLoopFlag), LoopStart);
        QCOMPARE(document().cell(4, ColDelayTime), 100);
        QCOMPARE(document().cell(8, ColLoopFlag), LoopEnd);
        QCOMPARE(document().cell(8, ColMusicControl), 3);
        for (int row : {1, 2, 3, 5, 6, 7}) {
            QCOMPARE(document().cell(row, ColLoopFlag), LoopNone);
            QCOMPARE(document().cell(row, ColMusicControl), 0);
            QCOMPARE(document().cell(row, ColDelayTime), 0);
            QCOMPARE(document().cell(row, ColOperationTime), 200);
        }
        QCOMPARE(document().cell(2, 0), 150);  // smoothstep halfway of 0 -> 300
        QCOMPARE(document().currentRow(), 4);
        QVERIFY(window->frameList().selectedRows().isEmpty());
        QVERIFY(document().isModified());

        // One undo takes it all back, one redo brings it again.
        ui->actionUndo->trigger();
        QCOMPARE(document().rowCount(), 4);
        QCOMPARE(window->frameList().count(), 4);
        QVERIFY(document().model()->state() == before);
        ui->actionRedo->trigger();
        QCOMPARE(document().rowCount(), 10);
    }

    void easeOverBluetoothAndItsRefusals()
    {
        openShown(fourFrames());
        ui->checkBoxBle->click();
        document().setCurrentRow(3);
        prompt->calls.clear();
        prompt->answers.enqueue(QStringLiteral("ease out"));
        prompt->answers.enqueue(2);
        prompt->answers.enqueue(int(QMessageBox::No));
        view()->easeButton()->click();
        QCOMPARE(prompt->calls.size(), 3);
        QVERIFY2(prompt->calls[2].text.startsWith(QStringLiteral("Ease the move into frame 4 with the curve \"ease out\" in 2 steps?\nFrames added: 1 (5 frames in all).\n")),
                 qPrintable(prompt->calls[2].text));
        // One frame more: 200 ms gap and about 60 ms on a 9600 baud line.
        const QRegularExpressionMatch ble = QRegularExpression(
            QStringLiteral("The download to the robot takes (\\d+) ms longer over Bluetooth\\.$"))
                                                .match(prompt->calls[2].text);
        QVERIFY2(ble.hasMatch(), qPrintable(prompt->calls[2].text));
        QVERIFY(ble.captured(1).toInt() >= 250 && ble.captured(1).toInt() <= 275);
        // Answered no: nothing changes.
        QCOMPARE(document().rowCount(), 4);
        const auto history = document().undoHistory().size();

        // Too many steps for the move: said once, with the reason, nothing changes.
        prompt->calls.clear();
        prompt->answers.enqueue(QStringLiteral("linear"));
        prompt->answers.enqueue(31);
        view()->easeButton()->click();
        QCOMPARE(prompt->calls.size(), 3);
        QCOMPARE(prompt->calls[2].title, QStringLiteral("warning"));
        QCOMPARE(prompt->calls[2].text, QStringLiteral("The move into frame 4 takes 600 ms, too short for 31 steps of "
                                                       "at least 20 ms each: it allows at most 30 steps."));
        QCOMPARE(document().rowCount(), 4);
        QCOMPARE(document().undoHistory().size(), history);

        // The first frame has no move into it.
        document().setCurrentRow(0);
        prompt->calls.clear();
        prompt->answers.enqueue(QStringLiteral("linear"));
        prompt->answers.enqueue(4);
        view()->easeButton()->click();
        QCOMPARE(prompt->calls.size(), 3);
        QCOMPARE(prompt->calls[2].text,
                 QStringLiteral("Choose a frame after the first: the first frame has no move into it to ease."));

        // Cancelled at the curve: nothing asked after it.
        prompt->calls.clear();
        view()->easeButton()->click();
        QCOMPARE(prompt->calls.size(), 1);
        QCOMPARE(document().rowCount(), 4);
        ui->checkBoxBle->click();  // back to the cable for the tests after
    }

    void redrawsALongMotionQuickly()
    {
        // 1,000 frames of 17 moving joints, put in at once (no walk needed).
        QVector<int> flat;
        for (int r = 0; r < 1000; ++r) {
            QVector<int> row(ColumnCount, 0);
            for (int c = 0; c < 17; ++c)
                row[c] = int(600 * std::sin(r * 0.05 + c));
            row[ColOperationTime] = 300 + r % 7;
            row[ColDelayTime] = r % 3 ? 0 : 50;
            flat += row;
        }
        document().restore(flat);
        QCOMPARE(view()->shownServos().size(), 17);
        view()->redraw();
        // The window thread's processor time: what the redraw costs, whatever
        // other processes take of the machine meanwhile.
        QVector<qint64> times;
        for (int i = 0; i < 7; ++i) {
            const qint64 before = threadProcessorUs();
            view()->redraw();
            times << threadProcessorUs() - before;
        }
        std::sort(times.begin(), times.end());
        qInfo("redraw of 1000 frames x 17 joints: min %.1f ms, median %.1f ms, max %.1f ms", times.first() / 1000.0,
              times[times.size() / 2] / 1000.0, times.last() / 1000.0);
        QCOMPARE(view()->plot()->graph(16)->data()->size(), 1000 + 334);
        QVERIFY2(times.first() < 30000, qPrintable(QString::number(times.first())));
    }
};

QTEST_MAIN(TestCurvesView)
#include "tst_curvesview.moc"
