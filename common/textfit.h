#pragma once
// Widths that let texts show whole: combo boxes as wide as their widest item,
// table columns as wide as their header texts, captions under pictures as
// tall as their wrapped lines.

class QListView;
class QTableView;
class QWidget;

// Every combo box under root gets its widest item's width as its minimum, and
// follows later changes of its items. (Qt keeps the minimum a combo box had
// when the form made its items, still empty before the form translates them,
// so a tight layout would cut the texts.) Run again after a retranslation.
void fitCombosToItems(QWidget *root);

// Widens each column of view to its header text (never narrows one) when the
// view is first shown: the style sets every column to its default width when
// it polishes the header, so sizing them earlier does not last. Columns
// resized by the user afterwards are left as they are.
void fitColumnsToHeaders(QTableView *view);

// Items of an icon-mode list (pictures with a caption below) are sized to
// their whole caption: the caption wraps at the item's width, which is the
// picture's width or, for small pictures, a width of some 11 lines' height
// (at most twice the picture's),
// so that a caption without blanks (Chinese) does not turn into a tall narrow
// column; and the items are laid out again when captions change, so that
// a caption that grew is never drawn cut into its old size.
void fitCaptionsToText(QListView *view);
// The width a caption of view's items wraps at.
int captionWidth(const QListView *view);
