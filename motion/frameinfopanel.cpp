#include "motion/frameinfopanel.h"
#include "ui_mainwindow.h"

#include <QAbstractItemModel>
#include <QCoreApplication>

#include "motion/angletext.h"
#include "motion/frameinfo.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"

using namespace frametable;

FrameInfoPanel::FrameInfoPanel(Ui::MainWindow *ui, MotionDocument &document, QObject *parent)
    : QObject(parent), ui(ui), document(document)
{
    // The text follows every change of the table and of the current frame,
    // whatever made it (an edit, undo, a new file, a cut, the walk): changes
    // are gathered and the text is made once when the window is next idle.
    pending.setSingleShot(true);
    pending.setInterval(0);
    connect(&pending, &QTimer::timeout, this, &FrameInfoPanel::update);
    QAbstractItemModel *model = document.model();
    auto later = [this] { updateLater(); };
    connect(model, &QAbstractItemModel::dataChanged, this, later);
    connect(model, &QAbstractItemModel::rowsInserted, this, later);
    connect(model, &QAbstractItemModel::rowsRemoved, this, later);
    connect(model, &QAbstractItemModel::rowsMoved, this, later);
    connect(model, &QAbstractItemModel::modelReset, this, later);
    connect(model, &QAbstractItemModel::layoutChanged, this, later);
    connect(&document, &MotionDocument::framesReset, this, later);
    connect(&document, &MotionDocument::jointLimitsChanged, this, later);
    connect(&document, &MotionDocument::currentRowChanged, this, later);
}

void FrameInfoPanel::updateLater()
{
    if (!pending.isActive())
        pending.start();
}

void FrameInfoPanel::update()
{
    pending.stop();
    const int current = document.currentRow();
    // No frame, no text (not the last frame's that is gone).
    if (current < 0 || current >= document.rowCount()) {
        ui->textBrowserFrameInfo->clear();
        firstTime = 0;
        lastTime = 0;
        return;
    }
    const int count = document.rowCount();
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
    QString text = frameinfo::describe(current, frame, times);
    // What else is known of the frame (whether the robot stands in it).
    const QString note = noteOf ? noteOf(current) : QString();
    if (!note.isEmpty())
        text += QStringLiteral("\r\n") + note;
    // Joints outside the limits, each with its angle and range; the frame
    // keeps its angles.
    const QVector<int> outside = document.servosOutsideLimits(current);
    if (!outside.isEmpty()) {
        text += QStringLiteral("\r\n") + tr("Outside the joint limits:");
        for (int servo : outside) {
            const jointlimits::Range &range = document.jointLimits().of(servo);
            text += QStringLiteral("\r\n")
                    + tr("%1 at %2 (allowed %3 to %4)")
                          .arg(QCoreApplication::translate("MainWindow", columnHeaders[servoColumn(servo)]),
                               angletext::format(frame[servoColumn(servo)]), angletext::format(range.minimum),
                               angletext::format(range.maximum));
        }
    }
    ui->textBrowserFrameInfo->setPlainText(text);
}
