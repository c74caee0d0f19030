#pragma once
// TUzDictionary: the data file in memory, its three headword lists and the language pair.

#include "engine/DictImage.h"
#include "engine/Language.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
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

    void SelectSourceLanguage(Language language);
    std::int32_t Count() const { return count_; }
    Language SourceLanguage() const { return sourceLanguage_; }
    Language TargetLanguage() const { return targetLanguage_; }
    void SetTargetLanguage(Language language) { targetLanguage_ = language; }
    const TSystemTime& FileDate() const { return fileDate_; }

    std::string Headword(std::int32_t index) const;
    // Index of the first headword equal to the text, or -1.
    std::int32_t FindHeadword(std::string_view text) const;
    // Index of the first headword that does not sort below the text, or -1.
    std::int32_t NearestHeadword(std::string_view text) const;
    std::string CardCaption() const;
    // The entry at that index as HTML for the current language pair (engine/Article.cpp).
    std::string ArticleHtml(std::int32_t index) const;

    // For the article renderer: the checked image and the entry offset behind an index.
    const DictImage& Image() const { return image_; }
    std::uint32_t EntryOffset(std::int32_t index) const;

private:
    void Load(const std::filesystem::path& file);
    // The checks on the image, in their order: length, checksum, lists.
    void Check();
    std::string_view HeadwordView(std::int32_t index) const;
    bool CurrentListIsSorted() const;

    DictImage image_;
    Language sourceLanguage_ = English;
    Language targetLanguage_ = Uzbek;
    std::int32_t count_ = 0;
    std::size_t currentList_ = 0;
    TSystemTime fileDate_;
    // Whether each list really is in collation order; found out on the first search.
    mutable std::array<std::optional<bool>, LanguageCount> listSorted_;
};

} // namespace morva
