// Conversions shared by the program's windows.

#include "ui/UiText.h"

#include "text/CodePage1251.h"

namespace morva {

QString FromDictText(std::string_view text)
{
    return QString::fromStdU16String(DictTextToWide(text));
}

QString ErrorText(const std::exception& error)
{
    return QString::fromUtf8(error.what());
}

} // namespace morva
