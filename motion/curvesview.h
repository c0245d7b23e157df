#pragma once
// The curves view: the chosen joints' angles (degrees) against time (ms) over
// the whole motion, one line per joint in its own colour with a legend. The
// time axis is the frame info's (every loop drawn once, its span shaded and
// marked with the passes it plays); each frame's pose is a point where it is
// reached, held through its delay. A line marks the current frame and, while
// a preview runs, another the preview's position; each joint's limits show
// as bands beyond them.
//
// The wheel zooms the time axis around the pointer and dragging the
// background pans it, as on the music's waveform. A click on a frame's point
// makes that frame current; dragging it up or down sets that joint's angle in
// that frame, held to its limits, written once on release (one undo step).
//
// The view owns its widgets (made here, none of the form's); it reads the
// document and follows its changes and current frame.

#include <QVector>
#include <QWidget>

#include "motion/curvetimeline.h"

class MotionDocument;
class QCPGraph;
class QCPItemStraightLine;
class QCustomPlot;
class QMenu;
class QMouseEvent;
class QToolButton;

class CurvesView : public QWidget
{
    Q_OBJECT

public:
    explicit CurvesView(MotionDocument &document, QWidget *parent = nullptr);

    QCustomPlot *plot() const { return plot_; }
    QToolButton *easeButton() const { return ease_; }

    // Servos (2..20) drawn, ascending. At start the 17 joints of the body.
    QVector<int> shownServos() const { return shown; }
    void setShownServos(const QVector<int> &servos);

    // Builds the lines again from the document and draws them now (the view
    // does so by itself, once, after the document changed).
    void redraw();
    // The time axis as drawn last.
    const curvetimeline::Timeline &timeline() const { return line; }
    // Where the point of row's pose of servo lies on the plot widget, in pixels.
    QPointF pointPosition(int row, int servo) const;
    // Shows the whole motion along the time axis.
    void fitTime();
    // Time of the preview marker, or -1 while it is hidden.
    double previewMarker() const;
    // Time of the current frame's marker, or -1 without one.
    double currentMarker() const;

public slots:
    // The preview plays row, intoFrame ms into it; row -1 hides the marker.
    void showPreviewPosition(int row, qint64 intoFrame);

signals:
    // The ease button was pressed.
    void easeRequested();
    // A drag was held at a joint's limit: the text says which.
    void jointHeld(const QString &text);

protected:
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void scheduleRedraw();
    void rebuildLines();
    void placeCurrentMarker();
    void placePreviewMarker();
    void updatePointMarks();
    void fitLegend();
    void buildJointMenu();
    void replotIfShown();
    // The frame point nearest to a pixel, within reach of a pointer.
    bool pointAt(const QPoint &pixel, int *row, int *servo) const;
    void mousePressed(QMouseEvent *event);
    void mouseMoved(QMouseEvent *event);
    void mouseReleased(QMouseEvent *event);
    int angleAt(int y, int servo, bool *held) const;

    MotionDocument &document;
    QCustomPlot *plot_ = nullptr;
    QToolButton *joints_ = nullptr;
    QToolButton *ease_ = nullptr;
    QToolButton *fit_ = nullptr;
    QMenu *jointMenu = nullptr;
    QVector<int> shown;
    QVector<QCPGraph *> graphs;       // one per shown servo
    QCPItemStraightLine *current_ = nullptr;
    QCPItemStraightLine *preview_ = nullptr;
    curvetimeline::Timeline line;
    bool redrawPending = false;
    bool dirty = true;
    bool fitPending = true;
    // The preview's place (row -1: no preview), kept across redraws.
    int previewRow = -1;
    qint64 previewInto = 0;
    // A point being dragged: its frame, servo and the angle it is held at.
    int dragRow = -1;
    int dragServo = 0;
    int dragAngle = 0;
    bool dragMoved = false;
    // Where the drag's button went down, across the plot.
    int pressY = 0;
};
