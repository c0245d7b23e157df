#pragma once
// Snapping frames to the music's beat grid: the frames selected in the frame
// list (or the current frame when none is) start on the grid's nearest point
// after the delay times of the frames before them changed, as one step of the
// undo history. Frames that cannot get there keep their times and are named
// in one warning; the status bar says how many were snapped.
//
// It says what it did in the status bar it is given. The grid and the snap
// commands come from the beat panel, the frames from the document and the
// frame list.

#include <QObject>

#include "music/beatsnap.h"

class BeatPanel;
class QStatusBar;
class FrameList;
class MotionDocument;
class Prompt;
class QWidget;

class BeatSnapper : public QObject
{
    Q_OBJECT

public:
    BeatSnapper(QStatusBar *status, MotionDocument &document, FrameList &list, BeatPanel &beats, Prompt &prompt,
                QWidget *dialogParent, QObject *parent = nullptr);

    void snap(music::SnapDivision division);

    // The warning's text for the frames that could not be snapped.
    static QString problemsText(const QVector<music::SnapProblem> &problems);

private:
    QStatusBar *status;
    MotionDocument &document;
    FrameList &list;
    BeatPanel &beats;
    Prompt &prompt;
    QWidget *dialogParent;
};
