#include "motion/unitdelegates.h"

#include <QCoreApplication>
#include <QSpinBox>

#include "motion/anglespinbox.h"
#include "motion/angletext.h"

// The unit after a time, as the joint panel's time boxes (in the form) show it.
static QString millisecondsSuffix()
{
    return QCoreApplication::translate("MainWindow", " ms");
}

QString millisecondsText(const QVariant &value)
{
    bool ok = false;
    const int ms = value.toInt(&ok);
    return ok ? QString::number(ms) + millisecondsSuffix() : value.toString();
}

AngleDelegate::AngleDelegate(QObject *parent) : SpinDelegate(parent) {}

QString AngleDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    bool ok = false;
    const int tenths = value.toInt(&ok);
    return ok ? angletext::format(tenths) : SpinDelegate::displayText(value, locale);
}

QWidget *AngleDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &, const QModelIndex &) const
{
    auto *editor = new AngleSpinBox(parent);
    editor->setRange(Minimum, Maximum);
    editor->installEventFilter(const_cast<AngleDelegate *>(this));
    return editor;
}

TimeDelegate::TimeDelegate(QObject *parent) : SpinDelegate(parent) {}

QString TimeDelegate::displayText(const QVariant &value, const QLocale &) const
{
    return millisecondsText(value);
}

QWidget *TimeDelegate::createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                                    const QModelIndex &index) const
{
    QWidget *editor = SpinDelegate::createEditor(parent, option, index);
    static_cast<QSpinBox *>(editor)->setSuffix(millisecondsSuffix());
    return editor;
}

TimeTextDelegate::TimeTextDelegate(QObject *parent) : QStyledItemDelegate(parent) {}

QString TimeTextDelegate::displayText(const QVariant &value, const QLocale &) const
{
    return millisecondsText(value);
}
