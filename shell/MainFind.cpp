// The main window's side of the word-finding helps.

#include "cards/CardManager.h"
#include "shell/FindHelper.h"
#include "shell/Main.h"

namespace morva {

void TMainForm::CreateFindHelper()
{
    findHelper_ = std::make_unique<TFindHelper>(
        this, [this](LanguagePair pair, std::int32_t index) { OpenFoundWord(pair, index); });
}

void TMainForm::OpenFoundWord(LanguagePair pair, std::int32_t index)
{
    if (!dictionary_ || !cards_)
        return;
    Reported([&] {
        if (!(pair == dictionary_->Pair())) {
            SetLangPair(pair.Source, pair.Target, false);
            SetSearchText(dictionary_->Headword(pair.Source, index));
        }
        cards_->ShowWordCard(*dictionary_, index);
    });
}

} // namespace morva
