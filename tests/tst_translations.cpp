// Every user-visible string of the program has its Simplified and Traditional
// Chinese translation: lupdate is run over the sources into a copy of each
// catalogue, and any new, unfinished or empty entry fails the test.

#include <QtTest>
#include <QDomDocument>
#include <QProcess>
#include <QTemporaryDir>

class TestTranslations : public QObject
{
    Q_OBJECT

    QString source = QString::fromLocal8Bit(qgetenv("GAITFORGE_SOURCE_DIR"));
    QString lupdate = QString::fromLocal8Bit(qgetenv("GAITFORGE_LUPDATE"));

private slots:
    void catalogueIsComplete_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("language");
        QTest::newRow("simplified") << "gaitForge_zh_simple.ts" << "zh_CN";
        QTest::newRow("traditional") << "gaitForge_zh_traditional.ts" << "zh_TW";
    }
    void catalogueIsComplete()
    {
        QFETCH(QString, file);
        QFETCH(QString, language);
        QVERIFY2(!source.isEmpty() && QFileInfo::exists(lupdate), "run through CTest");
        QTemporaryDir dir;
        const QString copy = dir.filePath(file);
        QVERIFY(QFile::copy(source + QStringLiteral("/resources/language/") + file, copy));
        QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

        QStringList args{QStringLiteral("-no-obsolete"), QStringLiteral("-locations"), QStringLiteral("none"),
                         QStringLiteral("-target-language"), language};
        for (const char *folder : {"core", "common", "motion", "link", "robot", "files", "view3d", "music", "playback", "app"})
            if (QFileInfo::exists(source + QLatin1Char('/') + QLatin1String(folder)))
                args << source + QLatin1Char('/') + QLatin1String(folder);
        args << source + QStringLiteral("/resources/mainwindow.ui") << QStringLiteral("-ts") << copy;
        QProcess run;
        run.start(lupdate, args);
        QVERIFY(run.waitForFinished(120000));
        QCOMPARE(run.exitCode(), 0);

        QFile ts(copy);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&ts));
        QStringList unfinished;
        int total = 0;
        const QDomNodeList messages = doc.elementsByTagName(QStringLiteral("message"));
        for (int i = 0; i < messages.size(); ++i) {
            const QDomElement m = messages.at(i).toElement();
            const QDomElement t = m.firstChildElement(QStringLiteral("translation"));
            const QString type = t.attribute(QStringLiteral("type"));
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            ++total;
            if (type == QLatin1String("unfinished") || t.text().trimmed().isEmpty())
                unfinished << m.firstChildElement(QStringLiteral("source")).text();
        }
        QVERIFY(total > 0);
        QVERIFY2(unfinished.isEmpty(),
                 qPrintable(QStringLiteral("%1 of %2 untranslated: \"%3\"")
                                .arg(unfinished.size())
                                .arg(total)
                                .arg(unfinished.mid(0, 40).join(QStringLiteral("\", \"")))));
    }

    // One word for "operation time" throughout a catalogue: every text that
    // names it (also as "opr time") uses the word "operation time" itself is
    // translated by.
    void operationTimeIsOneWord_data() { catalogueIsComplete_data(); }
    void operationTimeIsOneWord()
    {
        QFETCH(QString, file);
        QFile ts(source + QStringLiteral("/resources/language/") + file);
        QVERIFY(ts.open(QIODevice::ReadOnly));
        QDomDocument doc;
        QVERIFY(doc.setContent(&ts));
        QString word;
        QStringList uses;
        static const QRegularExpression names(QStringLiteral("\\b(operation|opr) time\\b"),
                                              QRegularExpression::CaseInsensitiveOption);
        const QDomNodeList messages = doc.elementsByTagName(QStringLiteral("message"));
        for (int i = 0; i < messages.size(); ++i) {
            const QDomElement m = messages.at(i).toElement();
            const QString text = m.firstChildElement(QStringLiteral("source")).text();
            const QString translation = m.firstChildElement(QStringLiteral("translation")).text();
            if (text == QLatin1String("operation time"))
                word = translation;
            else if (names.match(text).hasMatch())
                uses << translation;
        }
        QVERIFY(!word.isEmpty());
        QVERIFY(uses.size() >= 3);
        for (const QString &use : uses)
            QVERIFY2(use.contains(word), qPrintable(QStringLiteral("\"%1\" does not say \"%2\"").arg(use, word)));
    }
};

QTEST_GUILESS_MAIN(TestTranslations)
#include "tst_translations.moc"
