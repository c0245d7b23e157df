#include "link/livepanel.h"

#include <QAction>
#include <QCheckBox>
#include <QDockWidget>
#include <QDoubleSpinBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <qcustomplot.h>

#include "common/dockfit.h"
#include "common/prompt.h"
#include "core/safefile.h"
#include "link/livesweeper.h"
#include "link/robotlink.h"

const QColor LivePanel::kWarningColour(255, 140, 0);
const QColor LivePanel::kAlarmColour(220, 30, 30);

namespace {
enum Column { ServoColumn, PositionColumn, SpeedColumn, LoadColumn, VoltageColumn, TemperatureColumn, LimitColumn,
              StateColumn, ColumnCount };
// Servo colours in the plots: spread around the hue circle.
QColor servoColour(int servo)
{
    return QColor::fromHsv(((servo - 2) * 360 / 19 + 200) % 360, 200, 210);
}
} // namespace

LivePanel::LivePanel(QMainWindow *window, QMenuBar *menuBar, QStatusBar *statusBar, RobotLink &link,
                     Prompt &prompt, QObject *parent)
    : QObject(parent), link(link), prompt(prompt), statusBar(statusBar), sweeper_(new LiveSweeper(link, this))
{
    build(window);
    QAction *toggle = dock_->toggleViewAction();
    toggle->setText(tr("live readings"));
    toggle->setToolTip(tr("Show the live readings of the servos and the battery"));
    if (menuBar) {
        // The view menu stands before the help menu, the last one.
        viewMenu_ = new QMenu(tr("&view"), menuBar);
        viewMenu_->setObjectName(QStringLiteral("menuView"));
        QMenu *help = menuBar->findChild<QMenu *>(QStringLiteral("menuHelp"));
        if (help)
            menuBar->insertMenu(help->menuAction(), viewMenu_);
        else
            menuBar->addMenu(viewMenu_);
        viewMenu_->addAction(toggle);
    }

    connect(watch, &QCheckBox::toggled, this, &LivePanel::updateOn);
    connect(rate, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &LivePanel::updateSettings);
    connect(margin, QOverload<int>::of(&QSpinBox::valueChanged), this, &LivePanel::updateSettings);
    connect(battery, QOverload<double>::of(&QDoubleSpinBox::valueChanged), this, &LivePanel::updateSettings);
    connect(save, &QPushButton::clicked, this, &LivePanel::saveCsv);
    connect(clear, &QPushButton::clicked, this, [this] {
        history.clear();
        for (QCustomPlot *p : plot_) {
            for (int g = 0; g < p->graphCount(); ++g)
                p->graph(g)->data()->clear();
        }
        replotShown();
    });
    connect(plots, &QTabWidget::currentChanged, this, &LivePanel::replotShown);
    // Sweeps that came while the dock was closed are drawn when it opens.
    connect(dock_, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible)
            replotShown();
    });
    connect(sweeper_, &LiveSweeper::sweepDone, this, &LivePanel::onSweep);
    connect(sweeper_, &LiveSweeper::limitsRead, this, &LivePanel::onLimits);
    connect(sweeper_, &LiveSweeper::connectionEnded, this, &LivePanel::onConnectionEnded);
    connect(sweeper_, &LiveSweeper::pausedChanged, this, [this](bool paused) {
        state->setText(!paused ? tr("Sweeping.")
                       : sweeper_->hold() == LiveSweeper::Hold::Transfer
                           ? tr("Paused while a file transfer or a motion download holds the line.")
                           : tr("Paused while other requests use the line."));
    });
    updateSettings();
    updateOn();
}

void LivePanel::build(QMainWindow *window)
{
    dock_ = new QDockWidget(tr("Live readings"), window);
    dock_->setObjectName(QStringLiteral("dockLiveReadings"));
    auto *body = new QWidget(dock_);
    auto *layout = new QVBoxLayout(body);

    auto *controls = new QHBoxLayout;
    watch = new QCheckBox(tr("watch"), body);
    watch->setChecked(true);
    watch->setToolTip(tr("Sweep the servos while connected, whether this dock is shown or not"));
    rate = new QDoubleSpinBox(body);
    rate->setRange(LiveSweeper::kMinRateHz, LiveSweeper::kMaxRateHz);
    rate->setDecimals(1);
    rate->setSingleStep(0.5);
    rate->setValue(LiveSweeper::kDefaultRateHz);
    rate->setSuffix(QStringLiteral(" Hz"));
    margin = new QSpinBox(body);
    margin->setRange(1, 50);
    margin->setValue(live::AlarmSettings().temperatureMarginC);
    margin->setSuffix(QStringLiteral(" °C"));
    margin->setToolTip(tr("A servo this close to its maximum temperature warns"));
    battery = new QDoubleSpinBox(body);
    battery->setRange(0.0, 30.0);
    battery->setDecimals(2);
    battery->setSingleStep(0.1);
    battery->setValue(live::AlarmSettings().batteryAlarmMv / 1000.0);
    battery->setSuffix(QStringLiteral(" V"));
    battery->setToolTip(tr("A battery under this voltage raises an alarm"));
    save = new QPushButton(tr("save CSV..."), body);
    clear = new QPushButton(tr("clear"), body);
    controls->addWidget(watch);
    controls->addWidget(new QLabel(tr("rate:"), body));
    controls->addWidget(rate);
    controls->addWidget(new QLabel(tr("warn within:"), body));
    controls->addWidget(margin);
    controls->addWidget(new QLabel(tr("battery alarm under:"), body));
    controls->addWidget(battery);
    controls->addStretch(1);
    controls->addWidget(save);
    controls->addWidget(clear);
    layout->addLayout(controls);

    auto *status = new QHBoxLayout;
    state = new QLabel(tr("Not connected."), body);
    batteryLabel = new QLabel(body);
    status->addWidget(state, 1);
    status->addWidget(batteryLabel);
    layout->addLayout(status);

    plots = new QTabWidget(body);
    const QString titles[PlotCount] = {tr("temperature (°C)"), tr("load (%)"), tr("voltage (V)"), tr("battery (V)")};
    for (int i = 0; i < PlotCount; ++i) {
        plot_[i] = new QCustomPlot(plots);
        plot_[i]->xAxis->setLabel(tr("time (s)"));
        plot_[i]->yAxis->setLabel(titles[i]);
        plot_[i]->setMinimumHeight(160);
        // Plain lines draw in a fraction of the time of smoothed ones: the
        // plots redraw with every sweep, on the window's thread.
        plot_[i]->setNotAntialiasedElements(QCP::aeAll);
        plot_[i]->setPlottingHint(QCP::phFastPolylines, true);
        if (i != BatteryPlot)
            plot_[i]->legend->setVisible(false);
        plots->addTab(plot_[i], titles[i]);
    }
    plot_[BatteryPlot]->addGraph()->setPen(QPen(QColor(40, 120, 40), 2));
    layout->addWidget(plots, 2);

    table_ = new QTableWidget(0, ColumnCount, body);
    table_->setHorizontalHeaderLabels({tr("servo"), tr("position (°)"), tr("speed"), tr("load (%)"), tr("voltage (V)"),
                                       tr("temperature (°C)"), tr("limit (°C)"), tr("state")});
    table_->verticalHeader()->setVisible(false);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // Sized when rows come, not at every value (that would measure every cell
    // at every sweep).
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    layout->addWidget(table_, 1);

    dock_->setWidget(body);
    window->addDockWidget(Qt::RightDockWidgetArea, dock_);
    dockfit::keepOnScreen(window, dock_);
    dock_->hide();
}

void LivePanel::updateOn()
{
    // The sweeps, and with them the alarms, run while connected whether the
    // dock is shown or not.
    sweeper_->setOn(watch->isChecked());
}

void LivePanel::updateSettings()
{
    sweeper_->setRate(rate->value());
    live::AlarmSettings settings;
    settings.temperatureMarginC = margin->value();
    settings.batteryAlarmMv = int(battery->value() * 1000.0 + 0.5);
    tracker.setSettings(settings);
}

void LivePanel::onLimits(const QHash<int, int> &limits)
{
    tracker.setLimits(limits);
    state->setText(limits.isEmpty() ? tr("No servo answered.") : tr("Servos found: %1.").arg(limits.size()));
    for (auto it = limits.begin(); it != limits.end(); ++it)
        table_->item(tableRow(it.key()), LimitColumn)->setText(QString::number(it.value()));
}

void LivePanel::onConnectionEnded()
{
    tracker.reset();
    emit partColoursChanged({});
    state->setText(tr("Not connected."));
}

int LivePanel::tableRow(int servo)
{
    auto it = rowOfServo.find(servo);
    if (it != rowOfServo.end())
        return it.value();
    // Rows stay in servo order.
    int row = 0;
    while (row < table_->rowCount() && table_->item(row, ServoColumn)->text().toInt() < servo)
        ++row;
    table_->insertRow(row);
    for (int c = 0; c < ColumnCount; ++c) {
        auto *item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table_->setItem(row, c, item);
    }
    table_->item(row, ServoColumn)->setText(QString::number(servo));
    tableSized = false;
    rowOfServo.clear();
    for (int r = 0; r < table_->rowCount(); ++r)
        rowOfServo.insert(table_->item(r, ServoColumn)->text().toInt(), r);
    return row;
}

void LivePanel::onSweep(const live::Sweep &sweep)
{
    if (history.size() >= kMaxSweeps)
        history.remove(0, history.size() - kMaxSweeps + 1);
    history.push_back(sweep);

    // Each crossing is told once: the status bar shows the newest, the log
    // keeps them all.
    const QVector<live::AlarmEvent> events = tracker.update(sweep);
    for (const live::AlarmEvent &event : events) {
        statusBar->showMessage(event.text, 10000);
        link.note(event.text);
    }
    if (!events.isEmpty()) {
        QHash<int, QColor> colours;
        const QHash<int, live::Level> raised = tracker.raised();
        for (auto it = raised.begin(); it != raised.end(); ++it)
            colours.insert(it.key(), it.value() == live::Level::Alarm ? kAlarmColour : kWarningColour);
        emit partColoursChanged(colours);
    }
    state->setText(tr("Sweep %1: %2 servo(s) in %3 ms.").arg(sweeper_->sweepsDone()).arg(sweep.servos.size())
                       .arg(sweep.durationMs));
    batteryLabel->setText(sweep.batteryMv < 0 ? tr("battery: no answer")
                                              : tr("battery: %1 V").arg(sweep.batteryMv / 1000.0, 0, 'f', 2));
    showTable(sweep);
    plot(sweep);
}

void LivePanel::showTable(const live::Sweep &sweep)
{
    for (const live::ServoReading &r : sweep.servos) {
        const int row = tableRow(r.servo);
        table_->item(row, PositionColumn)->setText(QString::number(r.position / 10.0, 'f', 1));
        table_->item(row, SpeedColumn)->setText(QString::number(r.speed));
        table_->item(row, LoadColumn)->setText(QString::number(r.torque));
        table_->item(row, VoltageColumn)->setText(QString::number(r.voltage / 10.0, 'f', 1));
        table_->item(row, TemperatureColumn)->setText(QString::number(r.temperature));
        const int limit = tracker.limits().value(r.servo, 0);
        table_->item(row, LimitColumn)->setText(limit > 0 ? QString::number(limit) : QString());
        table_->item(row, StateColumn)->setText(r.workingState < 0 ? QString()
                                                                   : live::AlarmTracker::stateName(r.workingState));
        const live::Level level = tracker.level(r.servo);
        const QBrush background = level == live::Level::Alarm     ? QBrush(kAlarmColour.lighter(160))
                                  : level == live::Level::Warning ? QBrush(kWarningColour.lighter(160))
                                                                  : QBrush();
        for (int c = 0; c < ColumnCount; ++c)
            table_->item(row, c)->setBackground(background);
    }
    if (!tableSized) {
        table_->resizeColumnsToContents();
        tableSized = true;
    }
}

void LivePanel::plot(const live::Sweep &sweep)
{
    const double t = sweep.timeMs / 1000.0;
    for (const live::ServoReading &r : sweep.servos) {
        if (!graphOfServo.contains(r.servo)) {
            const int index = plot_[TemperaturePlot]->graphCount();
            for (int p = TemperaturePlot; p <= VoltagePlot; ++p) {
                QCPGraph *graph = plot_[p]->addGraph();
                graph->setPen(QPen(servoColour(r.servo), 1.5));
                graph->setName(tr("servo %1").arg(r.servo));
            }
            graphOfServo.insert(r.servo, index);
        }
        const int g = graphOfServo.value(r.servo);
        plot_[TemperaturePlot]->graph(g)->addData(t, r.temperature);
        plot_[LoadPlot]->graph(g)->addData(t, r.torque);
        plot_[VoltagePlot]->graph(g)->addData(t, r.voltage / 10.0);
    }
    if (sweep.batteryMv >= 0)
        plot_[BatteryPlot]->graph(0)->addData(t, sweep.batteryMv / 1000.0);
    // Only the last minutes are kept in the plots (the CSV keeps them all).
    for (QCustomPlot *p : plot_) {
        for (int g = 0; g < p->graphCount(); ++g)
            p->graph(g)->data()->removeBefore(t - kPlotSeconds);
        p->xAxis->setRange(qMax(0.0, t - kPlotSeconds), qMax(10.0, t));
    }
    replotShown();
}

QCustomPlot *LivePanel::shownPlot() const
{
    return plot_[plots->currentIndex()];
}

void LivePanel::replotShown()
{
    // Drawing costs: only the plot in view is drawn, when the loop is free.
    QCustomPlot *shown = plot_[plots->currentIndex()];
    if (!shown->isVisible())
        return;
    bool found = false;
    const QCPRange range = shown->graphCount() > 0 ? shown->graph(0)->getValueRange(found) : QCPRange();
    QCPRange all = range;
    for (int g = 1; g < shown->graphCount(); ++g) {
        bool ok = false;
        const QCPRange r = shown->graph(g)->getValueRange(ok);
        if (ok) {
            all = found ? QCPRange(qMin(all.lower, r.lower), qMax(all.upper, r.upper)) : r;
            found = true;
        }
    }
    if (found)
        shown->yAxis->setRange(all.lower - 1, all.upper + 1);
    shown->replot(QCustomPlot::rpQueuedReplot);
}

void LivePanel::saveCsv()
{
    QWidget *parent = dock_->window();
    if (history.isEmpty()) {
        prompt.warning(parent, tr("warning"), tr("There are no readings to save yet."), QMessageBox::Ok);
        return;
    }
    const QString path = prompt.saveFileName(parent, tr("Save live readings"), QStringLiteral("readings.csv"),
                                             tr("CSV files (*.csv)"));
    if (path.isEmpty())
        return;
    QString why;
    const QByteArray data = live::csv(history);
    if (!safefile::mayReplace(path, &why) || !safefile::write(path, data, &why)) {
        prompt.warning(parent, tr("warning"), tr("The readings could not be saved to %1: %2").arg(path, why),
                       QMessageBox::Ok);
        return;
    }
    int rows = 0;
    for (const live::Sweep &sweep : history)
        rows += sweep.servos.size();
    statusBar->showMessage(tr("%1 rows of %2 sweeps saved to %3.").arg(rows).arg(history.size())
                               .arg(QFileInfo(path).fileName()),
                           5000);
}
