#include "cards/WindowList.h"

#include <QApplication>
#include <QEvent>

namespace morva {

namespace {

// Menus, tool tips and the like are parts of a window, not windows of the program; windows
// that bypass the window manager (the tray icon's own) are on no taskbar and in no walk.
bool IsProgramWindow(const QObject* object)
{
    const auto* widget = qobject_cast<const QWidget*>(object);
    if (!widget || !widget->isWindow() || widget->windowFlags().testFlag(Qt::BypassWindowManagerHint))
        return false;
    const Qt::WindowType type = widget->windowType();
    return type == Qt::Window || type == Qt::Dialog;
}

} // namespace

int WindowTag(const QWidget* window)
{
    return window->property("Tag").toInt();
}

TWindowList::TWindowList()
{
    qApp->installEventFilter(this);
}

TWindowList::~TWindowList()
{
    qApp->removeEventFilter(this);
}

namespace {

QList<QWidget*> Live(const QList<QPointer<QWidget>>& windows)
{
    QList<QWidget*> live;
    for (const QPointer<QWidget>& window : windows) {
        if (window)
            live.append(window);
    }
    return live;
}

} // namespace

void TWindowList::Add(QWidget* window)
{
    order_.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    created_.removeIf([](const QPointer<QWidget>& w) { return w.isNull(); });
    if (order_.contains(window))
        return;
    order_.append(window);
    created_.append(window);
}

QList<QWidget*> TWindowList::Windows() const
{
    return Live(order_);
}

QList<QWidget*> TWindowList::CreationOrder() const
{
    return Live(created_);
}

bool TWindowList::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::WindowActivate) && IsProgramWindow(watched)) {
        auto* window = static_cast<QWidget*>(watched);
        Add(window);
        if (type == QEvent::WindowActivate)
            MoveToFront(window);
    }
    return false;
}

void TWindowList::MoveToFront(QWidget* window)
{
    Add(window);
    order_.move(order_.indexOf(window), 0);
}

} // namespace morva
