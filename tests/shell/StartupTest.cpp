// The main window's creation sequence and its end: the checks and their messages, the
// dictionary failure, settings applied and saved, the autorun state, the guard.

#include "tests/shell/ShellFixture.h"

#include "platform/FakeInstanceBlock.h"
#include "platform/FakeOtherCopy.h"
#include "shell/Autorun.h"
#include "shell/OneInst.h"
#include "shell/Settings.h"

#include <QAction>
#include <QToolBar>

#include <fstream>

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;

using StartupTest = ShellTest;

TEST_F(StartupTest, OnlyARussianSystemStarts)
{
    registry.OpenKey(SettingsKeyPath, true)->WriteValue("EditBarVisible", TRegValue::String("0"));
    for (std::uint16_t langId : {std::uint16_t(0x0443), std::uint16_t(0x0819), std::uint16_t(0x0409)}) {
        SCOPED_TRACE(langId);
        messages.Shown.clear();
        system.LangId = langId;
        Create();
        ASSERT_EQ(messages.Shown.size(), 1u);
        EXPECT_EQ(messages.Shown[0].Text, "This program require to set system default language to RUSSIAN.");
        EXPECT_EQ(messages.Shown[0].Caption, "Kovrak MORVA");
        EXPECT_EQ(messages.Shown[0].Icon, TMessageIcon::Error);
        EXPECT_TRUE(form->TerminateRequested());
        EXPECT_FALSE(form->isVisible());
        EXPECT_EQ(dictionaryOpens, 0);
        // The sequence ended: the stored settings were not read.
        EXPECT_FALSE(Part<QToolBar>(*form, "EditToolBar")->isHidden());
    }
}

TEST_F(StartupTest, ANonRussianSessionIsToldOnStandardErrorHowToStart)
{
    const struct {
        QStringList Arguments;
        std::string Hint;
    } cases[] = {
        {{"morva"}, "LC_ALL=ru_RU.UTF-8 morva"},
        {{"./build/bin/morva", "-autorun"}, "LC_ALL=ru_RU.UTF-8 ./build/bin/morva"},
        {{"/opt/my apps/it's/morva"}, "LC_ALL=ru_RU.UTF-8 '/opt/my apps/it'\\''s/morva'"},
        {{}, "LC_ALL=ru_RU.UTF-8 morva"},
    };
    system.LangId = 0x0409;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Hint);
        testing::internal::CaptureStderr();
        Create(c.Arguments);
        const std::string printed = testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed, "Kovrak MORVA needs a Russian session; start it as: " + c.Hint + "\n");
        EXPECT_TRUE(form->TerminateRequested());
    }

    // The offscreen platform may add warnings of its own here; only the hint is ours.
    system.LangId = 0x0419;
    testing::internal::CaptureStderr();
    Create();
    EXPECT_EQ(testing::internal::GetCapturedStderr().find("needs a Russian session"), std::string::npos);
}

TEST_F(StartupTest, MissingFontsStopTheStartWithTheFirstMessageOnly)
{
    system.Families = {"DejaVu Sans"};
    Create();
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, u"Dastur ishlashi uchun \"Arial for KovrMorva\" shrifti zarur."_s);
    EXPECT_EQ(messages.Shown[0].Caption, "Kovrak MORVA");
    EXPECT_TRUE(form->TerminateRequested());
    EXPECT_EQ(dictionaryOpens, 0);

    messages.Shown.clear();
    system.Families = {"arial FOR kovrmorva"}; // compared without regard to case
    Create();
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, u"Dastur ishlashi uchun \"SILManuscriptIPA\" shrifti zarur."_s);
    EXPECT_TRUE(form->TerminateRequested());
}

TEST_F(StartupTest, ADamagedDataFileEndsTheProgramWithItsMessage)
{
    std::ofstream(DictionaryFile(), std::ios::trunc) << "short";
    ChangeAutorun(registry, true, "/usr/bin/morva");
    Create({"morva", "/autorun"});
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, u"Lug‘at fayli formati noto‘g‘ri."_s);
    EXPECT_EQ(messages.Shown[0].Caption, "Kovrak MORVA");
    EXPECT_TRUE(form->TerminateRequested());
    EXPECT_FALSE(form->ShowOnStart());
    EXPECT_FALSE(form->isVisible());
    EXPECT_FALSE(Part<QListView>(*form, "WordList")->isEnabled());
    // The steps after the dictionary still ran; destroying the window takes the icon away.
    EXPECT_TRUE(Part<QAction>(*form, "AutorunChangeAction")->isChecked());
    EXPECT_TRUE(tray.Shown);
    form.reset();
    EXPECT_FALSE(tray.Shown);
}

TEST_F(StartupTest, SettingsAreAppliedAtStartAndSavedOnClose)
{
    Create();
    EXPECT_TRUE(registry.KeyExists(ProgramKeyPath));
    EXPECT_EQ(dictionaryOpens, 1);
    form->SetLangPair(Uzbek, Russian, false);
    Part<QAction>(*form, "ShowServiceBarAction")->trigger();
    Part<QAction>(*form, "StayOnTopAction")->trigger();
    form->close();
    auto key = registry.OpenKey(SettingsKeyPath, false);
    ASSERT_TRUE(key);
    EXPECT_EQ(key->ReadValue("SrcLang"), TRegValue::String("1"));
    EXPECT_EQ(key->ReadValue("DestLang"), TRegValue::String("2"));
    EXPECT_EQ(key->ReadValue("ServiceBarVisible"), TRegValue::String("0"));
    EXPECT_EQ(key->ReadValue("StayOnTop"), TRegValue::String("1"));
    EXPECT_TRUE(registry.KeyExists(std::string(ProgramKeyPath) + "\\MainWindow"));

    Create();
    EXPECT_EQ(form->Dictionary()->SourceLanguage(), Uzbek);
    EXPECT_EQ(form->Dictionary()->TargetLanguage(), Russian);
    EXPECT_EQ(Row(0), Wide(UzbekWords[0]));
    EXPECT_TRUE(Part<QToolBar>(*form, "ServiceToolBar")->isHidden());
    EXPECT_FALSE(Part<QAction>(*form, "ShowServiceBarAction")->isChecked());
    EXPECT_TRUE(Part<QAction>(*form, "StayOnTopAction")->isChecked());
    EXPECT_TRUE(form->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(Part<QToolBar>(*form, "EditToolBar")->isVisible());
}

TEST_F(StartupTest, AutorunCommandWritesTheEntry)
{
    Create();
    EXPECT_FALSE(Part<QAction>(*form, "AutorunChangeAction")->isChecked());
    Part<QAction>(*form, "AutorunChangeAction")->trigger();
    EXPECT_TRUE(Part<QAction>(*form, "AutorunChangeAction")->isChecked());
    auto run = registry.OpenKey(RunKeyPath, false);
    const std::string expected = "\"" + (Folder() / "morva").string() + "\" /autorun";
    EXPECT_EQ(run->ReadValue(AutorunValueName), TRegValue::String(expected));
    Part<QAction>(*form, "AutorunChangeAction")->trigger();
    EXPECT_FALSE(run->HasValue(AutorunValueName));
}

TEST_F(StartupTest, TheAutorunCheckMarkShowsTheEntryAfterAFailedChange)
{
    struct TCase {
        const char* name;
        bool entryBefore;
        bool failWrites;
        bool runKey;
        bool checkedAfter;
    };
    const TCase cases[] = {
        {"switched on", false, false, true, true},
        {"switched off", true, false, true, false},
        {"the entry cannot be written", false, true, true, false},
        {"the entry cannot be deleted", true, true, true, true},
        {"there is no Run key", false, false, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        FakeRegistry own(c.runKey);
        if (c.entryBefore)
            ChangeAutorun(own, true, "/usr/bin/morva");
        TMainServices services = Services();
        services.Registry = &own;
        form = std::make_unique<TMainForm>(services);
        form->Start({"morva"});
        ASSERT_EQ(Part<QAction>(*form, "AutorunChangeAction")->isChecked(), c.entryBefore);
        own.FailWrites(c.failWrites);
        Part<QAction>(*form, "AutorunChangeAction")->trigger();
        EXPECT_EQ(Part<QAction>(*form, "AutorunChangeAction")->isChecked(), c.checkedAfter);
        EXPECT_EQ(ReadAutorunState(own), c.checkedAfter);
        own.FailWrites(false);
        form.reset();
    }
}

TEST(InstanceGuardTest, ASecondCopyBringsTheFirstForward)
{
    struct TCase {
        bool firstVisible;
        std::string activationToken;
        std::vector<std::string> calls;
    };
    const TCase cases[] = {
        {true, "", {"IsVisible 77", "Restore 77", "SetForeground 77"}},
        {false, "", {"IsVisible 77", "SendWakeUp 77"}},
        // The token goes first, so the first copy has it when it is asked to come forward.
        {true, "kwin-4f2a", {"Token kwin-4f2a 77", "IsVisible 77", "Restore 77", "SetForeground 77"}},
        {false, "kwin-4f2a", {"Token kwin-4f2a 77", "IsVisible 77", "SendWakeUp 77"}},
        // What cannot be a token stays here.
        {false, "two words", {"IsVisible 77", "SendWakeUp 77"}},
        {false, std::string(MaxActivationTokenLength + 1, 't'), {"IsVisible 77", "SendWakeUp 77"}},
    };
    for (const TCase& c : cases) {
        FakeInstanceBlock block;
        block.Existed = true;
        block.Handle = 77;
        FakeOtherCopy other;
        other.Visible = c.firstVisible;
        FakeOtherCopyServer server;
        EXPECT_EQ(GuardSingleInstance(block, other, server, {}, {}, c.activationToken), TInstanceCheck::OtherCopy);
        EXPECT_EQ(other.Calls, c.calls);
        EXPECT_FALSE(server.Listening);
        EXPECT_FALSE(block.IsOpen);
    }
}

TEST(InstanceGuardTest, ASecondCopyWithAWordHandsTheWordOverAndEnds)
{
    for (bool firstVisible : {true, false}) {
        FakeInstanceBlock block;
        block.Existed = true;
        block.Handle = 77;
        FakeOtherCopy other;
        other.Visible = firstVisible;
        FakeOtherCopyServer server;
        EXPECT_EQ(GuardSingleInstance(block, other, server, {}, u"book"), TInstanceCheck::OtherCopy);
        EXPECT_EQ(other.Calls, std::vector<std::string>{"LookUp 77"});
        EXPECT_EQ(other.Texts, std::vector<std::u16string>{u"book"});
        EXPECT_FALSE(block.IsOpen);
    }
}

TEST(InstanceGuardTest, TheFirstCopyStoresWhereItCanBeReached)
{
    FakeInstanceBlock block;
    FakeOtherCopy other;
    FakeOtherCopyServer server;
    bool woken = false;
    TWindowRequests requests;
    requests.WakeUp = [&woken] { woken = true; };
    EXPECT_EQ(GuardSingleInstance(block, other, server, requests), TInstanceCheck::FirstCopy);
    EXPECT_EQ(block.OpenedName, InstanceBlockName);
    EXPECT_EQ(block.Handle, server.Handle);
    EXPECT_TRUE(block.IsOpen);
    EXPECT_TRUE(other.Calls.empty());
    server.Requests.WakeUp();
    EXPECT_TRUE(woken);

    // A block that cannot be made leaves the copy running unguarded.
    FakeInstanceBlock broken;
    broken.FailOpen = true;
    EXPECT_EQ(GuardSingleInstance(broken, other, server, {}), TInstanceCheck::FirstCopy);
}

} // namespace
} // namespace morva::test
