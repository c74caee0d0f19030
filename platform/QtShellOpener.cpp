#include "platform/QtShellOpener.h"

#include <QDesktopServices>

namespace morva {

bool TQtShellOpener::Open(const QUrl& target)
{
    return target.isValid() && QDesktopServices::openUrl(target);
}

} // namespace morva
