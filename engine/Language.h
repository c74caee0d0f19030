#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace morva {

// The order of the data file's lists, of every selector and of the stored settings.
using Language = std::uint8_t;
inline constexpr Language English = 0;
inline constexpr Language Uzbek = 1;
inline constexpr Language Russian = 2;
inline constexpr int LanguageCount = 3;

inline constexpr std::array<std::string_view, LanguageCount> LanguageTags = {"En", "Uz", "Ru"};

} // namespace morva
