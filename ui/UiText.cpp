// Conversions shared by the program's windows.

#include "ui/UiText.h"

#include "engine/DictionaryError.h"
#include "text/CodePage1251.h"

namespace morva {

QString FromDictText(std::string_view text)
{
    return QString::fromStdU16String(DictTextToWide(text));
}

QString ErrorText(const std::exception& error)
{
    if (dynamic_cast<const EDictionaryError*>(&error))
        return FromDictText(error.what());
    return QString::fromUtf8(error.what());
}

} // namespace morva
