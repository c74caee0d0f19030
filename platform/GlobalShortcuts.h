#pragma once
// Keys that the desktop itself watches for the program, whichever window has the keyboard:
// the GlobalShortcuts portal (KDE Plasma; GNOME from version 48).

#include <QString>

#include <functional>
#include <vector>

namespace morva {

struct TGlobalKey {
    QString Id;
    // What the desktop shows the user beside the key.
    QString Description;
    // In the desktop's own notation ("CTRL+ALT+m"); the desktop, or the user, may pick another.
    QString PreferredTrigger;
};

class IGlobalShortcuts {
public:
    // The key's id, and the token that lets the program's window come forward (may be empty).
    using Pressed = std::function<void(const QString& id, const QString& activationToken)>;

    virtual ~IGlobalShortcuts() = default;
    // Asks the desktop for the keys; from then on `pressed` runs for each press. Where the
    // desktop has no such portal, or the user declines, the keys simply never come.
    virtual void Bind(const std::vector<TGlobalKey>& keys, Pressed pressed) = 0;
    // Gives the keys back to the desktop.
    virtual void Unbind() = 0;
};

} // namespace morva
