// The manual renders to PDFs of several pages, one edition per language, each
// holding every picture it names; a picture that is missing stops the
// rendering with its name. The pages are read back with mutool (the text of
// each line with the font of each character) to check the layout: no page
// ends with a heading, a short table stays on one page, code is set in a
// fixed-width font and never broken inside a word, and Chinese takes the CJK
// face of its script.

#include <QtTest>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace {

// One line of a page as mutool reads it: its text, and the font of each
// character. (Code must read back as written: a command copied from the
// manual has to run.)
struct Line
{
    QString text;
    QStringList fonts;
};
using Page = QVector<Line>;

QVector<Page> readPages(const QString &pdf)
{
    QProcess mutool;
    mutool.start(QStringLiteral("mutool"), {QStringLiteral("draw"), QStringLiteral("-q"), QStringLiteral("-F"),
                                            QStringLiteral("stext"), QStringLiteral("-o"), QStringLiteral("-"), pdf});
    if (!mutool.waitForFinished(30000))
        return {};
    QXmlStreamReader xml(mutool.readAllStandardOutput());
    QVector<Page> pages;
    QString font;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("page")) {
            pages.append(Page());
        } else if (name == QLatin1String("line") && !pages.isEmpty()) {
            pages.last().append(Line());
        } else if (name == QLatin1String("font")) {
            font = xml.attributes().value(QLatin1String("name")).toString();
        } else if (name == QLatin1String("char") && !pages.isEmpty() && !pages.last().isEmpty()) {
            const QString c = xml.attributes().value(QLatin1String("c")).toString();
            pages.last().last().text += c;
            for (int i = 0; i < c.size(); ++i)
                pages.last().last().fonts << font;
        }
    }
    return pages;
}

bool isCjk(QChar c)
{
    return c.unicode() >= 0x3000 && c.unicode() <= 0x9fff;
}

// A manual with many short sections of varied length, so that headings,
// tables and code blocks fall at the foot of pages wherever the layout puts
// them: headings "Section N", tables of eight rows "tN-rM", code blocks with
// long command lines, and paragraphs with commands inline.
QString layoutFixture()
{
    QString md = QStringLiteral("# Layout\n\n");
    const QString sentence = QStringLiteral("The robot keeps its pose while the frames are written to the file. ");
    for (int i = 0; i < 40; ++i) {
        md += QStringLiteral("## Section %1\n\n").arg(i);
        md += sentence.repeated(3 + (i * 7) % 11) + QStringLiteral("\n\n");
        if (i % 5 == 2) {
            md += QStringLiteral("| name | what it holds |\n|---|---|\n");
            for (int row = 0; row < 8; ++row)
                md += QStringLiteral("| t%1-r%2 | a value of the table |\n").arg(i).arg(row);
            md += QStringLiteral("\n");
        }
        if (i % 4 == 1) {
            md += QStringLiteral("    gaitforge-cli check --limits robotcfg.ini dance-%1.ini\n").arg(i);
            md += QStringLiteral("    gaitforge-cli robot /dev/ttyUSB%1 send motions/wave-%1.ini robot/run/wave-%1.ini "
                                 "--verbose --retries=3 --timeout-ms=2000 --no-progress-bar-%1\n")
                      .arg(i);
            md += QStringLiteral("    gaitforge-robotsim --port-link=/tmp/gaitforge-robot-%1 --drop-every=7 "
                                 "--answer-delay-ms=15 --refuse-files=robot/run/locked-%1.ini --servo-count=18 "
                                 "--log=/tmp/robotsim-requests-%1.log\n\n")
                      .arg(i);
        }
        if (i % 3 == 0)
            md += sentence + QStringLiteral("so ").repeated(i % 17) + QStringLiteral("Run `gaitforge-cli robot /dev/ttyUSB%1 get robot/run/dance-%1.ini` and "
                                            "then `gaitforge-cli dump --json motions/dance-%1.ini` to read it.\n\n")
                                 .arg(i);
    }
    return md;
}

// The words of the fixture's code, each unique, that must stay whole.
QStringList codeWords()
{
    QStringList words;
    for (int i = 0; i < 40; ++i) {
        if (i % 4 == 1)
            words << QStringLiteral("dance-%1.ini").arg(i) << QStringLiteral("/dev/ttyUSB%1").arg(i)
                  << QStringLiteral("--no-progress-bar-%1").arg(i) << QStringLiteral("robot/run/wave-%1.ini").arg(i)
                  << QStringLiteral("--refuse-files=robot/run/locked-%1.ini").arg(i)
                  << QStringLiteral("--log=/tmp/robotsim-requests-%1.log").arg(i);
        if (i % 3 == 0)
            words << QStringLiteral("robot/run/dance-%1.ini").arg(i) << QStringLiteral("motions/dance-%1.ini").arg(i);
    }
    return words;
}

const char kChinese[] =
    "# 说明书\n\n"
    "这是一个很长的中文段落，用来检查换行：机器人的每个关节都可以在三维模型上看到，动作可以在模型上播放，"
    "也可以在机器人上播放。打开动作文件以后，选择一帧，调整关节的角度，然后保存。連接機器人以後，"
    "可以讀取它的設定檔，並在即時讀數中看到電壓和電流。每一行都應在字與字之間斷開，"
    "而標點符號不會出現在行首。这是一个很长的中文段落，用来检查换行：机器人的每个关节都可以在三维模型上看到。\n\n"
    "    gaitforge-cli check 动作.ini\n\n"
    "| 文件 | 内容 |\n|---|---|\n| `robotcfg.ini` | 机器人的配置文件 |\n";

} // namespace

class TestManual : public QObject
{
    Q_OBJECT

    // Runs the renderer; its exit code, and its error output in *errors.
    int render(const QStringList &arguments, QByteArray *errors)
    {
        QProcess renderer;
        renderer.start(qEnvironmentVariable("GAITFORGE_MANUAL_TOOL"), arguments);
        if (!renderer.waitForFinished(30000))
            return -1;
        *errors = renderer.readAllStandardError();
        return renderer.exitStatus() == QProcess::NormalExit ? renderer.exitCode() : -1;
    }

    QTemporaryDir fixtureDir;
    QVector<Page> fixture;

    static QString write(const QTemporaryDir &dir, const char *name, const QString &text)
    {
        QFile file(dir.filePath(QLatin1String(name)));
        if (file.open(QIODevice::WriteOnly))
            file.write(text.toUtf8());
        return file.fileName();
    }

private slots:
    void rendersEveryEdition_data()
    {
        QTest::addColumn<QString>("language");
        QTest::newRow("English") << QString();
        QTest::newRow("zh_simple") << QStringLiteral("zh_simple");
        QTest::newRow("zh_traditional") << QStringLiteral("zh_traditional");
    }

    // Every edition is rendered with every picture it names; its pictures (the
    // program's pages in its language) are all there; its Chinese is set in
    // the Noto CJK face of its script.
    void rendersEveryEdition()
    {
        QFETCH(QString, language);
        const QString source = qEnvironmentVariable("GAITFORGE_SOURCE_DIR");
        const QString stem = language.isEmpty() ? QStringLiteral("manual") : QStringLiteral("manual.") + language;
        const QString markdown = source + QStringLiteral("/docs/") + stem + QStringLiteral(".md");
        QFile file(markdown);
        QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(markdown));
        const QString text = QString::fromUtf8(file.readAll());
        QSet<QString> pictures;
        QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)")).globalMatch(text);
        while (it.hasNext())
            pictures.insert(it.next().captured(1));
        const QString folder = language.isEmpty() ? QStringLiteral("manual/") : QStringLiteral("manual/%1/").arg(language);
        for (const char *page : {"edit", "edit-table", "edit-led", "edit-files", "robot-setting", "remote-setting",
                                 "servo-setting", "edit-curves", "live", "monitor"}) {
            const QString name = folder + QLatin1String(page) + QStringLiteral(".png");
            QVERIFY2(QFile::exists(source + QStringLiteral("/docs/") + name), qPrintable(name));
        }
        for (const char *page : {"edit", "edit-table", "edit-led", "edit-files", "robot-setting", "remote-setting",
                                 "servo-setting"})
            QVERIFY2(pictures.contains(folder + QLatin1String(page) + QStringLiteral(".png")), page);

        // The build's own rendering of the edition.
        const QString pdf = qEnvironmentVariable("GAITFORGE_BUILD_DIR") + QLatin1Char('/') + stem + QStringLiteral(".pdf");
        QVERIFY2(QFileInfo(pdf).lastModified() >= QFileInfo(markdown).lastModified(), qPrintable(pdf));
        QFile rendered(pdf);
        QVERIFY(rendered.open(QIODevice::ReadOnly));
        const QByteArray bytes = rendered.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        QCOMPARE(bytes.count("/Subtype /Image"), pictures.size());
        const QVector<Page> pages = readPages(pdf);
        QVERIFY2(pages.size() > 1, QByteArray::number(pages.size()).constData());
        if (language.isEmpty())
            return;
        const QString face = language == QLatin1String("zh_simple") ? QStringLiteral("CJKsc") : QStringLiteral("CJKtc");
        int chinese = 0;
        for (const Page &page : pages)
            for (const Line &line : page)
                for (int i = 0; i < line.text.size(); ++i)
                    if (isCjk(line.text[i])) {
                        ++chinese;
                        QVERIFY2(line.fonts[i].contains(face), qPrintable(line.text + QStringLiteral(": ") + line.fonts[i]));
                    }
        QVERIFY(chinese > 0);
    }

    // A missing picture: no manual, and its name said.
    void missingPicture()
    {
        QTemporaryDir out;
        const QString broken = write(out, "broken.md", QStringLiteral("# Manual\n\n![gone](manual/nowhere.png)\n"));
        QByteArray errors;
        QCOMPARE(render({broken, out.filePath(QStringLiteral("broken.pdf"))}, &errors), 1);
        QVERIFY2(errors.contains("picture not found: manual/nowhere.png"), errors.constData());
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("broken.pdf"))));
    }

    // The fixture, rendered once for the layout checks.
    void initTestCase()
    {
        QVERIFY(fixtureDir.isValid());
        const QString pdf = fixtureDir.filePath(QStringLiteral("layout.pdf"));
        QByteArray errors;
        QCOMPARE(render({write(fixtureDir, "layout.md", layoutFixture()), pdf}, &errors), 0);
        fixture = readPages(pdf);
        QVERIFY2(fixture.size() > 5, QByteArray::number(fixture.size()).constData());
    }

    // No page ends with a heading (the page number aside).
    void headingsKeptWithWhatFollows()
    {
        for (int p = 0; p < fixture.size(); ++p) {
            QString last;
            for (const Line &line : fixture[p])
                if (!QRegularExpression(QStringLiteral("^\\d+$")).match(line.text.trimmed()).hasMatch())
                    last = line.text.trimmed();
            QVERIFY2(!last.startsWith(QLatin1String("Section ")), qPrintable(QStringLiteral("page %1: %2").arg(p + 1).arg(last)));
        }
    }

    // Each short table on one page.
    void shortTablesWhole()
    {
        for (int t = 2; t < 40; t += 5) {
            QSet<int> onPages;
            for (int p = 0; p < fixture.size(); ++p)
                for (const Line &line : fixture[p])
                    if (line.text.contains(QStringLiteral("t%1-r").arg(t)))
                        onPages.insert(p + 1);
            QVERIFY2(onPages.size() == 1, qPrintable(QStringLiteral("table %1 on %2 pages").arg(t).arg(onPages.size())));
        }
    }

    // Every word of code (blocks and inline) whole on one line, as written, in
    // a fixed-width font.
    void codeWholeAndFixedWidth()
    {
        for (const QString &word : codeWords()) {
            bool found = false;
            for (const Page &page : fixture)
                for (const Line &line : page) {
                    const int at = line.text.indexOf(word);
                    if (at < 0)
                        continue;
                    found = true;
                    for (int i = at; i < at + word.size(); ++i)
                        QVERIFY2(line.fonts[i].contains(QLatin1String("Mono")), qPrintable(word + QStringLiteral(": ") + line.fonts[i]));
                }
            QVERIFY2(found, qPrintable(word + QStringLiteral(" is broken or missing")));
        }
    }

    // Chinese: the CJK face of the edition's script, lines broken between
    // characters and never before a closing punctuation mark.
    void chineseText_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("face");
        QTest::newRow("zh_simple") << QStringLiteral("zh_simple") << QStringLiteral("CJKsc");
        QTest::newRow("zh_traditional") << QStringLiteral("zh_traditional") << QStringLiteral("CJKtc");
    }

    void chineseText()
    {
        QFETCH(QString, language);
        QFETCH(QString, face);
        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("chinese.pdf"));
        QByteArray errors;
        QCOMPARE(render({QStringLiteral("--language"), language, write(out, "chinese.md", QString::fromUtf8(kChinese)), pdf},
                        &errors),
                 0);
        const QVector<Page> pages = readPages(pdf);
        QCOMPARE(pages.size(), 1);
        int paragraphLines = 0;
        for (const Line &line : pages[0]) {
            for (int i = 0; i < line.text.size(); ++i)
                if (isCjk(line.text[i]) && line.text[i] != QChar(0x3000))
                    QVERIFY2(line.fonts[i].contains(face), qPrintable(line.text + QStringLiteral(": ") + line.fonts[i]));
            QVERIFY2(!QStringLiteral("，。；：、！？）」").contains(line.text.left(1)), qPrintable(line.text));
            if (line.text.size() > 20 && isCjk(line.text[0]))
                ++paragraphLines;
        }
        // The paragraph fills several lines (it is not one overlong line).
        QVERIFY2(paragraphLines >= 3, QByteArray::number(paragraphLines).constData());
        bool code = false;
        for (const Line &line : pages[0])
            if (line.text.contains(QLatin1String("gaitforge-cli check"))) {
                code = true;
                QVERIFY2(line.fonts.first().contains(QLatin1String("Mono")), qPrintable(line.fonts.first()));
            }
        QVERIFY(code);
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"
