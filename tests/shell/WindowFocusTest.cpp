// Which control has the keys when a window of the program is shown: a card's article, the
// history list, the main window's search field. Keys are sent to the application, as the
// keyboard sends them, with no click in between.

#include "tests/shell/ShellFixture.h"

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/HtmlView.h"
#include "cards/WindowList.h"
#include "cards/WordView.h"

#include <QAction>
#include <QListView>
#include <QTextCursor>
#include <QTextDocument>

namespace morva::test {
namespace {

class WindowFocusTest : public ShellTest {
protected:
    void SetUp() override
    {
        // book is translated "kitob" and refers to volume, translated "jild".
        TDictWriter writer;
        writer.AddWordEntry(English, "book", {{"book", {}, {}, "kitob", "-"}, {"book", {}, {}, "=volume", "-"}}, {});
        writer.AddWordEntry(English, "volume", {{"volume", {}, {}, "jild", "-"}}, {});
        writer.AddWordEntry(Uzbek, "kitob", {}, {});
        writer.AddWordEntry(Russian, RussianWords[0], {}, {});
        writer.WriteFile(DictionaryFile());
        Create();
    }

    // A key as the keyboard sends it: to whatever window and control have the focus.
    static void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(static_cast<QWidget*>(nullptr), key, modifiers);
    }

    static void WaitUntilActive(QWidget& window) { ASSERT_TRUE(QTest::qWaitForWindowActive(&window)); }

    // Ctrl+A, Ctrl+C: what reaches the clipboard.
    QString SelectAllAndCopy()
    {
        clipboard.Content.clear();
        Press(Qt::Key_A, Qt::ControlModifier);
        Press(Qt::Key_C, Qt::ControlModifier);
        return clipboard.Content;
    }

    TWordViewForm& MainCard() { return form->Cards()->WordViewForm(); }
    TCardsHostoryForm& History() { return form->Cards()->CardsHostoryForm(); }
    QListView& HistoryList() { return *Part<QListView>(History(), "ListBox"); }
    static THtmlView& View(QWidget& card) { return *Part<THtmlView>(card, "Html"); }
};

TEST_F(WindowFocusTest, ACardShownFromTheKeyboardTakesTheKeys)
{
    QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "book");
    Press(Qt::Key_Return);
    WaitUntilActive(MainCard());
    EXPECT_EQ(QApplication::focusWidget(), &View(MainCard()));
    const QString copied = SelectAllAndCopy();
    EXPECT_TRUE(copied.startsWith("book")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("kitob")) << copied.toStdString();
    EXPECT_TRUE(View(MainCard()).textCursor().hasSelection());
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), "book") << "the search field kept its text";
    clipboard.Content.clear();
    Press(Qt::Key_Insert, Qt::ControlModifier);
    EXPECT_EQ(clipboard.Content, copied);
}

TEST_F(WindowFocusTest, ACardOpenedFromALinkTakesTheKeys)
{
    QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "book");
    Press(Qt::Key_Return);
    WaitUntilActive(MainCard());
    THtmlView& view = View(MainCard());
    const QTextCursor link = view.document()->find("volume");
    ASSERT_FALSE(link.isNull());
    QTextCursor middle(view.document());
    middle.setPosition((link.selectionStart() + link.selectionEnd()) / 2);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.cursorRect(middle).center());

    QWidget* card = form->Cards()->Windows().Windows().front();
    ASSERT_EQ(WindowTag(card), TemporaryCardTag);
    WaitUntilActive(*card);
    const QString copied = SelectAllAndCopy();
    EXPECT_TRUE(copied.startsWith("volume")) << copied.toStdString();
    EXPECT_TRUE(copied.contains("jild")) << copied.toStdString();

    // Shown again by the cascade, from the main window.
    form->activateWindow();
    WaitUntilActive(*form);
    Press(Qt::Key_A, Qt::ControlModifier);
    WaitUntilActive(*card);
    EXPECT_EQ(SelectAllAndCopy(), copied);
}

TEST_F(WindowFocusTest, TheHistoryListAndACardShownAgainFromItTakeTheKeys)
{
    QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "book");
    Press(Qt::Key_Return);
    WaitUntilActive(MainCard());
    Press(Qt::Key_Escape);
    ASSERT_FALSE(MainCard().isVisible());
    form->activateWindow();
    WaitUntilActive(*form);

    Press(Qt::Key_H, Qt::ControlModifier);
    WaitUntilActive(History());
    EXPECT_EQ(QApplication::focusWidget(), &HistoryList());

    Press(Qt::Key_Return);
    WaitUntilActive(MainCard());
    const QString copied = SelectAllAndCopy();
    EXPECT_TRUE(copied.contains("kitob")) << copied.toStdString();
}

TEST_F(WindowFocusTest, TheMainWindowBackFromTheTrayTakesTheKeysInTheSearchField)
{
    Part<QListView>(*form, "WordList")->setFocus();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    ASSERT_TRUE(tray.Shown);
    tray.Click(TTrayClick::Left);
    WaitUntilActive(*form);
    // The control that has the keys while the window is active.
    EXPECT_EQ(form->focusWidget(), Part<TXUzbekEdit>(*form, "SearchEdit"));
    QTest::keyClicks(static_cast<QWidget*>(nullptr), "vo");
    EXPECT_EQ(SelectedHeadword(), "volume");
}

} // namespace
} // namespace morva::test
