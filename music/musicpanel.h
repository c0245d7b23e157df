#pragma once
// The music of a motion: the media player, the waveform of the decoded music
// with the play line, the waveform's scroll bars and axes, and timing the
// current frame to a double-clicked moment of the music.
//
// Widgets: actionOpen_music_file, actionPlay_music, actionPause_music,
// actionStop_music, plot_2 (graph 0 the waveform, graph 1 the play line, its
// axes and double-clicks), scrollArea_4 (its two scroll bars move the axes);
// read: horizontalSliderVolume (the volume the music plays with); written:
// spinBoxDelayTime and spinBoxOperationTime (the joint panel's time boxes,
// which write the current frame) when a frame is timed to the music.

#include <QObject>

#include <qcustomplot.h>

namespace Ui { class MainWindow; }
class AudioDecoder;
class FrameList;
class MotionDocument;
class Prompt;
class QMediaPlayer;
class QMouseEvent;
class QWidget;

class MusicPanel : public QObject
{
    Q_OBJECT

public:
    // dialogParent parents the file, warning and delay dialogs.
    MusicPanel(Ui::MainWindow *ui, Prompt &prompt, QWidget *dialogParent, QObject *parent = nullptr);

    // The motion a double-click times: the document's frames up to the frame
    // list's current row. They are made after this panel; until they are
    // given, a double-click only seeks.
    void setFrames(const MotionDocument &document, FrameList &list);

    // The player and the decoder of the waveform, owned by the panel.
    QMediaPlayer &player() const { return *mediaPlayer; }
    AudioDecoder &decoder() const { return *audioDecoder; }
    // Last play position drawn (ms).
    qint32 playLinePosition() const { return lastPlayPosition; }

    // The music as a playback starts it: at this volume, from `position` ms
    // into the file (the preview's time since its play-music frame) unless it
    // already plays there; the play line drawn again from that place.
    void startPlayback(int volume, qint64 position = 0);

public slots:
    void openMusic();
    // Plays at the volume slider's volume.
    void play();
    void pause();
    void stop();
    // Draws the waveform of the decoded samples.
    void updatePlotData();
    // Draws the play line at the player's position (ms).
    void positionChanged(qlonglong position);
    // Seeks to the clicked time and offers to time the current frame to it.
    void axisDoubleClick(QCPAxis *axis, QCPAxis::SelectablePart part, QMouseEvent *event);

private:
    // The plot's scroll bars and axes follow each other.
    void horzScrollBarChanged(int value);
    void vertScrollBarChanged(int value);
    void xAxisChanged(QCPRange range);
    void yAxisChanged(QCPRange range);
    // Page steps of the scroll bars from the axes' ranges.
    void restoreScrollBarSteps();
    // The axes box with connected ranges, dragging and zooming (set up once).
    void setupPlotInteraction();

    Ui::MainWindow *ui;
    Prompt &prompt;
    QWidget *dialogParent;
    const MotionDocument *document = nullptr;
    FrameList *list = nullptr;
    QMediaPlayer *mediaPlayer = nullptr;
    AudioDecoder *audioDecoder = nullptr;
    qint32 lastPlayPosition = 0;
    bool plotInteractionReady = false;
};
