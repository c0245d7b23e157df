#pragma once
// A dialogs seam for tests: records every call (kind, title, text) and answers
// from a script, so nothing ever blocks and every message can be checked.

#include <QList>
#include <QQueue>
#include <QVariant>

#include "common/prompt.h"

class ScriptedPrompt : public Prompt
{
public:
    struct Call {
        QString kind;  // "warning", "information", "critical", "about", "aboutWithPicture",
                       // "openFileName", "saveFileName", "existingDirectory", "integer", "item", "text", "openUrl"
        QString title;
        QString text;  // a file dialog's: the folder it starts in
        Buttons buttons;
        QString extra; // picture path, filter, directory or URL
    };

    QList<Call> calls;
    // Answers taken in order; when none is left, message boxes answer their
    // default (or the first of their buttons), dialogs answer "cancelled".
    QQueue<QVariant> answers;

    Button warning(QWidget *, const QString &title, const QString &text, Buttons buttons,
                   Button defaultButton) override;
    Button information(QWidget *, const QString &title, const QString &text, Buttons buttons,
                       Button defaultButton) override;
    Button critical(QWidget *, const QString &title, const QString &text, Buttons buttons,
                    Button defaultButton) override;
    void about(QWidget *, const QString &title, const QString &text) override;
    void aboutWithPicture(QWidget *, const QString &title, const QString &text,
                          const QString &picturePath) override;
    QString openFileName(QWidget *, const QString &caption, const QString &dir, const QString &filter) override;
    QString saveFileName(QWidget *, const QString &caption, const QString &dir, const QString &filter) override;
    QString existingDirectory(QWidget *, const QString &caption, const QString &dir) override;
    int integer(QWidget *, const QString &title, const QString &label, int value, int minimum, int maximum,
                int step, bool *ok) override;
    QString item(QWidget *, const QString &title, const QString &label, const QStringList &items, int current,
                 bool editable, bool *ok) override;
    QString text(QWidget *, const QString &title, const QString &label, const QString &value, bool *ok) override;
    bool openUrl(const QUrl &url) override;

private:
    Button box(const QString &kind, const QString &title, const QString &text, Buttons buttons,
               Button defaultButton);
};
