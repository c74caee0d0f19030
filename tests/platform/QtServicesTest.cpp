#include "platform/QtClipboard.h"
#include "platform/QtMessageBox.h"
#include "platform/QtShellOpener.h"
#include "text/CodePage1251.h"
#include "tests/support/TestFolders.h"

#include <QApplication>
#include <QClipboard>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
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

// Sets environment variables for one test and puts the old values back.
class TEnvironment {
public:
    ~TEnvironment()
    {
        for (const auto& [name, value] : saved_)
            value ? qputenv(name.c_str(), *value) : qunsetenv(name.c_str());
    }

    void Set(const char* name, const std::string& value)
    {
        Save(name);
        qputenv(name, QByteArray::fromStdString(value));
    }

    void Unset(const char* name)
    {
        Save(name);
        qunsetenv(name);
    }

private:
    void Save(const char* name)
    {
        saved_.emplace_back(name, qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt);
    }

    std::vector<std::pair<std::string, std::optional<QByteArray>>> saved_;
};

// Where the desktop names nothing for a target, opening it fails at once, so the program can
// tell the user. A file goes by its type, a web address by its scheme; for an address the
// user's own browser (BROWSER) counts too, as it does for xdg-open.
TEST(QtShellOpener, ATargetOpensOnlyWithAnApplicationTheDesktopNames)
{
    namespace fs = std::filesystem;
    const fs::path folder = test::FreshFolder("shell-opener");
    const fs::path help = folder / "Morva.chm";
    std::ofstream(help, std::ios::binary) << std::string("ITSF\x03\0\0\0", 8) << std::string(88, '\0');
    // A desktop of its own: the system's file types, but no applications other than the one
    // written here, and no desktop session.
    fs::create_directories(folder / "share");
    fs::create_directory_symlink("/usr/share/mime", folder / "share" / "mime");
    TEnvironment environment;
    environment.Set("XDG_DATA_HOME", (folder / "data").string());
    environment.Set("XDG_DATA_DIRS", (folder / "share").string());
    environment.Set("XDG_CONFIG_HOME", (folder / "config").string());
    environment.Set("XDG_CONFIG_DIRS", (folder / "none").string());
    for (const char* session : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID", "BROWSER"})
        environment.Unset(session);

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
        EXPECT_FALSE(TQtShellOpener().Open(target.Url));
    }

    environment.Set("BROWSER", "morva-test-browser");
    for (const TTarget& target : targets) {
        SCOPED_TRACE(target.Name);
        EXPECT_EQ(DesktopHasHandlerFor(target.Url), target.OpensWithBrowser);
    }
    environment.Unset("BROWSER");

    fs::create_directories(folder / "data" / "applications");
    fs::create_directories(folder / "config");
    std::ofstream(folder / "data" / "applications" / "morva-test-viewer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test viewer\nExec=true\n"
           "MimeType=application/vnd.ms-htmlhelp;x-scheme-handler/https;\n";
    std::ofstream(folder / "config" / "mimeapps.list")
        << "[Default Applications]\napplication/vnd.ms-htmlhelp=morva-test-viewer.desktop\n"
           "x-scheme-handler/https=morva-test-viewer.desktop\n";
    for (const TTarget& target : targets) {
        SCOPED_TRACE(target.Name);
        EXPECT_TRUE(DesktopHasHandlerFor(target.Url));
    }
}

} // namespace
} // namespace morva
