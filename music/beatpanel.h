#pragma once
// The beat grid of the open music on its waveform: beat lines across the
// plot (every fourth, a bar's first beat, drawn stronger), the tempo, the
// tempo range searched, moving the grid half a beat or 10 ms, tap tempo, and
// the snap commands (carried out by whoever edits the motion: snapRequested).
// The grid is found on the decoder's worker as the music is decoded, and kept
// per music file in ".robot/beatgrid" under the working directory, so a song
// opened again shows its grid (with the user's moves) without being analysed.
//
// Widgets it owns: edWaveformContents
// (the beat strip below the plot is added to its layout). It draws over the music
// panel's plot (an item of its own with the beat and bar lines of the visible
// time) and says what the analysis found in the status bar. Made here, in the strip:
// labelBeatTempo, spinBoxBeatMinBpm, spinBoxBeatMaxBpm, and tool buttons for
// the actions actionBeatHalf, actionBeatEarlier, actionBeatLater,
// actionBeatTap, actionBeatFind and the snap menu (actionSnapHalfBeats,
// actionSnapBeats, actionSnapSecondBeats, actionSnapFourthBeats).

#include <QObject>
#include <QString>

#include <functional>

#include "music/beatgrid.h"
#include "music/beatsnap.h"
#include "music/beattracker.h"

namespace Ui { class MainWindow; }
class AudioDecoder;
class QAction;
class QCPAbstractItem;
class QCustomPlot;
class QLabel;
class QSpinBox;

class BeatPanel : public QObject
{
    Q_OBJECT

public:
    // plot: the music panel's waveform, which the grid is drawn over;
    // position: the music player's position (ms), read when a tap comes.
    BeatPanel(Ui::MainWindow *ui, QCustomPlot *plot, std::function<qint64()> position, QObject *parent = nullptr);

    // A music file was opened at path and decoder is about to decode it:
    // its stored grid is shown, or the decoder is told to find the beat.
    void musicOpened(const QString &path, AudioDecoder &decoder);
    // The decoder found (or failed to find) the beat.
    void beatsFound(const music::BeatFit &fit, double durationMs);

    const music::BeatGrid &grid() const { return current; }
    QString musicPath() const { return path; }
    // Sets the grid (as a found one would be), draws and stores it.
    void setGrid(const music::BeatGrid &grid);
    double minBpm() const;
    double maxBpm() const;

    // The clock taps are timed with (ms); a steady clock unless a test sets one.
    void setClock(std::function<qint64()> clock);
    // Where the music is (ms) when a tap comes; the player's position unless
    // a test sets another.
    void setPositionSource(std::function<qint64()> source) { position = std::move(source); }

    QAction *snapAction(music::SnapDivision division) const;
    QAction *halfBeatAction() const { return half; }
    QAction *earlierAction() const { return earlier; }
    QAction *laterAction() const { return later; }
    QAction *tapAction() const { return tapper; }
    QAction *findAction() const { return finder; }
    QLabel *tempoLabel() const { return tempo; }
    QSpinBox *minBpmBox() const { return minBox; }
    QSpinBox *maxBpmBox() const { return maxBox; }
    // The lines drawn now (ms), beats and bars apart.
    music::GridLines drawnLines() const;

    static QString tempoText(const music::BeatGrid &grid);

signals:
    // The user asked to snap the selected frames to the grid.
    void snapRequested(music::SnapDivision division);
    // The grid changed (found, read, moved, tapped or cleared).
    void gridChanged();

public slots:
    // Finds the beat again in the range of the spin boxes: fitted again when
    // the decoder still holds what it found, else the music is decoded again.
    void findBeat();
    void shiftHalfBeat();
    void nudge(double deltaMs);
    void tap();
    // Draws the lines of the visible time range.
    void draw();

private:
    void buildStrip();
    void show(const music::BeatGrid &grid);
    void store();
    void status(const QString &text, int timeout = 0);

    Ui::MainWindow *ui;
    QCustomPlot *plot;
    std::function<qint64()> position;
    std::function<qint64()> clock;
    AudioDecoder *decoder = nullptr;
    QString path;
    music::BeatGrid current;
    double durationMs = 0;
    music::TapTempo taps;
    QLabel *tempo = nullptr;
    QSpinBox *minBox = nullptr;
    QSpinBox *maxBox = nullptr;
    QAction *half = nullptr;
    QAction *earlier = nullptr;
    QAction *later = nullptr;
    QAction *tapper = nullptr;
    QAction *finder = nullptr;
    QAction *snaps[4] = {};
    QCPAbstractItem *linesItem = nullptr;
};
