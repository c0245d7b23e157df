#include "common/textfit.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QListView>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>

void fitCombosToItems(QWidget *root)
{
    for (QComboBox *combo : root->findChildren<QComboBox *>()) {
        // Setting the policy drops the size hint Qt kept, so it is measured anew.
        combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
        combo->setMinimumWidth(0);
        combo->setMinimumWidth(combo->sizeHint().width());
    }
}

namespace {

class HeaderFit : public QObject
{
public:
    explicit HeaderFit(QTableView *view) : QObject(view), view(view) { view->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == view && event->type() == QEvent::Show) {
            QHeaderView *header = view->horizontalHeader();
            for (int c = 0; c < header->count(); ++c)
                header->resizeSection(c, qMax(header->sectionSize(c), header->sectionSizeHint(c)));
            view->removeEventFilter(this);
            deleteLater();
        }
        return false;
    }

private:
    QTableView *view;
};

} // namespace

void fitColumnsToHeaders(QTableView *view)
{
    new HeaderFit(view);
}

namespace {

int captionWidthFor(const QSize &decoration, const QFontMetrics &metrics)
{
    // Small pictures get at most twice their width, so that many still fit
    // in a row.
    return qMax(decoration.width(), qMin(11 * metrics.height(), 2 * decoration.width()));
}

// Sizes an item to its caption wrapped at the caption width: the style
// wraps at the width of a valid option rectangle, else at the picture's.
class CaptionDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem wrapped = option;
        const int width = captionWidthFor(option.decorationSize, option.fontMetrics);
        wrapped.rect = QRect(0, 0, width, 1);
        const QSize size = QStyledItemDelegate::sizeHint(wrapped, index);
        return QSize(qMax(size.width(), width), size.height());
    }

protected:
    // An item is as big as the view's picture size whatever the size of the
    // picture it holds (a picture drawn at the old size until it is drawn
    // anew), so that a new picture never changes its item's size.
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override
    {
        const QSize wanted = option->decorationSize;
        QStyledItemDelegate::initStyleOption(option, index);
        if (option->features & QStyleOptionViewItem::HasDecoration)
            option->decorationSize = wanted;
    }
};

} // namespace

void fitCaptionsToText(QListView *view)
{
    view->setItemDelegate(new CaptionDelegate(view));
    // A changed caption resizes only its own item; the items are laid out
    // anew once the changes of one turn of the event loop are in.
    auto *relayout = new QTimer(view);
    relayout->setSingleShot(true);
    relayout->setInterval(0);
    QObject::connect(relayout, &QTimer::timeout, view, [view] { view->doItemsLayout(); });
    QAbstractItemModel *model = view->model();
    if (!model)
        return;
    QObject::connect(model, &QAbstractItemModel::dataChanged, relayout,
                     [relayout](const QModelIndex &, const QModelIndex &, const QVector<int> &roles) {
                         if (roles.isEmpty() || roles.contains(Qt::DisplayRole))
                             relayout->start();
                     });
}

int captionWidth(const QListView *view)
{
    return captionWidthFor(view->iconSize(), view->fontMetrics());
}
