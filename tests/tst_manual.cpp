// The manual renders to a PDF of several pages holding every picture it names;
// a picture that is missing stops the rendering with its name.

#include <QtTest>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

class TestManual : public QObject
{
    Q_OBJECT

    // Runs the renderer; its exit code, and its error output in *errors.
    int render(const QString &markdown, const QString &pdf, QByteArray *errors)
    {
        QProcess renderer;
        renderer.start(qEnvironmentVariable("GAITFORGE_MANUAL_TOOL"), {markdown, pdf});
        if (!renderer.waitForFinished(30000))
            return -1;
        *errors = renderer.readAllStandardError();
        return renderer.exitStatus() == QProcess::NormalExit ? renderer.exitCode() : -1;
    }

private slots:
    void rendersWithEveryPicture()
    {
        const QString markdown = qEnvironmentVariable("GAITFORGE_SOURCE_DIR") + QStringLiteral("/docs/manual.md");
        QFile source(markdown);
        QVERIFY(source.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(source.readAll());
        QSet<QString> pictures;
        QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("!\\[[^\\]]*\\]\\(([^)]+)\\)")).globalMatch(text);
        while (it.hasNext())
            pictures.insert(it.next().captured(1));
        // A picture of every page.
        for (const char *page : {"edit", "edit-table", "edit-led", "edit-files", "robot-setting", "remote-setting",
                                 "servo-setting"})
            QVERIFY2(pictures.contains(QStringLiteral("manual/%1.png").arg(QLatin1String(page))), page);

        QTemporaryDir out;
        const QString pdf = out.filePath(QStringLiteral("manual.pdf"));
        QByteArray errors;
        QCOMPARE(render(markdown, pdf, &errors), 0);
        QFile file(pdf);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.startsWith("%PDF"));
        const int pages = bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type /Page/")
                          + bytes.count("/Type /Page>");
        QVERIFY2(pages > 1, QByteArray::number(pages).constData());
        QCOMPARE(bytes.count("/Subtype /Image"), pictures.size());

        // A missing picture: no manual, and its name said.
        QFile broken(out.filePath(QStringLiteral("broken.md")));
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write("# Manual\n\n![gone](manual/nowhere.png)\n");
        broken.close();
        QCOMPARE(render(broken.fileName(), out.filePath(QStringLiteral("broken.pdf")), &errors), 1);
        QVERIFY2(errors.contains("picture not found: manual/nowhere.png"), errors.constData());
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("broken.pdf"))));
    }
};

QTEST_GUILESS_MAIN(TestManual)
#include "tst_manual.moc"
