#include "engine/FileFormat.h"

namespace morva {

void Scramble(std::span<std::uint8_t> bytes)
{
    std::size_t k = 0;
    for (auto& b : bytes) {
        b ^= ScrambleKey[k];
        if (++k == ScrambleKeyLength)
            k = 0;
    }
}

std::uint32_t ChecksumOf(std::span<const std::uint8_t> bytes)
{
    std::uint32_t x = 0;
    for (auto b : bytes)
        x ^= CrcTable[b];
    return x;
}

std::uint32_t ReadWord(std::span<const std::uint8_t> bytes, std::size_t offset)
{
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
