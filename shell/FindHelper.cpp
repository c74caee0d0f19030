#include "shell/FindHelper.h"

#include "engine/KovrObj.h"
#include "engine/TextRules.h"
#include "lookup/ArticleIndex.h"
#include "lookup/Suggestions.h"
#include "lookup/TextFold.h"
#include "lookup/WordForms.h"
#include "shell/ArticleSearchForm.h"
#include "ui/Program.h"
#include "ui/UiText.h"

#include <QAction>
#include <QLabel>
#include <QThread>
#include <QTimer>

#include <malloc.h>

#include <exception>
#include <thread>

using namespace Qt::StringLiterals;

namespace morva {
namespace {

constexpr std::size_t HintWords = 3;
// The start of the program goes first: the splash, the stored windows, the first list.
constexpr int BuildDelay = 500;

} // namespace

struct TFindHelper::TIndexes {
    std::unique_ptr<TWordForms> Forms;
    std::array<std::unique_ptr<TSuggestionIndex>, LanguageCount> Suggestions;
    std::unique_ptr<TArticleIndex> Articles;
};

TFindHelper::TFindHelper(QWidget* window, TOpenCard openCard)
    : QObject(window), window_(window), openCard_(std::move(openCard))
{
    setObjectName(QStringLiteral("FindHelper"));
    hintLine_ = new QLabel;
    hintLine_->setObjectName(QStringLiteral("FindHintLine"));
    QFont font(QString::fromLatin1(DisplayFontName));
    font.setPixelSize(12);
    hintLine_->setFont(font);
    // Always one line high, shown or empty: the list above never moves.
    hintLine_->setFixedHeight(hintLine_->fontMetrics().height() + 6);
    hintLine_->setContentsMargins(3, 0, 3, 0);
    hintLine_->setTextFormat(Qt::RichText);
    hintLine_->setToolTip(u"Ctrl+Enter: birinchi so‘z tarjimasi"_s);
    connect(hintLine_, &QLabel::linkActivated, this, [this](const QString& link) { OpenHint(link.toInt()); });

    const auto makeSwitch = [&](const char* name, const QString& caption) {
        auto* action = new QAction(caption, this);
        action->setObjectName(QString::fromLatin1(name));
        action->setCheckable(true);
        action->setChecked(true);
        connect(action, &QAction::toggled, this, &TFindHelper::ApplySwitches);
        return action;
    };
    formsHintAction_ = makeSwitch("FormsHintAction", u"So‘z shaklidan &asosini ko‘rsatish"_s);
    spellingHintAction_ = makeSwitch("SpellingHintAction", u"&Xato yozilgan so‘zga yaqinlarini ko‘rsatish"_s);
    articleSearchEnabledAction_ = makeSwitch("ArticleSearchEnabledAction", u"&Maqolalar ichida qidirish"_s);

    openHintAction_ = new QAction(u"Ko‘rsatil&gan so‘z tarjimasi"_s, this);
    openHintAction_->setObjectName(QStringLiteral("OpenHintAction"));
    openHintAction_->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)});
    openHintAction_->setEnabled(false);
    connect(openHintAction_, &QAction::triggered, this, [this] {
        if (!hinted_.empty())
            OpenHint(hinted_.front());
    });

    articleSearchAction_ = new QAction(u"Maqolalar &ichida qidirish..."_s, this);
    articleSearchAction_->setObjectName(QStringLiteral("ArticleSearchAction"));
    articleSearchAction_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
    articleSearchAction_->setEnabled(false);
    connect(articleSearchAction_, &QAction::triggered, this, &TFindHelper::ArticleSearchActionExecute);
    for (QAction* action : {openHintAction_, articleSearchAction_})
        window->addAction(action);
}

TFindHelper::~TFindHelper()
{
    // A closing program does not wait for more than the step under way.
    cancelled_ = true;
    if (builder_)
        builder_->wait();
}

void TFindHelper::Start(const TUzDictionary& dict)
{
    dict_ = &dict;
    QTimer::singleShot(BuildDelay, this, &TFindHelper::Build);
}

bool TFindHelper::AnyHelpOn() const
{
    return formsHintAction_->isChecked() || spellingHintAction_->isChecked() ||
           articleSearchEnabledAction_->isChecked();
}

void TFindHelper::Build()
{
    // With every help off the indexes would only take memory: built when one is turned on.
    if (builder_ || !dict_ || !AnyHelpOn())
        return;
    const TUzDictionary& dict = *dict_;
    builder_ = QThread::create([this, &dict] {
        auto indexes = std::make_unique<TIndexes>();
        // A failure here (a damaged file) leaves the program without these helps, no more.
        // The article index, the largest, is built beside the others on a second core.
        std::exception_ptr articleFailure;
        std::thread articles([&] {
            try {
                indexes->Articles = std::make_unique<TArticleIndex>(dict);
            } catch (...) {
                articleFailure = std::current_exception();
            }
        });
        try {
            indexes->Forms = std::make_unique<TWordForms>(dict);
            for (Language l = 0; l < LanguageCount && !cancelled_; ++l)
                indexes->Suggestions[l] = std::make_unique<TSuggestionIndex>(dict, l);
        } catch (const std::exception&) {
            articles.join();
            return;
        }
        articles.join();
        if (!cancelled_ && !articleFailure)
            built_ = std::move(indexes);
        // The build's working lists (a hundred megabytes on a full file) go back to the
        // system, not only to the allocator, and so do the file's pages the build read.
        malloc_trim(0);
        dict.Image().ReleaseMappedPages();
    });
    builder_->setParent(this);
    builder_->setObjectName(QStringLiteral("FindIndexBuilder"));
    connect(builder_, &QThread::finished, this, [this] {
        indexes_ = std::move(built_);
        ApplySwitches();
        ShowHint();
        emit IndexesReady();
    });
    builder_->start(QThread::LowPriority);
}

void TFindHelper::ApplySwitches()
{
    if (!builder_ && dict_ && AnyHelpOn())
        QTimer::singleShot(0, this, &TFindHelper::Build);
    hintLine_->setVisible(formsHintAction_->isChecked() || spellingHintAction_->isChecked());
    articleSearchAction_->setEnabled(Ready() && articleSearchEnabledAction_->isChecked());
    if (searchForm_ && !articleSearchAction_->isEnabled())
        searchForm_->hide();
    ShowHint();
}

void TFindHelper::TextChanged(Language list, const std::string& text)
{
    list_ = list;
    text_ = text;
    ShowHint();
}

void TFindHelper::ShowHint()
{
    hinted_.clear();
    const std::string_view typed = TrimmedText(text_);
    QString line;
    if (indexes_ && dict_ && !typed.empty() && dict_->FindHeadword(list_, typed) < 0) {
        bool forms = false;
        if (formsHintAction_->isChecked()) {
            hinted_ = indexes_->Forms->BaseHeadwords(list_, typed);
            forms = !hinted_.empty();
        }
        if (!forms && spellingHintAction_->isChecked())
            hinted_ = indexes_->Suggestions[list_]->Suggest(typed, HintWords);
        if (hinted_.size() > HintWords)
            hinted_.resize(HintWords);
        QStringList links;
        for (std::int32_t index : hinted_)
            links << u"<a href=\"%1\">%2</a>"_s.arg(index).arg(FromDictText(dict_->Headword(list_, index)).toHtmlEscaped());
        if (!links.isEmpty())
            line = forms ? u"%1 → %2"_s.arg(FromDictText(typed).toHtmlEscaped(), links.join(u", "_s))
                         : u"Balki: %1"_s.arg(links.join(u", "_s));
    }
    hintLine_->setText(line);
    openHintAction_->setEnabled(!hinted_.empty());
}

void TFindHelper::OpenHint(std::int32_t index)
{
    if (dict_ && index >= 0 && index < dict_->Count(list_))
        openCard_({list_, dict_->TargetLanguage()}, index);
}

void TFindHelper::ArticleSearchActionExecute()
{
    if (!indexes_ || !dict_)
        return;
    if (!searchForm_) {
        searchForm_ = new TArticleSearchForm(*dict_, *indexes_->Articles, window_);
        connect(searchForm_, &TArticleSearchForm::ResultChosen, this,
                [this](LanguagePair pair, std::int32_t index) { openCard_(pair, index); });
    }
    searchForm_->Open(dict_->TargetLanguage());
}

} // namespace morva
