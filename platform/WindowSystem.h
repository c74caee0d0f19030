#pragma once
// What the window system lets the program do with its own windows.

class QWidget;

namespace morva {

// Under Wayland the compositor alone places windows and tells no client where they are.
bool IsWaylandSession();
// Whether a window's position can be read and set.
bool WindowPositionsKnown();

} // namespace morva
