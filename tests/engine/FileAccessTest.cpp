#include "engine/FileAccess.h"
#include "tests/support/TestFolders.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace morva {
namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& file, const std::string& text)
{
    std::ofstream(file, std::ios::binary) << text;
}

std::vector<std::string> NamesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

TFileFault FaultOf(const fs::path& file, TLinks links, std::size_t limit = 1000)
{
    try {
        ReadRegularFile(file, links, limit);
    } catch (const EFileAccess& failure) {
        return failure.Fault();
    }
    ADD_FAILURE() << file << " was read";
    return TFileFault::System;
}

class FileAccessTest : public testing::Test {
protected:
    fs::path folder_ = test::FreshFolder("file-access");
};

TEST_F(FileAccessTest, OnlyRegularFilesAreReadAndNothingWaits)
{
    WriteText(folder_ / "plain", "text");
    fs::create_directory(folder_ / "folder");
    ASSERT_EQ(mkfifo((folder_ / "fifo").c_str(), 0600), 0);
    fs::create_symlink("/dev/zero", folder_ / "zero");
    fs::create_symlink("plain", folder_ / "link");

    EXPECT_EQ(ReadRegularFile(folder_ / "plain", TLinks::DoNotFollow, 4), "text");
    EXPECT_EQ(ReadRegularFile(folder_ / "link", TLinks::Follow, 4), "text");
    struct TCase {
        const char* Name;
        TLinks Links;
        TFileFault Fault;
    };
    const TCase cases[] = {
        {"folder", TLinks::Follow, TFileFault::Folder},
        {"fifo", TLinks::Follow, TFileFault::NotRegular},
        {"zero", TLinks::Follow, TFileFault::NotRegular},
        {"link", TLinks::DoNotFollow, TFileFault::System},
        {"missing", TLinks::Follow, TFileFault::System},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(FaultOf(folder_ / c.Name, c.Links), c.Fault) << c.Name;
}

TEST_F(FileAccessTest, TheBoundHoldsForWhatIsRead)
{
    WriteText(folder_ / "plain", std::string(200000, 'x'));
    EXPECT_EQ(ReadRegularFile(folder_ / "plain", TLinks::Follow, 200000).size(), 200000u);
    EXPECT_EQ(FaultOf(folder_ / "plain", TLinks::Follow, 199999), TFileFault::TooLarge);
    // A file whose size the system does not state is still bounded.
    EXPECT_EQ(FaultOf("/proc/self/maps", TLinks::Follow, 10), TFileFault::TooLarge);
}

TEST_F(FileAccessTest, AReplacementReplacesALinkAndLeavesNoTemporary)
{
    WriteText(folder_ / "elsewhere", "keep");
    fs::create_symlink("elsewhere", folder_ / "target");
    ReplaceFileAtomically(folder_ / "target", "new", TNewFileMode::OwnerOnly);

    EXPECT_FALSE(fs::is_symlink(folder_ / "target"));
    EXPECT_EQ(ReadRegularFile(folder_ / "target", TLinks::DoNotFollow, 10), "new");
    EXPECT_EQ(ReadRegularFile(folder_ / "elsewhere", TLinks::DoNotFollow, 10), "keep");
    EXPECT_EQ(fs::status(folder_ / "target").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(NamesIn(folder_), (std::vector<std::string>{"elsewhere", "target"}));

    // A rename over a folder fails: the temporary goes with the failure.
    fs::create_directory(folder_ / "folder");
    EXPECT_THROW(ReplaceFileAtomically(folder_ / "folder", "x", TNewFileMode::Usual), EFileAccess);
    EXPECT_EQ(NamesIn(folder_), (std::vector<std::string>{"elsewhere", "folder", "target"}));
}

TEST_F(FileAccessTest, OnlyDeadWritersTemporariesAreRemoved)
{
    const fs::path target = folder_ / "settings";
    WriteText(folder_ / ".settings.Dead01", "partial");
    WriteText(folder_ / ".settings.longer-name", "not ours");
    fs::create_symlink("/nowhere", folder_ / ".settings.Link01");
    {
        TFileReplacement live(target);
        live.Write("half");
        RemoveStaleTemporaries(target);
        // The live writer's temporary, the foreign name and the link stay.
        EXPECT_EQ(NamesIn(folder_).size(), 3u);
        live.Commit(TNewFileMode::OwnerOnly);
    }
    EXPECT_EQ(ReadRegularFile(target, TLinks::DoNotFollow, 10), "half");
    EXPECT_EQ(NamesIn(folder_), (std::vector<std::string>{".settings.Link01", ".settings.longer-name", "settings"}));
}

TEST_F(FileAccessTest, NewFoldersAreForTheOwnerOnlyWhateverTheUmask)
{
    const mode_t mask = umask(0);
    CreatePrivateFolders(folder_ / "a" / "b");
    umask(mask);
    for (const fs::path& made : {folder_ / "a", folder_ / "a" / "b"})
        EXPECT_EQ(fs::status(made).permissions(), fs::perms::owner_all) << made;

    WriteText(folder_ / "file", "");
    EXPECT_THROW(CreatePrivateFolders(folder_ / "file" / "c"), EFileAccess);
    EXPECT_THROW(CreatePrivateFolders(folder_ / "file"), EFileAccess);
}

} // namespace
} // namespace morva
