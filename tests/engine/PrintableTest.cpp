#include "engine/Printable.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(Printable, ControlAndBrokenBytesShowEscaped)
{
    const struct {
        std::string in, out;
    } cases[] = {
        {"plain text", "plain text"},
        {"\u049B\u0438\u0448\u043B\u043E\u049B \u2018", "\u049B\u0438\u0448\u043B\u043E\u049B \u2018"},
        {"\x1B[31mred", "\\x1B[31mred"},
        {"a\tb\nc\rd", "a\\x09b\\x0Ac\\x0Dd"},
        {std::string("nul\0x", 5), "nul\\x00x"},
        {"del\x7F", "del\\x7F"},
        {"\xC2\x9B" "2J", "\\u009B2J"},          // C1 control, as UTF-8
        {"\xC3(", "\\xC3("},                     // a lead byte without its follower
        {"\xC0\xAF", "\\xC0\\xAF"},              // overlong
        {"\xED\xA0\x80", "\\xED\\xA0\\x80"},     // a surrogate
        {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"}, // outside the BMP, fine
        {"\xF0\x9F\x98", "\\xF0\\x9F\\x98"},     // cut short
    };
    for (const auto& c : cases)
        EXPECT_EQ(Printable(c.in), c.out) << c.out;
}

} // namespace
} // namespace morva
