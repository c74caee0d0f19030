#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace morva {

bool IsWaylandSession()
{
    // "wayland", "wayland-egl", "wayland-xcomposite-...": all the same protocol.
    return QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

bool WindowPositionsKnown()
{
    return !IsWaylandSession();
}

bool IsXwayland()
{
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return false;
    // Newer Xwayland has an extension of its own; older ones only name their outputs so.
    static const bool xwayland = [connection = x11->connection()] {
        const char* name = "XWAYLAND";
        xcb_query_extension_reply_t* reply =
            xcb_query_extension_reply(connection, xcb_query_extension(connection, std::strlen(name), name), nullptr);
        const bool present = reply && reply->present;
        std::free(reply);
        if (present)
            return true;
        for (const QScreen* screen : QGuiApplication::screens())
            if (screen->name().startsWith(QLatin1String("XWAYLAND")))
                return true;
        return false;
    }();
    return xwayland;
}

void ActivateWindow(QWidget& window, const std::string& activationToken)
{
    // Qt's Wayland client takes the token from the environment as it asks the compositor to
    // activate a window; it must not stay there for programs started later.
    const bool handOver = IsWaylandSession() && !activationToken.empty();
    if (handOver)
        qputenv("XDG_ACTIVATION_TOKEN", QByteArray::fromStdString(activationToken));
    window.activateWindow();
    if (handOver)
        qunsetenv("XDG_ACTIVATION_TOKEN");
}

} // namespace morva
