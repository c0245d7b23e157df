#pragma once
// The frame list and the frame table's view: one thumbnail item per frame
// (item i is frame i), its pictures drawn offscreen by the 3D view from each
// frame's own pose by the thumbnail walk, the selection of frames (single,
// Shift range, Control toggle) shown by colours, and clicks in either view.
// The current frame is the document's: a click in the list or the table makes
// a frame current there, and the list follows the document's currentRowChanged.
// Widgets it drives:
//   listWidgetGraphicOperation (items, current row, icon size, its signals);
//   tableView (model, selection model, editors, current index, clicks);
//   openGLWidget: draws the pictures (renderThumbnail), its
//     update_scence_complete and sceneReady signals.
// Widgets it owns: listWidgetGraphicOperation, tableView

#include <QIcon>
#include <QObject>
#include <QPixmap>
#include <QString>
#include <QTimer>
#include <QVector>

#include <functional>

#include "motion/editing.h"

namespace Ui { class MainWindow; }
class MotionDocument;
class OpenGLWidget;
class QListWidgetItem;
class QBrush;
class QModelIndex;
class QPoint;

// Shift and Control as the window saw them pressed, for multiple selection.
struct HeldKeys {
    bool shift = false;
    bool ctrl = false;
};

// What is known of a frame besides its cells (whether the robot stands in
// its pose): a text added to its caption, a line for the frame info, and a
// mark for its caption's colour.
struct FrameNote {
    enum Mark { None = 0, Warning = 1, Fault = 2 };
    QString caption;
    QString info;
    int mark = None;
};

class FrameList : public QObject
{
    Q_OBJECT

public:
    // What the list is doing: nothing, walking the frames to draw their
    // pictures (offscreen, a batch of a few milliseconds per timer step), or
    // being filled with items (one shared picture, no frame loaded; the walk
    // follows).
    enum Refresh { Idle = 0, Walking = 1, Filling = 2 };

    FrameList(Ui::MainWindow *ui, MotionDocument &document, OpenGLWidget *view, QObject *parent = nullptr);

    // True while no simulation drives the 3D view (its redraws then refresh
    // the current frame's picture).
    void setPlaybackStopped(std::function<bool()> stopped);

    HeldKeys &heldKeys() { return keys; }
    // A dialog is about to open: the release of Control would be missed.
    void forgetControlKey() { keys.ctrl = false; }

    // Where a frame's note comes from (none by default). Captions take it
    // when they are made; refreshCaptions makes them all again (what the
    // notes depend on changed) and says so with captionsRefreshed.
    void setFrameNote(std::function<FrameNote(int row)> note);
    FrameNote frameNote(int row) const;
    void refreshCaptions();

    // Items in the list (the current frame is the document's currentRow()).
    int count() const;
    // Pictures are drawn at this size (the walk draws them again).
    void setPictureSize(int size);

    // Frame rows the editing commands act on, in the order they were picked.
    QVector<int> &selectedRows() { return selected; }
    // Row last picked without a modifier key: where a Shift range starts.
    int anchorRow() const { return selectionAnchorRow; }

    // Item with the 3D view's picture and the frame's caption: a new item at
    // the current frame's row, made the list's current item (not while
    // filling), or the list's current item refreshed.
    void insertItem();
    void refreshCurrentItem();
    // The item of row takes its frame's caption again (its loop or music
    // mark was set), at once.
    void refreshCaption(int row);
    void clear();
    void deleteItem(int row);

    // Filling: items added between beginFill and endFill share one picture
    // and load no frame; startWalk then draws them all from row.
    void beginFill();
    // count items appended for the rows after the list's last item.
    void addFilledItems(int count);
    // count items inserted at row first, the same way.
    void insertFilledItems(int first, int count);
    void endFill();
    void startWalk(int row);
    // Empties the list and, when there are frames, fills it and walks from 0.
    void rebuild();
    // The table changed by changes (an undo or redo): items come and go with
    // their frames, only the changed frames' pictures are drawn again, and
    // the frame shown after the change is made current.
    void followRestore(const editing::RowChanges &changes);
    // The 3D view's background changed: the pictures are drawn again from
    // the first item.
    void redrawPictures();

    // Makes row the document's current frame as a step of the thumbnail walk
    // or of playback (the views show it again even when it was current
    // already; modifier keys held do not make it a range or a toggle).
    void setWalkRow(int row);
    // The walk's 10 ms timer step: draws the pictures still to draw, for at
    // most kWalkBatchMs by the clock (a picture is begun only when, at the
    // pace of the last ones, it ends within the batch; the first one always),
    // without moving the current frame or the 3D view.
    void walkTick();
    static constexpr int kWalkBatchMs = 15;
    // True while the item's picture is still to be drawn.
    bool picturePending(int row) const;

    int refreshState() const { return refresh; }
    void setRefreshState(int state) { refresh = state; }
    int refreshTick() const { return tick; }
    void setRefreshTick(int ms) { tick = ms; }

    // The 3D view's picture of the current pose, sized for the list.
    QPixmap grabPicture() const;
    // The picture of a frame's pose as the list shows it (a compact icon);
    // a null icon while the 3D view cannot draw yet.
    QIcon pictureOfFrame(int row) const;

signals:
    // The context menu was asked for over an item.
    void contextMenuRequested(const QPoint &pos);
    // Every caption was made again with the frames' notes.
    void captionsRefreshed();

private:
    void refreshItem(bool insert);
    // The caption of a frame; *mark (when given) takes its note's mark.
    QString caption(int row, int *mark = nullptr) const;
    void setCaption(QListWidgetItem *item, int row);
    void applyMark(QListWidgetItem *item, int mark);
    QBrush textBrush(const QListWidgetItem *item, bool selected) const;
    void frameEdited(int row);
    // The list's current item was moved (a click, a key): that frame
    // becomes the document's current one.
    void listCurrentChanged(QListWidgetItem *current);
    // The document's current frame changed: the list's current item and the
    // colours of the selection follow.
    void followCurrentRow(int row);
    void itemClicked(QListWidgetItem *item);
    void viewUpdated();
    void viewReady();
    void markPending(int from);
    void setPicture(QListWidgetItem *item, const QIcon &icon);
    void paintItem(QListWidgetItem *item, bool selected);
    void resetItemColours();
    // Runs paint (item colours) with the list told once, not per item.
    void recolour(const std::function<void()> &paint);

    Ui::MainWindow *ui;
    MotionDocument &document;
    OpenGLWidget *view;
    std::function<bool()> playbackStopped;
    std::function<FrameNote(int)> note;
    HeldKeys keys;
    int refresh = Idle;
    int tick = 0;
    qint64 pictureNs = 0;   // what the last pictures took (a running mean), ns
    bool waitedForView = false;   // the last step left its turn to the 3D view's frame
    bool walkStepping = false;
    bool followingDocument = false;  // the list is being brought to the document's current row
    bool chosenInList = false;       // the document's current row is being set from the list
    bool keepColours = false;        // the current frame is shown again, the selection stays
    bool tableScrolled = true;
    // While the list is being filled every new item shows this one picture.
    QIcon fillPicture;
    // Where the walk looks for the next picture to draw.
    int walkCursor = 0;
    QVector<int> selected;
    // Rows painted as selected since the last reset of the colours; only
    // while paintedRowsKnown (no item inserted or removed since).
    QVector<int> paintedRows;
    bool paintedRowsKnown = true;
    int selectionAnchorRow = 0;
};
