#include "lookup/ArticleIndex.h"

#include "engine/KovrObj.h"
#include "lookup/EntryTexts.h"
#include "lookup/TextFold.h"
#include "lookup/VarintGaps.h"

#include <algorithm>
#include <utility>

namespace morva {
namespace {

// List, index and rank in one word, so that an entry's postings sort together, best first.
constexpr int IndexBits = 28;

std::uint32_t Pack(Language list, int rank, std::int32_t index)
{
    return std::uint32_t(list) << 30 | std::uint32_t(index) << 2 | std::uint32_t(rank);
}

int RankOf(const EntryText& text, std::size_t wordCount)
{
    return text.IsPhrase ? 2 : wordCount == 1 ? 0 : 1;
}

// Sorts the pairs by hash and posting: first into buckets by the hash's top bits in one
// pass, then each small bucket on its own, which is much quicker than one sort of millions.
void SortPostings(std::vector<std::pair<std::uint64_t, std::uint32_t>>& pairs)
{
    constexpr int BucketBits = 16;
    std::vector<std::uint32_t> starts((1u << BucketBits) + 1);
    for (const auto& pair : pairs)
        ++starts[(pair.first >> (64 - BucketBits)) + 1];
    for (std::size_t b = 1; b < starts.size(); ++b)
        starts[b] += starts[b - 1];
    std::vector<std::pair<std::uint64_t, std::uint32_t>> sorted(pairs.size());
    std::vector<std::uint32_t> at(starts.begin(), starts.end() - 1);
    for (const auto& pair : pairs)
        sorted[at[pair.first >> (64 - BucketBits)]++] = pair;
    for (std::size_t b = 0; b + 1 < starts.size(); ++b)
        std::sort(sorted.begin() + starts[b], sorted.begin() + starts[b + 1]);
    pairs = std::move(sorted);
}

} // namespace

TArticleIndex::TArticleIndex(const TUzDictionary& dict)
{
    std::vector<std::pair<std::uint64_t, std::uint32_t>> all[LanguageCount];
    for (auto& pairs : all)
        pairs.reserve(dict.Image().Size() / 16); // about what a full file gives
    std::vector<std::string_view> words;
    for (Language list = 0; list < LanguageCount; ++list) {
        for (std::int32_t i = 0; i < dict.Count(list) && i < (1 << IndexBits); ++i) {
            for (Language language = 0; language < LanguageCount; ++language) {
                if (language == list)
                    continue;
                ForEachTranslation(dict, list, i, language, [&](const EntryText& text) {
                    words.clear();
                    SplitWords(text.Text, words);
                    const int rank = RankOf(text, words.size());
                    for (std::string_view word : words)
                        if (word.size() >= 2)
                            all[language].emplace_back(CollationHash(word), Pack(list, rank, i));
                });
            }
        }
    }
    for (Language language = 0; language < LanguageCount; ++language) {
        auto& pairs = all[language];
        SortPostings(pairs);
        pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
        Words& words = words_[language];
        words.Postings.reserve(pairs.size() * 2);
        std::uint32_t previous = 0;
        for (std::size_t at = 0; at < pairs.size(); ++at) {
            if (at == 0 || pairs[at].first != pairs[at - 1].first) {
                words.Hashes.push_back(pairs[at].first);
                words.Starts.push_back(std::uint32_t(words.Postings.size()));
                previous = 0;
            }
            AppendGap(words.Postings, pairs[at].second - previous);
            previous = pairs[at].second;
        }
        words.Starts.push_back(std::uint32_t(words.Postings.size()));
        std::vector<std::pair<std::uint64_t, std::uint32_t>>().swap(pairs);
        words.Hashes.shrink_to_fit();
        words.Starts.shrink_to_fit();
        words.Postings.shrink_to_fit();
    }
}

std::vector<ArticleHit> TArticleIndex::Hits(Language language, std::string_view word) const
{
    const Words& words = words_[language];
    std::vector<ArticleHit> hits;
    const auto found = std::lower_bound(words.Hashes.begin(), words.Hashes.end(), CollationHash(word));
    if (found == words.Hashes.end() || *found != CollationHash(word))
        return hits;
    const std::size_t at = std::size_t(found - words.Hashes.begin());
    std::uint32_t packed = 0;
    for (std::uint32_t p = words.Starts[at]; p < words.Starts[at + 1];) {
        packed += ReadGap(words.Postings, p);
        const ArticleHit hit{{Language(packed >> 30), language},
                             std::int32_t(packed >> 2 & ((1u << IndexBits) - 1)), int(packed & 3)};
        // One hit per entry, at its best rank.
        if (!hits.empty() && hits.back().Pair == hit.Pair && hits.back().Index == hit.Index)
            continue;
        hits.push_back(hit);
    }
    return hits;
}

std::vector<ArticleHit> TArticleIndex::Search(Language language, std::string_view text, std::size_t limit) const
{
    std::vector<ArticleHit> result;
    const auto words = SplitWords(text);
    if (words.empty())
        return result;
    const auto byEntry = [](const ArticleHit& a, const ArticleHit& b) {
        return std::pair(a.Pair.Source, a.Index) < std::pair(b.Pair.Source, b.Index);
    };
    for (std::size_t w = 0; w < words.size(); ++w) {
        std::vector<ArticleHit> hits = Hits(language, words[w]);
        std::sort(hits.begin(), hits.end(), byEntry);
        if (w == 0) {
            result = std::move(hits);
            continue;
        }
        // Every word must be there; an entry ranks by its worst word.
        std::vector<ArticleHit> both;
        for (auto a = result.begin(), b = hits.begin(); a != result.end() && b != hits.end();) {
            if (byEntry(*a, *b)) {
                ++a;
            } else if (byEntry(*b, *a)) {
                ++b;
            } else {
                both.push_back(*a);
                both.back().Rank = std::max(a->Rank, b->Rank);
                ++a, ++b;
            }
        }
        result = std::move(both);
    }
    std::stable_sort(result.begin(), result.end(), [&](const ArticleHit& a, const ArticleHit& b) {
        return a.Rank != b.Rank ? a.Rank < b.Rank : byEntry(a, b);
    });
    if (result.size() > limit)
        result.resize(limit);
    return result;
}

std::size_t TArticleIndex::MemoryBytes() const
{
    std::size_t bytes = 0;
    for (const Words& words : words_)
        bytes += words.Hashes.size() * 8 + words.Starts.size() * 4 + words.Postings.size();
    return bytes;
}

} // namespace morva
