#pragma once
// The headwords a typed word is a form of: "books" is a form of book, "книги" of книга,
// "китобларимиздан" of китоб. English and Russian through Hunspell, Uzbek through our own
// table of endings; only real headwords of the list are offered.

#include "engine/Language.h"
#include "lookup/HunspellStemmer.h"
#include "lookup/SnowballStems.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace morva {

class TUzDictionary;

class TWordForms {
public:
    // Opens the Hunspell dictionaries found in the folders and reads the Russian list (this
    // takes a moment; do it off the user-interface thread). A language without a Hunspell
    // dictionary just has no forms. The dictionary must outlive this object.
    explicit TWordForms(const TUzDictionary& dict,
                        const std::vector<std::filesystem::path>& hunspellFolders = DefaultHunspellFolders());
    ~TWordForms();

    

    // Indexes, best first, of the headwords of the list that the text (dictionary text) is
    // a form of; the headword equal to the text itself comes first when there is one.
    std::vector<std::int32_t> BaseHeadwords(Language list, std::string_view text);

private:
    std::int32_t FindBase(Language list, const std::string& word) const;

    const TUzDictionary& dict_;

    std::array<std::unique_ptr<THunspellStemmer>, LanguageCount> stemmers_;
    std::array<std::unique_ptr<TSnowballStems>, LanguageCount> snowball_;
    // Russian headwords spelt with ё, by their spelling with е: Hunspell writes е.
    std::unordered_map<std::string, std::int32_t> yoHeadwords_;
};

} // namespace morva
