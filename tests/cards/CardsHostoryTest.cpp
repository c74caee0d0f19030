#include "tests/cards/CardsFixture.h"

#include <QListView>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

#include <utility>
#include <vector>

namespace morva::test {
namespace {

// The text of a document with the format of each run, to compare two renderings.
std::vector<std::pair<QString, QTextCharFormat>> Runs(const QTextDocument& document)
{
    std::vector<std::pair<QString, QTextCharFormat>> runs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it)
            runs.emplace_back(it.fragment().text(), it.fragment().charFormat());
    return runs;
}

bool HasLink(const QTextDocument& document)
{
    for (const auto& [text, format] : Runs(document))
        if (!format.anchorHref().isEmpty())
            return true;
    return false;
}

TEST_F(CardsTest, AReopenedCardShowsItsLinksAsTheirPlainText)
{
    // Each article, and what it showed once its link tags were cut down to "<a>".
    const struct {
        std::string html, linksCut;
    } cases[] = {
        {"<i>\xF1\xEC.</i> <a href=\"12\">dom</a>", "<i>\xF1\xEC.</i> <a>dom</a>"},
        {"<a href=\"1\" class=\"x\" title=\"t\">a</a>; <a href=\"x\">b</a>", "<a>a</a>; <a>b</a>"},
        {"<table><tr><td>-</td><td><a href=\"3\">c</a> d</td></tr></table>",
         "<table><tr><td>-</td><td><a>c</a> d</td></tr></table>"},
        {"<b>book</b><br>", "<b>book</b><br>"},
        {"", ""},
    };
    THtmlView reference;
    for (const auto& c : cases) {
        MainCard().FillFromHistory(Entry("", "c", c.html));
        reference.LoadArticle(c.linksCut);
        EXPECT_FALSE(HasLink(*View(MainCard()).document())) << c.html;
        EXPECT_EQ(Runs(*View(MainCard()).document()), Runs(*reference.document())) << c.html;
    }
    // Whatever the markup's spelling, nothing is left to follow.
    for (const char* html : {"<A HREF=\"12\">dom</A>", "text <a href=\"12\">and no end"}) {
        MainCard().FillFromHistory(Entry("", "c", html));
        EXPECT_FALSE(HasLink(*View(MainCard()).document())) << html;
    }
}

TEST_F(CardsTest, EmptyHistoryShowsOnlyItsGreyedPlaceholder)
{
    QListView& list = HistoryList();
    ASSERT_EQ(list.model()->rowCount(), 1);
    EXPECT_EQ(HistoryRow(0), QStringLiteral("(bironta so\u2018rov bo\u2018lmagan)"));
    EXPECT_FALSE(list.isEnabled());
    EXPECT_EQ(History().windowTitle(), QStringLiteral("Kartochkalar tarixi"));

    bool chosen = false;
    OnCardSelect([&](const Card&) { chosen = true; });
    SelectHistoryRow(0);
    QMetaObject::invokeMethod(&History(), "ListBoxDblClick");
    EXPECT_FALSE(chosen);
}

TEST_F(CardsTest, AddCardPutsTheNewestOnTopAndGivesTheCardBack)
{
    std::vector<Card> chosen;
    OnCardSelect([&](const Card& card) { chosen.push_back(card); });
    History().AddCard(Entry("book", "caption 1", "<b>book</b> <a href=\"1\">volume</a>"));
    History().AddCard(Entry("book", "caption 2", "<b>book</b>"));
    History().AddCard(Entry(Dict(u"\u049B\u045E\u043B"), "caption 3", "<a href=\"x\">nowhere</a>"));

    QListView& list = HistoryList();
    EXPECT_TRUE(list.isEnabled());
    ASSERT_EQ(list.model()->rowCount(), 3) << "the same headword twice gives two rows";
    EXPECT_EQ(HistoryRow(0), QStringLiteral("\u049B\u045E\u043B"));
    EXPECT_EQ(HistoryRow(2), QStringLiteral("book"));
    EXPECT_EQ(HistoryCurrentRow(), 0);

    cards->CardsHostoryActionExecute();
    SelectHistoryRow(2);
    const QPoint row = list.visualRect(list.model()->index(2, 0)).center();
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, row);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, row);
    ASSERT_EQ(chosen.size(), 1u);
    EXPECT_EQ(chosen[0].Caption, "caption 1");
    EXPECT_EQ(chosen[0].Article, "<b>book</b> <a href=\"1\">volume</a>") << "the card as it was opened";
    EXPECT_EQ(HistoryCurrentRow(), 2) << "the chosen row stays selected";
    EXPECT_EQ(list.model()->rowCount(), 3);
}

TEST_F(CardsTest, ADoubleClickBelowTheRowsChoosesTheSelectedRow)
{
    std::vector<std::string> chosen;
    OnCardSelect([&](const Card& card) { chosen.push_back(card.Caption); });
    History().AddCard(Entry("book", "caption 1", "a"));
    History().AddCard(Entry("volume", "caption 2", "a"));
    cards->CardsHostoryActionExecute();
    QListView& list = HistoryList();
    SelectHistoryRow(1);
    const QPoint below(list.viewport()->width() / 2, list.viewport()->height() - 4);
    ASSERT_FALSE(list.indexAt(below).isValid());
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, below);
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, below);
    EXPECT_EQ(chosen, std::vector<std::string>{"caption 1"});
    EXPECT_EQ(HistoryCurrentRow(), 1);
    EXPECT_TRUE(list.selectionModel()->isSelected(list.model()->index(1, 0))) << "the chosen row stays selected";

    // Only the left button chooses.
    QTest::mouseDClick(list.viewport(), Qt::RightButton, {}, below);
    EXPECT_EQ(chosen.size(), 1u);
}

TEST_F(CardsTest, ReopenedEntryShowsItsCaptionAndArticleWithoutLinks)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    SelectHistoryRow(1);
    QMetaObject::invokeMethod(&History(), "ListBoxDblClick");
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty());
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_EQ(MainCard().windowTitle(), QStringLiteral("So\u2018z tarjimasi (En-Uz)"));
    const QTextCursor link = View(MainCard()).document()->find(QStringLiteral("volume"));
    ASSERT_FALSE(link.isNull());
    EXPECT_EQ(link.charFormat().anchorHref(), QString()) << "the cross-reference can no longer be followed";
    EXPECT_NE(link.charFormat().foreground().color(), QColor(Qt::blue)) << "and does not look like a link";
    EXPECT_EQ(History().Count(), 2);
}

TEST_F(CardsTest, YopishAndEscHideTheHistoryAndKeepItsRows)
{
    History().AddCard(Entry("book", "c", "a"));
    History().AddCard(Entry("volume", "c", "a"));
    SelectHistoryRow(1);
    cards->CardsHostoryActionExecute();
    ASSERT_TRUE(History().isVisible());

    auto* yopish = History().findChild<QPushButton*>(QStringLiteral("OKButton"));
    ASSERT_NE(yopish, nullptr);
    EXPECT_EQ(yopish->text(), QStringLiteral("Yopish"));
    QTest::mouseClick(yopish, Qt::LeftButton);
    EXPECT_FALSE(History().isVisible());

    cards->CardsHostoryActionExecute();
    ASSERT_TRUE(History().isVisible());
    QTest::keyClick(&HistoryList(), Qt::Key_Escape);
    EXPECT_FALSE(History().isVisible());

    cards->CardsHostoryActionExecute();
    EXPECT_EQ(HistoryList().model()->rowCount(), 2);
    EXPECT_EQ(HistoryCurrentRow(), 1);
}

} // namespace
} // namespace morva::test
