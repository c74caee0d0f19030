#pragma once
// The rules that tidy and compare the texts people wrote into the data: editorial remarks in
// braces and parentheses, spelled-out references, homonym numbers, runs of dots.
// Pure functions of dictionary text; positions are bytes.

#include "engine/Collation.h"

#include <array>
#include <string>
#include <string_view>

namespace morva {

namespace detail {
constexpr std::array<bool, 256> BuildWordSeparators()
{
    std::array<bool, 256> s{};
    for (int b = 0; b < 256; ++b) {
        const auto w = CollationWeights[b];
        s[b] = w < FirstLetterWeight || w > LastLetterWeight;
    }
    return s;
}
} // namespace detail

// Every byte that is not a letter (Latin, Cyrillic or Uzbek): digits, blanks, punctuation,
// the letter sign and the ellipsis included.
inline constexpr std::array<bool, 256> WordSeparators = detail::BuildWordSeparators();

inline bool IsWordSeparator(unsigned char byte)
{
    return WordSeparators[byte];
}

// Without leading and trailing bytes of codes 0 to 32: how every typed text is trimmed.
std::string_view TrimmedText(std::string_view text);
// True when every byte is a space or "#", so also for the empty text.
bool IsBlankText(std::string_view text);
// The canonical form of an entry text: remarks in braces gone, blanks tidied, every spelling
// of a reference turned into a leading "=", homonym numbers dropped, dots made an ellipsis.
std::string NormalizeEntryText(std::string_view text);
// The form of a sense compared with the headword: normalised, parenthesised groups removed.
// Empty (matching nothing) when the parentheses do not balance.
std::string MatchForm(std::string_view text);
// Drops leading parenthesised remarks and everything after the first group; a group with a
// Latin letter in it goes too.
std::string TrimParentheticals(std::string_view text);
// Whether the phrase holds the word as a whole word, compared by collation weight. A leading
// or trailing "-" or ellipsis leaves that side of the word open.
bool ContainsWholeWord(std::string_view word, std::string_view phrase);

} // namespace morva
