// Rules of the robot file browser: the names of a folder list block, the name
// a local file gets on the robot, and the configure file guard.

#include <QRandomGenerator>
#include <QtTest>

#include "files/robotfiles.h"

class TestRobotFiles : public QObject
{
    Q_OBJECT

private slots:
    void splitFolderList_data()
    {
        QTest::addColumn<QByteArray>("block");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("empty") << QByteArray() << QStringList();
        QTest::newRow("starts with NUL") << QByteArray("\0a.ini\0", 7) << QStringList();
        QTest::newRow("only NULs") << QByteArray(257, '\0') << QStringList();
        QTest::newRow("one name") << QByteArray("a.ini\0", 6) << QStringList{"a.ini"};
        QTest::newRow("two names, second current")
            << QByteArray("walk.ini\0song.mp3\0", 18) << QStringList{"walk.ini", "song.mp3"};
        QTest::newRow("NUL runs between names")
            << QByteArray("a\0\0\0b\0\0", 7) << QStringList{"a", "b"};
        QTest::newRow("last name without NUL") << QByteArray("a\0b", 3) << QStringList{"a", "b"};
        // "跳舞.mp3" in GB2312.
        QTest::newRow("GB2312") << QByteArray("\xCC\xF8\xCE\xE8.mp3\0", 9)
                                << QStringList{QStringLiteral("跳舞.mp3")};
        QTest::newRow("names of spaces and dots") << QByteArray(" \0..\0", 5) << QStringList{" ", ".."};
    }

    void splitFolderList()
    {
        QFETCH(QByteArray, block);
        QFETCH(QStringList, names);
        QCOMPARE(robotfiles::splitFolderList(block), names);
    }

    // Bytes with no GB2312 meaning still give one name per NUL-ended run.
    void splitInvalidBytes()
    {
        const QStringList names = robotfiles::splitFolderList(QByteArray("\xFF\xFE\0ok\0", 6));
        QCOMPARE(names.size(), 2);
        QVERIFY(!names[0].isEmpty());
        QCOMPARE(names[1], QStringLiteral("ok"));
        // A name cut inside a two-byte character keeps what was lost visible.
        QCOMPARE(robotfiles::splitFolderList(QByteArray("ab\xCC\0", 4)),
                 QStringList{QStringLiteral("ab") + QChar(QChar::ReplacementCharacter)});
        QCOMPARE(robotfiles::splitFolderList(QByteArray("\x81\0", 2)),
                 QStringList{QString(QChar(QChar::ReplacementCharacter))});
    }

    // Whatever the robot sends: no crash, no hang, no empty name, and never
    // more names than NUL-ended runs.
    void splitRandomBlocks()
    {
        QRandomGenerator random(20261207);
        for (int round = 0; round < 2000; ++round) {
            QByteArray block(int(random.bounded(600)), '\0');
            for (char &c : block)
                c = random.bounded(4) == 0 ? '\0' : char(random.bounded(256));
            const QStringList names = robotfiles::splitFolderList(block);
            QVERIFY(names.size() <= block.size() / 2 + 1);
            for (const QString &name : names)
                QVERIFY(!name.isEmpty());
            if (!block.isEmpty() && block.at(0) == '\0')
                QVERIFY(names.isEmpty());
        }
    }

    void robotFileName_data()
    {
        QTest::addColumn<QString>("local");
        QTest::addColumn<QString>("name");
        QTest::newRow("absolute") << "/home/me/motions/walk.ini" << "walk.ini";
        QTest::newRow("relative") << "./song.mp3" << "song.mp3";
        QTest::newRow("bare") << "robotcfg.ini" << "robotcfg.ini";
        QTest::newRow("Chinese") << QStringLiteral("/tmp/跳舞/跳舞.mp3") << QStringLiteral("跳舞.mp3");
        QTest::newRow("dots kept") << "/a.b/c.d.e.wav" << "c.d.e.wav";
    }

    void robotFileName()
    {
        QFETCH(QString, local);
        QFETCH(QString, name);
        QCOMPARE(robotfiles::robotFileName(local), name);
    }

    void isConfigureFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("guarded");
        QTest::newRow("itself") << "robotcfg.ini" << true;
        QTest::newRow("begins with it") << "robotcfg.ini.bak" << true;
        QTest::newRow("upper case (same file on the robot)") << "ROBOTCFG.INI" << true;
        QTest::newRow("mixed case") << "RobotCfg.Ini" << true;
        QTest::newRow("factory copy") << "robotcfg_factory.ini" << false;
        QTest::newRow("prefix only") << "robotcfg.in" << false;
        QTest::newRow("inside") << "my robotcfg.ini" << false;
        QTest::newRow("empty") << "" << false;
    }

    void isConfigureFile()
    {
        QFETCH(QString, name);
        QFETCH(bool, guarded);
        QCOMPARE(robotfiles::isConfigureFile(name), guarded);
    }

    void isDriveIndex()
    {
        QVERIFY(robotfiles::isDriveIndex(0));
        QVERIFY(robotfiles::isDriveIndex(1));
        QVERIFY(!robotfiles::isDriveIndex(-1));
        QVERIFY(!robotfiles::isDriveIndex(2));
    }
};

QTEST_MAIN(TestRobotFiles)
#include "tst_robotfiles.moc"
