#include "configcommand.h"

#include "clioutput.h"

#include <QFile>
#include <QString>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/safefile.h"
#include "robot/configfile.h"

const char *const kConfigUsage =
    "  gaitforge-cli config check FILE...\n"
    "      Reads each robot configure file as gaitForge's \"open from\" would and\n"
    "      prints \"FILE: ok\" or \"FILE: \" and why not; before it \"FILE: warning:\n"
    "      ...\" when the file lacks one of the robot's own lines (IRK, RFO, FDL,\n"
    "      FUL, TSA, RAF, FDT, BLN), which no rewriting can bring back. A file that\n"
    "      normalizing would cut (data lines after an empty line, where every\n"
    "      reader stops) fails, naming the first line it would drop.\n"
    "  gaitforge-cli config normalize IN OUT\n"
    "      Reads IN and writes OUT as \"open from\" and then \"save configure file\n"
    "      as\" in a freshly started gaitForge would. IN and OUT may be the same file.\n"
    "      A file check fails is not written.\n";

namespace {

using namespace cli;

// The whole file, by its name's own bytes; on failure *problem says why.
bool readBytes(const QByteArray &path, QByteArray *content, QString *problem)
{
    struct stat info;
    if (::stat(path.constData(), &info) != 0) {
        *problem = errno == ENOENT ? QStringLiteral("no such file") : QStringLiteral("cannot read the file");
        return false;
    }
    const int fd = S_ISDIR(info.st_mode) ? -1 : ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        *problem = QStringLiteral("cannot read the file");
        return false;
    }
    *content = file.readAll();
    return true;
}

// Reads a configure file as the program's "open from" does, starting from a
// freshly started program's pages. Warnings go to warnings, one line each.
bool readConfig(const QByteArray &path, configfile::Settings *settings, QString *problem, QStringList *warnings)
{
    QByteArray content;
    if (!readBytes(path, &content, problem))
        return false;
    *settings = configfile::shown(configfile::Settings());
    const configfile::ReadResult result = configfile::readContent(content, *settings);
    if (result.error != configfile::Error::None) {
        *problem = QStringLiteral("Error in line:%1").arg(result.line);
        return false;
    }
    if (result.dataLines == 0) {
        *problem = QStringLiteral("not a robot configure file");
        return false;
    }
    *settings = configfile::shown(*settings);
    // Lines the rewritten file would not carry: the reader never gets past
    // an empty line, so what follows it is lost.
    int emptyLine = 0;
    const QVector<configfile::FileLine> lost =
        configfile::linesLostByRewriting(content, configfile::content(*settings), &emptyLine);
    if (!lost.isEmpty()) {
        const QString more = lost.size() == 1 ? QString()
                             : lost.size() == 2 ? QStringLiteral(" and 1 more line")
                                                : QStringLiteral(" and %1 more lines").arg(lost.size() - 1);
        *problem = QStringLiteral("normalizing would drop line %1 \"%2\"%3: every reader stops at the empty "
                                  "line %4")
                       .arg(QString::number(lost.first().number), lost.first().text, more,
                            QString::number(emptyLine));
        return false;
    }
    // The robot's own lines are the ones no rewriting can bring back;
    // comments, the end mark and the settings the writer writes itself.
    const QStringList missing = configfile::missingOwnLines(content);
    if (!missing.isEmpty())
        *warnings << QStringLiteral("warning: incomplete configure file: the robot's own %1 \"%2\" %3 missing; "
                                    "written back and sent to the robot, the robot would lose %4")
                         .arg(missing.size() == 1 ? QStringLiteral("line") : QStringLiteral("lines"),
                              missing.join(QStringLiteral("\", \"")),
                              missing.size() == 1 ? QStringLiteral("is") : QStringLiteral("are"),
                              missing.size() == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    return true;
}

void printWarnings(FILE *stream, const QByteArray &path, const QStringList &warnings)
{
    for (const QString &warning : warnings) {
        print(stream, path);
        print(stream, QStringLiteral(": ") + warning + QLatin1Char('\n'));
    }
}

int check(const QList<QByteArray> &files)
{
    int status = Ok;
    for (const QByteArray &path : files) {
        configfile::Settings settings;
        QString problem;
        QStringList warnings;
        const bool read = readConfig(path, &settings, &problem, &warnings);
        printWarnings(stdout, path, warnings);
        print(stdout, path);
        print(stdout, QStringLiteral(": ") + (read ? QStringLiteral("ok") : problem) + QLatin1Char('\n'));
        if (!read)
            status = Failed;
    }
    return status;
}

int normalize(const QByteArray &inPath, const QByteArray &outPath)
{
    configfile::Settings settings;
    QString problem;
    QStringList warnings;
    const bool read = readConfig(inPath, &settings, &problem, &warnings);
    printWarnings(stderr, inPath, warnings);
    if (!read) {
        print(stderr, inPath);
        print(stderr, QStringLiteral(": ") + problem + QLatin1Char('\n'));
        return Failed;
    }
    QString reason;
    if (!safefile::writeNative(outPath, configfile::content(settings), &reason)) {
        print(stderr, outPath);
        print(stderr, QStringLiteral(": cannot write the file: ") + reason + QLatin1Char('\n'));
        return Failed;
    }
    return Ok;
}

} // namespace

int configCommand(const QList<QByteArray> &args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("config: missing command (check or normalize)"));
    const QByteArray command = args.first();
    const QList<QByteArray> rest = args.mid(1);
    if (command == "check") {
        if (rest.isEmpty())
            return usageError(QStringLiteral("config check: no file given"));
        return check(rest);
    }
    if (command == "normalize") {
        if (rest.size() != 2)
            return usageError(QStringLiteral("config normalize: give exactly one input and one output file"));
        return normalize(rest[0], rest[1]);
    }
    return usageError(QStringLiteral("config: unknown command '%1'").arg(QString::fromLocal8Bit(command)));
}
