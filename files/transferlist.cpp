#include "files/transferlist.h"
#include "ui_mainwindow.h"

#include <QStandardItemModel>

#include "app/textfit.h"

#include "files/itemdelegates.h"

TransferList::TransferList(Ui::MainWindow *ui, QObject *parent)
    : QObject(parent), rows(new QStandardItemModel(0, 9, this))
{
    rows->setHorizontalHeaderLabels({tr("name"), tr("file type"), tr("combination key"), tr("key 1"), tr("key 2"),
                                     tr("fall type"), tr("common file name"), tr("source file"), tr("robot path")});
    QTableView *list = ui->tableViewTransFileList;
    list->setItemDelegateForColumn(1, new ComboDelegate(ComboDelegate::FileType, list));
    list->setItemDelegateForColumn(2, new ComboDelegate(ComboDelegate::CombinationKey, list));
    auto *keys = new ComboDelegate(ComboDelegate::Key, list);
    list->setItemDelegateForColumn(3, keys);
    list->setItemDelegateForColumn(4, keys);
    list->setItemDelegateForColumn(5, new ComboDelegate(ComboDelegate::FallType, list));
    list->setItemDelegateForColumn(8, new ComboDelegate(ComboDelegate::RobotPath, list));
    list->setModel(rows);
    fitColumnsToHeaders(list);
}
