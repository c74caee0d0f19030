// An image made from the stored, scrambled bytes is unscrambled only where it is read. Every
// read must give what the same read of the image unscrambled in advance gives: each value,
// each text and each failure, before and after the blocks it touches are unscrambled.

#include "engine/Collation.h"
#include "engine/DictImage.h"
#include "engine/DictWriter.h"
#include "engine/DictionaryError.h"
#include "engine/FileFormat.h"
#include "tests/support/DictFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace morva {
namespace {

using test::Dict;

template <class Read>
std::string Outcome(Read read)
{
    try {
        if constexpr (std::is_same_v<decltype(read()), std::string_view>)
            return "text " + std::string(read());
        else
            return "value " + std::to_string(read());
    } catch (const EDictionaryError& e) {
        return std::string("error ") + e.what();
    }
}

// Texts of every kind a comparison meets: equal weights from different bytes, prefixes, runs of
// eight equal bytes and more, Cyrillic, and one text longer than a block of the lazy image (a
// pattern, so that most comparisons inside it end early).
std::vector<std::uint8_t> MixedImage()
{
    TDictWriter writer;
    const std::string headwords[] = {"a",        "A",         "ab",       "abcdefg",  "abcdefgh", "abcdefghi",
                                     "ABCDEFGHI", "abcdefghij", "abcdefgz", "b",        "zz",       "\xA3\xA4",
                                     "\xA4\xA3",  Dict(u"қишлоқ"), Dict(u"Қишлоқ"), Dict(u"ўғил")};
    for (const auto& h : headwords)
        writer.AddWordEntry(English, h, {test::Sense(h + " sense", "uz", "ru")}, {});
    std::string longText;
    while (longText.size() < 5000)
        longText += "abcdefghijklmnopqrstuvwxyz0123456789";
    writer.AddWordEntry(Uzbek, longText, {test::Sense("long", "uz", "ru")}, {});
    writer.AddWordEntry(Russian, Dict(u"книга"), {}, {{"book", "kitob", Dict(u"книга")}});
    return writer.Image();
}

DictImage Plain(std::vector<std::uint8_t> image)
{
    WriteWord(image, HeaderCheckWord, 0);
    auto bytes = AllocateByteBlock(image.size());
    std::copy(image.begin(), image.end(), bytes.get());
    return DictImage(std::move(bytes), image.size());
}

DictImage Lazy(const std::vector<std::uint8_t>& image)
{
    DictImage lazy(ScrambledCopy(image));
    lazy.ClearCheckWord();
    return lazy;
}

// Offsets to compare texts at: the header, both ends, the first block boundary, and a spread.
std::vector<std::size_t> TextOffsets(std::size_t size)
{
    std::vector<std::size_t> offsets;
    for (std::size_t at = 0; at <= size + 2; ++at)
        if (at < 16 || at + 16 > size || (at > 4080 && at < 4112) || at % 37 == 0)
            offsets.push_back(at);
    return offsets;
}

TEST(Image, ReadsWhileUnscramblingMatchReadsOfTheUnscrambledImage)
{
    const auto mixed = MixedImage();
    auto unterminated = mixed;
    unterminated.back() = 'x';
    // A zero word as the last four bytes, met after an odd or an even number of words.
    auto zeroWordLast = mixed;
    zeroWordLast.insert(zeroWordLast.end(), {0, 0, 0, 0});
    for (const auto& image : {mixed, unterminated, zeroWordLast}) {
        const DictImage plain = Plain(image);
        const DictImage lazy = Lazy(image);
        ASSERT_EQ(lazy.Size(), image.size());
        const auto offsets = TextOffsets(image.size());
        const auto compareWords = [&](const char* when) {
            for (std::size_t at = 0; at <= image.size() + 4; ++at)
                ASSERT_EQ(Outcome([&] { return lazy.Word(at); }), Outcome([&] { return plain.Word(at); }))
                    << when << " at " << at;
            for (std::size_t at : offsets)
                ASSERT_EQ(Outcome([&] { return lazy.WordsBeforeZero(at); }),
                          Outcome([&] { return plain.WordsBeforeZero(at); }))
                    << when << " at " << at;
        };
        compareWords("before the texts");
        for (std::size_t at = 0; at <= image.size(); ++at)
            ASSERT_EQ(Outcome([&] { return lazy.Text(at); }), Outcome([&] { return plain.Text(at); })) << at;
        compareWords("after the texts");

        for (std::size_t a : offsets)
            for (std::size_t b : offsets) {
                const std::string expected =
                    Outcome([&] { return CompareHeadwords(plain.Text(a), plain.Text(b)); });
                ASSERT_EQ(Outcome([&] { return lazy.CompareTexts(a, b); }), expected) << a << " " << b;
                ASSERT_EQ(Outcome([&] { return plain.CompareTexts(a, b); }), expected) << a << " " << b;
            }
    }
}

std::vector<std::uint8_t> RandomBytes(std::size_t length)
{
    std::uint32_t seed = 777;
    std::vector<std::uint8_t> bytes(length);
    for (auto& b : bytes)
        b = std::uint8_t((seed = seed * 1103515245u + 12345u) >> 16);
    return bytes;
}

// The checksum pass works on the stored bytes and corrects for the key: for every length
// around the key's period, in memory and from a mapped file of more than one pass window.
TEST(Image, XorOfUnscrambledBytesIsWorkedOutFromTheStoredBytes)
{
    for (std::size_t length : {1u, 188u, 189u, 190u, 377u, 378u, 379u, 100'000u}) {
        const auto unscrambled = RandomBytes(length);
        EXPECT_EQ(DictImage(ScrambledCopy(unscrambled)).XorOfUnscrambledBytes(), XorOfBytes(unscrambled)) << length;
    }

    const auto unscrambled = RandomBytes((std::size_t(2) << 20) * 2 + 5);
    const auto path = test::WriteBytes("mapped", ScrambledCopy(unscrambled));
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const DictImage mapped(TFileMapping(fd, unscrambled.size()));
    ::close(fd);
    EXPECT_EQ(mapped.XorOfUnscrambledBytes(), XorOfBytes(unscrambled));
    // The pass gives the pages back; reading them again brings back the same bytes.
    EXPECT_EQ(mapped.Word(unscrambled.size() - 4), ReadWord(unscrambled, unscrambled.size() - 4));
    EXPECT_EQ(mapped.Word(4096), ReadWord(unscrambled, 4096));
}

// Giving back a mapped file's pages after reads leaves every later read as it was, words
// read from the mapping and texts already unscrambled alike.
TEST(Image, ReadsAfterTheMappedPagesAreGivenBackAreUnchanged)
{
    auto unscrambled = RandomBytes((std::size_t(2) << 20) + 5);
    const std::string text = "kitob";
    std::copy(text.begin(), text.end(), unscrambled.begin() + 8192);
    unscrambled[8192 + text.size()] = 0;
    const auto path = test::WriteBytes("released", ScrambledCopy(unscrambled));
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_GE(fd, 0);
    const DictImage mapped(TFileMapping(fd, unscrambled.size()));
    ::close(fd);
    ASSERT_EQ(mapped.Text(8192), text);
    for (std::size_t at : {std::size_t(4096), unscrambled.size() - 4})
        ASSERT_EQ(mapped.Word(at), ReadWord(unscrambled, at)) << at;
    mapped.ReleaseMappedPages();
    EXPECT_EQ(mapped.Text(8192), text);
    for (std::size_t at : {std::size_t(4096), std::size_t(1) << 20, unscrambled.size() - 4})
        EXPECT_EQ(mapped.Word(at), ReadWord(unscrambled, at)) << at;
    // An image in memory has nothing mapped to give back.
    const DictImage copy(ScrambledCopy(unscrambled));
    copy.ReleaseMappedPages();
    EXPECT_EQ(copy.Word(4096), ReadWord(unscrambled, 4096));
}

} // namespace
} // namespace morva
