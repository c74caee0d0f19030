#pragma once
// What the window system lets the program do with its own windows.

#include <string>

class QWidget;

namespace morva {

// Under Wayland the compositor alone places windows and tells no client where they are.
bool IsWaylandSession();
// Whether a window's position can be read and set.
bool WindowPositionsKnown();
// Asks for window to get the focus. On Wayland a token (empty: none) that the user's
// launcher gave a later copy lets the compositor grant it.
void ActivateWindow(QWidget& window, const std::string& activationToken);

} // namespace morva
