#pragma once
// The text the user has just highlighted in any application (the X11 primary selection),
// and the pointer and keys of the whole desktop, for the card that follows a selection.

#include <QPoint>
#include <QString>

#include <functional>

namespace morva {

class IPrimarySelection {
public:
    virtual ~IPrimarySelection() = default;

    // False where the desktop keeps other programs' selections to themselves (Wayland).
    virtual bool IsAvailable() const = 0;
    // Where it is not available, the desktop may still give it while one of the program's
    // windows has the keyboard; empty otherwise.
    virtual QString Text() const = 0;
    // From now on `changed` runs whenever another application takes the selection; the
    // program's own selections do not count. An empty function stops the watch.
    virtual void Watch(std::function<void()> changed) = 0;
};

struct TPointerState {
    QPoint Position;
    bool ButtonDown = false;
    bool CtrlHeld = false;
    bool EscapeDown = false;
};

// The pointer and the keys as the whole desktop sees them, whichever window has the focus.
class IDesktopPointer {
public:
    virtual ~IDesktopPointer() = default;
    // Nothing known (no X11 display): the pointer is where Qt last saw it, nothing held.
    virtual TPointerState State() const = 0;
};

} // namespace morva
