#pragma once
// The program has one taskbar entry, its main window's. Cards and dialogs keep off the
// taskbar: on X11 with the EWMH state _NET_WM_STATE_SKIP_TASKBAR; on Wayland, which has no
// such state, as children of the main window (xdg-shell's parent), which compositors keep
// off their window lists and, as a rule, above the main window.

class QWidget;

namespace morva {

// Call from the window's show event: the window is not mapped yet, and the state it carries
// then is kept when it is mapped. A window manager drops the state when the window is
// hidden, so the call belongs in every show.
// mainWindow may be null (no main window: nothing to group with on Wayland).
void KeepOffTaskbar(QWidget& window, QWidget* mainWindow);

} // namespace morva
