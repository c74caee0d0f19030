#pragma once
// Finding a word as the user has it, in the main window: the indexes built off the
// user-interface thread, the hint line under the search field (the base word of a form, or
// the nearest headwords of a misspelling), its key, and the search inside the articles.

#include "engine/Language.h"

#include <QObject>

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QLabel;
class QThread;
class QWidget;

namespace morva {

class TArticleIndex;
class TArticleSearchForm;
class TSuggestionIndex;
class TUzDictionary;
class TWordForms;

class TFindHelper : public QObject {
    Q_OBJECT
public:
    // Opens a card for an entry of a pair's source list.
    using TOpenCard = std::function<void(LanguagePair pair, std::int32_t index)>;

    TFindHelper(QWidget* window, TOpenCard openCard);
    // Waits for a build still running: it reads the dictionary.
    ~TFindHelper() override;

    QLabel* HintLine() const { return hintLine_; }
    QAction* FormsHintAction() const { return formsHintAction_; }
    QAction* SpellingHintAction() const { return spellingHintAction_; }
    QAction* ArticleSearchEnabledAction() const { return articleSearchEnabledAction_; }
    QAction* OpenHintAction() const { return openHintAction_; }
    QAction* ArticleSearchAction() const { return articleSearchAction_; }

    // Builds the indexes over the dictionary in the background, once the window has had a
    // moment to come up; the dictionary must outlive this object.
    void Start(const TUzDictionary& dict);
    bool Ready() const { return indexes_ != nullptr; }
    // The search text changed (dictionary text of the list shown).
    void TextChanged(Language list, const std::string& text);

signals:
    void IndexesReady();

private:
    struct TIndexes;
    bool AnyHelpOn() const;
    void Build();
    void ShowHint();
    void OpenHint(std::int32_t index);
    void ApplySwitches();
    void ArticleSearchActionExecute();

    QWidget* window_;
    TOpenCard openCard_;
    QLabel* hintLine_;
    QAction* formsHintAction_;
    QAction* spellingHintAction_;
    QAction* articleSearchEnabledAction_;
    QAction* openHintAction_;
    QAction* articleSearchAction_;
    const TUzDictionary* dict_ = nullptr;
    QThread* builder_ = nullptr;
    std::atomic<bool> cancelled_{false};
    std::unique_ptr<TIndexes> built_;   // written by the builder, taken when it has finished
    std::unique_ptr<TIndexes> indexes_; // the user-interface thread's
    TArticleSearchForm* searchForm_ = nullptr;
    Language list_ = English;
    std::string text_;
    std::vector<std::int32_t> hinted_;
};

} // namespace morva
