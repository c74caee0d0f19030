#pragma once
// Text that comes from outside the program (a command line, another application's
// selection) turned into the card a user means by it: which list, which pair, which entry.

#include "engine/Language.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morva {

class TUzDictionary;

// Longer text is cut to this many UTF-16 units before it is looked at: a headword is short.
inline constexpr std::size_t MaxOutsideTextLength = 1000;

struct TOutsideWord {
    LanguagePair Pair;
    std::int32_t Index = -1;
    bool operator==(const TOutsideWord&) const = default;
};

// The text as a user means it: white space of every kind made single spaces, and the
// punctuation, quotes and blanks around it dropped (an o‘ or g‘ at the end keeps its sign).
std::u16string CleanOutsideText(std::u16string_view text);

// The entry to show for the text. An exact headword wins (the whole phrase before its first
// word); else the script tells the list and the search picks the entry Enter would open.
// `chosen` is the main window's pair: its target is used unless it is the source, and its
// source settles a tie between the Russian and the Uzbek list. Nothing for a text with
// nothing to look up or a list with no headwords.
std::optional<TOutsideWord> LookUpOutsideWord(const TUzDictionary& dict, std::u16string_view text,
                                              LanguagePair chosen);

} // namespace morva
