#include "app/balancepanel.h"
#include "ui_mainwindow.h"

#include <QDir>
#include <QTimer>

#include "common/prompt.h"
#include "motion/frameinfopanel.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "view3d/massdialog.h"
#include "view3d/openglwidget.h"
#include "view3d/viewtoolbar.h"

BalancePanel::BalancePanel(Ui::MainWindow *ui, OpenGLWidget *view, MotionDocument &document, FrameList &list, FrameInfoPanel &info,
                           ViewToolBar &toolBar,
                           Prompt &prompt, QWidget *dialogParent, QObject *parent)
    : QObject(parent), ui(ui), view(view), document(document), list(list), prompt(prompt), dialogParent(dialogParent),
      folder(QDir::currentPath())
{
    const bodymass::Masses defaults = bodymass::shareByVolume(bodymass::builtInBody());
    bodymass::Masses masses;
    const bodymass::LoadResult read = bodymass::load(folder, defaults, masses);
    // A mass file that cannot be read is said once; the parts take the
    // default share and the file stays as it is.
    const QString path = bodymass::massFilePath(folder);
    QString text;
    if (read.outcome == bodymass::LoadResult::CannotOpen)
        text = tr("The mass file %1 cannot be read (%2): the parts share %3 g by volume, and the file is left as "
                  "it is.")
                   .arg(path, read.reason)
                   .arg(bodymass::kDefaultTotalGrams);
    else if (read.outcome == bodymass::LoadResult::NotMasses)
        text = (read.line > 0 ? tr("The mass file %1 has no mass in line %2: the parts share %3 g by volume, and "
                                   "the file is left as it is.")
                                    .arg(path)
                                    .arg(read.line)
                              : tr("The masses of the mass file %1 add up to nothing: the parts share %3 g by "
                                   "volume, and the file is left as it is.")
                                    .arg(path))
                   .arg(bodymass::kDefaultTotalGrams);
    // Once the event loop runs, so that the box stands over the shown window.
    if (!text.isEmpty())
        QTimer::singleShot(0, this, [this, text] {
            this->prompt.warning(this->dialogParent, tr("error"), text, QMessageBox::Yes);
        });
    useMasses(masses);

    editMasses = new QAction(tr("robot &masses..."), this);
    editMasses->setObjectName(QStringLiteral("actionRobot_masses"));
    ui->menuSetting->addAction(editMasses);
    connect(editMasses, &QAction::triggered, this, &BalancePanel::openMassDialog);

    list.setFrameNote([this](int row) { return noteOf(row); });
    // The frame info says the current frame's balance too, made again with the captions.
    info.setNote([this](int row) { return noteOf(row).info; });
    connect(&list, &FrameList::captionsRefreshed, &info, &FrameInfoPanel::updateLater);
    // The margins depend on which foot the view stands on.
    connect(&toolBar, &ViewToolBar::supportModeChanged, &list, &FrameList::refreshCaptions);
}

BalancePanel::~BalancePanel()
{
    // The list goes first (this is its child); the view stays a while.
    view->setBalanceChecker(nullptr);
}

void BalancePanel::useMasses(const bodymass::Masses &masses)
{
    auto next = std::make_unique<balance::Checker>(bodymass::builtInBody(), masses);
    view->setBalanceChecker(next.get());
    checker = std::move(next);
}

bool BalancePanel::setMasses(const bodymass::Masses &masses)
{
    QString reason;
    if (!bodymass::save(folder, masses, &reason)) {
        prompt.warning(dialogParent, tr("error"),
                       tr("The mass file %1 cannot be written: %2").arg(bodymass::massFilePath(folder), reason),
                       QMessageBox::Yes);
        return false;
    }
    useMasses(masses);
    list.refreshCaptions();
    return true;
}

FrameNote BalancePanel::noteOf(int row) const
{
    int tenths[robot3d::kJointCount];
    for (int j = 0; j < robot3d::kJointCount; ++j)
        tenths[j] = document.cell(row, frametable::servoColumn(j + robot3d::kFirstJoint));
    const balance::Result r = checker->checkTenths(view->supportMode, tenths);
    const QString mm = QString::number(r.margin, 'f', 1);
    const QString feet = r.feet == balance::LeftFoot    ? tr("the left foot")
                         : r.feet == balance::RightFoot ? tr("the right foot")
                                                        : tr("both feet");
    FrameNote note;
    note.caption = tr(", margin %1 mm").arg(mm);
    switch (balance::levelOf(r.margin)) {
    case balance::Tips:
        note.mark = FrameNote::Fault;
        note.info = tr("Balance: the centre of mass lies %1 mm outside the support of %2: the robot tips.")
                        .arg(QString::number(-r.margin, 'f', 1), feet);
        break;
    case balance::Warning:
        note.mark = FrameNote::Warning;
        note.info = tr("Balance: the centre of mass lies only %1 mm inside the support of %2: a small push "
                       "tips the robot.")
                        .arg(mm, feet);
        break;
    case balance::Stands:
        note.info = tr("Balance: the centre of mass lies %1 mm inside the support of %2.").arg(mm, feet);
        break;
    }
    return note;
}

void BalancePanel::openMassDialog()
{
    if (massDialog) {
        massDialog->raise();
        return;
    }
    massDialog = new MassDialog(bodymass::builtInBody(), dialogParent);
    massDialog->setAttribute(Qt::WA_DeleteOnClose);
    massDialog->setMasses(masses());
    connect(massDialog, &QDialog::accepted, this, [this] { setMasses(massDialog->masses()); });
    massDialog->open();
}
