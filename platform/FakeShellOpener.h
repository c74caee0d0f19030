#pragma once
// The shell opener for tests: records what was opened; Succeed decides the result.

#include "platform/ShellOpener.h"

#include <vector>

namespace morva {

class FakeShellOpener : public IShellOpener {
public:
    bool Succeed = true;
    std::vector<QUrl> Opened;

    bool Open(const QUrl& target) override
    {
        Opened.push_back(target);
        return Succeed;
    }
};

} // namespace morva
