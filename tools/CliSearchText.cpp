#include "text/CodePage1251.h"
#include "text/Utf8.h"
#include "text/UzbekLatin.h"
#include "tools/Cli.h"

namespace morva::cli {

std::string SearchTextArg(Language list, const std::string& utf8)
{
    std::u16string wide = Utf8ToWide(utf8);
    if (list == Uzbek)
        wide = UzbekSearchToCyrillic(wide);
    return WideToDictText(wide);
}

} // namespace morva::cli
