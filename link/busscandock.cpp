#include "link/busscandock.h"

#include <QAction>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QToolBar>
#include <QVBoxLayout>

#include "link/busscanner.h"
#include "link/robotlink.h"

namespace {

enum Column { AddressColumn, StateColumn, ModelColumn, VersionColumn, ReasonColumn, ColumnCount };

} // namespace

BusScanDock::BusScanDock(RobotLink &link, QMenu *menu, QToolBar *toolBar, QMainWindow *window)
    : QDockWidget(tr("bus scan"), window), link(link), took(link.clock())
{
    setObjectName(QStringLiteral("dockBusScan"));
    scanner_ = new BusScanner(link, this);

    auto *page = new QWidget(this);
    auto *layout = new QVBoxLayout(page);
    table_ = new QTableWidget(BusScan::kLastAddress - BusScan::kFirstAddress + 1, ColumnCount, page);
    table_->setObjectName(QStringLiteral("tableBusScan"));
    table_->setHorizontalHeaderLabels({tr("address"), tr("state"), tr("model"), tr("version"), tr("reason")});
    table_->verticalHeader()->hide();
    // Rows as high as a line of text: the nineteen addresses fit on one page.
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 6);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (int row = 0; row < table_->rowCount(); ++row) {
        for (int column = 0; column < ColumnCount; ++column)
            table_->setItem(row, column, new QTableWidgetItem);
        table_->item(row, AddressColumn)->setText(QString::number(BusScan::kFirstAddress + row));
    }
    // The size it first floats at: an answering servo's row without
    // scrolling sideways, and every address.
    table_->item(0, StateColumn)->setText(tr("unreliable"));
    table_->item(0, ModelColumn)->setText(QStringLiteral("000"));
    table_->item(0, VersionColumn)->setText(QStringLiteral("00000"));
    table_->resizeColumnsToContents();
    clearRows();
    int width = 2 * table_->frameWidth() + table_->verticalScrollBar()->sizeHint().width();
    for (int column = 0; column < ReasonColumn; ++column)
        width += table_->columnWidth(column);
    firstSize = QSize(width + 2 * table_->fontMetrics().horizontalAdvance(tr("reason")) + 40,
                      table_->rowCount() * table_->verticalHeader()->defaultSectionSize()
                          + table_->horizontalHeader()->sizeHint().height() + 6 * table_->fontMetrics().height());
    layout->addWidget(table_);

    status = new QLabel(page);
    status->setObjectName(QStringLiteral("labelBusScan"));
    status->setWordWrap(true);
    layout->addWidget(status);
    auto *bar = new QHBoxLayout;
    button = new QPushButton(tr("scan"), page);
    button->setObjectName(QStringLiteral("pushButtonBusScan"));
    bar->addWidget(button);
    bar->addStretch(1);
    layout->addLayout(bar);
    setWidget(page);
    connect(button, &QPushButton::clicked, this, &BusScanDock::scan);

    scan_ = new QAction(tr("scan bus"), this);
    scan_->setObjectName(QStringLiteral("actionScan_bus"));
    scan_->setToolTip(tr("ask servos 2 to 20 for their model and version"));
    connect(scan_, &QAction::triggered, this, &BusScanDock::scan);
    if (menu)
        menu->addAction(scan_);
    if (toolBar)
        toolBar->addAction(scan_);

    connect(scanner_, &BusScanner::finished, this, &BusScanDock::showEntries);
    // A refusal is out of date once the link opens or closes.
    connect(&link, &RobotLink::openStatusChanged, this, [this] {
        if (refused)
            status->clear();
        refused = false;
    });
    window->addDockWidget(Qt::RightDockWidgetArea, this);
    hide();
}

void BusScanDock::scan()
{
    if (firstSize.isValid()) {
        // The first time it floats over the middle of the window (the
        // plot and the frame info, away from the joints and the model), so
        // the window keeps its width; it can be docked from there.
        setFloating(true);
        resize(firstSize);
        if (QWidget *window = parentWidget())
            move(window->mapToGlobal(QPoint(qMax(0, (window->width() - firstSize.width()) / 2), 80)));
        firstSize = QSize();
    }
    show();
    raise();
    if (scanner_->running())
        return;
    if (!link.isRunning()) {
        status->setText(tr("Not connected: connect to the robot first, then scan."));
        refused = true;
        return;
    }
    if (link.downloading() || link.jobRunning()) {
        status->setText(tr("A download or file transfer is running: scan again when it has finished."));
        refused = true;
        return;
    }
    refused = false;
    clearRows();
    took.start();
    if (!scanner_->start()) {
        status->setText(tr("Not connected: connect to the robot first, then scan."));
        refused = true;
        return;
    }
    button->setEnabled(false);
    status->setText(tr("Scanning servos 2 to 20..."));
}

void BusScanDock::clearRows()
{
    for (int row = 0; row < table_->rowCount(); ++row)
        for (int column = StateColumn; column < ColumnCount; ++column)
            table_->item(row, column)->setText(QString());
}

void BusScanDock::showEntries(const QList<BusScan::Entry> &entries)
{
    button->setEnabled(true);
    if (!link.isRunning()) {
        // The addresses not settled yet would show as missing: say nothing of them.
        clearRows();
        status->setText(tr("The link went down during the scan: no result."));
        return;
    }
    lastMs = took.elapsed();
    for (const BusScan::Entry &e : entries) {
        const int row = e.address - BusScan::kFirstAddress;
        if (row < 0 || row >= table_->rowCount())
            continue;
        QString state;
        QString reason;
        QColor colour(0x27, 0xae, 0x60);
        switch (e.state) {
        case BusScan::State::Present: state = tr("present"); break;
        case BusScan::State::Missing:
            state = tr("missing");
            colour = QColor(0xc0, 0x39, 0x2b);
            break;
        case BusScan::State::Unreliable:
            state = tr("unreliable");
            colour = QColor(0xd3, 0x54, 0x00);
            if (e.stranger != 0)
                reason = tr("answer from address %1, which was not asked").arg(e.stranger);
            else if (e.sharedAddress)
                reason = tr("damaged answers: two servos on one address");
            else
                reason = tr("damaged answers");
            break;
        }
        table_->item(row, StateColumn)->setText(state);
        table_->item(row, StateColumn)->setForeground(colour);
        table_->item(row, ModelColumn)->setText(e.model >= 0 ? QString::number(e.model) : QString());
        table_->item(row, VersionColumn)->setText(e.version >= 0 ? QString::number(e.version) : QString());
        table_->item(row, ReasonColumn)->setText(reason);
        table_->item(row, ReasonColumn)->setToolTip(reason);
    }
    status->setText(summary(entries, lastMs));
}

QString BusScanDock::summary(const QList<BusScan::Entry> &entries, qint64 ms)
{
    int present = 0;
    int missing = 0;
    int unreliable = 0;
    for (const BusScan::Entry &e : entries) {
        present += e.state == BusScan::State::Present;
        missing += e.state == BusScan::State::Missing;
        unreliable += e.state == BusScan::State::Unreliable;
    }
    QStringList counts{tr("%1 present").arg(present)};
    if (missing)
        counts << tr("%1 missing").arg(missing);
    if (unreliable)
        counts << tr("%1 unreliable").arg(unreliable);
    return tr("%1; the scan took %2 s").arg(counts.join(QStringLiteral(", "))).arg(double(ms) / 1000.0, 0, 'f', 2);
}
