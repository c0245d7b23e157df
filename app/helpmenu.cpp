#include "app/helpmenu.h"

#include <QCoreApplication>

#include "app/initfile.h"
#include "core/installedfiles.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include "common/prompt.h"

const char *const HelpMenu::kMakerWebPage = "https://gaitforge.org";

HelpMenu::HelpMenu(Ui::MainWindow *ui, Prompt &prompt, QObject *parent) : QObject(parent), prompt(prompt)
{
    connect(ui->actionAbout, &QAction::triggered, this, &HelpMenu::showAbout);
    connect(ui->actionRealease_notes, &QAction::triggered, this, &HelpMenu::showReleaseNotes);
    connect(ui->actionManual, &QAction::triggered, this, &HelpMenu::openManual);
    connect(ui->actionUpdate, &QAction::triggered, this, &HelpMenu::openMakerPage);
}

void HelpMenu::showAbout()
{
    const QString text = QStringLiteral("<p align='center'><b>") + tr("ZEL gait forge")
                         + QStringLiteral("</b></p><p align='center'>") + tr("Version %1").arg(installedfiles::version())
                         + QStringLiteral("</p><p align='center'>")
                         + tr("Made by the gaitForge developers") + QStringLiteral("</p>");
    prompt.aboutWithPicture(nullptr, tr("about"), text, QStringLiteral(":/icons/icons/robot-toy.png"));
}

void HelpMenu::showReleaseNotes()
{
    const QStringList notes = {
        tr("1. Fixed the problem of excessive memory usage and improved program fluency."),
        tr("2. The program interface is optimized to make it more beautiful and easy to use."),
        tr("3. Add a manual file."),
        tr("4. Save the config back file to ./bac."),
        tr("5. Remove baud rate setting."),
        tr("6. Remove origin frame setting."),
    };
    const QString text = QStringLiteral("<p align='center'>") + tr("Version 1.2") + QStringLiteral("</p>")
                         + QStringLiteral("\r\n\r\n") + notes.join(QStringLiteral("\r\n"));
    prompt.about(nullptr, tr("release notes"), text);
}

QString HelpMenu::interfaceLanguage()
{
    // The language last chosen in the system menu, as the init file keeps it
    // (the window is retranslated at once, the rest at the next start).
    switch (initfile::readStartupLanguage(initfile::filePath(QDir::currentPath()))) {
    case initfile::LanguageZhSimple:
        return QStringLiteral("zh_simple");
    case initfile::LanguageZhTraditional:
        return QStringLiteral("zh_traditional");
    default:
        return QString();
    }
}

void HelpMenu::openManual()
{
    // The edition of the interface's language, the user's own copy in the
    // working folder first, else the installed one; the English manual when
    // that edition is in neither place.
    const QString language = interfaceLanguage();
    const installedfiles::Manual manual =
        installedfiles::findManual(language, QDir::currentPath(), QCoreApplication::applicationDirPath());
    if (!manual.found) {
        QStringList places;
        for (const QString &place : manual.lookedAt)
            places << QDir::toNativeSeparators(place);
        prompt.warning(nullptr, tr("warning"),
                       tr("The manual was not found. gaitForge looked for it here:\n%1").arg(places.join(QLatin1Char('\n'))),
                       QMessageBox::Ok);
        return;
    }
    // The stand-in is said once a run for each language, not at every opening.
    if (manual.fellBack && !noted.contains(language)) {
        noted << language;
        const QString name = language == QLatin1String("zh_simple") ? tr("Simplified Chinese") : tr("Traditional Chinese");
        prompt.information(nullptr, tr("manual"),
                           tr("The manual in %1 was not found; the English manual is shown.").arg(name),
                           QMessageBox::Ok);
    }
    if (!prompt.openUrl(QUrl::fromLocalFile(manual.path)))
        prompt.warning(nullptr, tr("warning"),
                       tr("The manual %1 could not be opened: no program to show PDF files was found.")
                           .arg(QDir::toNativeSeparators(manual.path)),
                       QMessageBox::Ok);
}

void HelpMenu::openMakerPage()
{
    prompt.openUrl(QUrl(QString::fromLatin1(kMakerWebPage)));
}
