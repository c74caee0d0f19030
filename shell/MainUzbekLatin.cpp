// The Latin Uzbek switches of the settings menu.

#include "cards/CardManager.h"
#include "shell/Main.h"
#include "text/XUzbekEdit.h"

#include <QAction>

namespace morva {

void TMainForm::UzbekLatinActionExecute()
{
    // Latin letters mean nothing in the English and Russian lists: there the field stays plain.
    const bool uzbekList = dictionary_ && dictionary_->SourceLanguage() == Uzbek;
    SearchEdit->SetLatinInput(uzbekList && UzbekLatinInputAction->isChecked());
    if (cards_)
        cards_->SetUzbekLatin(UzbekLatinCardsAction->isChecked());
}

} // namespace morva
