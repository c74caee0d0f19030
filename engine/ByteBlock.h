#pragma once
// The one block a data file is read into. Large blocks are aligned to 2 MiB and marked for
// transparent huge pages, so that filling them faults once per 2 MiB, not once per 4 KiB page
// (about 12,000 faults for a file at the format's limit).

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

} // namespace morva
