#include "engine/FileFormat.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace morva {
namespace {

// The key repeated so that any run of KeyRun bytes, from any phase of the key, finds its key
// bytes in one piece: the inner loops then work on whole words, without a counter to wrap.
constexpr std::size_t KeyRun = ScrambleKeyLength * 64;

constexpr std::array<std::uint8_t, KeyRun + ScrambleKeyLength> BuildRepeatedKey()
{
    std::array<std::uint8_t, KeyRun + ScrambleKeyLength> key{};
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = ScrambleKey[i % ScrambleKeyLength];
    return key;
}

constexpr auto RepeatedKey = BuildRepeatedKey();

std::uint64_t LoadWord(const std::uint8_t* at)
{
    std::uint64_t w;
    std::memcpy(&w, at, sizeof w);
    return w;
}

std::uint8_t FoldWord(std::uint64_t w)
{
    w ^= w >> 32;
    w ^= w >> 16;
    w ^= w >> 8;
    return std::uint8_t(w);
}

// `to` := `from` XOR the key bytes beside them (the two may be the same block); returns the
// XOR of the results.
std::uint8_t XorRun(std::uint8_t* to, const std::uint8_t* from, const std::uint8_t* key, std::size_t n)
{
    std::uint64_t sum = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t w = LoadWord(from + i) ^ LoadWord(key + i);
        std::memcpy(to + i, &w, sizeof w);
        sum ^= w;
    }
    std::uint8_t tail = FoldWord(sum);
    for (; i < n; ++i) {
        to[i] = from[i] ^ key[i];
        tail ^= to[i];
    }
    return tail;
}

std::uint8_t XorWithKey(std::uint8_t* to, const std::uint8_t* from, std::size_t size, std::size_t position)
{
    const std::uint8_t* key = RepeatedKey.data() + position % ScrambleKeyLength;
    std::uint8_t sum = 0;
    for (std::size_t at = 0; at < size; at += KeyRun)
        sum ^= XorRun(to + at, from + at, key, std::min(KeyRun, size - at));
    return sum;
}

// The XOR of the key's first n bytes, for every n from 0 to the key's length.
constexpr auto KeyPrefixXor = [] {
    std::array<std::uint8_t, ScrambleKeyLength + 1> prefix{};
    for (std::size_t n = 1; n <= ScrambleKeyLength; ++n)
        prefix[n] = prefix[n - 1] ^ ScrambleKey[n - 1];
    return prefix;
}();

} // namespace

std::uint8_t ScrambleAt(std::span<std::uint8_t> bytes, std::size_t position)
{
    return XorWithKey(bytes.data(), bytes.data(), bytes.size(), position);
}

void UnscrambleInto(std::span<std::uint8_t> to, std::span<const std::uint8_t> from, std::size_t position)
{
    XorWithKey(to.data(), from.data(), std::min(to.size(), from.size()), position);
}

std::uint8_t ScrambleKeyXor(std::size_t size)
{
    // Whole turns of the key cancel in pairs.
    const std::uint8_t turns = (size / ScrambleKeyLength) % 2 ? KeyPrefixXor[ScrambleKeyLength] : 0;
    return turns ^ KeyPrefixXor[size % ScrambleKeyLength];
}

std::uint8_t XorOfBytes(std::span<const std::uint8_t> bytes)
{
    std::uint64_t sum = 0;
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8)
        sum ^= LoadWord(bytes.data() + i);
    std::uint8_t tail = FoldWord(sum);
    for (; i < bytes.size(); ++i)
        tail ^= bytes[i];
    return tail;
}

void WriteWord(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[offset + i] = std::uint8_t(value >> (8 * i));
}

void SealImage(std::span<std::uint8_t> image)
{
    WriteWord(image, HeaderCheckWord, 0);
    WriteWord(image, HeaderCheckWord, FileCheckValue ^ ChecksumOf(image));
}

} // namespace morva
