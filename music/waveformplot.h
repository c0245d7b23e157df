#pragma once
// How the waveform plot draws the envelope, shared by MusicPanel and the
// benchmark: graph 0 holds each column's upper edge and graph 2 its lower
// edge (no lines of their own); error bars on graph 0 draw every column as one
// vertical stroke from lower to upper edge, which stays quick however much
// the edges zigzag.

#include "music/waveform.h"

class QCustomPlot;
class QCPErrorBars;

namespace waveformplot {

// Graphs 0 and 2 must exist; adds the column strokes (once).
QCPErrorBars *setUp(QCustomPlot *plot);
// The envelope's columns for the x axis' visible range, width columns.
void draw(QCustomPlot *plot, QCPErrorBars *strokes, const music::Envelope &envelope, int width);

} // namespace waveformplot
