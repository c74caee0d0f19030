#pragma once
// The generator behind a new temporary card's offset: a 32-bit linear congruential one,
// seeded with 0 and never from the clock, so cards open at the same offsets in every run.

#include <cstdint>

namespace morva {

class TOffsetRandom {
public:
    // 0 to range - 1: the upper half of range times the new seed.
    std::uint32_t Next(std::uint32_t range)
    {
        seed_ = seed_ * 134775813u + 1u;
        return static_cast<std::uint32_t>((std::uint64_t{range} * seed_) >> 32);
    }

private:
    std::uint32_t seed_ = 0;
};

} // namespace morva
