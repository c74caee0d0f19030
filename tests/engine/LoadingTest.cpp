#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "engine/Messages.h"
#include "tests/support/DictFiles.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/time.h>

namespace morva {
namespace {

using test::SmallDictionary;
using test::WriteBytes;
using test::WriteImage;

std::string LoadError(const std::filesystem::path& path)
{
    try {
        TUzDictionary dict(path);
    } catch (const EDictionaryError& e) {
        return e.what();
    }
    return "loaded";
}

TEST(Loading, ASoundFileStartsEnglishToUzbek)
{
    TUzDictionary dict(WriteBytes("sound", SmallDictionary().FileBytes()));
    EXPECT_EQ(dict.SourceLanguage(), English);
    EXPECT_EQ(dict.TargetLanguage(), Uzbek);
    EXPECT_EQ(dict.Count(), 2);
    EXPECT_EQ(dict.Headword(0), "apple");
    EXPECT_EQ(dict.Headword(1), "book");
}

TEST(Loading, AMissingFileGivesTheReadMessageWithTheSystemText)
{
    auto path = test::FreshFolder("missing") / "Morva.uzd";
    EXPECT_EQ(LoadError(path), messages::ReadFailed("No such file or directory"));
    EXPECT_EQ(messages::ReadFailed("No such file or directory"),
              "Lug‘at fayli o‘qilayotganda xato hosil bo‘ldi.\r\nNo such file or directory.");
}

TEST(Loading, AFolderInPlaceOfTheFileGivesTheReadMessage)
{
    auto folder = test::FreshFolder("folder") / "Morva.uzd";
    std::filesystem::create_directory(folder);
    EXPECT_EQ(LoadError(folder).rfind(messages::ReadFailed("").substr(0, 20), 0), 0u);
}

// Anything but a regular file is refused at once with the read message: a FIFO would keep the
// load waiting for a writer, a device would feed it for ever.
TEST(Loading, OnlyARegularFileIsRead)
{
    const auto folder = test::FreshFolder("not-regular");
    const auto fifo = folder / "fifo.uzd";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const struct {
        std::filesystem::path path;
        const char* reason;
    } cases[] = {
        {fifo, "Operation not supported"},
        {"/dev/zero", "Operation not supported"},
        {"/dev/null", "Operation not supported"},
        {folder, "Is a directory"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LoadError(c.path), messages::ReadFailed(c.reason)) << c.path;
}

// The load's checksum is the table's sum, worked out from the XOR of the bytes; it must give
// what the plain sum over every byte gives, for every length and content.
TEST(Loading, FastChecksumIsThePlainSum)
{
    std::uint32_t seed = 12345;
    for (std::size_t length : {0u, 1u, 7u, 8u, 9u, 189u, 190u, 12096u, 12097u, 100'000u}) {
        std::vector<std::uint8_t> bytes(length);
        for (auto& b : bytes)
            b = std::uint8_t((seed = seed * 1103515245u + 12345u) >> 16);
        std::uint32_t plain = 0;
        for (auto b : bytes)
            plain ^= CrcTable[b];
        EXPECT_EQ(ChecksumOf(bytes), plain) << length;

        // Scrambling from any position of the key, and back.
        auto scrambled = bytes;
        for (std::size_t at = 0; at < length; ++at)
            scrambled[at] ^= ScrambleKey[(at + 5) % ScrambleKeyLength];
        auto restored = scrambled;
        EXPECT_EQ(ScrambleAt(restored, 5), XorOfBytes(bytes)) << length;
        EXPECT_EQ(restored, bytes) << length;
    }
}

TEST(Loading, SizeLimits)
{
    EXPECT_EQ(LoadError(WriteBytes("23", std::vector<std::uint8_t>(23))), messages::BadFormat());
    // 24 bytes pass the size check and fail later, on the length word.
    EXPECT_EQ(LoadError(WriteBytes("24", std::vector<std::uint8_t>(24))), messages::LengthMismatch());
    EXPECT_EQ(LoadError(WriteBytes("empty", {})), messages::BadFormat());
}

TEST(Loading, DamageIsFoundInTheSpecifiedOrder)
{
    const auto image = SmallDictionary().Image();

    auto appended = ScrambledCopy(image);
    appended.push_back(0);
    EXPECT_EQ(LoadError(WriteBytes("appended", appended)), messages::LengthMismatch());

    auto changed = ScrambledCopy(image);
    changed[image.size() - 2] ^= 0x40;
    EXPECT_EQ(LoadError(WriteBytes("changed", changed)), messages::ChecksumMismatch());

    // A wrong length word is reported even when the checksum would be right.
    auto wrongLength = image;
    WriteWord(wrongLength, HeaderLengthWord, std::uint32_t(image.size() + 1));
    EXPECT_EQ(LoadError(WriteImage("length", wrongLength)), messages::LengthMismatch());
}

TEST(Loading, EachEmptyListIsReported)
{
    for (Language empty : {English, Uzbek, Russian}) {
        TDictWriter writer;
        for (Language l : {English, Uzbek, Russian})
            if (l != empty)
                writer.AddWordEntry(l, "word", {}, {});
        EXPECT_EQ(LoadError(WriteBytes("empty-list", writer.FileBytes())), messages::NoWords()) << int(empty);
    }
}

TEST(Loading, ChecksumIgnoresByteOrder)
{
    std::vector<std::uint8_t> bytes = {1, 2, 3, 200, 0, 7};
    const auto sum = ChecksumOf(bytes);
    std::swap(bytes[0], bytes[3]);
    EXPECT_EQ(ChecksumOf(bytes), sum);
    bytes.push_back(0);
    EXPECT_EQ(ChecksumOf(bytes), sum);
    EXPECT_EQ(CrcTable[0], 0u);
    EXPECT_EQ(CrcTable[1], 0x77073096u);
}

TEST(Loading, FileDateIsTheLastWriteInLocalTime)
{
    auto path = WriteBytes("dated", SmallDictionary().FileBytes());
    std::tm when{};
    when.tm_year = 2005 - 1900;
    when.tm_mon = 5;
    when.tm_mday = 14;
    when.tm_hour = 10;
    when.tm_min = 20;
    when.tm_sec = 30;
    when.tm_isdst = -1;
    const timeval times[2] = {{std::mktime(&when), 0}, {std::mktime(&when), 250000}};
    ASSERT_EQ(utimes(path.c_str(), times), 0);
    const auto date = TUzDictionary(path).FileDate();
    EXPECT_EQ(date.Year, 2005);
    EXPECT_EQ(date.Month, 6);
    EXPECT_EQ(date.Day, 14);
    EXPECT_EQ(date.DayOfWeek, 2); // a Tuesday
    EXPECT_EQ(date.Hour, 10);
    EXPECT_EQ(date.Minute, 20);
    EXPECT_EQ(date.Second, 30);
    EXPECT_EQ(date.Milliseconds, 250);
}

// Offsets in the file are never trusted: whatever points outside it gives the format message.
TEST(Loading, OffsetsOutsideTheFileGiveTheFormatMessage)
{
    const auto image = SmallDictionary().Image();
    const std::uint32_t englishList = ReadWord(image, HeaderListsWord);
    const std::uint32_t firstEntry = ReadWord(image, englishList);

    auto listOutside = image;
    WriteWord(listOutside, HeaderListsWord + 4 * Russian, std::uint32_t(image.size() - 2));
    EXPECT_EQ(LoadError(WriteImage("list", listOutside)), messages::BadFormat());

    auto entryOutside = image;
    WriteWord(entryOutside, englishList, 0xFFFFFFF0u);
    TUzDictionary entryDict(WriteImage("entry", entryOutside));
    EXPECT_THROW(
        {
            try {
                entryDict.Headword(0);
            } catch (const EDictionaryError& e) {
                EXPECT_EQ(std::string(e.what()), messages::BadFormat());
                throw;
            }
        },
        EDictionaryError);
    EXPECT_EQ(entryDict.Headword(1), "book");

    // A headword whose text runs to the end of the file without its terminating zero.
    auto unterminated = image;
    unterminated.back() = 'x';
    WriteWord(unterminated, firstEntry + 4, std::uint32_t(image.size() - 1));
    TUzDictionary textDict(WriteImage("text", unterminated));
    EXPECT_THROW(textDict.Headword(0), EDictionaryError);
}

} // namespace
} // namespace morva
