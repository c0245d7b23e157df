#include "files/transferlist.h"
#include "ui_mainwindow.h"

#include <QFile>
#include <QStandardItemModel>
#include <QTextStream>

#include "app/prompt.h"
#include "app/safefile.h"
#include "app/textfit.h"
#include "files/filebrowser.h"
#include "files/itemdelegates.h"
#include "link/robotlink.h"

using namespace transferrows;

TransferList::TransferList(Ui::MainWindow *ui, RobotLink &link, FileBrowser &files, Prompt &prompt,
                           QWidget *dialogParent, QObject *parent)
    : QObject(parent), ui(ui), link(link), files(files), prompt(prompt), dialogParent(dialogParent),
      rows(new QStandardItemModel(0, ColumnCount, this))
{
    rows->setHorizontalHeaderLabels({tr("name"), tr("file type"), tr("combination key"), tr("key 1"), tr("key 2"),
                                     tr("fall type"), tr("common file name"), tr("source file"), tr("robot path")});
    QTableView *list = ui->tableViewTransFileList;
    list->setItemDelegateForColumn(FileType, new ComboDelegate(ComboDelegate::FileType, list));
    list->setItemDelegateForColumn(CombinationKey, new ComboDelegate(ComboDelegate::CombinationKey, list));
    auto *keyDelegate = new ComboDelegate(ComboDelegate::Key, list);
    list->setItemDelegateForColumn(Key1, keyDelegate);
    list->setItemDelegateForColumn(Key2, keyDelegate);
    list->setItemDelegateForColumn(transferrows::FallType, new ComboDelegate(ComboDelegate::FallType, list));
    list->setItemDelegateForColumn(transferrows::RobotPath, new ComboDelegate(ComboDelegate::RobotPath, list));
    list->setModel(rows);
    fitColumnsToHeaders(list);

    connect(rows, &QStandardItemModel::itemChanged, this, &TransferList::normaliseRows);
    connect(ui->actionInsert_transfer_file, &QAction::triggered, this, &TransferList::insertRow);
    connect(ui->actionDelete_transfer_file, &QAction::triggered, this, &TransferList::deleteRow);
    connect(ui->actionSave_transfer_file_list, &QAction::triggered, this, [this] { saveList(); });
    connect(ui->actionOpen_transfer_file_list, &QAction::triggered, this, &TransferList::openList);
    connect(list, &QTableView::clicked, this, &TransferList::rowClicked);
    connect(list, &QTableView::doubleClicked, this, &TransferList::rowDoubleClicked);
    connect(ui->pushButtonSendTransFileList, &QPushButton::clicked, this, &TransferList::sendClicked);

    keys = {ui->pushButtonY,          ui->pushButtonX,          ui->pushButtonB,          ui->pushButtonA,
            ui->pushButtonStart,      ui->pushButtonBack,       ui->pushButtonUP,         ui->pushButtonRIGHT,
            ui->pushButtonLEFT,       ui->pushButtonDOWN,       ui->pushButtonLB,         ui->pushButtonRB,
            ui->pushButtonRockBMD,    ui->pushButtonRockAMD,    ui->pushButtonRockBUP,    ui->pushButtonRockBRIGHT,
            ui->pushButtonRockBLEFT,  ui->pushButtonRockBDOWN,  ui->pushButtonRockAUP,    ui->pushButtonRockARIGHT,
            ui->pushButtonRockALEFT,  ui->pushButtonRockADOWN,  ui->pushButtonLT,         ui->pushButtonRT};
    for (int key = 0; key < keys.size(); ++key)
        connect(keys[key], &QPushButton::clicked, this, [this, key] { keyClicked(key); });

    files.setTransferList(this);
}

QList<Row> TransferList::rowTexts() const
{
    QList<Row> out;
    for (int r = 0; r < rows->rowCount(); ++r) {
        Row row;
        for (int c = 0; c < ColumnCount; ++c) {
            const QStandardItem *item = rows->item(r, c);
            row << (item ? item->text() : QString());
        }
        out << row;
    }
    return out;
}

QString TransferList::columnTitle(int column) const
{
    return rows->headerData(column, Qt::Horizontal).toString();
}

// ---------------------------------------------------------------- rows

// After any cell changed, every row is brought into its form. Only cells
// whose text differs are written, so the change signals this causes end.
void TransferList::normaliseRows()
{
    if (normalising)
        return;
    normalising = true;
    const QList<Row> texts = rowTexts();
    for (int r = 0; r < texts.size(); ++r) {
        const Row want = normalised(texts[r]);
        for (int c = 0; c < ColumnCount; ++c) {
            if (want[c] == texts[r][c])
                continue;
            if (QStandardItem *item = rows->item(r, c))
                item->setText(want[c]);
            else
                rows->setItem(r, c, new QStandardItem(want[c]));
        }
    }
    normalising = false;
}

void TransferList::insertRow()
{
    QTableView *view = ui->tableViewTransFileList;
    const QModelIndex current = view->currentIndex();
    const int at = current.isValid() ? current.row() + 1 : 0;
    QList<QStandardItem *> items;
    for (const QString &text : newRow())
        items << new QStandardItem(text);
    rows->insertRow(at, items);
    view->setCurrentIndex(rows->index(at, 0));
}

void TransferList::deleteRow()
{
    const QModelIndex current = ui->tableViewTransFileList->currentIndex();
    if (current.isValid())
        rows->removeRow(current.row());
}

// ---------------------------------------------------------------- list file

bool TransferList::saveList()
{
    return save() == Saved::Yes;
}

TransferList::Saved TransferList::save()
{
    // A cell the list file cannot hold would come back as a lost row: such a
    // list is not written at all.
    const QList<Row> texts = rowTexts();
    const BadCell bad = findUnstorableCell(texts);
    if (bad.row >= 0) {
        const QString where = tr("row %1, column \"%2\"").arg(bad.row + 1).arg(columnTitle(bad.column));
        prompt.warning(dialogParent, tr("error"),
                       bad.empty ? tr("The transfer file list was not saved: the cell in %1 is empty, and a "
                                      "transfer file list cannot hold an empty cell.")
                                       .arg(where)
                                 : tr("The transfer file list was not saved: the cell in %1 holds a \",\" or a "
                                      "line break, which a transfer file list cannot hold.")
                                       .arg(where),
                       QMessageBox::Ok);
        return Saved::Failed;
    }
    const QString path = prompt.saveFileName(dialogParent, tr("save transfer file list"), QString(),
                                             tr("transfer file list (*.lst)"));
    if (path.isEmpty())
        return Saved::Cancelled;
    QString reason;
    if (!safefile::write(path, write(texts), &reason)) {
        prompt.warning(dialogParent, tr("error"),
                       tr("The transfer file list could not be saved to %1: %2").arg(path, reason), QMessageBox::Ok);
        return Saved::Failed;
    }
    return Saved::Yes;
}

void TransferList::openList()
{
    if (rows->rowCount() > 0
        && prompt.warning(dialogParent, tr("warning"), tr("Do  you want to save the transfer file list just edited ?"),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
               == QMessageBox::Yes) {
        // A list that could not be saved is kept (the user has been told
        // why); a cancelled save dialog means going on without saving.
        if (save() == Saved::Failed)
            return;
    }
    const QString path = prompt.openFileName(dialogParent, tr("open transfer file list"), QStringLiteral("."),
                                             tr("transfer file list (*.lst)"));
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    const ReadResult result = read(in);
    rows->removeRows(0, rows->rowCount());
    for (const Row &row : result.rows) {
        QList<QStandardItem *> items;
        for (const QString &text : row)
            items << new QStandardItem(text);
        rows->appendRow(items);
    }
    normaliseRows();
}

// ---------------------------------------------------------------- keys and source files

void TransferList::highlightKey(const QString &cell)
{
    const int key = keyNumber(cell);
    if (key < 0)
        return;
    for (QPushButton *button : keys)
        button->setChecked(false);
    keys[key]->setChecked(true);
}

void TransferList::rowClicked(const QModelIndex &index)
{
    if (!index.isValid())
        return;
    const Row row = rowTexts().value(index.row());
    if (row.size() != ColumnCount || !row[FileType].startsWith(QLatin1String(kRemoteMotionFile)))
        return;
    const bool second = ui->checkBoxCombinationKey->isChecked();
    if (row[CombinationKey] == QLatin1String("yes"))
        highlightKey(row[second ? Key2 : Key1]);
    if (row[CombinationKey] == QLatin1String("no") && !second)
        highlightKey(row[Key1]);
}

void TransferList::rowDoubleClicked(const QModelIndex &index)
{
    if (!index.isValid() || index.column() != SourceFile)
        return;
    const QString type = rowTexts().value(index.row()).value(FileType);
    QString path;
    if (type.startsWith(QLatin1String(kRemoteMotionFile)) || type.startsWith(QLatin1String(kFallMotionFile)))
        path = prompt.openFileName(dialogParent, tr("open robot operation file"), QString(),
                                   tr("robot operation file (*.ini)"));
    else if (type.startsWith(QLatin1String(kCommonFile)))
        path = prompt.openFileName(dialogParent, tr("open common file"), QString(),
                                   tr("common file (*.mp3 *.wav *.ini)"));
    else
        return;
    if (!path.isEmpty())
        rows->setData(index, path, Qt::EditRole);
}

void TransferList::keyClicked(int key)
{
    QPushButton *button = keys.value(key);
    if (!button)
        return;
    const QModelIndex current = ui->tableViewTransFileList->currentIndex();
    if (!current.isValid()) {
        // The click toggled the button already: without a row to fill it
        // changes nothing, so the toggle is undone.
        button->setChecked(!button->isChecked());
        return;
    }
    for (QPushButton *other : keys)
        other->setChecked(false);
    button->setChecked(true);
    const int column = ui->checkBoxCombinationKey->isChecked() ? Key2 : Key1;
    rows->setData(rows->index(current.row(), column), keyNames()[key], Qt::EditRole);
}

// ---------------------------------------------------------------- sending

bool TransferList::sending() const
{
    return index >= 0 && index < rows->rowCount();
}

void TransferList::sendClicked(bool checked)
{
    if (sending() && !checked) {
        // The file already handed to the link is still finished.
        index = -1;
        return;
    }
    if (!link.jobRunning() && checked)
        index = 0;
}

void TransferList::tick()
{
    if (!stepClock.isValid()) {
        stepClock.start();
        return;
    }
    if (stepClock.elapsed() < kStepPeriodMs)
        return;
    stepClock.restart();
    sendStep();
}

void TransferList::endSending()
{
    index = -1;
    ui->pushButtonSendTransFileList->setChecked(false);
}

void TransferList::failRow(int row, const QString &reason)
{
    endSending();
    prompt.warning(dialogParent, tr("error"),
                   tr("The transfer file list stopped at row %1. %2").arg(QString::number(row + 1), reason),
                   QMessageBox::Ok);
}

void TransferList::sendStep()
{
    const int count = rows->rowCount();
    if (index >= count) {
        index = -1;
        // With no file of the list in transfer (an empty list) nothing else
        // will release the button.
        if (rowInTransfer < 0)
            ui->pushButtonSendTransFileList->setChecked(false);
    }
    if (index == 0)
        readyFlag = true;
    if (!sending() || link.jobRunning() || !readyFlag || !ui->pushButtonSendTransFileList->isChecked())
        return;

    readyFlag = false;
    const int r = index;
    ui->tableViewTransFileList->setCurrentIndex(rows->index(r, 0));
    const Plan p = plan(rowTexts()[r]);
    if (p.forcesFlash)
        rows->setData(rows->index(r, transferrows::RobotPath), QLatin1String(kFlash), Qt::EditRole);
    if (p.kind == Plan::Message) {
        endSending();
        prompt.warning(dialogParent, tr("error"), tr(p.message), QMessageBox::Ok);
        return;
    }
    if (p.kind != Plan::Send || !link.isRunning()) {
        endSending();
        return;
    }
    {
        QFile probe(p.source);
        if (!probe.open(QIODevice::ReadOnly)) {
            failRow(r, tr("The file %1 cannot be read.").arg(p.source));
            return;
        }
    }
    // A name the robot cannot take is refused by the link, which says why.
    if (!link.setRobotPath(RobotLink::PathBlock::Send, p.drive, p.robotName)) {
        endSending();
        return;
    }
    rowInTransfer = r;
    index = r + 1;
    if (!files.startFileSend(p.source, p.robotName)) {
        rowInTransfer = -1;
        endSending();
    }
}

bool TransferList::fileEnded(bool ok, const QString &text)
{
    if (rowInTransfer < 0)
        return false;
    const int row = rowInTransfer;
    rowInTransfer = -1;
    if (!ok) {
        failRow(row, text);
        return true;
    }
    readyFlag = true;
    if (index >= rows->rowCount())
        index = -1;
    return true;
}
