#pragma once
// A card as a value: the entry it shows, the pair it shows it for, and what it shows. The
// cards, the history and the Latin display read what a card holds from here.

#include "engine/Language.h"

#include <cstdint>
#include <string>

namespace morva {

class TUzDictionary;

struct Card {
    std::string Headword;
    // The entry's index in the list of Pair.Source.
    std::int32_t Index = -1;
    LanguagePair Pair;
    // Dictionary text, as the dictionary gave it.
    std::string Caption;
    std::string Article;
};

// The card of an entry of the pair's source list. Throws what the dictionary throws.
Card MakeCard(const TUzDictionary& dictionary, LanguagePair pair, std::int32_t index);

} // namespace morva
