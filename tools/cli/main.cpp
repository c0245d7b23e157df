// gaitforge-cli: operation files (*.ini) on the command line, read and written
// exactly as the program reads and writes them.
//
//   gaitforge-cli check FILE...          ok per file (standard output), or the
//                                        program's message (standard error), and
//                                        a warning per number read as 0
//   gaitforge-cli normalize IN OUT       open and save as the program would
//   gaitforge-cli dump [--json] FILE     the frames, one line each, or JSON
//   gaitforge-cli config check|normalize ...
//                                        robot configure files (robotcfg.ini)
//   gaitforge-cli robot [--ble] [--baud N] PORT ls|get|send|rm|run ...
//                                        the robot's files over the program's link
//   gaitforge-cli list FILE.lst          where each row of a transfer file list
//                                        would be sent
//   gaitforge-cli beats [--min-bpm A --max-bpm B] MUSIC
//                                        the tempo and beat times of a song
//   gaitforge-cli balance MOTION...      the balance margin of every frame
//   gaitforge-cli ease --curve NAME --steps N IN OUT
//                                        easing baked into the frames
//   gaitforge-cli decode [FILE]          frames in hexadecimal, one decoded line each
//
// Exit status: 0 success, 1 a file was rejected or could not be read or
// written, 2 wrong arguments.

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTextStream>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/installedfiles.h"
#include "core/safefile.h"

#include "files/transferrows.h"
#include "motion/frametable.h"
#include "motion/operationfile.h"
#include "balancecheck.h"
#include "clioutput.h"
#include "beatscommand.h"
#include "configcommand.h"
#include "easecommand.h"
#include "decodecommand.h"
#include "limitscheck.h"
#include "robotcommand.h"

using namespace frametable;

namespace {

using namespace cli;

const char *const kUsage =
    "Usage:\n"
    "  gaitforge-cli check FILE...\n"
    "      Reads each operation file as gaitForge would and prints\n"
    "      \"FILE: ok, N frames\" or \"FILE: \" and the message gaitForge shows;\n"
    "      before it \"FILE:LINE: warning: ...\" for each line with a number that\n"
    "      is out of range or no number (gaitForge reads it as 0).\n"
    "  gaitforge-cli check --limits ROBOTCFG FILE...\n"
    "      Prints \"FILE:LINE: frame N: servo S at A, outside MIN..MAX\" for each\n"
    "      angle outside the user limits of the robot configure file ROBOTCFG\n"
    "      (a servo whose limits give no range takes the default range, -1350..1350),\n"
    "      then a line per file; exit status 1 when any frame lies outside.\n"
    "  gaitforge-cli normalize IN OUT\n"
    "      Reads IN and writes OUT as opening and saving in gaitForge would.\n"
    "      IN and OUT may be the same file. A file without a file loop record\n"
    "      is written with the loop key off.\n"
    "  gaitforge-cli dump [--json] FILE\n"
    "      Prints one line per frame with its 46 values (angles of servos 2..20,\n"
    "      operation time, delay time, loop flag, loop times, music control,\n"
    "      type, folder, file, volume, then brightness and frequency of the nine\n"
    "      LED channels), or with --json a document with named fields.\n"
    "%CONFIG%"
    "  gaitforge-cli robot [--ble] [--baud N] PORT ls DRIVE\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT get ROBOTPATH LOCAL\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT send LOCAL ROBOTPATH\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT rm ROBOTPATH\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT run ROBOTPATH\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT scan\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT watch [--seconds S] [--rate HZ] [--csv FILE]\n"
    "      The robot's files over the serial port PORT, as gaitForge reaches them\n"
    "      (1500000 baud, or 9600 with --ble, unless --baud is given). DRIVE is 0\n"
    "      (SD card) or 1 (flash); ROBOTPATH is 0:/robotsys/NAME or 1:/robotsys/NAME.\n"
    "      ls prints one name per line; get fetches three times and compares, and leaves\n"
    "      LOCAL untouched unless the whole file arrived; send succeeds only when\n"
    "      every burst was acknowledged and the robot confirmed the end.\n"
    "      scan asks servos 2 to 20 for their model and version and prints one line\n"
    "      per address: \"N: present model M version V\", \"N: missing\" or\n"
    "      \"N: unreliable (REASON)\" (damaged answers while its neighbours answer\n"
    "      cleanly: two servos on one address; an answer from another address);\n"
    "      exit status 1 when a servo is missing.\n"
    "      With --trace (before PORT) every frame written and read, and every run of\n"
    "      bytes thrown away, goes to standard error as a line of \"decode\".\n"
    "      watch sweeps the servos present HZ times a second (default 2) for S seconds\n"
    "      (or until Ctrl+C) and prints one CSV row per servo per sweep (time in ms,\n"
    "      position in degrees, torque in %, voltage in V, temperature in degrees C,\n"
    "      working state, battery in V), alarms on standard error; --csv saves the\n"
    "      rows. A sweep a servo did not answer names it on standard error. Exit\n"
    "      status 1 when an alarm was raised (a servo at its temperature limit or\n"
    "      reporting a fault, a battery under 6.8 V) or no servo answered a sweep.\n"
    "  gaitforge-cli list FILE.lst\n"
    "      Reads a transfer file list as gaitForge opens it (a line with other than\n"
    "      9 fields is skipped and reported on standard error), brings each row into\n"
    "      the form gaitForge keeps it in, and prints one line per row:\n"
    "      \"N: ROBOTPATH <- SOURCE\" for a row sending would transfer, or \"N: \" and\n"
    "      the message sending would stop with (\"not sent\" where it stops silently),\n"
    "      or what is wrong with the row: a common file named \"------\" or with \"/\",\n"
    "      a robot file name the robot cannot take (GB2312, 126-byte path), a robot\n"
    "      file an earlier row writes already. The file may be UTF-8 or, as older\n"
    "      programs wrote it, GB18030. Exit status 0 when every row would be sent,\n"
    "      1 otherwise or when no line of the file is a row.\n"
    "%BEATS%"
    "%BALANCE%"
    "%EASE%"
    "%DECODE%"
    "  gaitforge-cli --help\n"
    "  gaitforge-cli --version\n"
    "\n"
    "Exit status: 0 success, 1 a file was rejected or could not be read or written,\n"
    "2 wrong arguments; a robot command stopped by Ctrl+C (SIGINT) or SIGTERM first\n"
    "ends its transfer as cancelling does (a send closes the robot's file), then\n"
    "exits with 130 or 143.\n";

// File names are the arguments' own bytes: a name that is not valid text in
// the system's encoding still names its file, and is printed back as given.
using Name = QByteArray;

// Reads a file as the program does. On failure *problem holds the text to show
// after "FILE: " and false is returned.
bool readFile(const Name &path, operationfile::ReadResult *result, QString *problem)
{
    struct stat info;
    if (::stat(path.constData(), &info) != 0) {
        *problem = errno == ENOENT ? QStringLiteral("no such file") : QStringLiteral("cannot read the file");
        return false;
    }
    const int fd = S_ISDIR(info.st_mode) ? -1 : ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    QFile file;
    if (fd < 0 || !file.open(fd, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
        if (fd >= 0)
            ::close(fd);
        *problem = QStringLiteral("cannot read the file");
        return false;
    }
    QTextStream in(&file);
    *result = operationfile::read(in);
    if (result->error == operationfile::ReadError::NotAMotion) {
        *problem = QStringLiteral("not a robot operation file");
        return false;
    }
    if (!result->ok()) {
        QStringList texts;
        for (const operationfile::Message &message : operationfile::messages(*result))
            texts << operationfile::messageText(message);
        *problem = texts.join(QStringLiteral("; "));
        return false;
    }
    return true;
}

// Numbers read as 0, one line each: "FILE:LINE: warning: ...".
void printWarnings(FILE *stream, const Name &path, const operationfile::ReadResult &result)
{
    for (const operationfile::Warning &warning : result.warnings) {
        print(stream, path);
        print(stream, QStringLiteral(":%1: warning: %2\n").arg(warning.line).arg(QLatin1String(warning.text)));
    }
}

int check(const QList<Name> &files)
{
    int status = Ok;
    for (const Name &path : files) {
        operationfile::ReadResult result;
        QString problem;
        const bool read = readFile(path, &result, &problem);
        printWarnings(stdout, path, result);
        if (read) {
            print(stdout, path);
            print(stdout, QStringLiteral(": ok, %1 %2\n")
                              .arg(result.rows.size())
                              .arg(result.rows.size() == 1 ? QStringLiteral("frame") : QStringLiteral("frames")));
        } else {
            // A file refused is an error: said on the error stream.
            fflush(stdout);
            print(stderr, path);
            print(stderr, QStringLiteral(": ") + problem + QLatin1Char('\n'));
            status = Failed;
        }
    }
    return status;
}

int normalize(const Name &inPath, const Name &outPath)
{
    operationfile::ReadResult result;
    QString problem;
    if (!readFile(inPath, &result, &problem)) {
        print(stderr, inPath);
        print(stderr, QStringLiteral(": ") + problem + QLatin1Char('\n'));
        return Failed;
    }
    printWarnings(stderr, inPath, result);
    // The program's loop key keeps its state when a file has no loop record;
    // a freshly started program has it off.
    const bool loopKey = result.loopKey == operationfile::LoopKey::Checked;
    QByteArray bytes;
    int faultyRow = -1;
    {
        QTextStream stream(&bytes, QIODevice::WriteOnly);
        faultyRow = operationfile::write(stream, result.rows, loopKey);
    }
    if (faultyRow >= 0) {
        print(stderr, inPath);
        print(stderr, QStringLiteral(": %1%2\n").arg(QLatin1String(operationfile::loopEndErrorText)).arg(faultyRow));
        return Failed;
    }
    // IN and OUT may be the same file: it is replaced only once the new
    // content is wholly written.
    QString reason;
    if (!safefile::writeNative(outPath, bytes, &reason)) {
        print(stderr, outPath);
        print(stderr, QStringLiteral(": cannot write the file: ") + reason + QLatin1Char('\n'));
        return Failed;
    }
    return Ok;
}

QJsonObject frameObject(const FrameCells &cells)
{
    QJsonArray angles;
    for (int i = 0; i < ServoCount; ++i)
        angles.append(cellInt(cells[i]));
    QJsonArray leds;
    for (int k = 0; k < LedChannelCount; ++k)
        leds.append(QJsonObject{{QStringLiteral("brightness"), cellInt(cells[ledBrightnessColumn(k)])},
                                {QStringLiteral("frequency"), cellInt(cells[ledFrequencyColumn(k)])}});
    return QJsonObject{
        {QStringLiteral("angles"), angles},
        {QStringLiteral("operationTime"), cellInt(cells[ColOperationTime])},
        {QStringLiteral("delayTime"), cellInt(cells[ColDelayTime])},
        {QStringLiteral("loopFlag"), cellInt(cells[ColLoopFlag])},
        {QStringLiteral("loopTimes"), cellInt(cells[ColLoopTimes])},
        {QStringLiteral("music"),
         QJsonObject{{QStringLiteral("control"), cellInt(cells[ColMusicControl])},
                     {QStringLiteral("type"), cellInt(cells[ColMusicType])},
                     {QStringLiteral("folder"), cellInt(cells[ColMusicFolder])},
                     {QStringLiteral("file"), cellInt(cells[ColMusicFile])}}},
        {QStringLiteral("volume"), cellInt(cells[ColVolume])},
        {QStringLiteral("leds"), leds},
    };
}

int dump(const Name &path, bool json)
{
    operationfile::ReadResult result;
    QString problem;
    if (!readFile(path, &result, &problem)) {
        print(stderr, path);
        print(stderr, QStringLiteral(": ") + problem + QLatin1Char('\n'));
        return Failed;
    }
    if (json) {
        QJsonArray frames;
        for (const FrameCells &cells : result.rows)
            frames.append(frameObject(cells));
        QJsonObject document{{QStringLiteral("file"), QFile::decodeName(path)}, {QStringLiteral("frames"), frames}};
        if (result.loopKey != operationfile::LoopKey::Unchanged)
            document.insert(QStringLiteral("loopKey"), result.loopKey == operationfile::LoopKey::Checked);
        print(stdout, QJsonDocument(document).toJson(QJsonDocument::Indented));
        return Ok;
    }
    for (const FrameCells &cells : result.rows) {
        QByteArray line;
        for (int c = 0; c < ColumnCount; ++c)
            line += (c ? " " : "") + QByteArray::number(cellInt(cells[c]));
        print(stdout, line + '\n');
    }
    return Ok;
}

// Where each row of a transfer file list would go, decided by the same rules
// as the list's send step; unlike it, every row is looked at.
int listRows(const Name &path)
{
    QFile file;
    {
        struct stat info;
        const int fd = (::stat(path.constData(), &info) == 0 && !S_ISDIR(info.st_mode))
                           ? ::open(path.constData(), O_RDONLY | O_CLOEXEC)
                           : -1;
        if (fd < 0 || !file.open(fd, QIODevice::ReadOnly | QIODevice::Text, QFileDevice::AutoCloseHandle)) {
            if (fd >= 0)
                ::close(fd);
            print(stderr, path);
            print(stderr, QStringLiteral(": cannot read the file\n"));
            return Failed;
        }
    }
    const transferrows::ReadResult list = transferrows::read(file.readAll());
    for (const transferrows::SkippedLine &skipped : list.skipped)
        print(stderr, QStringLiteral("line %1 skipped: %2 fields\n").arg(skipped.line).arg(skipped.fields));
    if (list.nothingRead()) {
        print(stderr, path);
        print(stderr, QStringLiteral(": not a transfer file list: no line has the 9 fields of a row\n"));
        return Failed;
    }
    // The checks the window makes when the list is edited: one problem at
    // most per row, shown in its place.
    QHash<int, transferrows::Problem> problems;
    for (const transferrows::Problem &problem : transferrows::check(list.rows))
        problems.insert(problem.row, problem);
    int status = Ok;
    for (int r = 0; r < list.rows.size(); ++r) {
        const transferrows::Plan plan = transferrows::plan(transferrows::normalised(list.rows[r]));
        QString line = QStringLiteral("%1: ").arg(r + 1);
        if (plan.kind == transferrows::Plan::Message) {
            line += QLatin1String(plan.message);
        } else if (problems.contains(r)) {
            line += transferrows::reason(problems.value(r));
        } else if (plan.kind != transferrows::Plan::Send) {
            line += QStringLiteral("not sent");
        } else if (QFile probe(plan.source); !probe.open(QIODevice::ReadOnly)) {
            line += QStringLiteral("The file %1 cannot be read.").arg(plan.source);
        } else {
            line += QStringLiteral("%1:/robotsys/%2 <- %3").arg(plan.drive).arg(plan.robotName, plan.source);
            print(stdout, line + QLatin1Char('\n'));
            continue;
        }
        status = Failed;
        print(stdout, line + QLatin1Char('\n'));
    }
    return status;
}

int run(const QList<Name> &args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("missing command"));
    const Name command = args.first();
    QList<Name> rest = args.mid(1);
    if (command == "--help" || command == "-h" || command == "help") {
        print(stdout, QByteArray(kUsage)
                          .replace("%CONFIG%", kConfigUsage)
                          .replace("%BEATS%", kBeatsUsage)
                          .replace("%BALANCE%", kBalanceUsage)
                          .replace("%EASE%", kEaseUsage)
                          .replace("%DECODE%", kDecodeUsage));
        return Ok;
    }
    if (command == "check" && !rest.isEmpty() && rest.first() == "--limits") {
        if (rest.size() < 3)
            return usageError(QStringLiteral("check --limits: give a configure file and at least one motion"));
        return checkLimits(rest[1], rest.mid(2));
    }
    if (command == "check") {
        if (rest.isEmpty())
            return usageError(QStringLiteral("check: no file given"));
        return check(rest);
    }
    if (command == "normalize") {
        if (rest.size() != 2)
            return usageError(QStringLiteral("normalize: give exactly one input and one output file"));
        return normalize(rest[0], rest[1]);
    }
    if (command == "config")
        return configCommand(rest);
    if (command == "beats")
        return beatsCommand(rest);
    if (command == "robot") {
        // The robot's paths and options are text.
        QStringList texts;
        for (const Name &arg : rest)
            texts << QFile::decodeName(arg);
        return robotCommand(texts);
    }
    if (command == "list") {
        if (rest.size() != 1)
            return usageError(QStringLiteral("list: give exactly one transfer file list"));
        return listRows(rest[0]);
    }
    if (command == "balance")
        return checkBalance(rest);
    if (command == "ease")
        return easeCommand(rest);
    if (command == "decode")
        return decodeCommand(rest);
    if (command == "dump") {
        const bool json = rest.removeAll(QByteArray("--json")) > 0;
        if (rest.size() != 1)
            return usageError(QStringLiteral("dump: give exactly one file"));
        return dump(rest[0], json);
    }
    return usageError(QStringLiteral("unknown command '%1'").arg(QString::fromLocal8Bit(command)));
}

} // namespace

int main(int argc, char *argv[])
{
    safefile::keepRunningPastFileSizeLimit();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("gaitforge-cli"));
    QCoreApplication::setApplicationVersion(installedfiles::version());
    if (argc == 2 && (std::strcmp(argv[1], "--version") == 0 || std::strcmp(argv[1], "-v") == 0)) {
        QCommandLineParser parser;
        parser.addVersionOption();
        parser.process(app);  // prints "gaitforge-cli VERSION" and exits
    }
    // The raw arguments, not app.arguments(): those are decoded text, and a
    // name that is not valid text would no longer name its file.
    QList<Name> args;
    for (int i = 1; i < argc; ++i)
        args << Name(argv[i]);
    const int status = run(args);
    std::fflush(stdout);
    std::fflush(stderr);
    return status;
}
