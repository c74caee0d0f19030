#include "engine/WordFromOutside.h"

#include "engine/Collation.h"
#include "engine/KovrObj.h"
#include "engine/SearchRule.h"
#include "engine/TextRules.h"
#include "text/CodePage1251.h"
#include "text/UzbekLatin.h"

#include <algorithm>
#include <vector>

namespace morva {
namespace {

bool IsCyrillic(char16_t c)
{
    return c >= 0x0400 && c <= 0x04FF;
}

// Letters and digits: what a word may begin and end with.
bool IsWordCharacter(char16_t c)
{
    if ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))
        return true;
    if (c >= 0x00C0 && c <= 0x024F)
        return c != 0x00D7 && c != 0x00F7;
    return IsCyrillic(c);
}

bool IsBlank(char16_t c)
{
    return c <= 0x20 || c == 0x7F || (c >= 0x80 && c <= 0xA0) || (c >= 0x2000 && c <= 0x200A) || c == 0x2028
        || c == 0x2029 || c == 0x202F || c == 0x205F || c == 0x3000;
}

// Invisible characters that word processors and browsers put inside words.
bool IsInvisible(char16_t c)
{
    return c == 0x00AD || (c >= 0x200B && c <= 0x200D) || c == 0x2060 || c == 0xFEFF;
}

// o‘ and g‘ are letters of Latin Uzbek: their sign belongs to the word.
bool KeepsTrailingSign(std::u16string_view text)
{
    if (text.size() < 2 || !IsUzbekApostrophe(text.back()))
        return false;
    const char16_t before = text[text.size() - 2];
    return before == u'o' || before == u'O' || before == u'g' || before == u'G';
}

std::u16string StripEdges(std::u16string_view text)
{
    while (!text.empty() && !IsWordCharacter(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && !IsWordCharacter(text.back()) && !KeepsTrailingSign(text))
        text.remove_suffix(1);
    return std::u16string(text);
}

// Blanks of every kind as single spaces, none at the ends, invisible characters gone.
std::u16string TidyBlanks(std::u16string_view text)
{
    std::u16string out;
    for (char16_t c : text.substr(0, MaxOutsideTextLength)) {
        if (IsInvisible(c))
            continue;
        if (IsBlank(c)) {
            if (!out.empty() && out.back() != u' ')
                out += u' ';
            continue;
        }
        out += c;
    }
    if (!out.empty() && out.back() == u' ')
        out.pop_back();
    return out;
}

std::u16string FirstWord(std::u16string_view phrase)
{
    return StripEdges(phrase.substr(0, phrase.find(u' ')));
}

// The text as the list holds it, or nothing when the code page cannot carry it.
std::optional<std::string> ListText(std::u16string_view text, Language list)
{
    const std::u16string wide = list == Uzbek ? UzbekSearchToCyrillic(text) : std::u16string(text);
    std::string dict = WideToDictText(wide);
    if (DictTextToWide(dict) != wide)
        return std::nullopt;
    return dict;
}

enum class TScript { None, Latin, Cyrillic };

TScript ScriptOf(std::u16string_view text)
{
    if (std::any_of(text.begin(), text.end(), IsCyrillic))
        return TScript::Cyrillic;
    return HasLatinLetter(text) ? TScript::Latin : TScript::None;
}

bool HasAnyOf(std::u16string_view text, std::u16string_view letters)
{
    return text.find_first_of(letters) != std::u16string_view::npos;
}

// Letters only Uzbek Cyrillic has, and letters it lacks.
constexpr std::u16string_view UzbekOnlyCyrillic = u"ЎўҚқҒғҲҳ";
constexpr std::u16string_view RussianOnlyCyrillic = u"ЩщЫы";

// Latin that can only be Uzbek: o‘ and g‘ with any of their signs, and the newer ş ç ğ ó.
bool LooksLikeUzbekLatin(std::u16string_view text)
{
    if (HasAnyOf(text, u"\u015F\u015E\u00E7\u00C7\u011F\u011E\u00F3\u00D3"))
        return true;
    for (std::size_t i = 1; i < text.size(); ++i)
        if (IsUzbekApostrophe(text[i]) && HasAnyOf(text.substr(i - 1, 1), u"oOgG"))
            return true;
    return false;
}

std::size_t CommonLetters(std::string_view a, std::string_view b)
{
    std::size_t n = 0;
    while (n < a.size() && n < b.size()
           && CollationWeights[static_cast<unsigned char>(a[n])] == CollationWeights[static_cast<unsigned char>(b[n])])
        ++n;
    return n;
}

// How far the text agrees with the headwords around the place it would sort at.
std::size_t Closeness(const TUzDictionary& dict, Language list, std::u16string_view text)
{
    const std::optional<std::string> key = ListText(text, list);
    if (!key || dict.Count(list) == 0)
        return 0;
    std::int32_t at = dict.NearestHeadword(list, *key);
    if (at < 0)
        at = dict.Count(list);
    std::size_t best = 0;
    for (std::int32_t i : {at - 1, at})
        if (i >= 0 && i < dict.Count(list))
            best = std::max(best, CommonLetters(*key, dict.Headword(list, i)));
    return best;
}

// Russian or Uzbek for Cyrillic that both could be: the list closer to it, else the one
// the user works in, else Russian.
Language RussianOrUzbek(std::size_t russian, std::size_t uzbek, Language chosenSource)
{
    if (russian != uzbek)
        return russian > uzbek ? Russian : Uzbek;
    return chosenSource == Uzbek ? Uzbek : Russian;
}

// The list for a text that is no exact headword anywhere.
Language GuessList(const TUzDictionary& dict, std::u16string_view text, Language chosenSource)
{
    switch (ScriptOf(text)) {
    case TScript::Latin:
        if (LooksLikeUzbekLatin(text) || Closeness(dict, Uzbek, text) > Closeness(dict, English, text))
            return Uzbek;
        return English;
    case TScript::Cyrillic:
        if (HasAnyOf(text, UzbekOnlyCyrillic))
            return Uzbek;
        if (HasAnyOf(text, RussianOnlyCyrillic))
            return Russian;
        return RussianOrUzbek(Closeness(dict, Russian, text), Closeness(dict, Uzbek, text), chosenSource);
    case TScript::None:
        break;
    }
    return chosenSource;
}

// Several lists hold the text exactly: its script decides.
Language PreferredOf(const std::vector<Language>& lists, std::u16string_view text, Language chosenSource)
{
    auto holds = [&](Language list) { return std::find(lists.begin(), lists.end(), list) != lists.end(); };
    const TScript script = ScriptOf(text);
    if (script == TScript::Latin && holds(English))
        return English;
    if (script == TScript::Cyrillic && holds(Uzbek) && HasAnyOf(text, UzbekOnlyCyrillic))
        return Uzbek;
    if (holds(Russian) && holds(Uzbek))
        return RussianOrUzbek(0, 0, chosenSource);
    return holds(chosenSource) ? chosenSource : lists.front();
}

struct TExact {
    Language List;
    std::int32_t Index;
};

std::optional<TExact> ExactHeadword(const TUzDictionary& dict, std::u16string_view text, Language chosenSource)
{
    std::vector<Language> lists;
    std::array<std::int32_t, LanguageCount> found{};
    for (Language list = 0; list < LanguageCount; ++list) {
        const std::optional<std::string> key = ListText(text, list);
        found[list] = key && !key->empty() ? dict.FindHeadword(list, *key) : -1;
        if (found[list] >= 0)
            lists.push_back(list);
    }
    if (lists.empty())
        return std::nullopt;
    const Language list = PreferredOf(lists, text, chosenSource);
    return TExact{list, found[list]};
}

Language TargetFor(Language source, Language chosenTarget)
{
    if (chosenTarget != source)
        return chosenTarget;
    return source == English ? Uzbek : English;
}

} // namespace

std::u16string CleanOutsideText(std::u16string_view text)
{
    return StripEdges(TidyBlanks(text));
}

std::optional<TOutsideWord> LookUpOutsideWord(const TUzDictionary& dict, std::u16string_view text,
                                              LanguagePair chosen)
{
    // The text as it came (for headwords such as "C++"), as a user means it, then its first word.
    const std::u16string tidy = TidyBlanks(text);
    const std::u16string phrase = StripEdges(tidy);
    const std::u16string word = FirstWord(phrase);
    for (const std::u16string* candidate : {&tidy, &phrase, &word})
        if (const std::optional<TExact> exact = ExactHeadword(dict, *candidate, chosen.Source))
            return TOutsideWord{{exact->List, TargetFor(exact->List, chosen.Target)}, exact->Index};

    const Language list = GuessList(dict, word, chosen.Source);
    const std::optional<std::string> key = ListText(word, list);
    if (!key || NormalizeEntryText(*key).empty() || dict.Count(list) == 0)
        return std::nullopt;
    std::int32_t index = SearchSelection(dict, list, *key);
    // A text that sorts after every headword is nearest to the last one.
    if (index < 0)
        index = dict.Count(list) - 1;
    return TOutsideWord{{list, TargetFor(list, chosen.Target)}, index};
}

} // namespace morva
