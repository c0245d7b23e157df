// The init file's two readers and its writer, and how a reader that knows only
// the language, picture and background keys takes a file with the volume line.

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
    // Entries as "L2 P4 B1 V75".
    static QString entries(const QString &text)
    {
        QString copy = text;
        QTextStream in(&copy);
        QStringList out;
        for (const Entry &e : readEntries(in))
            out << QStringLiteral("%1%2").arg(QLatin1Char("LPBV"[e.key])).arg(e.code);
        return out.join(QLatin1Char(' '));
    }

    // The loader as programs without the volume line read the file: three
    // keys by prefix after trimming, anything else skipped, up to the first
    // empty line. Returns the codes in force at the end, as "L2 P4 B1".
    static QString olderLoader(const QByteArray &bytes)
    {
        QString text = QString::fromLatin1(bytes);
        QTextStream in(&text);
        QString lang = QStringLiteral("-"), pics = QStringLiteral("-"), bakg = QStringLiteral("-");
        while (!in.atEnd()) {
            const QString raw = in.readLine();
            if (raw.isEmpty())
                break;
            const QString line = raw.trimmed();
            if (line.startsWith(QLatin1String("LANG:")))
                lang = line.mid(5);
            else if (line.startsWith(QLatin1String("PICS:")))
                pics = line.mid(5);
            else if (line.startsWith(QLatin1String("BAKG:")))
                bakg = line.mid(5);
        }
        return QStringLiteral("L%1 P%2 B%3").arg(lang, pics, bakg);
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
        QTest::newRow("volume line after the language") << QString::fromLatin1(format(3, 2, 1, 0)) << 3;
        QTest::newRow("volume line first") << "MVOL:040;\r\nLANG:zhs;\r\n" << 2;
        QTest::newRow("only a volume line") << "MVOL:040;\r\n" << 0;
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
        QTest::newRow("written file") << QString::fromLatin1(format(3, 3, 4)) << "L3 P3 B4 V100";
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

    void musicVolumeEntries_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("expected");
        QTest::newRow("written file") << QString::fromLatin1(format(3, 3, 4)) << "L3 P3 B4 V100";
        QTest::newRow("written volume") << QString::fromLatin1(format(1, 2, 1, 35)) << "L1 P2 B1 V35";
        QTest::newRow("no volume line") << "LANG:zhs;\r\nPICS:256;\r\n" << "L2 P4";
        QTest::newRow("three digits") << "MVOL:075;\n" << "V75";
        QTest::newRow("fewer digits") << "MVOL:75;\n" << "V75";
        // Silence is a choice, not a missing value.
        QTest::newRow("zero kept") << "MVOL:000;\n" << "V0";
        QTest::newRow("single zero kept") << "MVOL:0;\n" << "V0";
        QTest::newRow("full") << "MVOL:100;\n" << "V100";
        QTest::newRow("leading blanks, CR LF") << "  MVOL:020;  \r\n" << "V20";
        QTest::newRow("above the range falls back") << "MVOL:101;\n" << "V100";
        QTest::newRow("negative falls back") << "MVOL:-5;\n" << "V100";
        QTest::newRow("sign falls back") << "MVOL:+50;\n" << "V100";
        QTest::newRow("letters fall back") << "MVOL:abc;\n" << "V100";
        QTest::newRow("no semicolon falls back") << "MVOL:050\n" << "V100";
        QTest::newRow("empty value falls back") << "MVOL:;\n" << "V100";
        QTest::newRow("too many digits fall back") << "MVOL:0050;\n" << "V100";
        QTest::newRow("lower case key skipped") << "mvol:050;\n" << "";
        QTest::newRow("empty line stops before it") << "LANG:zhs;\n\nMVOL:050;\n" << "L2";
        QTest::newRow("later overrides") << "MVOL:010;\nMVOL:090;\n" << "V10 V90";
    }
    void musicVolumeEntries()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(this->entries(text), expected);
    }

    void olderReadersSkipTheVolumeLine()
    {
        // The same three choices with and without the volume line, for every
        // language and a silent, a middle and a full volume.
        for (int language = 1; language <= 3; ++language) {
            for (int volume : {0, 55, 100}) {
                const QByteArray withLine = format(language, 4, 3, volume);
                const QByteArray line = "MVOL:" + QByteArray::number(volume).rightJustified(3, '0') + ";\r\n";
                QVERIFY(withLine.endsWith(line));
                const QByteArray withoutLine = withLine.left(withLine.size() - line.size());
                QCOMPARE(olderLoader(withLine), olderLoader(withoutLine));
                QCOMPARE(olderLoader(withLine), QStringLiteral("L%1; P256; Bmou;")
                                                    .arg(QLatin1String(language == 1 ? "eng"
                                                                       : language == 2 ? "zhs" : "zht")));
                QString text = QString::fromLatin1(withLine);
                QTextStream in(&text);
                QCOMPARE(initfile::startupLanguage(in), language);
            }
        }
        // The volume line is not empty and starts with none of the older keys,
        // so an older reader neither stops at it nor takes it for a setting.
        const QByteArray file = format(2, 1, 5, 7);
        for (const QByteArray &l : file.split('\n')) {
            if (!l.startsWith("MVOL:"))
                continue;
            QVERIFY(!l.trimmed().isEmpty());
            for (const char *key : {"LANG:", "PICS:", "BAKG:"})
                QVERIFY(!l.trimmed().startsWith(key));
        }
    }
    void entries()
    {
        QFETCH(QString, text);
        QFETCH(QString, expected);
        QCOMPARE(this->entries(text), expected);
    }

    void formatIsExact()
    {
        // The three choices' lines as they always were, then the volume line.
        QCOMPARE(format(1, 2, 1),
                 QByteArray("#This is a init file.\r\n#The language.\r\nLANG:eng;\r\n#Operation picture size.\r\n"
                            "PICS:128;\r\n#3D background.\r\nBAKG:bub;\r\nMVOL:100;\r\n"));
        const QByteArray zh = format(3, 5, 5, 0);
        QVERIFY(zh.contains("\r\nLANG:zht;\r\n"));
        QVERIFY(zh.contains("\r\nPICS:320;\r\n"));
        QVERIFY(zh.endsWith("\r\nBAKG:afn;\r\nMVOL:000;\r\n"));
        QVERIFY(format(1, 2, 1, 5).endsWith("\r\nMVOL:005;\r\n"));
        QVERIFY(format(1, 2, 1, 64).endsWith("\r\nMVOL:064;\r\n"));
        QCOMPARE(format(1, 2, 1, 100), format(1, 2, 1));
        // Codes out of range never produce an unreadable file.
        QCOMPARE(format(0, 9, -1), format(1, 2, 1));
        QCOMPARE(format(1, 2, 1, -1), format(1, 2, 1));
        QCOMPARE(format(1, 2, 1, 101), format(1, 2, 1));
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
        QVERIFY(write(dir.path(), 1, 1, 1, 30));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), format(1, 1, 1, 30));
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
