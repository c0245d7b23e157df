// Rules of the transfer file list: the form of a row after a change, key
// numbers, robot file names, what the send step makes of a row, and the list
// file read and written.

#include <QRandomGenerator>
#include <QTextCodec>
#include <QtTest>

#include "files/transferrows.h"

using namespace transferrows;

namespace {
const QString P = QStringLiteral("------");

Row row(const QString &type, const QString &combination, const QString &key1 = QStringLiteral("A"),
        const QString &key2 = QStringLiteral("B"), const QString &fall = QStringLiteral("fall left"),
        const QString &common = QStringLiteral("song.mp3"), const QString &source = QStringLiteral("/m/walk.ini"),
        const QString &robotPath = QStringLiteral("sd card"))
{
    return {QStringLiteral("label"), type, combination, key1, key2, fall, common, source, robotPath};
}
} // namespace

class TestTransferRows : public QObject
{
    Q_OBJECT

private slots:
    void normalisation_data()
    {
        QTest::addColumn<Row>("given");
        QTest::addColumn<Row>("expected");
        const QString remote = QStringLiteral("remote motion file");
        QTest::newRow("remote, single key") << row(remote, "no") << row(remote, "no", "A", P, P, P);
        QTest::newRow("remote, combination") << row(remote, "yes") << row(remote, "yes", "A", "B", P, P);
        QTest::newRow("remote, neither no nor yes")
            << row(remote, "maybe") << row(remote, "maybe", P, P, P, P);
        QTest::newRow("remote, placeholder combination") << row(remote, P) << row(remote, P, P, P, P, P);
        QTest::newRow("prefixes count") << row(remote + "!", "nope") << row(remote + "!", "nope", "A", P, P, P);
        QTest::newRow("case counts") << row("Remote motion file", "no")
                                     << row("Remote motion file", P, P, P, P, P, P);
        QTest::newRow("fall") << row("fall motion file", "yes") << row("fall motion file", P, P, P, "fall left", P);
        QTest::newRow("common") << row("common file", "no") << row("common file", P, P, P, P, "song.mp3");
        QTest::newRow("no type clears the source file")
            << row(P, "yes") << row(P, P, P, P, P, P, P, "sd card");
        QTest::newRow("short row") << Row{QStringLiteral("x")} << Row{"x", "", P, P, P, P, P, P, ""};
    }
    void normalisation()
    {
        QFETCH(Row, given);
        QFETCH(Row, expected);
        // The form is stable: a second pass changes nothing.
        QCOMPARE(normalised(given), expected);
        QCOMPARE(normalised(expected), expected);
        QCOMPARE(normalised(newRow()), newRow());
        QCOMPARE(newRow(), (Row{"new file", P, P, P, P, P, P, P, "flash"}));
    }

    void keyNumbers()
    {
        QCOMPARE(keyNames().size(), 24);
        for (int k = 0; k < 24; ++k)
            QCOMPARE(keyNumber(keyNames()[k]), k);
        QCOMPARE(keyNumber("BACK"), 5);
        QCOMPARE(keyNumber("B"), 2);
        QCOMPARE(keyNumber("rocker B middle key"), 12);
        QCOMPARE(keyNumber("rocker A DOWN"), 21);
        QCOMPARE(keyNumber("LT"), 22);
        QCOMPARE(keyNumber("LEFT"), 8);
        QCOMPARE(keyNumber("rocker C"), -1);
        QCOMPARE(keyNumber(P), -1);
        QCOMPARE(keyNumber(QString()), -1);
        QCOMPARE(keyNumber("a"), -1);
    }

    void robotNames()
    {
        QCOMPARE(singleKeyName(3), QStringLiteral("RF_remote3.ini"));
        QCOMPARE(combinationName(3, 2), QStringLiteral("RF_remote3_2.ini"));
        QCOMPARE(fallName("fall left"), QStringLiteral("fallleft.ini"));
        QCOMPARE(fallName("fall right"), QStringLiteral("fallright.ini"));
        QCOMPARE(fallName("fall forward"), QStringLiteral("fallforward.ini"));
        QCOMPARE(fallName("fall back"), QStringLiteral("fallback.ini"));
        QCOMPARE(fallName(P), QString());
    }

    // What the send step makes of a row: name, drive, message or a silent end.
    void plans()
    {
        const QString remote = QStringLiteral("remote motion file");
        Plan p = plan(row(remote, "no", "BACK"));
        QCOMPARE(p.kind, Plan::Send);
        QCOMPARE(p.robotName, QStringLiteral("RF_remote5.ini"));
        // A remote row goes to the flash whatever its robot path said.
        QCOMPARE(p.drive, 1);
        QVERIFY(p.forcesFlash);
        QCOMPARE(plan(row(remote, "no", "A", P, P, P, "/w.ini", "nowhere")).drive, 1);
        p = plan(row(remote, "yes", "A", "B"));
        QCOMPARE(p.robotName, QStringLiteral("RF_remote3_2.ini"));
        QCOMPARE(p.source, QStringLiteral("/m/walk.ini"));
        QCOMPARE(QString(plan(row(remote, "yes", "A", "A")).message), QStringLiteral("Combination key error."));
        QCOMPARE(QString(plan(row(remote, "yes", "A", P)).message), QStringLiteral("Combination key error."));
        QCOMPARE(QString(plan(row(remote, "no", P)).message), QStringLiteral("Remote key error."));
        QCOMPARE(QString(plan(row(remote, "maybe")).message), QStringLiteral("Empty combination."));
        QCOMPARE(plan(row(remote, "maybe")).kind, Plan::Message);

        p = plan(row("fall motion file", P, P, P, "fall back"));
        QCOMPARE(p.robotName, QStringLiteral("fallback.ini"));
        QCOMPARE(p.drive, 0);
        QVERIFY(!p.forcesFlash);
        p = plan(row("common file", P, P, P, P, "song.mp3", "/m/song.mp3", "flash"));
        QCOMPARE(p.kind, Plan::Send);
        QCOMPARE(p.robotName, QStringLiteral("song.mp3"));
        QCOMPARE(p.drive, 1);

        // Silent ends: no fall type, no common name, no source, no folder, no type.
        QCOMPARE(plan(row("fall motion file", P, P, P, P)).kind, Plan::Silent);
        QCOMPARE(plan(row("common file", P, P, P, P, "")).kind, Plan::Silent);
        QCOMPARE(plan(row("common file", P, P, P, P, "a.mp3", "")).kind, Plan::Silent);
        QCOMPARE(plan(row("common file", P, P, P, P, "a.mp3", "/a.mp3", "usb")).kind, Plan::Silent);
        QCOMPARE(plan(row(P, P)).kind, Plan::Silent);
    }

    void listFile()
    {
        const QList<Row> rows = {row("remote motion file", "yes", "A", "B", P, P, "/m/a b.ini", "flash"),
                                 row("common file", P, P, P, P, QStringLiteral("跳舞.mp3"), "C:\\m\\x.mp3")};
        QCOMPARE(findUnstorableCell(rows).row, -1);
        const QByteArray bytes = write(rows);
        QVERIFY(bytes.startsWith("label,remote motion file,yes,A,B,------,------,/m/a b.ini,flash\n"));
        QVERIFY(bytes.endsWith("\n"));
        QCOMPARE(bytes.count('\n'), 2);
        ReadResult back = read(bytes);
        QCOMPARE(back.rows, rows);
        QVERIFY(back.skipped.isEmpty());

        // A line with an empty field has only 8 pieces; CR LF lines read alike;
        // reading stops at the first empty line.
        QByteArray text = "a,b,c,d,e,f,g,h,i\r\n"
                          "a,b,,d,e,f,g,h,i\n"
                          "1,2,3,4,5,6,7,8,9,10\n"
                          "x,b,c,d,e,f,g,h,i\n"
                          "\n"
                          "y,b,c,d,e,f,g,h,i\n";
        back = read(text);
        QCOMPARE(back.rows.size(), 2);
        QCOMPARE(back.rows[0].last(), QStringLiteral("i"));
        QCOMPARE(back.rows[1].first(), QStringLiteral("x"));
        QCOMPARE(back.skipped.size(), 2);
        QCOMPARE(back.skipped[0].line, 2);
        QCOMPARE(back.skipped[0].fields, 8);
        QCOMPARE(back.skipped[1].line, 3);
        QCOMPARE(back.skipped[1].fields, 10);

        // Cells the file cannot hold: the first one is named.
        QList<Row> bad = rows;
        bad[1][CommonFileName] = QStringLiteral("a,b.mp3");
        QCOMPARE(findUnstorableCell(bad).row, 1);
        QCOMPARE(findUnstorableCell(bad).column, int(CommonFileName));
        QVERIFY(!findUnstorableCell(bad).empty);
        bad[0][Name] = QString();
        QCOMPARE(findUnstorableCell(bad).row, 0);
        QVERIFY(findUnstorableCell(bad).empty);
        bad[0][Name] = QStringLiteral("two\nlines");
        QCOMPARE(findUnstorableCell(bad).column, int(Name));
    }

    // Lists written by older programs on Chinese systems are GB18030 (GB2312,
    // GBK): a file that is not valid UTF-8 is read so; valid UTF-8 stays UTF-8.
    void listFileEncodings()
    {
        QTextCodec *gb = QTextCodec::codecForName("GB18030");
        QVERIFY(gb);
        const Row chinese = {QStringLiteral("挥手"), "remote motion file", "no", "A", P, P, P,
                             QStringLiteral("C:\\动作\\挥手.ini"), "flash"};
        const QString line = chinese.join(QLatin1Char(','));
        ReadResult back = read(gb->fromUnicode(line + "\r\n"));
        QCOMPARE(back.encoding, Encoding::Gb18030);
        QCOMPARE(back.rows, QList<Row>{chinese});
        // Characters outside GB2312 (GBK's 瑀, a four-byte GB18030 one) too.
        const QString wide = QStringLiteral("瑀\U00020000");
        back = read(gb->fromUnicode(wide + ",b,c,d,e,f,g,h,i\n"));
        QCOMPARE(back.rows.value(0).value(0), wide);

        back = read(line.toUtf8() + "\n");
        QCOMPARE(back.encoding, Encoding::Utf8);
        QCOMPARE(back.rows, QList<Row>{chinese});
        // A byte order mark is no part of the first cell.
        back = read("\xEF\xBB\xBF" + line.toUtf8() + "\n");
        QCOMPARE(back.rows, QList<Row>{chinese});
        // What this program writes comes back as it was.
        QCOMPARE(read(write({chinese})).rows, QList<Row>{chinese});
        QCOMPARE(read(write({chinese})).encoding, Encoding::Utf8);

        // Not UTF-8: a lone continuation byte, an overlong form, a surrogate,
        // a sequence cut at the end.
        for (const QByteArray &bad : {QByteArray("a\x80,b\n"), QByteArray("\xC0\xAF\n"),
                                      QByteArray("\xED\xA0\x80\n"), QByteArray("abc\xE6\x8C")}) {
            Encoding encoding = Encoding::Utf8;
            decode(bad, &encoding);
            QVERIFY2(encoding == Encoding::Gb18030, bad.toHex().constData());
        }
    }

    // Whether a file held any row: an empty file is an empty list; a file
    // whose lines are all skipped is no list.
    void nothingRead()
    {
        QVERIFY(!read(QByteArray()).nothingRead());
        QVERIFY(!read("\nx,b,c,d,e,f,g,h,i\n").nothingRead());
        QVERIFY(read("FR:1,2,3;\nEND:;\n").nothingRead());
        QVERIFY(!read("FR:1,2,3;\na,b,c,d,e,f,g,h,i\n").nothingRead());
    }

    // The checks made when the list is edited, saved and sent.
    void checks_data()
    {
        QTest::addColumn<QList<Row>>("rows");
        QTest::addColumn<QStringList>("expected");  // describe() of each problem
        const QString remote = QStringLiteral("remote motion file");
        const QString common = QStringLiteral("common file");
        const QString fall = QStringLiteral("fall motion file");
        auto named = [&](const QString &name, const QString &where = QStringLiteral("flash")) {
            return row(common, P, P, P, P, name, "/m/a.mp3", where);
        };
        QTest::newRow("a good list") << QList<Row>{row(remote, "no", "A"), row(remote, "no", "B"),
                                                   row(remote, "yes", "A", "B"), named(QStringLiteral("跳舞.mp3"))}
                                     << QStringList();
        QTest::newRow("placeholder name")
            << QList<Row>{named(P)}
            << QStringList{"Row 1: the common file has no name (\"------\"); enter the name it is to have on the robot."};
        const QString folderText = QStringLiteral("Row 1: the common file name \"%1\" is not a plain file name; the "
                                                  "robot takes no \"/\" or \"\\\" in a name, nor \".\" or \"..\".");
        QTest::newRow("slash") << QList<Row>{named("music/a.mp3")} << QStringList{folderText.arg("music/a.mp3")};
        QTest::newRow("backslash") << QList<Row>{named("a\\b")} << QStringList{folderText.arg("a\\b")};
        QTest::newRow("dot dot") << QList<Row>{named("..")} << QStringList{folderText.arg("..")};
        QTest::newRow("not GB2312")
            << QList<Row>{named(QStringLiteral("\U0001F600.mp3"))}
            << QStringList{QStringLiteral("Row 1: the robot cannot take the file name \"\U0001F600.mp3\": it holds "
                                          "characters that the robot's character set (GB2312) cannot write.")};
        // "1:/robotsys/" is 12 bytes; the path may have 126.
        QTest::newRow("longest name") << QList<Row>{named(QString(114, 'a'))} << QStringList();
        QTest::newRow("too long")
            << QList<Row>{named(QString(115, 'a'))}
            << QStringList{"Row 1: the robot cannot take the file name \"" + QString(115, 'a')
                           + "\": its robot path has 127 bytes, and a path may have at most 126."};
        // A Chinese character takes two bytes.
        QTest::newRow("too long in GB2312") << QList<Row>{named(QString(58, QChar(0x8DF3)))}
                                            << QStringList{"Row 1: the robot cannot take the file name \""
                                                           + QString(58, QChar(0x8DF3))
                                                           + "\": its robot path has 128 bytes, and a path may "
                                                             "have at most 126."};
        QTest::newRow("two rows bound to key A")
            << QList<Row>{row(remote, "no", "A"), row(remote, "no", "B"), row(remote, "no", "A", P, P, P, "/x", "sd card")}
            << QStringList{"Row 3: the robot file 1:/robotsys/RF_remote3.ini is written by row 1 already."};
        QTest::newRow("a common file under a key's name, case ignored")
            << QList<Row>{row(remote, "yes", "A", "B"), named("rf_REMOTE3_2.INI")}
            << QStringList{"Row 2: the robot file 1:/robotsys/rf_REMOTE3_2.INI is written by row 1 already."};
        QTest::newRow("same name on the two drives")
            << QList<Row>{named("a.mp3", "sd card"), named("a.mp3", "flash")} << QStringList();
        QTest::newRow("two falls back, each later row named")
            << QList<Row>{row(fall, P, P, P, "fall back"), row(fall, P, P, P, "fall back"),
                          row(fall, P, P, P, "fall back", P, "/y")}
            << QStringList{"Row 2: the robot file 0:/robotsys/fallback.ini is written by row 1 already.",
                           "Row 3: the robot file 0:/robotsys/fallback.ini is written by row 1 already."};
        // Rows the send step stops at with its own message, or that go
        // nowhere, write no file; a row still without its source file is
        // named already.
        QTest::newRow("rows that write nothing, a row without source")
            << QList<Row>{row(remote, "yes", "A", "A"), row(remote, "no", "X"), row(remote, "no", "X", P, P, P, ""),
                          named("a.mp3", "usb"), named("a.mp3", "usb")}
            << QStringList{"Row 3: the robot file 1:/robotsys/RF_remote1.ini is written by row 2 already."};
    }
    void checks()
    {
        QFETCH(QList<Row>, rows);
        QFETCH(QStringList, expected);
        QStringList got;
        for (const Problem &p : check(rows))
            got << describe(p);
        QCOMPARE(got, expected);
    }

    // Random bytes never crash the reader, and every row it gives has nine cells.
    void randomInput()
    {
        QRandomGenerator random(13);
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes(int(random.bounded(400)), '\0');
            for (char &c : bytes)
                c = "ab,\n\r \xC3\xA9"[random.bounded(8)];
            for (const Row &r : read(bytes).rows)
                QCOMPARE(r.size(), int(ColumnCount));
        }
    }
};

QTEST_APPLESS_MAIN(TestTransferRows)
#include "tst_transferrows.moc"
