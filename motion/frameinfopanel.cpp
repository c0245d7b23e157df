#include "motion/frameinfopanel.h"
#include "ui_mainwindow.h"

#include "motion/frameinfo.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"

using namespace frametable;

FrameInfoPanel::FrameInfoPanel(Ui::MainWindow *ui, MotionDocument &document, const FrameList &list,
                               QObject *parent)
    : QObject(parent), ui(ui), document(document), list(list)
{
}

void FrameInfoPanel::update()
{
    const int current = list.currentRow();
    const int count = qMin(list.count(), document.rowCount());
    QVector<frameinfo::RowTiming> rows(count);
    for (int r = 0; r < count; ++r)
        rows[r] = {document.cell(r, ColOperationTime), document.cell(r, ColDelayTime),
                   document.cell(r, ColLoopFlag), document.cell(r, ColLoopTimes)};
    const frameinfo::PlayTimes times = frameinfo::playTimes(rows, current);
    firstTime = times.firstTimeHere;
    lastTime = times.lastTimeHere;
    frameinfo::FrameValues frame{};
    for (int c = 0; c < ColumnCount; ++c)
        frame[c] = document.cell(current, c);
    ui->textBrowserFrameInfo->setPlainText(frameinfo::describe(current, frame, times));
}
