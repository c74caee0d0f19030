#include "text/ArticleText.h"

#include "text/CodePage1251.h"
#include "text/Ipa93.h"

#include <algorithm>

namespace morva {

std::u16string ArticleToWide(std::string_view html)
{
    std::u16string wide;
    wide.reserve(html.size());
    while (!html.empty()) {
        const std::size_t open = html.find(TranscriptionFontOpen);
        if (open == std::string_view::npos)
            break;
        const std::size_t from = open + TranscriptionFontOpen.size();
        const std::size_t close = std::min(html.find(FontClose, from), html.size());
        wide += DictTextToWide(html.substr(0, from));
        wide += DecodeIpa(html.substr(from, close - from));
        html.remove_prefix(close);
    }
    wide += DictTextToWide(html);
    return wide;
}

} // namespace morva
