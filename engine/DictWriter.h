#pragma once
// Builds data-file images: the data compiler's back end and every test's fixture maker.

#include "engine/Language.h"

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace morva {

struct SenseRecord {
    std::string English, Transcription, Reserved, Uzbek, Russian;
    auto operator<=>(const SenseRecord&) const = default;
};

struct PhraseRecord {
    std::string English, Uzbek, Russian;
    auto operator<=>(const PhraseRecord&) const = default;
};

class TDictWriter {
public:
    void AddWordEntry(Language list, std::string headword, std::vector<SenseRecord> senses,
                      std::vector<PhraseRecord> phrases);
    // The same with records the caller keeps, unchanged, for as long as the writer is used:
    // a large dictionary's records are then held once, not once per entry that lists them.
    void AddWordEntryByRef(Language list, std::string headword, std::vector<const SenseRecord*> senses,
                           std::vector<const PhraseRecord*> phrases);
    void AddPhraseEntry(Language list, std::string headword, PhraseRecord phrase);
    void AddPhraseEntryByRef(Language list, std::string headword, const PhraseRecord* phrase);
    // An entry of another kind: the reader tolerates it and the renderer shows "error".
    void AddOtherEntry(Language list, std::uint32_t kind, std::string headword);

    // The unscrambled image with its check word set; throws std::length_error past the
    // format's size limit. Lists are in collation order, equal headwords in the order added.
    std::vector<std::uint8_t> Image() const;
    // The image as stored on disk: scrambled.
    std::vector<std::uint8_t> FileBytes() const;
    // Writes the file through a temporary beside it (ReplaceFile), so a failure leaves no
    // partial file. Throws FileWriteError.
    void WriteFile(const std::filesystem::path& path) const;

private:
    // An entry's records are a run of the shared reference arrays: a million entries then
    // cost no allocation each.
    struct Entry {
        std::uint32_t kind;
        std::string headword;
        std::uint32_t firstSense, senseCount, firstPhrase, phraseCount;
    };
    std::span<const SenseRecord* const> SensesOf(const Entry& e) const;
    std::span<const PhraseRecord* const> PhrasesOf(const Entry& e) const;
    void AddEntry(Language list, std::uint32_t kind, std::string headword, std::span<const SenseRecord* const> senses,
                  std::span<const PhraseRecord* const> phrases);

    std::vector<Entry> lists_[LanguageCount];
    std::vector<const SenseRecord*> senseRefs_;
    std::vector<const PhraseRecord*> phraseRefs_;
    // Records given by value; never changed once added, so copies of the writer share them.
    struct OwnRecords {
        std::deque<SenseRecord> senses;
        std::deque<PhraseRecord> phrases;
    };
    std::shared_ptr<OwnRecords> own_ = std::make_shared<OwnRecords>();
};

// Scrambles an image into file bytes.
std::vector<std::uint8_t> ScrambledCopy(std::vector<std::uint8_t> image);

} // namespace morva
