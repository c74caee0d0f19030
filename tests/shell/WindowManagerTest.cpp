// The windows under a real window manager, as a user sees them: Xvfb with openbox, started
// here on a display of their own. What a window manager adds is measured from the X server:
// the frame it draws, where it puts a window, and what xdg-open finds on a desktop.
// Skipped where Xvfb is not installed.

#include "tests/shell/ShellFixture.h"

#include "cards/CardManager.h"
#include "cards/CardsHostory.h"
#include "cards/WordView.h"
#include "platform/QtShellOpener.h"
#include "shell/Splash.h"
#include "tests/support/EmptyDesktop.h"

#include <QDialog>
#include <QScreen>
#include <QStandardPaths>
#include <xcb/xcb.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <thread>

// Readable failures.
inline void PrintTo(const QPoint& point, std::ostream* out)
{
    *out << '(' << point.x() << ", " << point.y() << ')';
}
inline void PrintTo(const QSize& size, std::ostream* out)
{
    *out << size.width() << " x " << size.height();
}
inline void PrintTo(const QRect& rect, std::ostream* out)
{
    *out << rect.width() << " x " << rect.height() << " at (" << rect.x() << ", " << rect.y() << ')';
}

namespace morva::test {
namespace {

using namespace Qt::StringLiterals;
using namespace std::chrono_literals;

// Why the tests cannot run here; empty when the display is up.
std::string SkipReason;

// Starts a program that ends with this process; -1 when it could not be started.
pid_t Spawn(const QString& program, const std::vector<std::string>& arguments)
{
    const std::string path = QStandardPaths::findExecutable(program).toStdString();
    if (path.empty())
        return -1;
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    const int quiet = open("/dev/null", O_WRONLY);
    dup2(quiet, STDOUT_FILENO);
    dup2(quiet, STDERR_FILENO);
    std::vector<char*> argv{const_cast<char*>(path.c_str())};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    execv(path.c_str(), argv.data());
    _exit(127);
}

void Stop(pid_t pid)
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}

// The X server picks a free display and names it on a pipe once it accepts clients.
class TDesktopSession {
public:
    // Empty when the session is up, else what went wrong.
    std::string Start()
    {
        int ready[2];
        if (pipe(ready) != 0)
            return "no pipe";
        xvfb_ = Spawn(u"Xvfb"_s, {"-displayfd", std::to_string(ready[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        close(ready[1]);
        const std::string display = ReadDisplay(ready[0]);
        close(ready[0]);
        if (display.empty())
            return "Xvfb named no display";
        setenv("DISPLAY", (":" + display).c_str(), 1);
        openbox_ = Spawn(u"openbox"_s, {});
        if (openbox_ < 0)
            return "openbox is missing (scripts/install-deps.sh installs it)";
        if (!WaitForWindowManager())
            return "openbox did not come up";
        return {};
    }

    ~TDesktopSession()
    {
        Stop(openbox_);
        Stop(xvfb_);
    }

private:
    static std::string ReadDisplay(int pipe)
    {
        std::string display;
        pollfd wait{pipe, POLLIN, 0};
        char c = 0;
        while (poll(&wait, 1, 10000) > 0 && read(pipe, &c, 1) == 1 && c != '\n')
            display += c;
        return c == '\n' ? display : std::string();
    }

    // openbox names its check window on the root window once it manages windows.
    static bool WaitForWindowManager()
    {
        xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
        bool managed = false;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
        const char name[] = "_NET_SUPPORTING_WM_CHECK";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        for (auto waited = 0ms; atom && !managed && waited < 10s; waited += 50ms) {
            xcb_get_property_reply_t* property = xcb_get_property_reply(
                connection, xcb_get_property(connection, 0, root, atom->atom, XCB_ATOM_WINDOW, 0, 1), nullptr);
            managed = property && xcb_get_property_value_length(property) == 4;
            free(property);
            if (!managed)
                std::this_thread::sleep_for(50ms);
        }
        free(atom);
        xcb_disconnect(connection);
        return managed;
    }

    pid_t xvfb_ = -1;
    pid_t openbox_ = -1;
};

xcb_connection_t* Connection()
{
    return qApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The frame's extents the window manager put on the window; nothing before it framed it.
std::optional<QMargins> FrameExtents(const QWidget& window)
{
    xcb_connection_t* connection = Connection();
    const char name[] = "_NET_FRAME_EXTENTS";
    xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    if (!atom)
        return std::nullopt;
    xcb_get_property_reply_t* property = xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window.winId(), atom->atom, XCB_ATOM_CARDINAL, 0, 4), nullptr);
    free(atom);
    std::optional<QMargins> extents;
    if (property && xcb_get_property_value_length(property) == 16) {
        const auto* value = static_cast<const uint32_t*>(xcb_get_property_value(property));
        extents = QMargins(int(value[0]), int(value[2]), int(value[1]), int(value[3]));
    }
    free(property);
    return extents;
}

// The window on the screen, frame included, as the X server has it; empty while unframed.
QRect OuterBounds(const QWidget& window)
{
    const std::optional<QMargins> extents = FrameExtents(window);
    if (!extents)
        return {};
    xcb_connection_t* connection = Connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_get_geometry_reply_t* geometry = xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window.winId()), nullptr);
    xcb_translate_coordinates_reply_t* origin = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window.winId(), root, 0, 0), nullptr);
    QRect inner;
    if (geometry && origin)
        inner = QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
    free(geometry);
    free(origin);
    return inner.isValid() ? inner.marginsAdded(*extents) : QRect();
}

// Lets the window manager and the program settle until the window is framed and as wanted;
// the caller then checks what it has.
void WaitUntil(const QWidget& window, const std::function<bool(const QRect&)>& wanted)
{
    static_cast<void>(QTest::qWaitFor([&] { return window.isVisible() && wanted(OuterBounds(window)); }, 5000));
}

QPoint ScreenCentre()
{
    return QGuiApplication::primaryScreen()->geometry().center();
}

class WindowManagerTest : public ShellTest {
protected:
    void SetUp() override
    {
        if (!SkipReason.empty())
            GTEST_SKIP() << SkipReason;
    }

    void OpenWord(const char* typed)
    {
        QTest::keyClicks(Part<TXUzbekEdit>(*form, "SearchEdit"), typed);
        Part<QAction>(*form, "WordInfoAction")->trigger();
    }

    TWordViewForm& MainCard() { return form->Cards()->WordViewForm(); }
};

// The design sizes are outer sizes, like every stored size: a first run and a run from the
// placements it stored give the same windows.
TEST_F(WindowManagerTest, AFirstRunComesUpAtTheDesignOuterSizesAsAStoredRunDoes)
{
    const QSize mainSize(310, 433), cardSize(276, 332);
    Create();
    WaitUntil(*form, [&](const QRect& outer) { return outer.size() == mainSize; });
    const QRect firstMain = OuterBounds(*form);
    EXPECT_EQ(firstMain.size(), mainSize);
    OpenWord("book");
    WaitUntil(MainCard(), [&](const QRect& outer) { return outer.size() == cardSize; });
    const QRect firstCard = OuterBounds(MainCard());
    EXPECT_EQ(firstCard.size(), cardSize);
    // The window manager's own choice of place stays: the window is on the screen.
    EXPECT_TRUE(QGuiApplication::primaryScreen()->geometry().contains(firstMain));

    form->close();
    form.reset();
    Create();
    WaitUntil(*form, [&](const QRect& outer) { return outer == firstMain; });
    EXPECT_EQ(OuterBounds(*form), firstMain);
    OpenWord("book");
    WaitUntil(MainCard(), [&](const QRect& outer) { return outer == firstCard; });
    EXPECT_EQ(OuterBounds(MainCard()), firstCard);
}

// Centred on the screen means the frame's centre is the screen's, for each window that is
// centred: the history when it first shows, the about box, the splash (which has no frame).
TEST_F(WindowManagerTest, TheHistoryTheAboutBoxAndTheSplashAreCentredFrameIncluded)
{
    Create();
    auto centred = [](const QRect& outer) { return outer.center() == ScreenCentre(); };

    TCardsHostoryForm& history = form->Cards()->CardsHostoryForm();
    Part<QAction>(*form, "CardsHostoryAction")->trigger();
    WaitUntil(history, centred);
    EXPECT_EQ(OuterBounds(history).center(), ScreenCentre()) << "history";
    // Afterwards it stays where the user leaves it.
    const QPoint moved = history.pos() + QPoint(-150, -100);
    history.move(moved);
    WaitUntil(history, [&](const QRect& outer) { return outer.topLeft() == moved; });
    history.close();
    Part<QAction>(*form, "CardsHostoryAction")->trigger();
    WaitUntil(history, [&](const QRect& outer) { return outer.topLeft() == moved; });
    EXPECT_EQ(OuterBounds(history).topLeft(), moved) << "history shown again";
    history.close();

    QRect about;
    QTimer::singleShot(0, [&] {
        QWidget* box = nullptr;
        static_cast<void>(QTest::qWaitFor([&] { return (box = QApplication::activeModalWidget()) != nullptr; }, 5000));
        if (!box)
            return;
        WaitUntil(*box, centred);
        about = OuterBounds(*box);
        qobject_cast<QDialog*>(box)->reject();
    });
    Part<QAction>(*form, "AboutAction")->trigger();
    EXPECT_EQ(about.center(), ScreenCentre()) << "about box";

    TSplashForm splash;
    splash.show();
    WaitUntil(splash, centred);
    EXPECT_EQ(OuterBounds(splash).center(), ScreenCentre()) << "splash";
}

// On a desktop where nothing opens web addresses, xdg-open would only find that out after
// the program had taken the address as opened.
TEST_F(WindowManagerTest, TheWebSiteCommandSaysSoWhenNothingOpensWebAddresses)
{
    TEmptyDesktop desktop(FreshFolder("empty-desktop"));
    TQtShellOpener opener;
    TMainServices services = Services();
    services.Shell = &opener;
    form = std::make_unique<TMainForm>(services);
    form->Start({"morva"});
    form->show();

    Part<QAction>(*form, "GoToSiteAction")->trigger();
    // The desktop is asked without holding the window, so the message comes a moment later.
    static_cast<void>(QTest::qWaitFor([&] { return !messages.Shown.empty(); }, 5000));
    ASSERT_EQ(messages.Shown.size(), 1u);
    EXPECT_EQ(messages.Shown[0].Text, u"Sayt ko‘rish dasturini ochish o‘nglanmayapti."_s);
    EXPECT_EQ(messages.Shown[0].Caption, "Kovrak MORVA");
    EXPECT_EQ(messages.Shown[0].Icon, TMessageIcon::Error);
}

} // namespace
} // namespace morva::test

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    morva::test::PrepareTestFolders();
    morva::test::TDesktopSession session;
    if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty())
        morva::test::SkipReason = "Xvfb is not installed";
    else if (const std::string failure = session.Start(); !failure.empty())
    {
        std::fprintf(stderr, "no desktop to test on: %s\n", failure.c_str());
        return 1;
    } else
        qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
