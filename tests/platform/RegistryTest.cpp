#include "platform/FakeRegistry.h"
#include "platform/FileRegistry.h"
#include "platform/RegFile.h"
#include "tests/support/Repeated.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
}

void WriteFile(const fs::path& file, const std::string& content)
{
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
}

std::vector<fs::path> FilesIn(const fs::path& folder)
{
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(MemoryRegistry, KeysOpenWithOrWithoutCreatingThem)
{
    FakeRegistry registry;
    EXPECT_EQ(registry.OpenKey("\\Software\\Kovrak\\Morva", false), nullptr);
    EXPECT_FALSE(registry.KeyExists("\\Software\\Kovrak"));

    ASSERT_NE(registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", true), nullptr);
    EXPECT_TRUE(registry.KeyExists("\\Software\\Kovrak"));
    EXPECT_TRUE(registry.KeyExists("software\\KOVRAK\\morva\\settings"));
    EXPECT_NE(registry.OpenKey("\\SOFTWARE\\Kovrak\\Morva\\", false), nullptr);
}

TEST(MemoryRegistry, ValuesAreTypedListedInOrderAndDeleted)
{
    FakeRegistry registry;
    auto key = registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", true);
    key->WriteValue("SrcLang", TRegValue::String("2"));
    key->WriteValue("Flags", TRegValue::DWord(7));
    key->WriteValue("srclang", TRegValue::String("1"));

    EXPECT_EQ(key->ValueNames(), (std::vector<std::string>{"SrcLang", "Flags"}));
    EXPECT_EQ(key->ReadValue("SRCLANG"), TRegValue::String("1"));
    EXPECT_EQ(key->ReadValue("Flags"), TRegValue::DWord(7));
    EXPECT_FALSE(key->ReadValue("Missing"));

    EXPECT_TRUE(key->DeleteValue("flags"));
    EXPECT_FALSE(key->DeleteValue("flags"));
    EXPECT_FALSE(key->HasValue("Flags"));
}

TEST(MemoryRegistry, AChangeThatCannotBeStoredIsUndoneAndReported)
{
    FakeRegistry registry;
    auto key = registry.OpenKey("\\Software\\Kovrak\\Morva\\MainWindow", true);
    key->WriteValue("Line0000000000", TRegValue::String("old"));
    registry.FailWrites(true);

    try {
        key->WriteValue("Line0000000000", TRegValue::String("new"));
        FAIL() << "the write was not refused";
    } catch (const ERegistryError& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'Line0000000000'");
    }
    EXPECT_THROW(key->DeleteValue("Line0000000000"), ERegistryError);
    EXPECT_THROW(registry.OpenKey("\\Software\\Other", true), ERegistryError);

    EXPECT_EQ(key->ReadValue("Line0000000000"), TRegValue::String("old"));
    EXPECT_FALSE(registry.KeyExists("\\Software\\Other"));
}

TEST(MemoryRegistry, ATransactionStoresItsChangesOnceOrNotAtAll)
{
    FakeRegistry registry;
    const std::string path = "\\Software\\Kovrak\\Morva\\MainWindow";
    {
        TRegistryTransaction transaction(registry);
        auto key = registry.OpenKey(path, true);
        for (int i = 0; i < 5; ++i)
            key->WriteValue("Line" + std::to_string(i), TRegValue::String("old"));
        {
            // An inner transaction joins the outer one.
            TRegistryTransaction inner(registry);
            key->DeleteValue("Line4");
            inner.Commit();
        }
        EXPECT_EQ(registry.StoreCount(), 0);
        transaction.Commit();
    }
    EXPECT_EQ(registry.StoreCount(), 1);

    struct TCase {
        const char* Name;
        bool Abandon;
    };
    for (const TCase& test : {TCase{"refused", false}, TCase{"abandoned", true}}) {
        registry.FailWrites(!test.Abandon);
        registry.BeginTransaction();
        auto key = registry.OpenKey(path, true);
        key->WriteValue("Line0", TRegValue::String("new"));
        key->DeleteValue("Line1");
        key->WriteValue("Line9", TRegValue::String("new"));
        auto made = registry.OpenKey(path + "\\Made", true);
        if (test.Abandon) {
            registry.AbandonTransaction();
        } else {
            try {
                registry.CommitTransaction();
                ADD_FAILURE() << test.Name << ": the commit was not refused";
            } catch (const ERegistryError& error) {
                // The message names the first change.
                EXPECT_STREQ(error.what(), "Failed to set data for 'Line0'") << test.Name;
            }
        }
        registry.FailWrites(false);
        EXPECT_EQ(key->ValueNames(), (std::vector<std::string>{"Line0", "Line1", "Line2", "Line3"})) << test.Name;
        EXPECT_EQ(key->ReadValue("Line0"), TRegValue::String("old")) << test.Name;
        EXPECT_FALSE(registry.KeyExists(path + "\\Made")) << test.Name;
        // A key whose making was undone is refused, not written into thin air.
        EXPECT_THROW(made->WriteValue("x", TRegValue::String("y")), ERegistryError) << test.Name;
    }
    EXPECT_EQ(registry.StoreCount(), 1);
}

TEST(MemoryRegistry, ManyValuesKeepTheirOrderThroughDeletesAndRewrites)
{
    FakeRegistry registry;
    auto key = registry.OpenKey("\\Software\\Kovrak\\Morva\\MainWindow", true);
    TRegistryTransaction transaction(registry);
    for (int i = 0; i < 1000; ++i)
        key->WriteValue("Line" + std::to_string(i), TRegValue::String(std::to_string(i)));
    for (int i = 0; i < 1000; i += 2)
        EXPECT_TRUE(key->DeleteValue("LINE" + std::to_string(i)));
    key->WriteValue("line1", TRegValue::String("first"));
    key->WriteValue("Line0", TRegValue::String("again"));
    transaction.Commit();

    const std::vector<std::string> names = key->ValueNames();
    ASSERT_EQ(names.size(), 501u);
    EXPECT_EQ(names.front(), "Line1");
    EXPECT_EQ(names[1], "Line3");
    EXPECT_EQ(names.back(), "Line0");
    EXPECT_EQ(key->ReadValue("LINE1"), TRegValue::String("first"));
    EXPECT_EQ(key->ReadValue("line999"), TRegValue::String("999"));
    EXPECT_FALSE(key->HasValue("Line998"));
}

class FileRegistryTest : public testing::Test {
protected:
    fs::path config_ = test::FreshFolder("registry-config");
    fs::path file_ = config_ / "kovrak-morva" / "registry.reg";
};

TEST_F(FileRegistryTest, EveryValueTypeSurvivesTheFile)
{
    const std::vector<std::pair<std::string, TRegValue>> values = {
        {"Plain", TRegValue::String("1")},
        {"Empty", TRegValue::String("")},
        {"Quoted", TRegValue::String("\"C:\\Dict\\prog.exe\" /autorun")},
        {"Lines", TRegValue::String("first\nsecond\r\n")},
        {"Utf8", TRegValue::String("Lug\xE2\x80\x98" "at")},
        {"Expand", TRegValue::ExpandString("%HOME%\\x")},
        {"Number", TRegValue::DWord(0xDEADBEEF)},
        {"Short", TRegValue::Binary({})},
        {"Long", TRegValue::Binary(std::vector<std::uint8_t>(300, 0xAB))},
        {"Multi", TRegValue{static_cast<TRegType>(7), {}, 0, {'a', 0, 'b', 0, 0}}},
        {"", TRegValue::String("default value")},
        {"name with \"quotes\" and \\", TRegValue::String("x")},
    };
    {
        TFileRegistry registry(config_);
        auto key = registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", true);
        for (const auto& [name, value] : values)
            key->WriteValue(name, value);
    }
    TFileRegistry reread(config_);
    auto key = reread.OpenKey("\\Software\\Kovrak\\Morva\\Settings", false);
    ASSERT_NE(key, nullptr);
    for (const auto& [name, value] : values)
        EXPECT_EQ(key->ReadValue(name), value) << name;
    EXPECT_EQ(key->ValueNames().size(), values.size());
    EXPECT_TRUE(reread.SetAside().empty());
}

TEST_F(FileRegistryTest, TheFileIsReadableRegedit4Text)
{
    TFileRegistry registry(config_);
    registry.OpenKey("\\Software\\Kovrak\\Morva", true);
    registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", true)->WriteValue("StayOnTop", TRegValue::String("0"));
    registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", true)->WriteValue("Size", TRegValue::DWord(16));

    EXPECT_EQ(ReadFile(file_), "REGEDIT4\n\n"
                               "[HKEY_CURRENT_USER\\Software]\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Kovrak]\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Kovrak\\Morva]\n\n"
                               "[HKEY_CURRENT_USER\\Software\\Kovrak\\Morva\\Settings]\n"
                               "\"StayOnTop\"=\"0\"\n"
                               "\"Size\"=dword:00000010\n\n");
    // Nothing but the file itself is left in the folder.
    EXPECT_EQ(FilesIn(file_.parent_path()), std::vector<fs::path>{file_});
}

TEST_F(FileRegistryTest, KeysAndValuesItDoesNotKnowAreKept)
{
    WriteFile(file_, "REGEDIT4\r\n\r\n"
                     "; written by hand\r\n"
                     "[HKEY_CURRENT_USER\\Software\\Someone\\Else]\r\n"
                     "\"Blob\"=hex:01,02,\\\r\n"
                     "  03,04\r\n"
                     "\"Counted\"=hex(b):01,00,00,00,00,00,00,00\r\n"
                     "@=\"default\"\r\n");
    {
        TFileRegistry registry(config_);
        registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", true)->WriteValue("SrcLang", TRegValue::String("1"));
    }
    TFileRegistry reread(config_);
    auto foreign = reread.OpenKey("\\Software\\Someone\\Else", false);
    ASSERT_NE(foreign, nullptr);
    EXPECT_EQ(foreign->ReadValue("Blob"), TRegValue::Binary({1, 2, 3, 4}));
    EXPECT_EQ(foreign->ReadValue("Counted")->Bytes, (std::vector<std::uint8_t>{1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(foreign->ReadValue(""), TRegValue::String("default"));
}

TEST_F(FileRegistryTest, AnyNameThatLoadsIsSavedBackSoTheProgramCanStillSave)
{
    // Other programs' names with characters a quoted line could not hold before.
    const std::string awkward[] = {"Tab\there", "Cr\rhere", std::string("Nul\0here", 8), "Del\x7Fhere", "Bracket]here"};
    std::string file = "REGEDIT4\n\n";
    for (const std::string& name : awkward)
        file += "[HKEY_CURRENT_USER\\Software\\Other\\" + name + "]\n\"" + name + "\"=\"v\"\n\n";
    WriteFile(file_, file);
    {
        TFileRegistry registry(config_);
        ASSERT_TRUE(registry.SetAside().empty());
        EXPECT_NO_THROW(registry.OpenKey("\\Software\\Kovrak\\Morva\\MainWindow", true)
                            ->WriteValue("Line0000000000", TRegValue::String("5450")));
    }
    TFileRegistry reread(config_);
    EXPECT_TRUE(reread.SetAside().empty());
    EXPECT_TRUE(reread.KeyExists("\\Software\\Kovrak\\Morva\\MainWindow"));
    for (const std::string& name : awkward) {
        auto key = reread.OpenKey("\\Software\\Other\\" + name, false);
        ASSERT_NE(key, nullptr) << name;
        EXPECT_EQ(key->ValueNames(), std::vector<std::string>{name});
        EXPECT_EQ(key->ReadValue(name), TRegValue::String("v"));
    }
}

TEST_F(FileRegistryTest, ADamagedFileIsSetAsideNeverOverwritten)
{
    const std::vector<std::string> damaged = {
        "not a registry at all",
        "REGEDIT4\n\n\"Orphan\"=\"value before any key\"\n",
        "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software]\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Cut\"=\"no closing quote\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Bad\"=dword:12\n",
        "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software]\n\"Bad\"=hex:1,zz\n",
        "",
        // Deeper than any registry goes: reading, storing or freeing it must not run out of stack.
        "REGEDIT4\n\n[HKEY_CURRENT_USER" + test::Repeated("\\k", 100000) + "]\n",
    };
    for (const std::string& content : damaged) {
        fs::remove_all(config_);
        WriteFile(file_, content);
        TFileRegistry registry(config_);
        EXPECT_FALSE(registry.KeyExists("\\Software")) << content;
        ASSERT_FALSE(registry.SetAside().empty()) << content;
        EXPECT_EQ(ReadFile(registry.SetAside()), content);

        registry.OpenKey("\\Software\\Kovrak\\Morva", true);
        EXPECT_TRUE(TFileRegistry(config_).KeyExists("\\Software\\Kovrak\\Morva"));
        EXPECT_EQ(ReadFile(registry.SetAside()), content);
    }
}

TEST_F(FileRegistryTest, AnUnusableFolderGivesDefaultsAndQuietFailures)
{
    // A configuration folder below a plain file can be neither read nor made, even by root.
    WriteFile(config_ / "plain", "x");
    TFileRegistry registry(config_ / "plain" / "config");
    EXPECT_FALSE(registry.KeyExists("\\Software\\Kovrak\\Morva"));
    EXPECT_THROW(registry.OpenKey("\\Software\\Kovrak\\Morva", true), ERegistryError);
    EXPECT_FALSE(registry.KeyExists("\\Software\\Kovrak\\Morva"));
    EXPECT_EQ(registry.OpenKey(RunKeyPath, false), nullptr);
}

TEST_F(FileRegistryTest, AReadOnlyFolderKeepsItsFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    WriteFile(file_, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kovrak\\Morva\\Settings]\n\"SrcLang\"=\"2\"\n");
    chmod(file_.parent_path().c_str(), 0500);
    {
        TFileRegistry registry(config_);
        auto key = registry.OpenKey("\\Software\\Kovrak\\Morva\\Settings", false);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->ReadValue("SrcLang"), TRegValue::String("2"));
        EXPECT_THROW(key->WriteValue("SrcLang", TRegValue::String("1")), ERegistryError);
        EXPECT_EQ(key->ReadValue("SrcLang"), TRegValue::String("2"));
    }
    WriteFile(config_ / "damaged" / "kovrak-morva" / "registry.reg", "garbage");
    chmod((config_ / "damaged" / "kovrak-morva").c_str(), 0500);
    {
        TFileRegistry registry(config_ / "damaged");
        EXPECT_THROW(registry.OpenKey("\\Software", true), ERegistryError);
        EXPECT_EQ(ReadFile(config_ / "damaged" / "kovrak-morva" / "registry.reg"), "garbage");
    }
    chmod(file_.parent_path().c_str(), 0700);
    chmod((config_ / "damaged" / "kovrak-morva").c_str(), 0700);
}

TEST_F(FileRegistryTest, AnInterruptedSaveNeverLeavesADamagedFile)
{
    // A helper process saves in a loop and is killed at a different moment each round.
    TFileRegistry(config_).OpenKey("\\Software\\Kovrak\\Morva\\MainWindow", true);
    for (int round = 0; round < 12; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TFileRegistry registry(config_);
            auto key = registry.OpenKey("\\Software\\Kovrak\\Morva\\MainWindow", true);
            for (std::uint32_t n = 0;; ++n)
                key->WriteValue("Line" + std::to_string(n % 50), TRegValue::String(std::string(80, 'A' + n % 26)));
        }
        usleep(2000 + round * 1700);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);

        TFileRegistry registry(config_);
        EXPECT_TRUE(registry.SetAside().empty()) << "round " << round;
        EXPECT_TRUE(registry.KeyExists("\\Software\\Kovrak\\Morva\\MainWindow"));
    }
}

TEST_F(FileRegistryTest, AKilledSaveLeavesAllItsValuesOldOrAllNewAndNoTemporaryFile)
{
    // A helper process saves all lines of a section in one transaction, over and over, and
    // is killed at a different moment each round.
    const std::string path = "\\Software\\Kovrak\\Morva\\MainWindow";
    {
        TFileRegistry registry(config_);
        auto key = registry.OpenKey(path, true);
        // Other keys make each write long enough to be caught in the middle.
        auto other = registry.OpenKey("\\Software\\Someone\\Else", true);
        TRegistryTransaction transaction(registry);
        for (int i = 0; i < 20000; ++i)
            other->WriteValue("Value" + std::to_string(i), TRegValue::String(std::string(40, 'x')));
        for (int line = 0; line < 13; ++line)
            key->WriteValue("Line" + std::to_string(line), TRegValue::String("A"));
        transaction.Commit();
    }
    int caughtWriting = 0;
    for (int round = 0; round < 12; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TFileRegistry registry(config_);
            auto key = registry.OpenKey(path, true);
            for (std::uint32_t n = 0;; ++n) {
                TRegistryTransaction transaction(registry);
                for (int line = 0; line < 13; ++line)
                    key->WriteValue("Line" + std::to_string(line), TRegValue::String(std::string(1, 'A' + n % 26)));
                transaction.Commit();
            }
        }
        usleep(3000 + round * 4100);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        caughtWriting += FilesIn(file_.parent_path()).size() > 1;

        TFileRegistry registry(config_);
        EXPECT_TRUE(registry.SetAside().empty()) << "round " << round;
        auto key = registry.OpenKey(path, false);
        ASSERT_NE(key, nullptr);
        const auto first = key->ReadValue("Line0");
        for (int line = 1; line < 13; ++line)
            EXPECT_EQ(key->ReadValue("Line" + std::to_string(line)), first) << "round " << round << " line " << line;
        // Starting removes what the killed writer left.
        EXPECT_EQ(FilesIn(file_.parent_path()), std::vector<fs::path>{file_}) << "round " << round;
    }
    RecordProperty("KillsDuringAWrite", caughtWriting);
}

TEST_F(FileRegistryTest, StartingRemovesDeadWritersTemporaryFilesOnly)
{
    WriteFile(file_, "REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Kovrak]\n");
    const fs::path dead = file_.parent_path() / ".registry.reg.Ab12Cd";
    const fs::path live = file_.parent_path() / ".registry.reg.Ef34Gh";
    const fs::path other = file_.parent_path() / ".registry.reg.notours";
    for (const fs::path& file : {dead, live, other})
        WriteFile(file, "partial");
    // A live writer holds a lock on its file.
    const int held = open(live.c_str(), O_RDONLY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);

    TFileRegistry registry(config_);
    EXPECT_TRUE(registry.KeyExists("\\Software\\Kovrak"));
    EXPECT_FALSE(fs::exists(dead));
    EXPECT_TRUE(fs::exists(live));
    EXPECT_TRUE(fs::exists(other));
    close(held);
}

} // namespace
} // namespace morva
