#pragma once
// TUzDictionary: the data file in memory, its three headword lists and the language pair.

#include "engine/DictImage.h"
#include "engine/Language.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

// The Win32 SYSTEMTIME layout: day of week 0 is Sunday.
struct TSystemTime {
    std::uint16_t Year = 0, Month = 0, DayOfWeek = 0, Day = 0;
    std::uint16_t Hour = 0, Minute = 0, Second = 0, Milliseconds = 0;
};

inline constexpr const char* DataFileName = "Morva.uzd";

class TUzDictionary {
public:
    // Loads "Morva.uzd" beside the running executable.
    TUzDictionary();
    explicit TUzDictionary(const std::filesystem::path& file);
    // The bytes of a data file already in memory, scrambled as on disk; the same checks.
    explicit TUzDictionary(std::vector<std::uint8_t> fileBytes);
    virtual ~TUzDictionary() = default;

    TUzDictionary(const TUzDictionary&) = delete;
    TUzDictionary& operator=(const TUzDictionary&) = delete;

    // Queries: each names its list (and pair), so no caller moves another's selection.
    std::int32_t Count(Language list) const { return lists_[list].Count; }
    std::string Headword(Language list, std::int32_t index) const;
    // Index of the first headword of the list equal to the text, or -1.
    std::int32_t FindHeadword(Language list, std::string_view text) const;
    // Index of the first headword of the list that does not sort below the text, or -1.
    std::int32_t NearestHeadword(Language list, std::string_view text) const;
    static std::string CardCaption(LanguagePair pair);
    // The entry at that index of the pair's source list as HTML (engine/Article.cpp).
    std::string ArticleHtml(LanguagePair pair, std::int32_t index) const;
    // For the article renderer: the checked image and the entry offset behind an index.
    const DictImage& Image() const { return image_; }
    std::uint32_t EntryOffset(Language list, std::int32_t index) const;

    // The main window's selection: the source list it shows and the target of its cards.
    void SelectSourceLanguage(Language language) { sourceLanguage_ = language; }
    Language SourceLanguage() const { return sourceLanguage_; }
    Language TargetLanguage() const { return targetLanguage_; }
    void SetTargetLanguage(Language language) { targetLanguage_ = language; }
    LanguagePair Pair() const { return {sourceLanguage_, targetLanguage_}; }
    const TSystemTime& FileDate() const { return fileDate_; }

    // The same queries on the selection.
    std::int32_t Count() const { return Count(sourceLanguage_); }
    std::string Headword(std::int32_t index) const { return Headword(sourceLanguage_, index); }
    std::int32_t FindHeadword(std::string_view text) const { return FindHeadword(sourceLanguage_, text); }
    std::int32_t NearestHeadword(std::string_view text) const { return NearestHeadword(sourceLanguage_, text); }
    std::string CardCaption() const { return CardCaption(Pair()); }
    std::string ArticleHtml(std::int32_t index) const { return ArticleHtml(Pair(), index); }
    std::uint32_t EntryOffset(std::int32_t index) const { return EntryOffset(sourceLanguage_, index); }

private:
    struct WordList {
        std::size_t Offset = 0;
        std::int32_t Count = 0;
    };

    void Load(const std::filesystem::path& file);
    // The checks on the image, in their order: length, checksum, lists.
    void Check();
    std::string_view HeadwordView(Language list, std::int32_t index) const;
    // The first index that a search by halves lands on, taking the list to be in order; -1
    // when a headword it meets cannot be read.
    std::int32_t HalvingSearch(Language list, std::string_view text) const;
    // Whether the list's first `end` headwords can be read and each sorts no higher than the
    // next. Only what no earlier call has checked is read, so that a search checks the order
    // up to its answer: that is all a search by halves needs to give the answer a scan from the
    // start gives (for a miss of FindHeadword, the whole list).
    bool InOrderBefore(Language list, std::int32_t end) const;

    DictImage image_;
    Language sourceLanguage_ = English;
    Language targetLanguage_ = Uzbek;
    std::array<WordList, LanguageCount> lists_;
    TSystemTime fileDate_;
    // How far each list is known to be in collation order; queries may come from several threads.
    struct ListOrder {
        std::mutex Checking;
        std::atomic<std::int32_t> Ordered{0};
        // Under Checking: the pair after the ordered stretch is out of order or unreadable, and
        // the text offset of the stretch's last headword.
        bool Broken = false;
        std::uint32_t LastText = 0;
    };
    mutable std::array<ListOrder, LanguageCount> order_;
};

} // namespace morva
