#pragma once

#include "platform/ShellOpener.h"

namespace morva {

// Whether the desktop names an application for the file's type. True where there is no
// xdg-mime to ask.
bool DesktopHasViewerFor(const QString& file);

class TQtShellOpener : public IShellOpener {
public:
    bool Open(const QUrl& target) override;
};

} // namespace morva
