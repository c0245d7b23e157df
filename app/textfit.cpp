#include "app/textfit.h"

#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QTableView>

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
