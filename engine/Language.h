#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace morva {

// The order of the data file's lists, of every selector and of the stored settings.
using Language = std::uint8_t;
inline constexpr Language English = 0;
inline constexpr Language Uzbek = 1;
inline constexpr Language Russian = 2;
inline constexpr int LanguageCount = 3;

// A source list and the language its articles translate into.
struct LanguagePair {
    Language Source = English;
    Language Target = Uzbek;
    bool operator==(const LanguagePair&) const = default;
};

inline constexpr std::array<std::string_view, LanguageCount> LanguageTags = {"En", "Uz", "Ru"};

// The language named by its lower-case tag, as the tools take it: "en", "uz" or "ru".
inline std::optional<Language> LanguageFromCode(std::string_view code)
{
    for (Language l = 0; l < LanguageCount; ++l)
        if (code.size() == 2 && code[0] == LanguageTags[l][0] + ('a' - 'A') && code[1] == LanguageTags[l][1])
            return l;
    return std::nullopt;
}

} // namespace morva
