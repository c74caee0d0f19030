#pragma once
// The layout constants of the data file and the two transforms shared by the reader and
// the writer: scrambling and the order-free checksum.

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <span>

namespace morva {

inline constexpr std::uint32_t MinFileSize = 24;
inline constexpr std::uint32_t MaxFileSize = 50'000'000;
inline constexpr std::uint32_t FileCheckValue = 123456789;
inline constexpr std::size_t FileHeaderSize = 24;

// Header words, as byte offsets.
inline constexpr std::size_t HeaderLengthWord = 0;
inline constexpr std::size_t HeaderCheckWord = 4;
inline constexpr std::size_t HeaderListsWord = 12; // + 4 * Language

enum EntryKind : std::uint32_t { WordEntry = 1, PhraseEntry = 2 };
inline constexpr std::size_t SenseRecordWords = 5;
inline constexpr std::size_t PhraseRecordWords = 3;

inline constexpr std::size_t ScrambleKeyLength = 189;

// Our own key: the first 189 bytes are used, the rest of the 256-byte table never is.
inline constexpr std::array<std::uint8_t, 256> ScrambleKey = {
    0x36, 0x4D, 0xD7, 0xFC, 0xA8, 0xA0, 0x1C, 0xDC, 0x39, 0xC5, 0x8B, 0x95,
    0x91, 0x74, 0xE9, 0x8D, 0xE9, 0x13, 0x1C, 0xC5, 0xA8, 0xBE, 0x17, 0x56,
    0x2B, 0x84, 0xF2, 0x39, 0xA1, 0xE3, 0x1F, 0xA2, 0x29, 0x38, 0x07, 0x0A,
    0xE0, 0xCD, 0x2C, 0xDE, 0x3F, 0x2C, 0xA9, 0x7A, 0xE2, 0x87, 0xA2, 0x9B,
    0x59, 0x75, 0xB5, 0x82, 0x58, 0x2A, 0x30, 0x6A, 0x0A, 0x82, 0x34, 0x15,
    0xE3, 0x79, 0x30, 0xFD, 0x9D, 0xC9, 0x0E, 0xCB, 0x92, 0xEE, 0xAB, 0x02,
    0xAC, 0xA0, 0xB7, 0xCD, 0xD0, 0x3B, 0x0B, 0x42, 0x84, 0x47, 0xC0, 0x3D,
    0xA6, 0xFA, 0x31, 0xE5, 0xDA, 0xE0, 0xBF, 0x38, 0x24, 0x3A, 0xFF, 0xAE,
    0xF4, 0x67, 0xD1, 0xAC, 0x5D, 0x89, 0x3C, 0xAF, 0x16, 0x91, 0x2E, 0x28,
    0x1B, 0x39, 0x6E, 0x87, 0xDA, 0xF4, 0x15, 0x83, 0x46, 0xA9, 0x74, 0x0E,
    0x1C, 0x14, 0xE5, 0x84, 0x56, 0x28, 0xEA, 0xE1, 0x66, 0xBA, 0xE9, 0x37,
    0x4C, 0x92, 0xF1, 0x9C, 0xBD, 0x5F, 0x3F, 0x83, 0x24, 0x8F, 0xA8, 0x27,
    0x52, 0xA4, 0xC0, 0xEB, 0xA1, 0xB5, 0xAA, 0xC2, 0xA3, 0x8E, 0xD8, 0xC3,
    0x3C, 0x65, 0xF7, 0x7D, 0xD7, 0x6E, 0x11, 0x74, 0xF6, 0xF9, 0xD5, 0xEB,
    0xAC, 0x7A, 0xC8, 0xA8, 0xDC, 0x99, 0x15, 0xA6, 0xCF, 0xAE, 0x29, 0x84,
    0x80, 0x8E, 0x83, 0x28, 0xBA, 0xB8, 0xDB, 0xF1, 0xFF
};

namespace detail {
constexpr std::array<std::uint32_t, 256> BuildCrcTable()
{
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        t[n] = c;
    }
    return t;
}
} // namespace detail

// The reflected CRC-32 table; the checksum XORs its entries, so byte order plays no part.
inline constexpr std::array<std::uint32_t, 256> CrcTable = detail::BuildCrcTable();

namespace detail {
constexpr bool IsLinear(const std::array<std::uint32_t, 256>& table)
{
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t sum = 0;
        for (std::uint32_t bit = 1; bit < 256; bit <<= 1)
            if (n & bit)
                sum ^= table[bit];
        if (table[n] != sum)
            return false;
    }
    return true;
}
} // namespace detail

// The table is linear: T[a ^ b] == T[a] ^ T[b]. So the XOR of T over many bytes is T of their
// XOR, and the checksum costs one XOR per byte, which the compiler does 32 bytes at a time.
static_assert(detail::IsLinear(CrcTable));

// XOR with the key, in place, for bytes that start at that position of the file; the same
// call scrambles and unscrambles. Returns the XOR of the bytes it leaves.
std::uint8_t ScrambleAt(std::span<std::uint8_t> bytes, std::size_t position);

// The same XOR from one block into another of the same size.
void UnscrambleInto(std::span<std::uint8_t> to, std::span<const std::uint8_t> from, std::size_t position);

// The XOR of the key over the first `size` positions of a file: what scrambling adds to the
// XOR of its bytes. So the XOR of a file's unscrambled bytes is that of its scrambled bytes
// with this, and the checksum needs no unscrambled copy.
std::uint8_t ScrambleKeyXor(std::size_t size);

namespace detail {
// The key with its first seven bytes again at the end: eight bytes from any phase in one load.
constexpr std::array<std::uint8_t, ScrambleKeyLength + 7> BuildKeyWords()
{
    std::array<std::uint8_t, ScrambleKeyLength + 7> key{};
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = ScrambleKey[i % ScrambleKeyLength];
    return key;
}
inline constexpr auto KeyWords = BuildKeyWords();
} // namespace detail

inline void Scramble(std::span<std::uint8_t> bytes)
{
    ScrambleAt(bytes, 0);
}

// The XOR of every byte.
std::uint8_t XorOfBytes(std::span<const std::uint8_t> bytes);

// XOR of CrcTable over every byte.
inline std::uint32_t ChecksumOf(std::span<const std::uint8_t> bytes)
{
    return CrcTable[XorOfBytes(bytes)];
}

// Unchecked: the caller has made sure the four bytes are there.
inline std::uint32_t ReadWord(std::span<const std::uint8_t> bytes, std::size_t offset)
{
    if constexpr (std::endian::native == std::endian::little) {
        std::uint32_t w;
        std::memcpy(&w, bytes.data() + offset, sizeof w);
        return w;
    }
    return std::uint32_t(bytes[offset]) | std::uint32_t(bytes[offset + 1]) << 8 |
           std::uint32_t(bytes[offset + 2]) << 16 | std::uint32_t(bytes[offset + 3]) << 24;
}

// The key bytes that scramble the word at that position of a file, as a word.
inline std::uint32_t ScrambleKeyWord(std::size_t position)
{
    return ReadWord(detail::KeyWords, position % ScrambleKeyLength);
}

// The same for eight bytes, in memory order.
inline std::uint64_t ScrambleKeyBytes8(std::size_t position)
{
    std::uint64_t w;
    std::memcpy(&w, detail::KeyWords.data() + position % ScrambleKeyLength, sizeof w);
    return w;
}

void WriteWord(std::span<std::uint8_t> bytes, std::size_t offset, std::uint32_t value);

// Sets the check word of an unscrambled image so that its checksum comes out right.
void SealImage(std::span<std::uint8_t> image);

} // namespace morva
