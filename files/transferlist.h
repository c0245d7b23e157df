#pragma once
// The transfer file list page: its table of motion files bound to remote keys
// and falls, with the editors of its columns. Sending the list is not built
// yet; the model and its editors are in place for it.
//
// Widgets: tableViewTransFileList.

#include <QObject>

namespace Ui { class MainWindow; }
class QStandardItemModel;

class TransferList : public QObject
{
    Q_OBJECT

public:
    TransferList(Ui::MainWindow *ui, QObject *parent = nullptr);

    // Nine text columns: name, file type, combination key, key 1, key 2, fall
    // type, common file name, source file, robot path.
    QStandardItemModel &model() const { return *rows; }

private:
    QStandardItemModel *rows = nullptr;
};
