// gaitforge-manual IN.md OUT.pdf: renders the user's manual (Markdown with
// pictures beside it) to a PDF with Qt's own Markdown reader and PDF writer.
// A picture the manual names but that cannot be loaded is an error: the
// manual is not written without it.

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPdfWriter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>
#include <QUrl>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Renders without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "Usage: gaitforge-manual IN.md OUT.pdf\n");
        return 2;
    }
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read the file\n", qPrintable(args[1]));
        return 1;
    }
    const QString folder = QFileInfo(args[1]).absolutePath();

    QPdfWriter writer(args[2]);
    writer.setTitle(QStringLiteral("gaitForge manual"));
    writer.setCreator(QStringLiteral("gaitforge-manual"));
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(18, 16, 18, 16), QPageLayout::Millimeter);
    writer.setResolution(300);

    QTextDocument doc;
    doc.setBaseUrl(QUrl::fromLocalFile(folder + QLatin1Char('/')));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(10.5);
    doc.setDefaultFont(font);
    doc.setMarkdown(QString::fromUtf8(in.readAll()));

    // Every picture is loaded here and fitted to the text width (in points,
    // the document's units when printed).
    const qreal textWidth = writer.pageLayout().paintRect(QPageLayout::Point).width();
    int pictures = 0;
    QStringList missing;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (!fragment.charFormat().isImageFormat())
                continue;
            QTextImageFormat image = fragment.charFormat().toImageFormat();
            const QString name = image.name();
            const QString path = QFileInfo(name).isAbsolute() ? name : folder + QLatin1Char('/') + name;
            QImage picture(path);
            if (picture.isNull()) {
                missing << name;
                continue;
            }
            ++pictures;
            doc.addResource(QTextDocument::ImageResource, QUrl(name), picture);
            const qreal width = qMin<qreal>(textWidth, picture.width() * 0.6);
            image.setWidth(width);
            image.setHeight(width * picture.height() / picture.width());
            QTextCursor cursor(&doc);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(image);
        }
    }
    if (!missing.isEmpty()) {
        for (const QString &name : missing)
            std::fprintf(stderr, "%s: picture not found: %s\n", qPrintable(args[1]), qPrintable(name));
        return 1;
    }
    doc.print(&writer);
    QFileInfo out(args[2]);
    if (!out.exists() || out.size() == 0) {
        std::fprintf(stderr, "%s: cannot write the file\n", qPrintable(args[2]));
        return 1;
    }
    std::printf("%s: %d pictures\n", qPrintable(args[2]), pictures);
    return 0;
}
