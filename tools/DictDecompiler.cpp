#include "tools/DictDecompiler.h"

#include "engine/Collation.h"
#include "engine/FileFormat.h"
#include "engine/Printable.h"
#include "text/Utf8.h"

#include <map>
#include <queue>
#include <set>

namespace morva {
namespace {

std::string ReadText(const DictImage& image, std::size_t wordAt)
{
    return std::string(image.Text(image.Word(wordAt)));
}

SenseRecord ReadSense(const DictImage& image, std::size_t at)
{
    // Word 2 is reserved and never read.
    return {ReadText(image, at), ReadText(image, at + 4), {}, ReadText(image, at + 12), ReadText(image, at + 16)};
}

PhraseRecord ReadPhrase(const DictImage& image, std::size_t at)
{
    return {ReadText(image, at), ReadText(image, at + 4), ReadText(image, at + 8)};
}

// Records in one order that keeps every given sequence's order (Kahn's algorithm, earliest
// first-seen record first). A file the compiler did not make may have no such order; then the
// earliest waiting record goes next and the round-trip check reports the difference.
template <class Record>
class RecordOrder {
public:
    std::size_t Add(const Record& record)
    {
        auto [it, added] = ids_.try_emplace(record, records_.size());
        if (added) {
            records_.push_back(&it->first);
            after_.emplace_back();
        }
        return it->second;
    }

    void Sequence(const std::vector<std::size_t>& ids)
    {
        for (std::size_t i = 1; i < ids.size(); ++i)
            if (ids[i - 1] != ids[i] && edges_.insert({ids[i - 1], ids[i]}).second)
                after_[ids[i - 1]].push_back(ids[i]);
    }

    std::vector<const Record*> Ordered() const
    {
        std::vector<std::size_t> waitingOn(records_.size(), 0);
        for (const auto& [from, to] : edges_)
            ++waitingOn[to];
        std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
        std::set<std::size_t> left;
        for (std::size_t id = 0; id < records_.size(); ++id) {
            left.insert(id);
            if (waitingOn[id] == 0)
                ready.push(id);
        }
        std::vector<const Record*> order;
        while (!left.empty()) {
            std::size_t id;
            if (ready.empty()) {
                id = *left.begin();
            } else {
                id = ready.top();
                ready.pop();
                if (!left.count(id))
                    continue;
            }
            left.erase(id);
            order.push_back(records_[id]);
            for (std::size_t next : after_[id])
                if (--waitingOn[next] == 0 && left.count(next))
                    ready.push(next);
        }
        return order;
    }

private:
    std::map<Record, std::size_t> ids_;
    std::vector<const Record*> records_;
    std::vector<std::vector<std::size_t>> after_;
    std::set<std::pair<std::size_t, std::size_t>> edges_;
};

// Texts of a file may hold control bytes: messages show them escaped.
std::string Utf8(const std::string& dictText)
{
    return Printable(DictTextToUtf8(dictText));
}

std::string Describe(Language l, std::size_t index, const DictEntry& e)
{
    return std::string(LanguageTags[l]) + " list, entry " + std::to_string(index) + " \"" + Utf8(e.Headword) + "\"";
}

} // namespace

DictLists ReadLists(const DictImage& image)
{
    DictLists lists;
    for (Language l = 0; l < LanguageCount; ++l) {
        std::size_t at = image.Word(HeaderListsWord + 4 * std::size_t(l));
        for (std::uint32_t entry; (entry = image.Word(at)) != 0; at += 4) {
            DictEntry e{image.Word(entry), ReadText(image, entry + 4), {}, {}};
            if (e.Kind == WordEntry) {
                std::size_t p = entry + 8;
                for (std::uint32_t r; (r = image.Word(p)) != 0; p += 4)
                    e.Senses.push_back(ReadSense(image, r));
                for (std::uint32_t r; (r = image.Word(p += 4)) != 0;)
                    e.Phrases.push_back(ReadPhrase(image, r));
            } else if (e.Kind == PhraseEntry) {
                e.Phrases.push_back(ReadPhrase(image, image.Word(entry + 8)));
            }
            lists[l].push_back(std::move(e));
        }
    }
    return lists;
}

std::string DecompileLists(const DictLists& lists)
{
    RecordOrder<SenseRecord> senses;
    RecordOrder<PhraseRecord> phrases;
    std::set<std::size_t> phraseEntries;
    for (const auto& list : lists) {
        std::vector<std::size_t> entryRun; // phrase entries of one headword, in the order formed
        const DictEntry* runHead = nullptr;
        for (const auto& e : list) {
            std::vector<std::size_t> ids;
            for (const auto& s : e.Senses)
                ids.push_back(senses.Add(s));
            senses.Sequence(ids);
            ids.clear();
            for (const auto& p : e.Phrases)
                ids.push_back(phrases.Add(p));
            if (e.Kind == WordEntry) {
                phrases.Sequence(ids);
            } else if (e.Kind == PhraseEntry) {
                phraseEntries.insert(ids.front());
                if (!runHead || CompareHeadwords(runHead->Headword, e.Headword) != 0) {
                    phrases.Sequence(entryRun);
                    entryRun.clear();
                    runHead = &e;
                }
                entryRun.push_back(ids.front());
            }
        }
        phrases.Sequence(entryRun);
    }

    DictSource source;
    for (const SenseRecord* s : senses.Ordered())
        source.Senses.push_back({*s, 0});
    for (const PhraseRecord* p : phrases.Ordered())
        source.Phrases.push_back({*p, phraseEntries.count(phrases.Add(*p)) > 0, 0});

    // Word entries the records alone would not make, or would spell otherwise. They come
    // first, so that their spelling is the one met first.
    DictLists formed;
    try {
        DictSource automatic = source;
        formed = FormEntries(automatic);
    } catch (const SourceError&) {
        // Some list is empty without W records; every word entry of it then needs one.
    }
    for (Language l = 0; l < LanguageCount; ++l) {
        std::set<std::string> spellings;
        for (const auto& e : formed[l])
            if (e.Kind == WordEntry)
                spellings.insert(e.Headword);
        for (const auto& e : lists[l])
            if (e.Kind == WordEntry && !spellings.count(e.Headword))
                source.Words.push_back({l, e.Headword, 0});
    }

    int line = 1;
    for (auto& w : source.Words)
        w.Line = line++;
    for (auto& s : source.Senses)
        s.Line = line++;
    for (auto& p : source.Phrases)
        p.Line = line++;
    return "# Dictionary source written by morva-cli decompile.\n" + FormatSource(source);
}

std::string RoundTripFault(const DictLists& lists, const std::string& source)
{
    DictLists again;
    try {
        DictSource parsed = ParseSource(source, "decompiled source");
        again = FormEntries(parsed);
    } catch (const SourceError& e) {
        return e.what();
    }
    SortLikeFile(again);
    for (Language l = 0; l < LanguageCount; ++l) {
        const auto& a = lists[l];
        const auto& b = again[l];
        for (std::size_t i = 0; i < a.size() && i < b.size(); ++i) {
            if (a[i].Kind != b[i].Kind || a[i].Headword != b[i].Headword)
                return Describe(l, i, a[i]) + " comes back as \"" + Utf8(b[i].Headword) + "\" of kind " +
                       std::to_string(b[i].Kind);
            if (a[i].Senses != b[i].Senses)
                return Describe(l, i, a[i]) + " comes back with other senses";
            if (a[i].Phrases != b[i].Phrases)
                return Describe(l, i, a[i]) + " comes back with other phrases";
        }
        if (a.size() != b.size())
            return std::string(LanguageTags[l]) + " list: " + std::to_string(a.size()) + " entries come back as " +
                   std::to_string(b.size());
    }
    return {};
}

} // namespace morva
