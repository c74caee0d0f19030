// The card that follows a word highlighted in another application.

#include "tests/shell/ShellFixture.h"

#include "cards/SelectionCard.h"
#include "platform/FakeSelection.h"
#include "shell/Settings.h"

#include <QAction>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

class SelectionWatchTest : public ShellTest {
protected:
    void CreateWatching(bool on, bool onlyWithCtrl = false)
    {
        auto settings = registry.OpenKey(SettingsKeyPath, true);
        settings->WriteValue("WatchSelection", TRegValue::String(on ? "1" : "0"));
        settings->WriteValue("WatchSelectionCtrl", TRegValue::String(onlyWithCtrl ? "1" : "0"));
        TMainServices services = Services();
        services.Selection = &selection;
        services.Pointer = &pointer;
        form = std::make_unique<TMainForm>(services);
        form->Start({"morva"});
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    static TSelectionCardForm* Card()
    {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* card = qobject_cast<TSelectionCardForm*>(window))
                return card;
        return nullptr;
    }
    static bool CardShown() { return Card() && Card()->isVisible(); }

    // Another application selects the text with the pointer resting there.
    void Select(const QString& text, QPoint at = {400, 300})
    {
        pointer.Now.Position = at;
        selection.Change(text);
    }

    FakePrimarySelection selection;
    FakeDesktopPointer pointer;
};

constexpr int Bound = 5000;
// Longer than the pause after a selection: what has not shown by then never shows.
constexpr int PastThePause = 1200;

TEST_F(SelectionWatchTest, OffAtFirstNothingIsWatched)
{
    CreateWatching(false);
    EXPECT_FALSE(Part<QAction>(*form, "WatchSelectionAction")->isChecked());
    EXPECT_FALSE(selection.Watching());
    EXPECT_FALSE(Part<QAction>(*form, "WatchSelectionCtrlAction")->isEnabled());
}

TEST_F(SelectionWatchTest, ASelectionShowsItsCardNearThePointerWithoutTakingTheKeyboard)
{
    CreateWatching(true);
    ASSERT_TRUE(selection.Watching());
    Select(u"  \u201Cbook,\u201D "_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return CardShown(); }, Bound));
    EXPECT_EQ(Card()->windowTitle(), u"So\u2018z tarjimasi (En-Uz)"_s);
    EXPECT_EQ(Card()->Pair(), (LanguagePair{English, Uzbek}));
    const QRect place = Card()->frameGeometry();
    EXPECT_LT((place.topLeft() - QPoint(400, 300)).manhattanLength(), 80);
    EXPECT_EQ(QApplication::activeWindow(), form.get());
    EXPECT_TRUE(Card()->windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
    EXPECT_TRUE(Card()->testAttribute(Qt::WA_ShowWithoutActivating));
    EXPECT_EQ(SearchText(), "") << "the word list is left alone";

    // Turned off, the card goes and nothing is watched.
    Part<QAction>(*form, "WatchSelectionAction")->trigger();
    EXPECT_FALSE(selection.Watching());
    EXPECT_FALSE(CardShown());
}

TEST_F(SelectionWatchTest, EscAClickElsewhereOrMovingAwayClosesTheCard)
{
    CreateWatching(true);
    const std::pair<const char*, TPointerState> closers[] = {
        {"Esc", {{400, 300}, false, false, true}},
        {"click elsewhere", {{40, 40}, true, false, false}},
        {"moved away", {{900, 700}, false, false, false}},
    };
    for (const auto& [name, state] : closers) {
        SCOPED_TRACE(name);
        pointer.Now = {};
        Select(u"cat"_s);
        ASSERT_TRUE(QTest::qWaitFor([&] { return CardShown(); }, Bound));
        // Resting by the card keeps it.
        pointer.Now.Position = Card()->frameGeometry().center();
        QTest::qWait(200);
        ASSERT_TRUE(CardShown());
        pointer.Now = state;
        ASSERT_TRUE(QTest::qWaitFor([&] { return !CardShown(); }, Bound));
    }
}

TEST_F(SelectionWatchTest, TheCardWaitsUntilTheButtonIsLetGo)
{
    CreateWatching(true);
    pointer.Now.ButtonDown = true;
    selection.Change(u"dog"_s);
    QTest::qWait(PastThePause);
    EXPECT_FALSE(CardShown());
    pointer.Now.ButtonDown = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return CardShown(); }, Bound));
}

TEST_F(SelectionWatchTest, OnlyWithCtrlASelectionMadeWithoutItShowsNothing)
{
    CreateWatching(true, true);
    Select(u"dog"_s);
    QTest::qWait(PastThePause);
    EXPECT_FALSE(CardShown());
    pointer.Now.CtrlHeld = true;
    Select(u"dog"_s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return CardShown(); }, Bound));
}

TEST_F(SelectionWatchTest, WhereSelectionsCannotBeReadTheWatchIsNotOffered)
{
    selection.Available = false;
    CreateWatching(true);
    EXPECT_FALSE(Part<QAction>(*form, "WatchSelectionAction")->isEnabled());
    EXPECT_FALSE(selection.Watching());
}

} // namespace
} // namespace morva::test
