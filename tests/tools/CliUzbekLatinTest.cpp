// morva-cli find, nearest and lookup take Latin Uzbek for the Uzbek list, as the search field does.

#include "tests/support/CliRunner.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

using test::Dict;
using test::RunCli;

TEST(CliUzbekLatin, LatinFindsTheCyrillicHeadword)
{
    TDictWriter writer;
    // In list order: ер Исҳоқ йўл китоб тоғ шаҳар эшик ўғил қўл.
    for (const auto* word : {u"ер", u"Исҳоқ", u"йўл", u"китоб", u"тоғ", u"шаҳар", u"эшик", u"ўғил", u"қўл"})
        writer.AddWordEntry(Uzbek, Dict(word), {test::Sense("", Dict(word), Dict(u"слово"))}, {});
    writer.AddWordEntry(English, "shahar", {}, {});
    writer.AddWordEntry(Russian, Dict(u"слово"), {}, {});
    const std::string data = test::WriteBytes("cli-uzbek-latin", writer.FileBytes()).string();

    struct Case {
        std::vector<std::string> args;
        std::string out;
    };
    const Case cases[] = {
        {{"find", "uz", "yer"}, "0\n"},
        {{"find", "uz", "Is'hoq"}, "1\n"},
        {{"find", "uz", "yo‘l"}, "2\n"},
        {{"find", "uz", "kitob"}, "3\n"},
        {{"find", "uz", "tog`"}, "4\n"},
        {{"find", "uz", "SHAHAR"}, "5\n"},
        {{"find", "uz", "eshik"}, "6\n"},
        {{"find", "uz", "o'g'il"}, "7\n"},
        {{"find", "uz", "qoʻl"}, "8\n"},
        {{"find", "uz", "китоб"}, "3\n"},
        {{"nearest", "uz", "kit"}, "3\n"},
        {{"nearest", "uz", "o‘"}, "7\n"},
        {{"nearest", "uz", "şa"}, "5\n"},
        // Other lists take the text as it is.
        {{"find", "en", "shahar"}, "0\n"},
        {{"find", "ru", "slovo"}, "-1\n"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.begin(), {"--data", data});
        const auto outcome = RunCli(args);
        EXPECT_EQ(outcome.status, 0) << c.args[2] << ": " << outcome.err;
        EXPECT_EQ(outcome.out, c.out) << c.args[2];
    }

    const auto lookup = RunCli({"--data", data, "lookup", "uz", "ru", "o'g'il"});
    EXPECT_EQ(lookup.status, 0) << lookup.err;
    EXPECT_EQ(lookup.out.substr(0, lookup.out.find('\n')), "ўғил");
}

} // namespace
} // namespace morva
