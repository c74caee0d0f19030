// The word-finding helps in the main window: the hint line under the search field, its key,
// the search inside the articles, and their switches.

#include "tests/shell/ShellFixture.h"

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/WordView.h"
#include "shell/FindHelper.h"
#include "shell/Settings.h"

#include <QLabel>
#include <QListView>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalSpy>
#include <QThread>

using namespace Qt::StringLiterals;

namespace morva::test {
namespace {

class FindHelperTest : public ShellTest {
protected:
    void SetUp() override
    {
        TDictWriter writer;
        const SenseRecord book = Sense("book", Dict(u"китоб"), Dict(u"книга"));
        const SenseRecord walk = Sense("walk", Dict(u"юрмоқ"), Dict(u"ходить"));
        writer.AddWordEntry(English, "apple", {}, {});
        writer.AddWordEntry(English, "book", {book}, {});
        writer.AddWordEntry(English, "walk", {walk}, {});
        writer.AddWordEntry(Uzbek, Dict(u"китоб"), {book}, {});
        writer.AddWordEntry(Uzbek, Dict(u"юрмоқ"), {walk}, {});
        writer.AddWordEntry(Russian, Dict(u"книга"), {book}, {});
        file_ = Folder() / "find.uzd";
        writer.WriteFile(file_);
    }

    TMainForm& CreateWithIndexes(bool waitForIndexes = true)
    {
        TMainServices services = Services();
        services.OpenDictionary = [this] { return std::make_unique<TUzDictionary>(file_); };
        form = std::make_unique<TMainForm>(services);
        form->Start({"morva"});
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        auto* helper = Part<TFindHelper>(*form, "FindHelper");
        QSignalSpy ready(helper, &TFindHelper::IndexesReady);
        if (waitForIndexes) {
            EXPECT_TRUE(helper->Ready() || ready.wait(20000));
        }
        return *form;
    }

    void Type(const QString& keys) { QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), keys); }
    QString Hint() const { return Part<QLabel>(*form, "FindHintLine")->text(); }
    QString LastCard() const
    {
        QListView* history = Part<QListView>(form->Cards()->CardsHostoryForm(), "ListBox");
        return history->model()->index(0, 0).data().toString();
    }
    void Key(QWidget* to, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClick(to, key, modifiers);
    }

    std::filesystem::path file_;
};

TEST_F(FindHelperTest, AFormShowsItsBaseWordAndCtrlEnterOpensItWithoutMovingTheList)
{
    CreateWithIndexes();
    form->SetLangPair(English, Russian, false);
    Type("walked");
    EXPECT_TRUE(Hint().contains(QString::fromUtf8("walked \u2192 "))) << Hint().toStdString();
    EXPECT_TRUE(Hint().contains(u">walk<"_s)) << Hint().toStdString();
    const std::string selected = SelectedHeadword();
    EXPECT_EQ(selected, "walk"); // the nearest headword, as without the hint
    Key(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 1);
    EXPECT_EQ(LastCard(), u"walk"_s);
    EXPECT_EQ(SearchText(), "walked");
    EXPECT_EQ(SelectedHeadword(), selected);
}

TEST_F(FindHelperTest, LatinUzbekSuffixChainShowsTheCyrillicHeadword)
{
    CreateWithIndexes();
    form->SetLangPair(Uzbek, English, false);
    Type("kitoblarimizdan");
    EXPECT_TRUE(Hint().contains(Wide(Dict(u"китоб")))) << Hint().toStdString();
    Key(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(LastCard(), Wide(Dict(u"китоб")));
    EXPECT_EQ(form->Cards()->WordViewForm().Caption(), "So\x91z tarjimasi (Uz-En)");
}

TEST_F(FindHelperTest, AMisspellingShowsTheNearestHeadwordsAndAHeadwordShowsNothing)
{
    CreateWithIndexes();
    Type("bokk");
    EXPECT_TRUE(Hint().startsWith(u"Balki: "_s)) << Hint().toStdString();
    EXPECT_TRUE(Hint().contains(u">book<"_s)) << Hint().toStdString();
    Part<TXUzbekEdit>(*form, "SearchEdit")->clear();
    Type("book");
    EXPECT_EQ(Hint(), QString());
    // Nothing hinted: the key does nothing.
    Key(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 0);
}

TEST_F(FindHelperTest, TheSwitchesTurnEachHelpOffAndAreKept)
{
    CreateWithIndexes();
    auto* forms = Part<QAction>(*form, "FormsHintAction");
    auto* spelling = Part<QAction>(*form, "SpellingHintAction");
    auto* articles = Part<QAction>(*form, "ArticleSearchEnabledAction");
    forms->trigger();
    Type("walked");
    EXPECT_TRUE(Hint().startsWith(u"Balki: "_s)) << Hint().toStdString(); // the spelling help remains
    spelling->trigger();
    EXPECT_FALSE(Part<QLabel>(*form, "FindHintLine")->isVisible());
    EXPECT_TRUE(Part<QAction>(*form, "ArticleSearchAction")->isEnabled());
    articles->trigger();
    EXPECT_FALSE(Part<QAction>(*form, "ArticleSearchAction")->isEnabled());

    form->close();
    const TShellSettings stored = ReadSettings(registry);
    EXPECT_FALSE(stored.WordFormsHint);
    EXPECT_FALSE(stored.SpellingHint);
    EXPECT_FALSE(stored.ArticleSearch);
    form.reset();
    CreateWithIndexes(false);
    EXPECT_FALSE(Part<QAction>(*form, "FormsHintAction")->isChecked());
    EXPECT_FALSE(Part<QAction>(*form, "SpellingHintAction")->isChecked());
    EXPECT_FALSE(Part<QAction>(*form, "ArticleSearchAction")->isEnabled());
}

TEST_F(FindHelperTest, WithEveryHelpOffNoIndexIsBuiltUntilOneIsTurnedOn)
{
    TShellSettings off;
    off.WordFormsHint = off.SpellingHint = off.ArticleSearch = false;
    SaveSettings(registry, off);
    TMainServices services = Services();
    services.OpenDictionary = [this] { return std::make_unique<TUzDictionary>(file_); };
    form = std::make_unique<TMainForm>(services);
    form->Start({"morva"});
    auto* helper = Part<TFindHelper>(*form, "FindHelper");
    QSignalSpy ready(helper, &TFindHelper::IndexesReady);
    EXPECT_FALSE(ready.wait(1500));
    EXPECT_FALSE(helper->Ready());
    EXPECT_EQ(form->findChild<QThread*>(u"FindIndexBuilder"_s), nullptr);
    Part<QAction>(*form, "SpellingHintAction")->trigger();
    EXPECT_TRUE(ready.wait(20000));
    EXPECT_TRUE(helper->Ready());
}

TEST_F(FindHelperTest, ArticleSearchOpensAResultOfAnotherPairByKeyboard)
{
    CreateWithIndexes();
    Key(Part<TXUzbekEdit>(*form, "SearchEdit"), Qt::Key_F, Qt::ControlModifier);
    auto* dialog = Part<QWidget>(*form, "ArticleSearchForm");
    ASSERT_TRUE(dialog->isVisible());
    auto* edit = Part<QLineEdit>(*dialog, "ArticleSearchEdit");
    auto* language = Part<QComboBox>(*dialog, "ArticleSearchLangCB");
    EXPECT_EQ(language->currentIndex(), Uzbek); // the cards' language
    language->setCurrentIndex(Russian);
    edit->insert(Wide(Dict(u"КНИГА"))); // as typed: keyClicks knows no Cyrillic
    auto* results = Part<QListWidget>(*dialog, "ArticleSearchList");
    ASSERT_EQ(results->count(), 2);
    EXPECT_TRUE(results->item(0)->text().startsWith(u"book"_s));
    EXPECT_TRUE(results->item(1)->text().startsWith(Wide(Dict(u"китоб"))));
    Key(edit, Qt::Key_Down);
    Key(edit, Qt::Key_Return);
    EXPECT_EQ(LastCard(), Wide(Dict(u"китоб")));
    EXPECT_EQ(form->Cards()->WordViewForm().Caption(), "So\x91z tarjimasi (Uz-Ru)");
    // The card has a pair of its own: the main window's pair stays.
    EXPECT_EQ(form->Dictionary()->SourceLanguage(), English);

    // Latin Uzbek from the Uzbek side.
    language->setCurrentIndex(Uzbek);
    edit->setText(u"kitob"_s);
    ASSERT_GE(results->count(), 2);
    EXPECT_TRUE(results->item(0)->text().startsWith(u"book"_s));
}

} // namespace
} // namespace morva::test
