#include "engine/KovrObj.h"

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/ExecutablePath.h"
#include "engine/FileAccess.h"
#include "engine/FileFormat.h"
#include "engine/FileMapping.h"
#include "engine/LinearSearch.h"
#include "engine/Messages.h"

#include <cerrno>
#include <optional>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

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

// The system's words for why the data file cannot be read. Only a regular file has a size to
// trust and an end to reach: a pipe or a device could keep the program waiting for ever.
std::string ReadFailure(const EFileAccess& failure)
{
    switch (failure.Fault()) {
    case TFileFault::Folder: return std::strerror(EISDIR);
    case TFileFault::NotRegular: return std::strerror(ENOTSUP);
    default: return std::strerror(failure.Error());
    }
}

} // namespace

TUzDictionary::TUzDictionary() : TUzDictionary(ExecutableDir() / DataFileName) {}

TUzDictionary::TUzDictionary(const std::filesystem::path& file)
{
    Load(file);
}

void TUzDictionary::Load(const std::filesystem::path& file)
{
    try {
        const TReadableFile open(file, TLinks::Follow);
        const struct stat& st = open.Status();
        fileDate_ = BrokenDown(st.st_mtim.tv_sec, st.st_mtim.tv_nsec).value_or(Now());
        if (st.st_size < off_t(MinFileSize) || st.st_size > off_t(MaxFileSize))
            throw EDictionaryError(messages::BadFormat());
        // Mapped, not read: the checksum needs one pass over the stored bytes and a lookup
        // only the few it reads, so nothing is copied or unscrambled in advance.
        image_ = DictImage(TFileMapping(open.Descriptor(), std::size_t(st.st_size)));
    } catch (const EFileAccess& failure) {
        throw EDictionaryError(messages::ReadFailed(ReadFailure(failure)));
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

    // Every list is counted once here; the file never changes afterwards.
    for (Language language : {Russian, Uzbek, English}) {
        WordList& list = lists_[language];
        list.Offset = image_.Word(HeaderListsWord + 4 * std::size_t(language));
        list.Count = std::int32_t(image_.WordsBeforeZero(list.Offset));
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

bool TUzDictionary::InOrderBefore(Language list, std::int32_t end) const
{
    ListOrder& order = order_[list];
    if (order.Ordered.load(std::memory_order_acquire) >= end)
        return true;
    const std::lock_guard lock(order.Checking);
    std::int32_t ordered = order.Ordered.load(std::memory_order_relaxed);
    // An unreadable headword is left for the scan to meet, where the scan would meet it.
    try {
        if (ordered == 0 && !order.Broken) {
            order.LastText = image_.Word(EntryOffset(list, 0) + 4);
            ordered = 1;
        }
        while (ordered < end && !order.Broken) {
            const std::uint32_t next = image_.Word(EntryOffset(list, ordered) + 4);
            order.Broken = image_.CompareTexts(order.LastText, next) > 0;
            if (!order.Broken) {
                order.LastText = next;
                ++ordered;
            }
        }
    } catch (const EDictionaryError&) {
        order.Broken = true;
    }
    order.Ordered.store(ordered, std::memory_order_release);
    return ordered >= end;
}

std::int32_t TUzDictionary::HalvingSearch(Language list, std::string_view text) const
{
    std::int32_t low = 0, high = Count(list);
    try {
        while (low < high) {
            const std::int32_t middle = low + (high - low) / 2;
            if (CompareHeadwords(HeadwordView(list, middle), text) < 0)
                low = middle + 1;
            else
                high = middle;
        }
    } catch (const EDictionaryError&) {
        return -1;
    }
    return low;
}

std::int32_t TUzDictionary::NearestHeadword(Language list, std::string_view text) const
{
    // Every headword before the landing sorts below the text, and the landing does not: if
    // those before it are in order, it is the first that does not, as a scan would find.
    const std::int32_t landing = HalvingSearch(list, text);
    if (landing < 0 || !InOrderBefore(list, landing))
        return LinearNearestHeadword(*this, list, text);
    return landing < Count(list) ? landing : -1;
}

std::int32_t TUzDictionary::FindHeadword(Language list, std::string_view text) const
{
    const std::int32_t nearest = NearestHeadword(list, text);
    if (nearest >= 0 && CompareHeadwords(text, HeadwordView(list, nearest)) == 0)
        return nearest;
    // A miss is sure only when no later headword is out of place.
    return InOrderBefore(list, Count(list)) ? -1 : LinearFindHeadword(*this, list, text);
}

std::string TUzDictionary::CardCaption(LanguagePair pair)
{
    return "So\x91z tarjimasi (" + std::string(LanguageTags[pair.Source]) + "-" +
           std::string(LanguageTags[pair.Target]) + ")";
}

} // namespace morva
