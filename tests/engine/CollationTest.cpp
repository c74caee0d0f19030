#include "engine/Collation.h"
#include "text/CodePage1251.h"

#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::Dict;

struct OrderCase {
    std::string lower, higher;
};

TEST(Collation, SortsInDictionaryOrder)
{
    const OrderCase cases[] = {
        {"", "a"},
        {"a", "ab"},
        {"9", "a"},
        {"-", "9"},
        {" ", "!"},
        {"~", "\xA3"},         // signs after punctuation
        {"\xA3", "\xB9"},      // № after the other signs
        {"\xB9", "0"},         // digits after №
        {"z", Dict(u"а")},     // Latin before Cyrillic
        {Dict(u"е"), Dict(u"ё")},
        {Dict(u"ё"), Dict(u"ж")},
        {Dict(u"я"), Dict(u"ў")},
        {Dict(u"ў"), Dict(u"қ")},
        {Dict(u"қ"), Dict(u"ғ")},
        {Dict(u"ғ"), Dict(u"ҳ")},
        {Dict(u"ҳ"), "\x85"},  // the ellipsis after every letter
        {Dict(u"o\u2018q"), "o q"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CompareHeadwords(c.lower, c.higher), -1) << c.lower << " < " << c.higher;
        EXPECT_EQ(CompareHeadwords(c.higher, c.lower), 1) << c.higher << " > " << c.lower;
    }
}

TEST(Collation, EqualWeightsCompareEqual)
{
    EXPECT_EQ(CompareHeadwords("", ""), 0);
    EXPECT_EQ(CompareHeadwords("Apple", "APPLE"), 0);
    EXPECT_EQ(CompareHeadwords(Dict(u"Ёж"), Dict(u"ёЖ")), 0);
    EXPECT_EQ(CompareHeadwords(Dict(u"Ўқ"), Dict(u"ўҚ")), 0);
    EXPECT_EQ(CompareHeadwords(std::string("\x01\x1F", 2), std::string("\x7F\x91", 2)), 0);
}

TEST(Collation, LettersAreExactlyTheWeights46To108)
{
    for (int b = 0; b < 256; ++b) {
        const bool latin = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
        const bool cyrillic = b >= 0xC0 || b == 0xA8 || b == 0xB8;
        const bool uzbek = b == 0xA1 || b == 0xA2 || b == 0x8D || b == 0x9D || b == 0x81 || b == 0x83 ||
                           b == 0x8E || b == 0x9E;
        const auto w = CollationWeights[b];
        EXPECT_EQ(w >= FirstLetterWeight && w <= LastLetterWeight, latin || cyrillic || uzbek) << b;
    }
}

} // namespace
} // namespace morva
