#pragma once
// Base forms of English and Russian words from Hunspell's affix rules, in dictionary text.
// The only place that knows Hunspell; its dictionaries are found at run time.

#include "engine/Language.h"

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class Hunspell;

namespace morva {

// Where Debian and other systems keep Hunspell's dictionaries.
std::vector<std::filesystem::path> DefaultHunspellFolders();

class THunspellStemmer {
public:
    // The dictionary of that language from the first folder holding it; nullptr when none
    // does (or the language has none), so that language simply has no forms.
    static std::unique_ptr<THunspellStemmer> Open(Language language,
                                                  const std::vector<std::filesystem::path>& folders);
    ~THunspellStemmer();

    // The stems Hunspell gives for a lower-case word, as dictionary text; words the code
    // page cannot hold are left out.
    std::vector<std::string> Stems(std::string_view dictWord);

private:
    explicit THunspellStemmer(std::unique_ptr<Hunspell> hunspell);
    std::string ToDictionaryEncoding(const std::string& utf8) const;
    std::string FromDictionaryEncoding(const std::string& text) const;

    std::unique_ptr<Hunspell> hunspell_;
    std::string encoding_;
};

} // namespace morva
