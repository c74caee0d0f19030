#pragma once
// Uzbek in the Latin alphabet, at the edges of the user interface: what the user types in
// Latin becomes the Cyrillic the dictionary holds, and Uzbek Cyrillic can be shown in Latin.
// Both work on UTF-16 text; the engine and the data stay Cyrillic.

#include <string>
#include <string_view>

namespace morva {

// A letter of the Latin alphabet, with the newer spelling's ş ç ğ ó.
bool IsLatinLetter(char16_t c);
bool HasLatinLetter(std::u16string_view text);
// The ways people type the apostrophe of o‘, g‘ and the sign ’.
bool IsUzbekApostrophe(char16_t c);

// Latin Uzbek to Cyrillic; Cyrillic and everything that is no letter pass through. The
// conversion runs from left to right, and a Latin letter or an apostrophe may merge with the
// Cyrillic letter before it (с + h is ш, о + ‘ is ў, й + o is ё), so text converted as it is
// typed, one letter at a time, comes out as the whole word converted at once. Never longer
// than its input.
std::u16string ConvertUzbekLatin(std::u16string_view text);

// Typed text to be converted: it holds a Latin letter, or an apostrophe right after a letter
// (o‘, g‘ and the sign are Latin even once the letter before them has become Cyrillic).
bool IsTypedUzbekLatin(std::u16string_view text);

// A search text for the Uzbek list, as the search field takes it while the user types or
// pastes and as the command-line tool takes its words: converted once it is typed Latin,
// otherwise unchanged.
std::u16string UzbekSearchToCyrillic(std::u16string_view text);

// As ConvertUzbekLatin, but text with no Latin letter comes back untouched, apostrophes
// included: Cyrillic typing and a second conversion change nothing.
std::u16string UzbekLatinToCyrillic(std::u16string_view text);

// Uzbek Cyrillic to the Latin alphabet of 1995, for display; what is not Uzbek Cyrillic
// passes through.
std::u16string UzbekCyrillicToLatin(std::u16string_view text);

} // namespace morva
