#pragma once
// Opens a document or a web address with the desktop's own handler.

#include <QUrl>

#include <functional>

namespace morva {

class IShellOpener {
public:
    virtual ~IShellOpener() = default;

    // Asks the desktop to open the target and tells done, on the UI thread, whether anything
    // could (false: nothing opens it). Never waits for the desktop's answer, so done may be
    // called after Open has returned. Local files: QUrl::fromLocalFile.
    virtual void Open(const QUrl& target, std::function<void(bool opened)> done) = 0;
};

} // namespace morva
