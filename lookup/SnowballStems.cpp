#include "lookup/SnowballStems.h"

#include "engine/KovrObj.h"
#include "lookup/TextFold.h"
#include "text/Utf8.h"

#include <libstemmer.h>

#include <algorithm>

namespace morva {

TSnowballStems::TSnowballStems(const TUzDictionary& dict, Language list)
    : stemmer_(list == Uzbek ? nullptr : sb_stemmer_new(list == English ? "english" : "russian", "UTF_8"))
{
    if (!stemmer_)
        return;
    const std::int32_t count = dict.Count(list);
    stems_.reserve(std::size_t(count));
    for (std::int32_t i = 0; i < count; ++i) {
        const std::string headword = LowerDictText(dict.Headword(list, i));
        // Phrases and suffixes have no stem of their own.
        if (SplitWords(headword).size() == 1 && SplitWords(headword).front().size() == headword.size())
            stems_.emplace_back(StemHash(headword), i);
    }
    std::sort(stems_.begin(), stems_.end());
    stems_.shrink_to_fit(); // reserved for every headword, phrases left out
}

TSnowballStems::~TSnowballStems()
{
    if (stemmer_)
        sb_stemmer_delete(stemmer_);
}

std::uint64_t TSnowballStems::StemHash(std::string_view dictWord) const
{
    const std::string utf8 = DictTextToUtf8(dictWord);
    const sb_symbol* stem = sb_stemmer_stem(stemmer_, reinterpret_cast<const sb_symbol*>(utf8.data()), int(utf8.size()));
    if (!stem)
        return 0;
    const std::string_view text(reinterpret_cast<const char*>(stem), std::size_t(sb_stemmer_length(stemmer_)));
    std::uint64_t hash = 14695981039346656037ull; // FNV-1a over the UTF-8 bytes
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ull;
    }
    return hash;
}

std::vector<std::int32_t> TSnowballStems::SameStem(std::string_view dictWord) const
{
    std::vector<std::int32_t> found;
    if (!stemmer_ || dictWord.empty())
        return found;
    const std::uint64_t hash = StemHash(dictWord);
    for (auto at = std::lower_bound(stems_.begin(), stems_.end(), std::pair(hash, std::int32_t(-1)));
         at != stems_.end() && at->first == hash; ++at)
        found.push_back(at->second);
    return found;
}

} // namespace morva
