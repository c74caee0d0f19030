// Words from outside the program: a command line, another copy, another program's selection.

#include "cards/CardManager.h"
#include "engine/WordFromOutside.h"
#include "shell/Main.h"

namespace morva {

void TMainForm::LookUpFromOutside(const std::u16string& text)
{
    if (!dictionary_ || !cards_)
        return;
    Reported([&] {
        const std::optional<TOutsideWord> word = LookUpOutsideWord(*dictionary_, text, dictionary_->Pair());
        if (word) {
            cards_->ShowPairCard(*dictionary_, word->Pair, word->Index);
            return;
        }
        // Nothing to look up: a program on screen still answers by coming forward.
        if (isVisible() && !InTray()) {
            raise();
            activateWindow();
        }
    });
}

} // namespace morva
