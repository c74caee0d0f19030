// The main window under a real Wayland compositor, a headless weston that UnderWeston.sh
// starts: Wayland tells no client where its windows are and has no request that takes a
// window out of minimised, and neither may cost the user a window or its stored place.

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/WordView.h"
#include "placement/RegPropStorageMan.h"
#include "platform/FileInstanceBlock.h"
#include "platform/LocalOtherCopy.h"
#include "shell/OneInst.h"
#include "tests/placement/StreamProperties.h"
#include "tests/shell/ShellFixture.h"

#include <QGuiApplication>
#include <QProcess>

#include <cstdlib>

namespace morva::test {
namespace {

const std::string MainWindowKey = "\\Software\\Kovrak\\Morva\\MainWindow";
const std::string CardKey = "\\Software\\Kovrak\\Morva\\WordViewWindow";

// The compositor's own account of the windows it shows (a minimised one is not among them).
bool CompositorShows(const QString& title)
{
    QProcess debug;
    debug.start(QStringLiteral("weston-debug"), {QStringLiteral("scene-graph")});
    if (!debug.waitForFinished(5000))
        return false;
    const QString sceneGraph = QString::fromUtf8(debug.readAllStandardOutput());
    return sceneGraph.contains(QStringLiteral("top-level window '%1'").arg(title));
}

bool CompositorShowsMainWindow()
{
    return CompositorShows(QString::fromLatin1(MainCaption));
}

class WaylandTest : public ShellTest {
protected:
    void SetUp() override
    {
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("wayland"));
        // The compositor may still show the window of the test before.
        ASSERT_TRUE(QTest::qWaitFor([] { return !CompositorShowsMainWindow(); }, 10000));
    }

    void StoreStream(const std::string& keyPath, const std::string& hex)
    {
        auto key = registry.OpenKey(keyPath, true);
        for (std::size_t at = 0, line = 0; at < hex.size(); at += PlacementLineLength)
            key->WriteValue(PlacementLineName(line++), TRegValue::String(hex.substr(at, PlacementLineLength)));
    }

    TStreamProperties Stored(const std::string& section)
    {
        TRegPropStorageMan manager(registry);
        const auto stream = manager.ReadSection(section);
        return stream ? StreamProperties(*stream) : TStreamProperties{};
    }

    // The window as the program shows it at start; the compositor has it on screen.
    void ShowMainWindow(QStringList arguments = {"morva"})
    {
        form = std::make_unique<TMainForm>(Services());
        form->Start(arguments);
        ASSERT_FALSE(form->TerminateRequested());
        if (form->ShowOnStart()) {
            form->show();
            ASSERT_TRUE(QTest::qWaitFor(CompositorShowsMainWindow, 10000));
        }
    }

    // A second start of the real program, as a user starts it from a launcher that gave it a
    // token. This copy serves its requests while it runs.
    void StartTheProgramAgain()
    {
        QProcess second;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_ACTIVATION_TOKEN", "launcher-token-1");
        second.setProcessEnvironment(env);
        second.start(QString::fromStdString((std::filesystem::path(std::getenv("MORVA_BIN")) / "morva").string()));
        ASSERT_TRUE(second.waitForStarted());
        ASSERT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000))
            << "the second copy did not end";
        EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    }
};

// Wayland has no taskbar state: cards and the history dialog keep off the compositor's window
// list as children of the main window.
TEST_F(WaylandTest, CardsAndTheHistoryAreChildrenOfTheMainWindow)
{
    ShowMainWindow();
    Part<QListView>(*form, "WordList")->setCurrentIndex(Part<QListView>(*form, "WordList")->model()->index(2, 0));
    Part<QAction>(*form, "WordInfoAction")->trigger();
    Part<QAction>(*form, "CardsHostoryAction")->trigger();
    const QWidget* windows[] = {&form->Cards()->WordViewForm(), &form->Cards()->CardsHostoryForm()};
    for (const QWidget* window : windows) {
        ASSERT_TRUE(window->isVisible());
        EXPECT_EQ(window->windowHandle()->transientParent(), form->windowHandle())
            << window->objectName().toStdString();
    }
    EXPECT_TRUE(QTest::qWaitFor([] { return CompositorShows(QStringLiteral("Kartochkalar tarixi")); }, 10000));
}

TEST_F(WaylandTest, PositionsStoredUnderX11SurviveAWaylandRunAndSizesAreStored)
{
    StoreStream(MainWindowKey, StreamHex("TMainForm", "MainForm",
                                         {{"Height", 433}, {"Left", 299}, {"PixelsPerInch", 96}, {"Top", 106},
                                          {"Width", 310}}));
    StoreStream(CardKey, StreamHex("TWordViewForm", "WordViewForm",
                                   {{"Height", 332}, {"Left", 640}, {"PixelsPerInch", 96}, {"Top", 120},
                                    {"Width", 276}}));
    ShowMainWindow();
    // The sizes below are compared unscaled.
    ASSERT_EQ(form->logicalDpiY(), 96);
    form->resize(form->width() + 40, form->height() + 20);
    Part<QListView>(*form, "WordList")->setCurrentIndex(Part<QListView>(*form, "WordList")->model()->index(1, 0));
    Part<QAction>(*form, "WordInfoAction")->trigger();
    TWordViewForm& card = form->Cards()->WordViewForm();
    ASSERT_TRUE(QTest::qWaitFor([] { return CompositorShows(QString::fromUtf8("So‘z tarjimasi (En-Uz)")); }, 10000));
    card.resize(card.width() + 30, card.height() + 10);
    const QSize cardOuter = card.frameGeometry().size();
    card.close();
    const QSize mainOuter = form->frameGeometry().size();
    form->close();

    EXPECT_EQ(Stored("MainWindow"), (TStreamProperties{{"Height", mainOuter.height()},
                                                       {"Left", 299},
                                                       {"PixelsPerInch", 96},
                                                       {"Top", 106},
                                                       {"Width", mainOuter.width()}}));
    EXPECT_EQ(Stored("WordViewWindow"), (TStreamProperties{{"Height", cardOuter.height()},
                                                           {"Left", 640},
                                                           {"PixelsPerInch", 96},
                                                           {"Top", 120},
                                                           {"Width", cardOuter.width()}}));
}

// How the window went out of sight before the second start.
enum class TGone { Minimised, MinimisedIntoTheNotificationArea, WaitingForTheNotificationArea };

class WaylandSecondStartTest : public WaylandTest, public testing::WithParamInterface<TGone> {};

TEST_P(WaylandSecondStartTest, ASecondStartBringsTheWindowBack)
{
    // weston has no notification area; a StatusNotifierItem host may stand in for one.
    tray.Available = GetParam() == TGone::MinimisedIntoTheNotificationArea;
    TFileInstanceBlock block;
    TLocalOtherCopy otherCopy;
    TLocalOtherCopyServer server;
    TMainForm* mainForm = nullptr;
    TWindowRequests requests;
    requests.IsVisible = [&] { return !mainForm->InTray(); };
    requests.Restore = [&] { mainForm->RestoreMinimized(); };
    requests.Activate = [&] { mainForm->BringForward(); };
    requests.WakeUp = [&] { mainForm->RestoreActionExecute(); };
    requests.ActivationToken = [&](const std::string& token) { mainForm->SetActivationToken(token); };
    ASSERT_EQ(GuardSingleInstance(block, otherCopy, server, requests), TInstanceCheck::FirstCopy);

    const QString cardCaption = QString::fromUtf8("So‘z tarjimasi (En-Uz)");
    if (GetParam() != TGone::WaitingForTheNotificationArea) {
        ShowMainWindow();
        mainForm = form.get();
        // A card open meanwhile, a child of the window that is mapped anew.
        Part<QListView>(*form, "WordList")->setCurrentIndex(Part<QListView>(*form, "WordList")->model()->index(0, 0));
        Part<QAction>(*form, "WordInfoAction")->trigger();
        ASSERT_TRUE(QTest::qWaitFor([&] { return CompositorShows(cardCaption); }, 10000));
        // What the title bar's minimise button does.
        form->showMinimized();
        EXPECT_TRUE(QTest::qWaitFor([&] { return form->InTray() == tray.Available; }, 10000));
    } else {
        ShowMainWindow({"morva", "/autorun"});
        mainForm = form.get();
        ASSERT_TRUE(form->InTray());
    }
    ASSERT_TRUE(QTest::qWaitFor([] { return !CompositorShowsMainWindow(); }, 10000));

    StartTheProgramAgain();
    EXPECT_TRUE(QTest::qWaitFor(CompositorShowsMainWindow, 10000)) << "the window did not come back";
    EXPECT_FALSE(form->InTray());
    EXPECT_FALSE(tray.Shown);
    if (GetParam() != TGone::WaitingForTheNotificationArea) {
        EXPECT_TRUE(QTest::qWaitFor([&] { return CompositorShows(cardCaption); }, 10000)) << "the card is lost";
    }
    // The token was for one activation; programs started later must not inherit it.
    EXPECT_FALSE(qEnvironmentVariableIsSet("XDG_ACTIVATION_TOKEN"));
}

INSTANTIATE_TEST_SUITE_P(Wayland, WaylandSecondStartTest,
                         testing::Values(TGone::Minimised, TGone::MinimisedIntoTheNotificationArea,
                                         TGone::WaitingForTheNotificationArea),
                         [](const testing::TestParamInfo<TGone>& info) -> std::string {
                             switch (info.param) {
                             case TGone::Minimised: return "Minimised";
                             case TGone::MinimisedIntoTheNotificationArea: return "MinimisedIntoTheNotificationArea";
                             case TGone::WaitingForTheNotificationArea: return "WaitingForTheNotificationArea";
                             }
                             return {};
                         });

} // namespace
} // namespace morva::test
