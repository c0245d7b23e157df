// The frame editing commands in the window, each case in its own temporary
// working directory with the scripted dialogs seam: inserting frames, the
// transition frame, remove, cut, copy and paste, mirror and reverse through
// the joint panel, undo and redo with the settle snapshot, and the frame
// list's context menu for loops and music.

#include <QtTest>
#include <cstdio>
#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QDial>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTemporaryDir>

#include "app/mainwindow.h"
#include "motion/filecommands.h"
#include "motion/frameeditor.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"
#include "app/startup.h"
#include "motion/frametable.h"
#include "support/operationexample.h"
#include "support/scriptedprompt.h"
#include "support/windowfixture.h"
#include "ui_mainwindow.h"

using namespace frametable;

namespace {

// Frames told apart by their operation times 100, 200, ...
QList<QByteArray> numberedFrames(int count)
{
    QList<QByteArray> lines;
    for (int i = 1; i <= count; ++i)
        lines << frameRecord(100 * i, 0, {{2, i}});
    return lines;
}

void quietLog(QtMsgType type, const QMessageLogContext &, const QString &)
{
    if (type == QtFatalMsg)
        abort();
}

} // namespace

class TestFrameEditing : public QObject, private WindowFixture
{
    Q_OBJECT


    void open(const QByteArray &bytes)
    {
        WindowFixture::open(bytes);
        finishWalk();
        settle();
    }

    // Shown, with the 3D view ready to draw the pictures.
    void showWindow()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY(ui->openGLWidget->isReady());
    }

    // Enough ticks for the edit settle countdown to record its snapshot.
    void settle()
    {
        for (int i = 0; i < 4; ++i)
            window->timerUpdate();
    }

    int rows() const { return window->document().model()->rowCount(); }
    int cell(int row, int column) const { return window->document().cell(row, column); }
    QVector<int> operationTimes() const
    {
        QVector<int> times;
        for (int r = 0; r < rows(); ++r)
            times << cell(r, ColOperationTime);
        return times;
    }
    QSpinBox *box(int servo) const { return window->jointPanel().angleBoxes()[servo - 2]; }

private slots:
    void initTestCase()
    {
        qInstallMessageHandler(quietLog);
        startDir = QDir::currentPath();
    }
    void init()
    {
        start();
        settle();   // the empty table's snapshot
    }
    void cleanup() { finish(); }

    // ------------------------------------------------------------ inserting frames

    void copyFrameInsertsThePanelAfterTheCurrentFrame()
    {
        // No current frame: the new frame is row 0.
        box(5)->setValue(250);
        ui->spinBoxOperationTime->setValue(700);
        window->frameList().heldKeys().ctrl = true;
        ui->actionCopy_frame->trigger();
        QVERIFY(!window->frameList().heldKeys().ctrl);
        QCOMPARE(rows(), 1);
        QCOMPARE(cell(0, servoColumn(5)), 250);
        QCOMPARE(cell(0, ColOperationTime), 700);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 1);

        open(motionFile(numberedFrames(3)));
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        box(9)->setValue(-120);
        ui->actionCopy_frame->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 200, 200, 300}));
        QCOMPARE(cell(2, servoColumn(9)), -120);
        QCOMPARE(cell(2, 0), 2);
        QCOMPARE(ui->tableView->currentIndex().row(), 2);
        QCOMPARE(ui->tableView->currentIndex().column(), 0);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 4);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 2);
        QCOMPARE(window->document().editSettleCountdown(), 100);
    }

    void originFrameTakesTheOriginAngles()
    {
        open(motionFile(numberedFrames(2)));
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        for (int i = 0; i < 19; ++i)
            window->document().originAngles()[i] = 10 * i - 50;
        ui->spinBoxDelayTime->setValue(333);
        ui->actionOrigin_frame->trigger();
        QCOMPARE(rows(), 3);
        for (int i = 0; i < 19; ++i)
            QCOMPARE(cell(1, i), 10 * i - 50);
        QCOMPARE(cell(1, ColDelayTime), 333);
        // The panel now shows the new frame.
        QCOMPARE(box(20)->value(), 130);
    }

    void transitionFrame()
    {
        open(motionFile({frameRecord(601, 201, {{3, 100}, {18, 7}}, 40), frameRecord(300, 50, {{3, -301}}), frameRecord(500, 0)}));
        window->document().setCell(0, ColLoopFlag, LoopStart);
        window->document().setCell(0, ColLoopTimes, 4);
        window->frameList().selectedRows() = {1, 0};
        ui->actionTransition_frame->trigger();
        QCOMPARE(rows(), 4);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{0, 1}));
        QCOMPARE(cell(1, servoColumn(3)), -100);
        QCOMPARE(cell(1, servoColumn(18)), 3);
        QCOMPARE(cell(0, ColOperationTime), 300);
        QCOMPARE(cell(1, ColOperationTime), 300);
        QCOMPARE(cell(0, ColDelayTime), 100);
        QCOMPARE(cell(1, ColDelayTime), 100);
        QCOMPARE(cell(1, ColLoopFlag), 0);
        QCOMPARE(cell(1, ColLoopTimes), 0);
        QCOMPARE(cell(0, ColLoopFlag), LoopStart);
        QCOMPARE(cell(1, ColVolume), 40);
        QCOMPARE(cell(2, ColOperationTime), 300);
        QCOMPARE(cell(2, servoColumn(3)), -301);
        QCOMPARE(window->document().model()->data(window->document().model()->index(1, 5), Qt::EditRole).type(), QVariant::Int);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 4);
        QCOMPARE(ui->tableView->currentIndex().row(), 1);
    }

    void transitionNeedsTwoAdjacentRows_data()
    {
        QTest::addColumn<QVector<int>>("selected");
        QTest::newRow("three rows") << QVector<int>{0, 1, 2};
        QTest::newRow("rows 2 and 4") << QVector<int>{2, 4};
        QTest::newRow("one row") << QVector<int>{1};
        QTest::newRow("last row and one past it") << QVector<int>{4, 5};
    }

    void transitionNeedsTwoAdjacentRows()
    {
        QFETCH(QVector<int>, selected);
        open(motionFile(numberedFrames(5)));
        window->frameList().selectedRows() = selected;
        ui->statusBar->clearMessage();
        ui->actionTransition_frame->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 200, 300, 400, 500}));
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 5);
        // Nothing happens, and the status bar says why.
        QCOMPARE(ui->statusBar->currentMessage(),
                 QStringLiteral("Transition frame needs two selected frames next to each other."));
    }

    // ------------------------------------------------------------ remove, cut, copy, paste

    void removeNothingSelectedNoCurrentRow()
    {
        open(motionFile(numberedFrames(3)));
        ui->tableView->setCurrentIndex(QModelIndex());
        window->frameList().selectedRows().clear();
        ui->actionRemove->trigger();
        QCOMPARE(rows(), 3);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 2);
        QCOMPARE(ui->tableView->currentIndex().row(), 2);
        QCOMPARE(ui->spinBoxOperationTime->value(), 300);
        QCOMPARE(window->document().editSettleCountdown(), 100);
    }

    void removeCurrentRow()
    {
        open(motionFile(numberedFrames(3)));
        ui->listWidgetGraphicOperation->setCurrentRow(2);
        window->frameList().selectedRows().clear();
        ui->actionRemove->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 200}));
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 2);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 1);
        QCOMPARE(ui->spinBoxOperationTime->value(), 200);
        // Down to an empty table.
        ui->actionRemove->trigger();
        ui->actionRemove->trigger();
        QCOMPARE(rows(), 0);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 0);
        ui->actionRemove->trigger();
        QCOMPARE(rows(), 0);
    }

    void removeSelectedRowsOnce()
    {
        open(motionFile(numberedFrames(5)));
        ui->listWidgetGraphicOperation->setCurrentRow(4);
        window->frameList().selectedRows() = {3, 1, 9};
        ui->actionRemove->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 300, 500}));
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3);
        QVERIFY(window->frameList().selectedRows().isEmpty());
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 2);
        // A second remove takes only the current frame, not the frames that
        // moved into the removed rows.
        ui->actionRemove->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 300}));
    }

    void cutThenPaste()
    {
        open(motionFile(numberedFrames(5)));
        window->frameList().selectedRows() = {3, 1};
        ui->actionCut->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 300, 500}));
        QCOMPARE(window->document().copiedFrames().size(), 2 * ColumnCount);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3);
        QCOMPARE(window->document().editSettleCountdown(), 100);

        ui->listWidgetGraphicOperation->setCurrentRow(0);
        QCOMPARE(ui->tableView->currentIndex().row(), 0);
        ui->actionPaste->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{100, 200, 400, 300, 500}));
        QCOMPARE(cell(2, 0), 4);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 5);
        QCOMPARE(window->frameList().refreshState(), 1);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 0);
        finishWalk();
        // The list shows item i for frame i.
        for (int r = 0; r < 5; ++r)
            QVERIFY2(ui->listWidgetGraphicOperation->item(r)->text().startsWith(
                         QStringLiteral("F%1, opr time:%2,").arg(r + 1).arg(cell(r, ColOperationTime))),
                     qPrintable(ui->listWidgetGraphicOperation->item(r)->text()));
    }

    // Click frame 1, Shift-click frame 3, cut: the list, the table's current
    // row and the panel show one frame, and a panel edit writes that frame.
    void cutLeavesListTableAndPanelOnOneFrame()
    {
        open(motionFile(numberedFrames(6)));
        QListWidget *list = ui->listWidgetGraphicOperation;
        auto click = [&](int row, bool shift) {
            window->frameList().heldKeys().shift = shift;
            list->setCurrentRow(row);
            emit list->itemClicked(list->item(row));
            window->frameList().heldKeys().shift = false;
        };
        click(0, false);
        click(2, true);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{0, 1, 2}));
        ui->actionCut->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{400, 500, 600}));
        const int shown = list->currentRow();
        QVERIFY(shown >= 0 && shown < 3);
        QCOMPARE(ui->tableView->currentIndex().row(), shown);
        QCOMPARE(ui->spinBoxOperationTime->value(), cell(shown, ColOperationTime));
        QCOMPARE(box(2)->value(), cell(shown, 0));
        ui->spinBoxOperationTime->setValue(770);
        ui->spinBoxOperationTime->setValue(780);
        QVector<int> expected{400, 500, 600};
        expected[shown] = 780;
        QCOMPARE(operationTimes(), expected);
    }

    void pasteWithoutCurrentFrameGoesFirst()
    {
        open(motionFile(numberedFrames(3)));
        window->frameList().selectedRows() = {2};
        ui->actionCopy->trigger();
        QCOMPARE(rows(), 3);
        ui->tableView->setCurrentIndex(QModelIndex());
        ui->actionPaste->trigger();
        QCOMPARE(operationTimes(), (QVector<int>{300, 100, 200, 300}));
        finishWalk();
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 4);
        QVERIFY(ui->listWidgetGraphicOperation->item(0)->text().startsWith(QStringLiteral("F1, opr time:300,")));
    }

    void copyNothingEmptiesTheClipboard()
    {
        open(motionFile(numberedFrames(3)));
        window->frameList().selectedRows() = {0};
        ui->actionCopy->trigger();
        QCOMPARE(window->document().copiedFrames().size(), ColumnCount);
        window->frameList().selectedRows().clear();
        ui->actionCopy->trigger();
        QVERIFY(window->document().copiedFrames().isEmpty());
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        ui->actionPaste->trigger();
        QCOMPARE(rows(), 3);
        finishWalk();
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3);
    }

    // Pasting many frames takes one picture, and one snapshot records them.
    void aLongPasteIsQuickWhileShown()
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        open(motionFile(numberedFrames(2)));
        for (int f = 0; f < 3000; ++f)
            for (int c = 0; c < ColumnCount; ++c)
                window->document().copiedFrames() << (c == ColOperationTime ? f : 0);
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        QElapsedTimer clock;
        clock.start();
        ui->actionPaste->trigger();
        const qint64 pasteMs = clock.elapsed();
        clock.restart();
        settle();
        const qint64 snapshotMs = clock.elapsed();
        clock.restart();
        ui->actionUndo->trigger();
        const qint64 undoMs = clock.elapsed();
        std::printf("frameediting: 3000 frames pasted in %lld ms, snapshot ticks %lld ms, undone in %lld ms\n",
                    pasteMs, snapshotMs, undoMs);
        QCOMPARE(rows(), 2);
        QVERIFY2(pasteMs < 5000, qPrintable(QString::number(pasteMs)));
        QVERIFY2(undoMs < 5000, qPrintable(QString::number(undoMs)));
        ui->actionRedo->trigger();
        QCOMPARE(rows(), 3002);
        QCOMPARE(cell(3000, ColOperationTime), 2999);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 3002);
    }

    // ------------------------------------------------------------ mirror, reverse

    void mirrorThroughThePanel()
    {
        open(motionFile({frameRecord(100, 0, {{2, 50}, {3, 300}, {11, -100}, {10, 20}, {19, 70}}), frameRecord(200, 0)}));
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        ui->actionMirror->trigger();
        QCOMPARE(cell(0, servoColumn(2)), -50);
        QCOMPARE(cell(0, servoColumn(3)), 100);
        QCOMPARE(cell(0, servoColumn(11)), -300);
        QCOMPARE(cell(0, servoColumn(10)), 0);
        QCOMPARE(cell(0, servoColumn(18)), -20);
        QCOMPARE(cell(0, servoColumn(19)), 70);
        QCOMPARE(box(3)->value(), 100);
        QCOMPARE(cell(1, servoColumn(3)), 0);
        QCOMPARE(ui->tableView->currentIndex().column(), 0);
    }

    void reverseTwiceRestores()
    {
        QMap<int, int> angles;
        for (int servo = 2; servo <= 20; ++servo)
            angles[servo] = servo * 13 - 120;
        open(motionFile({frameRecord(100, 0, angles)}));
        ui->actionReverse->trigger();
        for (int servo = 2; servo <= 18; ++servo)
            QCOMPARE(cell(0, servoColumn(servo)), -angles[servo]);
        QCOMPARE(cell(0, servoColumn(19)), angles[19]);
        QCOMPARE(cell(0, servoColumn(20)), angles[20]);
        ui->actionReverse->trigger();
        for (int servo = 2; servo <= 20; ++servo)
            QCOMPARE(cell(0, servoColumn(servo)), angles[servo]);
    }

    void mirrorWithoutCurrentFrameDoesNothing()
    {
        box(3)->setValue(300);
        ui->actionMirror->trigger();
        ui->actionReverse->trigger();
        QCOMPARE(box(3)->value(), 300);
        QCOMPARE(box(11)->value(), 0);
    }

    // ------------------------------------------------------------ undo, redo

    void undoRedoRoundTrip()
    {
        QCOMPARE(int(window->document().undoHistory().size()), 1);   // the empty table at start
        QVERIFY(window->document().undoHistory().front().isEmpty());
        ui->actionCopy_frame->trigger();
        settle();
        QCOMPARE(int(window->document().undoHistory().size()), 2);
        QCOMPARE(int(window->document().isModified()), 1);
        QVERIFY(ui->actionSave->isEnabled());
        box(4)->setValue(111);
        settle();
        box(4)->setValue(222);
        settle();
        QCOMPARE(int(window->document().undoHistory().size()), 4);

        // Selecting the frame rewrites the same values: no new step.
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        settle();
        QCOMPARE(int(window->document().undoHistory().size()), 4);

        window->document().setModified(false);
        window->frameList().selectedRows() = {0};
        ui->actionUndo->trigger();
        QVERIFY(window->frameList().selectedRows().isEmpty());
        QCOMPARE(int(window->document().isModified()), 1);
        QVERIFY(ui->actionRedo->isEnabled());
        finishWalk();
        settle();
        QCOMPARE(cell(0, servoColumn(4)), 111);
        QCOMPARE(int(window->document().undoHistory().size()), 3);
        QCOMPARE(int(window->document().redoStack().size()), 1);

        // Undo, an edit, then redo: the edit ended the redo history, so redo
        // brings nothing back over it.
        box(6)->setValue(-5);
        settle();
        QVERIFY(window->document().redoStack().empty());
        QVERIFY(!ui->actionRedo->isEnabled());
        ui->actionRedo->trigger();
        finishWalk();
        settle();
        QCOMPARE(cell(0, servoColumn(4)), 111);
        QCOMPARE(cell(0, servoColumn(6)), -5);

        // Back to the empty table, then presses that find nothing disable.
        for (int i = 0; i < 3; ++i) {
            ui->actionUndo->trigger();
            finishWalk();
            settle();
        }
        QCOMPARE(rows(), 0);
        QCOMPARE(ui->listWidgetGraphicOperation->count(), 0);
        QVERIFY(ui->actionUndo->isEnabled());
        ui->actionUndo->trigger();
        QVERIFY(!ui->actionUndo->isEnabled());
        QCOMPARE(rows(), 0);
        for (int i = 0; i < 3; ++i)
            ui->actionRedo->trigger();
        QVERIFY(ui->actionRedo->isEnabled());
        ui->actionRedo->trigger();
        QVERIFY(!ui->actionRedo->isEnabled());
        finishWalk();
        QCOMPARE(cell(0, servoColumn(4)), 111);
        QCOMPARE(cell(0, servoColumn(6)), -5);
        QVERIFY(ui->actionUndo->isEnabled());
    }

    // Undo and redo show the frame they changed, with the joint that was
    // selected; an edit typed next lands there, and ends the redo history.
    void undoAndRedoShowTheFrameTheyChange()
    {
        QList<QByteArray> lines;
        for (int i = 1; i <= 5; ++i)
            lines << frameRecord(100 * i, 0, {{2, i}, {11, 10 * i}});
        open(motionFile(lines));
        QListWidget *list = ui->listWidgetGraphicOperation;
        list->setCurrentRow(3);
        box(7)->setValue(123);
        settle();
        // Elsewhere, another joint picked.
        list->setCurrentRow(1);
        ui->radioButtonRhand1->click();
        QCOMPARE(ui->spinBoxAngle->value(), 20);

        ui->actionUndo->trigger();
        QCOMPARE(cell(3, servoColumn(7)), 0);
        QCOMPARE(window->document().currentRow(), 3);
        QCOMPARE(list->currentRow(), 3);
        QVERIFY(ui->radioButtonRhand1->isChecked());
        QCOMPARE(ui->openGLWidget->selectedJoint, 11);
        QCOMPARE(ui->spinBoxAngle->value(), 40);
        QCOMPARE(ui->dialSetAngle->value(), 40);
        finishWalk();
        QCOMPARE(list->currentRow(), 3);

        // Redo, from elsewhere, comes back to the frame it changes.
        list->setCurrentRow(0);
        ui->actionRedo->trigger();
        QCOMPARE(cell(3, servoColumn(7)), 123);
        QCOMPARE(list->currentRow(), 3);
        QVERIFY(ui->radioButtonRhand1->isChecked());
        finishWalk();
        settle();

        // Undo again; the nudge of the dial lands in the frame shown, and a
        // redo pressed before the edit settled keeps the edit.
        ui->actionUndo->trigger();
        finishWalk();
        settle();
        ui->spinBoxAngle->setValue(41);
        QCOMPARE(cell(3, servoColumn(11)), 41);
        ui->actionRedo->trigger();
        finishWalk();
        settle();
        QCOMPARE(cell(3, servoColumn(11)), 41);
        QCOMPARE(cell(3, servoColumn(7)), 0);
        QVERIFY(window->document().redoStack().empty());
        for (int r : {0, 1, 2, 4})
            QCOMPARE(cell(r, servoColumn(11)), 10 * (r + 1));

        // An undo pressed before the edit settled takes back that edit, not
        // the one before it.
        ui->spinBoxAngle->setValue(42);
        ui->actionUndo->trigger();
        finishWalk();
        QCOMPARE(cell(3, servoColumn(11)), 41);
        QCOMPARE(list->currentRow(), 3);
    }

    // Inserting a frame undone: the frame now at its place is current.
    void undoOfAnInsertShowsItsPlace()
    {
        open(motionFile(numberedFrames(4)));
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        ui->actionOrigin_frame->trigger();
        settle();
        QCOMPARE(rows(), 5);
        ui->listWidgetGraphicOperation->setCurrentRow(4);
        ui->actionUndo->trigger();
        QCOMPARE(rows(), 4);
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 2);
        QCOMPARE(operationTimes(), (QVector<int>{100, 200, 300, 400}));
    }

    // An undo or redo of one changed frame redraws that frame's picture
    // only: the other items stay as they are, pictures and all.
    void undoRedrawsOnlyTheChangedFrame()
    {
        showWindow();
        open(motionFile(numberedFrames(6)));
        QListWidget *list = ui->listWidgetGraphicOperation;
        list->setCurrentRow(3);
        box(7)->setValue(123);
        settle();
        finishWalk();
        list->setCurrentRow(0);
        QVector<QListWidgetItem *> items;
        for (int r = 0; r < list->count(); ++r) {
            items << list->item(r);
            QVERIFY(!window->frameList().picturePending(r));
        }
        for (QAction *step : {ui->actionUndo, ui->actionRedo}) {
            step->trigger();
            QCOMPARE(list->count(), 6);
            for (int r = 0; r < 6; ++r) {
                QCOMPARE(list->item(r), items[r]);
                QCOMPARE(window->frameList().picturePending(r), r == 3);
            }
            QCOMPARE(list->currentRow(), 3);
            finishWalk();
        }
        QCOMPARE(cell(3, servoColumn(7)), 123);
    }

    // An undone insert takes its item away; the frames after it keep their
    // pictures and show their new numbers.
    void undoOfAnInsertKeepsTheOtherPictures()
    {
        showWindow();
        open(motionFile(numberedFrames(4)));
        QListWidget *list = ui->listWidgetGraphicOperation;
        list->setCurrentRow(1);
        ui->actionOrigin_frame->trigger();
        settle();
        finishWalk();
        QCOMPARE(list->count(), 5);
        const QVector<QListWidgetItem *> kept{list->item(0), list->item(1), list->item(3), list->item(4)};
        ui->actionUndo->trigger();
        QCOMPARE(list->count(), 4);
        for (int r = 0; r < 4; ++r) {
            QCOMPARE(list->item(r), kept[r]);
            QVERIFY(!window->frameList().picturePending(r));
            QVERIFY2(list->item(r)->text().startsWith(QStringLiteral("F%1,").arg(r + 1)),
                     qPrintable(list->item(r)->text()));
        }
        // Redone: the frame comes back as a new item whose picture is drawn.
        ui->actionRedo->trigger();
        QCOMPARE(list->count(), 5);
        for (int r = 0; r < 5; ++r) {
            QCOMPARE(window->frameList().picturePending(r), r == 2);
            QVERIFY(list->item(r)->text().startsWith(QStringLiteral("F%1,").arg(r + 1)));
        }
        QCOMPARE(list->item(4), kept[3]);
    }

    // Shift-click selects the range from the last plain click, painted; a
    // plain click after it leaves one frame painted, also after the rows
    // moved under the selection.
    void selectionColours()
    {
        open(motionFile(numberedFrames(8)));
        QListWidget *list = ui->listWidgetGraphicOperation;
        auto click = [&](int row, bool shift) {
            window->frameList().heldKeys().shift = shift;
            list->setCurrentRow(row);
            emit list->itemClicked(list->item(row));
            window->frameList().heldKeys().shift = false;
        };
        auto painted = [&] {
            QVector<int> rows;
            for (int r = 0; r < list->count(); ++r)
                if (list->item(r)->background().color() == QColor(Qt::gray))
                    rows << r;
            return rows;
        };
        click(0, false);
        click(7, true);
        QCOMPARE(window->frameList().selectedRows(), (QVector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        QCOMPARE(painted(), (QVector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        click(6, false);
        QCOMPARE(painted(), QVector<int>{6});
        click(2, true);
        QCOMPARE(painted(), (QVector<int>{2, 3, 4, 5, 6}));
        // A frame inserted in the painted range moves the painted items.
        list->setCurrentRow(3);
        ui->actionOrigin_frame->trigger();
        click(0, false);
        QCOMPARE(painted(), QVector<int>{0});
    }

    void twoHundredEditsKeep180Snapshots()
    {
        ui->actionCopy_frame->trigger();
        settle();
        for (int i = 1; i <= 200; ++i) {
            box(2)->setValue(i);
            settle();
        }
        QCOMPARE(int(window->document().undoHistory().size()), 180);
        int steps = 0;
        while (ui->actionUndo->isEnabled() && steps < 500) {
            ui->actionUndo->trigger();
            ++steps;
        }
        QCOMPARE(steps, 180);   // 179 undos, then the press that disables
        finishWalk();
        QCOMPARE(cell(0, 0), 21);
    }

    // ------------------------------------------------------------ context menu

    void contextMenuEntries()
    {
        open(motionFile(numberedFrames(2)));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QListWidget *list = ui->listWidgetGraphicOperation;
        list->setCurrentRow(1);
        QStringList texts;
        QStringList submenu;
        bool seen = false;
        QTimer::singleShot(50, [&] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            if (!menu)
                return;
            seen = true;
            for (QAction *a : menu->actions()) {
                texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
                if (a->menu())
                    for (QAction *s : a->menu()->actions())
                        submenu << s->objectName();
                if (a->text() == QLatin1String("loop start")) {
                    prompt->answers.enqueue(12);
                    a->trigger();
                }
            }
            menu->close();
        });
        // An empty place of the list opens nothing.
        const QPoint empty(list->viewport()->width() - 2, list->viewport()->height() - 2);
        QVERIFY(!list->itemAt(empty));
        emit list->customContextMenuRequested(empty);
        QVERIFY(!seen);
        emit list->customContextMenuRequested(list->visualItemRect(list->item(1)).center());
        QVERIFY(seen);
        QCOMPARE(texts, (QStringList{"insert frame", "-", "&cut", "c&opy", "&paste", "r&emove frame", "-",
                                     "loop start", "loop end", "cancel loop", "-", "play music", "pause music",
                                     "stop music", "cancel music"}));
        QCOMPARE(submenu, (QStringList{"actionOrigin_frame", "actionCopy_frame", "actionTransition_frame"}));
        QCOMPARE(cell(1, ColLoopFlag), LoopStart);
        QCOMPARE(cell(1, ColLoopTimes), 12);
        QCOMPARE(prompt->calls.last().title, QStringLiteral("Please input the loop times"));
        QCOMPARE(prompt->calls.last().text, QStringLiteral("loop times:"));
        // The form's actions outlive the menu.
        QVERIFY(ui->actionCut->associatedWidgets().size() >= 2);
    }

    void loopEntries()
    {
        open(motionFile(numberedFrames(3)));
        ui->listWidgetGraphicOperation->setCurrentRow(2);
        // A cancelled box still marks a loop start, with loop times 0.
        window->frameEditor().loopStart();
        QCOMPARE(cell(2, ColLoopFlag), LoopStart);
        QCOMPARE(cell(2, ColLoopTimes), 0);
        // The caption shows the mark at once (before the frame's balance margin).
        QVERIFY2(ui->listWidgetGraphicOperation->item(2)->text().endsWith(QStringLiteral(", lps(0), margin 24.1 mm")),
                 qPrintable(ui->listWidgetGraphicOperation->item(2)->text()));
        QCOMPARE(window->document().editSettleCountdown(), 100);
        window->document().setCell(2, ColLoopTimes, 9);
        window->frameEditor().loopEnd();
        QCOMPARE(cell(2, ColLoopFlag), LoopEnd);
        QCOMPARE(cell(2, ColLoopTimes), 9);
        window->frameEditor().loopCancel();
        QCOMPARE(cell(2, ColLoopFlag), 0);
        QCOMPARE(cell(2, ColLoopTimes), 0);
        QCOMPARE(cell(1, ColLoopFlag), 0);
    }

    void playMusic_data()
    {
        QTest::addColumn<QVariantList>("answers");
        QTest::addColumn<QVector<int>>("expected");   // control, type, folder, file
        QTest::newRow("7, wav, flash") << QVariantList{7, "wav", "flash"} << QVector<int>{3, 1, 1, 7};
        QTest::newRow("typed MP3") << QVariantList{4095, "MP3", "sd card"} << QVector<int>{3, 0, 0, 4095};
        QTest::newRow("typed unknown type") << QVariantList{2, "ogg", "flash"} << QVector<int>{3, 0, 1, 2};
        QTest::newRow("folder cancelled") << QVariantList{5, "wav"} << QVector<int>{3, 1, 0, 5};
        QTest::newRow("all cancelled") << QVariantList{} << QVector<int>{3, 0, 0, 0};
    }

    void playMusic()
    {
        QFETCH(QVariantList, answers);
        QFETCH(QVector<int>, expected);
        open(motionFile(numberedFrames(2)));
        ui->listWidgetGraphicOperation->setCurrentRow(1);
        window->document().setCell(1, ColMusicFolder, 1);
        for (const QVariant &a : answers)
            prompt->answers.enqueue(a);
        window->frameEditor().playMusic();
        QCOMPARE((QVector<int>{cell(1, ColMusicControl), cell(1, ColMusicType), cell(1, ColMusicFolder),
                               cell(1, ColMusicFile)}),
                 expected);
        // The frame's caption shows the music at once (before the balance margin).
        QVERIFY2(ui->listWidgetGraphicOperation->item(1)->text().endsWith(QStringLiteral(", play music, margin 24.1 mm")),
                 qPrintable(ui->listWidgetGraphicOperation->item(1)->text()));
        QCOMPARE(prompt->calls.size(), 4);   // the open dialog, then the three questions
        QCOMPARE(prompt->calls[1].title, QStringLiteral("Please input the music number"));
        QCOMPARE(prompt->calls[1].text, QStringLiteral("music number:"));
        QCOMPARE(prompt->calls[2].title, QStringLiteral("Please select the music file type:"));
        QCOMPARE(prompt->calls[2].text, QStringLiteral("music file type:"));
        QCOMPARE(prompt->calls[3].title, QStringLiteral("Please select the music file folder:"));
        QCOMPARE(prompt->calls[3].text, QStringLiteral("music file folder:"));
    }

    void playMusicIsWrittenToTheFile()
    {
        open(motionFile(numberedFrames(2)));
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        prompt->answers << 7 << QStringLiteral("wav") << QStringLiteral("flash");
        window->frameEditor().playMusic();
        QVERIFY(window->fileCommands().write(QStringLiteral("out.ini")));
        QFile f(QStringLiteral("out.ini"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QVERIFY2(bytes.contains(",100,0,61447,"), bytes.constData());
    }

    void musicEntries()
    {
        open(motionFile(numberedFrames(2)));
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        window->frameEditor().pauseMusic();
        QCOMPARE(cell(0, ColMusicControl), 1);
        window->frameEditor().stopMusic();
        QCOMPARE(cell(0, ColMusicControl), 2);
        for (int c : {ColMusicType, ColMusicFolder, ColMusicFile})
            window->document().setCell(0, c, 1);
        window->frameEditor().cancelMusic();
        for (int c : {ColMusicControl, ColMusicType, ColMusicFolder, ColMusicFile})
            QCOMPARE(cell(0, c), 0);
        QCOMPARE(window->document().editSettleCountdown(), 100);
    }

    // Moving through the table with the keyboard: the list, the panel and the
    // frame info follow the table's current row. (Last: it leaves the
    // application in a state that slows a shown window's later paste.)
    void keyboardInTheTableMovesTheFrame()
    {
        open(motionFile(numberedFrames(4)));
        ui->listWidgetGraphicOperation->setCurrentRow(0);
        QCOMPARE(ui->tableView->currentIndex().row(), 0);
        QTest::keyClick(ui->tableView, Qt::Key_Down);
        QTest::keyClick(ui->tableView, Qt::Key_Down);
        QCOMPARE(ui->tableView->currentIndex().row(), 2);
        QCoreApplication::processEvents();
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 2);
        QCOMPARE(ui->spinBoxOperationTime->value(), 300);
        QCOMPARE(box(2)->value(), 3);
        QCoreApplication::processEvents();
        QVERIFY(ui->textBrowserFrameInfo->toPlainText().startsWith(QStringLiteral("Frame  3")));
        QTest::keyClick(ui->tableView, Qt::Key_End, Qt::ControlModifier);
        QCoreApplication::processEvents();
        QCOMPARE(ui->listWidgetGraphicOperation->currentRow(), 3);
        QCOMPARE(ui->spinBoxOperationTime->value(), 400);
    }
};

int main(int argc, char *argv[])
{
    setDefaultSurfaceFormat();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    TestFrameEditing test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_frameediting.moc"
