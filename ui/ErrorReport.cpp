#include "ui/ErrorReport.h"

#include "platform/MessageBox.h"
#include "ui/Program.h"
#include "ui/UiText.h"

namespace morva {

TErrorReport StandardErrorReport(IMessageBox& messages, std::function<QWidget*()> owner)
{
    return [&messages, owner = std::move(owner)](const std::exception& error) {
        messages.Show(owner ? owner() : nullptr, ErrorText(error), QString::fromLatin1(MainCaption),
                      TMessageIcon::Error);
    };
}

} // namespace morva
