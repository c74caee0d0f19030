#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/LinearSearch.h"
#include "engine/Messages.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

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

// The English list of `words` (sorted as written) with its entries put in the given order.
TUzDictionary Reordered(std::initializer_list<const char*> words, const std::vector<int>& order, const std::string& name)
{
    auto image = Words(words).Image();
    const std::uint32_t list = ReadWord(image, HeaderListsWord);
    std::vector<std::uint32_t> entries;
    for (std::size_t i = 0; i < order.size(); ++i)
        entries.push_back(ReadWord(image, list + 4 * i));
    for (std::size_t i = 0; i < order.size(); ++i)
        WriteWord(image, list + 4 * i, entries[std::size_t(order[i])]);
    return TUzDictionary(test::WriteImage(name, image));
}

TEST(Lookup, SearchesAgreeWithTheScansWhateverTheListOrder)
{
    // Searches check the order only as far as their answer; disorder before it, after it, or
    // only between equal-looking words must still give what a scan from the start gives.
    const std::vector<std::vector<int>> orders = {
        {0, 1, 2, 3, 4, 5}, {1, 0, 2, 3, 4, 5}, {0, 1, 2, 3, 5, 4}, {5, 1, 2, 3, 4, 0}, {0, 3, 1, 2, 4, 5},
        {5, 4, 3, 2, 1, 0}, {0, 1, 2, 2, 4, 5},
    };
    // In an order that moves the checked stretch forward and back between queries.
    const char* probes[] = {"dog", "apple", "zz", "egg", "b", "book", "", "cat", "fig", "ca", "a", "dog"};
    int n = 0;
    for (const auto& order : orders) {
        auto dict = Reordered({"apple", "book", "cat", "dog", "egg", "fig"}, order, "order" + std::to_string(n++));
        for (const char* probe : probes) {
            EXPECT_EQ(dict.FindHeadword(English, probe), LinearFindHeadword(dict, English, probe)) << n << probe;
            EXPECT_EQ(dict.NearestHeadword(English, probe), LinearNearestHeadword(dict, English, probe)) << n << probe;
        }
    }
}

TEST(Lookup, ThreadsShareOneDictionary)
{
    // The main window searches while the word-finding indexes are built on other threads: each
    // sees every headword and article whole, however the lazily unscrambled blocks fall.
    TDictWriter writer;
    std::vector<std::string> words;
    for (int i = 0; i < 400; ++i) {
        words.push_back("word" + std::to_string(1000 + i));
        writer.AddWordEntry(English, words.back(), {{words.back(), "", "", "tarjima " + std::to_string(i), "perevod"}}, {});
    }
    writer.AddWordEntry(Uzbek, "kitob", {}, {});
    writer.AddWordEntry(Russian, "kniga", {}, {});
    const auto bytes = writer.FileBytes();
    const TUzDictionary alone(bytes);
    std::vector<std::string> expected;
    for (std::int32_t i = 0; i < alone.Count(English); ++i)
        expected.push_back(alone.ArticleHtml({English, Uzbek}, i));

    const TUzDictionary shared(bytes);
    std::vector<std::thread> readers;
    std::atomic<int> wrong{0};
    for (int t = 0; t < 4; ++t) {
        readers.emplace_back([&, t] {
            for (std::size_t k = 0; k < words.size(); ++k) {
                const std::size_t i = (k * 7 + std::size_t(t) * 101) % words.size();
                const std::int32_t found = shared.FindHeadword(English, words[i]);
                if (found != std::int32_t(i) || shared.NearestHeadword(English, words[i]) != found ||
                    shared.ArticleHtml({English, Uzbek}, found) != expected[i])
                    ++wrong;
            }
        });
    }
    for (auto& reader : readers)
        reader.join();
    EXPECT_EQ(wrong, 0);
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
