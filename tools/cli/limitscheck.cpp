#include "limitscheck.h"

#include "clioutput.h"

#include <QFile>
#include <QString>
#include <QTextStream>

#include <cstdio>

#include "motion/frametable.h"
#include "motion/jointlimits.h"
#include "motion/operationfile.h"
#include "robot/configfile.h"

using namespace frametable;
using cli::print;

namespace {

QByteArray utf8(const QString &text)
{
    return text.toUtf8();
}

} // namespace

int checkLimits(const QByteArray &configPath, const QList<QByteArray> &files)
{
    QFile config(QFile::decodeName(configPath));
    if (!config.open(QIODevice::ReadOnly)) {
        print(stderr, configPath + ": cannot read the configure file\n");
        return 1;
    }
    QByteArray text = config.readAll();
    text.replace("\r\n", "\n");
    QTextStream in(&text, QIODevice::ReadOnly);
    configfile::Settings settings;
    const configfile::ReadResult read = configfile::read(in, settings);
    if (read.error != configfile::Error::None) {
        print(stderr, configPath + utf8(QStringLiteral(": Error in line:%1\n").arg(read.line)));
        return 1;
    }
    const jointlimits::Limits limits = jointlimits::fromConfig(settings.minimums, settings.maximums);

    int status = 0;
    for (const QByteArray &path : files) {
        QFile file(QFile::decodeName(path));
        if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
            print(stdout, path + ": cannot read the file\n");
            status = 1;
            continue;
        }
        QTextStream motion(&file);
        const operationfile::ReadResult result = operationfile::read(motion);
        if (!result.ok()) {
            print(stdout, path + ": not a motion that opens (try gaitforge-cli check)\n");
            status = 1;
            continue;
        }
        int outside = 0;
        for (int row = 0; row < result.rows.size(); ++row) {
            std::array<int, ServoCount> angles{};
            for (int c = 0; c < ServoCount; ++c)
                angles[size_t(c)] = cellInt(result.rows[row][c]);
            const QVector<int> servos = jointlimits::servosOutside(limits, angles);
            for (int servo : servos) {
                const jointlimits::Range &range = limits.of(servo);
                print(stdout, path + utf8(QStringLiteral(":%1: frame %2: servo %3 at %4, outside %5..%6%7\n")
                                              .arg(result.frameLines.value(row))
                                              .arg(row + 1)
                                              .arg(servo)
                                              .arg(angles[size_t(servo - 2)])
                                              .arg(range.minimum)
                                              .arg(range.maximum)
                                              .arg(range.fromConfig ? QString()
                                                                    : QStringLiteral(" (default range)"))));
            }
            outside += !servos.isEmpty();
        }
        if (outside == 0) {
            print(stdout, path + utf8(QStringLiteral(": ok, %1 frames within the limits\n").arg(result.rows.size())));
        } else {
            print(stdout, path + utf8(QStringLiteral(": %1 of %2 frames outside the limits\n")
                                          .arg(outside)
                                          .arg(result.rows.size())));
            status = 1;
        }
    }
    return status;
}
