#include "engine/DictWriter.h"

#include "engine/Collation.h"
#include "engine/FileFormat.h"
#include "engine/FileReplace.h"
#include "engine/NumberIndex.h"

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string_view>

namespace morva {
namespace {

std::array<const std::string*, 5> TextsOf(const SenseRecord& s)
{
    return {&s.English, &s.Transcription, &s.Reserved, &s.Uzbek, &s.Russian};
}

std::array<const std::string*, 3> TextsOf(const PhraseRecord& p)
{
    return {&p.English, &p.Uzbek, &p.Russian};
}

// Equal records are laid out once: they are keyed by what they hold, not where they are.
struct PointeeHash {
    static std::size_t Of(std::span<const std::string* const> texts)
    {
        std::size_t h = 0;
        for (const std::string* t : texts)
            h = h * 1'000'003 ^ std::hash<std::string>()(*t);
        return h;
    }
    template <class Record>
    std::size_t operator()(const Record* r) const
    {
        return Of(TextsOf(*r));
    }
};

// Texts are numbered in the order of first use, each distinct text once. They are held by
// address: every text lives in an entry or a record that outlasts the table.
class TextTable {
public:
    std::uint32_t Ref(const std::string& text)
    {
        const std::size_t hash = Hash(text);
        if (const std::uint32_t* found = index_.Find(hash, [&](std::uint32_t n) { return *order_[n] == text; }))
            return *found;
        order_.push_back(&text);
        index_.Insert(hash, std::uint32_t(order_.size() - 1), [this](std::uint32_t n) { return Hash(*order_[n]); });
        return std::uint32_t(order_.size() - 1);
    }

    const std::vector<const std::string*>& Order() const { return order_; }

private:
    static std::size_t Hash(const std::string& text) { return std::hash<std::string>()(text); }

    NumberIndex index_;
    std::vector<const std::string*> order_;
};

// Each distinct record once, numbered in the order met.
template <class Record>
class RecordTable {
public:
    void Add(const Record* r)
    {
        const std::size_t hash = PointeeHash()(r);
        if (index_.Find(hash, [&](std::uint32_t n) { return *order_[n] == *r; }))
            return;
        order_.push_back(r);
        index_.Insert(hash, std::uint32_t(order_.size() - 1), [this](std::uint32_t n) { return PointeeHash()(order_[n]); });
    }

    std::uint32_t Number(const Record* r)
    {
        return *index_.Find(PointeeHash()(r), [&](std::uint32_t n) { return *order_[n] == *r; });
    }

    const std::vector<const Record*>& Order() const { return order_; }

private:
    NumberIndex index_;
    std::vector<const Record*> order_;
};

template <class T>
std::vector<const T*> Pointers(std::deque<T>& pool, std::vector<T> records)
{
    std::vector<const T*> pointers;
    pointers.reserve(records.size());
    for (auto& r : records)
        pointers.push_back(&pool.emplace_back(std::move(r)));
    return pointers;
}

// Lays the writer's lists out as one image: the header, the three lists, the entries, the
// senses and the phrases as words, then the texts.
class ImageBuilder {
public:
    using List = TDictWriter::List;
    using Entry = List::Entry;

    explicit ImageBuilder(const List (&lists)[LanguageCount]) : lists_(lists) {}

    std::vector<std::uint8_t> Image()
    {
        SortLists();
        NumberRecords();
        LayOutWords();
        NumberTexts();
        std::vector<std::uint8_t> image(size_, 0);
        WriteWords(image);
        CopyTexts(image);
        SealImage(image);
        return image;
    }

private:
    // The lists in collation order, equal headwords in the order added.
    void SortLists()
    {
        for (int l = 0; l < LanguageCount; ++l) {
            for (const auto& e : lists_[l].Entries)
                sorted_[l].push_back(&e);
            std::stable_sort(sorted_[l].begin(), sorted_[l].end(), [](const Entry* a, const Entry* b) {
                return CompareHeadwords(a->Headword, b->Headword) < 0;
            });
        }
    }

    template <class F>
    void ForEachEntry(F f) const
    {
        for (int l = 0; l < LanguageCount; ++l)
            for (const Entry* e : sorted_[l])
                f(lists_[l], *e);
    }

    // Each distinct record once, in the order the entries list them.
    void NumberRecords()
    {
        ForEachEntry([this](const List& list, const Entry& e) {
            for (const SenseRecord* s : list.SensesOf(e))
                senses_.Add(s);
        });
        ForEachEntry([this](const List& list, const Entry& e) {
            for (const PhraseRecord* p : list.PhrasesOf(e))
                phrases_.Add(p);
        });
    }

    static std::size_t EntryWords(const List& list, const Entry& e)
    {
        if (e.Kind == WordEntry)
            return 2 + list.SensesOf(e).size() + 1 + list.PhrasesOf(e).size() + 1;
        return e.Kind == PhraseEntry ? 3 : 2;
    }

    // Word positions: the header, the three lists, the entries, the senses, the phrases.
    void LayOutWords()
    {
        std::size_t at = FileHeaderSize / 4;
        for (int l = 0; l < LanguageCount; ++l) {
            listStart_[l] = at;
            at += sorted_[l].size() + 1;
        }
        entriesStart_ = at;
        ForEachEntry([&at](const List& list, const Entry& e) { at += EntryWords(list, e); });
        sensesStart_ = at;
        phrasesStart_ = sensesStart_ + SenseRecordWords * senses_.Order().size();
        wordsEnd_ = phrasesStart_ + PhraseRecordWords * phrases_.Order().size();
    }

    // Texts follow the words, each once, in order of first use: the headwords', then the
    // records' in their order.
    void NumberTexts()
    {
        ForEachEntry([this](const List&, const Entry& e) { texts_.Ref(e.Headword); });
        for (const SenseRecord* s : senses_.Order())
            for (const std::string* t : TextsOf(*s))
                texts_.Ref(*t);
        for (const PhraseRecord* p : phrases_.Order())
            for (const std::string* t : TextsOf(*p))
                texts_.Ref(*t);
        const auto& order = texts_.Order();
        textOffset_.resize(order.size());
        size_ = wordsEnd_ * 4;
        for (std::size_t i = 0; i < order.size() && size_ <= MaxFileSize; ++i) {
            textOffset_[i] = std::uint32_t(size_);
            size_ += order[i]->size() + 1;
        }
        if (size_ > MaxFileSize)
            throw std::length_error("the dictionary would exceed 50,000,000 bytes");
    }

    void WriteWords(std::vector<std::uint8_t>& image)
    {
        std::size_t at = entriesStart_;
        const auto put = [&image, &at](std::size_t value) { WriteWord(image, at++ * 4, std::uint32_t(value)); };
        WriteWord(image, HeaderLengthWord, std::uint32_t(size_));
        for (int l = 0; l < LanguageCount; ++l) {
            WriteWord(image, HeaderListsWord + 4 * l, std::uint32_t(listStart_[l] * 4));
            for (std::size_t i = 0; i < sorted_[l].size(); ++i) {
                WriteWord(image, (listStart_[l] + i) * 4, std::uint32_t(at * 4));
                WriteEntry(lists_[l], *sorted_[l][i], put);
            }
        }
        for (const SenseRecord* s : senses_.Order())
            for (const std::string* t : TextsOf(*s))
                put(TextAt(*t));
        for (const PhraseRecord* p : phrases_.Order())
            for (const std::string* t : TextsOf(*p))
                put(TextAt(*t));
    }

    // An entry's words: kind, headword, then a word entry's sense and phrase runs, each
    // closed by a zero word, or a phrase entry's one phrase.
    template <class Put>
    void WriteEntry(const List& list, const Entry& e, Put put)
    {
        put(e.Kind);
        put(TextAt(e.Headword));
        if (e.Kind == WordEntry) {
            for (const SenseRecord* s : list.SensesOf(e))
                put(SenseAt(s));
            put(0);
            for (const PhraseRecord* p : list.PhrasesOf(e))
                put(PhraseAt(p));
            put(0);
        } else if (e.Kind == PhraseEntry) {
            put(PhraseAt(list.PhrasesOf(e).front()));
        }
    }

    void CopyTexts(std::vector<std::uint8_t>& image) const
    {
        const auto& order = texts_.Order();
        for (std::size_t i = 0; i < order.size(); ++i)
            std::copy(order[i]->begin(), order[i]->end(), image.begin() + textOffset_[i]);
    }

    std::uint32_t TextAt(const std::string& text) { return textOffset_[texts_.Ref(text)]; }
    std::size_t SenseAt(const SenseRecord* s) { return (sensesStart_ + SenseRecordWords * senses_.Number(s)) * 4; }
    std::size_t PhraseAt(const PhraseRecord* p) { return (phrasesStart_ + PhraseRecordWords * phrases_.Number(p)) * 4; }

    const List (&lists_)[LanguageCount];
    std::vector<const Entry*> sorted_[LanguageCount];
    RecordTable<SenseRecord> senses_;
    RecordTable<PhraseRecord> phrases_;
    TextTable texts_;
    std::vector<std::uint32_t> textOffset_;
    std::size_t listStart_[LanguageCount] = {};
    std::size_t entriesStart_ = 0, sensesStart_ = 0, phrasesStart_ = 0, wordsEnd_ = 0, size_ = 0;
};

} // namespace

void TDictWriter::AddWordEntry(Language list, std::string headword, std::vector<SenseRecord> senses,
                               std::vector<PhraseRecord> phrases)
{
    AddWordEntryByRef(list, std::move(headword), Pointers(own_->Senses, std::move(senses)),
                      Pointers(own_->Phrases, std::move(phrases)));
}

void TDictWriter::AddWordEntryByRef(Language list, std::string headword, std::vector<const SenseRecord*> senses,
                                    std::vector<const PhraseRecord*> phrases)
{
    lists_[list].Add(WordEntry, std::move(headword), senses, phrases);
}

void TDictWriter::AddPhraseEntry(Language list, std::string headword, PhraseRecord phrase)
{
    AddPhraseEntryByRef(list, std::move(headword), &own_->Phrases.emplace_back(std::move(phrase)));
}

void TDictWriter::AddPhraseEntryByRef(Language list, std::string headword, const PhraseRecord* phrase)
{
    lists_[list].Add(PhraseEntry, std::move(headword), {}, {&phrase, 1});
}

void TDictWriter::AddOtherEntry(Language list, std::uint32_t kind, std::string headword)
{
    lists_[list].Add(kind, std::move(headword), {}, {});
}

std::vector<std::uint8_t> TDictWriter::Image() const
{
    return ImageBuilder(lists_).Image();
}

std::vector<std::uint8_t> ScrambledCopy(std::vector<std::uint8_t> image)
{
    Scramble(image);
    return image;
}

std::vector<std::uint8_t> TDictWriter::FileBytes() const
{
    return ScrambledCopy(Image());
}

void TDictWriter::WriteFile(const std::filesystem::path& path) const
{
    ReplaceFile(path, FileBytes());
}

} // namespace morva
