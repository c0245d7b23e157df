// Frame editing commands of the window: inserting frames (copy of the panel,
// origin pose, transition), remove, cut, copy and paste, mirror and reverse
// through the joint panel, the frame list's context menu for loops and music,
// and undo and redo over snapshots of the whole table.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <algorithm>

#include <QCursor>
#include <QListWidget>
#include <QMenu>
#include <QSpinBox>
#include <QStandardItemModel>

#include "motion/editing.h"
#include "motion/frametable.h"

using namespace frametable;

// ---------------------------------------------------------------- inserting frames

void MainWindow::insertFrameFromPanel(const std::array<int, 19> &angles)
{
    const int row = frameInsertRow();
    const int before = frameTable->rowCount();
    insertPanelFrame(row, angles);
    if (frameTable->rowCount() == before)
        return;
    ui->tableView->setCurrentIndex(frameTable->index(row, 0));
    refreshFrameListItem(1);
    editSettleCountdown = 100;
    updateFrameInfo();
}

void MainWindow::on_actionCopy_frame_triggered()
{
    ctrlHeld = 0;
    insertFrameFromPanel(panelAngles());
}

void MainWindow::on_actionOrigin_frame_triggered()
{
    ctrlHeld = 0;
    insertFrameFromPanel(originAngles);
}

void MainWindow::on_actionTransition_frame_triggered()
{
    ctrlHeld = 0;
    int a = 0;
    if (!editing::adjacentPair(selectedFrameRows, &a))
        return;
    // Both frames must still be there (the selection may predate a change).
    if (a < 0 || a + 1 >= frameTable->rowCount())
        return;
    editing::Frame first{};
    editing::Frame second{};
    for (int c = 0; c < ColumnCount; ++c) {
        first[c] = frameCell(a, c);
        second[c] = frameCell(a + 1, c);
    }
    const editing::Transition t = editing::transition(first, second);
    if (!frameTable->insertRow(a + 1))
        return;
    for (int c = 0; c < ColumnCount; ++c)
        frameTable->setData(frameTable->index(a + 1, c), t.middle[c], Qt::EditRole);
    setFrameCell(a, ColOperationTime, t.first[ColOperationTime]);
    setFrameCell(a, ColDelayTime, t.first[ColDelayTime]);

    ui->tableView->setCurrentIndex(frameTable->index(a + 1, 0));
    refreshFrameListItem(1);
    editSettleCountdown = 100;
    updateFrameInfo();
}

// ---------------------------------------------------------------- remove, cut, copy, paste

void MainWindow::removeFrameRows(const QVector<int> &rows)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    for (int row : rows) {
        frameTable->removeRow(row);
        delete list->takeItem(row);
    }
}

void MainWindow::on_actionRemove_triggered()
{
    ctrlHeld = 0;
    int i = currentFrameRow();
    if (!selectedFrameRows.isEmpty()) {
        removeFrameRows(editing::rowsToRemove(selectedFrameRows, frameTable->rowCount()));
        // The removed frames are gone: the selection named them, not the
        // frames that now stand at their rows.
        selectedFrameRows.clear();
    } else if (i >= 0 && i < frameTable->rowCount()) {
        removeFrameRows({i});
    }
    i = editing::rowAfterRemove(i, frameTable->rowCount());
    // The frame now current is loaded into the panel, even when the list's
    // current row number stays the same.
    setWalkRow(i);
    editSettleCountdown = 100;
}

void MainWindow::on_actionCopy_triggered()
{
    ctrlHeld = 0;
    copiedFrames.clear();
    std::sort(selectedFrameRows.begin(), selectedFrameRows.end());
    for (int row : qAsConst(selectedFrameRows)) {
        // A row that no longer exists has nothing to copy.
        if (row < 0 || row >= frameTable->rowCount())
            continue;
        for (int c = 0; c < ColumnCount; ++c)
            copiedFrames.append(frameCell(row, c));
    }
}

void MainWindow::on_actionCut_triggered()
{
    ctrlHeld = 0;
    copiedFrames.clear();
    if (!selectedFrameRows.isEmpty()) {
        on_actionCopy_triggered();
        removeFrameRows(editing::rowsToRemove(selectedFrameRows, frameTable->rowCount()));
        selectedFrameRows.clear();
    }
    editSettleCountdown = 100;
}

void MainWindow::on_actionPaste_triggered()
{
    ctrlHeld = 0;
    const int c = currentFrameRow();
    // The new items are added in fill mode (one shared picture, no loading);
    // the walk that follows draws every item from c on.
    frameListRefresh = 2;
    const bool tableScrolls = ui->tableView->hasAutoScroll();
    ui->tableView->setAutoScroll(false);
    for (int k = 0; k < copiedFrames.size(); k += ColumnCount) {
        const int row = c + k / ColumnCount + 1;
        if (!frameTable->insertRow(row))
            break;
        for (int col = 0; col < ColumnCount && k + col < copiedFrames.size(); ++col)
            frameTable->setData(frameTable->index(row, col), copiedFrames[k + col], Qt::EditRole);
        ui->tableView->setCurrentIndex(frameTable->index(row, 0));
        refreshFrameListItem(1);
    }
    ui->tableView->setAutoScroll(tableScrolls);
    listFillPicture = QPixmap();
    editSettleCountdown = 100;
    refreshTick = 0;
    frameListRefresh = 1;
    setWalkRow(c);
    if (c < 0)
        ui->tableView->setCurrentIndex(QModelIndex());
}

// ---------------------------------------------------------------- mirror, reverse

void MainWindow::applyAngleSteps(const QVector<QPair<int, int>> &steps)
{
    const QVector<QSpinBox *> boxes = jointBoxes();
    for (const auto &step : steps)
        if (step.first >= 2 && step.first - 2 < boxes.size())
            boxes[step.first - 2]->setValue(step.second);
    const int row = currentFrameRow();
    if (row >= 0)
        ui->tableView->setCurrentIndex(frameTable->index(row, 0));
    refreshFrameListItem(0);
}

void MainWindow::on_actionMirror_triggered()
{
    ctrlHeld = 0;
    if (currentFrameRow() < 0)
        return;
    applyAngleSteps(editing::mirrorSteps(panelAngles()));
}

void MainWindow::on_actionReverse_triggered()
{
    ctrlHeld = 0;
    if (currentFrameRow() < 0)
        return;
    applyAngleSteps(editing::reverseSteps(panelAngles()));
}

// ---------------------------------------------------------------- undo history

void MainWindow::recordUndoSnapshot()
{
    if (!editing::recordSnapshot(undoHistory, flattenFrames()))
        return;
    ui->actionUndo->setEnabled(true);
    if (frameTable->rowCount() > 0)
        setDocumentModified(1);
}

void MainWindow::restoreSnapshot(const QVector<int> &state)
{
    setDocumentModified(1);
    // The list is built anew with no frame shown as selected; rows picked
    // before would name other frames of the restored table.
    selectedFrameRows.clear();
    restoreFrames(state);
}

void MainWindow::on_actionUndo_triggered()
{
    ctrlHeld = 0;
    QVector<int> state;
    if (!editing::undoStep(undoHistory, redoStack, &state)) {
        ui->actionUndo->setEnabled(false);
        return;
    }
    ui->actionRedo->setEnabled(true);
    restoreSnapshot(state);
}

void MainWindow::on_actionRedo_triggered()
{
    ctrlHeld = 0;
    QVector<int> state;
    if (!editing::redoStep(undoHistory, redoStack, &state)) {
        ui->actionRedo->setEnabled(false);
        return;
    }
    ui->actionUndo->setEnabled(true);
    restoreSnapshot(state);
}

// ---------------------------------------------------------------- context menu

QMenu *MainWindow::buildFrameListMenu()
{
    auto *menu = new QMenu(this);
    QMenu *insert = menu->addMenu(tr("insert frame"));
    insert->addAction(ui->actionOrigin_frame);
    insert->addAction(ui->actionCopy_frame);
    insert->addAction(ui->actionTransition_frame);
    menu->addSeparator();
    menu->addAction(ui->actionCut);
    menu->addAction(ui->actionCopy);
    menu->addAction(ui->actionPaste);
    menu->addAction(ui->actionRemove);
    menu->addSeparator();
    menu->addAction(tr("loop start"), this, &MainWindow::qActionLoopStartSlot);
    menu->addAction(tr("loop end"), this, &MainWindow::qActionLoopEndSlot);
    menu->addAction(tr("cancel loop"), this, &MainWindow::qActionLoopCancelSlot);
    menu->addSeparator();
    menu->addAction(tr("play music"), this, &MainWindow::qActionPlayMusicSlot);
    menu->addAction(tr("pause music"), this, &MainWindow::qActionPauseMusicSlot);
    menu->addAction(tr("stop music"), this, &MainWindow::qActionStopMusicSlot);
    menu->addAction(tr("cancel music"), this, &MainWindow::qActionCancelMusicSlot);
    return menu;
}

void MainWindow::on_listWidgetGraphicOperation_customContextMenuRequested(QPoint pos)
{
    if (!ui->listWidgetGraphicOperation->itemAt(pos))
        return;
    // The menu owns its submenu and its own entries; the form's actions stay.
    QMenu *menu = buildFrameListMenu();
    menu->exec(QCursor::pos());
    delete menu;
    updateFrameInfo();
}

void MainWindow::qActionLoopStartSlot()
{
    const int r = ui->listWidgetGraphicOperation->currentRow();
    bool ok = false;
    int times = prompt().integer(nullptr, tr("Please input the loop times"), tr("loop times:"), 0, 0, 65535, 1, &ok);
    if (!ok)
        times = 0;
    setFrameCell(r, ColLoopFlag, LoopStart);
    setFrameCell(r, ColLoopTimes, times);
    editSettleCountdown = 100;
}

void MainWindow::qActionLoopEndSlot()
{
    setFrameCell(ui->listWidgetGraphicOperation->currentRow(), ColLoopFlag, LoopEnd);
    editSettleCountdown = 100;
}

void MainWindow::qActionLoopCancelSlot()
{
    const int r = ui->listWidgetGraphicOperation->currentRow();
    setFrameCell(r, ColLoopFlag, LoopNone);
    setFrameCell(r, ColLoopTimes, 0);
    editSettleCountdown = 100;
}

void MainWindow::qActionPlayMusicSlot()
{
    const int r = ui->listWidgetGraphicOperation->currentRow();
    setFrameCell(r, ColMusicControl, 3);

    bool ok = false;
    const int number
        = prompt().integer(this, tr("Please input the music number"), tr("music number:"), 0, 0, 4095, 1, &ok);
    setFrameCell(r, ColMusicFile, ok ? qBound(0, number, 4095) : 0);

    const QStringList types = {tr("mp3"), tr("wav")};
    QString answer = prompt().item(this, tr("Please select the music file type:"), tr("music file type:"), types, 0,
                                   true, &ok);
    // A typed type that is not in the list counts as the first one: the
    // column holds only the listed types.
    setFrameCell(r, ColMusicType, ok && !answer.isEmpty() ? editing::musicTypeIndex(answer, types) : 0);

    const QStringList folders = {tr("sd card"), tr("flash")};
    answer = prompt().item(this, tr("Please select the music file folder:"), tr("music file folder:"), folders, 0,
                           false, &ok);
    // No answer keeps the first folder, the SD card.
    setFrameCell(r, ColMusicFolder, ok && !answer.isEmpty() ? qMax(0, folders.indexOf(answer)) : 0);
    editSettleCountdown = 100;
}

void MainWindow::qActionPauseMusicSlot()
{
    setFrameCell(ui->listWidgetGraphicOperation->currentRow(), ColMusicControl, 1);
    editSettleCountdown = 100;
}

void MainWindow::qActionStopMusicSlot()
{
    setFrameCell(ui->listWidgetGraphicOperation->currentRow(), ColMusicControl, 2);
    editSettleCountdown = 100;
}

void MainWindow::qActionCancelMusicSlot()
{
    const int r = ui->listWidgetGraphicOperation->currentRow();
    for (int c : {ColMusicControl, ColMusicType, ColMusicFolder, ColMusicFile})
        setFrameCell(r, c, 0);
    editSettleCountdown = 100;
}
