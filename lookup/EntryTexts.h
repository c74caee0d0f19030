#pragma once
// The texts an entry's article draws on, read from the data file without rendering it.

#include "engine/Language.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace morva {

class TUzDictionary;

struct EntryText {
    std::string_view Text; // stays valid while the dictionary lives
    bool IsPhrase = false;
};

// The translations in that language of the entry at the index of the list: its senses'
// and phrases' texts, without the cross-references and usage notes.
std::vector<EntryText> EntryTranslations(const TUzDictionary& dict, Language list, std::int32_t index,
                                         Language language);

} // namespace morva
