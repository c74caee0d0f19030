#include "engine/DictWriter.h"

#include "engine/Collation.h"
#include "engine/FileFormat.h"
#include "engine/FileReplace.h"
#include "engine/NumberIndex.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace morva {
namespace {

// Equal records are laid out once: they are keyed by what they hold, not where they are.
struct PointeeHash {
    static std::size_t Of(std::initializer_list<const std::string*> texts)
    {
        std::size_t h = 0;
        for (const std::string* t : texts)
            h = h * 1'000'003 ^ std::hash<std::string>()(*t);
        return h;
    }
    std::size_t operator()(const SenseRecord* s) const
    {
        return Of({&s->English, &s->Transcription, &s->Reserved, &s->Uzbek, &s->Russian});
    }
    std::size_t operator()(const PhraseRecord* p) const { return Of({&p->English, &p->Uzbek, &p->Russian}); }
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

} // namespace

void TDictWriter::AddWordEntry(Language list, std::string headword, std::vector<SenseRecord> senses,
                               std::vector<PhraseRecord> phrases)
{
    AddWordEntryByRef(list, std::move(headword), Pointers(own_->senses, std::move(senses)),
                      Pointers(own_->phrases, std::move(phrases)));
}

void TDictWriter::AddWordEntryByRef(Language list, std::string headword, std::vector<const SenseRecord*> senses,
                                    std::vector<const PhraseRecord*> phrases)
{
    AddEntry(list, WordEntry, std::move(headword), senses, phrases);
}

void TDictWriter::AddPhraseEntry(Language list, std::string headword, PhraseRecord phrase)
{
    AddPhraseEntryByRef(list, std::move(headword), &own_->phrases.emplace_back(std::move(phrase)));
}

void TDictWriter::AddPhraseEntryByRef(Language list, std::string headword, const PhraseRecord* phrase)
{
    AddEntry(list, PhraseEntry, std::move(headword), {}, {&phrase, 1});
}

void TDictWriter::AddOtherEntry(Language list, std::uint32_t kind, std::string headword)
{
    AddEntry(list, kind, std::move(headword), {}, {});
}

void TDictWriter::AddEntry(Language list, std::uint32_t kind, std::string headword,
                           std::span<const SenseRecord* const> senses, std::span<const PhraseRecord* const> phrases)
{
    lists_[list].push_back({kind, std::move(headword), std::uint32_t(senseRefs_.size()), std::uint32_t(senses.size()),
                            std::uint32_t(phraseRefs_.size()), std::uint32_t(phrases.size())});
    senseRefs_.insert(senseRefs_.end(), senses.begin(), senses.end());
    phraseRefs_.insert(phraseRefs_.end(), phrases.begin(), phrases.end());
}

std::span<const SenseRecord* const> TDictWriter::SensesOf(const Entry& e) const
{
    return std::span(senseRefs_).subspan(e.firstSense, e.senseCount);
}

std::span<const PhraseRecord* const> TDictWriter::PhrasesOf(const Entry& e) const
{
    return std::span(phraseRefs_).subspan(e.firstPhrase, e.phraseCount);
}

std::vector<std::uint8_t> TDictWriter::Image() const
{
    // The lists in collation order, equal headwords in the order added.
    std::vector<const Entry*> sorted[LanguageCount];
    for (int l = 0; l < LanguageCount; ++l) {
        for (const auto& e : lists_[l])
            sorted[l].push_back(&e);
        std::stable_sort(sorted[l].begin(), sorted[l].end(), [](const Entry* a, const Entry* b) {
            return CompareHeadwords(a->headword, b->headword) < 0;
        });
    }
    const auto forEachEntry = [&sorted](auto f) {
        for (const auto& list : sorted)
            for (const Entry* e : list)
                f(*e);
    };

    // Each distinct record once, in the order the entries list them.
    RecordTable<SenseRecord> senses;
    RecordTable<PhraseRecord> phrases;
    forEachEntry([&](const Entry& e) {
        for (const SenseRecord* s : SensesOf(e))
            senses.Add(s);
    });
    forEachEntry([&](const Entry& e) {
        for (const PhraseRecord* p : PhrasesOf(e))
            phrases.Add(p);
    });

    // Word positions: the header, the three lists, the entries, the senses, the phrases.
    std::size_t listStart[LanguageCount];
    std::size_t at = FileHeaderSize / 4;
    for (int l = 0; l < LanguageCount; ++l) {
        listStart[l] = at;
        at += sorted[l].size() + 1;
    }
    forEachEntry([&](const Entry& e) {
        at += e.kind == WordEntry ? 2 + SensesOf(e).size() + 1 + PhrasesOf(e).size() + 1 : e.kind == PhraseEntry ? 3 : 2;
    });
    const std::size_t sensesStart = at;
    const std::size_t phrasesStart = sensesStart + SenseRecordWords * senses.Order().size();
    const std::size_t wordsEnd = phrasesStart + PhraseRecordWords * phrases.Order().size();

    // Texts follow the words, each once, in order of first use: the headwords', then the
    // records' in their order.
    TextTable texts;
    forEachEntry([&](const Entry& e) { texts.Ref(e.headword); });
    for (const SenseRecord* s : senses.Order())
        for (const auto* t : {&s->English, &s->Transcription, &s->Reserved, &s->Uzbek, &s->Russian})
            texts.Ref(*t);
    for (const PhraseRecord* p : phrases.Order())
        for (const auto* t : {&p->English, &p->Uzbek, &p->Russian})
            texts.Ref(*t);
    const auto& textOrder = texts.Order();
    std::vector<std::uint32_t> textOffset(textOrder.size());
    std::size_t size = wordsEnd * 4;
    for (std::size_t i = 0; i < textOrder.size(); ++i) {
        if (size > MaxFileSize)
            break;
        textOffset[i] = std::uint32_t(size);
        size += textOrder[i]->size() + 1;
    }
    if (size > MaxFileSize)
        throw std::length_error("the dictionary would exceed 50,000,000 bytes");

    // The words, straight into the image.
    std::vector<std::uint8_t> image(size, 0);
    const auto put = [&image](std::size_t word, std::size_t value) { WriteWord(image, word * 4, std::uint32_t(value)); };
    const auto text = [&](const std::string& t) { return textOffset[texts.Ref(t)]; };
    put(HeaderLengthWord / 4, size);
    at = listStart[LanguageCount - 1] + sorted[LanguageCount - 1].size() + 1;
    for (int l = 0; l < LanguageCount; ++l) {
        put(HeaderListsWord / 4 + l, listStart[l] * 4);
        for (std::size_t i = 0; i < sorted[l].size(); ++i) {
            const Entry& e = *sorted[l][i];
            put(listStart[l] + i, at * 4);
            put(at++, e.kind);
            put(at++, text(e.headword));
            if (e.kind == WordEntry) {
                for (const SenseRecord* s : SensesOf(e))
                    put(at++, (sensesStart + SenseRecordWords * senses.Number(s)) * 4);
                ++at;
                for (const PhraseRecord* p : PhrasesOf(e))
                    put(at++, (phrasesStart + PhraseRecordWords * phrases.Number(p)) * 4);
                ++at;
            } else if (e.kind == PhraseEntry) {
                put(at++, (phrasesStart + PhraseRecordWords * phrases.Number(PhrasesOf(e).front())) * 4);
            }
        }
    }
    for (const SenseRecord* s : senses.Order())
        for (const auto* t : {&s->English, &s->Transcription, &s->Reserved, &s->Uzbek, &s->Russian})
            put(at++, text(*t));
    for (const PhraseRecord* p : phrases.Order())
        for (const auto* t : {&p->English, &p->Uzbek, &p->Russian})
            put(at++, text(*t));
    for (std::size_t i = 0; i < textOrder.size(); ++i)
        std::copy(textOrder[i]->begin(), textOrder[i]->end(), image.begin() + textOffset[i]);
    SealImage(image);
    return image;
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
