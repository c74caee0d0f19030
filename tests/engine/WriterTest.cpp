#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

namespace morva {
namespace {

TEST(Writer, SharesEqualTextsAndRecords)
{
    const auto sense = test::Sense("book", "kitob", "kniga");
    TDictWriter once, twice;
    once.AddWordEntry(English, "book", {sense}, {});
    twice.AddWordEntry(English, "book", {sense, sense}, {});
    for (auto* w : {&once, &twice}) {
        w->AddWordEntry(Uzbek, "kitob", {}, {});
        w->AddWordEntry(Russian, "kniga", {}, {});
    }
    // The second use of the record costs one word in the entry, nothing more.
    EXPECT_EQ(twice.Image().size(), once.Image().size() + 4);
}

TEST(Writer, ImagesPassEveryCheckAndSortStably)
{
    TDictWriter writer;
    for (const char* word : {"cat", "Apple", "apple", "APPLE", "bee"})
        writer.AddWordEntry(English, word, {}, {});
    writer.AddWordEntry(Uzbek, "u", {}, {});
    writer.AddPhraseEntry(Russian, "r s", {"e", "u", "r s"});
    const auto image = writer.Image();
    EXPECT_EQ(ReadWord(image, HeaderLengthWord), image.size());
    auto zeroed = image;
    WriteWord(zeroed, HeaderCheckWord, 0);
    EXPECT_EQ(ChecksumOf(zeroed) ^ ReadWord(image, HeaderCheckWord), FileCheckValue);
    TUzDictionary dict(test::WriteBytes("stable", writer.FileBytes()));
    const char* expected[] = {"Apple", "apple", "APPLE", "bee", "cat"};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(dict.Headword(i), expected[i]);
}

} // namespace
} // namespace morva
