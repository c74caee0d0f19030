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

// XOR with the key bytes beside them; returns the XOR of the results.
std::uint8_t XorRun(std::uint8_t* bytes, const std::uint8_t* key, std::size_t n)
{
    std::uint64_t sum = 0;
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        const std::uint64_t w = LoadWord(bytes + i) ^ LoadWord(key + i);
        std::memcpy(bytes + i, &w, sizeof w);
        sum ^= w;
    }
    std::uint8_t tail = FoldWord(sum);
    for (; i < n; ++i) {
        bytes[i] ^= key[i];
        tail ^= bytes[i];
    }
    return tail;
}

} // namespace

std::uint8_t ScrambleAt(std::span<std::uint8_t> bytes, std::size_t position)
{
    const std::uint8_t* key = RepeatedKey.data() + position % ScrambleKeyLength;
    std::uint8_t sum = 0;
    for (std::size_t at = 0; at < bytes.size(); at += KeyRun)
        sum ^= XorRun(bytes.data() + at, key, std::min(KeyRun, bytes.size() - at));
    return sum;
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

std::uint32_t ReadWord(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t w;
        std::memcpy(&w, bytes.data() + offset, sizeof w);
        return w;
    }
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
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
