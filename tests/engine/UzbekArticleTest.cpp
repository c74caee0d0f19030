// Articles shown with their Uzbek in Latin: only the Uzbek side changes, links keep their
// targets, the transcription and the Russian labels stay.

#include "engine/DictWriter.h"
#include "engine/KovrObj.h"
#include "tests/support/DictFiles.h"
#include "text/CodePage1251.h"
#include "text/UzbekArticle.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace morva {
namespace {

using test::Dict;
using test::Sense;

std::string Article(TDictWriter writer, Language from, Language to)
{
    for (Language list : {English, Uzbek, Russian})
        writer.AddWordEntry(list, "\x85", {}, {});
    TUzDictionary dict(writer.FileBytes());
    dict.SelectSourceLanguage(from);
    dict.SetTargetLanguage(to);
    return dict.ArticleHtml(0);
}

// The article with each Cyrillic word replaced by its Latin, everywhere.
std::string Replaced(std::string html, const std::vector<std::pair<std::u16string, std::u16string>>& words)
{
    for (const auto& [cyrillic, latin] : words) {
        const std::string from = Dict(cyrillic);
        const std::string to = WideToDictText(latin);
        for (std::size_t at = html.find(from); at != std::string::npos; at = html.find(from, at + to.size()))
            html.replace(at, from.size(), to);
    }
    return html;
}

TEST(UzbekArticle, UzbekSourceSideAndLinksGoLatin)
{
    TDictWriter writer;
    writer.AddWordEntry(Uzbek, Dict(u"китоб"), {Sense("book", Dict(u"китоб"), Dict(u"книга"))},
                        {{"", Dict(u"китоб ўқимоқ"), Dict(u"читать книгу")}, {"", Dict(u"янги китоб"), Dict(u"=китоб")}});
    const std::string article = Article(writer, Uzbek, Russian);
    ASSERT_NE(article.find("href=\"0\""), std::string::npos) << article;
    EXPECT_EQ(ArticleInUzbekLatin(article, {true, false}),
              Replaced(article, {{u"китоб", u"kitob"}, {u"ўқимоқ", u"o‘qimoq"}, {u"янги", u"yangi"}}));
}

TEST(UzbekArticle, UzbekTargetSideGoesLatinButRussianLinksStay)
{
    TDictWriter writer;
    writer.AddWordEntry(Russian, Dict(u"книга"), {Sense("book", Dict(u"китоб"), Dict(u"книга"))},
                        {{"", Dict(u"китоб ўқимоқ"), Dict(u"читать книгу")}, {"", Dict(u"=книга"), Dict(u"новая книга")}});
    const std::string article = Article(writer, Russian, Uzbek);
    ASSERT_NE(article.find("href=\"0\">" + Dict(u"книга")), std::string::npos) << article;
    EXPECT_EQ(ArticleInUzbekLatin(article, {false, true}),
              Replaced(article, {{u"китоб", u"kitob"}, {u"ўқимоқ", u"o‘qimoq"}}));
}

TEST(UzbekArticle, TranscriptionAndNoteLabelStay)
{
    TDictWriter writer;
    // The transcription is font bytes, some of them in the Cyrillic range.
    writer.AddWordEntry(English, "book",
                        {Sense("book", Dict(u"китоб"), "", "b\xE5\xEAk"), Sense("book", Dict(u"*сўзлашув"), "")}, {});
    const std::string article = Article(writer, English, Uzbek);
    ASSERT_NE(article.find(Dict(u"прим.")), std::string::npos) << article;
    EXPECT_EQ(ArticleInUzbekLatin(article, {false, true}),
              Replaced(article, {{u"китоб", u"kitob"}, {u"сўзлашув", u"so‘zlashuv"}}));
    EXPECT_EQ(ArticleInUzbekLatin(article, {false, false}), article);
}

TEST(UzbekArticle, DamagedMarkupIsCopiedWithoutFault)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"<b>китоб", u"<b>kitob"},
        {u"<a href=\"1", u"<a href=\"1"},
        {u"<font face=\"SILManuscriptIPA\">[китоб", u"<font face=\"SILManuscriptIPA\">[китоб"},
        {u"китоб & қалам &nbsp", u"kitob & qalam &nbsp"},
        {u"</i></a>ер", u"</i></a>yer"},
    };
    for (const auto& [html, shown] : cases)
        EXPECT_EQ(ArticleInUzbekLatin(Dict(html), {true, true}), WideToDictText(shown)) << Dict(html);
}

} // namespace
} // namespace morva
