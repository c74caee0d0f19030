// forms, suggest, search: finding a word as the user has it.

#include "engine/Printable.h"
#include "lookup/ArticleIndex.h"
#include "lookup/Suggestions.h"
#include "lookup/WordForms.h"
#include "text/Utf8.h"
#include "tools/Cli.h"

#include <cctype>
#include <iostream>

namespace morva::cli {
namespace {

constexpr std::size_t MaxResults = 20;

std::string Tag(Language language)
{
    std::string tag(LanguageTags[language]);
    tag[0] = char(std::tolower(static_cast<unsigned char>(tag[0])));
    return tag;
}

// Index and headword a line; status 1 and a note on standard error when there is none.
int PrintIndexes(const TUzDictionary& dict, Language list, const std::vector<std::int32_t>& indexes,
                 const char* what, const std::string& text)
{
    if (indexes.empty()) {
        std::cerr << "morva-cli: no " << what << " for \"" << Printable(text) << "\"\n";
        return 1;
    }
    for (std::int32_t index : indexes)
        std::cout << index << '\t' << DictTextToUtf8(dict.Headword(list, index)) << '\n';
    return 0;
}

int Forms(const TUzDictionary& dict, Language list, const std::string& text)
{
    TWordForms forms(dict);
    return PrintIndexes(dict, list, forms.BaseHeadwords(list, SearchTextArg(list, text)), "base words", text);
}

int Suggest(const TUzDictionary& dict, Language list, const std::string& text)
{
    const TSuggestionIndex index(dict, list);
    return PrintIndexes(dict, list, index.Suggest(SearchTextArg(list, text), MaxResults), "suggestions", text);
}

int Search(const TUzDictionary& dict, Language language, const std::string& text)
{
    const TArticleIndex index(dict);
    const auto hits = index.Search(language, SearchTextArg(language, text), MaxResults);
    if (hits.empty()) {
        std::cerr << "morva-cli: no article holds \"" << Printable(text) << "\"\n";
        return 1;
    }
    for (const ArticleHit& hit : hits)
        std::cout << hit.Index << '\t' << DictTextToUtf8(dict.Headword(hit.Pair.Source, hit.Index)) << '\t'
                  << Tag(hit.Pair.Source) << ' ' << Tag(hit.Pair.Target) << '\n';
    return 0;
}

} // namespace

std::optional<int> RunFindCommand(Context& context)
{
    const auto& a = context.Args();
    const std::string& command = a[0];
    if (a.size() != 3)
        return std::nullopt;
    if (command == "forms")
        return Forms(context.Dictionary(), ParseLanguage(a[1]), a[2]);
    if (command == "suggest")
        return Suggest(context.Dictionary(), ParseLanguage(a[1]), a[2]);
    if (command == "search")
        return Search(context.Dictionary(), ParseLanguage(a[1]), a[2]);
    return std::nullopt;
}

} // namespace morva::cli
