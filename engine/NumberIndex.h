#pragma once
// A hash index of 32-bit numbers that stand for items kept elsewhere (texts, records, entries):
// open addressing with 4 bytes a slot, where a node-based map spends about 50 bytes an item. A
// dictionary at the format's limit has more than a million texts and headwords.

#include <cstdint>
#include <vector>

namespace morva {

class NumberIndex {
public:
    // The slot of the first number for which same(number) holds among those stored under that
    // hash, or nullptr. The slot may be changed to another number of an equal item.
    template <class Same>
    std::uint32_t* Find(std::size_t hash, Same same)
    {
        if (slots_.empty())
            return nullptr;
        for (std::size_t at = Start(hash);; at = (at + 1) & Mask()) {
            if (slots_[at] == Free)
                return nullptr;
            if (same(slots_[at]))
                return &slots_[at];
        }
    }

    template <class Same>
    const std::uint32_t* Find(std::size_t hash, Same same) const
    {
        return const_cast<NumberIndex*>(this)->Find(hash, same);
    }

    // Adds a number whose item is not there yet; hashOf(number) gives the hash of any stored
    // number's item, for growing.
    template <class HashOf>
    void Insert(std::size_t hash, std::uint32_t number, HashOf hashOf)
    {
        if ((used_ + 1) * 4 > slots_.size() * 3)
            Grow(hashOf);
        Place(hash, number);
        ++used_;
    }

    bool Empty() const { return used_ == 0; }

private:
    static constexpr std::uint32_t Free = std::uint32_t(-1);

    std::size_t Mask() const { return slots_.size() - 1; }

    // The high bits of a multiplicative hash: weak low bits of the caller's hash do no harm.
    std::size_t Start(std::size_t hash) const { return std::size_t((std::uint64_t(hash) * 0x9E3779B97F4A7C15ull) >> shift_); }

    void Place(std::size_t hash, std::uint32_t number)
    {
        std::size_t at = Start(hash);
        while (slots_[at] != Free)
            at = (at + 1) & Mask();
        slots_[at] = number;
    }

    template <class HashOf>
    void Grow(HashOf hashOf)
    {
        std::vector<std::uint32_t> old(slots_.empty() ? 16 : slots_.size() * 2, Free);
        old.swap(slots_);
        shift_ = 64;
        for (std::size_t n = slots_.size(); n > 1; n /= 2)
            --shift_;
        for (std::uint32_t number : old)
            if (number != Free)
                Place(hashOf(number), number);
    }

    std::vector<std::uint32_t> slots_; // a power of two of them
    int shift_ = 64;
    std::size_t used_ = 0;
};

} // namespace morva
