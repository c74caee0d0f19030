#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/LinearSearch.h"
#include "engine/Messages.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TUzDictionary Load(const TDictWriter& writer, const std::string& name)
{
    return TUzDictionary(test::WriteBytes(name, writer.FileBytes()));
}

TDictWriter Words(std::initializer_list<const char*> english)
{
    TDictWriter writer;
    for (const char* word : english)
        writer.AddWordEntry(English, word, {}, {});
    writer.AddWordEntry(Uzbek, "kitob", {}, {});
    writer.AddWordEntry(Russian, "kniga", {}, {});
    return writer;
}

TEST(Lookup, HeadwordIndexOutOfRange)
{
    auto dict = Load(Words({"a", "b"}), "range");
    for (std::int32_t bad : {-1, 2}) {
        try {
            dict.Headword(bad);
            ADD_FAILURE() << bad;
        } catch (const EDictionaryError& e) {
            EXPECT_EQ(std::string(e.what()), messages::NoSuchIndex(bad));
        }
    }
    EXPECT_EQ(messages::NoSuchIndex(-1), "-1 indeksli element yo‘q.");
}

TEST(Lookup, FindAndNearestAgreeWithTheScans)
{
    auto dict = Load(Words({"book", "Book", "apple", "bookcase", "cat", "a", "zebra", "boo"}), "search");
    // Equal headwords keep the order they were added in; the first one wins.
    EXPECT_EQ(dict.FindHeadword("BOOK"), dict.FindHeadword("book"));
    EXPECT_EQ(dict.Headword(dict.FindHeadword("BOOK")), "book");
    const char* probes[] = {"", "a", "b", "boo", "book", "booka", "bookcase", "c", "cat", "zz", "0", "~", "zebra"};
    for (const char* probe : probes) {
        EXPECT_EQ(dict.FindHeadword(probe), LinearFindHeadword(dict, dict.SourceLanguage(), probe)) << probe;
        EXPECT_EQ(dict.NearestHeadword(probe), LinearNearestHeadword(dict, dict.SourceLanguage(), probe)) << probe;
    }
    EXPECT_EQ(dict.NearestHeadword("zz"), -1);
    EXPECT_EQ(dict.FindHeadword("zz"), -1);
}

TEST(Lookup, AnUnsortedListFallsBackToTheScan)
{
    // Swap the first and last entries of the English list by hand: binary search would miss.
    auto image = Words({"apple", "book", "cat", "dog", "egg"}).Image();
    const std::uint32_t list = ReadWord(image, HeaderListsWord);
    const std::uint32_t first = ReadWord(image, list), last = ReadWord(image, list + 16);
    WriteWord(image, list, last);
    WriteWord(image, list + 16, first);
    TUzDictionary dict(test::WriteImage("unsorted", image));
    ASSERT_EQ(dict.Headword(0), "egg");
    EXPECT_EQ(dict.FindHeadword("apple"), 4);
    EXPECT_EQ(dict.NearestHeadword("b"), 0);
    EXPECT_EQ(dict.NearestHeadword("b"), LinearNearestHeadword(dict, dict.SourceLanguage(), "b"));
}

TEST(Lookup, ListsFollowTheSourceLanguage)
{
    auto dict = Load(test::SmallDictionary(), "lists");
    EXPECT_EQ(dict.FindHeadword("kitob"), -1);
    dict.SelectSourceLanguage(Uzbek);
    EXPECT_EQ(dict.Count(), 2);
    EXPECT_EQ(dict.Headword(1), "olma");
    EXPECT_EQ(dict.FindHeadword("KITOB"), 0);
    dict.SelectSourceLanguage(Russian);
    EXPECT_EQ(dict.Count(), 1);
    EXPECT_THROW(dict.Headword(1), EDictionaryError);
}

TEST(Lookup, CardCaptionNamesThePair)
{
    auto dict = Load(test::SmallDictionary(), "caption");
    EXPECT_EQ(dict.CardCaption(), "So\x91z tarjimasi (En-Uz)");
    dict.SelectSourceLanguage(Russian);
    EXPECT_EQ(dict.CardCaption(), "So\x91z tarjimasi (Ru-Uz)");
    dict.SetTargetLanguage(English);
    EXPECT_EQ(dict.CardCaption(), "So\x91z tarjimasi (Ru-En)");
}

TEST(Lookup, QueriesNameTheirListAndLeaveTheSelectionAlone)
{
    auto dict = Load(test::SmallDictionary(), "queries");
    dict.SelectSourceLanguage(Russian);
    dict.SetTargetLanguage(English);
    const std::string russianArticle = dict.ArticleHtml(0);

    EXPECT_EQ(dict.Count(Uzbek), 2);
    EXPECT_EQ(dict.Headword(Uzbek, 1), "olma");
    EXPECT_EQ(dict.FindHeadword(Uzbek, "KITOB"), 0);
    EXPECT_EQ(dict.NearestHeadword(Uzbek, "ol"), 1);
    EXPECT_EQ(TUzDictionary::CardCaption({Uzbek, Russian}), "So\x91z tarjimasi (Uz-Ru)");
    EXPECT_EQ(dict.ArticleHtml({Russian, English}, 0), russianArticle);
    EXPECT_THROW(dict.Headword(Russian, 1), EDictionaryError);

    EXPECT_EQ(dict.SourceLanguage(), Russian);
    EXPECT_EQ(dict.TargetLanguage(), English);
    EXPECT_EQ(dict.Count(), 1);
    EXPECT_EQ(dict.ArticleHtml(0), russianArticle);
}

} // namespace
} // namespace morva
