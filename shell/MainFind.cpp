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
    // The card carries its own pair: the main window's list and text stay as they are.
    Reported([&] { cards_->ShowWordCard(*dictionary_, pair, index); });
}

} // namespace morva
