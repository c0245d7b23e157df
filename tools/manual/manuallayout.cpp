#include "manuallayout.h"

#include <QAbstractTextDocumentLayout>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QImage>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextFrame>
#include <QTextLayout>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <cmath>
#include <numeric>

// The resolution Qt's text layout takes for sizes given in a format (a
// picture's width), against the device's own.
Q_GUI_EXPORT int qt_defaultDpiY();

namespace manuallayout {

namespace {

constexpr qreal kBodyPoints = 10.5;
constexpr qreal kCodePoints = 9.0;
constexpr qreal kInlineCodePoints = 9.5;
constexpr qreal kSmallestCodePoints = 7.0;
constexpr int kPasses = 60;

QString picturePath(const QString &name, const QString &folder)
{
    return QFileInfo(name).isAbsolute() ? name : folder + QLatin1Char('/') + name;
}

// Every picture a document names, in order, with the place of its character.
struct Picture
{
    int position;
    QTextImageFormat format;
};

QVector<Picture> picturesOf(const QTextDocument &doc)
{
    QVector<Picture> pictures;
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                for (int i = 0; i < it.fragment().length(); ++i)
                    pictures.append({it.fragment().position() + i, it.fragment().charFormat().toImageFormat()});
    return pictures;
}

bool isCode(const QTextBlock &block)
{
    return block.blockFormat().hasProperty(QTextFormat::BlockCodeLanguage);
}

// The reader marks inline code, and every run of a code block, with the
// platform's fixed font; that font need not be fixed-width at all (it is not
// without a desktop), so the runs are found by it and given ours.
bool isCodeRun(const QTextCharFormat &format)
{
    static const QString fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return format.fontFixedPitch()
           || (format.hasProperty(QTextFormat::FontFamily) && format.fontFamily() == fixed);
}

bool isHeading(const QTextBlock &block)
{
    return block.blockFormat().headingLevel() > 0;
}

template <typename Format>
bool breaksBefore(const Format &format)
{
    return format.pageBreakPolicy() & QTextFormat::PageBreak_AlwaysBefore;
}

// Wraps a code line at its spaces into lines no wider than width; the
// continuation lines are indented so that they read as one.
QStringList wrapAtSpaces(const QString &line, const QFontMetricsF &metrics, qreal width)
{
    const QString indent = QStringLiteral("    ");
    QStringList lines;
    QString current;
    for (const QString &word : line.split(QLatin1Char(' '))) {
        const QString candidate = current.isNull() ? word : current + QLatin1Char(' ') + word;
        if (!current.isNull() && metrics.horizontalAdvance(candidate) > width && !current.trimmed().isEmpty()) {
            lines << current;
            current = indent + word;
        } else {
            current = candidate;
        }
    }
    lines << current;
    return lines;
}

} // namespace

QStringList missingPictures(const QString &markdown, const QString &folder)
{
    QTextDocument doc;
    doc.setMarkdown(markdown);
    QStringList missing;
    for (const Picture &picture : picturesOf(doc)) {
        const QString name = picture.format.name();
        if (QImage(picturePath(name, folder)).isNull() && !missing.contains(name))
            missing << name;
    }
    return missing;
}

Manual::Manual(const QString &language)
{
    // Chinese text takes the Noto CJK face of its own script; the Latin text
    // around it keeps the DejaVu faces.
    QStringList bodyFaces{QStringLiteral("DejaVu Sans")};
    QStringList monoFaces{QStringLiteral("DejaVu Sans Mono")};
    if (language == QLatin1String("zh_simple")) {
        bodyFaces << QStringLiteral("Noto Sans CJK SC");
        monoFaces << QStringLiteral("Noto Sans Mono CJK SC");
    } else if (language == QLatin1String("zh_traditional")) {
        bodyFaces << QStringLiteral("Noto Sans CJK TC");
        monoFaces << QStringLiteral("Noto Sans Mono CJK TC");
    }
    body.setFamilies(bodyFaces);
    body.setFamily(bodyFaces.first());
    body.setPointSizeF(kBodyPoints);
    mono.setFamilies(monoFaces);
    mono.setFamily(monoFaces.first());
    mono.setFixedPitch(true);
    mono.setStyleHint(QFont::TypeWriter);
    mono.setPointSizeF(kCodePoints);
}

int Manual::load(const QString &markdown, const QString &folder, QPagedPaintDevice *device)
{
    doc.setMarkdown(markdown);
    doc.documentLayout()->setPaintDevice(device);
    doc.setDocumentMargin(0);
    const QRect paintRect = device->pageLayout().paintRectPixels(device->logicalDpiY());
    footer = 8.0 / 25.4 * device->logicalDpiY();
    page = QSizeF(paintRect.width(), paintRect.height() - footer);
    doc.setPageSize(page);
    setFonts();
    const int pictures = fitPictures(folder);
    for (QTextFrame *frame : doc.rootFrame()->childFrames())
        if (QTextTable *table = qobject_cast<QTextTable *>(frame))
            fitColumns(table);
    setCode();
    keepInlineCodeWhole();
    paginate();
    return pictures;
}

void Manual::setFonts()
{
    doc.setDefaultFont(body);
    // The reader gives every run of text an explicit family (the default
    // font's); the Chinese face must follow as its fallback.
    QTextCursor cursor(&doc);
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            QTextCharFormat format = fragment.charFormat();
            if (format.isImageFormat())
                continue;
            const bool code = isCodeRun(format) || isCode(block);
            format.setFontFamilies(code ? mono.families() : body.families());
            format.setFontFamily(code ? mono.family() : body.family());
            format.setFontFixedPitch(code);
            // Inline code a little smaller: the fixed-width face runs large
            // beside the text's.
            if (code && !isCode(block) && !isHeading(block))
                format.setFontPointSize(kInlineCodePoints);
            cursor.setPosition(fragment.position());
            cursor.setPosition(fragment.position() + fragment.length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(format);
        }
    }
}

int Manual::fitPictures(const QString &folder)
{
    // Sizes in a format are taken at the layout's default resolution and
    // scaled to the device's.
    const qreal scale = doc.documentLayout()->paintDevice()->logicalDpiY() / qreal(qt_defaultDpiY());
    const QVector<Picture> pictures = picturesOf(doc);
    for (const Picture &picture : pictures) {
        const QString name = picture.format.name();
        // One image in one format for every page it is drawn on: the PDF
        // writer embeds an image once only when it is the same image.
        const QImage image = QImage(picturePath(name, folder)).convertToFormat(QImage::Format_RGB32);
        doc.addResource(QTextDocument::ImageResource, QUrl(name), image);
        // A window's picture at about 0.6 pt a pixel, never wider than the
        // text nor higher than two thirds of a page.
        const qreal pixelsPerPoint = doc.documentLayout()->paintDevice()->logicalDpiY() / 72.0;
        qreal width = std::min<qreal>(page.width(), image.width() * 0.6 * pixelsPerPoint);
        qreal height = width * image.height() / image.width();
        if (height > page.height() * 2 / 3) {
            height = page.height() * 2 / 3;
            width = height * image.width() / image.height();
        }
        QTextImageFormat format = picture.format;
        format.setWidth(width / scale);
        format.setHeight(height / scale);
        QTextCursor cursor(&doc);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + 1, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
    return pictures.size();
}

// Qt's table layout lets a word that is wider than its column overrun the
// next one (a path in the file table). The columns are given their widths
// here: each at least its widest word, the room left shared in proportion to
// how much more each column's longest cell would take.
void Manual::fitColumns(QTextTable *table)
{
    QPaintDevice *device = doc.documentLayout()->paintDevice();
    const int columns = table->columns();
    QVector<qreal> least(columns, 0), most(columns, 0);
    for (int row = 0; row < table->rows(); ++row) {
        for (int column = 0; column < columns; ++column) {
            const QTextTableCell cell = table->cellAt(row, column);
            for (QTextBlock block = cell.firstCursorPosition().block(); block.isValid(); block = block.next()) {
                qreal line = 0;
                for (auto it = block.begin(); !it.atEnd(); ++it) {
                    QFont font = it.fragment().charFormat().font();
                    const QFontMetricsF metrics(font, device);
                    const QString text = it.fragment().text();
                    line += metrics.horizontalAdvance(text);
                    for (const QString &word : text.split(QLatin1Char(' ')))
                        least[column] = std::max(least[column], metrics.horizontalAdvance(word));
                }
                most[column] = std::max(most[column], line);
                if (block == cell.lastCursorPosition().block())
                    break;
            }
        }
    }
    QTextTableFormat format = table->format();
    format.setCellPadding(3);
    const qreal padding = 2 * (format.cellPadding() + format.cellSpacing() + format.border()) * device->logicalDpiY() / 72.0;
    const qreal room = page.width() - columns * padding - 2 * format.border();
    qreal leastSum = 0, extraSum = 0;
    for (int column = 0; column < columns; ++column) {
        leastSum += least[column];
        extraSum += most[column] - least[column];
    }
    if (leastSum > room || std::accumulate(most.begin(), most.end(), 0.0) <= room) {
        format.setCellPadding(3);
        table->setFormat(format);
        return;  // no widths that would help, or room enough for Qt's own
    }
    QVector<QTextLength> widths;
    for (int column = 0; column < columns; ++column) {
        const qreal width = least[column] + (room - leastSum) * (most[column] - least[column]) / extraSum + padding;
        widths << QTextLength(QTextLength::PercentageLength, 100.0 * width / page.width());
    }
    format.setColumnWidthConstraints(widths);
    format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
    table->setFormat(format);
}

void Manual::setCode()
{
    // Code blocks come as one block a line: each run of them is fitted as one.
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!isCode(block))
            continue;
        QVector<QTextBlock> lines{block};
        while (block.next().isValid() && isCode(block.next())) {
            block = block.next();
            lines.append(block);
        }
        fitCode(lines);
    }
}

// Inline code would break wherever the line breaker finds a hyphen or a
// slash in it. Its characters stay as they are (a command copied from the
// manual must still run): a span that the layout breaks starts a line of its
// own instead, the space before it becoming a line break. A span wider than
// the whole line breaks all the same.
void Manual::keepInlineCodeWhole()
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (isCode(block))
            continue;
        for (bool moved = true; moved;) {
            moved = false;
            layout->blockBoundingRect(block);  // lays the block out
            QTextLayout *lines = block.layout();
            int start = -1;
            for (auto it = block.begin(); !moved; ++it) {
                const bool code = !it.atEnd() && it.fragment().charFormat().fontFixedPitch()
                                  && !it.fragment().charFormat().isImageFormat();
                if (code && start < 0)
                    start = it.fragment().position() - block.position();
                if (!code && start >= 0) {
                    const int end = (it.atEnd() ? block.length() - 1 : it.fragment().position() - block.position());
                    const QTextLine first = lines->lineForTextPosition(start);
                    const QTextLine last = lines->lineForTextPosition(end - 1);
                    if (first.isValid() && last.isValid() && first.lineNumber() != last.lineNumber()
                        && first.textStart() < start) {
                        QTextCursor cursor(block);
                        cursor.setPosition(block.position() + start);
                        if (start > 0 && block.text().at(start - 1) == QLatin1Char(' '))
                            cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
                        cursor.insertText(QString(QChar(QChar::LineSeparator)));
                        moved = true;
                    }
                    start = -1;
                }
                if (it.atEnd())
                    break;
            }
        }
    }
}

void Manual::fitCode(const QVector<QTextBlock> &blocks)
{
    QTextBlockFormat blockFormat = blocks.first().blockFormat();
    const qreal width = page.width() - blockFormat.leftMargin() - blockFormat.rightMargin()
                        - blockFormat.textIndent() - 2;
    QFont font = mono;
    QPaintDevice *device = doc.documentLayout()->paintDevice();
    auto widest = [&](const QFont &f) {
        const QFontMetricsF metrics(f, device);
        qreal widest = 0;
        for (const QTextBlock &block : blocks)
            widest = std::max(widest, metrics.horizontalAdvance(block.text()));
        return widest;
    };
    // Smaller first; the lines that are too wide even at the smallest size
    // are wrapped at their spaces.
    while (widest(font) > width && font.pointSizeF() > kSmallestCodePoints)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    const QFontMetricsF metrics(font, device);
    QTextCharFormat format;
    format.setFont(font);
    format.setFontFamilies(mono.families());
    format.setFontFixedPitch(true);
    for (const QTextBlock &block : blocks) {
        QTextBlockFormat lineFormat = block.blockFormat();
        lineFormat.setNonBreakableLines(true);
        QTextCursor cursor(block);
        cursor.setBlockFormat(lineFormat);
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        if (metrics.horizontalAdvance(block.text()) > width)
            cursor.insertText(wrapAtSpaces(block.text(), metrics, width).join(QChar(QChar::LineSeparator)), format);
        else
            cursor.setCharFormat(format);
    }
}

void Manual::paginate()
{
    for (int pass = 0; pass < kPasses; ++pass)
        if (!keepTogether())
            return;
}

// Sets the next page break that is needed; false when none is.
bool Manual::keepTogether()
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    const qreal height = page.height();
    auto pageOf = [height](qreal y) { return int(y / height); };
    auto lineTop = [layout](const QTextBlock &block, int line) {
        const QTextLine l = block.layout()->lineAt(std::min(line, block.layout()->lineCount() - 1));
        return layout->blockBoundingRect(block).top() + l.y();
    };
    auto lastLineTop = [&](const QTextBlock &block) { return lineTop(block, block.layout()->lineCount() - 1); };
    auto breakBefore = [this](const QTextBlock &block) {
        QTextBlockFormat format = block.blockFormat();
        if (breaksBefore(format))
            return false;
        format.setPageBreakPolicy(format.pageBreakPolicy() | QTextFormat::PageBreak_AlwaysBefore);
        QTextCursor(block).setBlockFormat(format);
        return true;
    };
    // The page before a break needs the layout to be done up to there.
    layout->documentSize();

    // A heading with (at least two lines of) what follows it.
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!isHeading(block) || !block.next().isValid())
            continue;
        const QTextBlock next = block.next();
        if (pageOf(lastLineTop(block)) != pageOf(lineTop(next, 1)) && breakBefore(block))
            return true;
    }
    // A short table on one page.
    const QList<QTextFrame *> frames = doc.rootFrame()->childFrames();
    for (QTextFrame *frame : frames) {
        QTextTable *table = qobject_cast<QTextTable *>(frame);
        if (!table || table->rows() > kShortRows)
            continue;
        const QTextBlock first = table->firstCursorPosition().block();
        const QTextBlock last = table->lastCursorPosition().block();
        if (pageOf(lineTop(first, 0)) == pageOf(lastLineTop(last)))
            continue;
        QTextTableFormat format = table->format();
        if (breaksBefore(format))
            continue;
        format.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
        table->setFormat(format);
        return true;
    }
    // A short code block on one page.
    for (QTextBlock block = doc.begin(); block.isValid(); block = block.next()) {
        if (!isCode(block) || (block.previous().isValid() && isCode(block.previous())))
            continue;
        QTextBlock last = block;
        int lines = block.layout()->lineCount();
        while (last.next().isValid() && isCode(last.next())) {
            last = last.next();
            lines += last.layout()->lineCount();
        }
        if (lines <= kShortRows && pageOf(lineTop(block, 0)) != pageOf(lastLineTop(last)) && breakBefore(block))
            return true;
    }
    return false;
}

int Manual::paint(QPainter *painter, QPagedPaintDevice *device)
{
    QAbstractTextDocumentLayout *layout = doc.documentLayout();
    const int pages = std::max(1, int(std::ceil(layout->documentSize().height() / page.height() - 0.001)));
    QFont numberFont = body;
    numberFont.setPointSizeF(8.5);
    for (int i = 0; i < pages; ++i) {
        if (i > 0)
            device->newPage();
        painter->save();
        painter->translate(0, -i * page.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, i * page.height(), page.width(), page.height());
        painter->setClipRect(context.clip);
        layout->draw(painter, context);
        painter->restore();
        painter->setFont(numberFont);
        painter->drawText(QRectF(0, page.height(), page.width(), footer), Qt::AlignHCenter | Qt::AlignBottom,
                          QString::number(i + 1));
    }
    return pages;
}

} // namespace manuallayout
