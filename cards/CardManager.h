#pragma once
// The main window's side of the cards: it owns the main card and the history dialog, opens
// headwords and history entries in the main card, moves and closes the temporary cards, and
// routes the main window's shortcuts to every other window of the program.
//
// How the shell uses it (TMainForm, right after its own creation):
//
//   cards_ = std::make_unique<TCardManager>(messageBox, clipboard);   // main card, then history
//   cards_->SetMainWindow(this, {CutToClipAction, ..., CardsHostoryAction, StayOnTopAction, ...});
//   WordInfoAction    -> cards_->WordInfoActionExecute(dictionary, selectedRow, WordInfoAction->isEnabled())
//   CascadeCardsAction -> cards_->CascadeCardsActionExecute(wordListTop)
//   CloseTempCardsAction, CloseAllCardsAction, CardsHostoryAction -> the handlers of the same name here
//   CardsHostoryForm()'s CardSelected -> cards_->OpenHistoryCard, connected once
//   The cards' placement: a third constructor argument that makes each card's ICardPlacement
//   (placement/CardPlacement.h); without it the cards store nothing.
//
// The manager must be destroyed before the dictionary (cards hold a plain reference to it):
// as a member of TMainForm declared after the dictionary, it is.
//
// Errors from the dictionary inside the handlers below go to the standard error report
// (TCardContext::ReportError) and end the handler, as an uncaught exception would end an event.

#include "cards/CardContext.h"
#include "engine/Language.h"

#include <QList>
#include <QObject>

#include <memory>
#include <string>

class QAction;
class QWidget;

namespace morva {

class IClipboard;
class IMessageBox;
class TCardsHostoryForm;
class TKeyRouter;
class TUzDictionary;
class TWindowList;
class TWordViewForm;

class TCardManager : public QObject {
    Q_OBJECT
public:
    // Creates the main card (hidden, its stored placement taken) and then the history dialog.
    TCardManager(IMessageBox& messageBox, IClipboard& clipboard,
                 TCardPlacementFactory placement = MakeNoCardPlacement);
    // Destroys the temporary cards, newest first, then the main card and the history dialog;
    // each card stores its placement on the way if it has not since it last took it.
    ~TCardManager() override;

    TWordViewForm& WordViewForm() { return *wordViewForm_; }
    TCardsHostoryForm& CardsHostoryForm() { return *cardsHostoryForm_; }
    // The program's windows in the order the card commands walk them.
    TWindowList& Windows() { return *windows_; }

    // The standard error report; by default an error box titled "Kovrak MORVA".
    void SetErrorReport(std::function<void(const std::exception&)> report);

    // The main window's menu commands that have shortcuts. From then on a key pressed in a
    // card or in the history dialog that none of its controls claims goes to the matching
    // command (see cards/KeyRouter.h). The main window handles its own keys.
    void SetMainWindow(QWidget* mainWindow, QList<QAction*> commands);

    // Closes the temporary cards, fills the main card with entry index, shows it and records
    // it in the history. Throws what the dictionary throws.
    void ShowWordCard(TUzDictionary& dictionary, int index);
    // The same for an entry of the pair's source list, shown under the pair's caption,
    // whatever list the main window shows.
    void ShowPairCard(TUzDictionary& dictionary, LanguagePair pair, int index);
    // Closes the temporary cards and shows a stored caption and article in the main card.
    void OpenHistoryCard(const std::string& caption, const std::string& articleHtml);
    // Closes every temporary card, hidden ones included.
    void CloseTempCards();
    // Shows Uzbek text in the Latin alphabet, or not, in every card from now on and at once
    // in the cards already open.
    void SetUzbekLatin(bool on);

    // The command handlers. WordInfoActionExecute does nothing unless the command is enabled
    // and a row (0 or more) is selected; dictionary may be null only then.
    void WordInfoActionExecute(TUzDictionary* dictionary, int selectedRow, bool actionEnabled);
    // wordListTop: the word list's top inside the main window's client area (the height of
    // the toolbars above it), which the cascade starts from as a screen coordinate.
    void CascadeCardsActionExecute(int wordListTop);
    void CloseTempCardsActionExecute();
    void CloseAllCardsActionExecute();
    void CardsHostoryActionExecute();

private:
    TCardContext context_;
    std::unique_ptr<TWindowList> windows_;
    std::unique_ptr<TKeyRouter> keyRouter_;
    TWordViewForm* wordViewForm_ = nullptr;
    TCardsHostoryForm* cardsHostoryForm_ = nullptr;
};

} // namespace morva
