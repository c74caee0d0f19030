#pragma once
// The one order of dictionary texts: case-insensitive, punctuation before digits before
// Latin before Cyrillic, Uzbek letters after Я.

#include <array>
#include <cstdint>
#include <string_view>

namespace morva {

namespace detail {
constexpr std::array<std::uint8_t, 256> BuildCollationWeights()
{
    std::array<std::uint8_t, 256> w{};
    auto range = [&w](int from, int to, int firstWeight) {
        for (int b = from; b <= to; ++b)
            w[b] = std::uint8_t(firstWeight + (b - from));
    };
    range(0x20, 0x2F, 1);
    range(0x3A, 0x40, 17);
    range(0x5B, 0x60, 24);
    range(0x7B, 0x7E, 30);
    for (int b = 0xA3; b <= 0xBF; ++b)
        w[b] = 34;
    w[0xB9] = 35;
    range(0x30, 0x39, 36);
    range(0x41, 0x5A, 46);
    range(0x61, 0x7A, 46);
    range(0xC0, 0xC5, 72);
    range(0xE0, 0xE5, 72);
    w[0xA8] = w[0xB8] = 78;
    range(0xC6, 0xDF, 79);
    range(0xE6, 0xFF, 79);
    w[0xA1] = w[0xA2] = 105;
    w[0x8D] = w[0x9D] = 106;
    w[0x81] = w[0x83] = 107;
    w[0x8E] = w[0x9E] = 108;
    w[0x85] = 109;
    return w;
}
} // namespace detail

// One weight per byte value; bytes of equal weight are equal everywhere in the engine.
inline constexpr std::array<std::uint8_t, 256> CollationWeights = detail::BuildCollationWeights();

inline constexpr std::uint8_t FirstLetterWeight = 46;
inline constexpr std::uint8_t FirstCyrillicWeight = 72;
inline constexpr std::uint8_t LastLetterWeight = 108;

// -1, 0 or +1; the shorter text sorts first when one is a prefix of the other.
inline int CompareHeadwords(std::string_view a, std::string_view b)
{
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const auto wa = CollationWeights[static_cast<unsigned char>(a[i])];
        const auto wb = CollationWeights[static_cast<unsigned char>(b[i])];
        if (wa != wb)
            return wa > wb ? 1 : -1;
    }
    return a.size() == b.size() ? 0 : (a.size() > b.size() ? 1 : -1);
}

} // namespace morva
