#include "lookup/WordForms.h"

#include "engine/KovrObj.h"
#include "lookup/UzbekSuffixes.h"
#include "tests/lookup/SampleDictionary.h"
#include "tests/support/DictFiles.h"
#include "text/CodePage1251.h"
#include "text/Utf8.h"
#include "text/UzbekLatin.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace morva {
namespace {

using test::Dict;
using test::SampleDictionary;

struct FormCase {
    std::u16string_view Form, Base;
};

// The first base headword of each form, as the user sees it.
void ExpectBases(Language list, std::initializer_list<FormCase> cases)
{
    TWordForms forms(SampleDictionary());
    int wrong = 0;
    for (const FormCase& c : cases) {
        std::u16string typed(c.Form);
        if (list == Uzbek)
            typed = UzbekLatinToCyrillic(typed);
        const auto bases = forms.BaseHeadwords(list, WideToDictText(typed));
        const std::string first = bases.empty() ? "" : SampleDictionary().Headword(list, bases.front());
        if (first != Dict(c.Base)) {
            ++wrong;
            ADD_FAILURE() << "form " << DictTextToUtf8(Dict(c.Form)) << " gives \"" << DictTextToUtf8(first)
                          << "\", not " << DictTextToUtf8(Dict(c.Base));
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST(WordForms, EnglishFormsFindTheirHeadword)
{
    ExpectBases(English, {
        {u"books", u"book"}, {u"addresses", u"address"}, {u"apples", u"apple"}, {u"birds", u"bird"},
        {u"boys", u"boy"}, {u"cities", u"city"}, {u"countries", u"country"}, {u"eggs", u"egg"},
        {u"eyes", u"eye"}, {u"flowers", u"flower"}, {u"friends", u"friend"}, {u"houses", u"house"},
        {u"keys", u"key"}, {u"lessons", u"lesson"}, {u"rivers", u"river"}, {u"stars", u"star"},
        {u"trees", u"tree"}, {u"windows", u"window"}, {u"asked", u"ask"}, {u"answered", u"answer"},
        {u"arrived", u"arrive"}, {u"begins", u"begin"}, {u"cooked", u"cook"}, {u"cried", u"cry"},
        {u"danced", u"dance"}, {u"drinks", u"drink"}, {u"helped", u"help"}, {u"hoped", u"hope"},
        {u"listened", u"listen"}, {u"lived", u"live"}, {u"looked", u"look"}, {u"played", u"play"},
        {u"returned", u"return"}, {u"tried", u"try"}, {u"visited", u"visit"}, {u"waited", u"wait"},
        {u"wanted", u"want"}, {u"watches", u"watch"}, {u"colder", u"cold"}, {u"happier", u"happy"},
        {u"older", u"old"}, {u"stronger", u"strong"}, {u"running", u"run"}, {u"swimming", u"swim"},
        {u"sitting", u"sit"}, {u"Books", u"book"}, {u" walked ", u"walk"},
    });
}

TEST(WordForms, RussianFormsFindTheirHeadword)
{
    ExpectBases(Russian, {
        {u"книги", u"книга"}, {u"книгу", u"книга"}, {u"книгой", u"книга"}, {u"собаками", u"собака"},
        {u"улицах", u"улица"}, {u"домами", u"дом"}, {u"домов", u"дом"}, {u"городов", u"город"},
        {u"городе", u"город"}, {u"руками", u"рука"}, {u"ногами", u"нога"}, {u"глазами", u"глаз"},
        {u"словами", u"слово"}, {u"птицам", u"птица"}, {u"деревьями", u"дерево"}, {u"рекой", u"река"},
        {u"столами", u"стол"}, {u"окнах", u"окно"}, {u"людям", u"люди"}, {u"детей", u"дети"},
        {u"кошкам", u"кошка"}, {u"лошадей", u"лошадь"}, {u"коровы", u"корова"}, {u"новых", u"новый"},
        {u"красивая", u"красивый"}, {u"большого", u"большой"}, {u"хорошего", u"хороший"},
        {u"старые", u"старый"}, {u"читала", u"читать"}, {u"читают", u"читать"}, {u"пишет", u"писать"},
        {u"говорил", u"говорить"}, {u"говорят", u"говорить"}, {u"любила", u"любить"}, {u"спит", u"спать"},
        {u"смотрел", u"смотреть"}, {u"смотрит", u"смотреть"}, {u"лёгкие", u"лёгкий"},
        {u"легкого", u"лёгкий"}, {u"Книги", u"книга"}, {u"зелёные", u"зелёный"},
    });
}

TEST(WordForms, UzbekSuffixChainsFindTheirHeadword)
{
    ExpectBases(Uzbek, {
        {u"kitoblarimizdan", u"китоб"}, {u"китоблар", u"китоб"}, {u"китобим", u"китоб"}, {u"китобни", u"китоб"},
        {u"китобга", u"китоб"}, {u"уйимиз", u"уй"}, {u"уйда", u"уй"}, {u"uydan", u"уй"},
        {u"дўстларимга", u"дўст"}, {u"дўстининг", u"дўст"}, {u"олмалар", u"олма"}, {u"olmasi", u"олма"},
        {u"юрагим", u"юрак"}, {u"қишлоққа", u"қишлоқ"}, {u"qishlog'imiz", u"қишлоқ"}, {u"қишлоқда", u"қишлоқ"},
        {u"ўқидим", u"ўқимоқ"}, {u"ўқияпти", u"ўқимоқ"}, {u"ўқиган", u"ўқимоқ"}, {u"ўқийди", u"ўқимоқ"},
        {u"ўқимоқчи", u"ўқимоқ"}, {u"бординг", u"бормоқ"}, {u"борган", u"бормоқ"}, {u"keldi", u"келмоқ"},
        {u"келяпти", u"келмоқ"}, {u"кетган", u"кетмоқ"}, {u"оғзим", u"оғиз"}, {u"бурним", u"бурун"},
        {u"ўғлим", u"ўғил"}, {u"шаҳримиз", u"шаҳар"}, {u"гулни", u"гул"}, {u"боғимиз", u"боғ"},
        {u"кўзларим", u"кўз"}, {u"тилини", u"тил"}, {u"қўлимда", u"қўл"}, {u"итлардан", u"ит"},
        {u"мушуклар", u"мушук"}, {u"қизимиз", u"қиз"}, {u"отамнинг", u"ота"}, {u"китобми", u"китоб"},
        {u"китобдир", u"китоб"}, {u"уйдек", u"уй"}, {u"нонни", u"нон"}, {u"дарсда", u"дарс"},
    });
}

TEST(WordForms, OnlyRealHeadwordsAreOffered)
{
    TWordForms forms(SampleDictionary());
    for (auto [list, text] : {std::pair{English, u"xyzzies"}, {Russian, u"абвгдами"}, {Uzbek, u"қўғқларимиз"},
                              {English, u""}, {Uzbek, u"  "}})
        EXPECT_TRUE(forms.BaseHeadwords(list, WideToDictText(text)).empty()) << DictTextToUtf8(Dict(text));
}

TEST(WordForms, AHeadwordIsItsOwnFirstBase)
{
    TWordForms forms(SampleDictionary());
    const auto bases = forms.BaseHeadwords(English, "book");
    ASSERT_FALSE(bases.empty());
    EXPECT_EQ(bases.front(), SampleDictionary().FindHeadword(English, "book"));
}

TEST(WordForms, WithoutHunspellDictionariesNothingBreaks)
{
    TWordForms forms(SampleDictionary(), {"/nonexistent/hunspell"});
    // Snowball alone still takes plain endings off; Uzbek needs no Hunspell at all.
    const auto books = forms.BaseHeadwords(English, "books");
    ASSERT_FALSE(books.empty());
    EXPECT_EQ(SampleDictionary().Headword(English, books.front()), "book");
    const auto uzbek = forms.BaseHeadwords(Uzbek, Dict(u"китобларимиздан"));
    ASSERT_FALSE(uzbek.empty());
    EXPECT_EQ(SampleDictionary().Headword(Uzbek, uzbek.front()), Dict(u"китоб"));
}

TEST(UzbekSuffixes, SoundChangesAtTheJoinGiveTheStandAloneStem)
{
    const struct {
        std::u16string_view Word, Stem;
    } cases[] = {
        {u"юрагим", u"юрак"}, {u"қишлоғи", u"қишлоқ"}, {u"оғзи", u"оғиз"}, {u"бурни", u"бурун"},
        {u"ўғли", u"ўғил"}, {u"шаҳри", u"шаҳар"}, {u"ўқиди", u"ўқимоқ"},
    };
    for (const auto& c : cases) {
        const auto candidates = UzbekBaseCandidates(Dict(c.Word));
        EXPECT_NE(std::find(candidates.begin(), candidates.end(), Dict(c.Stem)), candidates.end())
            << DictTextToUtf8(Dict(c.Word));
    }
    EXPECT_TRUE(UzbekBaseCandidates(Dict(u"уй")).empty());
}

} // namespace
} // namespace morva
