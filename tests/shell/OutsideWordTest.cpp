// Words from outside the program: the command line and the main window's side of them.

#include "tests/shell/ShellFixture.h"

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/HtmlView.h"
#include "cards/WordView.h"
#include "shell/CommandLine.h"

#include <QAction>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

TEST(CommandLineTest, WordsSelectionClipboardAndMistakes)
{
    struct TCase {
        QStringList Arguments;
        TWordSource Source;
        QString Words;
        bool Error;
    };
    const TCase cases[] = {
        {{u"morva"_s}, TWordSource::None, {}, false},
        {{u"morva"_s, u"/autorun"_s}, TWordSource::None, {}, false},
        {{u"morva"_s, u"book"_s}, TWordSource::Arguments, u"book"_s, false},
        {{u"morva"_s, u"-AutoRun"_s, u"ice"_s, u"cream"_s}, TWordSource::Arguments, u"ice cream"_s, false},
        {{u"morva"_s, u"-ness"_s}, TWordSource::Arguments, u"-ness"_s, false},
        {{u"morva"_s, u"--"_s, u"--selection"_s}, TWordSource::Arguments, u"--selection"_s, false},
        {{u"morva"_s, u"--selection"_s}, TWordSource::Selection, {}, false},
        {{u"morva"_s, u"--clipboard"_s, u"/autorun"_s}, TWordSource::Clipboard, {}, false},
        {{u"morva"_s, u"--bogus"_s}, TWordSource::None, {}, true},
        {{u"morva"_s, u"--selection"_s, u"book"_s}, TWordSource::Arguments, u"book"_s, true},
        {{u"morva"_s, u"--selection"_s, u"--clipboard"_s}, TWordSource::Clipboard, {}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Arguments.join(u' ').toStdString());
        const TCommandLine line = ParseCommandLine(c.Arguments);
        EXPECT_EQ(!line.Error.isEmpty(), c.Error) << line.Error.toStdString();
        if (c.Error) {
            EXPECT_TRUE(line.Error.endsWith(QString::fromLatin1(CommandLineUsage)));
            continue;
        }
        EXPECT_EQ(line.Source, c.Source);
        EXPECT_EQ(line.Words, c.Words);
    }
}

class OutsideWordTest : public ShellTest {
protected:
    TWordViewForm& MainCard() { return form->Cards()->WordViewForm(); }
};

TEST_F(OutsideWordTest, TheCardShowsWithoutMovingTheWordList)
{
    Create();
    form->SetLangPair(Uzbek, Russian, false);
    Part<TXUzbekEdit>(*form, "SearchEdit")->SetText("olma");
    const int row = form->SelectedRow();
    ASSERT_GE(row, 0);

    form->LookUpFromOutside(u"\u00ABBook\u00BB,");
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_EQ(MainCard().windowTitle(), u"So\u2018z tarjimasi (En-Ru)"_s);
    EXPECT_EQ(MainCard().Caption(), TUzDictionary::CardCaption({English, Russian}));
    EXPECT_EQ(form->Dictionary()->Pair(), (LanguagePair{Uzbek, Russian}));
    EXPECT_EQ(form->SelectedRow(), row);
    EXPECT_EQ(SearchText(), "olma");
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 1);

    // The target is the chosen one unless it is the source.
    form->LookUpFromOutside(u"\u043A\u043E\u0442");
    EXPECT_EQ(MainCard().windowTitle(), u"So\u2018z tarjimasi (Ru-En)"_s);
    form->SetLangPair(English, Uzbek, false);
    form->LookUpFromOutside(u"\u043A\u043E\u0442");
    EXPECT_EQ(MainCard().windowTitle(), u"So\u2018z tarjimasi (Ru-Uz)"_s);
}

TEST_F(OutsideWordTest, MarkupInTheTextIsOnlyEverAWordToLookUp)
{
    Create();
    form->LookUpFromOutside(u"<a href=\"3\"><b>cat</b></a><script>x</script>");
    ASSERT_TRUE(MainCard().isVisible());
    const QString shown = Part<THtmlView>(MainCard(), "Html")->toHtml();
    EXPECT_FALSE(shown.contains(u"script"_s));
    EXPECT_FALSE(shown.contains(u"href=\"3\""_s));
    EXPECT_TRUE(messages.Shown.empty());
}

TEST_F(OutsideWordTest, FromTheTrayTheCardComesAndTheProgramStaysThere)
{
    Create();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    ASSERT_TRUE(form->InTray());
    form->LookUpFromOutside(u"book");
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_TRUE(form->InTray());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(tray.Shown);
}

TEST_F(OutsideWordTest, TextWithNothingToLookUpShowsNoCard)
{
    Create();
    for (const char16_t* text : {u"", u" \u2014 ", u"\u4E66"})
        form->LookUpFromOutside(text);
    EXPECT_FALSE(MainCard().isVisible());
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 0);
    EXPECT_TRUE(messages.Shown.empty());
}

} // namespace
} // namespace morva::test
