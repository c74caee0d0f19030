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
    , MainPropStorage_(context.Placement(*this))
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
    if (MainPropStorage_->Saved())
        return;
    try {
        MainPropStorage_->SaveStoredProps();
    } catch (const std::exception& error) {
        Report(error);
    }
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

    ViewPopupMenu_ = new QMenu(this);
    ViewPopupMenu_->setObjectName(QStringLiteral("ViewPopupMenu"));
    N1_ = ViewPopupMenu_->addAction(QStringLiteral("Копировать"));
    N1_->setObjectName(QStringLiteral("N1"));
    N1_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    N2_ = ViewPopupMenu_->addSeparator();
    N2_->setObjectName(QStringLiteral("N2"));
    N3_ = ViewPopupMenu_->addAction(QStringLiteral("Выделить все"));
    N3_->setObjectName(QStringLiteral("N3"));
    N3_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
    // The view claims these keys itself; they must not become window shortcuts as well.
    N1_->setShortcutContext(Qt::WidgetShortcut);
    N3_->setShortcutContext(Qt::WidgetShortcut);

    ViewPanel_ = new QFrame(this);
    ViewPanel_->setObjectName(QStringLiteral("ViewPanel"));
    ViewPanel_->setFrameStyle(QFrame::Box | QFrame::Plain);
    ViewPanel_->setLineWidth(1);
    Html_ = new THtmlView(ViewPanel_);
    Html_->setObjectName(QStringLiteral("Html"));
    Html_->SetPopupMenu(ViewPopupMenu_);

    auto* panelLayout = new QVBoxLayout(ViewPanel_);
    panelLayout->setContentsMargins(1, 1, 1, 1);
    panelLayout->addWidget(Html_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ViewPanel_);
    setFocusProxy(Html_);

    connect(N1_, &QAction::triggered, this, &TWordViewForm::N1Click);
    connect(N3_, &QAction::triggered, this, &TWordViewForm::N3Click);
    connect(Html_, &THtmlView::LinkClick, this, &TWordViewForm::HtmlHotSpotClick);
    connect(Html_, &THtmlView::KeyDown, this, &TWordViewForm::HtmlKeyDown);
}

void TWordViewForm::SetCaption(const std::string& caption)
{
    caption_ = caption;
    setWindowTitle(FromDictText(caption));
}

std::string TWordViewForm::FillFromDictionary(TUzDictionary& dictionary, int index)
{
    dictionary_ = &dictionary;
    SetCaption(dictionary.CardCaption());
    std::string article = dictionary.ArticleHtml(index);
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
    Html_->LoadArticle(ArticleForDisplay(article_, caption_, context_.UzbekLatin));
}

void TWordViewForm::ShowCard()
{
    if (isHidden()) {
        try {
            MainPropStorage_->LoadStoredProps();
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
    Html_->setFocus();
    if (context_.Windows)
        context_.Windows->MoveToFront(this);
}

void TWordViewForm::FormCreate()
{
    if (!IsMainCard())
        return;
    try {
        MainPropStorage_->LoadStoredProps();
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
    try {
        MainPropStorage_->SaveStoredProps();
    } catch (const std::exception& error) {
        Report(error);
    }
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
    context_.Clipboard->SetText(Html_->SelectedText());
}

void TWordViewForm::N3Click()
{
    Html_->SelectAll();
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
    try {
        OpenTemporaryCard(index);
    } catch (const std::exception& error) {
        Report(error);
    }
}

void TWordViewForm::OpenTemporaryCard(int index)
{
    auto* card = new TWordViewForm(context_);
    card->SetTag(TemporaryCardTag);
    const std::string article = card->FillFromDictionary(*dictionary_, index);
    if (context_.History)
        context_.History->AddCard(dictionary_->Headword(index), card->Caption(), article);
    card->ShowCard();
}

void TWordViewForm::Report(const std::exception& error)
{
    if (context_.ReportError)
        context_.ReportError(error);
}

} // namespace morva
