// morva-cli forms, suggest, search and lookup --forms as a user runs them.

#include "tests/support/CliRunner.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::RunCli;
using test::Sense;

std::string WriteFindDictionary()
{
    TDictWriter writer;
    const auto book = Sense("book", "\xea\xe8\xf2\xee\xe1", "\xea\xed\xe8\xe3\xe0"); // китоб, книга
    const auto notebook = Sense("notebook", "daftar", "\xea\xed\xe8\xe3\xe0 notes");
    writer.AddWordEntry(English, "book", {book}, {});
    writer.AddWordEntry(English, "notebook", {notebook}, {});
    writer.AddWordEntry(English, "walk", {}, {});
    writer.AddWordEntry(Uzbek, "\xea\xe8\xf2\xee\xe1", {book}, {});
    writer.AddWordEntry(Russian, "\xea\xed\xe8\xe3\xe0", {book}, {});
    return test::WriteBytes("cli-find", writer.FileBytes()).string();
}

TEST(CliFind, EachCommandPrintsOneResultALine)
{
    const std::string data = WriteFindDictionary();
    const struct {
        std::vector<std::string> Args;
        std::string Out;
    } cases[] = {
        {{"forms", "en", "books"}, "0\tbook\n"},
        {{"forms", "en", "walked"}, "2\twalk\n"},
        {{"forms", "uz", "kitoblarimizdan"}, "0\t\u043a\u0438\u0442\u043e\u0431\n"},
        {{"forms", "ru", "\u043a\u043d\u0438\u0433\u0438"}, "0\t\u043a\u043d\u0438\u0433\u0430\n"},
        {{"suggest", "en", "bokk"}, "0\tbook\n"},
        {{"suggest", "uz", "kitop"}, "0\t\u043a\u0438\u0442\u043e\u0431\n"},
        {{"search", "ru", "\u041a\u041d\u0418\u0413\u0410"},
         "0\tbook\ten ru\n0\t\u043a\u0438\u0442\u043e\u0431\tuz ru\n1\tnotebook\ten ru\n"},
        {{"search", "uz", "kitob"}, "0\tbook\ten uz\n0\t\u043a\u043d\u0438\u0433\u0430\tru uz\n"},
    };
    for (const auto& c : cases) {
        auto args = c.Args;
        args.insert(args.begin(), {"--data", data});
        const auto outcome = RunCli(args);
        EXPECT_EQ(outcome.status, 0) << c.Args[0] << " " << c.Args[2] << ": " << outcome.err;
        EXPECT_EQ(outcome.out, c.Out) << c.Args[0] << " " << c.Args[2];
    }
}

TEST(CliFind, NothingFoundIsStatus1WithANote)
{
    const std::string data = WriteFindDictionary();
    for (const char* command : {"forms", "suggest", "search"}) {
        const auto outcome = RunCli({"--data", data, command, "en", "xyzzy"});
        EXPECT_EQ(outcome.status, 1) << command;
        EXPECT_EQ(outcome.out, "") << command;
        EXPECT_NE(outcome.err.find("xyzzy"), std::string::npos) << command;
    }
    EXPECT_EQ(RunCli({"--data", data, "forms", "xx", "books"}).status, 2);
    EXPECT_EQ(RunCli({"--data", data, "search", "ru"}).status, 2);
}

TEST(CliFind, LookupWithFormsFallsBackToTheBaseWordAndSaysSo)
{
    const std::string data = WriteFindDictionary();
    const auto withForms = RunCli({"--data", data, "lookup", "--forms", "en", "uz", "books"});
    EXPECT_EQ(withForms.status, 0);
    EXPECT_TRUE(withForms.out.starts_with("book\n")) << withForms.out;
    EXPECT_EQ(withForms.err, "morva-cli: \"books\" is a form of \"book\"\n");

    // Plain lookup keeps the nearest headword; a headword itself needs no fallback.
    const auto plain = RunCli({"--data", data, "lookup", "en", "uz", "books"});
    EXPECT_TRUE(plain.out.starts_with("notebook\n")) << plain.out;
    EXPECT_EQ(plain.err, "");
    const auto exact = RunCli({"--data", data, "lookup", "--forms", "en", "uz", "book"});
    EXPECT_TRUE(exact.out.starts_with("book\n"));
    EXPECT_EQ(exact.err, "");
}

} // namespace
} // namespace morva
