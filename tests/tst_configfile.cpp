// The configure file reader and writer: the file written byte for byte, each
// key's field count and value rules, what stops a reading, the lines carried
// through, and random input.

#include <QtTest>
#include <QRandomGenerator>
#include <QTextStream>

#include <algorithm>

#include "robot/configfile.h"

using configfile::Error;
using configfile::Settings;

namespace {

configfile::ReadResult readText(const QByteArray &text, Settings &s)
{
    QByteArray data = text;
    QTextStream in(&data, QIODevice::ReadOnly);
    return configfile::read(in, s);
}

QByteArray writeText(const Settings &s)
{
    QByteArray data;
    {
        QTextStream out(&data, QIODevice::WriteOnly);
        configfile::write(out, s);
    }
    return data;
}

Settings sample()
{
    Settings s;
    s.volume = 45;
    s.leds = {160, 1, 2, 3, 4, 17, 34, 51, 68};
    s.baudBle = 115200;
    s.baudPc = 1500000;
    s.baudServo = 921600;
    s.autoPowerOff = 120;
    s.remoteChannel = 300;
    s.remoteBroadcast = 7;
    s.remoteMode = 513;
    s.boardChannel = 12;
    s.boardBroadcast = 125;
    s.boardMode = 259;
    for (int i = 0; i < 35; ++i)
        s.keyMap[std::size_t(i)] = i % 3 == 0;
    for (int i = 0; i < 19; ++i) {
        s.corrections[std::size_t(i)] = i - 9;
        s.minimums[std::size_t(i)] = -1000 - i;
        s.maximums[std::size_t(i)] = 1000 + i;
    }
    s.useExtraServo = 1;
    s.fallCheck = 1;
    s.backToOrigin = {1, 200, 30, 4000};
    s.irKeyLine = QStringLiteral("IRK:0,1,0;");
    s.factoryOriginLine = QStringLiteral("RFO:1,2,3;");
    s.factoryDownLine = QStringLiteral("FDL:-5,-6;");
    s.factoryUpLine = QStringLiteral("FUL:5,6;");
    s.timeSpeedLine = QStringLiteral("TSA:10,20,30;");
    s.remoteAutoLine = QStringLiteral("RAF:1,2;");
    s.fallDetectLine = QStringLiteral("FDT:3,4,5;");
    s.batteryLine = QStringLiteral("BLN:6600,1;");
    return s;
}

} // namespace

class TestConfigFile : public QObject
{
    Q_OBJECT

private slots:
    // The whole file, byte for byte: 57 lines, CR LF, the empty last line.
    void writesExactFile()
    {
        const QByteArray expected =
            "#This is a robot configure file.\r\n#set volume.\r\nSV:45;\r\n"
            "#set Led1 RGB Led2 RGB Led3 RGB.\r\nLED:160,1,2,3,4,17,34,51,68;\r\n"
            "#baudrate ble.\r\nBB:115200;\r\n#baudrate pc.\r\nBP:1500000;\r\n#baudrate servo.\r\nBS:921600;\r\n"
            "#remote auto power off time(S).\r\nSP:120;\r\n#set remote RF channel.\r\nSC:300;\r\n"
            "#set remote RF broadcast channel.\r\nSD:7;\r\n#set remote RF mode.\r\nSR:513;\r\n"
            "#set mainboard RF channel.\r\nRFC:12;\r\n#set mainboard RF broadcast channel.\r\nRDC:125;\r\n"
            "#set mainboard RF mode.\r\nRFM:259;\r\n#RF key map 0-filefunction,1-stop.\r\n"
            "RFK:1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0,0,1,0;\r\n"
            "#IR key map 0-filefunction,1-stop.\r\nIRK:0,1,0;\r\n"
            "#robot factory origin,real angle servo.\r\nRFO:1,2,3;\r\n"
            "#robot factory down-limit,real angle servo.\r\nFDL:-5,-6;\r\n"
            "#robot factory up-limit,real angle servo.\r\nFUL:5,6;\r\n"
            "#robot origin adjust for user,based on factory origin.\r\n"
            "ROA:-9,-8,-7,-6,-5,-4,-3,-2,-1,0,1,2,3,4,5,6,7,8,9;\r\n"
            "#robot user down-limit,based on factory origin+adjust.\r\n"
            "RBD:-1000,-1001,-1002,-1003,-1004,-1005,-1006,-1007,-1008,-1009,-1010,-1011,-1012,-1013,-1014,"
            "-1015,-1016,-1017,-1018;\r\n"
            "#robot user up-limit,based on factory origin+adjust.\r\n"
            "RBU:1000,1001,1002,1003,1004,1005,1006,1007,1008,1009,1010,1011,1012,1013,1014,1015,1016,1017,"
            "1018;\r\n"
            "#If use two extra servos.\r\nUES:1;\r\n#If use fall checking.\r\nUFC:1;\r\n"
            "#Time speed acc param.\r\nTSA:10,20,30;\r\n#Back to origin m,s,a,t.\r\nBTO:1,200,30,4000;\r\n"
            "#Remote auto freq,times.\r\nRAF:1,2;\r\n#Fall detect.\r\nFDT:3,4,5;\r\n"
            "#Battery low detect and notice.\r\nBLN:6600,1;\r\nEND:;\r\n\r\n";
        const QByteArray written = writeText(sample());
        QCOMPARE(written, expected);
        QCOMPARE(written.count("\r\n"), 57);
    }

    // Reading what was written gives every value back.
    void roundTrip()
    {
        Settings back;
        const configfile::ReadResult r = readText(writeText(sample()), back);
        QCOMPARE(r.error, Error::None);
        QCOMPARE(writeText(back), writeText(sample()));
        QCOMPARE(back.leds, sample().leds);
        QCOMPARE(back.keyMap, sample().keyMap);
        QCOMPARE(back.batteryLine, QStringLiteral("BLN:6600,1;"));
    }

    // Verbatim lines never read are left out, so no empty line cuts the file
    // short: the corrections and limits after them are read back.
    void emptyVerbatimLinesDoNotEndTheFile()
    {
        Settings s;
        s.corrections[0] = 77;
        s.maximums[18] = 99;
        s.backToOrigin = {1, 2, 3, 4};
        const QByteArray text = writeText(s);
        QVERIFY(!text.contains("\r\n\r\n#"));
        QVERIFY(text.endsWith("END:;\r\n\r\n"));
        Settings back;
        QCOMPARE(readText(text, back).error, Error::None);
        QCOMPARE(back.corrections[0], 77);
        QCOMPARE(back.maximums[18], 99);
        QCOMPARE(back.backToOrigin, s.backToOrigin);
    }

    // Single-value and list keys: field counts, what stops the reading, what is skipped.
    void readLines_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("errorLine");   // 0: no error
        QTest::addColumn<int>("volume");
        QTest::addColumn<int>("led0");

        QTest::newRow("volume") << QByteArray("SV:5;\n") << 0 << 5 << -1;
        QTest::newRow("no closing semicolon") << QByteArray("SV:5\n") << 0 << 60 << -1;
        QTest::newRow("two pieces") << QByteArray("#c\nSV:5;7;\n") << 2 << 60 << -1;
        QTest::newRow("double semicolon") << QByteArray("SV:5;;\n") << 0 << 5 << -1;
        QTest::newRow("no piece") << QByteArray("SV:;\n") << 1 << 60 << -1;
        QTest::newRow("not a number") << QByteArray("SV:abc;\n") << 0 << 0 << -1;
        QTest::newRow("trimmed") << QByteArray("   SV:9;  \r\n") << 0 << 9 << -1;
        QTest::newRow("lower case key skipped") << QByteArray("sv:9;\n") << 0 << 60 << -1;
        QTest::newRow("eight leds stop, earlier volume stays")
            << QByteArray("SV:7;\nLED:1,2,3,4,5,6,7,8;\nSV:8;\n") << 2 << 7 << 0;
        QTest::newRow("nine leds") << QByteArray("LED:1,2,3,4,5,6,7,8,9;\n") << 0 << 60 << 1;
        QTest::newRow("empty pieces dropped") << QByteArray("LED:1,,2,3,4,5,6,7,8,9,;\n") << 0 << 60 << 1;
        QTest::newRow("empty line ends reading") << QByteArray("SV:1;\n\nSV:2;\n") << 0 << 1 << -1;
        QTest::newRow("blank line ends reading") << QByteArray("SV:1;\n   \nSV:2;\n") << 0 << 1 << -1;
        QTest::newRow("later line wins") << QByteArray("SV:1;\nSV:2;\nEND:;\n") << 0 << 2 << -1;
        QTest::newRow("roa 18 values") << QByteArray("ROA:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18;\n")
                                        << 1 << 60 << -1;
        QTest::newRow("rfk 34 values") << QByteArray("#\n#\nRFK:" + QByteArray("0,").repeated(34) + ";\n")
                                       << 3 << 60 << -1;
        QTest::newRow("bto 3 values") << QByteArray("BTO:1,2,3;\n") << 1 << 60 << -1;
        QTest::newRow("unknown key skipped") << QByteArray("XYZ:1,2;\nSV:3;\n") << 0 << 3 << -1;
    }

    void readLines()
    {
        QFETCH(QByteArray, text);
        QFETCH(int, errorLine);
        QFETCH(int, volume);
        QFETCH(int, led0);
        Settings s;
        const configfile::ReadResult r = readText(text, s);
        QCOMPARE(r.error, errorLine ? Error::FieldCount : Error::None);
        QCOMPARE(r.line, errorLine);
        QCOMPARE(s.volume, volume);
        if (led0 >= 0)
            QCOMPARE(s.leds[0], led0);
    }

    // Each key reaches its field; the key map is clamped to 0..1; verbatim
    // lines are kept whole.
    void keysReachTheirFields()
    {
        Settings s;
        const QByteArray text = "BB:921600;\nBP:1500000;\nBS:921600;\nSP:10;\nSC:300;\nSD:5;\nSR:770;\n"
                                "RFC:1;\nRDC:2;\nRFM:3;\nUES:3;\nUFC:1;\nBTO:9,8,7,6;\n"
                                "RFK:2,-1," + QByteArray("1,").repeated(33) + ";\n"
                                "  IRK:1, 2 ;\nFDT:x;\n";
        QCOMPARE(readText(text, s).error, Error::None);
        QCOMPARE(s.baudBle, 921600);
        QCOMPARE(s.baudPc, 1500000);
        QCOMPARE(s.baudServo, 921600);
        QCOMPARE(s.autoPowerOff, 10);
        QCOMPARE(s.remoteChannel, 300);
        QCOMPARE(s.remoteBroadcast, 5);
        QCOMPARE(s.remoteMode, 770);
        QCOMPARE(s.boardChannel, 1);
        QCOMPARE(s.boardBroadcast, 2);
        QCOMPARE(s.boardMode, 3);
        QCOMPARE(s.useExtraServo, 3);
        QCOMPARE(s.fallCheck, 1);
        QCOMPARE(s.backToOrigin, (std::array<int, 4>{9, 8, 7, 6}));
        QCOMPARE(s.keyMap[0], 1);
        QCOMPARE(s.keyMap[1], 0);
        QCOMPARE(s.keyMap[34], 1);
        QCOMPARE(s.irKeyLine, QStringLiteral("IRK:1, 2 ;"));
        QCOMPARE(s.fallDetectLine, QStringLiteral("FDT:x;"));
    }

    void rateIndexes_data()
    {
        QTest::addColumn<int>("kind");  // 0 ble, 1 pc, 2 servo
        QTest::addColumn<int>("rate");
        QTest::addColumn<int>("index");
        QTest::newRow("ble 9600") << 0 << 9600 << 0;
        QTest::newRow("ble 57600") << 0 << 57600 << 3;
        QTest::newRow("ble 921600 is 115200") << 0 << 921600 << 4;
        QTest::newRow("pc 921600") << 1 << 921600 << 5;
        QTest::newRow("pc 1500000") << 1 << 1500000 << 6;
        QTest::newRow("pc other") << 1 << 7 << 6;
        QTest::newRow("servo 576000") << 2 << 576000 << 7;
        QTest::newRow("servo 921600") << 2 << 921600 << 8;
        QTest::newRow("servo 0") << 2 << 0 << 8;
    }

    void rateIndexes()
    {
        QFETCH(int, kind);
        QFETCH(int, rate);
        QFETCH(int, index);
        const int got = kind == 0 ? configfile::bleRateIndex(rate)
                        : kind == 1 ? configfile::pcRateIndex(rate)
                                    : configfile::servoRateIndex(rate);
        QCOMPARE(got, index);
        const int back = kind == 0 ? configfile::bleRate(index)
                         : kind == 1 ? configfile::pcRate(index)
                                     : configfile::servoRate(index);
        QVERIFY(back > 0);
        QCOMPARE(configfile::pcRate(-1), 9600);
    }

    // Random lines built from the file's own keys and characters: the reader
    // ends, reports a line inside the text and keeps the key map in 0..1.
    void randomInput()
    {
        const char *keys[] = {"SV:", "LED:", "BB:", "RFK:", "ROA:", "BTO:", "IRK:", "END:", "#", ""};
        const char alphabet[] = "0123456789,;-: \tabc\r\n";
        QRandomGenerator random(20261207);
        for (int round = 0; round < 3000; ++round) {
            QByteArray text;
            const int lines = random.bounded(1, 12);
            for (int l = 0; l < lines; ++l) {
                text += keys[random.bounded(int(sizeof keys / sizeof *keys))];
                const int n = random.bounded(0, 90);
                for (int i = 0; i < n; ++i)
                    text += alphabet[random.bounded(int(sizeof alphabet - 1))];
                text += '\n';
            }
            if (random.bounded(4) == 0)
                text[random.bounded(text.size())] = char(random.bounded(256));
            Settings s;
            const configfile::ReadResult r = readText(text, s);
            QVERIFY(r.line >= 0 && r.line <= text.count('\n') + text.count('\r') + 1);
            for (int v : s.keyMap)
                QVERIFY(v == 0 || v == 1);
            Settings again;
            QCOMPARE(readText(writeText(s), again).error, Error::None);
            // Random text is never taken for a whole configure file.
            QVERIFY(!configfile::isComplete(text));
        }
    }

    // A complete file is what the writer writes with every line the robot
    // keeps: anything less (cut short, a line missing or wrong, no end mark,
    // an empty line before the end, no robot lines) is named as incomplete.
    void completeness_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("missing");  // empty: complete
        const QByteArray whole = writeText(sample());
        QTest::newRow("written whole") << whole << QString();
        QTest::newRow("LF line ends") << QByteArray(whole).replace("\r\n", "\n") << QString();
        QTest::newRow("no empty last line") << whole.left(whole.size() - 2) << QString();
        QTest::newRow("empty") << QByteArray() << QStringLiteral("#This is a robot configure file.");
        QTest::newRow("cut at 216 bytes") << whole.left(216) << QStringLiteral("#remote auto power off time(S).");
        QTest::newRow("cut before the end mark") << whole.left(whole.indexOf("END:;")) << QStringLiteral("END:;");
        QTest::newRow("cut inside the end mark") << whole.left(whole.indexOf("END:;") + 3) << QStringLiteral("END:;");
        QTest::newRow("without the robot's lines") << writeText(Settings()) << QStringLiteral("IRK:");
        QTest::newRow("battery line missing") << QByteArray(whole).replace("BLN:6600,1;\r\n", "") << QStringLiteral("BLN:");
        QTest::newRow("line without its ;") << QByteArray(whole).replace("SV:45;", "SV:45") << QStringLiteral("SV:");
        QTest::newRow("empty line inside") << QByteArray(whole).replace("#Fall detect.\r\n", "\r\n#Fall detect.\r\n")
                                           << QStringLiteral("#Fall detect.");
    }
    void completeness()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, missing);
        const QString reason = configfile::incompleteness(content);
        if (missing.isEmpty())
            QCOMPARE(reason, QString());
        else
            QCOMPARE(reason, QStringLiteral("the received file is not a complete configure file (\"%1\" is missing)").arg(missing));
    }

    void completenessOfOddFiles()
    {
        const QByteArray whole = writeText(sample());
        QCOMPARE(configfile::incompleteness(whole.left(whole.size() - 2) + "SV:1;\r\n"),
                 QStringLiteral("the received file is not a complete configure file (it does not end with \"END:;\")"));
        QCOMPARE(configfile::incompleteness(QByteArray(whole).replace("LED:160,1,", "LED:160,")),
                 QStringLiteral("the received file is not a complete configure file (line 5 has a wrong number of values)"));
    }

    // A whole file is complete; a file lacking any data line, cut short
    // anywhere, without its end mark, with a wrong number of values, or with
    // an empty line before its end is not. A file written before any file
    // was read lacks the robot's own lines and is not complete either.
    void completeFiles()
    {
        const QByteArray whole = writeText(sample());
        QVERIFY(configfile::isComplete(whole));
        QVERIFY(configfile::isComplete(QByteArray(whole).replace("\r\n", "\n")));
        QVERIFY(!configfile::isComplete(QByteArray()));
        QVERIFY(!configfile::isComplete(writeText(Settings())));

        const QList<QByteArray> lines = whole.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            if (!lines[i].trimmed().endsWith(';'))
                continue;
            QList<QByteArray> without = lines;
            without.removeAt(i);
            QVERIFY2(!configfile::isComplete(without.join('\n')), lines[i].constData());
        }
        for (int cut = 0; cut < whole.indexOf("END:;"); cut += 7)
            QVERIFY2(!configfile::isComplete(whole.left(cut)), qPrintable(QString::number(cut)));
        QVERIFY(!configfile::isComplete(QByteArray(whole).replace("LED:160,1,", "LED:160,")));
        QVERIFY(!configfile::isComplete(QByteArray(whole).replace("#set volume.\r\n", "\r\n")));
        QVERIFY(!configfile::isComplete(QByteArray(whole).replace("END:;", "END:")));
        // Lines after the end mark's empty line are not read by the robot either.
        QVERIFY(configfile::isComplete(whole + "junk\r\n"));
    }

    // What rewriting a file (reading it, then writing what was read) would
    // lose: data lines after an empty line, where every reader stops, unless
    // the rewritten file holds the same line. A blank line after the key map
    // loses the robot's own lines and the limits; lines in another order, a
    // missing comment or end mark lose nothing.
    void linesLostByRewriting()
    {
        const QByteArray whole = writeText(sample());
        const auto rewrite = [](const QByteArray &content) {
            Settings s;
            configfile::readContent(content, s);
            return writeText(s);
        };
        int empty = -1;
        QVERIFY(configfile::linesLostByRewriting(whole, rewrite(whole), &empty).isEmpty());
        QCOMPARE(empty, 57);  // the writer's own last line

        const QByteArray cut = QByteArray(whole).replace("#IR key map", "\r\n#IR key map");
        const QVector<configfile::FileLine> lost = configfile::linesLostByRewriting(cut, rewrite(cut), &empty);
        QCOMPARE(empty, 28);
        QStringList keys;
        for (const configfile::FileLine &line : lost)
            keys << line.text.left(4);
        // ROA, RBD and RBU are written anew, but from other values; UES, UFC
        // and BTO too; the lines carried through are not written at all.
        QCOMPARE(keys, (QStringList{"IRK:", "RFO:", "FDL:", "FUL:", "ROA:", "RBD:", "RBU:", "UES:", "UFC:", "TSA:",
                                    "BTO:", "RAF:", "FDT:", "BLN:"}));
        QCOMPARE(lost.first().number, 30);
        QCOMPARE(lost.first().text, QStringLiteral("IRK:0,1,0;"));

        // After the empty line: a line the rewrite writes the same is kept;
        // comments, "END:;" and lines without ";" are no data.
        const QByteArray tail = "SV:60;\r\n\r\nSV:60;\r\n#c\r\nEND:;\r\nBLN:1\r\nXYZ:1;\r\n";
        QVERIFY(configfile::linesLostByRewriting(tail, rewrite(tail)).isEmpty());
        QVERIFY(configfile::linesLostByRewriting(QByteArray(), QByteArray(), &empty).isEmpty());
        QCOMPARE(empty, 0);
    }

    // The robot's own lines (carried through, never shown) that a file lacks
    // before its first empty line, in any order of the lines.
    void missingOwnLines()
    {
        const QByteArray whole = writeText(sample());
        QVERIFY(configfile::missingOwnLines(whole).isEmpty());
        QList<QByteArray> lines = whole.split('\n');
        std::reverse(lines.begin(), lines.end() - 2);
        QVERIFY(configfile::missingOwnLines(lines.join('\n')).isEmpty());
        QVERIFY(configfile::missingOwnLines(QByteArray(whole).replace("#set volume.\r\n", "")).isEmpty());
        QCOMPARE(configfile::missingOwnLines(QByteArray(whole).replace("FDT:3,4,5;", "FDT:3,4,5")),
                 QStringList{"FDT:"});
        QCOMPARE(configfile::missingOwnLines(QByteArray(whole).replace("#IR key map", "\r\n#IR")),
                 (QStringList{"IRK:", "RFO:", "FDL:", "FUL:", "TSA:", "RAF:", "FDT:", "BLN:"}));
        QCOMPARE(configfile::missingOwnLines("SV:5;\r\n").size(), 8);
    }

    // The bytes the reader and writer make from many seeded records and
    // texts, fingerprinted: any change of a key, its order, its values or
    // the settings pages' packing of them changes the fingerprint. Records
    // with values over and beyond every field's range, verbatim lines set or
    // empty; texts of the file's own lines with a value changed or cut.
    void bytesStayTheSame()
    {
        QRandomGenerator random(7121);
        QCryptographicHash hash(QCryptographicHash::Sha1);
        const auto any = [&] {
            switch (random.bounded(4)) {
            case 0: return random.bounded(-3, 16);
            case 1: return random.bounded(0, 1024);
            case 2: return random.bounded(-4000, 4000);
            default: return int(random.generate());
            }
        };
        const QByteArray whole = writeText(sample());
        for (int round = 0; round < 2000; ++round) {
            Settings s;
            s.volume = any();
            for (int &v : s.leds) v = any();
            s.baudBle = random.bounded(2) ? any() : 115200;
            s.baudPc = random.bounded(2) ? any() : 921600;
            s.baudServo = random.bounded(2) ? any() : 256000;
            s.autoPowerOff = any();
            s.remoteChannel = any();
            s.remoteBroadcast = any();
            s.remoteMode = any();
            s.boardChannel = any();
            s.boardBroadcast = any();
            s.boardMode = any();
            for (int &v : s.keyMap) v = any();
            for (auto *list : {&s.corrections, &s.minimums, &s.maximums})
                for (int &v : *list) v = any();
            s.useExtraServo = any();
            s.fallCheck = any();
            for (int &v : s.backToOrigin) v = any();
            for (QString *line : {&s.irKeyLine, &s.factoryOriginLine, &s.factoryDownLine, &s.factoryUpLine,
                                  &s.timeSpeedLine, &s.remoteAutoLine, &s.fallDetectLine, &s.batteryLine})
                if (random.bounded(3))
                    *line = QStringLiteral("XX:%1;").arg(any());
            hash.addData(writeText(s));
            hash.addData(writeText(configfile::shown(s)));

            QList<QByteArray> lines = whole.split('\n');
            QByteArray &line = lines[random.bounded(lines.size())];
            const int at = random.bounded(line.size() + 1);
            if (random.bounded(2))
                line = line.left(at) + QByteArray::number(any()) + line.mid(at);
            else
                line = line.left(at);
            const QByteArray text = lines.join('\n');
            Settings back;
            const configfile::ReadResult r = configfile::readContent(text, back);
            hash.addData(QByteArray::number(int(r.error)) + ' ' + QByteArray::number(r.line) + ' '
                         + QByteArray::number(r.dataLines));
            hash.addData(writeText(back));
            hash.addData(configfile::incompleteness(text).toUtf8());
            hash.addData(configfile::missingOwnLines(text).join(QLatin1Char(' ')).toUtf8());
        }
        QCOMPARE(hash.result().toHex(), QByteArray("20c5f17af898d34c31cdd8a4fb02c4c9b1fe2441"));
    }

    // The shipped factory file is the writer's own output from the factory
    // values, and complete.
    void factoryFile()
    {
        const Settings factory = configfile::factorySettings();
        QVERIFY(configfile::isComplete(writeText(factory)));
        QFile shipped(qEnvironmentVariable("GAITFORGE_TEST_DATA") + QStringLiteral("/../../resources/robotcfg_factory.ini"));
        QVERIFY2(shipped.open(QIODevice::ReadOnly), qPrintable(shipped.fileName()));
        QCOMPARE(shipped.readAll(), writeText(factory));
        // What the settings pages show at start.
        QCOMPARE(factory.volume, 60);
        QCOMPARE(factory.autoPowerOff, 300);
        QCOMPARE(factory.baudBle, 9600);
    }
};

QTEST_GUILESS_MAIN(TestConfigFile)
#include "tst_configfile.moc"
