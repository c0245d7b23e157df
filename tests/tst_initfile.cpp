// The init file's two readers and its writer.

#include <QtTest>
#include <QTemporaryDir>
#include <QTextStream>

#include "app/initfile.h"

using namespace initfile;

class TestInitFile : public QObject
{
    Q_OBJECT

private:
    static int startup(const QString &text)
    {
        QString copy = text;
        QTextStream in(&copy);
        return initfile::startupLanguage(in);
    }
    // Entries as "L2 P4 B1".
    static QString entries(const QString &text)
    {
        QString copy = text;
        QTextStream in(&copy);
        QStringList out;
        for (const Entry &e : readEntries(in))
            out << QStringLiteral("%1%2").arg(QLatin1Char("LPB"[e.key])).arg(e.code);
        return out.join(QLatin1Char(' '));
    }

private slots:
    void startupLanguage_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("language");
        QTest::newRow("written file") << QString::fromLatin1(format(2, 2, 1)) << 2;
        QTest::newRow("traditional") << "LANG:zht;\n" << 3;
        QTest::newRow("english") << "LANG:eng;\n" << 1;
        QTest::newRow("leading blanks") << "   \tLANG:zhs;\r\n" << 2;
        QTest::newRow("trailing text after the value") << "LANG:zhs;junk\n" << 2;
        QTest::newRow("lower case key") << "lang:zhs;\n" << 0;
        QTest::newRow("unknown value") << "LANG:fra;\n" << 0;
        QTest::newRow("later line wins") << "LANG:zhs;\nLANG:zht;\n" << 3;
        QTest::newRow("empty line ends the file") << "#c\n\nLANG:zhs;\n" << 0;
        QTest::newRow("blank-only line does not end it") << "#c\n  \nLANG:zhs;\n" << 2;
        QTest::newRow("no language line") << "PICS:064;\n" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void startupLanguage()
    {
        QFETCH(QString, text);
        QFETCH(int, language);
        QCOMPARE(startup(text), language);
    }

    void startupLanguageFromMissingFile()
    {
        QCOMPARE(readStartupLanguage(QString()), 0);
        QTemporaryDir dir;
        QCOMPARE(readStartupLanguage(dir.filePath(QStringLiteral("nothing/init"))), 0);
    }

    void entries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("written file") << QString::fromLatin1(format(3, 3, 4)) << "L3 P3 B4";
        QTest::newRow("every picture and background")
            << "PICS:064;\nPICS:128;\nPICS:192;\nPICS:256;\nPICS:320;\n"
               "BAKG:bub;\nBAKG:sun;\nBAKG:mou;\nBAKG:mon;\nBAKG:afn;\n"
            << "P1 P2 P3 P4 P5 B1 B2 B3 B4 B5";
        QTest::newRow("unknown values fall back") << "LANG:fra;\nPICS:64;\nBAKG:sky;\n" << "L1 P2 B1";
        // The loader matches on the value's ending, unlike the entry reader.
        QTest::newRow("value judged by its ending") << "LANG:zhs;junk\nLANG:xxzht;\n" << "L1 L3";
        QTest::newRow("leading blanks") << "  PICS:256;  \r\n" << "P4";
        QTest::newRow("lower case and comments skipped") << "#LANG:zhs;\nlang:zhs;\npics:064;\n" << "";
        QTest::newRow("empty line stops before pictures") << "LANG:zhs;\n\nPICS:256;\nBAKG:mon;\n" << "L2";
        QTest::newRow("blank-only line does not stop") << "LANG:zhs;\n \nPICS:256;\n" << "L2 P4";
        QTest::newRow("order kept, later overrides") << "BAKG:mon;\nBAKG:bub;\n" << "B4 B1";
    }
    void entries()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(this->entries(text), expected);
    }

    void formatIsExact()
    {
        QCOMPARE(format(1, 2, 1),
                 QByteArray("#This is a init file.\r\n#The language.\r\nLANG:eng;\r\n#Operation picture size.\r\n"
                            "PICS:128;\r\n#3D background.\r\nBAKG:bub;\r\n"));
        const QByteArray zh = format(3, 5, 5);
        QVERIFY(zh.contains("\r\nLANG:zht;\r\n"));
        QVERIFY(zh.contains("\r\nPICS:320;\r\n"));
        QVERIFY(zh.endsWith("\r\nBAKG:afn;\r\n"));
        // Codes out of range never produce an unreadable file.
        QCOMPARE(format(0, 9, -1), format(1, 2, 1));
    }

    void pictureCodes()
    {
        for (int code = 1; code <= 5; ++code)
            QCOMPARE(pictureCodeOfSize(pictureSizeOfCode(code)), code);
        QCOMPARE(pictureSizeOfCode(0), 128);
        QCOMPARE(pictureCodeOfSize(100), 0);
    }

    void writeCreatesFolderAndReplacesFile()
    {
        QTemporaryDir dir;
        QVERIFY(write(dir.path(), 2, 4, 4));
        QFile file(filePath(dir.path()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), format(2, 4, 4));
        file.close();
        QVERIFY(write(dir.path(), 1, 1, 1));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), format(1, 1, 1));
        QCOMPARE(readStartupLanguage(filePath(dir.path())), 1);
    }

    void writeFailsQuietlyWhereTheFolderCannotBeMade()
    {
        QTemporaryDir dir;
        // A plain file where the folder should be.
        QFile blocker(folderPath(dir.path()));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QVERIFY(!write(dir.path(), 1, 2, 1));
        QVERIFY(QFileInfo(folderPath(dir.path())).isFile());
    }
};

QTEST_GUILESS_MAIN(TestInitFile)
#include "tst_initfile.moc"
