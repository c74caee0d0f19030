#include "cards/SelectionCard.h"

#include "cards/HtmlView.h"
#include "cards/UzbekLatinArticle.h"
#include "platform/Selection.h"
#include "ui/UiText.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace morva {
namespace {

constexpr QSize SelectionCardSize(320, 220);
// Where the card sits from the pointer: beside it, so the pointer does not cover the text.
constexpr QPoint PointerOffset(16, 20);
// How far the pointer may leave the card before it closes.
constexpr int LeaveMargin = 96;
// The desktop's keys and buttons are looked at this often while the card shows.
constexpr int PollInterval = 50;

} // namespace

TSelectionCardForm::TSelectionCardForm(IDesktopPointer& pointer, QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus)
    , pointer_(pointer)
    , html_(new THtmlView(this))
    , closeTimer_(new QTimer(this))
{
    setObjectName(QStringLiteral("SelectionCardForm"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(SelectionCardSize);
    html_->setObjectName(QStringLiteral("Html"));
    html_->setFrameStyle(QFrame::Box | QFrame::Plain);
    html_->setFocusPolicy(Qt::NoFocus);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(html_);

    closeTimer_->setInterval(PollInterval);
    connect(closeTimer_, &QTimer::timeout, this, &TSelectionCardForm::CloseTimerTimer);
    connect(html_, &THtmlView::LinkClick, this, &TSelectionCardForm::HtmlHotSpotClick);
}

void TSelectionCardForm::ShowNear(const Card& card, bool uzbekLatin, QPoint pointer)
{
    pair_ = card.Pair;
    setWindowTitle(FromDictText(card.Caption));
    html_->LoadArticle(ArticleForDisplay(card, uzbekLatin));

    QRect place(pointer + PointerOffset, size());
    const QScreen* screen = QGuiApplication::screenAt(pointer);
    const QRect room = (screen ? screen : QGuiApplication::primaryScreen())->availableGeometry();
    // Past the screen's edge the card goes to the other side of the pointer.
    if (place.right() > room.right())
        place.moveRight(pointer.x() - PointerOffset.x());
    if (place.bottom() > room.bottom())
        place.moveBottom(pointer.y() - PointerOffset.y());
    place.moveLeft(std::max(place.left(), room.left()));
    place.moveTop(std::max(place.top(), room.top()));
    move(place.topLeft());
    show();
    raise();
    closeTimer_->start();
}

void TSelectionCardForm::CloseTimerTimer()
{
    if (!isVisible()) {
        closeTimer_->stop();
        return;
    }
    const TPointerState state = pointer_.State();
    const QRect card = frameGeometry();
    const bool away = !card.adjusted(-LeaveMargin, -LeaveMargin, LeaveMargin, LeaveMargin).contains(state.Position);
    if (state.EscapeDown || (state.ButtonDown && !card.contains(state.Position)) || away) {
        closeTimer_->stop();
        hide();
    }
}

void TSelectionCardForm::keyPressEvent(QKeyEvent* event)
{
    if (event->key() != Qt::Key_Escape)
        return QWidget::keyPressEvent(event);
    hide();
}

void TSelectionCardForm::HtmlHotSpotClick(const QString& src)
{
    bool isNumber = false;
    const int index = src.toInt(&isNumber);
    // A reference with no entry leads nowhere; the card stays as it is.
    if (!isNumber)
        return;
    hide();
    emit EntryClicked(pair_, index);
}

} // namespace morva
