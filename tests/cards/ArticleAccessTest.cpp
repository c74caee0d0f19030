// A card without the mouse and without the eyes: links reached by Tab and followed by Enter,
// the article as screen readers get it, and links that read in light and dark palettes.

#include "tests/cards/CardsFixture.h"

#include "ui/Palette.h"

#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QApplication>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>

namespace morva::test {
namespace {

using ArticleAccessTest = CardsTest;

const QString EnUzCaption = QStringLiteral("So\u2018z tarjimasi (En-Uz)");

void Press(QWidget& target, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(&target, key, modifiers);
}

TEST_F(ArticleAccessTest, TabReachesTheLinksAndEnterFollowsTheOneInFocus)
{
    OpenWord(Book);
    THtmlView& view = View(MainCard());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&MainCard()));
    EXPECT_EQ(view.FocusedLink(), QString());

    Press(view, Qt::Key_Tab);
    EXPECT_EQ(view.FocusedLink(), QStringLiteral("1")) << "the first link, to volume";
    EXPECT_EQ(view.textCursor().selectedText(), QStringLiteral("volume"));
    Press(view, Qt::Key_Tab);
    EXPECT_EQ(view.FocusedLink(), QStringLiteral("x")) << "the link to nowhere";
    Press(view, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(view.FocusedLink(), QStringLiteral("1"));
    EXPECT_TRUE(view.hasFocus()) << "Tab stays among the article's links";

    // Enter follows the link as a click does: a temporary card, in the history, and not the
    // main window's open-word command.
    Press(view, Qt::Key_Return);
    ASSERT_EQ(TemporaryCards().size(), 1);
    TWordViewForm& opened = *TemporaryCards().first();
    EXPECT_TRUE(opened.isVisible());
    EXPECT_TRUE(View(opened).toPlainText().contains(u"\u0436\u0438\u043B\u0434")) << "volume's article";
    EXPECT_EQ(History().Count(), 2);
    EXPECT_TRUE(MainCard().isVisible()) << "the clicked card stays";
}

TEST_F(ArticleAccessTest, EnterOnTheLinkToNowhereSaysSoAndWithoutALinkOpensTheWord)
{
    OpenWord(Book);
    THtmlView& view = View(MainCard());
    Press(view, Qt::Key_Tab);
    Press(view, Qt::Key_Tab);
    Press(view, Qt::Key_Enter);
    ASSERT_EQ(messageBox.Shown.size(), 1u);
    EXPECT_EQ(messageBox.Shown[0].Text, QStringLiteral("Bu talqinda so\u2018z tarjimasi yo\u2018q."));
    EXPECT_TRUE(TemporaryCards().isEmpty());

    // A plain selection is no link in focus: Enter is the open-word command again.
    ClickLink(MainCard(), QStringLiteral("poems"));
    Part<QAction>(MainCard(), "N3")->trigger();
    EXPECT_EQ(view.FocusedLink(), QString());
    wordListRow = Volume;
    Press(view, Qt::Key_Return);
    EXPECT_TRUE(View(MainCard()).toPlainText().contains(u"\u0436\u0438\u043B\u0434"));
    EXPECT_TRUE(TemporaryCards().isEmpty());
}

TEST_F(ArticleAccessTest, ReadersGetADocumentWithTheTextThatIsCopied)
{
    OpenWord(Book);
    THtmlView& view = View(MainCard());
    QAccessibleInterface* card = QAccessible::queryAccessibleInterface(&MainCard());
    ASSERT_NE(card, nullptr);
    EXPECT_EQ(card->role(), QAccessible::Window);
    EXPECT_EQ(card->text(QAccessible::Name), EnUzCaption);
    QAccessibleInterface* article = QAccessible::queryAccessibleInterface(&view);
    ASSERT_NE(article, nullptr);
    EXPECT_EQ(article->role(), QAccessible::Document);
    EXPECT_EQ(article->text(QAccessible::Name), EnUzCaption);
    EXPECT_TRUE(article->state().readOnly);
    QAccessibleTextInterface* text = article->textInterface();
    ASSERT_NE(text, nullptr);

    Part<QAction>(MainCard(), "N3")->trigger();
    const QString copied = view.SelectedText();
    const QString read = text->text(0, text->characterCount());
    EXPECT_EQ(read, copied);
    for (const char16_t marker : {u'\u2028', u'\u2029', u'\uFDD0', u'\uFDD1'})
        EXPECT_FALSE(read.contains(QChar(marker))) << int(marker);

    // Offsets are those of the text read: selecting a word through them selects that word.
    const int at = static_cast<int>(read.indexOf(QStringLiteral("volume")));
    ASSERT_GE(at, 0);
    text->setSelection(0, at, at + 6);
    EXPECT_EQ(view.SelectedText(), QStringLiteral("volume"));
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(start, at);
    EXPECT_EQ(end, at + 6);
    EXPECT_EQ(text->cursorPosition(), at + 6);
    text->setCursorPosition(at);
    EXPECT_EQ(text->selectionCount(), 0);
    EXPECT_EQ(text->cursorPosition(), at);
    EXPECT_EQ(text->offsetAtPoint(text->characterRect(at).center()), at);
}

TEST_F(ArticleAccessTest, TheHistoryListIsNamed)
{
    QAccessibleInterface* list = QAccessible::queryAccessibleInterface(&HistoryList());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("Kartochkalar tarixi"));
    EXPECT_EQ(list->role(), QAccessible::List);
}

TEST(Contrast, FollowsTheWcagFormula)
{
    const struct {
        QColor A, B;
        double Ratio;
    } cases[] = {
        {Qt::black, Qt::white, 21.0},
        {Qt::white, Qt::white, 1.0},
        {QColor(0x00, 0x00, 0xff), Qt::white, 8.59},
        {QColor(0x77, 0x77, 0x77), Qt::white, 4.48},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(ContrastRatio(c.A, c.B), c.Ratio, 0.01) << c.A.name().toStdString();
        EXPECT_NEAR(ContrastRatio(c.B, c.A), c.Ratio, 0.01) << "symmetric";
    }
}

QPalette Palette(QColor base, QColor text, QColor link)
{
    QPalette palette = QApplication::palette();
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Window, base);
    palette.setColor(QPalette::Text, text);
    palette.setColor(QPalette::WindowText, text);
    palette.setColor(QPalette::Link, link);
    return palette;
}

TEST_F(ArticleAccessTest, LinksReadOnTheCardBackgroundInLightAndDarkPalettes)
{
    const struct {
        const char* Name;
        QPalette Colours;
        QColor Expected; // invalid: any colour that reads
    } cases[] = {
        {"light", Palette(Qt::white, Qt::black, QColor(0x00, 0x00, 0xff)), QColor(0x00, 0x00, 0xff)},
        {"light, another link colour", Palette(Qt::white, Qt::black, QColor(0x2a, 0x82, 0xda)), QColor(0x00, 0x00, 0xff)},
        {"dark, its own link reads", Palette(QColor(0x20, 0x21, 0x24), Qt::white, QColor(0x8a, 0xb4, 0xf8)), QColor(0x8a, 0xb4, 0xf8)},
        {"dark like qt6ct's", Palette(QColor(0x30, 0x30, 0x30), QColor(0xd3, 0xd3, 0xd3), QColor(0x00, 0x00, 0xff)), QColor()},
        {"dark like Adwaita-dark", Palette(QColor(0x2d, 0x2d, 0x2d), Qt::white, QColor(0x35, 0x84, 0xe4)), QColor()},
    };
    OpenWord(Book);
    THtmlView& view = View(MainCard());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        view.setPalette(c.Colours);
        const QTextCursor link = view.document()->find(QStringLiteral("volume"));
        ASSERT_FALSE(link.isNull());
        ASSERT_TRUE(link.charFormat().isAnchor()) << "the article is shown again, links and all";
        const QColor shown = link.charFormat().foreground().color();
        const QColor background = view.viewport()->palette().color(view.viewport()->backgroundRole());
        EXPECT_GE(ContrastRatio(shown, background), ReadableContrast) << shown.name().toStdString();
        if (c.Expected.isValid()) {
            EXPECT_EQ(shown, c.Expected) << shown.name().toStdString();
        }
    }
}

} // namespace
} // namespace morva::test
