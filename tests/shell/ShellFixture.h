#pragma once
// A main window on a small dictionary, with every platform service faked.

#include "engine/DictWriter.h"
#include "engine/KovrObj.h"
#include "platform/FakeClipboard.h"
#include "platform/FakeMessageBox.h"
#include "platform/FakeRegistry.h"
#include "platform/FakeShellOpener.h"
#include "platform/FakeSystemInfo.h"
#include "platform/FakeTrayIcon.h"
#include "shell/Main.h"
#include "tests/support/DictFiles.h"
#include "tests/support/Part.h"
#include "tests/support/TestFolders.h"
#include "text/CodePage1251.h"
#include "text/XUzbekEdit.h"
#include "ui/UiText.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QListView>
#include <QMenu>
#include <QTimer>
#include <QToolBar>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace morva::test {

// The English list in collation order: the search tests count on it.
inline const std::vector<std::string> EnglishWords = {"apple", "bee", "book", "booking", "boot", "cat", "dog"};
// kitob, olma, o‘q, qo‘l (the letter sign is 0x91; қ is 0x9D)
inline const std::vector<std::string> UzbekWords = {"kitob", "olma", "o\x91q", "\x9Do\x91l"};
// книга, кот
inline const std::vector<std::string> RussianWords = {"\xEA\xED\xE8\xE3\xE0", "\xEA\xEE\xF2"};

inline std::filesystem::path WriteSmallDictionary(const std::filesystem::path& folder)
{
    return WriteHeadwords(folder, EnglishWords, UzbekWords, RussianWords);
}

class ShellTest : public ::testing::Test {
protected:
    ShellTest() : folder_(FreshFolder("shell")), dictionaryFile_(WriteSmallDictionary(folder_)) {}

    TMainServices Services()
    {
        TMainServices services;
        services.Registry = &registry;
        services.System = &system;
        services.Messages = &messages;
        services.Tray = &tray;
        services.Shell = &shell;
        services.Clipboard = &clipboard;
        services.OpenDictionary = [this] {
            ++dictionaryOpens;
            return std::make_unique<TUzDictionary>(dictionaryFile_);
        };
        services.ExecutablePath = folder_ / "morva";
        return services;
    }

    // Creates the window as the program does and shows it, active, unless the start failed.
    TMainForm& Create(QStringList arguments = {"morva"})
    {
        form = std::make_unique<TMainForm>(Services());
        form->Start(arguments);
        if (!form->TerminateRequested() && form->ShowOnStart()) {
            form->show();
            form->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        }
        return *form;
    }

    std::string SearchText() const { return Part<TXUzbekEdit>(*form, "SearchEdit")->Text(); }
    std::string SelectedHeadword() const
    {
        const int row = form->SelectedRow();
        return row < 0 ? std::string() : form->Dictionary()->Headword(row);
    }
    // The list's row as shown.
    QString Row(int row) const
    {
        return Part<QListView>(*form, "WordList")->model()->index(row, 0).data().toString();
    }

    const std::filesystem::path& Folder() const { return folder_; }
    const std::filesystem::path& DictionaryFile() const { return dictionaryFile_; }

    FakeRegistry registry;
    FakeSystemInfo system;
    FakeMessageBox messages;
    FakeTrayIcon tray;
    FakeShellOpener shell;
    FakeClipboard clipboard;
    int dictionaryOpens = 0;
    std::unique_ptr<TMainForm> form;

private:
    std::filesystem::path folder_;
    std::filesystem::path dictionaryFile_;
};

inline QString Wide(std::string_view text)
{
    return FromDictText(text);
}

} // namespace morva::test
