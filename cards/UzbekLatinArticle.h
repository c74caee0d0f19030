#pragma once
// What a card shows of its article when Uzbek is to be shown in the Latin alphabet.

#include <string>
#include <string_view>

namespace morva {

// The article as the card shows it: with uzbekLatin, its Uzbek side (as the caption's
// language pair tells) in Latin. Dictionary text; links and their targets are unchanged.
std::string ArticleForDisplay(const std::string& articleHtml, std::string_view caption, bool uzbekLatin);

} // namespace morva
