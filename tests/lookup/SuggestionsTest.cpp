#include "lookup/Suggestions.h"

#include "engine/KovrObj.h"
#include "tests/lookup/SampleDictionary.h"
#include "tests/support/DictFiles.h"
#include "text/CodePage1251.h"
#include "text/Utf8.h"
#include "text/UzbekLatin.h"

#include <gtest/gtest.h>

#include <iostream>

namespace morva {
namespace {

using test::Dict;
using test::SampleDictionary;

TEST(ConfusionDistance, ConfusedLettersCostHalfAnEdit)
{
    const struct {
        std::u16string_view A, B;
        int HalfEdits;
    } cases[] = {
        {u"book", u"book", 0},   {u"Book", u"book", 0},   {u"book", u"bok", 2},    {u"book", u"boko", 2},
        {u"freind", u"friend", 2}, {u"abc", u"", 6},      {u"", u"abc", 6},        {u"хат", u"ҳат", 1},
        {u"кишлок", u"қишлоқ", 2}, {u"гул", u"ғул", 1},    {u"уй", u"ўй", 1},       {u"огил", u"ўғил", 2},
        {u"эр", u"ер", 1},       {u"ежик", u"ёжик", 1},   {u"чаи", u"чай", 1},     {u"шётка", u"щётка", 1},
        {u"кот", u"кит", 2},     {u"ab", u"ba", 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConfusionDistance(Dict(c.A), Dict(c.B)), c.HalfEdits)
            << DictTextToUtf8(Dict(c.A)) << " / " << DictTextToUtf8(Dict(c.B));
}

TEST(Suggestions, TheIntendedWordComesFirst)
{
    const struct {
        Language List;
        std::u16string_view Typed, Meant;
    } cases[] = {
        {English, u"freind", u"friend"},      {English, u"libary", u"library"},
        {English, u"beautifull", u"beautiful"}, {English, u"umbrela", u"umbrella"},
        {Russian, u"хлеп", u"хлеб"},          {Russian, u"зеленый", u"зелёный"},
        {Russian, u"малако", u"молоко"},      {Uzbek, u"kishlok", u"қишлоқ"},
        {Uzbek, u"kitop", u"китоб"},          {Uzbek, u"хайвон", u"ҳайвон"},
    };
    int first = 0;
    for (const auto& c : cases) {
        const TSuggestionIndex index(SampleDictionary(), c.List);
        std::u16string typed(c.Typed);
        if (c.List == Uzbek)
            typed = UzbekLatinToCyrillic(typed);
        const auto found = index.Suggest(WideToDictText(typed), 5);
        const bool hit = !found.empty() && SampleDictionary().Headword(c.List, found.front()) == Dict(c.Meant);
        first += hit;
        if (!hit)
            std::cout << "miss: " << DictTextToUtf8(Dict(c.Typed)) << " does not suggest " << DictTextToUtf8(Dict(c.Meant))
                          << " first\n";
    }
    EXPECT_GE(first, 9);
}

TEST(Suggestions, NearestFirstAndNothingFarOff)
{
    TDictWriter writer;
    for (const char* word : {"cart", "card", "care", "cat", "dog", "zzzzzz"})
        writer.AddWordEntry(English, word, {}, {});
    writer.AddWordEntry(Uzbek, "a", {}, {});
    writer.AddWordEntry(Russian, "a", {}, {});
    const TUzDictionary dict(writer.FileBytes());
    const TSuggestionIndex index(dict, English);
    const auto names = [&](const std::vector<std::int32_t>& found) {
        std::vector<std::string> words;
        for (auto i : found)
            words.push_back(dict.Headword(English, i));
        return words;
    };
    EXPECT_EQ(names(index.Suggest("carx", 10)), (std::vector<std::string>{"card", "care", "cart"}));
    EXPECT_EQ(names(index.Suggest("carx", 2)), (std::vector<std::string>{"card", "care"}));
    EXPECT_EQ(names(index.Suggest("cta", 10)), (std::vector<std::string>{"cat"}));
    EXPECT_TRUE(index.Suggest("qqqq", 10).empty());
    EXPECT_TRUE(index.Suggest("c", 10).empty());
    EXPECT_TRUE(index.Suggest("", 10).empty());
}

} // namespace
} // namespace morva
