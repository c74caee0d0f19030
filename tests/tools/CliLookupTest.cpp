// morva-cli info, list, headword, find, nearest, caption and compare, and the loading failures
// as a user meets them.

#include "engine/FileFormat.h"
#include "tests/support/CliRunner.h"
#include "tests/support/DictFiles.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::RunCli;

std::string WriteSmall(const std::string& name)
{
    return test::WriteBytes(name, test::SmallDictionary().FileBytes()).string();
}

TEST(CliLookup, QueriesPrintWhatTheEngineGives)
{
    const std::string data = WriteSmall("cli-lookup");
    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"list", "en"}, "apple\nbook\n"},
        {{"headword", "uz", "1"}, "olma\n"},
        {{"find", "en", "BOOK"}, "1\n"},
        {{"find", "en", "boo"}, "-1\n"},
        {{"find", "uz", "book"}, "-1\n"},
        {{"nearest", "en", "b"}, "1\n"},
        {{"nearest", "en", "c"}, "-1\n"},
        {{"caption", "ru", "uz"}, "So\u2018z tarjimasi (Ru-Uz)\n"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.begin(), {"--data", data});
        const auto outcome = RunCli(args);
        EXPECT_EQ(outcome.status, 0) << c.args[0] << ": " << outcome.err;
        EXPECT_EQ(outcome.out, c.out) << c.args[0];
    }

    const auto info = RunCli({"--data", data, "info"});
    EXPECT_EQ(info.status, 0);
    EXPECT_EQ(info.out.substr(19), "\nEn 2\nUz 2\nRu 1\n");
    EXPECT_EQ(RunCli({"compare", "\u049B", "\u0493"}).out, "-1\n");
    EXPECT_EQ(RunCli({"compare", "Apple", "APPLE"}).out, "0\n");
}

TEST(CliLookup, EveryLoadingFailureGivesItsMessageAndStatus1)
{
    const auto image = test::SmallDictionary().Image();
    auto appended = ScrambledCopy(image);
    appended.push_back(0);
    auto changed = ScrambledCopy(image);
    changed[30] ^= 1;
    TDictWriter noRussian;
    noRussian.AddWordEntry(English, "a", {}, {});
    noRussian.AddWordEntry(Uzbek, "b", {}, {});

    struct Case {
        std::string data;
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {(test::FreshFolder("cli-missing") / "Morva.uzd").string(), {"info"},
         "Lug\u2018at fayli o\u2018qilayotganda xato hosil bo\u2018ldi.\r\nNo such file or directory.\n"},
        {test::WriteBytes("cli-23", std::vector<std::uint8_t>(23)).string(), {"info"},
         "Lug\u2018at fayli formati noto\u2018g\u2018ri.\n"},
        {test::WriteBytes("cli-appended", appended).string(), {"info"},
         "\"Morva.uzd\" lug\u2018at fayli buzilgan (uzunlik mos emasligi).\n"},
        {test::WriteBytes("cli-changed", changed).string(), {"info"},
         "\"Morva.uzd\" lug\u2018at fayli buzilgan (nazorat yig\u2018indisi mos emasligi).\n"},
        {test::WriteBytes("cli-empty", noRussian.FileBytes()).string(), {"info"},
         "\"Morva.uzd\" lug\u2018at faylida bironta so\u2018z yo\u2018q.\n"},
        {WriteSmall("cli-range"), {"headword", "en", "2"}, "2 indeksli element yo\u2018q.\n"},
        {WriteSmall("cli-negative"), {"headword", "en", "-1"}, "-1 indeksli element yo\u2018q.\n"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.begin(), {"--data", c.data});
        const auto outcome = RunCli(args);
        EXPECT_EQ(outcome.status, 1) << c.message;
        EXPECT_EQ(outcome.err, c.message);
        EXPECT_EQ(outcome.out, "");
    }
}

TEST(CliLookup, UsageErrorsExitWith2)
{
    const std::string data = WriteSmall("cli-usage");
    for (std::vector<std::string> args : std::vector<std::vector<std::string>>{
             {}, {"info", "extra"}, {"list", "de"}, {"headword", "en", "x"}, {"--data"}, {"frobnicate"},
             // An index is digits with an optional minus, nothing around them.
             {"headword", "en", " 1"}, {"headword", "en", "1 "}, {"headword", "en", "+1"}, {"headword", "en", ""},
             {"headword", "en", "1x"}, {"headword", "en", "0x1"}, {"headword", "en", "99999999999"}}) {
        args.insert(args.begin(), {"--data", data});
        const auto outcome = RunCli(args);
        EXPECT_EQ(outcome.status, 2);
        EXPECT_NE(outcome.err.find("usage: morva-cli"), std::string::npos);
    }
    EXPECT_EQ(RunCli({"find", "en", "\xC3"}).status, 2); // not UTF-8
}

// Without --data the tool reads Morva.uzd beside itself: the sample dictionary of the build.
TEST(CliLookup, TheSampleDictionaryBesideTheTool)
{
    const auto info = RunCli({"info"});
    ASSERT_EQ(info.status, 0) << info.err;
    const auto english = std::stoi(info.out.substr(info.out.find("En ") + 3));
    EXPECT_GE(english, 300);
    EXPECT_EQ(RunCli({"headword", "en", std::to_string(std::stoi(RunCli({"find", "en", "book"}).out))}).out, "book\n");
}

} // namespace
} // namespace morva
