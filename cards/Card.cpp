#include "cards/Card.h"

#include "engine/KovrObj.h"

namespace morva {

Card MakeCard(const TUzDictionary& dictionary, LanguagePair pair, std::int32_t index)
{
    Card card;
    card.Index = index;
    card.Pair = pair;
    card.Caption = TUzDictionary::CardCaption(pair);
    card.Article = dictionary.ArticleHtml(pair, index);
    card.Headword = dictionary.Headword(pair.Source, index);
    return card;
}

} // namespace morva
