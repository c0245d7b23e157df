#include "common/dockfit.h"

#include <QDockWidget>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace dockfit {

bool fit(QMainWindow *window, QDockWidget *dock)
{
    if (!dock->isVisible() || dock->isFloating() || window->isFullScreen() || !window->screen())
        return false;
    const QRect free = window->screen()->availableGeometry();
    // The frame the window manager adds around the window (none without one).
    const QSize frame = window->frameGeometry().size() - window->size();
    const QSize room = free.size() - frame;
    if (window->width() <= room.width() && window->height() <= room.height())
        return false;
    const QSize docked = dock->size();
    dock->setFloating(true);
    dock->resize(qMin(docked.width(), room.width() * 2 / 3), qMin(docked.height(), room.height() * 2 / 3));
    // The layout without the dock first, so the window may shrink.
    if (window->layout())
        window->layout()->activate();
    window->resize(window->size().boundedTo(room));
    // Over the middle of the window, inside the screen.
    QRect place(QPoint(), dock->frameGeometry().size());
    place.moveCenter(window->frameGeometry().center());
    place.moveLeft(qBound(free.left(), place.left(), qMax(free.left(), free.right() - place.width())));
    place.moveTop(qBound(free.top(), place.top(), qMax(free.top(), free.bottom() - place.height())));
    dock->move(place.topLeft());
    return true;
}

void keepOnScreen(QMainWindow *window, QDockWidget *dock)
{
    QPointer<QMainWindow> guardedWindow(window);
    QObject::connect(dock, &QDockWidget::visibilityChanged, dock, [guardedWindow, dock](bool visible) {
        if (!visible || dock->isFloating())
            return;
        // Once the window has taken the dock into its layout.
        QTimer::singleShot(0, dock, [guardedWindow, dock] {
            if (guardedWindow)
                fit(guardedWindow, dock);
        });
    });
}

} // namespace dockfit
