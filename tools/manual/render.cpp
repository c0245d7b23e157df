// gaitforge-manual [--language zh_simple|zh_traditional] IN.md OUT.pdf:
// renders the user's manual (Markdown with pictures beside it) to an A4 PDF
// with Qt's own Markdown reader and PDF writer. A picture the manual names but
// that cannot be loaded is an error: the manual is not written without it.
//
// The pages are laid out here rather than by QTextDocument::print, so that
// headings stay with what follows them, short tables and short code blocks
// are not split across pages, and code keeps a fixed-width font without
// breaking inside a word (see manuallayout.h).

#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

#include <cstdio>

#include "manuallayout.h"

int main(int argc, char *argv[])
{
    // Renders without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList args = app.arguments();
    args.removeFirst();
    QString language;
    if (args.size() == 4 && args[0] == QLatin1String("--language")) {
        language = args[1];
        args = args.mid(2);
    }
    const bool knownLanguage = language.isEmpty() || language == QLatin1String("zh_simple")
                               || language == QLatin1String("zh_traditional");
    if (args.size() != 2 || !knownLanguage) {
        std::fprintf(stderr, "Usage: gaitforge-manual [--language zh_simple|zh_traditional] IN.md OUT.pdf\n");
        return 2;
    }
    QFile in(args[0]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read the file\n", qPrintable(args[0]));
        return 1;
    }
    const QString markdown = QString::fromUtf8(in.readAll());
    const QString folder = QFileInfo(args[0]).absolutePath();

    // The writer is made only once the pictures are known to be there: it
    // creates its file at once.
    const QStringList missing = manuallayout::missingPictures(markdown, folder);
    if (!missing.isEmpty()) {
        for (const QString &name : missing)
            std::fprintf(stderr, "%s: picture not found: %s\n", qPrintable(args[0]), qPrintable(name));
        return 1;
    }

    QPdfWriter writer(args[1]);
    writer.setTitle(QStringLiteral("gaitForge manual"));
    writer.setCreator(QStringLiteral("gaitforge-manual"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(20, 16, 20, 12), QPageLayout::Millimeter);
    writer.setResolution(300);

    manuallayout::Manual manual(language);
    const int pictures = manual.load(markdown, folder, &writer);
    QPainter painter;
    if (!painter.begin(&writer)) {
        std::fprintf(stderr, "%s: cannot write the file\n", qPrintable(args[1]));
        return 1;
    }
    const int pages = manual.paint(&painter, &writer);
    painter.end();
    QFileInfo out(args[1]);
    if (!out.exists() || out.size() == 0) {
        std::fprintf(stderr, "%s: cannot write the file\n", qPrintable(args[1]));
        return 1;
    }
    std::printf("%s: %d pages, %d pictures\n", qPrintable(args[1]), pages, pictures);
    return 0;
}
