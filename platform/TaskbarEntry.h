#pragma once
// The program has one taskbar entry, its main window's. Cards and dialogs keep off the
// taskbar (on X11 the EWMH state _NET_WM_STATE_SKIP_TASKBAR); elsewhere nothing is done.

class QWidget;

namespace morva {

// Call from the window's show event: the window is not mapped yet, and the state it carries
// then is kept when it is mapped. A window manager drops the state when the window is
// hidden, so the call belongs in every show.
void KeepOffTaskbar(QWidget& window);

} // namespace morva
