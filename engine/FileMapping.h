#pragma once
// A read-only private mapping of an open file: its bytes without copying them, read from the
// system's file cache as they are touched.

#include <cstdint>
#include <span>

namespace morva {

class TFileMapping {
public:
    TFileMapping() = default;
    // The first `size` bytes of the open file; throws EDictionaryError with the read message.
    TFileMapping(int fd, std::size_t size);
    ~TFileMapping();
    TFileMapping(TFileMapping&& other) noexcept;
    TFileMapping& operator=(TFileMapping&& other) noexcept;

    std::span<const std::uint8_t> Bytes() const { return {data_, size_}; }
    // Gives the pages of that part back to the system; a later read maps them again from the
    // file cache. Keeps a pass over the whole file from holding all of it in memory.
    void Release(std::size_t offset, std::size_t length) const;

private:
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

} // namespace morva
