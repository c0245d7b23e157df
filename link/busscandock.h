#pragma once
// The bus scan in the window: a dock "bus scan" with one row per address
// 2..20 (address, state, model, version, reason), a scan button and a status
// line with the counts and the time the scan took. The scan action (given to
// the menu and the tool bar named) shows the dock and scans; the scan button
// scans again. The reads go over the link as any request (BusScanner); a
// scan is refused, with the reason in the status line, while the link is
// down or a download or file transfer runs. It builds its own widgets, starts
// hidden and first shows floating over the window's right side.

#include <QDockWidget>
#include <QList>
#include <QSize>

#include "link/busscan.h"
#include "link/linkclock.h"

class BusScanner;
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QTableWidget;
class QToolBar;
class RobotLink;

class BusScanDock : public QDockWidget
{
    Q_OBJECT

public:
    BusScanDock(RobotLink &link, QMenu *menu, QToolBar *toolBar, QMainWindow *window);

    QAction *scanAction() const { return scan_; }
    QTableWidget *table() const { return table_; }
    QPushButton *scanButton() const { return button; }
    QLabel *statusLabel() const { return status; }
    BusScanner &scanner() const { return *scanner_; }
    // How long the last finished scan took (ms on the link's clock).
    qint64 lastScanMs() const { return lastMs; }

    // The words of the status line for these entries and this time:
    // "17 present, 2 missing; the scan took 0.70 s".
    static QString summary(const QList<BusScan::Entry> &entries, qint64 ms);

public slots:
    // Shows the dock and scans (or says why not).
    void scan();

private:
    void showEntries(const QList<BusScan::Entry> &entries);
    void clearRows();

    RobotLink &link;
    BusScanner *scanner_ = nullptr;
    QAction *scan_ = nullptr;
    QTableWidget *table_ = nullptr;
    QPushButton *button = nullptr;
    QLabel *status = nullptr;
    LinkTimer took;
    qint64 lastMs = -1;
    QSize firstSize;  // until it is first shown
    bool refused = false;  // the status line says why a scan did not start
};
