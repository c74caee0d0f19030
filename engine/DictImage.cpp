#include "engine/DictImage.h"

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/Messages.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace morva {
namespace {

// A page: a text read unscrambles at most the page it ends in beyond its own bytes.
constexpr std::size_t BlockSize = 4096;
// The checksum pass gives the file's pages back after each stretch of this size.
constexpr std::size_t PassWindow = std::size_t(2) << 20;

std::size_t BlockCount(std::size_t size)
{
    return (size + BlockSize - 1) / BlockSize;
}

} // namespace

DictImage::DictImage(ByteBlock bytes, std::size_t size)
    : bytes_(std::move(bytes)), size_(size)
{
}

DictImage::DictImage(TFileMapping scrambled)
    : bytes_(AllocateLazyByteBlock(scrambled.Bytes().size())), size_(scrambled.Bytes().size()),
      scrambled_(scrambled.Bytes()), mapping_(std::move(scrambled)),
      lazy_(std::make_unique<LazyState>(BlockCount(size_)))
{
}

DictImage::DictImage(std::vector<std::uint8_t> scrambled)
    : bytes_(AllocateLazyByteBlock(scrambled.size())), size_(scrambled.size()), scrambledCopy_(std::move(scrambled)),
      lazy_(std::make_unique<LazyState>(BlockCount(size_)))
{
    scrambled_ = scrambledCopy_;
}

void DictImage::OutsideTheImage()
{
    throw EDictionaryError(messages::BadFormat());
}

void DictImage::UnscrambleBlock(std::size_t block) const
{
    std::atomic<bool>& ready = lazy_->Ready[block];
    if (ready.load(std::memory_order_acquire))
        return;
    const std::lock_guard lock(lazy_->Unscrambling);
    if (ready.load(std::memory_order_relaxed))
        return;
    const std::size_t start = block * BlockSize;
    const std::size_t n = std::min(BlockSize, size_ - start);
    UnscrambleInto({bytes_.get() + start, n}, scrambled_.subspan(start, n), start);
    ready.store(true, std::memory_order_release);
}

std::span<const std::uint8_t> DictImage::Unscrambled(std::size_t offset, std::size_t length) const
{
    if (scrambled_.data())
        for (std::size_t block = offset / BlockSize; block * BlockSize < offset + length; ++block)
            UnscrambleBlock(block);
    return {bytes_.get(), size_};
}

std::string_view DictImage::Text(std::size_t offset) const
{
    if (offset >= size_)
        OutsideTheImage();
    // Block by block, so that only the blocks up to the terminator are unscrambled.
    const bool lazy = scrambled_.data() != nullptr;
    const auto* start = bytes_.get() + offset;
    for (std::size_t at = offset; at < size_;) {
        const std::size_t end = lazy ? std::min(size_, (at / BlockSize + 1) * BlockSize) : size_;
        if (lazy)
            UnscrambleBlock(at / BlockSize);
        if (const auto* zero = static_cast<const std::uint8_t*>(std::memchr(bytes_.get() + at, 0, end - at)))
            return {reinterpret_cast<const char*>(start), std::size_t(zero - start)};
        at = end;
    }
    OutsideTheImage();
}

std::size_t DictImage::WordsBeforeZero(std::size_t offset) const
{
    if (!scrambled_.data() || offset < HeaderCheckWord + 4) {
        std::size_t n = 0;
        while (Word(offset + 4 * n) != 0)
            ++n;
        return n;
    }
    // A word is 0 where the stored word equals its key bytes. Two words at a time: the key's
    // phase moves on by 8, and an eight-byte load of the key holds both words' key bytes.
    std::size_t phase = offset % ScrambleKeyLength;
    std::size_t at = offset;
    for (; at <= size_ && size_ - at >= 8; at += 8) {
        std::uint64_t stored, key;
        std::memcpy(&stored, scrambled_.data() + at, 8);
        std::memcpy(&key, detail::KeyWords.data() + phase, 8);
        if (const std::uint64_t both = stored ^ key; std::uint32_t(both) == 0 || both >> 32 == 0) {
            const bool firstIsZero = std::memcmp(scrambled_.data() + at, detail::KeyWords.data() + phase, 4) == 0;
            return (at - offset) / 4 + (firstIsZero ? 0 : 1);
        }
        phase += 8;
        if (phase >= ScrambleKeyLength)
            phase -= ScrambleKeyLength;
    }
    if (at <= size_ && size_ - at >= 4 && ReadWord(scrambled_, at) == ReadWord(detail::KeyWords, phase))
        return (at - offset) / 4;
    OutsideTheImage();
}

std::size_t DictImage::TerminatedBelow() const
{
    std::size_t found = lazy_->TerminatedBelow.load(std::memory_order_relaxed);
    if (found == LazyState::NotYetFound) {
        // Two threads may both look; they find the same place.
        found = size_;
        while (found > 0 && scrambled_[found - 1] != ScrambleKey[(found - 1) % ScrambleKeyLength])
            --found;
        lazy_->TerminatedBelow.store(found, std::memory_order_relaxed);
    }
    return found;
}

int DictImage::CompareTexts(std::size_t a, std::size_t b) const
{
    // The check word's bytes no longer read as the file holds them.
    if (!scrambled_.data() || a < HeaderCheckWord + 4 || b < HeaderCheckWord + 4)
        return CompareHeadwords(Text(a), Text(b));
    if (const std::size_t terminated = TerminatedBelow(); a >= terminated || b >= terminated)
        OutsideTheImage();
    // Both texts end before the image does, so the walk stops at the first terminator. Eight
    // bytes at a time, byte 0 lowest (a little-endian load): up to the first byte that differs
    // or ends a text, equal bytes weigh the same.
    std::size_t i = 0;
    if constexpr (std::endian::native == std::endian::little) {
        for (; std::max(a, b) + i + 8 <= size_; i += 8) {
            std::uint64_t x, y;
            std::memcpy(&x, scrambled_.data() + a + i, 8);
            std::memcpy(&y, scrambled_.data() + b + i, 8);
            x ^= ScrambleKeyBytes8(a + i);
            y ^= ScrambleKeyBytes8(b + i);
            constexpr std::uint64_t Low = 0x0101010101010101u, High = 0x8080808080808080u;
            // The lowest flagged byte of each mask is exact; borrows may flag bytes above it.
            const std::uint64_t ends = ((x - Low) & ~x & High) | ((y - Low) & ~y & High);
            for (std::uint64_t events = (x ^ y) | ends; events != 0;) {
                const int shift = std::countr_zero(events) & ~7;
                const auto cx = std::uint8_t(x >> shift), cy = std::uint8_t(y >> shift);
                if (cx == 0 || cy == 0)
                    return cx == cy ? 0 : (cx == 0 ? -1 : 1);
                const auto wa = CollationWeights[cx], wb = CollationWeights[cy];
                if (wa != wb)
                    return wa > wb ? 1 : -1;
                // Different bytes of one weight: go on past this one.
                events &= ~(std::uint64_t(0xFF) << shift);
            }
        }
    }
    for (;; ++i) {
        const std::uint8_t x = scrambled_[a + i] ^ ScrambleKey[(a + i) % ScrambleKeyLength];
        const std::uint8_t y = scrambled_[b + i] ^ ScrambleKey[(b + i) % ScrambleKeyLength];
        if (x == 0 || y == 0)
            return x == y ? 0 : (x == 0 ? -1 : 1);
        const auto wa = CollationWeights[x], wb = CollationWeights[y];
        if (wa != wb)
            return wa > wb ? 1 : -1;
    }
}

std::uint8_t DictImage::XorOfUnscrambledBytes() const
{
    if (!scrambled_.data())
        return XorOfBytes({bytes_.get(), size_});
    std::uint8_t sum = ScrambleKeyXor(size_);
    for (std::size_t at = 0; at < size_; at += PassWindow) {
        const std::size_t n = std::min(PassWindow, size_ - at);
        sum ^= XorOfBytes(scrambled_.subspan(at, n));
        if (mapping_.Bytes().data())
            mapping_.Release(at, n);
    }
    return sum;
}

void DictImage::ReleaseMappedPages() const
{
    if (mapping_.Bytes().data())
        mapping_.Release(0, mapping_.Bytes().size());
}

void DictImage::ClearCheckWord()
{
    Unscrambled(HeaderCheckWord, 4);
    WriteWord({bytes_.get(), size_}, HeaderCheckWord, 0);
}

} // namespace morva
