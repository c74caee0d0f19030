// Finding a word as the user has it, on the largest file: building the indexes, word forms,
// suggestions and search inside the articles.

#include "bench/BenchFiles.h"
#include "engine/KovrObj.h"
#include "lookup/ArticleIndex.h"
#include "lookup/EntryTexts.h"
#include "lookup/Suggestions.h"
#include "lookup/TextFold.h"
#include "lookup/WordForms.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace morva {
namespace {

TUzDictionary& Dictionary()
{
    static TUzDictionary dict(bench::LargeFile());
    return dict;
}

// Headwords from all over the list, each changed as stated.
template <class Change>
std::vector<std::string> Probes(Language list, Change change)
{
    const TUzDictionary& dict = Dictionary();
    std::vector<std::string> probes;
    const std::int32_t step = dict.Count(list) / 64;
    for (std::int32_t i = step / 2; i < dict.Count(list); i += step)
        probes.push_back(change(LowerDictText(dict.Headword(list, i))));
    return probes;
}

void BM_BuildSuggestions(benchmark::State& state)
{
    const Language list = Language(state.range(0));
    std::size_t bytes = 0;
    for (auto _ : state) {
        TSuggestionIndex index(Dictionary(), list);
        bytes = index.MemoryBytes();
    }
    state.counters["MB"] = double(bytes) / 1e6;
    state.counters["headwords"] = Dictionary().Count(list);
}
BENCHMARK(BM_BuildSuggestions)->DenseRange(0, 2)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_BuildArticleIndex(benchmark::State& state)
{
    std::size_t bytes = 0;
    for (auto _ : state) {
        TArticleIndex index(Dictionary());
        bytes = index.MemoryBytes();
    }
    state.counters["MB"] = double(bytes) / 1e6;
}
BENCHMARK(BM_BuildArticleIndex)->Unit(benchmark::kMillisecond)->Iterations(2);

void BM_OpenWordForms(benchmark::State& state)
{
    for (auto _ : state)
        TWordForms forms(Dictionary());
}
BENCHMARK(BM_OpenWordForms)->Unit(benchmark::kMillisecond)->Iterations(2);

// Everything the program keeps, built once: what it adds to the resident memory.
void BM_AllIndexesMemory(benchmark::State& state)
{
    Dictionary();
    for (auto _ : state) {
        const double before = bench::ResidentMegabytes();
        auto forms = std::make_unique<TWordForms>(Dictionary());
        std::vector<std::unique_ptr<TSuggestionIndex>> suggestions;
        for (Language l = 0; l < LanguageCount; ++l)
            suggestions.push_back(std::make_unique<TSuggestionIndex>(Dictionary(), l));
        auto articles = std::make_unique<TArticleIndex>(Dictionary());
        state.counters["added_MB"] = bench::ResidentMegabytes() - before;
    }
}
BENCHMARK(BM_AllIndexesMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

const char16_t* const FormEndings[LanguageCount] = {u"s", u"\u043b\u0430\u0440\u0438\u043c\u0438\u0437\u0434\u0430\u043d",
                                                    u"\u0430\u043c\u0438"};

void BM_Forms(benchmark::State& state)
{
    const Language list = Language(state.range(0));
    static TWordForms forms(Dictionary());
    std::string ending;
    for (char16_t c : std::u16string_view(FormEndings[list]))
        ending += c < 0x80 ? char(c) : char(c - 0x430 + 0xE0); // plain Cyrillic letters only
    const auto probes = Probes(list, [&](std::string h) { return h + ending; });
    std::size_t at = 0, found = 0;
    for (auto _ : state) {
        found += !forms.BaseHeadwords(list, probes[at]).empty();
        at = (at + 1) % probes.size();
    }
    state.counters["found"] = double(found) / double(state.iterations());
}
BENCHMARK(BM_Forms)->DenseRange(0, 2)->Unit(benchmark::kMicrosecond);

void BM_Suggest(benchmark::State& state)
{
    const Language list = Language(state.range(0));
    static std::unique_ptr<TSuggestionIndex> indexes[LanguageCount];
    if (!indexes[list])
        indexes[list] = std::make_unique<TSuggestionIndex>(Dictionary(), list);
    // One typing slip in the middle: two neighbours swapped.
    const auto probes = Probes(list, [](std::string h) {
        if (h.size() >= 4)
            std::swap(h[h.size() / 2], h[h.size() / 2 - 1]);
        return h;
    });
    std::size_t at = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(indexes[list]->Suggest(probes[at], 10));
        at = (at + 1) % probes.size();
    }
}
BENCHMARK(BM_Suggest)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_SearchArticles(benchmark::State& state)
{
    static TArticleIndex index(Dictionary());
    // Words of the Russian translations of English entries from all over the list.
    std::vector<std::string> words;
    const std::int32_t step = Dictionary().Count(English) / 64;
    for (std::int32_t i = step / 2; i < Dictionary().Count(English); i += step)
        for (const EntryText& text : EntryTranslations(Dictionary(), English, i, Russian))
            for (std::string_view word : SplitWords(text.Text))
                if (word.size() >= 2)
                    words.emplace_back(word);
    std::size_t at = 0, hits = 0;
    for (auto _ : state) {
        hits += index.Search(Russian, words[at], 100).size();
        at = (at + 1) % words.size();
    }
    state.counters["hits"] = double(hits) / double(state.iterations());
}
BENCHMARK(BM_SearchArticles)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace morva
