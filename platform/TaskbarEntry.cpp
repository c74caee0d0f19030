#include "platform/TaskbarEntry.h"

#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace morva {
namespace {

template <typename T>
using TReply = std::unique_ptr<T, decltype(&std::free)>;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name)
{
    const TReply<xcb_intern_atom_reply_t> reply(
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, std::strlen(name), name), nullptr),
        &std::free);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

bool HasState(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t property, xcb_atom_t state)
{
    const TReply<xcb_get_property_reply_t> reply(
        xcb_get_property_reply(connection, xcb_get_property(connection, 0, window, property, XCB_ATOM_ATOM, 0, 1024),
                               nullptr),
        &std::free);
    if (!reply || reply->format != 32 || reply->type != XCB_ATOM_ATOM)
        return false;
    const auto* states = static_cast<const xcb_atom_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / int(sizeof(xcb_atom_t));
    for (int i = 0; i < count; ++i)
        if (states[i] == state)
            return true;
    return false;
}

} // namespace

void KeepOffTaskbar(QWidget& window, QWidget* mainWindow)
{
    if (IsWaylandSession()) {
        if (mainWindow && mainWindow != &window && mainWindow->windowHandle() && window.windowHandle())
            window.windowHandle()->setTransientParent(mainWindow->windowHandle());
        return;
    }
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return;
    xcb_connection_t* connection = x11->connection();
    const auto id = xcb_window_t(window.winId());
    const xcb_atom_t property = Atom(connection, "_NET_WM_STATE");
    const xcb_atom_t skipTaskbar = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
    if (property == XCB_ATOM_NONE || skipTaskbar == XCB_ATOM_NONE || HasState(connection, id, property, skipTaskbar))
        return;
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, property, XCB_ATOM_ATOM, 32, 1, &skipTaskbar);
    xcb_flush(connection);
}

} // namespace morva
