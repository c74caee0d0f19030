// The key the desktop gives the program: asked for at start, given back when turned off, and
// a press looks up the highlighted word.

#include "tests/shell/ShellFixture.h"

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/WordView.h"
#include "platform/FakeGlobalShortcuts.h"
#include "platform/FakeSelection.h"
#include "shell/Settings.h"

#include <QAction>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

class DesktopKeyTest : public ShellTest {
protected:
    void CreateWithKeys()
    {
        TMainServices services = Services();
        services.Selection = &selection;
        services.Pointer = &pointer;
        services.GlobalShortcuts = &keys;
        form = std::make_unique<TMainForm>(services);
        form->Start({"morva"});
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }
    TWordViewForm& MainCard() { return form->Cards()->WordViewForm(); }

    FakeGlobalShortcuts keys;
    FakePrimarySelection selection;
    FakeDesktopPointer pointer;
};

constexpr int Bound = 5000;

TEST_F(DesktopKeyTest, TheKeyIsAskedForAtStartAndGivenBackWhenTurnedOff)
{
    CreateWithKeys();
    auto* action = Part<QAction>(*form, "DesktopKeyAction");
    EXPECT_TRUE(action->isChecked());
    ASSERT_TRUE(keys.Bound());
    ASSERT_EQ(keys.Keys.size(), 1u);
    EXPECT_EQ(keys.Keys[0].Id, u"look-up-selection"_s);
    EXPECT_EQ(keys.Keys[0].PreferredTrigger, u"CTRL+ALT+m"_s);
    EXPECT_FALSE(keys.Keys[0].Description.isEmpty());

    action->trigger();
    EXPECT_FALSE(keys.Bound());
    form->close();
    form.reset();
    EXPECT_FALSE(ReadSettings(registry).DesktopKey) << "kept with the other settings";

    CreateWithKeys();
    EXPECT_FALSE(keys.Bound()) << "off stays off at the next start";
    Part<QAction>(*form, "DesktopKeyAction")->trigger();
    EXPECT_TRUE(keys.Bound());
}

TEST_F(DesktopKeyTest, WhereTheSelectionCanBeReadThePressShowsItsCardAtOnce)
{
    CreateWithKeys();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    ASSERT_TRUE(form->InTray());
    selection.Content = u" \u201Cbook.\u201D"_s;
    keys.Press(u"look-up-selection"_s, u"token"_s);
    EXPECT_TRUE(MainCard().isVisible());
    EXPECT_EQ(MainCard().windowTitle(), u"So\u2018z tarjimasi (En-Uz)"_s);
    EXPECT_TRUE(form->InTray()) << "the program stays in the notification area";

    keys.Press(u"some-other-key"_s);
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 1);
}

TEST_F(DesktopKeyTest, WhereItIsGivenOnlyWithTheKeyboardTheWindowComesForwardAndThenLooksUp)
{
    // Wayland: the selection is there for the program only while it has the keyboard.
    selection.Available = false;
    CreateWithKeys();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    ASSERT_TRUE(form->InTray());
    selection.Content = u"\u043A\u043D\u0438\u0433\u0430"_s;
    keys.Press(u"look-up-selection"_s, u"token"_s);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->InTray());
    // The desktop gives the window the keyboard when it will (here at once, by hand: the
    // offscreen platform activates no window that comes back from hiding).
    if (!form->isActiveWindow()) {
        EXPECT_FALSE(MainCard().isVisible()) << "nothing is read before the window has the keyboard";
        QApplication::setActiveWindow(form.get());
    }
    ASSERT_TRUE(QTest::qWaitFor([&] { return MainCard().isVisible(); }, Bound));
    EXPECT_EQ(MainCard().windowTitle(), u"So\u2018z tarjimasi (Ru-Uz)"_s);

    // Nothing highlighted: the copied word.
    selection.Content.clear();
    clipboard.SetText(u"apple"_s);
    QApplication::setActiveWindow(&MainCard());
    keys.Press(u"look-up-selection"_s);
    QApplication::setActiveWindow(form.get());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form->Cards()->CardsHostoryForm().Count() == 2; }, Bound));
    EXPECT_EQ(MainCard().windowTitle(), u"So‘z tarjimasi (En-Uz)"_s);

    // A later activation of the window is the user's own: nothing more is looked up.
    QApplication::setActiveWindow(&MainCard());
    QApplication::setActiveWindow(form.get());
    QTest::qWait(100);
    EXPECT_EQ(form->Cards()->CardsHostoryForm().Count(), 2);
}

} // namespace
} // namespace morva::test
