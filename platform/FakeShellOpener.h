#pragma once
// The shell opener for tests: records what was opened; Succeed decides the result, which is
// given at once.

#include "platform/ShellOpener.h"

#include <vector>

namespace morva {

class FakeShellOpener : public IShellOpener {
public:
    bool Succeed = true;
    std::vector<QUrl> Opened;

    void Open(const QUrl& target, std::function<void(bool opened)> done) override
    {
        Opened.push_back(target);
        done(Succeed);
    }
};

} // namespace morva
