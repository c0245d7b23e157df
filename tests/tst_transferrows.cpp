// Rules of the transfer file list: the form of a row after a change, key
// numbers, robot file names, what the send step makes of a row, and the list
// file read and written.

#include <QRandomGenerator>
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
        QByteArray copy = bytes;
        QTextStream in(&copy);
        ReadResult back = read(in);
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
        QTextStream in2(&text);
        back = read(in2);
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

    // Random bytes never crash the reader, and every row it gives has nine cells.
    void randomInput()
    {
        QRandomGenerator random(13);
        for (int i = 0; i < 300; ++i) {
            QByteArray bytes(int(random.bounded(400)), '\0');
            for (char &c : bytes)
                c = "ab,\n\r \xC3\xA9"[random.bounded(8)];
            QTextStream in(&bytes);
            for (const Row &r : read(in).rows)
                QCOMPARE(r.size(), int(ColumnCount));
        }
    }
};

QTEST_APPLESS_MAIN(TestTransferRows)
#include "tst_transferrows.moc"
