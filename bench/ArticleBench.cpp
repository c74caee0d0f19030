// Article rendering: the richest entry of the largest synthetic dictionary, and every entry of
// the sample dictionary under all six language pairs.

#include "bench/BenchFiles.h"
#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "tools/DictCompiler.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

namespace morva {
namespace {

// Number of records an entry names: its senses and phrases.
std::size_t RecordCount(const TUzDictionary& dict, std::int32_t index)
{
    const DictImage& image = dict.Image();
    const std::size_t entry = dict.EntryOffset(index);
    if (image.Word(entry) != WordEntry)
        return 1;
    std::size_t at = entry + 8, count = 0;
    for (int run = 0; run < 2; ++run, at += 4)
        for (; image.Word(at) != 0; at += 4)
            ++count;
    return count;
}

struct Richest {
    Language source = English;
    std::int32_t index = 0;
    std::size_t records = 0;
};

Richest FindRichest(TUzDictionary& dict)
{
    Richest best;
    for (Language l : {English, Uzbek, Russian}) {
        dict.SelectSourceLanguage(l);
        for (std::int32_t i = 0; i < dict.Count(); ++i) {
            const std::size_t records = RecordCount(dict, i);
            if (records > best.records)
                best = {l, i, records};
        }
    }
    return best;
}

void BM_ArticleHtmlRichestEntry(benchmark::State& state)
{
    static TUzDictionary dict(bench::LargeFile());
    static const Richest richest = FindRichest(dict);
    dict.SelectSourceLanguage(richest.source);
    dict.SetTargetLanguage(richest.source == English ? Uzbek : English);
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string html = dict.ArticleHtml(richest.index);
        bytes = html.size();
        benchmark::DoNotOptimize(html.data());
    }
    state.counters["records"] = double(richest.records);
    state.counters["html_bytes"] = double(bytes);
    state.counters["file_bytes"] = double(dict.Image().Size());
}
BENCHMARK(BM_ArticleHtmlRichestEntry)->Unit(benchmark::kMicrosecond);

TUzDictionary SampleDictionary()
{
    std::ifstream in(MORVA_SAMPLE_SOURCE, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    DictSource source = ParseSource(text.str(), MORVA_SAMPLE_SOURCE);
    DictLists lists = FormEntries(source);
    return TUzDictionary(WriterFor(lists).FileBytes());
}

void BM_RenderSampleDictionary(benchmark::State& state)
{
    static TUzDictionary dict = SampleDictionary();
    std::int64_t articles = 0;
    for (auto _ : state) {
        for (Language source : {English, Uzbek, Russian}) {
            dict.SelectSourceLanguage(source);
            for (Language target : {English, Uzbek, Russian}) {
                if (target == source)
                    continue;
                dict.SetTargetLanguage(target);
                for (std::int32_t i = 0; i < dict.Count(); ++i)
                    benchmark::DoNotOptimize(dict.ArticleHtml(i).size());
                articles += dict.Count();
            }
        }
    }
    state.SetItemsProcessed(articles);
}
BENCHMARK(BM_RenderSampleDictionary)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace morva
