// The motion document inside the window: the frame table with its views and
// delegates, new frames taken from the panel, the flat form, and the document
// commands of the File menu (new, open, save, save as, exit) with the save
// prompt, the current file path and the window title.

#include "app/mainwindow.h"
#include "ui_mainwindow.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QItemSelectionModel>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTextStream>

#include "files/itemdelegates.h"
#include "motion/frametable.h"
#include "motion/operationfile.h"

using namespace frametable;

void MainWindow::setupMotion()
{
    ui->listWidgetGraphicOperation->setIconSize(QSize(128, 128));
    setupTableModels();
    setupJointPanel();
}

// ---------------------------------------------------------------- models

void MainWindow::setupTableModels()
{
    frameTable = new QStandardItemModel(0, ColumnCount, this);
    QStringList headers;
    for (const char *header : columnHeaders)
        headers << tr(header);
    frameTable->setHorizontalHeaderLabels(headers);

    QTableView *view = ui->tableView;
    auto *spin = new SpinDelegate(this);
    for (int c = 0; c <= ColOperationTime; ++c)
        view->setItemDelegateForColumn(c, spin);
    view->setItemDelegateForColumn(ColLoopTimes, spin);
    view->setItemDelegateForColumn(ColMusicFile, spin);
    view->setItemDelegateForColumn(ColVolume, spin);
    // Column 20 (delay time) keeps the view's default editor.
    view->setItemDelegateForColumn(ColLoopFlag, new ComboDelegate(ComboDelegate::LoopFlag, this));
    view->setItemDelegateForColumn(ColMusicControl, new ComboDelegate(ComboDelegate::MusicControl, this));
    view->setItemDelegateForColumn(ColMusicType, new ComboDelegate(ComboDelegate::MusicType, this));
    view->setItemDelegateForColumn(ColMusicFolder, new ComboDelegate(ComboDelegate::MusicFolder, this));
    auto *brightness = new ComboDelegate(ComboDelegate::LedBrightness, this);
    auto *frequency = new ComboDelegate(ComboDelegate::LedFrequency, this);
    for (int k = 0; k < LedChannelCount; ++k) {
        view->setItemDelegateForColumn(ledBrightnessColumn(k), brightness);
        view->setItemDelegateForColumn(ledFrequencyColumn(k), frequency);
    }
    view->setModel(frameTable);
    // The view's own selection model; setting it connects the view's
    // selection-changed slot.
    view->setSelectionModel(new QItemSelectionModel(frameTable, view));

    // The transfer file list: nine text columns with their editors.
    transFileListModel = new QStandardItemModel(0, 9, this);
    transFileListModel->setHorizontalHeaderLabels({tr("name"), tr("file type"), tr("combination key"), tr("key 1"),
                                                   tr("key 2"), tr("fall type"), tr("common file name"),
                                                   tr("source file"), tr("robot path")});
    QTableView *list = ui->tableViewTransFileList;
    list->setItemDelegateForColumn(1, new ComboDelegate(ComboDelegate::FileType, this));
    list->setItemDelegateForColumn(2, new ComboDelegate(ComboDelegate::CombinationKey, this));
    auto *keys = new ComboDelegate(ComboDelegate::Key, this);
    list->setItemDelegateForColumn(3, keys);
    list->setItemDelegateForColumn(4, keys);
    list->setItemDelegateForColumn(5, new ComboDelegate(ComboDelegate::FallType, this));
    list->setItemDelegateForColumn(8, new ComboDelegate(ComboDelegate::RobotPath, this));
    list->setModel(transFileListModel);
}

// ---------------------------------------------------------------- cells and frames

int MainWindow::frameCell(int row, int column) const
{
    return cellValue(*frameTable, row, column);
}

void MainWindow::setFrameCell(int row, int column, int value)
{
    setCellValue(*frameTable, row, column, value);
}

int MainWindow::currentFrameRow() const
{
    const QModelIndex current = ui->tableView->currentIndex();
    return current.isValid() ? current.row() : -1;
}

int MainWindow::frameInsertRow() const
{
    return insertPosition(currentFrameRow());
}

std::array<int, 19> MainWindow::panelAngles() const
{
    const QSpinBox *boxes[ServoCount] = {
        ui->spinBoxAngleHead,   ui->spinBoxAngleLhand1, ui->spinBoxAngleLhand2, ui->spinBoxAngleLhand3,
        ui->spinBoxAngleLleg1,  ui->spinBoxAngleLleg2,  ui->spinBoxAngleLleg3,  ui->spinBoxAngleLleg4,
        ui->spinBoxAngleLleg5,  ui->spinBoxAngleRhand1, ui->spinBoxAngleRhand2, ui->spinBoxAngleRhand3,
        ui->spinBoxAngleRleg1,  ui->spinBoxAngleRleg2,  ui->spinBoxAngleRleg3,  ui->spinBoxAngleRleg4,
        ui->spinBoxAngleRleg5,  ui->spinBoxAngleExtendServo1, ui->spinBoxAngleExtendServo2,
    };
    std::array<int, 19> angles{};
    for (int i = 0; i < ServoCount; ++i)
        angles[i] = boxes[i]->value();
    return angles;
}

void MainWindow::insertPanelFrame(int row, const std::array<int, 19> &angles)
{
    if (!frameTable->insertRow(row))
        return;
    const QSlider *brightness[LedChannelCount] = {
        ui->horizontalSliderLed1RBrightness, ui->horizontalSliderLed1GBrightness, ui->horizontalSliderLed1BBrightness,
        ui->horizontalSliderLed2RBrightness, ui->horizontalSliderLed2GBrightness, ui->horizontalSliderLed2BBrightness,
        ui->horizontalSliderLed3RBrightness, ui->horizontalSliderLed3GBrightness, ui->horizontalSliderLed3BBrightness,
    };
    const QComboBox *frequency[LedChannelCount] = {
        ui->comboBoxLed1RFrequency, ui->comboBoxLed1GFrequency, ui->comboBoxLed1BFrequency,
        ui->comboBoxLed2RFrequency, ui->comboBoxLed2GFrequency, ui->comboBoxLed2BFrequency,
        ui->comboBoxLed3RFrequency, ui->comboBoxLed3GFrequency, ui->comboBoxLed3BFrequency,
    };
    int values[ColumnCount] = {};
    for (int i = 0; i < ServoCount; ++i)
        values[i] = angles[i];
    values[ColOperationTime] = ui->spinBoxOperationTime->value();
    values[ColDelayTime] = ui->spinBoxDelayTime->value();
    values[ColVolume] = ui->horizontalSliderVolume->value();
    for (int k = 0; k < LedChannelCount; ++k) {
        values[ledBrightnessColumn(k)] = brightness[k]->value() / 10;
        values[ledFrequencyColumn(k)] = frequency[k]->currentIndex();
    }
    for (int c = 0; c < ColumnCount; ++c)
        frameTable->setData(frameTable->index(row, c), values[c], Qt::EditRole);
}

// ---------------------------------------------------------------- flat form

QVector<int> MainWindow::flattenFrames() const
{
    return flatten(*frameTable);
}

void MainWindow::restoreFrames(const QVector<int> &values)
{
    ui->listWidgetGraphicOperation->clear();
    restore(*frameTable, values);
    if (frameTable->rowCount() > 0)
        rebuildFrameList();
}

void MainWindow::rebuildFrameList()
{
    // One item per row while the list is being filled, then the thumbnail walk
    // from the first frame draws every picture.
    frameListRefresh = 2;
    // A shown table would scroll to every row on the way.
    const bool tableScrolls = ui->tableView->hasAutoScroll();
    ui->tableView->setAutoScroll(false);
    for (int r = 0; r < frameTable->rowCount(); ++r) {
        ui->tableView->setCurrentIndex(frameTable->index(r, 0));
        refreshFrameListItem(1);
    }
    ui->tableView->setAutoScroll(tableScrolls);
    listFillPicture = QPixmap();
    // The walk starts at the first frame, which is loaded into the panel (the
    // walk is marked running first, so the robot is not moved meanwhile).
    refreshTick = 0;
    frameListRefresh = 1;
    setWalkRow(0);
}

// ---------------------------------------------------------------- document

// The box of a failed file read or write: a warning titled "error" with a
// single Yes button.
static void showFileError(MainWindow *window, const QString &text)
{
    window->prompt().warning(window, MainWindow::tr("error"), text, QMessageBox::Yes);
}

void MainWindow::updateDocumentTitle()
{
    setWindowTitle(currentFilePath.isEmpty() ? tr("ZEL gait forge") : tr("gait forge - ") + currentFilePath);
}

void MainWindow::setDocumentModified(int modified)
{
    documentModified = modified;
    ui->actionSave->setEnabled(modified != 0);
}

bool MainWindow::writeOperationFile(const QString &path)
{
    if (path.isEmpty())
        return false;
    const FrameRows rows = rowsOf(*frameTable);
    // A loop end without its start is refused before the file is touched.
    const int faultyRow = operationfile::findUnmatchedLoopEnd(rows);
    if (faultyRow >= 0) {
        showFileError(this, tr(operationfile::loopEndErrorText) + QString::number(faultyRow));
        return false;
    }
    // The new content goes to a temporary file that replaces the old one only
    // when it is complete: a failed save leaves the old file as it was.
    QSaveFile file(path);
    bool saved = file.open(QIODevice::WriteOnly);
    if (saved) {
        QTextStream out(&file);
        operationfile::write(out, rows, ui->checkBoxLoopKey->isChecked());
        out.flush();
        saved = out.status() == QTextStream::Ok && file.commit();
    }
    if (!saved) {
        showFileError(this, tr("Cannot save the file:") + QDir::toNativeSeparators(path));
        return false;
    }
    return true;
}

void MainWindow::readOperationFile()
{
    const QString path = prompt().openFileName(this, tr("open robot operation file"), QStringLiteral("."),
                                               tr("robot operation files (*.ini)"));
    if (path.isEmpty())
        return;
    currentFilePath = path;
    updateDocumentTitle();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    QTextStream in(&file);
    const operationfile::ReadResult result = operationfile::read(in);

    frameTable->removeRows(0, frameTable->rowCount());
    ui->listWidgetGraphicOperation->clear();
    if (result.loopKey != operationfile::LoopKey::Unchanged)
        ui->checkBoxLoopKey->setChecked(result.loopKey == operationfile::LoopKey::Checked);
    for (const operationfile::Message &message : operationfile::messages(result))
        showFileError(this, tr(message.text) + (message.number >= 0 ? QString::number(message.number) : QString()));
    appendRows(*frameTable, result.rows);
    if (frameTable->rowCount() > 0)
        rebuildFrameList();
}

bool MainWindow::runSavePrompt(bool exiting)
{
    if (frameTable->rowCount() == 0 || documentModified != 1)
        return true;
    const Prompt::Button answer
        = prompt().warning(nullptr, tr("warning"), tr("Do  you want to save the operation data just edited ?"),
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        if (exiting)
            setDocumentModified(0);
        return true;
    }
    if (currentFilePath.isEmpty()) {
        const QString path = prompt().saveFileName(this, tr("save robot operation file"), QString(),
                                                   tr("save robot operation file (*.ini)"));
        // Cancelling the save dialog cancels the command: the document stays.
        if (path.isEmpty())
            return false;
        currentFilePath = path;
        updateDocumentTitle();
    }
    // A save that failed has been reported; the document stays, still modified.
    if (!writeOperationFile(currentFilePath))
        return false;
    setDocumentModified(0);
    return true;
}

void MainWindow::on_actionNew_file_triggered()
{
    ctrlHeld = 0;
    if (!runSavePrompt(false))
        return;
    frameTable->removeRows(0, frameTable->rowCount());
    ui->listWidgetGraphicOperation->clear();
    insertPanelFrame(0, originAngles);
    ui->tableView->setCurrentIndex(frameTable->index(0, 0));
    refreshFrameListItem(1);
    editSettleCountdown = 100;
    currentFilePath = prompt().saveFileName(this, tr("Please input the new file path"), QString(),
                                            tr("save robot operation file (*.ini)"));
    updateDocumentTitle();
}

void MainWindow::on_actionOpen_file_triggered()
{
    ctrlHeld = 0;
    if (!runSavePrompt(false))
        return;
    readOperationFile();
}

void MainWindow::on_actionSave_triggered()
{
    ctrlHeld = 0;
    if (documentModified != 1)
        return;
    if (currentFilePath.isEmpty()) {
        const QString path = prompt().saveFileName(this, tr("save robot operation file"), QString(),
                                                   tr("save robot operation file (*.ini)"));
        // Cancelled: nothing is written and the changes stay marked.
        if (path.isEmpty())
            return;
        currentFilePath = path;
        updateDocumentTitle();
    }
    if (writeOperationFile(currentFilePath))
        setDocumentModified(0);
}

void MainWindow::on_actionSave_as_triggered()
{
    // The copy goes elsewhere; the document keeps its own path and state.
    const QString path = prompt().saveFileName(this, tr("save robot operation file as"), QString(),
                                               tr("save robot operation file (*.ini)"));
    if (!path.isEmpty())
        writeOperationFile(path);
}

void MainWindow::on_actionExit_triggered()
{
    ctrlHeld = 0;
    // Closing runs the save prompt (closeEvent), for this command and for the
    // window's close button alike.
    close();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (!runSavePrompt(true)) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
