// Cards that show their Uzbek text in the Latin alphabet: only the display changes, links
// still open their cards, the history keeps the article as the dictionary gave it.

#include "tests/cards/CardsFixture.h"

#include "text/CodePage1251.h"

namespace morva::test {
namespace {

QString Shown(TWordViewForm& card)
{
    return View(card).toPlainText();
}

TEST_F(CardsTest, UzbekTranslationsShownInLatinAndLinksStillWork)
{
    cards->SetUzbekLatin(true);
    OpenWord(Book);
    const QString main = Shown(MainCard());
    EXPECT_TRUE(main.contains(u"qo‘llanma")) << main.toStdString();
    EXPECT_TRUE(main.contains(u"she’rlar to‘plami")) << main.toStdString();
    EXPECT_FALSE(main.contains(u"қўлланма"));
    EXPECT_TRUE(main.contains(u"[bʊk]")) << "the transcription stays";

    ClickLink(MainCard(), QStringLiteral("volume"));
    ASSERT_EQ(TemporaryCards().size(), 1);
    EXPECT_TRUE(Shown(*TemporaryCards()[0]).contains(u"jild"));
    // The history keeps the dictionary's own text.
    EXPECT_EQ(History().Count(), 2);
}

TEST_F(CardsTest, SwitchingLatinRedrawsTheOpenCards)
{
    OpenWord(Book);
    ASSERT_TRUE(Shown(MainCard()).contains(u"қўлланма"));
    cards->SetUzbekLatin(true);
    EXPECT_TRUE(Shown(MainCard()).contains(u"qo‘llanma"));
    cards->SetUzbekLatin(false);
    EXPECT_TRUE(Shown(MainCard()).contains(u"қўлланма"));
}

TEST_F(CardsTest, TheCardsPairDecidesWhichSideIsUzbek)
{
    cards->SetUzbekLatin(true);
    const std::string article = dictionary->ArticleHtml(Book);
    cards->OpenHistoryCard({"book", Book, {English, Uzbek}, Dict(u"So‘z tarjimasi (En-Uz)"), article});
    EXPECT_TRUE(Shown(MainCard()).contains(u"qo‘llanma"));
    // Not a pair the card knows: shown as it is.
    cards->OpenHistoryCard({"book", Book, {English, Russian}, Dict(u"So‘z tarjimasi (En-Ru)"), article});
    EXPECT_TRUE(Shown(MainCard()).contains(u"қўлланма"));

    dictionary->SelectSourceLanguage(Uzbek);
    dictionary->SetTargetLanguage(Russian);
    OpenWord(0);
    const QString shown = Shown(MainCard());
    EXPECT_TRUE(shown.contains(u"qo‘llanma")) << shown.toStdString();
    EXPECT_TRUE(shown.contains(u"книга")) << "the Russian side stays";
}

} // namespace
} // namespace morva::test
