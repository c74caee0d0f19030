#include "lookup/UzbekSuffixes.h"

#include "text/CodePage1251.h"

#include <algorithm>
#include <array>
#include <set>

namespace morva {
namespace {

// Endings that stack at a word's end: case, plural, possession, predicate, particles,
// verb tense and person, and the derivations that keep the root's sense.
constexpr std::u16string_view Endings[] = {
    // cases
    u"нинг", u"ни", u"га", u"ка", u"қа", u"да", u"та", u"дан", u"тан", u"гача", u"даги", u"дек", u"дай",
    // plural and possession
    u"лар", u"им", u"м", u"инг", u"нг", u"и", u"си", u"имиз", u"миз", u"ингиз", u"нгиз", u"лари",
    // predicate and particles
    u"ман", u"сан", u"сиз", u"дир", u"ми", u"чи", u"ку", u"у", u"ю", u"гина", u"ов",
    // verbs: tense, aspect, person, negation, participles, converbs, nominalisations
    u"моқ", u"моқда", u"моқчи", u"ди", u"дим", u"динг", u"дик", u"дингиз", u"дилар", u"ган", u"кан", u"қан",
    u"япти", u"япман", u"япсан", u"япмиз", u"япсиз", u"аяпти", u"йди", u"ади", u"аман", u"яман", u"асан",
    u"ясан", u"амиз", u"ямиз", u"асиз", u"ясиз", u"йдилар", u"адилар", u"ар", u"ир", u"мас", u"ма", u"иб",
    u"б", u"са", u"сам", u"санг", u"сак", u"гач", u"ш", u"иш", u"ув", u"гани", u"ажак", u"яжак", u"син",
    // derivations
    u"лик", u"ли", u"чилик",
};

constexpr std::u16string_view VerbEnding = u"моқ";
constexpr int MaxEndings = 5;
constexpr std::size_t MinStem = 2;

bool IsVowel(char16_t c)
{
    return std::u16string_view(u"аеёиоуўэюяы").find(c) != std::u16string_view::npos;
}

bool IsConsonant(char16_t c)
{
    return !IsVowel(c) && std::u16string_view(u"ьъ").find(c) == std::u16string_view::npos;
}

// The stem as written inside the word and as it stands alone: к and қ become г and ғ before
// an ending that starts with a vowel, and a short vowel drops between two consonants
// (оғиз, оғзим; бурун, бурни; ўғил, ўғли; шаҳар, шаҳри).
std::vector<std::u16string> JoinVariants(const std::u16string& stem)
{
    std::vector<std::u16string> variants{stem};
    const char16_t last = stem.back();
    if (last == u'г' || last == u'ғ')
        variants.push_back(stem.substr(0, stem.size() - 1) + (last == u'г' ? u'к' : u'қ'));
    if (stem.size() >= 3 && IsConsonant(last) && IsConsonant(stem[stem.size() - 2]))
        for (char16_t vowel : {u'и', u'у', u'а'})
            variants.push_back(stem.substr(0, stem.size() - 1) + vowel + last);
    return variants;
}

void Strip(const std::u16string& word, int depth, std::set<std::u16string>& seen,
           std::vector<std::pair<std::u16string, int>>& found)
{
    if (depth == MaxEndings)
        return;
    for (std::u16string_view ending : Endings) {
        if (word.size() < ending.size() + MinStem || !std::u16string_view(word).ends_with(ending))
            continue;
        const std::u16string stem = word.substr(0, word.size() - ending.size());
        for (const std::u16string& variant : JoinVariants(stem)) {
            if (!seen.insert(variant).second)
                continue;
            found.emplace_back(variant, depth + 1);
            Strip(variant, depth + 1, seen, found);
        }
    }
}

} // namespace

std::vector<std::string> UzbekBaseCandidates(std::string_view dictWord)
{
    const std::u16string word = DictTextToWide(dictWord);
    if (word.size() < MinStem + 1)
        return {};
    std::set<std::u16string> seen{word};
    std::vector<std::pair<std::u16string, int>> found;
    Strip(word, 0, seen, found);
    std::stable_sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        return a.first.size() != b.first.size() ? a.first.size() > b.first.size() : a.second < b.second;
    });
    std::vector<std::string> candidates;
    // A verb's stem stands for its infinitive, which is the headword.
    candidates.push_back(WideToDictText(word + std::u16string(VerbEnding)));
    for (const auto& [stem, depth] : found) {
        candidates.push_back(WideToDictText(stem));
        if (!stem.ends_with(VerbEnding))
            candidates.push_back(WideToDictText(stem + std::u16string(VerbEnding)));
    }
    return candidates;
}

} // namespace morva
