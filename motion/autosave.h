#pragma once
// Autosave and recovery: while the motion has unsaved changes it is written
// every minute (and when asked, before a download to the robot) to its copy
// in the working folder's ".robot/autosave/", through the safe-save helper.
// The copy goes when the changes are saved or discarded. At start, a copy
// newer than its document (or of an unnamed document) is offered: opened, it
// becomes the document again, unsaved; discarded, it is removed.
// No widgets of its own: the questions go through the prompt seam.

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class MotionDocument;
class Prompt;
class QWidget;

class Autosave : public QObject
{
    Q_OBJECT

public:
    // The interval in milliseconds: GAITFORGE_AUTOSAVE_MS when set (tests),
    // otherwise one minute.
    static int defaultInterval();

    Autosave(MotionDocument &document, Prompt &prompt, QWidget *dialogParent, const QString &workingDir,
             QObject *parent = nullptr);

    // The loop key is saved with the frames and given back on recovery.
    void setLoopKeyAccess(std::function<bool()> get, std::function<void(bool)> set);
    void setInterval(int ms);
    int interval() const { return timer.interval(); }

    // Writes the copy now when the document has unsaved changes. False when
    // a write failed (the reason in lastError()); true otherwise.
    bool writeNow();
    // The copy of the current document (may not exist yet).
    QString currentFile() const;
    QString lastError() const { return error; }

    // Offers each copy left by an earlier run, newest first, until one is
    // opened. Copies older than their document are removed without asking.
    void offerRecovery();

signals:
    // A copy became the document (its path and title follow).
    void recovered();
    // Writing the copy failed: the text with the reason, once until a copy
    // is written again (or the reason changes).
    void failed(const QString &text);

private:
    void modifiedChanged(bool modified);
    void pathChanged();
    void removeFile(QString &path);

    MotionDocument &document;
    Prompt &prompt;
    QWidget *dialogParent;
    QString folder;
    QString unnamedTag;
    QTimer timer;
    std::function<bool()> loopKey;
    std::function<void(bool)> setLoopKey;
    // The copy written last, and one left from before a change of path.
    QString written;
    QString stale;
    QString error;
    QString reported;
};
