// The search field and the word list as one control: finding, tidying, moving, typing into
// the list, the clipboard commands and their enabled states.

#include "tests/shell/ShellFixture.h"
#include "tests/support/Elapse.h"

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/WordView.h"

#include <QAction>
#include <QTimer>

#include <array>

namespace morva::test {
namespace {

class SearchTest : public ShellTest {
protected:
    void SetUp() override { Create(); }

    // Types one key at a time, as a user does.
    void Type(const QString& keys, QWidget* into = nullptr)
    {
        QTest::keyClicks(into ? into : Part<TXUzbekEdit>(*form, "SearchEdit"), keys);
    }
};

TEST_F(SearchTest, TypingLetterByLetterSelectsTheNearestHeadword)
{
    const std::pair<char, const char*> steps[] = {
        {'b', "bee"}, {'o', "book"}, {'o', "book"}, {'t', "boot"}, {'h', "cat"},
    };
    for (auto [letter, expected] : steps) {
        Type(QString(QChar(letter)));
        EXPECT_EQ(SelectedHeadword(), expected) << SearchText();
    }
}

TEST_F(SearchTest, NoHeadwordAtOrAfterTheTextKeepsTheSelection)
{
    Type("do");
    ASSERT_EQ(SelectedHeadword(), "dog");
    Type("z");
    EXPECT_EQ(SearchText(), "doz");
    EXPECT_EQ(SelectedHeadword(), "dog");
    Part<TXUzbekEdit>(*form, "SearchEdit")->clear();
    EXPECT_EQ(SelectedHeadword(), "dog");
}

TEST_F(SearchTest, ArrowKeysInTheFieldMoveTheList)
{
    Type("boo");
    ASSERT_EQ(SelectedHeadword(), "book");
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Down);
    EXPECT_EQ(SelectedHeadword(), "booking");
    EXPECT_EQ(SearchText(), "booking");
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->selectedText(), "booking");
    EXPECT_TRUE(Part<TXUzbekEdit>(*form, "SearchEdit")->hasFocus());
    // The next character replaces the whole text.
    Type("c");
    EXPECT_EQ(SearchText(), "c");
    EXPECT_EQ(SelectedHeadword(), "cat");
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Up);
    EXPECT_EQ(SelectedHeadword(), "boot");
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_PageDown);
    EXPECT_EQ(SelectedHeadword(), "dog");
    EXPECT_EQ(SearchText(), "dog");
}

TEST_F(SearchTest, TypingIntoTheListEditsTheField)
{
    Part<QListView>(*form, "WordList")->setFocus();
    Type("bo", Part<QListView>(*form, "WordList"));
    EXPECT_EQ(SearchText(), "bo");
    EXPECT_EQ(SelectedHeadword(), "book");
    EXPECT_TRUE(Part<QListView>(*form, "WordList")->hasFocus());
    QTest::keyClick(Part<QListView>(*form, "WordList"), Qt::Key_Backspace);
    EXPECT_EQ(SearchText(), "b");
    EXPECT_EQ(SelectedHeadword(), "bee");
    QTest::keyClick(Part<QListView>(*form, "WordList"), Qt::Key_Backspace);
    QTest::keyClick(Part<QListView>(*form, "WordList"), Qt::Key_Backspace);
    EXPECT_EQ(SearchText(), "");
    EXPECT_TRUE(Part<QListView>(*form, "WordList")->hasFocus());
    // Moving in the list writes the chosen headword into the field.
    QTest::keyClick(Part<QListView>(*form, "WordList"), Qt::Key_Down);
    EXPECT_EQ(SearchText(), SelectedHeadword());
    EXPECT_FALSE(SearchText().empty());
}

TEST_F(SearchTest, ClickingARowWritesItIntoTheField)
{
    const QRect row = Part<QListView>(*form, "WordList")->visualRect(Part<QListView>(*form, "WordList")->model()->index(4, 0));
    QTest::mouseClick(Part<QListView>(*form, "WordList")->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(SelectedHeadword(), "boot");
    EXPECT_EQ(SearchText(), "boot");

    // The row the search selected, clicked: its headword replaces what was typed.
    Part<TXUzbekEdit>(*form, "SearchEdit")->clear();
    Type("boo");
    ASSERT_EQ(SelectedHeadword(), "book");
    const QRect book = Part<QListView>(*form, "WordList")->visualRect(Part<QListView>(*form, "WordList")->model()->index(2, 0));
    QTest::mouseClick(Part<QListView>(*form, "WordList")->viewport(), Qt::LeftButton, {}, book.center());
    EXPECT_EQ(SearchText(), "book");
}

TEST_F(SearchTest, TheFieldTidiesItself)
{
    struct TCase {
        const char* text;
        bool typed; // letter by letter, or all at once as a paste
        const char* field;
    };
    const TCase cases[] = {
        {"book ", true, "book "},         // one trailing space stays while a phrase is typed
        {"book  ", true, "book "},        // a second one goes
        {"book  c", true, "book c"},
        {" ", true, ""},
        {"#", true, ""},
        {"{", true, ""},
        {"{x}b", true, "xb"},             // "{" goes at once, then the lone "}"
        {"{x}b", false, "b"},
        {"cat...", true, "cat\x85"},      // dots become an ellipsis at once
        {"cat....", false, "cat\x85"},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.text << (c.typed ? " typed" : " pasted"));
        Part<TXUzbekEdit>(*form, "SearchEdit")->clear();
        if (c.typed)
            Type(QString::fromLatin1(c.text));
        else
            Part<TXUzbekEdit>(*form, "SearchEdit")->insert(QString::fromLatin1(c.text));
        EXPECT_EQ(SearchText(), c.field);
    }
}

TEST_F(SearchTest, TidyingKeepsTheCaret)
{
    Type("a b");
    Part<TXUzbekEdit>(*form, "SearchEdit")->setCursorPosition(1);
    Type(" ");
    EXPECT_EQ(SearchText(), "a b");
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->cursorPosition(), 2);
}

TEST_F(SearchTest, ClipboardCommandsTakeTheWholeText)
{
    Type("booking");
    Part<TXUzbekEdit>(*form, "SearchEdit")->setSelection(0, 2);
    Part<QAction>(*form, "CopyToClipAction")->setEnabled(true);
    Part<QAction>(*form, "CopyToClipAction")->trigger();
    EXPECT_EQ(clipboard.Content, "booking");
    EXPECT_EQ(SearchText(), "booking");

    Part<TXUzbekEdit>(*form, "SearchEdit")->setSelection(1, 2);
    Part<QAction>(*form, "CutToClipAction")->setEnabled(true);
    Part<QAction>(*form, "CutToClipAction")->trigger();
    EXPECT_EQ(clipboard.Content, "booking");
    EXPECT_EQ(SearchText(), "");

    Type("dog");
    Part<TXUzbekEdit>(*form, "SearchEdit")->setSelection(0, 1);
    clipboard.SetText("cat");
    Part<QAction>(*form, "PasteFromClipAction")->setEnabled(true);
    Part<QAction>(*form, "PasteFromClipAction")->trigger();
    EXPECT_EQ(SearchText(), "cat");
    EXPECT_EQ(SelectedHeadword(), "cat");
}

TEST_F(SearchTest, ClipboardKeysGoToTheCommands)
{
    Type("booking");
    Elapse(*Part<QTimer>(*form, "UpdateTimer"));
    Part<TXUzbekEdit>(*form, "SearchEdit")->setSelection(0, 2);
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.Content, "booking");

    // Disabled, the command still holds its key: the field does not copy its selection.
    clipboard.SetText("before");
    Part<TXUzbekEdit>(*form, "SearchEdit")->setText("  ");
    Part<TXUzbekEdit>(*form, "SearchEdit")->selectAll();
    Elapse(*Part<QTimer>(*form, "UpdateTimer"));
    ASSERT_FALSE(Part<QAction>(*form, "CopyToClipAction")->isEnabled());
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard.Content, "before");
}

TEST_F(SearchTest, TheTimerKeepsTheClipboardCommandsCurrent)
{
    auto states = [this] {
        return std::array{Part<QAction>(*form, "CutToClipAction")->isEnabled(), Part<QAction>(*form, "CopyToClipAction")->isEnabled(),
                          Part<QAction>(*form, "PasteFromClipAction")->isEnabled()};
    };
    EXPECT_FALSE(Part<QAction>(*form, "PasteFromClipAction")->isEnabled());
    clipboard.SetText("x");
    Type("cat");
    EXPECT_TRUE(QTest::qWaitFor([&] { return states() == std::array{true, true, true}; }));
    clipboard.Filled = false;
    Part<TXUzbekEdit>(*form, "SearchEdit")->setText("   ");
    EXPECT_TRUE(QTest::qWaitFor([&] { return states() == std::array{false, false, false}; }));
}

TEST_F(SearchTest, EnterOpensTheSelectedHeadword)
{
    TWordViewForm& card = form->Cards()->WordViewForm();
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Return);
    EXPECT_FALSE(card.isVisible());
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 0);

    Type("boo");
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Return);
    EXPECT_TRUE(card.isVisible());
    EXPECT_EQ(card.Caption(), form->Dictionary()->CardCaption());
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 1);
    card.hide();

    // From the list: the keypad's Enter and a double click.
    Part<QListView>(*form, "WordList")->setFocus();
    form->activateWindow();
    QTest::keyClick(Part<QListView>(*form, "WordList"), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_TRUE(card.isVisible());
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 2);
    card.hide();
    const QRect row = Part<QListView>(*form, "WordList")->visualRect(Part<QListView>(*form, "WordList")->model()->index(0, 0));
    // A double click arrives as a click followed by the double-click press.
    QTest::mouseClick(Part<QListView>(*form, "WordList")->viewport(), Qt::LeftButton, {}, row.center());
    QTest::mouseDClick(Part<QListView>(*form, "WordList")->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_TRUE(card.isVisible());
    EXPECT_EQ(SelectedHeadword(), "apple");
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 3);
}

} // namespace
} // namespace morva::test
