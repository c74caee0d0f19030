#include "tools/Cli.h"

#include "text/Utf8.h"

#include <climits>
#include <iostream>

namespace morva::cli {

Context::Context(std::vector<std::string> args, std::optional<std::string> dataFile)
    : args_(std::move(args)), dataFile_(std::move(dataFile))
{
}

TUzDictionary& Context::Dictionary()
{
    if (dictionary_)
        return *dictionary_;
    if (dataFile_)
        dictionary_.emplace(std::filesystem::path(*dataFile_));
    else
        dictionary_.emplace();
    return *dictionary_;
}

TUzDictionary& Context::Source(const std::string& tag)
{
    const Language language = ParseLanguage(tag);
    Dictionary().SelectSourceLanguage(language);
    return Dictionary();
}

Language ParseLanguage(const std::string& tag)
{
    if (auto language = LanguageFromCode(tag))
        return *language;
    throw UsageError{};
}

std::int32_t ParseIndex(const std::string& text)
{
    try {
        std::size_t used = 0;
        const long long value = std::stoll(text, &used);
        if (used == text.size() && value >= INT32_MIN && value <= INT32_MAX)
            return std::int32_t(value);
    } catch (const std::logic_error&) {
    }
    throw UsageError{};
}

int PrintLine(const std::string& dictText)
{
    std::cout << DictTextToUtf8(dictText) << '\n';
    return 0;
}

} // namespace morva::cli
