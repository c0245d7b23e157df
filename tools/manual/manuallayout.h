#pragma once
// The manual's page layout on top of QTextDocument, which has no notion of
// keeping a heading with the next paragraph or a table in one piece: the
// document is laid out at the page size, and wherever a heading ends a page,
// or a short table or code block runs over a page's foot, a page break is set
// before it and the layout is done again, until nothing moves.
//
// Code blocks and inline code are set in a fixed-width font; a code line that
// does not fit the width is set smaller, and only when even that is too wide is
// it wrapped, at its spaces; inline code that would break starts a new line. Chinese editions use the Noto CJK faces of their
// script.

#include <QFont>
#include <QString>
#include <QStringList>
#include <QTextBlock>
#include <QTextDocument>
#include <QVector>

class QPagedPaintDevice;
class QPainter;
class QTextTable;

namespace manuallayout {

// The pictures the Markdown names (relative to folder) that cannot be loaded.
QStringList missingPictures(const QString &markdown, const QString &folder);

// Tables of at most this many rows, and code blocks of at most this many
// lines, are kept on one page.
constexpr int kShortRows = 15;

class Manual
{
public:
    // language: "" (English), "zh_simple" or "zh_traditional".
    explicit Manual(const QString &language);

    // Reads the Markdown and lays it out in pages of the device; returns the
    // number of pictures.
    int load(const QString &markdown, const QString &folder, QPagedPaintDevice *device);
    // Paints every page with its number; returns the number of pages.
    int paint(QPainter *painter, QPagedPaintDevice *device);

private:
    void setFonts();
    int fitPictures(const QString &folder);
    void fitColumns(QTextTable *table);
    void setCode();
    void fitCode(const QVector<QTextBlock> &blocks);
    void keepInlineCodeWhole();
    void paginate();
    bool keepTogether();

    QTextDocument doc;
    QFont body;
    QFont mono;
    QSizeF page;     // one page's text area, in device pixels
    qreal footer = 0; // height kept free under it for the page number
};

} // namespace manuallayout
