#pragma once
// Spin boxes and combo boxes take the mouse wheel only while they have the
// keyboard focus. Without it the wheel goes on to what holds them, so a page
// scrolls past a value instead of changing it under the pointer; a click or
// Tab gives the box the focus, and the wheel then turns its value. One guard
// for the whole application, so editors made later (table delegates, dialogs)
// behave the same.

#include <QObject>

class WheelGuard : public QObject
{
    Q_OBJECT

public:
    // Installs itself as an event filter of the application.
    explicit WheelGuard(QObject *parent = nullptr);

    // Whether a widget of this kind is held back from the wheel.
    static bool guards(const QObject *object);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
