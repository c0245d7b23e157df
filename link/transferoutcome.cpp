#include "link/transferoutcome.h"

QString TransferOutcome::text(const FileJobResult &result, const QString &name)
{
    if (result.ok())
        return tr("Trans file finished.");
    if (result.job == FileJobResult::Send) {
        const QString at = QString::number(result.bytes);
        const QString of = QString::number(result.total);
        switch (result.outcome) {
        case FileJobResult::Refused:
            return tr("The robot refused the file %1.").arg(name);
        case FileJobResult::NotAcknowledged:
            return tr("Sending %1 failed: the robot stopped acknowledging at %2 of %3 bytes.").arg(name, at, of);
        case FileJobResult::Unconfirmed:
            return tr("Sending %1 is unconfirmed: the robot did not report the end of the transfer.").arg(name);
        case FileJobResult::LocalReadFailed:
            return tr("Sending %1 failed: the local file %2 could not be read.").arg(name, result.localPath);
        case FileJobResult::Cancelled:
            return tr("Sending %1 was cancelled at %2 of %3 bytes; the robot may keep an incomplete file.")
                .arg(name, at, of);
        default:
            return tr("Sending %1 stopped at %2 of %3 bytes because the link was closed; the robot may keep an "
                      "incomplete file.")
                .arg(name, at, of);
        }
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
