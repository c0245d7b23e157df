#pragma once
// The ease command: the moves into the selected frames (or into the current
// frame when none is selected) replaced by steps along a curve (motion/easing),
// asked for through the dialogs seam: the curve, the number of steps, then a
// question that shows the frames added and the extra time the download to the
// robot takes at the link's current speed. The whole ease is one undo step.
// Widgets: none of the form's; the dialogs are parented to the window.

#include <QObject>
#include <QVector>

#include <functional>

#include "motion/frametable.h"

class FrameList;
class MotionDocument;
class Prompt;
class QWidget;

class EaseCommand : public QObject
{
    Q_OBJECT

public:
    EaseCommand(QWidget *window, Prompt &prompt, MotionDocument &document, FrameList &list,
                QObject *parent = nullptr);

    // How long the frames take to download to the robot (ms) over the link
    // as it is chosen now, and whether that is the Bluetooth bridge. Without
    // them the question leaves the download time out.
    using DownloadTime = std::function<double(const QVector<frametable::Values> &frames)>;
    void setDownloadTime(DownloadTime time, std::function<bool()> overBluetooth);

public slots:
    void run();

private:
    QWidget *window;
    Prompt &prompt;
    MotionDocument &document;
    FrameList &list;
    DownloadTime downloadTime;
    std::function<bool()> bluetooth;
};
