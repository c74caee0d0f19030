#include "engine/TextRules.h"
#include "lookup/Suggestions.h"

#include "engine/KovrObj.h"
#include "lookup/TextFold.h"
#include "lookup/VarintGaps.h"

#include <algorithm>
#include <tuple>

namespace morva {
namespace {

// Bytes of the letters that stand in for each other (lower case).
constexpr unsigned char Kh = 0xF5, KhUz = 0x9E, Ka = 0xEA, KaUz = 0x9D, Ge = 0xE3, GeUz = 0x83;
constexpr unsigned char A = 0xE0, U = 0xF3, UUz = 0xA2, O = 0xEE, Ye = 0xE5, E = 0xFD, Yo = 0xB8;
constexpr unsigned char I = 0xE8, Iy = 0xE9, Sha = 0xF8, Shcha = 0xF9;

constexpr std::pair<unsigned char, unsigned char> Confusions[] = {
    {Kh, KhUz}, {Ka, KaUz}, {Ge, GeUz}, {U, UUz}, {O, UUz}, {Ye, E}, {Ye, Yo}, {I, Iy}, {Sha, Shcha},
    {O, A}, // Russian unstressed о sounds а
};

// One letter of each confusable group, so the letter pairs of a misspelling still match.
std::array<unsigned char, 256> BuildFold()
{
    std::array<unsigned char, 256> fold{};
    for (int b = 0; b < 256; ++b)
        fold[b] = static_cast<unsigned char>(LowerDictChar(char(b)));
    for (int b = 0; b < 256; ++b) {
        for (auto [a, c] : Confusions)
            if (fold[b] == c && a != O && a != A)
                fold[b] = a;
    }
    return fold;
}

constexpr std::size_t MaxMeasured = 3000;

// Built on first use, as the cost table below: a run that never suggests does not pay for them.
unsigned char FoldedByte(char c)
{
    static const std::array<unsigned char, 256> fold = BuildFold();
    return fold[static_cast<unsigned char>(c)];
}

std::string Folded(std::string_view text)
{
    std::string out(text.size(), '\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        out[i] = char(FoldedByte(text[i]));
    return out;
}

// The cost of putting one byte for another, in half edits.
std::array<std::uint8_t, 65536> BuildSubstitutionCosts()
{
    std::array<std::uint8_t, 65536> costs{};
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b) {
            const auto la = static_cast<unsigned char>(LowerDictChar(char(a)));
            const auto lb = static_cast<unsigned char>(LowerDictChar(char(b)));
            int cost = la == lb ? 0 : 2;
            for (auto [x, y] : Confusions)
                if (cost && ((la == x && lb == y) || (la == y && lb == x)))
                    cost = 1;
            costs[std::size_t(a << 8 | b)] = std::uint8_t(cost);
        }
    }
    return costs;
}
int SubstitutionCost(char a, char b)
{
    static const std::array<std::uint8_t, 65536> costs = BuildSubstitutionCosts();
    return costs[std::size_t(static_cast<unsigned char>(a) << 8 | static_cast<unsigned char>(b))];
}

// The letter pairs of a folded text with its two ends marked, each once.
std::vector<std::uint16_t> LetterPairs(std::string_view folded)
{
    std::vector<std::uint16_t> pairs;
    unsigned char previous = 0;
    for (std::size_t i = 0; i <= folded.size(); ++i) {
        const unsigned char next = i < folded.size() ? static_cast<unsigned char>(folded[i]) : 0;
        pairs.push_back(std::uint16_t(previous << 8 | next));
        previous = next;
    }
    std::sort(pairs.begin(), pairs.end());
    pairs.erase(std::unique(pairs.begin(), pairs.end()), pairs.end());
    return pairs;
}

} // namespace

int ConfusionDistance(std::string_view a, std::string_view b)
{
    // Damerau-Levenshtein (optimal string alignment) over three rows, kept between calls:
    // a query measures thousands of headwords.
    const std::size_t n = b.size();
    thread_local std::vector<int> rows[3];
    for (auto& row : rows)
        if (row.size() < n + 1)
            row.resize(n + 1);
    int* before = rows[0].data();
    int* previous = rows[1].data();
    int* current = rows[2].data();
    for (std::size_t j = 0; j <= n; ++j)
        previous[j] = int(j) * 2;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        current[0] = int(i) * 2;
        for (std::size_t j = 1; j <= n; ++j) {
            int best = std::min(previous[j] + 2, current[j - 1] + 2);
            best = std::min(best, previous[j - 1] + SubstitutionCost(a[i - 1], b[j - 1]));
            if (i > 1 && j > 1 && SubstitutionCost(a[i - 1], b[j - 2]) == 0 &&
                SubstitutionCost(a[i - 2], b[j - 1]) == 0)
                best = std::min(best, before[j - 2] + 2);
            current[j] = best;
        }
        std::swap(before, previous);
        std::swap(previous, current);
    }
    return previous[n];
}

TSuggestionIndex::TSuggestionIndex(const TUzDictionary& dict, Language list) : dict_(dict), list_(list)
{
    const std::int32_t count = dict.Count(list);
    lengths_.resize(std::size_t(count));
    std::vector<std::pair<std::uint16_t, std::uint32_t>> all;
    all.reserve(std::size_t(count) * 10);
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string folded = Folded(dict.Headword(list, i));
        lengths_[std::size_t(i)] = std::uint8_t(std::min<std::size_t>(folded.size(), 255));
        for (std::uint16_t pair : LetterPairs(folded))
            all.emplace_back(pair, std::uint32_t(i));
    }
    std::sort(all.begin(), all.end());
    postings_.reserve(all.size() * 2);
    std::size_t at = 0;
    for (std::uint32_t pair = 0; pair < 65536; ++pair) {
        starts_[pair] = std::uint32_t(postings_.size());
        std::uint32_t previous = 0;
        while (at < all.size() && all[at].first == pair) {
            AppendGap(postings_, all[at].second - previous);
            previous = all[at].second;
            ++at;
        }
    }
    starts_[65536] = std::uint32_t(postings_.size());
    postings_.shrink_to_fit();
}

std::vector<std::int32_t> TSuggestionIndex::Suggest(std::string_view typed, std::size_t limit) const
{
    const std::string_view text = TrimmedText(typed);
    const std::string folded = Folded(text);
    std::vector<std::int32_t> result;
    if (folded.size() < 2 || lengths_.empty())
        return result;
    const int maxEdits = folded.size() <= 4 ? 1 : 2;
    const std::vector<std::uint16_t> pairs = LetterPairs(folded);
    // Each edit spoils at most three letter pairs (a transposition; others two).
    const int needed = std::max<int>(1, int(pairs.size()) - 3 * maxEdits);
    std::vector<std::uint16_t> shared(lengths_.size());
    std::vector<std::uint32_t> touched;
    for (std::uint16_t pair : pairs) {
        std::uint32_t index = 0;
        for (std::uint32_t at = starts_[pair]; at < starts_[pair + 1];) {
            index += ReadGap(postings_, at);
            if (shared[index]++ == 0)
                touched.push_back(index);
        }
    }
    // Few distinct letter pairs ("aaaaaa") let through much of the list: only the headwords
    // sharing the most pairs are measured, which keeps every query short.
    std::vector<std::pair<std::uint16_t, std::uint32_t>> candidates;
    for (std::uint32_t index : touched) {
        const int lengthGap = std::abs(int(lengths_[index]) - int(folded.size()));
        if (shared[index] >= needed && lengthGap <= maxEdits)
            candidates.emplace_back(shared[index], index);
    }
    if (candidates.size() > MaxMeasured) {
        std::nth_element(candidates.begin(), candidates.begin() + MaxMeasured, candidates.end(),
                         [](const auto& a, const auto& b) { return a.first > b.first; });
        candidates.resize(MaxMeasured);
    }
    // Nearest first; among equals a headword that starts as typed (the first letter is
    // seldom the slip), then the closer length, then list order.
    std::vector<std::tuple<int, bool, int, std::int32_t>> near;
    for (const auto& candidate : candidates) {
        const std::uint32_t index = candidate.second;
        const int lengthGap = std::abs(int(lengths_[index]) - int(folded.size()));
        const std::string_view headword = HeadwordText(index);
        const int cost = ConfusionDistance(text, headword);
        const bool otherStart =
            headword.empty() || FoldedByte(headword[0]) != static_cast<unsigned char>(folded[0]);
        if (cost > 0 && cost <= 2 * maxEdits)
            near.emplace_back(cost, otherStart, lengthGap, std::int32_t(index));
    }
    std::sort(near.begin(), near.end());
    for (std::size_t i = 0; i < near.size() && i < limit; ++i)
        result.push_back(std::get<3>(near[i]));
    return result;
}

std::string_view TSuggestionIndex::HeadwordText(std::uint32_t index) const
{
    const DictImage& image = dict_.Image();
    return image.Text(image.Word(dict_.EntryOffset(list_, std::int32_t(index)) + 4));
}

std::size_t TSuggestionIndex::MemoryBytes() const
{
    return lengths_.size() + sizeof starts_ + postings_.size();
}

} // namespace morva
