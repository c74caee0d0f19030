#pragma once
// The engine's messages, as UTF-8 like every exception's message.

#include <cstdint>
#include <string>
#include <string_view>

namespace morva::messages {

std::string ReadFailed(std::string_view systemText);
std::string BadFormat();
std::string LengthMismatch();
std::string ChecksumMismatch();
std::string NoWords();
std::string NoSuchIndex(std::int32_t index);
std::string InternalError();

} // namespace morva::messages
