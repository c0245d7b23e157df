#include "music/waveformplot.h"

#include <qcustomplot.h>

namespace waveformplot {

QCPErrorBars *setUp(QCustomPlot *plot)
{
    const QColor colour(40, 80, 200);
    for (int g : {0, 2}) {
        plot->graph(g)->setPen(QPen(Qt::blue));
        plot->graph(g)->setLineStyle(QCPGraph::lsNone);
        plot->graph(g)->setAdaptiveSampling(false);   // already one column per pixel
    }
    auto *strokes = new QCPErrorBars(plot->xAxis, plot->yAxis);
    strokes->setDataPlottable(plot->graph(0));
    strokes->setErrorType(QCPErrorBars::etValueError);
    strokes->setWhiskerWidth(0);
    strokes->setSymbolGap(0);
    strokes->setPen(QPen(colour, 1));
    strokes->setAntialiased(false);   // one pixel column each: crisp and quick
    strokes->setSelectable(QCP::stNone);
    return strokes;
}

void draw(QCustomPlot *plot, QCPErrorBars *strokes, const music::Envelope &envelope, int width)
{
    const QCPRange range = plot->xAxis->range();
    const music::EnvelopeColumns c = music::envelopeColumns(envelope, range.lower, range.upper, width);
    plot->graph(0)->setData(c.x, c.high, true);
    plot->graph(2)->setData(c.x, c.low, true);
    QVector<double> down(c.x.size()), up(c.x.size(), 0.0);
    for (int i = 0; i < c.x.size(); ++i)
        down[i] = c.high.at(i) - c.low.at(i);
    strokes->setData(down, up);
}

} // namespace waveformplot
