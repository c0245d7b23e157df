// gaitforge-cli: operation files (*.ini) on the command line, read and written
// exactly as the program reads and writes them.
//
//   gaitforge-cli check FILE...          ok / the program's message per file
//   gaitforge-cli normalize IN OUT       open and save as the program would
//   gaitforge-cli dump [--json] FILE     the frames, one line each, or JSON
//   gaitforge-cli robot [--ble] [--baud N] PORT ls|get|send|rm|run ...
//                                        the robot's files over the program's link
//
// Exit status: 0 success, 1 a file was rejected or could not be read or
// written, 2 wrong arguments.

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

#include "motion/frametable.h"
#include "motion/operationfile.h"
#include "robotcommand.h"

using namespace frametable;

namespace {

enum Status { Ok = 0, Failed = 1, Usage = 2 };

const char *const kUsage =
    "Usage:\n"
    "  gaitforge-cli check FILE...\n"
    "      Reads each operation file as gaitForge would and prints\n"
    "      \"FILE: ok, N frames\" or \"FILE: \" and the message gaitForge shows.\n"
    "  gaitforge-cli normalize IN OUT\n"
    "      Reads IN and writes OUT as opening and saving in gaitForge would.\n"
    "      IN and OUT may be the same file. A file without a file loop record\n"
    "      is written with the loop key off.\n"
    "  gaitforge-cli dump [--json] FILE\n"
    "      Prints one line per frame with its 46 values (angles of servos 2..20,\n"
    "      operation time, delay time, loop flag, loop times, music control,\n"
    "      type, folder, file, volume, then brightness and frequency of the nine\n"
    "      LED channels), or with --json a document with named fields.\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT ls DRIVE\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT get ROBOTPATH LOCAL\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT send LOCAL ROBOTPATH\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT rm ROBOTPATH\n"
    "  gaitforge-cli robot [--ble] [--baud N] PORT run ROBOTPATH\n"
    "      The robot's files over the serial port PORT, as gaitForge reaches them\n"
    "      (1500000 baud, or 9600 with --ble, unless --baud is given). DRIVE is 0\n"
    "      (SD card) or 1 (flash); ROBOTPATH is 0:/robotsys/NAME or 1:/robotsys/NAME.\n"
    "      ls prints one name per line; get fetches twice and compares, and leaves\n"
    "      LOCAL untouched unless the whole file arrived; send succeeds only when\n"
    "      every burst was acknowledged and the robot confirmed the end.\n"
    "  gaitforge-cli --help\n"
    "\n"
    "Exit status: 0 success, 1 a file was rejected or could not be read or written,\n"
    "2 wrong arguments.\n";

QTextStream &out()
{
    static QTextStream stream(stdout);
    return stream;
}

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

int usageError(const QString &text)
{
    err() << "gaitforge-cli: " << text << "\n" << "Try 'gaitforge-cli --help'.\n";
    err().flush();
    return Usage;
}

// Reads a file as the program does. On failure *problem holds the text to show
// after "FILE: " and false is returned.
bool readFile(const QString &path, operationfile::ReadResult *result, QString *problem)
{
    const QFileInfo info(path);
    if (!info.exists()) {
        *problem = QStringLiteral("no such file");
        return false;
    }
    QFile file(path);
    if (info.isDir() || !file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *problem = QStringLiteral("cannot read the file");
        return false;
    }
    QTextStream in(&file);
    *result = operationfile::read(in);
    if (!result->ok()) {
        QStringList texts;
        for (const operationfile::Message &message : operationfile::messages(*result))
            texts << operationfile::messageText(message);
        *problem = texts.join(QStringLiteral("; "));
        return false;
    }
    return true;
}

int check(const QStringList &files)
{
    int status = Ok;
    for (const QString &path : files) {
        operationfile::ReadResult result;
        QString problem;
        if (readFile(path, &result, &problem))
            out() << path << ": ok, " << result.rows.size() << (result.rows.size() == 1 ? " frame" : " frames")
                  << "\n";
        else {
            out() << path << ": " << problem << "\n";
            status = Failed;
        }
    }
    return status;
}

int normalize(const QString &inPath, const QString &outPath)
{
    operationfile::ReadResult result;
    QString problem;
    if (!readFile(inPath, &result, &problem)) {
        err() << inPath << ": " << problem << "\n";
        return Failed;
    }
    // The program's loop key keeps its state when a file has no loop record;
    // a freshly started program has it off.
    const bool loopKey = result.loopKey == operationfile::LoopKey::Checked;
    const int faultyRow = operationfile::findUnmatchedLoopEnd(result.rows);
    if (faultyRow >= 0) {
        err() << inPath << ": " << operationfile::loopEndErrorText << faultyRow << "\n";
        return Failed;
    }
    QSaveFile file(outPath);
    bool saved = file.open(QIODevice::WriteOnly);
    if (saved) {
        QTextStream stream(&file);
        operationfile::write(stream, result.rows, loopKey);
        stream.flush();
        saved = stream.status() == QTextStream::Ok && file.commit();
    }
    if (!saved) {
        err() << outPath << ": cannot write the file: " << file.errorString() << "\n";
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

int dump(const QString &path, bool json)
{
    operationfile::ReadResult result;
    QString problem;
    if (!readFile(path, &result, &problem)) {
        err() << path << ": " << problem << "\n";
        return Failed;
    }
    if (json) {
        QJsonArray frames;
        for (const FrameCells &cells : result.rows)
            frames.append(frameObject(cells));
        QJsonObject document{{QStringLiteral("file"), path}, {QStringLiteral("frames"), frames}};
        if (result.loopKey != operationfile::LoopKey::Unchanged)
            document.insert(QStringLiteral("loopKey"), result.loopKey == operationfile::LoopKey::Checked);
        out() << QString::fromUtf8(QJsonDocument(document).toJson(QJsonDocument::Indented));
        return Ok;
    }
    for (const FrameCells &cells : result.rows) {
        for (int c = 0; c < ColumnCount; ++c)
            out() << (c ? " " : "") << cellInt(cells[c]);
        out() << "\n";
    }
    return Ok;
}

int run(const QStringList &args)
{
    if (args.isEmpty())
        return usageError(QStringLiteral("missing command"));
    const QString command = args.first();
    QStringList rest = args.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") || command == QLatin1String("help")) {
        out() << kUsage;
        return Ok;
    }
    if (command == QLatin1String("check")) {
        if (rest.isEmpty())
            return usageError(QStringLiteral("check: no file given"));
        return check(rest);
    }
    if (command == QLatin1String("normalize")) {
        if (rest.size() != 2)
            return usageError(QStringLiteral("normalize: give exactly one input and one output file"));
        return normalize(rest[0], rest[1]);
    }
    if (command == QLatin1String("robot"))
        return robotCommand(rest);
    if (command == QLatin1String("dump")) {
        const bool json = rest.removeAll(QStringLiteral("--json")) > 0;
        if (rest.size() != 1)
            return usageError(QStringLiteral("dump: give exactly one file"));
        return dump(rest[0], json);
    }
    return usageError(QStringLiteral("unknown command '%1'").arg(command));
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int status = run(app.arguments().mid(1));
    out().flush();
    err().flush();
    return status;
}
