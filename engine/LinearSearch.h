#pragma once
// The plain scans from index 0 that define what the searches return. The dictionary uses
// them where a list turns out not to be sorted; tests and benchmarks measure against them.

#include "engine/Language.h"

#include <cstdint>
#include <string_view>

namespace morva {

class TUzDictionary;

std::int32_t LinearFindHeadword(const TUzDictionary& dict, Language list, std::string_view text);
std::int32_t LinearNearestHeadword(const TUzDictionary& dict, Language list, std::string_view text);

} // namespace morva
