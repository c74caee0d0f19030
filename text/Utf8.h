#pragma once
// UTF-8 at the edges of the command-line tools and the data compiler.

#include <stdexcept>
#include <string>
#include <string_view>

namespace morva {

struct InvalidUtf8 : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws InvalidUtf8 for malformed input.
std::u16string Utf8ToWide(std::string_view text);
std::string WideToUtf8(std::u16string_view text);

// Shorthands for the usual trip between UTF-8 and dictionary text.
std::string Utf8ToDictText(std::string_view text);
std::string DictTextToUtf8(std::string_view text);

} // namespace morva
