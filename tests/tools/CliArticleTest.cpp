// morva-cli article, lookup and the text-rule commands, run as a user runs them.

#include "engine/KovrObj.h"
#include "tests/support/CliRunner.h"
#include "tests/support/DictFiles.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::RunCli;

// "book" with a transcription, a phrase and a cross-reference; Cyrillic targets in Russian.
std::string WriteDictionary()
{
    TDictWriter writer;
    const std::string ipa = "b\x55k"; // upsilon in the IPA font layout
    writer.AddWordEntry(English, "book",
                        {test::Sense("book", "kitob", "\xEA\xED\xE8\xE3\xE0", ipa),
                         test::Sense("book", "=volume", "=tome", ipa)},
                        {{"to read a book", "kitob o\x91qimoq", "\xF7\xE8\xF2\xE0\xF2\xFC"}});
    writer.AddWordEntry(English, "volume", {test::Sense("volume", "jild", "\xF2\xEE\xEC")}, {});
    writer.AddPhraseEntry(English, "R&D", {"R&D", "tadqiqot", "\xCD\xC8\xCE\xCA\xD0"});
    writer.AddWordEntry(Uzbek, "kitob", {test::Sense("book", "kitob", "\xEA\xED\xE8\xE3\xE0")}, {});
    writer.AddWordEntry(Russian, "\xEA\xED\xE8\xE3\xE0", {test::Sense("book", "kitob", "\xEA\xED\xE8\xE3\xE0")}, {});
    return test::WriteBytes("cli-article", writer.FileBytes()).string();
}

TEST(CliArticle, ArticleRawAndAsUnicode)
{
    const std::string data = WriteDictionary();
    TUzDictionary dict{std::filesystem::path(data)};
    dict.SetTargetLanguage(Russian);

    const auto raw = RunCli({"--data", data, "article", "en", "ru", "0", "--raw"});
    EXPECT_EQ(raw.status, 0) << raw.err;
    EXPECT_EQ(raw.out, dict.ArticleHtml(0));

    const auto html = RunCli({"--data", data, "article", "en", "ru", "0"});
    EXPECT_EQ(html.status, 0) << html.err;
    EXPECT_EQ(html.out,
              "<b>book </b><br><font face=\"SILManuscriptIPA\">[bʊk]</font>"
              "<br><table border=\"0\" cellspacing=\"0\" cellpadding=\"0\"><tr><td>&nbsp;&nbsp;&nbsp;&nbsp;</td><td>"
              "книга; <i>см.</i> <a href=\"x\">tome</a></td></tr></table><br><br><br>"
              "to read a book – читать<br>\n");
}

TEST(CliArticle, LookupPrintsTheFoundHeadwordAndReadableArticle)
{
    const std::string data = WriteDictionary();
    const auto exact = RunCli({"--data", data, "lookup", "en", "uz", "book"});
    EXPECT_EQ(exact.status, 0) << exact.err;
    EXPECT_EQ(exact.out, "book\n"
                         "\n"
                         "book\n"
                         "[bʊk]\n"
                         "    kitob; см. volume [→ volume]\n"
                         "\n"
                         "to read a book – kitob o‘qimoq\n");

    // A word that is missing selects the next headword, as the search field does; so does a
    // text that the field would tidy first.
    const auto nearest = RunCli({"--data", data, "lookup", "en", "uz", "boo"});
    EXPECT_EQ(nearest.out.substr(0, nearest.out.find('\n')), "book");
    const auto tidied = RunCli({"--data", data, "lookup", "en", "uz", "{1}volume"});
    EXPECT_EQ(tidied.out.substr(0, tidied.out.find('\n')), "volume");

    const auto phrase = RunCli({"--data", data, "lookup", "en", "ru", "r&d"});
    EXPECT_EQ(phrase.out, "R&D\n\nR&D\n    НИОКР\n");

    const auto past = RunCli({"--data", data, "lookup", "en", "uz", "zzz"});
    EXPECT_EQ(past.status, 1);
    EXPECT_EQ(past.out, "");
    EXPECT_NE(past.err.find("zzz"), std::string::npos);
}

// Many words in one run: each article under its "==> WORD <==" line, as head does for several
// files; "-" reads words from standard input; a word that fails does not stop the others.
TEST(CliArticle, LookupOfManyWords)
{
    const std::string data = WriteDictionary();
    const std::string book = RunCli({"--data", data, "lookup", "en", "uz", "book"}).out;
    const std::string volume = RunCli({"--data", data, "lookup", "en", "uz", "volume"}).out;
    const std::string both = "==> book <==\n" + book + "\n==> volume <==\n" + volume;
    const struct {
        std::vector<std::string> words;
        std::string input;
        int status;
        std::string out;
    } cases[] = {
        {{"book", "volume"}, "", 0, both},
        {{"-"}, "book\nvolume\n", 0, both},
        {{"book", "-"}, "volume\r\n", 0, both},
        {{"-"}, "book", 0, book},
        {{"book", "zzz", "volume"}, "", 1, "==> book <==\n" + book + "\n==> zzz <==\n\n==> volume <==\n" + volume},
        {{"-"}, "book\n\x1B[2J\n", 0, "==> book <==\n" + book + "\n==> \\x1B[2J <==\n" + book},
        {{"-"}, "\xC3\nbook\n", 1, "==> \\xC3 <==\n\n==> book <==\n" + book},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = {"--data", data, "lookup", "en", "uz"};
        args.insert(args.end(), c.words.begin(), c.words.end());
        const auto outcome = RunCli(args, c.input);
        EXPECT_EQ(outcome.status, c.status) << c.input << outcome.err;
        EXPECT_EQ(outcome.out, c.out) << c.input;
    }
}

// A bad line of standard input is a lookup that fails, never a usage error, and one line
// costs no more than a word may be long.
TEST(CliArticle, BadInputLinesFailAloneAndTheOthersAreAnswered)
{
    const std::string data = WriteDictionary();
    const std::string book = RunCli({"--data", data, "lookup", "en", "uz", "book"}).out;
    const std::string longLine(50'000'000, 'b');
    const struct {
        std::string input;
        std::string out, err;
    } cases[] = {
        {"\xC3\n", "", "morva-cli: \"\\xC3\" is not UTF-8\n"},
        {"\xC3", "", "morva-cli: \"\\xC3\" is not UTF-8\n"},
        {longLine + "\n", "", "morva-cli: line 1 of standard input is longer than 4096 bytes\n"},
        {"book\n" + longLine + "\nbook\n",
         "==> book <==\n" + book + "\n==> " + longLine.substr(0, 4096) + "... <==\n\n==> book <==\n" + book,
         "morva-cli: line 2 of standard input is longer than 4096 bytes\n"},
        {std::string(4096, 'z') + "\r\n", "", "morva-cli: no headword at or after \"" + std::string(4096, 'z') + "\"\n"},
    };
    for (const auto& c : cases) {
        const auto outcome = RunCli({"--data", data, "lookup", "en", "uz", "-"}, c.input);
        EXPECT_EQ(outcome.status, 1) << c.input.substr(0, 20);
        EXPECT_EQ(outcome.out, c.out) << c.input.substr(0, 20);
        EXPECT_EQ(outcome.err, c.err) << c.input.substr(0, 20);
    }
    // A bad argument on its own is still a usage error.
    EXPECT_EQ(RunCli({"--data", data, "lookup", "en", "uz", "\xC3"}).status, 2);
}

TEST(CliArticle, Failures)
{
    const std::string data = WriteDictionary();
    const auto range = RunCli({"--data", data, "article", "en", "uz", "3"});
    EXPECT_EQ(range.status, 1);
    EXPECT_EQ(range.err, "3 indeksli element yo‘q.\n");
    EXPECT_EQ(RunCli({"--data", data, "article", "de", "uz", "0"}).status, 2);
    EXPECT_EQ(RunCli({"--data", data, "article", "en", "uz", "0", "--html"}).status, 2);
    EXPECT_EQ(RunCli({"--data", data, "lookup", "en", "uz"}).status, 2);
}

TEST(CliArticle, TextRules)
{
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"normalize", "см. abandon, 2"}, "=abandon\n"},
        {{"normalize", "wait...."}, "wait…\n"},
        {{"matchform", "abandon (smth) {1}"}, "abandon\n"},
        {{"trimparen", "(разг.) слово (в знач.) ещё"}, "слово (в знач.)\n"},
        {{"contains", "-ness", "happiness"}, "1\n"},
        {{"contains", "run", "running"}, "0\n"},
        {{"contains", "сўз", "бу сўз"}, "1\n"},
    };
    for (const auto& c : cases) {
        const auto outcome = RunCli(c.args);
        EXPECT_EQ(outcome.status, 0) << c.args[0];
        EXPECT_EQ(outcome.out, c.out) << c.args[0];
    }
}

} // namespace
} // namespace morva
