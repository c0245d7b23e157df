#include "music/beatpanel.h"
#include "ui_mainwindow.h"

#include <QAction>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>


#include "music/audiodecoder.h"
#include "music/beatgridfile.h"
#include "music/waveform.h"

namespace {

// The grid's lines across the axes box: one item that draws them all, so the
// music panel's graphs and plottables stay as they are.
class GridLinesItem : public QCPAbstractItem
{
public:
    explicit GridLinesItem(QCustomPlot *plot) : QCPAbstractItem(plot)
    {
        setSelectable(false);
        setClipToAxisRect(true);
    }
    void setLines(const music::GridLines &l) { lines = l; }
    const music::GridLines &shown() const { return lines; }
    double selectTest(const QPointF &, bool, QVariant *) const override { return -1; }

protected:
    void draw(QCPPainter *painter) override
    {
        QCPAxisRect *rect = clipAxisRect();
        if (!rect)
            return;
        QCPAxis *x = rect->axis(QCPAxis::atBottom);
        const double top = rect->top(), bottom = rect->bottom();
        painter->setPen(QPen(QColor(40, 160, 60, 110), 1));
        for (double t : lines.beats) {
            const double px = x->coordToPixel(t / 1000);
            painter->drawLine(QPointF(px, top), QPointF(px, bottom));
        }
        painter->setPen(QPen(QColor(20, 120, 40, 200), 2));
        for (double t : lines.bars) {
            const double px = x->coordToPixel(t / 1000);
            painter->drawLine(QPointF(px, top), QPointF(px, bottom));
        }
    }

private:
    music::GridLines lines;
};

QToolButton *button(QAction *action, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setDefaultAction(action);
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    b->setAutoRaise(true);
    return b;
}

} // namespace

BeatPanel::BeatPanel(Ui::MainWindow *ui, QCustomPlot *plot, std::function<qint64()> position, QObject *parent)
    : QObject(parent), ui(ui), plot(plot), position(std::move(position))
{
    auto steady = std::make_shared<QElapsedTimer>();
    steady->start();
    clock = [steady] { return steady->elapsed(); };

    linesItem = new GridLinesItem(plot);
    connect(plot->xAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this, [this] { draw(); });
    buildStrip();
    show(music::BeatGrid());
}

void BeatPanel::buildStrip()
{
    auto *strip = new QWidget(ui->edWaveformContents);
    strip->setObjectName(QStringLiteral("beatStrip"));
    auto *grid = new QGridLayout(strip);
    grid->setContentsMargins(2, 2, 2, 2);
    grid->setHorizontalSpacing(2);
    grid->setVerticalSpacing(1);

    tempo = new QLabel(strip);
    tempo->setObjectName(QStringLiteral("labelBeatTempo"));
    tempo->setMinimumWidth(70);

    half = new QAction(tr("½ beat"), this);
    half->setObjectName(QStringLiteral("actionBeatHalf"));
    half->setToolTip(tr("shift half a beat: for a grid on the off-beat"));
    earlier = new QAction(tr("-10 ms"), this);
    earlier->setObjectName(QStringLiteral("actionBeatEarlier"));
    earlier->setToolTip(tr("move the grid 10 ms earlier"));
    later = new QAction(tr("+10 ms"), this);
    later->setObjectName(QStringLiteral("actionBeatLater"));
    later->setToolTip(tr("move the grid 10 ms later"));
    tapper = new QAction(tr("tap"), this);
    tapper->setObjectName(QStringLiteral("actionBeatTap"));
    tapper->setShortcut(QKeySequence(Qt::Key_B));
    tapper->setShortcutContext(Qt::WindowShortcut);
    tapper->setToolTip(tr("tap tempo: play the music and press B on every beat"));
    finder = new QAction(tr("find"), this);
    finder->setObjectName(QStringLiteral("actionBeatFind"));
    finder->setToolTip(tr("find the beat of the music in the tempo range"));
    for (QAction *a : {half, earlier, later, tapper, finder})
        ui->edWaveformContents->window()->addAction(a);

    auto *snapMenu = new QMenu(tr("snap"), strip);
    const char *const names[4] = {"actionSnapHalfBeats", "actionSnapBeats", "actionSnapSecondBeats",
                                  "actionSnapFourthBeats"};
    const QString texts[4] = {tr("snap selected frames to half beats"), tr("snap selected frames to every beat"),
                              tr("snap selected frames to every second beat"),
                              tr("snap selected frames to every fourth beat")};
    const music::SnapDivision divisions[4] = {music::SnapDivision::HalfBeat, music::SnapDivision::Beat,
                                              music::SnapDivision::EverySecond, music::SnapDivision::EveryFourth};
    for (int i = 0; i < 4; ++i) {
        snaps[i] = snapMenu->addAction(texts[i]);
        snaps[i]->setObjectName(QLatin1String(names[i]));
        const music::SnapDivision division = divisions[i];
        connect(snaps[i], &QAction::triggered, this, [this, division] { emit snapRequested(division); });
    }
    auto *snapButton = new QToolButton(strip);
    snapButton->setObjectName(QStringLiteral("toolButtonSnap"));
    snapButton->setText(tr("snap"));
    snapButton->setToolTip(tr("snap the selected frames to the beat grid (delay times only)"));
    snapButton->setMenu(snapMenu);
    snapButton->setPopupMode(QToolButton::InstantPopup);
    snapButton->setAutoRaise(true);

    minBox = new QSpinBox(strip);
    minBox->setObjectName(QStringLiteral("spinBoxBeatMinBpm"));
    maxBox = new QSpinBox(strip);
    maxBox->setObjectName(QStringLiteral("spinBoxBeatMaxBpm"));
    for (QSpinBox *box : {minBox, maxBox}) {
        box->setRange(int(music::LowestBpm), int(music::HighestBpm));
        box->setMaximumWidth(62);
        box->setToolTip(tr("tempo range searched (BPM): rules out half and double tempo"));
    }
    minBox->setValue(int(music::DefaultMinBpm));
    maxBox->setValue(int(music::DefaultMaxBpm));
    // The two ends never cross.
    connect(minBox, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int v) {
        if (maxBox->value() <= v)
            maxBox->setValue(qMin(v + 1, int(music::HighestBpm)));
    });
    connect(maxBox, QOverload<int>::of(&QSpinBox::valueChanged), this, [this](int v) {
        if (minBox->value() >= v)
            minBox->setValue(qMax(v - 1, int(music::LowestBpm)));
    });
    auto *range = new QLabel(tr("BPM range"), strip);

    // Three short rows: the waveform's column is narrow.
    grid->addWidget(tempo, 0, 0);
    grid->addWidget(button(half, strip), 0, 1);
    grid->addWidget(button(earlier, strip), 0, 2);
    grid->addWidget(button(later, strip), 0, 3);
    grid->addWidget(range, 1, 0);
    grid->addWidget(minBox, 1, 1);
    grid->addWidget(maxBox, 1, 2);
    grid->addWidget(button(finder, strip), 1, 3);
    grid->addWidget(button(tapper, strip), 2, 1);
    grid->addWidget(snapButton, 2, 2, 1, 2);
    grid->setColumnStretch(0, 1);
    static_cast<QBoxLayout *>(ui->edWaveformContents->layout())->addWidget(strip);

    connect(half, &QAction::triggered, this, &BeatPanel::shiftHalfBeat);
    connect(earlier, &QAction::triggered, this, [this] { nudge(-music::NudgeMs); });
    connect(later, &QAction::triggered, this, [this] { nudge(music::NudgeMs); });
    connect(tapper, &QAction::triggered, this, &BeatPanel::tap);
    connect(finder, &QAction::triggered, this, &BeatPanel::findBeat);
}

QAction *BeatPanel::snapAction(music::SnapDivision division) const
{
    return snaps[int(division)];
}

void BeatPanel::setClock(std::function<qint64()> c)
{
    clock = std::move(c);
}

double BeatPanel::minBpm() const
{
    return minBox->value();
}

double BeatPanel::maxBpm() const
{
    return maxBox->value();
}

QString BeatPanel::tempoText(const music::BeatGrid &grid)
{
    if (!grid.isValid())
        return tr("no beat grid");
    return tr("%1 BPM").arg(grid.bpm(), 0, 'f', 1);
}

void BeatPanel::status(const QString &text, int timeout)
{
    ui->statusBar->showMessage(text, timeout);
}

void BeatPanel::musicOpened(const QString &musicPath, AudioDecoder &musicDecoder)
{
    if (decoder != &musicDecoder) {
        decoder = &musicDecoder;
        connect(decoder, &AudioDecoder::beatsFound, this, &BeatPanel::beatsFound);
        connect(decoder, &AudioDecoder::done, this, &BeatPanel::draw);
    }
    path = musicPath;
    taps.clear();
    show(music::BeatGrid());
    // A stored grid of this very file (same size and time) is taken as it is.
    QVector<beatgridfile::Record> records;
    beatgridfile::Record found;
    const QFileInfo info(path);
    if (beatgridfile::read(beatgridfile::filePath(QDir::currentPath()), &records)
        && beatgridfile::find(records, path, info.size(), info.lastModified().toMSecsSinceEpoch(), &found)) {
        const QSignalBlocker quietMin(minBox), quietMax(maxBox);
        minBox->setValue(int(found.minBpm));
        maxBox->setValue(int(found.maxBpm));
        decoder->setFindBeats(false);
        show(found.grid);
        status(tr("Beat grid of this music read back: %1").arg(tempoText(found.grid)), 5000);
        return;
    }
    decoder->setFindBeats(true, minBpm(), maxBpm());
}

void BeatPanel::beatsFound(const music::BeatFit &fit, double duration)
{
    durationMs = duration;
    if (!fit.ok()) {
        show(music::BeatGrid());
        // A clip too short to have a beat is no failure worth the status bar:
        // it keeps what the decoding said (the music's length).
        if (fit.failure != music::BeatFailure::TooShort)
            status(music::failureText(fit.failure, minBpm(), maxBpm()));
        return;
    }
    setGrid(fit.grid);
    status(tr("Beat grid found: %1").arg(tempoText(fit.grid)), 5000);
}

void BeatPanel::findBeat()
{
    if (!decoder || path.isEmpty())
        return;
    if (decoder->hasBeatEvidence()) {
        decoder->refitBeats(minBpm(), maxBpm());
        return;
    }
    // The grid was read back: the music is decoded once more to find it.
    decoder->stop();
    decoder->envelope = music::Envelope();
    decoder->setSourceFilename(path);
    decoder->setFindBeats(true, minBpm(), maxBpm());
    decoder->start();
}

void BeatPanel::setGrid(const music::BeatGrid &grid)
{
    show(grid);
    store();
}

void BeatPanel::shiftHalfBeat()
{
    if (current.isValid())
        setGrid(music::shiftedHalfBeat(current));
}

void BeatPanel::nudge(double deltaMs)
{
    if (current.isValid())
        setGrid(music::nudged(current, deltaMs));
}

void BeatPanel::tap()
{
    if (path.isEmpty())
        return;
    taps.tap(clock(), double(position()));
    const music::BeatGrid tapped = taps.grid();
    if (!tapped.isValid()) {
        status(tr("Tap tempo: %1 taps, keep tapping on every beat").arg(taps.count()));
        return;
    }
    setGrid(tapped);
    status(tr("Tap tempo: %1 taps, %2").arg(taps.count()).arg(tempoText(tapped)));
}

void BeatPanel::show(const music::BeatGrid &grid)
{
    current = grid;
    tempo->setText(tempoText(grid));
    const bool on = grid.isValid();
    for (QAction *a : {half, earlier, later})
        a->setEnabled(on);
    for (QAction *a : snaps)
        a->setEnabled(on);
    draw();
    emit gridChanged();
}

music::GridLines BeatPanel::drawnLines() const
{
    return static_cast<GridLinesItem *>(linesItem)->shown();
}

void BeatPanel::draw()
{
    const QCPRange x = plot->xAxis->range();
    double end = durationMs;
    if (decoder && !decoder->envelope.isEmpty())
        end = decoder->envelope.seconds() * 1000;
    const music::GridLines lines = music::gridLines(current, qMax(0.0, x.lower * 1000), qMin(end, x.upper * 1000));
    static_cast<GridLinesItem *>(linesItem)->setLines(lines);
    plot->replot(QCustomPlot::rpQueuedReplot);
}

void BeatPanel::store()
{
    if (path.isEmpty() || !current.isValid())
        return;
    const QFileInfo info(path);
    beatgridfile::Record r;
    r.musicPath = path;
    r.size = info.size();
    r.modifiedMs = info.lastModified().toMSecsSinceEpoch();
    r.grid = current;
    r.minBpm = minBpm();
    r.maxBpm = maxBpm();
    QString error;
    if (!beatgridfile::store(beatgridfile::filePath(QDir::currentPath()), r, &error))
        status(tr("The beat grid could not be kept in %1: %2")
                   .arg(beatgridfile::filePath(QDir::currentPath()), error));
}
