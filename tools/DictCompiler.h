#pragma once
// The data compiler: the UTF-8 source format editors write (data/FORMAT.md) to the entries of
// the three headword lists, and on to a data file through TDictWriter.

#include "engine/DictWriter.h"
#include "engine/FileFormat.h"
#include "engine/Language.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <iosfwd>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace morva {

// Bad source. The message holds one "FILE:LINE: message" line per fault (UTF-8).
struct SourceError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Records in dictionary text, with the source line they came from.
struct SourceSense {
    SenseRecord Record;
    int Line;
};

struct SourcePhrase {
    PhraseRecord Record;
    bool IsEntry; // an E record: a phrase entry of its own besides
    int Line;
};

struct SourceWord {
    Language List;
    std::string Headword;
    int Line;
};

struct DictSource {
    std::string FileName;
    std::vector<SourceSense> Senses;
    std::vector<SourcePhrase> Phrases; // P and E records in file order
    std::vector<SourceWord> Words;
    std::vector<std::string> Warnings; // "FILE:LINE: warning: ..." lines
};

// Collects every fault of the text before throwing, so an editor sees them all at once.
DictSource ParseSource(std::string_view utf8, const std::string& fileName);

// Puts records made in memory into the form ParseSource gives for them: references in their
// one stored form, and each record once (a repeated phrase keeps the E of either line).
void ReadAsCompiled(DictSource& source);

// The source as UTF-8 text, one record a line in the order of their line numbers.
std::string FormatSource(const DictSource& source);

struct DictEntry {
    std::uint32_t Kind;
    std::string Headword;
    std::vector<SenseRecord> Senses;
    std::vector<PhraseRecord> Phrases; // a phrase entry holds its one phrase here
    bool operator==(const DictEntry&) const = default;
};

using DictLists = std::array<std::vector<DictEntry>, LanguageCount>;

// The entries of the three lists, word entries first, each list in the order the writer
// receives it. Adds a warning for every record that would show nowhere; throws SourceError
// when a list would be empty, which the program refuses to load.
DictLists FormEntries(DictSource& source);

// What FormEntries gives, with each record as its position in the source's senses or phrases:
// a large dictionary then holds each record once, not once per entry that lists it. A phrase
// entry holds its one phrase as its phrase run.
using FormedList = EntryRuns<std::uint32_t, std::uint32_t>;
using FormedEntry = FormedList::Entry;

using FormedLists = std::array<FormedList, LanguageCount>;

FormedLists FormEntryRefs(DictSource& source);

// The lists in the order of the file: by collation, equal headwords in the order formed.
void SortLikeFile(DictLists& lists);

TDictWriter WriterFor(const DictLists& lists);
// A writer that refers to the source's records: the source must outlive it, unchanged.
TDictWriter WriterFor(const DictSource& source, const FormedLists& lists);

// Sources beyond this size are refused: a source this large is a mistake (or a device that never
// ends), and reading it whole would cost memory for nothing.
inline constexpr std::size_t MaxSourceSize = 200'000'000;

// The whole source file. Throws std::runtime_error, with a message that says why, for a file
// that cannot be read, is not a regular file, or is larger than the limit.
std::string ReadSourceFile(const std::filesystem::path& source, std::size_t limit = MaxSourceSize);

// Reads, compiles and writes the file (through a temporary, so a failure leaves no file
// behind; an older file at that path stays as it was). Warnings go to the stream.
// Throws SourceError for bad source, std::runtime_error when a file cannot be read or written
// (FileWriteError: before any work when the output names a folder).
void CompileFile(const std::filesystem::path& source, const std::filesystem::path& output,
                 std::ostream& warnings);

} // namespace morva
