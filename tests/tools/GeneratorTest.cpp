#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/LinearSearch.h"
#include "tests/support/DictFiles.h"
#include "text/Utf8.h"
#include "tools/DictDecompiler.h"
#include "tools/DictGenerator.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace morva {
namespace {

TEST(Generator, SameSeedSameFileOfTheChosenSize)
{
    const std::size_t size = 200'000;
    const auto first = GenerateDictionary(5, size);
    EXPECT_LE(first.Image.size(), size);
    EXPECT_GE(first.Image.size(), size * 97 / 100);
    EXPECT_EQ(GenerateDictionary(5, size).Image, first.Image);
    EXPECT_NE(GenerateDictionary(6, size).Image, first.Image);

    // A larger dictionary only adds records: the size search relies on it.
    const DictSource small = GenerateSource(5, 100), large = GenerateSource(5, 200);
    ASSERT_LT(small.Senses.size(), large.Senses.size());
    for (std::size_t i = 0; i < small.Senses.size(); ++i)
        ASSERT_EQ(small.Senses[i].Record, large.Senses[i].Record);

    EXPECT_THROW(GenerateDictionary(5, 100), std::length_error);
}

// Generated files are the benchmarks' data: the file is what the compiler makes of the source
// written beside it, and it decompiles to a source that compiles back to the same file.
TEST(Generator, FilesRoundTripThroughTheirSources)
{
    for (auto [seed, size] : {std::pair<std::uint64_t, std::size_t>{7, 60'000}, {2024, 400'000}}) {
        const auto generated = GenerateDictionary(seed, size);
        DictSource written = ParseSource(FormatSource(generated.Source), "generated.txt");
        EXPECT_EQ(WriterFor(FormEntries(written)).Image(), generated.Image) << seed;

        auto bytes = AllocateByteBlock(generated.Image.size());
        std::copy(generated.Image.begin(), generated.Image.end(), bytes.get());
        const DictLists lists = ReadLists(DictImage(std::move(bytes), generated.Image.size()));
        const std::string decompiled = DecompileLists(lists);
        EXPECT_EQ(RoundTripFault(lists, decompiled), "") << seed;
        DictSource again = ParseSource(decompiled, "decompiled.txt");
        EXPECT_EQ(WriterFor(FormEntries(again)).Image(), generated.Image) << seed;
    }
}

// The size search lands just below the size asked for, from tiny files to large ones.
TEST(Generator, FilesComeOutJustBelowTheSizeAskedFor)
{
    for (std::size_t size : {20'000u, 150'000u, 1'500'000u}) {
        const auto generated = GenerateDictionary(11, size);
        EXPECT_LE(generated.Image.size(), size);
        EXPECT_GE(generated.Image.size(), size * 97 / 100) << size;
    }
}

TEST(Generator, WordsLookLikeTheirLanguages)
{
    const DictSource source = GenerateSource(9, 400);
    std::string uzbek, russian;
    bool note = false, reference = false, remark = false;
    for (const auto& s : source.Senses) {
        uzbek += DictTextToUtf8(s.Record.Uzbek) + " ";
        russian += DictTextToUtf8(s.Record.Russian) + " ";
        note = note || s.Record.Uzbek.starts_with("*");
        reference = reference || s.Record.Russian.starts_with("\xF1\xEC. "); // "см. "
        remark = remark || s.Record.English.find('(') != std::string::npos;
        EXPECT_FALSE(s.Record.Transcription.empty());
    }
    for (const char* letter : {"ў", "қ", "ғ", "ҳ"})
        EXPECT_NE(uzbek.find(letter), std::string::npos) << letter;
    EXPECT_NE(russian.find("ы"), std::string::npos);
    EXPECT_TRUE(note && reference && remark);
    bool phraseEntry = false;
    for (const auto& p : source.Phrases)
        phraseEntry = phraseEntry || p.IsEntry;
    EXPECT_TRUE(phraseEntry);
}

// Texts around every probed headword: itself, in capitals, typed halfway, past its end, and
// the ends of the order.
std::vector<std::string> Probes(const TUzDictionary& dict, std::int32_t wanted)
{
    std::vector<std::string> probes = {"", "!", "\xFF\xFF\xFF", "\x85"};
    const std::int32_t step = std::max(1, dict.Count() / wanted);
    for (std::int32_t i = 0; i < dict.Count(); i += step) {
        std::string h = dict.Headword(i);
        probes.push_back(h);
        probes.push_back(h.substr(0, h.size() / 2));
        probes.push_back(h + "a");
        for (auto& c : h)
            c = char(std::toupper(static_cast<unsigned char>(c)));
        probes.push_back(h);
    }
    return probes;
}

void ExpectSearchesAgreeWithScans(TUzDictionary& dict, std::int32_t wanted)
{
    for (Language l : {English, Uzbek, Russian}) {
        dict.SelectSourceLanguage(l);
        for (const auto& probe : Probes(dict, wanted)) {
            ASSERT_EQ(dict.NearestHeadword(probe), LinearNearestHeadword(dict, dict.SourceLanguage(), probe)) << int(l) << " " << probe;
            ASSERT_EQ(dict.FindHeadword(probe), LinearFindHeadword(dict, dict.SourceLanguage(), probe)) << int(l) << " " << probe;
        }
    }
}

TEST(Search, FastSearchesGiveWhatTheScansGive)
{
    for (std::size_t size : {20'000u, 300'000u, 2'000'000u}) {
        const auto generated = GenerateDictionary(1, size);
        TUzDictionary dict(test::WriteImage("search-" + std::to_string(size), generated.Image));
        ExpectSearchesAgreeWithScans(dict, 300);
    }
}

TEST(Search, EqualHeadwordsGiveTheFirst)
{
    TDictWriter writer;
    for (const char* word : {"apple", "Apple", "APPLE", "apples", "banana", "Banana"})
        writer.AddWordEntry(English, word, {}, {});
    writer.AddWordEntry(Uzbek, "olma", {}, {});
    writer.AddWordEntry(Russian, "yabloko", {}, {});
    TUzDictionary dict(test::WriteImage("equal-headwords", writer.Image()));
    EXPECT_EQ(dict.FindHeadword("APPLE"), 0);
    EXPECT_EQ(dict.NearestHeadword("BANANA"), 4);
    ExpectSearchesAgreeWithScans(dict, 10);
}

// A list out of order (which our writer never makes): the searches must fall back to the scan.
TEST(Search, UnsortedListFallsBackToTheScan)
{
    auto image = GenerateDictionary(2, 20'000).Image;
    const std::size_t list = ReadWord(image, HeaderListsWord + 4 * English);
    std::size_t count = 0;
    while (ReadWord(image, list + 4 * count) != 0)
        ++count;
    ASSERT_GT(count, 10u);
    // Swap the first entry with one from the middle, and the last with the second.
    for (auto [a, b] : {std::pair{std::size_t(0), count / 2}, {count - 1, std::size_t(1)}}) {
        const std::uint32_t first = ReadWord(image, list + 4 * a);
        WriteWord(image, list + 4 * a, ReadWord(image, list + 4 * b));
        WriteWord(image, list + 4 * b, first);
    }
    TUzDictionary dict(test::WriteImage("unsorted", image));
    ExpectSearchesAgreeWithScans(dict, 1000);

    // The probes where the scan's answer differs from what a binary search would give.
    const std::string moved = dict.Headword(0);
    EXPECT_EQ(dict.FindHeadword(moved), 0);
    EXPECT_EQ(dict.NearestHeadword(""), 0);
}

} // namespace
} // namespace morva
