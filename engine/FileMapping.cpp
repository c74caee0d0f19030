#include "engine/FileMapping.h"

#include "engine/DictionaryError.h"
#include "engine/Messages.h"

#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <utility>

namespace morva {

TFileMapping::TFileMapping(int fd, std::size_t size) : size_(size)
{
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    if (at == MAP_FAILED)
        throw EDictionaryError(messages::ReadFailed(std::strerror(errno)));
    data_ = static_cast<std::uint8_t*>(at);
}

TFileMapping::~TFileMapping()
{
    if (data_)
        ::munmap(data_, size_);
}

TFileMapping::TFileMapping(TFileMapping&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0))
{
}

TFileMapping& TFileMapping::operator=(TFileMapping&& other) noexcept
{
    if (this != &other) {
        if (data_)
            ::munmap(data_, size_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

void TFileMapping::Release(std::size_t offset, std::size_t length) const
{
    // Only advice: if the system declines, the pages simply stay.
    ::madvise(data_ + offset, length, MADV_DONTNEED);
}

} // namespace morva
