#include "engine/LinearSearch.h"

#include "engine/Collation.h"
#include "engine/KovrObj.h"

namespace morva {

std::int32_t LinearFindHeadword(const TUzDictionary& dict, std::string_view text)
{
    for (std::int32_t i = 0; i < dict.Count(); ++i)
        if (CompareHeadwords(text, dict.Headword(i)) == 0)
            return i;
    return -1;
}

std::int32_t LinearNearestHeadword(const TUzDictionary& dict, std::string_view text)
{
    for (std::int32_t i = 0; i < dict.Count(); ++i)
        if (CompareHeadwords(dict.Headword(i), text) >= 0)
            return i;
    return -1;
}

} // namespace morva
