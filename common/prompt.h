#pragma once
// The one way the window asks or tells the user anything: message boxes,
// questions, file and input dialogs, and opening a document or web page with
// the desktop. The real implementation shows Qt's dialogs; tests install one
// that records every call and answers from a script.

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QUrl>

class QWidget;
class QPixmap;

class Prompt
{
public:
    using Button = QMessageBox::StandardButton;
    using Buttons = QMessageBox::StandardButtons;

    virtual ~Prompt() = default;

    // Warning box (icon "warning"): notices and yes/no questions.
    virtual Button warning(QWidget *parent, const QString &title, const QString &text,
                           Buttons buttons = QMessageBox::Ok, Button defaultButton = QMessageBox::NoButton) = 0;
    // Information box.
    virtual Button information(QWidget *parent, const QString &title, const QString &text,
                               Buttons buttons = QMessageBox::Ok, Button defaultButton = QMessageBox::NoButton) = 0;
    // Error box (icon "critical").
    virtual Button critical(QWidget *parent, const QString &title, const QString &text,
                            Buttons buttons = QMessageBox::Ok, Button defaultButton = QMessageBox::NoButton) = 0;
    // Qt's standard about box.
    virtual void about(QWidget *parent, const QString &title, const QString &text) = 0;
    // A modal box with a picture and rich text, only the OK button.
    virtual void aboutWithPicture(QWidget *parent, const QString &title, const QString &text,
                                  const QString &picturePath) = 0;

    // File dialogs; an empty string means cancelled.
    virtual QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                 const QString &filter) = 0;
    virtual QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) = 0;

    // Input dialogs; *ok tells whether the user accepted.
    virtual int integer(QWidget *parent, const QString &title, const QString &label, int value,
                        int minimum, int maximum, int step, bool *ok) = 0;
    virtual QString item(QWidget *parent, const QString &title, const QString &label,
                         const QStringList &items, int current, bool editable, bool *ok) = 0;
    virtual QString text(QWidget *parent, const QString &title, const QString &label,
                         const QString &value, bool *ok) = 0;

    // Opens a local file or web page with the desktop's handler.
    virtual bool openUrl(const QUrl &url) = 0;
};

// Shows the real dialogs.
class DialogPrompt : public Prompt
{
public:
    Button warning(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    Button information(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                       Button defaultButton) override;
    Button critical(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override;
    void about(QWidget *parent, const QString &title, const QString &text) override;
    void aboutWithPicture(QWidget *parent, const QString &title, const QString &text,
                          const QString &picturePath) override;
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override;
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override;
    int integer(QWidget *parent, const QString &title, const QString &label, int value, int minimum,
                int maximum, int step, bool *ok) override;
    QString item(QWidget *parent, const QString &title, const QString &label, const QStringList &items,
                 int current, bool editable, bool *ok) override;
    QString text(QWidget *parent, const QString &title, const QString &label, const QString &value,
                 bool *ok) override;
    bool openUrl(const QUrl &url) override;
};

// Shows nothing and asks nothing, for programs without a window to answer
// (the command line, the manual's pictures): every box answers with its
// default button, every question is cancelled, nothing is opened.
class SilentPrompt : public Prompt
{
public:
    Button warning(QWidget *, const QString &, const QString &, Buttons, Button defaultButton) override
    {
        return defaultButton;
    }
    Button information(QWidget *, const QString &, const QString &, Buttons, Button defaultButton) override
    {
        return defaultButton;
    }
    Button critical(QWidget *, const QString &, const QString &, Buttons, Button defaultButton) override
    {
        return defaultButton;
    }
    void about(QWidget *, const QString &, const QString &) override {}
    void aboutWithPicture(QWidget *, const QString &, const QString &, const QString &) override {}
    QString openFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString saveFileName(QWidget *, const QString &, const QString &, const QString &) override { return {}; }
    QString existingDirectory(QWidget *, const QString &, const QString &) override { return {}; }
    int integer(QWidget *, const QString &, const QString &, int value, int, int, int, bool *ok) override
    {
        *ok = false;
        return value;
    }
    QString item(QWidget *, const QString &, const QString &, const QStringList &, int, bool, bool *ok) override
    {
        *ok = false;
        return {};
    }
    QString text(QWidget *, const QString &, const QString &, const QString &, bool *ok) override
    {
        *ok = false;
        return {};
    }
    bool openUrl(const QUrl &) override { return false; }
};

// Passes every call on to another prompt that can be exchanged: the window's
// panels hold the relay, and tests put their scripted prompt behind it.
// File dialogs asked to start in the working folder ("." or no folder) start
// in the folder of the file or folder last chosen in any file dialog.
class PromptRelay : public Prompt
{
public:
    explicit PromptRelay(Prompt *target = nullptr) : target(target) {}
    void setTarget(Prompt *prompt) { target = prompt; }

    Button warning(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override
    {
        return target->warning(parent, title, text, buttons, defaultButton);
    }
    Button information(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                       Button defaultButton) override
    {
        return target->information(parent, title, text, buttons, defaultButton);
    }
    Button critical(QWidget *parent, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override
    {
        return target->critical(parent, title, text, buttons, defaultButton);
    }
    void about(QWidget *parent, const QString &title, const QString &text) override
    {
        target->about(parent, title, text);
    }
    void aboutWithPicture(QWidget *parent, const QString &title, const QString &text,
                          const QString &picturePath) override
    {
        target->aboutWithPicture(parent, title, text, picturePath);
    }
    QString openFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        return rememberFile(target->openFileName(parent, caption, startFolder(dir), filter));
    }
    QString saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                         const QString &filter) override
    {
        return rememberFile(target->saveFileName(parent, caption, startFolder(dir), filter));
    }
    QString existingDirectory(QWidget *parent, const QString &caption, const QString &dir) override
    {
        const QString chosen = target->existingDirectory(parent, caption, startFolder(dir));
        if (!chosen.isEmpty())
            lastFolder = chosen;
        return chosen;
    }
    // The folder the next file dialog starts in (empty: the one asked for).
    QString lastUsedFolder() const { return lastFolder; }
    int integer(QWidget *parent, const QString &title, const QString &label, int value, int minimum,
                int maximum, int step, bool *ok) override
    {
        return target->integer(parent, title, label, value, minimum, maximum, step, ok);
    }
    QString item(QWidget *parent, const QString &title, const QString &label, const QStringList &items,
                 int current, bool editable, bool *ok) override
    {
        return target->item(parent, title, label, items, current, editable, ok);
    }
    QString text(QWidget *parent, const QString &title, const QString &label, const QString &value,
                 bool *ok) override
    {
        return target->text(parent, title, label, value, ok);
    }
    bool openUrl(const QUrl &url) override { return target->openUrl(url); }

private:
    QString startFolder(const QString &dir) const;
    QString rememberFile(const QString &path);

    Prompt *target;
    QString lastFolder;
};
