#pragma once
// Opens a document or a web address with the desktop's own handler.

#include <QUrl>

namespace morva {

class IShellOpener {
public:
    virtual ~IShellOpener() = default;

    // False when nothing could open it. Local files: QUrl::fromLocalFile.
    virtual bool Open(const QUrl& target) = 0;
};

} // namespace morva
