#include "link/packetmonitordock.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>

#include "common/dockfit.h"
#include "link/packetmonitormodel.h"
#include "link/robotlink.h"

PacketMonitorDock::PacketMonitorDock(RobotLink &link, QMenu *menu, QMainWindow *window)
    : QDockWidget(tr("Packet monitor"), window), link(link)
{
    setObjectName(QStringLiteral("dockPacketMonitor"));
    model_ = new PacketMonitorModel(this);

    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    auto *bar = new QHBoxLayout;
    direction_ = new QComboBox(page);
    direction_->setObjectName(QStringLiteral("comboBoxMonitorDirection"));
    direction_->addItem(tr("both directions"), -1);
    direction_->addItem(tr("sent"), int(LinkFrame::Sent));
    direction_->addItem(tr("received"), int(LinkFrame::Received));
    type_ = new QComboBox(page);
    type_->setObjectName(QStringLiteral("comboBoxMonitorType"));
    type_->addItem(tr("all types"), QString());
    type_->addItem(tr("discarded bytes"), PacketMonitorModel::kDiscardedType);
    servo_ = new QComboBox(page);
    servo_->setObjectName(QStringLiteral("comboBoxMonitorServo"));
    servo_->addItem(tr("all addresses"), -1);
    for (int s = 2; s <= 20; ++s)
        servo_->addItem(tr("servo %1").arg(s), s);
    servo_->addItem(tr("all servos"), int(packet::AllServosAddress));
    pause_ = new QPushButton(tr("Pause"), page);
    pause_->setObjectName(QStringLiteral("pushButtonMonitorPause"));
    pause_->setCheckable(true);
    auto *clear = new QPushButton(tr("Clear"), page);
    clear->setObjectName(QStringLiteral("pushButtonMonitorClear"));
    auto *copy = new QPushButton(tr("Copy as hex"), page);
    copy->setObjectName(QStringLiteral("pushButtonMonitorCopy"));
    status_ = new QLabel(page);
    // Its changing text never lays the bar out again.
    status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    bar->addWidget(direction_);
    bar->addWidget(type_);
    bar->addWidget(servo_);
    bar->addWidget(pause_);
    bar->addWidget(clear);
    bar->addWidget(copy);
    bar->addWidget(status_, 1);
    layout->addLayout(bar);

    table_ = new QTableView(page);
    table_->setObjectName(QStringLiteral("tableViewPacketMonitor"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    // Fixed row heights: the view never measures the rows of a long ring.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setStretchLastSection(true);
    const int widths[PacketMonitorModel::ColumnCount] = {90, 70, 75, 120, 80, 80, 380, 160};
    for (int c = 0; c < PacketMonitorModel::ColumnCount; ++c)
        table_->setColumnWidth(c, widths[c]);
    table_->setColumnWidth(PacketMonitorModel::TimeColumn,
                           table_->fontMetrics().horizontalAdvance(QStringLiteral("00:00:00.000")) + 16);
    // Room for a few rows when the dock first opens.
    table_->setMinimumHeight(table_->verticalHeader()->defaultSectionSize() * 8);
    layout->addWidget(table_, 1);
    setWidget(page);

    // Ctrl+C in the table copies as hexadecimal (a key of the table's own,
    // not a shortcut of the window, where Copy belongs to the frames).
    table_->installEventFilter(this);
    connect(copy, &QPushButton::clicked, this, &PacketMonitorDock::copySelection);
    connect(clear, &QPushButton::clicked, this, [this] {
        model_->clear();
        held.clear();
        lost = 0;
        showStatus();
    });
    connect(pause_, &QPushButton::toggled, this, &PacketMonitorDock::setPaused);
    for (QComboBox *box : {direction_, type_, servo_})
        connect(box, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &PacketMonitorDock::applyFilter);
    connect(model_, &PacketMonitorModel::typeSeen, this, [this](const QString &name) { type_->addItem(name, name); });
    connect(&link, &RobotLink::framesSeen, this, &PacketMonitorDock::takeBatch);
    // The link records what it sees from the start, so the monitor shows
    // what happened before it was opened (within the ring). A hidden
    // monitor only keeps the rows: its table is brought to the newest row
    // when it is shown.
    link.setMonitoring(true);
    connect(this, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        if (visible && !pause_->isChecked())
            table_->scrollToBottom();
    });

    window->addDockWidget(Qt::BottomDockWidgetArea, this);
    dockfit::keepOnScreen(window, this);
    hide();
    // Shown and hidden from the window's own menu of docks and tool bars (a
    // right click on a tool bar) and from the menu given.
    QAction *toggle = toggleViewAction();
    toggle->setText(tr("packet monitor"));
    if (menu)
        menu->addAction(toggle);
    showStatus();
}

void PacketMonitorDock::takeBatch(const QVector<LinkFrame> &frames, quint64 lostBefore)
{
    lost += lostBefore;
    if (pause_->isChecked()) {
        // Kept for later, within the ring's size.
        held += frames;
        if (held.size() > PacketMonitorModel::kCapacity) {
            const int drop = held.size() - PacketMonitorModel::kCapacity;
            held.remove(0, drop);
            lost += quint64(drop);
        }
        showStatus();
        return;
    }
    QScrollBar *bar = table_->verticalScrollBar();
    const bool shown = table_->isVisible();
    const bool atEnd = bar->value() >= bar->maximum();
    model_->append(frames);
    if (shown && atEnd)
        table_->scrollToBottom();
    showStatus();
}

void PacketMonitorDock::setPaused(bool paused)
{
    if (!paused && !held.isEmpty()) {
        const QVector<LinkFrame> rows = held;
        held.clear();
        takeBatch(rows, 0);
    }
    showStatus();
}

void PacketMonitorDock::applyFilter()
{
    PacketMonitorModel::Filter filter;
    filter.direction = direction_->currentData().toInt();
    filter.typeName = type_->currentData().toString();
    filter.servo = servo_->currentData().toInt();
    model_->setFilter(filter);
    showStatus();
}

bool PacketMonitorDock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == table_ && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::Copy)) {
        copySelection();
        return true;
    }
    return QDockWidget::eventFilter(watched, event);
}

void PacketMonitorDock::copySelection()
{
    QList<int> rows;
    for (const QModelIndex &index : table_->selectionModel()->selectedRows())
        rows << index.row();
    const QString text = model_->copyHex(rows);
    if (!text.isEmpty())
        QApplication::clipboard()->setText(text);
}

void PacketMonitorDock::showStatus()
{
    QString text = tr("%1 of %2 rows shown").arg(model_->rowCount()).arg(model_->heldCount());
    if (pause_->isChecked())
        text += QLatin1String("; ") + tr("paused, %1 rows waiting").arg(held.size());
    if (lost > 0)
        text += QLatin1String("; ") + tr("%1 rows lost: they came faster than the window took them").arg(lost);
    status_->setText(text);
}
