#pragma once
// TWordViewForm: a card, the small window that shows one article. The main card (the first
// card made with a context, kept for the life of the program) only hides when closed;
// temporary cards (Tag 1), opened by the links of an article, are destroyed when closed.

#include "cards/Card.h"
#include "cards/CardContext.h"
#include "ui/UiText.h"

#include <QWidget>

#include <memory>
#include <optional>
#include <string>

class QAction;
class QFrame;
class QMenu;

namespace morva {

class THtmlView;
class TUzDictionary;

class TWordViewForm : public QWidget {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
public:
    explicit TWordViewForm(TCardContext& context);
    ~TWordViewForm() override;

    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    bool IsMainCard() const { return context_.MainCard == this; }

    // The dictionary whose links the card follows; null until it shows a card of its own.
    const TUzDictionary* Dictionary() const { return dictionary_; }
    // Dictionary text.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    // The card shown.
    const Card& Shown() const { return card_; }

    // Shows a card of the dictionary; its links open further cards of the same pair.
    void FillFromDictionary(const TUzDictionary& dictionary, const Card& card);
    // Shows a card again as the history keeps it: its links cannot be followed.
    void FillFromHistory(const Card& card);
    // Shows the article again, as the cards' Latin Uzbek setting now wants it.
    void RefreshArticle();

    // Makes the card visible, raises and activates it. A card that turns visible takes its
    // stored placement first and then runs FormShow.
    void ShowCard();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateParts();
    void FormCreate();
    void FormShow();
    void HtmlKeyDown(QKeyEvent* event);
    void HtmlHotSpotClick(const QString& src);
    void N1Click();
    void N3Click();
    void OpenTemporaryCard(int index);
    void ShowCardValue(const Card& card, bool links);
    void Report(const std::exception& error);
    template <class Handler>
    void Reported(Handler handler)
    {
        RunReported(handler, [this](const std::exception& error) { Report(error); });
    }

    TCardContext& context_;
    std::unique_ptr<ICardPlacement> placement_;
    // The parts, under their object names; tests find them by those names.
    QMenu* viewPopupMenu_ = nullptr;
    QFrame* viewPanel_ = nullptr;
    THtmlView* html_ = nullptr;
    QAction* n1_ = nullptr;
    QAction* n2_ = nullptr;
    QAction* n3_ = nullptr;
    const TUzDictionary* dictionary_ = nullptr;
    std::string caption_;
    // The card as the dictionary gave it; the view may show its article converted.
    Card card_;
    bool links_ = true;
    int tag_ = 0;
};

} // namespace morva
