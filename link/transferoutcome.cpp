#include "link/transferoutcome.h"

// What a failed send left on the robot. Once the robot accepted FileBegin its
// file under the target name was opened anew, so its earlier copy is gone and
// it holds what it took of this one: surely the bytes it acknowledged. A send
// refused at FileBegin left the robot's file as it was.
QString TransferOutcome::robotCopy(const FileJobResult &result, const QString &name)
{
    if (result.job != FileJobResult::Send || result.ok() || result.refused)
        return QString();
    if (result.robotFileOpened && result.bytes < result.total)
        return tr("The robot's copy of %1 is now incomplete: it acknowledged %2 of %3 bytes.")
            .arg(name, QString::number(result.bytes), QString::number(result.total));
    return tr("The robot's copy of %1 may be incomplete.").arg(name);
}

bool TransferOutcome::leftRobotCopy(const FileJobResult &result)
{
    return !robotCopy(result, QString()).isEmpty();
}

QString TransferOutcome::text(const FileJobResult &result, const QString &name)
{
    if (result.ok() && result.job == FileJobResult::Get && result.copies > 1)
        return tr("Trans file finished. Checked: %1 copies of %2 (%3 bytes) fetched one after the other were "
                  "identical and no frame arrived damaged.")
            .arg(QString::number(result.copies), name, QString::number(result.bytes));
    if (result.ok())
        return tr("Trans file finished.");
    if (result.job == FileJobResult::Send) {
        const QString at = QString::number(result.bytes);
        const QString of = QString::number(result.total);
        QString failure;
        switch (result.outcome) {
        case FileJobResult::Refused:
            return tr("The robot refused the file %1.").arg(name);
        case FileJobResult::NotAcknowledged:
            failure = tr("Sending %1 failed: the robot stopped acknowledging at %2 of %3 bytes.").arg(name, at, of);
            break;
        case FileJobResult::Unconfirmed:
            failure = tr("Sending %1 is unconfirmed: the robot did not report the end of the transfer.").arg(name);
            break;
        case FileJobResult::LocalReadFailed:
            failure = tr("Sending %1 failed: the local file %2 could not be read.").arg(name, result.localPath);
            break;
        case FileJobResult::Cancelled:
            failure = tr("Sending %1 was cancelled at %2 of %3 bytes.").arg(name, at, of);
            break;
        default:
            failure = tr("Sending %1 stopped at %2 of %3 bytes because the link was closed.").arg(name, at, of);
            break;
        }
        return failure + QLatin1Char(' ') + robotCopy(result, name);
    }
    QString reason;
    switch (result.outcome) {
    case FileJobResult::Cancelled:
        return tr("Fetching %1 was cancelled. The local file was not changed.").arg(name);
    case FileJobResult::LinkClosed:
        return tr("Fetching %1 stopped because the link was closed. The local file was not changed.").arg(name);
    case FileJobResult::RobotStopped:
        reason = tr("the robot stopped sending before the end of the file");
        break;
    case FileJobResult::DamagedFrames:
        reason = tr("%1 damaged frames arrived during the transfer").arg(result.droppedFrames);
        break;
    case FileJobResult::Mismatch:
        reason = tr("two fetches of the file differ, so data was lost on the line");
        break;
    case FileJobResult::NoSuchFile:
        reason = tr("the robot has no such file (it sent no data)");
        break;
    case FileJobResult::Rejected:
        reason = result.detail;
        break;
    default:
        reason = tr("the file %1 could not be written (%2)").arg(result.localPath, result.detail);
        break;
    }
    return tr("Fetching %1 failed: %2. The local file was not changed.").arg(name, reason);
}
