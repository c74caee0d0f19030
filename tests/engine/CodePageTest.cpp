#include "text/CodePage1251.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(CodePage, UzbekLettersMapBothWays)
{
    const std::string bytes = "\x81\x83\x8D\x8E\x9D\x9E\xA1\xA2";
    const std::u16string wide = u"\u0492\u0493\u049A\u04B2\u049B\u04B3\u040E\u045E";
    EXPECT_EQ(DictTextToWide(bytes), wide);
    EXPECT_EQ(WideToDictText(wide), bytes);
}

TEST(CodePage, EveryByteRoundTripsAndKeepsItsPosition)
{
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    const auto wide = DictTextToWide(all);
    ASSERT_EQ(wide.size(), all.size());
    EXPECT_EQ(WideToDictText(wide), all);
}

TEST(CodePage, ReassignedCodePageLettersReadAsUzbek)
{
    // Ѓ typed or pasted becomes byte 0x81, which shows as Ғ from then on.
    EXPECT_EQ(WideToDictText(u"\u0403\u0453\u040C\u045C\u040B\u045B"), "\x81\x83\x8D\x9D\x8E\x9E");
    EXPECT_EQ(DictTextToWide("\x81"), u"\u0492");
}

TEST(CodePage, PlainTextPassesUnchanged)
{
    EXPECT_EQ(DictTextToWide(""), u"");
    EXPECT_EQ(WideToDictText(u""), "");
    EXPECT_EQ(DictTextToWide("\x91"), u"\u2018");
    EXPECT_EQ(WideToDictText(u"\u2018"), "\x91");
    EXPECT_EQ(WideToDictText(u"book \u043A\u043D\u0438\u0433\u0430 \u0401"), "book \xEA\xED\xE8\xE3\xE0 \xA8");
}

TEST(CodePage, CharactersOutsideTheCodePageGetOneSubstituteEach)
{
    EXPECT_EQ(WideToDictText(u"a\u4E2Db"), "a?b");
    // A character outside the Basic Multilingual Plane is two code units, so two bytes.
    EXPECT_EQ(WideToDictText(u"\U0001F600"), "??");
}

TEST(CodePage, ThePlainCodePageFormSubstitutesTheUzbekLetters)
{
    EXPECT_EQ(WideToCodePage1251(u"\u049A\u043E\u0432\u0443\u043D \u040E"), "?\xEE\xE2\xF3\xED \xA1");
}

TEST(Utf8, RoundTripsAndRejectsMalformedInput)
{
    const std::u16string wide = u"o\u2018q \u049B\u0438\u0448\u043B\u043E\u049B \U0001F600";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(wide)), wide);
    for (const char* bad : {"\xC3", "\xC3\x28", "\xE2\x82", "\xC0\xAF", "\xED\xA0\x80", "\xF8\x88\x80\x80\x80"})
        EXPECT_THROW(Utf8ToWide(bad), InvalidUtf8) << bad;
}

} // namespace
} // namespace morva
