#pragma once
// Will the robot stand? Joins the balance check to the window: the masses
// (the mass file ".robot/masses" of the working folder, or the default share)
// and their dialog, the note on every frame (its margin in the caption and
// the frame info, a mark when it tips or nearly does) in the 3D view's
// support mode, and the view's balance overlay.
// Widgets it owns:
// (none: its masses action goes into the system menu, menuSetting, which the
// stop action shares). It gives the frame list its notes, and the
// view (supportMode read) its balance checker.
// Made with the frame list as its parent: it lives as long as the list whose
// notes it gives.

#include <QObject>
#include <QPointer>

#include <memory>

#include "motion/framelist.h"
#include "view3d/balance.h"
#include "view3d/bodymass.h"
#include "view3d/massdialog.h"

namespace Ui { class MainWindow; }
class FrameInfoPanel;
class OpenGLWidget;
class MotionDocument;
class Prompt;
class QAction;
class ViewToolBar;
class QWidget;

class BalancePanel : public QObject
{
    Q_OBJECT

public:
    BalancePanel(Ui::MainWindow *ui, OpenGLWidget *view, MotionDocument &document, FrameList &list, FrameInfoPanel &info,
                 ViewToolBar &toolBar,
                 Prompt &prompt, QWidget *dialogParent, QObject *parent = nullptr);
    ~BalancePanel() override;

    const bodymass::Masses &masses() const { return checker->masses(); }
    // New masses: saved in the mass file first; when that fails the reason
    // is said and the masses stay as they were.
    bool setMasses(const bodymass::Masses &masses);

    // The note on a frame of the document in the view's support mode.
    FrameNote noteOf(int row) const;

    QAction *massesAction() const { return editMasses; }
    // The dialog while it is open (for tests).
    MassDialog *dialog() const { return massDialog; }

public slots:
    void openMassDialog();

private:
    void useMasses(const bodymass::Masses &masses);

    Ui::MainWindow *ui;
    OpenGLWidget *view;
    MotionDocument &document;
    FrameList &list;
    Prompt &prompt;
    QWidget *dialogParent;
    QString folder;
    std::unique_ptr<balance::Checker> checker;
    QAction *editMasses = nullptr;
    QPointer<MassDialog> massDialog;
};
