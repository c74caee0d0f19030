#pragma once
// Dictionary text is code page 1251 with six bytes carrying Uzbek letters.
// Both conversions keep positions: byte i and UTF-16 unit i are the same character.

#include <string>
#include <string_view>

namespace morva {

std::u16string DictTextToWide(std::string_view text);
std::string WideToDictText(std::u16string_view text);

// Plain code page 1251 without the Uzbek letters: what an 8-bit clipboard reader expects.
std::string WideToCodePage1251(std::u16string_view text);

} // namespace morva
