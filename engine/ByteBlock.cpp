#include "engine/ByteBlock.h"

#include <new>
#include <sys/mman.h>

namespace morva {
namespace {

constexpr std::size_t HugePage = std::size_t(2) << 20;

} // namespace

ByteBlock AllocateLazyByteBlock(std::size_t size)
{
    auto* bytes = static_cast<std::uint8_t*>(std::malloc(size == 0 ? 1 : size));
    if (!bytes)
        throw std::bad_alloc();
    return ByteBlock(bytes);
}

ByteBlock AllocateByteBlock(std::size_t size)
{
    if (size < HugePage)
        return AllocateLazyByteBlock(size);
    const std::size_t rounded = (size + HugePage - 1) / HugePage * HugePage;
    auto* bytes = static_cast<std::uint8_t*>(std::aligned_alloc(HugePage, rounded));
    if (!bytes)
        throw std::bad_alloc();
    // Only advice: where the system has no huge pages the block works as before.
    ::madvise(bytes, rounded, MADV_HUGEPAGE);
    return ByteBlock(bytes);
}

} // namespace morva
