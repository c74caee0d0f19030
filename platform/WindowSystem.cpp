#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QWidget>

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
