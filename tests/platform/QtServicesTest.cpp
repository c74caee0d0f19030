#include "platform/QtClipboard.h"
#include "platform/QtMessageBox.h"
#include "platform/QtShellOpener.h"
#include "text/CodePage1251.h"
#include "tests/support/EmptyDesktop.h"
#include "tests/support/TestFolders.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>

namespace morva {
namespace {

TEST(QtClipboard, TextGoesOutAsUnicodeAndAsItsEightBitForm)
{
    TQtClipboard clipboard;
    const QString text = QString::fromUtf8("kitob — книга");
    clipboard.SetText(text);

    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), text);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->data("text/plain"), text.toUtf8());
    const std::string eightBit = WideToCodePage1251(text.toStdU16String());
    EXPECT_EQ(data->data(EightBitTextMime), QByteArray::fromStdString(eightBit));
}

TEST(QtClipboard, AnEightBitFormAloneIsReadAsPlainCodePage1251)
{
    auto* data = new QMimeData;
    data->setData(EightBitTextMime, QByteArray("\x81\x83\xEA\xED\xE8\xE3\xE0", 7));
    QGuiApplication::clipboard()->setMimeData(data);

    TQtClipboard clipboard;
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), QString::fromUtf8("Ѓѓкнига"));

    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.Text(), QString());
}

TEST(QtMessageBox, ShowsTheTextCaptionAndIconWithOneOkButton)
{
    struct TSeen {
        QString Title, Text;
        QMessageBox::Icon Icon = QMessageBox::NoIcon;
        int Buttons = 0;
    };
    for (auto [icon, expected] : {std::pair{TMessageIcon::Error, QMessageBox::Critical},
                                  std::pair{TMessageIcon::Information, QMessageBox::Information}}) {
        TSeen seen;
        QTimer::singleShot(0, [&seen] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen = {box->windowTitle(), box->text(), box->icon(), static_cast<int>(box->buttons().size())};
            box->button(QMessageBox::Ok)->click();
        });
        TQtMessageBox().Show(nullptr, "Dastur ishlashi uchun shrift zarur.", "Kovrak MORVA", icon);
        EXPECT_EQ(seen.Title, "Kovrak MORVA");
        EXPECT_EQ(seen.Text, "Dastur ishlashi uchun shrift zarur.");
        EXPECT_EQ(seen.Icon, expected);
        EXPECT_EQ(seen.Buttons, 1);
    }
}

// Runs the event loop until the asynchronous question is answered; the asking side gives up
// on its own.
bool Answer(const std::function<void(std::function<void(bool)>)>& ask)
{
    std::optional<bool> answer;
    ask([&answer](bool value) { answer = value; });
    while (!answer)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return *answer;
}

bool DesktopHasHandlerFor(const QUrl& target)
{
    return Answer([&target](std::function<void(bool)> answer) {
        AskDesktopForHandler(target, std::chrono::seconds(5), std::move(answer));
    });
}

// Where the desktop names nothing for a target, opening it fails, so the program can tell the
// user. A file goes by its type, a web address by its scheme; for an address the user's own
// browser (BROWSER) counts too, as it does for xdg-open.
TEST(QtShellOpener, ATargetOpensOnlyWithAnApplicationTheDesktopNames)
{
    namespace fs = std::filesystem;
    const fs::path folder = test::FreshFolder("shell-opener");
    const fs::path help = folder / "Morva.chm";
    std::ofstream(help, std::ios::binary) << std::string("ITSF\x03\0\0\0", 8) << std::string(88, '\0');
    test::TEmptyDesktop desktop(folder);

    struct TTarget {
        const char* Name;
        QUrl Url;
        bool OpensWithBrowser;
    };
    const TTarget targets[] = {
        {"help file", QUrl::fromLocalFile(QString::fromStdString(help.string())), false},
        {"web site", QUrl(QStringLiteral("https://morva.example.com/")), true},
    };
    for (const TTarget& target : targets) {
        SCOPED_TRACE(target.Name);
        EXPECT_FALSE(DesktopHasHandlerFor(target.Url));
        EXPECT_FALSE(Answer([&target](std::function<void(bool)> done) {
            TQtShellOpener().Open(target.Url, std::move(done));
        }));
    }

    desktop.Environment.Set("BROWSER", "morva-test-browser");
    for (const TTarget& target : targets) {
        SCOPED_TRACE(target.Name);
        EXPECT_EQ(DesktopHasHandlerFor(target.Url), target.OpensWithBrowser);
    }
    desktop.Environment.Unset("BROWSER");

    desktop.RegisterViewer({"application/vnd.ms-htmlhelp", "x-scheme-handler/https"});
    for (const TTarget& target : targets) {
        SCOPED_TRACE(target.Name);
        EXPECT_TRUE(DesktopHasHandlerFor(target.Url));
    }
}

// F1 must not freeze the window while the desktop is slow to answer: Open returns at once, and
// a desktop that does not answer counts as having no viewer.
TEST(QtShellOpener, ASlowDesktopNeverHoldsTheWindow)
{
    namespace fs = std::filesystem;
    const fs::path folder = test::FreshFolder("slow-desktop");
    std::ofstream(folder / "xdg-mime") << "#!/bin/sh\nexec sleep 600\n";
    fs::permissions(folder / "xdg-mime", fs::perms::owner_all);
    std::ofstream(folder / "Morva.chm") << "ITSF";
    test::TEnvironment environment;
    environment.Set("PATH", folder.string() + ":" + qgetenv("PATH").toStdString());

    std::optional<bool> opened;
    TQtShellOpener(std::chrono::milliseconds(100))
        .Open(QUrl::fromLocalFile(QString::fromStdString((folder / "Morva.chm").string())),
              [&opened](bool value) { opened = value; });
    EXPECT_FALSE(opened.has_value());
    while (!opened)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    EXPECT_FALSE(*opened);
}

} // namespace
} // namespace morva
