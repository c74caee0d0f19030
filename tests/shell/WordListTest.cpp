// The word list as it is filled: a new list starts at its top, and a damaged entry ends the
// list where a fill would stop.

#include "tests/shell/ShellFixture.h"

#include "engine/FileFormat.h"

#include <QAction>
#include <QComboBox>
#include <QScrollBar>

#include <cstdio>
#include <fstream>

namespace morva::test {
namespace {

// "w000" to "w299": enough rows that the list scrolls.
std::vector<std::string> ManyWords(char letter)
{
    std::vector<std::string> words;
    char text[8];
    for (int i = 0; i < 300; ++i) {
        std::snprintf(text, sizeof text, "%c%03d", letter, i);
        words.emplace_back(text);
    }
    return words;
}

class WordListTest : public ShellTest {
protected:
    // Replaces the data file; the English list's entry at damagedRow (if any) points its
    // headword outside the file, and the file is sealed again, so it still passes its checks.
    void WriteDictionary(const std::vector<std::string>& english, const std::vector<std::string>& uzbek,
                         int damagedRow = -1)
    {
        TDictWriter writer;
        for (const auto& word : english)
            writer.AddWordEntry(English, word, {}, {});
        for (const auto& word : uzbek)
            writer.AddWordEntry(Uzbek, word, {}, {});
        writer.AddWordEntry(Russian, RussianWords[0], {}, {});
        std::vector<std::uint8_t> image = writer.Image();
        if (damagedRow >= 0) {
            const std::uint32_t list = ReadWord(image, HeaderListsWord + 4 * English);
            const std::uint32_t entry = ReadWord(image, list + 4 * damagedRow);
            WriteWord(image, entry + 4, 0x7FFFFFF0);
        }
        SealImage(image);
        Scramble(image);
        std::ofstream(DictionaryFile(), std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    }

    // The row at the top of the list as shown.
    int TopRow() const
    {
        QApplication::processEvents();
        return Part<QListView>(*form, "WordList")->indexAt(QPoint(2, 2)).row();
    }

    void PickSource(Language language)
    {
        Part<QComboBox>(*form, "SrcLangCB")->setCurrentIndex(language);
        emit Part<QComboBox>(*form, "SrcLangCB")->activated(language);
    }
};

TEST_F(WordListTest, ANewListStartsAtItsTop)
{
    WriteDictionary(ManyWords('e'), ManyWords('u'));
    Create();
    QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "e299");
    ASSERT_EQ(SelectedHeadword(), "e299");
    ASSERT_GT(TopRow(), 200);

    // This Uzbek list is written in Latin letters: typed text is to stay as typed.
    Part<QAction>(*form, "UzbekLatinInputAction")->trigger();
    PickSource(Uzbek);
    EXPECT_EQ(form->SelectedRow(), -1);
    EXPECT_EQ(TopRow(), 0);
    EXPECT_EQ(Part<QListView>(*form, "WordList")->verticalScrollBar()->value(), 0);

    // The first Down takes the first row, which is on screen.
    QTest::keyClick(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Down);
    EXPECT_EQ(SelectedHeadword(), "u000");
    EXPECT_EQ(TopRow(), 0);

    // Typing looks up the new list as usual.
    QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "u150");
    EXPECT_EQ(SelectedHeadword(), "u150");
    const QRect shown = Part<QListView>(*form, "WordList")->visualRect(Part<QListView>(*form, "WordList")->currentIndex());
    EXPECT_TRUE(Part<QListView>(*form, "WordList")->viewport()->rect().contains(shown)) << "the found row is scrolled into view";
}

TEST_F(WordListTest, ADamagedEntryEndsTheListWithoutAMessage)
{
    struct TCase {
        int damagedRow;
        int rows;
    };
    // EnglishWords: apple, bee, book, booking, boot, cat, dog.
    for (const TCase c : {TCase{3, 3}, TCase{6, 6}, TCase{0, 0}}) {
        SCOPED_TRACE(testing::Message() << "damaged row " << c.damagedRow);
        WriteDictionary(EnglishWords, UzbekWords, c.damagedRow);
        messages.Shown.clear();
        Create();
        const bool filled = c.rows > 0;
        ASSERT_EQ(Part<QListView>(*form, "WordList")->model()->rowCount(), c.rows);
        for (int row = 0; row < c.rows; ++row)
            EXPECT_EQ(Row(row), Wide(EnglishWords[row]));
        EXPECT_EQ(Part<QListView>(*form, "WordList")->isEnabled(), filled);
        EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->isEnabled(), filled);
        EXPECT_EQ(Part<QAction>(*form, "WordInfoAction")->isEnabled(), filled);

        if (filled) {
            // Searching covers the list's own rows and never meets the damaged entry.
            QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "b");
            EXPECT_EQ(SelectedHeadword(), "bee");
            Part<TXUzbekEdit>(*form, "SearchEdit")->SetText("dog");
            EXPECT_EQ(SelectedHeadword(), "bee");
        }
        EXPECT_TRUE(messages.Shown.empty());

        // The other lists are whole.
        PickSource(Uzbek);
        EXPECT_EQ(Part<QListView>(*form, "WordList")->model()->rowCount(), int(UzbekWords.size()));
        EXPECT_TRUE(Part<TXUzbekEdit>(*form, "SearchEdit")->isEnabled());
        PickSource(English);
        EXPECT_EQ(Part<QListView>(*form, "WordList")->model()->rowCount(), c.rows);
        EXPECT_TRUE(messages.Shown.empty());
    }
}

} // namespace
} // namespace morva::test
