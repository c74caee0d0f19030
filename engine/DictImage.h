#pragma once
// Bounds-checked reads of the unscrambled file image. Every offset comes from the file,
// so any of them may point outside it; such a read raises the format message.
//
// An image made from scrambled bytes (a mapped file or a copy in memory) is unscrambled only
// where it is read: a word is unscrambled as it is read, a text's bytes are unscrambled once,
// a block at a time, into a private block whose pages the system supplies as they are written.
// A lookup then costs what it reads, not the size of the file.
//
// Reads may come from several threads at once (the main window and the builders of the
// word-finding indexes): a block is unscrambled by one of them, and the others see it whole.

#include "engine/ByteBlock.h"
#include "engine/FileFormat.h"
#include "engine/FileMapping.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string_view>
#include <vector>

namespace morva {

class DictImage {
public:
    DictImage() = default;
    // Bytes already unscrambled.
    DictImage(ByteBlock bytes, std::size_t size);
    // Bytes as stored in a data file.
    explicit DictImage(TFileMapping scrambled);
    explicit DictImage(std::vector<std::uint8_t> scrambled);

    std::size_t Size() const { return size_; }

    std::uint32_t Word(std::size_t offset) const
    {
        if (offset > size_ || size_ - offset < 4)
            OutsideTheImage();
        if (scrambled_.data() && offset >= HeaderCheckWord + 4)
            return ReadWord(scrambled_, offset) ^ ScrambleKeyWord(offset);
        return ReadWord(Unscrambled(offset, 4), offset);
    }
    // The number of words from the offset up to the first word 0, which must be there.
    std::size_t WordsBeforeZero(std::size_t offset) const;
    // The zero-terminated text at the offset, without its terminator.
    std::string_view Text(std::size_t offset) const;
    // CompareHeadwords of the texts at two offsets, failing as Text would, without
    // unscrambling either into memory: a pass over every headword of a list stays cheap.
    int CompareTexts(std::size_t a, std::size_t b) const;

    // The XOR of every unscrambled byte as the file holds it: for the checksum, before
    // ClearCheckWord. One pass over the scrambled bytes, which are given back as it goes.
    std::uint8_t XorOfUnscrambledBytes() const;
    // Gives the pages of a mapped file back to the system (they are read again from the file
    // cache as needed): after a pass over every entry, so the pass does not stay resident.
    void ReleaseMappedPages() const;
    // Sets the header's check word to 0, as the checksum counts it.
    void ClearCheckWord();

private:
    [[noreturn]] static void OutsideTheImage();
    // One past the last byte that unscrambles to 0: a text has its terminator if it starts
    // below. Found on first use, so that a damaged file is not searched before its checks.
    std::size_t TerminatedBelow() const;
    // The unscrambled image, with at least those bytes in place.
    std::span<const std::uint8_t> Unscrambled(std::size_t offset, std::size_t length) const;
    void UnscrambleBlock(std::size_t block) const;

    ByteBlock bytes_;
    std::size_t size_ = 0;
    // Empty for an image made unscrambled; otherwise one of the two below holds the bytes.
    std::span<const std::uint8_t> scrambled_;
    TFileMapping mapping_;
    std::vector<std::uint8_t> scrambledCopy_;
    // What reads learn of a scrambled image, shared by the threads that read it.
    struct LazyState {
        explicit LazyState(std::size_t blocks) : Ready(std::make_unique<std::atomic<bool>[]>(blocks)) {}
        static constexpr std::size_t NotYetFound = ~std::size_t(0);
        // Per block of bytes_: set once the block is unscrambled whole.
        std::unique_ptr<std::atomic<bool>[]> Ready;
        std::mutex Unscrambling;
        // TerminatedBelow's answer, or NotYetFound.
        std::atomic<std::size_t> TerminatedBelow{NotYetFound};
    };
    std::unique_ptr<LazyState> lazy_;
};

} // namespace morva
