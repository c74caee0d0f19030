#include "tests/cards/CardsFixture.h"

#include "engine/DictWriter.h"
#include "text/CodePage1251.h"
#include "text/Ipa93.h"

#include <QApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace morva::test {

std::vector<std::uint8_t> CardsDictionaryBytes()
{
    const std::string ipa = EncodeIpa(u"b\u028Ak").bytes;
    const SenseRecord book{"book", ipa, {}, Dict(u"\u049B\u045E\u043B\u043B\u0430\u043D\u043C\u0430"), Dict(u"\u043A\u043D\u0438\u0433\u0430")};
    const SenseRecord bookSee{"book", ipa, {}, "=volume", "-"};
    const SenseRecord bookNowhere{"book", ipa, {}, "=nowhere", "-"};
    const SenseRecord volume{"volume", {}, {}, Dict(u"\u0436\u0438\u043B\u0434"), Dict(u"\u0442\u043E\u043C")};
    const SenseRecord volumeSee{"volume", {}, {}, "=book", "-"};
    const PhraseRecord phrase{"a book of poems", Dict(u"\u0448\u0435\u044A\u0440\u043B\u0430\u0440 \u0442\u045E\u043F\u043B\u0430\u043C\u0438"), "-"};
    TDictWriter writer;
    writer.AddWordEntry(English, "book", {book, bookSee, bookNowhere}, {phrase});
    writer.AddWordEntry(English, "volume", {volume, volumeSee}, {});
    writer.AddWordEntry(Uzbek, book.Uzbek, {book}, {});
    writer.AddWordEntry(Russian, book.Russian, {book}, {});
    return writer.FileBytes();
}

Card Entry(std::string headword, std::string caption, std::string article)
{
    Card card;
    card.Headword = std::move(headword);
    card.Caption = std::move(caption);
    card.Article = std::move(article);
    return card;
}

void TRecordingPlacement::LoadStoredProps()
{
    saved_ = false;
    if (!store_.HasStored)
        return;
    card_.move(store_.Stored.topLeft());
    card_.resize(store_.Stored.size());
}

void TRecordingPlacement::SaveStoredProps()
{
    store_.HasStored = true;
    store_.Stored = QRect(card_.pos(), card_.size());
    ++store_.Saves;
    saved_ = true;
}

CardsTest::CardsTest()
    : dictionary(std::make_unique<TUzDictionary>(CardsDictionaryBytes()))
    , cards(std::make_unique<TCardManager>(
          messageBox, clipboard,
          [this](QWidget& card) { return std::make_unique<TRecordingPlacement>(card, placement); },
          [this](const std::exception& error) {
              messageBox.Show(nullptr, QString::fromUtf8(error.what()), "Kovrak MORVA",
                              TMessageIcon::Error);
          }))
{

    auto command = [this](const char* name, QKeySequence shortcut, auto handler) {
        auto* action = new QAction(QString::fromLatin1(name), &mainWindow);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(shortcut);
        mainWindow.addAction(action);
        QObject::connect(action, &QAction::triggered, handler);
        return action;
    };
    WordInfoAction = command("WordInfoAction", QKeySequence(Qt::Key_Return), [this] {
        cards->WordInfoActionExecute(dictionary.get(), dictionary->Pair(), wordListRow, WordInfoAction->isEnabled());
    });
    CascadeCardsAction = command("CascadeCardsAction", QKeySequence(Qt::CTRL | Qt::Key_A),
                                 [this] { cards->CascadeCardsActionExecute(wordListTop); });
    CloseTempCardsAction = command("CloseTempCardsAction", QKeySequence(Qt::SHIFT | Qt::Key_Escape),
                                   [this] { cards->CloseTempCardsActionExecute(); });
    CloseAllCardsAction = command("CloseAllCardsAction", QKeySequence(Qt::SHIFT | Qt::Key_F4),
                                  [this] { cards->CloseAllCardsActionExecute(); });
    CardsHostoryAction = command("CardsHostoryAction", QKeySequence(Qt::CTRL | Qt::Key_H),
                                 [this] { cards->CardsHostoryActionExecute(); });
    CopyToClipAction = command("CopyToClipAction", QKeySequence(Qt::CTRL | Qt::Key_C), [] {});
    cards->SetMainWindow(&mainWindow, mainWindow.actions());
    OnCardSelect([this](const Card& card) { cards->OpenHistoryCard(card); });
}

CardsTest::~CardsTest()
{
    cards.reset();
    FinishEvent();
}

QString CardsTest::HistoryRow(int row)
{
    QListView& list = HistoryList();
    return list.model()->index(row, 0).data().toString();
}

int CardsTest::HistoryCurrentRow()
{
    return HistoryList().currentIndex().row();
}

void CardsTest::SelectHistoryRow(int row)
{
    QListView& list = HistoryList();
    list.setCurrentIndex(list.model()->index(row, 0));
}

QList<TWordViewForm*> CardsTest::TemporaryCards()
{
    QList<TWordViewForm*> temporary;
    for (QWidget* window : cards->Windows().Windows()) {
        if (WindowTag(window) == TemporaryCardTag)
            temporary.append(qobject_cast<TWordViewForm*>(window));
    }
    return temporary;
}

QList<TWordViewForm*> CardsTest::TemporaryCardsByAge()
{
    QList<TWordViewForm*> temporary;
    for (QWidget* window : cards->Windows().CreationOrder()) {
        if (WindowTag(window) == TemporaryCardTag)
            temporary.append(qobject_cast<TWordViewForm*>(window));
    }
    return temporary;
}

void CardsTest::OpenWord(int index)
{
    wordListRow = index;
    WordInfoAction->trigger();
}

void CardsTest::ClickLink(TWordViewForm& card, const QString& linkText)
{
    THtmlView& view = View(card);
    const QTextCursor found = view.document()->find(linkText);
    ASSERT_FALSE(found.isNull()) << linkText.toStdString();
    QTextCursor middle(view.document());
    middle.setPosition((found.selectionStart() + found.selectionEnd()) / 2);
    const QPoint point = view.cursorRect(middle).center();
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, point);
}

void CardsTest::FinishEvent()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace morva::test
