#pragma once
// The help menu: about, release notes, the manual and the maker's page.
//
// Widgets: actionAbout, actionRealease_notes, actionManual, actionUpdate.
// Widgets it owns: actionAbout, actionRealease_notes, actionManual, actionUpdate

#include <QObject>
#include <QSet>

namespace Ui { class MainWindow; }
class Prompt;

class HelpMenu : public QObject
{
    Q_OBJECT

public:
    HelpMenu(Ui::MainWindow *ui, Prompt &prompt, QObject *parent = nullptr);

    // Address opened by the "update" entry.
    static const char *const kMakerWebPage;

    void showAbout();
    void showReleaseNotes();
    // The manual of the interface's language (manual.zh_simple.pdf,
    // manual.zh_traditional.pdf, manual.pdf for English), in the working
    // folder or installed; the English one, with a note once a run, when the
    // language's edition is missing. When no manual is found, or it cannot be
    // opened, the user is told where it was looked for.
    void openManual();
    void openMakerPage();

private:
    // "" (English), "zh_simple" or "zh_traditional": the language chosen in the system menu.
    static QString interfaceLanguage();

    Prompt &prompt;
    QSet<QString> noted;  // languages whose missing manual was already said
};
