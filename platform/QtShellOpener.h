#pragma once

#include "platform/ShellOpener.h"

#include <QString>

#include <chrono>

namespace morva {

// Tells answer whether the desktop names an application for the target: for a local file its
// type's, for an address its URL scheme's; true where there is no xdg-mime to ask (then at
// once). Each question to xdg-mime runs on its own and counts as unanswered after timeout,
// so the caller never waits.
void AskDesktopForHandler(const QUrl& target, std::chrono::milliseconds timeout, std::function<void(bool)> answer);

class TQtShellOpener : public IShellOpener {
public:
    explicit TQtShellOpener(std::chrono::milliseconds askTimeout = std::chrono::seconds(5)) : askTimeout_(askTimeout) {}

    void Open(const QUrl& target, std::function<void(bool opened)> done) override;

private:
    std::chrono::milliseconds askTimeout_;
};

} // namespace morva
