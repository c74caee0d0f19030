#pragma once

#include "platform/ShellOpener.h"

namespace morva {

// Whether the desktop names an application for the target: for a local file its type's, for
// an address its URL scheme's. True where there is no xdg-mime to ask.
bool DesktopHasHandlerFor(const QUrl& target);

class TQtShellOpener : public IShellOpener {
public:
    bool Open(const QUrl& target) override;
};

} // namespace morva
