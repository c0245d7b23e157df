#include "playback/beatsnapper.h"

#include <QStatusBar>

#include "common/prompt.h"
#include "motion/framelist.h"
#include "motion/frametable.h"
#include "motion/motiondocument.h"
#include "music/beatpanel.h"
#include "music/waveform.h"

BeatSnapper::BeatSnapper(QStatusBar *status, MotionDocument &document, FrameList &list, BeatPanel &beats,
                         Prompt &prompt, QWidget *dialogParent, QObject *parent)
    : QObject(parent), status(status), document(document), list(list), beats(beats), prompt(prompt),
      dialogParent(dialogParent)
{
    connect(&beats, &BeatPanel::snapRequested, this, &BeatSnapper::snap);
}

QString BeatSnapper::problemsText(const QVector<music::SnapProblem> &problems)
{
    QStringList lines;
    lines << tr("These frames could not be snapped and keep their times:");
    for (const music::SnapProblem &p : problems) {
        const QString point = music::timeLabel(p.pointMs / 1000.0);
        switch (p.kind) {
        case music::SnapProblem::NoMusic:
            lines << tr("frame %1: no frame at or before it plays music, so it has no time in the music")
                         .arg(p.row + 1);
            break;
        case music::SnapProblem::StartsMusic:
            lines << tr("frame %1: it starts the music, at 0:00.0; its beat is at %2").arg(p.row + 1).arg(point);
            break;
        case music::SnapProblem::TooEarly:
            lines << tr("frame %1: its beat at %2 comes before frame %3's operation time ends")
                         .arg(p.row + 1)
                         .arg(point)
                         .arg(p.row);
            break;
        case music::SnapProblem::TooLate:
            lines << tr("frame %1: its beat at %2 needs a delay time of frame %3 above %4 ms")
                         .arg(p.row + 1)
                         .arg(point)
                         .arg(p.row)
                         .arg(music::FrameTimeMaximum);
            break;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

void BeatSnapper::snap(music::SnapDivision division)
{
    list.heldKeys().ctrl = false;
    if (!beats.grid().isValid())
        return;
    QVector<int> rows = list.selectedRows();
    if (rows.isEmpty() && document.currentRow() >= 0)
        rows << document.currentRow();
    if (rows.isEmpty()) {
        prompt.warning(dialogParent, tr("warning"), tr("Select the frames to snap to the beat first."));
        return;
    }
    QVector<music::FrameTiming> frames;
    for (int r = 0, n = document.rowCount(); r < n; ++r)
        frames.append({document.cell(r, frametable::ColOperationTime), document.cell(r, frametable::ColDelayTime),
                       document.cell(r, frametable::ColMusicControl)});
    const music::SnapResult result = music::snapFrames(frames, rows, beats.grid(), division);
    if (!result.delays.isEmpty()) {
        // An edit still settling is its own undo step; the snap is the next.
        document.recordSnapshot();
        document.setEditSettleCountdown(-10);
        editing::Snapshot state = document.model()->state();
        for (const auto &change : result.delays)
            state.frames[change.first].setValue(frametable::ColDelayTime, change.second);
        // The views follow as after an undo (the selection is shown no more).
        const int shown = qMax(0, document.currentRow());
        list.selectedRows().clear();
        document.restoreState(state, shown);
        document.recordSnapshot();
    }
    status->showMessage(tr("Frames on the beat grid: %1 of %2")
                                   .arg(result.snapped)
                                   .arg(result.snapped + result.problems.size()),
                               5000);
    if (!result.problems.isEmpty())
        prompt.warning(dialogParent, tr("warning"), problemsText(result.problems));
}
