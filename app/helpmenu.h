#pragma once
// The help menu: about, release notes, the manual and the maker's page.
//
// Widgets: actionAbout, actionRealease_notes, actionManual, actionUpdate.
// Widgets it owns: actionAbout, actionRealease_notes, actionManual, actionUpdate

#include <QObject>

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
    // manual.pdf in the working folder; when it is missing, or cannot be
    // opened, the user is told where it was looked for.
    void openManual();
    void openMakerPage();

private:
    Prompt &prompt;
};
