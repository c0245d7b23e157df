#include "common/itemdelegates.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QSpinBox>

#include "core/remotekeys.h"

// ---------------------------------------------------------------- combo box

ComboDelegate::ComboDelegate(int type, QObject *parent) : QItemDelegate(parent), type_(type) {}

QStringList ComboDelegate::items(int type)
{
    // Words are translated for display; units, file formats and the names
    // printed on the remote's keys are shown as they are.
    switch (type) {
    case LoopFlag:
        return {QStringLiteral("----"), QT_TR_NOOP("loop start"), QT_TR_NOOP("loop end")};
    case LedBrightness: {
        QStringList percent;
        for (int i = 0; i <= 10; ++i)
            percent << QString::number(i * 10) + QLatin1Char('%');
        return percent;
    }
    case LedFrequency:
        return {QStringLiteral("0 Hz"), QStringLiteral("1 Hz"), QStringLiteral("2 Hz"), QStringLiteral("3 Hz"),
                QT_TR_NOOP("random")};
    case MusicControl:
        return {QStringLiteral("----"), QT_TR_NOOP("pause"), QT_TR_NOOP("stop"), QT_TR_NOOP("play")};
    case MusicType:
        return {QStringLiteral("mp3"), QStringLiteral("wav")};
    case MusicFolder:
    case RobotPath:
        return {QT_TR_NOOP("sd card"), QT_TR_NOOP("flash")};
    case FileType:
        return {QT_TR_NOOP("remote motion file"), QT_TR_NOOP("fall motion file"), QT_TR_NOOP("common file")};
    case CombinationKey:
        return {QT_TR_NOOP("no"), QT_TR_NOOP("yes")};
    case Key:
        return remotekeys::names();
    case FallType:
        return {QT_TR_NOOP("fall left"), QT_TR_NOOP("fall right"), QT_TR_NOOP("fall forward"),
                QT_TR_NOOP("fall back")};
    default:
        return {};
    }
}

QWidget *ComboDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QComboBox(parent);
    // Each item shows its translation and keeps its English text as data: the
    // text lists store that text, whatever the language.
    for (const QString &source : items(type_))
        editor->addItem(QCoreApplication::translate("ComboDelegate", source.toUtf8().constData()), source);
    editor->installEventFilter(const_cast<ComboDelegate *>(this));
    return editor;
}

void ComboDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    const QVariant value = index.data(Qt::EditRole);
    if (storesIndex(type_)) {
        const int i = value.toInt();
        combo->setCurrentIndex(i >= 0 && i < combo->count() ? i : -1);
    } else {
        combo->setCurrentIndex(combo->findData(value.toString(), Qt::UserRole,
                                               Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
}

void ComboDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *combo = static_cast<QComboBox *>(editor);
    // An editor closed with no item chosen (the cell held a value outside the
    // list) leaves the cell as it was.
    if (combo->currentIndex() < 0)
        return;
    if (storesIndex(type_))
        model->setData(index, combo->currentIndex(), Qt::EditRole);
    else
        model->setData(index, combo->currentData().toString(), Qt::EditRole);
}

void ComboDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                         const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}

// ---------------------------------------------------------------- spin box

SpinDelegate::SpinDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QWidget *SpinDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new QSpinBox(parent);
    editor->setRange(Minimum, Maximum);
    editor->installEventFilter(const_cast<SpinDelegate *>(this));
    return editor;
}

void SpinDelegate::setEditorData(QWidget *editor, const QModelIndex &index) const
{
    // Text and numbers read alike; a value outside the range shows its nearest bound.
    static_cast<QSpinBox *>(editor)->setValue(index.data(Qt::EditRole).toInt());
}

void SpinDelegate::setModelData(QWidget *editor, QAbstractItemModel *model, const QModelIndex &index) const
{
    auto *spin = static_cast<QSpinBox *>(editor);
    spin->interpretText();
    model->setData(index, spin->value(), Qt::EditRole);
}

void SpinDelegate::updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                                        const QModelIndex &) const
{
    editor->setGeometry(option.rect);
}
