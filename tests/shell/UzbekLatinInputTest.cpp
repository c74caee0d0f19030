// Latin Uzbek typed in the search field while the Uzbek list is shown: converted to Cyrillic
// as it is typed, so the search finds the Cyrillic headword.

#include "tests/shell/ShellFixture.h"

#include "engine/Collation.h"
#include "platform/Registry.h"
#include "shell/Settings.h"
#include "tests/support/DictFiles.h"

#include <QAction>

namespace morva::test {
namespace {

class UzbekLatinInputTest : public ShellTest {
protected:
    void SetUp() override
    {
        // An Uzbek list in Cyrillic, with one headword in Latin letters.
        TDictWriter writer;
        for (const auto* word : {u"ер", u"Исҳоқ", u"йўл", u"китоб", u"тоғ", u"шаҳар", u"эшик", u"ўғил", u"қўл"})
            writer.AddWordEntry(Uzbek, Dict(word), {}, {});
        writer.AddWordEntry(Uzbek, "SMS", {}, {});
        writer.AddWordEntry(English, "shahar", {}, {});
        writer.AddWordEntry(Russian, Dict(u"слово"), {}, {});
        writer.WriteFile(DictionaryFile());
        Store("SrcLang", "1");
        Store("DestLang", "2");
    }

    void Store(const char* name, const char* text)
    {
        registry.OpenKey(SettingsKeyPath, true)->WriteValue(name, TRegValue::String(text));
    }

    // Key by key, as a user types; unlike QTest::keyClicks, also the apostrophes beyond ASCII.
    static void Type(QWidget* into, const QString& keys)
    {
        for (const QChar key : keys)
            QTest::sendKeyEvent(QTest::Click, into, Qt::Key(key.toUpper().unicode()), QString(key), Qt::NoModifier);
    }

    void TypeAfresh(const QString& keys, QWidget* into = nullptr)
    {
        Part<TXUzbekEdit>(*form, "SearchEdit")->clear();
        Type(into ? into : Part<TXUzbekEdit>(*form, "SearchEdit"), keys);
    }
};

TEST_F(UzbekLatinInputTest, TypedLatinBecomesCyrillicAndSelectsTheHeadword)
{
    Create();
    const std::pair<QString, QString> cases[] = {
        {u"o'g'il"_qs, u"ўғил"_qs},   {u"kitob"_qs, u"китоб"_qs}, {u"tog‘"_qs, u"тоғ"_qs},
        {u"Is’hoq"_qs, u"Исҳоқ"_qs},  {u"yo`l"_qs, u"йўл"_qs},    {u"SHAHAR"_qs, u"ШАҲАР"_qs},
        {u"eshik"_qs, u"эшик"_qs},    {u"yer"_qs, u"ер"_qs},      {u"qoʻl"_qs, u"қўл"_qs},
        // Cyrillic typing is left as it is.
        {u"китоб"_qs, u"китоб"_qs},
    };
    for (const auto& [typed, cyrillic] : cases) {
        TypeAfresh(typed);
        EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), cyrillic) << typed.toStdString();
        // The list ignores letter case.
        EXPECT_EQ(CompareHeadwords(SelectedHeadword(), WideToDictText(cyrillic.toStdU16String())), 0)
            << typed.toStdString();
    }
}

TEST_F(UzbekLatinInputTest, TheCaretStaysAfterWhatWasTyped)
{
    Create();
    TypeAfresh(u"ktob"_qs);
    Part<TXUzbekEdit>(*form, "SearchEdit")->setCursorPosition(1);
    Type(Part<TXUzbekEdit>(*form, "SearchEdit"), u"i"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"китоб"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->cursorPosition(), 2);
    Part<TXUzbekEdit>(*form, "SearchEdit")->setCursorPosition(0);
    Type(Part<TXUzbekEdit>(*form, "SearchEdit"), u"sh"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"шкитоб"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->cursorPosition(), 1);
}

TEST_F(UzbekLatinInputTest, TypingIntoTheListAndPastingConvertToo)
{
    Create();
    Part<QListView>(*form, "WordList")->setFocus();
    TypeAfresh(u"o'g'il"_qs, Part<QListView>(*form, "WordList"));
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"ўғил"_qs);
    EXPECT_EQ(SelectedHeadword(), Dict(u"ўғил"));

    clipboard.SetText(u"shahar"_qs);
    Part<QAction>(*form, "PasteFromClipAction")->setEnabled(true);
    Part<QAction>(*form, "PasteFromClipAction")->trigger();
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"шаҳар"_qs);
    EXPECT_EQ(SelectedHeadword(), Dict(u"шаҳар"));
}

TEST_F(UzbekLatinInputTest, TextFromTheListIsNotConverted)
{
    Create();
    const int sms = int(form->Dictionary()->FindHeadword("SMS"));
    ASSERT_GE(sms, 0);
    Part<QListView>(*form, "WordList")->setCurrentIndex(Part<QListView>(*form, "WordList")->model()->index(sms, 0));
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"SMS"_qs);
    EXPECT_EQ(SelectedHeadword(), "SMS");
}

TEST_F(UzbekLatinInputTest, OffOrAnotherListLeavesLatinAlone)
{
    Create();
    ASSERT_TRUE(Part<QAction>(*form, "UzbekLatinInputAction")->isChecked());
    Part<QAction>(*form, "UzbekLatinInputAction")->trigger();
    TypeAfresh(u"kitob"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"kitob"_qs);

    Part<QAction>(*form, "UzbekLatinInputAction")->trigger();
    form->SetLangPair(English, Uzbek, false);
    TypeAfresh(u"shahar"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"shahar"_qs);
    EXPECT_EQ(SelectedHeadword(), "shahar");
}

TEST_F(UzbekLatinInputTest, BothSwitchesAreReadAndSaved)
{
    Store("UzbekLatinInput", "0");
    Store("UzbekLatinCards", "1");
    Create();
    EXPECT_FALSE(Part<QAction>(*form, "UzbekLatinInputAction")->isChecked());
    EXPECT_TRUE(Part<QAction>(*form, "UzbekLatinCardsAction")->isChecked());
    TypeAfresh(u"kitob"_qs);
    EXPECT_EQ(Part<TXUzbekEdit>(*form, "SearchEdit")->text(), u"kitob"_qs);

    Part<QAction>(*form, "UzbekLatinInputAction")->trigger();
    Part<QAction>(*form, "UzbekLatinCardsAction")->trigger();
    form->close();
    auto key = registry.OpenKey(SettingsKeyPath, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadValue("UzbekLatinInput"), TRegValue::String("1"));
    EXPECT_EQ(key->ReadValue("UzbekLatinCards"), TRegValue::String("0"));
}

} // namespace
} // namespace morva::test
