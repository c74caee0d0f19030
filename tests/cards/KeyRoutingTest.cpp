#include "tests/cards/CardsFixture.h"

#include <QDialog>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace morva::test {
namespace {

// Counts the key presses that reach a widget as ordinary keys.
class KeyCounter : public QObject {
public:
    int Presses = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
            ++Presses;
        return false;
    }
};

class KeyRoutingTest : public CardsTest {
protected:
    TWordViewForm& OpenTemporaryCard()
    {
        OpenWord(Book);
        ClickLink(MainCard(), QStringLiteral("volume"));
        return *TemporaryCards().front();
    }
};

TEST_F(KeyRoutingTest, MainWindowCommandsWorkFromACard)
{
    TWordViewForm& card = OpenTemporaryCard();
    QTest::keyClick(&View(card), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(History().isVisible());

    QTest::keyClick(&View(card), Qt::Key_Escape, Qt::ShiftModifier);
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty()) << "Shift+Esc closed the temporary cards";

    ASSERT_TRUE(MainCard().isVisible());
    QTest::keyClick(&View(MainCard()), Qt::Key_F4, Qt::ShiftModifier);
    EXPECT_FALSE(MainCard().isVisible()) << "Shift+F4 closed all cards";
}

TEST_F(KeyRoutingTest, EnterInACardOpensTheSelectedHeadword)
{
    TWordViewForm& card = OpenTemporaryCard();
    wordListRow = Volume;
    QTest::keyClick(&View(card), Qt::Key_Return);
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty()) << "that card included";
    EXPECT_TRUE(View(MainCard()).toPlainText().contains(u"\u0436\u0438\u043B\u0434"));
    EXPECT_EQ(HistoryRow(0), QStringLiteral("volume"));
}

TEST_F(KeyRoutingTest, TheCardsOwnCtrlCAndCtrlAWinInsideACard)
{
    TWordViewForm& card = OpenTemporaryCard();
    QSignalSpy cascades(CascadeCardsAction, &QAction::triggered);
    QSignalSpy copies(CopyToClipAction, &QAction::triggered);

    QTest::keyClick(&View(card), Qt::Key_A, Qt::ControlModifier);
    EXPECT_TRUE(View(card).textCursor().hasSelection());
    QTest::keyClick(&View(card), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(clipboard.Content.startsWith(QStringLiteral("volume")));
    EXPECT_EQ(cascades.count(), 0);
    EXPECT_EQ(copies.count(), 0);
}

TEST_F(KeyRoutingTest, CtrlAInTheHistoryCascades)
{
    OpenTemporaryCard();
    cards->CardsHostoryActionExecute();
    QSignalSpy cascades(CascadeCardsAction, &QAction::triggered);
    QTest::keyClick(&HistoryList(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(History().findChild<QPushButton*>(QStringLiteral("OKButton")), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(cascades.count(), 2);
}

TEST_F(KeyRoutingTest, EnterInTheHistoryListReopensTheEntry)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    cards->CardsHostoryActionExecute();
    QSignalSpy opens(WordInfoAction, &QAction::triggered);
    SelectHistoryRow(1); // book
    QTest::keyClick(&HistoryList(), Qt::Key_Return);
    FinishEvent();
    EXPECT_EQ(opens.count(), 0);
    EXPECT_TRUE(TemporaryCards().isEmpty());
    EXPECT_TRUE(View(MainCard()).toPlainText().contains(u"\u049B\u045E\u043B"));
    EXPECT_EQ(History().Count(), 2) << "reopening adds nothing";
}

TEST_F(KeyRoutingTest, ADisabledCommandStillTakesItsKey)
{
    TWordViewForm& card = OpenTemporaryCard();
    WordInfoAction->setEnabled(false);
    KeyCounter counter;
    View(card).installEventFilter(&counter);
    QTest::keyClick(&View(card), Qt::Key_Return);
    FinishEvent();
    EXPECT_EQ(counter.Presses, 0);
    EXPECT_EQ(TemporaryCards().size(), 1);

    QTest::keyClick(&View(card), Qt::Key_Down);
    EXPECT_EQ(counter.Presses, 1) << "keys of no command reach the view";
}

TEST_F(KeyRoutingTest, NothingIsRoutedWhileAModalBoxIsOpen)
{
    TWordViewForm& card = OpenTemporaryCard();
    QDialog modal;
    modal.setModal(true);
    modal.show();
    ASSERT_NE(QApplication::activeModalWidget(), nullptr);
    QTest::keyClick(&View(card), Qt::Key_H, Qt::ControlModifier);
    EXPECT_FALSE(History().isVisible());
    modal.hide();
    QTest::keyClick(&View(card), Qt::Key_H, Qt::ControlModifier);
    EXPECT_TRUE(History().isVisible());
}

} // namespace
} // namespace morva::test
