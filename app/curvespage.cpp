#include "app/curvespage.h"
#include "ui_mainwindow.h"

#include "link/connectionpanel.h"
#include "link/downloadtime.h"
#include "link/robotlink.h"
#include "motion/curvesview.h"
#include "motion/easecommand.h"
#include "playback/playback.h"

CurvesPage::CurvesPage(Ui::MainWindow *ui, QWidget *window, MotionDocument &document, FrameList &list,
                       Playback &playback, const ConnectionPanel &connection, Prompt &prompt, QObject *parent)
    : QObject(parent)
{
    view_ = new CurvesView(document, ui->tabWidget_3);
    ui->tabWidget_3->addTab(view_, tr("curves"));
    connect(&playback, &Playback::positionChanged, view_, &CurvesView::showPreviewPosition);
    connect(view_, &CurvesView::jointHeld, ui->statusBar, [ui](const QString &text) {
        ui->statusBar->showMessage(text, 8000);
    });

    ease_ = new EaseCommand(window, prompt, document, list, this);
    const ConnectionPanel *link = &connection;
    ease_->setDownloadTime(
        [link](const QVector<frametable::Values> &frames) {
            const bool ble = link->bleChosen();
            return downloadtime::framesMs(frames, ble ? RobotLink::kBleBaud : RobotLink::kCableBaud,
                                          ble ? RobotLink::kDownloadGapBleMs : RobotLink::kDownloadGapCableMs);
        },
        [link] { return link->bleChosen(); });
    connect(view_, &CurvesView::easeRequested, ease_, &EaseCommand::run);
}
