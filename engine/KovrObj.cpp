#include "engine/KovrObj.h"

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/ExecutablePath.h"
#include "engine/FileFormat.h"
#include "engine/LinearSearch.h"
#include "engine/Messages.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

std::string SystemErrorText(int error)
{
    // A short read sets no error; say what happened in the system's words for it.
    return error == 0 ? "Reached the end of the file" : std::strerror(error);
}

std::optional<TSystemTime> BrokenDown(std::time_t seconds, long nanoseconds)
{
    std::tm local{};
    if (!localtime_r(&seconds, &local))
        return std::nullopt;
    TSystemTime t;
    t.Year = std::uint16_t(local.tm_year + 1900);
    t.Month = std::uint16_t(local.tm_mon + 1);
    t.DayOfWeek = std::uint16_t(local.tm_wday);
    t.Day = std::uint16_t(local.tm_mday);
    t.Hour = std::uint16_t(local.tm_hour);
    t.Minute = std::uint16_t(local.tm_min);
    t.Second = std::uint16_t(local.tm_sec);
    t.Milliseconds = std::uint16_t(nanoseconds / 1'000'000);
    return t;
}

TSystemTime Now()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return BrokenDown(now.tv_sec, now.tv_nsec).value_or(TSystemTime{});
}

class FileCloser {
public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() { ::close(fd_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int fd_;
};

// Only a regular file has a size to trust and an end to reach: a pipe or a device could keep
// the program waiting, or reading, for ever.
void RequireRegularFile(const struct stat& st)
{
    if (!S_ISREG(st.st_mode))
        throw EDictionaryError(messages::ReadFailed(std::strerror(S_ISDIR(st.st_mode) ? EISDIR : ENOTSUP)));
}

// Reads the whole file straight into its block and unscrambles each piece while it is still
// in the cache; returns the XOR of the unscrambled bytes. The size is known, so a short read
// is a failure.
std::uint8_t ReadAndUnscramble(int fd, std::span<std::uint8_t> into)
{
    constexpr std::size_t Piece = std::size_t(256) << 10;
    std::uint8_t sum = 0;
    errno = 0;
    for (std::size_t done = 0; done < into.size();) {
        const ssize_t got = ::read(fd, into.data() + done, std::min(Piece, into.size() - done));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            throw EDictionaryError(messages::ReadFailed(SystemErrorText(errno)));
        sum ^= ScrambleAt(into.subspan(done, std::size_t(got)), done);
        done += std::size_t(got);
    }
    return sum;
}

} // namespace

TUzDictionary::TUzDictionary() : TUzDictionary(ExecutableDir() / DataFileName) {}

TUzDictionary::TUzDictionary(const std::filesystem::path& file)
{
    Load(file);
}

void TUzDictionary::Load(const std::filesystem::path& file)
{
    // Without O_NONBLOCK, opening a FIFO waits for a writer.
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        throw EDictionaryError(messages::ReadFailed(SystemErrorText(errno)));
    std::uint8_t sum = 0;
    {
        FileCloser closer(fd);
        struct stat st {};
        if (fstat(fd, &st) != 0)
            throw EDictionaryError(messages::ReadFailed(SystemErrorText(errno)));
        RequireRegularFile(st);
        fileDate_ = BrokenDown(st.st_mtim.tv_sec, st.st_mtim.tv_nsec).value_or(Now());
        if (st.st_size < off_t(MinFileSize) || st.st_size > off_t(MaxFileSize))
            throw EDictionaryError(messages::BadFormat());
        const auto size = std::size_t(st.st_size);
        auto bytes = AllocateByteBlock(size);
        sum = ReadAndUnscramble(fd, {bytes.get(), size});
        image_ = DictImage(std::move(bytes), size);
    }
    Check(sum);
}

TUzDictionary::TUzDictionary(std::vector<std::uint8_t> fileBytes)
{
    fileDate_ = Now();
    if (fileBytes.size() < MinFileSize || fileBytes.size() > MaxFileSize)
        throw EDictionaryError(messages::BadFormat());
    auto bytes = AllocateByteBlock(fileBytes.size());
    std::copy(fileBytes.begin(), fileBytes.end(), bytes.get());
    image_ = DictImage(std::move(bytes), fileBytes.size());
    Check(ScrambleAt(image_.Bytes(), 0));
}

void TUzDictionary::Check(std::uint8_t unscrambledXor)
{
    if (image_.Word(HeaderLengthWord) != image_.Size())
        throw EDictionaryError(messages::LengthMismatch());
    const std::uint32_t checkWord = image_.Word(HeaderCheckWord);
    WriteWord(image_.Bytes(), HeaderCheckWord, 0);
    // The check word's bytes count as zeros.
    const std::uint8_t withoutCheckWord =
        unscrambledXor ^ std::uint8_t(checkWord ^ checkWord >> 8 ^ checkWord >> 16 ^ checkWord >> 24);
    if ((checkWord ^ CrcTable[withoutCheckWord]) != FileCheckValue)
        throw EDictionaryError(messages::ChecksumMismatch());

    // Every list is counted once here; the file never changes afterwards.
    for (Language language : {Russian, Uzbek, English}) {
        WordList& list = lists_[language];
        list.Offset = image_.Word(HeaderListsWord + 4 * std::size_t(language));
        while (image_.Word(list.Offset + 4 * std::size_t(list.Count)) != 0)
            ++list.Count;
        if (list.Count == 0)
            throw EDictionaryError(messages::NoWords());
    }
    sourceLanguage_ = English;
    targetLanguage_ = Uzbek;
}

std::uint32_t TUzDictionary::EntryOffset(Language list, std::int32_t index) const
{
    const WordList& words = lists_[list];
    if (index < 0 || index >= words.Count)
        throw EDictionaryError(messages::NoSuchIndex(index));
    return image_.Word(words.Offset + 4 * std::size_t(index));
}

std::string_view TUzDictionary::HeadwordView(Language list, std::int32_t index) const
{
    return image_.Text(image_.Word(EntryOffset(list, index) + 4));
}

std::string TUzDictionary::Headword(Language list, std::int32_t index) const
{
    return std::string(HeadwordView(list, index));
}

bool TUzDictionary::ListIsSorted(Language list) const
{
    auto& known = listSorted_[list];
    if (!known) {
        // An unreadable headword is left for the scan to meet, where the scan would meet it.
        try {
            const std::int32_t count = Count(list);
            bool sorted = true;
            std::string_view previous = count > 0 ? HeadwordView(list, 0) : std::string_view();
            for (std::int32_t i = 1; i < count && sorted; ++i) {
                const std::string_view next = HeadwordView(list, i);
                sorted = CompareHeadwords(previous, next) <= 0;
                previous = next;
            }
            known = sorted;
        } catch (const EDictionaryError&) {
            known = false;
        }
    }
    return *known;
}

std::int32_t TUzDictionary::NearestHeadword(Language list, std::string_view text) const
{
    if (!ListIsSorted(list))
        return LinearNearestHeadword(*this, list, text);
    const std::int32_t count = Count(list);
    std::int32_t low = 0, high = count;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (CompareHeadwords(HeadwordView(list, middle), text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low < count ? low : -1;
}

std::int32_t TUzDictionary::FindHeadword(Language list, std::string_view text) const
{
    if (!ListIsSorted(list))
        return LinearFindHeadword(*this, list, text);
    const std::int32_t nearest = NearestHeadword(list, text);
    return nearest >= 0 && CompareHeadwords(text, HeadwordView(list, nearest)) == 0 ? nearest : -1;
}

std::string TUzDictionary::CardCaption(LanguagePair pair)
{
    return "So\x91z tarjimasi (" + std::string(LanguageTags[pair.Source]) + "-" +
           std::string(LanguageTags[pair.Target]) + ")";
}

} // namespace morva
