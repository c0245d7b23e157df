// Frame editing commands: inserting frames (copy of the panel, origin pose,
// transition), remove, cut, copy and paste, mirror and reverse through the
// joint panel, the frame list's context menu for loops and music, and undo and
// redo over snapshots of the whole table.

#include "motion/frameeditor.h"
#include "ui_mainwindow.h"

#include <algorithm>

#include <QCursor>
#include <QMenu>

#include "common/prompt.h"
#include "motion/frameinfopanel.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"

using namespace frametable;

FrameEditor::FrameEditor(Ui::MainWindow *ui, QWidget *window, Prompt &prompt,
                         MotionDocument &document, JointPanel &panel, FrameList &list, FrameInfoPanel &info,
                         QObject *parent)
    : QObject(parent), ui(ui), window(window), prompt(prompt), document(document), panel(panel),
      list(list), info(info)
{
    connect(ui->actionCopy_frame, &QAction::triggered, this, &FrameEditor::copyFrame);
    connect(ui->actionOrigin_frame, &QAction::triggered, this, &FrameEditor::originFrame);
    connect(ui->actionTransition_frame, &QAction::triggered, this, &FrameEditor::transitionFrame);
    connect(ui->actionRemove, &QAction::triggered, this, &FrameEditor::remove);
    connect(ui->actionCut, &QAction::triggered, this, &FrameEditor::cut);
    connect(ui->actionCopy, &QAction::triggered, this, &FrameEditor::copy);
    connect(ui->actionPaste, &QAction::triggered, this, &FrameEditor::paste);
    connect(ui->actionMirror, &QAction::triggered, this, &FrameEditor::mirror);
    connect(ui->actionReverse, &QAction::triggered, this, &FrameEditor::reverse);
    connect(ui->actionUndo, &QAction::triggered, this, &FrameEditor::undo);
    connect(ui->actionRedo, &QAction::triggered, this, &FrameEditor::redo);
    connect(&list, &FrameList::contextMenuRequested, this, &FrameEditor::showContextMenu);
    connect(&document, &MotionDocument::snapshotRecorded, ui->actionUndo, [ui, this] {
        ui->actionUndo->setEnabled(true);
        // A new edit ends the redo history.
        ui->actionRedo->setEnabled(!this->document.redoStack().empty());
    });
}

// ---------------------------------------------------------------- inserting frames

void FrameEditor::insertFrameFromPanel(const MotionDocument::Angles &angles)
{
    const int row = document.insertPosition();
    if (!document.insertFrame(row, panel.newFrame(angles)))
        return;
    document.setCurrentRow(row);
    list.insertItem();
    document.noteEdit();
    info.update();
}

void FrameEditor::copyFrame()
{
    list.heldKeys().ctrl = false;
    insertFrameFromPanel(panel.angles());
}

void FrameEditor::originFrame()
{
    list.heldKeys().ctrl = false;
    // The pose the origin button gives, each joint within its limits.
    insertFrameFromPanel(panel.originPose(true));
}

void FrameEditor::transitionFrame()
{
    list.heldKeys().ctrl = false;
    int a = 0;
    // Both frames must still be there (the selection may predate a change).
    if (!editing::adjacentPair(list.selectedRows(), &a) || a < 0 || a + 1 >= document.rowCount()) {
        // Said, not silently ignored: the command does nothing otherwise.
        ui->statusBar->showMessage(tr("Transition frame needs two selected frames next to each other."), 8000);
        return;
    }
    editing::Frame first{};
    editing::Frame second{};
    for (int c = 0; c < ColumnCount; ++c) {
        first[c] = document.cell(a, c);
        second[c] = document.cell(a + 1, c);
    }
    const editing::Transition t = editing::transition(first, second);
    if (!document.insertFrame(a + 1, t.middle))
        return;
    document.setCell(a, ColOperationTime, t.first[ColOperationTime]);
    document.setCell(a, ColDelayTime, t.first[ColDelayTime]);

    document.setCurrentRow(a + 1);
    list.insertItem();
    document.noteEdit();
    info.update();
}

// ---------------------------------------------------------------- remove, cut, copy, paste

void FrameEditor::removeFrameRows(const QVector<int> &rows)
{
    for (int row : rows) {
        document.removeFrame(row);
        list.deleteItem(row);
    }
}

void FrameEditor::remove()
{
    list.heldKeys().ctrl = false;
    QVector<int> &selected = list.selectedRows();
    int i = document.currentRow();
    if (!selected.isEmpty()) {
        removeFrameRows(editing::rowsToRemove(selected, document.rowCount()));
        // The removed frames are gone: the selection named them, not the
        // frames that now stand at their rows.
        selected.clear();
    } else if (i >= 0 && i < document.rowCount()) {
        removeFrameRows({i});
    }
    i = editing::rowAfterRemove(i, document.rowCount());
    // The frame now current is loaded into the panel, even when the list's
    // current row number stays the same.
    list.setWalkRow(i);
    document.noteEdit();
}

void FrameEditor::copy()
{
    list.heldKeys().ctrl = false;
    QVector<int> &copied = document.copiedFrames();
    QVector<int> &selected = list.selectedRows();
    copied.clear();
    std::sort(selected.begin(), selected.end());
    for (int row : qAsConst(selected)) {
        // A row that no longer exists has nothing to copy.
        if (row < 0 || row >= document.rowCount())
            continue;
        for (int c = 0; c < ColumnCount; ++c)
            copied.append(document.cell(row, c));
    }
}

void FrameEditor::cut()
{
    list.heldKeys().ctrl = false;
    document.copiedFrames().clear();
    QVector<int> &selected = list.selectedRows();
    if (!selected.isEmpty()) {
        const int current = document.currentRow();
        copy();
        removeFrameRows(editing::rowsToRemove(selected, document.rowCount()));
        selected.clear();
        // As after remove: the list, the table's current row and the panel
        // show one frame again, so that a panel edit writes the frame shown.
        list.setWalkRow(editing::rowAfterRemove(current, document.rowCount()));
    }
    document.noteEdit();
}

void FrameEditor::paste()
{
    list.heldKeys().ctrl = false;
    const int c = document.currentRow();
    const QVector<int> &copied = document.copiedFrames();
    // The frames go in after the current one (which stays current); their
    // items are added in fill mode (one shared picture, no loading) and the
    // walk that follows draws every item from c on.
    list.beginFill();
    int pasted = 0;
    for (int k = 0; k < copied.size(); k += ColumnCount) {
        const int row = c + k / ColumnCount + 1;
        if (!document.insertEmptyFrame(row))
            break;
        for (int col = 0; col < ColumnCount && k + col < copied.size(); ++col)
            document.setCell(row, col, copied[k + col]);
        ++pasted;
    }
    if (pasted > 0)
        list.insertFilledItems(c + 1, pasted);
    list.endFill();
    document.noteEdit();
    list.startWalk(c);
    if (c < 0)
        document.setCurrentRow(-1);
}

// ---------------------------------------------------------------- mirror, reverse

void FrameEditor::applyAngleSteps(const QVector<QPair<int, int>> &steps)
{
    panel.applyAngleSteps(steps);
    list.refreshCurrentItem();
}

void FrameEditor::mirror()
{
    list.heldKeys().ctrl = false;
    if (document.currentRow() < 0)
        return;
    applyAngleSteps(editing::mirrorSteps(panel.angles()));
}

void FrameEditor::reverse()
{
    list.heldKeys().ctrl = false;
    if (document.currentRow() < 0)
        return;
    applyAngleSteps(editing::reverseSteps(panel.angles()));
}

// ---------------------------------------------------------------- undo history

void FrameEditor::restoreSnapshot(const editing::Snapshot &before, const editing::Snapshot &state)
{
    document.setModified(true);
    // The list follows with no frame shown as selected; rows picked before
    // would name other frames of the restored table.
    list.selectedRows().clear();
    // The frame the step changed becomes current, so the next edit lands
    // where the user sees the change (the selected joint stays).
    document.restoreState(state, editing::firstChangedRow(before, state, document.currentRow()));
}

void FrameEditor::flushPendingEdit()
{
    // An edit not yet recorded (its settle countdown still running) is
    // recorded first: undo then takes it back instead of dropping it, and
    // redo finds it a new edit that ends the redo history.
    document.recordSnapshot();
    document.setEditSettleCountdown(-10);
}

void FrameEditor::undo()
{
    list.heldKeys().ctrl = false;
    flushPendingEdit();
    const editing::Snapshot before = document.model()->state();
    editing::Snapshot state;
    if (!document.undo(&state)) {
        ui->actionUndo->setEnabled(false);
        return;
    }
    ui->actionRedo->setEnabled(true);
    restoreSnapshot(before, state);
}

void FrameEditor::redo()
{
    list.heldKeys().ctrl = false;
    flushPendingEdit();
    const editing::Snapshot before = document.model()->state();
    editing::Snapshot state;
    if (!document.redo(&state)) {
        ui->actionRedo->setEnabled(false);
        return;
    }
    ui->actionUndo->setEnabled(true);
    restoreSnapshot(before, state);
}

// ---------------------------------------------------------------- context menu

QMenu *FrameEditor::buildContextMenu()
{
    auto *menu = new QMenu(window);
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
    menu->addAction(tr("loop start"), this, &FrameEditor::loopStart);
    menu->addAction(tr("loop end"), this, &FrameEditor::loopEnd);
    menu->addAction(tr("cancel loop"), this, &FrameEditor::loopCancel);
    menu->addSeparator();
    menu->addAction(tr("play music"), this, &FrameEditor::playMusic);
    menu->addAction(tr("pause music"), this, &FrameEditor::pauseMusic);
    menu->addAction(tr("stop music"), this, &FrameEditor::stopMusic);
    menu->addAction(tr("cancel music"), this, &FrameEditor::cancelMusic);
    return menu;
}

void FrameEditor::showContextMenu(const QPoint &)
{
    // The menu owns its submenu and its own entries; the form's actions stay.
    QMenu *menu = buildContextMenu();
    menu->exec(QCursor::pos());
    delete menu;
    info.update();
}

void FrameEditor::entryDone(int row)
{
    // The frame's caption shows its new loop or music mark at once.
    list.refreshCaption(row);
    document.noteEdit();
}

void FrameEditor::loopStart()
{
    const int r = document.currentRow();
    bool ok = false;
    int times = prompt.integer(nullptr, tr("Please input the loop times"), tr("loop times:"), 0, 0, 65535, 1, &ok);
    if (!ok)
        times = 0;
    document.setCell(r, ColLoopFlag, LoopStart);
    document.setCell(r, ColLoopTimes, times);
    entryDone(r);
}

void FrameEditor::loopEnd()
{
    const int r = document.currentRow();
    document.setCell(r, ColLoopFlag, LoopEnd);
    entryDone(r);
}

void FrameEditor::loopCancel()
{
    const int r = document.currentRow();
    document.setCell(r, ColLoopFlag, LoopNone);
    document.setCell(r, ColLoopTimes, 0);
    entryDone(r);
}

void FrameEditor::playMusic()
{
    const int r = document.currentRow();
    document.setCell(r, ColMusicControl, 3);

    bool ok = false;
    const int number
        = prompt.integer(window, tr("Please input the music number"), tr("music number:"), 0, 0, 4095, 1, &ok);
    document.setCell(r, ColMusicFile, ok ? qBound(0, number, 4095) : 0);

    const QStringList types = {tr("mp3"), tr("wav")};
    QString answer = prompt.item(window, tr("Please select the music file type:"), tr("music file type:"), types,
                                   0, true, &ok);
    // A typed type that is not in the list counts as the first one: the
    // column holds only the listed types.
    document.setCell(r, ColMusicType, ok && !answer.isEmpty() ? editing::musicTypeIndex(answer, types) : 0);

    const QStringList folders = {tr("sd card"), tr("flash")};
    answer = prompt.item(window, tr("Please select the music file folder:"), tr("music file folder:"), folders, 0,
                           false, &ok);
    // No answer keeps the first folder, the SD card.
    document.setCell(r, ColMusicFolder, ok && !answer.isEmpty() ? qMax(0, folders.indexOf(answer)) : 0);
    entryDone(r);
}

void FrameEditor::pauseMusic()
{
    const int r = document.currentRow();
    document.setCell(r, ColMusicControl, 1);
    entryDone(r);
}

void FrameEditor::stopMusic()
{
    const int r = document.currentRow();
    document.setCell(r, ColMusicControl, 2);
    entryDone(r);
}

void FrameEditor::cancelMusic()
{
    const int r = document.currentRow();
    for (int c : {ColMusicControl, ColMusicType, ColMusicFolder, ColMusicFile})
        document.setCell(r, c, 0);
    entryDone(r);
}
