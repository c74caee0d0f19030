#include "engine/LinearSearch.h"

#include "engine/Collation.h"
#include "engine/KovrObj.h"

namespace morva {

std::int32_t LinearFindHeadword(const TUzDictionary& dict, Language list, std::string_view text)
{
    for (std::int32_t i = 0; i < dict.Count(list); ++i)
        if (CompareHeadwords(text, dict.Headword(list, i)) == 0)
            return i;
    return -1;
}

std::int32_t LinearNearestHeadword(const TUzDictionary& dict, Language list, std::string_view text)
{
    for (std::int32_t i = 0; i < dict.Count(list); ++i)
        if (CompareHeadwords(dict.Headword(list, i), text) >= 0)
            return i;
    return -1;
}

} // namespace morva
