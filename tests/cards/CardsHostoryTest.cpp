#include "tests/cards/CardsFixture.h"

#include <QListWidget>
#include <QPushButton>
#include <QTest>

namespace morva::test {
namespace {

TEST(DisableLinks, CutsOpeningTagsDownToA)
{
    const struct {
        std::string html, expected;
    } cases[] = {
        {"<i>\xF1\xEC.</i> <a href=\"12\">dom</a>", "<i>\xF1\xEC.</i> <a>dom</a>"},
        {"<a href=\"1\" class=\"x\" title=\"t\">a</a>; <a href=\"x\">b</a>", "<a>a</a>; <a>b</a>"},
        {"<A HREF=\"12\">dom</A>", "<A HREF=\"12\">dom</A>"},
        {"text <a href=\"12\" and no end", "text <a"},
        {"<b>book</b><br>", "<b>book</b><br>"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DisableLinks(c.html), c.expected) << c.html;
}

TEST_F(CardsTest, EmptyHistoryShowsOnlyItsGreyedPlaceholder)
{
    QListWidget& list = History().ListBox();
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("(bironta so\u2018rov bo\u2018lmagan)"));
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(History().windowTitle(), QStringLiteral("Kartochkalar tarixi"));

    bool chosen = false;
    OnCardSelect([&](const std::string&, const std::string&) { chosen = true; });
    list.setCurrentRow(0);
    History().ListBoxDblClick();
    EXPECT_FALSE(chosen);
}

TEST_F(CardsTest, AddCardPutsTheNewestOnTopWithItsLinksDisabled)
{
    std::vector<std::pair<std::string, std::string>> chosen;
    OnCardSelect([&](const std::string& caption, const std::string& article) {
        chosen.emplace_back(caption, article);
    });
    History().AddCard("book", "caption 1", "<b>book</b> <a href=\"1\">volume</a>");
    History().AddCard("book", "caption 2", "<b>book</b>");
    History().AddCard(Dict(u"\u049B\u045E\u043B"), "caption 3", "<a href=\"x\">nowhere</a>");

    QListWidget& list = History().ListBox();
    EXPECT_TRUE(list.isEnabled());
    ASSERT_EQ(list.count(), 3) << "the same headword twice gives two rows";
    EXPECT_EQ(list.item(0)->text(), QStringLiteral("\u049B\u045E\u043B"));
    EXPECT_EQ(list.item(2)->text(), QStringLiteral("book"));
    EXPECT_EQ(list.currentRow(), 0);

    cards->CardsHostoryActionExecute();
    list.setCurrentRow(2);
    const QPoint row = list.visualItemRect(list.item(2)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].first, "caption 1");
    EXPECT_EQ(chosen[0].second, "<b>book</b> <a>volume</a>");
    EXPECT_EQ(list.currentRow(), 2) << "the chosen row stays selected";
    EXPECT_EQ(list.count(), 3);
}

TEST_F(CardsTest, ADoubleClickBelowTheRowsChoosesTheSelectedRow)
{
    std::vector<std::string> chosen;
    OnCardSelect([&](const std::string& caption, const std::string&) { chosen.push_back(caption); });
    History().AddCard("book", "caption 1", "a");
    History().AddCard("volume", "caption 2", "a");
    cards->CardsHostoryActionExecute();
    QListWidget& list = History().ListBox();
    list.setCurrentRow(1);
    const QPoint below(list.viewport()->width() / 2, list.viewport()->height() - 4);
    ASSERT_EQ(list.itemAt(below), nullptr);
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(chosen, std::vector<std::string>{"caption 1"});
    EXPECT_EQ(list.currentRow(), 1);
    EXPECT_TRUE(list.item(1)->isSelected()) << "the chosen row stays selected";

    // Only the left button chooses.
    QTest::mouseDClick(list.viewport(), Qt::RightButton, {}, below);
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(CardsTest, ReopenedEntryShowsItsCaptionAndArticleWithoutLinks)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    History().ListBox().setCurrentRow(1);
    History().ListBoxDblClick();
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty());
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_EQ(MainCard().windowTitle(), QStringLiteral("So\u2018z tarjimasi (En-Uz)"));
    const QTextCursor link = MainCard().Html().document()->find(QStringLiteral("volume"));
    ASSERT_FALSE(link.isNull());
    EXPECT_EQ(link.charFormat().anchorHref(), QString()) << "the cross-reference can no longer be followed";
    EXPECT_NE(link.charFormat().foreground().color(), QColor(Qt::blue)) << "and does not look like a link";
    EXPECT_EQ(History().Count(), 2);
}

TEST_F(CardsTest, YopishAndEscHideTheHistoryAndKeepItsRows)
{
    History().AddCard("book", "c", "a");
    History().AddCard("volume", "c", "a");
    History().ListBox().setCurrentRow(1);
    cards->CardsHostoryActionExecute();
    ASSERT_TRUE(History().isVisible());

    auto* yopish = History().findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(yopish, nullptr);
    EXPECT_EQ(yopish->text(), QStringLiteral("Yopish"));
    QTest::mouseClick(yopish, Qt::LeftButton);
    EXPECT_FALSE(History().isVisible());

    cards->CardsHostoryActionExecute();
    ASSERT_TRUE(History().isVisible());
    QTest::keyClick(&History().ListBox(), Qt::Key_Escape);
    EXPECT_FALSE(History().isVisible());

    cards->CardsHostoryActionExecute();
    EXPECT_EQ(History().ListBox().count(), 2);
    EXPECT_EQ(History().ListBox().currentRow(), 1);
}

} // namespace
} // namespace morva::test
