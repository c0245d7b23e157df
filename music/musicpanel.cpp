#include "music/musicpanel.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QFileInfo>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QTextStream>
#include <QUrl>

#include "app/prompt.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "music/audiodecoder.h"
#include "music/waveform.h"

namespace {

// The scroll area around the plot lays out and scrolls its contents with its
// own scroll bars. Here the bars move the plot's axes instead: the area's own
// scrolling is cut off, the bars' range stays -500..500 whenever the area
// resets it, and the plot stays at the viewport's origin.
class WaveformAreaGuard : public QObject
{
public:
    WaveformAreaGuard(QScrollArea *area, QObject *parent) : QObject(parent), area(area)
    {
        if (area->widget())
            area->widget()->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Move && watched == area->widget()) {
            QWidget *contents = area->widget();
            if (contents->pos() != QPoint(0, 0))
                contents->move(0, 0);
        }
        return false;
    }

private:
    QScrollArea *area;
};

void holdScrollRange(QScrollBar *bar, int minimum, int maximum)
{
    if (bar->minimum() != minimum || bar->maximum() != maximum)
        bar->setRange(minimum, maximum);
}

} // namespace

MusicPanel::MusicPanel(Ui::MainWindow *ui, Prompt &prompt, QWidget *dialogParent, QObject *parent)
    : QObject(parent), ui(ui), prompt(prompt), dialogParent(dialogParent)
{
    QCustomPlot *plot = ui->plot_2;
    plot->addGraph();
    plot->graph(0)->setPen(QPen(Qt::blue));
    plot->addGraph();
    plot->graph(1)->setPen(QPen(Qt::red));
    plot->xAxis->setRange(music::StartXCentre, music::StartXSize, Qt::AlignCenter);
    plot->yAxis->setRange(music::StartYCentre, music::StartYSize, Qt::AlignCenter);

    QScrollArea *area = ui->scrollArea_4;
    QScrollBar *hbar = area->horizontalScrollBar();
    QScrollBar *vbar = area->verticalScrollBar();
    disconnect(hbar, SIGNAL(valueChanged(int)), area, nullptr);
    disconnect(vbar, SIGNAL(valueChanged(int)), area, nullptr);
    new WaveformAreaGuard(area, this);
    for (QScrollBar *bar : {hbar, vbar}) {
        bar->setRange(music::ScrollMinimum, music::ScrollMaximum);
        // The area sets the range and page step from its contents on every
        // resize; the range is put back at once (the value is kept), the page
        // steps once the area is done.
        connect(bar, &QScrollBar::rangeChanged, this, [this, bar](int, int) {
            if (bar->minimum() == music::ScrollMinimum && bar->maximum() == music::ScrollMaximum)
                return;
            holdScrollRange(bar, music::ScrollMinimum, music::ScrollMaximum);
            QMetaObject::invokeMethod(this, [this] { restoreScrollBarSteps(); }, Qt::QueuedConnection);
        });
    }
    connect(hbar, &QScrollBar::valueChanged, this, &MusicPanel::horzScrollBarChanged);
    connect(vbar, &QScrollBar::valueChanged, this, &MusicPanel::vertScrollBarChanged);
    connect(plot->xAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this, &MusicPanel::xAxisChanged);
    connect(plot->yAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this, &MusicPanel::yAxisChanged);
    connect(plot, &QCustomPlot::axisDoubleClick, this, &MusicPanel::axisDoubleClick);
    restoreScrollBarSteps();

    audioDecoder = new AudioDecoder(this);
    connect(audioDecoder, &AudioDecoder::done, this, &MusicPanel::updatePlotData);

    mediaPlayer = new QMediaPlayer(this);
    mediaPlayer->setVolume(ui->horizontalSliderVolume->value());
    // Positions often enough for the play line's 500 ms steps.
    mediaPlayer->setNotifyInterval(100);
    connect(mediaPlayer, &QMediaPlayer::positionChanged, this, &MusicPanel::positionChanged);

    connect(ui->actionOpen_music_file, &QAction::triggered, this, &MusicPanel::openMusic);
    connect(ui->actionPlay_music, &QAction::triggered, this, &MusicPanel::play);
    connect(ui->actionPause_music, &QAction::triggered, this, &MusicPanel::pause);
    connect(ui->actionStop_music, &QAction::triggered, this, &MusicPanel::stop);
}

void MusicPanel::setFrames(const MotionDocument &document, FrameList &list)
{
    this->document = &document;
    this->list = &list;
}

void MusicPanel::startPlayback(int volume, qint64 position)
{
    // Music that plays already is moved only when it is far from where the
    // preview has it: a seek is heard.
    constexpr qint64 kResyncMs = 150;
    mediaPlayer->setVolume(volume);
    if (mediaPlayer->state() != QMediaPlayer::PlayingState
        || qAbs(mediaPlayer->position() - position) > kResyncMs)
        mediaPlayer->setPosition(qMax<qint64>(0, position));
    mediaPlayer->play();
    lastPlayPosition = qint32(qBound<qint64>(0, position, INT32_MAX));
}

void MusicPanel::restoreScrollBarSteps()
{
    const QCPRange x = ui->plot_2->xAxis->range();
    const QCPRange y = ui->plot_2->yAxis->range();
    ui->scrollArea_4->horizontalScrollBar()->setPageStep(music::horizontalScrollFor(x.center(), x.size()).pageStep);
    ui->scrollArea_4->verticalScrollBar()->setPageStep(music::verticalScrollFor(y.center(), y.size()).pageStep);
}

void MusicPanel::setupPlotInteraction()
{
    // Set up once: the axes box connects the ranges each time it is set up.
    if (!plotInteractionReady) {
        ui->plot_2->axisRect()->setupFullAxesBox(true);
        plotInteractionReady = true;
    }
    ui->plot_2->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
}

void MusicPanel::openMusic()
{
    if (list)
        list->heldKeys().ctrl = false;
    const QString name = prompt.openFileName(dialogParent, tr("music file"), QStringLiteral("."),
                                             tr("music file (*.mp3 *.wav)"));
    // Cancelling keeps the music and waveform that are open.
    if (name.isEmpty())
        return;
    const QString path = QFileInfo(name).absoluteFilePath();
    // A decoding still running for the previous file ends first, so none of
    // its samples reach the new waveform.
    audioDecoder->stop();
    audioDecoder->samples.clear();
    audioDecoder->setSourceFilename(path);
    mediaPlayer->setMedia(QUrl::fromLocalFile(path));
    // The previous file's play line goes with it.
    ui->plot_2->graph(1)->data()->clear();
    lastPlayPosition = 0;
    audioDecoder->start();
}

void MusicPanel::play()
{
    mediaPlayer->setVolume(ui->horizontalSliderVolume->value());
    mediaPlayer->play();
}

void MusicPanel::pause()
{
    mediaPlayer->pause();
}

void MusicPanel::stop()
{
    mediaPlayer->stop();
}

void MusicPanel::updatePlotData()
{
    const music::Waveform w = music::waveformPoints(audioDecoder->samples);
    QTextStream out(stdout);
    out << "Complete!!" << '\n' << "byteCount:" << audioDecoder->samples.size() << '\n';
    out.flush();

    QCustomPlot *plot = ui->plot_2;
    plot->graph(0)->setData(w.x, w.y);
    setupPlotInteraction();
    plot->xAxis->setRange(w.xCentre, w.xSize, Qt::AlignCenter);
    plot->yAxis->setRange(w.yCentre, w.ySize, Qt::AlignCenter);
    plot->replot();
}

void MusicPanel::positionChanged(qlonglong position)
{
    if (!music::playLineMoves(lastPlayPosition, position))
        return;
    lastPlayPosition = qint32(qBound<qlonglong>(INT32_MIN, position, INT32_MAX));
    const double t = position / 1000.0;
    ui->plot_2->graph(1)->setData({t, t}, {-music::PlayLineHalfHeight, music::PlayLineHalfHeight});
    setupPlotInteraction();
    ui->plot_2->replot();
}

void MusicPanel::horzScrollBarChanged(int value)
{
    QCPAxis *axis = ui->plot_2->xAxis;
    const double centre = music::horizontalScrollCentre(value);
    if (music::axisMustFollow(axis->range().center(), centre)) {
        axis->setRange(centre, axis->range().size(), Qt::AlignCenter);
        ui->plot_2->replot();
    }
}

void MusicPanel::vertScrollBarChanged(int value)
{
    QCPAxis *axis = ui->plot_2->yAxis;
    const double centre = music::verticalScrollCentre(value);
    if (music::axisMustFollow(axis->range().center(), centre)) {
        axis->setRange(centre, axis->range().size(), Qt::AlignCenter);
        ui->plot_2->replot();
    }
}

void MusicPanel::xAxisChanged(QCPRange range)
{
    const music::ScrollPosition s = music::horizontalScrollFor(range.center(), range.size());
    QScrollBar *bar = ui->scrollArea_4->horizontalScrollBar();
    // The bar clamps values beyond its range; its clamped value must not
    // move the axis back.
    const QSignalBlocker quiet(bar);
    bar->setValue(s.value);
    bar->setPageStep(s.pageStep);
}

void MusicPanel::yAxisChanged(QCPRange range)
{
    const music::ScrollPosition s = music::verticalScrollFor(range.center(), range.size());
    QScrollBar *bar = ui->scrollArea_4->verticalScrollBar();
    // The bar clamps values beyond its range; its clamped value must not
    // move the axis back.
    const QSignalBlocker quiet(bar);
    bar->setValue(s.value);
    bar->setPageStep(s.pageStep);
}

void MusicPanel::axisDoubleClick(QCPAxis *axis, QCPAxis::SelectablePart part, QMouseEvent *event)
{
    Q_UNUSED(part)
    if (!event)
        return;
    // Time runs along the horizontal axes; a click on a vertical axis reads
    // the time at its x pixel from the bottom axis.
    QCPAxis *timeAxis = axis && axis->orientation() == Qt::Horizontal ? axis : ui->plot_2->xAxis;
    const double t = timeAxis->pixelToCoord(event->pos().x());
    qDebug() << "x = " << t;
    const qint64 clickMs = music::clickMilliseconds(t);
    mediaPlayer->setPosition(qMax<qint64>(0, clickMs));

    if (!document || !list)
        return;
    const int current = list->currentRow();
    if (current < 0)
        return;
    QVector<music::FrameTiming> frames;
    frames.reserve(current + 1);
    for (int row = 0; row <= current; ++row)
        frames.append({document->cell(row, frametable::ColOperationTime),
                       document->cell(row, frametable::ColDelayTime),
                       document->cell(row, frametable::ColMusicControl)});
    const music::DelayOffer offer = music::delayOffer(frames, current, clickMs,
                                                      qMin(ui->spinBoxDelayTime->maximum(),
                                                           ui->spinBoxOperationTime->maximum()));
    if (offer.kind == music::DelayOffer::TooLate) {
        prompt.warning(dialogParent, tr("warning"),
                       tr("The clicked time is too long after this frame starts: a frame's operation time "
                          "and delay time cannot reach it."));
        return;
    }
    if (offer.kind != music::DelayOffer::Offer)
        return;
    bool ok = false;
    const int delay = prompt.integer(dialogParent, tr("Please input the delay time"), tr("delay time:"),
                                     offer.minimum, offer.minimum, offer.maximum, 1, &ok);
    // Cancelling leaves the frame as it is.
    if (!ok)
        return;
    const music::FrameTimes times = music::timesForDelay(offer, delay);
    ui->spinBoxDelayTime->setValue(times.delayTime);
    ui->spinBoxOperationTime->setValue(times.operationTime);
}
