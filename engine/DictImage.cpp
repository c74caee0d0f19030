#include "engine/DictImage.h"

#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "engine/Messages.h"

#include <cstring>

namespace morva {

DictImage::DictImage(ByteBlock bytes, std::size_t size)
    : bytes_(std::move(bytes)), size_(size)
{
}

std::uint32_t DictImage::Word(std::size_t offset) const
{
    if (offset > size_ || size_ - offset < 4)
        throw EDictionaryError(messages::BadFormat());
    return ReadWord(Bytes(), offset);
}

std::string_view DictImage::Text(std::size_t offset) const
{
    if (offset >= size_)
        throw EDictionaryError(messages::BadFormat());
    const auto* start = bytes_.get() + offset;
    const auto* end = static_cast<const std::uint8_t*>(std::memchr(start, 0, size_ - offset));
    if (!end)
        throw EDictionaryError(messages::BadFormat());
    return {reinterpret_cast<const char*>(start), std::size_t(end - start)};
}

} // namespace morva
