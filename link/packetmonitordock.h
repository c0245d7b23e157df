#pragma once
// The packet monitor: a dock of the main window that shows every frame on the
// link in both directions and every run of bytes the reader threw away (see
// PacketMonitorModel), with filters by direction, type and servo, a pause that
// freezes the table while rows keep being gathered, a clear button and copying
// of the selected rows as hexadecimal. It builds its own widgets: the filter
// boxes, the pause, clear and copy buttons, a status label and the table.
// The link records frames from the moment the dock is made (before any
// connection), whether it is shown or not. The dock starts hidden; its toggle
// action "packet monitor" is in the window's menu of docks and tool bars (a
// right click on a tool bar) and in the menu given (if any).

#include <QDockWidget>
#include <QVector>

#include "link/linkframe.h"

class PacketMonitorModel;
class QCheckBox;
class QComboBox;
class QLabel;
class QMainWindow;
class QMenu;
class QPushButton;
class QTableView;
class RobotLink;

class PacketMonitorDock : public QDockWidget
{
    Q_OBJECT

public:
    PacketMonitorDock(RobotLink &link, QMenu *menu, QMainWindow *window);

    PacketMonitorModel &model() { return *model_; }
    QTableView *table() const { return table_; }
    QComboBox *directionBox() const { return direction_; }
    QComboBox *typeBox() const { return type_; }
    QComboBox *servoBox() const { return servo_; }
    QPushButton *pauseButton() const { return pause_; }
    QLabel *statusLabel() const { return status_; }
    // The selected rows as hexadecimal, one a line, onto the clipboard.
    void copySelection();
    // Rows gathered while paused, not yet in the table.
    int heldBack() const { return int(held.size()); }
    // Rows lost because they came faster than they could be kept.
    quint64 lostRows() const { return lost; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void takeBatch(const QVector<LinkFrame> &frames, quint64 lostBefore);
    void applyFilter();
    void setPaused(bool paused);
    void showStatus();

    RobotLink &link;
    PacketMonitorModel *model_ = nullptr;
    QTableView *table_ = nullptr;
    QComboBox *direction_ = nullptr;
    QComboBox *type_ = nullptr;
    QComboBox *servo_ = nullptr;
    QPushButton *pause_ = nullptr;
    QLabel *status_ = nullptr;
    QVector<LinkFrame> held;
    quint64 lost = 0;
};
