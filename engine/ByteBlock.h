#pragma once
// Blocks for file images. A block that is filled whole is aligned to 2 MiB and marked for
// transparent huge pages, so that filling it faults once per 2 MiB, not once per 4 KiB page
// (about 12,000 faults for a file at the format's limit). A block that is filled only where
// it is read takes ordinary pages, so that each read costs a page and not 2 MiB.

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace morva {

struct FreeBytes {
    void operator()(std::uint8_t* bytes) const { std::free(bytes); }
};

using ByteBlock = std::unique_ptr<std::uint8_t[], FreeBytes>;

// Uninitialised; throws std::bad_alloc when the memory is not there.
ByteBlock AllocateByteBlock(std::size_t size);
ByteBlock AllocateLazyByteBlock(std::size_t size);

} // namespace morva
