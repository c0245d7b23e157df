#include "music/musicpanel.h"
#include "ui_mainwindow.h"

#include <QDebug>
#include <QLoggingCategory>
#include <QFileInfo>
#include <QIcon>
#include <QLabel>
#include <QMediaPlayer>
#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTextStream>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

#include <algorithm>
#include <limits>

#include "common/prompt.h"
#include "motion/frameinfo.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "music/audiodecoder.h"
#include "music/beatpanel.h"
#include "music/waveform.h"
#include "music/waveformplot.h"

namespace {
// Debug output, off unless QT_LOGGING_RULES turns it on.
Q_LOGGING_CATEGORY(lcMusicPanel, "gaitforge.music", QtInfoMsg)
} // namespace

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

constexpr int kMaxListeningVolume = 100;
constexpr int kStartListeningVolume = 100;

void holdScrollRange(QScrollBar *bar, int minimum, int maximum)
{
    if (bar->minimum() != minimum || bar->maximum() != maximum)
        bar->setRange(minimum, maximum);
}

// The time axis: ticks a tenth, seconds or minutes apart, labelled m:ss.s.
class TimeTicker : public QCPAxisTicker
{
protected:
    double getTickStep(const QCPRange &range) override
    {
        return music::timeTickStep(range.size(), tickCount());
    }
    QString getTickLabel(double tick, const QLocale &, QChar, int) override
    {
        return music::timeLabel(tick);
    }
};

// A text item on the plot at a time, at the top or bottom of the axes box.
QCPItemText *timeText(QCustomPlot *plot, const QColor &colour, Qt::Alignment alignment)
{
    auto *text = new QCPItemText(plot);
    text->position->setTypeX(QCPItemPosition::ptPlotCoords);
    text->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
    text->setPositionAlignment(alignment);
    text->setColor(colour);
    text->setBrush(QBrush(QColor(255, 255, 255, 210)));
    text->setPadding(QMargins(3, 1, 3, 1));
    text->setSelectable(false);
    text->setVisible(false);
    return text;
}

// Vertical lines at the given times across the waveform's whole height, as
// one graph broken by gaps.
void drawLines(QCPGraph *graph, QVector<double> times)
{
    std::sort(times.begin(), times.end());
    QVector<double> keys, values;
    keys.reserve(times.size() * 3);
    values.reserve(times.size() * 3);
    for (double t : times) {
        keys << t << t << t;
        values << -music::PlayLineHalfHeight << music::PlayLineHalfHeight
               << std::numeric_limits<double>::quiet_NaN();
    }
    graph->setData(keys, values, true);
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
    // The envelope: upper edge (graph 0), lower edge (graph 2), a stroke
    // between them per column.
    plot->addGraph();
    envelopeStrokes = waveformplot::setUp(plot);
    // Frame markers, and the current frame's above them.
    plot->addGraph();
    plot->graph(3)->setPen(QPen(QColor(90, 90, 90), 1, Qt::DashLine));
    plot->addGraph();
    plot->graph(4)->setPen(QPen(QColor(230, 120, 0), 2));
    currentMarkerLabel = timeText(plot, QColor(190, 90, 0), Qt::AlignLeft | Qt::AlignBottom);
    currentMarkerLabel->position->setCoords(0, 1);
    playLabel = timeText(plot, Qt::red, Qt::AlignLeft | Qt::AlignTop);
    playLabel->position->setCoords(0, 0);
    plot->xAxis->setTicker(QSharedPointer<QCPAxisTicker>(new TimeTicker));
    plot->xAxis2->setTicker(plot->xAxis->ticker());
    plot->xAxis->setRange(music::StartXCentre, music::StartXSize, Qt::AlignCenter);
    plot->yAxis->setRange(music::StartYCentre, music::StartYSize, Qt::AlignCenter);
    horizontalMaximum = music::ScrollMaximum;
    // The envelope is drawn again when the plot's width changes.
    connect(plot, &QCustomPlot::afterLayout, this, [this] {
        if (this->ui->plot_2->axisRect()->width() != envelopeWidth)
            drawEnvelope();
    });
    plot->installEventFilter(this);

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
        // steps once the area is done. The horizontal bar reaches the music's end.
        connect(bar, &QScrollBar::rangeChanged, this, [this, bar, hbar](int, int) {
            const int maximum = bar == hbar ? horizontalMaximum : music::ScrollMaximum;
            if (bar->minimum() == music::ScrollMinimum && bar->maximum() == maximum)
                return;
            holdScrollRange(bar, music::ScrollMinimum, maximum);
            QMetaObject::invokeMethod(this, [this] { restoreScrollBarSteps(); }, Qt::QueuedConnection);
        });
    }
    connect(hbar, &QScrollBar::valueChanged, this, &MusicPanel::horzScrollBarChanged);
    connect(vbar, &QScrollBar::valueChanged, this, &MusicPanel::vertScrollBarChanged);
    connect(plot->xAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this, &MusicPanel::xAxisChanged);
    connect(plot->yAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this, &MusicPanel::yAxisChanged);
    connect(plot, &QCustomPlot::axisDoubleClick, this, &MusicPanel::axisDoubleClick);
    restoreScrollBarSteps();

    setupPlotInteraction();
    setupListeningVolume();
    beatPanel = new BeatPanel(ui, ui->plot_2, [this] { return mediaPlayer ? mediaPlayer->position() : 0; }, this);

    connect(ui->actionOpen_music_file, &QAction::triggered, this, &MusicPanel::openMusic);
    connect(ui->actionPlay_music, &QAction::triggered, this, &MusicPanel::play);
    connect(ui->actionPause_music, &QAction::triggered, this, &MusicPanel::pause);
    connect(ui->actionStop_music, &QAction::triggered, this, &MusicPanel::stop);
}

QMediaPlayer &MusicPanel::player()
{
    if (!mediaPlayer) {
        mediaPlayer = new QMediaPlayer(this);
        mediaPlayer->setVolume(volumeSlider->value());
        // Positions often enough for the play line's 500 ms steps.
        mediaPlayer->setNotifyInterval(100);
        connect(mediaPlayer, &QMediaPlayer::positionChanged, this, &MusicPanel::positionChanged);
    }
    return *mediaPlayer;
}

AudioDecoder &MusicPanel::decoder()
{
    if (!audioDecoder) {
        audioDecoder = new AudioDecoder(this);
        connect(audioDecoder, &AudioDecoder::done, this, &MusicPanel::updatePlotData);
        connect(audioDecoder, &AudioDecoder::progress, this, &MusicPanel::decodingProgress);
    }
    return *audioDecoder;
}

void MusicPanel::setFrames(const MotionDocument &document)
{
    this->document = &document;
    QAbstractItemModel *model = document.model();
    connect(model, &QAbstractItemModel::dataChanged, this, &MusicPanel::scheduleMarkers);
    connect(model, &QAbstractItemModel::rowsInserted, this, &MusicPanel::scheduleMarkers);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &MusicPanel::scheduleMarkers);
    connect(model, &QAbstractItemModel::rowsMoved, this, &MusicPanel::scheduleMarkers);
    connect(model, &QAbstractItemModel::modelReset, this, &MusicPanel::scheduleMarkers);
    connect(model, &QAbstractItemModel::layoutChanged, this, &MusicPanel::scheduleMarkers);
    connect(&document, &MotionDocument::framesReset, this, &MusicPanel::scheduleMarkers);
    connect(&document, &MotionDocument::currentRowChanged, this, &MusicPanel::scheduleMarkers);
    scheduleMarkers();
}

QString MusicPanel::doubleClickHint()
{
    return tr("Double-click the time axis at a moment of the music to make the current frame end there "
              "(needs the current frame or an earlier one marked play music). Wheel: zoom, drag: move.");
}

bool MusicPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->plot_2) {
        if (event->type() == QEvent::Enter) {
            ui->statusBar->showMessage(doubleClickHint());
        } else if (event->type() == QEvent::Leave) {
            if (ui->statusBar->currentMessage() == doubleClickHint())
                ui->statusBar->clearMessage();
        }
    }
    return QObject::eventFilter(watched, event);
}

void MusicPanel::decodingProgress(int percent)
{
    ui->statusBar->showMessage(tr("Decoding the music: %1 %").arg(percent));
}

void MusicPanel::scheduleMarkers()
{
    if (markersPending)
        return;
    markersPending = true;
    QTimer::singleShot(0, this, [this] {
        markersPending = false;
        updateMarkers();
    });
}

void MusicPanel::updateMarkers()
{
    if (!document)
        return;
    const int count = document->rowCount();
    QVector<frameinfo::RowTiming> rows(count);
    for (int r = 0; r < count; ++r)
        rows[r] = {document->cell(r, frametable::ColOperationTime), document->cell(r, frametable::ColDelayTime),
                   document->cell(r, frametable::ColLoopFlag), document->cell(r, frametable::ColLoopTimes),
                   document->cell(r, frametable::ColMusicControl)};
    const QVector<qint64> starts = frameinfo::musicStartTimes(rows);
    const int current = document->currentRow();
    QVector<double> others;
    for (int r = 0; r < count; ++r)
        if (r != current && starts[r] >= 0)
            others.append(starts[r] / 1000.0);
    QCustomPlot *plot = ui->plot_2;
    drawLines(plot->graph(3), others);
    const bool marked = current >= 0 && current < count && starts[current] >= 0;
    const double t = marked ? starts[current] / 1000.0 : 0.0;
    drawLines(plot->graph(4), marked ? QVector<double>{t} : QVector<double>{});
    currentMarkerLabel->setVisible(marked);
    if (marked) {
        currentMarkerLabel->position->setCoords(t, 1);
        currentMarkerLabel->setText(tr("frame %1").arg(current + 1));
    }
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void MusicPanel::drawEnvelope()
{
    QCustomPlot *plot = ui->plot_2;
    int width = plot->axisRect()->width();
    envelopeWidth = width;
    // Before the first layout the axes box has no width yet: the plot's will do.
    if (width < 2)
        width = qMax(2, plot->width());
    static const music::Envelope none;
    waveformplot::draw(plot, envelopeStrokes, audioDecoder ? audioDecoder->envelope : none, width);
}

void MusicPanel::startPlayback(int frameVolume, qint64 position)
{
    // The frame's volume goes to the robot with the frame; here the music
    // plays at the volume the user listens at.
    Q_UNUSED(frameVolume)
    QMediaPlayer &speaker = player();
    speaker.setVolume(listeningVolume());
    // Music that plays already is moved only when it is far from where the
    // preview has it: a seek is heard.
    constexpr qint64 kResyncMs = 150;
    if (speaker.state() != QMediaPlayer::PlayingState || qAbs(speaker.position() - position) > kResyncMs)
        speaker.setPosition(qMax<qint64>(0, position));
    speaker.play();
    lastPlayPosition = qint32(qBound<qint64>(0, position, INT32_MAX));
}

void MusicPanel::setupListeningVolume()
{
    volumeSlider = new QSlider(Qt::Vertical);
    volumeSlider->setObjectName(QStringLiteral("sliderListeningVolume"));
    volumeSlider->setRange(0, kMaxListeningVolume);
    volumeSlider->setSingleStep(5);
    volumeSlider->setPageStep(10);
    volumeSlider->setValue(kStartListeningVolume);
    volumeSlider->setFocusPolicy(Qt::StrongFocus);
    volumeSlider->setAccessibleName(tr("listening volume"));

    // After the music actions, on whichever tool bar holds them.
    QToolBar *bar = nullptr;
    for (QWidget *w : ui->actionStop_music->associatedWidgets())
        if ((bar = qobject_cast<QToolBar *>(w)))
            break;
    // A speaker showing the level, as the frame's volume button does.
    volumeIcon = new QLabel;
    volumeIcon->setObjectName(QStringLiteral("labelListeningVolume"));
    volumeIcon->setAlignment(Qt::AlignCenter);
    volumeIcon->setFixedSize(24, 24);
    if (bar) {
        bar->addWidget(volumeIcon);
        bar->addWidget(volumeSlider);
        // The slider lies along the tool bar, wherever the user docks it.
        auto follow = [this](Qt::Orientation o) {
            volumeSlider->setOrientation(o);
            volumeSlider->setFixedSize(o == Qt::Vertical ? QSize(24, 90) : QSize(90, 24));
        };
        follow(bar->orientation());
        connect(bar, &QToolBar::orientationChanged, this, follow);
    } else {
        for (QWidget *w : {static_cast<QWidget *>(volumeIcon), static_cast<QWidget *>(volumeSlider)}) {
            w->setParent(dialogParent);
            w->hide();
        }
    }

    connect(volumeSlider, &QSlider::valueChanged, this, [this](int v) {
        if (mediaPlayer)
            mediaPlayer->setVolume(v);
        showListeningVolume(v);
        // A drag is settled when the slider is released.
        if (!volumeSlider->isSliderDown() && !quietVolume)
            emit listeningVolumeChosen(v);
    });
    connect(volumeSlider, &QSlider::sliderReleased, this,
            [this] { emit listeningVolumeChosen(volumeSlider->value()); });
    showListeningVolume(volumeSlider->value());
}

void MusicPanel::showListeningVolume(int percent)
{
    const QString tip = tr("listening volume: %1 %").arg(percent);
    volumeSlider->setToolTip(tip);
    volumeIcon->setToolTip(tip);
    const char *picture = percent <= 0 ? "mute" : percent <= 25 ? "volume25" : percent <= 50 ? "volume50"
                                                : percent <= 75 ? "volume75" : "volume100";
    volumeIcon->setPixmap(QIcon(QStringLiteral(":/icons/icons/%1_128x128.png").arg(QLatin1String(picture)))
                              .pixmap(QSize(20, 20)));
}

int MusicPanel::listeningVolume() const
{
    return volumeSlider->value();
}

void MusicPanel::setListeningVolume(int percent)
{
    quietVolume = true;
    volumeSlider->setValue(qBound(0, percent, kMaxListeningVolume));
    quietVolume = false;
    if (mediaPlayer)
        mediaPlayer->setVolume(volumeSlider->value());
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
    // Only along time: the wheel zooms around the pointer, dragging pans.
    ui->plot_2->axisRect()->setRangeDrag(Qt::Horizontal);
    ui->plot_2->axisRect()->setRangeZoom(Qt::Horizontal);
}

void MusicPanel::openMusic()
{
    emit askingForMusicFile();
    const QString name = prompt.openFileName(dialogParent, tr("music file"), QStringLiteral("."),
                                             tr("music file (*.mp3 *.wav)"));
    // Cancelling keeps the music and waveform that are open.
    if (name.isEmpty())
        return;
    const QString path = QFileInfo(name).absoluteFilePath();
    // A decoding still running for the previous file ends first, so none of
    // its samples reach the new waveform.
    AudioDecoder &waveDecoder = decoder();
    waveDecoder.stop();
    waveDecoder.envelope = music::Envelope();
    waveDecoder.setSourceFilename(path);
    player().setMedia(QUrl::fromLocalFile(path));
    // The previous file's play line goes with it.
    ui->plot_2->graph(1)->data()->clear();
    playLabel->setVisible(false);
    lastPlayPosition = 0;
    beatPanel->musicOpened(path, waveDecoder);
    waveDecoder.start();
}

void MusicPanel::play()
{
    player().setVolume(listeningVolume());
    player().play();
}

// Nothing plays before the player is made: pause and stop have nothing to do.
void MusicPanel::pause()
{
    if (mediaPlayer)
        mediaPlayer->pause();
}

void MusicPanel::stop()
{
    if (mediaPlayer)
        mediaPlayer->stop();
}

void MusicPanel::updatePlotData()
{
    const music::Envelope &envelope = decoder().envelope;
    const music::Waveform w = music::waveformRanges(envelope);
    QTextStream out(stdout);
    out << "Complete!!" << '\n' << "byteCount:" << envelope.sampleCount << '\n';
    out.flush();

    QCustomPlot *plot = ui->plot_2;
    horizontalMaximum = music::horizontalScrollMaximum(envelope.seconds());
    holdScrollRange(ui->scrollArea_4->horizontalScrollBar(), music::ScrollMinimum, horizontalMaximum);
    setupPlotInteraction();
    plot->xAxis->setRange(w.xCentre, w.xSize, Qt::AlignCenter);
    plot->yAxis->setRange(w.yCentre, w.ySize, Qt::AlignCenter);
    drawEnvelope();
    plot->replot();
    if (!envelope.isEmpty())
        ui->statusBar->showMessage(tr("Music decoded: %1 long").arg(music::timeLabel(envelope.seconds())), 5000);
    else
        ui->statusBar->clearMessage();
}

void MusicPanel::positionChanged(qlonglong position)
{
    if (!music::playLineMoves(lastPlayPosition, position))
        return;
    lastPlayPosition = qint32(qBound<qlonglong>(INT32_MIN, position, INT32_MAX));
    const double t = position / 1000.0;
    ui->plot_2->graph(1)->setData({t, t}, {-music::PlayLineHalfHeight, music::PlayLineHalfHeight});
    playLabel->position->setCoords(t, 0);
    playLabel->setText(music::timeLabel(t));
    playLabel->setVisible(true);
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
    // Zooming stops at a few tenths and at hours of music.
    const double size = qBound(music::MinimumXSize, range.size(), music::MaximumXSize);
    if (size != range.size()) {
        ui->plot_2->xAxis->setRange(range.center(), size, Qt::AlignCenter);
        return;
    }
    drawEnvelope();
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
    qCDebug(lcMusicPanel) << "x = " << t;
    const qint64 clickMs = music::clickMilliseconds(t);
    player().setPosition(qMax<qint64>(0, clickMs));

    if (!document)
        return;
    const int current = document->currentRow();
    if (current < 0)
        return;
    QVector<music::FrameTiming> frames;
    frames.reserve(current + 1);
    for (int row = 0; row <= current; ++row)
        frames.append({document->cell(row, frametable::ColOperationTime),
                       document->cell(row, frametable::ColDelayTime),
                       document->cell(row, frametable::ColMusicControl)});
    const music::DelayOffer offer = music::delayOffer(frames, current, clickMs,
                                                      music::FrameTimeMaximum);
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
    emit frameTimed(times.operationTime, times.delayTime);
}
