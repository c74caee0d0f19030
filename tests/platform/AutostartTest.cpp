#include "platform/AutostartKey.h"
#include "platform/FileRegistry.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <sys/stat.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

const std::string AutorunValue = "Kovrak MORVA autorun";

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

class AutostartTest : public testing::Test {
protected:
    fs::path config_ = test::FreshFolder("autostart-config");
    TFileRegistry registry_{config_};
};

TEST_F(AutostartTest, TheRunKeyOpensOnlyWhereTheConfigurationFolderExists)
{
    EXPECT_TRUE(registry_.KeyExists(RunKeyPath));
    EXPECT_NE(registry_.OpenKey("software\\microsoft\\windows\\currentversion\\run", false), nullptr);

    TFileRegistry elsewhere(config_ / "missing");
    EXPECT_FALSE(elsewhere.KeyExists(RunKeyPath));
    EXPECT_EQ(elsewhere.OpenKey(RunKeyPath, false), nullptr);
    EXPECT_EQ(elsewhere.OpenKey(RunKeyPath, true), nullptr);
    EXPECT_FALSE(fs::exists(config_ / "missing"));
}

TEST_F(AutostartTest, AValueIsADesktopEntryThatStartsTheCommand)
{
    const std::string command = "\"/opt/kovrak morva/lib/morva\" /autorun";
    registry_.OpenKey(RunKeyPath, false)->WriteValue(AutorunValue, TRegValue::String(command));

    const fs::path entry = config_ / "autostart" / "kovrak-morva-autorun.desktop";
    const std::string text = ReadFile(entry);
    EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
    EXPECT_NE(text.find("\nType=Application\n"), std::string::npos);
    EXPECT_NE(text.find("\nName=Kovrak MORVA autorun\n"), std::string::npos);
    EXPECT_NE(text.find("\nExec=\"/opt/kovrak morva/lib/morva\" /autorun\n"), std::string::npos);

    auto key = TFileRegistry(config_).OpenKey(RunKeyPath, false);
    EXPECT_EQ(key->ReadValue("kovrak morva AUTORUN"), TRegValue::String(command));
    EXPECT_EQ(key->ValueNames(), std::vector<std::string>{AutorunValue});

    EXPECT_TRUE(key->DeleteValue(AutorunValue));
    EXPECT_FALSE(fs::exists(entry));
    EXPECT_FALSE(key->DeleteValue(AutorunValue));
    EXPECT_FALSE(key->HasValue(AutorunValue));
}

TEST_F(AutostartTest, OtherEntriesAreReadByTheirNameAndHiddenOnesDoNotCount)
{
    fs::create_directories(config_ / "autostart");
    std::ofstream(config_ / "autostart" / "tool.desktop") << "[Desktop Entry]\nName=Some Tool\nExec=tool --quiet\n";
    std::ofstream(config_ / "autostart" / "off.desktop") << "[Desktop Entry]\nName=Off\nExec=off\nHidden=true\n";
    std::ofstream(config_ / "autostart" / "notes.txt") << "not an entry";

    auto key = registry_.OpenKey(RunKeyPath, false);
    EXPECT_EQ(key->ValueNames(), std::vector<std::string>{"Some Tool"});
    EXPECT_EQ(key->ReadValue("Some Tool"), TRegValue::String("tool --quiet"));
    EXPECT_FALSE(key->ReadValue("Off"));
}

// A FIFO would keep the start waiting for ever and a link to /dev/zero would be read without
// end; neither is an entry, and the entries beside them still count.
TEST_F(AutostartTest, OnlyRegularEntriesWithinTheCapAreRead)
{
    const fs::path folder = config_ / "autostart";
    fs::create_directories(folder);
    std::ofstream(folder / "tool.desktop") << "[Desktop Entry]\nName=Some Tool\nExec=tool\n";
    ASSERT_EQ(mkfifo((folder / "fifo.desktop").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder / "zero.desktop");
    fs::create_symlink(folder / "tool.desktop", folder / "linked.desktop");
    fs::create_directory(folder / "folder.desktop");
    std::ofstream(folder / "huge.desktop") << "[Desktop Entry]\nName=Huge\nExec=huge\n" << std::string(2 << 20, '#');

    auto key = registry_.OpenKey(RunKeyPath, false);
    EXPECT_EQ(key->ValueNames(), (std::vector<std::string>{"Some Tool", "Some Tool"}));
    EXPECT_EQ(key->ReadValue("Some Tool"), TRegValue::String("tool"));
    EXPECT_FALSE(key->ReadValue("Huge"));
    EXPECT_FALSE(key->HasValue(AutorunValue));
    key->WriteValue(AutorunValue, TRegValue::String("\"/usr/bin/morva\" /autorun"));
    EXPECT_TRUE(key->HasValue(AutorunValue));
}

TEST(CreatedFolders, AreForTheOwnerOnlyWhateverTheUmask)
{
    const fs::path config = test::FreshFolder("private-folders");
    const mode_t mask = umask(0);
    TFileRegistry registry(config);
    registry.OpenKey("\\Software\\Kovrak\\Morva", true);
    registry.OpenKey(RunKeyPath, false)->WriteValue(AutorunValue, TRegValue::String("morva /autorun"));
    umask(mask);
    for (const char* made : {"kovrak-morva", "autostart"})
        EXPECT_EQ(fs::status(config / made).permissions(), fs::perms::owner_all) << made;
}

TEST_F(AutostartTest, OnlyPlainStringsHaveAForm)
{
    auto key = registry_.OpenKey(RunKeyPath, false);
    EXPECT_THROW(key->WriteValue(AutorunValue, TRegValue::ExpandString("x")), ERegistryError);
    EXPECT_THROW(key->WriteValue(AutorunValue, TRegValue::DWord(1)), ERegistryError);
    EXPECT_FALSE(key->HasValue(AutorunValue));
}

TEST(AutostartExec, CommandLinesKeepTheirArgumentsAndQuoting)
{
    struct TCase {
        std::string CommandLine, Exec;
    };
    const TCase cases[] = {
        {"\"/usr/lib/kovrak-morva/morva\" /autorun", "\"/usr/lib/kovrak-morva/morva\" /autorun"},
        {"/usr/bin/morva /autorun", "/usr/bin/morva /autorun"},
        {"\"/home/a b/morva\" /autorun", "\"/home/a b/morva\" /autorun"},
        {"\"/home/$USER/100%/m`x`\\y\\\" /autorun", "\"/home/\\$USER/100%%/m\\`x\\`\\\\y\\\\\" /autorun"},
        {"\"C:\\Dict\\prog.exe\" /autorun", "\"C:\\\\Dict\\\\prog.exe\" /autorun"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(CommandLineToExec(c.CommandLine), c.Exec) << c.CommandLine;
        EXPECT_EQ(ExecToCommandLine(c.Exec), c.CommandLine) << c.Exec;
    }
}

TEST_F(AutostartTest, BackslashesSurviveTheEntryFile)
{
    const std::string command = "\"C:\\Dict\\prog.exe\" /autorun";
    registry_.OpenKey(RunKeyPath, false)->WriteValue(AutorunValue, TRegValue::String(command));
    EXPECT_NE(ReadFile(config_ / "autostart" / "kovrak-morva-autorun.desktop")
                  .find("\nExec=\"C:\\\\\\\\Dict\\\\\\\\prog.exe\" /autorun\n"),
              std::string::npos);
    EXPECT_EQ(registry_.OpenKey(RunKeyPath, false)->ReadValue(AutorunValue), TRegValue::String(command));
}

} // namespace
} // namespace morva
