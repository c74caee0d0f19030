#pragma once
// The texts an entry's article draws on, read from the data file without rendering it.

#include "engine/Language.h"

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace morva {

class TUzDictionary;

struct EntryText {
    std::string_view Text; // stays valid while the dictionary lives
    bool IsPhrase = false;
};

// Calls visit(EntryText) for each translation in that language of the entry at the index of
// the list: its senses' and phrases' texts, without the cross-references and usage notes.
template <class Visit>
void ForEachTranslation(const TUzDictionary& dict, Language list, std::int32_t index, Language language,
                        Visit&& visit);

// The translations in that language of the entry at the index of the list: its senses'
// and phrases' texts, without the cross-references and usage notes.
std::vector<EntryText> EntryTranslations(const TUzDictionary& dict, Language list, std::int32_t index,
                                         Language language);

namespace detail {
// The entry's records, as (record offset, is a phrase); the texts are read from them.
void EntryRecords(const TUzDictionary& dict, Language list, std::int32_t index,
                  std::vector<std::pair<std::uint32_t, bool>>& records);
std::string_view RecordText(const TUzDictionary& dict, std::uint32_t record, bool isPhrase, Language language);
bool IsTranslation(std::string_view text);
} // namespace detail

template <class Visit>
void ForEachTranslation(const TUzDictionary& dict, Language list, std::int32_t index, Language language,
                        Visit&& visit)
{
    thread_local std::vector<std::pair<std::uint32_t, bool>> records;
    detail::EntryRecords(dict, list, index, records);
    for (const auto& [record, isPhrase] : records) {
        const std::string_view text = detail::RecordText(dict, record, isPhrase, language);
        if (detail::IsTranslation(text))
            visit(EntryText{text, isPhrase});
    }
}

} // namespace morva
