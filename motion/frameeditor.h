#pragma once
// The frame editing commands: inserting frames (copy of the panel, origin
// pose, transition), remove, cut, copy and paste, mirror and reverse through
// the joint panel, undo and redo over snapshots of the whole table, and the
// frame list's context menu with its loop and music entries. Widgets it
// drives: the Edit menu's and tool bars' actions (actionCopy_frame,
// actionOrigin_frame, actionTransition_frame, actionRemove, actionCut,
// actionCopy, actionPaste, actionMirror, actionReverse, actionUndo,
// actionRedo); the context menu it builds over the window.
// Widgets it owns: actionCopy_frame, actionCopy, actionOrigin_frame, actionTransition_frame, actionRemove,
//   actionCut, actionPaste, actionMirror, actionReverse, actionUndo, actionRedo

#include <QObject>


#include "motion/motiondocument.h"

namespace Ui { class MainWindow; }
class FrameInfoPanel;
class FrameList;
class JointPanel;
class Prompt;
class QMenu;
class QPoint;
class QWidget;

class FrameEditor : public QObject
{
    Q_OBJECT

public:
    // window parents the context menu and the questions asked.
    FrameEditor(Ui::MainWindow *ui, QWidget *window, Prompt &prompt, MotionDocument &document,
                JointPanel &panel, FrameList &list, FrameInfoPanel &info, QObject *parent = nullptr);

public slots:
    void copyFrame();
    void originFrame();
    void transitionFrame();
    void remove();
    void cut();
    void copy();
    void paste();
    void mirror();
    void reverse();
    void undo();
    void redo();
    // The context menu's own entries, for the list's current row.
    void loopStart();
    void loopEnd();
    void loopCancel();
    void playMusic();
    void pauseMusic();
    void stopMusic();
    void cancelMusic();

private:
    // Inserts a frame from the panel with these angles after the current frame.
    void insertFrameFromPanel(const MotionDocument::Angles &angles);
    // Removes the frames of rows (highest first) and their list items.
    void removeFrameRows(const QVector<int> &rows);
    // Sets the angle boxes, then shows the current frame in the table and its item.
    void applyAngleSteps(const QVector<QPair<int, int>> &steps);
    // Table after an undo or redo: modified, the table restored, and the first
    // frame that differs from before made current.
    void restoreSnapshot(const editing::Snapshot &before, const editing::Snapshot &state);
    // Records an edit whose settle countdown is still running.
    void flushPendingEdit();
    // Builds the frame list's context menu (the caller runs and deletes it).
    QMenu *buildContextMenu();
    void showContextMenu(const QPoint &pos);
    // After a context menu entry changed row: its caption, the settle countdown.
    void entryDone(int row);

    Ui::MainWindow *ui;
    QWidget *window;
    Prompt &prompt;
    MotionDocument &document;
    JointPanel &panel;
    FrameList &list;
    FrameInfoPanel &info;
};
