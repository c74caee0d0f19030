#include "engine/TextRules.h"
#include "text/CodePage1251.h"

#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

#include <random>

namespace morva {
namespace {

using test::Dict;

struct RuleCase {
    std::string input, expected;
};

TEST(TextRules, BlankText)
{
    EXPECT_TRUE(IsBlankText(""));
    EXPECT_TRUE(IsBlankText(" # ##  "));
    EXPECT_FALSE(IsBlankText(" # a"));
    EXPECT_FALSE(IsBlankText("\t")); // only spaces and "#" count, not every blank
}

TEST(TextRules, NormalizeEntryText)
{
    const std::string ellipsis = "\x85";
    const RuleCase cases[] = {
        {"  # #  ", ""},
        {"", ""},
        {"{1}abandon", "abandon"},
        {"a{b}c{d}", "ac"},
        {"a{b{c}d}e", "ae"},
        {"a}b", "ab"},
        {"a{b", ""},
        {"a{b{c}", ""},
        {"{1}a}b{2}{3}c{", ""},
        {"{1}a}b{2}{3}c", "abc"},
        {"a   (  b  <  c  )  >", "a (b <c)>"},
        {"( a  b )", "(a b)"},
        {"< a  >", "<a>"},
        {" \t abandon \x01", "abandon"},
        {Dict(u"см. abandon"), "=abandon"},
        {Dict(u"қаранг. abandon"), "=abandon"},
        {Dict(u"қ. abandon"), "=abandon"},
        {Dict(u"Қ. abandon"), "=abandon"},
        {Dict(u"от abandon"), "=abandon"},
        {Dict(u"от слово"), Dict(u"от слово")},
        {Dict(u"от a"), Dict(u"от a")}, // too short for a reference
        {Dict(u"abandonдан"), "=abandon"},
        {Dict(u"abandon-дан"), "=abandon"},
        {Dict(u"abandon дан"), "=abandon"},
        {Dict(u"12дан"), "=12"},
        {Dict(u"словодан"), Dict(u"словодан")},
        {"=abandon, 2", "=abandon"},
        {"=abandon 2", "=abandon"},
        {"=abandon,2", "=abandon"},
        {"=abandon II", "=abandon"},
        {"=abandon i", "=abandon"},
        {"=a II", "=a II"},
        {"=abandon IV", "=abandon IV"},
        {"abandon 2", "abandon 2"}, // numbers are dropped from references only
        {"= abandon", "=abandon"},
        {"* informal", "*informal"},
        {"wait...", "wait" + ellipsis},
        {"wait....", "wait" + ellipsis},
        {"wait.....", "wait" + ellipsis + "."},
        {"a......b", "a" + ellipsis + "..b"},
        {"a.......b", "a" + ellipsis + ellipsis + "b"},
        {"..", ".."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalizeEntryText(c.input), c.expected) << "input: " << c.input;
}

TEST(TextRules, MatchForm)
{
    const RuleCase cases[] = {
        {"abandon (smth) {1}", "abandon"},
        {"abandon) x", ""},
        {")abandon", "abandon"},
        {"))abandon (x)", "abandon"},
        {"abandon (a (b) c) d", "abandon d"},
        {"abandon (open", ""},
        {"a (1) b (2) c (3)", "a b c"},
        {"a (1) b) c (3)", ""},
        {"(to) give  up", "give up"},
        {Dict(u"см. abandon (v)"), "=abandon"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MatchForm(c.input), c.expected) << "input: " << c.input;
}

TEST(TextRules, TrimParentheticals)
{
    const RuleCase cases[] = {
        {Dict(u"(разг.) слово (в знач.) ещё"), Dict(u"слово (в знач.)")},
        {Dict(u"слово (kind of)"), Dict(u"слово")},
        {Dict(u"(а) (б) слово"), Dict(u"(б)")}, // a blank after a group ends the loop
        {Dict(u"(а)(б) слово"), Dict(u"слово")},
        {Dict(u"(разг. слово"), ""},
        {Dict(u"слово (в знач. ещё"), Dict(u"слово (в знач. ещё")},
        {Dict(u"слово (v ещё"), Dict(u"слово")},
        {"R&amp;D (x)", "R&amp;D"},
        {Dict(u"слово (&lt;)"), Dict(u"слово")}, // entity names read as Latin letters
        {"  plain  ", "plain"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TrimParentheticals(c.input), c.expected) << "input: " << c.input;
}

TEST(TextRules, ContainsWholeWord)
{
    struct Case {
        std::string word, phrase;
        bool expected;
    };
    const Case cases[] = {
        {"run", "to run away", true},
        {"run", "running", false},
        {"run", "RUN", true},
        {"run", "outrun", false},
        {"run", "run, run", true},
        {"run", "ru", false},
        {"-ness", "happiness", true},
        {"-ness", "nessy", false},
        {"un-", "unhappy", true},
        {"\x85" "ness", "happiness", true},
        {"-n", "fun", false},
        {"a", "a", false},
        {"--", "--", false},
        {Dict(u"сўз"), Dict(u"бу сўз, у"), true},
        {Dict(u"сўз"), Dict(u"сўзлар"), false},
        {"o", "o\x91q", false},
        {"o\x91q", "a o\x91q", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ContainsWholeWord(c.word, c.phrase), c.expected) << c.word << " in " << c.phrase;
}

// The plain definition: every start position, compared by CompareHeadwords.
bool ContainsWholeWordByScan(std::string word, std::string_view phrase)
{
    const auto open = [](char c) { return c == '-' || c == '\x85'; };
    if (word.size() < 2)
        return false;
    const bool left = open(word.front()), right = open(word.back());
    if (left)
        word.erase(0, 1);
    if (right && !word.empty())
        word.pop_back();
    for (std::size_t at = 0; word.size() >= 2 && at + word.size() <= phrase.size(); ++at) {
        const std::size_t after = at + word.size();
        if (CompareHeadwords(word, phrase.substr(at, word.size())) == 0 &&
            (left || at == 0 || WordSeparators[static_cast<unsigned char>(phrase[at - 1])]) &&
            (right || after == phrase.size() || WordSeparators[static_cast<unsigned char>(phrase[after])]))
            return true;
    }
    return false;
}

TEST(TextRules, ContainsWholeWordAgreesWithTheScan)
{
    // Few letters, so that words recur inside phrases at every kind of boundary.
    const std::string alphabet = "aAb -\x85";
    std::mt19937 random(7);
    const auto text = [&](std::size_t maxLength) {
        std::string t(random() % (maxLength + 1), ' ');
        for (char& c : t)
            c = alphabet[random() % alphabet.size()];
        return t;
    };
    for (int i = 0; i < 20000; ++i) {
        const std::string word = text(5), phrase = text(12);
        ASSERT_EQ(ContainsWholeWord(word, phrase), ContainsWholeWordByScan(word, phrase)) << word << " in " << phrase;
    }
}

TEST(TextRules, WordSeparatorsAreTheNonLetters)
{
    const std::pair<int, int> separatorRanges[] = {
        {0x00, 0x40}, {0x5B, 0x60}, {0x7B, 0x80}, {0x82, 0x82}, {0x84, 0x8C}, {0x8F, 0x9C},
        {0x9F, 0xA0}, {0xA3, 0xA7}, {0xA9, 0xB7}, {0xB9, 0xBF},
    };
    for (int b = 0; b < 256; ++b) {
        bool expected = false;
        for (auto [from, to] : separatorRanges)
            expected = expected || (b >= from && b <= to);
        EXPECT_EQ(WordSeparators[b], expected) << "byte " << b;
    }
}

} // namespace
} // namespace morva
