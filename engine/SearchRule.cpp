#include "engine/SearchRule.h"

#include "engine/Collation.h"
#include "engine/KovrObj.h"
#include "engine/TextRules.h"

namespace morva {

std::int32_t NearestRow(const TUzDictionary& dict, Language list, std::string_view text, std::int32_t rows)
{
    if (rows >= dict.Count(list))
        return dict.NearestHeadword(list, text);
    // A list cut short by a damaged entry: its rows are all readable, the rest is not theirs.
    for (std::int32_t row = 0; row < rows; ++row)
        if (CompareHeadwords(dict.Headword(list, row), text) >= 0)
            return row;
    return -1;
}

SearchOutcome SearchAndTidy(const TUzDictionary& dict, Language list, std::string text, std::int32_t selected,
                            std::int32_t rows)
{
    SearchOutcome outcome{-1, std::move(text)};
    std::string& current = outcome.Text;
    // Every rewrite keeps or shortens the text; the bound only guards against a cycle.
    for (std::size_t round = 0, rounds = current.size() + 1; round <= rounds; ++round) {
        const std::string_view wanted = TrimmedText(current);
        // Text written from the list already has its row: no search.
        if (!wanted.empty() && (selected < 0 || dict.Headword(list, selected) != wanted)) {
            const std::int32_t nearest = NearestRow(dict, list, wanted, rows);
            if (nearest >= 0)
                selected = outcome.Selected = nearest;
        }
        const std::string normal = NormalizeEntryText(current);
        if (normal == current || normal + ' ' == current)
            break;
        current = current.size() > 1 && current.back() == ' ' ? normal + ' ' : normal;
    }
    if (!current.empty() && NormalizeEntryText(current).empty())
        current.clear();
    return outcome;
}

std::int32_t SearchSelection(const TUzDictionary& dict, Language list, std::string text)
{
    return SearchAndTidy(dict, list, std::move(text), -1, dict.Count(list)).Selected;
}

} // namespace morva
