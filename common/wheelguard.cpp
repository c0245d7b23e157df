#include "common/wheelguard.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

WheelGuard::WheelGuard(QObject *parent) : QObject(parent)
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

bool WheelGuard::guards(const QObject *object)
{
    return qobject_cast<const QAbstractSpinBox *>(object) || qobject_cast<const QComboBox *>(object);
}

bool WheelGuard::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Polish:
        // The wheel no longer gives these boxes the focus (Qt's WheelFocus);
        // a click and Tab still do.
        if (guards(watched)) {
            auto *widget = static_cast<QWidget *>(watched);
            if (widget->focusPolicy() == Qt::WheelFocus)
                widget->setFocusPolicy(Qt::StrongFocus);
        }
        break;
    case QEvent::Wheel:
        if (guards(watched) && !static_cast<QWidget *>(watched)->hasFocus()) {
            // Not taken here: the application hands the event on to the parent.
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}
