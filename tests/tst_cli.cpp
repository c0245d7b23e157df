// gaitforge-cli run as a process: check, normalize and dump on files written
// by hand and on files written by the program's own writer.

#include <QtTest>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextCodec>

#include <cstdio>

#include "support/beatmusic.h"

class TestCli : public QObject
{
    Q_OBJECT

    QString cli = QString::fromLocal8Bit(qgetenv("GAITFORGE_CLI"));
    QTemporaryDir dir;

    struct Run {
        int status;
        QString out;
        QString err;
    };
    Run run(const QStringList &args)
    {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start(cli, args);
        if (!process.waitForFinished(20000))
            return {-1, QString(), QStringLiteral("timeout")};
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
    }
    QString file(const QString &name, const QByteArray &bytes)
    {
        QFile f(dir.filePath(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return name;
    }
    QByteArray contents(const QString &name)
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }

    static QByteArray angles(const char *value = "0")
    {
        QByteArrayList list;
        for (int i = 0; i < 19; ++i)
            list << value;
        return list.join(',');
    }
    // As a person types it: LF line ends, comments, blanks, no end record.
    static QByteArray handWritten()
    {
        return "# wave hello\n"
               "FLP:65535;\n"
               "  LPS:2;\n"
               "LED:81,0,0,0,0,0,0,0,0;\n"
               "FR:1, 60,600,100,61445," + angles("-100") + ";\n"
               "\t\n"
               "FR:1,60,600,100,0," + angles() + ";\n"
               "LPE:;\n";
    }
    // The same motion as the program writes it.
    static QByteArray handWrittenNormalized()
    {
        return "#This is a robot operation file.\r\n"
               "FLP:65535;\r\n"
               "LPS:2;\r\n"
               "LED:81,0,0,0,0,0,0,0,0;\r\n"
               "FR:1, 60,600,100,61445," + angles("-100") + ";\r\n"
               "FR:1,60,600,100,0," + angles() + ";\r\n"
               "LPE:;\r\n"
               "END:;\r\n"
               "\r\n";
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo(cli).isExecutable(), "run through CTest (GAITFORGE_CLI)");
        QVERIFY(dir.isValid());
    }

    void checkGoodAndBadFiles()
    {
        const QString good = file(QStringLiteral("good.ini"), handWritten());
        const QString bad = file(QStringLiteral("bad.ini"), "#This is a robot operation file.\nFLP:0;\nFR:1,2,3;\n");
        const QString open = file(QStringLiteral("open.ini"), "LPS:1;\nFR:1,60,600,100,0," + angles() + ";\n");
        const QString unmatched
            = file(QStringLiteral("unmatched.ini"), "FR:1,60,600,100,0," + angles() + ";\nLPE:;\nEND:;\n");

        Run r = run({QStringLiteral("check"), good});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("good.ini: ok, 2 frames\n"));

        // A file refused is said on the error stream.
        r = run({QStringLiteral("check"), good, bad, open, unmatched});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral("good.ini: ok, 2 frames\n"));
        QCOMPARE(r.err, QStringLiteral("bad.ini: Error in line:3\n"
                                       "open.ini: Error loop!\n"
                                       "unmatched.ini: Loop key line error in line:3; Error loop!\n"));
    }

    // Frames and joints outside a configure file's user limits, with their
    // lines; servo 6 limited to -300..450, the others on the default range.
    void checkLimits()
    {
        QByteArray rbd = "RBD:", rbu = "RBU:";
        for (int servo = 2; servo <= 20; ++servo) {
            rbd += (servo == 6 ? "-300" : "0") + QByteArray(servo < 20 ? "," : ";\n");
            rbu += (servo == 6 ? "450" : "0") + QByteArray(servo < 20 ? "," : ";\n");
        }
        const QString config = file(QStringLiteral("robotcfg.ini"), "#This is a robot configure file.\n" + rbd + rbu);
        const QString within = file(QStringLiteral("within.ini"), handWritten());
        QByteArray far = angles();
        far.replace(0, 10, "1351,0,0,0,451,");
        const QString outside = file(QStringLiteral("outside.ini"),
                                     "# two poses\nFLP:0;\nLPS:1;\nFR:1,60,600,100,0," + angles() + ";\n"
                                     "FR:1,60,600,100,0," + far + ";\nLPE:;\nEND:;\n");
        Run r = run({QStringLiteral("check"), QStringLiteral("--limits"), config, within, outside});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral("within.ini: ok, 2 frames within the limits\n"
                                       "outside.ini:5: frame 2: servo 2 at 1351, outside -1350..1350 (default range)\n"
                                       "outside.ini:5: frame 2: servo 6 at 451, outside -300..450\n"
                                       "outside.ini: 1 of 2 frames outside the limits\n"));
        r = run({QStringLiteral("check"), QStringLiteral("--limits"), config, within});
        QCOMPARE(r.status, 0);
        // Nothing stored changes.
        QCOMPARE(contents(within), handWritten());
        r = run({QStringLiteral("check"), QStringLiteral("--limits"), QStringLiteral("nothing.ini"), within});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("nothing.ini: cannot read the configure file\n"));
    }

    // The balance margin of each frame: both feet at rest, the right leg
    // lifted with the robot rolled over the left foot, lifted alone (it
    // tips), and leaning forward to the toes.
    // Easing on files: the moves of the rows asked for are split into steps
    // that add up to their times, the loop and music marks stay on their
    // frames, and what is written opens and is written again byte for byte.
    void easeBakesStepsIntoAFile()
    {
        const QByteArray motion = "#This is a robot operation file.\r\n"
                                  "FLP:65535;\r\n"
                                  "FR:1,60,600,100,0," + angles("0") + ";\r\n"
                                  "LPS:2;\r\n"
                                  "FR:1,60,999,100,61445," + angles("300") + ";\r\n"
                                  "FR:1,60,30001,250,0," + angles("-300") + ";\r\n"
                                  "LPE:;\r\n"
                                  "FR:1,60,7,100,0," + angles("0") + ";\r\n"
                                  "END:;\r\n\r\n";
        file(QStringLiteral("four.ini"), motion);
        Run r = run({QStringLiteral("ease"), QStringLiteral("--curve"), QStringLiteral("smoothstep"),
                     QStringLiteral("--steps"), QStringLiteral("8"), QStringLiteral("--rows"), QStringLiteral("2-3"),
                     QStringLiteral("four.ini"), QStringLiteral("eased.ini")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("eased.ini: 2 moves eased, 14 frames added, 18 frames\n"));

        r = run({QStringLiteral("dump"), QStringLiteral("eased.ini")});
        QCOMPARE(r.status, 0);
        QVector<QStringList> rows;
        for (const QString &line : r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
            rows << line.split(QLatin1Char(' '));
        QCOMPARE(rows.size(), 18);
        auto value = [&](int row, int column) { return rows[row][column].toInt(); };
        int first = 0;
        int second = 0;
        for (int row = 1; row <= 8; ++row)
            first += value(row, 19);
        for (int row = 9; row <= 16; ++row)
            second += value(row, 19);
        QCOMPARE(first, 999);
        QCOMPARE(second, 30001);
        // Loop start and music on the frame that had them (the last step of
        // its move), the loop end on its own; delays only on those frames.
        for (int row = 1; row < 18; ++row) {
            QCOMPARE(value(row, 21), row == 8 ? 1 : row == 16 ? 2 : 0);
            QCOMPARE(value(row, 23), row == 8 ? 3 : 0);
            QCOMPARE(value(row, 20), row == 8 ? 100 : row == 16 ? 250 : row == 17 ? 100 : 0);
        }
        QCOMPARE(value(8, 0), 300);
        QCOMPARE(value(16, 0), -300);
        QCOMPARE(value(17, 19), 7);  // outside the rows: as it was
        const QByteArray eased = contents(QStringLiteral("eased.ini"));
        QVERIFY(eased.startsWith("#This is a robot operation file.\r\nFLP:65535;\r\n"));

        // The program's reader and writer give the same file back.
        r = run({QStringLiteral("normalize"), QStringLiteral("eased.ini"), QStringLiteral("again.ini")});
        QCOMPARE(r.status, 0);
        QCOMPARE(contents(QStringLiteral("again.ini")), eased);

        // A move too short for its steps: refused with the reason, nothing written.
        r = run({QStringLiteral("ease"), QStringLiteral("--curve"), QStringLiteral("ease-in"), QStringLiteral("--steps"),
                 QStringLiteral("2"), QStringLiteral("four.ini"), QStringLiteral("short.ini")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("four.ini: The move into frame 4 takes 7 ms, too short for 2 steps of at least "
                                       "20 ms each: it cannot be split.\n"));
        QCOMPARE(contents(QStringLiteral("short.ini")), QByteArray("<missing>"));

        // The figures of each curve.
        r = run({QStringLiteral("ease"), QStringLiteral("--accuracy")});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.contains(QRegularExpression(QStringLiteral("\nsmoothstep +3\\.\\d+% +1\\.0\\d+% +0\\.\\d+%\n"))),
                 qPrintable(r.out));
    }

    void balanceMarginsOfEveryFrame()
    {
        auto frame = [](std::initializer_list<std::pair<int, int>> joints) {
            QByteArrayList list;
            for (int i = 0; i < 19; ++i)
                list << "0";
            for (const auto &j : joints)
                list[j.first - 2] = QByteArray::number(j.second);
            return "FR:1,60,600,100,0," + list.join(',') + ";\n";
        };
        const QString walk = file(QStringLiteral("walk.ini"), "# a step\nFLP:0;\n" + frame({})
                                                                  + frame({{15, 200}, {10, 120}}) + frame({{15, 200}})
                                                                  + frame({{15, 200}, {10, 120}, {9, 150}}) + "END:;\n");
        const QString still = file(QStringLiteral("still.ini"), "FR:1,60,600,100,0," + angles() + ";\n");
        Run r = run({QStringLiteral("balance"), walk, still});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral("walk.ini:3: frame 1: margin 24.1 mm both feet\n"
                                       "walk.ini:4: frame 2: margin 15.0 mm left foot\n"
                                       "walk.ini:5: frame 3: margin -12.8 mm left foot\n"
                                       "walk.ini:6: frame 4: margin 1.0 mm left foot\n"
                                       "still.ini:1: frame 1: margin 24.1 mm both feet\n"));
        QCOMPARE(r.err, QString());
        r = run({QStringLiteral("balance"), still});
        QCOMPARE(r.status, 0);
        // The body-centre tree holds the body level: its right leg is 1.4 mm
        // shorter, so the robot rests on the left foot alone.
        r = run({QStringLiteral("balance"), QStringLiteral("--support"), QStringLiteral("body"), still});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QStringLiteral("still.ini:1: frame 1: margin -12.8 mm left foot\n"));
        // A heavy head: the centre rises, the lean to the toes tips.
        const QString masses = file(QStringLiteral("masses"), "head=600;\r\n");
        r = run({QStringLiteral("balance"), QStringLiteral("--masses"), masses, walk});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.out.endsWith(QStringLiteral("walk.ini:6: frame 4: margin -3.1 mm left foot\n")), qPrintable(r.out));
        // What cannot be read is said once, on the error stream.
        file(QStringLiteral("bad-masses"), "head=600;\r\nneck=3;\r\n");
        r = run({QStringLiteral("balance"), QStringLiteral("--masses"), QStringLiteral("bad-masses"), walk});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("bad-masses: not a mass in line 2\n"));
        r = run({QStringLiteral("balance"), QStringLiteral("nothing.ini"), still});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("nothing.ini: cannot read the file\n"));
        QCOMPARE(r.out, QStringLiteral("still.ini:1: frame 1: margin 24.1 mm both feet\n"));
    }

    void checkMissingAndUnreadableFiles()
    {
        QDir(dir.path()).mkpath(QStringLiteral("folder.ini"));
        const Run r = run({QStringLiteral("check"), QStringLiteral("missing.ini"), QStringLiteral("folder.ini")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("missing.ini: no such file\nfolder.ini: cannot read the file\n"));
    }

    void normalizeWritesWhatTheProgramWrites()
    {
        const QString in = file(QStringLiteral("hand.ini"), handWritten());
        Run r = run({QStringLiteral("normalize"), in, QStringLiteral("out.ini")});
        QCOMPARE(r.status, 0);
        QCOMPARE(contents(QStringLiteral("out.ini")), handWrittenNormalized());
        // A normalized file stays as it is, also when written over itself.
        r = run({QStringLiteral("normalize"), QStringLiteral("out.ini"), QStringLiteral("out.ini")});
        QCOMPARE(r.status, 0);
        QCOMPARE(contents(QStringLiteral("out.ini")), handWrittenNormalized());
        r = run({QStringLiteral("check"), QStringLiteral("out.ini")});
        QCOMPARE(r.out, QStringLiteral("out.ini: ok, 2 frames\n"));
    }

    void normalizeRefusesBadFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("message");
        QTest::newRow("field count") << QByteArray("#\n#\nFR:1,2;\n") << "Error in line:3";
        // The table holds one loop mark per frame: a one-frame loop is
        // refused on reading, with its line, not written as something else.
        QTest::newRow("loop end on its own start")
            << QByteArray("LPS:1;\nFR:1,60,600,100,0," + angles() + ";\nLPE:;\n")
            << "Unsupported loop mark (a loop spans at least two frames, a frame holds one mark) in line:3";
        QTest::newRow("not a motion") << QByteArray("# README\n\nSome text.\n") << "not a robot operation file";
    }
    void normalizeRefusesBadFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, message);
        const QString in = file(QStringLiteral("refused.ini"), bytes);
        file(QStringLiteral("target.ini"), "old");
        const Run r = run({QStringLiteral("normalize"), in, QStringLiteral("target.ini")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("refused.ini: ") + message + '\n');
        QCOMPARE(contents(QStringLiteral("target.ini")), QByteArray("old"));
    }

    void normalizeReportsAnUnwritableTarget()
    {
        const QString in = file(QStringLiteral("w.ini"), handWritten());
        const Run r = run({QStringLiteral("normalize"), in, QStringLiteral("no/such/folder/out.ini")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("no/such/folder/out.ini: cannot write the file")), qPrintable(r.err));
    }

    // Files that are no motion, or cut short, are refused with exit status 1;
    // numbers read as 0 are warned about with their line.
    void checkRefusesWhatIsNoMotionAndWarnsOfNumbers()
    {
        const QByteArray fr = "FR:1,60,600,100,0," + angles() + ";";
        file(QStringLiteral("README.md"), "# gaitForge\n\nA desktop control centre.\n");
        file(QStringLiteral("song.ini"), QByteArray("ID3\x04\0\0\0\0\0\x23\xff\xfb\x90\x64\0\0\0\0", 19));
        file(QStringLiteral("empty.ini"), "");
        file(QStringLiteral("cut.ini"), "#This is a robot operation file.\r\nFLP:0;\r\n" + fr + "\r\n" + fr.left(30));
        file(QStringLiteral("numbers.ini"), "FLP:0;\n" + fr + "\nFR:1,99999999999,600,100,0," + angles() + ";\n"
                                                + "LED:81,0,0,0,0,0,0,0,300;\nFR:1,60,600,100,0," + angles("2147483648")
                                                + ";\nEND:;\n");
        // A configure file: no frame, the keys of another file.
        file(QStringLiteral("robotcfg.ini"), "#This is a robot configure file.\r\n#set volume.\r\nSV:60;\r\n"
                                             "LED:0,0,0,0,0,0,0,0,0;\r\nBB:9600;\r\nEND:;\r\n");
        Run r = run({QStringLiteral("check"), QStringLiteral("README.md"), QStringLiteral("song.ini"),
                     QStringLiteral("empty.ini"), QStringLiteral("cut.ini"), QStringLiteral("robotcfg.ini")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("README.md: not a robot operation file\n"
                                       "song.ini: not a robot operation file\n"
                                       "empty.ini: not a robot operation file\n"
                                       "cut.ini: Error in line:4\n"
                                       "robotcfg.ini: not a robot operation file\n"));
        r = run({QStringLiteral("check"), QStringLiteral("robotcfg.ini")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("robotcfg.ini: not a robot operation file\n"));
        r = run({QStringLiteral("check"), QStringLiteral("numbers.ini")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("numbers.ini:3: warning: number out of range or not a number, read as 0\n"
                                       "numbers.ini:4: warning: number out of range or not a number, read as 0\n"
                                       "numbers.ini:5: warning: number out of range or not a number, read as 0\n"
                                       "numbers.ini: ok, 3 frames\n"));
        // Normalized, the numbers are the 0 they read as; nothing wraps round.
        r = run({QStringLiteral("normalize"), QStringLiteral("numbers.ini"), QStringLiteral("numbers-out.ini")});
        QCOMPARE(r.status, 0);
        const QByteArray out = contents(QStringLiteral("numbers-out.ini"));
        QVERIFY2(!out.contains("99999999999") && !out.contains("1215752191") && !out.contains("2147483648"),
                 out.constData());
        QVERIFY(out.contains("FR:1,0,600,100,0,"));
    }

    // "normalize IN IN" on a file it cannot save as read leaves it as it was.
    void normalizeOverItselfKeepsARefusedFile()
    {
        const QByteArray fr = "FR:1,60,600,100,0," + angles() + ";\n";
        const QByteArray twoEnds = "LPS:1;\n" + fr + "LPS:1;\n" + fr + fr + "LPE:;\nLPE:;\n";
        file(QStringLiteral("twoends.ini"), twoEnds);
        const Run r = run({QStringLiteral("normalize"), QStringLiteral("twoends.ini"), QStringLiteral("twoends.ini")});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.endsWith(QStringLiteral("in line:7\n")), qPrintable(r.err));
        QCOMPARE(contents(QStringLiteral("twoends.ini")), twoEnds);
    }

    // File names are taken as the bytes given: a Latin-1 name (not valid
    // UTF-8) is found, written and printed back as it was given.
    void namesThatAreNotUtf8()
    {
        const QByteArray folder = QFile::encodeName(dir.path());
        const QByteArray in = folder + "/caf\xe9.ini";
        {
            const QByteArray content = handWritten();
            FILE *f = std::fopen(in.constData(), "wb");
            QVERIFY(f);
            std::fwrite(content.constData(), 1, size_t(content.size()), f);
            std::fclose(f);
        }
        // The arguments go through the shell as bytes (QProcess would encode them as text).
        auto sh = [&](const QByteArray &script) {
            QProcess process;
            process.setWorkingDirectory(dir.path());
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("CLI"), cli);
            process.setProcessEnvironment(env);
            process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromLatin1(script)});
            process.waitForFinished(20000);
            return qMakePair(process.exitCode(), process.readAllStandardOutput() + process.readAllStandardError());
        };
        auto r = sh("\"$CLI\" check \"$(printf 'caf\\351.ini')\"");
        QCOMPARE(r.first, 0);
        QCOMPARE(r.second, QByteArray("caf\xe9.ini: ok, 2 frames\n"));
        r = sh("\"$CLI\" normalize \"$(printf 'caf\\351.ini')\" \"$(printf 'd\\351j\\340.ini')\"");
        QCOMPARE(r.first, 0);
        std::FILE *f = std::fopen((folder + "/d\xe9j\xe0.ini").constData(), "rb");
        QVERIFY2(f, "the output under its own name");
        QByteArray written(4096, '\0');
        written.resize(int(std::fread(written.data(), 1, size_t(written.size()), f)));
        std::fclose(f);
        QCOMPARE(written, handWrittenNormalized());
        r = sh("\"$CLI\" dump \"$(printf 'caf\\351.ini')\"");
        QCOMPARE(r.first, 0);
        QCOMPARE(r.second.count('\n'), 2);
    }

    void dumpLinesAndJson()
    {
        const QString in = file(QStringLiteral("dump.ini"), handWritten());
        Run r = run({QStringLiteral("dump"), in});
        QCOMPARE(r.status, 0);
        const QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        const QStringList first = lines[0].split(' ');
        QCOMPARE(first.size(), 46);
        QCOMPARE(first.mid(17, 12), QStringList({"-100", "-100", "600", "100", "1", "2", "3", "1", "1", "5", "60", "5"}));
        QCOMPARE(first[29], QStringLiteral("1"));
        QCOMPARE(lines[1].split(' ')[21], QStringLiteral("2"));

        r = run({QStringLiteral("dump"), QStringLiteral("--json"), in});
        QCOMPARE(r.status, 0);
        QJsonParseError error;
        const QJsonObject doc = QJsonDocument::fromJson(r.out.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(doc.value(QStringLiteral("loopKey")).toBool(), true);
        const QJsonArray frames = doc.value(QStringLiteral("frames")).toArray();
        QCOMPARE(frames.size(), 2);
        const QJsonObject f = frames[0].toObject();
        QCOMPARE(f.value(QStringLiteral("angles")).toArray().size(), 19);
        QCOMPARE(f.value(QStringLiteral("angles")).toArray()[0].toInt(), -100);
        QCOMPARE(f.value(QStringLiteral("operationTime")).toInt(), 600);
        QCOMPARE(f.value(QStringLiteral("delayTime")).toInt(), 100);
        QCOMPARE(f.value(QStringLiteral("volume")).toInt(), 60);
        QCOMPARE(f.value(QStringLiteral("loopFlag")).toInt(), 1);
        QCOMPARE(f.value(QStringLiteral("loopTimes")).toInt(), 2);
        const QJsonObject music = f.value(QStringLiteral("music")).toObject();
        QCOMPARE(music.value(QStringLiteral("control")).toInt(), 3);
        QCOMPARE(music.value(QStringLiteral("type")).toInt(), 1);
        QCOMPARE(music.value(QStringLiteral("folder")).toInt(), 1);
        QCOMPARE(music.value(QStringLiteral("file")).toInt(), 5);
        const QJsonArray leds = f.value(QStringLiteral("leds")).toArray();
        QCOMPARE(leds.size(), 9);
        QCOMPARE(leds[0].toObject().value(QStringLiteral("brightness")).toInt(), 5);
        QCOMPARE(leds[0].toObject().value(QStringLiteral("frequency")).toInt(), 1);

        r = run({QStringLiteral("dump"), QStringLiteral("missing.ini")});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("missing.ini: no such file\n"));
    }

    // A transfer file list: where each row goes, or why it would not be sent;
    // every row is looked at, and skipped lines are reported.
    void transferList()
    {
        file("a.ini", "x");
        const QString a = dir.filePath("a.ini");
        const QByteArray good = "one,remote motion file,yes,A,B,------,------," + a.toUtf8() + ",sd card\n"
                                "two,remote motion file,no,BACK,------,------,------," + a.toUtf8() + ",flash\n"
                                "three,fall motion file,------,------,------,fall back,------," + a.toUtf8() + ",sd card\n"
                                "four,common file,------,------,------,------,song.mp3," + a.toUtf8() + ",flash\n";
        file("good.lst", good);
        Run r = run({"list", "good.lst"});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QStringLiteral("1: 1:/robotsys/RF_remote3_2.ini <- %1\n2: 1:/robotsys/RF_remote5.ini <- %1\n"
                                       "3: 0:/robotsys/fallback.ini <- %1\n4: 1:/robotsys/song.mp3 <- %1\n").arg(a));
        // A row in the wrong form is normalised first: its fall type goes.
        file("bad.lst", good + "skip,common file,,x,x,x,x,x,x\n"
                               "five,remote motion file,yes,A,A,------,------,a.ini,flash\n"
                               "six,remote motion file,no,Q,------,------,------,a.ini,flash\n"
                               "seven,remote motion file,perhaps,A,B,------,------,a.ini,flash\n"
                               "eight,fall motion file,------,A,------,------,------,a.ini,flash\n"
                               "nine,common file,------,------,------,------,x.mp3,missing.mp3,flash\n"
                               "ten,remote motion file,no,LT,fall left,------,------," + a.toUtf8() + ",nowhere\n");
        r = run({"list", "bad.lst"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("line 5 skipped: 8 fields\n"));
        QCOMPARE(r.out.split('\n').mid(4), (QStringList{"5: Combination key error.", "6: Remote key error.",
                                                         "7: Empty combination.", "8: not sent",
                                                         "9: The file missing.mp3 cannot be read.",
                                                         "10: 1:/robotsys/RF_remote22.ini <- " + a, ""}));
        r = run({"list", "none.lst"});
        QCOMPARE(r.status, 1);

        // Rows the robot cannot take, or that write a file an earlier row
        // writes, are named with their row.
        file("clash.lst", "one,remote motion file,no,A,------,------,------," + a.toUtf8() + ",flash\n"
                          "two,remote motion file,no,A,------,------,------," + a.toUtf8() + ",sd card\n"
                          "three,common file,------,------,------,------,------," + a.toUtf8() + ",flash\n"
                          "four,common file,------,------,------,------,music/x.mp3," + a.toUtf8() + ",flash\n"
                          "five,common file,------,------,------,------," + QByteArray(115, 'n') + "," + a.toUtf8()
                              + ",flash\n");
        r = run({"list", "clash.lst"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out.split('\n'),
                 (QStringList{"1: 1:/robotsys/RF_remote3.ini <- " + a,
                              "2: the robot file 1:/robotsys/RF_remote3.ini is written by row 1 already.",
                              "3: the common file has no name (\"------\"); enter the name it is to have on the robot.",
                              "4: the common file name \"music/x.mp3\" is not a plain file name; the robot takes no "
                              "\"/\" or \"\\\" in a name, nor \".\" or \"..\".",
                              "5: the robot cannot take the file name \"" + QString(115, 'n')
                                  + "\": its robot path has 127 bytes, and a path may have at most 126.",
                              ""}));

        // A list an older program wrote on a Chinese system (GB18030): the
        // Chinese source path names its file.
        const QString chinese = dir.filePath(QStringLiteral("挥手.ini"));
        QFile::copy(dir.filePath("a.ini"), chinese);
        QTextCodec *gb = QTextCodec::codecForName("GB18030");
        file("old.lst", gb->fromUnicode(QStringLiteral("挥手,remote motion file,no,A,------,------,------,%1,flash\r\n")
                                            .arg(chinese)));
        r = run({"list", "old.lst"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("1: 1:/robotsys/RF_remote3.ini <- ")), qPrintable(r.out));

        // A file none of whose lines is a row is no list.
        file("motion.lst", "FR:1,60,600;\nEND:;\n");
        r = run({"list", "motion.lst"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("line 1 skipped: 3 fields\nline 2 skipped: 1 fields\n"
                                       "motion.lst: not a transfer file list: no line has the 9 fields of a row\n"));
        // An empty file is an empty list.
        file("empty.lst", "");
        QCOMPARE(run({"list", "empty.lst"}).status, 0);
    }

    // The tempo and beats of generated dance music (a kick on each beat,
    // hi-hats on the off-beats, a held chord and noise), as WAV and as MP3.
    void beatsOfGeneratedMusic_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<double>("bpm");
        QTest::addColumn<double>("firstBeatMs");
        QTest::newRow("wav, 128 BPM from 230 ms") << "dance.wav" << 128.0 << 230.0;
        QTest::newRow("mp3, 97 BPM from 610 ms") << "dance.mp3" << 97.0 << 610.0;
    }
    void beatsOfGeneratedMusic()
    {
        QFETCH(QString, name);
        QFETCH(double, bpm);
        QFETCH(double, firstBeatMs);
        beatmusic::Song song;
        song.bpm = bpm;
        song.firstBeatMs = firstBeatMs;
        song.seconds = 30;
        const QString wav = dir.filePath(name + QStringLiteral(".source.wav"));
        QVERIFY(beatmusic::writeWav(wav, song));
        if (name.endsWith(QLatin1String(".mp3")))
            QVERIFY(beatmusic::encodeMp3(wav, dir.filePath(name)));
        else
            QVERIFY(QFile::copy(wav, dir.filePath(name)));
        const Run r = run({"beats", name});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        QStringList lines = r.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QVERIFY(!lines.isEmpty());
        const QString tempo = lines.takeFirst();
        QVERIFY2(QRegularExpression(QStringLiteral("^tempo: \\d+\\.\\d{3} BPM$")).match(tempo).hasMatch(), qPrintable(tempo));
        QVERIFY2(qAbs(tempo.mid(7, tempo.size() - 11).toDouble() - bpm) <= bpm * 0.001, qPrintable(tempo));
        // One line per beat of the song, each within 10 ms of it.
        const QVector<double> beats = song.beats();
        QCOMPARE(lines.size(), beats.size());
        for (int i = 0; i < beats.size(); ++i)
            QVERIFY2(qAbs(lines[i].toDouble() - beats[i]) <= 10, qPrintable(lines[i]));
    }

    void beatsNotFound()
    {
        // Noise: no steady beat.
        beatmusic::Song noise;
        noise.kick = noise.hat = noise.chord = 0;
        noise.noise = 3;
        noise.seconds = 20;
        QVERIFY(beatmusic::writeWav(dir.filePath(QStringLiteral("noise.wav")), noise));
        Run r = run({"beats", "noise.wav"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("noise.wav: No steady beat was found in the music.\n"));
        // 120 BPM, its half and its double all outside the range.
        beatmusic::Song song;
        song.seconds = 20;
        QVERIFY(beatmusic::writeWav(dir.filePath(QStringLiteral("120.wav")), song));
        r = run({"beats", "--min-bpm", "130", "--max-bpm", "200", "120.wav"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("120.wav: The beat of the music lies outside 130 to 200 BPM.\n"));
        // Within a range of its own the same song has a grid.
        r = run({"beats", "--min-bpm", "40", "--max-bpm", "70", "120.wav"});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.out.startsWith(QStringLiteral("tempo: 60.0")), qPrintable(r.out));
        // No file, and a file that is no music.
        r = run({"beats", "missing.mp3"});
        QCOMPARE(r.status, 1);
        QCOMPARE(r.err, QStringLiteral("missing.mp3: no such file\n"));
        file(QStringLiteral("text.mp3"), "this is no music\n");
        r = run({"beats", "text.mp3"});
        QCOMPARE(r.status, 1);
        QVERIFY2(r.err.startsWith(QStringLiteral("text.mp3: cannot decode the music: ")), qPrintable(r.err));
    }

    // decode: a stream from a file, or one frame from standard input, each as
    // the packet monitor decodes it; thrown-away bytes give status 1.
    void decodeHex()
    {
        file(QStringLiteral("stream.txt"),
             "AA 55 80 01 00 05 08 01 02 8F AA 81\n"
             "aa5500058001 0a 03 02 01 2c a3 aa 81 77\n"
             "send:aa 55 80 1 0 5 a 2 2 1 2c a3 aa 81\n");
        const Run stream = run({QStringLiteral("decode"), QStringLiteral("stream.txt")});
        QCOMPARE(stream.status, 1);
        QCOMPARE(stream.out, QStringLiteral("Read Speed host -> servo 5, checksum ok\n"
                                            "discarded: bad checksum, 15 bytes: AA 55 00 05 80 01 0A 03 02 01 2C A3 AA 81 77"
                                            " | Answer Speed servo 5 -> host Speed=300, bad checksum\n"
                                            "Write Speed host -> servo 5 Speed=300, checksum ok\n"));

        QProcess process;
        process.start(cli, {QStringLiteral("decode")});
        process.write("AA 55 00 05 80 01 0A 03 02 01 2C A2 AA 81\n");
        process.closeWriteChannel();
        QVERIFY(process.waitForFinished(20000));
        QCOMPARE(process.exitCode(), 0);
        QCOMPARE(QString::fromUtf8(process.readAllStandardOutput()),
                 QStringLiteral("Answer Speed servo 5 -> host Speed=300, checksum ok\n"));

        file(QStringLiteral("notHex.txt"), "AA 55\nAA 5G\n");
        const Run notHex = run({QStringLiteral("decode"), QStringLiteral("notHex.txt")});
        QCOMPARE(notHex.status, 1);
        QVERIFY2(notHex.err.contains(QStringLiteral("notHex.txt:2: not hexadecimal bytes")), qPrintable(notHex.err));
    }

    void helpAndWrongArguments_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("expected");
        QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage:";
        QTest::newRow("nothing") << QStringList{} << 2 << "missing command";
        QTest::newRow("unknown") << QStringList{"frobnicate"} << 2 << "unknown command 'frobnicate'";
        QTest::newRow("check without files") << QStringList{"check"} << 2 << "check: no file given";
        QTest::newRow("normalize with one file") << QStringList{"normalize", "a.ini"} << 2 << "normalize:";
        QTest::newRow("dump with two files") << QStringList{"dump", "a.ini", "b.ini"} << 2 << "dump:";
        QTest::newRow("list without a file") << QStringList{"list"} << 2 << "list:";
        QTest::newRow("beats without music") << QStringList{"beats"} << 2 << "beats: give exactly one music file";
        QTest::newRow("beats, two files") << QStringList{"beats", "a.mp3", "b.mp3"} << 2 << "beats: give exactly";
        QTest::newRow("beats, tempo missing") << QStringList{"beats", "a.mp3", "--min-bpm"} << 2
                                              << "beats: --min-bpm takes a tempo from 20 to 400 BPM";
        QTest::newRow("beats, tempo not a number") << QStringList{"beats", "--max-bpm", "fast", "a.mp3"} << 2
                                                   << "beats: --max-bpm takes a tempo";
        QTest::newRow("beats, range upside down") << QStringList{"beats", "--min-bpm", "150", "--max-bpm", "90", "a.mp3"}
                                                  << 2 << "beats: the lowest tempo must lie below the highest";
        QTest::newRow("balance without a file") << QStringList{"balance"} << 2 << "balance: no motion file given";
        QTest::newRow("balance on a hand") << QStringList{"balance", "--support", "hand", "a.ini"} << 2
                                           << "balance: --support is left, right or body";
        QTest::newRow("balance, unknown option") << QStringList{"balance", "--mass", "m", "a.ini"} << 2
                                                 << "balance: unknown option '--mass'";
        QTest::newRow("ease, unknown curve") << QStringList{"ease", "--curve", "bouncy", "--steps", "4", "a.ini", "b.ini"}
                                             << 2 << "ease: --curve is linear, ease-in, ease-out, smoothstep or cubic-in-out";
        QTest::newRow("ease without steps") << QStringList{"ease", "--curve", "linear", "a.ini", "b.ini"} << 2
                                            << "ease: --steps is missing";
        QTest::newRow("ease, rows upside down") << QStringList{"ease", "--curve", "linear", "--steps", "4", "--rows",
                                                               "5-2", "a.ini", "b.ini"}
                                                << 2 << "ease: --rows takes A-B";
        QTest::newRow("ease, one file") << QStringList{"ease", "--curve", "linear", "--steps", "4", "a.ini"} << 2
                                        << "ease: give exactly one input and one output file";
        QTest::newRow("decode, two files") << QStringList{"decode", "a.txt", "b.txt"} << 2
                                           << "decode: give at most one file";
    }
    void helpAndWrongArguments()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, expected);
        const Run r = run(args);
        QCOMPARE(r.status, status);
        QVERIFY2((status == 0 ? r.out : r.err).contains(expected), qPrintable(r.out + r.err));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
