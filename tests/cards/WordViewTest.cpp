#include "tests/cards/CardsFixture.h"

#include "cards/OffsetRandom.h"
#include "platform/QtClipboard.h"
#include "text/CodePage1251.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QWheelEvent>

namespace morva::test {
namespace {

const QString EnUzCaption = QStringLiteral("So\u2018z tarjimasi (En-Uz)");

TEST(OffsetRandom, StartsFromSeedZeroAndRepeats)
{
    // seed := seed * 134775813 + 1; the draw is the upper half of 200 * seed.
    TOffsetRandom random;
    const std::uint32_t expected[] = {0, 6, 172, 40, 54, 134, 63, 32};
    for (std::uint32_t value : expected)
        EXPECT_EQ(random.Next(200), value);
}

TEST_F(CardsTest, MainCardShowsTheArticleUnderThePairCaption)
{
    OpenWord(Book);
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_EQ(MainCard().Tag(), 0);
    EXPECT_EQ(MainCard().windowTitle(), EnUzCaption);
    EXPECT_EQ(MainCard().Dictionary(), dictionary.get());
    const QString text = View(MainCard()).toPlainText();
    EXPECT_TRUE(text.contains(u"\u049B\u045E\u043B\u043B\u0430\u043D\u043C\u0430")) << text.toStdString();
    EXPECT_TRUE(text.contains(u"[b\u028Ak]")) << "the transcription is decoded as IPA";
    EXPECT_EQ(View(MainCard()).verticalScrollBar()->value(), 0);
}

TEST_F(CardsTest, ArticleViewSettings)
{
    THtmlView& view = View(MainCard());
    EXPECT_EQ(view.document()->defaultFont().family(), QStringLiteral("Arial for KovrMorva"));
    EXPECT_EQ(view.document()->defaultFont().pointSize(), 10);
    EXPECT_EQ(view.document()->documentMargin(), 5);
    EXPECT_FALSE(view.openLinks());
    EXPECT_EQ(view.viewport()->cursor().shape(), Qt::IBeamCursor);

    OpenWord(Book);
    // Links are blue and not underlined.
    QTextCursor link = view.document()->find(QStringLiteral("volume"));
    ASSERT_FALSE(link.isNull());
    const QTextCharFormat format = link.charFormat();
    EXPECT_TRUE(format.isAnchor());
    EXPECT_EQ(format.foreground().color(), QColor(Qt::blue));
    EXPECT_FALSE(format.fontUnderline());
}

TEST_F(CardsTest, SelectionIsPlainTextWithoutTableOrParagraphMarkers)
{
    OpenWord(Book);
    EXPECT_EQ(View(MainCard()).SelectedText(), QString());
    Part<QAction>(MainCard(), "N3")->trigger();
    const QString selected = View(MainCard()).SelectedText();
    for (const QChar c : selected) {
        EXPECT_NE(c, QChar(QChar::ParagraphSeparator));
        EXPECT_NE(c, QChar(QChar::LineSeparator));
        EXPECT_NE(c, QChar(QChar::Nbsp));
        EXPECT_FALSE(c.unicode() >= 0xFDD0 && c.unicode() <= 0xFDEF) << "frame marker " << int(c.unicode());
    }
    // The headword, the transcription on its own line, the translations indented on one line.
    EXPECT_TRUE(selected.startsWith(QStringLiteral("book \n[b\u028Ak]\n    \u049B\u045E\u043B\u043B\u0430\u043D\u043C\u0430; \u0441\u043C. volume; \u0441\u043C. nowhere\n")))
        << selected.toStdString();
    EXPECT_TRUE(selected.contains(QStringLiteral("a book of poems \u2013 ")));
}

TEST_F(CardsTest, MouseSelectsText)
{
    OpenWord(Book);
    THtmlView& view = View(MainCard());
    const QString word = QStringLiteral("a book of poems");
    const QTextCursor found = view.document()->find(word);
    ASSERT_FALSE(found.isNull());
    QTextCursor from(view.document());
    from.setPosition(found.selectionStart());
    QTextCursor to(view.document());
    to.setPosition(found.selectionEnd());
    const QPoint start = view.cursorRect(from).center() + QPoint(1, 0);
    const QPoint end = view.cursorRect(to).center();
    QTest::mousePress(view.viewport(), Qt::LeftButton, {}, start);
    QTest::mouseMove(view.viewport(), end);
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, end);
    EXPECT_EQ(view.SelectedText(), word);
}

TEST_F(CardsTest, ScrollsWithKeysAndWheelAndLoadsAtTheTop)
{
    std::string longArticle;
    for (int line = 0; line < 200; ++line)
        longArticle += "line " + std::to_string(line) + "<br>";
    MainCard().FillFromHistory(Entry("", "caption", longArticle));
    MainCard().ShowCard();
    THtmlView& view = View(MainCard());
    QScrollBar& bar = *view.verticalScrollBar();
    ASSERT_GT(bar.maximum(), 0);

    QTest::keyClick(&view, Qt::Key_PageDown);
    const int afterPage = bar.value();
    EXPECT_GT(afterPage, 0);
    QTest::keyClick(&view, Qt::Key_Down);
    EXPECT_GT(bar.value(), afterPage);
    QTest::keyClick(&view, Qt::Key_End);
    EXPECT_EQ(bar.value(), bar.maximum());
    QTest::keyClick(&view, Qt::Key_Home);
    EXPECT_EQ(bar.value(), 0);

    const QPoint middle = view.viewport()->rect().center();
    QWheelEvent wheel(middle, view.viewport()->mapToGlobal(middle), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view.viewport(), &wheel);
    EXPECT_GT(bar.value(), 0);

    MainCard().FillFromHistory(Entry("", "caption", longArticle));
    EXPECT_EQ(bar.value(), 0) << "a new article shows from its top";
}

TEST_F(CardsTest, SelectAllOnAnEmptyCardDoesNothing)
{
    Part<QAction>(MainCard(), "N3")->trigger();
    EXPECT_FALSE(View(MainCard()).textCursor().hasSelection());
    Part<QAction>(MainCard(), "N1")->trigger();
    EXPECT_TRUE(clipboard.Filled);
    EXPECT_EQ(clipboard.Content, QString());
}

TEST_F(CardsTest, CopyPutsUnicodeAndTheEightBitForm)
{
    TQtClipboard qtClipboard;
    TCardManager manager(messageBox, qtClipboard);
    manager.ShowWordCard(*dictionary, dictionary->Pair(), Book);
    Part<QAction>(manager.WordViewForm(), "N3")->trigger();
    Part<QAction>(manager.WordViewForm(), "N1")->trigger();

    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    const QString unicode = data->text();
    EXPECT_TRUE(unicode.contains(u"[b\u028Ak]"));
    EXPECT_TRUE(unicode.contains(u"\u049B\u045E\u043B\u043B\u0430\u043D\u043C\u0430"));
    ASSERT_TRUE(data->hasFormat(EightBitTextMime));
    const std::string eightBit = data->data(EightBitTextMime).toStdString();
    EXPECT_EQ(eightBit, WideToCodePage1251(unicode.toStdU16String()));
    // Plain code page 1251 has no қ: the 8-bit form substitutes it, ў (0xA2) it has.
    EXPECT_NE(eightBit.find("\xA2\xEB\xEB\xE0\xED\xEC\xE0"), std::string::npos);
}

TEST_F(CardsTest, EscHidesTheCardWithoutClosingIt)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ASSERT_EQ(TemporaryCards().size(), 1);
    TWordViewForm* card = TemporaryCards().front();
    const int saves = placement.Saves;

    QTest::keyClick(&View(*card), Qt::Key_Escape);
    FinishEvent();
    ASSERT_EQ(TemporaryCards().size(), 1) << "a hidden temporary card goes on existing";
    EXPECT_FALSE(card->isVisible());
    EXPECT_EQ(placement.Saves, saves) << "hiding stores nothing";

    QTest::keyClick(&View(MainCard()), Qt::Key_Escape);
    EXPECT_FALSE(MainCard().isVisible());
}

TEST_F(CardsTest, ClosingATemporaryCardDestroysItAfterTheEvent)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    QPointer<TWordViewForm> card = TemporaryCards().front();
    card->move(40, 50);
    EXPECT_TRUE(card->close());
    EXPECT_FALSE(card.isNull()) << "destruction waits for the end of the event";
    FinishEvent();
    EXPECT_TRUE(card.isNull());
    EXPECT_EQ(placement.Stored.topLeft(), QPoint(40, 50)) << "its placement became the stored one";

    EXPECT_TRUE(MainCard().close());
    FinishEvent();
    EXPECT_FALSE(MainCard().isVisible());
    EXPECT_EQ(MainCard().windowTitle(), EnUzCaption) << "the main card only hides";
}

TEST_F(CardsTest, ReshownMainCardReturnsToTheStoredPlacement)
{
    OpenWord(Book);
    MainCard().move(300, 200);
    MainCard().close(); // stores
    OpenWord(Volume);
    EXPECT_EQ(MainCard().pos(), QPoint(300, 200));

    MainCard().move(10, 20); // moved while visible: opening another word keeps it there
    OpenWord(Book);
    EXPECT_EQ(MainCard().pos(), QPoint(10, 20));
    QTest::keyClick(&View(MainCard()), Qt::Key_Escape);
    OpenWord(Book);
    EXPECT_EQ(MainCard().pos(), QPoint(300, 200));
}

TEST_F(CardsTest, TemporaryCardsOpenAtTheStoredPlacementMovedByTheOffsets)
{
    const QSize screen = QGuiApplication::primaryScreen()->size();
    placement.HasStored = true;
    placement.Stored = QRect(100, 100, 276, 332);
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ClickLink(MainCard(), QStringLiteral("volume"));
    // Stored far right and low: the offsets go back by 100 at most.
    placement.Stored.moveTo(screen.width() - 10, screen.height() - 10);
    ClickLink(MainCard(), QStringLiteral("volume"));

    const QList<TWordViewForm*> opened = TemporaryCardsByAge();
    ASSERT_EQ(opened.size(), 3);
    // Draws 0, 6 | 172, 40 | 54, 134: horizontal first.
    EXPECT_EQ(opened[0]->pos(), QPoint(100 + 0 + 100, 100 + 6 + 100));
    EXPECT_EQ(opened[1]->pos(), QPoint(100 + 172 + 100, 100 + 40 + 100));
    EXPECT_EQ(opened[2]->pos(), QPoint(screen.width() - 10 + 54 - 100, screen.height() - 10 + 134 - 100));
    EXPECT_EQ(opened[0]->size(), QSize(276, 332));
}

TEST_F(CardsTest, LinkOpensATemporaryCardAndRecordsIt)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ASSERT_EQ(TemporaryCards().size(), 1);
    TWordViewForm* card = TemporaryCards().front();
    EXPECT_EQ(card->Tag(), 1);
    EXPECT_TRUE(card->isVisible());
    EXPECT_EQ(card->windowTitle(), EnUzCaption);
    EXPECT_EQ(card->Dictionary(), dictionary.get());
    EXPECT_TRUE(View(*card).toPlainText().contains(u"\u0436\u0438\u043B\u0434"));
    EXPECT_TRUE(View(MainCard()).toPlainText().contains(u"\u049B\u045E\u043B")) << "the clicked card is unchanged";

    ASSERT_EQ(History().Count(), 2);
    EXPECT_EQ(HistoryRow(0), QStringLiteral("volume"));
    EXPECT_EQ(HistoryCurrentRow(), 0);

    // A link in a temporary card opens a further one; the same link again opens another.
    ClickLink(*card, QStringLiteral("book"));
    EXPECT_EQ(HistoryRow(0), QStringLiteral("book"));
    ClickLink(MainCard(), QStringLiteral("volume"));
    EXPECT_EQ(TemporaryCards().size(), 3);
    EXPECT_EQ(History().Count(), 4);
    EXPECT_TRUE(card->isVisible()) << "the clicked card stays open";
    EXPECT_TRUE(messageBox.Shown.empty());
}

TEST_F(CardsTest, ALinkOpensAnEntryOfItsOwnCardsListWhateverTheWindowShows)
{
    OpenWord(Book);
    // The main window has moved on to another pair; the card still shows English to Uzbek.
    dictionary->SelectSourceLanguage(Uzbek);
    dictionary->SetTargetLanguage(Russian);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ASSERT_EQ(TemporaryCards().size(), 1);
    EXPECT_EQ(TemporaryCards()[0]->windowTitle(), EnUzCaption);
    EXPECT_TRUE(View(*TemporaryCards()[0]).toPlainText().contains(u"\u0436\u0438\u043B\u0434"));
    EXPECT_EQ(HistoryRow(0), QStringLiteral("volume"));
    EXPECT_TRUE(messageBox.Shown.empty());
}

TEST_F(CardsTest, LinkToAMissingHeadwordShowsItsMessageOnly)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("nowhere"));
    ASSERT_EQ(messageBox.Shown.size(), 1u);
    EXPECT_EQ(messageBox.Shown[0].Text, QStringLiteral("Bu talqinda so\u2018z tarjimasi yo\u2018q."));
    EXPECT_EQ(messageBox.Shown[0].Caption, EnUzCaption);
    EXPECT_EQ(messageBox.Shown[0].Icon, TMessageIcon::Information);
    EXPECT_TRUE(TemporaryCards().isEmpty());
    EXPECT_EQ(History().Count(), 1);
}

TEST_F(CardsTest, LinkOutsideTheCurrentListReportsTheErrorAndLeavesAHiddenCard)
{
    OpenWord(Book);
    emit View(MainCard()).LinkClick(QStringLiteral("7"));
    ASSERT_EQ(messageBox.Shown.size(), 1u);
    EXPECT_EQ(messageBox.Shown[0].Icon, TMessageIcon::Error);
    EXPECT_EQ(messageBox.Shown[0].Text, QStringLiteral("7 indeksli element yo\u2018q."));
    EXPECT_EQ(History().Count(), 1);
    ASSERT_EQ(TemporaryCards().size(), 1);
    EXPECT_FALSE(TemporaryCards().front()->isVisible());

    cards->CloseTempCardsActionExecute();
    FinishEvent();
    EXPECT_TRUE(TemporaryCards().isEmpty());
}

TEST_F(CardsTest, CardKeys)
{
    OpenWord(Book);
    Part<QAction>(MainCard(), "N3")->trigger();
    struct Case {
        int key;
        Qt::KeyboardModifiers modifiers;
        bool copies;
    } cases[] = {
        {Qt::Key_C, Qt::ControlModifier, true},
        {Qt::Key_Insert, Qt::ControlModifier, true},
        {Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier, false},
        {Qt::Key_Insert, Qt::ShiftModifier, false},
        {Qt::Key_C, Qt::NoModifier, false},
    };
    for (const Case& c : cases) {
        clipboard = FakeClipboard();
        QTest::keyClick(&View(MainCard()), Qt::Key(c.key), c.modifiers);
        EXPECT_EQ(clipboard.Filled, c.copies) << c.key << " " << c.modifiers;
        if (c.copies) {
            EXPECT_TRUE(clipboard.Content.startsWith(QStringLiteral("book \n[b\u028Ak]")));
        }
    }
    EXPECT_TRUE(MainCard().isVisible());
}

TEST_F(CardsTest, DestroyingStoresOnlyWhenNotStoredSinceTaken)
{
    OpenWord(Book);
    ClickLink(MainCard(), QStringLiteral("volume"));
    ClickLink(MainCard(), QStringLiteral("volume"));
    TemporaryCards().front()->move(70, 80);
    const int saves = placement.Saves;
    MainCard().close(); // stores once on closing, so its destruction does not
    cards.reset();
    // The two temporary cards store once each on destruction.
    EXPECT_EQ(placement.Saves, saves + 1 + 2);
}

} // namespace
} // namespace morva::test
