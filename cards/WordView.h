#pragma once
// TWordViewForm: a card, the small window that shows one article. The main card (the first
// card made with a context, kept for the life of the program) only hides when closed;
// temporary cards (Tag 1), opened by the links of an article, are destroyed when closed.

#include "cards/CardContext.h"
#include "engine/Language.h"
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

    TUzDictionary* Dictionary() const { return dictionary_; }
    // Dictionary text.
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    // Shows entry index of the dictionary under its CardCaption and returns the article.
    // Throws what the dictionary throws; the caption is set by then, the article is not.
    std::string FillFromDictionary(TUzDictionary& dictionary, int index);
    // The same for a pair of its own, whatever list the main window shows; the card's links
    // follow that pair's list.
    std::string FillFromDictionary(TUzDictionary& dictionary, LanguagePair pair, int index);
    void FillFromText(const std::string& caption, const std::string& articleHtml);
    // Shows the article again, as the cards' Latin Uzbek setting now wants it.
    void RefreshArticle();

    // Makes the card visible, raises and activates it. A card that turns visible takes its
    // stored placement first and then runs FormShow.
    void ShowCard();

    THtmlView& Html() { return *html_; }

    void FormCreate();
    void FormShow();
    // Decides what closing does: the main card hides, a temporary card is destroyed.
    void HtmlKeyDown(QKeyEvent* event);
    void HtmlHotSpotClick(const QString& src);
    void N1Click();
    void N3Click();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void CreateParts();
    void OpenTemporaryCard(int index);
    void ShowArticle(const std::string& articleHtml);
    void Report(const std::exception& error);
    template <class Handler>
    void Reported(Handler handler)
    {
        RunReported(handler, [this](const std::exception& error) { Report(error); });
    }

    TCardContext& context_;
    std::unique_ptr<ICardPlacement> placement_;
    QMenu* viewPopupMenu_ = nullptr;
    QFrame* viewPanel_ = nullptr;
    THtmlView* html_ = nullptr;
    QAction* n1_ = nullptr;
    QAction* n2_ = nullptr;
    QAction* n3_ = nullptr;
    TUzDictionary* dictionary_ = nullptr;
    // Set for a card of a pair of its own; otherwise links follow the dictionary's selection.
    std::optional<LanguagePair> pair_;
    std::string caption_;
    // The article as the dictionary gave it; the view may show it converted.
    std::string article_;
    int tag_ = 0;
};

} // namespace morva
