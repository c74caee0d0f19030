// Collation and lookup on the largest file: the binary searches against the linear scans
// that define their results.

#include "bench/BenchFiles.h"
#include "engine/Collation.h"
#include "engine/KovrObj.h"
#include "engine/LinearSearch.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace morva {
namespace {

TUzDictionary& Dictionary()
{
    static TUzDictionary dict(bench::LargeFile());
    return dict;
}

// Texts as people look them up: headwords from all over the list, in another letter case,
// cut short (what is typed), and lengthened past any headword.
const std::vector<std::string>& Probes()
{
    static const std::vector<std::string> probes = [] {
        const TUzDictionary& dict = Dictionary();
        std::vector<std::string> texts;
        const std::int32_t step = dict.Count() / 64;
        for (std::int32_t i = step / 2; i < dict.Count(); i += step) {
            std::string h = dict.Headword(i);
            texts.push_back(h);
            texts.push_back(h.substr(0, (h.size() + 1) / 2));
            texts.push_back(h + "zz");
            for (auto& c : h)
                if (c >= 'a' && c <= 'z')
                    c = char(c - 'a' + 'A');
            texts.push_back(h);
        }
        return texts;
    }();
    return probes;
}

template <class Search>
void RunProbes(benchmark::State& state, Search search)
{
    Dictionary().SelectSourceLanguage(English);
    const auto& probes = Probes();
    search(probes.front()); // the first search checks the list's order once
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(search(probes[i]));
        i = i + 1 == probes.size() ? 0 : i + 1;
    }
    state.counters["headwords"] = double(Dictionary().Count());
}

void BM_FindHeadword(benchmark::State& state)
{
    RunProbes(state, [](const std::string& t) { return Dictionary().FindHeadword(t); });
}
BENCHMARK(BM_FindHeadword)->Unit(benchmark::kMicrosecond);

void BM_LinearFindHeadword(benchmark::State& state)
{
    RunProbes(state, [](const std::string& t) { return LinearFindHeadword(Dictionary(), Dictionary().SourceLanguage(), t); });
}
BENCHMARK(BM_LinearFindHeadword)->Unit(benchmark::kMicrosecond);

void BM_NearestHeadword(benchmark::State& state)
{
    RunProbes(state, [](const std::string& t) { return Dictionary().NearestHeadword(t); });
}
BENCHMARK(BM_NearestHeadword)->Unit(benchmark::kMicrosecond);

void BM_LinearNearestHeadword(benchmark::State& state)
{
    RunProbes(state, [](const std::string& t) { return LinearNearestHeadword(Dictionary(), Dictionary().SourceLanguage(), t); });
}
BENCHMARK(BM_LinearNearestHeadword)->Unit(benchmark::kMicrosecond);

// Neighbouring headwords share long prefixes: the comparisons the searches make.
void BM_CompareHeadwords(benchmark::State& state)
{
    TUzDictionary& dict = Dictionary();
    dict.SelectSourceLanguage(English);
    std::vector<std::string> words;
    for (std::int32_t i = 0; i < dict.Count(); i += 97)
        words.push_back(dict.Headword(i));
    std::size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(CompareHeadwords(words[i], words[i + 1]));
        i = i + 2 >= words.size() ? 0 : i + 1;
    }
}
BENCHMARK(BM_CompareHeadwords);

} // namespace
} // namespace morva

