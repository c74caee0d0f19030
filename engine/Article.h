#pragma once
// The HTML article of one entry (TUzDictionary::ArticleHtml) and the steps it is made of.
// The output is dictionary text with a few fixed tags; every text from the file is escaped,
// except the phonetic transcription, which is font bytes.

#include "engine/Language.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

class TUzDictionary;

namespace article {

inline constexpr std::string_view IndentOpen =
    "<br><table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>&nbsp;&nbsp;&nbsp;&nbsp;</td><td>";
inline constexpr std::string_view IndentClose = "</td></tr></table>";

struct TextPair {
    std::string Source, Target;
};

std::string EscapeHtml(std::string_view text);
// Replaces the first occurrence again and again until none is left. Done in one pass from
// the left, which gives the same text as long as a replacement cannot form the pattern anew
// with what surrounds it ("(<i>or</i>" for "(or" cannot).
std::string ReplaceAll(std::string_view text, std::string_view pattern, std::string_view replacement);
// Turns a leading "*" into a usage note and a leading "=" into a link to that headword of the list.
std::string DecorateTarget(const TUzDictionary& dict, Language list, std::string_view text);
// Source and target of the sense or phrase record at that offset, for the pair;
// an empty source means the record is left out.
TextPair SensePair(const TUzDictionary& dict, LanguagePair languages, std::uint32_t record);
TextPair PhrasePair(const TUzDictionary& dict, LanguagePair languages, std::uint32_t record);
// By source, keeping the collected order of equal sources.
void SortPairs(std::vector<TextPair>& pairs);
std::string RenderWordEntry(const TUzDictionary& dict, LanguagePair languages, std::uint32_t entry);
std::string RenderPhraseEntry(const TUzDictionary& dict, LanguagePair languages, std::uint32_t entry);

} // namespace article
} // namespace morva
