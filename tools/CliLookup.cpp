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

int Info(TUzDictionary& dict)
{
    std::cout << FormatDate(dict.FileDate()) << '\n';
    for (Language l : {English, Uzbek, Russian}) {
        dict.SelectSourceLanguage(l);
        std::cout << LanguageTags[l] << ' ' << dict.Count() << '\n';
    }
    return 0;
}

int List(TUzDictionary& dict)
{
    for (std::int32_t i = 0; i < dict.Count(); ++i)
        std::cout << DictTextToUtf8(dict.Headword(i)) << '\n';
    return 0;
}

std::int32_t FindHeadword(TUzDictionary& dict, const std::string& text)
{
    return dict.FindHeadword(SearchTextArg(dict, text));
}

std::int32_t NearestHeadword(TUzDictionary& dict, const std::string& text)
{
    return dict.NearestHeadword(SearchTextArg(dict, text));
}

int Caption(TUzDictionary& dict, Language target)
{
    dict.SetTargetLanguage(target);
    return PrintLine(dict.CardCaption());
}

} // namespace

std::optional<int> RunLookupCommand(Context& context)
{
    const auto& a = context.Args();
    const std::string& command = a[0];
    if (command == "info" && a.size() == 1)
        return Info(context.Dictionary());
    if (command == "list" && a.size() == 2)
        return List(context.Source(a[1]));
    if (command == "headword" && a.size() == 3)
        return PrintLine(context.Source(a[1]).Headword(ParseIndex(a[2])));
    if (command == "find" && a.size() == 3)
        return PrintNumber(FindHeadword(context.Source(a[1]), a[2]));
    if (command == "nearest" && a.size() == 3)
        return PrintNumber(NearestHeadword(context.Source(a[1]), a[2]));
    if (command == "caption" && a.size() == 3)
        return Caption(context.Source(a[1]), ParseLanguage(a[2]));
    if (command == "compare" && a.size() == 3)
        return PrintNumber(CompareHeadwords(Utf8ToDictText(a[1]), Utf8ToDictText(a[2])));
    return std::nullopt;
}

} // namespace morva::cli
