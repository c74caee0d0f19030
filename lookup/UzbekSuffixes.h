#pragma once
// Uzbek word forms: the stems a word may be built on, found by taking endings off its end.
// Uzbek has no Hunspell dictionary on Debian, so the endings are our own table.

#include <string>
#include <string_view>
#include <vector>

namespace morva {

// Candidate base words of a lower-case Cyrillic Uzbek word (dictionary text), the most
// likely first: longer stems before shorter ones, nouns before verbs in -моқ. The word
// itself is not among them. Only some are real words; the caller checks them against a list.
std::vector<std::string> UzbekBaseCandidates(std::string_view dictWord);

} // namespace morva
