#pragma once
// The live readings dock: while connected (shown or not, unless "watch" is
// unticked), the sweeps of LiveSweeper at the rate chosen; plots over time
// of every servo's temperature, load and voltage and of the battery; a table of the last
// values with their units; the alarms (AlarmTracker) told once per crossing
// in the status bar and the communication log, and the colours of the parts
// that warn (orange) or alarm (red) for the 3D view; the session's readings
// saved as CSV.
//
// Built in code: a QDockWidget (object name "dockLiveReadings") added to the
// window, hidden at first, shown and hidden by its toggle action "live
// readings", which goes to a "view" menu it adds to the menu bar given,
// before the help menu. Drives statusBar (messages only) besides its own
// widgets.

#include <QColor>
#include <QHash>
#include <QObject>
#include <QVector>

#include "link/livereadings.h"

class LiveSweeper;
class Prompt;
class QCheckBox;
class QCustomPlot;
class QDockWidget;
class QDoubleSpinBox;
class QLabel;
class QMainWindow;
class QMenu;
class QMenuBar;
class QPushButton;
class QSpinBox;
class QStatusBar;
class QTabWidget;
class QTableWidget;
class RobotLink;

class LivePanel : public QObject
{
    Q_OBJECT

public:
    // Longest history kept for the CSV (sweeps); the plots show the last
    // kPlotSeconds.
    static constexpr int kMaxSweeps = 200000;
    static constexpr int kPlotSeconds = 120;
    static const QColor kWarningColour;
    static const QColor kAlarmColour;

    LivePanel(QMainWindow *window, QMenuBar *menuBar, QStatusBar *statusBar, RobotLink &link, Prompt &prompt,
              QObject *parent = nullptr);

    QDockWidget *dock() const { return dock_; }
    // The "view" menu the dock's entry went to (none without a menu bar);
    // other docks add their entries after it.
    QMenu *viewMenu() const { return viewMenu_; }
    LiveSweeper &sweeper() const { return *sweeper_; }
    const live::AlarmTracker &alarms() const { return tracker; }
    const QVector<live::Sweep> &sweeps() const { return history; }
    QTableWidget *table() const { return table_; }
    // The plot of the tab in view (temperature, load, voltage or battery).
    QCustomPlot *shownPlot() const;
    QCheckBox *watchBox() const { return watch; }
    QDoubleSpinBox *rateBox() const { return rate; }
    QSpinBox *marginBox() const { return margin; }
    QDoubleSpinBox *batteryBox() const { return battery; }
    QPushButton *saveButton() const { return save; }
    QLabel *stateLabel() const { return state; }

    // Asks for a file name and saves the readings of the session as CSV.
    void saveCsv();

signals:
    // Joint (servo 2..18) -> colour of the parts that warn or alarm.
    void partColoursChanged(const QHash<int, QColor> &colours);

private:
    void build(QMainWindow *window);
    void updateOn();
    void updateSettings();
    void onSweep(const live::Sweep &sweep);
    void onLimits(const QHash<int, int> &limits);
    void onConnectionEnded();
    void showTable(const live::Sweep &sweep);
    void plot(const live::Sweep &sweep);
    void replotShown();
    int tableRow(int servo);

    RobotLink &link;
    Prompt &prompt;
    QStatusBar *statusBar;
    LiveSweeper *sweeper_ = nullptr;
    live::AlarmTracker tracker;
    QVector<live::Sweep> history;

    QDockWidget *dock_ = nullptr;
    QMenu *viewMenu_ = nullptr;
    QCheckBox *watch = nullptr;
    QDoubleSpinBox *rate = nullptr;
    QSpinBox *margin = nullptr;
    QDoubleSpinBox *battery = nullptr;
    QPushButton *save = nullptr;
    QPushButton *clear = nullptr;
    QLabel *state = nullptr;
    QLabel *batteryLabel = nullptr;
    QTabWidget *plots = nullptr;
    // Temperature, load, voltage (a graph per servo) and battery.
    enum PlotIndex { TemperaturePlot, LoadPlot, VoltagePlot, BatteryPlot, PlotCount };
    QCustomPlot *plot_[PlotCount] = {};
    QHash<int, int> graphOfServo;   // servo -> graph index in the servo plots
    QTableWidget *table_ = nullptr;
    QHash<int, int> rowOfServo;
    bool tableSized = false;
};
