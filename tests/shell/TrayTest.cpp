// Minimising into the notification area and coming back.

#include "tests/shell/ShellFixture.h"
#include "tests/support/Elapse.h"

#include "shell/Settings.h"
#include "ui/Mnemonic.h"

#include <QAction>
#include <QMenu>
#include <QTimer>
#include <QWindow>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

using TrayTest = ShellTest;

void ExpectTrayState(TMainForm& form, bool inTray)
{
    EXPECT_EQ(Part<QAction>(form, "MinimizeAction")->isEnabled(), !inTray);
    EXPECT_EQ(Part<QAction>(form, "RestoreAction")->isEnabled(), inTray);
}

TEST_F(TrayTest, MinimisingGoesToTheTrayAndALeftClickComesBack)
{
    Create();
    form->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(tray.Shown);
    EXPECT_EQ(tray.Tip, "Kovrak MORVA");
    EXPECT_FALSE(form->isVisible());
    ExpectTrayState(*form, true);

    // Once in the tray, minimising again is impossible.
    Part<QAction>(*form, "MinimizeAction")->trigger();
    EXPECT_EQ(tray.AddCount, 1);

    tray.Click(TTrayClick::Right);
    tray.Click(TTrayClick::Double);
    EXPECT_TRUE(tray.Shown);
    tray.Click(TTrayClick::Left);
    EXPECT_FALSE(tray.Shown);
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    ExpectTrayState(*form, false);
}

TEST_F(TrayTest, TheProgramsOtherWindowsGoAndComeBackWithIt)
{
    Create();
    QWidget card;
    card.move(123, 45);
    card.show();
    const QPoint where = card.geometry().topLeft();
    // Like the notification area's own icon window: not the program's, it stays.
    QWidget iconWindow(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint);
    iconWindow.show();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    EXPECT_FALSE(card.isVisible());
    EXPECT_TRUE(iconWindow.isVisible());
    Part<QAction>(*form, "RestoreAction")->trigger();
    EXPECT_TRUE(card.isVisible());
    // The window names its position, so that a window manager does not place it anew.
    EXPECT_EQ(card.windowHandle()->position(), where);
    EXPECT_EQ(card.geometry().topLeft(), where);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TrayTest, TheTrayMenu)
{
    Create();
    ASSERT_EQ(tray.Menu, Part<QMenu>(*form, "TrayPopupMenu"));
    const QList<QAction*> items = Part<QMenu>(*form, "TrayPopupMenu")->actions();
    ASSERT_EQ(items.size(), 3);
    EXPECT_EQ(items[0], Part<QAction>(*form, "RestoreAction"));
    EXPECT_EQ(WithoutMnemonic(items[0]->text()), u"Lug‘atni ochish"_s);
    EXPECT_TRUE(items[0]->font().bold());
    EXPECT_EQ(Part<QMenu>(*form, "TrayPopupMenu")->defaultAction(), Part<QAction>(*form, "RestoreAction"));
    EXPECT_TRUE(items[1]->isSeparator());
    EXPECT_EQ(items[2], Part<QAction>(*form, "ExitAction"));
    EXPECT_EQ(WithoutMnemonic(items[2]->text()), "Yopish");
}

TEST_F(TrayTest, ClosingFromTheTraySavesAndRemovesTheIcon)
{
    Create();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    ASSERT_TRUE(tray.Shown);
    Part<QAction>(*form, "ExitAction")->trigger();
    EXPECT_TRUE(registry.KeyExists(SettingsKeyPath));
    EXPECT_TRUE(registry.KeyExists(std::string(ProgramKeyPath) + "\\MainWindow"));
    form.reset();
    EXPECT_FALSE(tray.Shown);
    EXPECT_EQ(tray.RemoveCount, 1);
}

TEST_F(TrayTest, TheAutorunSwitchStartsInTheTray)
{
    Create({"morva", "-AutoRun"});
    EXPECT_FALSE(form->ShowOnStart());
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(tray.Shown);
    ExpectTrayState(*form, true);
    tray.Click(TTrayClick::Left);
    EXPECT_TRUE(form->isVisible());
}

TEST_F(TrayTest, WithoutANotificationAreaMinimisingStaysOrdinary)
{
    tray.Available = false;
    Create();
    form->showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(tray.Shown);
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    ExpectTrayState(*form, false);

    // A start with the switch waits for a notification area, then gives up: an ordinary
    // minimised window.
    Create({"morva", "/autorun"});
    EXPECT_FALSE(form->ShowOnStart());
    ASSERT_TRUE(Part<QTimer>(*form, "TrayWaitTimer")->isActive());
    for (int tick = 0; tick < 1000 && Part<QTimer>(*form, "TrayWaitTimer")->isActive(); ++tick)
        Elapse(*Part<QTimer>(*form, "TrayWaitTimer"));
    EXPECT_FALSE(Part<QTimer>(*form, "TrayWaitTimer")->isActive());
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(form->isMinimized());
    EXPECT_FALSE(tray.Shown);
    ExpectTrayState(*form, false);
}

TEST_F(TrayTest, AnAutorunStartWaitsForANotificationAreaThatComesLate)
{
    tray.Available = false;
    Create({"morva", "/autorun"});
    EXPECT_FALSE(form->ShowOnStart());
    Elapse(*Part<QTimer>(*form, "TrayWaitTimer"));
    Elapse(*Part<QTimer>(*form, "TrayWaitTimer"));
    EXPECT_FALSE(form->isVisible()) << "out of sight while waiting";
    EXPECT_FALSE(tray.Shown);

    tray.Available = true;
    Elapse(*Part<QTimer>(*form, "TrayWaitTimer"));
    EXPECT_TRUE(tray.Shown);
    EXPECT_EQ(tray.Tip, "Kovrak MORVA");
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(Part<QTimer>(*form, "TrayWaitTimer")->isActive());
    ExpectTrayState(*form, true);
    tray.Click(TTrayClick::Left);
    EXPECT_TRUE(form->isVisible());
    ExpectTrayState(*form, false);
}

TEST_F(TrayTest, ASecondStartWhileWaitingForTheNotificationAreaBringsTheProgramBack)
{
    tray.Available = false;
    Create({"morva", "/autorun"});
    // What a second copy asks of this one when it is not on screen.
    Part<QAction>(*form, "RestoreAction")->trigger();
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(form->isMinimized());
    ExpectTrayState(*form, false);

    tray.Available = true;
    Elapse(*Part<QTimer>(*form, "TrayWaitTimer"));
    EXPECT_FALSE(Part<QTimer>(*form, "TrayWaitTimer")->isActive());
    EXPECT_FALSE(tray.Shown) << "the user has the window: no move into the tray";
    EXPECT_TRUE(form->isVisible());
}

// Whether there is a notification area is asked at each minimise: a panel (or a
// StatusNotifierItem host) can come and go while the program runs.
TEST_F(TrayTest, EachMinimiseAsksWhetherThereIsANotificationArea)
{
    Create();
    tray.Available = false;
    form->showMinimized();
    QApplication::processEvents();
    EXPECT_FALSE(tray.Shown);
    EXPECT_TRUE(form->isMinimized());
    form->showNormal();

    tray.Available = true;
    form->showMinimized();
    QApplication::processEvents();
    EXPECT_TRUE(tray.Shown);
    EXPECT_FALSE(form->isVisible());
    ExpectTrayState(*form, true);
}

TEST_F(TrayTest, TheProgramComesBackWhenTheNotificationAreaGoesWhileItSitsThere)
{
    Create();
    Part<QAction>(*form, "MinimizeAction")->trigger();
    auto* watch = Part<QTimer>(*form, "TrayWatchTimer");
    ASSERT_TRUE(watch->isActive());

    // A panel that restarts comes back within a few seconds: the program stays in it.
    tray.Available = false;
    Elapse(*watch);
    Elapse(*watch);
    tray.Available = true;
    Elapse(*watch);
    EXPECT_FALSE(form->isVisible());
    ExpectTrayState(*form, true);

    tray.Available = false;
    for (int tick = 0; tick < 10 && watch->isActive(); ++tick)
        Elapse(*watch);
    EXPECT_FALSE(watch->isActive());
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(tray.Shown);
    ExpectTrayState(*form, false);
}

} // namespace
} // namespace morva::test
