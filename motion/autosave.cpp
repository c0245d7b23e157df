#include "motion/autosave.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>

#include <algorithm>

#include "common/prompt.h"
#include "core/safefile.h"
#include "motion/autosavefile.h"
#include "motion/motiondocument.h"

int Autosave::defaultInterval()
{
    bool ok = false;
    const int ms = qEnvironmentVariableIntValue("GAITFORGE_AUTOSAVE_MS", &ok);
    return ok && ms > 0 ? ms : 60000;
}

Autosave::Autosave(MotionDocument &document, Prompt &prompt, QWidget *dialogParent, const QString &workingDir,
                   QObject *parent)
    : QObject(parent), document(document), prompt(prompt), dialogParent(dialogParent),
      folder(autosavefile::folder(workingDir))
{
    // An unnamed document's copy is this run's own: another run's copy waits
    // for its recovery.
    unnamedTag = QString::number(QCoreApplication::applicationPid()) + QLatin1Char('-')
                 + QString::number(QDateTime::currentMSecsSinceEpoch());
    timer.setInterval(defaultInterval());
    connect(&timer, &QTimer::timeout, this, [this] { writeNow(); });
    connect(&document, &MotionDocument::modifiedChanged, this, &Autosave::modifiedChanged);
    connect(&document, &MotionDocument::pathChanged, this, &Autosave::pathChanged);
}

void Autosave::setLoopKeyAccess(std::function<bool()> get, std::function<void(bool)> set)
{
    loopKey = std::move(get);
    setLoopKey = std::move(set);
}

void Autosave::setInterval(int ms)
{
    timer.setInterval(ms);
}

QString Autosave::currentFile() const
{
    return folder + QLatin1Char('/') + autosavefile::fileName(document.path(), unnamedTag);
}

void Autosave::modifiedChanged(bool modified)
{
    if (modified) {
        // The minute counts from the first unsaved change.
        if (!timer.isActive())
            timer.start();
        return;
    }
    // Saved, or the changes discarded: no copy is left behind.
    timer.stop();
    removeFile(written);
    removeFile(stale);
}

void Autosave::pathChanged()
{
    // The copy under the old name goes once the new one is written.
    if (!written.isEmpty() && written != currentFile()) {
        removeFile(stale);
        stale = written;
        written.clear();
    }
}

void Autosave::removeFile(QString &path)
{
    if (!path.isEmpty())
        QFile::remove(path);
    path.clear();
}

bool Autosave::writeNow()
{
    if (!document.isModified())
        return true;
    autosavefile::Content content;
    content.documentPath = document.path().isEmpty() ? QString()
                                                     : QFileInfo(document.path()).absoluteFilePath();
    content.loopKey = loopKey && loopKey();
    content.frames = document.flatten();
    const QString path = currentFile();
    if (!QDir().mkpath(folder))
        error = tr("Cannot make the folder:") + QDir::toNativeSeparators(folder);
    else if (!safefile::write(path, autosavefile::encode(content), &error))
        error = QDir::toNativeSeparators(path) + QLatin1Char(' ') + error;
    else
        error.clear();
    if (!error.isEmpty()) {
        if (error != reported)
            emit failed(tr("The unsaved changes could not be autosaved: ") + error);
        reported = error;
        return false;
    }
    reported.clear();
    written = path;
    if (stale != written)
        removeFile(stale);
    return true;
}

void Autosave::offerRecovery()
{
    QDir dir(folder);
    QFileInfoList copies = dir.entryInfoList({QLatin1Char('*') + autosavefile::extension()}, QDir::Files,
                                             QDir::Time);
    for (const QFileInfo &copy : copies) {
        QFile file(copy.absoluteFilePath());
        autosavefile::Content content;
        if (!file.open(QIODevice::ReadOnly) || !autosavefile::decode(file.readAll(), &content))
            continue; // not one of ours, or unreadable: left alone
        file.close();
        const QFileInfo source(content.documentPath);
        // The document was saved after the copy was made: nothing to recover.
        if (!content.documentPath.isEmpty() && source.exists() && source.lastModified() >= copy.lastModified()) {
            QFile::remove(copy.absoluteFilePath());
            continue;
        }
        const QString name = content.documentPath.isEmpty() ? tr("an unnamed motion")
                                                            : QDir::toNativeSeparators(content.documentPath);
        const QString when = QLocale().toString(copy.lastModified(), QLocale::ShortFormat);
        const Prompt::Button answer = prompt.warning(
            dialogParent, tr("warning"),
            tr("gaitForge was not closed properly. Unsaved changes of %1 (%2 frames, autosaved %3) can be "
               "recovered.\nOpen: recover them as an unsaved motion. Discard: delete the autosaved copy.")
                .arg(name)
                .arg(content.frames.size() / 46)
                .arg(when),
            QMessageBox::Open | QMessageBox::Discard, QMessageBox::Open);
        if (answer == QMessageBox::Discard) {
            QFile::remove(copy.absoluteFilePath());
            continue;
        }
        if (answer != QMessageBox::Open)
            continue;
        document.restore(content.frames);
        document.recordSnapshot();
        document.setPath(content.documentPath);
        document.setModified(true);
        if (setLoopKey)
            setLoopKey(content.loopKey);
        // The copy stays until the recovered motion is saved or discarded.
        // (An unnamed motion's next copy takes this run's name: the old one
        // goes once that is written.)
        written.clear();
        stale.clear();
        (copy.absoluteFilePath() == QFileInfo(currentFile()).absoluteFilePath() ? written : stale)
            = copy.absoluteFilePath();
        emit recovered();
        return;
    }
}
