#include "balancecheck.h"

#include "clioutput.h"

#include <QFile>
#include <QString>
#include <QTextStream>

#include "motion/frametable.h"
#include "motion/operationfile.h"
#include "view3d/balance.h"
#include "view3d/bodymass.h"

using namespace frametable;
using cli::print;

const char *const kBalanceUsage =
    "  gaitforge-cli balance [--masses FILE] [--support left|right|body] MOTION.ini...\n"
    "      Prints \"FILE:LINE: frame N: margin M mm [both feet|left foot|right foot]\"\n"
    "      for each frame: how far the centre of mass, projected on the floor, lies\n"
    "      inside the polygon of the feet on the floor (negative: outside, the robot\n"
    "      tips), posed as the 3D view poses it standing on the left foot (or on the\n"
    "      right foot, or held at the body). The parts weigh what the mass file FILE\n"
    "      (as gaitForge keeps it in .robot/masses) says, or share 1500 g by their\n"
    "      volumes. Exit status 1 when any frame tips.\n";

namespace {

const char *feetText(balance::Feet feet)
{
    switch (feet) {
    case balance::LeftFoot: return "left foot";
    case balance::RightFoot: return "right foot";
    default: return "both feet";
    }
}

} // namespace

int checkBalance(const QList<QByteArray> &argsIn)
{
    QList<QByteArray> args = argsIn;
    const bodymass::Body &body = bodymass::builtInBody();
    bodymass::Masses masses = bodymass::shareByVolume(body);
    int tree = robot3d::LeftFootTree;
    while (!args.isEmpty() && args.first().startsWith("--")) {
        const QByteArray option = args.takeFirst();
        if (args.isEmpty())
            return cli::usageError(QStringLiteral("balance: %1 needs a value").arg(QString::fromLocal8Bit(option)));
        const QByteArray value = args.takeFirst();
        if (option == "--support") {
            if (value == "left")
                tree = robot3d::LeftFootTree;
            else if (value == "right")
                tree = robot3d::RightFootTree;
            else if (value == "body")
                tree = robot3d::BodyCentreTree;
            else
                return cli::usageError(QStringLiteral("balance: --support is left, right or body"));
        } else if (option == "--masses") {
            QFile file(QFile::decodeName(value));
            if (!file.open(QIODevice::ReadOnly)) {
                print(stderr, value + ": cannot read the mass file\n");
                return cli::Failed;
            }
            int line = 0;
            if (!bodymass::fromText(file.readAll(), masses, masses, &line)) {
                print(stderr, value
                                  + (line > 0 ? QStringLiteral(": not a mass in line %1\n").arg(line)
                                              : QStringLiteral(": the masses add up to nothing\n"))
                                        .toUtf8());
                return cli::Failed;
            }
        } else {
            return cli::usageError(QStringLiteral("balance: unknown option '%1'").arg(QString::fromLocal8Bit(option)));
        }
    }
    if (args.isEmpty())
        return cli::usageError(QStringLiteral("balance: no motion file given"));

    const balance::Checker checker(body, masses);
    int status = cli::Ok;
    for (const QByteArray &path : qAsConst(args)) {
        QFile file(QFile::decodeName(path));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            print(stderr, path + ": cannot read the file\n");
            status = cli::Failed;
            continue;
        }
        QTextStream motion(&file);
        const operationfile::ReadResult result = operationfile::read(motion);
        if (!result.ok()) {
            print(stderr, path + ": not a motion that opens (try gaitforge-cli check)\n");
            status = cli::Failed;
            continue;
        }
        QByteArray out;
        for (int row = 0; row < result.rows.size(); ++row) {
            int tenths[robot3d::kJointCount];
            for (int j = 0; j < robot3d::kJointCount; ++j)
                tenths[j] = cellInt(result.rows[row][j]);
            const balance::Result r = checker.checkTenths(tree, tenths);
            out += path
                   + QStringLiteral(":%1: frame %2: margin %3 mm %4\n")
                         .arg(result.frameLines.value(row))
                         .arg(row + 1)
                         .arg(r.margin, 0, 'f', 1)
                         .arg(QLatin1String(feetText(r.feet)))
                         .toUtf8();
            if (!(r.margin >= 0))
                status = cli::Failed;
        }
        print(stdout, out);
    }
    return status;
}
