#include "cards/UzbekLatinArticle.h"

#include "engine/Language.h"
#include "text/UzbekArticle.h"

namespace morva {
namespace {

// A card's caption ends in its pair, "(Uz-Ru)"; the history keeps nothing else of it, so a
// card refilled from there reads its pair back from the caption.
TUzbekSides UzbekSidesOfCaption(std::string_view caption)
{
    constexpr std::size_t PairLength = 7;
    if (caption.size() < PairLength)
        return {};
    const std::string_view pair = caption.substr(caption.size() - PairLength);
    if (pair[0] != '(' || pair[3] != '-' || pair[6] != ')')
        return {};
    const std::string_view uzbek = LanguageTags[Uzbek];
    return {pair.substr(1, 2) == uzbek, pair.substr(4, 2) == uzbek};
}

} // namespace

std::string ArticleForDisplay(const std::string& articleHtml, std::string_view caption, bool uzbekLatin)
{
    if (!uzbekLatin)
        return articleHtml;
    return ArticleInUzbekLatin(articleHtml, UzbekSidesOfCaption(caption));
}

} // namespace morva
