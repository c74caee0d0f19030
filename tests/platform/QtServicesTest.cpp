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

// Where the desktop names no viewer for a file, opening it fails, so the program can tell the
// user; a viewer the desktop names for the file's type counts.
TEST(QtShellOpener, ALocalFileOpensOnlyWithAViewerTheDesktopNames)
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
    for (const char* session : {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"})
        environment.Unset(session);
    const QString file = QString::fromStdString(help.string());

    const auto askForViewer = [&file](std::function<void(bool)> answer) {
        AskDesktopForViewer(file, std::chrono::seconds(5), std::move(answer));
    };
    EXPECT_FALSE(Answer(askForViewer));
    EXPECT_FALSE(Answer([&file](std::function<void(bool)> done) {
        TQtShellOpener().Open(QUrl::fromLocalFile(file), std::move(done));
    }));

    fs::create_directories(folder / "data" / "applications");
    fs::create_directories(folder / "config");
    std::ofstream(folder / "data" / "applications" / "morva-test-viewer.desktop")
        << "[Desktop Entry]\nType=Application\nName=Test viewer\nExec=true\nMimeType=application/vnd.ms-htmlhelp;\n";
    std::ofstream(folder / "config" / "mimeapps.list")
        << "[Default Applications]\napplication/vnd.ms-htmlhelp=morva-test-viewer.desktop\n";
    EXPECT_TRUE(Answer(askForViewer));
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
    TEnvironment environment;
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
