#include "files/transferlist.h"
#include "ui_mainwindow.h"

#include <QBrush>
#include <QColor>
#include <QFile>
#include <QStandardItemModel>

#include <algorithm>

#include "common/prompt.h"
#include "core/safefile.h"
#include "common/textfit.h"
#include "files/filebrowser.h"
#include "common/itemdelegates.h"
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

    connect(rows, &QStandardItemModel::itemChanged, this, &TransferList::cellChanged);
    // Rows inserted or removed are edits too; a removed row takes its
    // problems with it.
    connect(rows, &QStandardItemModel::rowsInserted, this, [this] {
        if (!quiet)
            modified = true;
    });
    connect(rows, &QStandardItemModel::rowsRemoved, this, [this] {
        if (quiet)
            return;
        modified = true;
        showProblems();
    });
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
    defaultHint = ui->rmLabelRemoteHint->text();
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

// A cell changed: an edit, unless the page is writing the model itself.
void TransferList::cellChanged()
{
    if (normalising || quiet)
        return;
    modified = true;
    normaliseRows();
    showProblems();
}

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

static bool sameProblem(const Problem &a, const Problem &b)
{
    return a.kind == b.kind && a.row == b.row && a.earlierRow == b.earlierRow && a.robotName == b.robotName
           && a.robotPath == b.robotPath;
}

void TransferList::showProblems()
{
    const QList<Problem> now = check(rowTexts());
    quiet = true;
    for (int r = 0; r < rows->rowCount(); ++r) {
        const Problem *problem = nullptr;
        for (const Problem &p : now)
            if (p.row == r)
                problem = &p;
        for (int c = 0; c < ColumnCount; ++c) {
            QStandardItem *item = rows->item(r, c);
            if (!item)
                continue;
            const bool marked = problem && problem->column == c;
            const QVariant tip = marked ? QVariant(describe(*problem)) : QVariant();
            const QVariant background = marked ? QVariant(QBrush(QColor(255, 214, 214))) : QVariant();
            if (item->data(Qt::ToolTipRole) != tip)
                item->setData(tip, Qt::ToolTipRole);
            if (item->data(Qt::BackgroundRole) != background)
                item->setData(background, Qt::BackgroundRole);
        }
    }
    quiet = false;
    // A problem the last edit made is told once, with its row.
    for (const Problem &p : now) {
        const bool known = std::any_of(shownProblems.cbegin(), shownProblems.cend(),
                                       [&p](const Problem &old) { return sameProblem(old, p); });
        if (!known) {
            ui->statusBar->showMessage(describe(p), 10000);
            break;
        }
    }
    shownProblems = now;
}

QString TransferList::problemList(const QList<Problem> &problems) const
{
    QStringList lines;
    for (const Problem &p : problems)
        lines << describe(p);
    return lines.join(QLatin1Char('\n'));
}

void TransferList::setHint(const QString &text)
{
    ui->rmLabelRemoteHint->setText(text.isEmpty() ? defaultHint : text);
}

void TransferList::insertRow()
{
    if (locked)
        return;
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
    if (locked)
        return;
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
    // Rows that could not be sent as they are may still be kept for later:
    // the user is told which and decides.
    const QList<Problem> problems = check(texts);
    if (!problems.isEmpty()
        && prompt.warning(dialogParent, tr("warning"),
                          tr("These rows cannot be sent as they are:\n%1\nSave the transfer file list anyway?")
                              .arg(problemList(problems)),
                          QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
               != QMessageBox::Yes)
        return Saved::Failed;
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
    modified = false;
    return Saved::Yes;
}

void TransferList::openList()
{
    if (locked)
        return;
    // Only a list changed since it was opened or saved has anything to save.
    if (modified && rows->rowCount() > 0
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
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (!file.isOpen() || file.error() != QFileDevice::NoError) {
        prompt.warning(dialogParent, tr("error"), tr("The file %1 cannot be read.").arg(path), QMessageBox::Ok);
        return;
    }
    const ReadResult result = read(bytes);
    // A file with lines but no row is not a list: the list shown is kept.
    if (result.nothingRead()) {
        prompt.warning(dialogParent, tr("error"),
                       tr("%1 is not a transfer file list: none of its lines has the 9 fields of a row. The list "
                          "shown is kept.")
                           .arg(path),
                       QMessageBox::Ok);
        return;
    }
    quiet = true;
    rows->removeRows(0, rows->rowCount());
    for (const Row &row : result.rows) {
        QList<QStandardItem *> items;
        for (const QString &text : row)
            items << new QStandardItem(text);
        rows->appendRow(items);
    }
    normaliseRows();
    quiet = false;
    modified = false;
    showProblems();
    if (!result.skipped.isEmpty()) {
        QStringList lines;
        for (const SkippedLine &line : result.skipped)
            lines << tr("line %1 (%2 fields)").arg(line.line).arg(line.fields);
        prompt.warning(dialogParent, tr("warning"),
                       tr("Some lines of %1 are not rows of a transfer file list (a row has 9 fields) and were "
                          "left out: %2.")
                           .arg(path, lines.join(QStringLiteral(", "))),
                       QMessageBox::Ok);
    }
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
    if (locked) {
        setHint(tr("The transfer file list cannot be edited while it is being sent."));
        return;
    }
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
    // The click toggled the button already: a key that fills no cell changes
    // nothing, so the toggle is undone and the hint says why.
    auto refuse = [this, button](const QString &why) {
        button->setChecked(!button->isChecked());
        setHint(why);
    };
    if (locked) {
        refuse(tr("The transfer file list cannot be edited while it is being sent."));
        return;
    }
    const QModelIndex current = ui->tableViewTransFileList->currentIndex();
    if (!current.isValid()) {
        refuse(tr("Select a row of the transfer file list first, then click a key of the remote."));
        return;
    }
    const int r = current.row();
    const int column = ui->checkBoxCombinationKey->isChecked() ? Key2 : Key1;
    const QString name = keyNames()[key];
    // The row's form decides whether the cell can hold a key: a key written
    // where the form keeps a placeholder would vanish at once.
    Row row = rowTexts().value(r);
    row[column] = name;
    if (normalised(row)[column] != name) {
        const QString number = QString::number(r + 1);
        if (!row[FileType].startsWith(QLatin1String(kRemoteMotionFile)))
            refuse(tr("Row %1 is not a remote motion file: choose \"remote motion file\" as its file type to bind "
                      "it to a key.")
                       .arg(number));
        else if (!row[CombinationKey].startsWith(QLatin1String("no"))
                 && !row[CombinationKey].startsWith(QLatin1String("yes")))
            refuse(tr("Choose the combination key of row %1 (\"no\" or \"yes\") first, then click its key.")
                       .arg(number));
        else
            refuse(tr("Row %1 has a single key: untick \"combination key\" to set its key 1.").arg(number));
        return;
    }
    for (QPushButton *other : keys)
        other->setChecked(false);
    button->setChecked(true);
    setHint(QString());
    rows->setData(rows->index(r, column), name, Qt::EditRole);
}

// ---------------------------------------------------------------- sending

void TransferList::releaseSendButton()
{
    ui->pushButtonSendTransFileList->setChecked(false);
}

bool TransferList::sending() const
{
    return index >= 0 && index < rows->rowCount();
}

void TransferList::sendClicked(bool checked)
{
    if (sending() && !checked) {
        // The file already handed to the link is still finished; the list
        // stays locked until it has ended.
        index = -1;
        updateLock();
        return;
    }
    if (!checked)
        return;
    auto refuse = [this](const QString &title, const QString &text) {
        ui->pushButtonSendTransFileList->setChecked(false);
        prompt.warning(dialogParent, title, text, QMessageBox::Ok);
    };
    if (!link.isRunning()) {
        refuse(tr("warning"), tr("The robot is not connected: connect to it first, then send the transfer file list."));
        return;
    }
    if (link.jobRunning()) {
        refuse(tr("warning"), tr("A file transfer is running. Please wait until it has finished."));
        return;
    }
    // Rows that would write a file the robot cannot take, or overwrite one an
    // earlier row wrote, stop the list before anything is sent.
    const QList<Problem> problems = check(rowTexts());
    if (!problems.isEmpty()) {
        refuse(tr("error"), tr("The transfer file list was not sent:\n%1").arg(problemList(problems)));
        return;
    }
    index = 0;
    updateLock();
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
    updateLock();
}

void TransferList::updateLock()
{
    const bool want = index >= 0 || rowInTransfer >= 0;
    if (want == locked)
        return;
    locked = want;
    QTableView *view = ui->tableViewTransFileList;
    if (locked) {
        unlockedEditTriggers = int(view->editTriggers());
        view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    } else {
        view->setEditTriggers(QAbstractItemView::EditTriggers(unlockedEditTriggers));
    }
    for (QAction *action : {ui->actionInsert_transfer_file, ui->actionDelete_transfer_file,
                            ui->actionOpen_transfer_file_list})
        action->setEnabled(!locked);
    setHint(locked ? tr("The transfer file list cannot be edited while it is being sent.") : QString());
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
    stepOnce();
    updateLock();
}

void TransferList::stepOnce()
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
    if (p.kind != Plan::Send) {
        endSending();
        return;
    }
    if (!link.isRunning()) {
        failRow(r, tr("The robot is not connected."));
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
    updateLock();
    return true;
}
