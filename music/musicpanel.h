#pragma once
// The music of a motion: the media player, the waveform of the decoded music
// (its min/max envelope, one column per pixel of the visible time) with the
// play line and its time, markers where the frames start on the music's time
// line, the waveform's scroll bars and axes (time in m:ss.s, wheel zoom and
// drag along time), and timing the current frame to a double-clicked moment
// of the music.
//
// Widgets: actionOpen_music_file, actionPlay_music, actionPause_music,
// actionStop_music, plot_2 (graph 0 the envelope's upper edge, graph 2 its
// lower edge, error bars on graph 0 a stroke between them per column; graph 1
// the play line; graph 3 the frames' markers, graph 4 the current frame's; its
// axes and double-clicks), scrollArea_4 (its two scroll bars move the axes),
// statusBar (decoding progress, what a double-click on the plot does); read:
// the document's current frame and frame times; made here: the listening
// volume (a speaker picture and a slider) after actionStop_music on the tool
// bar that holds it: the volume the program itself plays music at (the
// frame's volume, horizontalSliderVolume, is the robot's and does not reach
// the player). A frame timed to the music is told by frameTimed (the joint
// panel's time boxes write it to the current frame).
// Widgets it owns: actionOpen_music_file, actionPlay_music, actionPause_music,
//   actionStop_music, plot_2, scrollArea_4

#include <QObject>

#include <qcustomplot.h>

namespace Ui { class MainWindow; }
class AudioDecoder;
class BeatPanel;
class MotionDocument;
class Prompt;
class QMediaPlayer;
class QLabel;
class QMouseEvent;
class QSlider;
class QWidget;

class MusicPanel : public QObject
{
    Q_OBJECT

public:
    // dialogParent parents the file, warning and delay dialogs.
    MusicPanel(Ui::MainWindow *ui, Prompt &prompt, QWidget *dialogParent, QObject *parent = nullptr);

    // The motion a double-click times: the document's frames up to its
    // current frame; the markers follow the document. It is made after this
    // panel; until it is given, a double-click only seeks.
    void setFrames(const MotionDocument &document);

    // The player and the decoder of the waveform, owned by the panel. They
    // are made on first use of music, not at start: the media service and
    // the decoders it loads would otherwise delay the window's first frame.
    QMediaPlayer &player();
    AudioDecoder &decoder();
    // The beat grid of the music, made with this panel.
    BeatPanel &beats() const { return *beatPanel; }
    bool hasPlayer() const { return mediaPlayer != nullptr; }
    bool hasDecoder() const { return audioDecoder != nullptr; }
    // Last play position drawn (ms).
    qint32 playLinePosition() const { return lastPlayPosition; }
    // The play line's time read-out.
    QCPItemText *playLineLabel() const { return playLabel; }
    // What the status bar says while the pointer is over the plot.
    static QString doubleClickHint();

    // The music as a playback starts it: from `position` ms into the file
    // (the preview's time since its play-music frame) unless it already plays
    // there; the play line drawn again from that place. frameVolume is the
    // volume the robot plays at; the program plays at the listening volume.
    void startPlayback(int frameVolume, qint64 position = 0);

    // The volume the program plays music at, 0..100 (100 at start).
    int listeningVolume() const;
    // Sets the control and the player (values outside 0..100 are clamped);
    // listeningVolumeChosen is not emitted.
    void setListeningVolume(int percent);
    QSlider &listeningVolumeControl() const { return *volumeSlider; }

signals:
    // A double-click timed the current frame to the music: the frame is to
    // take these times (ms).
    void frameTimed(int operationTime, int delayTime);
    // The file dialog for a music file is about to open (the window misses
    // the keys released while it is open).
    void askingForMusicFile();
    // The user settled on a listening volume: at the end of a drag, or after
    // a click, key or wheel step on the slider.
    void listeningVolumeChosen(int percent);

public slots:
    void openMusic();
    // Plays at the listening volume.
    void play();
    void pause();
    void stop();
    // Draws the waveform of the decoded envelope over its whole length.
    void updatePlotData();
    // Draws the frames' markers again from the document and the current row.
    void updateMarkers();
    // Draws the play line at the player's position (ms).
    void positionChanged(qlonglong position);
    // Seeks to the clicked time and offers to time the current frame to it.
    void axisDoubleClick(QCPAxis *axis, QCPAxis::SelectablePart part, QMouseEvent *event);

protected:
    // The status bar's hint while the pointer is over the plot.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // The envelope's columns for the visible time range and the plot's width.
    void drawEnvelope();
    // Markers are drawn again once the current burst of edits is over.
    void scheduleMarkers();
    void decodingProgress(int percent);
    // The plot's scroll bars and axes follow each other.
    void horzScrollBarChanged(int value);
    void vertScrollBarChanged(int value);
    void xAxisChanged(QCPRange range);
    void yAxisChanged(QCPRange range);
    // Page steps of the scroll bars from the axes' ranges.
    void restoreScrollBarSteps();
    // The axes box with connected ranges, dragging and zooming (set up once).
    void setupPlotInteraction();
    // The listening volume slider on the music actions' tool bar.
    void setupListeningVolume();
    void showListeningVolume(int percent);

    Ui::MainWindow *ui;
    Prompt &prompt;
    QWidget *dialogParent;
    const MotionDocument *document = nullptr;
    QMediaPlayer *mediaPlayer = nullptr;
    AudioDecoder *audioDecoder = nullptr;
    BeatPanel *beatPanel = nullptr;
    QSlider *volumeSlider = nullptr;
    QLabel *volumeIcon = nullptr;
    bool quietVolume = false;  // set while the program, not the user, moves the slider
    qint32 lastPlayPosition = 0;
    bool plotInteractionReady = false;
    bool markersPending = false;
    int envelopeWidth = 0;      // plot width the envelope was last drawn for
    int horizontalMaximum = 0;  // the horizontal bar's maximum for this music
    QCPErrorBars *envelopeStrokes = nullptr;
    QCPItemText *playLabel = nullptr;
    QCPItemText *currentMarkerLabel = nullptr;
};
