// The document commands of the File menu (new, open, save, save as, exit)
// with the save prompt, the current file path and the window title.

#include "motion/filecommands.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/prompt.h"
#include "motion/framelist.h"
#include "motion/jointpanel.h"
#include "motion/motiondocument.h"

FileCommands::FileCommands(Ui::MainWindow *ui, QWidget *window, Prompt &prompt,
                           MotionDocument &document, JointPanel &panel, FrameList &list, QObject *parent)
    : QObject(parent), ui(ui), window(window), prompt(prompt), document(document), panel(panel),
      list(list)
{
    // Nothing to save until there are changes.
    ui->actionSave->setEnabled(false);
    connect(ui->actionNew_file, &QAction::triggered, this, &FileCommands::newFile);
    connect(ui->actionOpen_file, &QAction::triggered, this, &FileCommands::openFile);
    connect(ui->actionSave, &QAction::triggered, this, &FileCommands::save);
    connect(ui->actionSave_as, &QAction::triggered, this, &FileCommands::saveAs);
    connect(ui->actionExit, &QAction::triggered, this, &FileCommands::exit);
    connect(&document, &MotionDocument::modifiedChanged, ui->actionSave, &QAction::setEnabled);
    // The title shows the name and whether there are unsaved changes.
    connect(&document, &MotionDocument::modifiedChanged, this, &FileCommands::updateTitle);
    connect(&document, &MotionDocument::pathChanged, this, &FileCommands::updateTitle);
}

// The box of a failed file read or write: a warning titled "error" with a
// single Yes button.
void FileCommands::showFileError(const QString &text)
{
    prompt.warning(window, tr("error"), text, QMessageBox::Yes);
}

void FileCommands::updateTitle()
{
    window->setWindowTitle(title(document.path(), document.framesReadFrom(), document.isModified()));
}

QString FileCommands::title(const QString &path, const QString &readFrom, bool modified)
{
    QString text;
    if (!path.isEmpty())
        text = tr("gait forge - ") + path;
    else if (!readFrom.isEmpty())
        text = tr("gait forge - untitled: the frames read from %1 before its error")
                   .arg(QDir::toNativeSeparators(readFrom));
    else
        text = tr("ZEL gait forge");
    // Unsaved changes are marked after the name.
    return modified ? text + QStringLiteral(" *") : text;
}

QString FileCommands::askSaveName(const QString &caption)
{
    QString path = prompt.saveFileName(window, caption, QString(), tr("save robot operation file (*.ini)"));
    // "dance1" is saved as "dance1.ini": the open dialog shows only *.ini.
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty() && !QFileInfo(path).fileName().isEmpty())
        path += path.endsWith(QLatin1Char('.')) ? QStringLiteral("ini") : QStringLiteral(".ini");
    return path;
}

bool FileCommands::write(const QString &path)
{
    const MotionDocument::SaveResult result = document.save(path, panel.loopKey());
    switch (result.kind) {
    case MotionDocument::SaveResult::Saved:
        ui->statusBar->showMessage(tr("Saved %1").arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())),
                                   10000);
        return true;
    case MotionDocument::SaveResult::NoPath:
        return false;
    case MotionDocument::SaveResult::UnmatchedLoopEnd:
        // Marked for translation in the window's context with the writer.
        showFileError(QCoreApplication::translate("MainWindow", operationfile::loopEndErrorText)
                      + QString::number(result.faultyRow));
        return false;
    case MotionDocument::SaveResult::ValueOutOfRange:
        showFileError(QCoreApplication::translate("MainWindow", operationfile::unstorableValueText)
                          .arg(QCoreApplication::translate("MainWindow",
                                                           frametable::columnHeaders[result.faultyColumn]))
                      + QString::number(result.faultyRow));
        return false;
    case MotionDocument::SaveResult::WriteFailed:
        break;
    }
    showFileError(tr("Cannot save the file:") + QDir::toNativeSeparators(path) + QLatin1Char('\n') + result.reason);
    return false;
}

bool FileCommands::runSavePrompt(bool exiting)
{
    if (document.rowCount() == 0 || !document.isModified())
        return true;
    const Prompt::Button answer
        = prompt.warning(nullptr, tr("warning"), tr("Do  you want to save the operation data just edited ?"),
                           QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    if (answer != QMessageBox::Yes) {
        if (exiting)
            document.setModified(false);
        return true;
    }
    if (document.path().isEmpty()) {
        const QString path = askSaveName(tr("save robot operation file"));
        // Cancelling the save dialog cancels the command: the document stays.
        if (path.isEmpty())
            return false;
        document.setPath(path);
        updateTitle();
    }
    // A save that failed has been reported; the document stays, still modified.
    if (!write(document.path()))
        return false;
    document.setModified(false);
    return true;
}

void FileCommands::newFile()
{
    list.heldKeys().ctrl = false;
    if (!runSavePrompt(false))
        return;
    document.removeAllFrames();
    list.clear();
    document.insertFrame(0, panel.newFrame(panel.originPose(true)));
    document.setCurrentRow(0);
    list.insertItem();
    document.noteEdit();
    document.setPath(askSaveName(tr("Please input the new file path")));
    updateTitle();
}

void FileCommands::openFile()
{
    list.heldKeys().ctrl = false;
    if (!runSavePrompt(false))
        return;
    const QString path = prompt.openFileName(window, tr("open robot operation file"), QStringLiteral("."),
                                               tr("robot operation files (*.ini)"));
    if (path.isEmpty())
        return;
    openPath(path);
}

void FileCommands::openGivenFile(const QString &path)
{
    list.heldKeys().ctrl = false;
    if (!runSavePrompt(false))
        return;
    const QFileInfo info(path);
    if (!info.exists()) {
        showFileError(tr("The file does not exist:") + QDir::toNativeSeparators(info.absoluteFilePath()));
        return;
    }
    // Checked here, unlike a file picked in the dialog: the document would
    // otherwise take the path of a file it cannot read.
    QFile file(info.absoluteFilePath());
    if (info.isDir() || !file.open(QIODevice::ReadOnly)) {
        showFileError(tr("Cannot open the file:") + QDir::toNativeSeparators(info.absoluteFilePath()));
        return;
    }
    file.close();
    openPath(info.absoluteFilePath());
}

void FileCommands::openPath(const QString &path)
{
    // The table and the list are replaced by what was read; after a reader
    // error by the frames before it, unnamed. The reader's messages follow.
    const MotionDocument::OpenResult result = document.open(path);
    updateTitle();
    const QString shownPath = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (result.notAMotion) {
        // Marked for translation in the window's context with the reader.
        showFileError(QCoreApplication::translate("MainWindow", operationfile::notAMotionText) + shownPath);
        return;
    }
    if (!result.opened) {
        showFileError(tr("Cannot open the file:") + shownPath);
        return;
    }
    if (result.loopKey != operationfile::LoopKey::Unchanged)
        panel.setLoopKey(result.loopKey == operationfile::LoopKey::Checked);
    for (const operationfile::Message &message : result.messages)
        // The reader's texts are marked for translation in the window's context.
        showFileError(QCoreApplication::translate("MainWindow", message.text)
                      + (message.number >= 0 ? QString::number(message.number) : QString()));
    if (result.recovered)
        ui->statusBar->showMessage(
            tr("The frames read before the error are shown as an unnamed motion; %1 is left as it is.")
                .arg(shownPath));
}

void FileCommands::save()
{
    list.heldKeys().ctrl = false;
    if (!document.isModified())
        return;
    if (document.path().isEmpty()) {
        const QString path = askSaveName(tr("save robot operation file"));
        // Cancelled: nothing is written and the changes stay marked.
        if (path.isEmpty())
            return;
        document.setPath(path);
        updateTitle();
    }
    if (write(document.path()))
        document.setModified(false);
}

void FileCommands::saveAs()
{
    // The copy goes elsewhere; the document keeps its own path and state.
    const QString path = askSaveName(tr("save robot operation file as"));
    if (!path.isEmpty())
        write(path);
}

void FileCommands::exit()
{
    list.heldKeys().ctrl = false;
    // Closing runs the save prompt (the window's close event), for this
    // command and for the window's close button alike.
    window->close();
}

void FileCommands::openFromArguments(const QStringList &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith(QLatin1Char('-'))) {
            openGivenFile(arguments[i]);
            return;
        }
    }
}
