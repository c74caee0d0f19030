// info, list, headword, find, nearest, caption, compare.

#include "engine/Collation.h"
#include "text/Utf8.h"
#include "tools/Cli.h"

#include <cstdio>
#include <iostream>

namespace morva::cli {
namespace {

std::string FormatDate(const TSystemTime& t)
{
    char text[64];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u %02u:%02u:%02u", t.Year, t.Month, t.Day, t.Hour, t.Minute,
                  t.Second);
    return text;
}

int PrintNumber(std::int32_t number)
{
    std::cout << number << '\n';
    return 0;
}

int Info(const TUzDictionary& dict)
{
    std::cout << FormatDate(dict.FileDate()) << '\n';
    for (Language l : {English, Uzbek, Russian})
        std::cout << LanguageTags[l] << ' ' << dict.Count(l) << '\n';
    return 0;
}

int List(const TUzDictionary& dict, Language list)
{
    for (std::int32_t i = 0; i < dict.Count(list); ++i)
        std::cout << DictTextToUtf8(dict.Headword(list, i)) << '\n';
    return 0;
}

} // namespace

std::optional<int> RunLookupCommand(Context& context)
{
    const auto& a = context.Args();
    const std::string& command = a[0];
    // The list is read before the data file, so a wrong tag is a usage error whatever the file.
    const auto list = [&] { return ParseLanguage(a[1]); };
    if (command == "info" && a.size() == 1)
        return Info(context.Dictionary());
    if (command == "list" && a.size() == 2)
        return List(context.Dictionary(), list());
    if (command == "headword" && a.size() == 3) {
        const Language l = list();
        return PrintLine(context.Dictionary().Headword(l, ParseIndex(a[2])));
    }
    if (command == "find" && a.size() == 3) {
        const Language l = list();
        return PrintNumber(context.Dictionary().FindHeadword(l, SearchTextArg(l, a[2])));
    }
    if (command == "nearest" && a.size() == 3) {
        const Language l = list();
        return PrintNumber(context.Dictionary().NearestHeadword(l, SearchTextArg(l, a[2])));
    }
    if (command == "caption" && a.size() == 3) {
        const LanguagePair pair{list(), ParseLanguage(a[2])};
        // As every command on the dictionary, it needs a readable data file.
        context.Dictionary();
        return PrintLine(TUzDictionary::CardCaption(pair));
    }
    if (command == "compare" && a.size() == 3)
        return PrintNumber(CompareHeadwords(Utf8ToDictText(a[1]), Utf8ToDictText(a[2])));
    return std::nullopt;
}

} // namespace morva::cli
