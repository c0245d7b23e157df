#pragma once
// Frame table cells shown with their unit. The cells keep the stored numbers
// (angles in tenths of a degree, times in milliseconds); only the view shows
// "9.0°" and "600 ms", and the angle editor takes degrees.

#include <QStyledItemDelegate>

#include "common/itemdelegates.h"

// The servo angle columns: "9.0°", edited in degrees with the spin box range
// of SpinDelegate (in tenths).
class AngleDelegate : public SpinDelegate
{
    Q_OBJECT

public:
    explicit AngleDelegate(QObject *parent = nullptr);

    QString displayText(const QVariant &value, const QLocale &locale) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};

// A time column edited with SpinDelegate's spin box: "600 ms".
class TimeDelegate : public SpinDelegate
{
    Q_OBJECT

public:
    explicit TimeDelegate(QObject *parent = nullptr);

    QString displayText(const QVariant &value, const QLocale &locale) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
};

// A time column that keeps the view's own editor and only shows "600 ms".
class TimeTextDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    explicit TimeTextDelegate(QObject *parent = nullptr);

    QString displayText(const QVariant &value, const QLocale &locale) const override;
};

// "600 ms" for a number of milliseconds; other text is shown as it stands.
QString millisecondsText(const QVariant &value);
