#include "engine/TextRules.h"
#include "lookup/WordForms.h"

#include "engine/KovrObj.h"
#include "lookup/TextFold.h"
#include "lookup/UzbekSuffixes.h"

#include <algorithm>
#include <numeric>

namespace morva {
namespace {

constexpr char SmallYo = char(0xB8), SmallYe = char(0xE5);

std::string WithoutYo(std::string text)
{
    std::replace(text.begin(), text.end(), SmallYo, SmallYe);
    return text;
}

std::size_t SharedStart(std::string_view a, std::string_view b)
{
    std::size_t n = 0;
    while (n < a.size() && n < b.size() && a[n] == b[n])
        ++n;
    return n;
}

} // namespace

TWordForms::TWordForms(const TUzDictionary& dict, const std::vector<std::filesystem::path>& hunspellFolders)
    : dict_(dict)
{
    for (Language l : {English, Russian}) {
        stemmers_[l] = THunspellStemmer::Open(l, hunspellFolders);
        snowball_[l] = std::make_unique<TSnowballStems>(dict, l);
    }
    for (std::int32_t i = 0; i < dict.Count(Russian); ++i) {
        const std::string headword = LowerDictText(dict.Headword(Russian, i));
        if (headword.find(SmallYo) != std::string::npos)
            yoHeadwords_.emplace(WithoutYo(headword), i);
    }
}

TWordForms::~TWordForms() = default;

std::int32_t TWordForms::FindBase(Language list, const std::string& word) const
{
    const std::int32_t index = dict_.FindHeadword(list, word);
    if (index >= 0 || list != Russian)
        return index;
    const auto found = yoHeadwords_.find(WithoutYo(LowerDictText(word)));
    return found == yoHeadwords_.end() ? -1 : found->second;
}

std::vector<std::int32_t> TWordForms::BaseHeadwords(Language list, std::string_view text)
{
    const std::string word = LowerDictText(TrimmedText(text));
    std::vector<std::int32_t> found;
    if (word.empty())
        return found;
    const auto add = [&](std::int32_t index) {
        if (index >= 0 && std::find(found.begin(), found.end(), index) == found.end())
            found.push_back(index);
    };
    add(dict_.FindHeadword(list, word));
    if (list == Uzbek) {
        for (const std::string& candidate : UzbekBaseCandidates(word))
            add(dict_.FindHeadword(list, candidate));
        return found;
    }
    const std::size_t exact = found.size();
    if (stemmers_[list])
        for (const std::string& stem : stemmers_[list]->Stems(list == Russian ? WithoutYo(word) : word))
            add(FindBase(list, stem));
    if (snowball_[list])
        for (std::int32_t index : snowball_[list]->SameStem(word))
            add(index);
    // The base that keeps most of the word first: "returned" is return before turn.
    std::vector<std::size_t> kept(found.size() - exact);
    for (std::size_t i = exact; i < found.size(); ++i)
        kept[i - exact] = SharedStart(LowerDictText(dict_.Headword(list, found[i])), word);
    std::vector<std::size_t> order(kept.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return kept[a] > kept[b]; });
    std::vector<std::int32_t> sorted(found.begin(), found.begin() + std::ptrdiff_t(exact));
    for (std::size_t i : order)
        sorted.push_back(found[exact + i]);
    return sorted;
}

} // namespace morva
