#include "engine/Printable.h"

#include <cstdint>
#include <cstdio>

namespace morva {
namespace {

std::string Escape(const char* format, unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

bool Continues(std::string_view text, std::size_t at, unsigned low = 0x80, unsigned high = 0xBF)
{
    if (at >= text.size())
        return false;
    const auto byte = static_cast<unsigned char>(text[at]);
    return byte >= low && byte <= high;
}

// The length of the well-formed UTF-8 sequence at that position, or 0.
std::size_t SequenceAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return Continues(text, at + 1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        // No overlong forms and no surrogates.
        const unsigned low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
        return Continues(text, at + 1, low, high) && Continues(text, at + 2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
        return Continues(text, at + 1, low, high) && Continues(text, at + 2) && Continues(text, at + 3) ? 4 : 0;
    }
    return 0;
}

} // namespace

std::string Printable(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const auto byte = static_cast<unsigned char>(utf8[at]);
        const std::size_t length = SequenceAt(utf8, at);
        if (length == 0 || byte < 0x20 || byte == 0x7F) {
            out += Escape("\\x%02X", byte);
            ++at;
        } else if (byte == 0xC2 && static_cast<unsigned char>(utf8[at + 1]) < 0xA0) {
            out += Escape("\\u%04X", static_cast<unsigned char>(utf8[at + 1]));
            at += 2;
        } else {
            out.append(utf8.substr(at, length));
            at += length;
        }
    }
    return out;
}

} // namespace morva
