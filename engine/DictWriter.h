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

// The entries of one headword list. An entry's records are a run of the list's shared arrays,
// so a million entries cost no allocation each. The writer keeps records by address, the
// compiler by their number in its source.
template <class SenseRef, class PhraseRef>
struct EntryRuns {
    struct Entry {
        std::uint32_t Kind;
        std::string Headword;
        std::uint32_t FirstSense = 0, SenseCount = 0, FirstPhrase = 0, PhraseCount = 0;
    };
    std::vector<Entry> Entries;
    std::vector<SenseRef> Senses;
    std::vector<PhraseRef> Phrases;

    void Add(std::uint32_t kind, std::string headword, std::span<const SenseRef> senses,
             std::span<const PhraseRef> phrases)
    {
        Entries.push_back({kind, std::move(headword), std::uint32_t(Senses.size()), std::uint32_t(senses.size()),
                           std::uint32_t(Phrases.size()), std::uint32_t(phrases.size())});
        Senses.insert(Senses.end(), senses.begin(), senses.end());
        Phrases.insert(Phrases.end(), phrases.begin(), phrases.end());
    }
    std::span<const SenseRef> SensesOf(const Entry& e) const
    {
        return std::span(Senses).subspan(e.FirstSense, e.SenseCount);
    }
    std::span<const PhraseRef> PhrasesOf(const Entry& e) const
    {
        return std::span(Phrases).subspan(e.FirstPhrase, e.PhraseCount);
    }
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

    // One headword list as added, records by address.
    using List = EntryRuns<const SenseRecord*, const PhraseRecord*>;

private:
    List lists_[LanguageCount];
    // Records given by value; never changed once added, so copies of the writer share them.
    struct OwnRecords {
        std::deque<SenseRecord> Senses;
        std::deque<PhraseRecord> Phrases;
    };
    std::shared_ptr<OwnRecords> own_ = std::make_shared<OwnRecords>();
};

// Scrambles an image into file bytes.
std::vector<std::uint8_t> ScrambledCopy(std::vector<std::uint8_t> image);

} // namespace morva
