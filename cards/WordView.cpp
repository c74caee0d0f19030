#include "cards/WordView.h"

#include "cards/CardsHostory.h"
#include "cards/HtmlView.h"
#include "cards/UzbekLatinArticle.h"
#include "cards/WindowList.h"
#include "engine/KovrObj.h"
#include "platform/Clipboard.h"
#include "platform/MessageBox.h"
#include "platform/TaskbarEntry.h"
#include "text/CodePage1251.h"
#include "ui/Program.h"
#include "ui/UiText.h"

#include <QAction>
#include <QCloseEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QScreen>
#include <QVBoxLayout>

namespace morva {

namespace {

constexpr QSize CardSize(276, 332);
constexpr QSize CardMinimumSize(240, 240);

// "Bu talqinda so‘z tarjimasi yo‘q."
const QString NoTranslationMessage = QStringLiteral("Bu talqinda so\u2018z tarjimasi yo\u2018q.");

// Exactly Ctrl: Ctrl held, neither Shift nor Alt.
bool ExactlyCtrl(const QKeyEvent* event)
{
    const Qt::KeyboardModifiers held =
        event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier);
    return held == Qt::ControlModifier;
}

// A new card's offset from its placement on one axis: away from the nearer screen edge.
int Offset(int position, int screenExtent, TOffsetRandom& random)
{
    const int r = static_cast<int>(random.Next(200));
    return position < screenExtent / 2 ? r + 100 : r - 100;
}

} // namespace

TWordViewForm::TWordViewForm(TCardContext& context)
    : context_(context)
    , placement_(context.Placement(*this))
{
    if (!context_.MainCard)
        context_.MainCard = this;
    CreateParts();
    if (context_.Windows)
        context_.Windows->Add(this);
    FormCreate();
}

TWordViewForm::~TWordViewForm()
{
    if (placement_->Saved())
        return;
    Reported([&] { placement_->SaveStoredProps(); });
}

void TWordViewForm::CreateParts()
{
    setObjectName(QStringLiteral("WordViewForm"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // Closing a card never ends the program; the main window decides that.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(CardSize);
    setMinimumSize(CardMinimumSize);
    setFont(WindowFont());
    setWindowIcon(QIcon(QString::fromLatin1(ProgramIconPath)));

    viewPopupMenu_ = new QMenu(this);
    viewPopupMenu_->setObjectName(QStringLiteral("ViewPopupMenu"));
    n1_ = viewPopupMenu_->addAction(QStringLiteral("Копировать"));
    n1_->setObjectName(QStringLiteral("N1"));
    n1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    n2_ = viewPopupMenu_->addSeparator();
    n2_->setObjectName(QStringLiteral("N2"));
    n3_ = viewPopupMenu_->addAction(QStringLiteral("Выделить все"));
    n3_->setObjectName(QStringLiteral("N3"));
    n3_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    // The view claims these keys itself; they must not become window shortcuts as well.
    n1_->setShortcutContext(Qt::WidgetShortcut);
    n3_->setShortcutContext(Qt::WidgetShortcut);

    viewPanel_ = new QFrame(this);
    viewPanel_->setObjectName(QStringLiteral("ViewPanel"));
    viewPanel_->setFrameStyle(QFrame::Box | QFrame::Plain);
    viewPanel_->setLineWidth(1);
    html_ = new THtmlView(viewPanel_);
    html_->setObjectName(QStringLiteral("Html"));
    html_->SetPopupMenu(viewPopupMenu_);

    auto* panelLayout = new QVBoxLayout(viewPanel_);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(html_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(viewPanel_);
    setFocusProxy(html_);

    connect(n1_, &QAction::triggered, this, &TWordViewForm::N1Click);
    connect(n3_, &QAction::triggered, this, &TWordViewForm::N3Click);
    connect(html_, &THtmlView::LinkClick, this, &TWordViewForm::HtmlHotSpotClick);
    connect(html_, &THtmlView::KeyDown, this, &TWordViewForm::HtmlKeyDown);
}

void TWordViewForm::SetCaption(const std::string& caption)
{
    caption_ = caption;
    setWindowTitle(FromDictText(caption));
}

std::string TWordViewForm::FillFromDictionary(TUzDictionary& dictionary, int index)
{
    dictionary_ = &dictionary;
    pair_.reset();
    SetCaption(dictionary.CardCaption());
    std::string article = dictionary.ArticleHtml(index);
    ShowArticle(article);
    return article;
}

std::string TWordViewForm::FillFromDictionary(TUzDictionary& dictionary, LanguagePair pair, int index)
{
    dictionary_ = &dictionary;
    pair_ = pair;
    SetCaption(TUzDictionary::CardCaption(pair));
    std::string article = dictionary.ArticleHtml(pair, index);
    ShowArticle(article);
    return article;
}

void TWordViewForm::FillFromText(const std::string& caption, const std::string& articleHtml)
{
    SetCaption(caption);
    ShowArticle(articleHtml);
}

void TWordViewForm::ShowArticle(const std::string& articleHtml)
{
    article_ = articleHtml;
    RefreshArticle();
}

void TWordViewForm::RefreshArticle()
{
    html_->LoadArticle(ArticleForDisplay(article_, caption_, context_.UzbekLatin));
}

void TWordViewForm::ShowCard()
{
    if (isHidden()) {
        try {
            placement_->LoadStoredProps();
        } catch (const std::exception&) {
            // Nothing stored, or nothing readable: the card stays where it is.
        }
        FormShow();
    }
    // Minimised by the window manager, it comes back as it is shown.
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    raise();
    activateWindow();
    // The article takes the keys at once: Ctrl+A, Ctrl+C, the arrows and the page keys.
    html_->setFocus();
    if (context_.Windows)
        context_.Windows->MoveToFront(this);
}

void TWordViewForm::FormCreate()
{
    if (!IsMainCard())
        return;
    try {
        placement_->LoadStoredProps();
    } catch (const std::exception&) {
        // A first run has nothing stored.
    }
}

void TWordViewForm::FormShow()
{
    if (Tag() != TemporaryCardTag)
        return;
    const QSize screen = QGuiApplication::primaryScreen()->size();
    // The horizontal draw comes first: the offsets repeat from run to run.
    const int left = x() + Offset(x(), screen.width(), context_.Random);
    const int top = y() + Offset(y(), screen.height(), context_.Random);
    move(left, top);
}

void TWordViewForm::closeEvent(QCloseEvent* event)
{
    Reported([&] { placement_->SaveStoredProps(); });
    event->accept();
    // The main card is only hidden; any other card is gone once closed.
    if (!IsMainCard())
        deleteLater();
}

void TWordViewForm::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    KeepOffTaskbar(*this);
}

void TWordViewForm::keyPressEvent(QKeyEvent* event)
{
    event->ignore();
    HtmlKeyDown(event);
    if (!event->isAccepted())
        QWidget::keyPressEvent(event);
}

void TWordViewForm::HtmlKeyDown(QKeyEvent* event)
{
    const int key = event->key();
    if (key == Qt::Key_Escape) {
        hide();
        event->accept();
    } else if ((key == Qt::Key_C || key == Qt::Key_Insert) && ExactlyCtrl(event)) {
        N1Click();
        event->accept();
    }
}

void TWordViewForm::N1Click()
{
    context_.Clipboard->SetText(html_->SelectedText());
}

void TWordViewForm::N3Click()
{
    html_->SelectAll();
}

void TWordViewForm::HtmlHotSpotClick(const QString& src)
{
    bool isNumber = false;
    const int index = src.toInt(&isNumber);
    if (!isNumber) {
        context_.MessageBox->Show(this, NoTranslationMessage, windowTitle(), TMessageIcon::Information);
        return;
    }
    // Only a card filled from the dictionary has links to follow.
    if (!dictionary_)
        return;
    Reported([&] { OpenTemporaryCard(index); });
}

void TWordViewForm::OpenTemporaryCard(int index)
{
    auto* card = new TWordViewForm(context_);
    card->SetTag(TemporaryCardTag);
    const std::string article =
        pair_ ? card->FillFromDictionary(*dictionary_, *pair_, index) : card->FillFromDictionary(*dictionary_, index);
    const Language list = pair_ ? pair_->Source : dictionary_->SourceLanguage();
    if (context_.History)
        context_.History->AddCard(dictionary_->Headword(list, index), card->Caption(), article);
    card->ShowCard();
}

void TWordViewForm::Report(const std::exception& error)
{
    if (context_.ReportError)
        context_.ReportError(error);
}

} // namespace morva
