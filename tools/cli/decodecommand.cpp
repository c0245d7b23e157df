#include "decodecommand.h"

#include <QFile>
#include <QTextStream>

#include "link/framedecoder.h"
#include "link/framereader.h"
#include "clioutput.h"

using namespace cli;

const char *const kDecodeUsage =
    "  gaitforge-cli decode [FILE]\n"
    "      Reads bytes written in hexadecimal from FILE (or standard input when\n"
    "      FILE is missing or \"-\"): one frame or a stream of them, in any layout\n"
    "      (\"AA 55 80 01\", \"aa5580\", \"0xAA,0x55\", or the log's \"send:aa 55 80 1\").\n"
    "      Prints one line per frame as the packet monitor shows it: kind, type,\n"
    "      source -> destination, the fields, the checksum state; bytes the frame\n"
    "      reader throws away as \"discarded: REASON, N bytes: ...\". Exit status 1\n"
    "      when some bytes were thrown away or the input is not hexadecimal.\n";

int decodeCommand(const QList<QByteArray> &args)
{
    if (args.size() > 1)
        return usageError(QStringLiteral("decode: give at most one file"));
    QFile file;
    const QByteArray name = args.isEmpty() ? QByteArray("-") : args.first();
    const bool ok = name == "-" ? file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(QFile::decodeName(name)),
                                                                          file.open(QIODevice::ReadOnly));
    if (!ok) {
        print(stderr, QStringLiteral("gaitforge-cli: cannot read %1: %2\n").arg(QFile::decodeName(name), file.errorString()));
        return Failed;
    }

    bool thrownAway = false;
    QTextStream out(stdout);
    FrameReader reader;
    FrameReader::Tap tap;
    tap.frame = [&out](const QByteArray &wire) { out << framedecoder::line(wire) << '\n'; };
    tap.discard = [&out, &thrownAway](FrameReader::Discard reason, const QByteArray &wire) {
        thrownAway = true;
        out << framedecoder::line(wire, reason) << '\n';
    };
    reader.setTap(tap);

    int lineNumber = 0;
    while (!file.atEnd()) {
        const QByteArray text = file.readLine();
        ++lineNumber;
        QByteArray bytes;
        if (!framedecoder::parseHex(QString::fromLatin1(text), &bytes)) {
            out.flush();
            print(stderr, QStringLiteral("gaitforge-cli: %1:%2: not hexadecimal bytes\n")
                              .arg(QFile::decodeName(name))
                              .arg(lineNumber));
            return Failed;
        }
        reader.feed(bytes.constData(), bytes.size(), nullptr);
    }
    // What is left of an unfinished frame at the end.
    reader.reset();
    out.flush();
    return thrownAway ? Failed : Ok;
}
