#pragma once
// Misspellings: the headwords nearest a typed text by edit distance, transpositions
// included, with the letters people confuse here costing half an edit (Uzbek х/ҳ к/қ г/ғ
// у/ў о/ў е/э, Russian е/ё и/й ш/щ). A letter-pair index keeps a query to the few
// headwords that share most of its letter pairs.

#include "engine/Language.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

class TUzDictionary;

// Edit distance in half edits: a confusion costs 1, any other edit 2.
int ConfusionDistance(std::string_view a, std::string_view b);

class TSuggestionIndex {
public:
    // Reads every headword of the list (do it off the user-interface thread).
    TSuggestionIndex(const TUzDictionary& dict, Language list);

    // Indexes of the nearest headwords, nearest first (then in list order), at most `limit`.
    // Up to one edit for words of up to four letters, two for longer ones.
    std::vector<std::int32_t> Suggest(std::string_view text, std::size_t limit) const;

    std::size_t MemoryBytes() const;

private:
    std::string_view HeadwordText(std::uint32_t index) const;

    const TUzDictionary& dict_;
    Language list_;
    std::vector<std::uint8_t> lengths_;           // folded length of each headword, capped
    std::array<std::uint32_t, 65537> starts_{};   // per letter pair, into postings_
    // Rising headword indexes by letter pair, each as its gap from the one before in
    // seven-bit groups: a third of the memory of whole indexes.
    std::vector<std::uint8_t> postings_;
};

} // namespace morva
