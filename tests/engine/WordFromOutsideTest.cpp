#include "engine/KovrObj.h"
#include "engine/WordFromOutside.h"
#include "tests/support/DictFiles.h"
#include "text/Utf8.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::Dict;

TUzDictionary ThreeLists()
{
    TDictWriter writer;
    for (const char* word : {"apple", "bank", "book", "boot", "C++", "dog", "ice cream", "kit", "mister", "the"})
        writer.AddWordEntry(English, word, {}, {});
    for (const char16_t* word : {u"банк", u"китоб", u"китобхона", u"маъно", u"олма", u"сув", u"чой", u"ўғил", u"қўл"})
        writer.AddWordEntry(Uzbek, Dict(word), {}, {});
    for (const char16_t* word : {u"банк", u"книга", u"кот", u"сок", u"чай", u"щука"})
        writer.AddWordEntry(Russian, Dict(word), {}, {});
    return TUzDictionary(test::WriteBytes("outside", writer.FileBytes()));
}

constexpr LanguagePair EnUz{English, Uzbek};
constexpr LanguagePair EnRu{English, Russian};
constexpr LanguagePair UzEn{Uzbek, English};
constexpr LanguagePair UzRu{Uzbek, Russian};
constexpr LanguagePair RuUz{Russian, Uzbek};
constexpr LanguagePair RuEn{Russian, English};

struct TCase {
    const char16_t* Text;
    LanguagePair Chosen;
    LanguagePair Shown;
    const char16_t* Headword;
};

TEST(WordFromOutside, ListPairAndEntryFollowTheText)
{
    const TUzDictionary dict = ThreeLists();
    const TCase cases[] = {
        // English: the chosen target, or the first other language when it is the source.
        {u"book", EnUz, EnUz, u"book"},
        {u"book", EnRu, EnRu, u"book"},
        {u"book", UzEn, EnUz, u"book"},
        {u"book", RuUz, EnUz, u"book"},
        {u"  «book»,  ", EnUz, EnUz, u"book"},
        {u"\"Book.\"", EnUz, EnUz, u"book"},
        {u"bo\u00ADok", EnUz, EnUz, u"book"},
        {u"C++", EnUz, EnUz, u"C++"},
        // A phrase that is a headword, else its first word.
        {u"Ice \t cream!", EnUz, EnUz, u"ice cream"},
        {u"the book", EnUz, EnUz, u"the"},
        {u"dog\nfood", EnRu, EnRu, u"dog"},
        // Nothing exact: the entry Enter would open.
        {u"ice cold", EnUz, EnUz, u"ice cream"},
        {u"books", EnUz, EnUz, u"boot"},
        {u"123", EnUz, EnUz, u"apple"},
        // Latin Uzbek: only the Uzbek list knows it once converted.
        {u"kitob", EnUz, UzEn, u"китоб"},
        {u"kitob", UzRu, UzRu, u"китоб"},
        {u"Kitobxona", RuEn, UzEn, u"китобхона"},
        {u"o'g'il", EnUz, UzEn, u"ўғил"},
        {u"O\u2018G\u2018IL", EnRu, UzRu, u"ўғил"},
        {u"qo\u02BBl", EnUz, UzEn, u"қўл"},
        {u"ma'no", EnUz, UzEn, u"маъно"},
        {u"choy.", EnRu, UzRu, u"чой"},
        {u"kitoblar", EnUz, UzEn, u"китобхона"},
        // Latin that both lists know is English.
        {u"bank", UzRu, EnRu, u"bank"},
        // Uzbek Cyrillic.
        {u"сув", EnUz, UzEn, u"сув"},
        {u"Китоб", RuEn, UzEn, u"китоб"},
        {u"қўллар", EnUz, UzEn, u"қўл"},
        {u"ўғил", RuUz, UzEn, u"ўғил"},
        // Russian, and Cyrillic that both lists hold or neither does.
        {u"книга", EnUz, RuUz, u"книга"},
        {u"«Чай»", EnUz, RuUz, u"чай"},
        {u"Книгу", EnUz, RuUz, u"кот"},
        {u"щуки", UzEn, RuEn, u"щука"},
        {u"банк", EnUz, RuUz, u"банк"},
        {u"банк", UzRu, UzRu, u"банк"},
        {u"шкаф", EnUz, RuUz, u"щука"},
        {u"шкаф", UzEn, UzEn, u"ўғил"},
    };
    for (const TCase& c : cases) {
        const std::string text = WideToUtf8(c.Text);
        const auto found = LookUpOutsideWord(dict, c.Text, c.Chosen);
        ASSERT_TRUE(found.has_value()) << text;
        EXPECT_EQ(found->Pair, c.Shown) << text;
        EXPECT_EQ(dict.Headword(found->Pair.Source, found->Index), Dict(c.Headword)) << text;
    }
}

TEST(WordFromOutside, TextWithNothingToLookUpGivesNoCard)
{
    const TUzDictionary dict = ThreeLists();
    for (const char16_t* text : {u"", u"   ", u" ,.;! ", u"#", u"«»", u"\u2014", u"\u4E66"})
        EXPECT_FALSE(LookUpOutsideWord(dict, text, EnUz).has_value()) << WideToUtf8(text);
}

TEST(WordFromOutside, CleaningKeepsWhatTheUserMeant)
{
    const std::pair<const char16_t*, const char16_t*> cases[] = {
        {u"  \u201CHello,\u201D she said. ", u"Hello,\u201D she said"},
        {u"(o\u2018g\u2018)", u"o\u2018g\u2018"},
        {u"dogs'", u"dogs"},
        {u"\"ice\t\tcream\"", u"ice cream"},
        {u"well-known\u00A0fact...", u"well-known fact"},
        {u"\u2014", u""},
        {u"\uFEFFbook\u200B", u"book"},
    };
    for (const auto& [text, clean] : cases)
        EXPECT_EQ(CleanOutsideText(text), std::u16string(clean)) << WideToUtf8(text);
}

TEST(WordFromOutside, AHugeTextIsCutBeforeItIsLookedAt)
{
    const TUzDictionary dict = ThreeLists();
    const std::u16string huge = u"book " + std::u16string(1'000'000, u'x');
    EXPECT_LE(CleanOutsideText(huge).size(), MaxOutsideTextLength);
    const auto found = LookUpOutsideWord(dict, huge, EnUz);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(dict.Headword(English, found->Index), "book");
}

} // namespace
} // namespace morva
