#include "support/scriptedprompt.h"

Prompt::Button ScriptedPrompt::box(const QString &kind, const QString &title, const QString &text,
                                   Buttons buttons, Button defaultButton)
{
    calls.append({kind, title, text, buttons, QString()});
    if (!answers.isEmpty())
        return Button(answers.dequeue().toInt());
    if (defaultButton != QMessageBox::NoButton)
        return defaultButton;
    for (int b = QMessageBox::FirstButton; b <= QMessageBox::LastButton; b <<= 1)
        if (buttons & b)
            return Button(b);
    return QMessageBox::Ok;
}

Prompt::Button ScriptedPrompt::warning(QWidget *, const QString &title, const QString &text, Buttons buttons,
                                       Button defaultButton)
{
    return box(QStringLiteral("warning"), title, text, buttons, defaultButton);
}

Prompt::Button ScriptedPrompt::information(QWidget *, const QString &title, const QString &text,
                                           Buttons buttons, Button defaultButton)
{
    return box(QStringLiteral("information"), title, text, buttons, defaultButton);
}

Prompt::Button ScriptedPrompt::critical(QWidget *, const QString &title, const QString &text, Buttons buttons,
                                        Button defaultButton)
{
    return box(QStringLiteral("critical"), title, text, buttons, defaultButton);
}

void ScriptedPrompt::about(QWidget *, const QString &title, const QString &text)
{
    calls.append({QStringLiteral("about"), title, text, QMessageBox::Ok, QString()});
}

void ScriptedPrompt::aboutWithPicture(QWidget *, const QString &title, const QString &text,
                                      const QString &picturePath)
{
    calls.append({QStringLiteral("aboutWithPicture"), title, text, QMessageBox::Ok, picturePath});
}

QString ScriptedPrompt::openFileName(QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    calls.append({QStringLiteral("openFileName"), caption, dir, {}, filter});
    return answers.isEmpty() ? QString() : answers.dequeue().toString();
}

QString ScriptedPrompt::saveFileName(QWidget *, const QString &caption, const QString &dir, const QString &filter)
{
    calls.append({QStringLiteral("saveFileName"), caption, dir, {}, filter});
    return answers.isEmpty() ? QString() : answers.dequeue().toString();
}

QString ScriptedPrompt::existingDirectory(QWidget *, const QString &caption, const QString &dir)
{
    calls.append({QStringLiteral("existingDirectory"), caption, QString(), {}, dir});
    return answers.isEmpty() ? QString() : answers.dequeue().toString();
}

int ScriptedPrompt::integer(QWidget *, const QString &title, const QString &label, int value, int, int, int,
                            bool *ok)
{
    calls.append({QStringLiteral("integer"), title, label, {}, QString()});
    if (answers.isEmpty()) {
        if (ok)
            *ok = false;
        return value;
    }
    if (ok)
        *ok = true;
    return answers.dequeue().toInt();
}

QString ScriptedPrompt::item(QWidget *, const QString &title, const QString &label, const QStringList &, int,
                             bool, bool *ok)
{
    calls.append({QStringLiteral("item"), title, label, {}, QString()});
    if (ok)
        *ok = !answers.isEmpty();
    return answers.isEmpty() ? QString() : answers.dequeue().toString();
}

QString ScriptedPrompt::text(QWidget *, const QString &title, const QString &label, const QString &, bool *ok)
{
    calls.append({QStringLiteral("text"), title, label, {}, QString()});
    if (ok)
        *ok = !answers.isEmpty();
    return answers.isEmpty() ? QString() : answers.dequeue().toString();
}

bool ScriptedPrompt::openUrl(const QUrl &url)
{
    calls.append({QStringLiteral("openUrl"), QString(), QString(), {}, url.toString()});
    return true;
}
