// morva-cli: the dictionary from the command line, for users and scripts.
// Arguments and output are UTF-8; engine errors go to standard error with status 1,
// usage errors with status 2.

#include "engine/Collation.h"
#include "engine/DictionaryError.h"
#include "engine/KovrObj.h"
#include "text/Utf8.h"

#include <iostream>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace morva;

constexpr const char* kUsage =
    "usage: morva-cli [--data FILE] info\n"
    "       morva-cli [--data FILE] list en|uz|ru\n"
    "       morva-cli [--data FILE] headword en|uz|ru INDEX\n"
    "       morva-cli [--data FILE] find en|uz|ru TEXT\n"
    "       morva-cli [--data FILE] nearest en|uz|ru TEXT\n"
    "       morva-cli [--data FILE] caption SRC DST\n"
    "       morva-cli compare A B\n";

struct UsageError {};

Language ParseLanguage(const std::string& tag)
{
    if (tag == "en")
        return English;
    if (tag == "uz")
        return Uzbek;
    if (tag == "ru")
        return Russian;
    throw UsageError{};
}

std::int32_t ParseIndex(const std::string& text)
{
    try {
        std::size_t used = 0;
        long long value = std::stoll(text, &used);
        if (used != text.size() || value < INT32_MIN || value > INT32_MAX)
            throw UsageError{};
        return std::int32_t(value);
    } catch (const std::logic_error&) {
        throw UsageError{};
    }
}

std::string Date(const TSystemTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                  t.Second);
    return text;
}

class Cli {
public:
    explicit Cli(std::vector<std::string> args) : args_(std::move(args)) {}

    int Run()
    {
        if (args_.size() >= 2 && args_[0] == "--data") {
            dataFile_ = args_[1];
            args_.erase(args_.begin(), args_.begin() + 2);
        }
        if (args_.empty())
            throw UsageError{};
        const std::string command = args_[0];
        if (command == "info" && args_.size() == 1)
            return Info();
        if (command == "list" && args_.size() == 2)
            return List(ParseLanguage(args_[1]));
        if (command == "headword" && args_.size() == 3)
            return Print(Source(args_[1]).Headword(ParseIndex(args_[2])));
        if (command == "find" && args_.size() == 3)
            return Print(Source(args_[1]).FindHeadword(Utf8ToDictText(args_[2])));
        if (command == "nearest" && args_.size() == 3)
            return Print(Source(args_[1]).NearestHeadword(Utf8ToDictText(args_[2])));
        if (command == "caption" && args_.size() == 3)
            return Caption(ParseLanguage(args_[1]), ParseLanguage(args_[2]));
        if (command == "compare" && args_.size() == 3)
            return Print(CompareHeadwords(Utf8ToDictText(args_[1]), Utf8ToDictText(args_[2])));
        throw UsageError{};
    }

private:
    TUzDictionary& Dictionary()
    {
        if (dictionary_)
            return *dictionary_;
        if (dataFile_)
            dictionary_.emplace(std::filesystem::path(*dataFile_));
        else
            dictionary_.emplace();
        return *dictionary_;
    }

    TUzDictionary& Source(const std::string& tag)
    {
        Language language = ParseLanguage(tag);
        Dictionary().SelectSourceLanguage(language);
        return Dictionary();
    }

    int Print(const std::string& dictText)
    {
        std::cout << DictTextToUtf8(dictText) << '\n';
        return 0;
    }

    int Print(std::int32_t number)
    {
        std::cout << number << '\n';
        return 0;
    }

    int Info()
    {
        auto& dict = Dictionary();
        std::cout << Date(dict.FileDate()) << '\n';
        for (Language l : {English, Uzbek, Russian}) {
            dict.SelectSourceLanguage(l);
            std::cout << LanguageTags[l] << ' ' << dict.Count() << '\n';
        }
        return 0;
    }

    int List(Language language)
    {
        auto& dict = Dictionary();
        dict.SelectSourceLanguage(language);
        for (std::int32_t i = 0; i < dict.Count(); ++i)
            std::cout << DictTextToUtf8(dict.Headword(i)) << '\n';
        return 0;
    }

    int Caption(Language source, Language target)
    {
        auto& dict = Dictionary();
        dict.SelectSourceLanguage(source);
        dict.SetTargetLanguage(target);
        return Print(dict.CardCaption());
    }

    std::vector<std::string> args_;
    std::optional<std::string> dataFile_;
    std::optional<TUzDictionary> dictionary_;
};

} // namespace

int main(int argc, char** argv)
{
    try {
        return Cli({argv + 1, argv + argc}).Run();
    } catch (const UsageError&) {
        std::cerr << kUsage;
        return 2;
    } catch (const InvalidUtf8&) {
        std::cerr << "morva-cli: arguments must be UTF-8\n";
        return 2;
    } catch (const EDictionaryError& e) {
        std::cerr << DictTextToUtf8(e.what()) << '\n';
        return 1;
    }
}
