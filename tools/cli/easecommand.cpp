#include "easecommand.h"

#include "clioutput.h"

#include <QFile>
#include <QString>
#include <QTextStream>

#include "core/safefile.h"
#include "motion/easing.h"
#include "motion/frametable.h"
#include "motion/operationfile.h"

using namespace frametable;
using cli::print;

const char *const kEaseUsage =
    "  gaitforge-cli ease --curve NAME --steps N [--rows A-B] IN.ini OUT.ini\n"
    "      Replaces the move into each frame of rows A to B (counted from 1 as the\n"
    "      frame list numbers them; all frames without --rows; the first frame has\n"
    "      no move into it) by N frames whose poses follow the curve NAME: linear,\n"
    "      ease-in, ease-out, smoothstep (ease in-out) or cubic-in-out. The steps'\n"
    "      operation times are whole milliseconds adding up to the move's own, none\n"
    "      below 20 ms; the frame keeps its pose, delay, loop marks, music and LEDs\n"
    "      as the last step. IN and OUT may be the same file.\n"
    "  gaitforge-cli ease --accuracy [--amplitude A] [--time T]\n"
    "      For each curve and N = 4, 8 and 12: the largest deviation, at any\n"
    "      millisecond, of the steps played as straight moves from the curve, in %\n"
    "      of a move of A tenths of a degree (1000) in T ms (1000).\n";

namespace {

bool parseRows(const QByteArray &text, int *first, int *last)
{
    const QList<QByteArray> parts = text.split('-');
    bool ok1 = false;
    bool ok2 = false;
    if (parts.size() == 1) {
        *first = *last = parts[0].toInt(&ok1);
        ok2 = true;
    } else if (parts.size() == 2) {
        *first = parts[0].toInt(&ok1);
        *last = parts[1].toInt(&ok2);
    }
    return ok1 && ok2 && *first >= 1 && *last >= *first;
}

int accuracy(int amplitude, int moveMs)
{
    print(stdout, QStringLiteral("Largest deviation from the curve at any millisecond, in percent of a move of %1 "
                                 "tenths of a degree in %2 ms:\n")
                      .arg(amplitude)
                      .arg(moveMs));
    print(stdout, QStringLiteral("%1%2%3%4\n")
                      .arg(QStringLiteral("curve"), -14)
                      .arg(QStringLiteral("N=4"), 9)
                      .arg(QStringLiteral("N=8"), 9)
                      .arg(QStringLiteral("N=12"), 9));
    for (int i = 0; i < easing::CurveCount; ++i) {
        const easing::Curve curve = easing::Curve(i);
        QString line = QStringLiteral("%1").arg(easing::curveName(curve), -14);
        for (int steps : {4, 8, 12}) {
            const double worst = easing::maxDeviationPercent(curve, steps, amplitude, moveMs);
            line += worst < 0 ? QStringLiteral("%1").arg(QStringLiteral("-"), 9)
                              : QStringLiteral("%1").arg(QString::number(worst, 'f', 3) + QLatin1Char('%'), 9);
        }
        print(stdout, line + QLatin1Char('\n'));
    }
    return cli::Ok;
}

bool readMotion(const QByteArray &path, operationfile::ReadResult *result)
{
    QFile file(QFile::decodeName(path));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        print(stderr, path + ": cannot read the file\n");
        return false;
    }
    QTextStream in(&file);
    *result = operationfile::read(in);
    if (result->error == operationfile::ReadError::NotAMotion) {
        print(stderr, path + ": not a robot operation file\n");
        return false;
    }
    if (!result->ok()) {
        QStringList texts;
        for (const operationfile::Message &message : operationfile::messages(*result))
            texts << operationfile::messageText(message);
        print(stderr, path);
        print(stderr, QStringLiteral(": ") + texts.join(QStringLiteral("; ")) + QLatin1Char('\n'));
        return false;
    }
    return true;
}

} // namespace

int easeCommand(const QList<QByteArray> &argsIn)
{
    QList<QByteArray> args = argsIn;
    QByteArray curveName;
    int steps = -1;
    int first = 0;
    int last = -1;
    bool accuracyAsked = false;
    int amplitude = 1000;
    int moveMs = 1000;
    while (!args.isEmpty() && args.first().startsWith("--")) {
        const QByteArray option = args.takeFirst();
        if (option == "--accuracy") {
            accuracyAsked = true;
            continue;
        }
        if (args.isEmpty())
            return cli::usageError(QStringLiteral("ease: %1 needs a value").arg(QString::fromLocal8Bit(option)));
        const QByteArray value = args.takeFirst();
        bool ok = true;
        if (option == "--curve") {
            curveName = value;
        } else if (option == "--steps") {
            steps = value.toInt(&ok);
            if (!ok)
                return cli::usageError(QStringLiteral("ease: --steps takes a number"));
        } else if (option == "--rows") {
            if (!parseRows(value, &first, &last))
                return cli::usageError(QStringLiteral("ease: --rows takes A-B, rows counted from 1, A not above B"));
        } else if (option == "--amplitude") {
            amplitude = value.toInt(&ok);
            if (!ok || amplitude == 0)
                return cli::usageError(QStringLiteral("ease: --amplitude takes a number other than 0"));
        } else if (option == "--time") {
            moveMs = value.toInt(&ok);
            if (!ok || moveMs < 1)
                return cli::usageError(QStringLiteral("ease: --time takes a number of milliseconds from 1"));
        } else {
            return cli::usageError(QStringLiteral("ease: unknown option '%1'").arg(QString::fromLocal8Bit(option)));
        }
    }
    if (accuracyAsked) {
        if (!args.isEmpty())
            return cli::usageError(QStringLiteral("ease: --accuracy takes no files"));
        return accuracy(amplitude, moveMs);
    }
    easing::Curve curve = easing::Curve::Linear;
    if (curveName.isEmpty() || !easing::curveFromName(QString::fromLatin1(curveName), &curve))
        return cli::usageError(
            QStringLiteral("ease: --curve is linear, ease-in, ease-out, smoothstep or cubic-in-out"));
    if (steps < 0)
        return cli::usageError(QStringLiteral("ease: --steps is missing"));
    if (args.size() != 2)
        return cli::usageError(QStringLiteral("ease: give exactly one input and one output file"));

    operationfile::ReadResult read;
    if (!readMotion(args[0], &read))
        return cli::Failed;
    QVector<easing::Values> values;
    values.reserve(read.rows.size());
    for (const FrameCells &cells : qAsConst(read.rows)) {
        easing::Values v{};
        for (int c = 0; c < ColumnCount; ++c)
            v[size_t(c)] = cellInt(cells[size_t(c)]);
        values.append(v);
    }
    if (last < 0)
        last = values.size();
    QVector<int> rows;
    for (int row = first; row <= last && row <= values.size(); ++row)
        rows.append(row - 1);
    const easing::Plan plan = easing::plan(values, rows, curve, steps);
    if (!plan.ok()) {
        print(stderr, args[0]);
        print(stderr, QStringLiteral(": ") + easing::faultText(plan) + QLatin1Char('\n'));
        return cli::Failed;
    }
    const FrameRows eased = easing::bake(read.rows, plan);
    QByteArray bytes;
    int faultyRow = -1;
    {
        QTextStream out(&bytes, QIODevice::WriteOnly);
        faultyRow = operationfile::write(out, eased, read.loopKey == operationfile::LoopKey::Checked);
    }
    if (faultyRow >= 0) {
        print(stderr, args[0]);
        print(stderr, QStringLiteral(": %1%2\n").arg(QLatin1String(operationfile::loopEndErrorText)).arg(faultyRow));
        return cli::Failed;
    }
    QString reason;
    if (!safefile::writeNative(args[1], bytes, &reason)) {
        print(stderr, args[1]);
        print(stderr, QStringLiteral(": cannot write the file: ") + reason + QLatin1Char('\n'));
        return cli::Failed;
    }
    print(stdout, args[1]);
    print(stdout, QStringLiteral(": %1 %2 eased, %3 %4 added, %5 %6\n")
                      .arg(plan.moves.size())
                      .arg(plan.moves.size() == 1 ? QStringLiteral("move") : QStringLiteral("moves"))
                      .arg(plan.addedFrames())
                      .arg(plan.addedFrames() == 1 ? QStringLiteral("frame") : QStringLiteral("frames"))
                      .arg(eased.size())
                      .arg(eased.size() == 1 ? QStringLiteral("frame") : QStringLiteral("frames")));
    return cli::Ok;
}
