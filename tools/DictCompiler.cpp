#include "tools/DictCompiler.h"

#include "engine/Collation.h"
#include "engine/FileAccess.h"
#include "engine/FileReplace.h"
#include "engine/NumberIndex.h"
#include "engine/Printable.h"
#include "engine/TextRules.h"
#include "text/CodePage1251.h"
#include "text/Ipa93.h"
#include "text/Utf8.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <ostream>
#include <sstream>
#include <unordered_map>

namespace morva {
namespace {

constexpr std::size_t MaxReportedFaults = 100;

std::string CodePoint(char32_t c)
{
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", unsigned(c));
    return text;
}

std::string Quoted(std::u16string_view characters)
{
    std::string quoted = "\"";
    quoted += WideToUtf8(characters);
    quoted += '"';
    return quoted;
}

// Blanks of the source format are spaces and tabs only: any other control character in a
// field is a fault to report, not padding to drop as the trim of a typed text would.
std::string_view TrimSourceBlanks(std::string_view text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    for (;;) {
        const auto bar = line.find('|');
        fields.push_back(TrimSourceBlanks(line.substr(0, bar)));
        if (bar == std::string_view::npos)
            return fields;
        line.remove_prefix(bar + 1);
    }
}

// One source line being read: converts its fields, and keeps the first fault met.
class LineReader {
public:
    std::string Fault;

    // A text field in dictionary text; code page 1251 must hold every character.
    std::string Text(std::string_view field, const char* what)
    {
        const std::u16string wide = Utf8ToWide(field);
        const std::string text = WideToDictText(wide);
        for (std::size_t i = 0; i < wide.size(); ++i) {
            const char16_t c = wide[i];
            if (c < 0x20 || (c >= 0x7F && c <= 0x9F)) {
                Fail(std::string(what) + ": control character " + CodePoint(c) + " is not allowed");
                break;
            }
            if (text[i] == '?' && c != u'?') {
                const bool pair = c >= 0xD800 && c <= 0xDBFF && i + 1 < wide.size();
                const char32_t full = pair ? 0x10000 + ((c - 0xD800) << 10) + (wide[i + 1] - 0xDC00) : c;
                Fail(std::string(what) + ": " + Quoted(std::u16string_view(wide).substr(i, pair ? 2 : 1)) + " (" +
                     CodePoint(full) + ") cannot be held in dictionary text (code page 1251 with the Uzbek letters)");
                break;
            }
        }
        return text;
    }

    std::string Transcription(std::string_view field)
    {
        const IpaEncoding encoded = EncodeIpa(Utf8ToWide(field));
        if (!encoded.unencodable.empty()) {
            Fail("transcription: no IPA93 byte stands for " + Quoted(encoded.unencodable));
            return {};
        }
        for (char byte : encoded.bytes)
            if (IpaReservedBytes.find(byte) != std::string_view::npos) {
                Fail("transcription: " + Quoted(DecodeIpa(std::string(1, byte))) + " is stored as the byte \"" +
                     std::string(1, byte) + "\", which an article would read as markup or grouping");
                break;
            }
        return encoded.bytes;
    }

    void Fail(std::string message)
    {
        if (Fault.empty())
            Fault = std::move(message);
    }
};

std::string Located(const std::string& fileName, int line, const std::string& message)
{
    return fileName + ":" + std::to_string(line) + ": " + message;
}

// Polynomial hashes of the weights of every prefix, so that the hash of any piece of a
// text costs one step: piece [a, b) is prefix[b] - prefix[a] * power[b - a].
class PieceHashes {
public:
    explicit PieceHashes(std::string_view text)
    {
        prefix_.resize(text.size() + 1);
        for (std::size_t i = 0; i < text.size(); ++i)
            prefix_[i + 1] = prefix_[i] * Base + CollationWeights[static_cast<unsigned char>(text[i])] + 1;
    }

    std::uint64_t Piece(std::size_t from, std::size_t to) const { return prefix_[to] - prefix_[from] * Power(to - from); }

    static std::uint64_t Of(std::string_view text) { return PieceHashes(text).Piece(0, text.size()); }

private:
    static constexpr std::uint64_t Base = 1'000'003;

    static std::uint64_t Power(std::size_t n)
    {
        static std::vector<std::uint64_t> powers{1};
        while (powers.size() <= n)
            powers.push_back(powers.back() * Base);
        return powers[n];
    }

    std::vector<std::uint64_t> prefix_;
};

// Headwords of one list by the hash of a piece of text, with the lengths that occur, so a
// text is only cut into pieces that some headword could equal.
class PieceIndex {
public:
    void Add(std::string_view piece, std::size_t entry)
    {
        // Almost every key has one entry: a chain through one array costs no allocation per key.
        const std::uint64_t key = Key(PieceHashes::Of(piece), piece.size());
        const auto link = std::uint32_t(chain_.size());
        if (std::uint32_t* head = index_.Find(key, [&](std::uint32_t n) { return chain_[n].key == key; })) {
            chain_.push_back({key, std::uint32_t(entry), *head});
            *head = link;
        } else {
            chain_.push_back({key, std::uint32_t(entry), NoEntry});
            index_.Insert(key, link, [this](std::uint32_t n) { return chain_[n].key; });
        }
        if (piece.size() >= lengths_.size())
            lengths_.resize(piece.size() + 1, false);
        lengths_[piece.size()] = true;
    }

    bool Empty() const { return index_.Empty(); }
    bool HasLength(std::size_t n) const { return n < lengths_.size() && lengths_[n]; }

    // Calls f with every entry added under that hash and length.
    template <class F>
    void ForEachCandidate(std::uint64_t hash, std::size_t length, F f) const
    {
        const std::uint64_t key = Key(hash, length);
        const std::uint32_t* head = index_.Find(key, [&](std::uint32_t n) { return chain_[n].key == key; });
        for (std::uint32_t at = head ? *head : NoEntry; at != NoEntry; at = chain_[at].next)
            f(std::size_t(chain_[at].entry));
    }

private:
    static constexpr std::uint32_t NoEntry = std::uint32_t(-1);
    static std::uint64_t Key(std::uint64_t hash, std::size_t length) { return hash ^ (std::uint64_t(length) << 56); }

    struct Link {
        std::uint64_t key;
        std::uint32_t entry, next;
    };
    NumberIndex index_; // the first link of each key
    std::vector<Link> chain_;
    std::vector<bool> lengths_;
};

bool OpensWord(char byte)
{
    return byte == '-' || byte == '\x85';
}

// The text of a record in one language.
const std::string& SenseText(const SenseRecord& s, Language l)
{
    return l == English ? s.English : l == Uzbek ? s.Uzbek : s.Russian;
}

const std::string& PhraseText(const PhraseRecord& p, Language l)
{
    return l == English ? p.English : l == Uzbek ? p.Uzbek : p.Russian;
}

// A reference in any of its spelled forms ("см. X", "X-дан", "=X 2", ...) is stored as "=X", the
// one form the card turns into a working link.
std::string CanonicalReference(std::string text)
{
    std::string normal = NormalizeEntryText(text);
    return normal.starts_with('=') ? normal : text;
}

bool IsAutomaticHeadword(const std::string& form)
{
    return !form.empty() && form[0] != '=' && form[0] != '*';
}

// Forms the word entries of one list and fills them; returns, per record, whether it landed.
class ListBuilder {
public:
    explicit ListBuilder(FormedList& list) : list_(list), entries_(list.Entries) {}

    // Headwords equal by collation are one entry: the first spelling stays.
    void AddHeadword(const std::string& headword)
    {
        bool known = false;
        senseIndex_.ForEachCandidate(PieceHashes::Of(headword), headword.size(), [&](std::size_t e) {
            known = known || CompareHeadwords(entries_[e].Headword, headword) == 0;
        });
        if (known)
            return;
        senseIndex_.Add(headword, entries_.size());
        entries_.push_back({WordEntry, headword});
    }

    // Every entry whose headword begins the sense's match form as a whole word: "run" holds
    // "run away" but not "running", so short headwords do not gather unrelated senses.
    bool PlaceSense(std::uint32_t sense, const std::string& form)
    {
        BuildIndexes();
        bool placed = false;
        const PieceHashes hashes(form);
        for (std::size_t k = 1; k <= form.size(); ++k) {
            if (!senseIndex_.HasLength(k) || (k < form.size() && !IsWordSeparator(static_cast<unsigned char>(form[k]))))
                continue;
            senseIndex_.ForEachCandidate(hashes.Piece(0, k), k, [&](std::size_t e) {
                if (CompareHeadwords(entries_[e].Headword, std::string_view(form).substr(0, k)) == 0) {
                    senseLinks_.push_back({std::uint32_t(e), sense});
                    placed = true;
                }
            });
        }
        return placed;
    }

    // Every entry whose headword the phrase holds as a whole word. Pieces are cut only where
    // the whole-word rule lets a word start and end, by which ends of the word are open.
    bool PlacePhrase(std::uint32_t phrase, std::string_view text)
    {
        BuildIndexes();
        const PieceHashes hashes(text);
        const std::size_t n = text.size();
        std::vector<std::size_t> starts, ends;
        for (std::size_t i = 0; i <= n; ++i) {
            if (i < n && (i == 0 || IsWordSeparator(static_cast<unsigned char>(text[i - 1]))))
                starts.push_back(i);
            if (i > 0 && (i == n || IsWordSeparator(static_cast<unsigned char>(text[i]))))
                ends.push_back(i);
        }
        std::vector<std::size_t> every(n + 1);
        for (std::size_t i = 0; i <= n; ++i)
            every[i] = i;

        bool placed = false;
        for (int open = 0; open < 4; ++open) {
            const PieceIndex& index = phraseIndex_[open];
            if (index.Empty())
                continue;
            const auto& from = (open & 2) ? every : starts;
            const auto& to = (open & 1) ? every : ends;
            for (std::size_t a : from)
                for (std::size_t b : to) {
                    if (b <= a || !index.HasLength(b - a))
                        continue;
                    index.ForEachCandidate(hashes.Piece(a, b), b - a, [&](std::size_t e) {
                        if (lastPhrase_[e] != phrase && CompareHeadwords(cores_[e], text.substr(a, b - a)) == 0) {
                            lastPhrase_[e] = phrase;
                            phraseLinks_.push_back({std::uint32_t(e), phrase});
                            placed = true;
                        }
                    });
                }
        }
        return placed;
    }

    // Turns the placements into the list's runs; the builder is done.
    void Finish()
    {
        Gather(senseLinks_, list_.Senses, entries_, &FormedEntry::FirstSense, &FormedEntry::SenseCount);
        Gather(phraseLinks_, list_.Phrases, entries_, &FormedEntry::FirstPhrase, &FormedEntry::PhraseCount);
    }

private:
    void BuildIndexes()
    {
        if (indexed_)
            return;
        indexed_ = true;
        cores_.resize(entries_.size());
        lastPhrase_.assign(entries_.size(), std::uint32_t(-1));
        for (std::size_t e = 0; e < entries_.size(); ++e) {
            const std::string& h = entries_[e].Headword;
            // The whole-word rule: a word under 2 bytes, or under 2 once its open ends are
            // dropped, is in no phrase.
            if (h.size() < 2)
                continue;
            const bool openLeft = OpensWord(h.front()), openRight = OpensWord(h.back());
            std::string_view core = h;
            if (openLeft)
                core.remove_prefix(1);
            if (openRight)
                core.remove_suffix(1);
            if (core.size() < 2)
                continue;
            cores_[e] = core;
            phraseIndex_[(openLeft ? 2 : 0) | (openRight ? 1 : 0)].Add(core, e);
        }
    }

    // Each entry's records as runs of the list's arrays, in the order they were placed.
    static void Gather(std::vector<std::pair<std::uint32_t, std::uint32_t>>& links, std::vector<std::uint32_t>& into,
                       std::vector<FormedEntry>& entries, std::uint32_t FormedEntry::*first, std::uint32_t FormedEntry::*count)
    {
        for (const auto& [entry, record] : links)
            ++(entries[entry].*count);
        std::uint32_t next = 0;
        for (auto& e : entries) {
            e.*first = next;
            next += e.*count;
        }
        into.resize(links.size());
        std::vector<std::uint32_t> filled(entries.size(), 0);
        for (const auto& [entry, record] : links)
            into[entries[entry].*first + filled[entry]++] = record;
        links = {};
    }

    FormedList& list_;
    std::vector<FormedEntry>& entries_;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> senseLinks_, phraseLinks_; // entry, record
    bool indexed_ = false;
    PieceIndex senseIndex_;
    PieceIndex phraseIndex_[4]; // by open ends: bit 1 left, bit 0 right
    std::vector<std::string_view> cores_; // into the headwords, which stay put while placing
    std::vector<std::uint32_t> lastPhrase_;
};

// Reads the records of one source into it; each line's fault goes to its LineReader.
class RecordParser {
public:
    explicit RecordParser(DictSource& source) : source_(source) {}

    // One record line split into fields, the first being its tag.
    void Parse(const std::vector<std::string_view>& fields, int line, LineReader& reader)
    {
        const std::string_view tag = fields[0];
        const auto kind = std::find_if(std::begin(Kinds), std::end(Kinds), [tag](const Kind& k) { return k.tag == tag; });
        if (kind == std::end(Kinds))
            reader.Fail("a record begins with S, P, E or W followed by \"|\", not \"" + Printable(tag) + "\"");
        else if (fields.size() != kind->fieldCount)
            reader.Fail("a " + std::string(tag) + " record has " + std::to_string(kind->fieldCount - 1) +
                        " fields after its letter, this line has " + std::to_string(fields.size() - 1));
        else
            (this->*kind->parse)(fields, line, reader);
    }

private:
    using Fields = std::vector<std::string_view>;
    struct Kind {
        std::string_view tag;
        std::size_t fieldCount; // the tag's own included
        void (RecordParser::*parse)(const Fields&, int, LineReader&);
    };
    static const Kind Kinds[4];

    static std::string Reference(LineReader& reader, std::string_view field, const char* what)
    {
        return CanonicalReference(reader.Text(field, what));
    }

    // A record needs one of its three texts; true when the line is sound.
    template <class Record>
    static bool Complete(LineReader& reader, const Record& r, const char* what)
    {
        if (reader.Fault.empty() && r.English.empty() && r.Uzbek.empty() && r.Russian.empty())
            reader.Fail(std::string("a ") + what + " needs at least one text");
        return reader.Fault.empty();
    }

    void ParseSense(const Fields& fields, int line, LineReader& reader)
    {
        SenseRecord s;
        s.English = Reference(reader, fields[1], "English text");
        s.Transcription = reader.Transcription(fields[2]);
        s.Uzbek = Reference(reader, fields[3], "Uzbek text");
        s.Russian = Reference(reader, fields[4], "Russian text");
        if (!Complete(reader, s, "sense"))
            return;
        auto [it, added] = senseLines_.try_emplace(s, line);
        if (added)
            source_.Senses.push_back({std::move(s), line});
        else
            Warn(line, "warning: the same sense as line " + std::to_string(it->second) + ", left out");
    }

    void ParsePhrase(const Fields& fields, int line, LineReader& reader)
    {
        const bool isEntry = fields[0] == "E";
        PhraseRecord p;
        p.English = Reference(reader, fields[1], "English text");
        p.Uzbek = Reference(reader, fields[2], "Uzbek text");
        p.Russian = Reference(reader, fields[3], "Russian text");
        if (!Complete(reader, p, "phrase"))
            return;
        auto [it, added] = phraseAt_.try_emplace(p, source_.Phrases.size());
        if (added) {
            source_.Phrases.push_back({std::move(p), isEntry, line});
            return;
        }
        // One record, listed once under each headword; an E makes it an entry too.
        auto& first = source_.Phrases[it->second];
        first.IsEntry = first.IsEntry || isEntry;
        Warn(line, "warning: the same phrase as line " + std::to_string(first.Line) + ", merged");
    }

    void ParseWord(const Fields& fields, int line, LineReader& reader)
    {
        const auto language = LanguageFromCode(fields[1]);
        std::string headword = reader.Text(fields[2], "headword");
        if (!language)
            reader.Fail("a W record names its list with en, uz or ru, not \"" + Printable(fields[1]) + "\"");
        else if (reader.Fault.empty() && headword.empty())
            reader.Fail("a W record needs a headword");
        if (reader.Fault.empty())
            source_.Words.push_back({*language, std::move(headword), line});
    }

    void Warn(int line, const std::string& message)
    {
        source_.Warnings.push_back(Located(source_.FileName, line, message));
    }

    DictSource& source_;
    std::map<SenseRecord, int> senseLines_;
    std::map<PhraseRecord, std::size_t> phraseAt_;
};

const RecordParser::Kind RecordParser::Kinds[4] = {
    {"S", 5, &RecordParser::ParseSense},
    {"P", 4, &RecordParser::ParsePhrase},
    {"E", 4, &RecordParser::ParsePhrase},
    {"W", 3, &RecordParser::ParseWord},
};

// The whole message of a source's faults, the first ones in full.
std::string FaultReport(const std::vector<std::string>& faults, std::size_t faultCount, const std::string& fileName)
{
    std::string message;
    for (const auto& fault : faults)
        message += fault + "\n";
    if (faultCount > faults.size())
        message += fileName + ": " + std::to_string(faultCount - faults.size()) + " more faults\n";
    message.pop_back();
    return message;
}

} // namespace

DictSource ParseSource(std::string_view utf8, const std::string& fileName)
{
    DictSource source;
    source.FileName = fileName;
    RecordParser parser(source);
    std::vector<std::string> faults;
    std::size_t faultCount = 0;

    if (utf8.starts_with("\xEF\xBB\xBF"))
        utf8.remove_prefix(3);
    int lineNumber = 0;
    while (!utf8.empty()) {
        const auto newline = utf8.find('\n');
        std::string_view line = utf8.substr(0, newline);
        utf8.remove_prefix(newline == std::string_view::npos ? utf8.size() : newline + 1);
        ++lineNumber;
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        line = TrimSourceBlanks(line);
        if (line.empty() || line.front() == '#')
            continue;

        LineReader reader;
        try {
            parser.Parse(SplitFields(line), lineNumber, reader);
        } catch (const InvalidUtf8&) {
            reader.Fail("the line is not valid UTF-8");
        }
        if (!reader.Fault.empty() && faultCount++ < MaxReportedFaults)
            faults.push_back(Located(fileName, lineNumber, reader.Fault));
    }

    if (faultCount == 0)
        return source;
    throw SourceError(FaultReport(faults, faultCount, fileName));
}

std::string FormatSource(const DictSource& source)
{
    static constexpr const char* Codes[] = {"en", "uz", "ru"};
    std::vector<std::pair<int, std::string>> lines;
    const auto line = [&lines](int number, std::initializer_list<std::string> fields) {
        std::string text;
        for (const auto& field : fields)
            text += (text.empty() ? "" : " | ") + field;
        lines.emplace_back(number, text + "\n");
    };
    for (const auto& w : source.Words)
        line(w.Line, {"W", Codes[w.List], DictTextToUtf8(w.Headword)});
    for (const auto& [s, number] : source.Senses)
        line(number, {"S", DictTextToUtf8(s.English), WideToUtf8(DecodeIpa(s.Transcription)), DictTextToUtf8(s.Uzbek),
                      DictTextToUtf8(s.Russian)});
    for (const auto& [p, isEntry, number] : source.Phrases)
        line(number, {isEntry ? "E" : "P", DictTextToUtf8(p.English), DictTextToUtf8(p.Uzbek), DictTextToUtf8(p.Russian)});
    std::stable_sort(lines.begin(), lines.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::string text;
    for (const auto& [number, l] : lines)
        text += l;
    return text;
}

FormedLists FormEntryRefs(DictSource& source)
{
    FormedLists lists;
    std::vector<ListBuilder> builders;
    for (auto& list : lists)
        builders.emplace_back(list);

    // Match forms are computed once: they name the automatic headwords and place the senses.
    std::vector<std::array<std::string, LanguageCount>> forms(source.Senses.size());
    for (std::size_t i = 0; i < source.Senses.size(); ++i)
        for (Language l = 0; l < LanguageCount; ++l)
            forms[i][l] = MatchForm(SenseText(source.Senses[i].Record, l));

    // Headwords in the order met, S and W records alike: the first spelling wins.
    std::size_t w = 0;
    for (std::size_t i = 0; i <= source.Senses.size(); ++i) {
        const int line = i < source.Senses.size() ? source.Senses[i].Line : INT32_MAX;
        for (; w < source.Words.size() && source.Words[w].Line < line; ++w)
            builders[source.Words[w].List].AddHeadword(source.Words[w].Headword);
        if (i < source.Senses.size())
            for (Language l = 0; l < LanguageCount; ++l)
                if (IsAutomaticHeadword(forms[i][l]))
                    builders[l].AddHeadword(forms[i][l]);
    }

    for (std::size_t i = 0; i < source.Senses.size(); ++i) {
        bool placed = false;
        for (Language l = 0; l < LanguageCount; ++l)
            placed = builders[l].PlaceSense(std::uint32_t(i), forms[i][l]) || placed;
        if (!placed)
            source.Warnings.push_back(Located(source.FileName, source.Senses[i].Line,
                                              "warning: this sense comes under no headword, so it shows nowhere"));
    }
    for (std::size_t i = 0; i < source.Phrases.size(); ++i) {
        const auto& phrase = source.Phrases[i];
        bool placed = false;
        for (Language l = 0; l < LanguageCount; ++l)
            placed = builders[l].PlacePhrase(std::uint32_t(i), PhraseText(phrase.Record, l)) || placed;
        if (!placed && !phrase.IsEntry)
            source.Warnings.push_back(Located(source.FileName, phrase.Line,
                                              "warning: this phrase holds no headword, so it shows nowhere"));
    }

    for (auto& builder : builders)
        builder.Finish();
    for (std::size_t i = 0; i < source.Phrases.size(); ++i)
        if (source.Phrases[i].IsEntry)
            for (Language l = 0; l < LanguageCount; ++l)
                if (const auto& text = PhraseText(source.Phrases[i].Record, l); !text.empty()) {
                    const auto phrase = std::uint32_t(i);
                    lists[l].Add(PhraseEntry, text, {}, {&phrase, 1});
                }

    static constexpr const char* Names[] = {"English", "Uzbek", "Russian"};
    for (Language l = 0; l < LanguageCount; ++l)
        if (lists[l].Entries.empty())
            throw SourceError(source.FileName + ": the " + Names[l] +
                              " list would be empty, and the program refuses a file with an empty list");
    return lists;
}

void ReadAsCompiled(DictSource& source)
{
    struct PointeeLess {
        bool operator()(const SenseRecord* a, const SenseRecord* b) const { return *a < *b; }
        bool operator()(const PhraseRecord* a, const PhraseRecord* b) const { return *a < *b; }
    };
    std::vector<SourceSense> senses;
    senses.reserve(source.Senses.size());
    std::set<const SenseRecord*, PointeeLess> seenSenses;
    for (auto& s : source.Senses) {
        for (auto* text : {&s.Record.English, &s.Record.Uzbek, &s.Record.Russian})
            *text = CanonicalReference(std::move(*text));
        senses.push_back(std::move(s));
        if (!seenSenses.insert(&senses.back().Record).second)
            senses.pop_back();
    }
    std::vector<SourcePhrase> phrases;
    phrases.reserve(source.Phrases.size());
    std::map<const PhraseRecord*, std::size_t, PointeeLess> phraseAt;
    for (auto& p : source.Phrases) {
        for (auto* text : {&p.Record.English, &p.Record.Uzbek, &p.Record.Russian})
            *text = CanonicalReference(std::move(*text));
        phrases.push_back(std::move(p));
        auto [it, added] = phraseAt.try_emplace(&phrases.back().Record, phrases.size() - 1);
        if (!added) {
            phrases[it->second].IsEntry = phrases[it->second].IsEntry || phrases.back().IsEntry;
            phrases.pop_back();
        }
    }
    source.Senses = std::move(senses);
    source.Phrases = std::move(phrases);
}

DictLists FormEntries(DictSource& source)
{
    FormedLists formedLists = FormEntryRefs(source);
    DictLists lists;
    for (Language l = 0; l < LanguageCount; ++l)
        for (auto& formed : formedLists[l].Entries) {
            DictEntry& e = lists[l].emplace_back(DictEntry{formed.Kind, std::move(formed.Headword), {}, {}});
            for (std::uint32_t s : formedLists[l].SensesOf(formed))
                e.Senses.push_back(source.Senses[s].Record);
            for (std::uint32_t p : formedLists[l].PhrasesOf(formed))
                e.Phrases.push_back(source.Phrases[p].Record);
        }
    return lists;
}

void SortLikeFile(DictLists& lists)
{
    for (auto& list : lists)
        std::stable_sort(list.begin(), list.end(), [](const DictEntry& a, const DictEntry& b) {
            return CompareHeadwords(a.Headword, b.Headword) < 0;
        });
}

TDictWriter WriterFor(const DictLists& lists)
{
    TDictWriter writer;
    for (Language l = 0; l < LanguageCount; ++l)
        for (const auto& e : lists[l]) {
            if (e.Kind == WordEntry)
                writer.AddWordEntry(l, e.Headword, e.Senses, e.Phrases);
            else if (e.Kind == PhraseEntry)
                writer.AddPhraseEntry(l, e.Headword, e.Phrases.front());
            else
                writer.AddOtherEntry(l, e.Kind, e.Headword);
        }
    return writer;
}

TDictWriter WriterFor(const DictSource& source, const FormedLists& lists)
{
    TDictWriter writer;
    for (Language l = 0; l < LanguageCount; ++l)
        for (const auto& e : lists[l].Entries) {
            std::vector<const PhraseRecord*> phrases;
            for (std::uint32_t p : lists[l].PhrasesOf(e))
                phrases.push_back(&source.Phrases[p].Record);
            if (e.Kind == PhraseEntry) {
                writer.AddPhraseEntryByRef(l, e.Headword, phrases.front());
                continue;
            }
            std::vector<const SenseRecord*> senses;
            for (std::uint32_t s : lists[l].SensesOf(e))
                senses.push_back(&source.Senses[s].Record);
            writer.AddWordEntryByRef(l, e.Headword, std::move(senses), std::move(phrases));
        }
    return writer;
}

std::string ReadSourceFile(const std::filesystem::path& source, std::size_t limit)
{
    const std::string name = Printable(source.string());
    try {
        return ReadRegularFile(source, TLinks::Follow, limit);
    } catch (const EFileAccess& failure) {
        if (failure.Fault() == TFileFault::TooLarge)
            throw std::runtime_error(name + ": the source is larger than " + std::to_string(limit) +
                                     " bytes, more than any dictionary within the format's 50,000,000 bytes needs");
        throw std::runtime_error(name + ": cannot be read (" + failure.what() + ")");
    }
}

void CompileFile(const std::filesystem::path& source, const std::filesystem::path& output,
                 std::ostream& warnings)
{
    RequireWritableTarget(output);
    DictSource parsed = ParseSource(ReadSourceFile(source), Printable(source.string()));
    const FormedLists lists = FormEntryRefs(parsed);
    for (const auto& warning : parsed.Warnings)
        warnings << warning << '\n';
    try {
        WriterFor(parsed, lists).WriteFile(output);
    } catch (const std::length_error&) {
        throw SourceError(Printable(source.string()) +
                          ": the dictionary would exceed 50,000,000 bytes, the format's limit");
    }
}

} // namespace morva
