#include "engine/KovrObj.h"

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/ExecutablePath.h"
#include "engine/FileFormat.h"
#include "engine/FileMapping.h"
#include "engine/LinearSearch.h"
#include "engine/Messages.h"

#include <cerrno>
#include <optional>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

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

// The data file, open for reading. Without O_NONBLOCK, opening a FIFO waits for a writer;
// and only a regular file has a size to trust and an end to reach: a pipe or a device could
// keep the program waiting, or reading, for ever.
class TOpenFile {
public:
    explicit TOpenFile(const std::filesystem::path& file)
        : fd_(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK))
    {
        if (fd_ < 0)
            throw EDictionaryError(messages::ReadFailed(std::strerror(errno)));
        if (fstat(fd_, &status_) != 0) {
            const int error = errno;
            ::close(fd_);
            throw EDictionaryError(messages::ReadFailed(std::strerror(error)));
        }
        if (!S_ISREG(status_.st_mode)) {
            ::close(fd_);
            throw EDictionaryError(messages::ReadFailed(std::strerror(S_ISDIR(status_.st_mode) ? EISDIR : ENOTSUP)));
        }
    }
    ~TOpenFile() { ::close(fd_); }
    TOpenFile(const TOpenFile&) = delete;
    TOpenFile& operator=(const TOpenFile&) = delete;

    int Fd() const { return fd_; }
    const struct stat& Status() const { return status_; }

private:
    int fd_;
    struct stat status_ {};
};

} // namespace

TUzDictionary::TUzDictionary() : TUzDictionary(ExecutableDir() / DataFileName) {}

TUzDictionary::TUzDictionary(const std::filesystem::path& file)
{
    Load(file);
}

void TUzDictionary::Load(const std::filesystem::path& file)
{
    {
        const TOpenFile open(file);
        const struct stat& st = open.Status();
        fileDate_ = BrokenDown(st.st_mtim.tv_sec, st.st_mtim.tv_nsec).value_or(Now());
        if (st.st_size < off_t(MinFileSize) || st.st_size > off_t(MaxFileSize))
            throw EDictionaryError(messages::BadFormat());
        // Mapped, not read: the checksum needs one pass over the stored bytes and a lookup
        // only the few it reads, so nothing is copied or unscrambled in advance.
        image_ = DictImage(TFileMapping(open.Fd(), std::size_t(st.st_size)));
    }
    Check();
}

TUzDictionary::TUzDictionary(std::vector<std::uint8_t> fileBytes)
{
    fileDate_ = Now();
    if (fileBytes.size() < MinFileSize || fileBytes.size() > MaxFileSize)
        throw EDictionaryError(messages::BadFormat());
    image_ = DictImage(std::move(fileBytes));
    Check();
}

void TUzDictionary::Check()
{
    if (image_.Word(HeaderLengthWord) != image_.Size())
        throw EDictionaryError(messages::LengthMismatch());
    const std::uint32_t checkWord = image_.Word(HeaderCheckWord);
    const std::uint8_t unscrambledXor = image_.XorOfUnscrambledBytes();
    image_.ClearCheckWord();
    // The check word's bytes count as zeros.
    const std::uint8_t withoutCheckWord =
        unscrambledXor ^ std::uint8_t(checkWord ^ checkWord >> 8 ^ checkWord >> 16 ^ checkWord >> 24);
    if ((checkWord ^ CrcTable[withoutCheckWord]) != FileCheckValue)
        throw EDictionaryError(messages::ChecksumMismatch());

    // Selecting the current language is a no-op, so start from English and end there:
    // each list is really counted.
    for (Language language : {Russian, Uzbek, English}) {
        SelectSourceLanguage(language);
        if (count_ == 0)
            throw EDictionaryError(messages::NoWords());
    }
    targetLanguage_ = Uzbek;
}

void TUzDictionary::SelectSourceLanguage(Language language)
{
    if (language == sourceLanguage_)
        return;
    sourceLanguage_ = language;
    currentList_ = image_.Word(HeaderListsWord + 4 * std::size_t(language));
    count_ = std::int32_t(image_.WordsBeforeZero(currentList_));
}

std::uint32_t TUzDictionary::EntryOffset(std::int32_t index) const
{
    if (index < 0 || index >= count_)
        throw EDictionaryError(messages::NoSuchIndex(index));
    return image_.Word(currentList_ + 4 * std::size_t(index));
}

std::string_view TUzDictionary::HeadwordView(std::int32_t index) const
{
    return image_.Text(image_.Word(EntryOffset(index) + 4));
}

std::string TUzDictionary::Headword(std::int32_t index) const
{
    return std::string(HeadwordView(index));
}

bool TUzDictionary::CurrentListIsSorted() const
{
    auto& known = listSorted_[sourceLanguage_];
    if (!known) {
        // An unreadable headword is left for the scan to meet, where the scan would meet it.
        try {
            bool sorted = true;
            std::uint32_t previous = count_ > 0 ? image_.Word(EntryOffset(0) + 4) : 0;
            for (std::int32_t i = 1; i < count_ && sorted; ++i) {
                const std::uint32_t next = image_.Word(EntryOffset(i) + 4);
                sorted = image_.CompareTexts(previous, next) <= 0;
                previous = next;
            }
            known = sorted;
        } catch (const EDictionaryError&) {
            known = false;
        }
    }
    return *known;
}

std::int32_t TUzDictionary::NearestHeadword(std::string_view text) const
{
    if (!CurrentListIsSorted())
        return LinearNearestHeadword(*this, text);
    std::int32_t low = 0, high = count_;
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (CompareHeadwords(HeadwordView(middle), text) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    return low < count_ ? low : -1;
}

std::int32_t TUzDictionary::FindHeadword(std::string_view text) const
{
    if (!CurrentListIsSorted())
        return LinearFindHeadword(*this, text);
    const std::int32_t nearest = NearestHeadword(text);
    return nearest >= 0 && CompareHeadwords(text, HeadwordView(nearest)) == 0 ? nearest : -1;
}

std::string TUzDictionary::CardCaption() const
{
    return "So\x91z tarjimasi (" + std::string(LanguageTags[sourceLanguage_]) + "-" +
           std::string(LanguageTags[targetLanguage_]) + ")";
}

} // namespace morva
