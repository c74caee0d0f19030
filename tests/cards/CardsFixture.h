#pragma once
// A card manager over a small English-Uzbek dictionary, with recorded message boxes and
// clipboard, and a stand-in for the main window that carries the card commands.

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/HtmlView.h"
#include "cards/WindowList.h"
#include "cards/WordView.h"
#include "engine/KovrObj.h"
#include "platform/FakeClipboard.h"
#include "platform/FakeMessageBox.h"
#include "tests/support/DictFiles.h"
#include "tests/support/Part.h"

#include <QAction>
#include <QListView>
#include <QWidget>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace morva::test {

std::vector<std::uint8_t> CardsDictionaryBytes();

// A card's article view.
inline THtmlView& View(QWidget& card)
{
    return *Part<THtmlView>(card, "Html");
}

// A card as the history keeps it, of no particular entry.
Card Entry(std::string headword, std::string caption, std::string article);

// Headwords of the English list, in order.
inline constexpr int Book = 0;
inline constexpr int Volume = 1;

// A stored placement: taking it moves the card to Stored, storing it records where the card was.
class TRecordingPlacement : public ICardPlacement {
public:
    struct TStore {
        bool HasStored = false;
        QRect Stored;
        int Saves = 0;
    };
    TRecordingPlacement(QWidget& card, TStore& store) : card_(card), store_(store) {}
    void LoadStoredProps() override;
    void SaveStoredProps() override;
    bool Saved() const override { return saved_; }

private:
    QWidget& card_;
    TStore& store_;
    bool saved_ = false;
};

class CardsTest : public testing::Test {
protected:
    CardsTest();
    ~CardsTest() override;

    TWordViewForm& MainCard() { return cards->WordViewForm(); }
    TCardsHostoryForm& History() { return cards->CardsHostoryForm(); }
    QListView& HistoryList() { return *Part<QListView>(History(), "ListBox"); }
    // The history's choice goes to this handler alone.
    template <class Handler>
    void OnCardSelect(Handler handler)
    {
        QObject::disconnect(&History(), &TCardsHostoryForm::CardSelected, nullptr, nullptr);
        QObject::connect(&History(), &TCardsHostoryForm::CardSelected, &History(), handler);
    }
    // The history list's rows, read and chosen as the user sees them.
    QString HistoryRow(int row);
    int HistoryCurrentRow();
    void SelectHistoryRow(int row);
    // The temporary cards that still exist (closed ones are gone once the event is over).
    QList<TWordViewForm*> TemporaryCards();
    // The same in the order they were created.
    QList<TWordViewForm*> TemporaryCardsByAge();
    // Opens a headword in the main card as the open-word command does.
    void OpenWord(int index);
    // Clicks the link whose text is given, in the card's article.
    void ClickLink(TWordViewForm& card, const QString& linkText);
    // Runs the deferred destruction of closed windows.
    static void FinishEvent();

    FakeMessageBox messageBox;
    FakeClipboard clipboard;
    TRecordingPlacement::TStore placement;
    std::unique_ptr<TUzDictionary> dictionary;
    std::unique_ptr<TCardManager> cards;

    // The main window's commands, as the shell wires them.
    QWidget mainWindow;
    QAction* WordInfoAction = nullptr;
    QAction* CascadeCardsAction = nullptr;
    QAction* CloseTempCardsAction = nullptr;
    QAction* CloseAllCardsAction = nullptr;
    QAction* CardsHostoryAction = nullptr;
    QAction* CopyToClipAction = nullptr;
    int wordListRow = Book;
    int wordListTop = 54;
};

} // namespace morva::test
