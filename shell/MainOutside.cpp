// Words from outside the program: a command line, another copy, another program's selection.

#include "cards/CardManager.h"
#include "cards/SelectionCard.h"
#include "engine/WordFromOutside.h"
#include "platform/Clipboard.h"
#include "platform/GlobalShortcuts.h"
#include "platform/Selection.h"
#include "shell/Main.h"
#include "shell/SelectionWatch.h"

#include <QAction>

namespace morva {
namespace {

using namespace Qt::StringLiterals;

const QString DesktopKeyId = u"look-up-selection"_s;
// How long after the key the window's activation still counts as the key's.
constexpr int KeyActivationWait = 3000;

} // namespace

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

void TMainForm::DesktopKeyActionExecute()
{
    DesktopKeyAction->setEnabled(services_.GlobalShortcuts != nullptr);
    if (!services_.GlobalShortcuts)
        return;
    if (!DesktopKeyAction->isChecked() || !dictionary_) {
        services_.GlobalShortcuts->Unbind();
        return;
    }
    services_.GlobalShortcuts->Bind({{DesktopKeyId, u"Belgilangan so‘z tarjimasi (Kovrak MORVA)"_s, u"CTRL+ALT+m"_s}},
                                    [this](const QString& id, const QString& activationToken) {
                                        if (id == DesktopKeyId)
                                            DesktopKeyPressed(activationToken);
                                    });
}

void TMainForm::DesktopKeyPressed(const QString& activationToken)
{
    SetActivationToken(activationToken.toStdString());
    if (services_.Selection && services_.Selection->IsAvailable()) {
        LookUpFromOutside(services_.Selection->Text().toStdU16String());
        return;
    }
    // The desktop hands its selection only to a program that has the keyboard: the window
    // comes forward, and the word is looked up once it is active.
    lookUpWhenActive_.setRemainingTime(KeyActivationWait);
    RestoreActionExecute();
    BringForward();
    if (isActiveWindow())
        LookUpSelectionOnceActive();
}

void TMainForm::LookUpSelectionOnceActive()
{
    if (lookUpWhenActive_.hasExpired())
        return;
    lookUpWhenActive_ = QDeadlineTimer();
    QString text = services_.Selection ? services_.Selection->Text() : QString();
    if (text.trimmed().isEmpty() && services_.Clipboard)
        text = services_.Clipboard->Text();
    LookUpFromOutside(text.toStdU16String());
}

} // namespace morva
