#pragma once
// The second source of English and Russian forms: Snowball's stemmers, for the forms
// Hunspell's dictionaries list as words of their own (running, rivers, hoped). A word is a
// form of the headwords whose stem is its stem. The only place that knows libstemmer.

#include "engine/Language.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

struct sb_stemmer;

namespace morva {

class TUzDictionary;

class TSnowballStems {
public:
    // Stems every headword of the list (do it off the user-interface thread).
    TSnowballStems(const TUzDictionary& dict, Language list);
    ~TSnowballStems();
    TSnowballStems(const TSnowballStems&) = delete;
    TSnowballStems& operator=(const TSnowballStems&) = delete;

    // Headwords sharing the stem of the lower-case word, in list order.
    std::vector<std::int32_t> SameStem(std::string_view dictWord) const;

private:
    std::uint64_t StemHash(std::string_view dictWord) const;

    sb_stemmer* stemmer_ = nullptr;
    std::vector<std::pair<std::uint64_t, std::int32_t>> stems_; // sorted
};

} // namespace morva
