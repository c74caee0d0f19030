#include "text/Ipa93.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

std::string Byte(int b)
{
    return std::string(1, char(b));
}

TEST(Ipa93, TableIsInByteOrderWithOneEntryPerByte)
{
    for (std::size_t i = 1; i < Ipa93Glyphs.size(); ++i)
        EXPECT_LT(Ipa93Glyphs[i - 1].byte, Ipa93Glyphs[i].byte) << i;
}

TEST(Ipa93, EveryListedByteRoundTrips)
{
    for (const auto& glyph : Ipa93Glyphs) {
        const std::string byte = Byte(glyph.byte);
        const std::u16string text = DecodeIpa(byte);
        ASSERT_EQ(text[0], glyph.unicode[0]);
        const IpaEncoding encoded = EncodeIpa(text);
        EXPECT_TRUE(encoded.unencodable.empty()) << int(glyph.byte);
        ASSERT_EQ(encoded.bytes.size(), 1u) << int(glyph.byte);
        // A variant byte (narrow, high) comes back as the plain byte of the same character.
        EXPECT_EQ(DecodeIpa(encoded.bytes), text) << int(glyph.byte);
    }
}

TEST(Ipa93, UnlistedBytesDecodeToReplacementMarks)
{
    std::string unlisted;
    for (int b = 0; b < 256; ++b) {
        bool listed = false;
        for (const auto& glyph : Ipa93Glyphs)
            listed = listed || glyph.byte == b;
        if (!listed)
            unlisted += char(b);
    }
    EXPECT_EQ(unlisted.size(), 256 - Ipa93Glyphs.size());
    EXPECT_EQ(DecodeIpa(unlisted), std::u16string(unlisted.size(), u'\uFFFD'));
    EXPECT_EQ(DecodeIpa(""), u"");
}

TEST(Ipa93, EncodesTranscriptions)
{
    struct Case {
        std::u16string text;
        std::string bytes;
    } cases[] = {
        {u"\u02C8w\u0254\u02D0t\u0259", "\xC8w\x8D\xF9t\xAB"},     // ˈwɔːtə
        {u"\u02C8\u0261\u028Al", "\xC8g\x55l"},                      // ɡ is byte g
        {u"\u02C8g\u028Al", "\xC8g\x55l"},                           // and so is ASCII g
        {u"t\u0361\u0283", "t\x83\x53"},                             // tie bar between letters
        {u"a\u0303", "a\xE2"},                                       // tilde: ")" avoided
        {u"e\u0306", "e\xE1"},                                       // breve: "(" avoided
        {u"e\u030C", "e\xE0"},                                       // wedge: "&" avoided
        {u"e\u0304", "e\x23"},                                       // macron: the plain byte
        {u"\u02E9\u02E7", "\x80"},                                   // a two-character glyph
        {u"\u02E9", "\x9F"},                                         // and its first part alone
        {u"\u0131\u0335", "\xAE"},
        {u"[\u0259]", "[\xAB]"},
    };
    for (const auto& c : cases) {
        const IpaEncoding encoded = EncodeIpa(c.text);
        EXPECT_EQ(encoded.bytes, c.bytes);
        EXPECT_TRUE(encoded.unencodable.empty());
    }
}

TEST(Ipa93, ReportsWhatItCannotEncodeOnce)
{
    // ɝ is not in the layout, nor an emoji (two code units), nor a Cyrillic letter.
    const IpaEncoding encoded = EncodeIpa(u"\u025Dr\u025D\U0001F600\u0431");
    EXPECT_EQ(encoded.unencodable, u"\u025D\U0001F600\u0431");
    EXPECT_EQ(encoded.bytes, "r");
}

TEST(Ipa93, CharactersWithOnlyReservedBytesKeepThem)
{
    // The compiler rejects these; the encoder still says what they are.
    EXPECT_EQ(EncodeIpa(u"\u207F\u02D1\u0131\u0280\u027D").bytes, "<>\"{}");
}

} // namespace
} // namespace morva
