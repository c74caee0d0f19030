#include "cards/UzbekLatinArticle.h"

#include "text/UzbekArticle.h"

namespace morva {

std::string ArticleForDisplay(const Card& card, bool uzbekLatin)
{
    if (!uzbekLatin)
        return card.Article;
    return ArticleInUzbekLatin(card.Article, {card.Pair.Source == Uzbek, card.Pair.Target == Uzbek});
}

} // namespace morva
