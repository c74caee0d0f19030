#pragma once
// Dictionary text folded for the lookups: lower case, collation keys and words.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

// Lower case of Latin, Cyrillic and the Uzbek letters; other bytes unchanged.
char LowerDictChar(char c);
std::string LowerDictText(std::string_view text);
// The collation weight of every byte: texts equal in dictionary order give equal keys.
std::string CollationKey(std::string_view text);
// The runs of letters between word separators.
std::vector<std::string_view> SplitWords(std::string_view text);
void SplitWords(std::string_view text, std::vector<std::string_view>& words);
// A 64-bit hash of a text's collation key.
std::uint64_t CollationHash(std::string_view text);

} // namespace morva
