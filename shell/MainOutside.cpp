// Words from outside the program: a command line, another copy, another program's selection.

#include "cards/CardManager.h"
#include "cards/SelectionCard.h"
#include "engine/WordFromOutside.h"
#include "platform/Selection.h"
#include "shell/Main.h"
#include "shell/SelectionWatch.h"

#include <QAction>

namespace morva {

void TMainForm::LookUpFromOutside(const std::u16string& text)
{
    if (!dictionary_ || !cards_)
        return;
    Reported([&] {
        const std::optional<TOutsideWord> word = LookUpOutsideWord(*dictionary_, text, dictionary_->Pair());
        if (word) {
            cards_->ShowWordCard(*dictionary_, word->Pair, word->Index);
            return;
        }
        // Nothing to look up: a program on screen still answers by coming forward.
        if (isVisible() && !InTray()) {
            raise();
            activateWindow();
        }
    });
}

void TMainForm::CreateSelectionWatch()
{
    const bool available = services_.Selection && services_.Pointer && services_.Selection->IsAvailable();
    WatchSelectionAction->setEnabled(available);
    if (available) {
        selectionCard_ = std::make_unique<TSelectionCardForm>(*services_.Pointer);
        connect(selectionCard_.get(), &TSelectionCardForm::EntryClicked, this, &TMainForm::OpenSelectionCardEntry);
        selectionWatch_ = std::make_unique<TSelectionWatch>(
            *services_.Selection, *services_.Pointer,
            [this](const QString& text, QPoint pointer) { ShowSelectionCard(text, pointer); });
    }
    WatchSelectionActionExecute();
}

void TMainForm::WatchSelectionActionExecute()
{
    const bool on = WatchSelectionAction->isChecked();
    WatchSelectionCtrlAction->setEnabled(on && selectionWatch_);
    if (selectionWatch_)
        selectionWatch_->SetWatching(on && dictionary_, WatchSelectionCtrlAction->isChecked());
    if (!on && selectionCard_)
        selectionCard_->hide();
}

void TMainForm::ShowSelectionCard(const QString& text, QPoint pointer)
{
    if (!dictionary_ || !selectionCard_)
        return;
    Reported([&] {
        const std::optional<TOutsideWord> word =
            LookUpOutsideWord(*dictionary_, text.toStdU16String(), dictionary_->Pair());
        if (!word)
            return;
        selectionCard_->ShowNear(MakeCard(*dictionary_, word->Pair, word->Index), UzbekLatinCardsAction->isChecked(),
                                 pointer);
    });
}

void TMainForm::OpenSelectionCardEntry(LanguagePair pair, int index)
{
    if (dictionary_ && cards_)
        Reported([&] { cards_->ShowWordCard(*dictionary_, pair, index); });
}

} // namespace morva
