// The search of a typed text, as the main window and the command-line tool both run it.

#include "engine/KovrObj.h"
#include "engine/SearchRule.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

constexpr std::int32_t AllRows = 1000;

TUzDictionary SearchDictionary()
{
    TDictWriter writer;
    for (const char* word : {"a b", "Book", "book", "bookcase", "cat"})
        writer.AddWordEntry(English, word, {}, {});
    writer.AddWordEntry(Uzbek, "kitob", {}, {});
    writer.AddWordEntry(Russian, "kniga", {}, {});
    return TUzDictionary(test::WriteBytes("search-rule", writer.FileBytes()));
}

TEST(SearchRule, SelectsAndTidiesAsTheSearchFieldDoes)
{
    const TUzDictionary dict = SearchDictionary();
    struct Case {
        const char* text;
        std::int32_t selected, rows;
        std::int32_t wantSelected;
        const char* wantText;
    };
    const Case cases[] = {
        {"boo", -1, AllRows, 1, "boo"},
        {"book", -1, AllRows, 1, "book"},           // of equal headwords the first
        {"book", 2, AllRows, -1, "book"},           // the selected row holds the text: no search
        {"Book", 2, AllRows, 1, "Book"},            // byte for byte only
        {"zz", 3, AllRows, -1, "zz"},               // nothing at or after: the selection stays
        {"  cat  ", -1, AllRows, 4, "cat "},        // trimmed for the search, one space kept
        {"\tcat", -1, AllRows, 4, "cat"},           // every code up to 32 is trimmed
        {"a  b", -1, AllRows, 0, "a b"},
        {"{zz}bookc", -1, AllRows, 3, "bookc"},     // searched again once tidied
        {" ", 2, AllRows, -1, ""},                  // an empty normal form empties the text
        {"#", -1, AllRows, 0, ""},                  // searched before it is tidied away
        {"", -1, AllRows, -1, ""},
        {"boo", -1, 3, 1, "boo"},                   // a view cut short by a damaged entry
        {"bookc", -1, 3, -1, "bookc"},
    };
    for (const Case& c : cases) {
        const SearchOutcome outcome = SearchAndTidy(dict, English, c.text, c.selected, c.rows);
        EXPECT_EQ(outcome.Selected, c.wantSelected) << c.text;
        EXPECT_EQ(outcome.Text, c.wantText) << c.text;
    }
}

TEST(SearchRule, SearchesAnyListWithoutMovingTheSelection)
{
    TUzDictionary dict = SearchDictionary();
    dict.SelectSourceLanguage(Russian);
    EXPECT_EQ(SearchSelection(dict, Uzbek, " ki "), 0);
    EXPECT_EQ(SearchSelection(dict, English, "bookcase  "), 3);
    EXPECT_EQ(SearchSelection(dict, English, "zz"), -1);
    EXPECT_EQ(dict.SourceLanguage(), Russian);
}

} // namespace
} // namespace morva
