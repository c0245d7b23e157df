#pragma once
// The frame info text of the document's current frame: its times, when it is
// first and last reached while the motion plays, its loop mark, music command,
// volume and LED channels. Widgets it drives: textBrowserFrameInfo.
// Widgets it owns: textBrowserFrameInfo

#include <QObject>
#include <QTimer>
#include <functional>

namespace Ui { class MainWindow; }
class MotionDocument;

class FrameInfoPanel : public QObject
{
    Q_OBJECT

public:
    FrameInfoPanel(Ui::MainWindow *ui, MotionDocument &document, QObject *parent = nullptr);

    // Play times of the current frame computed by update (ms): the end of its
    // first pass, and of its last pass when loops repeat it.
    qint64 firstTimeHere() const { return firstTime; }
    qint64 lastTimeHere() const { return lastTime; }
    // What else is known of a frame: a line added to its text (none by default).
    void setNote(std::function<QString(int row)> note) { noteOf = std::move(note); }

public slots:
    // Recomputes the text of the document's current frame (empty without
    // one). Also runs by itself after any change of the table or of the
    // current frame.
    void update();
    // The text is made again once the window is next idle (what a note
    // depends on changed).
    void updateLater();

private:
    Ui::MainWindow *ui;
    MotionDocument &document;
    qint64 firstTime = 0;
    qint64 lastTime = 0;
    QTimer pending; // an update asked for by a change, made when idle
    std::function<QString(int row)> noteOf;
};
