#pragma once
// What the user is told when a file job has ended: one text per outcome,
// naming the file and the reason. The window and the command line show the
// same words.

#include <QCoreApplication>
#include <QString>

#include "link/linkanswer.h"

class TransferOutcome
{
    Q_DECLARE_TR_FUNCTIONS(TransferOutcome)

public:
    // The text for a job on the robot file name: "Trans file finished." for
    // a job that succeeded, else the failure with its reason.
    // A verified fetch that succeeded says what was checked.
    static QString text(const FileJobResult &result, const QString &name);
    // A failed send that may have left a cut file on the robot under the
    // target name: the sentence that says so (empty when none was left).
    static QString robotCopy(const FileJobResult &result, const QString &name);
    static bool leftRobotCopy(const FileJobResult &result);
};
