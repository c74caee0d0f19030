#pragma once
// Search inside the articles: the entries whose translations hold a word. "книга" finds the
// English "book" and the Uzbek "китоб" through their articles to Russian.

#include "engine/Language.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace morva {

class TUzDictionary;

struct ArticleHit {
    LanguagePair Pair;   // the entry's list, and the language the word was found in
    std::int32_t Index;  // in the pair's source list
    int Rank;            // 0 the whole translation, 1 a word of a translation, 2 of a phrase
    bool operator==(const ArticleHit&) const = default;
};

class TArticleIndex {
public:
    // Reads every entry of every list (do it off the user-interface thread).
    explicit TArticleIndex(const TUzDictionary& dict);

    // The entries of the other two lists whose translations into the language hold every
    // word of the text (dictionary text), best first: by rank, then list, then index.
    std::vector<ArticleHit> Search(Language language, std::string_view text, std::size_t limit) const;

    std::size_t MemoryBytes() const;

private:
    struct Words {
        std::vector<std::uint64_t> Hashes;    // sorted, one per distinct word
        std::vector<std::uint32_t> Starts;    // per word, into Postings; one more at the end
        std::vector<std::uint8_t> Postings;   // rising packed list, index and rank, as gaps
    };
    std::vector<ArticleHit> Hits(Language language, std::string_view word) const;

    Words words_[LanguageCount];
};

} // namespace morva
