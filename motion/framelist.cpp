// The frame list: one thumbnail item per frame, its pictures drawn offscreen
// from each frame's pose by the thumbnail walk, the selection of frames shown
// by colours, and the frame table view with its editors. The current frame is
// the document's; the list follows it.

#include "motion/framelist.h"
#include "ui_mainwindow.h"

#include <QElapsedTimer>
#include <QItemSelectionModel>

#include "common/textfit.h"
#include "common/itemdelegates.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "motion/unitdelegates.h"
#include "view3d/openglwidget.h"
#include "view3d/thumbnailicon.h"

using namespace frametable;

namespace {
// Item data: true while the item's picture is still to be drawn.
constexpr int kPendingRole = Qt::UserRole + 1;
// Item data: the mark of the frame's note (FrameNote::Mark).
constexpr int kMarkRole = Qt::UserRole + 2;
} // namespace

FrameList::FrameList(Ui::MainWindow *ui, MotionDocument &document, OpenGLWidget *view, QObject *parent)
    : QObject(parent), ui(ui), document(document), view(view)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    list->setIconSize(QSize(128, 128));
    // Captions show whole, also those without blanks to wrap at.
    fitCaptionsToText(list);
    // A long motion is laid out a batch of items at a time between events:
    // the first items show at once and the list stays responsive.
    list->setLayoutMode(QListView::Batched);

    QTableView *table = ui->tableView;
    auto *spin = new SpinDelegate(table);
    // Angles show in degrees and times in milliseconds; the cells keep their numbers.
    auto *angle = new AngleDelegate(table);
    for (int c = 0; c < ServoCount; ++c)
        table->setItemDelegateForColumn(c, angle);
    table->setItemDelegateForColumn(ColOperationTime, new TimeDelegate(table));
    table->setItemDelegateForColumn(ColLoopTimes, spin);
    table->setItemDelegateForColumn(ColMusicFile, spin);
    table->setItemDelegateForColumn(ColVolume, spin);
    // Column 20 (delay time) keeps the view's default editor (the only column
    // that falls back to the view's delegate).
    table->setItemDelegate(new TimeTextDelegate(table));
    table->setItemDelegateForColumn(ColLoopFlag, new ComboDelegate(ComboDelegate::LoopFlag, table));
    table->setItemDelegateForColumn(ColMusicControl, new ComboDelegate(ComboDelegate::MusicControl, table));
    table->setItemDelegateForColumn(ColMusicType, new ComboDelegate(ComboDelegate::MusicType, table));
    table->setItemDelegateForColumn(ColMusicFolder, new ComboDelegate(ComboDelegate::MusicFolder, table));
    auto *brightness = new ComboDelegate(ComboDelegate::LedBrightness, table);
    auto *frequency = new ComboDelegate(ComboDelegate::LedFrequency, table);
    for (int k = 0; k < LedChannelCount; ++k) {
        table->setItemDelegateForColumn(ledBrightnessColumn(k), brightness);
        table->setItemDelegateForColumn(ledFrequencyColumn(k), frequency);
    }
    table->setModel(document.model());
    fitColumnsToHeaders(table);
    // The document's selection model holds the current frame; setting it
    // connects the view's selection-changed slot.
    table->setSelectionModel(document.selectionModel());

    // A click in the table moves the document's current frame itself (the
    // table shows the document's selection model); a move in the list is
    // made the document's; the list follows the document's current frame.
    connect(list, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem *current, QListWidgetItem *) { listCurrentChanged(current); });
    connect(&document, &MotionDocument::currentRowChanged, this, &FrameList::followCurrentRow);
    connect(list, &QListWidget::itemClicked, this, &FrameList::itemClicked);
    connect(list, &QListWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        if (this->ui->listWidgetGraphicOperation->itemAt(pos))
            emit contextMenuRequested(pos);
    });
    connect(view, &OpenGLWidget::update_scence_complete, this, &FrameList::viewUpdated);
    connect(view, &OpenGLWidget::sceneReady, this, &FrameList::viewReady);
    connect(&document, &MotionDocument::framesReset, this, &FrameList::rebuild);
    connect(&document, &MotionDocument::framesRestored, this, &FrameList::followRestore);
    // The mark of frames outside the joint limits follows the limits.
    connect(&document, &MotionDocument::jointLimitsChanged, this, &FrameList::refreshCaptions);
    connect(&document, &MotionDocument::cellEdited, this, &FrameList::frameEdited);

    // Pictures are stored at the list's size: a new size draws them again.
    connect(list, &QListWidget::iconSizeChanged, this, [this] {
        if (count() > 0)
            startWalk(0);
    });
}

void FrameList::setPlaybackStopped(std::function<bool()> stopped)
{
    playbackStopped = std::move(stopped);
}

void FrameList::setFrameNote(std::function<FrameNote(int)> frameNote)
{
    note = std::move(frameNote);
    refreshCaptions();
}

FrameNote FrameList::frameNote(int row) const
{
    if (!note || row < 0 || row >= document.rowCount())
        return FrameNote();
    return note(row);
}

void FrameList::refreshCaptions()
{
    QListWidget *items = ui->listWidgetGraphicOperation;
    for (int i = 0, n = qMin(items->count(), document.rowCount()); i < n; ++i)
        setCaption(items->item(i), i);
    emit captionsRefreshed();
}

void FrameList::setCaption(QListWidgetItem *item, int row)
{
    int mark = FrameNote::None;
    item->setText(caption(row, &mark));
    applyMark(item, mark);
}

void FrameList::applyMark(QListWidgetItem *item, int mark)
{
    if (item->data(kMarkRole).toInt() == mark)
        return;
    item->setData(kMarkRole, mark == FrameNote::None ? QVariant() : QVariant(mark));
    item->setForeground(textBrush(item, item->background().color() == QColor(Qt::gray)));
}

QBrush FrameList::textBrush(const QListWidgetItem *item, bool selected) const
{
    // A marked frame keeps its mark's colour also while selected (the grey
    // background shows the selection).
    switch (item->data(kMarkRole).toInt()) {
    case FrameNote::Fault: return QBrush(QColor(205, 0, 0));
    case FrameNote::Warning: return QBrush(QColor(225, 120, 0));
    default: return selected ? QBrush(Qt::blue) : QBrush(Qt::black);
    }
}

int FrameList::count() const
{
    return ui->listWidgetGraphicOperation->count();
}

void FrameList::setPictureSize(int size)
{
    ui->listWidgetGraphicOperation->setIconSize(QSize(size, size));
}

// ---------------------------------------------------------------- items

QPixmap FrameList::grabPicture() const
{
    const qreal ratio = ui->listWidgetGraphicOperation->devicePixelRatioF();
    const int side = int(ui->listWidgetGraphicOperation->iconSize().height() * ratio);
    QPixmap picture = QPixmap::fromImage(view->renderThumbnail(view->jointAngles, side));
    picture.setDevicePixelRatio(ratio);
    return picture;
}

QIcon FrameList::pictureOfFrame(int row) const
{
    // The frame's own pose (the table's angles in tenths of a degree); a row
    // the table does not hold yet shows the view's pose.
    float angles[robot3d::kJointCount];
    const bool known = row >= 0 && row < document.rowCount();
    for (int i = 0; i < robot3d::kJointCount; ++i)
        angles[i] = known ? document.cell(row, i) / 10.0f : view->jointAngles[i];
    const qreal ratio = ui->listWidgetGraphicOperation->devicePixelRatioF();
    const int side = int(ui->listWidgetGraphicOperation->iconSize().height() * ratio);
    QImage picture = view->renderThumbnail(angles, side);
    picture.setDevicePixelRatio(ratio);
    QImage backdrop = view->thumbnailBackdrop(side);
    backdrop.setDevicePixelRatio(ratio);
    return thumbnail::compactIcon(picture, backdrop);
}

void FrameList::setPicture(QListWidgetItem *item, const QIcon &icon)
{
    item->setIcon(icon);
    // A picture the view could not draw yet is drawn once it can.
    item->setData(kPendingRole, icon.isNull() ? QVariant(true) : QVariant());
}

bool FrameList::picturePending(int row) const
{
    const QListWidgetItem *item = ui->listWidgetGraphicOperation->item(row);
    return item && item->data(kPendingRole).toBool();
}

void FrameList::paintItem(QListWidgetItem *item, bool selected)
{
    // An unchanged colour costs nothing: the item keeps it without a signal.
    item->setBackground(selected ? QBrush(Qt::gray) : QBrush(Qt::transparent));
    item->setForeground(textBrush(item, selected));
    if (selected)
        paintedRows.append(ui->listWidgetGraphicOperation->row(item));
}

void FrameList::resetItemColours()
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    // The rows painted last, while no item has moved since; else every item.
    if (paintedRowsKnown) {
        for (int row : qAsConst(paintedRows))
            if (QListWidgetItem *item = list->item(row))
                paintItem(item, false);
    } else {
        for (int i = 0, n = list->count(); i < n; ++i)
            paintItem(list->item(i), false);
    }
    paintedRows.clear();
    paintedRowsKnown = true;
}

void FrameList::recolour(const std::function<void()> &paint)
{
    // A selection of thousands of frames is painted in one go: the items
    // change colour without telling the list one by one, and the list is
    // repainted once (colours change no item's size).
    QListWidget *list = ui->listWidgetGraphicOperation;
    {
        const QSignalBlocker quiet(list->model());
        paint();
    }
    list->viewport()->update();
}

void FrameList::insertItem()
{
    refreshItem(true);
}

void FrameList::refreshCurrentItem()
{
    refreshItem(false);
}

// Caption from the frame itself, so that it is right before the walk reaches
// the item: "F3, opr time:600, delay time:100, lps(2)". Every item is made
// after its frame, so the row is one of the table's.
QString FrameList::caption(int row, int *mark) const
{
    const bool known = row < document.rowCount();
    const int operation = document.cell(row, ColOperationTime);
    const int delay = document.cell(row, ColDelayTime);
    QString caption = tr("F") + QString::number(row + 1) + tr(", opr time:") + QString::number(operation)
                      + tr(", delay time:") + QString::number(delay);
    const int loopFlag = document.cell(row, ColLoopFlag);
    if (loopFlag == LoopStart)
        caption += tr(", lps") + QStringLiteral("(") + QString::number(document.cell(row, ColLoopTimes))
                   + QStringLiteral(")");
    else if (loopFlag == LoopEnd)
        caption += tr(", lpe");
    switch (document.cell(row, ColMusicControl)) {
    case 3: caption += tr(", play music"); break;
    case 2: caption += tr(", stop music"); break;
    case 1: caption += tr(", pause music"); break;
    default: break;
    }
    // A frame with an angle outside the joint limits (read from a file) is
    // shown as stored, and marked.
    const FrameNote frameNote = known ? this->frameNote(row) : FrameNote();
    caption += frameNote.caption;
    if (known && !document.servosOutsideLimits(row).isEmpty())
        caption += tr(", outside limits");
    if (mark)
        *mark = frameNote.mark;
    return caption;
}

void FrameList::refreshItem(bool insert)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    if (refresh != Filling)
        fillPicture = QIcon();

    // The item's frame: the document's current frame (row 0 for a new item
    // when there is none).
    QListWidgetItem *item = nullptr;
    int row = 0;
    if (!insert) {
        row = document.currentRow();
        item = list->item(row);
        if (!item)
            return;
    } else {
        row = qMax(0, document.currentRow());
    }

    QIcon picture;
    const bool filling = insert && refresh == Filling;
    if (filling) {
        if (fillPicture.isNull())
            fillPicture = pictureOfFrame(row);
        picture = fillPicture;
    } else {
        picture = pictureOfFrame(row);
    }

    int mark = FrameNote::None;
    const QString text = caption(row, &mark);

    if (!insert) {
        setPicture(item, picture);
        item->setText(text);
        applyMark(item, mark);
        return;
    }
    item = new QListWidgetItem;
    item->setFlags(Qt::ItemIsEnabled);
    paintItem(item, false);
    setPicture(item, picture);
    // A filled item shows the shared picture until the walk draws its own.
    if (filling)
        item->setData(kPendingRole, true);
    item->setText(text);
    applyMark(item, mark);
    list->insertItem(row, item);
    paintedRowsKnown = false;
    // While the list is being filled the walk that follows picks the current
    // item: a shown list lays out all its items again for each new current one.
    if (refresh == Filling)
        return;
    // Current without touching the selection: items are not selectable, and
    // selecting each new item makes adding many of them quadratic. The
    // document's current frame is this one already; the views show it again.
    const bool wasFollowing = followingDocument;
    followingDocument = true;
    list->setCurrentItem(item, QItemSelectionModel::NoUpdate);
    followingDocument = wasFollowing;
    document.setCurrentRow(row);
}

void FrameList::refreshCaption(int row)
{
    if (QListWidgetItem *item = ui->listWidgetGraphicOperation->item(row))
        setCaption(item, row);
}

void FrameList::clear()
{
    ui->listWidgetGraphicOperation->clear();
    paintedRows.clear();
    paintedRowsKnown = true;
    // The pictures of the frames gone are given back to the system.
    thumbnail::releaseFreedMemory();
}

void FrameList::deleteItem(int row)
{
    delete ui->listWidgetGraphicOperation->takeItem(row);
    paintedRowsKnown = false;
}

void FrameList::frameEdited(int row)
{
    // A cell changed through the table's editors: the frame's caption
    // follows; the current frame's picture follows the model's next redraw
    // (the joint panel loads the edited frame into the model). Another
    // frame's picture is drawn again offscreen by the walk.
    QListWidgetItem *item = ui->listWidgetGraphicOperation->item(row);
    if (item)
        setCaption(item, row);
    if (row != document.currentRow() && item) {
        item->setData(kPendingRole, true);
        if (refresh == Idle) {
            walkCursor = row;
            tick = 0;
            refresh = Walking;
        }
    }
}

void FrameList::viewUpdated()
{
    // The view just finished a round of updates: the current frame's picture
    // follows the model, except while a simulation drives it.
    if (!playbackStopped || playbackStopped())
        refreshCurrentItem();
}

// ---------------------------------------------------------------- filling and the thumbnail walk

void FrameList::beginFill()
{
    refresh = Filling;
    // A shown table would scroll to every row on the way.
    tableScrolled = ui->tableView->hasAutoScroll();
    ui->tableView->setAutoScroll(false);
}

void FrameList::endFill()
{
    ui->tableView->setAutoScroll(tableScrolled);
    fillPicture = QIcon();
}

void FrameList::markPending(int from)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    for (int i = qMax(0, from), n = list->count(); i < n; ++i)
        list->item(i)->setData(kPendingRole, true);
    walkCursor = qMax(0, from);
}

void FrameList::startWalk(int row)
{
    // The walk starts at row, which is loaded into the panel (the walk is
    // marked running first, so the robot is not moved meanwhile); the
    // pictures from row on are then drawn offscreen, each from its frame's
    // own pose, while the current frame stays where it is.
    tick = 0;
    refresh = Walking;
    markPending(row);
    setWalkRow(row);
}

void FrameList::rebuild()
{
    clear();
    if (document.rowCount() == 0)
        return;
    // One item per row while the list is being filled, then the thumbnail walk
    // draws every picture.
    beginFill();
    addFilledItems(document.rowCount());
    endFill();
    // The first frame, or the one an undo or redo changed.
    startWalk(document.rowShownAfterReset());
}

void FrameList::addFilledItems(int count)
{
    insertFilledItems(ui->listWidgetGraphicOperation->count(), count);
}

void FrameList::insertFilledItems(int first, int count)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    paintedRowsKnown = false;
    if (fillPicture.isNull())
        fillPicture = pictureOfFrame(first);
    const QIcon icon(fillPicture);
    QStringList captions;
    captions.reserve(count);
    QVector<int> marks(count);
    for (int i = 0; i < count; ++i)
        captions << caption(first + i, &marks[i]);
    // The items join the list in one insertion, then take their looks
    // unsignalled: the view lays out and paints them all afterwards anyway.
    list->insertItems(first, captions);
    const QSignalBlocker quiet(list->model());
    for (int i = 0; i < count; ++i) {
        QListWidgetItem *item = list->item(first + i);
        item->setFlags(Qt::ItemIsEnabled);
        paintItem(item, false);
        applyMark(item, marks[i]);
        item->setIcon(icon);
        // The shared picture stands in until the walk draws the frame's own.
        item->setData(kPendingRole, true);
    }
}

void FrameList::followRestore(const editing::RowChanges &changes)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    // A list not in step with the table before the changes is built anew.
    if (refresh == Filling || list->count() != document.rowCount() - changes.inserted + changes.removed) {
        rebuild();
        return;
    }
    // Frames removed or inserted: their items go or come (a new one shows a
    // shared picture until the walk draws its own).
    if (changes.removed > 0) {
        list->model()->removeRows(changes.at, changes.removed);
        paintedRowsKnown = false;
    } else if (changes.inserted > 0) {
        insertFilledItems(changes.at, changes.inserted);
        fillPicture = QIcon();
    }
    // A changed frame's picture is drawn again; the others keep theirs.
    for (int row : changes.changed) {
        if (QListWidgetItem *item = list->item(row)) {
            setCaption(item, row);
            item->setData(kPendingRole, true);
        }
    }
    // The frames after a removal or an insertion stand at new rows: their
    // captions follow (the list lays its items out again anyway).
    if (changes.removed > 0 || changes.inserted > 0) {
        const QSignalBlocker quiet(list->model());
        for (int row = changes.at + changes.inserted, n = list->count(); row < n; ++row)
            setCaption(list->item(row), row);
    }
    recolour([this] { resetItemColours(); });
    const int n = list->count();
    if (n == 0)
        return;
    // The walk draws the pictures marked, from the first change; it starts
    // at the frame the undo or redo changed, which is loaded into the panel.
    tick = 0;
    refresh = Walking;
    walkCursor = qBound(0, changes.changed.isEmpty() ? changes.at : changes.changed.first(), n - 1);
    setWalkRow(document.rowShownAfterReset());
}

void FrameList::redrawPictures()
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    if (list->count() > 0) {
        document.setCurrentRow(0);
        tick = 0;
        refresh = Walking;
        markPending(0);
    }
}

void FrameList::viewReady()
{
    // Pictures that could not be drawn before the view was set up are drawn now.
    QListWidget *list = ui->listWidgetGraphicOperation;
    for (int i = 0, n = list->count(); i < n; ++i) {
        if (picturePending(i)) {
            walkCursor = i;
            tick = 0;
            refresh = Walking;
            return;
        }
    }
}

void FrameList::setWalkRow(int row)
{
    walkStepping = true;
    document.setCurrentRow(row);
    walkStepping = false;
}

void FrameList::walkTick()
{
    if (refresh != Walking)
        return;
    // Until the view is set up nothing can be drawn: the items stay marked
    // and the view's sceneReady starts the walk again.
    QListWidget *list = ui->listWidgetGraphicOperation;
    const int n = qMin(document.rowCount(), list->count());
    if (!view->isReady()) {
        // The captions are right at once all the same.
        for (int i = 0; i < n; ++i)
            if (picturePending(i))
                setCaption(list->item(i), i);
        refresh = Idle;
        return;
    }
    // A frame of the 3D view waits to be drawn (after an open, an edit): the
    // window is composed with it this turn, so the pictures wait one turn
    // rather than add to it (one only: a view that cannot draw just now does
    // not hold the walk up).
    if (view->framePending() && !waitedForView) {
        waitedForView = true;
        return;
    }
    waitedForView = false;
    QElapsedTimer batch;
    batch.start();
    // A batch of pictures, short enough for the list to stay responsive: the
    // next picture is begun only if it can end within the batch, judged by
    // what the last ones took (a loaded machine makes them slower).
    const qint64 budgetNs = qint64(kWalkBatchMs) * 1000000;
    for (int drawn = 0; drawn == 0 || batch.nsecsElapsed() + pictureNs <= budgetNs; ++drawn) {
        while (walkCursor < n && !picturePending(walkCursor))
            ++walkCursor;
        // Items inserted behind the cursor meanwhile are looked for once more.
        if (walkCursor >= n) {
            walkCursor = 0;
            while (walkCursor < n && !picturePending(walkCursor))
                ++walkCursor;
        }
        if (walkCursor >= n) {
            refresh = Idle;
            tick = 0;
            return;
        }
        QListWidgetItem *item = list->item(walkCursor);
        const qint64 started = batch.nsecsElapsed();
        const QIcon picture = pictureOfFrame(walkCursor);
        const qint64 took = batch.nsecsElapsed() - started;
        pictureNs = pictureNs == 0 ? took : (pictureNs + took) / 2;
        if (picture.isNull()) {
            refresh = Idle;
            return;
        }
        setPicture(item, picture);
        // Items after an inserted or removed frame stand at new rows.
        setCaption(item, walkCursor);
        ++walkCursor;
    }
    tick += 10;
}

// ---------------------------------------------------------------- selection

void FrameList::listCurrentChanged(QListWidgetItem *current)
{
    // The list brought to the document's frame, or filled: nothing to choose.
    if (followingDocument || refresh == Filling)
        return;
    // No current item (the list emptied): no current frame either.
    const int row = current ? ui->listWidgetGraphicOperation->row(current) : -1;
    if (row < 0 && document.currentRow() < 0)
        return;
    chosenInList = true;
    document.setCurrentRow(row);
    chosenInList = false;
}

void FrameList::followCurrentRow(int r)
{
    QListWidget *list = ui->listWidgetGraphicOperation;
    if (list->currentRow() != r) {
        const bool wasFollowing = followingDocument;
        followingDocument = true;
        list->setCurrentRow(r, QItemSelectionModel::NoUpdate);
        followingDocument = wasFollowing;
    }
    // While the list is being filled nothing is shown yet: the walk that
    // follows shows the frame (and filling stays linear in the frames).
    QListWidgetItem *current = list->item(r);
    if (!current || refresh == Filling || keepColours)
        return;
    // Shift and Control shape the selection only for a frame picked in the
    // list; the walk, playback and the commands make a frame current plainly.
    const bool shift = keys.shift && chosenInList && !walkStepping;
    const bool ctrl = keys.ctrl && chosenInList && !walkStepping;

    if (!shift && !ctrl) {
        recolour([this, current] {
            resetItemColours();
            paintItem(current, true);
        });
        selectionAnchorRow = r;
    } else if (shift && !ctrl) {
        recolour([this, list, r] {
            resetItemColours();
            selected.clear();
            const int step = r >= selectionAnchorRow ? 1 : -1;
            for (int row = selectionAnchorRow;; row += step) {
                if (QListWidgetItem *item = list->item(row)) {
                    paintItem(item, true);
                    selected.append(row);
                }
                if (row == r)
                    break;
            }
        });
    } else if (ctrl && !shift) {
        if (selected.contains(r))
            selected.removeAll(r);
        else
            selected.append(r);
        recolour([this, list] {
            resetItemColours();
            for (int row : qAsConst(selected))
                if (QListWidgetItem *item = list->item(row))
                    paintItem(item, true);
        });
    }
}

void FrameList::itemClicked(QListWidgetItem *item)
{
    const int r = ui->listWidgetGraphicOperation->row(item);
    if (r < 0)
        return;
    if (!keys.shift && !keys.ctrl) {
        selected.clear();
        recolour([this, item] {
            resetItemColours();
            paintItem(item, true);
        });
        selectionAnchorRow = r;
        selected.append(r);
    }
    // A click makes its frame current (the move of the list's current item
    // before it did so already, shaping the selection); a click on the
    // current frame shows it again, the selection's colours as they are.
    if (document.currentRow() != r) {
        chosenInList = true;
        document.setCurrentRow(r);
        chosenInList = false;
    } else {
        keepColours = true;
        document.setCurrentRow(r);
        keepColours = false;
    }
}
