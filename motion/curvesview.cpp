#include "motion/curvesview.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <qcustomplot.h>

#include "motion/frametable.h"
#include "motion/jointlimits.h"
#include "motion/motiondocument.h"

using namespace frametable;

namespace {

// A pointer this close (pixels) to a frame's point takes the point.
constexpr double kPickRadius = 8.0;

QString servoName(int servo)
{
    return QCoreApplication::translate("MainWindow", columnHeaders[servoColumn(servo)]);
}

// Nineteen colours apart: hues around the circle, every other one darker.
QColor servoColour(int servo)
{
    const int i = servo - 2;
    return QColor::fromHsv((i * 360 / 19 * 7) % 360, 220, i % 2 ? 150 : 220);
}

} // namespace

CurvesView::CurvesView(MotionDocument &document, QWidget *parent) : QWidget(parent), document(document)
{
    setObjectName(QStringLiteral("curvesView"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(2);
    auto *bar = new QHBoxLayout;
    joints_ = new QToolButton(this);
    joints_->setText(tr("joints"));
    joints_->setPopupMode(QToolButton::InstantPopup);
    fit_ = new QToolButton(this);
    fit_->setText(tr("whole motion"));
    fit_->setToolTip(tr("Show the whole motion. Wheel: zoom, drag: move; drag a point up or down to change "
                        "that joint's angle in that frame."));
    ease_ = new QToolButton(this);
    ease_->setText(tr("ease..."));
    ease_->setToolTip(tr("Replace the moves into the selected frames by steps along a curve."));
    bar->addWidget(joints_);
    bar->addWidget(fit_);
    bar->addWidget(ease_);
    bar->addStretch(1);
    layout->addLayout(bar);
    plot_ = new QCustomPlot(this);
    plot_->setObjectName(QStringLiteral("curvesPlot"));
    plot_->setMinimumHeight(120);
    layout->addWidget(plot_, 1);

    plot_->xAxis->setLabel(tr("time (ms)"));
    plot_->yAxis->setLabel(tr("angle (degrees)"));
    plot_->setInteractions(QCP::iRangeDrag | QCP::iRangeZoom);
    // Only along time: the wheel zooms around the pointer, dragging pans.
    plot_->axisRect()->setRangeDrag(Qt::Horizontal);
    plot_->axisRect()->setRangeZoom(Qt::Horizontal);
    plot_->setNoAntialiasingOnDrag(true);
    // The legend in a row of its own under the plot, entries side by side.
    plot_->legend->setVisible(true);
    QFont legendFont = font();
    legendFont.setPointSizeF(qMax(6.0, legendFont.pointSizeF() - 2.0));
    plot_->legend->setFont(legendFont);
    plot_->legend->setIconSize(12, 6);
    plot_->legend->setIconTextPadding(3);
    plot_->legend->setFillOrder(QCPLayoutGrid::foColumnsFirst);
    plot_->legend->setRowSpacing(0);
    plot_->legend->setColumnSpacing(2);
    plot_->legend->setMargins(QMargins(2, 1, 2, 1));
    plot_->legend->setBorderPen(Qt::NoPen);
    auto *legendRow = new QCPLayoutGrid;
    plot_->plotLayout()->addElement(1, 0, legendRow);
    legendRow->setMargins(QMargins(0, 0, 0, 0));
    legendRow->addElement(0, 0, plot_->legend);
    plot_->plotLayout()->setRowStretchFactor(1, 0.001);

    connect(plot_->xAxis, QOverload<const QCPRange &>::of(&QCPAxis::rangeChanged), this,
            &CurvesView::updatePointMarks);
    connect(plot_, &QCustomPlot::mousePress, this, &CurvesView::mousePressed);
    connect(plot_, &QCustomPlot::mouseMove, this, &CurvesView::mouseMoved);
    connect(plot_, &QCustomPlot::mouseRelease, this, &CurvesView::mouseReleased);
    connect(fit_, &QToolButton::clicked, this, [this] {
        fitTime();
        plot_->replot();
    });
    connect(ease_, &QToolButton::clicked, this, &CurvesView::easeRequested);

    for (int servo = 2; servo <= 18; ++servo)
        shown.append(servo);
    buildJointMenu();

    // Any change of the frames redraws the lines once the change is done.
    QAbstractItemModel *model = document.model();
    connect(model, &QAbstractItemModel::dataChanged, this, &CurvesView::scheduleRedraw);
    connect(model, &QAbstractItemModel::rowsInserted, this, &CurvesView::scheduleRedraw);
    connect(model, &QAbstractItemModel::rowsRemoved, this, &CurvesView::scheduleRedraw);
    connect(model, &QAbstractItemModel::modelReset, this, &CurvesView::scheduleRedraw);
    connect(&document, &MotionDocument::framesReset, this, [this] {
        fitPending = true;
        scheduleRedraw();
    });
    connect(&document, &MotionDocument::jointLimitsChanged, this, &CurvesView::scheduleRedraw);
    connect(&document, &MotionDocument::currentRowChanged, this, [this] {
        placeCurrentMarker();
        replotIfShown();
    });
    scheduleRedraw();
}

void CurvesView::buildJointMenu()
{
    jointMenu = new QMenu(this);
    QAction *all = jointMenu->addAction(tr("all joints"));
    QAction *none = jointMenu->addAction(tr("no joint"));
    jointMenu->addSeparator();
    QVector<QAction *> actions;
    for (int servo = 2; servo <= 20; ++servo) {
        QAction *action = jointMenu->addAction(servoName(servo));
        action->setCheckable(true);
        action->setChecked(shown.contains(servo));
        action->setData(servo);
        actions.append(action);
        connect(action, &QAction::toggled, this, [this, servo](bool on) {
            QVector<int> servos = shown;
            servos.removeAll(servo);
            if (on)
                servos.append(servo);
            setShownServos(servos);
        });
    }
    auto checkAll = [this, actions](bool on) {
        QVector<int> servos;
        for (QAction *action : actions) {
            const QSignalBlocker quiet(action);
            action->setChecked(on && action->data().toInt() <= 18);
            if (action->isChecked())
                servos.append(action->data().toInt());
        }
        setShownServos(servos);
    };
    connect(all, &QAction::triggered, this, [checkAll] { checkAll(true); });
    connect(none, &QAction::triggered, this, [checkAll] { checkAll(false); });
    joints_->setMenu(jointMenu);
}

void CurvesView::setShownServos(const QVector<int> &servos)
{
    QVector<int> sorted;
    for (int servo : servos)
        if (servo >= 2 && servo <= 20 && !sorted.contains(servo))
            sorted.append(servo);
    std::sort(sorted.begin(), sorted.end());
    if (sorted == shown)
        return;
    shown = sorted;
    for (QAction *action : jointMenu->actions()) {
        if (!action->isCheckable())
            continue;
        const QSignalBlocker quiet(action);
        action->setChecked(shown.contains(action->data().toInt()));
    }
    scheduleRedraw();
}

void CurvesView::scheduleRedraw()
{
    dirty = true;
    if (redrawPending || !isVisible())
        return;
    redrawPending = true;
    QTimer::singleShot(0, this, [this] {
        if (redrawPending)
            redraw();
    });
}

void CurvesView::fitLegend()
{
    // As many entries side by side as the plot's width holds.
    const QFontMetrics metrics(plot_->legend->font());
    const int entry = plot_->legend->iconSize().width() + plot_->legend->iconTextPadding()
                      + metrics.horizontalAdvance(servoName(20)) + plot_->legend->columnSpacing() + 6;
    plot_->legend->setWrap(qMax(1, (plot_->width() - 8) / qMax(1, entry)));
}

void CurvesView::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    fitLegend();
    updatePointMarks();
}

void CurvesView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (dirty)
        scheduleRedraw();
}

void CurvesView::redraw()
{
    redrawPending = false;
    dirty = false;
    rebuildLines();
    plot_->replot(QCustomPlot::rpImmediateRefresh);
}

void CurvesView::replotIfShown()
{
    if (isVisible() && !dirty)
        plot_->replot(QCustomPlot::rpQueuedReplot);
}

void CurvesView::rebuildLines()
{
    const int rows = document.rowCount();
    QVector<frameinfo::RowTiming> timing(rows);
    for (int r = 0; r < rows; ++r) {
        timing[r].operationTime = document.cell(r, ColOperationTime);
        timing[r].delayTime = document.cell(r, ColDelayTime);
        timing[r].loopFlag = document.cell(r, ColLoopFlag);
        timing[r].loopTimes = document.cell(r, ColLoopTimes);
    }
    line = curvetimeline::build(timing);

    plot_->clearItems();
    current_ = nullptr;
    preview_ = nullptr;
    while (graphs.size() > shown.size())
        plot_->removeGraph(graphs.takeLast());
    while (graphs.size() < shown.size())
        graphs.append(plot_->addGraph());

    const jointlimits::Limits &limits = document.jointLimits();
    double low = 0.0;
    double high = 0.0;
    bool any = false;
    for (int i = 0; i < shown.size(); ++i) {
        const int servo = shown[i];
        const int column = servoColumn(servo);
        QCPGraph *graph = graphs[i];
        const QColor colour = servoColour(servo);
        graph->setPen(QPen(colour, 0));
        graph->setName(servoName(servo));
        graph->setAntialiased(false);
        graph->setAdaptiveSampling(true);
        // Two points a frame: its pose reached, and held to the end of its delay.
        auto data = QSharedPointer<QCPGraphDataContainer>::create();
        QVector<QCPGraphData> points;
        points.reserve(2 * rows);
        for (int r = 0; r < rows; ++r) {
            const int angle = (r == dragRow && servo == dragServo) ? dragAngle : document.cell(r, column);
            const double degrees = angle / 10.0;
            points.append(QCPGraphData(double(line.reach[r]), degrees));
            if (line.end[r] > line.reach[r])
                points.append(QCPGraphData(double(line.end[r]), degrees));
            if (!any || degrees < low)
                low = degrees;
            if (!any || degrees > high)
                high = degrees;
            any = true;
        }
        data->set(points, true);
        graph->setData(data);

        // The joint's limits: what lies beyond them is shaded in its colour.
        const jointlimits::Range &range = limits.of(servo);
        QColor shade = colour;
        shade.setAlpha(22);
        QColor edge = colour;
        edge.setAlpha(110);
        for (int side = 0; side < 2; ++side) {
            auto *band = new QCPItemRect(plot_);
            band->setLayer(QStringLiteral("background"));
            band->topLeft->setTypeX(QCPItemPosition::ptAxisRectRatio);
            band->bottomRight->setTypeX(QCPItemPosition::ptAxisRectRatio);
            const double limit = (side == 0 ? range.maximum : range.minimum) / 10.0;
            const double far = side == 0 ? 1e5 : -1e5;
            band->topLeft->setCoords(0, side == 0 ? far : limit);
            band->bottomRight->setCoords(1, side == 0 ? limit : far);
            band->setPen(QPen(edge, 1, Qt::DotLine));
            band->setBrush(shade);
            band->setSelectable(false);
        }
    }

    // Loops: their span shaded, with the passes they play.
    for (const curvetimeline::Loop &loop : qAsConst(line.loops)) {
        auto *span = new QCPItemRect(plot_);
        span->setLayer(QStringLiteral("background"));
        span->topLeft->setTypeY(QCPItemPosition::ptAxisRectRatio);
        span->bottomRight->setTypeY(QCPItemPosition::ptAxisRectRatio);
        span->topLeft->setCoords(double(loop.from), 0);
        span->bottomRight->setCoords(double(loop.to), 1);
        span->setPen(QPen(QColor(120, 120, 120, 120), 1, Qt::DashLine));
        span->setBrush(QColor(120, 120, 120, 28));
        span->setSelectable(false);
        auto *label = new QCPItemText(plot_);
        label->position->setTypeY(QCPItemPosition::ptAxisRectRatio);
        label->position->setCoords(double(loop.from), 0.0);
        label->setPositionAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setText(tr("loop x%1").arg(loop.passes));
        label->setColor(QColor(90, 90, 90));
        label->setSelectable(false);
    }

    current_ = new QCPItemStraightLine(plot_);
    current_->setPen(QPen(QColor(30, 60, 200), 1.5, Qt::DashLine));
    current_->setSelectable(false);
    preview_ = new QCPItemStraightLine(plot_);
    preview_->setPen(QPen(Qt::red, 1.5));
    preview_->setSelectable(false);
    placePreviewMarker();
    placeCurrentMarker();

    if (!any) {
        low = -10.0;
        high = 10.0;
    }
    const double margin = qMax(5.0, (high - low) * 0.08);
    plot_->yAxis->setRange(low - margin, high + margin);
    if (fitPending)
        fitTime();
    fitPending = false;
    updatePointMarks();
    fitLegend();
}

void CurvesView::updatePointMarks()
{
    // The frames' points are marked while there is room to see them apart;
    // over a long motion the marks would only cost drawing time.
    const QCPRange range = plot_->xAxis->range();
    const auto first = std::lower_bound(line.reach.begin(), line.reach.end(), range.lower,
                                        [](qint64 value, double key) { return double(value) < key; });
    const auto last = std::upper_bound(line.reach.begin(), line.reach.end(), range.upper,
                                       [](double key, qint64 value) { return key < double(value); });
    const qint64 visible = qint64(last - first);
    const bool room = visible <= qMax(8, plot_->width() / 12);
    const QCPScatterStyle style = room ? QCPScatterStyle(QCPScatterStyle::ssDisc, 5) : QCPScatterStyle();
    for (QCPGraph *graph : qAsConst(graphs))
        graph->setScatterStyle(style);
}

void CurvesView::fitTime()
{
    const double total = qMax<double>(100.0, double(line.total()));
    plot_->xAxis->setRange(-total * 0.02, total * 1.02);
}

void CurvesView::placeCurrentMarker()
{
    if (!current_)
        return;
    const int row = document.currentRow();
    const bool valid = row >= 0 && row < line.reach.size();
    current_->setVisible(valid);
    if (valid) {
        const double x = double(line.reach[row]);
        current_->point1->setCoords(x, 0);
        current_->point2->setCoords(x, 1);
    }
}

void CurvesView::showPreviewPosition(int row, qint64 intoFrame)
{
    const bool wasShown = previewRow >= 0;
    previewRow = row;
    previewInto = intoFrame;
    if (row < 0 && !wasShown)
        return;
    placePreviewMarker();
    replotIfShown();
}

void CurvesView::placePreviewMarker()
{
    if (!preview_)
        return;
    const bool valid = previewRow >= 0 && previewRow < line.start.size();
    preview_->setVisible(valid);
    if (valid) {
        const double x = double(curvetimeline::positionAt(line, previewRow, previewInto));
        preview_->point1->setCoords(x, 0);
        preview_->point2->setCoords(x, 1);
    }
}

double CurvesView::previewMarker() const
{
    return preview_ && preview_->visible() ? preview_->point1->coords().x() : -1.0;
}

double CurvesView::currentMarker() const
{
    return current_ && current_->visible() ? current_->point1->coords().x() : -1.0;
}

QPointF CurvesView::pointPosition(int row, int servo) const
{
    if (row < 0 || row >= line.reach.size())
        return QPointF();
    return QPointF(plot_->xAxis->coordToPixel(double(line.reach[row])),
                   plot_->yAxis->coordToPixel(document.cell(row, servoColumn(servo)) / 10.0));
}

bool CurvesView::pointAt(const QPoint &pixel, int *row, int *servo) const
{
    const double t = plot_->xAxis->pixelToCoord(pixel.x());
    const int near = curvetimeline::nearestRow(line, t);
    if (near < 0)
        return false;
    // Frames reached at the same moment share a time: look at each of them.
    double best = kPickRadius;
    bool found = false;
    for (int r = near; r < line.reach.size() && line.reach[r] == line.reach[near]; ++r) {
        const double x = plot_->xAxis->coordToPixel(double(line.reach[r]));
        for (int s : shown) {
            const double y = plot_->yAxis->coordToPixel(document.cell(r, servoColumn(s)) / 10.0);
            const double distance = std::hypot(x - pixel.x(), y - pixel.y());
            if (distance <= best) {
                best = distance;
                *row = r;
                *servo = s;
                found = true;
            }
        }
    }
    return found;
}

int CurvesView::angleAt(int y, int servo, bool *held) const
{
    const int wanted = int(std::lround(plot_->yAxis->pixelToCoord(y) * 10.0));
    const int angle = jointlimits::clamp(document.jointLimits(), servo, wanted);
    *held = angle != wanted;
    return angle;
}

void CurvesView::mousePressed(QMouseEvent *event)
{
    int row = -1;
    int servo = 0;
    if (event->button() != Qt::LeftButton || !pointAt(event->pos(), &row, &servo))
        return;
    // A point is taken: the plot does not pan while it is dragged.
    plot_->setInteraction(QCP::iRangeDrag, false);
    dragRow = row;
    dragServo = servo;
    dragAngle = document.cell(row, servoColumn(servo));
    dragMoved = false;
    pressY = event->pos().y();
    document.setCurrentRow(row);
}

void CurvesView::mouseMoved(QMouseEvent *event)
{
    if (dragRow < 0)
        return;
    bool held = false;
    const int angle = angleAt(event->pos().y(), dragServo, &held);
    if (held)
        emit jointHeld(tr("%1 is held at its limit, %2 degrees.").arg(servoName(dragServo)).arg(angle / 10.0));
    if (angle == dragAngle)
        return;
    dragAngle = angle;
    dragMoved = true;
    // Only the dragged point moves until the drag ends.
    const int index = shown.indexOf(dragServo);
    if (index >= 0 && index < graphs.size()) {
        // The frame's own points (its pose reached, and held when it has a
        // delay): a neighbour reached at the same moment keeps its own.
        int first = 0;
        for (int r = 0; r < dragRow; ++r)
            first += line.end[r] > line.reach[r] ? 2 : 1;
        const int count = line.end[dragRow] > line.reach[dragRow] ? 2 : 1;
        QCPGraphDataContainer &data = *graphs[index]->data();
        for (int k = first; k < first + count && k < data.size(); ++k)
            (data.begin() + k)->value = angle / 10.0;
    }
    plot_->replot(QCustomPlot::rpQueuedReplot);
}

void CurvesView::mouseReleased(QMouseEvent *event)
{
    if (dragRow < 0)
        return;
    // The drag ends where the button is let go, whether or not the last
    // movement before it was seen (a click where it was pressed edits nothing).
    if (event->pos().y() != pressY)
        mouseMoved(event);
    plot_->setInteraction(QCP::iRangeDrag, true);
    const int row = dragRow;
    const int servo = dragServo;
    const int angle = dragAngle;
    dragRow = -1;
    if (!dragMoved || row >= document.rowCount() || angle == document.cell(row, servoColumn(servo)))
        return;
    // One undo step for the drag: an edit still settling is recorded first,
    // then the new angle, written through the item model so that every view
    // of the frame follows, is recorded at once.
    document.recordSnapshot();
    document.setEditSettleCountdown(-10);
    QAbstractItemModel *model = document.model();
    model->setData(model->index(row, servoColumn(servo)), angle, Qt::EditRole);
    document.recordSnapshot();
    document.setEditSettleCountdown(-10);
}
