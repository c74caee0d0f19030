#pragma once
// The search inside the articles: a word in one language, the entries whose translations into
// it hold the word, best first; Enter or a double click opens a result's card.

#include "engine/Language.h"
#include "lookup/ArticleIndex.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;

namespace morva {

class TUzDictionary;

class TArticleSearchForm : public QDialog {
    Q_OBJECT
public:
    TArticleSearchForm(const TUzDictionary& dict, const TArticleIndex& index, QWidget* parent);

    // Shows the dialog with the language of the translations to search, the field focused.
    void Open(Language language);

signals:
    void ResultChosen(LanguagePair pair, std::int32_t index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SearchTextChange();
    void OpenSelected();

    const TUzDictionary& dict_;
    const TArticleIndex& index_;
    QComboBox* languageCB_;
    QLineEdit* searchEdit_;
    QListWidget* resultList_;
    QLabel* statusLabel_;
    std::vector<ArticleHit> hits_;
};

} // namespace morva
