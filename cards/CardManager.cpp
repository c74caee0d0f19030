#include "cards/CardManager.h"

#include "cards/CardsHostory.h"
#include "cards/KeyRouter.h"
#include "cards/WindowList.h"
#include "cards/WordView.h"
#include "engine/DictionaryError.h"
#include "engine/KovrObj.h"
#include "platform/MessageBox.h"
#include "text/CodePage1251.h"
#include "ui/Program.h"
#include "ui/UiText.h"

namespace morva {

namespace {

constexpr int CascadeStepX = 32;
constexpr int CascadeStepY = 24;

bool IsTemporaryCard(const QWidget* window)
{
    return WindowTag(window) == TemporaryCardTag;
}

} // namespace

TCardManager::TCardManager(IMessageBox& messageBox, IClipboard& clipboard, TCardPlacementFactory placement)
    : windows_(std::make_unique<TWindowList>())
    , keyRouter_(std::make_unique<TKeyRouter>())
{
    context_.MessageBox = &messageBox;
    context_.Clipboard = &clipboard;
    context_.Windows = windows_.get();
    context_.Placement = std::move(placement);
    context_.ReportError = [&messageBox](const std::exception& error) {
        messageBox.Show(nullptr, ErrorText(error), QString::fromLatin1(MainCaption), TMessageIcon::Error);
    };
    wordViewForm_ = new TWordViewForm(context_);
    cardsHostoryForm_ = new TCardsHostoryForm;
    windows_->Add(cardsHostoryForm_);
    context_.History = cardsHostoryForm_;
}

TCardManager::~TCardManager()
{
    const QList<QWidget*> created = windows_->CreationOrder();
    for (auto it = created.rbegin(); it != created.rend(); ++it) {
        if (IsTemporaryCard(*it))
            delete *it;
    }
    delete wordViewForm_;
    delete cardsHostoryForm_;
}

void TCardManager::SetErrorReport(std::function<void(const std::exception&)> report)
{
    context_.ReportError = std::move(report);
}

void TCardManager::SetMainWindow(QWidget* mainWindow, QList<QAction*> commands)
{
    windows_->Add(mainWindow);
    keyRouter_->SetMainWindow(mainWindow, std::move(commands));
}

void TCardManager::SetUzbekLatin(bool on)
{
    if (context_.UzbekLatin == on)
        return;
    context_.UzbekLatin = on;
    for (QWidget* window : windows_->Windows())
        if (auto* card = qobject_cast<TWordViewForm*>(window))
            card->RefreshArticle();
}

void TCardManager::CloseTempCards()
{
    // Closing only marks a card for destruction after this event, so the walk is safe.
    for (QWidget* window : windows_->Windows()) {
        if (IsTemporaryCard(window))
            window->close();
    }
}

void TCardManager::ShowWordCard(TUzDictionary& dictionary, int index)
{
    CloseTempCards();
    const std::string article = wordViewForm_->FillFromDictionary(dictionary, index);
    wordViewForm_->ShowCard();
    cardsHostoryForm_->AddCard(dictionary.Headword(index), wordViewForm_->Caption(), article);
}

void TCardManager::ShowPairCard(TUzDictionary& dictionary, LanguagePair pair, int index)
{
    CloseTempCards();
    const std::string article = wordViewForm_->FillFromDictionary(dictionary, pair, index);
    wordViewForm_->ShowCard();
    cardsHostoryForm_->AddCard(dictionary.Headword(pair.Source, index), wordViewForm_->Caption(), article);
}

void TCardManager::OpenHistoryCard(const std::string& caption, const std::string& articleHtml)
{
    CloseTempCards();
    wordViewForm_->FillFromText(caption, articleHtml);
    wordViewForm_->ShowCard();
}

void TCardManager::WordInfoActionExecute(TUzDictionary* dictionary, int selectedRow, bool actionEnabled)
{
    if (!actionEnabled || selectedRow < 0 || !dictionary)
        return;
    try {
        ShowWordCard(*dictionary, selectedRow);
    } catch (const std::exception& error) {
        context_.ReportError(error);
    }
}

void TCardManager::CascadeCardsActionExecute(int wordListTop)
{
    int x = wordViewForm_->x();
    int y = wordListTop;
    for (QWidget* window : windows_->Windows()) {
        if (!IsTemporaryCard(window))
            continue;
        x += CascadeStepX;
        y += CascadeStepY;
        window->move(x, y);
        // Shown, the card moves to the front of the list; the walk goes on over its copy.
        auto* card = qobject_cast<TWordViewForm*>(window);
        if (card && card->isVisible())
            card->ShowCard();
    }
}

void TCardManager::CloseTempCardsActionExecute()
{
    CloseTempCards();
}

void TCardManager::CloseAllCardsActionExecute()
{
    CloseTempCards();
    wordViewForm_->close();
}

void TCardManager::CardsHostoryActionExecute()
{
    cardsHostoryForm_->ShowHistory();
}

} // namespace morva
