#include "tests/cards/CardsFixture.h"

#include <QApplication>
#include <QTest>

namespace morva::test {
namespace {

// Shows a card and waits until the window system has made it the active window.
void Activate(QWidget& window)
{
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

TEST_F(CardsTest, OpeningAHeadwordClosesEveryTemporaryCardHiddenOnesToo)
{
    OpenWord(Book);
    for (int i = 0; i < 3; ++i)
        ClickLink(MainCard(), QStringLiteral("volume"));
    ASSERT_EQ(TemporaryCards().size(), 3);
    QTest::keyClick(&View(*TemporaryCards()[1]), Qt::Key_Escape);
    ASSERT_EQ(History().Count(), 4);

    OpenWord(Volume);
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty());
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_TRUE(View(MainCard()).toPlainText().contains(u"\u0436\u0438\u043B\u0434"));
    ASSERT_EQ(History().Count(), 5);
    EXPECT_EQ(HistoryRow(0), QStringLiteral("volume"));
}

TEST_F(CardsTest, ACardOfItsOwnPairLeavesTheSelectionAndItsLinksFollowThatPair)
{
    cards->ShowWordCard(*dictionary, {English, Russian}, Book);
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_EQ(MainCard().windowTitle(), QStringLiteral("So\u2018z tarjimasi (En-Ru)"));
    EXPECT_TRUE(View(MainCard()).toPlainText().contains(u"\u043A\u043D\u0438\u0433\u0430"));
    EXPECT_EQ(dictionary->Pair(), (LanguagePair{English, Uzbek})) << "the main window's pair stays";

    // The main window shows the Russian list: the card's links still follow the English one.
    dictionary->SelectSourceLanguage(Russian);
    cards->ShowWordCard(*dictionary, {English, Uzbek}, Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ASSERT_EQ(TemporaryCards().size(), 1);
    EXPECT_EQ(TemporaryCards()[0]->windowTitle(), QStringLiteral("So\u2018z tarjimasi (En-Uz)"));
    EXPECT_TRUE(View(*TemporaryCards()[0]).toPlainText().contains(u"\u0436\u0438\u043B\u0434"));
    EXPECT_TRUE(messageBox.Shown.empty());

    // A card of another list: the headword recorded is that list's.
    cards->ShowWordCard(*dictionary, {Russian, Uzbek}, 0);
    EXPECT_EQ(MainCard().windowTitle(), QStringLiteral("So\u2018z tarjimasi (Ru-Uz)"));
    ASSERT_EQ(History().Count(), 4);
    EXPECT_EQ(HistoryRow(0), QStringLiteral("\u043A\u043D\u0438\u0433\u0430"));
    EXPECT_EQ(HistoryRow(1), QStringLiteral("volume"));

    // A headword opened from the list follows the selection again.
    dictionary->SelectSourceLanguage(English);
    OpenWord(Book);
    EXPECT_EQ(MainCard().windowTitle(), QStringLiteral("So\u2018z tarjimasi (En-Uz)"));
}

TEST_F(CardsTest, OpenWordDoesNothingWhenDisabledOrWithoutARow)
{
    WordInfoAction->setEnabled(false);
    OpenWord(Book);
    cards->WordInfoActionExecute(dictionary.get(), dictionary->Pair(), Book, false);
    WordInfoAction->setEnabled(true);
    OpenWord(-1);
    cards->WordInfoActionExecute(nullptr, {}, -1, true);
    EXPECT_FALSE(MainCard().isVisible());
    EXPECT_EQ(History().Count(), 0);
}

TEST_F(CardsTest, AFailedOpenReportsAndStopsBeforeShowing)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    QTest::keyClick(&View(MainCard()), Qt::Key_Escape);
    OpenWord(9);
    FinishEvent();
    ASSERT_EQ(messageBox.Shown.size(), 1u);
    EXPECT_EQ(messageBox.Shown[0].Text, QStringLiteral("9 indeksli element yo\u2018q."));
    EXPECT_EQ(messageBox.Shown[0].Caption, QStringLiteral("Kovrak MORVA"));
    EXPECT_TRUE(TemporaryCards().isEmpty()) << "the temporary cards were closed first";
    EXPECT_FALSE(MainCard().isVisible());
    EXPECT_EQ(History().Count(), 2);
}

TEST_F(CardsTest, CascadeStartsAtTheMainCardAndTheWordListTop)
{
    OpenWord(Book);
    MainCard().move(400, 300);
    for (int i = 0; i < 3; ++i)
        ClickLink(MainCard(), QStringLiteral("volume"));
    const QList<TWordViewForm*> created = TemporaryCardsByAge();
    ASSERT_EQ(created.size(), 3);
    TWordViewForm* hidden = created[0];
    TWordViewForm* newer = created[1];
    TWordViewForm* older = created[2];
    hidden->hide();
    Activate(*older);
    Activate(*newer);
    const QSize olderSize = older->size();

    wordListTop = 54;
    CascadeCardsAction->trigger();
    // Most recently activated first.
    EXPECT_EQ(newer->pos(), QPoint(432, 78));
    EXPECT_EQ(older->pos(), QPoint(464, 102));
    EXPECT_EQ(hidden->pos(), QPoint(496, 126)) << "a hidden card is moved";
    EXPECT_FALSE(hidden->isVisible()) << "but stays hidden";
    EXPECT_EQ(MainCard().pos(), QPoint(400, 300));
    EXPECT_EQ(older->size(), olderSize);
    // The last visible card processed ends on top and active.
    EXPECT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == older; }));
}

// The window system may report an activation late or refuse it (focus-stealing prevention):
// here it never arrives.
class RefusedActivations : public QObject {
public:
    RefusedActivations() { qApp->installEventFilter(this); }
    ~RefusedActivations() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return event->type() == QEvent::WindowActivate; }
};

TEST_F(CardsTest, ShowingACardPutsItInFrontWhateverTheWindowSystemDoes)
{
    RefusedActivations refused;
    OpenWord(Book);
    MainCard().move(400, 300);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ClickLink(MainCard(), QStringLiteral("volume"));
    const QList<TWordViewForm*> created = TemporaryCardsByAge();
    ASSERT_EQ(created.size(), 2);
    TWordViewForm* older = created[0];
    TWordViewForm* newer = created[1];
    EXPECT_EQ(TemporaryCards(), (QList<TWordViewForm*>{newer, older}));
    EXPECT_EQ(cards->Windows().Windows().front(), newer);

    // Each step shows its card, so the card processed last ends in front and starts the next cascade.
    wordListTop = 54;
    CascadeCardsAction->trigger();
    EXPECT_EQ(newer->pos(), QPoint(432, 78));
    EXPECT_EQ(older->pos(), QPoint(464, 102));
    EXPECT_EQ(TemporaryCards(), (QList<TWordViewForm*>{older, newer}));
    CascadeCardsAction->trigger();
    EXPECT_EQ(older->pos(), QPoint(432, 78));
    EXPECT_EQ(newer->pos(), QPoint(464, 102));
}

TEST_F(CardsTest, AMinimisedCardComesBackWhenShown)
{
    OpenWord(Book);
    MainCard().showMinimized();
    ASSERT_TRUE(MainCard().isMinimized());
    OpenWord(Volume);
    EXPECT_FALSE(MainCard().isMinimized());
    EXPECT_TRUE(MainCard().isVisible());

    ClickLink(MainCard(), QStringLiteral("book"));
    TWordViewForm* card = TemporaryCards().front();
    card->showMinimized();
    ASSERT_TRUE(card->isMinimized());
    CascadeCardsAction->trigger();
    EXPECT_FALSE(card->isMinimized()) << "the cascade shows every visible card";

    MainCard().showMinimized();
    SelectHistoryRow(1);
    QMetaObject::invokeMethod(&History(), "ListBoxDblClick");
    EXPECT_FALSE(MainCard().isMinimized()) << "and so does reopening a history entry";
}

TEST_F(CardsTest, CascadeWithoutTemporaryCardsChangesNothing)
{
    OpenWord(Book);
    MainCard().move(120, 130);
    CascadeCardsAction->trigger();
    EXPECT_EQ(MainCard().pos(), QPoint(120, 130));
}

TEST_F(CardsTest, CloseAllClosesTheHiddenMainCardToo)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    QTest::keyClick(&View(MainCard()), Qt::Key_Escape);
    MainCard().move(222, 111);
    const int saves = placement.Saves;

    CloseAllCardsAction->trigger();
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty());
    EXPECT_FALSE(MainCard().isVisible());
    EXPECT_GT(placement.Saves, saves + 1);
    EXPECT_EQ(placement.Stored.topLeft(), QPoint(222, 111)) << "the main card closed last";
}

TEST_F(CardsTest, WindowListAddsAtTheEndAndMovesActivatedToTheFront)
{
    TWindowList& windows = cards->Windows();
    QList<QWidget*> start = windows.Windows();
    ASSERT_EQ(start.size(), 3);
    EXPECT_EQ(start[0], &MainCard()); // created in this order: main card, history, main window
    EXPECT_EQ(start[1], &History());
    EXPECT_EQ(start[2], &mainWindow);

    QWidget other;
    other.show();
    EXPECT_EQ(windows.Windows().back(), &other) << "a new window goes to the end";

    OpenWord(Book);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&MainCard()));
    ClickLink(MainCard(), QStringLiteral("volume"));
    TWordViewForm* card = TemporaryCards().front();
    ASSERT_TRUE(QTest::qWaitForWindowActive(card));
    EXPECT_EQ(windows.Windows().front(), card);
    Activate(other);
    EXPECT_EQ(windows.Windows().front(), &other);
    EXPECT_EQ(windows.Windows()[1], card);
}

} // namespace
} // namespace morva::test
