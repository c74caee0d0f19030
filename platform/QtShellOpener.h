#pragma once

#include "platform/ShellOpener.h"

namespace morva {

class TQtShellOpener : public IShellOpener {
public:
    bool Open(const QUrl& target) override;
};

} // namespace morva
