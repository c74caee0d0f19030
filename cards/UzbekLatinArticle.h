#pragma once
// What a card shows of its article when Uzbek is to be shown in the Latin alphabet.

#include "cards/Card.h"

#include <string>

namespace morva {

// The article as the card shows it: with uzbekLatin, its Uzbek side (as the card's pair
// tells) in Latin. Dictionary text; links and their targets are unchanged.
std::string ArticleForDisplay(const Card& card, bool uzbekLatin);

} // namespace morva
