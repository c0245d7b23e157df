// The frame list: one thumbnail item per frame (item i is frame i), its
// pictures grabbed from the 3D view by the thumbnail walk, the selection of
// frames (single, Shift range, Control toggle) shown by colours, the frame
// table's clicks, and the frame info text.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QStandardItemModel>

#include "motion/frameinfo.h"
#include "motion/frametable.h"
#include "view3d/openglwidget.h"

using namespace frametable;

// ---------------------------------------------------------------- items

QPixmap MainWindow::grabFramePicture()
{
    OpenGLWidget *view = ui->openGLWidget;
    // A hidden view has nothing to show (and grabbing it would start its GL).
    if (!view->isVisible())
        return QPixmap();
    const int w = view->width();
    const int h = view->height();
    QPixmap picture = view->grab(QRect(w / 2 - h / 2, 0, h, h));
    // Kept at the size the list shows: a full view per frame would hold
    // megabytes for every frame of a long motion.
    const qreal ratio = picture.devicePixelRatio();
    const QSize shown = ui->listWidgetGraphicOperation->iconSize() * ratio;
    if (!picture.isNull() && (picture.width() > shown.width() || picture.height() > shown.height())) {
        picture = picture.scaled(shown, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        picture.setDevicePixelRatio(ratio);
    }
    return picture;
}

void MainWindow::paintFrameItem(QListWidgetItem *item, bool selected)
{
    // An unchanged colour costs nothing: the item keeps it without a signal.
    item->setBackground(selected ? QBrush(Qt::gray) : QBrush(Qt::transparent));
    item->setForeground(selected ? QBrush(Qt::blue) : QBrush(Qt::black));
}

void MainWindow::resetFrameItemColours()
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    for (int i = 0, n = list->count(); i < n; ++i)
        paintFrameItem(list->item(i), false);
}

void MainWindow::refreshFrameListItem(int insert)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    if (frameListRefresh != 2)
        listFillPicture = QPixmap();

    // The item's frame: the list's current row when refreshing, the frame
    // table's current row for a new item.
    QListWidgetItem *item = nullptr;
    int row = 0;
    if (insert == 0) {
        item = list->currentItem();
        if (!item)
            return;
        row = list->currentRow();
    } else {
        row = qMax(0, currentFrameRow());
    }

    QPixmap picture;
    if (insert != 0 && frameListRefresh == 2) {
        if (listFillPicture.isNull())
            listFillPicture = grabFramePicture();
        picture = listFillPicture;
    } else {
        picture = grabFramePicture();
    }

    // Caption from the frame itself, so that it is right before the walk
    // reaches the item: "F3, opr time:600, delay time:100, lps(2)".
    const bool known = row < frameTable->rowCount();
    const int operation = known ? frameCell(row, ColOperationTime) : ui->spinBoxOperationTime->value();
    const int delay = known ? frameCell(row, ColDelayTime) : ui->spinBoxDelayTime->value();
    QString caption = tr("F") + QString::number(row + 1) + tr(", opr time:") + QString::number(operation)
                      + tr(", delay time:") + QString::number(delay);
    const int loopFlag = frameCell(row, ColLoopFlag);
    if (loopFlag == LoopStart)
        caption += tr(", lps") + QStringLiteral("(") + QString::number(frameCell(row, ColLoopTimes))
                   + QStringLiteral(")");
    else if (loopFlag == LoopEnd)
        caption += tr(", lpe");
    switch (frameCell(row, ColMusicControl)) {
    case 3: caption += tr(", play music"); break;
    case 2: caption += tr(", stop music"); break;
    case 1: caption += tr(", pause music"); break;
    default: break;
    }

    if (insert == 0) {
        item->setIcon(QIcon(picture));
        item->setText(caption);
        return;
    }
    item = new QListWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    paintFrameItem(item, false);
    item->setIcon(QIcon(picture));
    item->setText(caption);
    list->insertItem(row, item);
    // While the list is being filled the walk that follows picks the current
    // item: a shown list lays out all its items again for each new current one.
    if (frameListRefresh == 2)
        return;
    // Current without touching the selection: items are not selectable, and
    // selecting each new item makes adding many of them quadratic.
    list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
}

void MainWindow::reGrapOpenglWidgetScreen()
{
    // The view just finished a round of updates: the current frame's picture
    // follows the model, except while a simulation drives it.
    if (simulationStopped())
        refreshFrameListItem(0);
}

// ---------------------------------------------------------------- thumbnail walk

void MainWindow::setWalkRow(int row)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    walkStepping = true;
    if (list->currentRow() == row) {
        if (QListWidgetItem *item = list->item(row))
            on_listWidgetGraphicOperation_currentItemChanged(item, item);
    } else {
        list->setCurrentRow(row);
    }
    walkStepping = false;
}

void MainWindow::frameListWalkTick()
{
    if (frameListRefresh != 1)
        return;
    // Each frame gets 160 ms: loaded onto the model, pictured after 80 ms.
    refreshTick += 10;
    if (refreshTick == 80)
        refreshFrameListItem(0);
    if (refreshTick >= 160) {
        refreshTick = 0;
        const int next = ui->listWidgetGraphicOperation->currentRow() + 1;
        if (next < qMin(frameTable->rowCount(), ui->listWidgetGraphicOperation->count()))
            setWalkRow(next);
        else
            frameListRefresh = 0;
    }
}

// ---------------------------------------------------------------- selection

void MainWindow::on_listWidgetGraphicOperation_currentItemChanged(QListWidgetItem *current,
                                                                   QListWidgetItem *previous)
{
    Q_UNUSED(previous)
    if (!current)
        return;
    // While the list is being filled nothing is shown yet: the walk that
    // follows loads every frame (and filling stays linear in the frames).
    if (frameListRefresh == 2)
        return;
    QListWidget *list = ui->listWidgetGraphicOperation;
    const int r = list->currentRow();
    // The walk moves the current frame itself, whatever keys are held.
    const bool shift = shiftHeld != 0 && !walkStepping;
    const bool ctrl = ctrlHeld != 0 && !walkStepping;

    if (!shift && !ctrl) {
        const int column = qMax(0, ui->tableView->currentIndex().column());
        ui->tableView->setCurrentIndex(frameTable->index(r, column));
        loadFrameIntoPanel(r);
        resetFrameItemColours();
        paintFrameItem(current, true);
        selectionAnchorRow = r;
    } else if (shift && !ctrl) {
        resetFrameItemColours();
        selectedFrameRows.clear();
        const int step = r >= selectionAnchorRow ? 1 : -1;
        for (int row = selectionAnchorRow;; row += step) {
            if (QListWidgetItem *item = list->item(row)) {
                paintFrameItem(item, true);
                selectedFrameRows.append(row);
            }
            if (row == r)
                break;
        }
    } else if (ctrl && !shift) {
        resetFrameItemColours();
        if (selectedFrameRows.contains(r))
            selectedFrameRows.removeAll(r);
        else
            selectedFrameRows.append(r);
        for (int row : qAsConst(selectedFrameRows))
            if (QListWidgetItem *item = list->item(row))
                paintFrameItem(item, true);
    }
}

void MainWindow::on_listWidgetGraphicOperation_itemClicked(QListWidgetItem *item)
{
    const int r = ui->listWidgetGraphicOperation->currentRow();
    if (r < 0)
        return;
    const int column = qMax(0, ui->tableView->currentIndex().column());
    if (shiftHeld == 0 && ctrlHeld == 0) {
        selectedFrameRows.clear();
        resetFrameItemColours();
        paintFrameItem(item, true);
        selectionAnchorRow = r;
        selectedFrameRows.append(r);
    }
    ui->tableView->setCurrentIndex(frameTable->index(r, column));
    loadFrameIntoPanel(r);
    updateFrameInfo();
}

void MainWindow::on_tableView_clicked(const QModelIndex &index)
{
    ui->listWidgetGraphicOperation->setCurrentRow(index.row());
    loadFrameIntoPanel(index.row());
    updateFrameInfo();
}

// ---------------------------------------------------------------- frame info

void MainWindow::updateFrameInfo()
{
    const QListWidget *list = ui->listWidgetGraphicOperation;
    const int current = list->currentRow();
    const int count = qMin(list->count(), frameTable->rowCount());
    QVector<frameinfo::RowTiming> rows(count);
    for (int r = 0; r < count; ++r)
        rows[r] = {frameCell(r, ColOperationTime), frameCell(r, ColDelayTime), frameCell(r, ColLoopFlag),
                   frameCell(r, ColLoopTimes)};
    const frameinfo::PlayTimes times = frameinfo::playTimes(rows, current);
    firstTimeHere = times.firstTimeHere;
    lastTimeHere = times.lastTimeHere;
    frameinfo::FrameValues frame{};
    for (int c = 0; c < ColumnCount; ++c)
        frame[c] = frameCell(current, c);
    ui->textBrowserFrameInfo->setPlainText(frameinfo::describe(current, frame, times));
}
