#include "motion/easecommand.h"

#include <QCoreApplication>
#include <QStringList>

#include <cmath>

#include "common/prompt.h"
#include "motion/easing.h"
#include "motion/framelist.h"
#include "motion/motiondocument.h"

using namespace frametable;

EaseCommand::EaseCommand(QWidget *window, Prompt &prompt, MotionDocument &document, FrameList &list,
                         QObject *parent)
    : QObject(parent), window(window), prompt(prompt), document(document), list(list)
{
}

void EaseCommand::setDownloadTime(DownloadTime time, std::function<bool()> overBluetooth)
{
    downloadTime = std::move(time);
    bluetooth = std::move(overBluetooth);
}

void EaseCommand::run()
{
    list.forgetControlKey();
    QVector<int> rows = list.selectedRows();
    if (rows.isEmpty() && document.currentRow() >= 0)
        rows.append(document.currentRow());

    QStringList curves;
    for (const char *title : easing::curveTitles)
        curves << QCoreApplication::translate("Easing", title);
    bool ok = false;
    const QString chosen = prompt.item(window, tr("ease"), tr("curve:"), curves,
                                       int(easing::Curve::Smoothstep), false, &ok);
    const int curveIndex = curves.indexOf(chosen);
    if (!ok || curveIndex < 0)
        return;
    const int steps = prompt.integer(window, tr("ease"), tr("steps:"), 8, 1, easing::MaximumSteps, 1, &ok);
    if (!ok)
        return;

    const TableState before = document.model()->state();
    QVector<Values> frames;
    frames.reserve(before.rowCount());
    for (const StoredFrame &frame : before.frames)
        frames.append(frame.values());
    const easing::Plan plan = easing::plan(frames, rows, easing::Curve(curveIndex), steps);
    if (!plan.ok()) {
        prompt.warning(window, tr("warning"), easing::faultText(plan), QMessageBox::Ok);
        return;
    }
    const TableState eased = easing::bake(before, plan);

    QStringList numbers;
    for (const easing::Move &move : plan.moves)
        numbers << QString::number(move.row + 1);
    QString text = (numbers.size() == 1 ? tr("Ease the move into frame %1 with the curve \"%2\" in %3 steps?")
                                         : tr("Ease the moves into frames %1 with the curve \"%2\" in %3 steps?"))
                       .arg(numbers.join(QStringLiteral(", ")), chosen)
                       .arg(steps);
    text += QLatin1Char('\n')
            + tr("Frames added: %1 (%2 frames in all).").arg(plan.addedFrames()).arg(eased.rowCount());
    if (downloadTime) {
        QVector<Values> after;
        after.reserve(eased.rowCount());
        for (const StoredFrame &frame : eased.frames)
            after.append(frame.values());
        const qint64 extra = qint64(std::lround(downloadTime(after) - downloadTime(frames)));
        text += QLatin1Char('\n')
                + (bluetooth && bluetooth()
                       ? tr("The download to the robot takes %1 ms longer over Bluetooth.").arg(extra)
                       : tr("The download to the robot takes %1 ms longer over the cable.").arg(extra));
    }
    if (prompt.warning(window, tr("ease"), text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes)
        != QMessageBox::Yes)
        return;

    // One undo step: an edit still settling is recorded on its own first,
    // then the eased table, shown from the first frame eased.
    document.recordSnapshot();
    document.setEditSettleCountdown(-10);
    // The rows picked named frames of the table before the ease.
    list.selectedRows().clear();
    const easing::Move &first = plan.moves.first();
    document.restoreState(eased, first.row + first.steps.size());
    document.recordSnapshot();
    document.setEditSettleCountdown(-10);
}
