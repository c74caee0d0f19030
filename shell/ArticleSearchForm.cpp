#include "shell/ArticleSearchForm.h"

#include "engine/KovrObj.h"
#include "lookup/ArticleIndex.h"
#include "platform/TaskbarEntry.h"
#include "text/CodePage1251.h"
#include "text/UzbekLatin.h"
#include "ui/Program.h"
#include "ui/UiText.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace morva {
namespace {

constexpr std::size_t MaxResults = 200;

} // namespace

TArticleSearchForm::TArticleSearchForm(const TUzDictionary& dict, const TArticleIndex& index, QWidget* parent)
    : QDialog(parent), dict_(dict), index_(index)
{
    setObjectName(QStringLiteral("ArticleSearchForm"));
    setWindowTitle(u"Maqolalar ichida qidirish"_s);
    QFont display(QString::fromLatin1(DisplayFontName));
    display.setPixelSize(12);

    auto* hint = new QLabel(u"Tarjimalarda qidiriladigan so‘z va uning tili:"_s);
    languageCB_ = new QComboBox;
    languageCB_->setObjectName(QStringLiteral("ArticleSearchLangCB"));
    languageCB_->addItems({u"Inglizcha"_s, u"O'zbekcha"_s, u"Ruscha"_s});
    searchEdit_ = new QLineEdit;
    searchEdit_->setObjectName(QStringLiteral("ArticleSearchEdit"));
    searchEdit_->setFont(display);
    resultList_ = new QListWidget;
    resultList_->setObjectName(QStringLiteral("ArticleSearchList"));
    resultList_->setFont(display);
    statusLabel_ = new QLabel;
    statusLabel_->setObjectName(QStringLiteral("ArticleSearchStatus"));

    auto* row = new QHBoxLayout;
    row->addWidget(searchEdit_, 1);
    row->addWidget(languageCB_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hint);
    layout->addLayout(row);
    layout->addWidget(resultList_, 1);
    layout->addWidget(statusLabel_);
    resize(320, 360);

    connect(searchEdit_, &QLineEdit::textChanged, this, &TArticleSearchForm::SearchTextChange);
    connect(languageCB_, &QComboBox::currentIndexChanged, this, &TArticleSearchForm::SearchTextChange);
    connect(resultList_, &QListWidget::itemActivated, this, &TArticleSearchForm::OpenSelected);
    searchEdit_->installEventFilter(this);
    resultList_->installEventFilter(this);
}

void TArticleSearchForm::Open(Language language)
{
    languageCB_->setCurrentIndex(language);
    show();
    raise();
    activateWindow();
    searchEdit_->setFocus();
    searchEdit_->selectAll();
}

void TArticleSearchForm::showEvent(QShowEvent* event)
{
    KeepOffTaskbar(*this, parentWidget());
    QDialog::showEvent(event);
}

void TArticleSearchForm::SearchTextChange()
{
    const Language language = Language(languageCB_->currentIndex());
    std::u16string typed = searchEdit_->text().toStdU16String();
    // Uzbek may be typed in Latin; the articles hold Cyrillic.
    if (language == Uzbek)
        typed = UzbekSearchToCyrillic(typed);
    hits_ = index_.Search(language, WideToDictText(typed), MaxResults);
    resultList_->clear();
    for (const ArticleHit& hit : hits_) {
        const QString pair = QString::fromLatin1(std::string(LanguageTags[hit.Pair.Source]) + "-" +
                                                 std::string(LanguageTags[hit.Pair.Target]));
        resultList_->addItem(u"%1   (%2)"_s.arg(FromDictText(dict_.Headword(hit.Pair.Source, hit.Index)), pair));
    }
    if (!hits_.empty())
        resultList_->setCurrentRow(0);
    statusLabel_->setText(searchEdit_->text().trimmed().isEmpty() ? QString()
                          : hits_.empty()                         ? u"Hech narsa topilmadi."_s
                                                                  : u"Topildi: %1"_s.arg(hits_.size()));
}

void TArticleSearchForm::OpenSelected()
{
    const int row = resultList_->currentRow();
    if (row >= 0 && std::size_t(row) < hits_.size())
        emit ResultChosen(hits_[std::size_t(row)].Pair, hits_[std::size_t(row)].Index);
}

bool TArticleSearchForm::eventFilter(QObject* watched, QEvent* event)
{
    // Enter is the main window's command too: here it opens a result, so these claim it.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            (watched == searchEdit_ || watched == resultList_)) {
            event->accept();
            return true;
        }
    }
    if (watched == searchEdit_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            OpenSelected();
            return true;
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            // The field keeps the keyboard; the arrows move the results.
            QCoreApplication::sendEvent(resultList_, event);
            return true;
        default:
            break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace morva
