#pragma once
// What the window system lets the program do with its own windows.

#include <string>

class QWidget;

namespace morva {

// Under Wayland the compositor alone places windows and tells no client where they are.
bool IsWaylandSession();
// Whether a window's position can be read and set.
bool WindowPositionsKnown();
// The X server is Xwayland: X11 inside a Wayland compositor, which may show an X window
// somewhere else than where X says it is.
bool IsXwayland();
// Asks for window to get the focus. On Wayland a token (empty: none) that the user's
// launcher gave a later copy lets the compositor grant it.
void ActivateWindow(QWidget& window, const std::string& activationToken);

} // namespace morva
