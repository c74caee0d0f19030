#include "engine/SearchRule.h"

#include "engine/KovrObj.h"
#include "engine/TextRules.h"

#include <string_view>

namespace morva {
namespace {

std::string TrimBlanks(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

} // namespace

std::int32_t SearchSelection(const TUzDictionary& dict, Language list, std::string text)
{
    std::int32_t selected = -1;
    // Every rewrite keeps or shortens the text; the bound only guards against a cycle.
    for (std::size_t round = 0; round <= text.size() + 1; ++round) {
        const std::string trimmed = TrimBlanks(text);
        if (!trimmed.empty()) {
            const std::int32_t found = dict.NearestHeadword(list, trimmed);
            if (found >= 0)
                selected = found;
        }
        const std::string normal = NormalizeEntryText(text);
        if (normal == text || normal + " " == text)
            break;
        text = text.size() > 1 && text.back() == ' ' ? normal + " " : normal;
    }
    return selected;
}

} // namespace morva
