// The language pair: selectors, language commands and menus, refills, bars, stay-on-top,
// help and web site.

#include "tests/shell/ShellFixture.h"

#include "shell/Settings.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QToolBar>

#include <fstream>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

class LangPairTest : public ShellTest {
protected:
    // As the user picks an item: the selector shows it and reports the pick.
    void Pick(QComboBox* selector, Language item)
    {
        selector->setCurrentIndex(item);
        emit selector->activated(item);
    }

    void ExpectPair(Language src, Language dest)
    {
        SCOPED_TRACE(testing::Message() << "pair " << int(src) << " -> " << int(dest));
        EXPECT_EQ(form->Dictionary()->SourceLanguage(), src);
        EXPECT_EQ(form->Dictionary()->TargetLanguage(), dest);
        EXPECT_EQ(Part<QComboBox>(*form, "SrcLangCB")->currentIndex(), src);
        EXPECT_EQ(Part<QComboBox>(*form, "DestLangCB")->currentIndex(), dest);
        const QAction* srcActions[] = {Part<QAction>(*form, "SrcEnglishLangAction"), Part<QAction>(*form, "SrcUzbekLangAction"), Part<QAction>(*form, "SrcRussianLangAction")};
        const QAction* destActions[] = {Part<QAction>(*form, "DestEnglishLangAction"), Part<QAction>(*form, "DestUzbekLangAction"), Part<QAction>(*form, "DestRussianLangAction")};
        for (Language language = 0; language < LanguageCount; ++language) {
            EXPECT_EQ(srcActions[language]->isChecked(), language == src) << int(language);
            EXPECT_EQ(destActions[language]->isChecked(), language == dest) << int(language);
            // The target command of the source language is hidden.
            EXPECT_EQ(destActions[language]->isVisible(), language != src) << int(language);
        }
        EXPECT_EQ(Part<QAction>(*form, "SrcChangeLangAction")->text(), srcActions[src]->text());
        EXPECT_EQ(Part<QAction>(*form, "DestChangeLangAction")->text(), destActions[dest]->text());
        EXPECT_EQ(Part<QAction>(*form, "SrcChangeLangAction")->icon().cacheKey(), srcActions[src]->icon().cacheKey());
        EXPECT_EQ(Part<QAction>(*form, "DestChangeLangAction")->icon().cacheKey(), destActions[dest]->icon().cacheKey());
    }

    void StorePair(Language src, Language dest)
    {
        auto key = registry.OpenKey(SettingsKeyPath, true);
        key->WriteValue("SrcLang", TRegValue::String(std::to_string(src)));
        key->WriteValue("DestLang", TRegValue::String(std::to_string(dest)));
    }
};

TEST_F(LangPairTest, TheWindowAsCreated)
{
    Create();
    EXPECT_EQ(form->windowTitle(), "Kovrak MORVA");
    EXPECT_FALSE(form->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(form->windowFlags() & Qt::WindowMinimizeButtonHint);
    // The design sizes are outer sizes, as every stored size is.
    const QSize frame = form->frameGeometry().size() - form->size();
    EXPECT_EQ(form->minimumSize() + frame, QSize(308, 200));
    EXPECT_EQ(form->frameGeometry().size(), QSize(310, 433));
    const QStringList languages = {"Inglizcha", "O'zbekcha", "Ruscha"};
    for (QComboBox* selector : {Part<QComboBox>(*form, "SrcLangCB"), Part<QComboBox>(*form, "DestLangCB")}) {
        ASSERT_EQ(selector->count(), 3);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(selector->itemText(i), languages[i]);
        // 80 pixels wide, and every name shows whole in its label (a pixel clear each side).
        EXPECT_EQ(selector->width(), 80);
        QStyleOptionComboBox option;
        option.initFrom(selector);
        const int label = selector->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, selector).width() - 2;
        for (const QString& language : languages)
            EXPECT_LE(QFontMetrics(selector->font()).horizontalAdvance(language), label) << language.toStdString();
    }
    // Top to bottom, whatever the bars.
    EXPECT_LT(Part<QToolBar>(*form, "EditToolBar")->y(), Part<QToolBar>(*form, "LangToolBar")->y());
    EXPECT_LT(Part<QToolBar>(*form, "LangToolBar")->y(), Part<QListView>(*form, "WordList")->y());
    EXPECT_LT(Part<QListView>(*form, "WordList")->y(), Part<QWidget>(*form, "SearchPanel")->y());
    EXPECT_LT(Part<QWidget>(*form, "SearchPanel")->y(), Part<QToolBar>(*form, "ServiceToolBar")->y());
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->width(), Part<QWidget>(*form, "SearchPanel")->width());
    EXPECT_EQ(Part<QWidget>(*form, "SearchPanel")->height(), 26);
    EXPECT_EQ(Part<QToolBar>(*form, "ServiceToolBar")->height(), 41);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->maxLength(), 255);

    ExpectPair(English, Uzbek);
    ASSERT_EQ(Part<QListView>(*form, "WordList")->model()->rowCount(), int(EnglishWords.size()));
    EXPECT_EQ(Row(0), "apple");
    EXPECT_EQ(form->SelectedRow(), -1);
    EXPECT_TRUE(Part<QListView>(*form, "WordList")->isEnabled());
    EXPECT_TRUE(Part<TXUzbekEdit>(*form, "SearchEdit")->isEnabled());
    EXPECT_TRUE(Part<QAction>(*form, "WordInfoAction")->isEnabled());
    EXPECT_TRUE(Part<TXUzbekEdit>(*form, "SearchEdit")->hasFocus());
    EXPECT_FALSE(Part<QAction>(*form, "CutToClipAction")->isEnabled());
    EXPECT_FALSE(Part<QAction>(*form, "CopyToClipAction")->isEnabled());
    EXPECT_FALSE(Part<QAction>(*form, "PasteFromClipAction")->isEnabled());
    EXPECT_FALSE(Part<QAction>(*form, "RestoreAction")->isEnabled());
    EXPECT_TRUE(Part<QAction>(*form, "ShowEditBarAction")->isChecked());
    EXPECT_FALSE(Part<QAction>(*form, "StayOnTopAction")->isChecked());
}

TEST_F(LangPairTest, StoredUzbekToEnglish)
{
    StorePair(Uzbek, English);
    Create();
    ExpectPair(Uzbek, English);
    EXPECT_EQ(Part<QComboBox>(*form, "SrcLangCB")->currentText(), "O'zbekcha");
    EXPECT_EQ(Part<QComboBox>(*form, "DestLangCB")->currentText(), "Inglizcha");
    EXPECT_EQ(Row(0), Wide(UzbekWords[0]));
}

struct TPick {
    Language startSrc, startDest;
    bool sourceSelector;
    Language item;
    Language src, dest;
    bool refilled;
};

TEST_F(LangPairTest, SelectorPicksKeepThePairValid)
{
    const TPick picks[] = {
        {English, Uzbek, false, English, Uzbek, English, true},  // the source picked as target swaps
        {English, Uzbek, true, Uzbek, Uzbek, English, true},     // the target picked as source swaps
        {English, Uzbek, false, Russian, English, Russian, false},
        {English, Uzbek, true, Russian, Russian, Uzbek, true},
        {Uzbek, Russian, true, English, English, Russian, true},
        {Russian, English, false, Russian, English, Russian, true},
        {English, Uzbek, false, Uzbek, English, Uzbek, false},   // the same item again
    };
    Create();
    for (const TPick& pick : picks) {
        SCOPED_TRACE(testing::Message() << int(pick.startSrc) << "->" << int(pick.startDest) << " pick "
                                        << (pick.sourceSelector ? "source " : "target ") << int(pick.item));
        form->SetLangPair(pick.startSrc, pick.startDest, false);
        Part<TXUzbekEdit>(*form, "SearchEdit")->setText("zz");
        Pick(pick.sourceSelector ? Part<QComboBox>(*form, "SrcLangCB") : Part<QComboBox>(*form, "DestLangCB"), pick.item);
        ExpectPair(pick.src, pick.dest);
        // A refill empties the field; a change of the target alone leaves text and list be.
        EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), pick.refilled ? "" : "zz");
        const auto& words = pick.src == English ? EnglishWords : pick.src == Uzbek ? UzbekWords : RussianWords;
        ASSERT_EQ(Part<QListView>(*form, "WordList")->model()->rowCount(), int(words.size()));
        EXPECT_EQ(Row(0), Wide(words[0]));
    }
}

TEST_F(LangPairTest, NextSourceAndOtherTarget)
{
    struct TCase {
        Language startSrc, startDest;
        bool nextSource;
        Language src, dest;
    };
    const TCase cases[] = {
        {Russian, Uzbek, true, English, Uzbek},
        {English, Uzbek, true, Uzbek, English},
        {Uzbek, English, true, Russian, English},
        {Uzbek, Russian, false, Uzbek, English},
        {Uzbek, English, false, Uzbek, Russian},
        {English, Uzbek, false, English, Russian},
        {English, Russian, false, English, Uzbek},
        {Russian, English, false, Russian, Uzbek},
        {Russian, Uzbek, false, Russian, English},
    };
    Create();
    for (const TCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.startSrc) << "->" << int(c.startDest));
        form->SetLangPair(c.startSrc, c.startDest, false);
        (c.nextSource ? Part<QAction>(*form, "SrcChangeLangAction") : Part<QAction>(*form, "DestChangeLangAction"))->trigger();
        ExpectPair(c.src, c.dest);
    }
}

TEST_F(LangPairTest, LanguageCommandsAndMenus)
{
    Create();
    ASSERT_EQ(Part<QMenu>(*form, "SrcLangPopupMenu")->actions().size(), 3);
    ASSERT_EQ(Part<QMenu>(*form, "DestLangPopupMenu")->actions().size(), 3);
    EXPECT_EQ(Part<QAction>(*form, "SrcRussianLangAction")->toolTip(), u"Переводить с русского языка"_s);
    EXPECT_EQ(Part<QAction>(*form, "DestRussianLangAction")->toolTip(), u"Переводить на русский язык"_s);

    Part<QAction>(*form, "SrcRussianLangAction")->trigger();
    ExpectPair(Russian, Uzbek);
    // Running the checked command again changes nothing and keeps its check mark.
    Part<QAction>(*form, "SrcRussianLangAction")->trigger();
    ExpectPair(Russian, Uzbek);
    Part<QAction>(*form, "DestEnglishLangAction")->trigger();
    ExpectPair(Russian, English);
    Part<QAction>(*form, "DestEnglishLangAction")->trigger();
    ExpectPair(Russian, English);
}

TEST_F(LangPairTest, SourceChangeEmptiesTheFieldAndFocusesIt)
{
    Create();
    QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), "boo");
    ASSERT_EQ(SelectedHeadword(), "book");
    Part<QListView>(*form, "WordList")->setFocus();
    Pick(Part<QComboBox>(*form, "SrcLangCB"), Russian);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), "");
    EXPECT_EQ(form->SelectedRow(), -1);
    EXPECT_TRUE(Part<TXUzbekEdit>(*form, "SearchEdit")->hasFocus());
    EXPECT_FALSE(QApplication::overrideCursor());
}

TEST_F(LangPairTest, BarsComeBackToTheirPlaces)
{
    Create();
    Part<QAction>(*form, "ShowEditBarAction")->trigger();
    EXPECT_FALSE(Part<QAction>(*form, "ShowEditBarAction")->isChecked());
    EXPECT_TRUE(Part<QToolBar>(*form, "EditToolBar")->isHidden());
    Part<QAction>(*form, "ShowLangBarAction")->trigger();
    Part<QAction>(*form, "ShowEditBarAction")->trigger();
    Part<QAction>(*form, "ShowLangBarAction")->trigger();
    Part<QAction>(*form, "ShowServiceBarAction")->trigger();
    Part<QAction>(*form, "ShowServiceBarAction")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(Part<QToolBar>(*form, "EditToolBar")->isVisible());
    EXPECT_TRUE(Part<QToolBar>(*form, "ServiceToolBar")->isVisible());
    EXPECT_LT(Part<QToolBar>(*form, "EditToolBar")->y(), Part<QToolBar>(*form, "LangToolBar")->y());
    EXPECT_LT(Part<QToolBar>(*form, "LangToolBar")->y(), Part<QListView>(*form, "WordList")->y());
    EXPECT_LT(Part<QWidget>(*form, "SearchPanel")->y(), Part<QToolBar>(*form, "ServiceToolBar")->y());
}

TEST_F(LangPairTest, StayOnTopNeitherMovesNorActivates)
{
    Create();
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    const QRect before = form->geometry();

    Part<QAction>(*form, "StayOnTopAction")->trigger();
    QApplication::processEvents();
    EXPECT_TRUE(Part<QAction>(*form, "StayOnTopAction")->isChecked());
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->geometry(), before);
    EXPECT_EQ(QApplication::activeWindow(), &other);

    Part<QAction>(*form, "StayOnTopAction")->trigger();
    EXPECT_FALSE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->geometry(), before);
}

TEST_F(LangPairTest, HelpAndWebSite)
{
    Create();
    Part<QAction>(*form, "CallHelpAction")->trigger();
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, u"Ma‘lumot faylini ochish o‘nglanmayapti."_s);
    EXPECT_EQ(messages.Shown[0].Caption, "Kovrak MORVA");
    EXPECT_EQ(messages.Shown[0].Icon, TMessageIcon::Error);

    std::ofstream(Folder() / "Morva.chm") << "help";
    Part<QAction>(*form, "CallHelpAction")->trigger();
    ASSERT_EQ(shell.Opened.size(), 1u);
    EXPECT_EQ(shell.Opened[0], QUrl::fromLocalFile(QString::fromStdString((Folder() / "Morva.chm").string())));
    EXPECT_EQ(messages.Shown.size(), 1u);

    Part<QAction>(*form, "GoToSiteAction")->trigger();
    ASSERT_EQ(shell.Opened.size(), 2u);
    EXPECT_EQ(shell.Opened[1], QUrl(u"https://github.com/kovrak/morva"_s));
    shell.Succeed = false;
    Part<QAction>(*form, "GoToSiteAction")->trigger();
    ASSERT_EQ(messages.Shown.size(), 2u);
    EXPECT_EQ(messages.Shown[1].Text, u"Sayt ko‘rish dasturini ochish o‘nglanmayapti."_s);
}

} // namespace
} // namespace morva::test
