#include "tools/Cli.h"

#include "text/Utf8.h"

#include <charconv>
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

Language ParseLanguage(const std::string& tag)
{
    if (auto language = LanguageFromCode(tag))
        return *language;
    throw UsageError{};
}

std::int32_t ParseIndex(const std::string& text)
{
    // Digits with an optional minus and nothing else: no blanks on either side, no plus.
    std::int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty())
        throw UsageError{};
    return value;
}

int PrintLine(const std::string& dictText)
{
    std::cout << DictTextToUtf8(dictText) << '\n';
    return 0;
}

} // namespace morva::cli
