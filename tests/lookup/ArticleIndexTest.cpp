#include "lookup/ArticleIndex.h"

#include "engine/KovrObj.h"
#include "engine/TextRules.h"
#include "lookup/EntryTexts.h"
#include "tests/lookup/SampleDictionary.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace morva {
namespace {

using test::Dict;
using test::SampleDictionary;
using test::Sense;

std::vector<std::pair<Language, std::string>> Headwords(const TUzDictionary& dict, const std::vector<ArticleHit>& hits)
{
    std::vector<std::pair<Language, std::string>> words;
    for (const ArticleHit& hit : hits)
        words.emplace_back(hit.Pair.Source, dict.Headword(hit.Pair.Source, hit.Index));
    return words;
}

TEST(ArticleIndex, KnigaFindsBookAndKitobFirst)
{
    const TArticleIndex index(SampleDictionary());
    const auto hits = index.Search(Russian, Dict(u"книга"), 50);
    const auto words = Headwords(SampleDictionary(), hits);
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words[0], std::pair(English, std::string("book")));
    EXPECT_EQ(words[1], std::pair(Uzbek, Dict(u"китоб")));
    for (const ArticleHit& hit : hits)
        EXPECT_EQ(hit.Pair.Target, Russian);
}

TEST(ArticleIndex, ExactTranslationBeforeAWordOfAPhrase)
{
    TDictWriter writer;
    const SenseRecord alone = Sense("book", "kitob", "kniga");
    const SenseRecord longer = Sense("notebook", "daftar", "kniga zapisey");
    const PhraseRecord phrase{"a good read", "yaxshi", "horoshaya kniga"};
    writer.AddWordEntry(English, "a good read", {}, {phrase});
    writer.AddWordEntry(English, "notebook", {longer}, {});
    writer.AddWordEntry(English, "book", {alone}, {});
    writer.AddWordEntry(Uzbek, "kitob", {alone}, {});
    writer.AddWordEntry(Russian, "kniga", {alone}, {});
    const TUzDictionary dict(writer.FileBytes());
    const TArticleIndex index(dict);
    const auto hits = index.Search(Russian, "KNIGA", 10);
    const std::vector<std::pair<Language, std::string>> expected = {
        {English, "book"}, {Uzbek, "kitob"}, {English, "notebook"}, {English, "a good read"}};
    EXPECT_EQ(Headwords(dict, hits), expected);
    EXPECT_EQ(Headwords(dict, index.Search(Russian, "kniga zapisey", 10)),
              (std::vector<std::pair<Language, std::string>>{{English, "notebook"}}));
    EXPECT_EQ(index.Search(Russian, "kniga", 1).size(), 1u);
    EXPECT_TRUE(index.Search(Russian, "knig", 10).empty());
    EXPECT_TRUE(index.Search(Russian, "", 10).empty());
    EXPECT_TRUE(index.Search(English, "kniga", 10).empty()); // Russian words are no English translation
}

TEST(ArticleIndex, ReferencesAndNotesAreNoTranslations)
{
    TDictWriter writer;
    const SenseRecord went = Sense("went", "=go", "=go");
    const SenseRecord note = Sense("guy", "*gap", "*razg");
    writer.AddWordEntry(English, "went", {went}, {});
    writer.AddWordEntry(English, "guy", {note}, {});
    writer.AddWordEntry(Uzbek, "a", {}, {});
    writer.AddWordEntry(Russian, "a", {}, {});
    const TUzDictionary dict(writer.FileBytes());
    const TArticleIndex index(dict);
    EXPECT_TRUE(index.Search(Russian, "go", 10).empty());
    EXPECT_TRUE(index.Search(Russian, "razg", 10).empty());
}

// Every entry whose translations hold the word, found by reading every entry.
std::set<std::pair<Language, std::int32_t>> PlainScan(const TUzDictionary& dict, Language language,
                                                      const std::string& word)
{
    std::set<std::pair<Language, std::int32_t>> found;
    for (Language list = 0; list < LanguageCount; ++list) {
        if (list == language)
            continue;
        for (std::int32_t i = 0; i < dict.Count(list); ++i)
            for (const EntryText& text : EntryTranslations(dict, list, i, language))
                if (ContainsWholeWord(word, text.Text))
                    found.emplace(list, i);
    }
    return found;
}

TEST(ArticleIndex, FindsWhatAPlainScanFinds)
{
    TDictWriter writer;
    const std::vector<SenseRecord> senses = {
        Sense("house", "uy", "dom"),           Sense("home", "uy", "dom, zhilishche"),
        Sense("houses", "uylar", "doma"),      Sense("building", "bino", "zdanie (dom)"),
        Sense("domino", "domino", "domino"),   Sense("Dom", "Dom", "Dom-kniga"),
        Sense("street", "ko'cha", "ulitsa"),   Sense("at home", "uyda", "doma, v dome"),
    };
    for (const auto& s : senses) {
        writer.AddWordEntry(English, s.English, {s}, {});
        writer.AddWordEntry(Uzbek, s.Uzbek, {s}, {});
        writer.AddWordEntry(Russian, s.Russian, {s}, {});
    }
    const PhraseRecord phrase{"sweet home", "shirin uy", "milyi dom"};
    writer.AddWordEntry(English, "home sweet", {}, {phrase});
    writer.AddPhraseEntry(Uzbek, "shirin uy", phrase);
    const TUzDictionary dict(writer.FileBytes());
    const TArticleIndex index(dict);
    for (Language language : {English, Uzbek, Russian}) {
        for (const char* word : {"dom", "DOM", "uy", "doma", "kniga", "house", "home", "zdanie", "milyi", "nothing"}) {
            std::set<std::pair<Language, std::int32_t>> indexed;
            for (const ArticleHit& hit : index.Search(language, word, 1000))
                EXPECT_TRUE(indexed.emplace(hit.Pair.Source, hit.Index).second) << "twice: " << word;
            EXPECT_EQ(indexed, PlainScan(dict, language, word)) << word << " in " << int(language);
        }
    }
}

TEST(ArticleIndex, LatinUzbekFindsTheEntriesThroughTheirUzbekArticles)
{
    const TArticleIndex index(SampleDictionary());
    const auto words = Headwords(SampleDictionary(), index.Search(Uzbek, Dict(u"китоб"), 50));
    ASSERT_GE(words.size(), 2u);
    EXPECT_EQ(words[0], std::pair(English, std::string("book")));
    EXPECT_EQ(words[1], std::pair(Russian, Dict(u"книга")));
}

} // namespace
} // namespace morva
