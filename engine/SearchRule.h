#pragma once
// What the main window's search selects for a typed text, as a query on any list.

#include "engine/Language.h"

#include <cstdint>
#include <string>

namespace morva {

class TUzDictionary;

// The headword the search selects for a typed text in that list, or -1: it searches the
// trimmed text, then tidies the text with the normalisation and searches again until the
// tidy step leaves it alone.
std::int32_t SearchSelection(const TUzDictionary& dict, Language list, std::string text);

} // namespace morva
