#include "platform/WindowSystem.h"

#include <QGuiApplication>

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

} // namespace morva
