#include "cards/CardsHostory.h"

#include "cards/CardHistoryModel.h"
#include "platform/TaskbarEntry.h"
#include "ui/Program.h"
#include "ui/ScreenCentre.h"

#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>

#include <functional>

namespace morva {

namespace {

bool IsEnter(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The history list takes Enter itself, ahead of the main window's Enter (open word), and
// every double click, also one below the rows: both choose the selected row.
class THistoryListBox : public QListView {
public:
    std::function<void()> OnChoose;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride && IsEnter(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QListView::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!IsEnter(event)) {
            QListView::keyPressEvent(event);
            return;
        }
        if (OnChoose)
            OnChoose();
        event->accept();
    }

    // A click below the rows leaves the selection as it is.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (indexAt(event->position().toPoint()).isValid())
            QListView::mousePressEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (indexAt(event->position().toPoint()).isValid())
            QListView::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton && OnChoose)
            OnChoose();
    }
};

} // namespace

TCardsHostoryForm::TCardsHostoryForm()
{
    CreateParts();
}

void TCardsHostoryForm::CreateParts()
{
    setObjectName(QStringLiteral("CardsHostoryForm"));
    setWindowTitle(QStringLiteral("Kartochkalar tarixi"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose, false);
    setFixedSize(316, 280);
    setFont(WindowFont());

    auto* listBox = new THistoryListBox;
    listBox->setParent(this);
    listBox->OnChoose = [this] { ListBoxDblClick(); };
    listBox_ = listBox;
    listBox_->setObjectName(QStringLiteral("ListBox"));
    listBox_->setAccessibleName(QStringLiteral("Kartochkalar tarixi"));
    listBox_->setGeometry(8, 8, 300, 229);
    QFont listFont(QString::fromLatin1(DisplayFontName));
    listFont.setPixelSize(12);
    listBox_->setFont(listFont);
    listBox_->setUniformItemSizes(true);
    cards_ = new TCardHistoryModel(this);
    listBox_->setModel(cards_);
    listBox_->setEnabled(false);

    okButton_ = new QPushButton(QStringLiteral("Yopish"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setGeometry(113, 248, 90, 25);
    okButton_->setAutoDefault(false);

    connect(okButton_, &QPushButton::clicked, this, &TCardsHostoryForm::OKButtonClick);
}

void TCardsHostoryForm::AddCard(const Card& card)
{
    cards_->Add(card);
    listBox_->setEnabled(true);
    listBox_->setCurrentIndex(cards_->index(0));
}

int TCardsHostoryForm::Count() const
{
    return cards_->Count();
}

void TCardsHostoryForm::ShowHistory()
{
    if (!shownBefore_) {
        shownBefore_ = true;
        CentreOnScreen(*this);
    }
    show();
    raise();
    activateWindow();
    listBox_->setFocus();
}

void TCardsHostoryForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    KeepOffTaskbar(*this, mainWindow_);
}

void TCardsHostoryForm::ListBoxDblClick()
{
    const int row = listBox_->currentIndex().row();
    if (row < 0 || row >= Count())
        return;
    // A copy: the handler may add entries while it runs.
    const Card card = cards_->At(row);
    emit CardSelected(card);
}

void TCardsHostoryForm::OKButtonClick()
{
    close();
}

} // namespace morva
