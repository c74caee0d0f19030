#pragma once
// Rising numbers kept as their gaps, seven bits a byte with the top bit saying more follow:
// most gaps in a long list fit one or two bytes where a whole number takes four.

#include <cstdint>
#include <vector>

namespace morva {

inline void AppendGap(std::vector<std::uint8_t>& bytes, std::uint32_t gap)
{
    while (gap >= 0x80) {
        bytes.push_back(std::uint8_t(gap | 0x80));
        gap >>= 7;
    }
    bytes.push_back(std::uint8_t(gap));
}

// The gap starting at `at`, which moves past it.
inline std::uint32_t ReadGap(const std::vector<std::uint8_t>& bytes, std::uint32_t& at)
{
    std::uint32_t gap = 0;
    for (int shift = 0;; shift += 7) {
        const std::uint8_t byte = bytes[at++];
        gap |= std::uint32_t(byte & 0x7F) << shift;
        if (byte < 0x80)
            return gap;
    }
}

} // namespace morva
