#include "engine/Article.h"
#include "engine/DictWriter.h"
#include "engine/DictionaryError.h"
#include "engine/KovrObj.h"
#include "engine/Messages.h"
#include "tests/support/DictFiles.h"
#include "text/ArticleText.h"
#include "text/CodePage1251.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::Sense;

const std::string Open =
    "<br><table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>&nbsp;&nbsp;&nbsp;&nbsp;</td><td>";
const std::string Close = "</td></tr></table>";
const std::string Dash = " \x96 ";

using test::Dict;

// Every list needs an entry; the ellipsis sorts after every letter, so these come last.
void AddFillers(TDictWriter& writer)
{
    writer.AddWordEntry(English, "\x85", {}, {});
    writer.AddWordEntry(Uzbek, "\x85", {}, {});
    writer.AddWordEntry(Russian, "\x85", {}, {});
}

// The article of the first entry of the source list, for the pair.
std::string Article(TDictWriter writer, Language from = English, Language to = Uzbek)
{
    AddFillers(writer);
    TUzDictionary dict(writer.FileBytes());
    dict.SelectSourceLanguage(from);
    dict.SetTargetLanguage(to);
    return dict.ArticleHtml(0);
}

std::string ErrorOf(TDictWriter writer, std::int32_t index)
{
    AddFillers(writer);
    TUzDictionary dict(writer.FileBytes());
    try {
        dict.ArticleHtml(index);
    } catch (const EDictionaryError& e) {
        return e.what();
    }
    return "no error";
}

TEST(Article, EntryKinds)
{
    TDictWriter other;
    other.AddOtherEntry(English, 3, "abc");
    EXPECT_EQ(Article(other), "error");

    TDictWriter empty;
    empty.AddWordEntry(English, "abc", {}, {});
    EXPECT_EQ(Article(empty), "<br>");

    TDictWriter phrase;
    phrase.AddPhraseEntry(English, "a & b", {"a & b", "x (or y)", "r"});
    EXPECT_EQ(Article(phrase), "<b>a &amp; b</b>" + Open + "x (<i>or</i> y)" + Close);

    TDictWriter blankPhrase;
    blankPhrase.AddPhraseEntry(Uzbek, "abc", {"abc", "=abc", ""});
    EXPECT_EQ(Article(blankPhrase, Uzbek, Russian), "<b></b>" + Open + Close);
}

TEST(Article, Failures)
{
    TDictWriter writer;
    writer.AddWordEntry(English, "abc", {}, {});
    EXPECT_EQ(ErrorOf(writer, -1), messages::NoSuchIndex(-1));
    EXPECT_EQ(ErrorOf(writer, 2), messages::NoSuchIndex(2));

    TDictWriter marked;
    marked.AddWordEntry(English, "run", {}, {{"*run", "yugurmoq", "bezhat"}});
    EXPECT_EQ(ErrorOf(marked, 0), messages::InternalError());
    // Under another source language a marked source is only left out.
    marked.AddWordEntry(Uzbek, "yugurmoq", {}, {{"run", "*yugurmoq", "bezhat"}});
    EXPECT_EQ(Article(marked, Uzbek, Russian), "<br>");
}

TEST(Article, HeadlineWithTranscriptionAndGroups)
{
    const std::string ipa = "\xAB" "b\x51" "nd\xAB" "n"; // font bytes, stored as they are
    TDictWriter writer;
    writer.AddWordEntry(English, "abandon",
                        {
                            Sense("give up", "voz kechmoq", "r"),               // not this headword
                            Sense("abandon", "tashlab ketmoq", "r", ipa),
                            Sense("abandonment", "tashlab ketish", "r"),        // the headline test is a prefix test
                            Sense("ABANDON", "tashlamoq", "r", ipa),
                            Sense("abandon", "tashlab ketmoq", "r", ipa), // exact duplicate
                            Sense("abandon {1} (smth)", "qoldirmoq", "r"),
                            Sense("abandon) x", "buzuq", "r"),                   // stray parenthesis matches nothing
                        },
                        {});
    // A group is named by its last source; the blank before the font element stays bold.
    EXPECT_EQ(Article(writer),
              "<b>ABANDON </b><br><font face=\"SILManuscriptIPA\">[" + ipa + "]</font>" + Open +
                  "tashlab ketmoq; tashlamoq" + Close + "<br><br>" +
                  "abandon {1} (smth)" + Dash + "qoldirmoq<br>" +
                  "abandonment" + Dash + "tashlab ketish<br>" + "<br>");

    TDictWriter plain;
    plain.AddWordEntry(English, "abandon", {Sense("abandon (smth)", "qoldirmoq", "r")}, {});
    EXPECT_EQ(Article(plain), "<b>abandon (smth)</b>" + Open + "qoldirmoq" + Close + "<br><br><br>");
}

TEST(Article, GroupsJoinTranslationsInCollectedOrder)
{
    TDictWriter writer;
    writer.AddWordEntry(English, "book",
                        {Sense("book", "kitob", "r"), Sense("Book", "daftar", "r"), Sense("book", "kitob", "r"),
                         Sense("BOOK", "kitob", "r")},
                        {});
    // "BOOK"/"kitob" equals the first pair on both sides, so it goes with the duplicates.
    EXPECT_EQ(Article(writer), "<b>Book</b>" + Open + "kitob; daftar" + Close + "<br><br><br>");
}

TEST(Article, NotesAndReferences)
{
    TDictWriter writer;
    writer.AddWordEntry(English, "abandon", {Sense("abandon", "tashlab ketmoq", "r")}, {});
    writer.AddWordEntry(English, "leave",
                        {Sense("leave", "=ABANDON", "r"), Sense("leave", "=forsake", "r"),
                         Sense("leave", "*informal", "r"), Sense("leave", "=R&D", "r")},
                        {});
    writer.AddWordEntry(English, "R&D", {}, {});
    AddFillers(writer);
    TUzDictionary dict(writer.FileBytes());
    ASSERT_EQ(dict.Headword(1), "leave");
    EXPECT_EQ(dict.ArticleHtml(1), "<b>leave</b>" + Open +
                                      "<i>\xF1\xEC.</i> <a href=\"0\">ABANDON</a>; "
                                      "<i>\xF1\xEC.</i> <a href=\"x\">forsake</a>; "
                                      "<i>\xEF\xF0\xE8\xEC.</i> informal; "
                                      "<i>\xF1\xEC.</i> <a href=\"2\">R&amp;D</a>" +
                                      Close + "<br><br><br>");
}

TEST(Article, MarkedTargetsOutsideEnglish)
{
    TDictWriter writer;
    writer.AddWordEntry(Uzbek, "kitob",
                        {Sense("book", "kitob", "=kniga"), Sense("book", "kitob", "*note"),
                         Sense("volume", "kitob", "tom"), Sense("x", "=kitob", "y")},
                        {});
    EXPECT_EQ(Article(writer, Uzbek, Russian), "<b>kitob</b>" + Open + "tom" + Close + "<br><br><br>");
}

TEST(Article, EscapingHappensBeforeTheHeadwordTest)
{
    TDictWriter writer;
    writer.AddWordEntry(English, "R&D", {Sense("R&D", "tadqiqot", "r"), Sense("R&amp;D", "raw", "r")}, {});
    // The stored "R&amp;D" escapes to "R&amp;amp;D", which no longer starts with the headword.
    EXPECT_EQ(Article(writer), "<b>R&amp;D</b>" + Open + "tadqiqot" + Close + "<br><br><br>");
}

TEST(Article, PhrasesHoldingTheHeadword)
{
    TDictWriter run;
    run.AddWordEntry(English, "run", {Sense("sprint", "x", "r")},
                     {{"to run away", "qochmoq", "r"},
                      {"running late", "kechikmoq", "r"},
                      {"Run (or walk)", "=yurmoq", "r"},
                      {"to run away", "qochib ketmoq", "r"}});
    EXPECT_EQ(Article(run), "<br>"
                            "Run (<i>or</i> walk)" + Dash + "<i>\xF1\xEC.</i> <a href=\"x\">yurmoq</a><br>" +
                            "to run away" + Dash + "qochmoq; qochib ketmoq<br>");

    TDictWriter ness;
    ness.AddWordEntry(English, "-ness", {}, {{"happiness", "baxt", "r"}, {"nessy", "x", "r"}});
    EXPECT_EQ(Article(ness), "<br>happiness" + Dash + "baxt<br>");
}

TEST(Article, UzbekRussianDropsParentheticals)
{
    TDictWriter writer;
    writer.AddWordEntry(Uzbek, Dict(u"сўз"), {Sense("word", Dict(u"(кит.) сўз"), Dict(u"слово (kind of)"))}, {});
    EXPECT_EQ(Article(writer, Uzbek, Russian),
              "<b>" + Dict(u"сўз") + "</b>" + Open + Dict(u"слово") + Close + "<br><br><br>");
    // Other pairs keep them.
    EXPECT_EQ(Article(writer, Uzbek, English),
              "<b>" + Dict(u"(кит.) сўз") + "</b>" + Open + "word" + Close + "<br><br><br>");
}

TEST(Article, SortKeepsEqualSourcesInOrder)
{
    std::vector<article::TextPair> pairs = {{"b", "1"}, {"a", "2"}, {"B", "3"}, {"A", "4"}, {"b", "5"}};
    article::SortPairs(pairs);
    std::string order;
    for (const auto& p : pairs)
        order += p.Target;
    EXPECT_EQ(order, "24135");
}

TEST(Article, TextHelpers)
{
    EXPECT_EQ(article::EscapeHtml("a&b\"c<d>e\x91"), "a&amp;b&quot;c&lt;d&gt;e\x91");
    EXPECT_EQ(article::ReplaceAll("(or (or(or x", "(or", "(<i>or</i>"),
              "(<i>or</i> (<i>or</i>(<i>or</i> x");
    EXPECT_EQ(article::ReplaceAll("color (orange)", "(or", "(<i>or</i>"), "color (<i>or</i>ange)");
}

TEST(ArticleText, TranscriptionDecodedAsIpa)
{
    // 0xAB is schwa in the IPA layout and « in dictionary text.
    const std::string html = "<b>a\xAB " + Dict(u"ў") + "</b><font face=\"SILManuscriptIPA\">[\xAB]</font>&amp;\xAB";
    EXPECT_EQ(ArticleToWide(html), u"<b>a« ў</b><font face=\"SILManuscriptIPA\">[ə]</font>&amp;«");
    EXPECT_EQ(ArticleToWide("<font face=\"SILManuscriptIPA\">[\xAB"), u"<font face=\"SILManuscriptIPA\">[ə");
}

} // namespace
} // namespace morva
