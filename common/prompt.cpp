#include "common/prompt.h"

#include <QFileInfo>

#include <QDesktopServices>
#include <QFileDialog>
#include <QInputDialog>
#include <QPixmap>

Prompt::Button DialogPrompt::warning(QWidget *parent, const QString &title, const QString &text,
                                     Buttons buttons, Button defaultButton)
{
    return QMessageBox::warning(parent, title, text, buttons, defaultButton);
}

Prompt::Button DialogPrompt::information(QWidget *parent, const QString &title, const QString &text,
                                         Buttons buttons, Button defaultButton)
{
    return QMessageBox::information(parent, title, text, buttons, defaultButton);
}

Prompt::Button DialogPrompt::critical(QWidget *parent, const QString &title, const QString &text,
                                      Buttons buttons, Button defaultButton)
{
    return QMessageBox::critical(parent, title, text, buttons, defaultButton);
}

void DialogPrompt::about(QWidget *parent, const QString &title, const QString &text)
{
    QMessageBox::about(parent, title, text);
}

void DialogPrompt::aboutWithPicture(QWidget *parent, const QString &title, const QString &text,
                                    const QString &picturePath)
{
    QMessageBox box(parent);
    box.setWindowTitle(title);
    box.setTextFormat(Qt::RichText);
    box.setText(text);
    box.setIconPixmap(QPixmap(picturePath));
    box.exec();
}

QString DialogPrompt::openFileName(QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, caption, dir, filter);
}

QString DialogPrompt::saveFileName(QWidget *parent, const QString &caption, const QString &dir,
                                   const QString &filter)
{
    return QFileDialog::getSaveFileName(parent, caption, dir, filter);
}

QString DialogPrompt::existingDirectory(QWidget *parent, const QString &caption, const QString &dir)
{
    return QFileDialog::getExistingDirectory(parent, caption, dir);
}

int DialogPrompt::integer(QWidget *parent, const QString &title, const QString &label, int value,
                          int minimum, int maximum, int step, bool *ok)
{
    return QInputDialog::getInt(parent, title, label, value, minimum, maximum, step, ok);
}

QString DialogPrompt::item(QWidget *parent, const QString &title, const QString &label,
                           const QStringList &items, int current, bool editable, bool *ok)
{
    return QInputDialog::getItem(parent, title, label, items, current, editable, ok);
}

QString DialogPrompt::text(QWidget *parent, const QString &title, const QString &label,
                           const QString &value, bool *ok)
{
    return QInputDialog::getText(parent, title, label, QLineEdit::Normal, value, ok);
}

bool DialogPrompt::openUrl(const QUrl &url)
{
    return QDesktopServices::openUrl(url);
}

QString PromptRelay::startFolder(const QString &dir) const
{
    if (!lastFolder.isEmpty() && (dir.isEmpty() || dir == QLatin1String(".")))
        return lastFolder;
    return dir;
}

QString PromptRelay::rememberFile(const QString &path)
{
    if (!path.isEmpty())
        lastFolder = QFileInfo(path).absolutePath();
    return path;
}
