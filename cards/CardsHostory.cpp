#include "cards/CardsHostory.h"

#include "platform/TaskbarEntry.h"
#include "text/CodePage1251.h"
#include "ui/Program.h"
#include "ui/ScreenCentre.h"
#include "ui/UiText.h"

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace morva {

namespace {

// "(bironta so‘rov bo‘lmagan)"
const QString EmptyHistoryRow = QStringLiteral("(bironta so\u2018rov bo\u2018lmagan)");
constexpr int RowHeight = 14;

bool IsEnter(const QKeyEvent* event)
{
    return (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// The history list takes Enter itself, ahead of the main window's Enter (open word), and
// every double click, also one below the rows: both choose the selected row.
class THistoryListBox : public QListWidget {
public:
    std::function<void()> OnChoose;

protected:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::ShortcutOverride && IsEnter(static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        return QListWidget::event(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (!IsEnter(event)) {
            QListWidget::keyPressEvent(event);
            return;
        }
        if (OnChoose)
            OnChoose();
        event->accept();
    }

    // A click below the rows leaves the selection as it is.
    void mousePressEvent(QMouseEvent* event) override
    {
        if (itemAt(event->position().toPoint()))
            QListWidget::mousePressEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (itemAt(event->position().toPoint()))
            QListWidget::mouseDoubleClickEvent(event);
        if (event->button() == Qt::LeftButton && OnChoose)
            OnChoose();
    }
};

QListWidgetItem* NewRow(const QString& text)
{
    auto* row = new QListWidgetItem(text);
    row->setSizeHint(QSize(0, RowHeight));
    return row;
}

} // namespace

std::string DisableLinks(std::string html)
{
    for (std::size_t open = html.find("<a "); open != std::string::npos; open = html.find("<a ")) {
        const std::size_t close = std::min(html.find('>', open), html.size());
        html.erase(open + 2, close - (open + 2));
    }
    return html;
}

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
    listBox_->addItem(NewRow(EmptyHistoryRow));
    listBox_->setEnabled(false);

    okButton_ = new QPushButton(QStringLiteral("Yopish"), this);
    okButton_->setObjectName(QStringLiteral("OKButton"));
    okButton_->setGeometry(113, 248, 90, 25);
    okButton_->setAutoDefault(false);

    connect(okButton_, &QPushButton::clicked, this, &TCardsHostoryForm::OKButtonClick);
}

void TCardsHostoryForm::AddCard(const std::string& headword, const std::string& caption,
                                const std::string& articleHtml)
{
    if (!listBox_->isEnabled()) {
        listBox_->setEnabled(true);
        listBox_->clear();
    }
    listBox_->insertItem(0, NewRow(FromDictText(headword)));
    listBox_->setCurrentRow(0);
    captions_.insert(captions_.begin(), caption);
    articles_.insert(articles_.begin(), DisableLinks(articleHtml));
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
    const int row = listBox_->currentRow();
    if (row < 0 || row >= Count())
        return;
    // Copies: the handler may add entries while it runs.
    const std::string caption = captions_[row];
    const std::string article = articles_[row];
    emit CardSelected(caption, article);
}

void TCardsHostoryForm::OKButtonClick()
{
    close();
}

} // namespace morva
