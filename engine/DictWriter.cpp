#include "engine/DictWriter.h"

#include "engine/Collation.h"
#include "engine/FileFormat.h"
#include "engine/FileReplace.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>
#include <unordered_map>

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

struct PointeeEqual {
    template <class T>
    bool operator()(const T* a, const T* b) const
    {
        return *a == *b;
    }
};

// Lays out records and texts once each, sharing equal ones by offset.
class Layout {
public:
    std::vector<std::uint32_t> words; // everything before the texts, as words
    std::vector<std::string_view> textOrder;
    std::unordered_map<const SenseRecord*, std::size_t, PointeeHash, PointeeEqual> senseAt;   // word position
    std::unordered_map<const PhraseRecord*, std::size_t, PointeeHash, PointeeEqual> phraseAt; // word position

    // Texts are referenced by placeholder until their offsets are known.
    std::uint32_t TextRef(std::string_view text)
    {
        auto [it, added] = texts_.try_emplace(text, std::uint32_t(textOrder.size()));
        if (added)
            textOrder.push_back(text);
        return it->second;
    }

private:
    std::unordered_map<std::string_view, std::uint32_t> texts_;
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
    lists_[list].push_back({WordEntry, std::move(headword), std::move(senses), std::move(phrases)});
}

void TDictWriter::AddPhraseEntry(Language list, std::string headword, PhraseRecord phrase)
{
    AddPhraseEntryByRef(list, std::move(headword), &own_->phrases.emplace_back(std::move(phrase)));
}

void TDictWriter::AddPhraseEntryByRef(Language list, std::string headword, const PhraseRecord* phrase)
{
    lists_[list].push_back({PhraseEntry, std::move(headword), {}, {phrase}});
}

void TDictWriter::AddOtherEntry(Language list, std::uint32_t kind, std::string headword)
{
    lists_[list].push_back({kind, std::move(headword), {}, {}});
}

std::vector<std::uint8_t> TDictWriter::Image() const
{
    // Word positions: header (6 words), then the three lists, then entries, then records.
    std::vector<std::vector<const Entry*>> sorted(LanguageCount);
    for (int l = 0; l < LanguageCount; ++l) {
        for (const auto& e : lists_[l])
            sorted[l].push_back(&e);
        std::stable_sort(sorted[l].begin(), sorted[l].end(), [](const Entry* a, const Entry* b) {
            return CompareHeadwords(a->headword, b->headword) < 0;
        });
    }

    Layout layout;
    auto& w = layout.words;
    w.assign(FileHeaderSize / 4, 0);
    std::size_t listStart[LanguageCount];
    for (int l = 0; l < LanguageCount; ++l) {
        listStart[l] = w.size();
        w.resize(w.size() + sorted[l].size() + 1, 0);
    }

    // Fields that hold a text placeholder, turned into byte offsets at the end.
    std::vector<std::uint32_t> textFields;
    const auto text = [&](const std::string& t) {
        textFields.push_back(std::uint32_t(w.size()));
        w.push_back(layout.TextRef(t));
    };
    // Records are laid out after every entry, so an entry's record words are filled in by a
    // second walk over the entries in the same order.
    for (int l = 0; l < LanguageCount; ++l)
        for (std::size_t i = 0; i < sorted[l].size(); ++i) {
            const Entry* e = sorted[l][i];
            w[listStart[l] + i] = std::uint32_t(w.size() * 4);
            w.push_back(e->kind);
            text(e->headword);
            if (e->kind == WordEntry)
                w.resize(w.size() + e->senses.size() + 1 + e->phrases.size() + 1, 0);
            else if (e->kind == PhraseEntry)
                w.push_back(0);
        }
    const auto senseRecord = [&](const SenseRecord* s) {
        auto [it, added] = layout.senseAt.try_emplace(s, w.size());
        if (added)
            for (const auto* t : {&s->English, &s->Transcription, &s->Reserved, &s->Uzbek, &s->Russian})
                text(*t);
        return std::uint32_t(it->second * 4);
    };
    const auto phraseRecord = [&](const PhraseRecord* p) {
        auto [it, added] = layout.phraseAt.try_emplace(p, w.size());
        if (added)
            for (const auto* t : {&p->English, &p->Uzbek, &p->Russian})
                text(*t);
        return std::uint32_t(it->second * 4);
    };
    // Senses first, then phrases, each in the order the entries list them.
    for (const bool senses : {true, false})
        for (int l = 0; l < LanguageCount; ++l)
            for (std::size_t i = 0; i < sorted[l].size(); ++i) {
                const Entry* e = sorted[l][i];
                std::size_t slot = w[listStart[l] + i] / 4 + 2;
                if (e->kind == WordEntry && senses) {
                    for (const SenseRecord* s : e->senses)
                        w[slot++] = senseRecord(s);
                } else if (e->kind == WordEntry) {
                    slot += e->senses.size() + 1;
                    for (const PhraseRecord* p : e->phrases)
                        w[slot++] = phraseRecord(p);
                } else if (e->kind == PhraseEntry && !senses) {
                    w[slot] = phraseRecord(e->phrases.front());
                }
            }
    for (int l = 0; l < LanguageCount; ++l)
        w[HeaderListsWord / 4 + l] = std::uint32_t(listStart[l] * 4);

    // Texts follow the words, in order of first use.
    std::vector<std::uint32_t> textOffset(layout.textOrder.size());
    std::size_t size = w.size() * 4;
    for (std::size_t i = 0; i < layout.textOrder.size(); ++i) {
        if (size > MaxFileSize)
            break;
        textOffset[i] = std::uint32_t(size);
        size += layout.textOrder[i].size() + 1;
    }
    if (size > MaxFileSize)
        throw std::length_error("the dictionary would exceed 50,000,000 bytes");
    for (auto f : textFields)
        w[f] = textOffset[w[f]];
    w[HeaderLengthWord / 4] = std::uint32_t(size);

    std::vector<std::uint8_t> image(size, 0);
    for (std::size_t i = 0; i < w.size(); ++i)
        WriteWord(image, i * 4, w[i]);
    for (std::size_t i = 0; i < layout.textOrder.size(); ++i)
        std::copy(layout.textOrder[i].begin(), layout.textOrder[i].end(), image.begin() + textOffset[i]);
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
