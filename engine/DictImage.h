#pragma once
// Bounds-checked reads of the unscrambled file image. Every offset comes from the file,
// so any of them may point outside it; such a read raises the format message.

#include "engine/ByteBlock.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace morva {

class DictImage {
public:
    DictImage() = default;
    DictImage(ByteBlock bytes, std::size_t size);

    std::size_t Size() const { return size_; }
    std::span<std::uint8_t> Bytes() { return {bytes_.get(), size_}; }
    std::span<const std::uint8_t> Bytes() const { return {bytes_.get(), size_}; }

    std::uint32_t Word(std::size_t offset) const;
    // The zero-terminated text at the offset, without its terminator.
    std::string_view Text(std::size_t offset) const;

private:
    ByteBlock bytes_;
    std::size_t size_ = 0;
};

} // namespace morva
